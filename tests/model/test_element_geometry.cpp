// Element geometry: construction defaults, rotated bounds, hit tests, cell placement,
// clones and the point lists of curves.

#include "model_test_support.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <cmath>

#include <functional>
#include <memory>

/////////////////////////////////////////////////////////////////////////////
// Rotated bounds and hit test

TEST(RotatedBounds, WorkedExamples)
{
    EXPECT_EQ(CRect(149, 0, 250, 200), GetRotatedBounds(100, 50, 300, 150, 90));
    EXPECT_EQ(CRect(99, 49, 300, 150), GetRotatedBounds(100, 50, 300, 150, 180));
    EXPECT_EQ(CRect(100, 50, 300, 150), GetRotatedBounds(100, 50, 300, 150, 360));
    EXPECT_EQ(CRect(100, 50, 300, 150), GetRotatedBounds(100, 50, 300, 150, -720));
    EXPECT_EQ(CRect(100, 50, 300, 150), GetRotatedBounds(100, 50, 300, 150, 0));
    EXPECT_EQ(CRect(-20, -20, 120, 120), GetRotatedBounds(0, 0, 100, 100, 45));
}

TEST(RotatedBounds, CentreIsHalvedTowardZero)
{
    // The centre of (-3, -3)-(0, 0) is (-1, -1), not (-2, -2): half a turn about it.
    EXPECT_EQ(CRect(-2, -2, 1, 1), GetRotatedBounds(-3, -3, 0, 0, 180));
}

TEST(HitTest, GrowsTheBoundsByThree)
{
    CRectangle rect(CPoint(0, 0), CPoint(100, 100));
    EXPECT_TRUE(rect.HitTest(CPoint(97, 50)));
    EXPECT_TRUE(rect.HitTest(CPoint(102, 50)));
    EXPECT_FALSE(rect.HitTest(CPoint(103, 50)));
    EXPECT_TRUE(rect.HitTest(CPoint(-3, 50)));
    EXPECT_FALSE(rect.HitTest(CPoint(-4, 50)));
    EXPECT_TRUE(rect.HitTest(CPoint(50, -3)));
    EXPECT_FALSE(rect.HitTest(CPoint(50, 103)));
}

TEST(HitTest, UsesTheRotatedBounds)
{
    CRectangle rect(CPoint(100, 50), CPoint(300, 150));
    EXPECT_FALSE(rect.HitTest(CPoint(200, 180)));
    rect.m_nAngle = 90;                       // bounds (149, 0)-(250, 200)
    EXPECT_TRUE(rect.HitTest(CPoint(200, 180)));
    EXPECT_FALSE(rect.HitTest(CPoint(120, 100)));
    EXPECT_TRUE(rect.HitTest(CPoint(146, 100)));
}

TEST(HitTest, CalloutIsNotHitOnItsTail)
{
    CCalloutBL callout(CPoint(1000, 1000), CPoint(2000, 1600));
    EXPECT_TRUE(callout.HitTest(CPoint(1500, 1602)));
    EXPECT_FALSE(callout.HitTest(CPoint(1100, 1800)));    // inside the drawn tail
}

/////////////////////////////////////////////////////////////////////////////
// Cell placement

TEST(CellOffset, WorkedExamples)
{
    EXPECT_EQ(CPoint(337, 470), GetCellOffset(2, 3, 0.25f, 0.5f, 0.1f, 0.125f, 300, 200));
    EXPECT_EQ(CPoint(50 + 2 * 520, 25 + 310), GetCellOffset(3, 2, 0.5f, 0.25f, 0.1f, 0.2f, 500, 300));
    EXPECT_EQ(CPoint(0, 0), GetCellOffset(1, 1, 0, 0, 0, 0, 0, 0));
}

TEST(CellOffset, TruncatesTowardZero)
{
    // 100 x 0.019 = 1.9 -> 1; -0.019 -> -1 (not -2).
    EXPECT_EQ(CPoint(1, -1), GetCellOffset(1, 1, 0.019f, -0.019f, 0, 0, 0, 0));
    EXPECT_EQ(CPoint(2 * (10 + 1), 0), GetCellOffset(3, 1, 0, 0, 0, 0.019f, 10, 10));
}

