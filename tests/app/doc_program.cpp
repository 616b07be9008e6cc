// doc_program.cpp - the running program of the document tests and the files they use.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

using namespace Gdiplus;

namespace
{

bool EncoderOf(LPCSTR pszMime, CLSID& clsid)
{
    UINT nCount = 0, nSize = 0;
    GetImageEncodersSize(&nCount, &nSize);
    std::vector<BYTE> buffer(nSize);
    ImageCodecInfo* pCodecs = (ImageCodecInfo*)buffer.data();
    GetImageEncoders(nCount, nSize, pCodecs);
    WCHAR szMime[64];
    ::MultiByteToWideChar(CP_ACP, 0, pszMime, -1, szMime, 64);
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(pCodecs[i].MimeType, szMime) == 0)
        {
            clsid = pCodecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

CString ProgramFolder()
{
    return CVarnelApp::GetProgramFolder();
}

std::string ReadFileBytes(const CString& strPath)
{
    std::string data;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[65536];
    DWORD nRead = 0;
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        data.append(buf, nRead);
    ::CloseHandle(h);
    return data;
}

bool WriteFileBytes(const CString& strPath, const std::string& data)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bOk = ::WriteFile(h, data.data(), (DWORD)data.size(), &nWritten, NULL);
    ::CloseHandle(h);
    return bOk && nWritten == data.size();
}

bool FileExists(const CString& strPath)
{
    const DWORD dw = ::GetFileAttributesA(strPath);
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY);
}

bool WritePicture(const CString& strPath, DWORD clr, int nWidth, int nHeight, LPCSTR pszMime)
{
    Bitmap picture(nWidth, nHeight, PixelFormat32bppARGB);
    {
        Graphics graphics(&picture);
        graphics.Clear(Color(clr));
    }
    CLSID clsid;
    if (!EncoderOf(pszMime, clsid))
        return false;
    WCHAR szPath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, strPath, -1, szPath, MAX_PATH);
    return picture.Save(szPath, &clsid, NULL) == Ok;
}

/////////////////////////////////////////////////////////////////////////////
// Folders and files


CProgramFiles::CProgramFiles()
{
    m_strTemplates = ProgramFolder() + "\\Templates";
    m_strBackgrounds = ProgramFolder() + "\\BackGrounds";
    m_strTips = ProgramFolder() + "\\tips.dat";
    ::CreateDirectoryA(m_strTemplates, NULL);
    ::CreateDirectoryA(m_strBackgrounds, NULL);
}

CProgramFiles::~CProgramFiles()
{
    RemoveFolderTree(m_strTemplates);
    RemoveFolderTree(m_strBackgrounds);
    ::DeleteFileA(m_strTips);
}

CString CProgramFiles::AddTemplate(LPCTSTR lpszName, CVarnelDoc& doc)
{
    const CString strPath = m_strTemplates + "\\" + lpszName;
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    file.Close();
    return strPath;
}

CString CProgramFiles::AddBackground(LPCTSTR lpszName, DWORD clr, int nWidth, int nHeight)
{
    const CString strPath = m_strBackgrounds + "\\" + lpszName;
    EXPECT_TRUE(WritePicture(strPath, clr, nWidth, nHeight)) << (LPCTSTR)strPath;
    return strPath;
}

void CProgramFiles::WriteTips(const std::string& text)
{
    EXPECT_TRUE(WriteFileBytes(m_strTips, text));
}

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
// The program

