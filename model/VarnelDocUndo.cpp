// VarnelDocUndo.cpp - five levels of undo and redo snapshots.
//
// A level is a list of element objects and the design size they were laid out on; the
// level counts say how many levels are in use, so a snapshot of an empty design is a
// level too.

#include "VarnelDoc.h"
#include "Element.h"

namespace
{
// Moves every element of src to the empty list dst.
void MoveElements(CElementList& dst, CElementList& src)
{
    dst.AddTail(&src);
    src.RemoveAll();
}

// Drops the oldest level and moves the others one level older; level 0 is then empty.
void ShiftOlder(CElementList levels[UNDO_LEVELS], CSize sizes[UNDO_LEVELS])
{
    DeleteElements(levels[UNDO_LEVELS - 1]);
    for (int i = UNDO_LEVELS - 1; i > 0; i--)
    {
        MoveElements(levels[i], levels[i - 1]);
        sizes[i] = sizes[i - 1];
    }
}

// Moves every level one level newer; the oldest is then empty.
void ShiftNewer(CElementList levels[UNDO_LEVELS], CSize sizes[UNDO_LEVELS])
{
    for (int i = 0; i < UNDO_LEVELS - 1; i++)
    {
        MoveElements(levels[i], levels[i + 1]);
        sizes[i] = sizes[i + 1];
    }
}

int Grow(int nLevels)
{
    return nLevels < UNDO_LEVELS ? nLevels + 1 : UNDO_LEVELS;
}
}

// Stores clones of the current design and its size as the newest undo level and empties redo.
void CVarnelDoc::PushUndo()
{
    CElementList snapshot;
    try
    {
        for (POSITION pos = m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = m_listElements.GetNext(pos);
            CElement* pClone = pElement->Clone();
            pClone->m_bLocked = pElement->m_bLocked;
            pClone->m_nShadowLength = m_nShadowLength;
            snapshot.AddTail(pClone);
        }
    }
    catch (...)
    {
        DeleteElements(snapshot);
        throw;
    }

    for (int i = 0; i < UNDO_LEVELS; i++)
        DeleteElements(m_listRedo[i]);
    m_nRedoLevels = 0;

    ShiftOlder(m_listUndo, m_sizeUndo);
    MoveElements(m_listUndo[0], snapshot);
    m_sizeUndo[0] = CSize(m_nDesignWidth, m_nDesignHeight);
    m_nUndoLevels = Grow(m_nUndoLevels);
}

// Exchanges the design with the newest undo level; the design becomes the newest redo level.
void CVarnelDoc::Undo()
{
    if (m_nUndoLevels == 0)
        return;
    ClearSelection();

    ShiftOlder(m_listRedo, m_sizeRedo);
    MoveElements(m_listRedo[0], m_listElements);
    m_sizeRedo[0] = CSize(m_nDesignWidth, m_nDesignHeight);
    m_nRedoLevels = Grow(m_nRedoLevels);

    MoveElements(m_listElements, m_listUndo[0]);
    m_nDesignWidth = m_sizeUndo[0].cx;
    m_nDesignHeight = m_sizeUndo[0].cy;
    ShiftNewer(m_listUndo, m_sizeUndo);
    m_nUndoLevels--;
}

// Exchanges the design with the newest redo level; the design becomes the newest undo level.
void CVarnelDoc::Redo()
{
    if (m_nRedoLevels == 0)
        return;
    ClearSelection();

    ShiftOlder(m_listUndo, m_sizeUndo);
    MoveElements(m_listUndo[0], m_listElements);
    m_sizeUndo[0] = CSize(m_nDesignWidth, m_nDesignHeight);
    m_nUndoLevels = Grow(m_nUndoLevels);

    MoveElements(m_listElements, m_listRedo[0]);
    m_nDesignWidth = m_sizeRedo[0].cx;
    m_nDesignHeight = m_sizeRedo[0].cy;
    ShiftNewer(m_listRedo, m_sizeRedo);
    m_nRedoLevels--;
}
