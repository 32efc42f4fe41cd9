// SPDX-License-Identifier: GPL-3.0-or-later
// The endurance window as the pupil meets it: what it shows when it opens, the focus after the
// start press, a run typed key by key and ended by a pause on the running timer, play again, and
// the return to the start screen from every state.
#include "endurance/form9.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "tests/support/columns.h"
#include "tests/support/game_messages.h"
#include "tests/support/screen_driver.h"

using numora::Form9;
using numora::Pupil;
using namespace numora::testing;

namespace {

const QString kRule = QStringLiteral("9级规则: 不限时 不限位 不能改 按键间隔小于2秒");

}  // namespace

class Form9Test : public ScreenSuite {
  Q_OBJECT

 public:
  Form9Test()
      : ScreenSuite(Pupil{9, "小明", ""}, {4,
                                           500,
                                           {{State::EndedByPause, message::kPauseEnd},
                                            {State::EndedByBackspace, message::kBackspaceEnd},
                                            {State::EndedByLetter, message::kOtherKeyEnd}}}) {}

 private slots:
  void init() { clock_.Set(15, 20, 0, 0); }
  void cleanup() { Close(); }

  void opensReadyToStart_data() {
    AddColumns<QString, QString>("label", "text");
    LabelRow("level", "Label3", "9");
    LabelRow("name", "Label8", "小明");
    LabelRow("school", "Label12", "");
    LabelRow("rule", "Label19", kRule);
    LabelRow("message", "Label1", " ");
    LabelRow("mark", "Label9", "");
    LabelRow("last number", "Label4", "");
    LabelRow("input", "Text1", "");
    LabelRow("elapsed minutes", "Label15", "");
    LabelRow("elapsed colon", "Label17", "");
    LabelRow("elapsed seconds", "Label14", "0999");
    LabelRow("elapsed point", "Label16", ".");
    LabelRow("elapsed hundredths", "Label13", "00");
    LabelRow("pause seconds", "Label2", "0");
    LabelRow("pause point", "Label10", ".");
    LabelRow("pause hundredths", "Label11", "00");
    LabelRow("best count", "Label6", "");
    LabelRow("best seconds", "Label21", "");
    LabelRow("best point", "Label24", ".");
    LabelRow("best hundredths", "Label23", "");
  }
  void opensReadyToStart() {
    QFETCH(QString, label);
    QFETCH(QString, text);
    QVERIFY(Open());
    QCOMPARE(Text(qPrintable(label)), text);
  }

  void opensWithStartFocused() {
    QVERIFY(Open());
    QCOMPARE(Window().windowTitle(), QStringLiteral("Numora  V2.0 2017-11-22 "));
    QVERIFY(Button("Command3")->isHidden());
    QVERIFY(Button("Command1")->isEnabled());
    QCOMPARE(Focus(), Button("Command1"));
    QVERIFY(!Box()->isEnabled());
    QVERIFY(!Window().tickTimer()->isActive());
  }

  void startPassesFocusToTheBox() {
    CheckStartFocusesTheBox();
    // Both rows count from the start press.
    clock_.Advance(1234);
    QVERIFY(Tick(Window()));
    QCOMPARE(Text("Label14"), QStringLiteral("1"));
    QCOMPARE(Text("Label13"), QStringLiteral("23"));
    QCOMPARE(Text("Label2"), QStringLiteral("1"));
    QCOMPARE(Text("Label11"), QStringLiteral("23"));
  }

  // The running timer ends the run on its own once the pupil stops typing for 2 seconds.
  void typedRunEndsByPause() {
    QVERIFY(Open());
    Button("Command1")->click();
    PlayNumbers(1, 5, 300);
    QCOMPARE(Text("Label4"), QStringLiteral(" 5"));
    QCOMPARE(Text("Label9"), QStringLiteral("√"));
    QCOMPARE(Text("Label14"), QStringLiteral("1"));
    QCOMPARE(Text("Label13"), QStringLiteral("50"));
    clock_.Advance(100);
    QTest::keyClicks(Focus(), QStringLiteral("6"));
    QCOMPARE(Text("Label9"), QString());

    // Ticks that find 1999 ms since the last key leave the run going.
    clock_.Advance(1999);
    QTest::qWait(50);
    QCOMPARE(Text("Label1"), QString());
    QCOMPARE(Text("Label2"), QStringLiteral("1"));
    QVERIFY(Box()->isEnabled());

    clock_.Advance(1);
    QTRY_COMPARE(Text("Label1"), message::kPauseEnd);
    QVERIFY(!Window().tickTimer()->isActive());
    QCOMPARE(Text("Label2"), QStringLiteral("2"));
    QCOMPARE(Text("Label11"), QStringLiteral("00"));
    QCOMPARE(Text("Label9"), QString());
    QCOMPARE(Text("Text1"), QStringLiteral("6"));  // typed, never confirmed: not counted
    QCOMPARE(Text("Label6"), QStringLiteral("5"));
    // The last ticks before the end showed 3.60 s (1.60 s, then 1999 ms without a key).
    QCOMPARE(Text("Label14"), QStringLiteral("3"));
    QCOMPARE(Text("Label13"), QStringLiteral("60"));
    QCOMPARE(Text("Label21"), QStringLiteral("3"));
    QCOMPARE(Text("Label23"), QStringLiteral("60"));
    QVERIFY(!Box()->isEnabled());
    QVERIFY(Button("Command3")->isVisible() && Button("Command3")->isEnabled());
    QCOMPARE(Focus(), Button("Command3"));
  }

