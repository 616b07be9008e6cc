// The database commands and the new-publication wizard as a user meets them, driven
// through the real windows: texts picked by clicks and merged, the menu that offers the
// merge, the side tab's Database Settings question, a cancelled wizard, and the labels
// of every dialog of the program measured at the fonts present.

#include "doc_program.h"
#include "test_support.h"
#include "app/ChildFrm.h"
#include "app/MainFrm.h"
#include "app/TabView.h"
#include "data/ColumnBinding.h"
#include "model/TextElements.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// The texts of a menu's items, "-" for separators.
std::vector<std::string> MenuTexts(HMENU hMenu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
    {
        char szText[128] = "";
        ::GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        texts.push_back(szText[0] != '\0' ? szText : "-");
    }
    return texts;
}

HMENU PopupNamed(CMenu* pMenu, const char* pszName)
{
    for (int i = 0; pMenu != NULL && i < (int)pMenu->GetMenuItemCount(); i++)
    {
        char szText[64] = "";
        ::GetMenuStringA(pMenu->m_hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
        if (strcmp(szText, pszName) == 0)
            return ::GetSubMenu(pMenu->m_hMenu, i);
    }
    return NULL;
}

class DatabaseInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_program.m_bStarted);
        m_pDoc = m_program.NewShownDoc();
        m_pView = m_program.ActiveView();
        ASSERT_TRUE(m_pDoc != NULL && m_pView != NULL);
        const CString strFile = m_folder.m_strPath + "\\people.csv";
        CFile file(strFile, CFile::modeCreate | CFile::modeWrite);
        const char szData[] = "Id,Name,City\r\n7,Ann,Rome\r\n";
        file.Write(szData, sizeof(szData) - 1);
        file.Close();
        ASSERT_EQ(2, LoadCommaSeparatedFile(*m_pDoc, strFile));
        m_pId = AddDbText(*m_pDoc, CRect(20, 20, 120, 50), "0", 20, FW_NORMAL);
        m_pId->m_strText = "<<Id>>";
        m_pName = AddDbText(*m_pDoc, CRect(20, 100, 140, 130), "1", 20, FW_NORMAL);
        m_pName->m_strText = "<<Name>>";
        m_pView->Invalidate();
        PumpPendingMessages();
    }

    // The database texts left in the design.
    std::vector<CElement*> DbTexts()
    {
        std::vector<CElement*> texts;
        for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
        {
            CElement* pElement = m_pDoc->m_listElements.GetNext(pos);
            if (pElement->m_nKind == KIND_DBTEXT)
                texts.push_back(pElement);
        }
        return texts;
    }

    CMessageBoxRecorder m_boxes;
    CTempFolder m_folder;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
    CDbText* m_pId = NULL;
    CDbText* m_pName = NULL;
};

} // namespace

// ---------------------------------------------------------------------------
// Merge Selected DB-Texts

// The text picked first comes first, whichever order the texts lie in the design.
TEST_F(DatabaseInput, MergeJoinsTheTextsInTheOrderTheyWerePicked)
{
    PostClick(m_pView->m_hWnd, CPoint(60, 35));
    PostClick(m_pView->m_hWnd, CPoint(60, 115), MK_CONTROL);
    ASSERT_EQ(2, m_pDoc->m_tracker.m_arrSelected.GetSize());
    m_program.Command(ID_MERGE_DBTEXTS);
    std::vector<CElement*> texts = DbTexts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("0-1", texts[0]->m_strColumn);
    EXPECT_STREQ("<<Id>>+<<Name>>", texts[0]->m_strText);
    EXPECT_STREQ("7 Ann", MergeRecordColumns(m_pDoc->m_pDataRows, m_pDoc->m_nDataRows, m_pDoc->m_nDataColumns, 1,
                                             texts[0]->m_strColumn));

    // picked the other way round, after undo
    m_program.Command(ID_EDIT_UNDO);
    ASSERT_EQ(2u, DbTexts().size());
    PostClick(m_pView->m_hWnd, CPoint(60, 115));
    PostClick(m_pView->m_hWnd, CPoint(60, 35), MK_CONTROL);
    ASSERT_EQ(2, m_pDoc->m_tracker.m_arrSelected.GetSize());
    m_program.Command(ID_MERGE_DBTEXTS);
    texts = DbTexts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("1-0", texts[0]->m_strColumn);
    EXPECT_STREQ("<<Name>>+<<Id>>", texts[0]->m_strText);
    // the explanation once
    EXPECT_EQ(1, m_boxes.GetCount());
}

// The menu bar offers the merge under Tools, no longer under Arrange.
TEST_F(DatabaseInput, MergeStandsUnderTools)
{
    CMainFrame* pFrame = DYNAMIC_DOWNCAST(CMainFrame, m_program.m_pApp->m_pMainWnd);
    ASSERT_TRUE(pFrame != NULL);
    PumpPendingMessages();
    CMenu* pMenu = pFrame->m_wndMenuBar.GetCurrentMenu();
    ASSERT_TRUE(pMenu != NULL);
    HMENU hTools = PopupNamed(pMenu, "&Tools");
    HMENU hArrange = PopupNamed(pMenu, "&Arrange");
    ASSERT_TRUE(hTools != NULL && hArrange != NULL);
    EXPECT_EQ((std::vector<std::string>{ "&Merge Selected DB-Texts", "-", "&Options..." }), MenuTexts(hTools));
    const std::vector<std::string> arrange = MenuTexts(hArrange);
    EXPECT_EQ(arrange.end(), std::find(arrange.begin(), arrange.end(), "&Merge Selected DB-Texts"));
    EXPECT_EQ(ID_MERGE_DBTEXTS, ::GetMenuItemID(hTools, 0));
}

