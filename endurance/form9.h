// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <span>
#include <string_view>

#include "challenges/open_frame.h"
#include "endurance/endurance_engine.h"

namespace numora {

// The window of level 9: the open frame with the elapsed row, the row of the time since the
// latest key, and the best count with its time. Every event goes to the engine, which writes the
// controls.
class Form9 : public OpenFrame {
  Q_OBJECT

 public:
  // None: the engine's Load writes the caption, first of all.
  static constexpr std::string_view kCaption = "";
  // The roles of the controls this window adds to the shared ones.
  static const std::span<const RoleControl> kRoles;

  // Lays out the controls over the engine, which must outlive the window.
  explicit Form9(EnduranceEngine& engine, QWidget* parent = nullptr);
};

}  // namespace numora
