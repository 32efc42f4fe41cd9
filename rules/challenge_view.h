// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen as a challenge engine sees it: a window binds it to its widgets, the suites to a
// recording fake.

#include <string_view>

#include "rules/roles.h"

namespace numora {

// The screen as the engine sees it. Calls come in the order the pupil would see the effects.
class ChallengeView {
 public:
  virtual ~ChallengeView() = default;
  virtual void SetText(Role control, std::string_view text) = 0;
  virtual std::string_view Text(Role control) = 0;
  virtual void SetEnabled(Role control, bool enabled) = 0;
  virtual void SetVisible(Role control, bool visible) = 0;
  virtual void Focus(Role control) = 0;
  // Starts (or restarts) the periodic tick, or stops it.
  virtual void SetTicking(bool ticking) = 0;
};

// A view that drops everything: an engine whose window has closed writes here.
class DetachedView final : public ChallengeView {
 public:
  void SetText(Role, std::string_view) override {}
  std::string_view Text(Role) override { return {}; }
  void SetEnabled(Role, bool) override {}
  void SetVisible(Role, bool) override {}
  void Focus(Role) override {}
  void SetTicking(bool) override {}
};

}  // namespace numora
