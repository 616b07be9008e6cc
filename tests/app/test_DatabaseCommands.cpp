// The design view's database commands on a document with bound database
// texts: rebinding after a source change, the data-entry round trip, the
// merge of database texts and its undo.

#include "database_commands.h"

namespace
{

const std::vector<Row> kOldTable = {
    { "Name", "City", "Zip" },
    { "Ann", "Rome", "00118" },
    { "Bob", "Oslo", "0150" } };

} // namespace

// ---------------------------------------------------------------------------
// Database Settings

// Texts whose columns the new source has (by name) keep them under their new
// numbers; the others are unbound.
TEST_F(DatabaseCommands, NewSourceRebindsTextsByColumnName)
{
    CTempDataFile file("new.csv", "Zip,Name,Phone\r\n1000,Cleo,555\r\n");
    m_dv.Bind(kOldTable, BuildTextDescription("C:\\old.csv", ",", TRUE));
    CElement* pName = m_dv.AddDbText(10, 100, "0", "<<Name>>");
    CElement* pCityName = m_dv.AddDbText(10, 100, "1-0", "<<City>>+<<Name>>");
    CElement* pZipName = m_dv.AddDbText(10, 100, "2-0", "<<Zip>>+<<Name>>");
    CElement* pBroken = m_dv.AddDbText(10, 100, "7", "<<Gone>>");
    m_dv.Select(pName);
    m_dv.m_pDoc->SetModifiedFlag(FALSE);

    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, file.m_strPath)
        .OK();
    ASSERT_TRUE(m_dv.Command(ID_FILE_DATABASE_SETTINGS));
    ASSERT_EQ(1, m_script.GetRecordCount());
    ASSERT_EQ(IDOK, m_script.GetRecord(0).m_nResult) << (LPCSTR)Message(0);

    EXPECT_STREQ(BuildTextDescription(file.m_strPath, ",", TRUE), m_dv.m_pDoc->m_strDataSource);
    ASSERT_EQ(2, m_dv.m_pDoc->m_nDataRows);
    ASSERT_EQ(3, m_dv.m_pDoc->m_nDataColumns);
    EXPECT_EQ((Row{ "1000", "Cleo", "555" }), m_dv.DocRow(1));

    EXPECT_STREQ("1", pName->m_strColumn);
    EXPECT_STREQ("<<Name>>", pName->m_strText);
    EXPECT_STREQ("0-1", pZipName->m_strColumn);
    EXPECT_STREQ("<<Zip>>+<<Name>>", pZipName->m_strText);
    EXPECT_STREQ("", pCityName->m_strColumn);
    EXPECT_STREQ(kUnbound, pCityName->m_strText);
    EXPECT_STREQ("", pBroken->m_strColumn);
    EXPECT_STREQ(kUnbound, pBroken->m_strText);
    // something was unbound: the tracker is emptied
    EXPECT_EQ(0, m_dv.m_pDoc->m_tracker.m_arrSelected.GetSize());
    EXPECT_TRUE(m_dv.m_pDoc->IsModified());
    // the merged binding prints the new record's values
    EXPECT_STREQ("1000 Cleo", MergeRecordColumns(m_dv.m_pDoc->m_pDataRows, m_dv.m_pDoc->m_nDataRows,
        m_dv.m_pDoc->m_nDataColumns, 1, pZipName->m_strColumn));
}

