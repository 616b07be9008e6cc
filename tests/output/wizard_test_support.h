// Helpers of the wizard tests: the Templates and BackGrounds folders beside the test
// program, template and picture files in them, and small dialog helpers.

#pragma once

#include "afxdlgs.h"
#include "message_box_recorder.h"
#include "program_files.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

class CVarnelDoc;
namespace Gdiplus
{
class Image;
}

// Template and background files beside the test program. The folders are made when
// missing and removed again (when empty) with the files this object made.
class CWizardFiles
{
public:
    CWizardFiles();
    ~CWizardFiles();
    CWizardFiles(const CWizardFiles&) = delete;
    CWizardFiles& operator=(const CWizardFiles&) = delete;

    // A publication file of the document's design in Templates.
    void AddTemplate(LPCTSTR lpszName, CVarnelDoc& doc);
    // A template of the size with one solid rectangle of colour clrFill (ARGB) at
    // (10, 10)-(110, 60) on side 1 and one of colour clrBack on side 2.
    void AddTemplate(LPCTSTR lpszName, int nWidth, int nHeight,
                     DWORD clrFill = 0xFF00C000, DWORD clrBack = 0xFFC00000);
    // A file of the given bytes in Templates or BackGrounds.
    void AddTemplateBytes(LPCTSTR lpszName, const std::string& data);
    void AddBackgroundBytes(LPCTSTR lpszName, const std::string& data);
    // A picture of one colour (ARGB) in BackGrounds; pszMime "image/bmp", "image/png", ...
    void AddPicture(LPCTSTR lpszName, DWORD clr, LPCSTR pszMime = "image/bmp");
    // A folder inside BackGrounds.
    void AddBackgroundFolder(LPCTSTR lpszName);

    CString m_strTemplates;     // the program folder's Templates folder
    CString m_strBackgrounds;   // the program folder's BackGrounds folder

private:
    void Track(const CString& strPath);
    std::vector<CString> m_files;
    std::vector<CString> m_folders;     // made by this object, removed in reverse order
};

// TRUE when neither folder exists beside the program.
bool FoldersAbsent();

// Items of a list box or combo box.
std::vector<std::string> ListItems(CListBox& list);
std::vector<std::string> ComboItems(CComboBox& combo);
// Text of a dialog control.
CString ControlTextOf(CWnd* pDlg, int nID);
// Enabled state and check state of a dialog control.
bool IsEnabled(CWnd* pDlg, int nID);
bool IsChecked(CWnd* pDlg, int nID);
// Colour (ARGB) of a pixel of a GDI+ image that is a bitmap.
DWORD PixelAt(Gdiplus::Image* pImage, int x, int y);

// One template of 300 x 150 and one picture beside the program, and the message boxes.
class WizardSizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_files.AddTemplate("WizTest A.lbft", 300, 150);
        m_files.AddPicture("WizTest red.bmp", 0xFFFF0000);
    }

    CWizardFiles m_files;
    CMessageBoxRecorder m_boxes;
};
