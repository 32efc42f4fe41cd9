// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What differs between the Qt versions the game builds on, Qt 5.15 (the Windows build, which
// must run on Windows 7) and Qt 6, gathered in one place so that no other file asks which one
// it has.

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QStringList>
#include <QtGlobal>

namespace numora::platform {

inline constexpr bool kQt6 = QT_VERSION >= QT_VERSION_CHECK(6, 0, 0);

// The families of the installed fonts.
inline QStringList InstalledFamilies() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return QFontDatabase::families();
#else
  return QFontDatabase().families();
#endif
}

// A font weight on the OpenType scale (400 regular, 700 bold, 900 black) as QFont takes it:
// Qt 6 counts on that scale, Qt 5 from 0 to 99 with its own names for the steps.
inline QFont::Weight FontWeight(int openType) {
  if (openType >= 900) return QFont::Black;
  if (openType >= 700) return QFont::Bold;
  return QFont::Normal;
}

// Called before the application object: windows are scaled by the screen's dots per inch, at
// factors such as 1.25 and 1.5 as they are, so that the twip layout and its point fonts keep to
// each other at 120 and 144 dpi. Qt 6 does so by itself; Qt 5 scales only when told and rounds
// the factor to a whole number.
inline void ScaleByScreenDpi() {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
  QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
      Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

// Whether the offscreen platform takes the size of its screen from a configuration file
// (offscreen:configfile=...): Qt 6's does; Qt 5's screen is always 800 x 600.
inline constexpr bool kOffscreenScreenOfAnySize = kQt6;

}  // namespace numora::platform
