// test_text_drawing.cpp - texts: colour, alignment, rotation, vertical text, fonts, long
// texts, missing font families and cell placement.

#include "drawing_test_support.h"

#include "Elements.h"
#include "TextDraw.h"

#include <string.h>

#include <memory>
#include <string>

using namespace Gdiplus;

namespace
{
// A red text "HHHH" in (20, 20)-(380, 120) with the default font.
template <class T = CText>
std::unique_ptr<T> MakeText(const char* pszText = "HHHH")
{
    std::unique_ptr<T> p(new T(CPoint(20, 20), CPoint(380, 120)));
    p->m_strText = pszText;
    p->m_clrText = RED;
    return p;
}

void SetFont(CElement* p, const char* pszFace, LONG nHeight, LONG nWeight = FW_NORMAL,
             BYTE nItalic = 0, BYTE nUnderline = 0, BYTE nStrikeOut = 0)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = nItalic;
    lf.lfUnderline = nUnderline;
    lf.lfStrikeOut = nStrikeOut;
    lf.lfPitchAndFamily = 32;
    lstrcpynA(lf.lfFaceName, pszFace, LF_FACESIZE);
    p->m_font.DeleteObject();
    p->m_font.CreateFontIndirect(&lf);
}

CRect InkOf(CElement* p, int nWidth = 400, int nHeight = 300)
{
    CCanvas canvas(nWidth, nHeight);
    DrawElement(canvas.G(), p);
    return canvas.InkBounds();
}

int InkCount(CElement* p)
{
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p);
    return canvas.Ink();
}
}

TEST(TextDrawing, DefaultTextDrawsAtTheTopLeftInItsColour)
{
    auto p = MakeText();
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    const CRect ink = canvas.InkBounds();
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GE(ink.left, 20);
    EXPECT_LT(ink.left, 26);
    EXPECT_GE(ink.top, 20);
    EXPECT_LT(ink.top, 30);
    // 12 points of a narrow face: four capitals stay well within 60 units.
    EXPECT_LT(ink.right, 80);
    EXPECT_LT(ink.bottom, 40);
    // The ink is the text colour (smoothed edges mix it with the background only).
    EXPECT_GT(canvas.Count(RED, 60), 20);
    EXPECT_EQ(0, canvas.Count(BLUE, 100));
    EXPECT_EQ(0, canvas.Count(GREEN, 100));
}

TEST(TextDrawing, ColourIsTheTextColour)
{
    auto p = MakeText();
    p->m_clrText = BLUE;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_GT(canvas.Count(BLUE, 60), 20);
    EXPECT_EQ(0, canvas.Count(RED, 100));
}

TEST(TextDrawing, HorizontalAndLineAlignment)
{
    auto p = MakeText();
    p->m_nHAlign = 2;
    CRect ink = InkOf(p.get());
    EXPECT_GT(ink.right, 370);
    EXPECT_LE(ink.right, 380);
    EXPECT_LT(ink.top, 30);

    p->m_nHAlign = 1;
    ink = InkOf(p.get());
    EXPECT_NEAR(200, ink.CenterPoint().x, 3);

    p->m_nHAlign = 0;
    p->m_nVAlign = 2;
    ink = InkOf(p.get());
    EXPECT_GT(ink.bottom, 105);
    EXPECT_LE(ink.bottom, 120);
    EXPECT_LT(ink.left, 26);

    p->m_nVAlign = 1;
    ink = InkOf(p.get());
    EXPECT_NEAR(70, ink.CenterPoint().y, 4);
}

TEST(TextDrawing, AlignmentValuesOutsideTheTableDrawNear)
{
    auto p = MakeText();
    const CRect rcNear = InkOf(p.get());
    p->m_nHAlign = 3;
    p->m_nVAlign = -1;
    EXPECT_EQ(rcNear, InkOf(p.get()));
}

TEST(TextDrawing, RotationTurnsTheTextAboutTheRectangleCentre)
{
    auto p = MakeText("HHHHHHHHHHHH");
    p->m_nHAlign = 1;
    p->m_nVAlign = 1;
    const CRect flat = InkOf(p.get());
    EXPECT_GT(flat.Width(), 2 * flat.Height());

    p->m_nAngle = 90;
    const CRect turned = InkOf(p.get());
    EXPECT_GT(turned.Height(), 2 * turned.Width());
    EXPECT_NEAR(200, turned.CenterPoint().x, 4);
    EXPECT_NEAR(70, turned.CenterPoint().y, 4);
    EXPECT_NEAR(flat.Width(), turned.Height(), 3);

    p->m_nAngle = 0;
    EXPECT_EQ(flat, InkOf(p.get()));
}

