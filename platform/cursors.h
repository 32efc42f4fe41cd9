// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Mouse pointers drawn in code: a star and a pointing hand.

#include <QCursor>

class QPainterPath;
class QPointF;

namespace numora::platform {

// A five-pointed star, its first point straight up.
QPainterPath Star(QPointF centre, double outer, double inner);

QCursor StarCursor();  // a yellow star, its hot spot in the middle
QCursor HandCursor();  // a hand pointing up, its hot spot at the fingertip

}  // namespace numora::platform
