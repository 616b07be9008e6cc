// Undo and redo levels carry the design size with the elements: a change of size and the
// scaling of its elements come back together at every depth of the stacks.

#include "doc_test_support.h"
#include "Elements.h"

#include <string>
#include <utility>
#include <vector>

namespace
{
// One change of size as the view makes it: a level, then the elements scaled and the
// design given the new size.
void ChangeSize(CVarnelDoc& doc, int nWidth, int nHeight)
{
    doc.PushUndo();
    doc.ScaleElements(doc.m_nDesignWidth, doc.m_nDesignHeight, nWidth, nHeight);
    doc.m_nDesignWidth = nWidth;
    doc.m_nDesignHeight = nHeight;
}

std::pair<int, int> Size(const CVarnelDoc& doc)
{
    return std::make_pair(doc.m_nDesignWidth, doc.m_nDesignHeight);
}
}

TEST(UndoDesignSize, SizesComeBackWithTheirElementsThroughAllLevels)
{
    CVarnelDoc doc;
    doc.m_nDesignWidth = 600;
    doc.m_nDesignHeight = 450;
    doc.m_listElements.AddTail(new CRectangle(CPoint(300, 100), CPoint(600, 400)));

    // six changes: the oldest state drops out of the five levels
    const int aWidths[] = {500, 400, 300, 800, 700, 200};
    std::vector<std::pair<int, int>> sizes;
    std::vector<std::string> designs;
    for (int nWidth : aWidths)
    {
        sizes.push_back(Size(doc));
        designs.push_back(Design(doc));
        ChangeSize(doc, nWidth, nWidth / 2);
    }
    const std::pair<int, int> sizeLast = Size(doc);
    const std::string designLast = Design(doc);

    for (int i = 0; i < UNDO_LEVELS; i++)
    {
        doc.Undo();
        EXPECT_EQ(sizes[5 - i], Size(doc)) << "undo " << i + 1;
        EXPECT_EQ(designs[5 - i], Design(doc)) << "undo " << i + 1;
    }
    EXPECT_FALSE(doc.CanUndo());
    doc.Undo();
    EXPECT_EQ(sizes[1], Size(doc));

    for (int i = 0; i < UNDO_LEVELS - 1; i++)
    {
        doc.Redo();
        EXPECT_EQ(sizes[2 + i], Size(doc)) << "redo " << i + 1;
    }
    doc.Redo();
    EXPECT_EQ(sizeLast, Size(doc));
    EXPECT_EQ(designLast, Design(doc));

    // an edit that keeps the size, undone, keeps it
    doc.PushUndo();
    doc.m_listElements.GetHead()->SetRect(0, 0, 10, 10);
    doc.Undo();
    EXPECT_EQ(sizeLast, Size(doc));
    EXPECT_EQ(designLast, Design(doc));
}
