; Stickwell.nsi - the Windows installer of Stickwell (scripts/package.sh builds it).
;
;   makensis -DSTAGE=<folder of the program's files> -DOUTFILE=<installer>
;            -DUNINSTALL_LIST=<file of the uninstaller's Delete lines> Stickwell.nsi
;
; 64-bit, per machine (Program Files, all users' Start menu, HKLM) or per user (the
; user's programs folder, Start menu and HKCU): the installer asks, /AllUsers or
; /CurrentUser choose on the command line, /S installs silently. The program registers
; no file types itself; the installer registers .labf and the template extensions. The
; uninstaller removes exactly the files it installed, the shortcut, its own registry
; keys and the extensions that still open with the program: documents and templates the
; user saved and the program's options (HKCU\Software\Quorvane\Stickwell) stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!getdllversion "${STAGE}/Stickwell.exe" VERSION_
!define VERSION "${VERSION_1}.${VERSION_2}.${VERSION_3}.${VERSION_4}"
!define COMPANY "Quorvane"
!define PRODUCT "Stickwell"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define DOCUMENT_TYPE "Stickwell.Document"
!define TEMPLATE_TYPE "Stickwell.Template"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${COMPANY} ${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${COMPANY}. All rights reserved."

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Stickwell.exe"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

; An extension that opens with the program (SHCTX: HKLM or HKCU, as the mode says).
!macro Associate EXT TYPE
    WriteRegStr SHCTX "Software\Classes\${EXT}" "" "${TYPE}"
!macroend

; Only an extension that still opens with the program loses its type.
!macro Unassociate EXT TYPE
    ReadRegStr $0 SHCTX "Software\Classes\${EXT}" ""
    ${If} $0 == "${TYPE}"
        DeleteRegValue SHCTX "Software\Classes\${EXT}" ""
        DeleteRegKey /ifempty SHCTX "Software\Classes\${EXT}"
    ${EndIf}
!macroend

!macro FileType TYPE DESCRIPTION ICON
    WriteRegStr SHCTX "Software\Classes\${TYPE}" "" "${DESCRIPTION}"
    WriteRegStr SHCTX "Software\Classes\${TYPE}\DefaultIcon" "" "$\"$INSTDIR\Stickwell.exe$\",${ICON}"
    WriteRegStr SHCTX "Software\Classes\${TYPE}\shell\open\command" "" "$\"$INSTDIR\Stickwell.exe$\" $\"%1$\""
!macroend

; The template extensions, one per category.
!macro ForEachTemplateExtension MACRO
    !insertmacro ${MACRO} ".lbft" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".enft" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".lhft" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".bdgt" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".flyt" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".post" "${TEMPLATE_TYPE}"
    !insertmacro ${MACRO} ".sgnt" "${TEMPLATE_TYPE}"
!macroend

Section "Stickwell" SecProgram
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\Stickwell.exe" "" "$INSTDIR\Stickwell.exe" 0

    !insertmacro FileType "${DOCUMENT_TYPE}" "Stickwell Publication" 1
    !insertmacro FileType "${TEMPLATE_TYPE}" "Stickwell Template" 1
    !insertmacro Associate ".labf" "${DOCUMENT_TYPE}"
    !insertmacro ForEachTemplateExtension Associate
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$\"$INSTDIR\Stickwell.exe$\",0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\Uninstall.exe$\" /$MultiUser.InstallMode"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\Uninstall.exe$\" /$MultiUser.InstallMode /S"
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ; The installed files one by one, then their folders where they are empty.
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    !insertmacro Unassociate ".labf" "${DOCUMENT_TYPE}"
    !insertmacro ForEachTemplateExtension Unassociate
    DeleteRegKey SHCTX "Software\Classes\${DOCUMENT_TYPE}"
    DeleteRegKey SHCTX "Software\Classes\${TEMPLATE_TYPE}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