TEST_F(DatabaseCommands, OkOnUnchangedSourceKeepsEveryBinding)
{
    const CString strFile = FixtureFile("data/fixtures/customers_windows.csv");
    const CString strDescription = BuildTextDescription(strFile, ",", TRUE);
    m_dv.Bind({ { "CustomerID", "Company", "Contact", "Address", "City", "Phone" } }, strDescription);
    CElement* pCity = m_dv.AddDbText(10, 100, "4", "<<City>>");
    CElement* pFree = m_dv.AddDbText(10, 100, "", kUnbound);
    m_dv.Select(pCity);

    m_script.OnDialog(IDD_BROWDATASOURCE).OK();
    m_dv.m_pView->SetDatabase();
    ASSERT_EQ(IDOK, m_script.GetRecord(0).m_nResult) << (LPCSTR)Message(0);
    EXPECT_STREQ("4", pCity->m_strColumn);
    EXPECT_STREQ("<<City>>", pCity->m_strText);
    EXPECT_STREQ("", pFree->m_strColumn);
    EXPECT_EQ(strDescription, m_dv.m_pDoc->m_strDataSource);
    EXPECT_GT(m_dv.m_pDoc->m_nDataRows, 3);
    EXPECT_EQ("Berlin", m_dv.DocRow(1)[4]);
}

// A text file stored without a folder (as the shipped samples are) is read beside the
// publication, whatever the current folder, and stays stored without one.
TEST_F(DatabaseCommands, TextFileNamedWithoutFolderIsReadBesideThePublication)
{
    CTempDataFile file("beside.csv", "Name,City\r\nAnn,Rome\r\n");
    const CString strDescription = BuildTextDescription("beside.csv", ",", TRUE);
    m_dv.Bind({ { "Name", "City" } }, strDescription);
    m_dv.m_pDoc->SetPathName(file.Sibling("pub.lbl"), FALSE);
    char szCurrent[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    ASSERT_NE(0, file.m_strFolder.CompareNoCase(szCurrent));

    CString strShown;
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Do([&](CWnd* pDlg) { pDlg->GetDlgItemText(IDC_DS_FILENAME, strShown); })
        .OK();
    ASSERT_TRUE(m_dv.Command(ID_FILE_DATABASE_SETTINGS));
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCSTR)Message(0);
    ASSERT_EQ(IDOK, m_script.GetRecord(0).m_nResult);
    EXPECT_STREQ("beside.csv", strShown);
    EXPECT_EQ(strDescription, m_dv.m_pDoc->m_strDataSource);
    ASSERT_EQ(2, m_dv.m_pDoc->m_nDataRows);
    EXPECT_EQ((Row{ "Ann", "Rome" }), m_dv.DocRow(1));
}

TEST_F(DatabaseCommands, CancelChangesNothing)
{
    m_dv.Bind(kOldTable, BuildTextDescription("C:\\missing.csv", ",", TRUE));
    CString** pRows = m_dv.m_pDoc->m_pDataRows;
    CElement* pName = m_dv.AddDbText(10, 100, "0", "<<Name>>");
    m_dv.Select(pName);
    m_boxes.AddAnswer(IDOK);    // the missing file shown while the dialog opens
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_ACCESS)
        .SetText(IDC_DS_FILENAME, NwindPath())
        .Cancel();
    ASSERT_TRUE(m_dv.Command(ID_FILE_DATABASE_SETTINGS));
    EXPECT_EQ(IDCANCEL, m_script.GetRecord(0).m_nResult);
    EXPECT_EQ(pRows, m_dv.m_pDoc->m_pDataRows);
    EXPECT_EQ(3, m_dv.m_pDoc->m_nDataRows);
    EXPECT_STREQ("type=delimitedtext::file=C:\\missing.csv::delimiter=,::hascolnames=yes",
        m_dv.m_pDoc->m_strDataSource);
    EXPECT_STREQ("0", pName->m_strColumn);
    EXPECT_EQ(1, m_dv.m_pDoc->m_tracker.m_arrSelected.GetSize());
}

