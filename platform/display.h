// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The X display a program is about to open. An X server turns a connection away now and then
// (seen as EAGAIN or a reset: while another client connects at the same moment, or just after
// one was killed), and Qt ends the program when its one try fails. Elsewhere (Windows,
// offscreen, Wayland) there is nothing to do.

namespace numora::platform {

// Called before the application object: when Qt is to use X, tries for at most `patienceMs`
// until the display in DISPLAY takes a connection, and has Qt try its own connection a few
// times over (Qt takes a list of platforms to try in turn). False when the display never took
// one.
bool PrepareDisplay(int patienceMs);
// Called once the application object is made: the programs this one starts (a browser for a
// link) choose their platform as they would have.
void ForgetDisplayRetries();

}  // namespace numora::platform
