// SPDX-License-Identifier: GPL-3.0-or-later
// How a DesignLabel sets its text: where the design's face puts the baseline when the ink fits,
// moved in just far enough when it would cross an edge, centred when it cannot fit; and the
// font fitting rules the screens apply before that.
#include "platform/design_label.h"

#include <QFontMetricsF>
#include <QtTest>
#include <cmath>

#include "platform/glyph_pictures.h"
#include "tests/support/columns.h"
#include "tests/support/screen_driver.h"

using numora::platform::DesignLabel;
using numora::platform::Face;
using numora::testing::AddColumns;
using numora::testing::CheckShownWhole;
using numora::testing::InkOf;

namespace {

// The ink of `text` as the label sets it, including the room a CJK character takes.
struct Placed {
  QRectF ink;
  double baseline;
};

Placed Place(const DesignLabel& label, const QString& text) {
  return {InkOf(label, text), label.TextOrigin(text).y()};
}

}  // namespace

Q_DECLARE_METATYPE(Face)

class DesignLabelTest : public QObject {
  Q_OBJECT

  // A label of `height` pixels, 300 wide, in `face` at `points`, parked in a window so that it
  // can be rendered.
  DesignLabel* Make(Face face, double points, int height, Qt::Alignment align = Qt::AlignLeft,
                    int weight = 700) {
    auto* label = new DesignLabel(QString(), face, &window_);
    label->setFont(numora::platform::MakeFont(face, points, weight));
    label->setAlignment(align);
    label->setGeometry(0, 0, 300, height);
    return label;
  }
  double Em(const DesignLabel& label) { return numora::platform::EmPixels(label.font(), label); }

  QWidget window_;

 private slots:
  void initTestCase() {
    numora::platform::InstallFontSubstitutions();
    window_.resize(400, 400);
  }
  void cleanup() { qDeleteAll(window_.findChildren<DesignLabel*>()); }

  // With room to spare, the baseline lies where the design's face puts it, whatever the text.
  void fittingTextSitsOnTheDesignBaseline_data() {
    QTest::addColumn<Face>("face");
    QTest::addColumn<double>("ascent");  // the design's, in ems
    QTest::newRow("SimHei") << Face::SimHei << 0.88;
    QTest::newRow("SimSun") << Face::SimSun << 0.88;
    QTest::newRow("Arial") << Face::Arial << 1854.0 / 2048;
    QTest::newRow("Arial Black") << Face::ArialBlack << 2254.0 / 2048;
  }
  void fittingTextSitsOnTheDesignBaseline() {
    QFETCH(Face, face);
    QFETCH(double, ascent);
    DesignLabel* label = Make(face, 36, 120);
    const double designBaseline = ascent * Em(*label);
    for (const QString& text : {QStringLiteral("00"), QStringLiteral("59"), QStringLiteral("Hg"),
                                QStringLiteral("国,")}) {
      QVERIFY2(std::abs(label->TextOrigin(text).y() - designBaseline) <= 0.5, qPrintable(text));
      const QString fault = CheckShownWhole(*label, text);
      QVERIFY2(fault.isEmpty(), qPrintable(text + ": " + fault));
    }
  }

  // The vertical alignment places the block of lines before the ink is kept in.
  void verticalAlignmentMovesTheLine() {
    DesignLabel* top = Make(Face::SimHei, 24, 100, Qt::AlignLeft | Qt::AlignTop);
    DesignLabel* middle = Make(Face::SimHei, 24, 100, Qt::AlignLeft | Qt::AlignVCenter);
    DesignLabel* bottom = Make(Face::SimHei, 24, 100, Qt::AlignLeft | Qt::AlignBottom);
    const QString text = QStringLiteral("专注力");
    const double line = Em(*top);  // a CJK line is one em square
    QCOMPARE(middle->TextOrigin(text).y() - top->TextOrigin(text).y(),
             std::round((100 - line) / 2));
    QCOMPARE(bottom->TextOrigin(text).y() - top->TextOrigin(text).y(), 100 - line);
  }

  // A label a little shorter than the installed face needs: the line moves up just far enough.
  void inkBelowTheLabelIsLifted() {
    DesignLabel* roomy = Make(Face::SimHei, 60, 200);
    const QString text = QStringLiteral("挑战,");
    const Placed free = Place(*roomy, text);
    DesignLabel* tight = Make(Face::SimHei, 60, std::ceil(free.ink.bottom()) - 1);
    QVERIFY(free.ink.height() < tight->height());
    const Placed lifted = Place(*tight, text);
    QVERIFY(lifted.baseline < free.baseline);
    QVERIFY(lifted.ink.bottom() <= tight->height());
    QVERIFY(lifted.ink.bottom() > tight->height() - 1.5);  // no further than needed
    QVERIFY(lifted.ink.top() >= 0);
    const QString fault = CheckShownWhole(*tight, text);
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
  }

