// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/start_layout.h"

#include "platform/design_label.h"

namespace numora::start_layout {

using platform::DesignLabel;
using platform::Face;
using platform::TwipRect;

namespace {

// A row names only what differs from the screen's plain text: 24-point SimSun, black, left.
struct LabelDesign {
  const char* Name;
  const char* Text;
  TwipRect Rect;
  Face Typeface = Face::SimSun;
  double Points = 24;
  int Weight = 400;
  QColor Color = Qt::black;
  Qt::Alignment Align = kLeft;
};

// The labels as designed, before the load sets their run-time texts. Level buttons, the level
// display and the links have extra parts and are made apart.
// clang-format off
const LabelDesign kLabels[] = {
    {.Name = "lblTitle", .Text = "D i g o r a", .Rect = {2040, 360, 9885, 1185}, .Typeface = Face::SimHei, .Points = 48, .Weight = 700, .Color = platform::kRed, .Align = kCentre},
    {.Name = "Label23", .Text = "(第三版)", .Rect = {11520, 840, 2055, 615}, .Typeface = Face::SimHei, .Points = 21.75, .Weight = 700, .Color = platform::kRed},
    {.Name = "Label5", .Text = "注意力和数字键盘输入专项训练", .Rect = {3390, 1680, 7995, 615}, .Typeface = Face::SimHei, .Weight = 700, .Color = platform::kBlue, .Align = kCentreTop},
    {.Name = "Label2", .Text = "选择级别 ", .Rect = {1320, 3120, 1200, 1200}, .Points = 26.25},
    {.Name = "Label6", .Text = "姓名", .Rect = {10560, 2760, 3600, 600}},
    {.Name = "Label22", .Text = "姓名", .Rect = {10200, 4380, 1200, 600}},
    {.Name = "Label7", .Text = "姓名", .Rect = {11640, 4440, 2235, 600}, .Color = platform::kDarkBlue, .Align = kCentreTop},
    {.Name = "Label8", .Text = "学校", .Rect = {10200, 5280, 1200, 600}},
    {.Name = "Label10", .Text = "Tessaly学校", .Rect = {11520, 5280, 3000, 1080}, .Color = platform::kDarkBlue, .Align = kCentreTop},
    {.Name = "Label25", .Text = "游戏规则:", .Rect = {2520, 7560, 10935, 615}, .Typeface = Face::SimHei, .Points = 21.75, .Weight = 700, .Color = platform::kDarkBlue, .Align = kCentre},
    {.Name = "Label11", .Text = "策划", .Rect = {2880, 8640, 4005, 405}, .Points = 21.75},
    {.Name = "Label12", .Text = "制作", .Rect = {2880, 9300, 4005, 405}, .Points = 21.75},
    {.Name = "Label4", .Text = "2018-8-18", .Rect = {5040, 9960, 4815, 495}, .Points = 15.75, .Align = kCentreTop},
};
// clang-format on

}  // namespace

void AddDesignedLabels(QWidget* parent) {
  for (const LabelDesign& design : kLabels) {
    MakeLabel(parent, design.Name, QString::fromUtf8(design.Text), design.Rect, design.Typeface,
              platform::MakeFont(design.Typeface, design.Points, design.Weight), design.Color,
              design.Align);
  }
}

DesignLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const TwipRect& rect,
                       Face face, const QFont& font, const QColor& color, Qt::Alignment align) {
  auto* label = new DesignLabel(text, face, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  label->setAlignment(align);
  // Captions too long for their label go on to the next line.
  label->setWordWrap(true);
  platform::SetColors(label, color);
  platform::Place(label, rect);
  return label;
}

}  // namespace numora::start_layout
