// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen's controls as laid out, and what they show when it opens; form0.cpp holds
// what the screen does.
#include <QLineEdit>
#include <QPushButton>

#include "challenges/art.h"
#include "platform/buttons.h"
#include "platform/cursors.h"
#include "platform/design_label.h"
#include "platform/layout.h"
#include "platform/links.h"
#include "platform/text.h"
#include "rules/level_table.h"
#include "start/form0.h"
#include "start/start_layout.h"

namespace numora {

using namespace start_layout;
using platform::DesignLabel;
using platform::Face;

const QUrl Form0::kSiteLink{QStringLiteral("http://www.numora.example/index1.htm")};
const QUrl Form0::kSecondLink{QStringLiteral("http://www.numora-kids.example/")};

namespace {

// Link captions: the addresses as the pupil reads them.
const QString kSiteCaption = QStringLiteral("www.numora.example");
const QString kSecondCaption = QStringLiteral("www.numora-kids.example");

}  // namespace

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

}  // namespace numora
