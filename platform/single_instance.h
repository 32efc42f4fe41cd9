// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One copy of the game per user: a lock file in the user's runtime directory. The lock goes
// with the process, however it ends, so a copy that was killed never blocks the next start.
//
// Beside the lock the holder listens on a local socket. A copy that finds the lock taken sends
// the holder one line over it, asking it to bring its window to the front, and ends once the
// holder has answered; so a pupil who starts the game again finds the one already running. A
// holder that cannot answer because it died meanwhile leaves its lock stale, and the copy takes
// it over. The socket file a killed holder leaves behind is removed by the next holder before it
// listens.

#include <QString>
#include <functional>
#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

namespace numora::platform {

class SingleInstance {
 public:
  // What the holder does when another copy starts: brings a window forward and answers with
  // that window's object name (empty when it had none to show).
  using ShowRequest = std::function<QString()>;

  // A lock at `lockPath` (DefaultLockPath, or a directory of a test's own); the socket lies
  // beside it.
  explicit SingleInstance(const QString& lockPath);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True when this process is the only copy (and now holds the lock until it ends, listening
  // for later copies); false when another live copy holds it, which has then been asked to show
  // itself. A lock that cannot be made at all (no writable directory) does not keep the game
  // from starting.
  bool TryAcquire();
  // TryAcquire in two steps, for a program that looks for a running copy before it makes its
  // application object (which opens the display): the lock taken or the holder asked, as in
  // TryAcquire; then, in the copy that runs on and holds the lock, Listen once the application
  // object is made.
  bool ClaimOrAskHolder();
  void Listen();

  // Called in the holder, from its event loop, each time another copy starts.
  void OnShowRequest(ShowRequest handler) { onShow_ = std::move(handler); }

  // Whether this copy holds the lock and takes requests from later copies.
  bool Listening() const;

  // The socket beside `lockPath` that its holder listens on; on Windows a named pipe whose
  // name is drawn from `lockPath`.
  static QString ServerNameFor(const QString& lockPath);

  // Who runs this process: the user id, on Windows the account's security identifier.
  static QString UserTag();

  // The user's runtime directory (the temporary directory when there is none, and always on
  // Windows), and in it a file named with the program's name and UserTag(). The name is given,
  // not read from the executable, so that a renamed copy still finds the lock.
  static QString DefaultLockPath(const QString& program);

  // The line a later copy sends; how long it keeps trying to reach a holder that has taken the
  // lock but may not be listening yet (it listens once its application object is made); and
  // how long, once through, it waits for the answer, which comes from the holder's event loop
  // (later while a slow PC is still starting it).
  static constexpr char kShowRequest[] = "show\n";
  static constexpr int kReachHolderMs = 3000;
  static constexpr int kAnswerMs = 3000;

 private:
  // How a request to the holder went.
  enum class Asked { Answered, Unreachable, Unanswered };

  bool TakeLock();
  Asked AskHolderToShow() const;

  QString serverName_;
  std::unique_ptr<QLockFile> lock_;
  std::unique_ptr<QLocalServer> server_;
  ShowRequest onShow_;
};

// Brings the window the user would be looking for to the front: the modal window on top when
// one is open (a dialog over the main window), else the active window, else the last visible
// top-level window. Minimised windows under it are restored first. Returns the window,
// or nullptr when none is shown.
QWidget* BringCurrentWindowToFront();

}  // namespace numora::platform
