#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages named on the command line that are not installed yet.
# Silent when everything is in place.
set -euo pipefail

missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]} (run as root, or install them with apt-get)" >&2
  exit 1
fi
echo "Installing ${missing[*]} ..."
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
# Another apt-get may hold the locks (an engineer's or a CI job's): wait for it.
update() {
  local try
  for try in 1 2 3; do
    apt-get -o DPkg::Lock::Timeout=900 update -qq && return 0
    sleep 20
  done
  return 1
}
# A mirror that is syncing serves one index stale (seen for bookworm-security's i386 list): the
# lists that did come may still hold everything, so the install has the last word.
if ! { update || echo "apt-get update failed; installing from the lists that came"
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"; } \
  >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
