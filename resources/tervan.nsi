; The Windows installer (makensis, from scripts/package-windows.sh):
;   makensis -DVERSION=2.23 -DSTAGE=<folder of the zip's files> -DOUTFILE=<setup.exe> tervan.nsi
; Installs both programs, the shipped settings, the DXF header and the user
; guide into Program Files, a Start-menu entry, "Open with" for the
; instrument files and the Add/Remove Programs entry. The user's settings
; and receive logs live in the profile (%APPDATA%\Tervan, %LOCALAPPDATA%\
; Tervan): an upgrade leaves them as they are, and so does the uninstaller.
; Silent: setup.exe /S [/D=folder], uninstall.exe /S.
; A 64-bit installer for the 64-bit programs.
Target amd64-unicode
!include "MUI2.nsh"

!define PRODUCT "Tervan"
!define PUBLISHER "The Tervan developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tervan"
!define PROGID "Tervan.InstrumentFile"

; "Open with" for the instrument files Tervan reads under names of their
; own. .txt and .dat are left alone: Tervan reads them too, but they belong
; to the editor.
!macro ForEachExtension action
  !insertmacro ${action} ".gsi"
  !insertmacro ${action} ".sdr"
  !insertmacro ${action} ".raw"
  !insertmacro ${action} ".rw5"
  !insertmacro ${action} ".m5"
  !insertmacro ${action} ".job"
  !insertmacro ${action} ".are"
  !insertmacro ${action} ".gts7"
  !insertmacro ${action} ".srd"
  !insertmacro ${action} ".kor"
!macroend
!macro WriteExtension ext
  WriteRegStr HKLM "Software\Classes\${ext}\OpenWithProgids" "${PROGID}" ""
  WriteRegStr HKLM "Software\Classes\Applications\tervan.exe\SupportedTypes" "${ext}" ""
!macroend
!macro un.RemoveExtension ext
  DeleteRegValue HKLM "Software\Classes\${ext}\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKLM "Software\Classes\${ext}\OpenWithProgids"
  DeleteRegKey /ifempty HKLM "Software\Classes\${ext}"
!macroend

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; An upgrade goes where the last version went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Apache License 2.0"

!define MUI_ICON "tervan.ico"
!define MUI_UNICON "tervan.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tervan.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Tervan"
  SetOutPath "$INSTDIR"
  File "${STAGE}\tervan.exe"
  File "${STAGE}\tervan-cli.exe"
  File "${STAGE}\Tervan.ini"
  File "${STAGE}\dxf_header.txt"
  File "${STAGE}\README.txt"
  File "${STAGE}\LICENSE.txt"
  SetOutPath "$INSTDIR\guide"
  File /r "${STAGE}\guide\*"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tervan.exe"

  ; "Open with": the program and its file type, offered for each extension
  ; without becoming its default program.
  WriteRegStr HKLM "Software\Classes\Applications\tervan.exe" "FriendlyAppName" "${PRODUCT}"
  WriteRegStr HKLM "Software\Classes\Applications\tervan.exe\shell\open\command" "" '"$INSTDIR\tervan.exe" "%1"'
  WriteRegStr HKLM "Software\Classes\${PROGID}" "" "Surveying instrument data"
  WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\tervan.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open" "" "Open with ${PRODUCT}"
  WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\tervan.exe" "%1"'
  !insertmacro ForEachExtension WriteExtension

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tervan.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\tervan.exe"
  Delete "$INSTDIR\tervan-cli.exe"
  Delete "$INSTDIR\Tervan.ini"
  Delete "$INSTDIR\dxf_header.txt"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir /r "$INSTDIR\guide"
  ; Removed only when empty: a Log folder of a user who ran it with rights
  ; to write here stays.
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  !insertmacro ForEachExtension un.RemoveExtension
  DeleteRegKey HKLM "Software\Classes\${PROGID}"
  DeleteRegKey HKLM "Software\Classes\Applications\tervan.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