// ---------------------------------------------------------------------------
// Database Settings

// The side tab's button asks first, naming the bound columns and what a new source does.
TEST_F(DatabaseInput, DatabaseSettingsQuestionSaysWhichLinksAreKept)
{
    CChildFrame* pChild = DYNAMIC_DOWNCAST(CChildFrame, m_pView->GetParentFrame());
    ASSERT_TRUE(pChild != NULL);
    CTabView* pTabs = DYNAMIC_DOWNCAST(CTabView, pChild->m_wndSplitter.GetPane(1, 0));
    ASSERT_TRUE(pTabs != NULL);
    m_boxes.AddAnswer(IDNO);
    const CRect rect(pTabs->m_rcDatabase);
    PostClick(pTabs->m_hWnd, rect.CenterPoint());
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Your document has database-linked text elements (columns: Id, Name).\n"
                 "With a new data source each text keeps its link when the new source has columns of the "
                 "same names; a text linked to a column the new source lacks loses its link and shows "
                 "<<TextFromDB>>.\n\nDo you want to continue?",
                 m_boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONQUESTION), m_boxes.GetCall(0).m_nType);
    EXPECT_STREQ("0", m_pId->m_strColumn);
}

// ---------------------------------------------------------------------------
// New publication

// Cancel in the wizard makes no publication; only the first one, with none open, stays.
TEST(NewPublicationCancel, MakesNothingWhileAPublicationIsOpen)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    ASSERT_TRUE(program.m_bStarted);
    {
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Key(VK_ESCAPE);
        program.Command(ID_FILE_NEW);
        EXPECT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
    }
    ASSERT_EQ(1, program.CountDocs());
    CVarnelDoc* pFirst = program.ActiveDoc();
    ASSERT_TRUE(pFirst != NULL);
    {
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
        program.Command(ID_FILE_NEW);
        EXPECT_EQ(1, script.GetRecordCount());
    }
    EXPECT_EQ(1, program.CountDocs());
    EXPECT_EQ(pFirst, program.ActiveDoc());
    EXPECT_FALSE(pFirst->IsModified());
    {
        CDialogScript script;
        CWizardAnswer answer;
        ScriptWizard(script, answer);
        program.Command(ID_FILE_NEW);
    }
    EXPECT_EQ(2, program.CountDocs());
}

// ---------------------------------------------------------------------------
// Labels of the dialogs

namespace
{

INT_PTR CALLBACK QuietDialogProc(HWND, UINT nMsg, WPARAM, LPARAM)
{
    return nMsg == WM_INITDIALOG;
}

BOOL CALLBACK CollectDialogName(HMODULE, LPCSTR, LPSTR lpszName, LONG_PTR lParam)
{
    if (IS_INTRESOURCE(lpszName))
        ((std::vector<UINT>*)lParam)->push_back((UINT)(UINT_PTR)lpszName);
    return TRUE;
}

// The labels of a dialog whose text does not fit their control at the control's font,
// wrapped at its width as the control wraps it.
std::vector<std::string> CutLabels(HWND hDlg, UINT nID)
{
    std::vector<std::string> cut;
    for (HWND hChild = ::GetWindow(hDlg, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        char szClass[32] = "";
        ::GetClassNameA(hChild, szClass, sizeof(szClass));
        const LONG nType = ::GetWindowLongA(hChild, GWL_STYLE) & SS_TYPEMASK;
        const CString strText = WindowTextOf(hChild);
        if (_stricmp(szClass, "Static") != 0 || strText.IsEmpty() ||
            !(nType <= SS_RIGHT || nType == SS_LEFTNOWORDWRAP))
            continue;
        CRect rect;
        ::GetClientRect(hChild, &rect);
        const CSize size = NeededStaticTextSize(hChild);
        if (size.cx > rect.Width() || size.cy > rect.Height())
        {
            CString strWhat;
            strWhat.Format("dialog %u: \"%s\" needs %ld x %ld, has %d x %d", nID, (LPCSTR)strText, size.cx,
                           size.cy, rect.Width(), rect.Height());
            cut.push_back((LPCSTR)strWhat);
        }
    }
    return cut;
}

} // namespace

// Every static text of every dialog of the program shows whole at the fonts present.
TEST(DialogLabels, EveryLabelOfEveryDialogShowsWhole)
{
    CMessageBoxRecorder boxes;
    CDocProgram program;
    ASSERT_TRUE(program.m_bStarted);
    HINSTANCE hInstance = AfxGetResourceHandle();
    std::vector<UINT> dialogs;
    ::EnumResourceNamesA(hInstance, (LPCSTR)RT_DIALOG, CollectDialogName, (LONG_PTR)&dialogs);
    ASSERT_GE(dialogs.size(), 15u);
    std::vector<std::string> cut;
    for (UINT nID : dialogs)
    {
        HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nID), (LPCSTR)RT_DIALOG);
        HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInstance, hResource) : NULL;
        ASSERT_TRUE(hTemplate != NULL) << nID;
        HWND hDlg = ::CreateDialogIndirectParamA(hInstance, (LPCDLGTEMPLATEA)::LockResource(hTemplate),
                                                 program.m_pApp->m_pMainWnd->m_hWnd, QuietDialogProc, 0);
        ASSERT_TRUE(hDlg != NULL) << nID;
        const std::vector<std::string> labels = CutLabels(hDlg, nID);
        cut.insert(cut.end(), labels.begin(), labels.end());
        ::DestroyWindow(hDlg);
    }
    std::string strCut;
    for (const std::string& str : cut)
        strCut += str + "\n";
    EXPECT_TRUE(cut.empty()) << strCut;
}
