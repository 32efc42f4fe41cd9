// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/links.h"

#include <QDesktopServices>

namespace numora::platform {

void OpenLink(const QUrl& url) {
  if (!url.isValid()) return;
  // The result is of no use to the pupil: a link that cannot open simply does nothing.
  static_cast<void>(QDesktopServices::openUrl(url));
}

}  // namespace numora::platform
