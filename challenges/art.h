// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's pictures, drawn in code so that nothing is taken from elsewhere.

#include <QIcon>
#include <QPainterPath>
#include <QPixmap>
#include <QPointF>

namespace numora {

QIcon WindowIcon();               // 32 x 32
QPixmap IconPicture(int side);    // the window icon's picture at any size (the desktop's icons)
QPixmap TitlePicture();           // 300 x 300, the start screen's picture
QPixmap RewardPicture(int side);  // shown after a complete counting run

}  // namespace numora
