// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user lock that keeps a second copy of the game from starting, and the request that
// copy sends the running one to bring its window to the front.

#include "platform/single_instance.h"

#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <atomic>
#include <optional>
#include <thread>

#include "tests/support/columns.h"

#ifdef Q_OS_UNIX
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

using numora::platform::BringCurrentWindowToFront;
using numora::platform::SingleInstance;
using numora::testing::AddColumns;

class SingleInstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void init();

  void secondCopyIsRefusedWhileTheFirstHoldsTheLock();
  void lockIsFreeAgainOnceItsHolderIsGone();
  void lockLeftByAProcessThatDiedIsTakenOver();
  void oldLockOfALiveProcessStillHolds();
  void lockThatCannotBeMadeDoesNotKeepTheGameFromStarting();
  void defaultLockIsPerUserInTheRuntimeDirectory();
  void lockIsNamedForTheUser();
  void socketNamesNeverMeet_data();
  void socketNamesNeverMeet();

  void laterCopyAsksTheHolderToShowItself();
  void holderAnswersWithTheWindowItShowed_data();
  void holderAnswersWithTheWindowItShowed();
  void socketLeftByAHolderThatDiedDoesNotStopTheNextFromListening();

  void minimisedWindowIsRestoredAndActivated();
  void modalWindowComesToTheFrontOverItsRestoredParent();
  void nothingShownNothingBroughtForward();

 private:
  // The lock file as this process would write it, claiming `pid` instead.
  QByteArray LockContentFor(qint64 pid);
  // A later copy starts as another process would, on a thread of its own while this thread's
  // event loop serves it (it waits for the holder's answer on Windows); true when it was refused
  // and does not listen.
  bool LaterCopyIsRefused();

  std::optional<QTemporaryDir> dir_;
  QString path_;
};

bool SingleInstanceTest::LaterCopyIsRefused() {
  std::atomic<int> refused{-1};
  std::thread copy([&] {
    SingleInstance later(path_);
    refused = !later.TryAcquire() && !later.Listening();
  });
  const bool ended = QTest::qWaitFor([&] { return refused >= 0; }, 10000);
  copy.join();
  return ended && refused == 1;
}

void SingleInstanceTest::init() {
  dir_.emplace();
  QVERIFY(dir_->isValid());
  path_ = dir_->filePath(QStringLiteral("numora.lock"));
}

QByteArray SingleInstanceTest::LockContentFor(qint64 pid) {
  const QString scratch = dir_->filePath(QStringLiteral("scratch.lock"));
  QByteArray content;
  {
    QLockFile lock(scratch);
    if (!lock.tryLock(0)) return {};
    QFile file(scratch);
    if (!file.open(QIODevice::ReadOnly)) return {};
    content = file.readAll();
  }
  // The first line is the holder's process id.
  const qsizetype end = content.indexOf('\n');
  if (end < 0) return {};
  return QByteArray::number(pid) + content.mid(end);
}

void SingleInstanceTest::secondCopyIsRefusedWhileTheFirstHoldsTheLock() {
  SingleInstance first(path_);
  SingleInstance second(path_);
  QVERIFY(first.TryAcquire());
  QVERIFY(!second.TryAcquire());
  QVERIFY(!second.TryAcquire());
  // Asking again from the holder changes nothing.
  QVERIFY(first.TryAcquire());
  QVERIFY(!second.TryAcquire());
}

void SingleInstanceTest::lockIsFreeAgainOnceItsHolderIsGone() {
  {
    SingleInstance first(path_);
    QVERIFY(first.TryAcquire());
  }
  SingleInstance next(path_);
  QVERIFY(next.TryAcquire());
}

void SingleInstanceTest::lockLeftByAProcessThatDiedIsTakenOver() {
  QProcess gone;
#ifdef Q_OS_WIN
  gone.start(QStringLiteral("cmd.exe"), {QStringLiteral("/c"), QStringLiteral("pause")});
#else
  gone.start(QStringLiteral("sleep"), {QStringLiteral("30")});
#endif
  QVERIFY(gone.waitForStarted());
  const qint64 pid = gone.processId();
  gone.kill();
  QVERIFY(gone.waitForFinished());

  const QByteArray content = LockContentFor(pid);
  QVERIFY(!content.isEmpty());
  QFile file(path_);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
  file.close();

  SingleInstance next(path_);
  QVERIFY(next.TryAcquire());
}

// A game left open for hours still keeps the next copy out.
void SingleInstanceTest::oldLockOfALiveProcessStillHolds() {
  const QByteArray content = LockContentFor(QCoreApplication::applicationPid());
  QVERIFY(!content.isEmpty());
  QFile file(path_);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(content);
  QVERIFY(file.flush());
  QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3 * 3600),
                           QFileDevice::FileModificationTime));
#ifndef Q_OS_WIN
  // On Windows a live holder keeps its lock file open, as the file stays here.
  file.close();
#endif

  SingleInstance next(path_);
  QVERIFY(!next.TryAcquire());
  QVERIFY(QFile::exists(path_));
}

