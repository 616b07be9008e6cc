// Dock markers: picture files, leaf placement, composite layouts, regions, hot pictures,
// window creation through the bars' link and CreateDockMarkerWnd.

#include "test_paint_support.h"

#include <vector>

typedef CExtPaintManager PM;
typedef CExtPaintManager::DockMarker Marker;

namespace
{

const COLORREF KEY = RGB(0, 255, 0);

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
    HDC hDC = ::CreateCompatibleDC(NULL);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    COLORREF clr = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return clr;
}

double Lightness(COLORREF clr)
{
    double h, l, s;
    PM::RGBtoHLS(clr, &h, &l, &s);
    return l;
}

// What the fake marker-window factory was given.
struct MarkerCall
{
    int nType;
    CRect rc;
    HWND hWndValue;
};

std::vector<MarkerCall> g_calls;
int g_nFailEvery = 0;      // refuse every n-th window (0: none)
int g_nDestroyCalls = 0;
char g_fakeWindows[32];

CExtDynDockMarkerWnd* FakeCreate(HWND hWndValue, int nType, HBITMAP hNormal, HBITMAP hHot,
                                 HRGN hRgn, const RECT& rc)
{
    EXPECT_NE((HBITMAP)NULL, hNormal);
    EXPECT_NE((HBITMAP)NULL, hHot);
    EXPECT_NE((HRGN)NULL, hRgn);
    // The factory owns the handles.
    ::DeleteObject(hNormal);
    ::DeleteObject(hHot);
    ::DeleteObject(hRgn);
    g_calls.push_back(MarkerCall{ nType, CRect(rc), hWndValue });
    if (g_nFailEvery != 0 && g_calls.size() % g_nFailEvery == 0)
        return NULL;
    return reinterpret_cast<CExtDynDockMarkerWnd*>(&g_fakeWindows[g_calls.size() % 32]);
}

void FakeDestroy(CPtrArray& arr)
{
    g_nDestroyCalls++;
    arr.RemoveAll();
}

// Installs the fake factory for the lifetime of the object.
class CFakeMarkerWindows
{
public:
    CFakeMarkerWindows() : m_saved(PM::g_BarLinks)
    {
        g_calls.clear();
        g_nFailEvery = 0;
        g_nDestroyCalls = 0;
        PM::g_BarLinks.m_pfnCreateDockMarkerWnd = FakeCreate;
        PM::g_BarLinks.m_pfnDestroyMarkerArray = FakeDestroy;
    }
    ~CFakeMarkerWindows() { PM::g_BarLinks = m_saved; }

private:
    PM::BarLinks_t m_saved;
};

} // namespace

TEST(DockMarker, PictureFilesHaveTheirFixedSizes)
{
    UINT nSize = 0;
    const BYTE* pData = Marker::GetPictureData(0, &nSize);
    ASSERT_NE((const BYTE*)NULL, pData);
    EXPECT_EQ(4014u, nSize);
    EXPECT_EQ('B', pData[0]);
    EXPECT_EQ('M', pData[1]);
    const BITMAPFILEHEADER* pFile = (const BITMAPFILEHEADER*)pData;
    EXPECT_EQ(4014u, pFile->bfSize);
    EXPECT_EQ(54u, pFile->bfOffBits);
    const BITMAPINFOHEADER* pInfo = (const BITMAPINFOHEADER*)(pData + 14);
    EXPECT_EQ(43, pInfo->biWidth);
    EXPECT_EQ(30, pInfo->biHeight);
    EXPECT_EQ(24, pInfo->biBitCount);
    EXPECT_EQ(3780, pInfo->biXPelsPerMeter);
    Marker::GetPictureData(1, &nSize);
    EXPECT_EQ(4014u, nSize);
    Marker::GetPictureData(2, &nSize);
    EXPECT_EQ(4010u, nSize);
    Marker::GetPictureData(3, &nSize);
    EXPECT_EQ(4010u, nSize);
    Marker::GetPictureData(4, &nSize);
    EXPECT_EQ(20970u, nSize);
    Marker::GetPictureData(8, &nSize);
    EXPECT_EQ(3354u, nSize);
    EXPECT_EQ((const BYTE*)NULL, Marker::GetPictureData(5, &nSize));
    EXPECT_EQ(0u, nSize);
}

