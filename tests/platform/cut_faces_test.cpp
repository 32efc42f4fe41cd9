// SPDX-License-Identifier: GPL-3.0-or-later
// The faces cut to the game's texts at build time: loaded and asked for first, drawing the
// game's texts exactly as the installed faces do, and leaving every other character to the
// installed face.
#include "platform/cut_faces.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "platform/layout.h"
#include "tests/support/columns.h"

using numora::platform::Face;
using numora::platform::MakeFont;
using numora::testing::AddColumns;

Q_DECLARE_METATYPE(Face)

namespace {

QImage Draw(const QFont& font, const QString& text) {
  QImage image(900, 160, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(4, 120), text);
  return image;
}

// The same font with the installed face alone.
QFont InstalledOnly(QFont font, Face face) {
  font.setFamilies({QString::fromLatin1(numora::platform::InstalledFamily(face))});
  return font;
}

// Whether the font's first family, alone and with no fallback, has `c`.
bool InFirstFace(QFont font, QChar c) {
  font.setFamilies({font.families().front()});
  font.setStyleStrategy(QFont::NoFontMerging);
  return QFontMetricsF(font).inFont(c);
}

}  // namespace

class CutFacesTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    numora::platform::InstallFontSubstitutions();
    if (numora::platform::CutFaces().empty()) QSKIP("built without fontTools: no cut faces");
  }

  void everyCutFaceIsLoadedAndAskedForFirst() {
    for (const numora::platform::CutFace& cut : numora::platform::CutFaces()) {
      QCOMPARE(numora::platform::CutFamilyFor(QString::fromLatin1(cut.Installed)),
               QString::fromLatin1(cut.Family));
    }
    const QFont sans = MakeFont(Face::SimHei, 24, 700);
    QCOMPARE(sans.families(),
             QStringList({QStringLiteral("Numora Sans"), QStringLiteral("Noto Sans CJK SC")}));
    QCOMPARE(QFontInfo(sans).family(), QStringLiteral("Numora Sans"));
    QCOMPARE(QFontInfo(MakeFont(Face::SimSun, 24)).family(), QStringLiteral("Numora Serif"));
  }

  // Texts of the screens, in each face and weight they use, at the sizes they use.
  void gameTextsLookAsInTheInstalledFace_data() {
    AddColumns<Face, double, int, QString>("face", "points", "weight", "text");
    QTest::newRow("start caption") << Face::SimSun << 26.25 << 400 << QStringLiteral("选择级别 ");
    QTest::newRow("name box") << Face::SimSun << 42.0 << 400 << QStringLiteral("Vornsoft");
    QTest::newRow("enter button") << Face::SimHei << 18.0 << 400 << QStringLiteral("进  入");
    QTest::newRow("level button") << Face::SimHei << 39.75 << 700 << QStringLiteral("9");
    QTest::newRow("start button") << Face::SimSun << 21.75 << 700 << QStringLiteral("开 始");
    QTest::newRow("clock") << Face::SimHei << 60.0 << 700 << QStringLiteral("12.38");
    QTest::newRow("mark") << Face::SimHei << 86.0 << 700 << QStringLiteral("√×");
    QTest::newRow("title") << Face::SimHei << 45.75 << 700 << QStringLiteral("Digora");
  }
  void gameTextsLookAsInTheInstalledFace() {
    QFETCH(Face, face);
    QFETCH(double, points);
    QFETCH(int, weight);
    QFETCH(QString, text);
    const QFont font = MakeFont(face, points, weight);
    for (QChar c : text) {
      QVERIFY2(InFirstFace(font, c), qPrintable(QString(c) + " is not in the cut face"));
    }
    const QImage drawn = Draw(font, text);
    QVERIFY(drawn != Draw(QFont(), QString()));
    QVERIFY(drawn == Draw(InstalledOnly(font, face), text));
  }

  // A name a pupil types may hold any character: those the game's texts lack come from the
  // installed face, drawn as it draws them.
  void otherCharactersComeFromTheInstalledFace() {
    const QString name = QStringLiteral("鑫龘 Zoë");
    for (Face face : {Face::SimHei, Face::SimSun}) {
      const QFont font = MakeFont(face, 42, 400);
      QVERIFY(!InFirstFace(font, QChar(u'龘')));
      QVERIFY(Draw(font, name) == Draw(InstalledOnly(font, face), name));
    }
  }
};

QTEST_MAIN(CutFacesTest)
#include "cut_faces_test.moc"
