; Setup of Veltrin PRO: the cleaner, the plugin editor and their help file in
; one folder with the plugins that come with the program in its "Plugins"
; folder, Start menu shortcuts, the uninstall entry that the cleaner reads its
; version from, and plugin files opening in the editor. The uninstaller removes
; all of it and asks whether to keep the user's settings and own plug-ins.
;
; The build defines:
;   TARGET    x86-unicode, or amd64-unicode for the 64-bit build of the tests
;   VERSION   the product version ("1.00")
;   PROGRAMS  the folder of Veltrin.exe, Actsmith.exe and Veltrin.chm
;   ICON      the cleaner's icon
;   PLUGINS   the folder of the plugins that come with the program
;   PLUGINS_NSH  the lines that install and remove them (make_plugins.py)
;   OUTFILE   the setup program to write
; Both setup and uninstaller run silently with /S; setup takes /D=<folder>.

Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "Veltrin PRO"
!define PUBLISHER "ZR Software"
!define UNINSTALL_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\{9E3F2C18-6B7A-4F05-A1D2-53C8E4B7F690}"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\ZR\VeltrinPRO"
!define EDITOR_SETTINGS_KEY "Software\Local AppWizard-Generated Applications\Actsmith"
!define FILE_TYPE "Actsmith.Document"
!define SHORTCUTS "$SMPROGRAMS\${PRODUCT}"
!include "${PLUGINS_NSH}"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} Uninstall"
OutFile "${OUTFILE}"
!if "${TARGET}" == "amd64-unicode"
    InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
    InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Veltrin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Shortcuts and the file type are for every user of the machine, as the
; uninstall entry is.
Function .onInit
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetShellVarContext all
FunctionEnd

Section "Veltrin PRO"
    SetOutPath "$INSTDIR"
    File "${PROGRAMS}\Veltrin.exe"
    File "${PROGRAMS}\Actsmith.exe"
    File "${PROGRAMS}\Veltrin.chm"
    !insertmacro InstallShippedPlugins "${PLUGINS}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "${SHORTCUTS}"
    CreateShortCut "${SHORTCUTS}\${PRODUCT}.lnk" "$INSTDIR\Veltrin.exe"
    CreateShortCut "${SHORTCUTS}\Actsmith.lnk" "$INSTDIR\Actsmith.exe"
    CreateShortCut "${SHORTCUTS}\${PRODUCT} Help.lnk" "$INSTDIR\Veltrin.chm"
    CreateShortCut "${SHORTCUTS}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Veltrin.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

    ; Plugin files open in the editor when double-clicked.
    WriteRegStr HKLM "Software\Classes\.pld" "" "${FILE_TYPE}"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}" "" "Plugin Document"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\DefaultIcon" "" "$INSTDIR\Actsmith.exe,1"
    WriteRegStr HKLM "Software\Classes\${FILE_TYPE}\shell\open\command" "" '"$INSTDIR\Actsmith.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd

; Removes the file type from one hive, where it is still the editor's: the
; editor also registers it for its user each time it starts.
!macro RemoveFileType ROOT
    ReadRegStr $0 ${ROOT} "Software\Classes\.pld" ""
    ${If} $0 == "${FILE_TYPE}"
        DeleteRegKey ${ROOT} "Software\Classes\.pld"
    ${EndIf}
    DeleteRegKey ${ROOT} "Software\Classes\${FILE_TYPE}"
!macroend

Section "Uninstall"
    ; A program still running goes at the next restart.
    Delete /REBOOTOK "$INSTDIR\Veltrin.exe"
    Delete /REBOOTOK "$INSTDIR\Actsmith.exe"
    Delete /REBOOTOK "$INSTDIR\Veltrin.chm"
    Delete "$INSTDIR\Uninstall.exe"
    ; The plugins that came with the program go; the user's own stay below.
    !insertmacro RemoveShippedPlugins

    Delete "${SHORTCUTS}\${PRODUCT}.lnk"
    Delete "${SHORTCUTS}\Actsmith.lnk"
    Delete "${SHORTCUTS}\${PRODUCT} Help.lnk"
    Delete "${SHORTCUTS}\Uninstall ${PRODUCT}.lnk"
    RMDir "${SHORTCUTS}"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro RemoveFileType HKLM
    !insertmacro RemoveFileType HKCU
    DeleteRegValue HKLM "${RUN_KEY}" "Veltrin PRO"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    ; The settings and the plug-ins the user added, those imported from rule
    ; files included, stay for a later installation unless the user says
    ; otherwise; a silent uninstall keeps them.
    MessageBox MB_YESNO|MB_ICONQUESTION \
        "Do you want to keep your ${PRODUCT} settings and plug-ins (the imported ones too) for a later installation?" \
        /SD IDYES IDYES keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\ZR"
    DeleteRegKey HKCU "${EDITOR_SETTINGS_KEY}"
    RMDir /r "$INSTDIR\Plugins"
keep:
    RMDir "$INSTDIR\Plugins"
    RMDir "$INSTDIR"
SectionEnd
