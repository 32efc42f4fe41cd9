#include "counting/form1.h"

#include <QLabel>
#include <QPushButton>
#include <utility>

#include "platform/art.h"
#include "platform/clock.h"
#include "platform/design_label.h"
#include "platform/number_box.h"

namespace numora {

namespace {

using platform::Face;
using platform::TwipRect;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;
constexpr int kNormal = 400;
constexpr int kBold = 700;
constexpr int kBlack = 900;

struct LabelDesign {
  const char* name;
  const char* text;
  TwipRect rect;
  Face face;
  double points;
  int weight;
  QColor color;  // invalid: the default text colour
  Qt::Alignment align;
  // A number field: its digits keep the design's half-em width, so that three of them fit the
  // input box and the last-number label whole.
  bool digits;
};

}  // namespace

Form1::Form1(CountingEngine& engine, const Pupil& pupil, QWidget* parent)
    : ChallengeWindow(engine, parent) {
  const QColor none;
  const QColor& red = platform::kRed;
  const QColor& blue = platform::kBlue;
  const QColor& darkBlue = platform::kDarkBlue;
  // clang-format off
  const LabelDesign labels[] = {
      {"Label7",  "Digora",  {1200, 240, 6945, 975},    Face::SimHei,     48,     kBold,  red,      kCentre, false},
      {"Label3",  "9",       {8280, -1200, 2895, 4575}, Face::ArialBlack, 200.25, kBlack, red,      kLeft,   false},
      {"Label8",  "小明",    {11280, 360, 3855, 796},   Face::SimHei,     36,     kBold,  darkBlue, kCentre, false},
      {"Label15", "7",       {2280, 1440, 1395, 1200},  Face::SimHei,     60,     kBold,  none,     kRight,  true},
      {"Label17", ":",       {3795, 1440, 645, 1200},   Face::SimSun,     60,     kBold,  none,     kLeft,   false},
      {"Label14", "00",      {4560, 1440, 1395, 1200},  Face::SimHei,     60,     kBold,  none,     kRight,  true},
      {"Label16", ".",       {6060, 1440, 540, 1200},   Face::SimSun,     60,     kBold,  none,     kLeft,   false},
      {"Label13", "00",      {6720, 1440, 1395, 1200},  Face::SimHei,     60,     kBold,  none,     kRight,  true},
      {"Label5",  "最好成绩", {11760, 1440, 3135, 615},  Face::SimSun,     26.25,  kNormal, darkBlue, kLeft,  false},
      {"Label6",  "123.45",  {11520, 2160, 2655, 855},  Face::SimSun,     42,     kNormal, darkBlue, kRight, false},
      {"Label18", "秒",      {14280, 2280, 855, 735},   Face::SimSun,     36,     kNormal, darkBlue, kRight, false},
      {"Label2",  "00",      {3345, 2640, 2595, 1200},  Face::SimHei,     60,     kBold,  none,     kRight,  true},
      {"Label10", ".",       {6060, 2640, 540, 1200},   Face::SimSun,     60,     kBold,  none,     kLeft,   false},
      {"Label11", "00",      {6720, 2640, 1395, 1200},  Face::SimHei,     60,     kBold,  none,     kRight,  true},
      {"Label12", "Tessaly学校小学部", {11280, 3240, 3975, 495}, Face::SimSun, 26.25, kNormal, darkBlue, kCentre, false},
      {"Label1",  "Label1",  {3000, 3840, 8775, 615},   Face::SimHei,     24,     kBold,  red,      kCentre, false},
      {"Label4",  "789",     {720, 5280, 3855, 2565},   Face::SimHei,     120,    kBold,  blue,     kRight,  true},
      {"Label9",  "√",       {11760, 6840, 1695, 1695}, Face::SimHei,     99.75,  kBold,  red,      kRight,  false},
      {"Label19", "123.45",  {3360, 9360, 10215, 735},  Face::SimHei,     21.75,  kBold,  darkBlue, kCentre, false},
  };
  // clang-format on
  for (const LabelDesign& d : labels) {
    auto* label = new platform::DesignLabel(QString::fromUtf8(d.text), d.face, this);
    label->setObjectName(QString::fromLatin1(d.name));
    label->setFont(platform::MakeFont(d.face, d.points, d.weight));
    if (d.digits) platform::FitDesignDigits(label);
    label->setAlignment(d.align);
    if (d.color.isValid()) platform::SetColors(label, d.color);
    platform::Place(label, d.rect);
  }
  auto label = [this](const char* name) { return findChild<QLabel*>(QString::fromLatin1(name)); };
  // Label9 is the one element, index 10, of a control array.
  QLabel* mark = label("Label9");
  mark->setProperty("index", 10);

  const TwipRect pictureRect{120, 4560, 4575, 4575};
  QLabel* picture = AddPicture(
      "Picture1", platform::RewardPicture(platform::ToPixels(pictureRect).width()), pictureRect);
  // When shown, the picture covers the last-number label beneath it.
  picture->raise();

  platform::NumberBox* box =
      AddNumberBox("Text1", QStringLiteral("789"), {4800, 4560, 6975, 4575},
                   platform::MakeFont(Face::SimHei, 219.75, kBold), platform::kRed, Qt::AlignRight);
  platform::FitDesignDigits(box);
  const QFont buttonFont = platform::MakeFont(Face::SimSun, 21.75, kBold);
  QPushButton* again =
      AddButton("Command3", QStringLiteral("再玩一次"), {12480, 4680, 1984, 597}, buttonFont);
  QPushButton* start =
      AddButton("Command1", QStringLiteral("开 始"), {12480, 5520, 1984, 597}, buttonFont);
  QPushButton* back =
      AddButton("Command2", QStringLiteral("返 回"), {120, 9360, 1984, 597}, buttonFont);

  // clang-format off
  const std::pair<Ctl, const char*> written[] = {
      {Ctl::Label1, "Label1"},   {Ctl::Label2, "Label2"},   {Ctl::Label3, "Label3"},
      {Ctl::Label4, "Label4"},   {Ctl::Label6, "Label6"},   {Ctl::Label8, "Label8"},
      {Ctl::Label11, "Label11"}, {Ctl::Label12, "Label12"}, {Ctl::Label13, "Label13"},
      {Ctl::Label14, "Label14"}, {Ctl::Label15, "Label15"}, {Ctl::Label19, "Label19"},
  };
  // clang-format on
  for (const auto& [control, name] : written) Bind(control, label(name));
  Bind(Ctl::Mark, mark);
  Bind(Ctl::Picture1, picture);
  Bind(Ctl::Text1, box);
  Bind(Ctl::Command1, start);
  Bind(Ctl::Command3, again);

  SetTabOrder({start, box, again, back});
  start->setFocus(Qt::OtherFocusReason);
  Open(pupil, QStringLiteral("Numora"));
}

void ShowForm1(const Pupil& pupil, QWidget* parent) {
  // The engine, and with it the best result, lives for the whole program; the window for one
  // visit.
  static CountingEngine engine(platform::AppClock());
  Form1 window(engine, pupil, parent);
  window.exec();
}

}  // namespace numora
