// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/form0.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>
#include <limits>
#include <string_view>

#include "challenges/art.h"
#include "platform/buttons.h"
#include "platform/cursors.h"
#include "platform/design_label.h"
#include "platform/layout.h"
#include "platform/links.h"
#include "platform/number_box.h"
#include "platform/text.h"
#include "platform/window_scaling.h"
#include "rules/level_table.h"
#include "start/start_layout.h"

namespace numora {

using namespace start_layout;
using platform::DesignLabel;
using platform::Face;
using platform::TwipRect;

const QUrl Form0::kSiteLink{QStringLiteral("http://www.numora.example/index1.htm")};
const QUrl Form0::kSecondLink{QStringLiteral("http://www.numora-kids.example/")};

namespace {

constexpr int kNameLength = 4;

// Link captions: the addresses as the pupil reads them.
const QString kSiteCaption = QStringLiteral("www.numora.example");
const QString kSecondCaption = QStringLiteral("www.numora-kids.example");

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
    value = std::min(value * 10 + (text.at(i).unicode() - '0'),
                     int{std::numeric_limits<std::int16_t>::max()});
  }
  return static_cast<std::int16_t>(value);
}

}  // namespace

Form0::Form0(QWidget* parent) : QWidget(parent, Qt::Window), screens_(kChallengeScreens) {
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
  setWindowIcon(WindowIcon());

  AddDesignedLabels(this);
  rule_ = label("Label25");

  level_ = MakeLabel(this, "Label9", QStringLiteral("1"), kLevelDisplay, Face::Arial,
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
    button->MakeClickable(platform::StarCursor());
    connect(button, &DesignLabel::clicked, this, [this, level] { PickLevel(level); });
  }

  const QFont linkFont = platform::MakeFont(Face::SimSun, 18, 400, true);
  DesignLabel* second = MakeLabel(this, "Label3", kSecondCaption, start_layout::kSecondLink,
                                  Face::SimSun, linkFont, platform::kBlue, kLeft);
  second->MakeClickable(platform::HandCursor());
  connect(second, &DesignLabel::clicked, this, [] { platform::OpenLink(kSecondLink); });
  DesignLabel* site = MakeLabel(this, "Label1", kSiteCaption, start_layout::kSiteLink, Face::SimSun,
                                linkFont, platform::kBlue, kLeft);
  site->MakeClickable(platform::HandCursor());
  connect(site, &DesignLabel::clicked, this, [] { platform::OpenLink(kSiteLink); });

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picIcon"));
  picture->setFrameShape(QFrame::Panel);
  picture->setFrameShadow(QFrame::Sunken);
  picture->setLineWidth(2);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setPixmap(TitlePicture());
  platform::SetColors(picture, Qt::black, platform::kGrey);
  platform::Place(picture, kPicture);

  auto* line = new QWidget(this);
  line->setObjectName(QStringLiteral("Line1"));
  platform::SetColors(line, platform::kRuleGrey, platform::kRuleGrey);
  platform::Place(line, kRule);

  entry_ = new QLineEdit(QStringLiteral("Vornsoft"), this);
  entry_->setObjectName(QStringLiteral("Text1"));
  entry_->setFont(platform::MakeFont(Face::SimSun, 42));
  entry_->setAlignment(Qt::AlignCenter);
  entry_->setToolTip(QStringLiteral("请输入不大于4位数字或4个汉字"));
  platform::SetColors(entry_, platform::kDarkBlue);
  platform::Place(entry_, kEntry);

  const QFont buttonFont = platform::MakeFont(Face::SimHei, 18);
  enter_ =
      platform::AddButton(*this, "Command0", QStringLiteral("进  入"), kEnterButton, buttonFont);
  exit_ = platform::AddButton(*this, "Command1", QStringLiteral("退  出"), kExitButton, buttonFont);

  setTabOrder(entry_, enter_);
  setTabOrder(enter_, exit_);
  // A button would take the number pad's 2, 4, 6 and 8 (arrows without NumLock) as focus moves;
  // the name box takes Enter here, before it hands the key on to the window.
  enter_->installEventFilter(this);
  exit_->installEventFilter(this);
  entry_->installEventFilter(this);
  entry_->setFocus(Qt::OtherFocusReason);

  connect(entry_, &QLineEdit::textChanged, this, &Form0::EntryChanged);
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
  rule_->setText(platform::FromUtf8(RuleFor(1).StartRuleText));
}

void Form0::PickLevel(int level) {
  if (!IsLevel(level)) return;
  level_->setText(QString::number(level));
  rule_->setText(platform::FromUtf8(RuleFor(level).StartRuleText));
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
  CutEntry();
  GameLevel = LeadingNumber(level_->text());
  const Pupil pupil{GameLevel, StudentName.toStdString(), School.toStdString()};

  inChallenge_ = true;
  const auto done = qScopeGuard([this] { inChallenge_ = false; });
  ScreenOf(screens_, GameLevel)(pupil, this);
}

bool Form0::PickLevelByKey(const QKeyEvent& event) {
  // A key the name box passes on (the number pad's 8 and 2 as Up and Down) is no level either.
  if (focusWidget() == entry_) return false;
  const int digit = platform::TypedDigit(event);
  if (digit < '1' || digit > '9') return false;
  PickLevel(digit - '0');
  return true;
}

// Outside the name box the digit keys pick the level, so that the whole screen plays from the
// keyboard; in the name box they are part of the name.
void Form0::keyPressEvent(QKeyEvent* event) {
  if (PickLevelByKey(*event) || platform::PressFocusedButton(*this, *event)) return;
  QWidget::keyPressEvent(event);
}

bool Form0::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto& key = *static_cast<QKeyEvent*>(event);
  if (watched == entry_) {
    if (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter) return false;
    EntryEnter();
    return true;
  }
  return PickLevelByKey(key);
}

void Form0::showEvent(QShowEvent* event) {
  // Enter presses the focused button, so the style draws its focus from the start, as it
  // otherwise does only once a Tab has moved it.
  setAttribute(Qt::WA_KeyboardFocusChange);
  if (!centred_) {
    centred_ = true;
    platform::CentreOnScreen(*this);
  }
  QWidget::showEvent(event);
}

DesignLabel* Form0::label(const char* name) const {
  return findChild<DesignLabel*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

}  // namespace numora
