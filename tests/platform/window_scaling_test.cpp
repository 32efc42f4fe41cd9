// SPDX-License-Identifier: GPL-3.0-or-later
// A challenge window that is maximised scales its whole layout and every font by one factor and
// stands centred; restored, it is exactly as laid out. Only maximising resizes it, and a tick
// does no layout work.
#include <QScreen>
#include <QtTest>
#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt_version.h"
#include "start/form0.h"
#include "tests/support/screen_driver.h"

using numora::ChallengeWindow;
using numora::Pupil;
using numora::platform::DesignLabel;
using namespace numora::testing;

namespace {

const QSize kDesignSize(1016, 730);

// The screen the windows are maximised on, as large as a classroom projector's: wide unless
// NUMORA_TEST_SCREEN gives another size ("1280x1024"); the suite runs on several.
QSize ScreenSize() {
  const QList<QByteArray> size = qgetenv("NUMORA_TEST_SCREEN").split('x');
  if (size.size() == 2) return {size[0].toInt(), size[1].toInt()};
  return {1920, 1080};
}

// The window that plays the level over an engine of its own.
std::unique_ptr<Screen> MakeScreen(const QString& which) {
  const int level = which == QLatin1String("Form1") ? 3 : which == QLatin1String("Form789") ? 8 : 9;
  return numora::driving::MakeScreen(Pupil{static_cast<std::int16_t>(level), "小明", ""});
}

// Where a control stands and what font it has.
struct Placed {
  QWidget* widget;
  QRect rect;
  QFont font;
};

std::vector<Placed> Controls(const QWidget& window) {
  std::vector<Placed> controls;
  for (QWidget* widget : window.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    controls.push_back({widget, widget->geometry(), widget->font()});
  }
  return controls;
}

// Maximises the shown window and returns the size it takes, empty when it takes none: the
// suite's screen (frameless), or where the offscreen screen is always 800 x 600 (Qt 5) that
// screen less the frame, smaller than the design, so that the layout scales down.
QSize Maximise(ChallengeWindow& window) {
  const QSize before = window.size();
  window.showMaximized();
  if (!QTest::qWaitFor([&] { return window.isMaximized() && window.size() != before; })) return {};
  if (numora::platform::kOffscreenScreenOfAnySize &&
      window.size() != window.screen()->geometry().size()) {
    return {};
  }
  return window.size();
}

// The edges of `label`'s frame that the window's picture lacks: an edge is there when a line of
// device pixels near it, across all but its ends, is of the frame's colour.
QStringList MissingEdges(const QImage& picture, const QWidget& window, const DesignLabel& label) {
  const double ratio = picture.devicePixelRatio();
  const QRectF at(QPointF(label.mapTo(&window, QPoint())) * ratio, QSizeF(label.size()) * ratio);
  const QRgb frame = label.FrameColor().rgb();
  const int reach = static_cast<int>(std::ceil(ratio)) + 1;
  const int left = static_cast<int>(std::floor(at.left()));
  const int top = static_cast<int>(std::floor(at.top()));
  const int right = static_cast<int>(std::ceil(at.right()));
  const int bottom = static_cast<int>(std::ceil(at.bottom()));
  // Whether some line of pixels from `first` to `last` (across `from` to `to` along it) is the
  // frame's colour.
  const auto lineIn = [&](bool across, int first, int last, int from, int to) {
    for (int line = first; line <= last; ++line) {
      int framed = 0;
      for (int along = from + reach; along < to - reach; ++along) {
        const QPoint pixel = across ? QPoint(along, line) : QPoint(line, along);
        if (picture.valid(pixel) && picture.pixel(pixel) == frame) ++framed;
      }
      if (framed >= (to - from - 2 * reach) * 9 / 10) return true;
    }
    return false;
  };
  QStringList missing;
  if (!lineIn(true, top - 1, top + reach, left, right)) missing << QStringLiteral("top");
  if (!lineIn(true, bottom - reach - 1, bottom, left, right)) missing << QStringLiteral("bottom");
  if (!lineIn(false, left - 1, left + reach, top, bottom)) missing << QStringLiteral("left");
  if (!lineIn(false, right - reach - 1, right, top, bottom)) missing << QStringLiteral("right");
  return missing;
}

// Every framed label of the window as it is shown now, with the edges it lacks.
QString FramesMissingEdges(QWidget& window) {
  QCoreApplication::processEvents();
  const QImage picture = window.grab().toImage();
  QString faults;
  int framed = 0;
  for (const DesignLabel* label : window.findChildren<DesignLabel*>()) {
    if (!label->FrameColor().isValid() || !label->isVisible()) continue;
    ++framed;
    const QStringList missing = MissingEdges(picture, window, *label);
    if (!missing.isEmpty()) {
      faults += QStringLiteral("%1 %2 lacks %3; ")
                    .arg(label->objectName(), BoxText(label->geometry()), missing.join(u','));
    }
  }
  return framed == 0 ? QStringLiteral("no framed label") : faults;
}

}  // namespace

