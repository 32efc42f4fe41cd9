// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of a challenge window while a run ticks: a key of level 9 moves Timer1's beat to
// itself with a tick, and the labels the ticks change are repainted at most once a display
// frame, the last text always shown.
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "platform/tick_pacer.h"
#include "tests/support/screen_driver.h"

using numora::Pupil;
using numora::platform::TickPacer;
using namespace numora::testing;

namespace {

// Records the text a label or box shows at each of its paints.
class PaintLog final : public QObject {
 public:
  explicit PaintLog(QWidget& shown) : shown_(shown) { shown.installEventFilter(this); }
  ~PaintLog() override { shown_.removeEventFilter(this); }
  QStringList painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted << shown_.property("text").toString();
    return false;
  }

 private:
  QWidget& shown_;
};

}  // namespace

class TickPacingTest : public ScreenSuite {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(Open(Pupil{9, "小明", ""}));
    Button("Command1")->click();
    QVERIFY(Window().tickTimer()->isActive());
  }
  void cleanup() { Close(); }

  // Every key of level 9 starts its pause afresh and asks for the tick again: the beat moves to
  // the key, with a tick right after it. The test's Timer1 beats once a minute, so that only
  // the ticks it delivers itself and the key's come.
  void keysRealignTheBeat() {
    QTimer* timer = Window().tickTimer();
    timer->setInterval(60000);
    for (int n = 1; n <= 5; ++n) {
      clock_.Advance(300);
      QVERIFY(Tick(Window()));
      QCOMPARE(Text("Label11"), QStringLiteral("30"));
      QTest::qWait(20);
      const int before = timer->remainingTime();
      TypeEntry(Window(), QString::number(n));
      QCOMPARE(Text("Label4"), QStringLiteral(" %1").arg(n));
      // The tick at the key shows a pause of nothing, and the next tick is a whole beat away.
      QCOMPARE(Text("Label2"), QStringLiteral("0"));
      QCOMPARE(Text("Label11"), QStringLiteral("00"));
      QVERIFY2(timer->remainingTime() > before,
               qPrintable(QStringLiteral("%1 ms to the tick before the key, %2 after")
                              .arg(before)
                              .arg(timer->remainingTime())));
    }
  }

  // Ticks every 10 ms of the clock, delivered as fast as the machine goes: the hundredths change
  // at each, the window paints them at most once a frame, and the last one is shown.
  void repaintsAtMostOnceAFrame() {
    auto* hundredths = Window().findChild<QLabel*>(QStringLiteral("Label13"));
    QVERIFY(hundredths);
    QTest::qWait(2 * TickPacer::kFrameMs);
    PaintLog log(*hundredths);
    constexpr int kTicks = 40;
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kTicks; ++i) {
      clock_.Advance(10);
      QVERIFY(Tick(Window()));
      QCoreApplication::processEvents();
    }
    const qint64 took = wall.elapsed();
    QVERIFY2(log.painted.size() <= took / TickPacer::kFrameMs + 2,
             qPrintable(QStringLiteral("%1 paints in %2 ms").arg(log.painted.size()).arg(took)));
    QTRY_VERIFY_WITH_TIMEOUT(!log.painted.isEmpty() && log.painted.last() == hundredths->text(),
                             10 * TickPacer::kFrameMs);
  }

  // A key is shown at the next turn of the event loop, even within a frame of the last paint:
  // the digit in the box, and after Enter the number below and the box emptied.
  void keysArePaintedAtOnce() {
    auto* box = Window().findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* last = Window().findChild<QLabel*>(QStringLiteral("Label4"));
    QVERIFY(box && last);
    for (int n = 1; n <= 12; ++n) {
      // A tick painted just now: the frame has begun.
      clock_.Advance(7);
      QVERIFY(Tick(Window()));
      QCoreApplication::processEvents();
      PaintLog boxLog(*box);
      PaintLog lastLog(*last);
      const QString digits = QString::number(n);
      for (const QChar digit : digits) QTest::keyClick(box, digit.toLatin1());
      QCoreApplication::processEvents();
      QVERIFY2(boxLog.painted.contains(digits), qPrintable(boxLog.painted.join(u',')));
      QTest::keyClick(box, Qt::Key_Return);
      QCoreApplication::processEvents();
      QCOMPARE(Text("Label4"), QStringLiteral(" %1").arg(n));
      QVERIFY2(lastLog.painted.contains(Text("Label4")), qPrintable(lastLog.painted.join(u',')));
      QCOMPARE(boxLog.painted.last(), QString());
    }
  }

  // A burst of keys queued all at once, as the window system hands over a fast typist's or a
  // held key's: every number is taken, in order, and the last one is painted with the box empty.
  void aBurstLosesNoKey() {
    auto* box = Window().findChild<QLineEdit*>(QStringLiteral("Text1"));
    auto* last = Window().findChild<QLabel*>(QStringLiteral("Label4"));
    QVERIFY(box && last);
    PaintLog lastLog(*last);
    PaintLog boxLog(*box);
    constexpr int kNumbers = 1000;
    auto post = [box](int key, const QString& text) {
      QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
      QCoreApplication::postEvent(box,
                                  new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    };
    for (int n = 1; n <= kNumbers; ++n) {
      for (const QChar digit : QString::number(n)) post(Qt::Key_0 + digit.digitValue(), digit);
      post(Qt::Key_Return, QStringLiteral("\r"));
    }
    const QString shown = QString::number(kNumbers);
    QTRY_COMPARE_WITH_TIMEOUT(Text("Label4").trimmed(), shown, 20000);
    QVERIFY(Window().tickTimer()->isActive());
    QTRY_VERIFY(!lastLog.painted.isEmpty() && lastLog.painted.last().trimmed() == shown);
    QTRY_VERIFY(!boxLog.painted.isEmpty() && boxLog.painted.last().isEmpty());
  }

  // Once the run has ended the window is not ticking, and a change is painted at the next turn
  // of the event loop.
  void endedRunPaintsAtOnce() {
    auto* message = Window().findChild<QLabel*>(QStringLiteral("Label1"));
    QVERIFY(message);
    clock_.Advance(2000);
    QVERIFY(Tick(Window()));
    QVERIFY(!Window().tickTimer()->isActive());
    QTest::qWait(2 * TickPacer::kFrameMs);
    PaintLog log(*message);
    message->setText(QStringLiteral("1"));
    QCoreApplication::processEvents();
    message->setText(QStringLiteral("2"));
    QCoreApplication::processEvents();
    QCOMPARE(log.painted, QStringList({QStringLiteral("1"), QStringLiteral("2")}));
  }
};

QTEST_MAIN(TickPacingTest)
#include "tick_pacing_test.moc"
