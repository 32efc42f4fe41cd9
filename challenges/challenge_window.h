// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame the three challenge windows share: a 15240 x 10950 twip client area, the engine's
// view bound to the controls by the window's role table, the buttons and key filter wired to the
// engine, the 7 ms tick, and the return to the start screen. A concrete window lays out its
// controls (control_builders.h); the registry (screens.cpp) then opens it with the roles of
// its own controls.

#include <QDialog>
#include <QString>
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>

#include "challenges/widget_view.h"
#include "platform/layout.h"
#include "platform/window_scaling.h"
#include "rules/challenge_engine.h"

class QTimer;

namespace numora::platform {
class TickPacer;
}  // namespace numora::platform

namespace numora {

class ChallengeWindow : public QDialog {
  Q_OBJECT

 public:
  static constexpr platform::TwipRect kClientArea{0, 0, 15240, 10950};

  ~ChallengeWindow() override;

  // The load event: binds the roles of the shared controls and of `ownRoles`, wires the buttons
  // and the input box, sets the caption (unless the engine writes it), then hands the pupil's
  // data to the engine's Load.
  void Open(const Pupil& pupil, std::string_view caption, std::span<const RoleControl> ownRoles);

  QTimer* tickTimer() const;
  // The factor the layout is scaled by: 1 at the design size.
  double scale() const { return scaler_.Scale(); }

 protected:
  ChallengeWindow(ChallengeEngine& engine, QWidget* parent);

  // The focus chain, first to last.
  void SetTabOrder(std::initializer_list<QWidget*> chain);

  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 public slots:
  // Closing the window by its title bar leaves the same way as the return button.
  void reject() override;

 private slots:
  void ReturnToStart();

 private:
  ChallengeEngine& engine_;
  platform::TickPacer* ticks_;
  std::unique_ptr<WidgetView> view_;
  platform::WindowScaler scaler_;
};

}  // namespace numora
