// SPDX-License-Identifier: GPL-3.0-or-later
#include "challenges/widget_view.h"

#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include "platform/text.h"
#include "platform/tick_pacer.h"

namespace numora {

using namespace platform;

void WidgetView::BindRoles(std::span<const RoleControl> table) {
  for (const RoleControl& row : table) {
    auto* widget = window_.findChild<QWidget*>(QLatin1String(row.Name));
    widgets_[Index(row.For)] = widget;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      texts_[Index(row.For)] = label->text().toStdString();
    }
  }
}

void WidgetView::SetText(Role role, std::string_view text) {
  if (role == Role::Caption) {
    window_.setWindowTitle(FromUtf8(text));
    return;
  }
  QWidget* widget = widgets_[Index(role)];
  if (auto* box = qobject_cast<QLineEdit*>(widget)) {
    box->setText(FromUtf8(text));
    return;
  }
  std::string& last = texts_[Index(role)];
  if (last == text) return;
  last.assign(text);
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(FromUtf8(text));
}

std::string_view WidgetView::Text(Role role) {
  if (role == Role::Caption) {
    scratch_ = window_.windowTitle().toStdString();
    return scratch_;
  }
  if (auto* box = qobject_cast<QLineEdit*>(widgets_[Index(role)])) {
    scratch_ = box->text().toStdString();
    return scratch_;
  }
  return texts_[Index(role)];
}

void WidgetView::ReleaseFocus(QWidget& widget) {
  if (window_.focusWidget() != &widget) return;
  // Along the tab order the focus would land on the next button that takes it, often the
  // return button, and the pupil's next Enter would press it (time up closing the box or the
  // start button under the pupil's fingers). It goes on only to the open input box, as Start
  // hands it the keys; otherwise no control has it until the engine or a Tab moves it.
  QWidget* entry = widgets_[Index(Role::Entry)];
  if (entry && entry != &widget && entry->isEnabled() && entry->isVisible()) {
    entry->setFocus(Qt::TabFocusReason);
  } else {
    widget.clearFocus();
  }
}

void WidgetView::SetEnabled(Role role, bool enabled) {
  QWidget* widget = widgets_[Index(role)];
  if (!widget) return;
  if (!enabled) ReleaseFocus(*widget);
  widget->setEnabled(enabled);
}

void WidgetView::SetVisible(Role role, bool visible) {
  QWidget* widget = widgets_[Index(role)];
  if (!widget) return;
  if (!visible) ReleaseFocus(*widget);
  widget->setVisible(visible);
}

void WidgetView::Focus(Role role) {
  if (QWidget* widget = widgets_[Index(role)]) widget->setFocus(Qt::OtherFocusReason);
}

void WidgetView::SetTicking(bool ticking) {
  ticks_.SetTicking(ticking);
}

}  // namespace numora
