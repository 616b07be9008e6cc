// print_program.cpp - the running program of the print tests, the test printer, data
// sources and pictures of printed pages.

#include "print_program.h"
#include "test_support.h"
#include "test_printer.h"
#include "model/Elements.h"
#include "model/VarnelDoc.h"

#include <winspool.h>
#include <objidl.h>
#include <gdiplus.h>

#include <ctype.h>
#include <limits.h>
#include <stdio.h>

using namespace Gdiplus;

std::vector<std::string> PostScriptPageTexts(LPCTSTR lpszPath)
{
    static const char* const kDigits[] = { "zero", "one", "two", "three", "four",
                                           "five", "six", "seven", "eight", "nine" };
    std::vector<std::string> pages;
    const std::string data = ReadFileBytes(lpszPath);

    const std::string strShow = " glyphshow";
    size_t pos = 0;
    while ((pos = data.find("\n%%Page:", pos)) != std::string::npos)
    {
        pos += 8;
        const size_t end = data.find("\n%%Page:", pos);
        const std::string page = data.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        std::string text;
        for (size_t at = 0; (at = page.find(strShow, at)) != std::string::npos; at += strShow.size())
        {
            const size_t slash = page.rfind('/', at);
            const std::string name = slash == std::string::npos ? "" : page.substr(slash + 1, at - slash - 1);
            char c = '?';
            if (name.size() == 1 && isalpha((unsigned char)name[0]))
                c = name[0];
            else if (name == "space" || name == "uni00A0")
                c = ' ';
            for (int d = 0; d < 10; d++)
                if (name == kDigits[d])
                    c = (char)('0' + d);
            text += c;
        }
        pages.push_back(text);
    }
    return pages;
}

std::vector<CPostScriptPage> PostScriptPages(LPCTSTR lpszPath, int nCellWidth)
{
    std::vector<CPostScriptPage> pages;
    const std::string data = ReadFileBytes(lpszPath);
    size_t pos = 0;
    while ((pos = data.find("\n%%Page:", pos)) != std::string::npos)
    {
        pos += 8;
        const size_t end = data.find("\n%%Page:", pos);
        const std::string page = data.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        CPostScriptPage result;
        result.nRotation = 0;
        const size_t nSetup = page.find("\n1 -1 scale\n");
        if (nSetup != std::string::npos)
            sscanf(page.c_str() + nSetup, "\n1 -1 scale\n%d rotate", &result.nRotation);
        for (size_t at = 0; (at = page.find(" moveto\n", at)) != std::string::npos; at++)
        {
            const size_t nLine = page.rfind('\n', at);
            int x0, y0, x1, y1;
            if (sscanf(page.c_str() + nLine + 1, "%d %d moveto\n%d %d lineto", &x0, &y0, &x1, &y1) == 4 &&
                y1 == y0 && x1 - x0 == nCellWidth)
                result.cells.push_back(CPoint(x0, y0));
        }
        pages.push_back(result);
    }
    return pages;
}

