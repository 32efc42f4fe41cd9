// The counting window played through its widgets: keys, clicks and the real tick timer, with a
// clock the test moves.
#include "counting/form1.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "platform/clock.h"
#include "platform/number_box.h"
#include "tests/support/fake_view.h"

using namespace numora;
using numora::testing::ManualClock;

namespace {

// One visit to the window, as the start screen makes it.
struct Visit {
  std::unique_ptr<Form1> window;

  Visit(CountingEngine& engine, int level) {
    window = std::make_unique<Form1>(engine, Pupil{static_cast<std::int16_t>(level), "小明", ""});
    window->show();
    window->activateWindow();
  }
  bool Exposed() const { return QTest::qWaitForWindowExposed(window.get()); }

  template <class T = QWidget>
  T* Get(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QString Text(const char* name) const {
    if (auto* box = Get<QLineEdit>(name)) return box->text();
    return Get<QLabel>(name)->text();
  }
  platform::NumberBox* Box() const { return Get<platform::NumberBox>("Text1"); }
  QTimer* Timer() const { return window->tickTimer(); }
  void Click(const char* name) const { QTest::mouseClick(Get(name), Qt::LeftButton); }
  void Enter(int number, bool keypad = false) const {
    const Qt::KeyboardModifiers mods = keypad ? Qt::KeypadModifier : Qt::NoModifier;
    for (const QChar digit : QString::number(number)) {
      QTest::keyClick(Box(), static_cast<Qt::Key>(digit.unicode()), mods);
    }
    QTest::keyClick(Box(), keypad ? Qt::Key_Enter : Qt::Key_Return, mods);
  }
};

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

  ManualClock clock_;
  std::unique_ptr<CountingEngine> engine_;

  // Waits for the tick to show the clock's time since the run started.
  bool TickShows(const Visit& visit, const QString& seconds, const QString& hundredths) {
    return QTest::qWaitFor(
        [&] { return visit.Text("Label2") == seconds && visit.Text("Label11") == hundredths; });
  }

 private slots:
  void initTestCase() { platform::ReplaceDayClock(&clock_); }
  void cleanupTestCase() { platform::ReplaceDayClock(nullptr); }
  void init() {
    clock_.Set(10, 0, 0, 0);
    engine_ = std::make_unique<CountingEngine>(platform::AppClock());
  }

  void opensReadyForStart() {
    Visit visit(*engine_, 4);
    QVERIFY(visit.Exposed());
    QCOMPARE(visit.window->windowTitle(), "Numora");
    QCOMPARE(visit.Text("Label3"), "4");
    QCOMPARE(visit.Text("Label19"), "4级规则: 6分钟 不限次 连续输入数字 1-200 ");
    QCOMPARE(visit.Text("Label15"), "6");
    QCOMPARE(visit.Text("Label14"), "00");
    QCOMPARE(visit.Text("Label13"), "00");
    QCOMPARE(visit.Text("Label6"), "");
    QCOMPARE(visit.Text("Label1"), " ");
    QCOMPARE(visit.Text("Text1"), "");
    QVERIFY(!visit.Box()->isEnabled());
    QVERIFY(visit.Get("Command3")->isHidden());
    QVERIFY(visit.Get("Picture1")->isHidden());
    QVERIFY(!visit.Timer()->isActive());
    QCOMPARE(visit.Timer()->interval(), 7);
    QCOMPARE(visit.Timer()->timerType(), Qt::PreciseTimer);
    QCOMPARE(visit.Get("Label9")->property("index").toInt(), 10);
    QCOMPARE(visit.window->focusWidget(), visit.Get("Command1"));
    // Keys before Start cannot begin an untimed count.
    QTest::keyClicks(visit.Box(), "0");
    QCOMPARE(visit.Text("Text1"), "");
    QCOMPARE(visit.Text("Label9"), "");
    // The tab order: Start, the box, Play again, Return.
    QCOMPARE(visit.Get("Command1")->nextInFocusChain(), visit.Get("Text1"));
    QCOMPARE(visit.Get("Text1")->nextInFocusChain(), visit.Get("Command3"));
    QCOMPARE(visit.Get("Command3")->nextInFocusChain(), visit.Get("Command2"));
  }

