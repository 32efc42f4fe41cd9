# SPDX-License-Identifier: GPL-3.0-or-later
# Wine's 32-bit half through qemu-user, for a machine whose kernel runs no 32-bit x86 code (a
# virtual machine may run 64-bit code only), or wherever NUMORA_WINE_QEMU=1 asks for it. Debian
# 12's own qemu-user 7.2 runs Wine too slowly and crashes it; 10 from the release's backports
# runs it. qemu-i386 is registered in binfmt_misc for i386 programs with the F flag (the kernel
# opens the emulator once, at registration), so that every 32-bit program that Wine starts, in
# any process and any mount namespace, goes through it; 64-bit programs never match. The
# registration is this script's own, under its own name, and is taken away again when the Wine
# lane ends, so that a kernel that runs 32-bit code runs it natively again afterwards.
# shellcheck shell=bash

BINFMT_DIR=/proc/sys/fs/binfmt_misc
QEMU_BINFMT=numora-qemu-i386
QEMU_I386=/usr/bin/qemu-i386
QEMU_MAJOR=10

# qemu_lane_release: takes this script's registration away, if there is one.
qemu_lane_release() {
  if [ -e "$BINFMT_DIR/$QEMU_BINFMT" ]; then
    echo -1 >"$BINFMT_DIR/$QEMU_BINFMT" 2>/dev/null || true
  fi
}

# The version of the installed qemu-i386, empty when there is none.
qemu_version() {
  [ -x "$QEMU_I386" ] && "$QEMU_I386" --version 2>/dev/null | sed -n '1s/^qemu-i386 version \([0-9.]*\).*/\1/p'
}

# Installs qemu-user from the release's backports, whose suite is added to apt's sources with
# the machine's own Debian archive (the same URIs and key), for this architecture alone. The
# backports stay below the release in apt's preference: nothing else comes from them.
qemu_install() {
  local codename arch sources=/etc/apt/sources.list.d/numora-backports.sources
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  arch=$(dpkg --print-architecture)
  [ -n "$codename" ] || { echo "no Debian release named in /etc/os-release"; return 1; }
  if [ ! -f "$sources" ]; then
    local found
    found=$(mktemp)
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
      awk -v RS= -v ORS='\n\n' -v suite="$codename" -v arch="$arch" \
        '$0 ~ "Suites:[^\n]*[ \t]" suite "([ \t\n]|$)" {
           gsub(/Types:[^\n]*/, "Types: deb"); gsub(/Suites:[^\n]*/, "Suites: " suite "-backports")
           print $0 "\nArchitectures: " arch; exit }' \
        /etc/apt/sources.list.d/debian.sources >"$found"
    elif [ -f /etc/apt/sources.list ]; then
      awk -v suite="$codename" -v arch="$arch" '$1 == "deb" && $3 == suite && !done {
          printf "Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\nArchitectures: %s\n",
            $2, suite, arch; done = 1 }' /etc/apt/sources.list >"$found"
    fi
    if [ ! -s "$found" ]; then
      rm -f "$found"
      echo "no Debian archive for $codename in apt's sources to take its backports from"
      return 1
    fi
    install -m 644 "$found" "$sources"
    rm -f "$found"
  fi
  local log
  log=$(mktemp)
  # The update may fail on one stale index of another suite (see ensure-packages.sh): the
  # install has the last word.
  apt-get -o DPkg::Lock::Timeout=900 update -qq >"$log" 2>&1 || true
  if ! DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq \
    --no-install-recommends -t "$codename-backports" qemu-user >>"$log" 2>&1; then
    echo "qemu-user from $codename-backports did not install: $(grep -m1 '^E:' "$log" || tail -n1 "$log")"
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
}

# Whether qemu-i386 of version QEMU_MAJOR or later is installed.
qemu_new_enough() {
  local version
  version=$(qemu_version)
  [ -n "$version" ] && [ "${version%%.*}" -ge "$QEMU_MAJOR" ]
}

# qemu_lane_ready: qemu-user QEMU_MAJOR or later installed and registered for i386 programs
# (QEMU_LANE_VERSION says which); otherwise QEMU_LANE_WHY says why in one line, and it fails.
qemu_lane_ready() {
  if ! qemu_new_enough; then
    echo "Installing qemu-user $QEMU_MAJOR from the backports ..."
    QEMU_LANE_WHY=$(qemu_install) || return 1
    qemu_new_enough || {
      QEMU_LANE_WHY="qemu-user $(qemu_version) is installed, $QEMU_MAJOR or later is needed"
      return 1
    }
  fi
  if [ ! -e "$BINFMT_DIR/register" ] && ! mount -t binfmt_misc binfmt_misc "$BINFMT_DIR" 2>/dev/null; then
    QEMU_LANE_WHY="binfmt_misc cannot be mounted on $BINFMT_DIR"
    return 1
  fi
  qemu_lane_release
  # An i386 ELF program or library loader: class 32, little-endian, executable or shared
  # object, machine 3.
  if ! printf ':%s:M::%s:%s:%s:F\n' "$QEMU_BINFMT" \
    '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00' \
    '\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff' \
    "$QEMU_I386" 2>/dev/null >"$BINFMT_DIR/register"; then
    QEMU_LANE_WHY="qemu-i386 cannot be registered in binfmt_misc"
    return 1
  fi
  QEMU_LANE_VERSION=$(qemu_version)
}