bool PostScriptBlankStrips(LPCTSTR lpszPath, int nCellWidth, double& fLeft, double& fTop)
{
    const std::string data = ReadFileBytes(lpszPath);
    const size_t nPage = data.find("\n%%Page: 1 ");
    const size_t nNext = data.find("\n%%Page: 2 ");
    const size_t nSize = data.find("/PageSize[");
    if (nPage == std::string::npos || nSize == std::string::npos)
        return false;
    const std::string page = data.substr(nPage, nNext == std::string::npos ? std::string::npos : nNext - nPage);
    // an upright page: device pixels from the printable corner, y downward from the origin
    int nWidthPoints = 0, nHeightPoints = 0, nDpi = 0, nDpiY = 0, nOriginX = 0, nOriginY = 0;
    const size_t nScale = page.find("\n72 ");
    if (sscanf(data.c_str() + nSize, "/PageSize[%d %d]", &nWidthPoints, &nHeightPoints) != 2 ||
        nScale == std::string::npos ||
        sscanf(page.c_str() + nScale, "\n72 %d div 72 %d div scale\n%d %d translate\n1 -1 scale", &nDpi, &nDpiY,
               &nOriginX, &nOriginY) != 4 || nDpi <= 0 || nDpiY <= 0)
        return false;
    const int nTopOfDevice = nHeightPoints * nDpiY / 72 - nOriginY;
    for (size_t at = 0; (at = page.find(" moveto\n", at)) != std::string::npos; at++)
    {
        const size_t nLine = page.rfind('\n', at);
        int x0, y0, x1, y1;
        if (sscanf(page.c_str() + nLine + 1, "%d %d moveto\n%d %d lineto", &x0, &y0, &x1, &y1) != 4 || y1 != y0 ||
            x1 - x0 != nCellWidth)
            continue;
        // the clip in force: the last one set in this drawing's save level
        const size_t nGsave = page.rfind("gsave\n", nLine);
        const size_t nClip = page.rfind(" rectclip\n", nLine);
        int cx = INT_MIN, cy = INT_MIN, cw = 0, ch = 0;
        if (nClip != std::string::npos && nGsave != std::string::npos && nClip > nGsave)
        {
            const size_t nClipLine = page.rfind('\n', nClip);
            if (sscanf(page.c_str() + nClipLine + 1, "%d %d %d %d rectclip", &cx, &cy, &cw, &ch) != 4)
                return false;
        }
        fLeft = (double)((x0 > cx ? x0 : cx) + nOriginX) / nDpi;
        fTop = (double)((y0 > cy ? y0 : cy) + nTopOfDevice) / nDpiY;
        return true;
    }
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// Paper


CPaper::CPaper(int nWidth, int nHeight)
    : m_hBitmap(NULL), m_pBits(NULL), m_nWidth(nWidth), m_nHeight(nHeight)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = (DWORD*)pBits;
    Clear();
}

CPaper::~CPaper()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

void CPaper::Clear(COLORREF clr)
{
    ::GdiFlush();
    const DWORD dw = ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
    for (int i = 0; m_pBits != NULL && i < m_nWidth * m_nHeight; i++)
        m_pBits[i] = dw;
}

COLORREF CPaper::Pixel(int x, int y) const
{
    ::GdiFlush();
    if (m_pBits == NULL || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight)
        return CLR_INVALID;
    const DWORD dw = m_pBits[y * m_nWidth + x];
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

int CPaper::CountDifferences(int x, int y, int cx, int cy, const CPaper& other, int ox, int oy) const
{
    int nCount = 0;
    for (int j = 0; j < cy; j++)
        for (int i = 0; i < cx; i++)
            if (Pixel(x + i, y + j) != other.Pixel(ox + i, oy + j))
                ++nCount;
    return nCount;
}

int CPaper::CountDark(int x, int y, int cx, int cy) const
{
    int nCount = 0;
    for (int j = 0; j < cy; j++)
    {
        for (int i = 0; i < cx; i++)
        {
            const COLORREF clr = Pixel(x + i, y + j);
            if (clr != CLR_INVALID && GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 128)
                ++nCount;
        }
    }
    return nCount;
}

/////////////////////////////////////////////////////////////////////////////
// The program

CPrintProgram::CPrintProgram()
    : CAppProgram("QuorvanePrintTest", CSize(900, 700)), m_pDoc(NULL), m_pView(NULL)
{
    if (!m_bStarted || m_pApp->m_pMainWnd == NULL)
        return;
    // a publication with the defaults: the wizard is cancelled
    m_pDoc = NewPlainDoc();
    m_pView = ActiveView();
}

void CPrintProgram::MakeAddressLabel()
{
    m_pDoc->m_nPublicationType = 0;
    m_pDoc->m_nDesignWidth = 262;
    m_pDoc->m_nDesignHeight = 100;
    m_pDoc->m_clrBackgroundFront = 0xFFFFF0C0;
}

void CPrintProgram::LoadRecords(int nRecords, const CPrintFolder& folder)
{
    std::string text = "Name,Town,Zip\r\n";
    for (int k = 1; k <= nRecords; k++)
    {
        char szLine[128];
        sprintf(szLine, "Name %d,Town %d,%d\r\n", k, k, k);
        text += szLine;
    }
    const CString strPath = folder.File("records.csv");
    ASSERT_TRUE(WriteFileBytes(strPath, text));
    ASSERT_EQ(nRecords + 1, LoadCommaSeparatedFile(*m_pDoc, strPath));
}

CDbText* CPrintProgram::AddDbText(const CRect& rect, LPCTSTR lpszColumn, int nSide)
{
    CDbText* pText = ::AddDbText(*m_pDoc, rect, lpszColumn, 30, FW_BOLD, nSide);
    m_dbTexts.push_back(pText);
    return pText;
}

void CPrintProgram::RenderPage(CPaper& paper, UINT nPage)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, paper.m_hBitmap);
    dc.m_bPrinting = TRUE;
    CPrintInfo info;
    info.m_nCurPage = nPage;
    m_pView->OnBeginPrinting(&dc, &info);
    m_pView->OnPrepareDC(&dc, &info);
    m_pView->OnPrint(&dc, &info);
    m_pView->OnEndPrinting(&dc, &info);
    ::GdiFlush();
    ::SelectObject(dc.m_hDC, hOld);
}

