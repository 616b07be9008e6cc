// The picture Open dialog with its preview panel, run for real and driven by script: the
// preview shows the selected picture (pixel probes), nothing for a file that is no
// picture, frees what it showed, and remembers the Show Preview box; the document asks
// for clip-art and backgrounds through it.

#include "doc_program.h"
#include "test_support.h"
#include "app/BmpDialog.h"
#include "model/Elements.h"
#include "model/FileLimits.h"
#include "resources/bmpdialog_resource.h"

#include <commctrl.h>
#include <psapi.h>

#include <objidl.h>
#include <gdiplus.h>

#include <map>
#include <memory>

namespace
{

const char kAllFiles[] = "All Files (*.*)|*.*||";

// A file of nBytes that takes no disk space: only its size is ever looked at.
bool MakeSparseFile(const CString& strPath, ULONGLONG nBytes)
{
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    size.QuadPart = (LONGLONG)nBytes;
    const bool bDone = ::SetFilePointerEx(hFile, size, NULL, FILE_BEGIN) && ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    return bDone;
}

HWND FindDescendant(HWND hParent, int nID)
{
    struct CSearch
    {
        int nID;
        HWND hFound;
    } search = { nID, NULL };
    ::EnumChildWindows(hParent, [](HWND hWnd, LPARAM lParam) -> BOOL {
        CSearch* pSearch = (CSearch*)lParam;
        if (::GetDlgCtrlID(hWnd) == pSearch->nID)
        {
            pSearch->hFound = hWnd;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&search);
    return search.hFound;
}

HWND FindListView(HWND hDlg)
{
    HWND hFound = NULL;
    ::EnumChildWindows(hDlg, [](HWND hWnd, LPARAM lParam) -> BOOL {
        char szClass[64] = "";
        ::GetClassNameA(hWnd, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, WC_LISTVIEWA) == 0)
        {
            *(HWND*)lParam = hWnd;
            return FALSE;
        }
        return TRUE;
    }, (LPARAM)&hFound);
    return hFound;
}

// The user clicks the file in the dialog's list: the list selection changes.
bool SelectFile(HWND hDlg, LPCSTR pszName)
{
    HWND hList = FindListView(hDlg);
    if (hList == NULL)
        return false;
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = pszName;
    int nItem = (int)::SendMessageA(hList, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
    if (nItem < 0)
    {
        // names may be shown without their extension
        CString strTitle = pszName;
        strTitle = strTitle.Left(strTitle.ReverseFind('.'));
        find.psz = strTitle;
        nItem = (int)::SendMessageA(hList, LVM_FINDITEMA, (WPARAM)-1, (LPARAM)&find);
    }
    if (nItem < 0)
        return false;
    LVITEMA clear = {};
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, (WPARAM)-1, (LPARAM)&clear);
    LVITEMA item = {};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(hList, LVM_SETITEMSTATE, (WPARAM)nItem, (LPARAM)&item);
    return true;
}

CString ItemText(HWND hPanel, int nID)
{
    char szText[256] = "";
    ::GetDlgItemTextA(hPanel, nID, szText, sizeof(szText));
    return szText;
}

// What the preview area shows.
struct CPreviewProbe
{
    CRect rcArea;                   // client rectangle of the area
    COLORREF clrCentre = CLR_INVALID;
    COLORREF clrBackground = CLR_INVALID;
    CString strWidth;
    CString strHeight;
    CString strInfo;
    BOOL bChecked = FALSE;
    bool bHasImage = false;
    COLORREF Pixel(int x, int y) const
    {
        auto it = pixels.find(std::make_pair(x, y));
        return it != pixels.end() ? it->second : CLR_INVALID;
    }
    std::map<std::pair<int, int>, COLORREF> pixels;
};

CPreviewProbe Probe(HWND hPanel, const std::vector<CPoint>& points = std::vector<CPoint>())
{
    CPreviewProbe probe;
    HWND hPreview = ::GetDlgItem(hPanel, IDC_BMP_PREVIEW);
    ::UpdateWindow(hPreview);
    ::GetClientRect(hPreview, &probe.rcArea);
    HDC hDC = ::GetDC(hPreview);
    probe.clrCentre = ::GetPixel(hDC, probe.rcArea.Width() / 2, probe.rcArea.Height() / 2);
    probe.clrBackground = ::GetPixel(hDC, 1, 1);
    for (const CPoint& point : points)
        probe.pixels[std::make_pair(point.x, point.y)] = ::GetPixel(hDC, point.x, point.y);
    ::ReleaseDC(hPreview, hDC);
    probe.strWidth = ItemText(hPanel, IDC_BMP_WIDTH);
    probe.strHeight = ItemText(hPanel, IDC_BMP_HEIGHT);
    probe.strInfo = ItemText(hPanel, IDC_BMP_INFO);
    probe.bChecked = ::IsDlgButtonChecked(hPanel, IDC_BMP_SHOWPREVIEW) == BST_CHECKED;
    probe.bHasImage = CBmpDialog::GetPreviewImage() != NULL;
    return probe;
}

void PostOK(HWND hDlg)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDOK));
}

