// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <QCryptographicHash>
// sddl.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on
#endif

namespace numora::platform {

namespace {

// A peer gets this long to send its line, and may send no more than this before it.
constexpr int kPeerPatienceMs = 5000;
constexpr qint64 kLongestLine = 64;

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

// Answers one later copy: reads its line, lets the handler show the window, writes back the
// window's name and hangs up.
void Serve(QLocalSocket* peer, const SingleInstance::ShowRequest& onShow) {
  QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
  QTimer::singleShot(kPeerPatienceMs, peer, [peer] { peer->abort(); });
  auto answer = [peer, onShow] {
    if (!peer->canReadLine()) {
      if (peer->bytesAvailable() > kLongestLine) peer->abort();
      return;
    }
    const QByteArray line = peer->readLine(kLongestLine + 1);
    QString shown;
    if (line == SingleInstance::kShowRequest && onShow) shown = onShow();
    peer->write(shown.toUtf8() + '\n');
#ifdef Q_OS_WIN
    // Closing a pipe drops what has not yet gone through it: the peer hangs up once it has the
    // answer, or the patience timer does.
    peer->flush();
#else
    peer->disconnectFromServer();
#endif
  };
  QObject::connect(peer, &QLocalSocket::readyRead, peer, answer);
  // The line may have come in with the connection, before anyone listened for it.
  if (peer->bytesAvailable() > 0) answer();
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

bool SingleInstance::Listening() const {
  return server_ && server_->isListening();
}

void SingleInstance::Listen() {
  // Only the holder of the lock takes requests, and only once.
  if (!lock_->isLocked() || Listening()) return;
  auto server = std::make_unique<QLocalServer>();
  server->setSocketOptions(QLocalServer::UserAccessOption);
  // Only the holder of the lock gets here, so a socket file already there was left by a copy
  // that died without closing it.
  QLocalServer::removeServer(serverName_);
  // Heard before listening: on Windows, listen() itself takes up a copy that is already
  // knocking and signals it there, and a signal nobody heard leaves that copy unanswered.
  QLocalServer* listener = server.get();
  QObject::connect(listener, &QLocalServer::newConnection, listener, [this, listener] {
    while (QLocalSocket* peer = listener->nextPendingConnection()) Serve(peer, onShow_);
  });
  // Without the socket the game still runs; a later copy then only ends.
  if (!server->listen(serverName_)) return;
  server_ = std::move(server);
}

SingleInstance::Asked SingleInstance::AskHolderToShow() const {
  QLocalSocket socket;
  socket.connectToServer(serverName_);
  // A holder that listens takes the connection at once; a copy that died leaves a socket
  // nobody answers on until the next holder replaces it.
  if (!socket.waitForConnected(100)) return Asked::Unreachable;
#ifdef Q_OS_WIN
  // Windows lets a program in the background bring its window forward only when the program
  // in front allows it: this copy was just started by the pupil, so it is in front.
  qint64 holder = 0;
  if (lock_->getLockInfo(&holder, nullptr, nullptr) && holder > 0) {
    AllowSetForegroundWindow(static_cast<DWORD>(holder));
  }
#endif
  // From here the request has its own time: the holder answers from its event loop.
  const QDeadlineTimer answering(kAnswerMs);
  socket.write(kShowRequest);
  // No event loop runs yet: the line must be on its way before waiting for the answer.
  socket.waitForBytesWritten(kAnswerMs);
  // The answer says the holder read the line (a pipe its client closes before the holder took
  // the connection up loses the line with it); a holder that dies on the way gives none.
  while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState &&
         !answering.hasExpired()) {
    socket.waitForReadyRead(int(answering.remainingTime()));
  }
  const bool answered = socket.canReadLine();
  socket.disconnectFromServer();
  return answered ? Asked::Answered : Asked::Unanswered;
}

QString SingleInstance::ServerNameFor(const QString& lockPath) {
#ifdef Q_OS_WIN
  // A named pipe: one namespace for the whole machine, names of at most 256 characters and
  // no backslash. A digest of the lock's path (which lies in the user's own directory and
  // names the user) is unique per user and lock, however long or Chinese the profile path.
  // Windows compares paths without case, so one lock spelt in two cases names one pipe.
  const QFileInfo lock(lockPath);
  const QByteArray path = QDir::cleanPath(lock.absoluteFilePath()).toLower().toUtf8();
  return lock.completeBaseName().toLower() + u'-' +
         QString::fromLatin1(QCryptographicHash::hash(path, QCryptographicHash::Sha256).toHex());
#else
  const QFileInfo lock(lockPath);
  return lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
#endif
}

QString SingleInstance::DefaultLockPath(const QString& program) {
  return QDir(LockDirectory()).filePath(QStringLiteral("%1-%2.lock").arg(program, UserTag()));
}

namespace {

QWidget* CurrentWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* active = QApplication::activeWindow()) return active;
  QWidget* found = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    const Qt::WindowType type = widget->windowType();
    if (widget->isVisible() && (type == Qt::Window || type == Qt::Dialog)) found = widget;
  }
  return found;
}

}  // namespace

QWidget* BringCurrentWindowToFront() {
  QWidget* current = CurrentWindow();
  if (!current) return nullptr;
  // The windows it stands over, lowest first, so that it ends on top of them.
  std::vector<QWidget*> stack;
  for (QWidget* window = current; window;
       window = window->parentWidget() ? window->parentWidget()->window() : nullptr) {
    stack.push_back(window);
  }
  std::reverse(stack.begin(), stack.end());
  for (QWidget* window : stack) {
    if (window->isMinimized()) {
      window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
    if (window->isVisible()) window->raise();
  }
  current->show();
  current->raise();
  current->activateWindow();
  // Where the window manager will not hand the focus to a program in the background, the
  // window at least asks for attention; it stops asking once it is active.
  QApplication::alert(current);
  return current;
}

}  // namespace numora::platform
