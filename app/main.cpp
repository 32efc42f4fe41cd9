// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "platform/display.h"
#include "platform/layout.h"
#include "platform/qt_version.h"
#include "platform/single_instance.h"
#include "start/form0.h"

int main(int argc, char** argv) {
  numora::platform::ScaleByScreenDpi();
  numora::platform::SingleInstance instance(
      numora::platform::SingleInstance::DefaultLockPath(QStringLiteral("numora")));
  {
    // A running copy is found, and asked to come to the front, before this one opens the
    // display: copies started at once do not all knock at it together then (an X server turns
    // a connection away now and then while others connect at the same moment, and Qt ends a
    // program it cannot connect). Leave without a word.
    QCoreApplication lookout(argc, argv);
    if (!instance.ClaimOrAskHolder()) return 0;
  }
  // The display may turn even this one connection away (platform/display.h).
  numora::platform::PrepareDisplay(10000);
  // The application name stays the executable's: the lock file records it, and a lock whose
  // holder runs under another name counts as left behind.
  QApplication app(argc, argv);
  numora::platform::ForgetDisplayRetries();
  // Ties the windows to the installed desktop entry (its name and icon in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("numora"));
  numora::platform::InstallFontSubstitutions();

  instance.Listen();

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
