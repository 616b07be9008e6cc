// test_text_font_scope.cpp - texts drawn while a font scope keeps their fonts: the pixels
// are those drawn without it, also after a text's font changed; scopes nest and belong to
// their thread.

#include "drawing_test_support.h"

#include "Elements.h"
#include "TextDraw.h"

#include <string.h>

#include <memory>
#include <vector>

namespace
{
std::unique_ptr<CText> MakeText()
{
    std::unique_ptr<CText> p(new CText(CPoint(10, 10), CPoint(390, 140)));
    p->m_strText = "Quorvane 42 Harbour";
    p->m_clrText = 0xFF2040A0;
    return p;
}

void SetFont(CElement* p, const char* pszFace, LONG nHeight, LONG nWeight = FW_NORMAL,
             BYTE nItalic = 0, BYTE nUnderline = 0)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = nItalic;
    lf.lfUnderline = nUnderline;
    lf.lfPitchAndFamily = 32;
    lstrcpynA(lf.lfFaceName, pszFace, LF_FACESIZE);
    p->m_font.DeleteObject();
    p->m_font.CreateFontIndirect(&lf);
}

std::vector<DWORD> PixelsOf(CElement* p)
{
    const int w = 400, h = 150;
    CCanvas canvas(w, h);
    DrawElement(canvas.G(), p);
    canvas.G()->Flush(Gdiplus::FlushIntentionSync);
    std::vector<DWORD> pixels((size_t)w * h, 0);
    Gdiplus::Rect rc(0, 0, w, h);
    Gdiplus::BitmapData data;
    if (canvas.Bitmap()->LockBits(&rc, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) ==
        Gdiplus::Ok)
    {
        for (int y = 0; y < h; y++)
            memcpy(&pixels[(size_t)y * w], (BYTE*)data.Scan0 + y * data.Stride, (size_t)w * 4);
        canvas.Bitmap()->UnlockBits(&data);
    }
    return pixels;
}

struct CFontCase
{
    const char* pszFace;
    LONG nHeight, nWeight;
    BYTE nItalic, nUnderline;
};

const CFontCase kFonts[] = {
    { "Arial Narrow", 12, FW_NORMAL, 0, 0 },
    { "Arial", 30, FW_BOLD, 0, 0 },
    { "Arial", 30, FW_BOLD, 0, 1 },
    { "Arial", 30, FW_NORMAL, 1, 0 },
    { "Times New Roman", 30, FW_NORMAL, 0, 0 },
};
const int kFontCount = (int)(sizeof(kFonts) / sizeof(kFonts[0]));

DWORD WINAPI ReadScopeOfThread(LPVOID pResult)
{
    *static_cast<CTextFontScope**>(pResult) = CTextFontScope::GetCurrent();
    return 0;
}
}

// One text whose font changes between drawings inside one scope draws, every time, the
// pixels of its current font drawn without a scope.
TEST(TextFontScope, ATextWhoseFontChangedDrawsItsNewFont)
{
    auto p = MakeText();
    std::vector<std::vector<DWORD>> expected;
    for (const CFontCase& f : kFonts)
    {
        SetFont(p.get(), f.pszFace, f.nHeight, f.nWeight, f.nItalic, f.nUnderline);
        expected.push_back(PixelsOf(p.get()));
    }
    for (int i = 1; i < kFontCount; i++)
        ASSERT_NE(expected[0], expected[i]) << "font case " << i << " draws like the first";

    CTextFontScope scope;
    // forwards, backwards and forwards again: every change is followed
    const int order[] = { 0, 1, 2, 3, 4, 3, 2, 1, 0, 4, 0 };
    for (int i : order)
    {
        const CFontCase& f = kFonts[i];
        SetFont(p.get(), f.pszFace, f.nHeight, f.nWeight, f.nItalic, f.nUnderline);
        EXPECT_EQ(expected[i], PixelsOf(p.get())) << "font case " << i;
    }
    // the underline is drawn by the text, not by its font: the underlined case shares
    // the font of the one without
    EXPECT_EQ(kFontCount - 1, scope.GetFontCount());
    // another text of a kept face, size and style shares its font
    auto q = MakeText();
    SetFont(q.get(), "Arial", -30, FW_BOLD);
    PixelsOf(q.get());
    EXPECT_EQ(kFontCount - 1, scope.GetFontCount());
}

TEST(TextFontScope, ScopesNestAndBelongToTheirThread)
{
    EXPECT_EQ(nullptr, CTextFontScope::GetCurrent());
    auto p = MakeText();
    {
        CTextFontScope outer;
        EXPECT_EQ(&outer, CTextFontScope::GetCurrent());
        {
            CTextFontScope inner;
            EXPECT_EQ(&inner, CTextFontScope::GetCurrent());
            PixelsOf(p.get());
            EXPECT_EQ(1, inner.GetFontCount());
            EXPECT_EQ(0, outer.GetFontCount());
        }
        EXPECT_EQ(&outer, CTextFontScope::GetCurrent());
        PixelsOf(p.get());
        EXPECT_EQ(1, outer.GetFontCount());

        // another thread sees no scope of this one
        CTextFontScope* pSeen = &outer;
        HANDLE hThread = ::CreateThread(NULL, 0, ReadScopeOfThread, &pSeen, 0, NULL);
        ASSERT_NE((HANDLE)NULL, hThread);
        ::WaitForSingleObject(hThread, INFINITE);
        ::CloseHandle(hThread);
        EXPECT_EQ(nullptr, pSeen);
    }
    EXPECT_EQ(nullptr, CTextFontScope::GetCurrent());
}

// A scope keeps a bounded number of fonts; texts beyond them still draw their own font.
TEST(TextFontScope, TextsBeyondTheKeptFontsStillDraw)
{
    auto p = MakeText();
    SetFont(p.get(), "Arial", 80);
    const std::vector<DWORD> expected = PixelsOf(p.get());
    CTextFontScope scope;
    for (LONG nHeight = 1; nHeight <= 80; nHeight++)
    {
        SetFont(p.get(), "Arial", nHeight);
        PixelsOf(p.get());
    }
    EXPECT_LT(scope.GetFontCount(), 80);
    EXPECT_EQ(expected, PixelsOf(p.get()));
}