TEST(DockMarker, LeavesArePlacedByTheirType)
{
    const CRect rc(0, 0, 200, 200);
    struct Case
    {
        int nType;
        CRect rcExpected;
    };
    const Case cases[] = { { 0, CRect(78, 0, 121, 30) },    { 1, CRect(78, 170, 121, 200) },
                           { 2, CRect(0, 78, 30, 121) },    { 3, CRect(170, 78, 200, 121) },
                           { 4, CRect(58, 58, 141, 141) },  { 8, CRect(83, 83, 116, 116) } };
    for (const Case& c : cases)
    {
        Marker marker(c.nType, &rc);
        EXPECT_EQ(c.nType, marker.m_eMarkerType);
        EXPECT_EQ(c.rcExpected, marker.m_rcScreen) << c.nType;
        EXPECT_EQ(c.rcExpected.Size(), marker.m_size);
        EXPECT_NE((HGDIOBJ)NULL, marker.m_bmpNormal.GetSafeHandle());
        EXPECT_NE((HGDIOBJ)NULL, marker.m_bmpHot.GetSafeHandle());
        EXPECT_NE(marker.m_bmpNormal.GetSafeHandle(), marker.m_bmpHot.GetSafeHandle());
        EXPECT_EQ(0, marker.m_arrChildren.GetSize());
    }
}

TEST(DockMarker, CompassLayout)
{
    Marker marker;
    ASSERT_TRUE(marker.Build(6, CRect(0, 0, 200, 200)));
    EXPECT_EQ(6, marker.m_eMarkerType);
    EXPECT_EQ((HGDIOBJ)NULL, marker.m_bmpNormal.GetSafeHandle());
    ASSERT_EQ(5, marker.m_arrChildren.GetSize());
    EXPECT_EQ(4, marker.m_arrChildren[0]->m_eMarkerType) << "the cross comes first";
    EXPECT_EQ(CRect(58, 58, 141, 141), marker.m_arrChildren[0]->m_rcScreen);
    // Edge markers inside (52, 52)-(147, 147).
    EXPECT_EQ(CRect(78, 52, 121, 82), marker.m_arrChildren[1]->m_rcScreen);
    EXPECT_EQ(CRect(78, 117, 121, 147), marker.m_arrChildren[2]->m_rcScreen);
    EXPECT_EQ(CRect(52, 78, 82, 121), marker.m_arrChildren[3]->m_rcScreen);
    EXPECT_EQ(CRect(117, 78, 147, 121), marker.m_arrChildren[4]->m_rcScreen);

    ASSERT_TRUE(marker.Build(7, CRect(0, 0, 200, 200)));
    ASSERT_EQ(6, marker.m_arrChildren.GetSize());
    EXPECT_EQ(8, marker.m_arrChildren[5]->m_eMarkerType);
    EXPECT_EQ(CRect(83, 83, 116, 116), marker.m_arrChildren[5]->m_rcScreen);

    ASSERT_TRUE(marker.Build(5, CRect(10, 10, 310, 210)));
    ASSERT_EQ(4, marker.m_arrChildren.GetSize());
    EXPECT_EQ(CRect(10, 88, 40, 131), marker.m_arrChildren[2]->m_rcScreen);
}

TEST(DockMarker, UnknownTypesFailAndNoneSucceedsEmpty)
{
    Marker marker;
    EXPECT_FALSE(marker.Build(9, CRect(0, 0, 100, 100)));
    EXPECT_EQ(-1, marker.m_eMarkerType);
    EXPECT_FALSE(marker.Build(-2, CRect(0, 0, 100, 100)));
    EXPECT_TRUE(marker.Build(-1, CRect(0, 0, 100, 100)));
    EXPECT_EQ(-1, marker.m_eMarkerType);
    CPtrArray arr;
    EXPECT_TRUE(marker.CreateWindows(NULL, &arr));
    EXPECT_EQ(0, arr.GetSize());
    // Building again clears what was there.
    ASSERT_TRUE(marker.Build(7, CRect(0, 0, 200, 200)));
    ASSERT_TRUE(marker.Build(0, CRect(0, 0, 200, 200)));
    EXPECT_EQ(0, marker.m_arrChildren.GetSize());
    marker.Clear();
    EXPECT_EQ(CSize(0, 0), marker.m_size);
    EXPECT_TRUE(marker.m_rcScreen.IsRectEmpty());
}

