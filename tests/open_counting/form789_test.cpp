// SPDX-License-Identifier: GPL-3.0-or-later
// The open counting window as the pupil meets it: what it shows when it opens, where the focus
// goes, a run typed key by key, what no paste or close key can do, and the return to the start
// screen from every state.
#include "open_counting/form789.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QtTest>
#include <memory>

#include "tests/support/columns.h"
#include "tests/support/game_messages.h"
#include "tests/support/screen_driver.h"

using numora::Form789;
using numora::Pupil;
using namespace numora::testing;

namespace {

const QString kLevel7Rule = QStringLiteral("7级规则: 5分钟  不限位 不能改");
const QString kLevel8Rule = QStringLiteral("8级规则: 7分钟  不限位 不能改 ");

}  // namespace

// Level 8 unless a test opens level 7.
class Form789Test : public ScreenSuite {
  Q_OBJECT

 public:
  Form789Test()
      : ScreenSuite(Pupil{8, "小明", ""}, {3,
                                           400,
                                           {{State::EndedByWrongEntry, message::kWrongEntry},
                                            {State::TimedOut, message::kTimeUp}}}) {}

 private:
  using ScreenSuite::Open;
  bool Open(int level) { return Open(Pupil{static_cast<std::int16_t>(level), "小明", ""}); }

 private slots:
  void init() { clock_.Set(10, 0, 0, 0); }
  void cleanup() { Close(); }

  void opensReadyToStart_data() {
    AddColumns<int, QString, QString>("level", "minutes", "rule");
    QTest::newRow("level 7") << 7 << "5" << kLevel7Rule;
    QTest::newRow("level 8") << 8 << "7" << kLevel8Rule;
  }
  void opensReadyToStart() {
    QFETCH(int, level);
    QFETCH(QString, minutes);
    QFETCH(QString, rule);
    QVERIFY(Open(level));
    QCOMPARE(Window().windowTitle(), QStringLiteral("Numora"));
    QCOMPARE(Text("Label3"), QString::number(level));
    QCOMPARE(Text("Label15"), minutes);
    QCOMPARE(Text("Label19"), rule);
    QCOMPARE(Text("Label8"), QStringLiteral("小明"));
    QCOMPARE(Text("Label12"), QString());
    QCOMPARE(Text("Label4"), QString());
    QCOMPARE(Text("Label6"), QString());
    QCOMPARE(Text("Label1"), QStringLiteral(" "));
    QCOMPARE(Text("Label9"), QString());
    QCOMPARE(Text("Text1"), QString());
    for (const char* field : {"Label14", "Label13", "Label2", "Label11"}) {
      QCOMPARE(Text(field), QStringLiteral("00"));
    }
    QVERIFY(!Box()->isEnabled());
    QVERIFY(Button("Command3")->isHidden());
    QVERIFY(Button("Command1")->isEnabled());
    QCOMPARE(Focus(), Button("Command1"));
    QVERIFY(!Window().tickTimer()->isActive());
    QCOMPARE(Window().findChild<QLabel*>(QStringLiteral("Label9"))->property("index").toInt(), 10);
  }

  // The captions the engine never writes stay as they were laid out, through whole runs.
  void fixedCaptionsOutliveRuns() {
    QVERIFY(Open(7));
    const char* fixed[] = {"Label7", "Label5", "Label18", "Label17", "Label16", "Label10"};
    QStringList before;
    for (const char* name : fixed) before << Text(name);
    QVERIFY(Reach(State::PlayAgain));
    QVERIFY(Reach(State::TimedOut));
    QStringList after;
    for (const char* name : fixed) after << Text(name);
    QCOMPARE(after, before);
  }

  void startPassesFocusToTheBox() { CheckStartFocusesTheBox(); }

