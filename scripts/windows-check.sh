#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows artefacts under Wine (called by windows.sh, which provides the Wine prefix
# and the virtual display):
#   windows-check.sh DIST
# - numora.exe is one self-contained GUI program: it imports only Windows' own DLLs and carries
#   its icon and version information;
# - copied alone into an empty folder it shows the start screen "Numora ", and a second copy
#   ends with status 0, leaving one start screen;
# - numora-setup.exe /S installs it under Program Files with the licences, the Start-menu entry,
#   the desktop shortcut and the uninstaller registered in Add/Remove Programs; the uninstaller
#   /S takes all of it away again.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ROOT/scripts/wine-env.sh"
DIST=$(cd "$1" && pwd)
EXE=$DIST/numora.exe
C=$WINEPREFIX/drive_c
NAME=数字专注力训练
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "PASS: $*"; }

# --- the file itself (objdump's output is read whole: grep -q ending early breaks the pipe)
headers=$(x86_64-w64-mingw32-objdump -p -h "$EXE")
imports=$(echo "$headers" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
foreign=$(echo "$imports" | grep -vxE '(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|shlwapi|userenv|netapi32|iphlpapi|crypt32|secur32|setupapi|mpr|authz|wtsapi32|dxgi|d3d11|d3d9|dwrite|d2d1|bcrypt|ncrypt|rpcrt4|msvcrt|api-ms-win-[a-z0-9-]+|shcore|winspool\.drv|comctl32|cfgmgr32|ntdll|dnsapi|winhttp)\.dll' || true)
[ -z "$foreign" ] && pass "numora.exe imports only Windows' DLLs" || fail "numora.exe needs $foreign"
grep -q '^Subsystem.*Windows GUI' <<<"$headers" && pass "numora.exe opens no console window" ||
  fail "numora.exe is a console program"
texts=$(x86_64-w64-mingw32-strings -el "$EXE")
for text in OriginalFilename ProductVersion; do
  if grep -qx "$text" <<<"$texts"; then pass "version information: $text"; else
    fail "no $text in the version information"; fi
done
grep -q ' \.rsrc ' <<<"$headers" && pass "numora.exe has resources (icon)" ||
  fail "numora.exe has no resources"

# --- the portable exe alone in an empty folder
windows_named() { xwininfo -root -tree 2>/dev/null | grep -c "\"$1\"" || true; }
portable="$C/users/$USER/桌面/便携版"
rm -rf "$portable" && mkdir -p "$portable" && cp "$EXE" "$portable/"
(cd "$portable" && exec env QT_QPA_PLATFORM=windows wine numora.exe >/dev/null 2>&1) &
GAME_PID=$!
for _ in $(seq 150); do
  [ "$(windows_named 'Numora ')" -ge 1 ] && break
  sleep 0.2
done
[ "$(windows_named 'Numora ')" -ge 1 ] && pass "the portable exe shows the start screen \"Numora \"" ||
  fail "no start screen \"Numora \" within 30 s"
status=0
(cd "$portable" && timeout 60 wine numora.exe >/dev/null 2>&1) || status=$?
[ "$status" -eq 0 ] && pass "a second copy ends with status 0" || fail "a second copy ended with $status"
sleep 1
shown=$(windows_named 'Numora ')
[ "$shown" -eq 1 ] && pass "one start screen after the second start" || fail "$shown start screens"
kill -0 "$GAME_PID" 2>/dev/null && pass "the first copy still runs" || fail "the first copy ended"
kill "$GAME_PID" 2>/dev/null || true
wait "$GAME_PID" 2>/dev/null || true
wineserver -k 2>/dev/null || true
rm -rf "$portable"

# --- the installer, silently, and the uninstaller
programs="$C/Program Files/Numora"
menu="$C/ProgramData/Microsoft/Windows/Start Menu/Programs/$NAME.lnk"
desktop="$C/users/Public/Desktop/$NAME.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Numora'
status=0
timeout 120 wine "$DIST/numora-setup.exe" /S >/dev/null 2>&1 || status=$?
[ "$status" -eq 0 ] && pass "numora-setup.exe /S ends with status 0" || fail "numora-setup.exe /S: $status"
for file in numora.exe uninstall.exe LICENSE.txt licenses/README.txt licenses/LGPL-3.0-only.txt; do
  [ -f "$programs/$file" ] && pass "installed: Program Files/Numora/$file" ||
    fail "not installed: Program Files/Numora/$file"
done
cmp -s "$EXE" "$programs/numora.exe" || fail "the installed numora.exe differs from the portable one"
[ -f "$menu" ] && pass "Start-menu entry $NAME" || fail "no Start-menu entry"
[ -f "$desktop" ] && pass "desktop shortcut $NAME" || fail "no desktop shortcut"
uninstall=$(wine reg query "$key" /v QuietUninstallString /reg:64 2>/dev/null | tr -d '\r' |
  sed -n 's/.*REG_SZ *//p')
case "$uninstall" in
  *'Program Files\Numora\uninstall.exe" /S') pass "Add/Remove Programs: $uninstall" ;;
  *) fail "no uninstaller registered in Add/Remove Programs (${uninstall:-nothing})" ;;
esac
timeout 120 wine "$programs/uninstall.exe" /S >/dev/null 2>&1 || true
# The uninstaller runs on from a copy of itself in the temporary directory.
for _ in $(seq 150); do
  [ -e "$programs" ] || break
  sleep 0.2
done
wineserver --wait 2>/dev/null || true
[ ! -e "$programs" ] && pass "uninstalled: Program Files/Numora is gone" ||
  fail "left after uninstalling: $(cd "$programs" && ls -A)"
[ ! -e "$menu" ] && [ ! -e "$desktop" ] && pass "uninstalled: the shortcuts are gone" ||
  fail "shortcuts left after uninstalling"
if wine reg query "$key" /reg:64 >/dev/null 2>&1; then fail "still registered after uninstalling"; else
  pass "uninstalled: no longer in Add/Remove Programs"; fi

[ "$failures" -eq 0 ] || { echo "$failures Windows check(s) failed" >&2; exit 1; }
