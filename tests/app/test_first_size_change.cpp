// Sizes of a publication as the user chooses them: a new publication from a template at
// another size, and the change of size through the side tab's button and its dialog.
// Elements that reach an edge of the page reach the same edge at the new size.

#include "doc_program.h"
#include "test_support.h"
#include "app/ChildFrm.h"
#include "app/VarnelView.h"
#include "model/Elements.h"
#include "output/PubSizeDlg.h"
#include "resources/pubsize_resource.h"

#include <stdio.h>
#include <string>

namespace
{

// "l,t,r,b", so that a failure shows the rectangle.
std::string Str(const CRect& rect)
{
    char sz[64];
    sprintf(sz, "%ld,%ld,%ld,%ld", (long)rect.left, (long)rect.top, (long)rect.right, (long)rect.bottom);
    return sz;
}

class FirstSizes : public ::testing::Test
{
protected:
    // A rectangle over the whole page of side 1.
    static CRectangle* AddPageRect(CVarnelDoc& doc)
    {
        CRectangle* pRect = new CRectangle(CPoint(0, 0), CPoint(doc.m_nDesignWidth, doc.m_nDesignHeight));
        pRect->m_nSide = 1;
        doc.m_listElements.AddTail(pRect);
        return pRect;
    }

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
};

} // namespace

// A 4 x 2 inch template made at every label size of the catalogue it is offered with:
// its frame covers the new page exactly.
TEST_F(FirstSizes, ATemplatesPageFrameCoversThePageAtTheChosenSize)
{
    CVarnelDoc templateDoc;
    templateDoc.m_nDesignWidth = 400;
    templateDoc.m_nDesignHeight = 200;
    AddPageRect(templateDoc);
    m_files.AddTemplate("SizeTest frame.lbft", templateDoc);
    m_files.AddBackground("SizeTest sky.bmp", 0xFF4080FF);

    const double sizes[][2] = { { 2.34, 2.0 }, { 4.13, 3.33 }, { 1.75, 0.5 }, { 3.44, 0.54 }, { 2.63, 1.0 } };
    for (const auto& size : sizes)
    {
        CWizardAnswer answer;
        answer.strTemplate = "SizeTest frame.lbft";
        answer.fWidth = size[0];
        answer.fHeight = size[1];
        CDialogScript script;
        ScriptWizard(script, answer);
        m_program.Command(ID_FILE_NEW);
        ASSERT_EQ(0, script.GetFailureCount()) << (LPCTSTR)script.GetLog();
        CVarnelDoc* pDoc = m_program.ActiveDoc();
        ASSERT_TRUE(pDoc != NULL);
        ASSERT_EQ(1, (int)pDoc->m_listElements.GetCount());
        EXPECT_EQ(Str(CRect(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight)),
                  Str(pDoc->m_listElements.GetHead()->GetRect())) << size[0] << " x " << size[1];
    }
    EXPECT_EQ(0, m_boxes.GetCount()) << (m_boxes.GetCount() > 0 ? (LPCTSTR)m_boxes.GetCall(0).m_strText : "");
}

// A legal-size page turned four times by the side tab's button: the page frame stays the
// whole page and comes back as it was.
TEST_F(FirstSizes, InterchangingWidthAndHeightKeepsThePageFrameOnThePage)
{
    CVarnelDoc* pDoc = m_program.NewShownDoc();
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_nDesignWidth = 850;
    pDoc->m_nDesignHeight = 1400;
    CRectangle* pFrame = AddPageRect(*pDoc);
    CVarnelView* pView = m_program.ActiveView();
    pView->OnInitialUpdate();
    CChildFrame* pChild = DYNAMIC_DOWNCAST(CChildFrame, pView->GetParentFrame());
    ASSERT_TRUE(pChild != NULL);
    CWnd* pTabs = pChild->m_wndSplitter.GetPane(1, 0);

    for (int i = 0; i < 4; i++)
    {
        CDialogScript script;
        script.OnDialog(IDD_PUBSIZE).OK();
        PostClick(pTabs->m_hWnd, CPoint(30, 150));      // the button "Change Publication Size"
        ASSERT_EQ(0, script.GetPendingCount());
        EXPECT_EQ(i % 2 == 0 ? 1400 : 850, pDoc->m_nDesignWidth);
        EXPECT_EQ(Str(CRect(0, 0, pDoc->m_nDesignWidth, pDoc->m_nDesignHeight)), Str(pFrame->GetRect())) << i;
    }
}

// A side typed into the dialog is taken only when the whole text is a number; a decimal
// comma or a unit after it brings the size message, and the dialog stays open.
TEST_F(FirstSizes, TheNewSizeIsTakenOnlyFromAWholeNumber)
{
    const struct
    {
        const char* pszText;
        int nHeight;        // 0: refused
    } sides[] = { { " 4.5 ", 450 }, { "4,5", 0 }, { "4.5 in", 0 }, { "4.5.1", 0 } };
    for (const auto& side : sides)
    {
        CMessageBoxRecorder boxes;
        CPubSizeDlg dlg;
        dlg.m_nOldWidth = 400;
        dlg.m_nOldHeight = 200;
        CDialogScript script;
        CDialogScript::CSteps& steps = script.OnDialog(IDD_PUBSIZE)
            .Click(IDC_PUBSIZE_APPLY_NEW)
            .SetText(IDC_PUBSIZE_WIDTH, "2")
            .SetText(IDC_PUBSIZE_HEIGHT, side.pszText)
            .OK();
        if (side.nHeight == 0)
            steps.Cancel();
        const INT_PTR nResult = dlg.DoModal();
        EXPECT_EQ(side.nHeight != 0 ? IDOK : IDCANCEL, nResult) << side.pszText;
        EXPECT_EQ(side.nHeight != 0 ? 0 : 1, boxes.GetCount()) << side.pszText;
        if (side.nHeight != 0)
        {
            EXPECT_EQ(side.nHeight, dlg.m_nNewHeight);
        }
        else if (boxes.GetCount() == 1)
        {
            EXPECT_STREQ("Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).",
                         boxes.GetCall(0).m_strText);
        }
    }
}
