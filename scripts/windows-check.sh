#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows artefacts (called by windows.sh, which provides the Wine prefix and the
# virtual display):
#   windows-check.sh DIST       all of it, under Wine
#   windows-check.sh --exe EXE  only the file: whether it loads on Windows 7 SP1, its icon and
#                               version information (no Wine)
# - numora.exe is one self-contained 32-bit GUI program that Windows 7 SP1 loads: PE32, its
#   subsystem and OS versions at most 6.1, large-address-aware, importing only DLLs that
#   Windows 7 SP1 has and none of the functions that came with Windows 8 or later; it carries
#   its icon and version information;
# - copied alone into an empty folder it shows the start screen "Numora ", and a second copy
#   ends with status 0, leaving one start screen;
# - numora-setup.exe /S installs it under Program Files with the licences, the Start-menu entry,
#   the desktop shortcut and the uninstaller registered in Add/Remove Programs (the 32-bit view
#   of the registry); the uninstaller /S takes all of it away again.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
pass() { echo "PASS: $*"; }

# The DLLs of Windows 7 SP1 the game may import (no api-ms-win-* sets, no ucrtbase, shcore or
# combase, which came later), and functions of those DLLs that Windows 8 or later added.
WINDOWS7_DLLS='kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|comctl32|imm32|winmm|ws2_32|uxtheme|dwmapi|version|shlwapi|userenv|netapi32|iphlpapi|crypt32|secur32|setupapi|cfgmgr32|mpr|authz|wtsapi32|dxgi|d3d11|d3d9|dwrite|d2d1|bcrypt|ncrypt|rpcrt4|msvcrt|ntdll|dnsapi|winhttp|winspool\.drv'
WINDOWS8_FUNCTIONS='GetSystemTimePreciseAsFileTime|WaitOnAddress|WakeByAddressSingle|WakeByAddressAll|SetThreadDescription|GetThreadDescription|GetDpiForWindow|GetDpiForSystem|GetDpiForMonitor|GetSystemMetricsForDpi|AdjustWindowRectExForDpi|SystemParametersInfoForDpi|EnableNonClientDpiScaling|SetProcessDpiAwarenessContext|SetThreadDpiAwarenessContext|GetThreadDpiAwarenessContext|GetWindowDpiAwarenessContext|AreDpiAwarenessContextsEqual|SetProcessDpiAwareness|GetProcessDpiAwareness|AddDllDirectory|RemoveDllDirectory|SetDefaultDllDirectories|CreateFile2|CopyFile2|GetPointerType|GetPointerInfo|GetPointerFrameInfo|GetPointerPenInfo|GetPointerTouchInfo|GetPointerDeviceRects|GetPointerDevices|EnableMouseInPointer|IsMouseInPointerEnabled|RegisterPointerInputTarget|InitializeTouchInjection|InjectTouchInput|GetCurrentPackageFullName|GetCurrentPackageId|GetCurrentPackagePath|PrefetchVirtualMemory|DiscardVirtualMemory|OfferVirtualMemory|ReclaimVirtualMemory|SetProcessMitigationPolicy|GetProcessMitigationPolicy|SetCoalescableTimer|GetProcessInformation|SetProcessInformation|InitializeSynchronizationBarrier|EnterSynchronizationBarrier|DeleteSynchronizationBarrier|CreateFileMappingFromApp|MapViewOfFileFromApp|VirtualAllocFromApp|GetOverlappedResultEx|RoInitialize|RoUninitialize|WindowsCreateString|WindowsDeleteString|SetWindowDisplayAffinity2'