class WindowScalingTest : public QObject {
  Q_OBJECT

  ManualClock clock_;

 private slots:
  void initTestCase() {
    numora::platform::InstallFontSubstitutions();
    numora::platform::ReplaceDayClock(&clock_);
  }
  void cleanupTestCase() { numora::platform::ReplaceDayClock(nullptr); }

  void maximisedLayoutScalesAndRestores_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"Form1", "Form789", "Form9"}) QTest::newRow(window) << window;
  }
  void maximisedLayoutScalesAndRestores() {
    QFETCH(QString, window);
    const auto shown = MakeScreen(window);
    ChallengeWindow& w = shown->Window();
    QVERIFY(ShowActive(w));
    QCOMPARE(w.size(), kDesignSize);
    const std::vector<Placed> design = Controls(w);

    const QSize size = Maximise(w);
    QVERIFY(!size.isEmpty());
    const double factor = std::min(size.width() / 1016.0, size.height() / 730.0);
    QCOMPARE(w.scale(), factor);
    const QPointF offset((size.width() - 1016 * factor) / 2, (size.height() - 730 * factor) / 2);
    for (const Placed& control : design) {
      const QString name = control.widget->objectName();
      const QRectF expected(offset + QPointF(control.rect.topLeft()) * factor,
                            QSizeF(control.rect.size()) * factor);
      const QRect now = control.widget->geometry();
      const bool placed = std::abs(now.left() - expected.left()) <= 1 &&
                          std::abs(now.top() - expected.top()) <= 1 &&
                          std::abs(now.left() + now.width() - expected.right()) <= 1 &&
                          std::abs(now.top() + now.height() - expected.bottom()) <= 1;
      QVERIFY2(placed, qPrintable(name + ": " + BoxText(now) + ", expected " + BoxText(expected)));
      const double em = numora::platform::EmPixels(control.widget->font(), *control.widget);
      const double designEm = numora::platform::EmPixels(control.font, *control.widget);
      QVERIFY2(std::abs(em - designEm * factor) <= 1, qPrintable(name));
      QCOMPARE(control.widget->font().stretch(), control.font.stretch());
    }
    // What every label shows at the design size it still shows whole when enlarged. (Shrunk
    // below the design, on Qt 5's small offscreen screen only, labels whose ink fills them at
    // the design size lose a pixel to rounding.)
    for (DesignLabel* label : w.findChildren<DesignLabel*>()) {
      if (factor < 1) break;
      if (label->text().trimmed().isEmpty()) continue;
      const QString fault = CheckShownWhole(*label, label->text());
      QVERIFY2(fault.isEmpty(), qPrintable(label->objectName() + ": " + fault));
    }

    w.showNormal();
    QTRY_COMPARE(w.size(), kDesignSize);
    QCOMPARE(w.scale(), 1.0);
    for (const Placed& control : design) {
      QCOMPARE(control.widget->geometry(), control.rect);
      QCOMPARE(control.widget->font(), control.font);
    }
  }

  // At whatever scale the suite runs (QT_SCALE_FACTOR), a framed label shows all four edges, as
  // laid out and maximised: one logical pixel falls between device pixels at a scale such as
  // 1.04 or 1.5.
  void framesKeepFourEdges_data() {
    QTest::addColumn<QString>("window");
    // The windows with framed labels: the start screen's level and level 9's name and bests.
    QTest::newRow("Form0") << QStringLiteral("Form0");
    QTest::newRow("Form9") << QStringLiteral("Form9");
  }
  void framesKeepFourEdges() {
    QFETCH(QString, window);
    if (window == QLatin1String("Form0")) {
      numora::Form0 start;
      QVERIFY(ShowActive(start));
      const QString faults = FramesMissingEdges(start);
      QVERIFY2(faults.isEmpty(), qPrintable(faults));
      return;
    }
    const auto shown = MakeScreen(window);
    ChallengeWindow& w = shown->Window();
    QVERIFY(ShowActive(w));
    QString faults = FramesMissingEdges(w);
    QVERIFY2(faults.isEmpty(), qPrintable(faults));
    QVERIFY(!Maximise(w).isEmpty());
    faults = FramesMissingEdges(w);
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("maximised: ") + faults));
  }

  // Dragging an edge of a normal window changes nothing: it goes back to its design size.
  void onlyMaximisingResizes() {
    const auto screen = MakeScreen(QStringLiteral("Form9"));
    ChallengeWindow& w = screen->Window();
    QVERIFY(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(w.minimumSize(), kDesignSize);
    QVERIFY(ShowActive(w));
    const std::vector<Placed> design = Controls(w);
    w.resize(1300, 900);
    QTRY_COMPARE(w.size(), kDesignSize);
    QCOMPARE(w.scale(), 1.0);
    for (const Placed& control : design) QCOMPARE(control.widget->geometry(), control.rect);
  }

  // The reward picture is drawn anew at the size it is shown at, not stretched.
  void pictureIsDrawnAtItsShownSize() {
    const auto screen = MakeScreen(QStringLiteral("Form1"));
    ChallengeWindow& w = screen->Window();
    QVERIFY(ShowActive(w));
    auto* picture = w.findChild<QLabel*>(QStringLiteral("Picture1"));
    const auto drawnSize = [&] {
      const QPixmap pixmap = picture->pixmap(Qt::ReturnByValue);
      return (QSizeF(pixmap.size()) / pixmap.devicePixelRatio()).toSize();
    };
    QCOMPARE(drawnSize(), picture->size());
    QVERIFY(!Maximise(w).isEmpty());
    QVERIFY(picture->width() != 305);
    QCOMPARE(drawnSize().width(), picture->width());
    QCOMPARE(picture->pixmap(Qt::ReturnByValue).devicePixelRatio(), w.devicePixelRatioF());
  }

  // A running run of a maximised window: its ticks move no control and change no font.
  void ticksDoNoLayoutWork() {
    const auto screen = MakeScreen(QStringLiteral("Form789"));
    ChallengeWindow& w = screen->Window();
    QVERIFY(ShowActive(w));
    QVERIFY(!Maximise(w).isEmpty());
    ButtonOf(w, "Command1")->click();
    QCoreApplication::processEvents();  // what the start press itself asked for
    struct LayoutEvents : QObject {
      int count = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::FontChange ||
            type == QEvent::LayoutRequest) {
          ++count;
        }
        return false;
      }
    } events;
    for (QWidget* widget : w.findChildren<QWidget*>()) widget->installEventFilter(&events);
    w.installEventFilter(&events);
    const QString before = TextOf(w, "Label11");
    for (int tick = 0; tick < 200; ++tick) {
      clock_.Advance(7);
      QVERIFY(Tick(w));
    }
    QCoreApplication::processEvents();
    QVERIFY(TextOf(w, "Label11") != before);  // the ticks did show the time
    QCOMPARE(events.count, 0);
    QVERIFY(w.scale() != 1);
  }
};

int main(int argc, char** argv) {
  // The offscreen platform with a screen as large as a classroom projector's; windows on it have
  // no frame.
#ifdef Q_OS_WIN
  // Qt splits the platform's options at ':', so no drive letter; and a narrow path must be plain
  // ASCII, which the user's temporary directory need not be. The working directory serves.
  const std::string config =
      QStringLiteral("numora-screen-%1.json").arg(QCoreApplication::applicationPid()).toStdString();
#else
  const std::string config =
      QDir::temp()
          .filePath(QStringLiteral("numora-screen-%1.json").arg(QCoreApplication::applicationPid()))
          .toStdString();
#endif
  std::ofstream(config) << R"({"windowFrameMargins": false, "screens": [{"width": )"
                        << ScreenSize().width() << R"(, "height": )" << ScreenSize().height()
                        << "}]}";
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + config.c_str());
  QApplication app(argc, argv);
  std::remove(config.c_str());
  QTEST_SET_MAIN_SOURCE_PATH
  WindowScalingTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_scaling_test.moc"
