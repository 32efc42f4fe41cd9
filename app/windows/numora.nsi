; SPDX-License-Identifier: GPL-3.0-or-later
; The installer a school runs on each PC: per machine under Program Files, a Start-menu entry and
; a desktop shortcut, an uninstaller in Add/Remove Programs. "numora-setup.exe /S" installs
; silently, "uninstall.exe /S" removes it silently.
; makensis -DVERSION=2.0 -DDIST=<dir with numora.exe> -DICON=<numora.ico> -DOUTFILE=<setup.exe>
; A 32-bit installer for the 32-bit game, on 32- and 64-bit Windows alike: on a 64-bit Windows
; it installs into Program Files (x86) and writes the 32-bit view of the registry, as every
; 32-bit program does.
Target x86-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"

!define NAME "数字专注力训练"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Numora"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Numora"
RequestExecutionLevel admin
ManifestDPIAware true
BrandingText "Numora ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Numora"
VIAddVersionKey /LANG=2052 "FileDescription" "${NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "GPL-3.0-or-later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_LICENSE "${DIST}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\numora.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File "${DIST}\numora.exe"
  File "${DIST}\LICENSE.txt"
  SetOutPath "$INSTDIR\licenses"
  File /r "${DIST}\licenses\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\numora.exe"
  CreateShortCut "$DESKTOP\${NAME}.lnk" "$INSTDIR\numora.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Numora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\numora.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${NAME}.lnk"
  Delete "$DESKTOP\${NAME}.lnk"
  Delete "$INSTDIR\numora.exe"
  Delete "$INSTDIR\LICENSE.txt"
  RMDir /r "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
