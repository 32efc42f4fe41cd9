// SPDX-License-Identifier: GPL-3.0-or-later
#include "counting/form1.h"

#include <QLabel>
#include <QPushButton>

#include "challenges/art.h"
#include "challenges/control_builders.h"
#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora {

namespace {

using platform::DesignLabel;
using platform::TwipRect;

const HeaderLayout kHeader{
    .Title = {1200, 240, 6945, 975},
    .Level = {8280, -1200, 2895, 4575},
    .Name = {11280, 360, 3855, 796},
    .NameOnWhite = false,
    .School = {11280, 3240, 3975, 495},
    .Message = {3000, 3840, 8775, 615},
    .Rule = {3360, 9360, 10215, 735},
    .RulePoints = 21.75,
};
constexpr ButtonLayout kButtons{
    .PlayAgain = {12480, 4680, 1984, 597},
    .Start = {12480, 5520, 1984, 597},
    .Return = {120, 9360, 1984, 597},
};
const TimeRowsLayout kTimeRows{
    .Minutes = {2280, 1440, 1395, 1200},
    .Colon = {3795, 1440, 645, 1200},
    .Seconds = {4560, 1440, 1395, 1200},
    .Point = {6060, 1440, 540, 1200},
    .Hundredths = {6720, 1440, 1395, 1200},
    .LowerSeconds = {3345, 2640, 2595, 1200},
    .LowerPoint = {6060, 2640, 540, 1200},
    .LowerHundredths = {6720, 2640, 1395, 1200},
};
constexpr TwipRect kEntryBox{4800, 4560, 6975, 4575};
constexpr TwipRect kLastNumber{720, 5280, 3855, 2565};
constexpr TwipRect kMark{11760, 6840, 1695, 1695};
constexpr TwipRect kPicture{120, 4560, 4575, 4575};

// The best-result block as designed.
// clang-format off
const BestLabelDesign kBestLabels[] = {
    {"Label5", "最好成绩", {11760, 1440, 3135, 615}, {.Points = 26.25}},
    {"Label6", "123.45", {11520, 2160, 2655, 855}, {.Points = 42, .Align = Qt::AlignRight}},
    {"Label18", "秒", {14280, 2280, 855, 735}, {.Points = 36, .Align = Qt::AlignRight}},
};
// clang-format on

constexpr RoleControl kOwnRoles[] = {{Role::Best, "Label6"}, {Role::Picture, "Picture1"}};

}  // namespace

const std::span<const RoleControl> Form1::kRoles = kOwnRoles;

Form1::Form1(CountingEngine& engine, QWidget* parent) : ChallengeWindow(engine, parent) {
  setObjectName(QStringLiteral("Form1"));
  AddHeader(*this, kHeader);
  // The numbers keep the design's half-em digits, so that three of them fit the box and the
  // last-number label whole.
  platform::NumberBox* box = AddEntry(*this, kEntryBox, 219.75);
  platform::FitDesignDigits(box);
  const Buttons buttons = AddButtons(*this, kButtons);
  platform::FitDesignDigits(AddLastNumber(*this, kLastNumber, 120));
  AddMark(*this, kMark);

  // The time left of the level's limit, then the time since the start.
  const TimeRows rows = AddTimeRows(*this, kTimeRows);
  for (DesignLabel* field :
       {rows.Minutes, rows.Seconds, rows.Hundredths, rows.LowerSeconds, rows.LowerHundredths}) {
    platform::FitDesignDigits(field);
  }

  AddBestLabels(*this, kBestLabels);

  QLabel* picture = AddPicture(*this, "Picture1", &RewardPicture, kPicture);
  // When shown, the picture covers the last-number label beneath it.
  picture->raise();

  SetTabOrder({buttons.Start, box, buttons.PlayAgain, buttons.Return});
  buttons.Start->setFocus(Qt::OtherFocusReason);
}

}  // namespace numora
