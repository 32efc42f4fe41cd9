// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/buttons.h"

#include <QKeyEvent>
#include <QPushButton>

namespace numora::platform {

QPushButton* AddButton(QWidget& parent, const char* name, const QString& text, const TwipRect& rect,
                       const QFont& font) {
  auto* button = new QPushButton(text, &parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(font);
  button->setAutoDefault(false);
  button->setDefault(false);
  Place(button, rect);
  return button;
}

bool PressFocusedButton(QWidget& window, const QKeyEvent& event) {
  if (event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) return false;
  auto* button = qobject_cast<QPushButton*>(window.focusWidget());
  if (button && button->isEnabled() && button->isVisible()) button->click();
  return true;
}

}  // namespace numora::platform
