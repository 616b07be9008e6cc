// VarnelApp.h - CVarnelApp, the application object, and the program's static tables.
//
// Notes
// - The program has exactly one CVarnelApp, defined beside the program entry.
// - The folders are set by InitInstance; the file dialogs then store the folder of the
//   file chosen last (File Open and the document's Save in m_strMyDocumentsFolder,
//   clip-art and backgrounds in theirs).

#pragma once

#include "model/FillPainter.h"     // FILL_KIND_COUNT

#include "afxwin.h"
#include "VarnelDocumentHost.h"

#include <objidl.h>
#include <gdiplus.h>

// Registry key word of the program (HKEY_CURRENT_USER\Software\<word>\<application>).
#define REGISTRY_COMPANY "Quorvane"

// CVarnelApp starts the program: folders, GDI+, OLE, registry, document template, frame.
// The command line with every file it names: the first is the class library's file name,
// the others follow it in order.
class CFileListCommandLineInfo : public CCommandLineInfo
{
public:
    virtual void ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast) override;

    CStringArray m_arrMoreFiles;    // files named after the first, when no flag asks otherwise
};

class CVarnelApp : public CWinApp
{
    DECLARE_DYNAMIC(CVarnelApp)

public:
    // lpszRegistryCompany replaces the company word of the registry key (tests).
    explicit CVarnelApp(LPCTSTR lpszRegistryCompany = REGISTRY_COMPANY);
    virtual ~CVarnelApp();

    // Overrides
    virtual BOOL InitInstance() override;
    virtual int ExitInstance() override;
    // Ctrl+A selects the whole text of the edit box (or combo box) that has the focus.
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;

    // Operations
    // Start-up before the command line: the document host, folders, GDI+, common
    // controls, OLE, registry key, recent files, the document template and the shown
    // main window.
    BOOL StartUp();
    // The command line's print forms (/p file, /pt file printer driver port): prints the
    // publication on the default or the named printer as the Print command does, without
    // dialogs, and closes it; FALSE (after a message) when it did not print.
    BOOL PrintFromCommandLine(const CCommandLineInfo& cmdInfo);
    // Carries out the command line: every file it names opens, each failure told; FALSE
    // (the program ends) when it names files and none opened.
    BOOL ProcessCommandLine(CFileListCommandLineInfo& cmdInfo);
    // The folder of the program file, without a trailing backslash.
    static CString GetProgramFolder();
    // The folder part of a module path: the text before its last backslash, the whole
    // path when it has none.
    static CString FolderOfModulePath(const CString& strModulePath);
    // The folder of a chosen file, the start folder of the next file dialog: the text
    // before the last backslash, kept for a drive's root ("C:\\").
    static CString FolderOfFile(const CString& strPath);

    // Member variables
    CString m_strGraphicsFolder;        // program folder + "\Graphics"; folder of the last clip-art
    CString m_strBackgroundsFolder;     // program folder + "\Backgrounds"; folder of the last background
    CString m_strMyDocumentsFolder;     // documents folder; folder of the last file opened or saved
    int m_nImageDpi;                    // resolution offered by Save As Image
    ULONG_PTR m_gdiplusToken;           // from GdiplusStartup
    int m_nExitCode = 0;                // the process's exit code when not 0 (a failed command-line print)

protected:
    CString m_strRegistryCompany;       // company word of the registry key
    CVarnelDocumentHost m_documentHost; // installed by StartUp until destruction

    // Command handlers
    afx_msg void OnFileNew();
    afx_msg void OnFileOpen();
    afx_msg void OnExploreSamples();
    afx_msg void OnHelpContents();
    afx_msg void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

// The application object, or NULL when the running application is not a CVarnelApp.
CVarnelApp* GetVarnelApp();

// Clipboard format of copied elements ("Quorvane Stickwell").
extern const UINT g_cfElementList;

// A named colour of the colour pickers.
struct ColorPickerEntry
{
    DWORD clr;                          // ARGB
    CString strName;
};

// A fill kind of the fill pickers.
struct FillKindEntry
{
    int nKind;                          // 0 no fill, 1..42
    CString strName;
};

const int PICKER_COLOR_COUNT = 10;

extern ColorPickerEntry g_aPickerColors[PICKER_COLOR_COUNT];
extern FillKindEntry g_aFillKinds[FILL_KIND_COUNT];
