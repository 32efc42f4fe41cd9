// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Push buttons of a fixed layout, and Enter on them. A button never presses itself on Enter (no
// auto-default): a dialog would keep a default button of its own, press it on an Enter no
// button had, and draw the focused one as default. The window presses the focused button
// instead, the same way in every window.

#include <QFont>
#include <QString>

#include "platform/layout.h"

class QKeyEvent;
class QPushButton;
class QWidget;

namespace numora::platform {

QPushButton* AddButton(QWidget& parent, const char* name, const QString& text, const TwipRect& rect,
                       const QFont& font);

// For a window's key handler: Enter, on the main keys or the number pad, presses the window's
// focused button when it is enabled and shown, as the space bar does. True when the key was
// Enter, which is then used up whether a button took it or not.
bool PressFocusedButton(QWidget& window, const QKeyEvent& event);

}  // namespace numora::platform
