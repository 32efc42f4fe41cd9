// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace numora::platform {

// Stands in for a challenge window that is not built yet: shows the level and a return button.
void ShowPlaceholderWindow(int level, QWidget* parent);

}  // namespace numora::platform
