// app_program.h - the running application of the test programs and benchmarks.
//
// CAppProgram starts the application object under a registry key of its own (removed
// again at the end), with its main window and document template, the tip of the day
// off; the publications it opens are closed without questions when it ends. Dialogs
// are driven by scripts (test_support.h): the program never waits for a user there.

#pragma once

#include "app/VarnelApp.h"
#include "test_support.h"
#include "program_files.h"
#include "app/VarnelView.h"
#include "model/VarnelDoc.h"
#include "afxdlgs.h"
#include "resources/resource.h"

#include <initializer_list>

class CDbText;

// The HKCU options key of a registry company word, for the duration of a test.
class COptionsKey
{
public:
    explicit COptionsKey(const CString& strPath);
    ~COptionsKey();
    void SetDword(LPCSTR pszName, DWORD dwValue);
    // FALSE when the value is missing or not a DWORD.
    bool GetDword(LPCSTR pszName, DWORD& dwValue) const;
    void Delete(LPCSTR pszName);

private:
    HKEY m_hKey;
};

class CAppProgram
{
public:
    // The registry company word is lpszCompany and the process id; the main window
    // gets the size sizeFrame.
    explicit CAppProgram(LPCTSTR lpszCompany = "QuorvaneTest", CSize sizeFrame = CSize(800, 600));
    ~CAppProgram();
    CAppProgram(const CAppProgram&) = delete;
    CAppProgram& operator=(const CAppProgram&) = delete;

    // Sends a command to the main window as the menu does.
    void Command(UINT nID);
    // A new publication of the constructed design (400 x 200, no elements), made without
    // the wizard; NULL when none opened.
    CVarnelDoc* NewPlainDoc();
    // A plain publication of 400 x 200 maximised, its view at 100 % scrolled to the top
    // left; NULL when none opened.
    CVarnelDoc* NewShownDoc();
    // The active publication and its design view.
    CVarnelDoc* ActiveDoc();
    CVarnelView* ActiveView();
    int CountDocs();
    // Closes every publication without questions.
    void CloseAll();
    // The options key of this program's registry key.
    CString OptionsKeyPath() const;

    CVarnelApp* m_pApp;
    CString m_strCompany;           // registry company word of this program
    BOOL m_bStarted;                // the application's start-up succeeded
};

// A database text of the column lpszColumn ("0", "1-2", ...) on side nSide in a black
// Arial font of the height and weight, added to the publication.
CDbText* AddDbText(CVarnelDoc& doc, const CRect& rect, LPCTSTR lpszColumn, int nFontHeight, int nWeight,
                   int nSide = 1);

// Loads a comma-separated text file with a line of column names as the publication's
// data source; the rows of the table (the names' row too), -1 when it was not loaded.
int LoadCommaSeparatedFile(CVarnelDoc& doc, const CString& strPath);

// Input and texts of the real windows

// A left click posted to a window at a client point (with MK_CONTROL and the like in
// nFlags), handled before it returns.
void PostClick(HWND hWnd, CPoint point, UINT nFlags = 0);
// A key press and release posted to a window, handled before it returns.
void PostKeyPress(HWND hWnd, UINT nKey);
// Keys typed through the system's input queue into the window with the focus, the
// modifiers held around them; true once every key has been read and handled (within 5 s).
bool SendKeys(std::initializer_list<WORD> modifiers, std::initializer_list<WORD> keys);
// A left-button drag posted to a window from one client point to another (a press, two
// moves and a release, as the system queues them), handled before it returns.
void PostDrag(HWND hWnd, CPoint ptFrom, CPoint ptTo);
// The text of a window.
CString WindowTextOf(HWND hWnd);
// The size the text of a static control needs at its own font: wrapped at its width as
// the control wraps it (a word wider than the control makes it wider), one line for a
// control that does not wrap, '&' taken as the control takes it.
CSize NeededStaticTextSize(HWND hWnd);