CDocProgram::CDocProgram()
    : m_pApp(NULL), m_bStarted(FALSE)
{
    m_strCompany.Format("QuorvaneTest%lu", ::GetCurrentProcessId());
    // the tip of the day only where a test asks for it
    COptionsKey(OptionsKeyPath()).SetDword("ShowTip", 0);
    m_pApp = new CVarnelApp(m_strCompany);
    AfxWinInit(::GetModuleHandleA(NULL), NULL, (LPTSTR) "", SW_SHOW);
    m_bStarted = m_pApp->StartUp();
    if (m_bStarted && m_pApp->m_pMainWnd != NULL)
        m_pApp->m_pMainWnd->SetWindowPos(NULL, 0, 0, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
}

CDocProgram::~CDocProgram()
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

void CDocProgram::CloseAll()
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

void CDocProgram::Command(UINT nID)
{
    m_pApp->m_pMainWnd->SendMessage(WM_COMMAND, nID);
    PumpPendingMessages();
}

CVarnelDoc* CDocProgram::NewPlainDoc()
{
    CMessageBoxRecorder wizardBoxes;
    CDialogScript script;
    script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
    Command(ID_FILE_NEW);
    return ActiveDoc();
}

DWORD RunTestInChild(const CString& strExe, const char* pszTest)
{
    CString strLine = "\"" + strExe + "\" --gtest_also_run_disabled_tests --gtest_filter=" + pszTest;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    const BOOL bStarted = ::CreateProcessA(NULL, strLine.GetBuffer(0), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi);
    strLine.ReleaseBuffer();
    if (!bStarted)
        return (DWORD)-1;
    DWORD dwCode = (DWORD)-1;
    if (::WaitForSingleObject(pi.hProcess, 120000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwCode);
    else
        ::TerminateProcess(pi.hProcess, 1);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return dwCode;
}

CVarnelDoc* CDocProgram::NewShownDoc()
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

CVarnelDoc* CDocProgram::ActiveDoc()
{
    CVarnelView* pView = ActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

CVarnelView* CDocProgram::ActiveView()
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

int CDocProgram::CountDocs()
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

CString CDocProgram::OptionsKeyPath() const
{
    return CString("Software\\") + m_strCompany + "\\Stickwell\\Options";
}

/////////////////////////////////////////////////////////////////////////////
// Wizard and publications

void ScriptWizard(CDialogScript& script, const CWizardAnswer& answer)
{
    CDialogScript::CSteps& steps = script.OnDialog(IDD_WIZ_NEWCARD);
    steps.Select(IDC_WIZ_CATEGORY, answer.nCategory);
    steps.SelectString(IDC_WIZ_TEMPLATES, answer.strTemplate.IsEmpty() ? CString(" -None-") : answer.strTemplate);
    steps.SelectString(IDC_WIZ_BACKGROUNDS,
                       answer.strBackground.IsEmpty() ? CString(" -None-") : answer.strBackground);
    if (answer.bBlank)
        steps.Check(IDC_WIZ_BLANK, BST_CHECKED);
    if (answer.bKeepTemplateSize && !answer.bBlank)
    {
        steps.Check(IDC_WIZ_KEEPSIZE, BST_CHECKED);
    }
    else
    {
        CString strWidth, strHeight;
        strWidth.Format("%g", answer.fWidth);
        strHeight.Format("%g", answer.fHeight);
        steps.Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED);
        steps.Select(IDC_WIZ_SIZES, 0);
        steps.Select(IDC_WIZ_UNITS, 0);
        steps.SetText(IDC_WIZ_WIDTH, strWidth);
        steps.SetText(IDC_WIZ_HEIGHT, strHeight);
    }
    steps.OK();
}

void FillEveryElement(CVarnelDoc& doc, const CString& strDataSource)
{
    doc.m_nPublicationType = 3;     // a postcard has two sides
    doc.m_nDesignWidth = 600;
    doc.m_nDesignHeight = 400;
    doc.m_nSheetWidth = 827;
    doc.m_nSheetHeight = 1169;
    doc.m_clrBackgroundFront = 0xFFFFF0E0;
    doc.m_clrBackgroundBack = 0xFFE0F0FF;
    doc.m_strDataSource = strDataSource;

    for (int nSide = 1; nSide <= 2; nSide++)
    {
        Bitmap* pPicture = new Bitmap(3, 2, PixelFormat32bppARGB);
        for (int y = 0; y < 2; y++)
            for (int x = 0; x < 3; x++)
                pPicture->SetPixel(x, y, Color(0xFF, (BYTE)(40 * x), (BYTE)(90 * y), (BYTE)(60 * nSide)));
        CBkgImage* pBackground = new CBkgImage(CPicturePtr(pPicture), doc.m_nDesignWidth, doc.m_nDesignHeight);
        pBackground->m_nSide = nSide;
        doc.m_listElements.AddHead(pBackground);        // under everything

        const int d = nSide * 7;
        std::vector<CElement*> elements = {
            new CLine(CPoint(10 + d, 10), CPoint(120, 30 + d)),
            new CRectangle(CPoint(20, 20 + d), CPoint(90 + d, 70)),
            new CCircle(CPoint(30, 40), CPoint(100, 110 + d)),
            new CRhombus(CPoint(40 + d, 50), CPoint(140, 120)),
            new CRectRound(CPoint(50, 60), CPoint(150 + d, 130)),
            new CTriangle(CPoint(60, 70 + d), CPoint(160, 170)),
            new CFreehandLine(CPoint(70, 80), CPoint(71, 81)),
            new CText(CPoint(80 + d, 90), CPoint(300, 140)),
            new CClosedCurve(CPoint(90, 100), CPoint(91, 101)),
            new CCalloutBL(CPoint(100, 110), CPoint(200 + d, 190)),
            new CCalloutBR(CPoint(110, 120 + d), CPoint(210, 200)),
            new CShapeParallelo(CPoint(120, 130), CPoint(220, 180 + d)),
            new CShapeArrowL(CPoint(130 + d, 140), CPoint(230, 190)),
            new CShapeStar(CPoint(140, 150), CPoint(240, 250 + d)),
            new CShapeExplosion(CPoint(150, 160 + d), CPoint(250, 260)),
            new CShapeMoon(CPoint(160, 170), CPoint(260 + d, 270)),
            new CShapeArrowR(CPoint(170, 180), CPoint(270, 230 + d)),
            new CShapeSun(CPoint(180 + d, 190), CPoint(280, 290)),
            new CDbText(CPoint(190, 200), CPoint(390, 240 + d)),
        };
        for (CElement* pElement : elements)
        {
            pElement->m_nSide = nSide;
            pElement->m_clrFill = 0xFF000000 | (DWORD)(0x102030 * nSide);
            pElement->m_nAngle = 15 * nSide;
            doc.m_listElements.AddTail(pElement);
        }
        for (int i = 1; i <= 4; i++)
        {
            elements[6]->AddPoint(CPoint(70 + 9 * i, 80 + 5 * i * nSide));
            elements[8]->AddPoint(CPoint(90 + 6 * i * nSide, 100 + 4 * i));
        }
        elements[7]->m_strText = nSide == 1 ? "Front text" : "Back text";
        elements[18]->m_strText = "<<TextFromDB>>";
        elements[18]->m_strColumn = nSide == 1 ? "1" : "0-2";

        Bitmap* pClip = new Bitmap(4, 3, PixelFormat32bppARGB);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 4; x++)
                pClip->SetPixel(x, y, Color((BYTE)(255 - 20 * x), (BYTE)(50 * y), 200, (BYTE)(30 * nSide)));
        CBtImage* pImage = new CBtImage(CPoint(200, 210), CPoint(200, 210), CPicturePtr(pClip), 600, 400);
        pImage->m_nSide = nSide;
        doc.m_listElements.AddTail(pImage);
    }
    doc.ApplyElementSettings();
}

std::vector<std::string> ClassNames(CElementList& list)
{
    std::vector<std::string> names;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        names.push_back(list.GetNext(pos)->GetRuntimeClass()->m_lpszClassName);
    return names;
}