// At 90 degrees the text reads bottom to top: its first letter lies at the bottom.
TEST(TextDrawing, TextAtNinetyDegreesReadsBottomToTop)
{
    auto p = MakeText("IIIIIIWWWWWW");
    p->m_nHAlign = 1;
    p->m_nVAlign = 1;
    p->m_nAngle = 90;
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    const CRect ink = canvas.InkBounds();
    const int nMid = ink.CenterPoint().y;
    // The wide W's of the end carry more ink than the I's of the start.
    EXPECT_GT(canvas.Ink(0, 0, 400, nMid), canvas.Ink(0, nMid, 400, 300));
}

TEST(TextDrawing, VerticalTextRunsDownFromTheTopRight)
{
    auto p = MakeText("HHHHHH");
    p->m_rect.SetRect(20, 20, 120, 280);
    p->m_bVertical = TRUE;
    const CRect ink = InkOf(p.get());
    EXPECT_GT(ink.Height(), 2 * ink.Width());
    EXPECT_LT(ink.top, 26);
    EXPECT_GT(ink.right, 105);
    EXPECT_LE(ink.right, 121);
    // A second line follows to the left of the first.
    p->m_strText = "HHHHHH\r\nHHHHHH";
    const CRect two = InkOf(p.get());
    EXPECT_EQ(ink.right, two.right);
    EXPECT_LT(two.left, ink.left - 8);
}

TEST(TextDrawing, WeightSevenHundredOnlyIsBold)
{
    auto p = MakeText("HHHHHHHH");
    SetFont(p.get(), "Arial Narrow", 12, 400);
    const int nRegular = InkCount(p.get());
    SetFont(p.get(), "Arial Narrow", 12, 600);
    EXPECT_EQ(nRegular, InkCount(p.get()));
    SetFont(p.get(), "Arial Narrow", 12, 800);
    EXPECT_EQ(nRegular, InkCount(p.get()));
    SetFont(p.get(), "Arial Narrow", 12, 700);
    EXPECT_GT(InkCount(p.get()), nRegular * 11 / 10);
}

TEST(TextDrawing, UnderlineAndStrikeOutAddInk)
{
    auto p = MakeText("HHHHHHHH");
    const int nPlain = InkCount(p.get());
    const CRect plain = InkOf(p.get());
    // The underline runs under the letters, as wide as the line.
    SetFont(p.get(), "Arial Narrow", 12, 400, 0, 1);
    EXPECT_GT(InkCount(p.get()), nPlain + plain.Width() / 2);
    CRect ink = InkOf(p.get());
    EXPECT_GT(ink.bottom, plain.bottom);
    EXPECT_LE(ink.bottom, plain.bottom + 5);
    EXPECT_NEAR(plain.left, ink.left, 2);
    EXPECT_NEAR(plain.right, ink.right, 2);
    // The strike-out bar crosses the letters.
    SetFont(p.get(), "Arial Narrow", 12, 400, 0, 0, 1);
    EXPECT_GT(InkCount(p.get()), nPlain);
    ink = InkOf(p.get());
    EXPECT_NEAR(plain.top, ink.top, 1);
    EXPECT_NEAR(plain.bottom, ink.bottom, 1);
    SetFont(p.get(), "Arial Narrow", 12, 400, 2, 2, 2);   // only 1 switches a style on
    EXPECT_EQ(nPlain, InkCount(p.get()));
}

TEST(TextDrawing, HeightIsTheSizeInPoints)
{
    auto p = MakeText("H");
    SetFont(p.get(), "Arial", 12);
    const CRect rcSmall = InkOf(p.get());
    SetFont(p.get(), "Arial", 36);
    const CRect rcLarge = InkOf(p.get());
    EXPECT_NEAR(3.0, (double)rcLarge.Height() / rcSmall.Height(), 0.4);
    // A negative height counts by its size; 0 gives the default.
    SetFont(p.get(), "Arial", -36);
    EXPECT_EQ(rcLarge, InkOf(p.get()));
    SetFont(p.get(), "Arial", 0);
    EXPECT_EQ(rcSmall, InkOf(p.get()));
}

TEST(TextDrawing, MissingFontFamilyIsDrawnWithASubstitute)
{
    auto p = MakeText();
    SetFont(p.get(), "No Such Family Quorvane", 12);
    CCanvas canvas(400, 300);
    DrawElement(canvas.G(), p.get());
    EXPECT_GT(canvas.Count(RED, 60), 20);
    EXPECT_LT(canvas.InkBounds().left, 26);
}

