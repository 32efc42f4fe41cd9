#include "counting/form1.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cstring>
#include <iterator>

#include "platform/art.h"
#include "platform/clock.h"
#include "platform/number_box.h"

namespace numora {

namespace {

using platform::Face;
using platform::TwipRect;

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;
constexpr int kBold = 700;
constexpr int kBlack = 900;

// How far above the baseline the design's faces reach, in ems: SimSun and SimHei 220/256,
// Arial Black 2254/2048, Arial 1854/2048.
double DesignAscent(Face face) {
  switch (face) {
    case Face::SimSun:
    case Face::SimHei:
      return 220.0 / 256.0;
    case Face::ArialBlack:
      return 2254.0 / 2048.0;
    case Face::Arial:
      return 1854.0 / 2048.0;
  }
  return 1.0;
}

// A label that puts its one line's baseline where the design's face puts it. The installed faces
// reach higher above the baseline than the design's and have taller lines than the boxes were
// drawn for, which would push the large digits down and out of their boxes.
class DesignLabel : public QLabel {
 public:
  DesignLabel(const QString& text, Face face, QWidget* parent)
      : QLabel(text, parent), face_(face) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    const QFontMetricsF metrics(font(), this);
    const QString line = text();
    const double free = width() - metrics.horizontalAdvance(line);
    double x = 0;
    if (alignment() & Qt::AlignRight) x = free;
    if (alignment() & Qt::AlignHCenter) x = free / 2;
    const double em = font().pointSizeF() * logicalDpiY() / 72.0;
    double baseline = DesignAscent(face_) * em;
    // The installed faces' descenders reach lower: lift the line just enough to keep them in.
    const QRectF ink = metrics.tightBoundingRect(line);
    if (baseline + ink.bottom() > height()) {
      baseline = std::max(height() - ink.bottom(), -ink.top());
    }
    painter.drawText(QPointF(x, baseline), line);
  }

 private:
  Face face_;
};

// The design's digits are half an em wide; the installed face's are wider, which would cut the
// first digit of a three-digit number off the input box and the last-number label. Narrows the
// font to the design's digit width.
QFont WithDesignDigits(QFont font, const QWidget* window) {
  const double em = font.pointSizeF() * window->logicalDpiY() / 72.0;
  const double digit = QFontMetricsF(font, window).horizontalAdvance(QLatin1Char('0'));
  if (digit > em / 2) font.setStretch(qRound(100 * em / 2 / digit));
  return font;
}

// The fields whose digits must keep the design's width.
constexpr const char* kDigitFields[] = {"Label15", "Label14", "Label13",
                                        "Label2",  "Label11", "Label4"};

struct LabelDesign {
  const char* name;
  const char* text;
  TwipRect rect;
  Face face;
  double points;
  int weight;
  QColor color;  // invalid: the default text colour
  Qt::Alignment align;
};

}  // namespace