void PostCancel(HWND hDlg)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, IDCANCEL));
}

SIZE_T PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(::GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&counters, sizeof(counters));
    // private bytes where the platform counts them, else the committed virtual memory
    return counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
}

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 128, 0);

class PictureDialog : public ::testing::Test
{
protected:
    PictureDialog()
    {
        EXPECT_TRUE(WritePicture(m_folder.File("red.bmp"), 0xFFFF0000, 100, 50));
        EXPECT_TRUE(WritePicture(m_folder.File("wide.png"), 0xFF0000FF, 1000, 500, "image/png"));
        EXPECT_TRUE(WritePicture(m_folder.File("photo.JPEG"), 0xFF008000, 40, 80, "image/jpeg"));
        EXPECT_TRUE(WriteFileBytes(m_folder.File("notes.txt"), "plain words"));
        EXPECT_TRUE(WriteFileBytes(m_folder.File("fake.bmp"), "not a picture at all"));
    }
    ~PictureDialog() override
    {
        // leave the process-wide choice as every dialog starts
        EXPECT_TRUE(CBmpDialog::IsPreviewOn());
    }

    CMessageBoxRecorder m_boxes;
    CTempFolder m_folder;
};

bool Near(COLORREF a, COLORREF b)
{
    return abs(GetRValue(a) - GetRValue(b)) <= 8 && abs(GetGValue(a) - GetGValue(b)) <= 8 &&
           abs(GetBValue(a) - GetBValue(b)) <= 8;
}

} // namespace

TEST(PreviewRect, PicturesKeepTheirSizeWhenTheyFitAndAreScaledToFitOtherwise)
{
    EXPECT_EQ(CRect(50, 50, 150, 100), CBmpDialog::GetPreviewRect(100, 50, 200, 150));
    EXPECT_EQ(CRect(0, 25, 200, 125), CBmpDialog::GetPreviewRect(1000, 500, 200, 150));
    EXPECT_EQ(CRect(62, 0, 137, 150), CBmpDialog::GetPreviewRect(500, 1000, 200, 150));
    // wider than high but limited by the height: it still fits the area
    EXPECT_EQ(CRect(10, 0, 190, 150), CBmpDialog::GetPreviewRect(300, 250, 200, 150));
    EXPECT_EQ(CRect(0, 0, 200, 150), CBmpDialog::GetPreviewRect(200, 150, 200, 150));
    EXPECT_TRUE(CBmpDialog::GetPreviewRect(0, 10, 200, 150).IsRectEmpty());
}

