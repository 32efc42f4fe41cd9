// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The view an engine writes through, applied to a window's widgets: each role is bound to the
// control of the layout that plays it.

#include <array>
#include <span>
#include <string>

#include "rules/challenge_view.h"

class QWidget;

namespace numora::platform {
class TickPacer;
}  // namespace numora::platform

namespace numora {

// One row of a window's role table: the role, and the object name of the control that plays it.
struct RoleControl {
  Role For;
  const char* Name;
};

class WidgetView final : public ChallengeView {
 public:
  WidgetView(QWidget& window, platform::TickPacer& ticks) : window_(window), ticks_(ticks) {}

  // Binds each role of the table to the window's control of that name.
  void BindRoles(std::span<const RoleControl> table);
  // The control bound to a role; null when the window has none.
  QWidget* Control(Role role) const { return widgets_[Index(role)]; }

  void SetText(Role role, std::string_view text) override;
  std::string_view Text(Role role) override;
  void SetEnabled(Role role, bool enabled) override;
  void SetVisible(Role role, bool visible) override;
  void Focus(Role role) override;
  void SetTicking(bool ticking) override;

 private:
  static std::size_t Index(Role role) { return static_cast<std::size_t>(role); }
  // Moves the focus off a control about to be disabled or hidden.
  void ReleaseFocus(QWidget& widget);

  QWidget& window_;
  platform::TickPacer& ticks_;
  std::array<QWidget*, kRoleCount> widgets_{};
  // What was written last to each label: a tick that changes nothing touches no widget.
  std::array<std::string, kRoleCount> texts_{};
  std::string scratch_;
};

}  // namespace numora
