; The Vandir II installer: per machine, into the 64-bit Program Files, with a
; Start-menu shortcut and an entry in Apps & Features. Its uninstaller removes
; what was installed and the program's start-at-login value; the user's
; profile stays unless its box is ticked.
;
; Built by packaging/windows/CMakeLists.txt, which passes BUILD_CONFIG: the
; version, the files to install and where the installer goes.

Unicode true
Target amd64-unicode
!include "${BUILD_CONFIG}"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"

!define PRODUCT "Vandir II"
!define PUBLISHER "Meridane"
!define PROGRAM_EXE "VandirII.exe"
!define SKIN_FOLDER "Vandir_Skins"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PUBLISHER} ${PRODUCT}"
; What the program itself uses: its start-at-login value, its single-instance
; mutex and its profile folder under the user's application data.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Meridane Vandir II"
!define INSTANCE_MUTEX "Meridane Vandir II Config"
!define PROFILE_FOLDER "$APPDATA\Meridane\Vandir II"

Name "${PRODUCT}"
OutFile "${OUTPUT_FILE}"
InstallDir "$PROGRAMFILES64\${PUBLISHER}\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright ${PUBLISHER}"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_ABORTWARNING
; No "start the program" box on the finish page: it would start elevated.
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "${PRODUCT} is removed. Your settings (the profile) stay unless you tick $\"Remove my settings$\"."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Files in use cannot be replaced or removed, and ending the program from
; outside could cut an Apply short (the mouse or the profile half written):
; while it runs, the user is asked to end it; a silent run gives up (exit
; code 2).
!macro REFUSE_WHILE_RUNNING un
Function ${un}RefuseWhileRunning
    ${Do}
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0'
        ${If} $0 P= 0
            ${Break}
        ${EndIf}
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "${PRODUCT} is running. End it with $\"Exit$\" in its notification-area menu, then choose Retry." \
            /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Quit
      retry:
    ${Loop}
FunctionEnd
!macroend
!insertmacro REFUSE_WHILE_RUNNING ""
!insertmacro REFUSE_WHILE_RUNNING "un."

Function .onInit
    SetRegView 64
    SetShellVarContext all
    Call RefuseWhileRunning
FunctionEnd

Section "-Program"
    SetOutPath "$INSTDIR"
    File "${PROGRAM_FILE}"
    ; Every set of sheets into its folder: the 100 % set into the skin folder,
    ; each other scale's into its subfolder (150, ...).
    !insertmacro INSTALL_SKINS
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\${PROGRAM_EXE}$\",0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\${UNINSTALLER}$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\${UNINSTALLER}$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "-un.Program"
    Delete "${SHORTCUT}"
    Delete "$INSTDIR\${PROGRAM_EXE}"
    !insertmacro UNINSTALL_SKINS  ; the sheets, then each set's subfolder
    RMDir "$INSTDIR\${SKIN_FOLDER}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    RMDir "$PROGRAMFILES64\${PUBLISHER}"  ; when nothing else is in it

    ; The start-at-login value, when it starts this copy of the program.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == "$\"$INSTDIR\${PROGRAM_EXE}$\""
    ${OrIf} $0 == "$INSTDIR\${PROGRAM_EXE}"
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

; Unticked: a silent uninstall keeps the profile too, unless given
; /REMOVESETTINGS.
Section /o "un.Remove my settings" UN_SETTINGS
    SetShellVarContext current
    RMDir /r "${PROFILE_FOLDER}"
    RMDir "$APPDATA\${PUBLISHER}"  ; when nothing else is in it
    SetShellVarContext all
SectionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
    Call un.RefuseWhileRunning
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/REMOVESETTINGS" $1
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${UN_SETTINGS}
    ${EndIf}
FunctionEnd
