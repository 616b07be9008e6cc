// test_template_preview.cpp - the preview picture of a template and of a design.

#include "drawing_test_support.h"

#include "Elements.h"
#include "TemplatePreview.h"
#include "VarnelDoc.h"

#include <memory>

using namespace Gdiplus;

namespace
{
DWORD PixelOf(Gdiplus::Bitmap* p, int x, int y)
{
    Color c;
    p->GetPixel(x, y, &c);
    return c.GetValue();
}

int CountOf(Gdiplus::Bitmap* p, DWORD clr)
{
    int n = 0;
    for (UINT y = 0; y < p->GetHeight(); y++)
        for (UINT x = 0; x < p->GetWidth(); x++)
            if (PixelOf(p, (int)x, (int)y) == clr)
                n++;
    return n;
}

// A 300 x 200 publication: a blue rectangle and a green triangle on the front, a red
// ellipse on the back.
void BuildPublication(CVarnelDoc& doc)
{
    doc.m_nDesignWidth = 300;
    doc.m_nDesignHeight = 200;
    doc.m_nPublicationType = 3;
    CRectangle* pRect = new CRectangle(CPoint(20, 20), CPoint(120, 80));
    pRect->m_clrFill = BLUE;
    pRect->m_nLineWidth = 0;
    pRect->m_nSide = 1;
    doc.m_listElements.AddTail(pRect);
    CCircle* pBack = new CCircle(CPoint(150, 100), CPoint(250, 180));
    pBack->m_clrFill = RED;
    pBack->m_nSide = 2;
    doc.m_listElements.AddTail(pBack);
    CTriangle* pTriangle = new CTriangle(CPoint(160, 20), CPoint(280, 120));
    pTriangle->m_clrFill = GREEN;
    pTriangle->m_nLineWidth = 0;
    pTriangle->m_nSide = 1;
    doc.m_listElements.AddTail(pTriangle);
}

void SaveTemplate(CVarnelDoc& doc, const char* pszPath)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    CArchive ar(&file, CArchive::store);
    doc.Serialize(ar);
    ar.Close();
    file.Close();
}

// 40 x 20: red, green / blue, yellow quadrants.
DWORD Quadrants(int x, int y)
{
    if (y < 10)
        return x < 20 ? RED : GREEN;
    return x < 20 ? BLUE : YELLOW;
}
}

TEST(TemplatePreview, PreviewOfASavedPublicationShowsTheFrontSide)
{
    CTempPath file(".labf");
    {
        CVarnelDoc source;
        BuildPublication(source);
        SaveTemplate(source, file.Path());
    }
    CVarnelDoc doc;
    std::unique_ptr<Gdiplus::Bitmap> p(RenderTemplatePreview(doc, file.Path(), ""));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(300u, p->GetWidth());
    EXPECT_EQ(200u, p->GetHeight());
    EXPECT_EQ(PixelFormat32bppARGB, p->GetPixelFormat());
    // One pixel per hundredth of an inch: the rectangle fills exactly its 100 x 60.
    EXPECT_EQ(100 * 60, CountOf(p.get(), BLUE));
    EXPECT_EQ(BLUE, PixelOf(p.get(), 20, 20));
    EXPECT_EQ(BLUE, PixelOf(p.get(), 119, 79));
    EXPECT_EQ(WHITE, PixelOf(p.get(), 120, 80));
    EXPECT_EQ(GREEN, PixelOf(p.get(), 220, 110));
    EXPECT_EQ(WHITE, PixelOf(p.get(), 170, 30));
    // The back side's ellipse is not drawn.
    EXPECT_EQ(0, CountOf(p.get(), RED));
    EXPECT_EQ(WHITE, PixelOf(p.get(), 200, 160));
    EXPECT_EQ(WHITE, PixelOf(p.get(), 299, 199));
    // The document now holds the template.
    EXPECT_EQ(3, (int)doc.m_listElements.GetCount());
    EXPECT_EQ(3, doc.m_nPublicationType);
}

TEST(TemplatePreview, BackgroundIsStretchedUnderTheElements)
{
    CTempPath file(".labf"), picture(".png");
    {
        CVarnelDoc source;
        BuildPublication(source);
        SaveTemplate(source, file.Path());
    }
    ASSERT_TRUE(SaveBitmap(MakePicture(40, 20, Quadrants).get(), picture.Path(), L"image/png"));
    CVarnelDoc doc;
    std::unique_ptr<Gdiplus::Bitmap> p(RenderTemplatePreview(doc, file.Path(), picture.Path()));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(BLUE, PixelOf(p.get(), 60, 50));
    EXPECT_EQ(RED, PixelOf(p.get(), 10, 10));
    EXPECT_EQ(YELLOW, PixelOf(p.get(), 290, 190));
    EXPECT_EQ(BLUE, PixelOf(p.get(), 10, 190));
    EXPECT_EQ(GREEN, PixelOf(p.get(), 250, 10));
}

TEST(TemplatePreview, BothPathsEmptyGiveAWhitePictureOfTheDesignSize)
{
    CVarnelDoc doc;
    BuildPublication(doc);
    doc.m_nDesignWidth = 400;
    doc.m_nDesignHeight = 200;
    std::unique_ptr<Gdiplus::Bitmap> p(RenderTemplatePreview(doc, "", ""));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(400u, p->GetWidth());
    EXPECT_EQ(200u, p->GetHeight());
    EXPECT_EQ(400 * 200, CountOf(p.get(), WHITE));
}

TEST(TemplatePreview, BackgroundAloneWithoutTemplate)
{
    CTempPath picture(".png");
    ASSERT_TRUE(SaveBitmap(MakePicture(40, 20, Quadrants).get(), picture.Path(), L"image/png"));
    CVarnelDoc doc;
    std::unique_ptr<Gdiplus::Bitmap> p(RenderTemplatePreview(doc, NULL, picture.Path()));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(400u, p->GetWidth());
    EXPECT_EQ(RED, PixelOf(p.get(), 10, 10));
    EXPECT_EQ(YELLOW, PixelOf(p.get(), 390, 190));
}

TEST(TemplatePreview, DesignPreviewOfTheBackSideAndUnreadableBackground)
{
    CVarnelDoc doc;
    BuildPublication(doc);
    std::unique_ptr<Gdiplus::Bitmap> p(
        RenderDesignPreview(doc.m_listElements, 2, 300, 200, "Z:\\no\\such\\picture.png", TRUE));
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(RED, PixelOf(p.get(), 200, 140));
    EXPECT_EQ(0, CountOf(p.get(), BLUE));
    EXPECT_EQ(WHITE, PixelOf(p.get(), 10, 10));
}

TEST(TemplatePreview, NoPictureForAnEmptyDesignOrAMissingTemplate)
{
    CElementList list;
    EXPECT_EQ(nullptr, RenderDesignPreview(list, 1, 0, 200, NULL, TRUE));
    EXPECT_EQ(nullptr, RenderDesignPreview(list, 1, 300, -5, NULL, TRUE));

    CVarnelDoc doc;
    bool bThrown = false;
    try
    {
        std::unique_ptr<Gdiplus::Bitmap> p(RenderTemplatePreview(doc, "Z:\\no\\such\\template.labl", ""));
    }
    catch (CFileException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}
