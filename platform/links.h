// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>

namespace numora::platform {

// Hands the address to the desktop's handler for its scheme (the web browser), with no command
// interpreter in between. A missing browser or a failed start is ignored: nothing visible
// happens.
void OpenLink(const QUrl& url);

}  // namespace numora::platform
