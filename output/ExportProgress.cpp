// ExportProgress.cpp - progress and guarded message pumping of an export.

#include "ExportProgress.h"
#include "afxbars.h"

namespace
{
// Exports running on the UI thread, innermost first.
CExportProgress* g_pCurrentExport = NULL;
// Documents of the running exports (parallel to the chain above).
CPtrList g_listExportedDocs;
}

CExportProgress::CExportProgress(CDocument* pDocument)
    : m_pDocument(pDocument),
      m_pPrevious(g_pCurrentExport),
      m_nPos(0),
      m_nUpper(0),
      m_nRefused(0),
      m_bShown(FALSE),
      m_bQuit(FALSE),
      m_nQuitCode(0)
{
    g_pCurrentExport = this;
    g_listExportedDocs.AddHead(pDocument);
}

CExportProgress::~CExportProgress()
{
    End();
    g_pCurrentExport = m_pPrevious;
    POSITION pos = g_listExportedDocs.Find(m_pDocument);
    if (pos != NULL)
        g_listExportedDocs.RemoveAt(pos);
    if (m_bQuit)
        ::PostQuitMessage(m_nQuitCode);
}

BOOL CExportProgress::IsExporting(const CDocument* pDocument)
{
    if (pDocument == NULL)
        return g_pCurrentExport != NULL;
    return g_listExportedDocs.Find((void*)pDocument) != NULL;
}

void CExportProgress::Begin(int nUpper, LPCTSTR lpszLabel)
{
    m_nUpper = nUpper > 0 ? nUpper : 1;
    m_nPos = 0;
    m_strLabel = lpszLabel;
    m_bShown = TRUE;
    ShowStatus(m_strLabel + "...");
}

void CExportProgress::Step(int nSteps)
{
    m_nPos += nSteps;
    if (m_nPos > m_nUpper)
        m_nPos = m_nUpper;
    CString strText;
    strText.Format("%s... %d%%", (LPCTSTR)m_strLabel, m_nUpper > 0 ? m_nPos * 100 / m_nUpper : 0);
    ShowStatus(strText);
    Pump();
}

void CExportProgress::ShowPart(int nDone, int nTotal)
{
    if (nTotal <= 0 || m_nUpper <= 0)
    {
        Pump();
        return;
    }
    const double fPos = m_nPos + (double)nDone / nTotal;
    CString strText;
    strText.Format("%s... %d%%", (LPCTSTR)m_strLabel, (int)(fPos * 100 / m_nUpper));
    if (m_bShown)
        ShowStatus(strText);
    Pump();
}

void CExportProgress::Complete()
{
    m_nPos = m_nUpper;
}

void CExportProgress::End()
{
    if (!m_bShown)
        return;
    m_bShown = FALSE;
    ShowStatus("Ready");
}

void CExportProgress::ShowStatus(const CString& strText)
{
    CWnd* pMain = AfxGetMainWnd();
    if (pMain == NULL || pMain->m_hWnd == NULL)
        return;
    CWnd* pBar = pMain->GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
    CStatusBar* pStatus = DYNAMIC_DOWNCAST(CStatusBar, pBar);
    if (pStatus != NULL && pStatus->GetCount() > 0)
    {
        pStatus->SetPaneText(0, strText);
        pStatus->UpdateWindow();
    }
}

// Input and commands that could change or close the document while an export runs; they are dropped.
BOOL CExportProgress::IsRefused(const MSG& msg)
{
    switch (msg.message)
    {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_SYSCHAR:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_COMMAND:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
    case WM_DROPFILES:
        return TRUE;
    default:
        return FALSE;
    }
}

// Keeps the windows painting during an export: dispatches what is waiting, drops refused input and holds a
// quit back for after the export.
void CExportProgress::Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
        {
            m_bQuit = TRUE;
            m_nQuitCode = (int)msg.wParam;
            continue;
        }
        if (IsRefused(msg))
        {
            ++m_nRefused;
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
