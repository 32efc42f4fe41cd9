#include <QApplication>

#include "platform/layout.h"
#include "platform/single_instance.h"
#include "start/form0.h"

int main(int argc, char** argv) {
  // The application name stays the executable's: the lock file records it, and a lock whose
  // holder runs under another name counts as left behind.
  QApplication app(argc, argv);
  numora::platform::InstallFontSubstitutions();

  numora::platform::SingleInstance instance;
  // Another copy is running: leave at once and without a word.
  if (!instance.TryAcquire()) return 0;

  numora::Form0 form;
  form.show();
  return app.exec();
}
