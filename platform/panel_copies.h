// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line edit's panel (its base and frame) drawn from a copy of the pixels the style drew there
// before. The style strokes a large box's antialiased frame anew at every repaint, and a box
// repaints whole at every key: on the number box that stroke was most of what a key cost. A copy
// serves only where it is exact: over the same pixels beneath, at the same place, size, state and
// colours, on a painter that maps the widget to whole device pixels; otherwise the style draws.

class QWidget;

namespace numora::platform {

// Has `edit` draw its panel from copies from now on.
void DrawPanelFromCopies(QWidget& edit);

// Turns the copies off or on (on by default), for a comparison of the two.
void UsePanelCopies(bool on);
// How many panels were drawn from copies so far.
long PanelCopiesServed();

}  // namespace numora::platform
