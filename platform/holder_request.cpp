// SPDX-License-Identifier: GPL-3.0-or-later
// The request to the running copy: the holder's socket and how it answers, the later copy's
// request over it, and the window the holder brings to the front.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/single_instance.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <QCryptographicHash>
#endif

namespace numora::platform {

namespace {

// A peer gets this long to send its line, and may send no more than this before it.
constexpr int kPeerPatienceMs = 5000;
constexpr qint64 kLongestLine = 64;

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
