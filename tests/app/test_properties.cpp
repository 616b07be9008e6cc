// The element property sheet: pages per element kind, loading, the pages' corrections,
// applying to the element it was loaded from, undo levels, and the pickers.

#include "doc_program.h"
#include "test_support.h"
#include "app/PropSheet.h"
#include "model/Elements.h"
#include "resources/properties_resource.h"

namespace
{

class ElementProperties : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDoc = NewDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
        CWnd* pMain = AfxGetMainWnd();
        m_pSheet = new CModelessPropSheet(pMain, 99);
        ASSERT_TRUE(m_pSheet->Create(pMain, WS_CHILD | WS_VISIBLE));
        CModelessPropSheet::SetPropertiesSheet(m_pSheet);
    }
    void TearDown() override
    {
        CModelessPropSheet::SetPropertiesSheet(NULL);
        m_pSheet->DestroyWindow();
        delete m_pSheet;
    }

    CVarnelDoc* NewDoc()
    {
        CVarnelDoc* pDoc = m_program.NewPlainDoc();
        pDoc->m_nDesignWidth = 600;
        pDoc->m_nDesignHeight = 400;
        return pDoc;
    }

    template <typename T>
    T* Add(CVarnelDoc* pDoc, T* pElement)
    {
        pElement->m_nSide = 1;
        pDoc->m_listElements.AddTail(pElement);
        return pElement;
    }
    // Selects the element as a click does and loads the sheet.
    void SelectOnly(CVarnelDoc* pDoc, CVarnelView* pView, CElement* pElement)
    {
        pDoc->m_tracker.RemoveAll();
        pDoc->m_listSelection.RemoveAll();
        pDoc->m_tracker.Add(pElement);
        pDoc->m_listSelection.AddHead(pElement);
        pView->ShowElementProperties(pElement, FALSE);
    }
    CPropertyPage* Page(int nIndex)
    {
        m_pSheet->SetActivePage(nIndex);
        return m_pSheet->GetPage(nIndex);
    }
    // Types a text into a page's control and leaves it, as the user does.
    void Type(CPropertyPage* pPage, int nID, LPCSTR pszText)
    {
        pPage->SetDlgItemText(nID, pszText);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, EN_KILLFOCUS), (LPARAM)pPage->GetDlgItem(nID)->m_hWnd);
    }
    // A key typed into the text edit: its new text and the change notification.
    void Typed(CPropertyPage* pPage, LPCSTR pszText)
    {
        pPage->SetDlgItemText(IDC_TEXT_EDIT, pszText);
        pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEXT_EDIT, EN_CHANGE),
                           (LPARAM)pPage->GetDlgItem(IDC_TEXT_EDIT)->m_hWnd);
    }
    CString Text(CPropertyPage* pPage, int nID)
    {
        CString str;
        pPage->GetDlgItemText(nID, str);
        return str;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CModelessPropSheet* m_pSheet = NULL;
};

} // namespace

TEST_F(ElementProperties, PagesFollowTheKindOfTheSelection)
{
    EXPECT_EQ(1, m_pSheet->GetPageCount());
    EXPECT_EQ(&m_pSheet->m_pageBlank, m_pSheet->GetPage(0));

    CRectangle* pRect = Add(m_pDoc, new CRectangle(CPoint(10, 20), CPoint(110, 70)));
    SelectOnly(m_pDoc, m_pView, pRect);
    ASSERT_EQ(2, m_pSheet->GetPageCount());
    EXPECT_EQ(&m_pSheet->m_pageGeneral, m_pSheet->GetPage(0));
    EXPECT_EQ(&m_pSheet->m_pageShape, m_pSheet->GetPage(1));
    CPropertyPage* pGeneral = Page(0);
    EXPECT_EQ(CString("10"), Text(pGeneral, IDC_GENERAL_LEFT));
    EXPECT_EQ(CString("100"), Text(pGeneral, IDC_GENERAL_WIDTH));

    CLine* pLine = Add(m_pDoc, new CLine(CPoint(0, 0), CPoint(50, 50)));
    SelectOnly(m_pDoc, m_pView, pLine);
    ASSERT_EQ(1, m_pSheet->GetPageCount());
    EXPECT_EQ(&m_pSheet->m_pageLine, m_pSheet->GetPage(0));

    CText* pText = Add(m_pDoc, new CText(CPoint(0, 0), CPoint(80, 50)));
    pText->m_strText = "Hello";
    SelectOnly(m_pDoc, m_pView, pText);
    ASSERT_EQ(2, m_pSheet->GetPageCount());
    EXPECT_EQ(&m_pSheet->m_pageText, m_pSheet->GetPage(0));
    EXPECT_EQ(CString("Hello"), Text(Page(0), IDC_TEXT_EDIT));
    EXPECT_EQ(CString("Enter Text:"), Text(Page(0), IDC_TEXT_LABEL));
    EXPECT_EQ(&m_pSheet->m_pageFont, m_pSheet->GetPage(1));

    m_pView->ShowElementProperties(NULL, FALSE);
    EXPECT_EQ(&m_pSheet->m_pageBlank, m_pSheet->GetPage(0));
}

