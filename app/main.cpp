// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "platform/layout.h"
#include "platform/qt_version.h"
#include "platform/single_instance.h"
#include "start/form0.h"

int main(int argc, char** argv) {
  // The application name stays the executable's: the lock file records it, and a lock whose
  // holder runs under another name counts as left behind.
  numora::platform::ScaleByScreenDpi();
  QApplication app(argc, argv);
  // Ties the windows to the installed desktop entry (its name and icon in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("numora"));
  numora::platform::InstallFontSubstitutions();

  numora::platform::SingleInstance instance(
      numora::platform::SingleInstance::DefaultLockPath(QStringLiteral("numora")));
  // Another copy is running: it has been asked to come to the front; leave without a word.
  if (!instance.TryAcquire()) return 0;

  numora::Form0 form;
  // A later copy brings forward whatever the pupil had open: the start screen or the
  // challenge window over it.
  instance.OnShowRequest([] {
    const QWidget* shown = numora::platform::BringCurrentWindowToFront();
    return shown ? shown->objectName() : QString();
  });
  form.show();
  return app.exec();
}