  // Set at the bottom of a label shorter than its line, the ink would reach above the label:
  // it moves down just far enough.
  void inkAboveTheLabelIsPushedDown() {
    const QString text = QStringLiteral("国");
    DesignLabel* roomy = Make(Face::SimHei, 60, 200);
    const int height = std::ceil(InkOf(*roomy, text).height()) + 1;
    DesignLabel* label = Make(Face::SimHei, 60, height, Qt::AlignLeft | Qt::AlignBottom);
    const double designBaseline = height - Em(*label) + 0.88 * Em(*label);
    const Placed placed = Place(*label, text);
    QVERIFY(placed.baseline > designBaseline);
    QVERIFY(placed.ink.top() >= 0);
    QVERIFY(placed.ink.top() < 1);
    QVERIFY(placed.ink.bottom() <= height);
  }

  // The baseline of a label stays put when its text changes between digits and CJK: the room
  // of a full-height character is kept even when the text has none.
  void baselineDoesNotFollowTheText() {
    DesignLabel* roomy = Make(Face::SimHei, 60, 200);
    const QString full = QStringLiteral("国");
    DesignLabel* tight = Make(Face::SimHei, 60, std::ceil(Place(*roomy, full).ink.bottom()) - 3);
    QVERIFY(tight->TextOrigin(full).y() < roomy->TextOrigin(full).y());
    QCOMPARE(tight->TextOrigin(QStringLiteral("00")).y(), tight->TextOrigin(full).y());
    QCOMPARE(tight->TextOrigin(QStringLiteral(".")).y(), tight->TextOrigin(full).y());
  }

  // Ink taller than the label is centred on it: both ends are cut alike.
  void textThatCannotFitIsCentred_data() {
    QTest::addColumn<Qt::Alignment>("align");
    QTest::newRow("top") << Qt::Alignment(Qt::AlignTop);
    QTest::newRow("bottom") << Qt::Alignment(Qt::AlignBottom);
  }
  void textThatCannotFitIsCentred() {
    QFETCH(Qt::Alignment, align);
    DesignLabel* label = Make(Face::SimHei, 60, 30, Qt::AlignLeft | align);
    const QRectF ink = InkOf(*label, QStringLiteral("8"));
    QVERIFY(ink.height() > label->height());
    QVERIFY2(std::abs(-ink.top() - (ink.bottom() - label->height())) <= 1.0,
             qPrintable(QStringLiteral("cut %1 above, %2 below")
                            .arg(-ink.top())
                            .arg(ink.bottom() - label->height())));
  }

  // Across, the line keeps its alignment; ink past the advance of the text is moved in when
  // there is room, and a line too wide for the label keeps its aligned edge.
  void horizontalAlignmentAndInk() {
    DesignLabel* right = Make(Face::SimSun, 36, 60, Qt::AlignRight);
    right->resize(120, 60);
    const QString text = QStringLiteral("秒");
    const QFontMetricsF metrics(right->font(), right);
    const QRectF ink = InkOf(*right, text);
    QVERIFY(ink.right() <= right->width());
    QVERIFY(right->TextOrigin(text).x() <= right->width() - metrics.horizontalAdvance(text));

    DesignLabel* centred = Make(Face::SimHei, 24, 50, Qt::AlignHCenter);
    const QString rule = QStringLiteral("7级规则: 5分钟  不限位 不能改 ");
    const double advance = QFontMetricsF(centred->font(), centred).horizontalAdvance(rule);
    // Blanks at the end count: the whole text is centred as written.
    QCOMPARE(centred->TextOrigin(rule).x(), (centred->width() - advance) / 2);

    DesignLabel* narrow = Make(Face::SimHei, 60, 80, Qt::AlignRight);
    narrow->resize(60, 80);
    const QString wide = QStringLiteral("8888");
    const double wideAdvance = QFontMetricsF(narrow->font(), narrow).horizontalAdvance(wide);
    QCOMPARE(narrow->TextOrigin(wide).x(), narrow->width() - wideAdvance);
  }

