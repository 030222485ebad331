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

!define PRODUCT "Varedadav 6 aus 49"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varedadav"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

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
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\varedadav.exe"
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
