// A new element joining the document: undo, selection, modified flag, side, ownership.

#include "doc_test_support.h"
#include "ElementFactory.h"
#include "Elements.h"

#include <string>

namespace
{
// An element whose snapshot cannot be taken.
class CUncopyable : public CElement
{
public:
    virtual CElement* Clone() override { throw std::string("no copy"); }
};

// Two elements on the front, the first one selected.
void TwoElementDesign(CVarnelDoc& doc)
{
    doc.m_listElements.AddTail(new CRectangle(CPoint(10, 10), CPoint(60, 60)));
    doc.m_listElements.AddTail(new CCircle(CPoint(20, 20), CPoint(70, 70)));
    CElement* pFirst = doc.m_listElements.GetHead();
    doc.m_listSelection.AddTail(pFirst);
    doc.m_tracker.Add(pFirst);
}
}

TEST(NewElement, JoinsOnTopOfTheShownSideAsTheOnlySelection)
{
    CVarnelDoc doc;
    TwoElementDesign(doc);
    doc.m_nSide = 2;
    ASSERT_FALSE(doc.IsModified());

    CElement* pNew = CreateElementOfKind(KIND_STAR, CPoint(200, 30), CPoint(275, 105));
    ASSERT_EQ(1, pNew->m_nSide);
    ASSERT_TRUE(doc.AddNewElement(pNew));

    EXPECT_EQ("R10 C20 S200 ", Design(doc));
    EXPECT_EQ(pNew, doc.m_listElements.GetTail());
    EXPECT_EQ(2, pNew->m_nSide);
    ASSERT_EQ(1, doc.m_listSelection.GetCount());
    EXPECT_EQ(pNew, doc.m_listSelection.GetHead());
    ASSERT_EQ(1, doc.m_tracker.m_arrSelected.GetSize());
    EXPECT_EQ(pNew, doc.m_tracker.m_arrSelected[0]);
    EXPECT_TRUE(doc.m_tracker.IsSelected(pNew));
    EXPECT_FALSE(doc.m_tracker.IsSelected(doc.m_listElements.GetHead()));
    EXPECT_TRUE(doc.IsModified());
}

TEST(NewElement, UndoTakesItOutAndRedoBringsItBack)
{
    CVarnelDoc doc;
    TwoElementDesign(doc);
    const std::string before = Design(doc);
    ASSERT_TRUE(doc.AddNewElement(CreateElementOfKind(KIND_TEXT, CPoint(5, 100), CPoint(85, 150))));
    const std::string after = Design(doc);
    EXPECT_EQ(1, doc.GetUndoLevels());

    doc.Undo();
    EXPECT_EQ(before, Design(doc));
    EXPECT_TRUE(doc.m_listSelection.IsEmpty());
    EXPECT_EQ(0, doc.m_tracker.m_arrSelected.GetSize());

    doc.Redo();
    EXPECT_EQ(after, Design(doc));
}

TEST(NewElement, FirstElementOfAnEmptyDesignIsUndoneToNothing)
{
    CVarnelDoc doc;
    ASSERT_TRUE(doc.AddNewElement(CreateElementOfKind(KIND_LINE, CPoint(0, 0), CPoint(50, 50))));
    EXPECT_EQ(1, ElementCount(doc));
    doc.Undo();
    EXPECT_EQ(0, ElementCount(doc));
    EXPECT_FALSE(doc.CanUndo());
}

TEST(NewElement, NullChangesNothing)
{
    CVarnelDoc doc;
    TwoElementDesign(doc);
    const std::string before = Design(doc);
    EXPECT_FALSE(doc.AddNewElement(NULL));
    EXPECT_EQ(before, Design(doc));
    EXPECT_EQ(1, doc.m_listSelection.GetCount());
    EXPECT_EQ(0, doc.GetUndoLevels());
    EXPECT_FALSE(doc.IsModified());
}

TEST(NewElement, AFailedSnapshotLeavesTheDesignAndFreesTheElement)
{
    const long nLiveBefore = CElement::GetLiveCount();
    {
        CVarnelDoc doc;
        doc.m_listElements.AddTail(new CUncopyable);
        EXPECT_ANY_THROW(doc.AddNewElement(CreateElementOfKind(KIND_SUN, CPoint(0, 0), CPoint(50, 50))));
        EXPECT_EQ(1, ElementCount(doc));
        EXPECT_TRUE(doc.m_listSelection.IsEmpty());
        EXPECT_EQ(0, doc.GetUndoLevels());
        EXPECT_FALSE(doc.IsModified());
        // the design and the rejected element are the only elements made
        EXPECT_EQ(nLiveBefore + 1, CElement::GetLiveCount());
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}

TEST(NewElement, TheDocumentOwnsWhatItTook)
{
    const long nLiveBefore = CElement::GetLiveCount();
    {
        CVarnelDoc doc;
        for (int i = 0; i < 8; i++)
            doc.AddNewElement(CreateElementOfKind(KIND_RECTANGLE, CPoint(i, 0), CPoint(i + 10, 10)));
        EXPECT_EQ(8, ElementCount(doc));
        EXPECT_EQ(UNDO_LEVELS, doc.GetUndoLevels());
    }
    EXPECT_EQ(nLiveBefore, CElement::GetLiveCount());
}
