// SPDX-License-Identifier: GPL-3.0-or-later
// Opening and closing the challenge windows from the start screen, again and again and in
// every state, leaves nothing behind: no window, no ticking timer, no growing memory (and, in the
// sanitizer build, no leak).
#ifdef _WIN32
// psapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on
#else
#include <unistd.h>
#endif

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// By the names suites outside this tree have long used (compat/): they must still build.
#include "challenges/engines.h"
#include "challenges/screens.h"
#include "platform/clock.h"
#include "platform/layout.h"
#include "start/form0.h"
#include "tests/support/screen_driver.h"

using namespace numora;

namespace {

long ResidentKiB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
  return static_cast<long>(counters.WorkingSetSize / 1024);
#else
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return -1;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
#endif
}

void Click(QWidget& window, const char* name) {
  if (auto* button = window.findChild<QPushButton*>(QLatin1String(name))) {
    if (button->isEnabled() && button->isVisible()) button->click();
  }
}

void Type(QWidget& window, const QString& keys) {
  if (auto* box = window.findChild<QLineEdit*>(QStringLiteral("Text1"))) {
    QTest::keyClicks(box, keys);
    QTest::keyClick(box, Qt::Key_Return);
  }
}

// Puts the open challenge window in one of its states, then leaves it by its return button.
void VisitAndReturn(QWidget& window, int state) {
  switch (state % 4) {
    case 0:  // as loaded
      break;
    case 1:  // in a run
      Click(window, "Command1");
      Type(window, QStringLiteral("1"));
      break;
    case 2:  // after a wrong entry
      Click(window, "Command1");
      Type(window, QStringLiteral("5"));
      break;
    case 3:  // after play again
      Click(window, "Command1");
      Type(window, QStringLiteral("5"));
      Click(window, "Command3");
      break;
  }
  Click(window, "Command2");
}

}  // namespace

class LifecycleTest : public testing::ClockSuite {
  Q_OBJECT

 private slots:
  void initTestCase() { platform::InstallFontSubstitutions(); }

  void openAndCloseFiveHundredTimes_data() {
    QTest::addColumn<int>("level");
    QTest::newRow("counting") << 3;
    QTest::newRow("open counting") << 7;
    QTest::newRow("endurance") << 9;
  }
  void openAndCloseFiveHundredTimes() {
    QFETCH(int, level);
    Form0 form;
    form.show();
    form.PickLevel(level);
    auto* enter = form.findChild<QPushButton*>(QStringLiteral("Command0"));
    QVERIFY(enter);

    constexpr int kVisits = 500;
    constexpr int kWarmUp = 100;
    [[maybe_unused]] long warmKiB = 0;
    for (int i = 0; i < kVisits; ++i) {
      bool seen = false;
      QTimer::singleShot(0, &form, [&seen, i] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window) return;
        seen = true;
        VisitAndReturn(*window, i);
        // Should the return button have failed, the suite must not hang on the modal window.
        if (window->isVisible()) window->close();
      });
      enter->click();
      QVERIFY2(seen, qPrintable(QStringLiteral("visit %1 opened no window").arg(i)));
      QVERIFY(QApplication::activeModalWidget() == nullptr);
      if (i + 1 == kWarmUp) warmKiB = ResidentKiB();
    }
    // Every window is gone; only the start screen is left.
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    QCOMPARE(form.GameLevel, std::int16_t(level));
#if !defined(__SANITIZE_ADDRESS__)
    // The sanitizer keeps freed memory aside on purpose, so memory is only weighed without it.
    const long grownKiB = ResidentKiB() - warmKiB;
    qInfo("resident memory grew by %ld KiB over %d visits after the first %d", grownKiB,
          kVisits - kWarmUp, kWarmUp);
    QVERIFY2(grownKiB < 2048, qPrintable(QString::number(grownKiB)));
#endif
  }
};

QTEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