TEST(DockMarker, RegionLeavesOutTheGreenAround)
{
    Marker marker(0, CRect(0, 0, 200, 200));
    HRGN hRgn = (HRGN)marker.m_rgn.GetSafeHandle();
    ASSERT_NE((HRGN)NULL, hRgn);
    HBITMAP hNormal = (HBITMAP)marker.m_bmpNormal.GetSafeHandle();
    EXPECT_EQ(KEY, PixelOf(hNormal, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(hRgn, 42, 29));
    EXPECT_TRUE(::PtInRegion(hRgn, 21, 1)) << "the tip";
    EXPECT_TRUE(::PtInRegion(hRgn, 21, 20));
    int nInside = 0, nGreen = 0;
    for (int y = 0; y < 30; y++)
        for (int x = 0; x < 43; x++)
        {
            bool bGreen = PixelOf(hNormal, x, y) == KEY;
            nGreen += bGreen ? 1 : 0;
            nInside += ::PtInRegion(hRgn, x, y) ? 1 : 0;
            EXPECT_EQ(!bGreen, ::PtInRegion(hRgn, x, y) != FALSE) << x << "," << y;
        }
    EXPECT_EQ(43 * 30, nInside + nGreen);
    EXPECT_GT(nGreen, 100);
}

TEST(DockMarker, HotPictureIsLighterAndKeepsTheGreen)
{
    Marker top(0, CRect(0, 0, 200, 200));
    HBITMAP hNormal = (HBITMAP)top.m_bmpNormal.GetSafeHandle();
    HBITMAP hHot = (HBITMAP)top.m_bmpHot.GetSafeHandle();
    EXPECT_EQ(KEY, PixelOf(hHot, 0, 0));
    COLORREF clrNormal = PixelOf(hNormal, 21, 8), clrHot = PixelOf(hHot, 21, 8);
    EXPECT_NE(KEY, clrNormal);
    EXPECT_GT(Lightness(clrHot), Lightness(clrNormal) + 0.1);
    EXPECT_GT(GetBValue(clrNormal), GetRValue(clrNormal)) << "blue shapes";

    // The centre cross is left as it is.
    Marker cross(4, CRect(0, 0, 200, 200));
    EXPECT_EQ(PixelOf((HBITMAP)cross.m_bmpNormal.GetSafeHandle(), 41, 10),
              PixelOf((HBITMAP)cross.m_bmpHot.GetSafeHandle(), 41, 10));

    // At 256 colours both pictures are greyed.
    CForcedScreenDepth depth(8);
    Marker grey(1, CRect(0, 0, 200, 200));
    COLORREF clrGrey = PixelOf((HBITMAP)grey.m_bmpNormal.GetSafeHandle(), 21, 20);
    EXPECT_EQ(GetRValue(clrGrey), GetGValue(clrGrey));
    EXPECT_EQ(GetGValue(clrGrey), GetBValue(clrGrey));
    EXPECT_EQ(KEY, PixelOf((HBITMAP)grey.m_bmpNormal.GetSafeHandle(), 0, 0));
}

TEST(DockMarker, CreateWindowsHandsEveryLeafToAWindow)
{
    CFakeMarkerWindows fake;
    Marker marker(7, CRect(0, 0, 200, 200));
    CPtrArray arr;
    HWND hValue = (HWND)(INT_PTR)0x1234;
    EXPECT_TRUE(marker.CreateWindows(hValue, &arr));
    ASSERT_EQ(6u, g_calls.size());
    EXPECT_EQ(6, arr.GetSize());
    const int types[6] = { 4, 0, 1, 2, 3, 8 };
    for (int i = 0; i < 6; i++)
    {
        EXPECT_EQ(types[i], g_calls[i].nType);
        EXPECT_EQ(hValue, g_calls[i].hWndValue);
    }
    EXPECT_EQ(CRect(78, 52, 121, 82), g_calls[1].rc);
    // The handles went to the windows; the leaves are cleared.
    EXPECT_EQ((HGDIOBJ)NULL, marker.m_arrChildren[0]->m_bmpNormal.GetSafeHandle());
    EXPECT_EQ(-1, marker.m_arrChildren[0]->m_eMarkerType);
}

TEST(DockMarker, AFailedWindowFailsTheWholeButEveryLeafIsTried)
{
    CFakeMarkerWindows fake;
    g_nFailEvery = 2;
    Marker marker(6, CRect(0, 0, 200, 200));
    CPtrArray arr;
    EXPECT_FALSE(marker.CreateWindows(NULL, &arr));
    EXPECT_EQ(5u, g_calls.size());
    EXPECT_EQ(3, arr.GetSize()) << "only windows that exist are kept";

    // Without the bars' factory no window can be made.
    PM::g_BarLinks.m_pfnCreateDockMarkerWnd = NULL;
    Marker single(0, CRect(0, 0, 100, 100));
    CPtrArray none;
    EXPECT_FALSE(single.CreateWindows(NULL, &none));
    EXPECT_EQ(0, none.GetSize());
}

TEST(DockMarker, CreateDockMarkerWndEmptiesTheArrayFirst)
{
    CFakeMarkerWindows fake;
    auto pPM = MakePaintManager(true);
    CPtrArray arr;
    arr.Add(&g_fakeWindows[0]);
    EXPECT_TRUE(pPM->CreateDockMarkerWnd(NULL, 5, CRect(0, 0, 300, 300), &arr));
    EXPECT_EQ(1, g_nDestroyCalls);
    EXPECT_EQ(4, arr.GetSize());
    EXPECT_FALSE(pPM->CreateDockMarkerWnd(NULL, 12, CRect(0, 0, 300, 300), &arr));
    EXPECT_EQ(2, g_nDestroyCalls);
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_TRUE(pPM->CreateDockMarkerWnd(NULL, -1, CRect(0, 0, 300, 300), &arr));
    EXPECT_EQ(0, arr.GetSize());
    EXPECT_FALSE(pPM->CreateDockMarkerWnd(NULL, 0, CRect(0, 0, 300, 300), NULL));
}
