#include "platform/single_instance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace numora::platform {

namespace {

QString UserTag() {
#ifdef Q_OS_UNIX
  return QString::number(::getuid());
#else
  return qEnvironmentVariable("USERNAME", QStringLiteral("user"));
#endif
}

QString LockDirectory() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // Without XDG_RUNTIME_DIR the runtime location would be made up with a warning on the
  // console; the temporary directory serves as well, as the file name carries the user.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return QDir::tempPath();
#endif
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty() && QDir().mkpath(runtime)) return runtime;
  return QDir::tempPath();
}

}  // namespace

SingleInstance::SingleInstance() : SingleInstance(DefaultLockPath()) {}

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(std::make_unique<QLockFile>(lockPath)) {
  // Only a dead holder makes a lock stale, never its age: a game may run for hours.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire() {
  if (lock_->isLocked()) return true;
  if (lock_->tryLock(0)) return true;
  return lock_->error() != QLockFile::LockFailedError;
}

QString SingleInstance::DefaultLockPath() {
  return QDir(LockDirectory()).filePath(QStringLiteral("numora-%1.lock").arg(UserTag()));
}

}  // namespace numora::platform