  // A framed label sets its text inside the frame, which is drawn in its own colour.
  void framedTextStaysInsideTheFrame() {
    DesignLabel* label = Make(Face::SimSun, 24, 41, Qt::AlignRight, 400);
    label->resize(73, 41);
    numora::platform::SetColors(label, Qt::blue, Qt::white);
    label->SetFrameColor(Qt::black);
    QCOMPARE(label->TextArea(), QRect(1, 1, 71, 39));
    const QString fault = CheckShownWhole(*label, QStringLiteral("8888"));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
    const QImage image = label->grab().toImage();
    QCOMPARE(image.pixelColor(0, 20), QColor(Qt::black));
    QCOMPARE(image.pixelColor(36, 40), QColor(Qt::black));
  }

  // Word wrap breaks a caption into lines one design line apart, each in the label.
  void wrappedLinesStackAtTheDesignLineHeight() {
    DesignLabel* label = Make(Face::SimSun, 26.25, 80, Qt::AlignLeft | Qt::AlignTop);
    label->resize(80, 80);
    label->setWordWrap(true);
    const auto lines = label->SetLines(QStringLiteral("选择级别 "));
    QCOMPARE(lines.size(), std::size_t{2});
    QCOMPARE(lines[0].Text, QStringLiteral("选择"));
    QCOMPARE(lines[1].Origin.y() - lines[0].Origin.y(), std::round(Em(*label)));
    const QFontMetricsF metrics(label->font(), label);
    for (const auto& line : lines) {
      const QRectF ink = metrics.tightBoundingRect(line.Text).translated(line.Origin);
      QVERIFY2(QRectF(label->rect()).contains(ink), qPrintable(line.Text));
    }
  }

  // Narrowing: only as far as needed, and never a font that already fits.
  void fitTextWidthNarrowsOnlyWhatIsTooWide() {
    DesignLabel* label = Make(Face::SimHei, 99.75, 131);
    const QString sample = QStringLiteral("8888");
    const double natural = QFontMetricsF(label->font(), label).horizontalAdvance(sample);
    numora::platform::FitTextWidth(label, sample, natural + 1);
    QCOMPARE(label->font().stretch(), 0);  // untouched
    numora::platform::FitTextWidth(label, sample, natural * 0.9);
    const double narrowed = QFontMetricsF(label->font(), label).horizontalAdvance(sample);
    QVERIFY2(narrowed <= natural * 0.9 + 0.5 && narrowed > natural * 0.87,
             qPrintable(QString::number(narrowed / natural)));
  }

  void designDigitsAreHalfAnEm() {
    DesignLabel* label = Make(Face::SimHei, 60, 80);
    numora::platform::FitDesignDigits(label);
    const double digit = QFontMetricsF(label->font(), label).horizontalAdvance(QLatin1Char('0'));
    QVERIFY2(std::abs(digit / Em(*label) - 0.5) < 0.01, qPrintable(QString::number(digit)));
  }

  // A mark drawn larger than its label shrinks, in quarter points, until every sample fits.
  void shrinkToFitKeepsEverySampleWhole() {
    DesignLabel* label = Make(Face::SimHei, 99.75, 113);
    label->resize(113, 113);
    const QStringList marks = {QStringLiteral("√"), QStringLiteral("×")};
    numora::platform::ShrinkToFit(label, marks);
    const double points = label->font().pointSizeF();
    QVERIFY(points < 99.75);
    QCOMPARE(std::fmod(points * 4, 1.0), 0.0);
    for (const QString& mark : marks) {
      const QString fault = CheckShownWhole(*label, mark);
      QVERIFY2(fault.isEmpty(), qPrintable(mark + ": " + fault));
    }
    numora::platform::ShrinkToFit(label, marks);
    QCOMPARE(label->font().pointSizeF(), points);  // once fitted, left alone
  }

