// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/challenge_window.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

#include "challenges/art.h"
#include "challenges/control_builders.h"
#include "challenges/widget_view.h"
#include "platform/buttons.h"
#include "platform/number_box.h"
#include "platform/text.h"
#include "platform/tick_pacer.h"
#include "rules/level_table.h"

namespace numora {

using namespace platform;

// The box hands the engines the codes they judge.
static_assert(kEnterCode == kKeyEnter && kBackspaceCode == kKeyBackspace);

ChallengeWindow::ChallengeWindow(ChallengeEngine& engine, QWidget* parent)
    : QDialog(parent),
      engine_(engine),
      ticks_(new TickPacer(*this, [this] { engine_.Tick(); })),
      view_(std::make_unique<WidgetView>(*this, *ticks_)),
      scaler_(*this, ToPixels(kClientArea).size(), [this] { DrawPictures(*this); }) {
  // A normal window has the design size; only maximising makes it larger.
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  setMinimumSize(ToPixels(kClientArea).size());
  resize(ToPixels(kClientArea).size());
  setWindowIcon(WindowIcon());
  setModal(true);
}

ChallengeWindow::~ChallengeWindow() {
  ticks_->SetTicking(false);
  engine_.Detach();
}

QTimer* ChallengeWindow::tickTimer() const {
  return ticks_->timer();
}

void ChallengeWindow::Open(const Pupil& pupil, std::string_view caption,
                           std::span<const RoleControl> ownRoles) {
  view_->BindRoles(kFrameRoles);
  view_->BindRoles(ownRoles);
  if (auto* start = qobject_cast<QPushButton*>(view_->Control(Role::Start))) {
    connect(start, &QPushButton::clicked, this, [this] { engine_.Start(); });
  }
  if (auto* again = qobject_cast<QPushButton*>(view_->Control(Role::PlayAgain))) {
    connect(again, &QPushButton::clicked, this, [this] { engine_.PlayAgain(); });
  }
  if (auto* back = qobject_cast<QPushButton*>(view_->Control(Role::Return))) {
    connect(back, &QPushButton::clicked, this, &ChallengeWindow::ReturnToStart);
  }
  if (auto* box = qobject_cast<NumberBox*>(view_->Control(Role::Entry))) {
    // The key is judged whole before the tick it may owe comes.
    box->SetKeyFilter([this](int code) {
      const int passed = engine_.KeyPress(code);
      ticks_->TickIfRestarted();
      return passed;
    });
    box->SetCorrections(AllowsCorrections(RuleFor(pupil.GameLevel).Mode));
    ticks_->PaintKeysAtOnce(*box);
  }
  if (!caption.empty()) setWindowTitle(platform::FromUtf8(caption));
  engine_.Load(*view_, pupil);
}

void ChallengeWindow::SetTabOrder(std::initializer_list<QWidget*> chain) {
  QWidget* previous = nullptr;
  for (QWidget* widget : chain) {
    if (previous) setTabOrder(previous, widget);
    previous = widget;
  }
}

bool ChallengeWindow::event(QEvent* event) {
  // Events come in while the members are still being made (a child added): only a repaint,
  // which is posted, ever asks the pacer.
  if (event->type() == QEvent::UpdateRequest && ticks_->HoldBackRepaint()) return true;
  return QDialog::event(event);
}

void ChallengeWindow::keyPressEvent(QKeyEvent* event) {
  // Escape is a key like any other here; it never closes the window.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // Only an Enter that no control took comes here: the input box takes every Enter typed into
  // it, so none presses a button, not even one the focus moves to meanwhile.
  if (PressFocusedButton(*this, *event)) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void ChallengeWindow::showEvent(QShowEvent* event) {
  // Enter presses the focused button, so the style draws its focus from the start, as it
  // otherwise does only once a Tab has moved it.
  setAttribute(Qt::WA_KeyboardFocusChange);
  if (!scaler_.Enlarged()) CentreOnScreen(*this);
  QDialog::showEvent(event);
}

void ChallengeWindow::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  scaler_.Follow();
}

void ChallengeWindow::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) scaler_.Follow();
}

void ChallengeWindow::reject() {
  ReturnToStart();
}

void ChallengeWindow::ReturnToStart() {
  ticks_->SetTicking(false);
  engine_.Detach();
  done(QDialog::Accepted);
}

}  // namespace numora
