// SPDX-License-Identifier: GPL-3.0-or-later
#include "start/form0.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <algorithm>
#include <limits>

#include "platform/buttons.h"
#include "platform/design_label.h"
#include "platform/number_box.h"
#include "platform/text.h"
#include "platform/window_scaling.h"
#include "rules/level_table.h"

namespace numora {

using platform::DesignLabel;

namespace {

constexpr int kNameLength = 4;

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
