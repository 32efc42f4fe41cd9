// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/form0.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <algorithm>
#include <string_view>

#include "counting/form1.h"
#include "endurance/form9.h"
#include "open_counting/form789.h"
#include "platform/art.h"
#include "platform/design_label.h"
#include "platform/layout.h"
#include "platform/links.h"
#include "rules/level_table.h"

namespace numora {

using platform::DesignLabel;
using platform::Face;
using platform::TwipRect;

const QUrl Form0::kSiteLink{QStringLiteral("http://www.numora.example/index1.htm")};
const QUrl Form0::kSecondLink{QStringLiteral("http://www.numora-kids.example/")};

namespace {

constexpr TwipRect kClientArea{0, 0, 15240, 10995};
constexpr int kNameLength = 4;

// Link captions: the addresses as the pupil reads them.
const QString kSiteCaption = QStringLiteral("www.numora.example");
const QString kSecondCaption = QStringLiteral("www.numora-kids.example");

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
const Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignVCenter;
const Qt::Alignment kCentreTop = Qt::AlignHCenter | Qt::AlignTop;

struct LabelDesign {
  const char* name;
  const char* text;
  TwipRect rect;
  Face face;
  double points;
  int weight;
  QColor color;
  Qt::Alignment align;
};

// The labels as designed, before the load sets their run-time texts. Level buttons, the level
// display and the links have extra parts and are made apart.
const LabelDesign kLabels[] = {
    {"lblTitle",
     "D i g o r a",
     {2040, 360, 9885, 1185},
     Face::SimHei,
     48,
     700,
     platform::kRed,
     kCentre},
    {"Label23",
     "(第三版)",
     {11520, 840, 2055, 615},
     Face::SimHei,
     21.75,
     700,
     platform::kRed,
     kLeft},
    {"Label5",
     "注意力和数字键盘输入专项训练",
     {3390, 1680, 7995, 615},
     Face::SimHei,
     24,
     700,
     platform::kBlue,
     kCentreTop},
    {"Label2", "选择级别 ", {1320, 3120, 1200, 1200}, Face::SimSun, 26.25, 400, Qt::black, kLeft},
    {"Label6", "姓名", {10560, 2760, 3600, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label22", "姓名", {10200, 4380, 1200, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label7",
     "姓名",
     {11640, 4440, 2235, 600},
     Face::SimSun,
     24,
     400,
     platform::kDarkBlue,
     kCentreTop},
    {"Label8", "学校", {10200, 5280, 1200, 600}, Face::SimSun, 24, 400, Qt::black, kLeft},
    {"Label10",
     "Tessaly学校",
     {11520, 5280, 3000, 1080},
     Face::SimSun,
     24,
     400,
     platform::kDarkBlue,
     kCentreTop},
    {"Label25",
     "游戏规则:",
     {2520, 7560, 10935, 615},
     Face::SimHei,
     21.75,
     700,
     platform::kDarkBlue,
     kCentre},
    {"Label11", "策划", {2880, 8640, 4005, 405}, Face::SimSun, 21.75, 400, Qt::black, kLeft},
    {"Label12", "制作", {2880, 9300, 4005, 405}, Face::SimSun, 21.75, 400, Qt::black, kLeft},
    {"Label4",
     "2018-8-18",
     {5040, 9960, 4815, 495},
     Face::SimSun,
     15.75,
     400,
     Qt::black,
     kCentreTop},
};

// Level buttons: a 3 x 3 grid, levels 1 to 9 row by row, Label13 to Label21.
constexpr int kGridColumns[] = {1320, 2520, 3720};
constexpr int kGridRows[] = {4800, 5700, 6600};
constexpr int kLevelButtonWidth = 855;
constexpr int kLevelButtonHeight = 795;
constexpr int kFirstLevelButton = 13;

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The first `count` characters of `text`, counted in code points so that a character outside
// the basic plane (an emoji, a rare Chinese character) is never split in half.
QString FirstCharacters(const QString& text, int count) {
  qsizetype end = 0;
  for (int taken = 0; end < text.size() && taken < count; ++taken) {
    const bool pair = text.at(end).isHighSurrogate() && end + 1 < text.size() &&
                      text.at(end + 1).isLowSurrogate();
    end += pair ? 2 : 1;
  }
  return text.left(end);
}

// The leading decimal number of a caption, as far as a 16-bit level can hold it.
std::int16_t LeadingNumber(const QString& text) {
  int value = 0;
  qsizetype i = 0;
  while (i < text.size() && text.at(i) == QLatin1Char(' ')) ++i;
  for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
    value = std::min(value * 10 + (text.at(i).unicode() - '0'), 32767);
  }
  return static_cast<std::int16_t>(value);
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

}  // namespace

Form0::Form0(QWidget* parent)
    : QWidget(parent, Qt::Window), screens_{&ShowForm1, &ShowForm789, &ShowForm9} {
  Build();
  Load();
}

void Form0::Build() {
  setObjectName(QStringLiteral("form0"));
  setWindowTitle(QStringLiteral("Digora"));
  // A fixed frame with a close button only: no resizing, no minimize or maximize.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(platform::ToPixels(kClientArea).size());
  setWindowIcon(platform::WindowIcon());

  for (const LabelDesign& design : kLabels) {
    MakeLabel(this, design.name, QString::fromUtf8(design.text), design.rect, design.face,
              platform::MakeFont(design.face, design.points, design.weight), design.color,
              design.align);
  }
  rule_ = label("Label25");

  level_ = MakeLabel(this, "Label9", QStringLiteral("1"), {3000, 2400, 1575, 2175}, Face::Arial,
                     platform::MakeFont(Face::Arial, 99.75, 700), platform::kRed, kCentre);
  platform::SetColors(level_, platform::kRed, Qt::white);
  level_->SetFrameColor(Qt::black);

  for (int level = 1; level <= kLevelCount; ++level) {
    const int index = level - 1;
    const QByteArray name = "Label" + QByteArray::number(kFirstLevelButton + index);
    DesignLabel* button = MakeLabel(
        this, name.constData(), QString::number(level),
        {kGridColumns[index % 3], kGridRows[index / 3], kLevelButtonWidth, kLevelButtonHeight},
        Face::SimHei, platform::MakeFont(Face::SimHei, 39.75, 700), Qt::black, kCentre);
    platform::SetColors(button, Qt::black, platform::kLightGreen);
    button->MakeClickable(platform::LevelButtonCursor());
    connect(button, &DesignLabel::clicked, this, [this, level] { PickLevel(level); });
  }

  const QFont linkFont = platform::MakeFont(Face::SimSun, 18, 400, true);
  DesignLabel* second = MakeLabel(this, "Label3", kSecondCaption, {7440, 8640, 4995, 495},
                                  Face::SimSun, linkFont, platform::kBlue, kLeft);
  second->MakeClickable(platform::LinkCursor());
  connect(second, &DesignLabel::clicked, this, [] { platform::OpenLink(kSecondLink); });
  DesignLabel* site = MakeLabel(this, "Label1", kSiteCaption, {7440, 9360, 4995, 495}, Face::SimSun,
                                linkFont, platform::kBlue, kLeft);
  site->MakeClickable(platform::LinkCursor());
  connect(site, &DesignLabel::clicked, this, [] { platform::OpenLink(kSiteLink); });

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture->setLineWidth(2);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setPixmap(platform::TitlePicture());
  platform::SetColors(picture, Qt::black, platform::kGrey);
  platform::Place(picture, {5400, 2760, 4560, 4560});

  auto* line = new QWidget(this);
  line->setObjectName(QStringLiteral("Line1"));
  platform::SetColors(line, platform::kRuleGrey, platform::kRuleGrey);
  platform::Place(line, {1320, 8400, 14280 - 1320, 15});

  entry_ = new QLineEdit(QStringLiteral("Vornsoft"), this);
  entry_->setObjectName(QStringLiteral("Text1"));
  entry_->setFont(platform::MakeFont(Face::SimSun, 42));
  entry_->setAlignment(Qt::AlignCenter);
  entry_->setToolTip(QStringLiteral("请输入不大于4位数字或4个汉字"));
  platform::SetColors(entry_, platform::kDarkBlue);
  platform::Place(entry_, {10560, 3360, 3600, 960});

  // The buttons lie over the name and school lines (empty whenever the pupil sees them).
  enter_ = MakeButton(this, "Command0", QStringLiteral("进  入"), {12120, 5760, 2000, 600});
  exit_ = MakeButton(this, "Command1", QStringLiteral("退  出"), {12120, 6720, 2000, 600});

  setTabOrder(entry_, enter_);
  setTabOrder(enter_, exit_);
  entry_->setFocus(Qt::OtherFocusReason);

  connect(entry_, &QLineEdit::textChanged, this, &Form0::EntryChanged);
  connect(entry_, &QLineEdit::returnPressed, this, &Form0::EntryEnter);
  connect(enter_, &QPushButton::clicked, this, &Form0::EnterChallenge);
  // Closing the start screen ends the program: it is the last window then.
  connect(exit_, &QPushButton::clicked, this, &QWidget::close);
}

void Form0::Load() {
  setWindowTitle(QStringLiteral("Numora "));
  label("Label1")->setText(kSiteCaption);
  label("Label11")->setText(QStringLiteral("项目策划: 晨光小组"));
  label("Label12")->setText(QStringLiteral("设计制作: 星火小组"));
  label("Label5")->setText(QStringLiteral("专注力和键盘输入专项训练软件"));
  label("Label7")->clear();
  label("Label8")->hide();
  label("Label10")->clear();
  label("Label22")->hide();
  entry_->clear();
  rule_->setText(FromView(RuleFor(1).StartRuleText));
}

void Form0::PickLevel(int level) {
  if (!IsLevel(level)) return;
  level_->setText(QString::number(level));
  rule_->setText(FromView(RuleFor(level).StartRuleText));
}

void Form0::EntryChanged() {
  label("Label7")->clear();
  label("Label8")->hide();
  label("Label10")->clear();
  label("Label22")->hide();
  StudentName = entry_->text();
  School.clear();
}

void Form0::CutEntry() {
  const QString text = entry_->text();
  const QString cut = FirstCharacters(text, kNameLength);
  if (cut != text) entry_->setText(cut);
}

void Form0::EntryEnter() {
  CutEntry();
  exit_->setFocus(Qt::OtherFocusReason);
}

void Form0::EnterChallenge() {
  // A challenge window is open already: its own event loop delivered this press.
  if (inChallenge_) return;
  // The level label always holds a level, so this message is never seen.
  if (level_->text().isEmpty()) {
    QMessageBox::information(this, QStringLiteral("Numora"), QStringLiteral("请选择比赛等级"));
    return;
  }
  CutEntry();
  GameLevel = LeadingNumber(level_->text());
  const Pupil pupil{GameLevel, StudentName.toStdString(), School.toStdString()};

  inChallenge_ = true;
  const auto done = qScopeGuard([this] { inChallenge_ = false; });
  switch (ScreenFor(GameLevel)) {
    case ChallengeScreen::Form1:
      screens_.Form1(pupil, this);
      break;
    case ChallengeScreen::Form789:
      screens_.Form789(pupil, this);
      break;
    case ChallengeScreen::Form9:
      screens_.Form9(pupil, this);
      break;
  }
}

void Form0::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    if (const QScreen* screen = this->screen()) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  QWidget::showEvent(event);
}

DesignLabel* Form0::label(const char* name) const {
  return findChild<DesignLabel*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace numora
