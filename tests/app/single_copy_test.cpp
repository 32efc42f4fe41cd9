// The built game started side by side with itself, each run with a runtime directory of its
// own so that parallel test runs never meet.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

class SingleCopyTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void secondCopyEndsAtOnceWithStatusZero();
  void copyKilledOutrightDoesNotBlockTheNextStart();

 private:
  QProcess* Start();
  // The process id the lock file names, 0 while there is none.
  qint64 LockHolder() const;
  // Waits until `game` holds the lock and is still running.
  bool HoldsTheLock(QProcess* game) const;
  void ExpectRefused();

  std::optional<QTemporaryDir> runtime_;
  QString lockPath_;
  std::vector<std::unique_ptr<QProcess>> games_;
};

void SingleCopyTest::init() {
  runtime_.emplace();
  QVERIFY(runtime_->isValid());
  QFile::setPermissions(runtime_->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#ifdef Q_OS_UNIX
  lockPath_ = runtime_->filePath(QStringLiteral("numora-%1.lock").arg(::getuid()));
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
  game->setProcessEnvironment(env);
  game->start(QStringLiteral(NUMORA_GAME_BINARY), {});
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
  first->kill();  // SIGKILL: nothing of the game runs on the way out
  QVERIFY(first->waitForFinished());
  QCOMPARE(first->exitStatus(), QProcess::CrashExit);
  QVERIFY2(QFile::exists(lockPath_), "the killed copy leaves its lock file behind");

  QProcess* next = Start();
  QVERIFY(HoldsTheLock(next));
  QVERIFY(!next->waitForFinished(500));
  // And it holds the lock as the first did.
  ExpectRefused();
  QCOMPARE(next->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(SingleCopyTest)
#include "single_copy_test.moc"
