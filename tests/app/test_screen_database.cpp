// What the screen shows after the database commands: a selected text a new source unbinds
// is no longer selected, and neither the Properties bar nor the Size pane shows it; the bar
// offers the columns of the data as it is after View/Edit Data.

#include "selection_display.h"
#include "datadlg_test.h"
#include "data/BrowDataSource.h"
#include "resources/data_resource.h"
#include "model/TextElements.h"

namespace
{

class ScreenDatabase : public SelectionDisplay
{
protected:
    // A database text bound to the column of a source of two columns (Name, City), clicked
    // and so selected and shown in the bar.
    void SelectBoundText(LPCTSTR lpszColumn)
    {
        ASSERT_EQ(2, LoadCommaSeparatedFile(*m_pDoc, m_source.m_strPath));
        m_pText = AddDbText(*m_pDoc, CRect(20, 20, 200, 60), lpszColumn, 20, FW_NORMAL);
        m_pDoc->UpdateAllViews(NULL);
        ClickElement(m_pText);
        ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
        ASSERT_EQ(m_pText, m_pBar->m_pSheet->m_pTarget);
    }

    CTempDataFile m_source{"names.csv", "Name,City\r\nAnn,Rome\r\n"};
    CDbText* m_pText = NULL;
};

TEST_F(ScreenDatabase, ASelectedTextTheNewSourceUnbindsIsLetGoEverywhere)
{
    ASSERT_NO_FATAL_FAILURE(SelectBoundText("1"));
    ASSERT_STREQ("Size:180 x 40", SizePane());

    CTempDataFile newFile("new.csv", "Zip\r\n1000\r\n");
    CDialogScript script;
    script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, newFile.m_strPath)
        .OK();
    m_program.Command(ID_FILE_DATABASE_SETTINGS);
    ASSERT_EQ(1, script.GetRecordCount());
    ASSERT_EQ(IDOK, script.GetRecord(0).m_nResult);
    ASSERT_STREQ("", m_pText->m_strColumn);

    // no handles are drawn, so nothing is selected: the bar and the Size pane show no
    // element, and Delete takes nothing away
    EXPECT_EQ(0, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(0, m_pDoc->m_tracker.m_arrSelected.GetSize());
    EXPECT_TRUE(m_pBar->m_pSheet->m_pTarget == NULL);
    EXPECT_STREQ("Size", SizePane());
    PostKeyPress(m_pView->m_hWnd, VK_DELETE);
    EXPECT_EQ(1, m_pDoc->m_listElements.GetCount());
}

// A column merged in View/Edit Data is at once one the selected text can be bound to.
TEST_F(ScreenDatabase, TheBarOffersTheColumnsOfTheEditedData)
{
    ASSERT_NO_FATAL_FAILURE(SelectBoundText("0"));
    CComboBox* pField = (CComboBox*)m_pBar->m_pSheet->m_pageText.GetDlgItem(IDC_TEXT_FIELD);
    ASSERT_TRUE(pField != NULL);
    ASSERT_EQ(2, pField->GetCount());

    CDialogScript script;
    script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_MERGEFIRST, 0)
        .Select(IDC_DE_MERGESECOND, 1)
        .SetText(IDC_DE_SEPARATOR, " ")
        .Click(IDC_DE_MERGE)
        .OK();
    m_program.Command(ID_FILE_VIEW_DATABASE_DATA);
    ASSERT_EQ(1, script.GetRecordCount());
    ASSERT_EQ(IDOK, script.GetRecord(0).m_nResult);
    ASSERT_EQ(3, m_pDoc->m_nDataColumns);

    ASSERT_EQ(m_pText, m_pBar->m_pSheet->m_pTarget);
    ASSERT_EQ(3, pField->GetCount());
    CString strMerged;
    pField->GetLBText(2, strMerged);
    EXPECT_STREQ(m_pDoc->m_pDataRows[0][2], strMerged);
    EXPECT_EQ(0, pField->GetCurSel());
}

} // namespace
