// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start screen as laid out: its client area, the labels whose captions the load leaves as
// designed, the places of the other controls, the grid of level buttons, and the maker of its
// labels.

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/layout.h"

class QWidget;

namespace numora::platform {
class DesignLabel;
}

namespace numora::start_layout {

inline constexpr platform::TwipRect kClientArea{0, 0, 15240, 10995};

inline const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
inline const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
inline const Qt::Alignment kCentreTop = Qt::AlignHCenter | Qt::AlignTop;

// The controls with parts of their own, each where the design puts it.
inline constexpr platform::TwipRect kLevelDisplay{3000, 2400, 1575, 2175};  // Label9
inline constexpr platform::TwipRect kSecondLink{7440, 8640, 4995, 495};     // Label3
inline constexpr platform::TwipRect kSiteLink{7440, 9360, 4995, 495};       // Label1
inline constexpr platform::TwipRect kPicture{5400, 2760, 4560, 4560};       // picIcon
inline constexpr platform::TwipRect kRule{1320, 8400, 14280 - 1320, 15};    // Line1
inline constexpr platform::TwipRect kEntry{10560, 3360, 3600, 960};         // Text1
// The buttons lie over the name and school lines (empty whenever the pupil sees them).
inline constexpr platform::TwipRect kEnterButton{12120, 5760, 2000, 600};  // Command0
inline constexpr platform::TwipRect kExitButton{12120, 6720, 2000, 600};   // Command1

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

}  // namespace numora::start_layout
