// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The input box of the challenge screens: every character key goes through the engine's key
// filter before the box takes it, and no text gets in any other way (no paste, no drop, no
// input method).

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

// The character code of a key as the engines count them: Enter 13, Backspace 8, Ctrl+letter 1
// to 26 (Ctrl+V is 22), Escape 27, otherwise the character the key types. Built from the key
// and its modifiers first, since the event's text differs between platforms for the same key.
KeyRoute RouteKey(const QKeyEvent& event);

class NumberBox : public QLineEdit {
  Q_OBJECT

 public:
  // Takes a character code and returns the code to apply, 0 to drop the key.
  using KeyFilter = std::function<int(int)>;

  explicit NumberBox(QWidget* parent = nullptr);
  void SetKeyFilter(KeyFilter filter) { filter_ = std::move(filter); }

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  KeyFilter filter_;
};

}  // namespace numora::platform