TEST(TextDrawing, TextsLongerThan255CharactersAreDrawnWhole)
{
    // Narrow letters wrap into lines; 300 letters need more lines than 254.
    auto p = MakeText(std::string(254, 'H').c_str());
    p->m_rect.SetRect(0, 0, 400, 300);
    const CRect shorter = InkOf(p.get());
    p->m_strText = std::string(300, 'H').c_str();
    const CRect longer = InkOf(p.get());
    EXPECT_GT(longer.bottom, shorter.bottom + 5);
}

// Lines typed in a multi-line edit end in CR LF: two lines, no CR drawn as a character.
TEST(TextDrawing, CarriageReturnLineFeedBreaksTheLine)
{
    auto p = MakeText("HHHH\r\nHHHH");
    const CRect crlf = InkOf(p.get());
    p->m_strText = "HHHH\nHHHH";
    const CRect lf = InkOf(p.get());
    EXPECT_EQ(lf, crlf);
    EXPECT_EQ(2 * InkCount(MakeText("HHHH").get()), InkCount(p.get()));
    p->m_strText = "HHHH\rHHHH";
    EXPECT_EQ(lf, InkOf(p.get()));
}

TEST(TextDrawing, CellPlacementMovesTheText)
{
    auto p = MakeText();
    const CRect home = InkOf(p.get());
    CCanvas canvas(400, 300);
    DrawElementInCell(canvas.G(), p.get(), 2, 2, 0.1f, 0.2f, 0.05f, 0.1f, 150, 100);
    // 10 + 1 * (150 + 10) = 170 right, 20 + 1 * (100 + 5) = 125 down.
    CRect moved = home;
    moved.OffsetRect(170, 125);
    EXPECT_EQ(moved, canvas.InkBounds());
}

TEST(TextDrawing, DatabaseTextDrawsLikeText)
{
    auto t = MakeText<CText>();
    auto d = MakeText<CDbText>();
    EXPECT_EQ(InkOf(t.get()), InkOf(d.get()));
    EXPECT_EQ(InkCount(t.get()), InkCount(d.get()));
}

TEST(TextDrawing, TextsDrawNothingThroughDrawInCellAndResetTheTransform)
{
    auto p = MakeText();
    p->m_nAngle = 45;
    CCanvas canvas(400, 300);
    p->DrawInCell(canvas.G(), 1, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(0, canvas.Ink());
    canvas.G()->ScaleTransform(2, 2);
    p->DrawGraphics(canvas.G());
    Matrix m;
    canvas.G()->GetTransform(&m);
    EXPECT_TRUE(m.IsIdentity());
    EXPECT_GT(canvas.Ink(), 0);
}

TEST(TextDrawing, EmptyTextDrawsNothing)
{
    auto p = MakeText("");
    EXPECT_EQ(0, InkCount(p.get()));
}

/////////////////////////////////////////////////////////////////////////////
// Conversion and fonts

TEST(TextConversion, WholeTextWithItsRealLength)
{
    const std::string strLong(1000, 'x');
    EXPECT_EQ(1000u, AnsiToWide(strLong.c_str()).size());
    // Code page 1252: e-acute and the euro sign.
    const std::wstring w = AnsiToWide("caf\xE9 \x80");
    EXPECT_EQ(std::wstring(L"caf\u00E9 \u20AC"), w);
    EXPECT_EQ(3u, AnsiToWide("abcdef", 3).size());
    EXPECT_TRUE(AnsiToWide("").empty());
    EXPECT_TRUE(AnsiToWide(NULL).empty());
}

TEST(TextFonts, FamilyResolution)
{
    EXPECT_EQ(std::wstring(L"Arial"), ResolveFontFamilyName("Arial"));
    EXPECT_EQ(std::wstring(L"Tahoma"), ResolveFontFamilyName("Tahoma"));
    const std::wstring strSubstitute = ResolveFontFamilyName("No Such Family Quorvane");
    ASSERT_FALSE(strSubstitute.empty());
    FontFamily family(strSubstitute.c_str());
    EXPECT_EQ(Ok, family.GetLastStatus());
    // Asked again, the same answer.
    EXPECT_EQ(strSubstitute, ResolveFontFamilyName("No Such Family Quorvane"));

    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 12;
    lstrcpynA(lf.lfFaceName, "No Such Family Quorvane", LF_FACESIZE);
    Font* pFont = CreateTextFont(lf);
    ASSERT_NE(nullptr, pFont);
    EXPECT_EQ(Ok, pFont->GetLastStatus());
    EXPECT_FLOAT_EQ(12.0f, pFont->GetSize());
    EXPECT_EQ(UnitPoint, pFont->GetUnit());
    delete pFont;
}
