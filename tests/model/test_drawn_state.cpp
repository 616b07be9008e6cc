// The drawn state of an element: what the design view compares to know whether an
// element must be drawn anew. Every attribute that changes the drawing changes it; what
// does not draw leaves it alone.

#include "model_test_support.h"
#include "ElementDraw.h"
#include "ElementFactory.h"
#include "Elements.h"

#include <functional>
#include <memory>
#include <string>

namespace
{
typedef std::unique_ptr<CElement> ElementPtr;

std::string StateOf(CElement* pElement)
{
    std::string state;
    GetElementDrawnState(pElement, state);
    return state;
}


CPicturePtr SolidPicture(int w, int h, DWORD clr)
{
    CPicturePtr p(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
    Gdiplus::Graphics g(p.get());
    g.Clear(Gdiplus::Color(clr));
    return p;
}

// Each change must change the state, and undoing it must give the state back.
void ExpectEveryChangeSeen(CElement* pElement, const char* pszName,
                           const std::vector<std::pair<const char*, std::function<void(bool)>>>& changes)
{
    const std::string before = StateOf(pElement);
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before, StateOf(pElement)) << pszName;
    for (const auto& change : changes)
    {
        change.second(true);
        EXPECT_NE(before, StateOf(pElement)) << pszName << ": " << change.first;
        change.second(false);
        EXPECT_EQ(before, StateOf(pElement)) << pszName << ": " << change.first << " undone";
    }
}

template <class T, class V>
std::pair<const char*, std::function<void(bool)>> Set(const char* pszWhat, T& member, V newValue)
{
    const T old = member;
    const T value = (T)newValue;
    return {pszWhat, [&member, value, old](bool bChange) { member = bChange ? value : old; }};
}
}

