// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/number_box.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/panel_copies.h"

namespace numora::platform {

namespace {

// The digit of a number-pad key that arrives as a movement key (NumLock off), or -1.
int PadDigit(const QKeyEvent& event) {
  if (!(event.modifiers() & Qt::KeypadModifier)) return -1;
  switch (event.key()) {
    case Qt::Key_Insert:
      return '0';
    case Qt::Key_End:
      return '1';
    case Qt::Key_Down:
      return '2';
    case Qt::Key_PageDown:
      return '3';
    case Qt::Key_Left:
      return '4';
    case Qt::Key_Clear:  // the middle key: KP_Begin on X11, VK_CLEAR on Windows
      return '5';
    case Qt::Key_Right:
      return '6';
    case Qt::Key_Home:
      return '7';
    case Qt::Key_Up:
      return '8';
    case Qt::Key_PageUp:
      return '9';
    default:
      return -1;
  }
}

}  // namespace

char16_t NarrowDigit(char16_t c) {
  return c >= u'０' && c <= u'９' ? char16_t(u'0' + (c - u'０')) : c;
}

int TypedDigit(const QKeyEvent& event) {
  if (const int digit = PadDigit(event); digit >= 0) return digit;
  const QString text = event.text();
  if (text.size() != 1) return -1;
  const char16_t c = NarrowDigit(text.front().unicode());
  return c >= u'0' && c <= u'9' ? int(c) : -1;
}

KeyRoute RouteKey(const QKeyEvent& event) {
  if (const int digit = TypedDigit(event); digit >= 0) return {KeyRoute::Character, digit};
  const int key = event.key();
  const Qt::KeyboardModifiers mods = event.modifiers();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return {KeyRoute::Character, kEnterCode};
    case Qt::Key_Backspace:
      return {KeyRoute::Character, kBackspaceCode};
    case Qt::Key_Escape:
      return {KeyRoute::Character, kEscapeCode};
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
  if (!text.isEmpty()) return {KeyRoute::Character, NarrowDigit(text.front().unicode())};
  return {KeyRoute::Drop};
}

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
  setAcceptDrops(false);
  setDragEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  // The box repaints whole at every key, its large frame with it.
  DrawPanelFromCopies(*this);
}

QVariant NumberBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (query == Qt::ImEnabled) return false;
  return QLineEdit::inputMethodQuery(query);
}

void NumberBox::keyPressEvent(QKeyEvent* event) {
  // A disabled box takes no key, however the event got here, nor passes it on to the window,
  // where Enter would press a button.
  if (!isEnabled()) {
    event->accept();
    return;
  }
  const KeyRoute route = RouteKey(*event);
  switch (route.kind) {
    case KeyRoute::Edit:
      if (corrections_) QLineEdit::keyPressEvent(event);
      event->accept();
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
  Type(route.code);
}

void NumberBox::Type(int code) {
  const int applied = filter_ ? filter_(code) : 0;
  if (!corrections_) end(false);
  if (applied == kBackspaceCode) {
    backspace();
  } else if (applied >= '0' && applied <= '9') {
    insert(QString(QChar(applied)));
  }
}

// An input method that commits text in spite of being off for the box (a full-width mode types
// ０-９ so) has each character judged as a typed key; its preedit is never shown.
void NumberBox::inputMethodEvent(QInputMethodEvent* event) {
  event->accept();
  for (const QChar c : event->commitString()) {
    if (!isEnabled()) return;  // the key before ended the run
    Type(NarrowDigit(c.unicode()));
  }
}

void NumberBox::mousePressEvent(QMouseEvent* event) {
  if (!corrections_) {
    // A click only gives the box the focus; the cursor stays behind the last digit.
    event->accept();
    if (event->button() == Qt::LeftButton) setFocus(Qt::MouseFocusReason);
    return;
  }
  if (event->button() == Qt::MiddleButton) {
    event->accept();
    return;
  }
  QLineEdit::mousePressEvent(event);
}

void NumberBox::mouseMoveEvent(QMouseEvent* event) {
  if (!corrections_) {
    event->accept();
    return;
  }
  QLineEdit::mouseMoveEvent(event);
}

void NumberBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!corrections_) {
    event->accept();
    return;
  }
  QLineEdit::mouseDoubleClickEvent(event);
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  // Tabbing in selects the whole text, and a digit would replace it.
  if (!corrections_) end(false);
}

// A middle click pastes the X11 primary selection on release.
void NumberBox::mouseReleaseEvent(QMouseEvent* event) {
  if (!corrections_ || event->button() == Qt::MiddleButton) {
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