  void wholeLevel1Run() {
    Visit visit(*engine_, 1);
    QVERIFY(visit.Exposed());
    visit.Click("Command1");
    QVERIFY(visit.Timer()->isActive());
    QCOMPARE(visit.window->focusWidget(), visit.Get("Text1"));
    for (int n = 1; n < 50; ++n) {
      visit.Enter(n, n % 2 == 0);
      QCOMPARE(visit.Text("Label9"), "√");
      QCOMPARE(visit.Text("Text1"), "");
    }
    QCOMPARE(visit.Text("Label4"), " 49");
    clock_.Advance(83275);
    QVERIFY(TickShows(visit, "83", "28"));
    visit.Enter(50);
    QCOMPARE(visit.Text("Label1"), "挑战成功,你真棒!");
    QCOMPARE(visit.Text("Text1"), "50");
    QCOMPARE(visit.Text("Label6"), "83.27");
    QCOMPARE(visit.Text("Label9"), "");
    QVERIFY(!visit.Box()->isEnabled());
    QVERIFY(!visit.Get("Command1")->isEnabled());
    QVERIFY(visit.Get("Command3")->isVisible() && visit.Get("Command3")->isEnabled());
    QCOMPARE(visit.window->focusWidget(), visit.Get("Command3"));
    // The picture is shown over the last-number label.
    QWidget* picture = visit.Get("Picture1");
    QVERIFY(picture->isVisible());
    const QRect under = visit.Get("Label4")->geometry();
    QVERIFY(picture->geometry().intersects(under));
    QCOMPARE(visit.window->childAt(under.center()), picture);
    // The elapsed row stays; the time left goes on.
    const QString left = visit.Text("Label13");
    clock_.Advance(1234);
    QVERIFY(QTest::qWaitFor([&] { return visit.Text("Label13") != left; }));
    QCOMPARE(visit.Text("Label2"), "83");

    visit.Click("Command3");
    QCOMPARE(visit.window->focusWidget(), visit.Get("Command1"));
    QVERIFY(picture->isHidden());
    QCOMPARE(visit.Text("Label2"), "00");
  }

  // Delete edits the box without the key filter; Backspace goes through it and clears the mark.
  void deleteAndBackspace() {
    Visit visit(*engine_, 1);
    QVERIFY(visit.Exposed());
    visit.Click("Command1");
    visit.Enter(1);
    QTest::keyClick(visit.Box(), Qt::Key_Delete);
    QCOMPARE(visit.Text("Label9"), "√");
    QTest::keyClick(visit.Box(), Qt::Key_Backspace);
    QCOMPARE(visit.Text("Label9"), "");
    QTest::keyClicks(visit.Box(), "23");
    QTest::keyClick(visit.Box(), Qt::Key_Home);
    QTest::keyClick(visit.Box(), Qt::Key_Delete);
    QCOMPARE(visit.Text("Text1"), "3");
    QTest::keyClick(visit.Box(), Qt::Key_End);
    QTest::keyClick(visit.Box(), Qt::Key_Backspace);
    QCOMPARE(visit.Text("Text1"), "");
    visit.Enter(2);
    QCOMPARE(visit.Text("Label9"), "√");
    QCOMPARE(visit.Text("Label4"), " 2");
  }

