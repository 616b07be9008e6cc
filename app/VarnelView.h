// VarnelView.h - CVarnelView, the design view of a publication.
//
// Notes
// - Document units are hundredths of an inch; the view maps them to pixels through its
//   zoom factor (one unit per pixel at 1.0).
// - The document's elements are borrowed; an element being drawn by an insert tool
//   belongs to the view until the document takes it.

#pragma once

#include "afxwin.h"

class CVarnelDoc;

// CVarnelView shows the page of the shown side of a publication at a zoom factor.
class CVarnelView : public CScrollView
{
    DECLARE_DYNCREATE(CVarnelView)

protected:
    CVarnelView();

public:
    virtual ~CVarnelView();

    CVarnelDoc* GetDocument() const;

    // Zoom
    // Stores the zoom factor; the next drawing and scroll sizing use it.
    void SetZoom(float fZoom) { m_fZoom = fZoom; }
    float GetZoom() const { return m_fZoom; }

    // Overrides
    virtual void OnDraw(CDC* pDC) override;
    virtual void OnInitialUpdate() override;
    // HINT_FIT_ZOOM takes the zoom that shows the design whole; every hint redraws.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;

    // Database commands
    // Runs the data-source dialog; OK gives the document the new table and description and
    // keeps the bindings of database texts whose columns the new source has (by name).
    void SetDatabase();
    // Asks before the data source of a document with database texts is replaced.
    void ConfirmAndSetDatabase();
    // Runs the data-entry dialog on a copy of the document's table; OK replaces the table.
    void EditDatabaseData();
    afx_msg void OnDatabaseSettings();
    afx_msg void OnViewDatabaseData();
    afx_msg void OnMergeDbTexts();

    // Member variables
    float m_fZoom;                  // 0.25 to 3.0
    float m_fSavedZoom;             // zoom kept across printing
    BOOL m_bMergeHintShown;         // the merge hint of the database texts was shown

protected:
    DECLARE_MESSAGE_MAP()
};