# check_exe EXE: the checks of the file alone.
check_exe() {
  local exe=$1 name headers imports foreign newer version
  name=$(basename "$exe")
  # The host's binutils read 32- and 64-bit PE alike. objdump's output is read whole: grep -q
  # ending early would break the pipe.
  headers=$(objdump -p -h "$exe" 2>/dev/null) || {
    fail "$name: objdump cannot read it"
    return
  }
  grep -qE '^Magic\s+010b' <<<"$headers" && pass "$name is PE32 (32-bit)" ||
    fail "$name is not PE32: $(sed -n 's/^Magic\s*//p' <<<"$headers")"
  for field in OSystem Subsystem; do
    version=$(awk -v f="$field" '$1 == "Major" f "Version" {major = $2}
      $1 == "Minor" f "Version" {minor = $2} END {print major "." minor}' <<<"$headers")
    awk -v v="$version" 'BEGIN {split(v, p, "."); exit !(p[1] < 6 || (p[1] == 6 && p[2] <= 1))}' &&
      pass "$name: ${field/OSystem/OS} version $version, at most 6.1" ||
      fail "$name: ${field/OSystem/OS} version $version, above Windows 7's 6.1"
  done
  grep -q 'large address aware' <<<"$headers" && pass "$name is large-address-aware" ||
    fail "$name is not large-address-aware"
  imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
  foreign=$(grep -vxE "($WINDOWS7_DLLS)\.dll" <<<"$imports" | tr '\n' ' ' || true)
  [ -z "$foreign" ] && pass "$name imports only DLLs of Windows 7 SP1" ||
    fail "$name imports DLLs Windows 7 SP1 lacks: $foreign"
  newer=$(grep -oE "^\s+[0-9a-f]+\s+[0-9]+\s+($WINDOWS8_FUNCTIONS)\$" <<<"$headers" |
    awk '{print $NF}' | sort -u | tr '\n' ' ' || true)
  [ -z "$newer" ] && pass "$name imports no function of Windows 8 or later" ||
    fail "$name imports functions of Windows 8 or later: $newer"
  grep -q '^Subsystem.*Windows GUI' <<<"$headers" && pass "$name opens no console window" ||
    fail "$name is a console program"
}

# check_resources EXE: the icon and the version information Explorer shows.
check_resources() {
  local exe=$1 texts
  texts=$(strings -el "$exe")
  for text in OriginalFilename ProductVersion; do
    if grep -qx "$text" <<<"$texts"; then pass "version information: $text"; else
      fail "no $text in the version information"; fi
  done
  grep -q ' \.rsrc ' <<<"$(objdump -h "$exe")" &&
    pass "$(basename "$exe") has resources (icon)" || fail "$(basename "$exe") has no resources"
}

if [ "${1:-}" = "--exe" ]; then
  check_exe "$2"
  check_resources "$2"
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed: $2 would not load on Windows 7 SP1" >&2; exit 1; }
  exit 0
fi

source "$ROOT/scripts/wine-env.sh"
DIST=$(cd "$1" && pwd)
EXE=$DIST/numora.exe
C=$WINEPREFIX/drive_c
NAME=数字专注力训练

# --- the file itself
check_exe "$EXE"
check_resources "$EXE"

# --- the portable exe alone in an empty folder
windows_named() { xwininfo -root -tree 2>/dev/null | grep -c "\"$1\"" || true; }
portable="$C/users/$USER/桌面/便携版"
rm -rf "$portable" && mkdir -p "$portable" && cp "$EXE" "$portable/"
started=$(date +%s%N)
(cd "$portable" && exec env QT_QPA_PLATFORM=windows wine numora.exe >/dev/null 2>&1) &
GAME_PID=$!
for _ in $(seq 150); do
  [ "$(windows_named 'Numora ')" -ge 1 ] && break
  sleep 0.2
done
shown_after=$(awk -v ns="$(($(date +%s%N) - started))" 'BEGIN {printf "%.1f", ns / 1e9}')
[ "$(windows_named 'Numora ')" -ge 1 ] &&
  pass "the portable exe shows the start screen \"Numora \" (after ${shown_after} s)" ||
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
uninstall=$(wine reg query "$key" /v QuietUninstallString /reg:32 2>/dev/null | tr -d '\r' |
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
if wine reg query "$key" /reg:32 >/dev/null 2>&1; then fail "still registered after uninstalling"; else
  pass "uninstalled: no longer in Add/Remove Programs"; fi

[ "$failures" -eq 0 ] || { echo "$failures Windows check(s) failed" >&2; exit 1; }
