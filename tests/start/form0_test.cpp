// SPDX-License-Identifier: GPL-3.0-or-later
// The start screen driven as a pupil would: by the object names of its controls.

#include "start/form0.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>
#include <vector>

#include "platform/layout.h"
#include "tests/support/columns.h"
#include "tests/support/window_driver.h"

using numora::Form0;
using numora::testing::AddColumns;

namespace {

// What the start screen looked like while a challenge window was open over it.
struct ChallengeVisit {
  bool opened = false;
  QString window;
  std::int16_t gameLevel = -1;
  QString studentName;
  QString school;
  QString entry;
};

// The challenge windows the enter button asked for, in place of opening them.
struct Opening {
  QString screen;
  numora::Pupil pupil;
  QWidget* parent;
};
std::vector<Opening> openings;

void RecordForm1(const numora::Pupil& pupil, QWidget* parent) {
  openings.push_back({QStringLiteral("Form1"), pupil, parent});
}
void RecordForm789(const numora::Pupil& pupil, QWidget* parent) {
  openings.push_back({QStringLiteral("Form789"), pupil, parent});
}
void RecordForm9(const numora::Pupil& pupil, QWidget* parent) {
  openings.push_back({QStringLiteral("Form9"), pupil, parent});
}

}  // namespace

// Catches the addresses the links hand to the desktop instead of starting a browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> urls;

 public slots:
  void open(const QUrl& url) { urls.append(url); }
};

class Form0Test : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void loadSetsTheStartingTexts_data();
  void loadSetsTheStartingTexts();
  void loadHidesTheNameAndSchoolCaptionsAndEmptiesTheMembers();
  void windowIsFixedAndCentred();

  void levelButtonShowsItsLevelAndRule_data();
  void levelButtonShowsItsLevelAndRule();
  void levelButtonNeedsALeftButtonReleasedOverIt();
  void clickThroughTheWindowPicksALevel();

  void typingCopiesTheEntryIntoTheMembers_data();
  void typingCopiesTheEntryIntoTheMembers();
  void inputMethodTextIsTakenAsTheName();
  void pastedTextIsTakenAsTheName();

  void enterKeyCutsTheEntryAndFocusesExit_data();
  void enterKeyCutsTheEntryAndFocusesExit();
  void secondEnterPressesExit();
  void exitClosesTheLastWindow();

  void enterButtonCutsTheEntryBeforeTheWindowOpens_data();
  void enterButtonCutsTheEntryBeforeTheWindowOpens();
  void enterButtonOpensTheWindowOfTheLevel_data();
  void enterButtonOpensTheWindowOfTheLevel();
  void withoutAPickTheEnterButtonOpensLevelOne();
  void startScreenKeepsItsStateAfterAChallenge();
  void startScreenTakesNoInputWhileAChallengeIsOpen();

  void nothingTypedChangesTheLevel_data();
  void nothingTypedChangesTheLevel();

  void linksHandTheirAddressToTheDesktop_data();
  void linksHandTheirAddressToTheDesktop();

 private:
  template <typename T>
  T* child(const char* name) const {
    return form_->findChild<T*>(QString::fromLatin1(name));
  }
  QString labelText(const char* name) const {
    const QLabel* label = child<QLabel>(name);
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
  }
  void click(const char* name) {
    QWidget* widget = child<QWidget>(name);
    QVERIFY2(widget, name);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  // Presses Command0 and, inside the challenge window it opens, records what the start screen
  // holds, runs `inside`, then returns by the window's Command2.
  ChallengeVisit EnterChallenge(const std::function<void()>& inside = {});

  std::unique_ptr<Form0> form_;
};

void Form0Test::initTestCase() {
  numora::platform::InstallFontSubstitutions();
}

