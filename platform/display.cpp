// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/display.h"

#include <QtGlobal>

#ifdef NUMORA_HAVE_XCB
#include <xcb/xcb.h>

#include <QDeadlineTimer>
#include <QThread>
#endif

namespace numora::platform {

namespace {
bool retriesSet = false;
}  // namespace

bool PrepareDisplay(int patienceMs) {
#ifdef NUMORA_HAVE_XCB
  // Only where Qt picks X by itself: a platform someone chose, or a Wayland session, stays.
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
      !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qEnvironmentVariableIsEmpty("DISPLAY")) {
    return true;
  }
  qputenv("QT_QPA_PLATFORM", "xcb;xcb;xcb;xcb;xcb");
  retriesSet = true;
  const QDeadlineTimer deadline(patienceMs);
  unsigned long pauseMs = 10;
  for (;;) {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool taken = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (taken) return true;
    if (deadline.hasExpired()) return false;
    QThread::msleep(pauseMs);
    pauseMs = qMin<unsigned long>(2 * pauseMs, 200);
  }
#else
  Q_UNUSED(patienceMs);
  return true;
#endif
}

void ForgetDisplayRetries() {
  if (retriesSet) qunsetenv("QT_QPA_PLATFORM");
  retriesSet = false;
}

}  // namespace numora::platform
