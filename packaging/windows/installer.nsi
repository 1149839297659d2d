; The installer for Windows users: the programs' folder under the 64-bit
; Program Files, a Start-menu shortcut for all users, and an uninstaller that
; removes exactly what was installed. Built by CMake with makensis:
;   makensis -DVERSION=1.0.0.1 -DFILES=<list.nsh> -DICON=<kavel-setup.ico>
;            -DOUTFILE=<installer.exe> -DNOTICES=<NOTICES.txt> installer.nsi
; FILES is made from the folder at build time: the same files are installed
; and, by name, removed again, so that nothing of the user's beside them (a
; kavel-setup.ini in the folder, %APPDATA%) is ever touched.
; An upgrade fails safe: every new file is written beside its place first and
; all are swapped in by rename only when all are written; the files the old
; version listed (installed-files.txt) and this one does not ship go after;
; the uninstall entry is written last. A failure on the way leaves the old
; version as it was, working and with its uninstall entry.
; Statuses: 0 done, 2 a file could not be written (nothing changed), 3 one
; of the programs runs (a silent run; nothing changed).
Unicode true
; A 32-bit installer would install under "Program Files (x86)" and register in
; the 32-bit view of the registry.
Target amd64-unicode
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include FileFunc.nsh
!include TextFunc.nsh
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
LangString ProgramsNotReplaced ${LANG_ENGLISH} "The programs in $INSTDIR could not be replaced."
LangString ProgramsNotReplaced ${LANG_POLISH} "Nie można zastąpić programów w folderze $INSTDIR."
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
    ; A read-only file would refuse the writer too: it is made writable
    ; (as it must be to be replaced) before the look.
    SetFileAttributes "${FOLDER}\${PROGRAM}" NORMAL
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

; A file that could not be written ends the run at once: the new files
; written so far go, the old ones were never touched.
Function .onInstFailed
  !insertmacro DropSwapLeftovers
  Delete "$INSTDIR\uninstall.exe.kavel-new"
FunctionEnd

Section "Install"
  ; The new files beside the old ones: a failure here changes nothing.
  ClearErrors
  CreateDirectory "$INSTDIR"
  !insertmacro WriteNewFiles
  WriteUninstaller "$INSTDIR\uninstall.exe.kavel-new"
  !insertmacro FailOnErrors "$(ProgramsNotWritten)"

  ; All of them swapped in; any rename that fails puts the old ones back.
  ClearErrors
  !insertmacro SwapInNewFiles
  ${If} ${FileExists} "$INSTDIR\uninstall.exe"
    Rename "$INSTDIR\uninstall.exe" "$INSTDIR\uninstall.exe.kavel-old"
  ${EndIf}
  Rename "$INSTDIR\uninstall.exe.kavel-new" "$INSTDIR\uninstall.exe"
  ${If} ${Errors}
    !insertmacro UndoSwap
    ${If} ${FileExists} "$INSTDIR\uninstall.exe.kavel-old"
      Delete "$INSTDIR\uninstall.exe"
      Rename "$INSTDIR\uninstall.exe.kavel-old" "$INSTDIR\uninstall.exe"
    ${EndIf}
    Delete "$INSTDIR\uninstall.exe.kavel-new"
    SetErrors
  ${EndIf}
  !insertmacro FailOnErrors "$(ProgramsNotReplaced)"
  !insertmacro DropSwapLeftovers
  Delete "$INSTDIR\uninstall.exe.kavel-old"

  ; What the old version listed and this one does not ship.
  ClearErrors
  FileOpen $0 "$INSTDIR\installed-files.txt" r
  ${IfNot} ${Errors}
    ${Do}
      FileRead $0 $1
      ${If} ${Errors}
        ${Break}
      ${EndIf}
      ${TrimNewLines} $1 $1
      ${If} $1 != ""
        !insertmacro IsShipped $1 shipped
        Delete "$INSTDIR\$1"
        shipped:
      ${EndIf}
    ${Loop}
    FileClose $0
  ${EndIf}
  !insertmacro WriteFileList

  ; Folders the users' records of changes share.
  Call SharedRecordFolder

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kavel-setup.exe" "" \
    "$INSTDIR\kavel-setup.exe" 0

  ; Last: the entry names a version whose files are all in place.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kavel-setup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  ; Run in place (_?=), the uninstaller's status reaches the caller; it then
  ; cannot remove itself, and leaves uninstall.exe in its folder.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

; Qt's source inside the installer, for media with room (built with
; KAVEL_INSTALLER_WITH_SOURCE): installed in the folder "source", and removed
; with the programs.
!ifdef SOURCE_FOLDER
Section "Qt's source"
  SetOutPath "$INSTDIR\source"
  File "${SOURCE_FOLDER}/*"
  SetOutPath "$INSTDIR"
SectionEnd
!endif

; %ProgramData%\kavel-setup: what every user of the computer records there,
; each may add to and change (the Users group given Modify, passed on to the
; files made in it). Its failure is no failure of the programs.
Function SharedRecordFolder
  CreateDirectory "$APPDATA\${PRODUCT}"
  nsExec::ExecToLog 'icacls "$APPDATA\${PRODUCT}" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  ; The mark that the programs beside it are installed for the computer and
  ; keep their record there; the same programs unpacked from the zip keep
  ; the user's own.
  FileOpen $0 "$INSTDIR\installed-for-all-users" w
  FileClose $0
FunctionEnd

Section "Uninstall"
  !insertmacro RemoveFiles
  Delete "$INSTDIR\installed-files.txt"
  Delete "$INSTDIR\installed-for-all-users"
!ifdef SOURCE_FOLDER
  RMDir /r "$INSTDIR\source"
!endif
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
