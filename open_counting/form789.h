// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <span>
#include <string_view>

#include "challenges/open_frame.h"
#include "open_counting/open_counting_engine.h"

namespace numora {

// The window of levels 7 and 8: the open frame with a countdown row, a row of the time since the
// latest start and the best count. Every event goes to the engine, which writes the controls.
class Form789 : public OpenFrame {
  Q_OBJECT

 public:
  static constexpr std::string_view kCaption = "Numora";
  // The role of the one control this window adds to the shared ones.
  static const std::span<const RoleControl> kRoles;

  // Lays out the controls over the engine, which must outlive the window.
  explicit Form789(OpenCountingEngine& engine, QWidget* parent = nullptr);
};

}  // namespace numora
