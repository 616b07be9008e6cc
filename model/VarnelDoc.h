// VarnelDoc.h - CVarnelDoc, the document of one publication.
//
// Notes
// - The document owns its elements: every element object is in exactly one of the element
//   list, one undo level or one redo level. The selection only refers to elements of the
//   element list.
// - Sizes are in hundredths of an inch; colours are ARGB.
// - Implementation: VarnelDoc.cpp (construction, data), VarnelDocFile.cpp (file format),
//   VarnelDocUndo.cpp (undo and redo), VarnelDocLife.cpp (new, open, save, tip of the
//   day, zoom), VarnelDocElements.cpp (new elements), VarnelDocCommands.cpp (insert
//   commands and update handlers), VarnelDocTemplate.cpp (template file and preview).

#pragma once

#include "afxwnd.h"
#include "ElementStream.h"
#include "SelectionTracker.h"

class CDataTable;
class CElement;

namespace Gdiplus
{
class Bitmap;
}

const int UNDO_LEVELS = 5;

// Update hint: the design views take the zoom that shows the design whole
// (CVarnelDoc::GetZoomForDesign).
const LPARAM HINT_FIT_ZOOM = 0x5A4F;

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
    virtual BOOL OnNewDocument() override;
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
    // Asks for the file in the Save dialog when no path is given; a failed save leaves
    // any existing file as it was.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE) override;

    // Template file and preview (VarnelDocTemplate.cpp)
    // bPreview TRUE: reads the template (when a path is given) into this document and
    // returns a new picture of its design, owned by the caller. bPreview FALSE: writes
    // the publication as a template without background pictures and without the
    // data-source description, and returns NULL. File errors are thrown.
    virtual Gdiplus::Bitmap* SaveOrPreviewTemplate(CString strTemplatePath,
                                                   CString strBackgroundPath, BOOL bPreview);

    // Life cycle (VarnelDocLife.cpp)
    // The new publication from the wizard's choice: the template (unless blank) read and
    // given the shadow options, the design size and type taken and the elements scaled
    // to it, the background picture (unless blank) put under everything on side 1.
    void BuildNewPublication(const CString& strTemplatePath, const CString& strBackgroundPath,
                             int nWidth, int nHeight, int nPublicationType, BOOL bBlankDesign);
    // TRUE when a publication other than this one is open.
    BOOL IsOtherDocumentOpen() const;
    // TRUE when another open publication has the file of this path.
    BOOL IsPathOfOtherDocument(LPCTSTR lpszPathName) const;
    // The steps after a publication or template has been read: kinds and shadow
    // settings, the data source reloaded from its description, all views updated.
    // strFileFolder is the folder of the file read (see ReconnectDataSource).
    void OnDocumentLoaded(const CString& strFileFolder = CString());
    // Loads the table of the data-source description. On failure the user is told why,
    // the description is kept and the document keeps the table it had.
    // A delimited-text file named without a folder is read from strFileFolder (a
    // publication that travels with its address list); the description stays as stored.
    BOOL ReconnectDataSource(const CString& strFileFolder = CString());
    // Shows the tip of the day (through the document host) when the option "ShowTip" is
    // 1 and stores the dialog's show-at-start-up state.
    void ShowTipOfTheDay();
    // Sets the zoom of every design view from the design size (through HINT_FIT_ZOOM).
    void FitViewsZoom();
    // Key of the application's options under HKEY_CURRENT_USER.
    static CString GetOptionsKeyPath();

    // File format (VarnelDocFile.cpp)
    // Fields 1 to 5 of the file. Storing writes them; loading reads the version and the
    // publication type into the arguments and answers FALSE when the format tag is wrong.
    BOOL ReadWriteHeader(CArchive& ar, int& nVersion, int& nPublicationType);
    // Kind code from the element's class name.
    void AssignElementKind(CElement* pElement);
    // Gives every element its kind and the document's shadow colour and length.
    void ApplyElementSettings();

    // Undo and redo (VarnelDocUndo.cpp); a level holds the elements and the design size.
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
    // Frees the loaded data table and takes the rows of table, which is left empty.
    void TakeDataTable(CDataTable& table);

    // New elements (VarnelDocElements.cpp)
    // Takes pElement (owned from then on, deleted when it cannot be taken) as the newest
    // element of the shown side: an undo snapshot first, then the element on top of the
    // z-order, the only selection, the document modified and all views updated. FALSE for
    // NULL.
    BOOL AddNewElement(CElement* pElement);

    // Command handlers (VarnelDocCommands.cpp)
    afx_msg BOOL OnToolCommand(UINT nID);
    afx_msg void OnUpdateToolCommand(CCmdUI* pCmdUI);
    afx_msg void OnInsertDbText();
    afx_msg void OnInsertClipArt();
    afx_msg void OnSelectBackground();
    afx_msg void OnRemoveBackground();
    afx_msg void OnUpdateUndo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRedo(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedElements(CCmdUI* pCmdUI);
    afx_msg void OnUpdateAlways(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedTwoSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedOneSelected(CCmdUI* pCmdUI);
    afx_msg void OnUpdateMergeDbTexts(CCmdUI* pCmdUI);
    afx_msg void OnUpdateSelectBackground(CCmdUI* pCmdUI);
    afx_msg void OnUpdateRemoveBackground(CCmdUI* pCmdUI);

    // Tool code of a tool command; 0 for any other command.
    static WORD GetToolOfCommand(UINT nID);
    // Removes and deletes the background pictures of the shown side; TRUE when any.
    BOOL RemoveShownBackground();

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
    CSize m_sizeUndo[UNDO_LEVELS];      // design size of each undo level
    CSize m_sizeRedo[UNDO_LEVELS];      // design size of each redo level
    DWORD m_clrBackgroundFront;
    DWORD m_clrBackgroundBack;
    DWORD m_clrShadow;
    int m_nShadowLength;
    CString m_strDataSource;            // data-source description, empty for none
    int m_nSide;                        // 1 front, 2 back

protected:
    int m_nUndoLevels;                  // undo levels in use, snapshots of empty designs too
    int m_nRedoLevels;                  // redo levels in use

    DECLARE_MESSAGE_MAP()
};
