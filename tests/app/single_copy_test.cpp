// SPDX-License-Identifier: GPL-3.0-or-later
// The built game started side by side with itself, each run with a runtime directory of its
// own so that parallel test runs never meet. A later copy ends at once and silently; the
// running one answers on its socket with the window it brought to the front.

#include <QDir>
#include <QFile>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <signal.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include "platform/single_instance.h"
#endif

class SingleCopyTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void secondCopyEndsAtOnceWithStatusZero();
  void copyKilledOutrightDoesNotBlockTheNextStart();
  void holderKilledWhileAskedLeavesTheAskerRunning();
  void runningCopyBringsItsStartScreenForward();
  void tenCopiesStartedAtOnceLeaveExactlyOne();

 private:
  QProcess* Start();
  // Asks the running copy to show itself, as a later copy does; returns the window it names.
  QByteArray AskToShow() const;
  // Asks until the running copy names a window, as one still starting names none; every ask must
  // be answered.
  QByteArray AskUntilShown() const;
  // The process id the lock file names, 0 while there is none.
  qint64 LockHolder() const;
  // Waits until `game` holds the lock and is still running.
  bool HoldsTheLock(QProcess* game) const;
  void ExpectRefused();

  std::optional<QTemporaryDir> runtime_;
  QString lockPath_;
  QString socketPath_;
  std::vector<std::unique_ptr<QProcess>> games_;
};

void SingleCopyTest::init() {
  runtime_.emplace();
  QVERIFY(runtime_->isValid());
  QFile::setPermissions(runtime_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#ifdef Q_OS_UNIX
  lockPath_ = runtime_->filePath(QStringLiteral("numora-%1.lock").arg(::getuid()));
  socketPath_ = runtime_->filePath(QStringLiteral("numora-%1.socket").arg(::getuid()));
#elif defined(Q_OS_WIN)
  // Windows keeps the lock in the temporary directory, which Start() points here; the socket
  // is a named pipe named after the lock's path.
  lockPath_ = QDir::toNativeSeparators(runtime_->filePath(
      QStringLiteral("numora-%1.lock").arg(numora::platform::SingleInstance::UserTag())));
  socketPath_ = numora::platform::SingleInstance::ServerNameFor(lockPath_);
#endif
}

void SingleCopyTest::cleanup() {
  for (auto& game : games_) {
    if (game->state() != QProcess::NotRunning) {
      game->kill();
      game->waitForFinished();
    }
  }
  games_.clear();
}

QProcess* SingleCopyTest::Start() {
  auto game = std::make_unique<QProcess>();
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_->path());
#ifdef Q_OS_WIN
  env.insert(QStringLiteral("TMP"), QDir::toNativeSeparators(runtime_->path()));
  env.insert(QStringLiteral("TEMP"), QDir::toNativeSeparators(runtime_->path()));
#endif
  game->setProcessEnvironment(env);
  game->start(QStringLiteral(NUMORA_GAME_BINARY), QStringList());
  games_.push_back(std::move(game));
  return games_.back().get();
}

qint64 SingleCopyTest::LockHolder() const {
  QFile file(lockPath_);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  return file.readLine().trimmed().toLongLong();
}

bool SingleCopyTest::HoldsTheLock(QProcess* game) const {
  if (!game->waitForStarted()) return false;
  const qint64 pid = game->processId();
  return QTest::qWaitFor([&] { return LockHolder() == pid; }, 20000) &&
         game->state() == QProcess::Running;
}

QByteArray SingleCopyTest::AskToShow() const {
  QLocalSocket socket;
  // The holder listens a moment after it took the lock.
  if (!QTest::qWaitFor(
          [&] {
            socket.abort();  // a failed try leaves the socket unfit for the next
            socket.connectToServer(socketPath_);
            return socket.waitForConnected(1000);
          },
          20000)) {
    return "not listening";
  }
  // As a later copy asks: the line written out before waiting for the answer (a pipe's writes
  // go out through the event loop otherwise).
  socket.write("show\n");
  socket.waitForBytesWritten(20000);
  if (!QTest::qWaitFor([&] { return socket.canReadLine() || socket.waitForReadyRead(100); },
                       20000)) {
    return "no answer";
  }
  return socket.readLine();
}

QByteArray SingleCopyTest::AskUntilShown() const {
  QByteArray answer;
  const bool named = QTest::qWaitFor(
      [&] {
        answer = AskToShow();
        return answer != "\n";
      },
      20000);
  return named ? answer : QByteArray("no window named");
}

