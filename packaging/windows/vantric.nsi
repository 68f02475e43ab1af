; The Vantric installer for 64-bit Windows, made on Debian with makensis (`./dev windows`).
;
; Installs for every user of the machine into Program Files: the folder that runs as it is (the
; two programs, Qt and the MinGW runtime), the licence texts, a Start-menu entry with the
; program's icon, an uninstaller and an entry in the list of installed programs. `/S` installs
; and uninstalls silently. The settings file (D:\data\dypz.ini) belongs to the desk, not to the
; installation: nothing here writes or removes it.
;
; makensis -DVERSION=x.y.z -DDIST=<folder> -DLICENSES=<folder> -DUNINSTALL_LIST=<file>
;          -DICON=<file.ico> -DOUTFILE=<setup.exe> vantric.nsi

; A 64-bit installer: it runs where the 64-bit programs it installs run, and needs no 32-bit
; subsystem (Wine's 64-bit loader runs it too).
Target amd64-unicode
; The name ends in "-setup.exe" as installers' names do; Windows' compatibility shims that such a
; name invites are what an installer expects anyway.
!pragma warning disable 9000
SetCompressor /SOLID lzma
ManifestSupportedOS all

!include "MUI2.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Vantric"
!define PUBLISHER "The Vantric developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantric"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\vantric.exe"
!insertmacro MUI_PAGE_LICENSE "${LICENSES}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The desk's language first: the installer speaks Chinese on a Chinese Windows, English elsewhere.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "Vantric needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  ; Program Files and the machine's part of the registry, not the 32-bit views of them.
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Vantric"
  SetOutPath "$INSTDIR"
  File /r "${DIST}\*.*"
  SetOutPath "$INSTDIR\licenses"
  File /r "${LICENSES}\*.*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vantric.lnk" "$INSTDIR\vantric.exe" "" "$INSTDIR\vantric.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vantric.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "https://vantric.example.com"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; The size the list of installed programs shows, in KiB.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\Vantric.lnk"
  ; Exactly what the installer put there, so that nothing of the operator's is removed with it.
  !include "${UNINSTALL_LIST}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