void SingleInstanceTest::lockThatCannotBeMadeDoesNotKeepTheGameFromStarting() {
  // A regular file where the lock's directory should be.
  const QString notADirectory = dir_->filePath(QStringLiteral("plain"));
  QFile plain(notADirectory);
  QVERIFY(plain.open(QIODevice::WriteOnly));
  plain.close();
  SingleInstance instance(notADirectory + QStringLiteral("/numora.lock"));
  QVERIFY(instance.TryAcquire());
}

void SingleInstanceTest::defaultLockIsPerUserInTheRuntimeDirectory() {
#ifdef Q_OS_WIN
  QSKIP("Windows has no runtime directory: lockIsNamedForTheUser");
#endif
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  const bool had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
  const QString runtime = dir_->path();
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  const QString inRuntime = SingleInstance::DefaultLockPath(QStringLiteral("numora"));
  qunsetenv("XDG_RUNTIME_DIR");
  const QString withoutRuntime = SingleInstance::DefaultLockPath(QStringLiteral("numora"));
  if (had) qputenv("XDG_RUNTIME_DIR", saved);

  QCOMPARE(QFileInfo(inRuntime).absolutePath(), QFileInfo(runtime).absoluteFilePath());
#ifdef Q_OS_UNIX
  const QString user = QString::number(::getuid());
  QVERIFY2(QFileInfo(inRuntime).fileName().contains(user), qPrintable(inRuntime));
  QCOMPARE(QFileInfo(withoutRuntime).absolutePath(),
           QFileInfo(QDir::tempPath()).absoluteFilePath());
  QVERIFY2(QFileInfo(withoutRuntime).fileName().contains(user), qPrintable(withoutRuntime));
#endif
}

void SingleInstanceTest::lockIsNamedForTheUser() {
  const QString tag = SingleInstance::UserTag();
#ifdef Q_OS_WIN
  // The account's security identifier, and the lock in the user's own temporary directory.
  QVERIFY2(tag.startsWith(QLatin1String("S-1-")), qPrintable(tag));
  QCOMPARE(QFileInfo(SingleInstance::DefaultLockPath(QStringLiteral("numora"))).absolutePath(),
           QFileInfo(QDir::tempPath()).absoluteFilePath());
#else
  QCOMPARE(tag, QString::number(::getuid()));
#endif
  QVERIFY2(
      QFileInfo(SingleInstance::DefaultLockPath(QStringLiteral("numora"))).fileName().contains(tag),
      qPrintable(SingleInstance::DefaultLockPath(QStringLiteral("numora"))));
}

// Local sockets of two locks: different for different users (their own directories, their own
// tags), the same for one lock however its path is written. On Windows they are named pipes in
// one namespace for the whole machine, of at most 256 characters and without backslashes.
void SingleInstanceTest::socketNamesNeverMeet_data() {
  AddColumns<QString, QString, bool>("first", "second", "same");
#ifdef Q_OS_WIN
  const QString a = QStringLiteral("C:/Users/张三/AppData/Local/Temp/numora-S-1-5-21-7-1001.lock");
  const QString b = QStringLiteral("C:/Users/李四/AppData/Local/Temp/numora-S-1-5-21-7-1002.lock");
  QTest::newRow("two users") << a << b << false;
  QTest::newRow("one directory, two users")
      << a << QStringLiteral("C:/Users/张三/AppData/Local/Temp/numora-S-1-5-21-7-1002.lock")
      << false;
  QTest::newRow("one lock, other separators")
      << a << QString(a).replace(QLatin1Char('/'), QLatin1Char('\\')) << true;
  QTest::newRow("one lock, other letter case") << a << a.toUpper() << true;
  QTest::newRow("a long profile path")
      << QStringLiteral("C:/Users/%1/Temp/numora-S-1-5-21-7-1001.lock").arg(QString(200, u'长'))
      << b << false;
#else
  QTest::newRow("two users") << QStringLiteral("/run/user/1001/numora-1001.lock")
                             << QStringLiteral("/run/user/1002/numora-1002.lock") << false;
  QTest::newRow("one directory, two users") << QStringLiteral("/tmp/numora-1001.lock")
                                            << QStringLiteral("/tmp/numora-1002.lock") << false;
#endif
}

void SingleInstanceTest::socketNamesNeverMeet() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(bool, same);
  const QString one = SingleInstance::ServerNameFor(first);
  const QString other = SingleInstance::ServerNameFor(second);
  QCOMPARE(one == other, same);
  for (const QString& name : {one, other}) {
#ifdef Q_OS_WIN
    QVERIFY2(name.size() <= 256 && !name.contains(QLatin1Char('\\')), qPrintable(name));
#else
    QVERIFY2(name != first && name != second, qPrintable(name));
#endif
  }
}

