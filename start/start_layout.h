// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start screen as laid out: its client area, the labels whose captions the load leaves as
// designed, the grid of level buttons, and the makers of its labels and buttons.

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/layout.h"

class QPushButton;
class QWidget;

namespace numora::platform {
class DesignLabel;
}

namespace numora::start_layout {

inline constexpr platform::TwipRect kClientArea{0, 0, 15240, 10995};

inline const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
inline const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
inline const Qt::Alignment kCentreTop = Qt::AlignHCenter | Qt::AlignTop;

// Level buttons: a 3 x 3 grid, levels 1 to 9 row by row, Label13 to Label21.
inline constexpr int kGridColumns[] = {1320, 2520, 3720};
inline constexpr int kGridRows[] = {4800, 5700, 6600};
inline constexpr int kLevelButtonWidth = 855;
inline constexpr int kLevelButtonHeight = 795;
inline constexpr int kFirstLevelButton = 13;

// Makes every label whose caption stays as designed.
void AddDesignedLabels(QWidget* parent);

// A label of the start screen: captions too long for it go on to the next line.
platform::DesignLabel* MakeLabel(QWidget* parent, const char* name, const QString& text,
                                 const platform::TwipRect& rect, platform::Face face,
                                 const QFont& font, const QColor& color, Qt::Alignment align);
// A button of the start screen in SimHei 18 pt; Enter presses it when it has the focus.
QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const platform::TwipRect& rect);

}  // namespace numora::start_layout