TEST_F(DatabaseCommands, ConfirmAsksOnlyForBoundDocumentsWithDbTexts)
{
    m_dv.Bind(kOldTable, BuildTextDescription("C:\\old.csv", ",", TRUE));
    m_dv.AddDbText(10, 100, "0", "<<Name>>");
    m_boxes.AddAnswer(IDNO);
    m_dv.m_pView->ConfirmAndSetDatabase();
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, Message(0).Find("Your document has database-linked text elements (columns: Name).\n"));
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(0).m_nType);
    EXPECT_EQ(0, m_script.GetRecordCount());

    // Yes opens the dialog (cancelled here)
    m_boxes.AddAnswer(IDYES);
    m_boxes.AddAnswer(IDOK);
    m_script.OnDialog(IDD_BROWDATASOURCE).Cancel();
    m_dv.m_pView->ConfirmAndSetDatabase();
    EXPECT_EQ(1, m_script.GetRecordCount());

    // without a bound source there is nothing to confirm
    CDocAndView fresh;
    fresh.AddDbText(10, 100, "", kUnbound);
    const int nBoxes = m_boxes.GetCount();
    m_script.OnDialog(IDD_BROWDATASOURCE).Cancel();
    fresh.m_pView->ConfirmAndSetDatabase();
    EXPECT_EQ(nBoxes, m_boxes.GetCount());
    EXPECT_EQ(2, m_script.GetRecordCount());
}

// ---------------------------------------------------------------------------
// View Database Data

TEST_F(DatabaseCommands, ViewDataWithoutSourceAsksAndStopsWhenNotSet)
{
    m_boxes.AddAnswer(IDNO);
    ASSERT_TRUE(m_dv.Command(ID_FILE_VIEW_DATABASE_DATA));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, Message(0).Find("Data Source needed!!\n"));
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(0).m_nType);
    EXPECT_EQ(0, m_script.GetRecordCount());

    // Yes, then Cancel in the data-source dialog: no data-entry dialog
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_BROWDATASOURCE).Cancel();
    m_dv.m_pView->EditDatabaseData();
    ASSERT_EQ(1, m_script.GetRecordCount());
    EXPECT_EQ(IDD_BROWDATASOURCE, m_script.GetRecord(0).m_nIDTemplate);
    EXPECT_EQ(-1, m_dv.m_pDoc->m_nDataRows);
}

TEST_F(DatabaseCommands, ViewDataWithoutSourceSetsOneAndShowsIt)
{
    CTempDataFile file("list.csv", "A,B\r\n1,2\r\n");
    m_boxes.AddAnswer(IDYES);
    m_script.OnDialog(IDD_BROWDATASOURCE)
        .Select(IDC_DS_TYPE, DATASOURCE_TEXT)
        .SetText(IDC_DS_FILENAME, file.m_strPath)
        .OK();
    m_script.OnDialog(IDD_DATAENTRY)
        .Do([&](CWnd* pDlg)
        {
            CListCtrl* pList = static_cast<CListCtrl*>(pDlg->GetDlgItem(IDC_DE_LIST));
            ASSERT_EQ(1, pList->GetItemCount());
            EXPECT_STREQ("2", pList->GetItemText(0, 2));
        })
        .OK();
    m_dv.m_pView->EditDatabaseData();
    EXPECT_EQ(2, m_script.GetRecordCount());
    EXPECT_EQ(2, m_dv.m_pDoc->m_nDataRows);
}

TEST_F(DatabaseCommands, ViewDataOkReplacesTableCancelKeepsIt)
{
    const CString strDescription = BuildTextDescription("C:\\old.csv", ",", TRUE);
    m_dv.Bind(kOldTable, strDescription);
    CString** pRows = m_dv.m_pDoc->m_pDataRows;
    CString* pFirst = pRows[1];

    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .SetText(IDC_DE_VALUE, "Anna")
        .Click(IDC_DE_SAVE)
        .Click(IDC_DE_ADD)
        .Cancel();
    ASSERT_TRUE(m_dv.Command(ID_FILE_VIEW_DATABASE_DATA));
    EXPECT_EQ(pRows, m_dv.m_pDoc->m_pDataRows);
    EXPECT_EQ(pFirst, m_dv.m_pDoc->m_pDataRows[1]);
    EXPECT_EQ(3, m_dv.m_pDoc->m_nDataRows);
    EXPECT_EQ(kOldTable[1], m_dv.DocRow(1));

    m_script.OnDialog(IDD_DATAENTRY)
        .Select(IDC_DE_LIST, 0)
        .SetText(IDC_DE_VALUE, "Anna")
        .Click(IDC_DE_SAVE)
        .Click(IDC_DE_ADD)
        .OK();
    m_dv.m_pView->EditDatabaseData();
    ASSERT_EQ(4, m_dv.m_pDoc->m_nDataRows);
    EXPECT_EQ((Row{ "Anna", "Rome", "00118" }), m_dv.DocRow(1));
    EXPECT_EQ(kOldTable[0], m_dv.DocRow(3));
    EXPECT_EQ(strDescription, m_dv.m_pDoc->m_strDataSource);
    EXPECT_EQ(0, m_boxes.GetCount());
}

