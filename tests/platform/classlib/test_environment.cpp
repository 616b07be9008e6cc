// The test environment itself: code page, windows without a display, fonts.
#include <windows.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

TEST(Environment, AnsiCodePageIs1252)
{
    EXPECT_EQ(1252u, GetACP());
}

static LRESULT CALLBACK CountingProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 7)
        return (LRESULT)lParam * 2;
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

TEST(Environment, WindowsAreCreatedAndGetMessages)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "EnvTestWnd";
    ASSERT_NE(0, RegisterClassA(&wc));
    HWND hWnd = CreateWindowA("EnvTestWnd", "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
        NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hWnd != NULL);
    EXPECT_EQ(42, SendMessageA(hWnd, WM_USER + 7, 0, 21));
    DestroyWindow(hWnd);
}

TEST(Environment, ArialResolvesToAnInstalledFamily)
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&token, &input, NULL));
    {
        Gdiplus::FontFamily arial(L"Arial");
        EXPECT_EQ(Gdiplus::Ok, arial.GetLastStatus());
        Gdiplus::FontFamily narrow(L"Arial Narrow");
        EXPECT_EQ(Gdiplus::Ok, narrow.GetLastStatus());

        // Text really reaches the pixels.
        Gdiplus::Bitmap bmp(120, 40, PixelFormat32bppARGB);
        Gdiplus::Graphics g(&bmp);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        Gdiplus::Font font(&arial, 20, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
        g.DrawString(L"Hello", -1, &font, Gdiplus::PointF(2, 2), &black);
        int dark = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 120; ++x)
            {
                Gdiplus::Color c;
                bmp.GetPixel(x, y, &c);
                if (c.GetR() < 128)
                    ++dark;
            }
        EXPECT_GT(dark, 20);
    }
    Gdiplus::GdiplusShutdown(token);

    // Wine's own Tahoma is there for the UI.
    HDC hDC = CreateCompatibleDC(NULL);
    HFONT hFont = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
    HGDIOBJ hOld = SelectObject(hDC, hFont);
    char face[LF_FACESIZE] = "";
    GetTextFaceA(hDC, LF_FACESIZE, face);
    SelectObject(hDC, hOld);
    DeleteObject(hFont);
    DeleteDC(hDC);
    EXPECT_STREQ("Tahoma", face);
}