void CPrintProgram::RenderCell(CPaper& paper, const std::vector<CString>& texts, int nSide)
{
    CDC dc;
    dc.CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, paper.m_hBitmap);
    const int W = m_pDoc->m_nDesignWidth;
    const int H = m_pDoc->m_nDesignHeight;
    {
        Graphics graphics(dc.m_hDC);
        SolidBrush brush { Color(nSide == 2 ? m_pDoc->m_clrBackgroundBack : m_pDoc->m_clrBackgroundFront) };
        graphics.FillRectangle(&brush, 0, 0, W, H);
    }
    std::vector<CString> kept;
    for (size_t i = 0; i < m_dbTexts.size(); i++)
    {
        kept.push_back(m_dbTexts[i]->m_strText);
        if (i < texts.size())
            m_dbTexts[i]->m_strText = texts[i];
    }
    for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = m_pDoc->m_listElements.GetNext(pos);
        if (nSide == 0 || pElement->m_nSide == nSide)
            pElement->DrawInCellDC(&dc, 1, 1, 0, 0, 0, 0, W, H);
    }
    for (size_t i = 0; i < m_dbTexts.size(); i++)
        m_dbTexts[i]->m_strText = kept[i];
    ::GdiFlush();
    ::SelectObject(dc.m_hDC, hOld);
}

void CAddressLabelTest::SetUp()
{
    ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
    m_pProgram = new CPrintProgram;
    ASSERT_TRUE(m_pProgram->Doc() != NULL);
    m_pProgram->MakeAddressLabel();
    m_pProgram->AddDbText(CRect(10, 8, 250, 48), "0");
    m_boxes.Reset();        // the wizard's notes on missing folders
}

void CAddressLabelTest::TearDown()
{
    delete m_pProgram;
    m_pProgram = NULL;
}

CDialogScript::CSteps& ScriptPrintOptions(CDialogScript& script, int nRows, int nColumns)
{
    CDialogScript::CSteps& steps = script.OnDialog(IDD_PRINT_OPTIONS);
    if (nRows > 0)
        steps.Select(IDC_PO_ROWS, nRows - 1);
    if (nColumns > 0)
        steps.Select(IDC_PO_COLUMNS, nColumns - 1);
    return steps;
}

void ScriptPrintToFile(CDialogScript& script, LPCTSTR lpszOutput)
{
    script.OnCommonDialog([](HWND hDlg) {
        ::CheckDlgButton(hDlg, 0x410, BST_CHECKED);     // "Print to file"
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    if (lpszOutput != NULL)
        script.OnFileDialog(lpszOutput);
}