  void playAgainClearsTheRows() {
    QVERIFY(Open());
    QVERIFY(Reach(State::EndedByPause));
    Button("Command3")->click();
    const std::pair<const char*, QString> texts[] = {{"Label14", QStringLiteral("0")},
                                                     {"Label13", QStringLiteral("00")},
                                                     {"Label2", QStringLiteral("0")},
                                                     {"Label11", QStringLiteral("00")},
                                                     {"Label4", QString()},
                                                     {"Label9", QString()},
                                                     {"Label1", QStringLiteral(" ")},
                                                     {"Label6", QStringLiteral("4")},
                                                     {"Label21", QStringLiteral("2")},
                                                     {"Label23", QStringLiteral("00")}};
    for (const auto& [name, text] : texts) QCOMPARE(Text(name), text);
    QVERIFY(Button("Command3")->isVisible());
    QVERIFY(!Button("Command3")->isEnabled());
    QVERIFY(Button("Command1")->isEnabled());
    QCOMPARE(Focus(), Button("Command1"));
  }

  void returnsFromEveryState_data() { EveryStateRows(); }
  void returnsFromEveryState() { CheckReturnFrom(); }

  // Each opening starts from a fresh load: the best result of a visit goes with it.
  void reopensWithoutBest() {
    QStringList bests;
    const auto best = [](const Form9& window) {
      return TextOf(window, "Label6") + "|" + TextOf(window, "Label21") + "|" +
             TextOf(window, "Label23");
    };
    const auto visit = [&](bool play) {
      VisitLevel<Form9>(9, [&](Form9& window) {
        bests << best(window);
        if (play) {
          ButtonOf(window, "Command1")->click();
          clock_.Advance(250);
          TypeEntry(window, QStringLiteral("1"));
          Press(window, Qt::Key_Backspace);
          bests << best(window);
        }
        ButtonOf(window, "Command2")->click();
      });
    };
    visit(true);
    visit(false);
    QCOMPARE(bests, QStringList({"||", "1|0|25", "||"}));
  }

  // The installed faces are taller and wider than the design's: the widest texts each label
  // gets must still show whole.
  void textsShowWhole_data() {
    AddColumns<QString, QString>("label", "text");
    LabelRow("title", "Label7", "Digora");
    LabelRow("name", "Label8", "欧阳小明");
    LabelRow("elapsed seconds", "Label14", "8888");
    LabelRow("elapsed point", "Label16", ".");
    LabelRow("elapsed hundredths", "Label13", "99");
    LabelRow("pause seconds", "Label2", "59");
    LabelRow("pause hundredths", "Label11", "99");
    LabelRow("best heading", "Label5", "最好成绩");
    LabelRow("best count", "Label6", "9999");
    LabelRow("count unit", "Label18", "数字");
    LabelRow("time heading", "Label20", "持续时长");
    LabelRow("best seconds", "Label21", "8888");
    LabelRow("best point", "Label24", ".");
    LabelRow("best hundredths", "Label23", "99");
    LabelRow("time unit", "Label22", "秒");
    LabelRow("pause end", "Label1", message::kPauseEnd);
    LabelRow("backspace end", "Label1", message::kBackspaceEnd);
    LabelRow("other key end", "Label1", message::kOtherKeyEnd);
    LabelRow("last number", "Label4", "8888");
    LabelRow("accepted", "Label9", "√");
    LabelRow("ended", "Label9", "×");
    LabelRow("rule", "Label19", kRule);
  }
  void textsShowWhole() { CheckShowsWhole(); }
};

QTEST_MAIN(Form9Test)
#include "form9_test.moc"
