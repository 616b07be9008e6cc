// ExportProgress.h - CExportProgress, progress and message pumping of a long export.
//
// Notes
// - While a CExportProgress lives its document counts as being exported
//   (IsExporting). Pump dispatches what is queued, so windows repaint and timers run,
//   but it refuses what could close or change a document: keyboard and mouse-button
//   input, posted commands, close requests and system commands are dropped; a quit
//   request is kept and posted again when the export ends.
// - The progress shows in pane 0 of the main window's status bar when there is one
//   ("Processing... n%"), and "Ready" when it ends.

#pragma once

#include "afxwin.h"

class CDocument;

// CExportProgress marks a document as being exported and reports the export's progress.
class CExportProgress
{
public:
    explicit CExportProgress(CDocument* pDocument);
    ~CExportProgress();
    CExportProgress(const CExportProgress&) = delete;
    CExportProgress& operator=(const CExportProgress&) = delete;

    // Operations
    // Starts the progress with an upper bound and a label.
    void Begin(int nUpper, LPCTSTR lpszLabel);
    // Advances by nSteps and pumps messages.
    void Step(int nSteps = 1);
    // Shows nDone of nTotal parts of the next step done, and pumps messages.
    void ShowPart(int nDone, int nTotal);
    // Sets the progress to its upper bound.
    void Complete();
    // Removes the progress from the status bar (GetPos and GetUpper keep their values).
    void End();
    // Dispatches queued messages, refusing those that could close or change a document.
    void Pump();

    // Accessors
    int GetPos() const { return m_nPos; }
    int GetUpper() const { return m_nUpper; }
    int GetRefusedCount() const { return m_nRefused; }
    // A quit request arrived while pumping (it is posted again when this object ends).
    BOOL IsQuitPending() const { return m_bQuit; }
    // TRUE while an export of the document (any document for NULL) runs.
    static BOOL IsExporting(const CDocument* pDocument = NULL);

protected:
    void ShowStatus(const CString& strText);
    // TRUE when a message is refused during the export.
    static BOOL IsRefused(const MSG& msg);

    CDocument* m_pDocument;         // borrowed
    CExportProgress* m_pPrevious;   // enclosing export of this thread
    CString m_strLabel;
    int m_nPos;
    int m_nUpper;
    int m_nRefused;                 // messages refused so far
    BOOL m_bShown;                  // the progress is in the status bar
    BOOL m_bQuit;                   // a quit request waits
    int m_nQuitCode;
};