void SingleCopyTest::ExpectRefused() {
  QProcess* second = Start();
  QVERIFY(second->waitForFinished(20000));
  QCOMPARE(second->exitStatus(), QProcess::NormalExit);
  QCOMPARE(second->exitCode(), 0);
  // Silently: not a word on either stream.
  QCOMPARE(second->readAllStandardOutput(), QByteArray());
  QCOMPARE(second->readAllStandardError(), QByteArray());
}

void SingleCopyTest::secondCopyEndsAtOnceWithStatusZero() {
  QProcess* first = Start();
  QVERIFY(HoldsTheLock(first));
  ExpectRefused();
  ExpectRefused();
  QCOMPARE(first->state(), QProcess::Running);
  QCOMPARE(LockHolder(), first->processId());
}

void SingleCopyTest::copyKilledOutrightDoesNotBlockTheNextStart() {
  QProcess* first = Start();
  QVERIFY(HoldsTheLock(first));
#ifdef Q_OS_WIN
  // Its socket is a named pipe, no file: it listens once it answers.
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
#else
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(socketPath_), 20000);  // it listens just after
#endif
  first->kill();  // SIGKILL: nothing of the game runs on the way out
  QVERIFY(first->waitForFinished());
  QCOMPARE(first->exitStatus(), QProcess::CrashExit);
  QVERIFY2(QFile::exists(lockPath_), "the killed copy leaves its lock file behind");
#ifndef Q_OS_WIN
  // A named pipe goes with its process; a Unix socket file stays.
  QVERIFY2(QFile::exists(socketPath_), "and its socket, that nobody answers on");
#endif

  QProcess* next = Start();
  QVERIFY(HoldsTheLock(next));
  QVERIFY(!next->waitForFinished(500));
  // And it holds the lock as the first did, and listens in its place.
  ExpectRefused();
  QCOMPARE(next->state(), QProcess::Running);
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
}

// A holder killed while a later copy asks it to show itself (just started again after a kill,
// the pupil's new copy may find the old one not quite gone): the asker gets no answer, finds the
// lock stale and runs in its place.
void SingleCopyTest::holderKilledWhileAskedLeavesTheAskerRunning() {
#ifdef Q_OS_UNIX
  QProcess* first = Start();
  QVERIFY(HoldsTheLock(first));
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
  // Stopped, it still takes connections (the system queues them) but answers none.
  QCOMPARE(::kill(pid_t(first->processId()), SIGSTOP), 0);
  QProcess* next = Start();
  QVERIFY(next->waitForStarted());
  QTest::qWait(1500);  // the next copy is through to it by now, waiting for the answer
  first->kill();
  QVERIFY(first->waitForFinished());
  QVERIFY(HoldsTheLock(next));
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
#else
  QSKIP("a stopped holder is a Unix case");
#endif
}

void SingleCopyTest::runningCopyBringsItsStartScreenForward() {
  QProcess* first = Start();
  QVERIFY(HoldsTheLock(first));
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
  QCOMPARE(AskToShow(), QByteArray("form0\n"));
  QCOMPARE(first->state(), QProcess::Running);
}

void SingleCopyTest::tenCopiesStartedAtOnceLeaveExactlyOne() {
  constexpr int kCopies = 10;
  std::vector<QProcess*> copies;
  for (int i = 0; i < kCopies; ++i) copies.push_back(Start());
  for (QProcess* copy : copies) QVERIFY(copy->waitForStarted());

  auto running = [&] {
    return std::count_if(copies.begin(), copies.end(),
                         [](QProcess* copy) { return copy->state() == QProcess::Running; });
  };
  QTRY_COMPARE_WITH_TIMEOUT(running(), 1, 60000);
  QTest::qWait(500);
  QCOMPARE(running(), 1);

  for (QProcess* copy : copies) {
    if (copy->state() == QProcess::Running) {
      QCOMPARE(LockHolder(), copy->processId());
      continue;
    }
    QCOMPARE(copy->exitStatus(), QProcess::NormalExit);
    QCOMPARE(copy->exitCode(), 0);
    QCOMPARE(copy->readAllStandardOutput(), QByteArray());
    QCOMPARE(copy->readAllStandardError(), QByteArray());
  }
  QCOMPARE(AskUntilShown(), QByteArray("form0\n"));
}

QTEST_GUILESS_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