  // Large digits, colons and points are drawn from pictures made once per font and colour; they
  // must show what filling the outlines in place shows, wherever the text falls within a pixel
  // (right-aligned, narrowed digits start at fractions of a pixel), at every size the screens
  // use and in every colour.
  void glyphPicturesShowWhatTheOutlinesShow_data() {
    AddColumns<Face, double>("face", "points");
    QTest::addColumn<int>("stretch");  // 0: the face's own width
    AddColumns<QColor, QString>("color", "text");
    QTest::addColumn<bool>("centred");   // framed and centred both ways, as on the start screen
    QTest::addColumn<bool>("pictured");  // false: too large, outlines filled
    const QColor black(Qt::black);
    const QColor red(255, 0, 0);
    const QColor blue(0, 0, 255);
    const auto row = [](const char* name, Face face, double points, int stretch, QColor color,
                        const char* text, bool centred, bool pictured) {
      QTest::newRow(name) << face << points << stretch << color << QString::fromUtf8(text)
                          << centred << pictured;
    };
    row("clock", Face::SimHei, 60, 0, black, "07", false, true);
    row("clock narrowed", Face::SimHei, 60, 87, black, "1:59", false, true);
    row("clock red", Face::SimHei, 60, 91, red, "12.38", false, true);
    row("serif colon", Face::SimSun, 60, 0, black, ":", false, true);
    row("centred", Face::Arial, 60, 0, red, "3", true, true);
    row("maximised", Face::SimHei, 81.5, 87, black, "0.46", false, true);
    row("mark", Face::SimHei, 86, 0, red, "√×", false, true);
    row("last number", Face::SimHei, 99.75, 83, blue, "327", false, false);
    row("level digit", Face::ArialBlack, 200.25, 0, red, "9", false, false);
  }
  void glyphPicturesShowWhatTheOutlinesShow() {
    QFETCH(Face, face);
    QFETCH(double, points);
    QFETCH(int, stretch);
    QFETCH(QColor, color);
    QFETCH(QString, text);
    QFETCH(bool, centred);
    QFETCH(bool, pictured);
    DesignLabel* label = Make(face, points, 290, Qt::AlignRight);
    label->setGeometry(3, 5, 390, 290);
    if (centred) {
      label->setAlignment(Qt::AlignCenter);
      label->setWordWrap(true);
      label->SetFrameColor(Qt::black);
      label->setGeometry(200, 160, 105, 145);
    }
    if (stretch > 0) {
      QFont font = label->font();
      font.setStretch(stretch);
      label->setFont(font);
    }
    numora::platform::SetColors(label, color, Qt::white);
    const qsizetype atStart = numora::platform::GlyphPictureBytes();
    // Each text also one pixel-fraction further along, as a narrower right-aligned text starts.
    for (const QString& shown : {text, text.left(text.size() - 1), text + QLatin1Char('8')}) {
      if (shown.isEmpty()) continue;  // a one-character text has no shorter form
      label->setText(shown);
      numora::platform::UseGlyphPictures(false);
      const QImage outlines = label->grab().toImage();
      numora::platform::UseGlyphPictures(true);
      const QImage pictured = label->grab().toImage();
      QCOMPARE(label->grab().toImage(), pictured);
      int worst = 0;
      int inked = 0;
      for (int y = 0; y < outlines.height(); ++y) {
        for (int x = 0; x < outlines.width(); ++x) {
          const QColor a = outlines.pixelColor(x, y);
          const QColor b = pictured.pixelColor(x, y);
          worst = std::max({worst, std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                            std::abs(a.blue() - b.blue())});
          if (a != QColor(Qt::white)) ++inked;
        }
      }
      // Blending a picture in rounds once more than filling in place: one level of 255 at most.
      QVERIFY2(worst <= 1, qPrintable(shown + QStringLiteral(": differs by %1").arg(worst)));
      QVERIFY2(shown.isEmpty() || inked > 100, qPrintable(shown + ": nothing drawn"));
    }
    // Made for this font at the first paint, reused from then on.
    const qsizetype made = numora::platform::GlyphPictureBytes();
    QCOMPARE(made > atStart, pictured);
    label->grab();
    QCOMPARE(numora::platform::GlyphPictureBytes(), made);
  }

  // The label keeps where it set each text it painted; a new font, size or alignment sets the
  // text afresh, as a label made that way from the start would.
  void paintedTextFollowsChangesOfTheLabel() {
    DesignLabel* label = Make(Face::SimHei, 60, 120, Qt::AlignRight);
    label->setText(QStringLiteral("59"));
    label->grab();
    const auto sameAsNew = [&](const char* what) {
      DesignLabel* fresh = Make(Face::SimHei, 60, 120, label->alignment());
      fresh->setFont(label->font());
      fresh->setGeometry(label->geometry());
      fresh->setText(label->text());
      QVERIFY2(label->grab().toImage() == fresh->grab().toImage(), what);
      delete fresh;
    };
    QFont narrow = label->font();
    narrow.setStretch(80);
    label->setFont(narrow);
    sameAsNew("font");
    label->resize(220, 100);
    sameAsNew("size");
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    sameAsNew("alignment");
  }
};

QTEST_MAIN(DesignLabelTest)
#include "design_label_test.moc"
