// SPDX-License-Identifier: GPL-3.0-or-later
#include "endurance/form9.h"

#include "challenges/control_builders.h"
#include "platform/design_label.h"

namespace numora {

namespace {

const HeaderLayout kHeader{
    .Title = {480, 240, 6945, 975},
    .Level = {7200, -960, 2895, 4575},
    .Name = {10200, 360, 4935, 795},
    .NameOnWhite = true,
    .School = {11280, 3360, 3975, 495},
    .Message = {4800, 4080, 8055, 615},
    .Rule = {3000, 9000, 11415, 855},
    .RulePoints = 24,
};

const TimeRowsLayout kTimeRows{
    .Minutes = {0, 1440, 915, 1200},
    .Colon = {915, 1440, 645, 1200},
    .Seconds = {1440, 1440, 2715, 1200},
    .Point = {4260, 1440, 540, 1200},
    .Hundredths = {4920, 1440, 1395, 1200},
    .LowerSeconds = {1545, 2760, 2595, 1200},
    .LowerPoint = {4260, 2760, 540, 1200},
    .LowerHundredths = {4920, 2760, 1395, 1200},
    .SecondsText = "0999",
    .LowerSecondsText = "0",
};

// The best-result block as designed.
// clang-format off
const BestLabelDesign kBestLabels[] = {
    {"Label5", "最好成绩", {10200, 1560, 1815, 495}, {.Points = 21.75}},
    {"Label6", "9999", {12120, 1320, 2055, 855}, {.Points = 42, .Align = Qt::AlignHCenter, .OnWhite = true, .Framed = true}},
    {"Label18", "数字", {14160, 1560, 975, 615}, {.Points = 21.75, .Align = Qt::AlignRight}},
    {"Label20", "持续时长", {10200, 2520, 1815, 495}, {.Points = 21.75}},
    {"Label21", "8888", {12120, 2400, 1095, 615}, {.Points = 24, .Align = Qt::AlignRight, .OnWhite = true, .Framed = true}},
    {"Label24", ".", {13260, 2437, 240, 540}, {.Points = 24, .Align = Qt::AlignHCenter, .OnWhite = true}},
    {"Label23", "88", {13530, 2400, 645, 615}, {.Points = 24, .Align = Qt::AlignHCenter, .OnWhite = true, .Framed = true}},
    {"Label22", "秒", {14160, 2520, 495, 615}, {.Points = 21.75, .Align = Qt::AlignRight}},
};
// clang-format on

constexpr RoleControl kOwnRoles[] = {
    {Role::Best, "Label6"}, {Role::BestSeconds, "Label21"}, {Role::BestHundredths, "Label23"}};

}  // namespace

const std::span<const RoleControl> Form9::kRoles = kOwnRoles;

Form9::Form9(EnduranceEngine& engine, QWidget* parent) : OpenFrame(engine, kHeader, parent) {
  setObjectName(QStringLiteral("Form9"));
  // How long the run has lasted (its minutes and colon stay empty), then the time since the
  // latest key or start.
  const TimeRows rows = AddTimeRows(*this, kTimeRows);
  // Four digits, as the design's face set them in this width.
  platform::FitTextWidth(rows.Seconds, QStringLiteral("8888"), rows.Seconds->width());

  // The best count, then the time of that run.
  AddBestLabels(*this, kBestLabels);
}

}  // namespace numora
