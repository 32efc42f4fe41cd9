// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An input box for numbers typed key by key: every character key goes through a key filter
// before the box takes it, and no text gets in any other way (no paste, no drop, no input
// method's preedit). What an input method commits goes through the filter as if typed. Only
// digits and Backspace the filter hands back change the text.

#include <QLineEdit>
#include <functional>

class QKeyEvent;

namespace numora::platform {

// How a key press on the input box is handled.
struct KeyRoute {
  enum Kind {
    Character,  // a character key: its code goes to the key filter
    Edit,       // edits the box directly (Delete, arrows, Home, End)
    Pass,       // left to the window (Tab moves the focus)
    Drop,       // does nothing (Insert, function keys, a modifier alone)
  };
  Kind kind;
  int code = 0;
};

// The digit '0' to '9' a key types, or -1: the main keys, the full-width digits ０-９ of an
// input method in full-width mode, and the number pad whatever the NumLock state (without it the
// pad's keys arrive as Insert, End, Down, ... with the keypad modifier).
int TypedDigit(const QKeyEvent& event);

// The ASCII digit for a full-width one, any other character as it is.
char16_t NarrowDigit(char16_t c);

// The character codes of the keys that type no character.
inline constexpr int kEnterCode = '\r';      // 13, Return and the number pad's Enter
inline constexpr int kBackspaceCode = '\b';  // 8
inline constexpr int kEscapeCode = '\x1b';   // 27

// The character code of a key as a key filter takes it: kEnterCode, kBackspaceCode,
// Ctrl+letter 1 to 26 (Ctrl+V is 22), kEscapeCode, a digit as TypedDigit reads it, otherwise
// the character the key types. Built from the key and its modifiers first, since the event's text
// differs between platforms for the same key.
KeyRoute RouteKey(const QKeyEvent& event);

class NumberBox : public QLineEdit {
  Q_OBJECT

 public:
  // Takes a character code and returns the code to apply, 0 to drop the key.
  using KeyFilter = std::function<int(int)>;

  explicit NumberBox(QWidget* parent = nullptr);
  void SetKeyFilter(KeyFilter filter) { filter_ = std::move(filter); }
  // Without corrections the typed text can only grow at its end: the editing keys do nothing,
  // the mouse places no cursor and selects nothing, and every digit goes at the end.
  void SetCorrections(bool allowed) { corrections_ = allowed; }

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // A character code through the filter, and what the filter lets through into the box.
  void Type(int code);

  KeyFilter filter_;
  bool corrections_ = true;
};

}  // namespace numora::platform
