# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (POSIX threads, so std::thread and
# std::mutex work). Used to build the Windows Qt kit; the kit's qt-cmake loads it again.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(NUMORA_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${NUMORA_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NUMORA_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${NUMORA_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${NUMORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained exe: the C++ runtime and winpthread linked in, no DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
