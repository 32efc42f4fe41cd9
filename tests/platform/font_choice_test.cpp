// SPDX-License-Identifier: GPL-3.0-or-later
// Which installed family stands for each face of the design: on Windows the design's own face
// where it is installed (Chinese Windows), else a CJK face every Windows has, else the Debian
// substitute; elsewhere always the substitute the layout is made for. And that the family
// chosen here is one the font database really has and a font really resolves to.
#include <QFontInfo>
#include <QtTest>

#include "platform/layout.h"
#include "platform/qt_version.h"
#include "tests/support/columns.h"

using numora::platform::ChooseFamily;
using numora::platform::Face;
using numora::platform::InstalledFamily;
using numora::platform::MakeFont;
using numora::testing::AddColumns;

Q_DECLARE_METATYPE(Face)

class FontChoiceTest : public QObject {
  Q_OBJECT

 private slots:
  void choiceAmongInstalledFamilies_data();
  void choiceAmongInstalledFamilies();
  void chosenFamilyIsInstalledAndResolved_data();
  void chosenFamilyIsInstalledAndResolved();
  void blackIsAskedOnlyOfAFaceThatHasIt();
};

void FontChoiceTest::choiceAmongInstalledFamilies_data() {
  AddColumns<Face, QStringList, QString>("face", "installed", "chosen");

  const QStringList debian{"Noto Sans CJK SC", "Noto Serif CJK SC", "Liberation Sans",
                           "DejaVu Sans"};
  const QStringList chineseWindows{"Arial",           "Arial Black", "SimHei", "SimSun",
                                   "Microsoft YaHei", "Tahoma",      "NSimSun"};
  const QStringList englishWindows{"Arial", "Microsoft YaHei", "Segoe UI"};
#ifdef Q_OS_WIN
  QTest::newRow("SimHei on Chinese Windows") << Face::SimHei << chineseWindows << "SimHei";
  QTest::newRow("SimSun on Chinese Windows") << Face::SimSun << chineseWindows << "SimSun";
  QTest::newRow("Arial on Chinese Windows") << Face::Arial << chineseWindows << "Arial";
  QTest::newRow("Arial Black on Chinese Windows")
      << Face::ArialBlack << chineseWindows << "Arial Black";
  QTest::newRow("SimHei on English Windows") << Face::SimHei << englishWindows << "Microsoft YaHei";
  QTest::newRow("SimSun on English Windows") << Face::SimSun << englishWindows << "Microsoft YaHei";
  // Arial is no stand-in for Arial Black: its letters are far narrower.
  QTest::newRow("Arial Black missing, Arial there")
      << Face::ArialBlack << englishWindows << "Liberation Sans";
  QTest::newRow("names in another letter case")
      << Face::SimHei << QStringList{"simhei", "ARIAL"} << "SimHei";
  QTest::newRow("SimHei under Wine") << Face::SimHei << debian << "Noto Sans CJK SC";
  QTest::newRow("SimSun under Wine") << Face::SimSun << debian << "Noto Serif CJK SC";
  QTest::newRow("Arial Black under Wine") << Face::ArialBlack << debian << "Liberation Sans";
#else
  // The Linux layout is made for the substitutes, even where the Windows faces are installed.
  QTest::newRow("SimHei with Windows fonts")
      << Face::SimHei << chineseWindows << "Noto Sans CJK SC";
  QTest::newRow("Arial Black with Windows fonts")
      << Face::ArialBlack << chineseWindows << "Liberation Sans";
  QTest::newRow("SimSun on Debian") << Face::SimSun << debian << "Noto Serif CJK SC";
#endif
  // With none of the candidates the substitute is still asked for, and Qt falls back from it.
  QTest::newRow("nothing known installed")
      << Face::SimHei << QStringList{"Tahoma"} << "Noto Sans CJK SC";
}

void FontChoiceTest::choiceAmongInstalledFamilies() {
  QFETCH(Face, face);
  QFETCH(QStringList, installed);
  QFETCH(QString, chosen);
  QCOMPARE(ChooseFamily(face, installed), chosen);
}

void FontChoiceTest::chosenFamilyIsInstalledAndResolved_data() {
  QTest::addColumn<Face>("face");
  QTest::newRow("SimSun") << Face::SimSun;
  QTest::newRow("SimHei") << Face::SimHei;
  QTest::newRow("Arial") << Face::Arial;
  QTest::newRow("Arial Black") << Face::ArialBlack;
}

// Under Wine this is the fallback: none of the Windows faces, Debian's substitutes seen through
// Wine's font enumeration.
void FontChoiceTest::chosenFamilyIsInstalledAndResolved() {
  QFETCH(Face, face);
  const QString family = QString::fromLatin1(InstalledFamily(face));
  const QStringList installed = numora::platform::InstalledFamilies();
  QVERIFY2(installed.contains(family, Qt::CaseInsensitive), qPrintable(family));
  QCOMPARE(ChooseFamily(face, installed), family);
  const QFontInfo resolved(MakeFont(face, 24));
  QVERIFY2(resolved.family().compare(family, Qt::CaseInsensitive) == 0,
           qPrintable(resolved.family() + " for " + family));
}

void FontChoiceTest::blackIsAskedOnlyOfAFaceThatHasIt() {
  const QFont black = MakeFont(Face::ArialBlack, 20, 900);
  if (QString::fromLatin1(InstalledFamily(Face::ArialBlack)) == QLatin1String("Arial Black")) {
    QCOMPARE(black.weight(), QFont::Black);
  } else {
    // A bold substitute made heavier still would be drawn smeared.
    QCOMPARE(black.weight(), QFont::Bold);
  }
  QCOMPARE(MakeFont(Face::SimHei, 20, 400).weight(), QFont::Normal);
  QCOMPARE(MakeFont(Face::SimHei, 20, 700).weight(), QFont::Bold);
}

QTEST_MAIN(FontChoiceTest)
#include "font_choice_test.moc"
