; The installer for 64-bit Windows, in German. scripts/windows.sh calls it as
;   makensis -DVERSION=1.2.1 -DFILES=<folder> -DOUTFILE=<setup.exe> installer.nsi
; where <folder> holds varedadav.exe, Lotto-empty.mdb and LICENSE.txt.
; Installed under Program Files, the program keeps each user's rows in that user's own
; %LOCALAPPDATA%\Varedadav\Lotto.mdb, laid from Lotto-empty.mdb at the user's first start. The
; uninstaller removes what it installed and nothing else: every user's rows stay.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Varedadav 6 aus 49"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varedadav"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define STILL_RUNNING "${PRODUCT} läuft noch. Bitte das Programm schließen und dann auf „Wiederholen“ klicken."

; Windows keeps the file of a running program: it can be neither deleted nor overwritten. So the
; program file goes first, before anything else changes; while Windows keeps it, the user is asked
; to close the program. "Abbrechen", and a silent run, end the run as failed (error level 2) with
; nothing changed, so it never reports success over a program left behind.
!macro DeleteProgramFile
  Delete "$INSTDIR\varedadav.exe"
  IfFileExists "$INSTDIR\varedadav.exe" 0 +4
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${STILL_RUNNING}" /SD IDCANCEL IDRETRY -2
    SetErrorLevel 2
    Abort "${PRODUCT} läuft noch: nichts wurde geändert."
!macroend

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Varedadav"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1031 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Installation von ${PRODUCT}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Copyright (c) 2026 The Varedadav developers (MIT)"

; The finish page offers no start of the program: it would run with the installer's
; administrator rights.
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
; No page to choose another folder: in Program Files only administrators may write, so no user
; can lay a Lotto.mdb beside the program that every user's program would then take for its own.
; (A folder made elsewhere, say C:\Varedadav, lets every signed-in user create files in it.)
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Programm"
  SetShellVarContext all
  !insertmacro DeleteProgramFile
  SetOutPath "$INSTDIR"
  File "${FILES}\varedadav.exe"
  File "${FILES}\Lotto-empty.mdb"
  File "${FILES}\LICENSE.txt"
  WriteUninstaller "$INSTDIR\Deinstallieren.exe"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\varedadav.exe"
  CreateShortcut "${MENU_FOLDER}\${PRODUCT} deinstallieren.lnk" "$INSTDIR\Deinstallieren.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Varedadav developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\varedadav.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro DeleteProgramFile
  Delete "$INSTDIR\Lotto-empty.mdb"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Deinstallieren.exe"
  ; Only an empty folder goes: a Lotto.mdb someone put beside the program stays with its rows.
  RMDir "$INSTDIR"
  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\${PRODUCT} deinstallieren.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
