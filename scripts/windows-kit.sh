#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows kit: Qt's base (Core, Gui, Widgets, Network, Test and the windows, offscreen
# and minimal platform plugins) built as static libraries for x86_64-w64-mingw32 from Debian's
# source package of the Qt that is installed on the host, whose tools (moc, rcc, uic) it reuses.
# Built once per machine under ~/.cache/numora/, keyed by the Qt version and the options; prints
# the kit's directory on the last line of its output.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$ROOT/scripts/ensure-packages.sh" cmake ninja-build dpkg-dev xz-utils qt6-base-dev \
  qt6-base-dev-tools g++-mingw-w64-x86-64-posix

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)  # e.g. 6.4.2+dfsg-10
QT_OPTIONS=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF
  # Debian's source leaves out the third-party wintab.h that tablet events need.
  -DFEATURE_tabletevent=OFF
  # Without OpenGL, 6.4's Windows platform plugin compiles only without dynamic GL too.
  -DFEATURE_dynamicgl=OFF
)
key=$({ echo "$qt_version"; printf '%s\n' "${QT_OPTIONS[@]}"; cat "$ROOT/cmake/mingw-w64.cmake"; } |
  sha256sum | cut -c1-12)
CACHE=${NUMORA_CACHE:-$HOME/.cache/numora}
KIT="$CACHE/qt-${qt_version%%+*}-mingw-static-$key"

mkdir -p "$CACHE"
exec 9>"$KIT.lock"
flock 9  # a second caller waits for the first build instead of starting its own
if [ -f "$KIT/.complete" ]; then
  echo "$KIT"
  exit 0
fi

# Qt's source comes from Debian's archive: a deb-src line for the same archive the binaries come
# from, added once.
if ! grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  uri=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)
  cat >/etc/apt/sources.list.d/numora-deb-src.sources <<SOURCES
Types: deb-src
URIs: ${uri:-http://deb.debian.org/debian}
Suites: $(. /etc/os-release && echo "$VERSION_CODENAME")
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
fi

work="$KIT.build"
log="$KIT.log"
rm -rf "$work" "$KIT"
mkdir -p "$work/src"
echo "Building the Windows Qt kit in $KIT (once per machine; about 35 minutes on 2 cores, log in $log) ..."
start=$(date +%s)
{
  for try in 1 2 3 4 5 6; do
    apt-get -o DPkg::Lock::Timeout=900 update -qq && break
    [ "$try" -eq 6 ] && exit 1
    sleep 20
  done
  (cd "$work/src" && apt-get source -qq "qt6-base=$qt_version")
  src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
  # The toolchain file is recorded in the kit (its qt-cmake loads it again): keep a copy beside it.
  mkdir -p "$KIT"
  cp "$ROOT/cmake/mingw-w64.cmake" "$KIT/mingw-w64.cmake"
  cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$KIT/mingw-w64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$KIT" -DQT_HOST_PATH=/usr \
    -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo "${QT_OPTIONS[@]}"
  nice -n 5 cmake --build "$work/build" --parallel "$(nproc)"
  cmake --install "$work/build"
  # Qt's licence and notice texts travel with the Windows artefacts.
  mkdir -p "$KIT/licenses"
  cp "$src"/LICENSES/*.txt "$KIT/licenses/" 2>/dev/null || true
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
