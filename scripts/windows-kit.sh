#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows kit: Qt 5.15 LTS's base (Core, Gui, Widgets, Network, Test, the windows,
# offscreen and minimal platform plugins and the windowsvista style) built as static libraries
# for 32-bit Windows (i686-w64-mingw32, POSIX threads), which runs on Windows 7 SP1 to 11, from
# Debian's source package of the qtbase5-dev that is installed on the host. Built once per
# machine under ~/.cache/numora/, keyed by the Qt version, the compiler and the options; prints
# the kit's directory on the last line of its output.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$ROOT/scripts/ensure-packages.sh" make g++ perl python3 dpkg-dev xz-utils qtbase5-dev \
  g++-mingw-w64-i686-posix

qt_version=$(dpkg-query -W -f='${Version}' qtbase5-dev)  # e.g. 5.15.8+dfsg-11+deb12u3
MINGW=i686-w64-mingw32
QT_OPTIONS=(
  -opensource -confirm-license -xplatform win32-g++ -static -release
  -nomake examples -nomake tests
  # The game draws no OpenGL and takes no tablet: none of opengl32.dll, nor wintab.h, which
  # Debian's source leaves out.
  -opengl no -no-feature-vulkan -no-feature-tabletevent
  # DirectWrite sets the text as Windows itself does; Qt 5 builds its font engine only with
  # Direct2D on. The Direct2D platform plugin (Direct2D 1.1) is not wanted.
  -directwrite -direct2d -no-feature-direct2d1_1
  # Everything bundled: no DLL beside the exe. FreeType serves the offscreen platform the
  # suites run on.
  -qt-zlib -qt-libpng -qt-pcre -qt-harfbuzz -qt-freetype -no-fontconfig -no-icu
  -no-libjpeg -no-gif -no-ico -no-ssl -no-dbus
  # What the game does not use.
  -no-feature-sql -no-feature-xml -no-feature-concurrent -no-feature-printer
  -no-feature-bearermanagement -no-feature-sessionmanager
)
compiler=$("$MINGW-g++-posix" --version | head -n1)
key=$({ echo "$qt_version"; echo "$compiler"; printf '%s\n' "${QT_OPTIONS[@]}"; } |
  sha256sum | cut -c1-12)
CACHE=${NUMORA_CACHE:-$HOME/.cache/numora}
KIT="$CACHE/qt-${qt_version%%+*}-$MINGW-static-$key"

mkdir -p "$CACHE"
exec 9>"$KIT.lock"
flock 9  # a second caller waits for the first build instead of starting its own
if [ -f "$KIT/.complete" ]; then
  echo "$KIT"
  exit 0
fi

# Qt's source comes from Debian's archive: deb-src lines for the archives the binaries come from
# (security and updates included, where qtbase5-dev's version may be), added once.
if ! grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: *deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      >/etc/apt/sources.list.d/numora-deb-src.sources
  else
    sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/numora-deb-src.list
  fi
fi

work="$KIT.build"
log="$KIT.log"
rm -rf "$work" "$KIT"
mkdir -p "$work/src" "$work/bin"
echo "Building the Windows Qt kit in $KIT (once per machine; about 40 minutes on 2 cores, log in $log) ..."
start=$(date +%s)
{
  for try in 1 2 3 4 5 6; do
    apt-get -o DPkg::Lock::Timeout=900 update -qq && break
    [ "$try" -eq 6 ] && exit 1
    sleep 20
  done
  (cd "$work/src" && apt-get source -qq "qtbase-opensource-src=$qt_version")
  src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qtbase-opensource-src-*' | head -n1)
  # Qt's win32-g++ target files name the tools by one prefix: these are the POSIX-threads compilers
  # whatever the system's alternatives say, and the plain binutils.
  ln -s "/usr/bin/$MINGW-gcc-posix" "$work/bin/$MINGW-gcc"
  ln -s "/usr/bin/$MINGW-g++-posix" "$work/bin/$MINGW-g++"
  for tool in ar ranlib windres strip objcopy nm; do
    ln -s "/usr/bin/$MINGW-$tool" "$work/bin/$MINGW-$tool"
  done
  mkdir -p "$work/build"
  cd "$work/build"
  "$src/configure" -prefix "$KIT" -device-option "CROSS_COMPILE=$work/bin/$MINGW-" "${QT_OPTIONS[@]}"
  nice -n 5 make -j"$(nproc)"
  make install
  # Qt's licence and notice texts, and those of the libraries it bundles, travel with the
  # Windows artefacts.
  mkdir -p "$KIT/licenses"
  cp "$src/LICENSE.LGPL3" "$KIT/licenses/LGPL-3.0-only.txt"
  cp "$src/LICENSE.GPL3" "$KIT/licenses/GPL-3.0-only.txt"
  cp "$src/LICENSE.GPL2" "$KIT/licenses/GPL-2.0-only.txt"
  cp "$src/LICENSE.GPL3-EXCEPT" "$KIT/licenses/Qt-GPL-exception-1.0.txt"
  for file in zlib/LICENSE pcre2/LICENCE harfbuzz-ng/COPYING freetype/docs/FTL.TXT \
    libpng/LICENSE double-conversion/LICENSE md4c/LICENSE.md easing/LICENSE tinycbor/LICENSE \
    forkfd/LICENSE; do
    [ -f "$src/src/3rdparty/$file" ] &&
      cp "$src/src/3rdparty/$file" "$KIT/licenses/$(dirname "$file" | tr / -)-$(basename "$file").txt"
  done
  cp "$src/debian/copyright" "$KIT/licenses/debian-copyright.txt"
} >"$log" 2>&1 || {
  tail -n 60 "$log" >&2
  exit 1
}
echo "$(($(date +%s) - start))" >"$KIT/.build-seconds"
touch "$KIT/.complete"
rm -rf "$work"
echo "Windows Qt kit built in $(($(date +%s) - start)) s"
echo "$KIT"