TEST(DrawnState, EveryDrawnAttributeOfEveryKindChangesTheState)
{
    for (short nKind : kTwoPointKinds)
    {
        ElementPtr p(CreateElementOfKind(nKind, CPoint(10, 20), CPoint(110, 90)));
        ASSERT_TRUE(p != NULL) << nKind;
        p->m_nSide = 1;
        p->m_nFillKind = 1;
        p->m_nLineWidth = 1;
        p->m_nShadowLength = 8;
        p->m_clrShadow = 0xFF808080;
        p->m_strText = "Text";
        p->m_strColumn = "1";
        p->m_clrText = 0xFF000000;
        CElement& e = *p;
        std::vector<std::pair<const char*, std::function<void(bool)>>> changes = {
            Set("left", e.m_rect.left, e.m_rect.left + 1),
            Set("bottom", e.m_rect.bottom, e.m_rect.bottom + 1),
            Set("far away", e.m_rect.right, (LONG)2000000),
            Set("angle", e.m_nAngle, 15),
            Set("fill colour", e.m_clrFill, e.m_clrFill ^ 0x00010000),
            Set("fill alpha", e.m_clrFill, e.m_clrFill ^ 0x01000000),
            Set("line colour", e.m_clrLine, e.m_clrLine ^ 0x00000100),
            Set("pattern colour", e.m_clrPattern, e.m_clrPattern ^ 0x00000001),
            Set("fill kind", e.m_nFillKind, 31),
            Set("line width", e.m_nLineWidth, 4),
            Set("huge line width", e.m_nLineWidth, 1 << 28),
            Set("dash style", e.m_nDashStyle, 2),
            Set("shadow", e.m_bShadow, !e.m_bShadow),
            Set("shadow length", e.m_nShadowLength, 9),
            Set("shadow colour", e.m_clrShadow, (DWORD)0xFF808081),
            Set("transparent", e.m_bTransparent, !e.m_bTransparent),
            Set("side", e.m_nSide, 2),
        };
        if (CText* pText = DYNAMIC_DOWNCAST(CText, p.get()))
        {
            changes.push_back(Set("text", pText->m_strText, CString("Texts")));
            changes.push_back(Set("text colour", pText->m_clrText, (DWORD)0xFF000001));
            changes.push_back(Set("text alpha", pText->m_clrText, (DWORD)0x80000000));
            changes.push_back(Set("alignment", pText->m_nHAlign, (pText->m_nHAlign + 1) % 3));
            changes.push_back(Set("line alignment", pText->m_nVAlign, (pText->m_nVAlign + 1) % 3));
            changes.push_back(Set("vertical", pText->m_bVertical, !pText->m_bVertical));
            changes.push_back(Set("column", pText->m_strColumn, CString("2")));
            LOGFONT lf = {};
            lf.lfHeight = -20;
            lstrcpyA(lf.lfFaceName, "Arial");
            pText->m_font.DeleteObject();
            pText->m_font.CreateFontIndirect(&lf);
            changes.push_back({"font", [pText, lf](bool bChange) {
                                   LOGFONT l = lf;
                                   if (bChange)
                                       l.lfItalic = TRUE;
                                   pText->m_font.DeleteObject();
                                   pText->m_font.CreateFontIndirect(&l);
                               }});
            changes.push_back({"huge font", [pText, lf](bool bChange) {
                                   LOGFONT l = lf;
                                   if (bChange)
                                       l.lfHeight = -(1 << 27);
                                   pText->m_font.DeleteObject();
                                   pText->m_font.CreateFontIndirect(&l);
                               }});
        }
        if (CLine* pLine = DYNAMIC_DOWNCAST(CLine, p.get()))
            changes.push_back(Set("direction", pLine->m_nLineDirection, (pLine->m_nLineDirection + 1) % 4));
        if (CPointListElement* pCurve = DYNAMIC_DOWNCAST(CPointListElement, p.get()))
        {
            pCurve->AddPoint(CPoint(10, 20));
            pCurve->AddPoint(CPoint(60, 90));
            pCurve->AddPoint(CPoint(110, 30));
            changes.push_back(Set("a point", pCurve->m_pPoints[1].Y, pCurve->m_pPoints[1].Y + 0.5f));
        }
        ExpectEveryChangeSeen(p.get(), p->GetRuntimeClass()->m_lpszClassName, changes);

        // the lock does not draw
        const std::string before = StateOf(p.get());
        p->m_bLocked = !p->m_bLocked;
        EXPECT_EQ(before, StateOf(p.get())) << nKind;
    }
}

TEST(DrawnState, APictureCountsByItsObjectAndIsKeptAliveByTheCaller)
{
    CPicturePtr pRed = SolidPicture(20, 10, 0xFFFF0000);
    CBtImage picture(CPoint(0, 0), CPoint(100, 50), pRed, 850, 1100);
    CBkgImage background(SolidPicture(30, 40, 0xFF0000FF), 850, 1100);
    for (CElement* p : {(CElement*)&picture, (CElement*)&background})
    {
        std::string before;
        std::shared_ptr<Gdiplus::Bitmap> pKept;
        GetElementDrawnState(p, before, &pKept);
        ASSERT_TRUE(pKept != NULL);
        EXPECT_EQ(before, StateOf(p));
        // the same pixels in another object: another state
        CPicturePtr& pBitmap = p == &picture ? picture.m_pBitmap : background.m_pBitmap;
        const CPicturePtr pOld = pBitmap;
        pBitmap = SolidPicture(pOld->GetWidth(), pOld->GetHeight(), p == &picture ? 0xFFFF0000 : 0xFF0000FF);
        EXPECT_NE(before, StateOf(p));
        pBitmap = pOld;
        EXPECT_EQ(before, StateOf(p));
        // no picture
        pBitmap.reset();
        EXPECT_NE(before, StateOf(p));
        pBitmap = pOld;
        EXPECT_EQ(pOld.get(), pKept.get());
    }
    // the state of a picture does not hold its pixels: it stays small
    EXPECT_LT(StateOf(&picture).size(), 1024u);
}
