// Undo and redo: five levels, empty designs, ownership of every element object.

#include "doc_test_support.h"
#include "Elements.h"

#include <algorithm>
#include <string>

namespace
{
// One edit as the view does it: snapshot, then change.
void AddRectangle(CVarnelDoc& doc, int left)
{
    doc.PushUndo();
    doc.m_listElements.AddTail(new CRectangle(CPoint(left, 0), CPoint(left + 10, 10)));
}

void Select(CVarnelDoc& doc, CElement* p)
{
    doc.m_listSelection.AddTail(p);
    doc.m_tracker.Add(p);
}

// Elements held by the document in all its lists.
long OwnedElements(CVarnelDoc& doc)
{
    long n = (long)doc.m_listElements.GetCount();
    for (int i = 0; i < UNDO_LEVELS; i++)
        n += (long)(doc.m_listUndo[i].GetCount() + doc.m_listRedo[i].GetCount());
    return n;
}
}

TEST(UndoRedo, SixEditsAndSixUndosRestoreFiveStatesInOrder)
{
    CVarnelDoc doc;
    AddRectangle(doc, 0);                   // snapshot of the empty design
    std::vector<std::string> states;
    for (int i = 1; i <= 6; i++)
    {
        states.push_back(Design(doc));
        AddRectangle(doc, i * 100);
    }
    EXPECT_EQ(5, doc.GetUndoLevels());
    const std::string final = Design(doc);

    for (int i = 0; i < 5; i++)
    {
        ASSERT_TRUE(doc.CanUndo());
        doc.Undo();
        EXPECT_EQ(states[5 - i], Design(doc)) << "undo " << i + 1;
    }
    EXPECT_FALSE(doc.CanUndo());
    const std::string oldest = Design(doc);
    doc.Undo();                              // no level: nothing happens
    EXPECT_EQ(oldest, Design(doc));

    for (int i = 0; i < 5; i++)
        doc.Redo();
    EXPECT_EQ(final, Design(doc));
    EXPECT_FALSE(doc.CanRedo());
}

TEST(UndoRedo, FirstElementOnAnEmptyDesignCanBeUndone)
{
    CVarnelDoc doc;
    AddRectangle(doc, 5);
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_TRUE(doc.m_listUndo[0].IsEmpty());
    doc.Undo();
    EXPECT_EQ(0, ElementCount(doc));
    ASSERT_TRUE(doc.CanRedo());
    EXPECT_EQ(1, doc.m_listRedo[0].GetCount());
    doc.Redo();
    EXPECT_EQ("R5 ", Design(doc));
}

TEST(UndoRedo, RedoOfAnEmptiedDesignRestoresTheEmptyDesign)
{
    CVarnelDoc doc;
    doc.m_listElements.AddTail(new CCircle(CPoint(0, 0), CPoint(5, 5)));
    doc.PushUndo();
    DeleteElements(doc.m_listElements);      // the edit: delete everything
    doc.Undo();
    EXPECT_EQ(1, ElementCount(doc));
    ASSERT_TRUE(doc.CanRedo());               // the redo level is the empty design
    doc.Redo();
    EXPECT_EQ(0, ElementCount(doc));
    EXPECT_TRUE(doc.CanUndo());
}

TEST(UndoRedo, EditUndoRedoReturnsTheVeryObjectsWithTheirLocks)
{
    CVarnelDoc doc;
    CElement* pA = new CRectangle(CPoint(0, 0), CPoint(10, 10));
    pA->m_bLocked = TRUE;
    pA->m_nAngle = 45;
    doc.m_listElements.AddTail(pA);
    doc.PushUndo();
    pA->m_nAngle = 90;
    doc.Undo();
    EXPECT_EQ(45, ElementAt(doc, 0)->m_nAngle);
    doc.Redo();
    EXPECT_EQ(pA, ElementAt(doc, 0));
    EXPECT_EQ(90, pA->m_nAngle);
    EXPECT_TRUE(pA->m_bLocked);
}