TEST_F(ElementProperties, GeneralPageCorrectsItsFieldsAndAppliesWithOneUndoLevelPerChange)
{
    CRectangle* pRect = Add(m_pDoc, new CRectangle(CPoint(10, 20), CPoint(110, 70)));
    SelectOnly(m_pDoc, m_pView, pRect);
    CPropertyPage* pPage = Page(0);
    const int nLevels = m_pDoc->GetUndoLevels();

    Type(pPage, IDC_GENERAL_LEFT, "12a");
    EXPECT_EQ(CString("12"), Text(pPage, IDC_GENERAL_LEFT));
    EXPECT_EQ(CRect(12, 20, 112, 70), pRect->GetRect());
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());

    // leaving a field without a change takes no level
    Type(pPage, IDC_GENERAL_LEFT, "12");
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());

    Type(pPage, IDC_GENERAL_TOP, "-");
    EXPECT_EQ(CString("0"), Text(pPage, IDC_GENERAL_TOP));
    Type(pPage, IDC_GENERAL_TOP, "3000");
    EXPECT_EQ(CString("0"), Text(pPage, IDC_GENERAL_TOP));
    Type(pPage, IDC_GENERAL_WIDTH, "1");
    EXPECT_EQ(CString("15"), Text(pPage, IDC_GENERAL_WIDTH));
    EXPECT_EQ(15, pRect->GetRect().Width());
    Type(pPage, IDC_GENERAL_ROTATION, "400");
    EXPECT_EQ(CString("40"), Text(pPage, IDC_GENERAL_ROTATION));
    EXPECT_EQ(40, pRect->m_nAngle);
    Type(pPage, IDC_GENERAL_ROTATION, "-725");
    EXPECT_EQ(CString("-5"), Text(pPage, IDC_GENERAL_ROTATION));
    Type(pPage, IDC_GENERAL_ROTATION, "0");
    EXPECT_EQ(CString("0"), Text(pPage, IDC_GENERAL_ROTATION));

    // a locked element still takes the page's position
    pRect->m_bLocked = TRUE;
    SelectOnly(m_pDoc, m_pView, pRect);
    pPage = Page(0);
    Type(pPage, IDC_GENERAL_LEFT, "40");
    EXPECT_EQ(40, pRect->GetRect().left);
    EXPECT_TRUE(pRect->m_bLocked);
}

TEST_F(ElementProperties, WidthOfAFreehandLineScalesItsPoints)
{
    CFreehandLine* pLine = Add(m_pDoc, new CFreehandLine(CPoint(0, 0), CPoint(0, 0)));
    pLine->AddPoint(CPoint(100, 100));
    pLine->AddPoint(CPoint(200, 150));
    pLine->RecalcRect();
    SelectOnly(m_pDoc, m_pView, pLine);
    Type(Page(0), IDC_GENERAL_WIDTH, "200");
    EXPECT_FLOAT_EQ(300.0f, pLine->m_pPoints[1].X);
    EXPECT_FLOAT_EQ(100.0f, pLine->m_pPoints[0].X);
}

TEST_F(ElementProperties, TypingInTheTextPageIsOneUndoLevel)
{
    CText* pText = Add(m_pDoc, new CText(CPoint(0, 0), CPoint(80, 50)));
    pText->m_strText = "A";
    SelectOnly(m_pDoc, m_pView, pText);
    CPropertyPage* pPage = Page(0);
    const int nLevels = m_pDoc->GetUndoLevels();
    for (LPCSTR psz : {"AB", "ABC", "ABCD"})
        Typed(pPage, psz);
    EXPECT_EQ(CString("ABCD"), pText->m_strText);
    EXPECT_EQ(nLevels + 1, m_pDoc->GetUndoLevels());

    // another edit starts a new level
    Type(pPage, IDC_TEXT_LEFT, "30");
    EXPECT_EQ(30, pText->GetRect().left);
    EXPECT_EQ(nLevels + 2, m_pDoc->GetUndoLevels());

    // a text of 256 characters is cut to 255 with the message
    m_boxes.Reset();
    Typed(pPage, CString('x', 256));
    EXPECT_EQ(255, Text(pPage, IDC_TEXT_EDIT).GetLength());
    ASSERT_GE(m_boxes.GetCount(), 1);
    EXPECT_STREQ("Text is too long, it will be truncated to 255 characters.", m_boxes.GetCall(0).m_strText);
}