  void pasteIsRefused_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("Ctrl+V") << "ctrl-v";
    QTest::newRow("Shift+Insert") << "shift-insert";
    QTest::newRow("middle click") << "middle";
    QTest::newRow("letters and signs") << "keys";
  }
  void pasteIsRefused() {
    QFETCH(QString, how);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("2"));
    if (clipboard->supportsSelection())
      clipboard->setText(QStringLiteral("2"), QClipboard::Selection);
    Visit visit(*engine_, 1);
    QVERIFY(visit.Exposed());
    visit.Click("Command1");
    visit.Enter(1);
    if (how == "ctrl-v") QTest::keyClick(visit.Box(), Qt::Key_V, Qt::ControlModifier);
    if (how == "shift-insert") QTest::keyClick(visit.Box(), Qt::Key_Insert, Qt::ShiftModifier);
    if (how == "middle") QTest::mouseClick(visit.Box(), Qt::MiddleButton);
    if (how == "keys") QTest::keyClicks(visit.Box(), "a -+.");
    QCOMPARE(visit.Text("Text1"), "");
    // Nothing that is not a digit or Backspace clears the mark.
    QCOMPARE(visit.Text("Label9"), "√");
    visit.Enter(2);
    QCOMPARE(visit.Text("Label4"), " 2");
  }

  // Escape is a key like any other and Enter only ends an entry: neither closes the window.
  void escapeAndEnterKeepTheWindow() {
    Visit visit(*engine_, 1);
    QVERIFY(visit.Exposed());
    QTest::keyClick(visit.window.get(), Qt::Key_Escape);
    QTest::keyClick(visit.Get("Command1"), Qt::Key_Escape);
    visit.Click("Command1");
    QTest::keyClick(visit.Box(), Qt::Key_Escape);
    QTest::keyClick(visit.Box(), Qt::Key_Return);
    QTest::keyClick(visit.Box(), Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(visit.window->isVisible());
    QVERIFY(visit.Box()->isEnabled());
    QCOMPARE(visit.Text("Label9"), "");
    visit.Enter(1);
    QCOMPARE(visit.Text("Label9"), "√");
  }

  // After time is up, Play again and Start begin a new limit with a running tick.
  void timeUpAndANewLimit() {
    Visit visit(*engine_, 1);
    QVERIFY(visit.Exposed());
    visit.Click("Command1");
    visit.Enter(1);
    clock_.Advance(299901);
    QTRY_COMPARE(visit.Text("Label1"), "时间到!");
    QVERIFY(!visit.Timer()->isActive());
    QVERIFY(!visit.Box()->isEnabled());
    visit.Click("Command3");
    visit.Click("Command1");
    QVERIFY(visit.Timer()->isActive());
    clock_.Advance(1000);
    QVERIFY(TickShows(visit, "01", "00"));
    QTRY_COMPARE(visit.Text("Label15"), " 4");
    QCOMPARE(visit.Text("Label14"), "58");
    QCOMPARE(visit.Text("Label13"), "90");
  }

  void returnInEveryState_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("titleBar");  // closed by the title bar instead of Return
    for (const char* state : {"ready", "running", "complete", "failed", "time up", "again"}) {
      QTest::addRow("%s", state) << state << false;
    }
    QTest::newRow("running, title bar") << "running" << true;
  }
  void returnInEveryState() {
    QFETCH(QString, state);
    QFETCH(bool, titleBar);
    {
      Visit visit(*engine_, 1);
      QVERIFY(visit.Exposed());
      if (state != "ready") visit.Click("Command1");
      if (state == "complete" || state == "again") {
        clock_.Advance(42000);
        QVERIFY(TickShows(visit, "42", "00"));
        for (int n = 1; n <= 50; ++n) visit.Enter(n);
      }
      if (state == "failed") visit.Enter(3);
      if (state == "time up") {
        clock_.Advance(300000);
        QTRY_COMPARE(visit.Text("Label1"), "时间到!");
      }
      if (state == "again") visit.Click("Command3");
      if (titleBar) {
        visit.window->close();
      } else {
        visit.Click("Command2");
      }
      QVERIFY(!visit.window->isVisible());
      QCOMPARE(visit.window->result(), int(QDialog::Accepted));
      QVERIFY(!visit.Timer()->isActive());
    }
    // The engine outlives the window; a new visit starts from Load and keeps only the best.
    const bool hadBest = state == "complete" || state == "again";
    QCOMPARE(engine_->BestHundredths(), hadBest ? 4200 : 0);
    Visit next(*engine_, 2);
    QVERIFY(next.Exposed());
    QCOMPARE(next.Text("Label3"), "2");
    QCOMPARE(next.Text("Label6"), "");
    QCOMPARE(next.Text("Label1"), " ");
    QVERIFY(next.Get("Command3")->isHidden());
    QVERIFY(!next.Timer()->isActive());
    QCOMPARE(next.window->focusWidget(), next.Get("Command1"));
  }

  // The start screen's way in: a modal window over a program-long engine.
  void showForm1KeepsTheBestAcrossVisits() {
    QStringList seen;
    auto play = [&](int level, double ms) {
      QTimer::singleShot(0, [&, level, ms] {
        auto* window = qobject_cast<Form1*>(QApplication::activeModalWidget());
        if (!window) {
          seen << "no modal window";
          return;
        }
        auto* box = window->findChild<platform::NumberBox*>(QStringLiteral("Text1"));
        auto text = [&](const char* name) {
          return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
        };
        seen << text("Label3") + "|" + text("Label6");
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        clock_.Advance(ms);
        if (!QTest::qWaitFor([&] { return text("Label2") == QString::number(ms / 1000); })) {
          seen << "no tick";
        }
        for (int n = 1; n <= 50 * level; ++n) {
          QTest::keyClicks(box, QString::number(n));
          QTest::keyClick(box, Qt::Key_Return);
        }
        seen << text("Label1") + "|" + text("Label6");
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command2")),
                          Qt::LeftButton);
      });
      ShowForm1(Pupil{static_cast<std::int16_t>(level), "小明", ""}, nullptr);
    };
    play(1, 30000);
    play(2, 40000);
    const QStringList expected = {"1|", "挑战成功,你真棒!|30.00", "2|", "挑战成功,你真棒!|30.00"};
    QCOMPARE(seen, expected);
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
