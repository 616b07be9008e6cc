// afxpriv.h - implementation classes of the class library that programs may use.
//
// Declares: CPreviewDC, CPreviewView.
//
// Notes
// - Print preview draws each page through a CPreviewDC: its attribute DC is the
//   printer's, so the view measures and maps as on paper; its output DC is the
//   preview window's, mapped with the same extents scaled by the page's size on
//   the screen against its size on paper and moved to the page's place. The
//   output DC starts with the printer DC's font, so text keeps its size on paper.
// - A preview page is the whole sheet of paper: the printable area stands at the
//   printer's physical offsets, and what a page draws beyond it (into the
//   unprintable margins) shows where it lies on the sheet.
// - CPreviewView takes the main frame's pane while the preview shows. It owns
//   the CPrintInfo of the preview, the printer DC and the CPrintPreviewState;
//   closing the preview (AFX_ID_PREVIEW_CLOSE, or closing the frame) destroys
//   it and gives the frame back its pane, menu and bars.

#pragma once

#ifndef __AFXPRIV_H__
#define __AFXPRIV_H__

#include "afxwin.h"

/////////////////////////////////////////////////////////////////////////////
// CPreviewDC: draws on the screen what a printer DC would print.

class CPreviewDC : public CDC
{
    DECLARE_DYNAMIC(CPreviewDC)
public:
    CPreviewDC();
    virtual ~CPreviewDC();

    // Screen pixels per printer pixel, as fractions, and the screen position of
    // the page's device origin (output device units).
    void SetScaleRatio(int nNumX, int nDenomX, int nNumY, int nDenomY);
    void SetTopLeftOffset(CPoint ptOffset);
    // Mirrors the attribute DC's mapping (and font) onto the output DC.
    void MirrorMappingMode();
    void MirrorFont();

    virtual void SetAttribDC(HDC hDC) override;
    virtual void SetOutputDC(HDC hDC) override;
    virtual void ReleaseOutputDC() override;

    virtual int SaveDC() override;
    virtual BOOL RestoreDC(int nSavedDC) override;
    virtual int SetMapMode(int nMapMode) override;
    virtual CPoint SetViewportOrg(int x, int y) override;
    virtual CPoint OffsetViewportOrg(int nWidth, int nHeight) override;
    virtual CSize SetViewportExt(int cx, int cy) override;
    virtual CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom) override;
    virtual CSize SetWindowExt(int cx, int cy) override;
    virtual CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom) override;
    // A font is selected into the printer DC and copied for the output DC.
    virtual CFont* SelectObject(CFont* pFont) override;
    virtual CGdiObject* SelectStockObject(int nIndex) override;

    using CDC::SelectObject;
    using CDC::SetViewportOrg;
    using CDC::SetViewportExt;
    using CDC::SetWindowExt;

protected:
    int m_nNumX, m_nDenomX;         // screen pixels per printer pixel, horizontally
    int m_nNumY, m_nDenomY;         // ... vertically
    CPoint m_ptOffset;              // page origin on the output DC
    CUIntArray m_outputLevels;      // output DC's save level for each attribute DC level
    CPtrList m_listMirrorFonts;     // HFONT copies of the printer's fonts made for the output DC
                                    // (kept until the output DC is released: saved DC states
                                    // may select them again)
};

/////////////////////////////////////////////////////////////////////////////
// CPreviewView: the pages of a print job on the screen.

class CPreviewView : public CScrollView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    virtual ~CPreviewView();

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    // Starts the preview of pPrintView's pages; FALSE when its printing could
    // not be prepared (no printer, or the view refused).
    BOOL SetPrintView(CView* pPrintView);
    void SetCurrentPage(UINT nPage, BOOL bClearRatios);
    void SetZoomState(UINT nNewState, UINT nPage, CPoint point);
    // Shows "Page n" or "Pages n-m" in the frame's message bar.
    virtual void OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed);
    // Screen rectangle (client coordinates, no scrolling) of displayed page i: the
    // whole sheet of paper.
    CRect GetPageRect(UINT nIndex) const;

    virtual void OnDraw(CDC* pDC) override;

    // Implementation state
    CPrintPreviewState* m_pPreviewState;    // owned
    CWnd* m_pToolBar;               // the preview's bar (owned window)
    CView* m_pOrigView;             // view that started the preview
    CView* m_pPrintView;            // view that draws the pages
    CPreviewDC* m_pPreviewDC;       // owned
    CDC m_dcPrint;                  // printer DC (attached, owned by m_pPreviewInfo)
    CPrintInfo* m_pPreviewInfo;     // owned
    UINT m_nPages;                  // pages shown side by side (1 or 2)
    UINT m_nZoomState;              // ZOOM_OUT, ZOOM_MIDDLE, ZOOM_IN
    UINT m_nCurrentPage;            // first page shown
    UINT m_nMaxPages;               // pages shown at most at once (2)
    CSize m_sizePage;               // printable area, printer pixels
    CSize m_sizePaper;              // the whole sheet, printer pixels
    CPoint m_ptPrintOffset;         // printable area's corner on the sheet, printer pixels
    CSize m_sizePrinterPPI;         // printer pixels per inch

    void PositionPages();           // page rectangles and scroll sizes

protected:
    BOOL FindPageRect(CPoint point, UINT& nPage);
    CRect m_rectPages[2];           // page rectangles, document coordinates of the view

public:
    afx_msg void OnPreviewClose();
    afx_msg void OnNumPageChange();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnPreviewPrint();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

#endif // __AFXPRIV_H__
