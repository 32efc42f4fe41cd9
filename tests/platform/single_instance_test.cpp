// The per-user lock that keeps a second copy of the game from starting.

#include "platform/single_instance.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using numora::platform::SingleInstance;

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

 private:
  // The lock file as this process would write it, claiming `pid` instead.
  QByteArray LockContentFor(qint64 pid);

  std::optional<QTemporaryDir> dir_;
  QString path_;
};

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
  gone.start(QStringLiteral("sleep"), {QStringLiteral("30")});
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
  file.close();

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
  const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
  const bool had = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
  const QString runtime = dir_->path();
  QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
  const QString inRuntime = SingleInstance::DefaultLockPath();
  qunsetenv("XDG_RUNTIME_DIR");
  const QString withoutRuntime = SingleInstance::DefaultLockPath();
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

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
