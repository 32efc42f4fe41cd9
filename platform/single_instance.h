#pragma once
// One copy of the game per user: a lock file in the user's runtime directory. The lock goes
// with the process, however it ends, so a copy that was killed never blocks the next start.

#include <QString>
#include <memory>

class QLockFile;

namespace numora::platform {

class SingleInstance {
 public:
  // The lock for this user at its usual place.
  SingleInstance();
  // A lock at `lockPath` (tests use a directory of their own).
  explicit SingleInstance(const QString& lockPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process is the only copy (and now holds the lock until it ends); false when
  // another live copy holds it. A lock that cannot be made at all (no writable directory) does
  // not keep the game from starting.
  bool TryAcquire();

  // The user's runtime directory (the temporary directory when there is none), and in it a
  // file named with the user's id.
  static QString DefaultLockPath();

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace numora::platform
