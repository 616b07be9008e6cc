// The colour chooser as a user meets it on the Options sheet: "More..." reached from the
// keyboard opens the colour dialog; Cancel there leaves the colour chosen before.

#include "doc_program.h"
#include "test_support.h"
#include "key_input.h"
#include "app/ColorPickers.h"
#include "app/OptionsSheet.h"
#include "resources/options_resource.h"

namespace
{

// The colour chooser nID of the sheet's active page.
CColorPickerCombo* PickerOf(CWnd* pSheet, int nID)
{
    CWnd* pPage = ((CPropertySheet*)pSheet)->GetActivePage();
    return DYNAMIC_DOWNCAST(CColorPickerCombo, CWnd::FromHandlePermanent(::GetDlgItem(pPage->m_hWnd, nID)));
}

} // namespace

TEST(FirstPickers, ACancelledColourDialogLeavesTheColourChosenBefore)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    CVarnelDoc* pDoc = program.NewPlainDoc();
    CVarnelView* pView = program.ActiveView();
    ASSERT_TRUE(pDoc != NULL && pView != NULL);
    pDoc->m_clrBackgroundFront = 0xFFFFFF00;       // yellow, a named colour
    pDoc->m_clrShadow = 0xFF123456;                // a colour of "More..."

    int nBackground = -1, nShadow = -1;
    CString strBackground;
    CDialogScript script;
    script.OnSheet("Options")
        .Do([&](CWnd* pSheet)
        {
            // End picks the last item, "More...", as a user's key does
            CColorPickerCombo* pCombo = PickerOf(pSheet, IDC_OPTIONS_BACKGROUND);
            ASSERT_TRUE(pCombo != NULL);
            nBackground = pCombo->GetCurSel();
            pCombo->SetFocus();
            ASSERT_TRUE(SendKeyStrokes({}, {VK_END}));
        })
        .Do([&](CWnd* pSheet)
        {
            CColorPickerCombo* pCombo = PickerOf(pSheet, IDC_OPTIONS_BACKGROUND);
            EXPECT_EQ(nBackground, pCombo->GetCurSel());
            pCombo->GetLBText(pCombo->GetCurSel(), strBackground);
        })
        // on "More..." already, choosing it again opens the dialog; Cancel keeps its colour
        .Select(IDC_OPTIONS_SHADOW_COLOR, CColorPickerCombo::MORE_ITEM)
        .Do([&](CWnd* pSheet) { nShadow = PickerOf(pSheet, IDC_OPTIONS_SHADOW_COLOR)->GetCurSel(); })
        .OK();
    script.CancelColorDialog();
    script.CancelColorDialog();
    ASSERT_TRUE(pView->OnCmdMsg(ID_TOOLS_OPTIONS, CN_COMMAND, NULL, NULL));

    ASSERT_EQ(3, script.GetRecordCount()) << (LPCTSTR)script.GetLog();
    EXPECT_EQ(CDialogScript::kindColor, script.GetRecord(1).m_nKind);
    EXPECT_EQ(CDialogScript::kindColor, script.GetRecord(2).m_nKind);
    EXPECT_STREQ("Yellow", strBackground);
    EXPECT_EQ(CColorPickerCombo::MORE_ITEM, nShadow);
    EXPECT_EQ(0xFFFFFF00u, pDoc->m_clrBackgroundFront);
    EXPECT_EQ(0xFF123456u, pDoc->m_clrShadow);
    EXPECT_EQ(0, boxes.GetCount());
}