  void typedRunEndsByBackspace() {
    QVERIFY(Open(8));
    Button("Command1")->click();
    PlayNumbers(1, 12, 250);
    QCOMPARE(Text("Label4"), QStringLiteral(" 12"));
    QCOMPARE(Text("Label9"), QStringLiteral("√"));
    QCOMPARE(Text("Text1"), QString());
    // 3 s into the visit: the second row counts up, the countdown down from 7 minutes.
    QCOMPARE(Text("Label2"), QStringLiteral("03"));
    QCOMPARE(Text("Label11"), QStringLiteral("00"));
    QCOMPARE(Text("Label15"), QStringLiteral(" 6"));
    QCOMPARE(Text("Label14"), QStringLiteral("57"));
    QCOMPARE(Text("Label13"), QStringLiteral("00"));

    QTest::keyClicks(Focus(), QStringLiteral("13"));
    Press(Window(), Qt::Key_Backspace);
    QCOMPARE(Text("Text1"), QStringLiteral("13"));  // the backspace took nothing out
    QCOMPARE(Text("Label1"), QStringLiteral("本次有效数字范围是 1 -  12"));
    QCOMPARE(Text("Label9"), QStringLiteral("×"));
    QCOMPARE(Text("Label6"), QStringLiteral("12"));
    QVERIFY(!Box()->isEnabled());
    QVERIFY(Button("Command3")->isVisible() && Button("Command3")->isEnabled());
    QCOMPARE(Focus(), Button("Command3"));

    // The second row stops; the level's time goes on running down.
    clock_.Advance(1234);
    QVERIFY(Tick(Window()));
    QCOMPARE(Text("Label2"), QStringLiteral("03"));
    QCOMPARE(Text("Label14"), QStringLiteral("55"));
    QCOMPARE(Text("Label13"), QStringLiteral("77"));
  }

  void refusesPastedText_data() { PasteRows(); }
  void refusesPastedText() {
    QVERIFY(Open(7));
    CheckPasteRefused();
  }

  void closeKeysNeverClose_data() {
    QTest::addColumn<State>("state");
    QTest::newRow("loaded") << State::Loaded;
    QTest::newRow("running") << State::Running;
    QTest::newRow("ended") << State::EndedByBackspace;
    QTest::newRow("timed out") << State::TimedOut;
  }
  void closeKeysNeverClose() {
    QFETCH(State, state);
    QVERIFY(Open(8));
    QVERIFY(Reach(state));
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
      Press(Window(), key);
      QTest::keyClick(&Window(), key);
      QVERIFY2(Window().isVisible(), qPrintable(QKeySequence(key).toString()));
    }
  }

  void returnsFromEveryState_data() { EveryStateRows(); }
  void returnsFromEveryState() { CheckReturnFrom(); }

  // Each opening starts from a fresh load: the best count of a visit goes with it.
  void reopensWithoutBest() {
    QStringList bests;
    QStringList messages;
    const auto visit = [&](bool play) {
      VisitLevel<Form789>(7, [&](Form789& window) {
        bests << TextOf(window, "Label6");
        messages << TextOf(window, "Label1");
        if (play) {
          ButtonOf(window, "Command1")->click();
          for (int n = 1; n <= 3; ++n) TypeEntry(window, QString::number(n));
          Press(window, Qt::Key_Backspace);
          bests << TextOf(window, "Label6");
        }
        ButtonOf(window, "Command2")->click();
      });
    };
    visit(true);
    visit(false);
    QCOMPARE(bests, QStringList({QString(), QStringLiteral("3"), QString()}));
    QCOMPARE(messages, QStringList({QStringLiteral(" "), QStringLiteral(" ")}));
  }

  // The installed faces are taller than the design's: the widest texts each label gets must
  // still show whole. The level digit alone is meant to be cut off at the top.
  void textsShowWhole_data() {
    AddColumns<QString, QString>("label", "text");
    LabelRow("title", "Label7", "Digora");
    LabelRow("name", "Label8", "欧阳小明");
    LabelRow("minutes", "Label15", " 7");
    LabelRow("colon", "Label17", ":");
    LabelRow("seconds left", "Label14", "59");
    LabelRow("point", "Label16", ".");
    LabelRow("hundredths left", "Label13", "99");
    LabelRow("seconds", "Label2", "59");
    LabelRow("hundredths", "Label11", "99");
    LabelRow("best heading", "Label5", "最好成绩");
    LabelRow("best", "Label6", "9999");
    LabelRow("unit", "Label18", "位");
    LabelRow("school", "Label12", "小学部");
    LabelRow("record", "Label1", "记录又被刷新,有效数字范围是 1 -  9999");
    LabelRow("wrong entry", "Label1", message::kWrongEntry);
    LabelRow("last number", "Label4", "8888");
    LabelRow("accepted", "Label9", "√");
    LabelRow("ended", "Label9", "×");
    LabelRow("level 7 rule", "Label19", kLevel7Rule);
    LabelRow("level 8 rule", "Label19", kLevel8Rule);
  }
  void textsShowWhole() { CheckShowsWhole(); }
};

QTEST_MAIN(Form789Test)
#include "form789_test.moc"
