// Test environment of the wizard tests: the tests run in a folder of their own, GDI+
// runs, and no dialog may wait for a user.

#include "wizard_test_support.h"
#include "test_support.h"
#include "model/VarnelDoc.h"
#include "model/BasicShapes.h"
#include "own_folder_copy.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>
#include <string>

using namespace Gdiplus;

namespace
{

// Files beside the program are read and written, and other test programs share
// this folder: the tests run in a copy of the program in a folder of its own.
const bool g_bRanCopy = testsupport::RunTestsInCopyOfProgram("STICKWELL_OUTPUT_TESTS_COPY", "output_tests");

::testing::Environment* const g_pEnvironment =
    ::testing::AddGlobalTestEnvironment(new testsupport::CDrawingTestEnvironment(false));

} // namespace

CWizardFiles::CWizardFiles()
{
    m_strTemplates = ProgramFolder() + "\\Templates";
    m_strBackgrounds = ProgramFolder() + "\\BackGrounds";
    for (const CString& strFolder : { m_strTemplates, m_strBackgrounds })
    {
        if (::CreateDirectoryA(strFolder, NULL))
            m_folders.push_back(strFolder);
    }
}

CWizardFiles::~CWizardFiles()
{
    for (const CString& strPath : m_files)
        ::DeleteFileA(strPath);
    for (auto it = m_folders.rbegin(); it != m_folders.rend(); ++it)
        ::RemoveDirectoryA(*it);
}

void CWizardFiles::Track(const CString& strPath)
{
    m_files.push_back(strPath);
}

void CWizardFiles::AddTemplate(LPCTSTR lpszName, CVarnelDoc& doc)
{
    CString strPath = m_strTemplates + "\\" + lpszName;
    Track(strPath);
    WriteObjectFile(strPath, doc);
}

void CWizardFiles::AddTemplate(LPCTSTR lpszName, int nWidth, int nHeight, DWORD clrFill, DWORD clrBack)
{
    CVarnelDoc doc;
    doc.m_nDesignWidth = nWidth;
    doc.m_nDesignHeight = nHeight;
    doc.m_nPublicationType = 0;
    const DWORD colours[2] = { clrFill, clrBack };
    for (int nSide = 1; nSide <= 2; nSide++)
    {
        CRectangle* pRect = new CRectangle(CPoint(10, 10), CPoint(110, 60));
        pRect->m_nSide = nSide;
        pRect->m_nFillKind = 1;
        pRect->m_clrFill = colours[nSide - 1];
        pRect->m_nLineWidth = 0;
        pRect->m_bShadow = FALSE;
        pRect->m_bTransparent = FALSE;
        doc.m_listElements.AddTail(pRect);
    }
    AddTemplate(lpszName, doc);
}

void CWizardFiles::AddTemplateBytes(LPCTSTR lpszName, const std::string& data)
{
    CString strPath = m_strTemplates + "\\" + lpszName;
    Track(strPath);
    ASSERT_TRUE(WriteFileBytes(strPath, data)) << (LPCTSTR)strPath;
}

void CWizardFiles::AddBackgroundBytes(LPCTSTR lpszName, const std::string& data)
{
    CString strPath = m_strBackgrounds + "\\" + lpszName;
    Track(strPath);
    ASSERT_TRUE(WriteFileBytes(strPath, data)) << (LPCTSTR)strPath;
}

void CWizardFiles::AddPicture(LPCTSTR lpszName, DWORD clr, LPCSTR pszMime)
{
    CString strPath = m_strBackgrounds + "\\" + lpszName;
    Track(strPath);
    ASSERT_TRUE(WritePicture(strPath, clr, 40, 20, pszMime)) << pszMime << " " << (LPCTSTR)strPath;
}

void CWizardFiles::AddBackgroundFolder(LPCTSTR lpszName)
{
    CString strPath = m_strBackgrounds + "\\" + lpszName;
    if (::CreateDirectoryA(strPath, NULL))
        m_folders.push_back(strPath);
}

bool FoldersAbsent()
{
    CString strFolder = ProgramFolder();
    return ::GetFileAttributesA(strFolder + "\\Templates") == INVALID_FILE_ATTRIBUTES &&
           ::GetFileAttributesA(strFolder + "\\BackGrounds") == INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListItems(CListBox& list)
{
    std::vector<std::string> items;
    for (int i = 0; i < list.GetCount(); i++)
    {
        CString str;
        list.GetText(i, str);
        items.push_back((LPCTSTR)str);
    }
    return items;
}

std::vector<std::string> ComboItems(CComboBox& combo)
{
    std::vector<std::string> items;
    for (int i = 0; i < combo.GetCount(); i++)
    {
        CString str;
        combo.GetLBText(i, str);
        items.push_back((LPCTSTR)str);
    }
    return items;
}

CString ControlTextOf(CWnd* pDlg, int nID)
{
    CString str;
    pDlg->GetDlgItemText(nID, str);
    return str;
}

bool IsEnabled(CWnd* pDlg, int nID)
{
    CWnd* pControl = pDlg->GetDlgItem(nID);
    return pControl != NULL && pControl->IsWindowEnabled();
}

bool IsChecked(CWnd* pDlg, int nID)
{
    return pDlg->IsDlgButtonChecked(nID) == BST_CHECKED;
}

DWORD PixelAt(Gdiplus::Image* pImage, int x, int y)
{
    if (pImage == NULL)
        return 0;
    Color color;
    static_cast<Bitmap*>(pImage)->GetPixel(x, y, &color);
    return color.GetValue();
}