TEST_F(PictureDialog, PreviewShowsTheSelectedPictureAndNothingForOtherFiles)
{
    std::vector<CPreviewProbe> probes;
    CRect rcRed;
    CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
    dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        HWND hPreview = FindDescendant(hDlg, IDC_BMP_PREVIEW);
        ASSERT_TRUE(hPreview != NULL);
        HWND hPanel = ::GetParent(hPreview);
        probes.push_back(Probe(hPanel));                    // 0: nothing selected yet

        ASSERT_TRUE(SelectFile(hDlg, "red.bmp"));
        CRect rcArea;
        ::GetClientRect(hPreview, &rcArea);
        rcRed = CBmpDialog::GetPreviewRect(100, 50, rcArea.Width(), rcArea.Height());
        probes.push_back(Probe(hPanel, { CPoint(rcRed.left + 1, rcRed.top + 1),
                                         CPoint(rcRed.right - 2, rcRed.bottom - 2),
                                         CPoint(rcRed.left - 2, rcRed.CenterPoint().y),
                                         CPoint(rcRed.right + 1, rcRed.CenterPoint().y),
                                         CPoint(rcRed.CenterPoint().x, rcRed.top - 2) }));  // 1

        ASSERT_TRUE(SelectFile(hDlg, "notes.txt"));
        probes.push_back(Probe(hPanel));                    // 2: no picture extension
        ASSERT_TRUE(SelectFile(hDlg, "wide.png"));
        probes.push_back(Probe(hPanel, { CPoint(rcArea.Width() / 2, 1),
                                         CPoint(1, rcArea.Height() / 2),
                                         CPoint(rcArea.Width() - 2, rcArea.Height() / 2) }));  // 3
        ASSERT_TRUE(SelectFile(hDlg, "fake.bmp"));
        probes.push_back(Probe(hPanel));                    // 4: a picture's name, no picture
        ASSERT_TRUE(SelectFile(hDlg, "photo.JPEG"));
        probes.push_back(Probe(hPanel));                    // 5: extension in capitals
        PostCancel(hDlg);
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(0, script.GetFailureCount());
    EXPECT_TRUE(CBmpDialog::GetPreviewImage() == NULL);     // freed when the dialog closed
    ASSERT_EQ(6u, probes.size());

    const COLORREF clrFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(probes[0].bChecked);
    EXPECT_FALSE(probes[0].bHasImage);
    EXPECT_EQ(clrFace, probes[0].clrCentre);

    const CPreviewProbe& red = probes[1];
    EXPECT_TRUE(red.bHasImage);
    EXPECT_EQ(kRed, red.clrCentre);
    EXPECT_EQ(kRed, red.Pixel(rcRed.left + 1, rcRed.top + 1));
    EXPECT_EQ(kRed, red.Pixel(rcRed.right - 2, rcRed.bottom - 2));
    EXPECT_EQ(clrFace, red.Pixel(rcRed.left - 2, rcRed.CenterPoint().y));
    EXPECT_EQ(clrFace, red.Pixel(rcRed.right + 1, rcRed.CenterPoint().y));
    EXPECT_EQ(clrFace, red.Pixel(rcRed.CenterPoint().x, rcRed.top - 2));
    EXPECT_STREQ("Width: 100 pixels", red.strWidth);
    EXPECT_STREQ("Height: 50 pixels", red.strHeight);

    for (int i : { 2, 4 })
    {
        SCOPED_TRACE(i);
        EXPECT_FALSE(probes[i].bHasImage);
        EXPECT_EQ(clrFace, probes[i].clrCentre);
        EXPECT_STREQ("", probes[i].strWidth);
        EXPECT_STREQ("", probes[i].strHeight);
    }

    // 1000 x 500 fills the width, half the height, centred
    const CPreviewProbe& wide = probes[3];
    EXPECT_EQ(kBlue, wide.clrCentre);
    EXPECT_EQ(kBlue, wide.Pixel(1, wide.rcArea.Height() / 2));
    EXPECT_EQ(kBlue, wide.Pixel(wide.rcArea.Width() - 2, wide.rcArea.Height() / 2));
    EXPECT_EQ(clrFace, wide.Pixel(wide.rcArea.Width() / 2, 1));
    EXPECT_STREQ("Width: 1000 pixels", wide.strWidth);

    EXPECT_TRUE(Near(kGreen, probes[5].clrCentre)) << std::hex << probes[5].clrCentre;
    EXPECT_STREQ("Height: 80 pixels", probes[5].strHeight);
}

