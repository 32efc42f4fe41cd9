// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/number_box.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace numora::platform {

KeyRoute RouteKey(const QKeyEvent& event) {
  const int key = event.key();
  const Qt::KeyboardModifiers mods = event.modifiers();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return {KeyRoute::Character, 13};
    case Qt::Key_Backspace:
      return {KeyRoute::Character, 8};
    case Qt::Key_Escape:
      return {KeyRoute::Character, 27};
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return {KeyRoute::Pass};
    case Qt::Key_Insert:  // Shift+Insert pastes
      return {KeyRoute::Drop};
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
      return {KeyRoute::Edit};
    default:
      break;
  }
  if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier) && key >= Qt::Key_A &&
      key <= Qt::Key_Z) {
    return {KeyRoute::Character, key - Qt::Key_A + 1};
  }
  const QString text = event.text();
  if (!text.isEmpty()) return {KeyRoute::Character, text.front().unicode()};
  return {KeyRoute::Drop};
}

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
  setAcceptDrops(false);
  setDragEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
}

QVariant NumberBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  // A disabled box takes no key, however the event got here.
  if (!isEnabled()) {
    event->ignore();
    return;
  }
  const KeyRoute route = RouteKey(*event);
  switch (route.kind) {
    case KeyRoute::Edit:
      QLineEdit::keyPressEvent(event);
      return;
    case KeyRoute::Pass:
      event->ignore();
      return;
    case KeyRoute::Drop:
      event->accept();
      return;
    case KeyRoute::Character:
      break;
  }
  // Accepted before the filter runs: Enter must never reach a default button, nor Escape the
  // window, whatever the filter does.
  event->accept();
  const int applied = filter_ ? filter_(route.code) : 0;
  if (applied == 8) {
    backspace();
  } else if (applied >= '0' && applied <= '9') {
    insert(QString(QChar(applied)));
  }
}

void NumberBox::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
}

void NumberBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

// A middle click pastes the X11 primary selection on release.
void NumberBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mouseReleaseEvent(event);
}

void NumberBox::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
}
void NumberBox::dragEnterEvent(QDragEnterEvent* event) {
  event->ignore();
}
void NumberBox::dragMoveEvent(QDragMoveEvent* event) {
  event->ignore();
}
void NumberBox::dropEvent(QDropEvent* event) {
  event->ignore();
}

}  // namespace numora::platform
