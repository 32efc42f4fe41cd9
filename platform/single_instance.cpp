// SPDX-License-Identifier: GPL-3.0-or-later
// The lock: where it lies, whose it is, and taking it or leaving the start to the copy that holds
// it (the request to that copy is in holder_request.cpp).
#include "platform/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>  // the listener the lock holder owns
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
// sddl.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on
#endif

namespace numora::platform {

namespace {

QString LockDirectory() {
#ifdef Q_OS_WIN
  // The user's own temporary directory, under the profile: out of sight, and never shared.
  return QDir::tempPath();
#else
#ifndef Q_OS_DARWIN
  // Without XDG_RUNTIME_DIR the runtime location would be made up with a warning on the
  // console; the temporary directory serves as well, as the file name carries the user.
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return QDir::tempPath();
#endif
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!runtime.isEmpty() && QDir().mkpath(runtime)) return runtime;
  return QDir::tempPath();
#endif
}

}  // namespace

QString SingleInstance::UserTag() {
#ifdef Q_OS_UNIX
  return QString::number(::getuid());
#elif defined(Q_OS_WIN)
  // The account's security identifier: unlike the user name it is unique across domains and
  // never reused, so two users of one PC (both signed in, say) never share a lock.
  QString sid;
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    QByteArray buffer(qsizetype(size), Qt::Uninitialized);
    wchar_t* text = nullptr;
    if (size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
      sid = QString::fromWCharArray(text);
      LocalFree(text);
    }
    CloseHandle(token);
  }
  return sid.isEmpty() ? qEnvironmentVariable("USERNAME", QStringLiteral("user")) : sid;
#else
  return qEnvironmentVariable("USER", QStringLiteral("user"));
#endif
}

SingleInstance::SingleInstance(const QString& lockPath)
    : serverName_(ServerNameFor(lockPath)), lock_(std::make_unique<QLockFile>(lockPath)) {
  // Only a dead holder makes a lock stale, never its age: a game may run for hours.
  lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::TryAcquire() {
  if (!ClaimOrAskHolder()) return false;
  Listen();
  return true;
}

bool SingleInstance::ClaimOrAskHolder() {
  if (lock_->isLocked()) return true;
  // Until the holder is reached: it may not listen yet, or be dying (killed a moment ago), so
  // that its lock comes free on the next look.
  const QDeadlineTimer reaching(kReachHolderMs);
  for (;;) {
    if (TakeLock()) return true;
    // A lock that cannot be made at all (no writable directory) does not keep the game from
    // starting.
    if (lock_->error() != QLockFile::LockFailedError) return true;
    switch (AskHolderToShow()) {
      case Asked::Answered:
        return false;
      case Asked::Unanswered:
        // Through to the holder, but no answer: either it died meanwhile, and its lock is
        // stale now, or it is alive and will show its window itself.
        return TakeLock();
      case Asked::Unreachable:
        if (reaching.hasExpired()) return false;
        QThread::msleep(10);
        break;
    }
  }
}

bool SingleInstance::TakeLock() {
  if (lock_->tryLock(0)) return true;
#ifdef Q_OS_WIN
  // A live holder keeps its lock file open, and Windows deletes no file that is open: one that
  // can be deleted was left by a copy that ended without unlocking, whatever process now has
  // the id it names (ids come round again after a restart, and under Wine in every session).
  if (lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile()) {
    return lock_->tryLock(0);
  }
#endif
  return false;
}

QString SingleInstance::DefaultLockPath(const QString& program) {
  return QDir(LockDirectory()).filePath(QStringLiteral("%1-%2.lock").arg(program, UserTag()));
}

}  // namespace numora::platform