TEST_F(PictureDialog, ShowPreviewOffIsKeptForTheNextDialog)
{
    CPreviewProbe afterOff, nextStart, afterOn;
    {
        CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
        dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
        CDialogScript script;
        script.OnCommonDialog([&](HWND hDlg) {
            HWND hPanel = ::GetParent(FindDescendant(hDlg, IDC_BMP_PREVIEW));
            SelectFile(hDlg, "red.bmp");
            ::SendMessageA(::GetDlgItem(hPanel, IDC_BMP_SHOWPREVIEW), BM_CLICK, 0, 0);
            afterOff = Probe(hPanel);
            PostCancel(hDlg);
        });
        dlg.DoModal();
    }
    EXPECT_FALSE(CBmpDialog::IsPreviewOn());
    {
        CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
        dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
        CDialogScript script;
        script.OnCommonDialog([&](HWND hDlg) {
            HWND hPanel = ::GetParent(FindDescendant(hDlg, IDC_BMP_PREVIEW));
            SelectFile(hDlg, "red.bmp");
            nextStart = Probe(hPanel);
            // turned on again, the current selection is shown at once
            ::SendMessageA(::GetDlgItem(hPanel, IDC_BMP_SHOWPREVIEW), BM_CLICK, 0, 0);
            afterOn = Probe(hPanel);
            PostCancel(hDlg);
        });
        dlg.DoModal();
    }
    EXPECT_FALSE(afterOff.bChecked);
    EXPECT_FALSE(afterOff.bHasImage);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), afterOff.clrCentre);
    EXPECT_STREQ("", afterOff.strWidth);
    EXPECT_FALSE(nextStart.bChecked);
    EXPECT_FALSE(nextStart.bHasImage);
    EXPECT_TRUE(afterOn.bChecked);
    EXPECT_EQ(kRed, afterOn.clrCentre);
    EXPECT_TRUE(CBmpDialog::IsPreviewOn());
}

TEST_F(PictureDialog, EachPreviewFreesThePictureBeforeIt)
{
    ASSERT_TRUE(WritePicture(m_folder.File("big.bmp"), 0xFF00FF00, 2000, 2000));
    SIZE_T nBefore = 0, nAfter = 0;
    CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
    dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        SelectFile(hDlg, "big.bmp");
        SelectFile(hDlg, "red.bmp");
        nBefore = PrivateBytes();
        // each big picture holds 16 MB as a picture and 16 MB as a GDI bitmap
        for (int i = 0; i < 10; i++)
        {
            SelectFile(hDlg, "big.bmp");
            SelectFile(hDlg, "red.bmp");
        }
        nAfter = PrivateBytes();
        PostCancel(hDlg);
    });
    dlg.DoModal();
    ASSERT_GT(nBefore, 0u);
    EXPECT_LT(nAfter, nBefore + 64u * 1024 * 1024) << nBefore << " -> " << nAfter;
}

TEST_F(PictureDialog, AFileLargerThanAnyPictureIsNotReadAndThePanelSaysSo)
{
    ASSERT_TRUE(MakeSparseFile(m_folder.File("huge.png"), MAX_PICTURE_FILE_BYTES + 1));
    EXPECT_TRUE(LoadImageFromFile(m_folder.File("huge.png")) == NULL);
    std::unique_ptr<Gdiplus::Bitmap> pRed(LoadImageFromFile(m_folder.File("red.bmp")));
    ASSERT_TRUE(pRed != nullptr);
    EXPECT_EQ(100u, pRed->GetWidth());

    CPreviewProbe huge;
    CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
    dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        HWND hPanel = ::GetParent(FindDescendant(hDlg, IDC_BMP_PREVIEW));
        SelectFile(hDlg, "red.bmp");
        SelectFile(hDlg, "huge.png");
        huge = Probe(hPanel);
        PostCancel(hDlg);
    });
    dlg.DoModal();
    EXPECT_FALSE(huge.bHasImage);
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), huge.clrCentre);
    EXPECT_GE(huge.strInfo.Find("too large"), 0) << (LPCTSTR)huge.strInfo;
    EXPECT_STREQ("", huge.strWidth);
}

