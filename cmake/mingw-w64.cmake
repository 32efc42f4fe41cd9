# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 32-bit Windows (Windows 7 SP1 to 11, 32- and 64-bit) with Debian's
# mingw-w64 (POSIX threads, so std::thread and std::mutex work). The Windows Qt kit is given as
# NUMORA_QT_KIT (scripts/windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(NUMORA_MINGW i686-w64-mingw32)

set(CMAKE_C_COMPILER ${NUMORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUMORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${NUMORA_MINGW}-windres)

# The kit is a root of its own: Qt 5's package files name its libraries by their paths there.
set(CMAKE_FIND_ROOT_PATH /usr/${NUMORA_MINGW} ${NUMORA_QT_KIT})
set(CMAKE_PREFIX_PATH ${NUMORA_QT_KIT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SSE2 arithmetic, as Qt's own i386 libraries: x87's excess precision would make the exact
# comparisons of doubles differ from the 64-bit builds. Windows keeps the stack 4-byte aligned on
# x86; SSE spills need it realigned.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
# One self-contained exe: the C++ runtime and winpthread linked in, no DLL beside it. All 4 GB of
# address space where a 64-bit Windows runs the 32-bit game.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--large-address-aware")
