// VarnelDoc.h - CVarnelDoc, the document of one publication.
//
// Notes
// - The document owns its elements: every element object is in exactly one of the element
//   list, one undo level or one redo level. The selection only refers to elements of the
//   element list.
// - Sizes are in hundredths of an inch; colours are ARGB.
// - Implementation: VarnelDoc.cpp (construction, data), VarnelDocFile.cpp (file format),
//   VarnelDocUndo.cpp (undo and redo).

#pragma once

#include "afxwnd.h"
#include "ElementStream.h"
#include "SelectionTracker.h"

class CElement;

const int UNDO_LEVELS = 5;

// CVarnelDoc holds the elements, selection, snapshots, sizes, colours and data source of a
// publication.
class CVarnelDoc : public COleDocument
{
    DECLARE_DYNCREATE(CVarnelDoc)

public:
    CVarnelDoc();
    virtual ~CVarnelDoc();

    // Overrides
    virtual void Serialize(CArchive& ar) override;

    // File format (VarnelDocFile.cpp)
    // Fields 1 to 5 of the file. Storing writes them; loading reads the version and the
    // publication type into the arguments and answers FALSE when the format tag is wrong.
    BOOL ReadWriteHeader(CArchive& ar, int& nVersion, int& nPublicationType);
    // Kind code from the element's class name.
    void AssignElementKind(CElement* pElement);
    // Gives every element its kind and the document's shadow colour and length.
    void ApplyElementSettings();

    // Undo and redo (VarnelDocUndo.cpp)
    void PushUndo();
    void Undo();
    void Redo();
    BOOL CanUndo() const { return m_nUndoLevels > 0; }
    BOOL CanRedo() const { return m_nRedoLevels > 0; }
    int GetUndoLevels() const { return m_nUndoLevels; }
    int GetRedoLevels() const { return m_nRedoLevels; }

    // Operations
    // TRUE when any element, on either side, is a background picture.
    BOOL HasBackground();
    // Reads "ShadowColor" and "ShadowLength" of the options key; unreadable values leave
    // the fields as they are.
    void ReadShadowOptions();
    // Scales every element from a design of nOldWidth x nOldHeight to one of nNewWidth x
    // nNewHeight (single-precision ratios, products truncated), through ResizeRect.
    void ScaleElements(int nOldWidth, int nOldHeight, int nNewWidth, int nNewHeight);
    // Zoom that shows a design of the size whole: 1.0 up to 500 x 500, else 0.5 for a
    // width above 800, else 0.75 (0.5 for a height above 800). FitViewsZoom applies it.
    static float GetZoomForDesign(int nDesignWidth, int nDesignHeight);
    // Empties the selection list and the tracker.
    void ClearSelection();
    // Frees the loaded data table; the document is then without data source table.
    void FreeDataTable();

    // Member variables
    CString** m_pDataRows;              // rows of m_nDataColumns values; row 0 the names
    int m_nDataRows;                    // rows including the names row; -1 without source
    int m_nDataColumns;
    int m_nDesignWidth;
    int m_nDesignHeight;
    int m_nSheetWidth;
    int m_nSheetHeight;
    int m_nPublicationType;             // 0 Label .. 6 Sign
    WORD m_nCurrentTool;                // 100 pointer, else a kind code
    CElementList m_listElements;        // head = bottom of the z-order
    CElementList m_listSelection;       // elements of m_listElements; not owned
    CSelectionTracker m_tracker;
    CElementList m_listUndo[UNDO_LEVELS];   // level 0 newest
    CElementList m_listRedo[UNDO_LEVELS];   // level 0 newest
    DWORD m_clrBackgroundFront;
    DWORD m_clrBackgroundBack;
    DWORD m_clrShadow;
    int m_nShadowLength;
    CString m_strDataSource;            // data-source description, empty for none
    int m_nSide;                        // 1 front, 2 back

protected:
    int m_nUndoLevels;                  // undo levels in use, snapshots of empty designs too
    int m_nRedoLevels;                  // redo levels in use
};