void SingleInstanceTest::laterCopyAsksTheHolderToShowItself() {
  SingleInstance first(path_);
  int requests = 0;
  first.OnShowRequest([&] {
    ++requests;
    return QStringLiteral("form0");
  });
  QVERIFY(first.TryAcquire());
  QVERIFY(first.Listening());

  for (int copy = 1; copy <= 3; ++copy) {
    QVERIFY(LaterCopyIsRefused());
    QTRY_COMPARE(requests, copy);
  }
  // Asking the holder again is not another copy starting.
  QVERIFY(first.TryAcquire());
  QTest::qWait(50);
  QCOMPARE(requests, 3);
}

// What a peer sends decides whether the window is shown; the peer hears back which window.
void SingleInstanceTest::holderAnswersWithTheWindowItShowed_data() {
  AddColumns<QByteArray, bool>("sent", "shown");
  QTest::newRow("the request") << QByteArray(SingleInstance::kShowRequest) << true;
  QTest::newRow("another word") << QByteArray("hello\n") << false;
  QTest::newRow("the word with more") << QByteArray("show me\n") << false;
  QTest::newRow("empty line") << QByteArray("\n") << false;
}

void SingleInstanceTest::holderAnswersWithTheWindowItShowed() {
  QFETCH(QByteArray, sent);
  QFETCH(bool, shown);
  SingleInstance first(path_);
  int requests = 0;
  first.OnShowRequest([&] {
    ++requests;
    return QStringLiteral("Form9");
  });
  QVERIFY(first.TryAcquire());

  QLocalSocket peer;
  peer.connectToServer(SingleInstance::ServerNameFor(path_));
  QVERIFY(peer.waitForConnected(5000));
  peer.write(sent);
  QTRY_VERIFY(peer.canReadLine());
  QCOMPARE(peer.readLine(), shown ? QByteArray("Form9\n") : QByteArray("\n"));
  QCOMPARE(requests, shown ? 1 : 0);
  // The holder hangs up once it has answered.
  QTRY_COMPARE(peer.state(), QLocalSocket::UnconnectedState);
}

void SingleInstanceTest::socketLeftByAHolderThatDiedDoesNotStopTheNextFromListening() {
#ifdef Q_OS_UNIX
  // A socket bound and never unlinked, as a killed holder leaves it.
  const QByteArray name = QFile::encodeName(SingleInstance::ServerNameFor(path_));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  QVERIFY(size_t(name.size()) < sizeof(address.sun_path));
  std::copy(name.begin(), name.end(), address.sun_path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  QVERIFY(fd >= 0);
  QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  ::close(fd);
  QVERIFY(QFile::exists(QFile::decodeName(name)));
#endif
  SingleInstance next(path_);
  int requests = 0;
  next.OnShowRequest([&] {
    ++requests;
    return QString();
  });
  QVERIFY(next.TryAcquire());
  QVERIFY(next.Listening());
  QVERIFY(LaterCopyIsRefused());
  QTRY_COMPARE(requests, 1);
}

void SingleInstanceTest::minimisedWindowIsRestoredAndActivated() {
  QWidget start;
  start.setObjectName(QStringLiteral("form0"));
  start.show();
  QVERIFY(QTest::qWaitForWindowExposed(&start));
  start.setWindowState(Qt::WindowMinimized);
  QVERIFY(start.isMinimized());

  QCOMPARE(BringCurrentWindowToFront(), &start);
  QVERIFY(!start.isMinimized());
  QVERIFY(start.isVisible());
  QTRY_COMPARE(QApplication::activeWindow(), &start);
}

// A second start while a challenge window is open finds the challenge, not the start screen.
void SingleInstanceTest::modalWindowComesToTheFrontOverItsRestoredParent() {
  SingleInstance first(path_);
  first.OnShowRequest([] {
    const QWidget* shown = BringCurrentWindowToFront();
    return shown ? shown->objectName() : QString();
  });
  QVERIFY(first.TryAcquire());

  QWidget start;
  start.setObjectName(QStringLiteral("form0"));
  start.show();
  QVERIFY(QTest::qWaitForWindowExposed(&start));
  QDialog challenge(&start);
  challenge.setObjectName(QStringLiteral("Form1"));
  challenge.setWindowModality(Qt::ApplicationModal);
  challenge.show();
  QVERIFY(QTest::qWaitForWindowExposed(&challenge));
  QWidget other;  // another program's window stands in front
  other.show();
  other.activateWindow();
#ifdef Q_OS_WIN
  // Windows gives the activation of a window that an application-modal one blocks to the modal
  // one, so a window of this process cannot stand for another program's here.
  if (QTest::qWaitFor([&] { return QApplication::activeWindow() == &challenge; }, 500)) {
    QSKIP("no stand-in for another program's window in this process on Windows");
  }
#endif
  QTRY_COMPARE(QApplication::activeWindow(), &other);
  start.setWindowState(Qt::WindowMinimized);

  QVERIFY(LaterCopyIsRefused());
  QTRY_COMPARE(QApplication::activeWindow(), &challenge);
  QVERIFY(!start.isMinimized());
  QVERIFY(start.isVisible());
}

void SingleInstanceTest::nothingShownNothingBroughtForward() {
  QWidget hidden;
  QCOMPARE(BringCurrentWindowToFront(), nullptr);
  QVERIFY(!hidden.isVisible());
}

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
