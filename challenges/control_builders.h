// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The builders of the controls a challenge window is made of, each placed in twips and named as
// in the layout, and the roles that the controls every challenge window has play.

#include <QColor>
#include <QFont>
#include <QString>
#include <array>
#include <span>

#include "challenges/widget_view.h"
#include "platform/layout.h"

class QLabel;
class QPixmap;
class QPushButton;
class QWidget;

namespace numora::platform {
class DesignLabel;
class NumberBox;
}  // namespace numora::platform

namespace numora {

// Where the header and the message line of a screen stand: the same labels in the same faces on
// every challenge screen.
struct HeaderLayout {
  platform::TwipRect Title;    // Label7
  platform::TwipRect Level;    // Label3
  platform::TwipRect Name;     // Label8
  bool NameOnWhite;            // the name on white in a frame
  platform::TwipRect School;   // Label12
  platform::TwipRect Message;  // Label1
  platform::TwipRect Rule;     // Label19
  double RulePoints;
};

// Where the three buttons stand.
struct ButtonLayout {
  platform::TwipRect PlayAgain;  // Command3
  platform::TwipRect Start;      // Command1
  platform::TwipRect Return;     // Command2
};

// Where the two large time rows stand: minutes, seconds and hundredths above, seconds and
// hundredths below.
struct TimeRowsLayout {
  platform::TwipRect Minutes;          // Label15
  platform::TwipRect Colon;            // Label17
  platform::TwipRect Seconds;          // Label14
  platform::TwipRect Point;            // Label16
  platform::TwipRect Hundredths;       // Label13
  platform::TwipRect LowerSeconds;     // Label2
  platform::TwipRect LowerPoint;       // Label10
  platform::TwipRect LowerHundredths;  // Label11
  // What the seconds fields show before the engine writes them.
  const char* SecondsText = "00";
  const char* LowerSecondsText = "00";
};

// The roles of the controls that AddHeader, AddButtons, AddEntry, AddLastNumber, AddMark and
// AddTimeRows build, by the names they give them.
extern const std::array<RoleControl, 17> kFrameRoles;

// A label in one of the design's faces, its text set as designed (see platform::DesignLabel).
struct LabelStyle {
  platform::Face Typeface;
  double Points;
  int Weight = 400;
  QColor Text = QColor();  // invalid: the default text colour
  Qt::Alignment Align = Qt::AlignLeft | Qt::AlignTop;
  QColor Background = QColor();  // invalid: transparent
  bool Framed = false;           // a frame in the text colour
};
platform::DesignLabel* AddLabel(QWidget& window, const char* name, const QString& text,
                                const platform::TwipRect& rect, const LabelStyle& style);
// A picture drawn by `draw` at the side it is shown at, in device pixels, so that it stays sharp
// when the window scales and on high-density screens.
using DrawPicture = QPixmap (*)(int side);
QLabel* AddPicture(QWidget& window, const char* name, DrawPicture draw,
                   const platform::TwipRect& rect);
// Draws every picture of the window again at the size it now has.
void DrawPictures(QWidget& window);

// The title, level, name, school, message and rule labels.
void AddHeader(QWidget& window, const HeaderLayout& layout);
// Play again, Start and Return.
struct Buttons {
  QPushButton* PlayAgain;
  QPushButton* Start;
  QPushButton* Return;
};
Buttons AddButtons(QWidget& window, const ButtonLayout& layout);
// The input box Text1: red digits, right-aligned, SimHei bold.
platform::NumberBox* AddEntry(QWidget& window, const platform::TwipRect& rect, double points);
// The last accepted number Label4: blue, right-aligned, SimHei bold.
platform::DesignLabel* AddLastNumber(QWidget& window, const platform::TwipRect& rect,
                                     double points);
// The mark Label9, element 10 of a control array: a red tick or cross.
platform::DesignLabel* AddMark(QWidget& window, const platform::TwipRect& rect);

// The two time rows: fields in SimHei 60 pt bold, right-aligned, in the default colour, with
// ":" and "." between them in SimSun 60 pt bold.
struct TimeRows {
  platform::DesignLabel* Minutes;
  platform::DesignLabel* Seconds;
  platform::DesignLabel* Hundredths;
  platform::DesignLabel* LowerSeconds;
  platform::DesignLabel* LowerHundredths;
};
TimeRows AddTimeRows(QWidget& window, const TimeRowsLayout& layout);

// A label of the best-result block: SimSun in dark blue.
struct BestStyle {
  double Points;
  int Weight = 400;
  Qt::Alignment Align = Qt::AlignLeft;
  bool OnWhite = false;
  bool Framed = false;
};
// One label of the block as designed: its name, first text, place and style.
struct BestLabelDesign {
  const char* Name;
  const char* Text;
  platform::TwipRect Rect;
  BestStyle Style;
};
void AddBestLabels(QWidget& window, std::span<const BestLabelDesign> labels);

}  // namespace numora