void Form0Test::init() {
  form_ = std::make_unique<Form0>();
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void Form0Test::cleanup() {
  form_.reset();
}

ChallengeVisit Form0Test::EnterChallenge(const std::function<void()>& inside) {
  ChallengeVisit visit;
  bool fired = false;
  QTimer::singleShot(0, this, [&] {
    fired = true;
    QWidget* window = nullptr;
    if (!QTest::qWaitFor([&] { return (window = QApplication::activeModalWidget()) != nullptr; })) {
      return;
    }
    visit.opened = true;
    visit.window = window->objectName();
    visit.gameLevel = form_->GameLevel;
    visit.studentName = form_->StudentName;
    visit.school = form_->School;
    visit.entry = child<QLineEdit>("Text1")->text();
    if (inside) inside();
    if (auto* back = window->findChild<QPushButton*>(QStringLiteral("Command2"))) {
      QTest::mouseClick(back, Qt::LeftButton);
    }
  });
  QPushButton* enter = child<QPushButton>("Command0");
  if (enter) QTest::mouseClick(enter, Qt::LeftButton);
  // Had no window opened, the timer has yet to run; it must not outlive `visit`.
  if (!QTest::qWaitFor([&] { return fired; })) qFatal("the visit's timer never ran");
  return visit;
}

void Form0Test::loadSetsTheStartingTexts_data() {
  AddColumns<QString, QString>("control", "text");

  // Set by the load.
  QTest::newRow("site address") << "Label1"
                                << "www.numora.example";
  QTest::newRow("subtitle") << "Label5"
                            << "专注力和键盘输入专项训练软件";
  QTest::newRow("name line") << "Label7"
                             << "";
  QTest::newRow("school line") << "Label10"
                               << "";
  QTest::newRow("level 1 rule") << "Label25"
                                << "1级规则: 5分钟 不限次 连续输入数字 1-50 ";
  // Left as designed.
  QTest::newRow("title") << "lblTitle"
                         << "D i g o r a";
  QTest::newRow("edition") << "Label23"
                           << "(第三版)";
  QTest::newRow("level prompt") << "Label2"
                                << "选择级别 ";
  QTest::newRow("level") << "Label9"
                         << "1";
  QTest::newRow("entry caption") << "Label6"
                                 << "姓名";
  QTest::newRow("hidden name caption") << "Label22"
                                       << "姓名";
  QTest::newRow("hidden school caption") << "Label8"
                                         << "学校";
  QTest::newRow("second site") << "Label3"
                               << "www.numora-kids.example";
  QTest::newRow("date") << "Label4"
                        << "2018-8-18";
  QTest::newRow("level button 1") << "Label13"
                                  << "1";
  QTest::newRow("level button 9") << "Label21"
                                  << "9";
}

void Form0Test::loadSetsTheStartingTexts() {
  QFETCH(QString, control);
  QFETCH(QString, text);
  QCOMPARE(labelText(control.toLatin1().constData()), text);
}

void Form0Test::loadHidesTheNameAndSchoolCaptionsAndEmptiesTheMembers() {
  QCOMPARE(form_->objectName(), QStringLiteral("form0"));
  QCOMPARE(form_->windowTitle(), QStringLiteral("Numora "));
  QVERIFY(labelText("Label11").startsWith(QStringLiteral("项目策划: ")));
  QVERIFY(labelText("Label12").startsWith(QStringLiteral("设计制作: ")));
  QVERIFY(labelText("Label11").size() > 6);
  QVERIFY(labelText("Label12").size() > 6);

  QVERIFY(!child<QLabel>("Label8")->isVisible());
  QVERIFY(!child<QLabel>("Label22")->isVisible());
  QVERIFY(child<QLabel>("Label7")->isVisible());
  QVERIFY(child<QLabel>("Label10")->isVisible());

  auto* entry = child<QLineEdit>("Text1");
  QVERIFY(entry);
  QCOMPARE(entry->text(), QString());
  QCOMPARE(entry->toolTip(), QStringLiteral("请输入不大于4位数字或4个汉字"));
  QCOMPARE(form_->StudentName, QString());
  QCOMPARE(form_->School, QString());
  QCOMPARE(form_->GameLevel, std::int16_t{0});

  QCOMPARE(child<QPushButton>("Command0")->text(), QStringLiteral("进  入"));
  QCOMPARE(child<QPushButton>("Command1")->text(), QStringLiteral("退  出"));
  for (const char* name : {"picIcon", "Line1"}) QVERIFY2(child<QWidget>(name), name);
  QVERIFY(!child<QLabel>("picIcon")->pixmap(Qt::ReturnByValue).isNull());
}

void Form0Test::windowIsFixedAndCentred() {
  // 15240 x 10995 twips.
  QCOMPARE(form_->size(), QSize(1016, 733));
  QCOMPARE(form_->minimumSize(), form_->maximumSize());
  const Qt::WindowFlags flags = form_->windowFlags();
  QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
  QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
  QVERIFY(flags & Qt::WindowCloseButtonHint);
  QVERIFY(!form_->windowIcon().isNull());
  // In the middle of the screen; on a screen smaller than the window (Qt 5's offscreen one is
  // 800 x 600), with its top left corner on it.
  const QRect area = form_->screen()->availableGeometry();
  QRect expected = form_->frameGeometry();
  expected.moveCenter(area.center());
  expected.moveTopLeft(
      {std::max(expected.left(), area.left()), std::max(expected.top(), area.top())});
  QVERIFY2((form_->frameGeometry().topLeft() - expected.topLeft()).manhattanLength() <= 2,
           "the window opens in the middle of the screen");
  // Every control lies inside the client area.
  for (QWidget* widget : form_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    QVERIFY2(form_->rect().contains(widget->geometry()), qPrintable(widget->objectName()));
  }
}

void Form0Test::levelButtonShowsItsLevelAndRule_data() {
  AddColumns<QString, QString, QString>("button", "level", "rule");

  QTest::newRow("1") << "Label13"
                     << "1"
                     << "1级规则: 5分钟 不限次 连续输入数字 1-50 ";
  QTest::newRow("2") << "Label14"
                     << "2"
                     << "2级规则: 5分钟 不限次 连续输入数字 1-100 ";
  QTest::newRow("3") << "Label15"
                     << "3"
                     << "3级规则: 6分钟 不限次 连续输入数字 1-150 ";
  QTest::newRow("4") << "Label16"
                     << "4"
                     << "4级规则: 6分钟 不限次 连续输入数字 1-200 ";
  QTest::newRow("5") << "Label17"
                     << "5"
                     << "5级规则: 7分钟 不限次 连续输入数字 1-250 ";
  QTest::newRow("6") << "Label18"
                     << "6"
                     << "6级规则: 7分钟 不限次 连续输入数字 1-300 ";
  // One blank before 不限位 and one at the end, unlike the challenge window's own rule line.
  QTest::newRow("7") << "Label19"
                     << "7"
                     << "7级规则: 5分钟 不限位 不能改 ";
  QTest::newRow("8") << "Label20"
                     << "8"
                     << "8级规则: 7分钟 不限位 不能改 ";
  QTest::newRow("9") << "Label21"
                     << "9"
                     << "9级规则: 不限时 不限位 不能改 按键间隔小于2秒";
}

void Form0Test::levelButtonShowsItsLevelAndRule() {
  QFETCH(QString, button);
  QFETCH(QString, level);
  QFETCH(QString, rule);

  auto* label = child<QLabel>(button.toLatin1().constData());
  QVERIFY(label);
  QCOMPARE(label->cursor().shape(), Qt::BitmapCursor);
  QTest::mouseClick(label, Qt::LeftButton);
  QCOMPARE(labelText("Label9"), level);
  QCOMPARE(labelText("Label25"), rule);
  // Picking opens nothing and stores nothing.
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  QCOMPARE(form_->GameLevel, std::int16_t{0});
  // Picking the next level replaces both texts.
  const char* other = button == QLatin1String("Label13") ? "Label14" : "Label13";
  click(other);
  QVERIFY(labelText("Label9") != level);
  QVERIFY(labelText("Label25") != rule);

  // Outside the name box the level's digit picks it as the click does: on the main keys with the
  // focus on 进入, on the number pad on 退出, and with NumLock off where no control has it.
  const QChar digit = level.front();
  auto* name = child<QLineEdit>("Text1");
  const struct {
    QWidget* target;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
  } keys[] = {
      {child<QWidget>("Command0"), Qt::Key(digit.unicode()), Qt::NoModifier},
      {child<QWidget>("Command1"), Qt::Key(digit.unicode()), Qt::KeypadModifier},
      {form_.get(), numora::driving::PadKeyWithoutNumLock(digit), Qt::KeypadModifier},
      {child<QWidget>("Command1"), numora::driving::PadKeyWithoutNumLock(digit),
       Qt::KeypadModifier},
  };
  for (const auto& key : keys) {
    click(other);
    if (key.target == form_.get()) {
      if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    } else {
      key.target->setFocus();
    }
    QTest::keyClick(key.target, key.key, key.modifiers);
    QCOMPARE(labelText("Label9"), level);
    QCOMPARE(labelText("Label25"), rule);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
  }
  QCOMPARE(form_->GameLevel, std::int16_t{0});
  QCOMPARE(name->text(), QString());

  // In the name box the digit is part of the name, and the number pad without NumLock moves
  // the cursor there.
  click(other);
  name->setFocus();
  QTest::keyClick(name, Qt::Key(digit.unicode()));
  QTest::keyClick(name, numora::driving::PadKeyWithoutNumLock(digit), Qt::KeypadModifier);
  QCOMPARE(name->text(), QString(digit));
  QCOMPARE(form_->StudentName, QString(digit));
  QVERIFY(labelText("Label9") != level);
}

void Form0Test::levelButtonNeedsALeftButtonReleasedOverIt() {
  auto* four = child<QLabel>("Label16");
  // Pressed on the button, let go elsewhere: no click.
  QTest::mousePress(four, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseRelease(four, Qt::LeftButton, {}, QPoint(-20, -20));
  QCOMPARE(labelText("Label9"), QStringLiteral("1"));
  // The right button picks nothing.
  QTest::mouseClick(four, Qt::RightButton);
  QCOMPARE(labelText("Label9"), QStringLiteral("1"));
  QTest::mouseClick(four, Qt::LeftButton);
  QCOMPARE(labelText("Label9"), QStringLiteral("4"));
}

// The path the modality test below relies on: a click delivered to the window, not the widget.
void Form0Test::clickThroughTheWindowPicksALevel() {
  QWidget* five = child<QWidget>("Label17");
  QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {},
                    five->mapTo(form_.get(), five->rect().center()));
  QCOMPARE(labelText("Label9"), QStringLiteral("5"));
}

void Form0Test::typingCopiesTheEntryIntoTheMembers_data() {
  QTest::addColumn<QString>("typed");

  QTest::newRow("letters") << "Anna";
  QTest::newRow("a number is a name too") << "20180818";
  QTest::newRow("blanks kept") << " a b ";
}

void Form0Test::typingCopiesTheEntryIntoTheMembers() {
  QFETCH(QString, typed);
  auto* entry = child<QLineEdit>("Text1");
  QTest::keyClicks(entry, typed);
  QCOMPARE(entry->text(), typed);
  QCOMPARE(form_->StudentName, typed);
  QCOMPARE(form_->School, QString());
  QCOMPARE(labelText("Label7"), QString());
  QCOMPARE(labelText("Label10"), QString());
  QVERIFY(!child<QLabel>("Label8")->isVisible());
  QVERIFY(!child<QLabel>("Label22")->isVisible());

  // Deleting follows too, down to the empty name.
  QTest::keyClick(entry, Qt::Key_Backspace);
  QCOMPARE(form_->StudentName, typed.chopped(1));
  entry->selectAll();
  QTest::keyClick(entry, Qt::Key_Delete);
  QCOMPARE(form_->StudentName, QString());
}

void Form0Test::inputMethodTextIsTakenAsTheName() {
  auto* entry = child<QLineEdit>("Text1");
  entry->setFocus();
  QVERIFY(entry->testAttribute(Qt::WA_InputMethodEnabled));

  // While composing, the name is not yet in the box.
  QInputMethodEvent composing(QStringLiteral("lixiaoming"), {});
  QApplication::sendEvent(entry, &composing);
  QCOMPARE(form_->StudentName, QString());

  QInputMethodEvent commit;
  commit.setCommitString(QStringLiteral("李小明"));
  QApplication::sendEvent(entry, &commit);
  QCOMPARE(entry->text(), QStringLiteral("李小明"));
  QCOMPARE(form_->StudentName, QStringLiteral("李小明"));
  QCOMPARE(form_->School, QString());
}

void Form0Test::pastedTextIsTakenAsTheName() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("王小二"));
  if (clipboard->text() != QStringLiteral("王小二")) QSKIP("no clipboard on this platform");
  auto* entry = child<QLineEdit>("Text1");
  QTest::keyClick(entry, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(entry->text(), QStringLiteral("王小二"));
  QCOMPARE(form_->StudentName, QStringLiteral("王小二"));
}

