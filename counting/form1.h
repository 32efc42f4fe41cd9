// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window of the counting challenge (levels 1 to 6). It lays out the controls and hands
// every event to the CountingEngine, which writes them.

#include <QWidget>
#include <span>
#include <string_view>

#include "challenges/challenge_window.h"
#include "counting/counting_engine.h"

namespace numora {

class Form1 : public ChallengeWindow {
  Q_OBJECT

 public:
  static constexpr std::string_view kCaption = "Numora";
  // The roles of the controls this window adds to the shared ones.
  static const std::span<const RoleControl> kRoles;

  // Lays out the window over the engine, which must outlive it.
  explicit Form1(CountingEngine& engine, QWidget* parent = nullptr);
};

}  // namespace numora