TEST_F(PictureDialog, APictureOverThePixelLimitIsCalledTooLargeWithItsSize)
{
    ASSERT_TRUE(WritePicture(m_folder.File("wide.bmp"), 0xFF00FF00, 40000, 2));
    CPreviewProbe wide;
    CBmpDialog dlg(TRUE, NULL, NULL, OFN_FILEMUSTEXIST, kAllFiles);
    dlg.m_ofn.lpstrInitialDir = m_folder.m_strPath;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        HWND hPanel = ::GetParent(FindDescendant(hDlg, IDC_BMP_PREVIEW));
        SelectFile(hDlg, "wide.bmp");
        wide = Probe(hPanel);
        PostCancel(hDlg);
    });
    dlg.DoModal();
    EXPECT_FALSE(wide.bHasImage);
    EXPECT_GE(wide.strInfo.Find("too large: 40000 x 2 pixels"), 0) << (LPCTSTR)wide.strInfo;
}

/////////////////////////////////////////////////////////////////////////////
// The document asks for pictures through the dialog

TEST_F(PictureDialog, ClipArtIsChosenInTheRealDialogWithItsPreview)
{
    CDocProgram program;
    CVarnelDoc* pDoc = NULL;
    {
        CDialogScript script;
        ScriptWizard(script, CWizardAnswer());
        program.Command(ID_FILE_NEW);
        pDoc = program.ActiveDoc();
    }
    ASSERT_TRUE(pDoc != NULL);
    program.m_pApp->m_strGraphicsFolder = m_folder.m_strPath;
    const int nBefore = (int)pDoc->m_listElements.GetCount();

    COLORREF clrShown = CLR_INVALID;
    CDialogScript script;
    script.OnCommonDialog([&](HWND hDlg) {
        HWND hPanel = ::GetParent(FindDescendant(hDlg, IDC_BMP_PREVIEW));
        SelectFile(hDlg, "red.bmp");
        clrShown = Probe(hPanel).clrCentre;
        PostOK(hDlg);
    });
    program.Command(ID_INSERT_CLIPART);
    EXPECT_EQ(0, script.GetFailureCount());
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_TRUE(script.GetRecord(0).m_dwFlags & OFN_ENABLETEMPLATE);
    EXPECT_EQ(kRed, clrShown);
    ASSERT_EQ(nBefore + 1, (int)pDoc->m_listElements.GetCount());
    EXPECT_TRUE(pDoc->m_listElements.GetTail()->IsKindOf(RUNTIME_CLASS(CBtImage)));
    program.CloseAll();
}

TEST_F(PictureDialog, ClipArtAndBackgroundsLargerThanAnyPictureAreRefusedWithAMessage)
{
    const CString strHuge = m_folder.File("huge.bmp");
    ASSERT_TRUE(MakeSparseFile(strHuge, MAX_PICTURE_FILE_BYTES + 1));
    CDocProgram program;
    CVarnelDoc* pDoc = NULL;
    {
        CDialogScript script;
        ScriptWizard(script, CWizardAnswer());
        program.Command(ID_FILE_NEW);
        pDoc = program.ActiveDoc();
    }
    ASSERT_TRUE(pDoc != NULL);
    const int nBefore = (int)pDoc->m_listElements.GetCount();
    m_boxes.Reset();

    for (UINT nCommand : { (UINT)ID_INSERT_CLIPART, (UINT)ID_EDIT_SELECT_BACKGROUND })
    {
        SCOPED_TRACE(nCommand);
        m_boxes.Reset();
        CDialogScript script;
        script.OnFileDialog(strHuge);
        program.Command(nCommand);
        ASSERT_EQ(1, m_boxes.GetCount());
        EXPECT_STREQ(FileTooLargeMessage(strHuge, MAX_PICTURE_FILE_BYTES), m_boxes.GetCall(0).m_strText);
        EXPECT_EQ(nBefore, (int)pDoc->m_listElements.GetCount());
    }
    EXPECT_GE(FileTooLargeMessage(strHuge, MAX_PICTURE_FILE_BYTES).Find("512 MB"), 0);
    program.CloseAll();
}
