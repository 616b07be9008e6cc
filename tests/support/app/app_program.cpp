// app_program.cpp - the running application of the test programs and benchmarks.

#include "app_program.h"
#include "key_input.h"
#include "model/DocumentHost.h"
#include "model/Elements.h"
#include "data/DataSourceLoader.h"
#include "resources/wizard_resource.h"

#include <vector>

/////////////////////////////////////////////////////////////////////////////
// Registry

COptionsKey::COptionsKey(const CString& strPath)
    : m_hKey(NULL)
{
    ::RegCreateKeyExA(HKEY_CURRENT_USER, strPath, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &m_hKey, NULL);
}

COptionsKey::~COptionsKey()
{
    if (m_hKey != NULL)
        ::RegCloseKey(m_hKey);
}

void COptionsKey::SetDword(LPCSTR pszName, DWORD dwValue)
{
    ::RegSetValueExA(m_hKey, pszName, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof(dwValue));
}

bool COptionsKey::GetDword(LPCSTR pszName, DWORD& dwValue) const
{
    DWORD dwType = 0, cb = sizeof(dwValue);
    return ::RegQueryValueExA(m_hKey, pszName, NULL, &dwType, (BYTE*)&dwValue, &cb) == ERROR_SUCCESS &&
           dwType == REG_DWORD;
}

void COptionsKey::Delete(LPCSTR pszName)
{
    ::RegDeleteValueA(m_hKey, pszName);
}

/////////////////////////////////////////////////////////////////////////////
// CAppProgram

CAppProgram::CAppProgram(LPCTSTR lpszCompany, CSize sizeFrame)
    : m_pApp(NULL), m_bStarted(FALSE)
{
    m_strCompany.Format("%s%lu", lpszCompany, ::GetCurrentProcessId());
    // the tip of the day only where a test asks for it
    COptionsKey(OptionsKeyPath()).SetDword("ShowTip", 0);
    m_pApp = new CVarnelApp(m_strCompany);
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);
    m_bStarted = m_pApp->StartUp();
    if (m_bStarted && m_pApp->m_pMainWnd != NULL)
        m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, sizeFrame.cx, sizeFrame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

CAppProgram::~CAppProgram()
{
    CloseAll();
    if (m_pApp->m_pMainWnd != NULL && ::IsWindow(m_pApp->m_pMainWnd->m_hWnd))
        m_pApp->m_pMainWnd->DestroyWindow();
    m_pApp->m_pMainWnd = NULL;
    PumpPendingMessages();
    m_pApp->ExitInstance();
    ::RegDeleteTreeA(HKEY_CURRENT_USER, CString("Software\\") + m_strCompany);
    delete m_pApp;
}

void CAppProgram::CloseAll()
{
    if (m_pApp->m_pDocManager == NULL)
        return;
    POSITION posTemplate = m_pApp->GetFirstDocTemplatePosition();
    while (posTemplate != NULL)
    {
        CDocTemplate* pTemplate = m_pApp->GetNextDocTemplate(posTemplate);
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != NULL)
            pTemplate->GetNextDoc(pos)->SetModifiedFlag(FALSE);
    }
    m_pApp->CloseAllDocuments(TRUE);
    PumpPendingMessages();
}

void CAppProgram::Command(UINT nID)
{
    m_pApp->m_pMainWnd->SendMessage(WM_COMMAND, nID);
    PumpPendingMessages();
}

CVarnelDoc* CAppProgram::NewPlainDoc()
{
    // without the host the document keeps its constructed design and asks nothing
    CDocumentHost* pHost = SetDocumentHost(NULL);
    Command(ID_FILE_NEW);
    SetDocumentHost(pHost);
    return ActiveDoc();
}

CVarnelDoc* CAppProgram::NewShownDoc()
{
    CVarnelDoc* pDoc = NewPlainDoc();
    CVarnelView* pView = ActiveView();
    if (pDoc == NULL || pView == NULL)
        return NULL;
    pView->GetParentFrame()->ShowWindow(SW_SHOWMAXIMIZED);
    pDoc->m_nDesignWidth = 400;
    pDoc->m_nDesignHeight = 200;
    pView->SetZoom(1.0f);
    pView->OnInitialUpdate();
    pView->ScrollToPosition(CPoint(0, 0));
    PumpPendingMessages();
    return pDoc;
}

