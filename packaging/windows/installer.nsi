; The installer for Windows users: the programs' folder under the 64-bit
; Program Files, a Start-menu shortcut for all users, and an uninstaller that
; removes exactly what was installed. Built by CMake with makensis:
;   makensis -DVERSION=1.0.0.1 -DFILES=<list.nsh> -DICON=<kavel-setup.ico>
;            -DOUTFILE=<installer.exe> -DNOTICES=<NOTICES.txt> installer.nsi
; FILES is made from the folder at build time: the same files are installed
; and, by name, removed again, so that nothing of the user's beside them (a
; kavel-setup.ini in the folder, %APPDATA%) is ever touched.
Unicode true
; A 32-bit installer would install under "Program Files (x86)" and register in
; the 32-bit view of the registry.
Target amd64-unicode
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include ${FILES}

!define PRODUCT "kavel-setup"
!define PUBLISHER "KAVEL S.A."
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The status a silent run ends with when one of the programs is running.
!define STATUS_PROGRAM_RUNNING 3
; The status of a run that could not write or remove what it must: NSIS's own
; for an installation ended by the script.
!define STATUS_NOT_WRITTEN 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KAVEL\${PRODUCT}"
; An upgrade goes where the user installed before (the installer is 64-bit:
; the 64-bit view of the registry).
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
Icon "${ICON}"
UninstallIcon "${ICON}"
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey "ProductVersion" "${VERSION}"

; Its pages speak the user's language: English, or Polish on a Polish
; Windows (NSIS's own language files; the first loaded is the one for others).
LoadLanguageFile "${NSISDIR}\Contrib\Language files\English.nlf"
LoadLanguageFile "${NSISDIR}\Contrib\Language files\Polish.nlf"
; $R0 names the running program.
LangString ProgramRunning ${LANG_ENGLISH} "$R0 is running. Close it, then choose Retry."
LangString ProgramRunning ${LANG_POLISH} \
  "Program $R0 jest uruchomiony. Zamknij go, a potem wybierz „Ponów próbę”."
; Why a run ended: a file that could not be removed or written. $0 names the
; folder of the earlier version.
LangString EarlierNotRemoved ${LANG_ENGLISH} "The earlier version in $0 could not be removed."
LangString EarlierNotRemoved ${LANG_POLISH} "Nie można usunąć poprzedniej wersji z folderu $0."
LangString ProgramsNotWritten ${LANG_ENGLISH} "The programs could not be written to $INSTDIR."
LangString ProgramsNotWritten ${LANG_POLISH} "Nie można zapisać programów w folderze $INSTDIR."

; The terms and the third-party notices: Qt's LGPL and the offer of its
; source.
LicenseData "${NOTICES}"
Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A running program holds its files: Windows opens a running program's file
; for reading only. $R0 names the first of the programs found running, or is
; left empty.
!macro FindRunning FOLDER PROGRAM
  ${If} $R0 == ""
  ${AndIf} ${FileExists} "${FOLDER}\${PROGRAM}"
    ClearErrors
    FileOpen $0 "${FOLDER}\${PROGRAM}" a
    ${If} ${Errors}
      StrCpy $R0 "${PROGRAM}"
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

; Neither program may run while its files are replaced or removed (the
; programs and their DLLs would be mixed): the user closes them first, or a
; silent run ends with its own status.
!macro WaitForProgramsClosed FOLDER
  ${Do}
    StrCpy $R0 ""
    !insertmacro FindRunning "${FOLDER}" "kavel-setup.exe"
    !insertmacro FindRunning "${FOLDER}" "kavel-cli.exe"
    ${If} $R0 == ""
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      SetErrorLevel ${STATUS_PROGRAM_RUNNING}
      Quit
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" IDRETRY +2
    Quit
  ${Loop}
!macroend

; A file that could not be written or removed fails the run: it is never
; skipped.
!macro FailOnErrors WHAT
  ${If} ${Errors}
    SetErrorLevel ${STATUS_NOT_WRITTEN}
    Abort "${WHAT}"
  ${EndIf}
!macroend

Function .onInit
  SetRegView 64
  SetShellVarContext all
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == ""
    StrCpy $1 $INSTDIR
  ${EndIf}
  !insertmacro WaitForProgramsClosed $1
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
  !insertmacro WaitForProgramsClosed $INSTDIR
FunctionEnd

; No file is skipped: one that cannot be written ends the run with Retry and
; Cancel, and a silent run with its status.
AllowSkipFiles off
SetOverwrite on

Section "Install"
  ; An earlier version goes first, by its own uninstaller and its own list, in
  ; place (_?=), so that none of its files outlives it and the user's stay.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ClearErrors
    ExecWait '"$0\uninstall.exe" /S _?=$0' $1
    ${If} $1 != 0
      SetErrors
    ${EndIf}
    !insertmacro FailOnErrors "$(EarlierNotRemoved)"
    Delete "$0\uninstall.exe"
  ${EndIf}

  ClearErrors
  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\uninstall.exe"
  !insertmacro FailOnErrors "$(ProgramsNotWritten)"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kavel-setup.exe" "" \
    "$INSTDIR\kavel-setup.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kavel-setup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  !insertmacro RemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; Removed only when empty: a settings file of the user's keeps its folder.
  RMDir "$INSTDIR"
  ; The maker's folder in Program Files, when it was ours and is now empty.
  ${un.GetParent} "$INSTDIR" $0
  ${un.GetFileName} "$0" $1
  ${If} $1 == "KAVEL"
    RMDir "$0"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