void Form0Test::enterKeyCutsTheEntryAndFocusesExit_data() {
  AddColumns<QString, QString>("entry", "name");

  QTest::newRow("seven letters") << "Abcdefg"
                                 << "Abcd";
  QTest::newRow("four letters stay") << "Abcd"
                                     << "Abcd";
  QTest::newRow("three Chinese stay") << "张小明"
                                      << "张小明";
  QTest::newRow("six Chinese") << "欧阳小明同学"
                               << "欧阳小明";
  QTest::newRow("digits") << "1234567"
                          << "1234";
  QTest::newRow("empty") << ""
                         << "";
  QTest::newRow("five emoji") << "😀😁😂🤣😃"
                              << "😀😁😂🤣";
  QTest::newRow("emoji on the cut") << "abc😀d"
                                    << "abc😀";
  QTest::newRow("emoji after the cut") << "abcd😀"
                                       << "abcd";
  QTest::newRow("rare character") << "𠀀𠀁𠀂𠀃𠀄"
                                  << "𠀀𠀁𠀂𠀃";
}

void Form0Test::enterKeyCutsTheEntryAndFocusesExit() {
  QFETCH(QString, entry);
  QFETCH(QString, name);
  auto* box = child<QLineEdit>("Text1");
  box->setFocus();
  box->insert(entry);
  QCOMPARE(form_->StudentName, entry);

  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(box->text(), name);
  QCOMPARE(form_->StudentName, name);
  QCOMPARE(form_->School, QString());
  QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>("Command1"));
  // Entering is left to the enter button.
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
  QCOMPARE(form_->GameLevel, std::int16_t{0});
}