/////////////////////////////////////////////////////////////////////////////
// Kinds and construction

TEST(ElementKinds, ClassNamesMapToKindCodes)
{
    EXPECT_EQ(101, KindFromClassName("CLine"));
    EXPECT_EQ(121, KindFromClassName("CBkgImage"));
    EXPECT_EQ(212, KindFromClassName("CDbText"));
    EXPECT_EQ(211, KindFromClassName("CShapeSun"));
    EXPECT_EQ(99, KindFromClassName("CElement"));
    EXPECT_EQ(99, KindFromClassName("crectangle"));
    EXPECT_EQ(99, KindFromClassName("CRectangle2"));
    EXPECT_EQ(99, KindFromClassName(NULL));
}

namespace
{
struct Defaults
{
    const char* name;
    std::function<CElement*(CPoint, CPoint)> make;
    short kind;
    int fillKind;
    DWORD line, fill, pattern;
    BOOL transparent, shadow;
};

std::vector<Defaults> ShapeDefaults()
{
    const DWORD black = 0xFF000000, white = 0xFFFFFFFF, red = 0xFFFF0000, grey = 0xFF7F7F7F;
    const DWORD silver = 0xFFC0C0C0, blue = 0xFF0000FF, yellow = 0xFFFFFF00;
    return {
        { "CLine", [](CPoint a, CPoint b) { return new CLine(a, b); }, 101, 1, black, white, red, FALSE, FALSE },
        { "CRectangle", [](CPoint a, CPoint b) { return new CRectangle(a, b); }, 102, 1, black, white, red, FALSE, FALSE },
        { "CCircle", [](CPoint a, CPoint b) { return new CCircle(a, b); }, 103, 1, black, white, red, FALSE, FALSE },
        { "CRhombus", [](CPoint a, CPoint b) { return new CRhombus(a, b); }, 105, 1, black, white, red, FALSE, FALSE },
        { "CRectRound", [](CPoint a, CPoint b) { return new CRectRound(a, b); }, 107, 1, black, white, red, FALSE, FALSE },
        { "CTriangle", [](CPoint a, CPoint b) { return new CTriangle(a, b); }, 108, 1, black, white, red, FALSE, FALSE },
        { "CFreehandLine", [](CPoint a, CPoint b) { return new CFreehandLine(a, b); }, 114, 1, black, white, red, TRUE, FALSE },
        { "CClosedCurve", [](CPoint a, CPoint b) { return new CClosedCurve(a, b); }, 120, 32, grey, white, grey, FALSE, TRUE },
        { "CCalloutBL", [](CPoint a, CPoint b) { return new CCalloutBL(a, b); }, 201, 32, grey, white, grey, FALSE, TRUE },
        { "CCalloutBR", [](CPoint a, CPoint b) { return new CCalloutBR(a, b); }, 202, 35, grey, white, grey, FALSE, TRUE },
        { "CShapeParallelo", [](CPoint a, CPoint b) { return new CShapeParallelo(a, b); }, 205, 28, silver, white, blue, FALSE, FALSE },
        { "CShapeArrowL", [](CPoint a, CPoint b) { return new CShapeArrowL(a, b); }, 206, 37, grey, white, yellow, FALSE, FALSE },
        { "CShapeStar", [](CPoint a, CPoint b) { return new CShapeStar(a, b); }, 207, 35, silver, white, blue, FALSE, FALSE },
        { "CShapeExplosion", [](CPoint a, CPoint b) { return new CShapeExplosion(a, b); }, 208, 32, grey, white, grey, FALSE, TRUE },
        { "CShapeMoon", [](CPoint a, CPoint b) { return new CShapeMoon(a, b); }, 209, 36, grey, white, 0xFF8080FF, FALSE, FALSE },
        { "CShapeArrowR", [](CPoint a, CPoint b) { return new CShapeArrowR(a, b); }, 210, 35, grey, white, yellow, FALSE, FALSE },
        { "CShapeSun", [](CPoint a, CPoint b) { return new CShapeSun(a, b); }, 211, 33, 0xFFFF7F00, 0xFFFF7F00, yellow, FALSE, FALSE },
    };
}
}

