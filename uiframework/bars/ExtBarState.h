// ExtBarState.h - the stored layout of a frame's bars: the records of the stream kept
// under the profile's "ControlBar" key of the registry store, and their restore.
//
// Notes
// - A load first reads and checks the whole stream (counts, lengths and nesting against
//   the bytes that remain), then resolves every bar id, and only then changes the frame.
//   Records of bars the frame does not have are skipped.
// - A failure after the frame began to change shows every bar again; the caller then
//   docks its default layout.
// - A tab group is a KIND_TABS record whose children are its tabs in order (CHILD | TAB,
//   the selected one also SELECTED_TAB). Auto-hidden bars keep their dock places in the
//   records; the id list names one bar per item group of the frame-edge auto-hide areas
//   (the shown item), and the restore auto-hides those bars after the places.

#pragma once

#include "ExtDockBar.h"

class CExtDynTabControlBar;

// Layout record of a fixed-size or floating bar.
struct CExtControlBar::OuterItemData_t
{
    UINT m_nBarID;
    CPoint m_ptFloatHelper;
    CSize m_sizeDockedH;
    CSize m_sizeDockedV;
    CSize m_sizeFloated;
    OuterLayoutData_t m_ald;
    bool m_bFloating;

    OuterItemData_t();
    void Serialize(CArchive& ar);
};

// One resizable bar (with the bars of a container as children).
class CExtControlBar::InternalDockStateBar : public CObject
{
public:
    enum
    {
        KIND_MASK = 0x003,
        KIND_PLAIN = 0x001,
        KIND_CONTAINER = 0x002,
        KIND_TABS = 0x003,
        VISIBLE = 0x010,
        FLOATING_CONTAINER = 0x020,
        NEW_ROW = 0x040,
        CHILD = 0x080,
        TAB = 0x100,
        SELECTED_TAB = 0x200,
        AUTO_HIDDEN = 0x400,
    };
    // Records nested deeper than this are refused.
    static const int MAX_DEPTH = 8;
    // Smallest stored record (all fields, no children).
    static const UINT MIN_RECORD_BYTES = 128;

    InternalDockStateBar();
    virtual ~InternalDockStateBar();

    void InitMembers();
    void Clear();
    void Serialize(CArchive& ar, int nDepth = 0);
    // Capture of one bar (storing direction).
    void StateGet(CExtControlBar* pBar, InternalDockStateBar* pParent);
    // The stored values given to the resolved bar.
    void ApplyValues();

    UINT m_nBarID;
    UINT m_nDockBarID;
    UINT m_nCircleNo;
    UINT m_nMRUWidth;
    DWORD m_dwBarStyle;
    DWORD m_dwFlags;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptFloatPos;
    CPoint m_ptMRUFloatPos;
    CRect m_rcMRUDockPos;
    CRect m_rcFloatingFrame;
    DWORD m_dwFloatingFrameStyle;
    int m_nRowExtent;
    CRect m_rcReserved;
    CSize m_sizeDockedH;
    CSize m_sizeDockedV;
    CSize m_sizeFloated;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrChildStates;

    // Not stored
    CExtControlBar* m_pHelperBar;       // a rebuilt group: the group
    int m_nHelperActiveTabIndex;        // a rebuilt group: the tab to select, -1 none
};

// The stored layout of one frame.
class CExtControlBar::InternalDockStateSite : public CObject
{
public:
    explicit InternalDockStateSite(CFrameWnd* pDockSite);
    virtual ~InternalDockStateSite();

    void Clear();
    virtual void Serialize(CArchive& ar) override;
    // Gives the loaded state to the frame; FALSE (with every bar shown) on failure.
    bool StateSet(bool bApplyPlacement);
    void StateGet();

    // Resolves every record to a bar of the frame; FALSE when the state cannot apply.
    bool ResolveAll();

    CArray<OuterItemData_t, OuterItemData_t&> m_arrOuterProps;
    CFrameWnd* m_pDockSite;
    WINDOWPLACEMENT m_wp;
    CDockState* m_pState;
    CArray<InternalDockStateBar*, InternalDockStateBar*> m_arrBarStates;
    CArray<UINT, UINT> m_arrAutoHideOrder;

protected:
    void RestoreBar(InternalDockStateBar* pRec, InternalDockStateBar* pPrev);
    // The first member takes the group record's place, the group is built around it
    // and the other members join in stored order.
    void RestoreGroup(InternalDockStateBar* pRec, InternalDockStateBar* pPrev);
    // The group of the record around its first member, which already stands in place.
    void BuildGroup(InternalDockStateBar* pRec, InternalDockStateBar* pFirst);
    CExtDynTabControlBar* MakeGroupAround(CExtControlBar* pBar);
    // The stored ids of auto-hidden bars go to the areas of their frame edges.
    void ApplyAutoHide();
    void ShowAllBars();

private:
    // The steps of StateSet
    void ApplyPlacement();
    void TakeBarsFromTheirPlaces();
    void RestoreFixedSizeBars();
    void ApplyValuesAfterLayout();
};

// The placement text of the stream ("%d,%d,%d,%d,%d,%d"); FALSE for anything but six
// numbers in range (coordinates within +-32000, a non-empty rectangle, a known show
// command).
bool ExtBarStateParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp);
// The rectangle moved (and cut) onto the work area of the nearest monitor.
CRect ExtBarStateKeepOnWorkArea(const CRect& rc);
