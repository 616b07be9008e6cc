// A picture for people to look at: the popup menu, the colour popup and toolbar-style
// buttons in both looks, written as popup_sheet.png beside the test program.

#include "test_popup_support.h"
#include "test_paint_support.h"
#include "ExtPopupColorMenuWnd.h"
#include <gdiplus.h>

namespace
{

const DWORD kNoAnim = CExtPopupMenuWnd::TPMX_FORCE_NO_ANIMATION;
const DWORD kShowAll = CExtPopupMenuWnd::TPMX_NO_HIDE_RARELY;
const int kCellWidth = 260;
const int kCellHeight = 300;

// Tracks the popup, paints its client area at (x, y) of the sheet, ends the tracking.
bool PaintTrackedPopup(CExtPopupMenuWnd* pPopup, CDC& dcSheet, int x, int y)
{
    if (!pPopup->StartTracking(kNoAnim | kShowAll, 300, 100))
        return false;
    const bool bShown = PopupPumpUntil([pPopup] { return pPopup->GetSafeHwnd() != NULL
                                                        && pPopup->IsWindowVisible()
                                                        && g_TrackingSite.m_pWndAnimation
                                                            == NULL; });
    bool bPainted = false;
    if (bShown)
    {
        CRect rc;
        pPopup->GetClientRect(&rc);
        CDC dc;
        CBitmap bmp;
        if (dc.CreateCompatibleDC(&dcSheet)
            && bmp.CreateCompatibleBitmap(&dcSheet, rc.Width(), rc.Height()))
        {
            CBitmap* pOld = dc.SelectObject(&bmp);
            dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dcSheet, x, y, SRCCOPY);
            // the shadow falls on the sheet, not on the screen the popup was shown over
            pPopup->ReleaseScreenUnder();
            pPopup->m_shadowPopup.Destroy();
            pPopup->PaintContent(dc, false);
            dcSheet.BitBlt(x, y, std::min(rc.Width(), kCellWidth - 10),
                           std::min(rc.Height(), kCellHeight - 30), &dc, 0, 0, SRCCOPY);
            dc.SelectObject(pOld);
            bPainted = true;
        }
    }
    CExtPopupMenuWnd::CancelTracking();
    PopupPumpFor(30);
    return bPainted;
}

// A toolbar row: the bar background, buttons in their states, a separator and the chevron.
void PaintToolbarRow(CDC& dc, int x, int y)
{
    CExtPaintManager* pPM = g_CurrentPaintManager.operator->();
    CRect rcBar(x, y, x + kCellWidth - 20, y + 30);
    pPM->DrawDockBarBackground(dc, CRect(x - 5, y - 5, x + kCellWidth - 15, y + 70), NULL);
    pPM->DrawControlBarBackground(dc, rcBar, NULL);
    static const struct
    {
        LPCTSTR m_sText;
        bool m_bHover, m_bPushed, m_bEnabled;
    } s_buttons[] = {
        { _T("New"), false, false, true },
        { _T("Open"), true, false, true },
        { _T("Save"), true, true, true },
        { _T("Print"), false, false, false },
    };
    int nLeft = x + 4;
    for (const auto& b : s_buttons)
    {
        CRect rcButton(nLeft, y + 3, nLeft + 44, y + 27);
        CExtPaintManager::PushButtonArgs_t pba(NULL, true, rcButton, b.m_sText, NULL, true,
                                               b.m_bHover, b.m_bPushed, false, b.m_bEnabled,
                                               false, false, false, 0, NULL, false, 0, false);
        pPM->DrawPushButton(dc, pba);
        nLeft += 46;
    }
    pPM->DrawSeparator(dc, CRect(nLeft, y + 3, nLeft + 6, y + 27), true, false, NULL);
    pPM->DrawToolBarChevron(dc, CRect(rcBar.right - 14, y + 2, rcBar.right - 2, y + 28), true,
                            false, true, false, true, NULL);
    // a drop-down button, hot
    CRect rcDrop(x + 4, y + 36, x + 70, y + 60);
    CExtPaintManager::PushButtonArgs_t pbaDrop(NULL, true, rcDrop, _T("Zoom"), NULL, true, true,
                                               false, false, true, false, false, false, 0, NULL,
                                               true, 0, false);
    pPM->DrawPushButton(dc, pbaDrop);
}

