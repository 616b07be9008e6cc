// PropSheet.h - CModelessPropSheet, the element property sheet of the Properties bar: the
// pages that fit the kind of the single selected element, loaded from it and written
// back to it when a page asks.
//
// Notes
// - The sheet remembers the element and document it was loaded from; the design view
//   applies the pages only to that element, so values never land in another element.
// - The host (the Properties bar) registers the sheet as the program's property sheet.
// - Each page shows at the size its template has at the page's own font; the sheet grows
//   to hold it, and the host takes its size from the sheet after creation.

#pragma once

#include "PropertyPages.h"

class CElement;
class CVarnelDoc;

class CModelessPropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CModelessPropSheet)

public:
    CModelessPropSheet(CWnd* pParent, int nKind);
    virtual ~CModelessPropSheet();

    // The program's property sheet (the one its host registered), or NULL.
    static CModelessPropSheet* GetPropertiesSheet();
    static void SetPropertiesSheet(CModelessPropSheet* pSheet);

    // Removes every page and adds the pages of the element kind (99 nothing selected).
    void SetPagesForKind(short nKind, int nUnused = 0);
    // The kind whose pages the sheet holds.
    short GetPagesKind() const { return m_nPagesKind; }

    // Element to pages; the element and its document become the sheet's target.
    void LoadLineElement(CElement* pElement);
    void LoadShapeElement(CElement* pElement);
    void LoadTextElement(CElement* pElement);
    void LoadDbTextElement(CElement* pElement, CVarnelDoc* pDoc);
    // Pages to element.
    void ApplyLine(CElement* pElement);
    void ApplyShape(CElement* pElement);
    void ApplyText(CElement* pElement);
    void ApplyDbText(CElement* pElement);
    // Writes the pages of the element's kind to it.
    void ApplyTo(CElement* pElement);
    // Forgets the target: the pages apply to nothing until the next load.
    void SetTarget(CElement* pElement, CVarnelDoc* pDoc);

    // The active view of the main frame's active frame (where pages send their request).
    CView* GetTargetView();

    virtual BOOL OnInitDialog() override;
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter in a field of a page applies that field, as leaving it does; the main window's
    // keys the fields do not use reach the frames.
    virtual BOOL PreTranslateMessage(MSG* pMsg) override;
    // Applies the edit box or closed combo box of the page in front that holds the window;
    // FALSE when it is in none.
    BOOL ApplyField(HWND hWnd);
    // Applies the field of the program's sheet that has the focus, so that a value typed
    // there counts before a command or a close runs.
    static void ApplyFieldInFocus();

    // Gives the page in front the size its template has at its own font (the system
    // sizes pages at the sheet's font), and grows the sheet to hold it (bExact: gives the
    // sheet just the size that holds it).
    void FitActivePage(BOOL bExact = FALSE);

    CPropBlank m_pageBlank;
    CPropLine m_pageLine;
    CPropShape m_pageShape;
    CPropShapeGeneral m_pageGeneral;
    CPropText m_pageText;
    CFontPage m_pageFont;

    CElement* m_pTarget;            // element the pages were loaded from; not owned
    CVarnelDoc* m_pTargetDoc;       // its document
    BOOL m_bTyping;                 // the request comes from typing in the Text page

protected:
    short m_nPagesKind;             // kind of the pages added last
    void AddPagesForKind(int nKind);
    // Exchanges the pages' fields to their controls where they exist.
    void ShowPageData(CPropertyPage* pPage);

    static CModelessPropSheet* s_pSheet;
};
