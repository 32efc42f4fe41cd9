// SPDX-License-Identifier: GPL-3.0-or-later
// The game installed as a desktop program: `cmake --install` of this build into a prefix of the
// suite's own, then everything the desktop entry points to looked up in that tree.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <optional>

#include "challenges/art.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class InstallTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();

  void entryPassesTheDesktopValidator();
  void entryDescribesAChineseGame();
  void execStartsTheInstalledGame();
  void iconIsInstalledInEverySize_data();
  void iconIsInstalledInEverySize();

 private:
  QString Entry(const QString& key) const;

  QTemporaryDir prefix_;
  QString desktopFile_;
  // The [Desktop Entry] group, key (with any locale) to value.
  std::map<QString, QString> entry_;
};

void InstallTest::initTestCase() {
  QVERIFY(prefix_.isValid());
  QProcess install;
  install.setProcessChannelMode(QProcess::MergedChannels);
  install.start(QStringLiteral(NUMORA_CMAKE),
                {QStringLiteral("--install"), QStringLiteral(NUMORA_BUILD_DIR),
                 QStringLiteral("--prefix"), prefix_.path()});
  QVERIFY(install.waitForFinished(120000));
  QVERIFY2(install.exitStatus() == QProcess::NormalExit && install.exitCode() == 0,
           install.readAll().constData());

  const QDir applications(prefix_.filePath(QStringLiteral("share/applications")));
  const QStringList entries = applications.entryList({QStringLiteral("*.desktop")}, QDir::Files);
  QCOMPARE(entries.size(), 1);
  desktopFile_ = applications.filePath(entries.first());

  QFile file(desktopFile_);
  QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
  // The entry is UTF-8 whatever the locale says.
  QString group;
  for (const QString& raw : QString::fromUtf8(file.readAll()).split(u'\n')) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      group = line;
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    QVERIFY2(equals > 0, qPrintable(line));
    if (group == QStringLiteral("[Desktop Entry]")) {
      entry_[line.left(equals).trimmed()] = line.mid(equals + 1).trimmed();
    }
  }
}

QString InstallTest::Entry(const QString& key) const {
  const auto found = entry_.find(key);
  return found == entry_.end() ? QString() : found->second;
}

void InstallTest::entryPassesTheDesktopValidator() {
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (validator.isEmpty()) QSKIP("desktop-file-validate (desktop-file-utils) is not installed");
  QProcess validate;
  validate.setProcessChannelMode(QProcess::MergedChannels);
  validate.start(validator, {desktopFile_});
  QVERIFY(validate.waitForFinished(60000));
  const QByteArray said = validate.readAll();
  QVERIFY2(validate.exitCode() == 0, said.constData());
  // Hints are advice; errors and warnings are not.
  QVERIFY2(!said.contains("error:") && !said.contains("warning:"), said.constData());
}

void InstallTest::entryDescribesAChineseGame() {
  QCOMPARE(Entry(QStringLiteral("Type")), QStringLiteral("Application"));
  QCOMPARE(Entry(QStringLiteral("Terminal")), QStringLiteral("false"));
  const QStringList categories =
      Entry(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
  QVERIFY2(categories.contains(QStringLiteral("Game")), qPrintable(categories.join(u';')));
  QVERIFY2(categories.contains(QStringLiteral("Education")), qPrintable(categories.join(u';')));
  // The name a desktop shows without a translation is the Chinese one, as on the screens.
  const QString name = Entry(QStringLiteral("Name"));
  QVERIFY(!name.isEmpty());
  for (const QChar c : name) {
    QVERIFY2(c.script() == QChar::Script_Han, qPrintable(name));
  }
}

void InstallTest::execStartsTheInstalledGame() {
  const QStringList exec = QProcess::splitCommand(Entry(QStringLiteral("Exec")));
  QCOMPARE(exec.size(), 1);  // the game takes no arguments, so no field codes either
  // A plain name is looked up on the PATH, where the prefix's bin directory is.
  const QString program =
      QStandardPaths::findExecutable(exec.first(), {prefix_.filePath(QStringLiteral("bin"))});
  QVERIFY2(!program.isEmpty(), qPrintable(exec.first()));
  QVERIFY(QFileInfo(program).isExecutable());

  // Started from the installed tree, it is the game: it opens its start screen.
  QTemporaryDir runtime;
  QVERIFY(runtime.isValid());
  QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  QProcess game;
  game.setProcessEnvironment(env);
  game.start(program, QStringList());
  QVERIFY(game.waitForStarted());
  QLocalSocket socket;
  QString socketPath;
#ifdef Q_OS_UNIX
  socketPath = runtime.filePath(QStringLiteral("numora-%1.socket").arg(::getuid()));
#endif
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socketPath) || game.state() != QProcess::Running, 20000);
  QCOMPARE(game.state(), QProcess::Running);
  socket.connectToServer(socketPath);
  QVERIFY(socket.waitForConnected(5000));
  socket.write("show\n");
  QTRY_VERIFY_WITH_TIMEOUT(socket.canReadLine(), 20000);
  QCOMPARE(socket.readLine(), QByteArray("form0\n"));
  game.kill();
  game.waitForFinished();
}

void InstallTest::iconIsInstalledInEverySize_data() {
  QTest::addColumn<int>("side");
  for (int side : {16, 32, 48, 64, 128, 256}) QTest::addRow("%dx%d", side, side) << side;
}

void InstallTest::iconIsInstalledInEverySize() {
  QFETCH(int, side);
  const QString icon = Entry(QStringLiteral("Icon"));
  // A theme icon's name, not a path: the desktop looks it up in the hicolor theme.
  QVERIFY(!icon.isEmpty());
  QVERIFY2(!icon.contains(u'/') && !icon.endsWith(QStringLiteral(".png")), qPrintable(icon));
  const QString file =
      prefix_.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(side).arg(icon));
  QVERIFY2(QFile::exists(file), qPrintable(file));

  QImageReader reader(file);
  QCOMPARE(reader.format(), QByteArray("png"));
  QCOMPARE(reader.size(), QSize(side, side));
  const QImage installed = reader.read();
  QVERIFY2(!installed.isNull(), qPrintable(reader.errorString()));
  QVERIFY(installed.hasAlphaChannel());
  // The game's own stopwatch, drawn at this size rather than scaled from another.
  const QImage drawn = numora::IconPicture(side).toImage();
  QCOMPARE(installed.convertToFormat(QImage::Format_ARGB32),
           drawn.convertToFormat(QImage::Format_ARGB32));
}

QTEST_MAIN(InstallTest)
#include "install_test.moc"
