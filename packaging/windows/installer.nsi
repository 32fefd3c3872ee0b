; The editor's Windows installer: the editor, q7x-preset and the user guide under Program Files, a
; Start menu entry, the .q7x file type and an uninstaller, for all users. The build passes VERSION,
; STAGE (the folder of the files to install), GUIDE_NAME, ICON and OUTFILE.

; 64-bit: a 64-bit Windows (or Wine) runs a 32-bit installer in its 32-bit view of Program Files
; and the registry.
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define APP_NAME "Q7X Editor"
!define EDITOR_EXE "q7x-editor.exe"
!define PROG_ID "Pelmar.Q7XEditor.Preset"
!define CLASSES_KEY "Software\Classes"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP_NAME}"
; What SHChangeNotify tells Explorer: a file type changed (SHCNE_ASSOCCHANGED, SHCNF_IDLIST).
!define NOTIFY_FILE_TYPES "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP_NAME}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "${APP_NAME} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Q7X Editor developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The Start menu entry goes to every user's menu, like the program and its file type.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File "${STAGE}/${EDITOR_EXE}"
    File "${STAGE}/q7x-preset.exe"
    ; Beside the program, where the editor looks for it.
    File "${STAGE}/${GUIDE_NAME}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\${EDITOR_EXE}"

    WriteRegStr HKLM "${CLASSES_KEY}\.q7x" "" "${PROG_ID}"
    WriteRegStr HKLM "${CLASSES_KEY}\${PROG_ID}" "" "Pelmar Q7X preset"
    WriteRegStr HKLM "${CLASSES_KEY}\${PROG_ID}\DefaultIcon" "" '"$INSTDIR\${EDITOR_EXE}",0'
    WriteRegStr HKLM "${CLASSES_KEY}\${PROG_ID}\shell\open\command" "" '"$INSTDIR\${EDITOR_EXE}" "%1"'
    System::Call "${NOTIFY_FILE_TYPES}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Q7X Editor developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\${EDITOR_EXE}",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\${EDITOR_EXE}"
    Delete "$INSTDIR\q7x-preset.exe"
    Delete "$INSTDIR\${GUIDE_NAME}"
    Delete "$INSTDIR\Uninstall.exe"
    ; Only when empty: whatever else the user put there stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"

    DeleteRegKey HKLM "${CLASSES_KEY}\${PROG_ID}"
    ; .q7x is left alone when another program has taken it over since.
    ReadRegStr $0 HKLM "${CLASSES_KEY}\.q7x" ""
    ${If} $0 == "${PROG_ID}"
        DeleteRegValue HKLM "${CLASSES_KEY}\.q7x" ""
        DeleteRegKey /ifempty HKLM "${CLASSES_KEY}\.q7x"
    ${EndIf}
    System::Call "${NOTIFY_FILE_TYPES}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