bool FindPngEncoder(CLSID& clsid)
{
    UINT nCount = 0, nSize = 0;
    if (Gdiplus::GetImageEncodersSize(&nCount, &nSize) != Gdiplus::Ok || nSize == 0)
        return false;
    std::vector<BYTE> buffer(nSize);
    Gdiplus::ImageCodecInfo* pInfo = (Gdiplus::ImageCodecInfo*)buffer.data();
    if (Gdiplus::GetImageEncoders(nCount, nSize, pInfo) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(pInfo[i].MimeType, L"image/png") == 0)
        {
            clsid = pInfo[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

TEST(PopupSheet, BothLooksAreWrittenAsAPicture)
{
    ULONG_PTR nToken = 0;
    Gdiplus::GdiplusStartupInput input;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&nToken, &input, NULL));
    CPopupTestReceiver receiver;
    CPixelCanvas sheet(3 * kCellWidth, 2 * kCellHeight, RGB(255, 255, 255));
    std::vector<COLORREF> panelPixels[2];
    for (int nLook = 0; nLook < 2; nLook++)
    {
        CInstalledLook look(nLook == 1);
        const int y = nLook * kCellHeight + 24;
        sheet.DC().TextOut(8, nLook * kCellHeight + 4,
                           nLook == 1 ? CString(_T("Flat look")) : CString(_T("Classic look")));
        CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
        ASSERT_TRUE(pMenu->LoadMenuResource(receiver.GetSafeHwnd(), IDR_POPUP_TEST_MENU, true));
        EXPECT_TRUE(PaintTrackedPopup(pMenu, sheet.DC(), 10, y));
        CExtPopupColorMenuWnd* pColor = new CExtPopupColorMenuWnd;
        ASSERT_TRUE(pColor->InitAsEmptyPopup(receiver.GetSafeHwnd()));
        pColor->m_nColorIdxCurr = 13;
        EXPECT_TRUE(PaintTrackedPopup(pColor, sheet.DC(), kCellWidth + 10, y));
        PaintToolbarRow(sheet.DC(), 2 * kCellWidth + 10, y + 10);
        ::GdiFlush();
        for (int yy = y; yy < y + 60; yy++)
            for (int xx = 2 * kCellWidth + 10; xx < 3 * kCellWidth - 20; xx++)
                panelPixels[nLook].push_back(sheet.DC().GetPixel(xx, yy));
    }
    // the two looks draw the toolbar differently
    EXPECT_FALSE(panelPixels[0] == panelPixels[1]);

    char szPath[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    ASSERT_GT(n, 0u);
    char* pSlash = strrchr(szPath, '\\');
    ASSERT_TRUE(pSlash != NULL);
    strcpy(pSlash + 1, "popup_sheet.png");
    CLSID clsidPng;
    ASSERT_TRUE(FindPngEncoder(clsidPng));
    {
        // a copy that no DC holds, as the picture library wants it
        CBitmap copy;
        CDC dcCopy;
        ASSERT_TRUE(copy.CreateCompatibleBitmap(&sheet.DC(), 3 * kCellWidth, 2 * kCellHeight));
        ASSERT_TRUE(dcCopy.CreateCompatibleDC(&sheet.DC()));
        CBitmap* pOld = dcCopy.SelectObject(&copy);
        dcCopy.BitBlt(0, 0, 3 * kCellWidth, 2 * kCellHeight, &sheet.DC(), 0, 0, SRCCOPY);
        dcCopy.SelectObject(pOld);
        Gdiplus::Bitmap bitmap((HBITMAP)copy.GetSafeHandle(), NULL);
        wchar_t wszPath[MAX_PATH];
        ::MultiByteToWideChar(CP_ACP, 0, szPath, -1, wszPath, MAX_PATH);
        EXPECT_EQ(Gdiplus::Ok, bitmap.Save(wszPath, &clsidPng, NULL));
    }
    WIN32_FILE_ATTRIBUTE_DATA fad;
    ASSERT_TRUE(::GetFileAttributesExA(szPath, GetFileExInfoStandard, &fad));
    EXPECT_GT(fad.nFileSizeLow, 2000u);
    Gdiplus::GdiplusShutdown(nToken);
}
