// New elements by kind: the class made for each kind, the size of a click, the text a new
// element starts with.

#include "model_test_support.h"
#include "ElementFactory.h"
#include "Elements.h"

#include <memory>

namespace
{
typedef std::unique_ptr<CElement> ElementPtr;


// Size of the element a click at ptAt makes, through the end point the click gives.
CSize ClickedSize(short nKind, CPoint ptAt, CPoint ptRelease)
{
    ElementPtr p(CreateElementOfKind(nKind, ptAt, GetClickEndPoint(nKind, ptAt, ptRelease)));
    if (!p)
        return CSize(-1, -1);
    return CSize(p->m_rect.Width(), p->m_rect.Height());
}
}

TEST(ElementFactory, EveryDrawnKindIsMadeAsTheClassOfThatKind)
{
    const long nLiveBefore = CElement::GetLiveCount();
    for (short nKind : kTwoPointKinds)
    {
        ElementPtr p(CreateElementOfKind(nKind, CPoint(110, 70), CPoint(10, 20)));
        ASSERT_TRUE(p != NULL) << nKind;
        EXPECT_EQ(nKind, p->m_nKind);
        // the class is the one the file format names for the kind
        EXPECT_EQ(nKind, KindFromClassName(p->GetRuntimeClass()->m_lpszClassName)) << nKind;
        EXPECT_EQ(CRect(10, 20, 110, 70), p->m_rect) << nKind;
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}

TEST(ElementFactory, KindsNotDrawnBetweenTwoPointsAreRefused)
{
    const long nLiveBefore = CElement::GetLiveCount();
    int nMade = 0;
    for (int n = -2; n <= 400; n++)
    {
        CElement* p = CreateElementOfKind((short)n, CPoint(0, 0), CPoint(10, 10));
        if (p != NULL)
        {
            nMade++;
            delete p;
        }
    }
    EXPECT_EQ((int)(sizeof(kTwoPointKinds) / sizeof(kTwoPointKinds[0])), nMade);
    EXPECT_TRUE(CreateElementOfKind(KIND_CLIPART, CPoint(0, 0), CPoint(10, 10)) == NULL);
    EXPECT_TRUE(CreateElementOfKind(KIND_BACKGROUND, CPoint(0, 0), CPoint(10, 10)) == NULL);
    EXPECT_TRUE(CreateElementOfKind(KIND_POINTER, CPoint(0, 0), CPoint(10, 10)) == NULL);
    EXPECT_TRUE(CreateElementOfKind(KIND_NONE, CPoint(0, 0), CPoint(10, 10)) == NULL);
    EXPECT_TRUE(CreateElementOfKind(-32768, CPoint(0, 0), CPoint(10, 10)) == NULL);
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}

TEST(ElementFactory, AClickGivesEachKindItsSize)
{
    const CPoint at(100, 100);
    EXPECT_EQ(CSize(50, 50), ClickedSize(KIND_RECTANGLE, at, at));
    EXPECT_EQ(CSize(50, 50), ClickedSize(KIND_LINE, at, at));
    EXPECT_EQ(CSize(50, 50), ClickedSize(KIND_SUN, at, at));
    EXPECT_EQ(CSize(80, 50), ClickedSize(KIND_TEXT, at, at));
    EXPECT_EQ(CSize(150, 30), ClickedSize(KIND_DBTEXT, at, at));
    EXPECT_EQ(CSize(100, 50), ClickedSize(KIND_CALLOUT_BL, at, at));
    EXPECT_EQ(CSize(100, 50), ClickedSize(KIND_CALLOUT_BR, at, at));
    EXPECT_EQ(CSize(100, 50), ClickedSize(KIND_PARALLELOGRAM, at, at));
    EXPECT_EQ(CSize(150, 150), ClickedSize(KIND_BURST, at, at));
    EXPECT_EQ(CSize(100, 75), ClickedSize(KIND_MOON, at, at));
    EXPECT_EQ(CSize(75, 75), ClickedSize(KIND_STAR, at, at));
    // a release up to 2 units away, either way, is still a click
    EXPECT_EQ(CSize(150, 30), ClickedSize(KIND_DBTEXT, at, CPoint(98, 102)));
    EXPECT_EQ(CSize(50, 50), ClickedSize(KIND_RECTANGLE, at, CPoint(102, 98)));
    // the sizes a click gives agree with the sizes asked for
    for (short nKind : kTwoPointKinds)
        EXPECT_EQ(GetClickSize(nKind), ClickedSize(nKind, at, at)) << nKind;
}

TEST(ElementFactory, AnAxisDraggedFartherThanTheSlopKeepsTheDrag)
{
    const CPoint at(100, 100);
    // both axes dragged: the release point stands
    EXPECT_EQ(CPoint(103, 97), GetClickEndPoint(KIND_RECTANGLE, at, CPoint(103, 97)));
    EXPECT_EQ(CPoint(40, 300), GetClickEndPoint(KIND_STAR, at, CPoint(40, 300)));
    // dragged sideways only: the height of a click
    EXPECT_EQ(CPoint(400, 150), GetClickEndPoint(KIND_TEXT, at, CPoint(400, 101)));
    EXPECT_EQ(CPoint(400, 150), GetClickEndPoint(KIND_DBTEXT, at, CPoint(400, 101)));
    // dragged down only: the width of a click; kinds whose click height is not 50 take
    // that height too
    EXPECT_EQ(CPoint(180, 300), GetClickEndPoint(KIND_TEXT, at, CPoint(101, 300)));
    EXPECT_EQ(CPoint(150, 300), GetClickEndPoint(KIND_RECTANGLE, at, CPoint(99, 300)));
    EXPECT_EQ(CPoint(250, 130), GetClickEndPoint(KIND_DBTEXT, at, CPoint(101, 300)));
    EXPECT_EQ(CPoint(200, 175), GetClickEndPoint(KIND_MOON, at, CPoint(100, 20)));
    // tools that draw nothing from two points still get an end point
    EXPECT_EQ(CPoint(150, 150), GetClickEndPoint(KIND_POINTER, at, at));
}

TEST(ElementFactory, TextsStartWithTheirPlaceholderText)
{
    ASSERT_TRUE(GetInitialText(KIND_TEXT) != NULL);
    EXPECT_STREQ("Text", GetInitialText(KIND_TEXT));
    ASSERT_TRUE(GetInitialText(KIND_DBTEXT) != NULL);
    EXPECT_STREQ("<<TextFromDB>>", GetInitialText(KIND_DBTEXT));
    for (short nKind : kTwoPointKinds)
    {
        if (nKind != KIND_TEXT && nKind != KIND_DBTEXT)
        {
            EXPECT_TRUE(GetInitialText(nKind) == NULL) << nKind;
        }
    }
    EXPECT_TRUE(GetInitialText(KIND_NONE) == NULL);
}
