// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small faces cut at build time from the installed CJK faces (cmake/subset_faces.py). They hold
// the characters of the game's own texts, drawn exactly as the installed faces draw them; a
// screen that shows only those never opens the installed faces, whose tables take megabytes of
// memory and milliseconds to read. Any other character, such as a name a pupil types, comes
// from the installed face as before.

#include <QString>
#include <vector>

namespace numora::platform {

struct CutFace {
  const char* Family;     // the cut face's own family name
  const char* Installed;  // the family it was cut from
  int Weight;             // as QFont counts weights
  const unsigned char* Data;
  int Size;
};

// The faces cut at build time; none when the build machine lacked fontTools or the faces.
const std::vector<CutFace>& CutFaces();

// Makes the cut faces known to Qt. Call once, before the first font is made.
void LoadCutFaces();

// The family of the faces cut from `installed`, once loaded; empty if there is none.
QString CutFamilyFor(const QString& installed);

}  // namespace numora::platform
