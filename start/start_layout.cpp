// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/start_layout.h"

#include <QPushButton>

#include "platform/design_label.h"

namespace numora::start_layout {

using platform::DesignLabel;
using platform::Face;
using platform::TwipRect;

namespace {

struct LabelDesign {
  const char* Name;
  const char* Text;
  TwipRect Rect;
  Face Typeface;
  double Points;
  int Weight;
  QColor Color;
  Qt::Alignment Align;
};

// The labels as designed, before the load sets their run-time texts. Level buttons, the level
// display and the links have extra parts and are made apart.
// clang-format off
const LabelDesign kLabels[] = {
    {"lblTitle", "D i g o r a", {2040, 360, 9885, 1185}, Face::SimHei, 48, 700, platform::kRed, kCentre},
    {"Label23", "(第三版)", {11520, 840, 2055, 615}, Face::SimHei, 21.75, 700, platform::kRed, kLeft},
    {"Label5", "注意力和数字键盘输入专项训练", {3390, 1680, 7995, 615}, Face::SimHei, 24, 700, platform::kBlue, kCentreTop},
    {"Label2", "选择级别 ", {1320, 3120, 1200, 1200}, Face::SimSun, 26.25, 400, Qt::black, kLeft},
    {"Label6", "姓名", {10560, 2760, 3600, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label22", "姓名", {10200, 4380, 1200, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label7", "姓名", {11640, 4440, 2235, 600}, Face::SimSun, 24, 400, platform::kDarkBlue, kCentreTop},
    {"Label8", "学校", {10200, 5280, 1200, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label10", "Tessaly学校", {11520, 5280, 3000, 1080}, Face::SimSun, 24, 400, platform::kDarkBlue, kCentreTop},
    {"Label25", "游戏规则:", {2520, 7560, 10935, 615}, Face::SimHei, 21.75, 700, platform::kDarkBlue, kCentre},
    {"Label11", "策划", {2880, 8640, 4005, 405}, Face::SimSun, 21.75, 400, Qt::black, kLeft},
    {"Label12", "制作", {2880, 9300, 4005, 405}, Face::SimSun, 21.75, 400, Qt::black, kLeft},
    {"Label4", "2018-8-18", {5040, 9960, 4815, 495}, Face::SimSun, 15.75, 400, Qt::black, kCentreTop},
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

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const TwipRect& rect) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setFont(platform::MakeFont(Face::SimHei, 18));
  // Enter on a focused button presses it, as the space bar does.
  button->setAutoDefault(true);
  platform::Place(button, rect);
  return button;
}

}  // namespace numora::start_layout
