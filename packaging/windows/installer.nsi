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
; CreateFileW asking to write an existing file (GENERIC_WRITE, every sharing mode, OPEN_EXISTING):
; Windows refuses it with ERROR_SHARING_VIOLATION (32) while the file is a running program.
!define OPEN_FOR_WRITING "kernel32::CreateFileW(w r1, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r2 ?e"
!define ERROR_SHARING_VIOLATION 32

; Replacing or deleting a running program fails half-way (or leaves it behind), so the install
; and the uninstall first wait until neither program runs from $INSTDIR: the user closes them and
; presses Retry, or Cancel stops before anything is changed. A silent run cannot ask: it stops
; at once, with exit status 2, and changes nothing.
!macro FIND_RUNNING_PROGRAM NAME
    StrCpy $1 "$INSTDIR\${NAME}"
    System::Call "${OPEN_FOR_WRITING}"
    Pop $3
    ${If} $2 = -1
        ${AndIf} $3 = ${ERROR_SHARING_VIOLATION}
        StrCpy $0 "${NAME}"
    ${Else}
        System::Call "kernel32::CloseHandle(p r2)"
    ${EndIf}
!macroend

!macro WAIT_UNTIL_PROGRAMS_CLOSED WHAT
    ${Do}
        StrCpy $0 ""
        !insertmacro FIND_RUNNING_PROGRAM "q7x-preset.exe"
        !insertmacro FIND_RUNNING_PROGRAM "${EDITOR_EXE}"
        ${If} $0 == ""
            ${Break}
        ${EndIf}
        ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP_NAME} is running ($0 in $INSTDIR).$\r$\n$\r$\nClose it, then press Retry. Cancel stops the ${WHAT} and changes nothing." /SD IDCANCEL IDCANCEL`
            DetailPrint "$0 is running: ${WHAT} stopped"
            SetErrorLevel 2
            Abort
        ${EndIf}
    ${Loop}
!macroend

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
    !insertmacro WAIT_UNTIL_PROGRAMS_CLOSED "installation"
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
    !insertmacro WAIT_UNTIL_PROGRAMS_CLOSED "removal"
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