TEST(ElementConstruction, ShapeDefaultsAndNormalisedRectangle)
{
    for (const Defaults& d : ShapeDefaults())
    {
        SCOPED_TRACE(d.name);
        std::unique_ptr<CElement> p(d.make(CPoint(300, 200), CPoint(100, 50)));
        EXPECT_STREQ(d.name, p->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(d.kind, p->m_nKind);
        EXPECT_EQ(CRect(100, 50, 300, 200), p->m_rect);
        EXPECT_EQ(1, p->m_nLineWidth);
        EXPECT_EQ(0, p->m_nDashStyle);
        EXPECT_EQ(d.fillKind, p->m_nFillKind);
        EXPECT_EQ(d.line, p->m_clrLine);
        EXPECT_EQ(d.fill, p->m_clrFill);
        EXPECT_EQ(d.pattern, p->m_clrPattern);
        EXPECT_EQ(d.transparent, p->m_bTransparent);
        EXPECT_EQ(d.shadow, p->m_bShadow);
        EXPECT_EQ(1, p->m_nHAlign);
        EXPECT_EQ(1, p->m_nVAlign);
        EXPECT_FALSE(p->m_bVertical);
        EXPECT_EQ(0, p->m_nAngle);
        EXPECT_FALSE(p->m_bLocked);
        EXPECT_EQ(6, p->m_nShadowLength);
        EXPECT_EQ(0xFF000000u, p->m_clrShadow);
        EXPECT_EQ(0xFF000000u, p->m_clrText);
        EXPECT_TRUE(p->m_strText.IsEmpty());
        EXPECT_TRUE(p->m_strColumn.IsEmpty());
    }
}

TEST(ElementConstruction, LineDirectionDefaultsToDiagonalDown)
{
    CLine line(CPoint(0, 0), CPoint(10, 10));
    EXPECT_EQ(3, line.m_nLineDirection);
}

TEST(ElementConstruction, TextDefaults)
{
    for (int nClass = 0; nClass < 2; nClass++)
    {
        std::unique_ptr<CText> p(nClass == 0 ? new CText(CPoint(50, 60), CPoint(10, 20))
                                             : new CDbText(CPoint(50, 60), CPoint(10, 20)));
        EXPECT_EQ(nClass == 0 ? 115 : 212, p->m_nKind);
        EXPECT_EQ(CRect(10, 20, 50, 60), p->m_rect);
        EXPECT_EQ(0, p->m_nHAlign);
        EXPECT_EQ(0, p->m_nVAlign);
        EXPECT_FALSE(p->m_bVertical);
        EXPECT_FALSE(p->m_bShadow);
        EXPECT_EQ(0xFF000000u, p->m_clrText);
        EXPECT_TRUE(p->m_strText.IsEmpty());
        LOGFONT lf;
        ASSERT_NE(0, p->m_font.GetLogFont(&lf));
        EXPECT_EQ(12, lf.lfHeight);
        EXPECT_EQ(0, lf.lfWidth);
        EXPECT_EQ(400, lf.lfWeight);
        EXPECT_EQ(0, lf.lfItalic);
        EXPECT_EQ(0, lf.lfUnderline);
        EXPECT_EQ(0, lf.lfStrikeOut);
        EXPECT_EQ(0, lf.lfCharSet);
        EXPECT_EQ(32, lf.lfPitchAndFamily);
        EXPECT_STREQ("Arial Narrow", lf.lfFaceName);
    }
}

TEST(ElementConstruction, DefaultConstructorsGiveKindAndEmptyRectangle)
{
    CRectangle rect;
    EXPECT_EQ(102, rect.m_nKind);
    EXPECT_EQ(CRect(0, 0, 0, 0), rect.m_rect);
    EXPECT_EQ(0, rect.m_nLineWidth);
    CText text;
    LOGFONT lf;
    ASSERT_NE(0, text.m_font.GetLogFont(&lf));
    EXPECT_STREQ("Arial Narrow", lf.lfFaceName);
    CElement base;
    EXPECT_EQ(99, base.m_nKind);
}

/////////////////////////////////////////////////////////////////////////////
// Pictures: shrinking to fit

namespace
{
CPicturePtr MakePicture(int w, int h)
{
    return CPicturePtr(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
}
}

TEST(PictureConstruction, ShrinksBy08UntilItFitsTenUnitsInside)
{
    CBtImage big(CPoint(10, 10), CPoint(0, 0), MakePicture(1000, 500), 400, 200);
    EXPECT_EQ(CRect(10, 10, 10 + 327, 10 + 163), big.m_rect);
    EXPECT_EQ(116, big.m_nKind);
    EXPECT_EQ(0, big.m_nLineWidth);

    CBtImage fits(CPoint(10, 10), CPoint(0, 0), MakePicture(300, 100), 400, 200);
    EXPECT_EQ(CRect(10, 10, 310, 110), fits.m_rect);

    CBtImage narrow(CPoint(10, 10), CPoint(0, 0), MakePicture(391, 10), 400, 200);
    EXPECT_EQ(CRect(10, 10, 322, 18), narrow.m_rect);
}

TEST(PictureConstruction, UndecodablePictureGivesAnEmptyElement)
{
    CBtImage none(CPoint(10, 10), CPoint(0, 0), CPicturePtr(), 400, 200);
    EXPECT_EQ(CRect(10, 10, 10, 10), none.m_rect);
}

TEST(PictureConstruction, TinyFitSizeEndsAtSizeZero)
{
    CBtImage tiny(CPoint(10, 10), CPoint(0, 0), MakePicture(50, 40), 5, 5);
    EXPECT_EQ(CRect(10, 10, 10, 10), tiny.m_rect);
}

TEST(PictureConstruction, BackgroundCoversTheDesign)
{
    CBkgImage bkg(MakePicture(20, 20), 400, 200);
    EXPECT_EQ(121, bkg.m_nKind);
    EXPECT_EQ(CRect(0, 0, 400, 200), bkg.m_rect);
}

TEST(PictureConstruction, LoadPictureFileDecodesAndRefusesJunk)
{
    // A 3 x 2 BMP written by GDI+ itself.
    CTempFile bmpFile;
    {
        Gdiplus::Bitmap bmp(3, 2, PixelFormat24bppRGB);
        bmp.SetPixel(2, 1, Gdiplus::Color(255, 10, 200, 30));
        CLSID clsid;
        UINT num = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&num, &size);
        std::vector<BYTE> buf(size);
        Gdiplus::ImageCodecInfo* codecs = (Gdiplus::ImageCodecInfo*)buf.data();
        Gdiplus::GetImageEncoders(num, size, codecs);
        bool found = false;
        for (UINT i = 0; i < num; i++)
            if (wcscmp(codecs[i].MimeType, L"image/bmp") == 0)
                clsid = codecs[i].Clsid, found = true;
        ASSERT_TRUE(found);
        wchar_t wpath[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, bmpFile.Path(), -1, wpath, MAX_PATH);
        ASSERT_EQ(Gdiplus::Ok, bmp.Save(wpath, &clsid, NULL));
    }
    std::unique_ptr<Gdiplus::Bitmap> pLoaded(LoadPictureFile(bmpFile.Path()));
    ASSERT_TRUE(pLoaded != NULL);
    EXPECT_EQ(3u, pLoaded->GetWidth());
    EXPECT_EQ(2u, pLoaded->GetHeight());
    Gdiplus::Color c;
    pLoaded->GetPixel(2, 1, &c);
    EXPECT_EQ(0xFF0AC81Eu, c.GetValue());

    CTempFile junk;
    junk.Write(ByteVec(100, 0x42));
    // Undecodable data is refused, never an invisible empty picture.
    std::unique_ptr<Gdiplus::Bitmap> pJunk(LoadPictureFile(junk.Path()));
    EXPECT_TRUE(pJunk == NULL);

    EXPECT_TRUE(LoadPictureFile("Z:\\no\\such\\picture.bmp") == NULL);
}

/////////////////////////////////////////////////////////////////////////////
// Clone

TEST(Clone, CopiesAttributesButNotLockOrShadowLength)
{
    for (const Defaults& d : ShapeDefaults())
    {
        SCOPED_TRACE(d.name);
        std::unique_ptr<CElement> p(d.make(CPoint(0, 0), CPoint(10, 10)));
        SetCommonValues(p.get(), 1);
        p->m_clrFill = 0xFF445566 + 1;
        p->m_clrText = 0x40ABCDEF;
        p->m_bLocked = TRUE;
        p->m_nShadowLength = 15;
        p->m_clrShadow = 0xFF123456;
        p->m_strText = "kept";
        p->m_nHAlign = 2;
        std::unique_ptr<CElement> c(p->Clone());
        EXPECT_STREQ(d.name, c->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(d.kind, c->m_nKind);
        ExpectCommonValues(c.get(), 1);
        EXPECT_EQ(0x40ABCDEFu, c->m_clrText);     // a clone's colours keep their alpha
        EXPECT_FALSE(c->m_bLocked);
        EXPECT_EQ(6, c->m_nShadowLength);
        EXPECT_EQ(0xFF123456u, c->m_clrShadow);
        EXPECT_STREQ("kept", c->m_strText);
        EXPECT_EQ(2, c->m_nHAlign);
    }
}

TEST(Clone, LineKeepsItsDirection)
{
    CLine line(CPoint(0, 0), CPoint(10, 10));
    line.m_nLineDirection = 1;
    std::unique_ptr<CElement> c(line.Clone());
    EXPECT_EQ(1, c->m_nLineDirection);
}

TEST(Clone, TextsCopyFontAndDbTextItsColumn)
{
    CDbText text(CPoint(0, 0), CPoint(10, 10));
    text.m_strColumn = "2-4";
    LOGFONT lf;
    text.m_font.GetLogFont(&lf);
    lf.lfHeight = 30;
    lf.lfWeight = 700;
    strcpy(lf.lfFaceName, "Tahoma");
    text.m_font.DeleteObject();
    text.m_font.CreateFontIndirect(&lf);
    text.m_bLocked = TRUE;

    std::unique_ptr<CElement> c(text.Clone());
    EXPECT_STREQ("CDbText", c->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("2-4", c->m_strColumn);
    EXPECT_FALSE(c->m_bLocked);
    LOGFONT lfClone;
    ASSERT_NE(0, c->m_font.GetLogFont(&lfClone));
    EXPECT_EQ(30, lfClone.lfHeight);
    EXPECT_EQ(700, lfClone.lfWeight);
    EXPECT_STREQ("Tahoma", lfClone.lfFaceName);
    EXPECT_NE(text.m_font.GetSafeHandle(), c->m_font.GetSafeHandle());

    CText plain(CPoint(0, 0), CPoint(10, 10));
    std::unique_ptr<CElement> cPlain(plain.Clone());
    EXPECT_STREQ("CText", cPlain->GetRuntimeClass()->m_lpszClassName);
}

TEST(Clone, CurvesGetTheirOwnPoints)
{
    CClosedCurve curve(CPoint(0, 0), CPoint(10, 10));
    for (int i = 0; i < 12; i++)
        curve.AddPoint(CPoint(i, i * 2));
    std::unique_ptr<CClosedCurve> c(static_cast<CClosedCurve*>(curve.Clone()));
    ASSERT_EQ(12, c->m_nPointCount);
    EXPECT_EQ(12, c->m_nPointCapacity);
    EXPECT_NE(curve.m_pPoints, c->m_pPoints);
    EXPECT_FLOAT_EQ(22.0f, c->m_pPoints[11].Y);
    curve.m_pPoints[0].X = 99;
    EXPECT_FLOAT_EQ(0.0f, c->m_pPoints[0].X);

    CFreehandLine line(CPoint(0, 0), CPoint(10, 10));
    line.AddPoint(CPoint(4, 5));
    std::unique_ptr<CFreehandLine> cLine(static_cast<CFreehandLine*>(line.Clone()));
    ASSERT_EQ(1, cLine->m_nPointCount);
    EXPECT_FLOAT_EQ(5.0f, cLine->m_pPoints[0].Y);
}

TEST(Clone, PicturesShareTheirBitmap)
{
    CPicturePtr pPicture = MakePicture(30, 20);
    pPicture->SetPixel(1, 1, Gdiplus::Color(255, 1, 2, 3));
    Gdiplus::Bitmap* pRaw = pPicture.get();

    std::unique_ptr<CBtImage> pImage(new CBtImage(CPoint(10, 10), CPoint(0, 0), pPicture, 400, 200));
    pPicture.reset();
    pImage->m_nWidth = 30;
    pImage->m_nHeight = 20;
    pImage->m_rect.SetRect(5, 6, 700, 800);
    std::unique_ptr<CBtImage> pClone(static_cast<CBtImage*>(pImage->Clone()));
    EXPECT_EQ(pRaw, pClone->m_pBitmap.get());
    EXPECT_EQ(CRect(5, 6, 700, 800), pClone->m_rect);
    EXPECT_EQ(30, pClone->m_nWidth);
    EXPECT_EQ(20, pClone->m_nHeight);

    // Deleting the source leaves the clone's picture intact.
    pImage.reset();
    Gdiplus::Color c;
    ASSERT_EQ(Gdiplus::Ok, pClone->m_pBitmap->GetPixel(1, 1, &c));
    EXPECT_EQ(0xFF010203u, c.GetValue());

    CBkgImage bkg(MakePicture(4, 4), 400, 200);
    bkg.m_nSide = 2;
    std::unique_ptr<CBkgImage> pBkgClone(static_cast<CBkgImage*>(bkg.Clone()));
    EXPECT_EQ(bkg.m_pBitmap.get(), pBkgClone->m_pBitmap.get());
    EXPECT_EQ(CRect(0, 0, 400, 200), pBkgClone->m_rect);
    EXPECT_EQ(121, pBkgClone->m_nKind);
    EXPECT_EQ(2, pBkgClone->m_nSide);
}

TEST(Clone, BaseCloneIsAFreshElement)
{
    CElement base;
    base.m_nAngle = 30;
    std::unique_ptr<CElement> c(base.Clone());
    EXPECT_STREQ("CElement", c->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0, c->m_nAngle);
}

TEST(LiveCount, FollowsConstructionAndDeletion)
{
    const long before = CElement::GetLiveCount();
    CElement* p = new CShapeSun(CPoint(0, 0), CPoint(1, 1));
    CElement* c = p->Clone();
    EXPECT_EQ(before + 2, CElement::GetLiveCount());
    delete p;
    delete c;
    EXPECT_EQ(before, CElement::GetLiveCount());
}

/////////////////////////////////////////////////////////////////////////////
// Curves: points, moving and resizing

namespace
{
template <class TCurve>
void ExpectPoint(const TCurve& curve, int i, float x, float y)
{
    ASSERT_LT(i, curve.m_nPointCount);
    EXPECT_FLOAT_EQ(x, curve.m_pPoints[i].X);
    EXPECT_FLOAT_EQ(y, curve.m_pPoints[i].Y);
}
}

TEST(CurvePoints, ArrayGrowsByTenAndSkipsOnlyARepeatOfTheLastPoint)
{
    CClosedCurve curve(CPoint(0, 0), CPoint(1, 1));
    EXPECT_EQ(0, curve.m_nPointCapacity);
    EXPECT_TRUE(curve.m_pPoints == NULL);
    curve.AddPoint(CPoint(100, 100));
    EXPECT_EQ(1, curve.m_nPointCount);
    EXPECT_EQ(10, curve.m_nPointCapacity);
    curve.AddPoint(CPoint(100, 100));
    EXPECT_EQ(1, curve.m_nPointCount);
    curve.AddPoint(CPoint(100, 200));
    curve.AddPoint(CPoint(100, 100));       // repeats an earlier point, not the last
    EXPECT_EQ(3, curve.m_nPointCount);
    for (int i = 3; i < 10; i++)
        curve.AddPoint(CPoint(i, 0));
    EXPECT_EQ(10, curve.m_nPointCount);
    EXPECT_EQ(10, curve.m_nPointCapacity);
    curve.AddPoint(CPoint(500, 600));
    EXPECT_EQ(11, curve.m_nPointCount);
    EXPECT_EQ(20, curve.m_nPointCapacity);
    ExpectPoint(curve, 0, 100, 100);
    ExpectPoint(curve, 1, 100, 200);
    ExpectPoint(curve, 9, 9, 0);
    ExpectPoint(curve, 10, 500, 600);

    CFreehandLine line(CPoint(0, 0), CPoint(1, 1));
    line.AddPoint(CPoint(7, 8));
    line.AddPoint(CPoint(7, 8));
    EXPECT_EQ(1, line.m_nPointCount);
    EXPECT_EQ(10, line.m_nPointCapacity);

    CRectangle rect(CPoint(0, 0), CPoint(1, 1));
    rect.AddPoint(CPoint(5, 5));            // nothing for other elements
    EXPECT_EQ(CRect(0, 0, 1, 1), rect.m_rect);
}

TEST(CurvePoints, SetRectMovesThePointsWithoutScaling)
{
    CFreehandLine line(CPoint(1000, 1000), CPoint(2000, 1600));
    line.AddPoint(CPoint(1100, 1050));
    line.SetRect(1200, 1100, 2200, 1700);
    ExpectPoint(line, 0, 1300, 1150);
    EXPECT_EQ(CRect(1200, 1100, 2200, 1700), line.m_rect);

    // Another size still only moves.
    line.SetRect(0, 0, 10, 10);
    ExpectPoint(line, 0, 100, 50);
}

TEST(CurvePoints, ResizeRectMapsThePointsIntoTheNewRectangle)
{
    CClosedCurve curve(CPoint(1000, 1000), CPoint(2000, 1600));
    curve.AddPoint(CPoint(1100, 1050));
    curve.AddPoint(CPoint(1900, 1300));
    curve.ResizeRect(1000, 1000, 1500, 1900);
    ExpectPoint(curve, 0, 1050, 1075);
    ExpectPoint(curve, 1, 1450, 1450);
    EXPECT_EQ(CRect(1000, 1000, 1500, 1900), curve.m_rect);
}

TEST(CurvePoints, ResizeFromZeroWidthKeepsOffsetsAndStaysFinite)
{
    CFreehandLine line(CPoint(100, 100), CPoint(100, 300));    // vertical stroke
    line.AddPoint(CPoint(100, 100));
    line.AddPoint(CPoint(100, 300));
    line.ResizeRect(150, 0, 400, 100);
    ExpectPoint(line, 0, 150, 0);
    ExpectPoint(line, 1, 150, 100);

    CClosedCurve flat(CPoint(0, 50), CPoint(200, 50));         // zero height
    flat.AddPoint(CPoint(0, 50));
    flat.AddPoint(CPoint(200, 50));
    flat.ResizeRect(10, 70, 110, 90);
    for (int i = 0; i < 2; i++)
    {
        EXPECT_TRUE(std::isfinite(flat.m_pPoints[i].X));
        EXPECT_TRUE(std::isfinite(flat.m_pPoints[i].Y));
    }
    ExpectPoint(flat, 0, 10, 70);
    ExpectPoint(flat, 1, 110, 70);
}

TEST(CurvePoints, RecalcRectFitsTheBoxTruncatingTowardZero)
{
    CClosedCurve curve(CPoint(0, 0), CPoint(1, 1));
    curve.RecalcRect();                        // no points: unchanged
    EXPECT_EQ(CRect(0, 0, 1, 1), curve.m_rect);

    // First point is the rightmost; a second list with fractions and negatives.
    curve.AddPoint(CPoint(900, 40));
    curve.AddPoint(CPoint(100, 300));
    curve.AddPoint(CPoint(400, 10));
    curve.RecalcRect();
    EXPECT_EQ(CRect(100, 10, 900, 300), curve.m_rect);

    CFreehandLine line(CPoint(0, 0), CPoint(1, 1));
    line.AddPoint(CPoint(0, 0));
    line.m_pPoints[0] = Gdiplus::PointF(-2.7f, 5.9f);
    line.AddPoint(CPoint(8, -1));
    line.m_pPoints[1] = Gdiplus::PointF(8.9f, -1.5f);
    line.RecalcRect();
    EXPECT_EQ(CRect(-2, -1, 8, 5), line.m_rect);
}