Form1::Form1(CountingEngine& engine, const Pupil& pupil, QWidget* parent)
    : ChallengeWindow(engine, parent) {
  const QColor normal;
  const LabelDesign labels[] = {
      {"Label7",
       "Digora",
       {1200, 240, 6945, 975},
       Face::SimHei,
       48,
       kBold,
       platform::kRed,
       kCentre},
      {"Label3",
       "9",
       {8280, -1200, 2895, 4575},
       Face::ArialBlack,
       200.25,
       kBlack,
       platform::kRed,
       kLeft},
      {"Label8",
       "小明",
       {11280, 360, 3855, 796},
       Face::SimHei,
       36,
       kBold,
       platform::kDarkBlue,
       kCentre},
      {"Label15", "7", {2280, 1440, 1395, 1200}, Face::SimHei, 60, kBold, normal, kRight},
      {"Label17", ":", {3795, 1440, 645, 1200}, Face::SimSun, 60, kBold, normal, kLeft},
      {"Label14", "00", {4560, 1440, 1395, 1200}, Face::SimHei, 60, kBold, normal, kRight},
      {"Label16", ".", {6060, 1440, 540, 1200}, Face::SimSun, 60, kBold, normal, kLeft},
      {"Label13", "00", {6720, 1440, 1395, 1200}, Face::SimHei, 60, kBold, normal, kRight},
      {"Label5",
       "最好成绩",
       {11760, 1440, 3135, 615},
       Face::SimSun,
       26.25,
       400,
       platform::kDarkBlue,
       kLeft},
      {"Label6",
       "123.45",
       {11520, 2160, 2655, 855},
       Face::SimSun,
       42,
       400,
       platform::kDarkBlue,
       kRight},
      {"Label18",
       "秒",
       {14280, 2280, 855, 735},
       Face::SimSun,
       36,
       400,
       platform::kDarkBlue,
       kRight},
      {"Label2", "00", {3345, 2640, 2595, 1200}, Face::SimHei, 60, kBold, normal, kRight},
      {"Label10", ".", {6060, 2640, 540, 1200}, Face::SimSun, 60, kBold, normal, kLeft},
      {"Label11", "00", {6720, 2640, 1395, 1200}, Face::SimHei, 60, kBold, normal, kRight},
      {"Label12",
       "Tessaly学校小学部",
       {11280, 3240, 3975, 495},
       Face::SimSun,
       26.25,
       400,
       platform::kDarkBlue,
       kCentre},
      {"Label1",
       "Label1",
       {3000, 3840, 8775, 615},
       Face::SimHei,
       24,
       kBold,
       platform::kRed,
       kCentre},
      {"Label4", "789", {720, 5280, 3855, 2565}, Face::SimHei, 120, kBold, platform::kBlue, kRight},
      {"Label9",
       "√",
       {11760, 6840, 1695, 1695},
       Face::SimHei,
       99.75,
       kBold,
       platform::kRed,
       kRight},
      {"Label19",
       "123.45",
       {3360, 9360, 10215, 735},
       Face::SimHei,
       21.75,
       kBold,
       platform::kDarkBlue,
       kCentre},
  };
  for (const LabelDesign& d : labels) {
    auto* label = new DesignLabel(QString::fromUtf8(d.text), d.face, this);
    label->setObjectName(QString::fromLatin1(d.name));
    QFont font = platform::MakeFont(d.face, d.points, d.weight);
    if (std::find_if(std::begin(kDigitFields), std::end(kDigitFields), [&](const char* name) {
          return std::strcmp(name, d.name) == 0;
        }) != std::end(kDigitFields)) {
      font = WithDesignDigits(font, this);
    }
    label->setFont(font);
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
                   WithDesignDigits(platform::MakeFont(Face::SimHei, 219.75, kBold), this),
                   platform::kRed, Qt::AlignRight);
  const QFont buttonFont = platform::MakeFont(Face::SimSun, 21.75, kBold);
  QPushButton* again =
      AddButton("Command3", QStringLiteral("再玩一次"), {12480, 4680, 1984, 597}, buttonFont);
  QPushButton* start =
      AddButton("Command1", QStringLiteral("开 始"), {12480, 5520, 1984, 597}, buttonFont);
  QPushButton* back =
      AddButton("Command2", QStringLiteral("返 回"), {120, 9360, 1984, 597}, buttonFont);

  const struct {
    Ctl control;
    QWidget* widget;
  } bindings[] = {
      {Ctl::Label1, label("Label1")},
      {Ctl::Label2, label("Label2")},
      {Ctl::Label3, label("Label3")},
      {Ctl::Label4, label("Label4")},
      {Ctl::Label6, label("Label6")},
      {Ctl::Label8, label("Label8")},
      {Ctl::Label11, label("Label11")},
      {Ctl::Label12, label("Label12")},
      {Ctl::Label13, label("Label13")},
      {Ctl::Label14, label("Label14")},
      {Ctl::Label15, label("Label15")},
      {Ctl::Label19, label("Label19")},
      {Ctl::Mark, mark},
      {Ctl::Text1, box},
      {Ctl::Command1, start},
      {Ctl::Command3, again},
      {Ctl::Picture1, picture},
  };
  for (const auto& b : bindings) Bind(b.control, b.widget);

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
