// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start screen: the pupil types a name, picks one of the nine levels and enters the
// challenge window of that level, which opens modally over this one.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <cstdint>

#include "registry/screens.h"
#include "rules/challenge_engine.h"

class QKeyEvent;
class QLineEdit;
class QPushButton;

namespace numora {

namespace platform {
class DesignLabel;
}

class Form0 : public QWidget {
  Q_OBJECT

 public:
  // The addresses behind the two link labels.
  static const QUrl kSiteLink;    // Label1: a page of the maker's site
  static const QUrl kSecondLink;  // Label3: the home page of the maker's second site

  explicit Form0(QWidget* parent = nullptr);

  // Puts other windows in place of the challenge windows (tests record what would open).
  void SetChallengeScreens(const ChallengeScreens& screens) { screens_ = screens; }

  // What the challenge windows are opened with. StudentName always holds the whole text of the
  // entry box, School is always empty, GameLevel is 0 until the first enter.
  QString StudentName;
  QString School;
  std::int16_t GameLevel = 0;

 public slots:
  // Shows level 1 to 9 in the level label and its rule below; opens nothing.
  void PickLevel(int level);
  // Cuts the entry, takes the shown level and opens its challenge window; returns when the
  // window has closed.
  void EnterChallenge();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void Load();
  void EntryChanged();
  void EntryEnter();
  void CutEntry();
  // A digit 1 to 9 typed outside the name box picks that level; true when it did.
  bool PickLevelByKey(const QKeyEvent& event);

  platform::DesignLabel* label(const char* name) const;

  QLineEdit* entry_ = nullptr;
  QPushButton* enter_ = nullptr;
  QPushButton* exit_ = nullptr;
  platform::DesignLabel* level_ = nullptr;
  platform::DesignLabel* rule_ = nullptr;
  ChallengeScreens screens_;
  bool inChallenge_ = false;
  bool centred_ = false;
};

}  // namespace numora