TEST(UndoRedo, UndoKeepsLockAndTheDocumentsShadowLength)
{
    CVarnelDoc doc;
    doc.m_nShadowLength = 11;
    CElement* pA = new CShapeStar(CPoint(0, 0), CPoint(10, 10));
    CElement* pB = new CText(CPoint(20, 0), CPoint(30, 10));
    pA->m_bLocked = TRUE;
    pA->m_nShadowLength = 11;
    pB->m_nShadowLength = 11;
    doc.m_listElements.AddTail(pA);
    doc.m_listElements.AddTail(pB);
    doc.PushUndo();
    pA->m_nAngle = 180;                       // a rotation
    doc.m_listElements.RemoveTail();          // and B moved to the bottom
    doc.m_listElements.AddHead(pB);
    doc.Undo();
    ASSERT_EQ(2, ElementCount(doc));
    CElement* pA2 = ElementAt(doc, 0);
    EXPECT_STREQ("CShapeStar", pA2->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(0, pA2->m_nAngle);
    EXPECT_TRUE(pA2->m_bLocked);
    EXPECT_EQ(11, pA2->m_nShadowLength);
    EXPECT_EQ(11, ElementAt(doc, 1)->m_nShadowLength);
}

TEST(UndoRedo, AnEditAfterUndoEmptiesRedo)
{
    CVarnelDoc doc;
    AddRectangle(doc, 1);
    doc.Undo();
    EXPECT_TRUE(doc.CanRedo());
    AddRectangle(doc, 2);
    EXPECT_FALSE(doc.CanRedo());
    const std::string before = Design(doc);
    doc.Redo();                               // no level: nothing happens
    EXPECT_EQ(before, Design(doc));
}

TEST(UndoRedo, UndoAndRedoEmptyTheSelection)
{
    CVarnelDoc doc;
    AddRectangle(doc, 1);
    AddRectangle(doc, 2);
    Select(doc, ElementAt(doc, 0));
    doc.Undo();
    EXPECT_TRUE(doc.m_listSelection.IsEmpty());
    EXPECT_EQ(0, doc.m_tracker.m_arrSelected.GetSize());
    Select(doc, ElementAt(doc, 0));
    doc.Redo();
    EXPECT_TRUE(doc.m_listSelection.IsEmpty());
    EXPECT_EQ(0, doc.m_tracker.m_arrSelected.GetSize());
}

TEST(UndoRedo, WithoutLevelsUndoAndRedoDoNothing)
{
    CVarnelDoc doc;
    doc.m_listElements.AddTail(new CCircle(CPoint(0, 0), CPoint(5, 5)));
    Select(doc, ElementAt(doc, 0));
    doc.Undo();
    doc.Redo();
    EXPECT_EQ(1, ElementCount(doc));
    EXPECT_EQ(1, doc.m_listSelection.GetCount());
}

TEST(UndoRedo, DbTextsComeBackWithTheirOwnColumns)
{
    CVarnelDoc doc;
    for (int i = 0; i < 3; i++)
    {
        CDbText* p = new CDbText(CPoint(0, i * 20), CPoint(100, i * 20 + 15));
        p->m_strColumn.Format("%d", i);
        doc.m_listElements.AddTail(p);
    }
    doc.PushUndo();
    // A merge: the first takes all columns, the others go.
    ElementAt(doc, 0)->m_strColumn = "0-1-2";
    delete doc.m_listElements.RemoveTail();
    delete doc.m_listElements.RemoveTail();
    doc.Undo();
    ASSERT_EQ(3, ElementCount(doc));
    for (int i = 0; i < 3; i++)
    {
        CString expected;
        expected.Format("%d", i);
        EXPECT_STREQ(expected, ElementAt(doc, i)->m_strColumn);
        EXPECT_EQ(212, ElementAt(doc, i)->m_nKind);
    }
}

TEST(UndoRedo, EveryObjectLivesInOneListAndDroppedLevelsAreFreed)
{
    const long nBaseline = CElement::GetLiveCount();
    {
        CVarnelDoc doc;
        for (int i = 0; i < 3; i++)
            doc.m_listElements.AddTail(new CClosedCurve(CPoint(i, i), CPoint(i + 5, i + 5)));
        for (int i = 0; i < 9; i++)
        {
            doc.PushUndo();
            ElementAt(doc, 0)->m_nAngle += 10;
            EXPECT_EQ(nBaseline + OwnedElements(doc), CElement::GetLiveCount());
        }
        EXPECT_EQ(3 + 5 * 3, OwnedElements(doc));
        for (int i = 0; i < 7; i++)
        {
            doc.Undo();
            EXPECT_EQ(nBaseline + OwnedElements(doc), CElement::GetLiveCount());
        }
        for (int i = 0; i < 3; i++)
            doc.Redo();
        AddRectangle(doc, 50);                // drops the redo levels
        EXPECT_EQ(nBaseline + OwnedElements(doc), CElement::GetLiveCount());

        // No object is in two lists.
        std::vector<CElement*> all;
        auto collect = [&all](CElementList& list) {
            for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
                all.push_back(list.GetNext(pos));
        };
        collect(doc.m_listElements);
        for (int i = 0; i < UNDO_LEVELS; i++)
        {
            collect(doc.m_listUndo[i]);
            collect(doc.m_listRedo[i]);
        }
        std::sort(all.begin(), all.end());
        EXPECT_TRUE(std::adjacent_find(all.begin(), all.end()) == all.end());
    }
    EXPECT_EQ(nBaseline, CElement::GetLiveCount());
}
