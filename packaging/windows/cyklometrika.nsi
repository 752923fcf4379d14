; SPDX-License-Identifier: GPL-3.0-or-later
; Installer of Cyklometrika for Windows: installs for the current user (no administrator
; rights), adds Start-menu entries (the window, and the window in English) and an
; uninstaller that removes every installed file, the entries and its registry record. It
; speaks Czech, or English where Windows speaks English. Silent with /S.
; makensis -DVERSION=1.0 -DLISTS=<folder of install-files.nsh> -DICON=<CYKL.ico>
;          -DOUTFILE=<setup.exe> [-DFORWARDER=<cyklometrika-forwarder.exe>]
; With FORWARDER, the command cyklometrika is put on the user's PATH through the folder
; WindowsApps, which Windows keeps there; PATH itself is never written.
Unicode true
; A 64-bit installer for a 64-bit program (and Wine runs it without its 32-bit part).
Target amd64-unicode
ManifestDPIAware true
!include "MUI2.nsh"

!define APP "Cyklometrika"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1029 "ProductName" "${APP}"
VIAddVersionKey /LANG=1029 "FileDescription" "Instalace programu ${APP}"
VIAddVersionKey /LANG=1029 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1029 "LegalCopyright" "GNU GPL 3 nebo novější"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "GNU GPL 3 or later"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\CYKL.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The first language is the one for a Windows that speaks neither.
!insertmacro MUI_LANGUAGE "Czech"
!insertmacro MUI_LANGUAGE "English"

Section "Install"
    SetShellVarContext current
    !include "${LISTS}\install-files.nsh"
!ifdef FORWARDER
    SetOutPath "$LOCALAPPDATA\Microsoft\WindowsApps"
    File "/oname=cyklometrika.exe" "${FORWARDER}"
!endif
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\${APP}"
    CreateShortcut "$SMPROGRAMS\${APP}\${APP}.lnk" "$INSTDIR\CYKL.exe"
    CreateShortcut "$SMPROGRAMS\${APP}\${APP} in English.lnk" "$INSTDIR\CYKL.exe" "--lang en"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\CYKL.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there is removed: a folder the user chose that held other
; files keeps them.
Section "Uninstall"
    SetShellVarContext current
    !include "${LISTS}\remove-files.nsh"
!ifdef FORWARDER
    Delete "$LOCALAPPDATA\Microsoft\WindowsApps\cyklometrika.exe"
!endif
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}\${APP}.lnk"
    Delete "$SMPROGRAMS\${APP}\${APP} in English.lnk"
    RMDir "$SMPROGRAMS\${APP}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