TEST_F(ElementProperties, LinePageRefusesFourEqualValues)
{
    CLine* pLine = Add(m_pDoc, new CLine(CPoint(50, 50), CPoint(50, 80)));
    SelectOnly(m_pDoc, m_pView, pLine);
    CPropertyPage* pPage = Page(0);
    pPage->SetDlgItemText(IDC_LINE_LEFT, "50");
    pPage->SetDlgItemText(IDC_LINE_TOP, "50");
    pPage->SetDlgItemText(IDC_LINE_RIGHT, "50");
    m_boxes.Reset();
    Type(pPage, IDC_LINE_BOTTOM, "50");
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Please don't enter same values for Left, Top, Right and Bottom.", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(CString("55"), Text(pPage, IDC_LINE_BOTTOM));
    EXPECT_EQ(CRect(50, 50, 50, 55), pLine->GetRect());
}

TEST_F(ElementProperties, DatabaseTextFieldsAndBindings)
{
    m_pDoc->m_nDataColumns = 2;
    m_pDoc->m_nDataRows = 1;
    m_pDoc->m_pDataRows = new CString*[1];
    m_pDoc->m_pDataRows[0] = new CString[2];
    m_pDoc->m_pDataRows[0][0] = "Name";
    m_pDoc->m_pDataRows[0][1] = "City";

    CDbText* pText = Add(m_pDoc, new CDbText(CPoint(0, 0), CPoint(150, 30)));
    pText->m_strColumn = "";
    SelectOnly(m_pDoc, m_pView, pText);
    CPropertyPage* pPage = Page(0);
    CComboBox* pField = (CComboBox*)pPage->GetDlgItem(IDC_TEXT_FIELD);
    ASSERT_EQ(2, pField->GetCount());
    EXPECT_EQ(0, pField->GetCurSel());          // an empty binding shows the first column
    EXPECT_EQ(CString("Select Data Field:"), Text(pPage, IDC_TEXT_LABEL));
    EXPECT_FALSE(pPage->GetDlgItem(IDC_TEXT_EDIT)->IsWindowVisible());

    pField->SetCurSel(1);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEXT_FIELD, CBN_SELCHANGE), (LPARAM)pField->m_hWnd);
    EXPECT_EQ(CString("1"), pText->m_strColumn);
    EXPECT_EQ(CString("<<City>>"), pText->m_strText);

    // no field chosen: an empty binding, never "-1"
    pField->SetCurSel(-1);
    Type(pPage, IDC_TEXT_LEFT, "7");
    EXPECT_EQ(7, pText->GetRect().left);
    EXPECT_EQ(CString(""), pText->m_strColumn);

    // merged columns show no field and keep their binding
    pText->m_strColumn = "0-1";
    SelectOnly(m_pDoc, m_pView, pText);
    pPage = Page(0);
    EXPECT_EQ(-1, ((CComboBox*)pPage->GetDlgItem(IDC_TEXT_FIELD))->GetCurSel());
    Type(pPage, IDC_TEXT_LEFT, "9");
    EXPECT_EQ(CString("0-1"), pText->m_strColumn);
}

TEST_F(ElementProperties, PagesApplyOnlyToTheElementTheyWereLoadedFrom)
{
    CRectangle* pFirst = Add(m_pDoc, new CRectangle(CPoint(10, 10), CPoint(60, 60)));
    SelectOnly(m_pDoc, m_pView, pFirst);
    CPropertyPage* pPage = Page(0);

    // a second document becomes active with its own selected element
    CVarnelDoc* pOther = NewDoc();
    CVarnelView* pOtherView = m_program.ActiveView();
    ASSERT_NE(pOther, m_pDoc);
    CRectangle* pSecond = Add(pOther, new CRectangle(CPoint(200, 200), CPoint(260, 260)));
    pOther->m_tracker.Add(pSecond);
    pOther->m_listSelection.AddHead(pSecond);

    // the sheet was reloaded or blanked for the other document; a stale request does nothing
    pPage->SetDlgItemText(IDC_GENERAL_LEFT, "77");
    m_pSheet->m_pageGeneral.m_nLeft = 77;
    pOtherView->SendMessage(WM_APPLYPROPERTIES);
    EXPECT_EQ(200, pSecond->GetRect().left);
    EXPECT_EQ(10, pFirst->GetRect().left);
    EXPECT_NE(pFirst, m_pSheet->m_pTarget);
}

