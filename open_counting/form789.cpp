// SPDX-License-Identifier: GPL-3.0-or-later
#include "open_counting/form789.h"

#include "challenges/control_builders.h"
#include "platform/design_label.h"

namespace numora {

namespace {

const HeaderLayout kHeader{
    .Title = {1200, 240, 6945, 975},
    .Level = {8280, -1080, 2895, 4575},
    .Name = {11280, 360, 3855, 796},
    .NameOnWhite = false,
    .School = {11280, 3480, 3975, 735},
    .Message = {3000, 4080, 8775, 615},
    .Rule = {3960, 9000, 9615, 855},
    .RulePoints = 26.25,
};

const TimeRowsLayout kTimeRows{
    .Minutes = {240, 1440, 2355, 1200},
    .Colon = {2715, 1440, 645, 1200},
    .Seconds = {3480, 1440, 1395, 1200},
    .Point = {4980, 1440, 540, 1200},
    .Hundredths = {5640, 1440, 1395, 1200},
    .LowerSeconds = {2265, 2760, 2595, 1200},
    .LowerPoint = {4980, 2760, 540, 1200},
    .LowerHundredths = {5640, 2760, 1395, 1200},
};

// The best-result block as designed.
// clang-format off
const BestLabelDesign kBestLabels[] = {
    {"Label5", "最好成绩", {11880, 1560, 2535, 615}, {.Points = 26.25}},
    {"Label6", "123.45", {11520, 2400, 2775, 975}, {.Points = 42, .Align = Qt::AlignRight}},
    {"Label18", "位", {14280, 2520, 855, 735}, {.Points = 36, .Align = Qt::AlignRight}},
};
// clang-format on

constexpr RoleControl kOwnRoles[] = {{Role::Best, "Label6"}};

}  // namespace

const std::span<const RoleControl> Form789::kRoles = kOwnRoles;

Form789::Form789(OpenCountingEngine& engine, QWidget* parent) : OpenFrame(engine, kHeader, parent) {
  setObjectName(QStringLiteral("Form789"));
  // The time left of the level's limit, then the time since the latest start.
  AddTimeRows(*this, kTimeRows);
  AddBestLabels(*this, kBestLabels);
}

}  // namespace numora