CVarnelDoc* CAppProgram::ActiveDoc()
{
    CVarnelView* pView = ActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

CVarnelView* CAppProgram::ActiveView()
{
    CMDIFrameWnd* pFrame = (CMDIFrameWnd*)m_pApp->m_pMainWnd;
    if (pFrame == NULL)
        return NULL;
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    if (pChild == NULL)
        return NULL;
    CView* pView = pChild->GetActiveView();
    return pView != NULL && pView->IsKindOf(RUNTIME_CLASS(CVarnelView)) ? (CVarnelView*)pView : NULL;
}

int CAppProgram::CountDocs()
{
    int nCount = 0;
    POSITION posTemplate = m_pApp->GetFirstDocTemplatePosition();
    while (posTemplate != NULL)
    {
        CDocTemplate* pTemplate = m_pApp->GetNextDocTemplate(posTemplate);
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != NULL)
        {
            pTemplate->GetNextDoc(pos);
            ++nCount;
        }
    }
    return nCount;
}

CString CAppProgram::OptionsKeyPath() const
{
    return CString("Software\\") + m_strCompany + "\\Stickwell\\Options";
}

/////////////////////////////////////////////////////////////////////////////
// Publications

CDbText* AddDbText(CVarnelDoc& doc, const CRect& rect, LPCTSTR lpszColumn, int nFontHeight, int nWeight, int nSide)
{
    CDbText* pText = new CDbText(rect.TopLeft(), rect.BottomRight());
    pText->m_strText = "<<TextFromDB>>";
    pText->m_strColumn = lpszColumn;
    pText->m_nSide = nSide;
    pText->m_clrText = 0xFF000000;
    pText->m_font.DeleteObject();
    pText->m_font.CreateFont(nFontHeight, 0, 0, 0, nWeight, 0, 0, 0, 0, 0, 0, 0, 32, "Arial");
    doc.m_listElements.AddTail(pText);
    doc.AssignElementKind(pText);
    return pText;
}

int LoadCommaSeparatedFile(CVarnelDoc& doc, const CString& strPath)
{
    CDataSourceInfo info;
    if (ParseStoredDataSource(BuildTextDescription(strPath, ",", TRUE), info) != DSPARSE_OK)
        return -1;
    CDataTable table;
    if (!LoadDataTable(info, table).Succeeded())
        return -1;
    const int nRows = table.m_nRows;
    doc.TakeDataTable(table);
    return nRows;
}

/////////////////////////////////////////////////////////////////////////////
// Input and texts of the real windows

void PostClick(HWND hWnd, CPoint point, UINT nFlags)
{
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON | nFlags, MAKELPARAM(point.x, point.y));
    ::PostMessageA(hWnd, WM_LBUTTONUP, nFlags, MAKELPARAM(point.x, point.y));
    PumpPendingMessages();
}

void PostKeyPress(HWND hWnd, UINT nKey)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, nKey, 1);
    ::PostMessageA(hWnd, WM_KEYUP, nKey, 0xC0000001);
    PumpPendingMessages();
}

bool SendKeys(std::initializer_list<WORD> modifiers, std::initializer_list<WORD> keys)
{
    if (!SendKeyStrokes(modifiers, keys))
        return false;
    const DWORD nStart = ::GetTickCount();
    do
    {
        PumpPendingMessages();
        if (HIWORD(::GetQueueStatus(QS_KEY)) == 0 && (::GetKeyState(VK_CONTROL) & 0x8000) == 0
            && (::GetKeyState(VK_SHIFT) & 0x8000) == 0)
            return true;
        ::Sleep(5);
    } while (::GetTickCount() - nStart < 5000);
    return false;
}

void PostDrag(HWND hWnd, CPoint a, CPoint b)
{
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(a.x, a.y));
    ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((a.x + b.x) / 2, (a.y + b.y) / 2));
    ::PostMessageA(hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(b.x, b.y));
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(b.x, b.y));
    PumpPendingMessages();
}

CString WindowTextOf(HWND hWnd)
{
    CString str;
    const int nLength = ::GetWindowTextLengthA(hWnd);
    ::GetWindowTextA(hWnd, str.GetBuffer(nLength + 1), nLength + 1);
    str.ReleaseBuffer();
    return str;
}

CSize NeededStaticTextSize(HWND hWnd)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    const LONG nStyle = ::GetWindowLongA(hWnd, GWL_STYLE);
    UINT nFormat = DT_CALCRECT | ((nStyle & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK);
    if (nStyle & SS_NOPREFIX)
        nFormat |= DT_NOPREFIX;
    HDC hDC = ::GetDC(hWnd);
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont != NULL ? (HGDIOBJ)hFont : ::GetStockObject(SYSTEM_FONT));
    CRect rectText(0, 0, rect.Width(), 0);
    ::DrawTextA(hDC, WindowTextOf(hWnd), -1, &rectText, nFormat);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(hWnd, hDC);
    return rectText.Size();
}