TEST_F(ElementProperties, FontPageBuildsTheSampleFont)
{
    CText* pText = Add(m_pDoc, new CText(CPoint(0, 0), CPoint(80, 50)));
    SelectOnly(m_pDoc, m_pView, pText);
    CFontPage& font = m_pSheet->m_pageFont;
    Page(1);
    font.m_strSize = "99";
    font.m_strStyle = "Bold Italic";
    font.m_strFace = "Arial";
    font.UpdateSampleFont();
    LOGFONT lf = {};
    font.m_fontSample.GetLogFont(&lf);
    EXPECT_EQ(99, lf.lfHeight);     // points, as the text is drawn
    font.m_fontShown.GetLogFont(&lf);
    EXPECT_EQ(-::MulDiv(99, font.m_nLogPixelsY, 72), lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    font.m_strSize = "150";
    font.UpdateSampleFont();
    EXPECT_EQ(CString("48"), font.m_strSize);

    // a face longer than a font name is cut with its terminator
    font.m_strFace = CString('F', 40);
    font.UpdateSampleFont();
    font.m_fontSample.GetLogFont(&lf);
    EXPECT_EQ(31u, strlen(lf.lfFaceName));
}

TEST_F(ElementProperties, FillPickerListsTheFillKinds)
{
    CRectangle* pRect = Add(m_pDoc, new CRectangle(CPoint(10, 10), CPoint(60, 60)));
    pRect->m_nFillKind = 7;
    pRect->m_clrFill = 0xFFFF7F00;
    SelectOnly(m_pDoc, m_pView, pRect);
    CPropertyPage* pPage = Page(1);
    CComboBox* pKinds = (CComboBox*)pPage->GetDlgItem(IDC_SHAPE_FILL_KIND);
    ASSERT_EQ(43, pKinds->GetCount());
    CString strFirst;
    pKinds->GetLBText(0, strFirst);
    EXPECT_EQ(CString("00:"), strFirst);
    EXPECT_EQ(7, pKinds->GetCurSel());
    CComboBox* pFill = (CComboBox*)pPage->GetDlgItem(IDC_SHAPE_FILL_COLOR);
    CString strColor;
    pFill->GetLBText(pFill->GetCurSel(), strColor);
    EXPECT_EQ(CString("Orange"), strColor);

    // choosing another kind and applying writes it to the element
    pKinds->SetCurSel(12);
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SHAPE_APPLY, BN_CLICKED), (LPARAM)pPage->GetDlgItem(IDC_SHAPE_APPLY)->m_hWnd);
    EXPECT_EQ(12, pRect->m_nFillKind);
}

/////////////////////////////////////////////////////////////////////////////
// The Properties bar

#include "app/PropertiesBar.h"

TEST(PropertiesBar, HoldsTheSheetDocksRightAndHidesOnClose)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 600)));
    ASSERT_TRUE(CExtControlBar::SetupFrameDocking(pFrame, CBRS_ALIGN_ANY, TRUE));
    CPropertiesBar* pBar = new CPropertiesBar(99);
    ASSERT_TRUE(pBar->Create("Properties", pFrame, 0xE900));
    ASSERT_TRUE(pBar->m_pSheet != NULL);
    EXPECT_EQ(pBar->m_pSheet, pBar->m_pPropSheet);
    EXPECT_EQ(pBar->m_pSheet, CModelessPropSheet::GetPropertiesSheet());
    EXPECT_EQ(&pBar->m_pSheet->m_pageBlank, pBar->m_pSheet->GetPage(0));
    ASSERT_TRUE(pBar->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    pFrame->RecalcLayout();
    CRect rectBar, rectFrame;
    pBar->GetWindowRect(&rectBar);
    pFrame->GetClientRect(&rectFrame);
    pFrame->ClientToScreen(&rectFrame);
    EXPECT_EQ(rectFrame.right, rectBar.right);

    pBar->SendMessage(WM_CLOSE);
    EXPECT_FALSE(pBar->IsWindowVisible());
    EXPECT_TRUE(::IsWindow(pBar->m_hWnd));

    // showing an element with the bar asked for shows it again
    CRectangle rect(CPoint(0, 0), CPoint(10, 10));
    CModelessPropSheet* pSheet = pBar->m_pSheet;
    CWnd* pHost = pSheet->GetParent();
    EXPECT_EQ(pBar, pHost);
    pFrame->ShowControlBar(pBar, TRUE, FALSE);
    EXPECT_TRUE(pBar->IsWindowVisible());

    pFrame->DestroyWindow();
    EXPECT_TRUE(CModelessPropSheet::GetPropertiesSheet() == NULL);
}