void Form0Test::secondEnterPressesExit() {
  auto* box = child<QLineEdit>("Text1");
  box->setFocus();
  QTest::keyClicks(box, QStringLiteral("Anna Lee"));
  QTest::keyClick(box, Qt::Key_Enter);
  QCOMPARE(box->text(), QStringLiteral("Anna"));
  QTRY_COMPARE(QApplication::focusWidget(), child<QWidget>("Command1"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTRY_VERIFY(!form_->isVisible());
}

// The exit button ends the program's event loop, as the game's main runs it.
void Form0Test::exitClosesTheLastWindow() {
  QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
  QTimer::singleShot(0, this, [this] { click("Command1"); });
  QTimer giveUp;
  giveUp.setSingleShot(true);
  connect(&giveUp, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
  giveUp.start(10000);
  QCOMPARE(QApplication::exec(), 0);
  QVERIFY(!form_->isVisible());
  QCOMPARE(lastClosed.count(), 1);
}

void Form0Test::enterButtonCutsTheEntryBeforeTheWindowOpens_data() {
  AddColumns<QString, int, QString, QString>("button", "level", "entry", "name");

  QTest::newRow("level 1, seven letters") << "Label13" << 1 << "Abcdefg"
                                          << "Abcd";
  QTest::newRow("level 6, six Chinese") << "Label18" << 6 << "欧阳小明同学"
                                        << "欧阳小明";
  QTest::newRow("level 7, short name") << "Label19" << 7 << "李雷"
                                       << "李雷";
  QTest::newRow("level 8, emoji") << "Label20" << 8 << "😀😁😂🤣😃"
                                  << "😀😁😂🤣";
  QTest::newRow("level 9, empty name") << "Label21" << 9 << ""
                                       << "";
}

void Form0Test::enterButtonCutsTheEntryBeforeTheWindowOpens() {
  QFETCH(QString, button);
  QFETCH(int, level);
  QFETCH(QString, entry);
  QFETCH(QString, name);

  click(button.toLatin1().constData());
  child<QLineEdit>("Text1")->insert(entry);
  const ChallengeVisit visit = EnterChallenge();
  QVERIFY(visit.opened);
  QCOMPARE(visit.gameLevel, level);
  QCOMPARE(visit.studentName, name);
  QCOMPARE(visit.entry, name);
  QCOMPARE(visit.school, QString());
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void Form0Test::enterButtonOpensTheWindowOfTheLevel_data() {
  AddColumns<QString, int, QString>("button", "level", "screen");

  const char* screens[] = {"Form1", "Form1",   "Form1",   "Form1", "Form1",
                           "Form1", "Form789", "Form789", "Form9"};
  for (int level = 1; level <= 9; ++level) {
    QTest::addRow("level %d", level) << QStringLiteral("Label%1").arg(12 + level) << level
                                     << QString::fromLatin1(screens[level - 1]);
  }
}

// Exactly one window opens per press, chosen by the level, with the cut name in UTF-8.
void Form0Test::enterButtonOpensTheWindowOfTheLevel() {
  QFETCH(QString, button);
  QFETCH(int, level);
  QFETCH(QString, screen);

  form_->SetChallengeScreens({&RecordForm1, &RecordForm789, &RecordForm9});
  openings.clear();
  click("Label21");
  click(button.toLatin1().constData());
  child<QLineEdit>("Text1")->insert(QStringLiteral("张小明同学"));
  click("Command0");

  QCOMPARE(openings.size(), std::size_t{1});
  const Opening& opened = openings.front();
  QCOMPARE(opened.screen, screen);
  QCOMPARE(opened.parent, form_.get());
  QCOMPARE(opened.pupil.GameLevel, level);
  QCOMPARE(opened.pupil.StudentName, std::string("张小明同"));
  QCOMPARE(opened.pupil.School, std::string());
  QCOMPARE(form_->GameLevel, level);
}

void Form0Test::withoutAPickTheEnterButtonOpensLevelOne() {
  form_->SetChallengeScreens({&RecordForm1, &RecordForm789, &RecordForm9});
  openings.clear();
  click("Command0");
  QCOMPARE(openings.size(), std::size_t{1});
  QCOMPARE(openings.front().screen, QStringLiteral("Form1"));
  QCOMPARE(openings.front().pupil.GameLevel, std::int16_t{1});
  QCOMPARE(form_->GameLevel, std::int16_t{1});
}

void Form0Test::startScreenKeepsItsStateAfterAChallenge() {
  click("Label19");
  click("Label14");
  QTest::keyClicks(child<QLineEdit>("Text1"), QStringLiteral("Robert"));
  const ChallengeVisit first = EnterChallenge();
  QVERIFY(first.opened);
  QCOMPARE(first.gameLevel, std::int16_t{2});

  QVERIFY(form_->isVisible());
  QCOMPARE(labelText("Label9"), QStringLiteral("2"));
  QCOMPARE(labelText("Label25"), QStringLiteral("2级规则: 5分钟 不限次 连续输入数字 1-100 "));
  QCOMPARE(child<QLineEdit>("Text1")->text(), QStringLiteral("Robe"));
  QCOMPARE(form_->StudentName, QStringLiteral("Robe"));
  QCOMPARE(form_->School, QString());
  QCOMPARE(form_->GameLevel, std::int16_t{2});

  // And the enter button opens the level again.
  const ChallengeVisit second = EnterChallenge();
  QVERIFY(second.opened);
  QCOMPARE(second.window, first.window);
  QCOMPARE(second.gameLevel, std::int16_t{2});
  QCOMPARE(second.studentName, QStringLiteral("Robe"));
}

void Form0Test::startScreenTakesNoInputWhileAChallengeIsOpen() {
  click("Label15");
  auto* entry = child<QLineEdit>("Text1");
  QTest::keyClicks(entry, QStringLiteral("Li"));
  entry->setFocus();
  QWindow* window = form_->windowHandle();
  auto centreOf = [this](const char* name) {
    QWidget* widget = child<QWidget>(name);
    return widget->mapTo(form_.get(), widget->rect().center());
  };

  QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
  const ChallengeVisit visit = EnterChallenge([&] {
    // Clicks and keys go to the start screen's window, as the windowing system would send them.
    QTest::mouseClick(window, Qt::LeftButton, {}, centreOf("Label21"));
    QTest::mouseClick(window, Qt::LeftButton, {}, centreOf("Text1"));
    QTest::keyClick(window, Qt::Key_X);
    QTest::keyClick(window, Qt::Key_Return);
    QTest::mouseClick(window, Qt::LeftButton, {}, centreOf("Command1"));
    QCOMPARE(labelText("Label9"), QStringLiteral("3"));
    QCOMPARE(entry->text(), QStringLiteral("Li"));
    QVERIFY(form_->isVisible());
  });
  QVERIFY(visit.opened);
  QCOMPARE(visit.gameLevel, std::int16_t{3});
  QCOMPARE(labelText("Label9"), QStringLiteral("3"));
  QCOMPARE(entry->text(), QStringLiteral("Li"));
  QVERIFY(form_->isVisible());
  QCOMPARE(lastClosed.count(), 0);
}

void Form0Test::nothingTypedChangesTheLevel_data() {
  QTest::addColumn<QString>("entry");

  QTest::newRow("digits of a level") << "9";
  QTest::newRow("long paste") << QString(20000, QChar(u'数'));
  QTest::newRow("control characters") << QStringLiteral("\t\r\n\x1b\x7f");
  QTest::newRow("nul") << QString(3, QChar(u'\0'));
  QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("abcde");
  QTest::newRow("right to left") << QStringLiteral("\u202Eمرحبا بالعالم");
  QTest::newRow("combining marks") << QStringLiteral("e\u0301e\u0301e\u0301");
}

void Form0Test::nothingTypedChangesTheLevel() {
  QFETCH(QString, entry);
  click("Label15");
  auto* box = child<QLineEdit>("Text1");
  box->setFocus();
  box->insert(entry);
  QTest::keyClick(box, Qt::Key_Return);
  QVERIFY(box->text().toUcs4().size() <= 4);
  QCOMPARE(form_->StudentName, box->text());
  QCOMPARE(labelText("Label9"), QStringLiteral("3"));

  const ChallengeVisit visit = EnterChallenge();
  QVERIFY(visit.opened);
  QCOMPARE(visit.gameLevel, std::int16_t{3});
  QCOMPARE(labelText("Label9"), QStringLiteral("3"));
}

void Form0Test::linksHandTheirAddressToTheDesktop_data() {
  AddColumns<QString, QUrl>("link", "url");

  QTest::newRow("maker's site") << "Label1" << QUrl("http://www.numora.example/index1.htm");
  QTest::newRow("second site") << "Label3" << QUrl("http://www.numora-kids.example/");
}

void Form0Test::linksHandTheirAddressToTheDesktop() {
  QFETCH(QString, link);
  QFETCH(QUrl, url);
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
  auto* label = child<QLabel>(link.toLatin1().constData());
  QVERIFY(label);
  QCOMPARE(label->cursor().shape(), Qt::BitmapCursor);
  QTest::mouseClick(label, Qt::LeftButton);
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  QCOMPARE(catcher.urls, QList<QUrl>{url});
  // Nothing else changes.
  QCOMPARE(labelText("Label9"), QStringLiteral("1"));
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(Form0Test)
#include "form0_test.moc"
