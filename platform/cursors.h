// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start screen's mouse pointers, drawn in code like the game's pictures.

#include <QCursor>

namespace numora::platform {

QCursor LevelButtonCursor();  // over the level buttons: a star
QCursor LinkCursor();         // over the two links: a pointing hand

}  // namespace numora::platform