// ---------------------------------------------------------------------------
// Merge Selected DB-Texts

TEST_F(DatabaseCommands, MergeJoinsBindingsTextsAndWidths)
{
    m_dv.Bind({ { "A", "B", "C", "D" }, { "a1", "b1", "c1", "d1" } }, "type=x");
    CElement* pFirst = m_dv.AddDbText(20, 100, "0", "<<A>>");
    CElement* pSecond = m_dv.AddDbText(50, 150, "3", "<<D>>");
    CElement* pThird = m_dv.AddDbText(80, 50, "1", "<<B>>");
    CElement* pOther = m_dv.AddDbText(0, 10, "2", "<<C>>");
    m_dv.Select(pFirst);
    m_dv.Select(pSecond);
    m_dv.Select(pThird);
    m_dv.m_pDoc->SetModifiedFlag(FALSE);

    ASSERT_TRUE(m_dv.Command(ID_MERGE_DBTEXTS));
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ(0, Message(0).Find("These data columns will be merged into one column."));
    EXPECT_EQ(0u, m_boxes.GetCall(0).m_nType & MB_ICONMASK);

    ASSERT_EQ(2, m_dv.m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(pFirst, m_dv.m_pDoc->m_listElements.GetHead());
    EXPECT_EQ(pOther, m_dv.m_pDoc->m_listElements.GetTail());
    EXPECT_STREQ("0-3-1", pFirst->m_strColumn);
    EXPECT_STREQ("<<A>>+<<D>>+<<B>>", pFirst->m_strText);
    // as wide as the three boxes together
    EXPECT_EQ(CRect(20, 10, 320, 40), pFirst->m_rect);
    EXPECT_EQ(0, m_dv.m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(0, m_dv.m_pDoc->m_tracker.m_arrSelected.GetSize());
    EXPECT_TRUE(m_dv.m_pDoc->IsModified());
    EXPECT_TRUE(m_dv.m_pDoc->CanUndo());
    EXPECT_STREQ("a1 d1 b1", MergeRecordColumns(m_dv.m_pDoc->m_pDataRows, m_dv.m_pDoc->m_nDataRows,
        m_dv.m_pDoc->m_nDataColumns, 1, pFirst->m_strColumn));

    // Undo brings the three texts back as they were
    m_dv.m_pDoc->Undo();
    ASSERT_EQ(4, m_dv.m_pDoc->m_listElements.GetCount());
    POSITION pos = m_dv.m_pDoc->m_listElements.GetHeadPosition();
    CElement* pA = m_dv.m_pDoc->m_listElements.GetNext(pos);
    CElement* pD = m_dv.m_pDoc->m_listElements.GetNext(pos);
    CElement* pB = m_dv.m_pDoc->m_listElements.GetNext(pos);
    EXPECT_STREQ("0", pA->m_strColumn);
    EXPECT_STREQ("<<A>>", pA->m_strText);
    EXPECT_EQ(CRect(20, 10, 120, 40), pA->m_rect);
    EXPECT_STREQ("3", pD->m_strColumn);
    EXPECT_EQ(CRect(50, 10, 200, 40), pD->m_rect);
    EXPECT_STREQ("1", pB->m_strColumn);
    EXPECT_TRUE(pB->IsKindOf(RUNTIME_CLASS(CDbText)));
}

TEST_F(DatabaseCommands, MergeStopsAtDesignWidthAndHintShowsOnce)
{
    m_dv.m_pDoc->m_nDesignWidth = 400;
    CElement* pFirst = m_dv.AddDbText(300, 80, "0", "<<A>>");
    CElement* pSecond = m_dv.AddDbText(10, 90, "1", "<<B>>");
    m_dv.Select(pFirst);
    m_dv.Select(pSecond);
    m_dv.m_pView->OnMergeDbTexts();
    EXPECT_EQ(400, pFirst->m_rect.right);
    EXPECT_EQ(300, pFirst->m_rect.left);
    EXPECT_EQ(1, m_dv.m_pDoc->m_listElements.GetCount());

    // the second merge in the same view shows no hint
    CElement* pThird = m_dv.AddDbText(0, 50, "2", "<<C>>");
    m_dv.Select(pFirst);
    m_dv.Select(pThird);
    m_dv.m_pView->OnMergeDbTexts();
    EXPECT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("0-1-2", pFirst->m_strColumn);
    EXPECT_EQ(400, pFirst->m_rect.right);

    // a text that already reaches past the design is not made smaller
    CDocAndView other;
    other.m_pDoc->m_nDesignWidth = 400;
    CElement* pWide = other.AddDbText(350, 100, "0", "<<A>>");
    CElement* pSmall = other.AddDbText(0, 10, "1", "<<B>>");
    other.Select(pWide);
    other.Select(pSmall);
    other.m_pView->OnMergeDbTexts();
    EXPECT_EQ(450, pWide->m_rect.right);
    EXPECT_EQ(2, m_boxes.GetCount());   // a new view shows the hint again
}

// Locked texts stay where they are and are not part of the merged binding.
TEST_F(DatabaseCommands, MergeLeavesLockedTextsOut)
{
    CElement* pFirst = m_dv.AddDbText(20, 100, "0", "<<A>>");
    CElement* pLocked = m_dv.AddDbText(50, 100, "1", "<<B>>");
    CElement* pThird = m_dv.AddDbText(80, 60, "2", "<<C>>");
    pLocked->m_bLocked = TRUE;
    m_dv.Select(pFirst);
    m_dv.Select(pLocked);
    m_dv.Select(pThird);
    m_dv.m_pView->OnMergeDbTexts();
    ASSERT_EQ(2, m_dv.m_pDoc->m_listElements.GetCount());
    EXPECT_STREQ("0-2", pFirst->m_strColumn);
    EXPECT_STREQ("<<A>>+<<C>>", pFirst->m_strText);
    EXPECT_EQ(180, pFirst->m_rect.right);
    EXPECT_STREQ("1", pLocked->m_strColumn);
    EXPECT_EQ(m_dv.m_pDoc->m_listElements.GetTail(), pLocked);

    // with only one unlocked text there is nothing to merge
    m_dv.Select(pFirst);
    m_dv.Select(pLocked);
    m_dv.m_pView->OnMergeDbTexts();
    EXPECT_STREQ("0-2", pFirst->m_strColumn);
    EXPECT_EQ(2, m_dv.m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(1, m_dv.m_pDoc->GetUndoLevels());
}

TEST_F(DatabaseCommands, MergeWithEmptySelectionDoesNothing)
{
    m_dv.AddDbText(20, 100, "0", "<<A>>");
    m_dv.m_pView->OnMergeDbTexts();
    EXPECT_EQ(1, m_boxes.GetCount());   // the hint
    EXPECT_EQ(1, m_dv.m_pDoc->m_listElements.GetCount());
    EXPECT_FALSE(m_dv.m_pDoc->CanUndo());
}
