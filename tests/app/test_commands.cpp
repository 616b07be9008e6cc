// The Insert commands of the document and the update handlers of the commands that work
// on the design.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "resources/data_resource.h"

namespace
{

// Records what an update handler did.
class CRecordingCmdUI : public CCmdUI
{
public:
    explicit CRecordingCmdUI(UINT nID)
    {
        m_nID = nID;
        m_nIndexMax = 1;
    }
    virtual void Enable(BOOL bOn = TRUE) override
    {
        m_nEnabled = bOn ? 1 : 0;
        m_bEnableChanged = TRUE;
    }
    virtual void SetCheck(int nCheck = 1) override { m_nCheck = nCheck; }
    virtual void SetText(LPCTSTR lpszText) override { m_strText = lpszText; }

    int m_nEnabled = -1;        // -1: not touched
    int m_nCheck = -1;
    CString m_strText;
};

// Runs the document's update handler of a command; false when it has none.
bool Update(CVarnelDoc& doc, UINT nID, CRecordingCmdUI& ui)
{
    return doc.OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &ui, NULL) != FALSE;
}

int EnabledState(CVarnelDoc& doc, UINT nID)
{
    CRecordingCmdUI ui(nID);
    EXPECT_TRUE(Update(doc, nID, ui)) << "no update handler for " << nID;
    return ui.m_nEnabled;
}

struct CToolCase
{
    UINT nID;
    int nTool;
};

const CToolCase kTools[] = {
    { ID_TOOL_POINTER, 100 }, { ID_TOOL_RECTANGLE, 102 }, { ID_TOOL_ELLIPSE, 103 },
    { ID_TOOL_DIAMOND, 105 }, { ID_TOOL_ROUNDRECT, 107 }, { ID_TOOL_TRIANGLE, 108 },
    { ID_TOOL_LINE, 101 }, { ID_TOOL_FREEFORM, 114 }, { ID_TOOL_CLOSEDCURVE, 120 },
    { ID_TOOL_CALLOUT_LEFT, 201 }, { ID_TOOL_CALLOUT_RIGHT, 202 }, { ID_TOOL_PARALLELOGRAM, 205 },
    { ID_TOOL_ARROW_LEFT, 206 }, { ID_TOOL_STAR, 207 }, { ID_TOOL_BURST, 208 },
    { ID_TOOL_MOON, 209 }, { ID_TOOL_ARROW_RIGHT, 210 }, { ID_TOOL_SUN, 211 },
    { ID_TOOL_TEXT, 115 },
};

CRectangle* AddRectangle(CVarnelDoc& doc, int nSide = 1)
{
    CRectangle* pRect = new CRectangle(CPoint(10, 10), CPoint(60, 40));
    pRect->m_nSide = nSide;
    doc.AssignElementKind(pRect);
    doc.m_listElements.AddTail(pRect);
    return pRect;
}

CBkgImage* AddBackground(CVarnelDoc& doc, int nSide)
{
    CBkgImage* pBackground = new CBkgImage(CPicturePtr(), doc.m_nDesignWidth, doc.m_nDesignHeight);
    pBackground->m_nSide = nSide;
    doc.m_listElements.AddHead(pBackground);
    return pBackground;
}

void Select(CVarnelDoc& doc, CElement* pElement)
{
    doc.m_listSelection.AddTail(pElement);
    doc.m_tracker.Add(pElement);
}

int CountBackgrounds(CVarnelDoc& doc, int nSide)
{
    int nCount = 0;
    for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* pElement = doc.m_listElements.GetNext(pos);
        if (pElement->IsKindOf(RUNTIME_CLASS(CBkgImage)) && pElement->m_nSide == nSide)
            ++nCount;
    }
    return nCount;
}

class DocumentCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pDoc = m_program.NewPlainDoc();
        ASSERT_TRUE(m_pDoc != NULL);
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CTempFolder m_folder;
    CVarnelDoc* m_pDoc = NULL;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Tools

TEST(DocumentTools, EveryToolCommandSetsItsToolAndChecksOnlyItself)
{
    CVarnelDoc doc;
    for (const CToolCase& tool : kTools)
    {
        ASSERT_TRUE(doc.OnCmdMsg(tool.nID, CN_COMMAND, NULL, NULL)) << tool.nID;
        EXPECT_EQ(tool.nTool, doc.m_nCurrentTool) << tool.nID;
        for (const CToolCase& other : kTools)
        {
            CRecordingCmdUI ui(other.nID);
            ASSERT_TRUE(Update(doc, other.nID, ui));
            EXPECT_EQ(other.nID == tool.nID ? 1 : 0, ui.m_nCheck) << other.nID << " after " << tool.nID;
        }
    }
    doc.m_nCurrentTool = 212;
    CRecordingCmdUI dbText(ID_INSERT_DBTEXT);
    ASSERT_TRUE(Update(doc, ID_INSERT_DBTEXT, dbText));
    EXPECT_EQ(1, dbText.m_nCheck);
    doc.m_nCurrentTool = 116;
    CRecordingCmdUI clipArt(ID_INSERT_CLIPART);
    ASSERT_TRUE(Update(doc, ID_INSERT_CLIPART, clipArt));
    EXPECT_EQ(1, clipArt.m_nCheck);
}

/////////////////////////////////////////////////////////////////////////////
// Update handlers

TEST(DocumentUpdates, SelectionAndElementCountsEnableTheDesignCommands)
{
    CVarnelDoc doc;
    const UINT needSelection[] = { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR_SELECTION, ID_EDIT_DUPLICATE,
                                   ID_LOCK, ID_UNLOCK, ID_ROTATE_CLOCKWISE, ID_ROTATE_ANTICLOCKWISE,
                                   ID_CENTER_HORZ, ID_CENTER_VERT, ID_CENTER_BOTH };
    const UINT needElements[] = { ID_EDIT_SELECT_ALL_ELEMENTS, ID_LOCK_ALL, ID_UNLOCK_ALL };
    const UINT needTwo[] = { ID_ALIGN_LEFT, ID_ALIGN_RIGHT, ID_ALIGN_CENTER, ID_ALIGN_TOP, ID_ALIGN_BOTTOM,
                             ID_ALIGN_MIDDLE, ID_SAME_WIDTH, ID_SAME_HEIGHT, ID_SAME_SIZE };
    const UINT needOne[] = { ID_EDIT_PROPERTIES, ID_ARRANGE_TO_FRONT, ID_ARRANGE_TO_BACK,
                             ID_ARRANGE_STEP_FRONT, ID_ARRANGE_STEP_BACK };

    // nothing at all
    for (UINT nID : needSelection)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;
    for (UINT nID : needElements)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;
    for (UINT nID : needTwo)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;
    for (UINT nID : needOne)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;
    EXPECT_EQ(1, EnabledState(doc, ID_VIEW_GRID));

    // elements, none selected
    CRectangle* pFirst = AddRectangle(doc);
    CRectangle* pSecond = AddRectangle(doc);
    for (UINT nID : needElements)
        EXPECT_EQ(1, EnabledState(doc, nID)) << nID;
    for (UINT nID : needSelection)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;

    // one selected
    Select(doc, pFirst);
    for (UINT nID : needSelection)
        EXPECT_EQ(1, EnabledState(doc, nID)) << nID;
    for (UINT nID : needOne)
        EXPECT_EQ(1, EnabledState(doc, nID)) << nID;
    for (UINT nID : needTwo)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;

    // two selected
    Select(doc, pSecond);
    for (UINT nID : needTwo)
        EXPECT_EQ(1, EnabledState(doc, nID)) << nID;
    for (UINT nID : needOne)
        EXPECT_EQ(0, EnabledState(doc, nID)) << nID;
}

TEST(DocumentUpdates, MergeNeedsTwoOrMoreDatabaseTextsAndNothingElse)
{
    CVarnelDoc doc;
    CDbText* pA = new CDbText(CPoint(0, 0), CPoint(50, 20));
    CDbText* pB = new CDbText(CPoint(0, 30), CPoint(50, 50));
    doc.AssignElementKind(pA);
    doc.AssignElementKind(pB);
    doc.m_listElements.AddTail(pA);
    doc.m_listElements.AddTail(pB);
    CRectangle* pRect = AddRectangle(doc);

    Select(doc, pA);
    EXPECT_EQ(0, EnabledState(doc, ID_MERGE_DBTEXTS));
    Select(doc, pB);
    EXPECT_EQ(1, EnabledState(doc, ID_MERGE_DBTEXTS));
    Select(doc, pRect);
    EXPECT_EQ(0, EnabledState(doc, ID_MERGE_DBTEXTS));
}

TEST(DocumentUpdates, UndoAndRedoFollowTheLevelsAlsoForAnEmptyDesign)
{
    CVarnelDoc doc;
    EXPECT_EQ(0, EnabledState(doc, ID_EDIT_UNDO));
    EXPECT_EQ(0, EnabledState(doc, ID_EDIT_REDO));
    doc.PushUndo();                 // snapshot of the empty design
    AddRectangle(doc);
    EXPECT_EQ(1, EnabledState(doc, ID_EDIT_UNDO));     // the first element can be undone
    doc.Undo();
    EXPECT_TRUE(doc.m_listElements.IsEmpty());
    EXPECT_EQ(0, EnabledState(doc, ID_EDIT_UNDO));
    EXPECT_EQ(1, EnabledState(doc, ID_EDIT_REDO));
    doc.Redo();
    EXPECT_EQ(1, (int)doc.m_listElements.GetCount());
    EXPECT_EQ(0, EnabledState(doc, ID_EDIT_REDO));
}

TEST(DocumentUpdates, BackgroundCommandsReadTheBackgroundOfEitherSide)
{
    CVarnelDoc doc;
    doc.m_nPublicationType = 3;
    CRecordingCmdUI select(ID_EDIT_SELECT_BACKGROUND);
    ASSERT_TRUE(Update(doc, ID_EDIT_SELECT_BACKGROUND, select));
    EXPECT_EQ(1, select.m_nEnabled);
    EXPECT_STREQ("Select Background...", select.m_strText);
    CRecordingCmdUI remove(ID_EDIT_REMOVE_BACKGROUND);
    ASSERT_TRUE(Update(doc, ID_EDIT_REMOVE_BACKGROUND, remove));
    EXPECT_EQ(0, remove.m_nEnabled);

    // only the back has a background, the front is shown
    AddBackground(doc, 2);
    CRecordingCmdUI change(ID_EDIT_SELECT_BACKGROUND);
    ASSERT_TRUE(Update(doc, ID_EDIT_SELECT_BACKGROUND, change));
    EXPECT_STREQ("Change Background...", change.m_strText);
    CRecordingCmdUI removeBack(ID_EDIT_REMOVE_BACKGROUND);
    ASSERT_TRUE(Update(doc, ID_EDIT_REMOVE_BACKGROUND, removeBack));
    EXPECT_EQ(1, removeBack.m_nEnabled);
    EXPECT_STREQ("Remove Background", removeBack.m_strText);

    // removing on the front removes nothing
    doc.OnRemoveBackground();
    EXPECT_EQ(1, CountBackgrounds(doc, 2));
    doc.m_nSide = 2;
    doc.OnRemoveBackground();
    EXPECT_EQ(0, CountBackgrounds(doc, 2));
    EXPECT_TRUE(doc.IsModified());
}

TEST(DocumentUpdates, RemovedBackgroundLeavesTheSelection)
{
    CVarnelDoc doc;
    CBkgImage* pBackground = AddBackground(doc, 1);
    CRectangle* pRect = AddRectangle(doc);
    Select(doc, pBackground);
    Select(doc, pRect);
    doc.OnRemoveBackground();
    ASSERT_EQ(1, (int)doc.m_listSelection.GetCount());
    EXPECT_EQ(pRect, doc.m_listSelection.GetHead());
    ASSERT_EQ(1, (int)doc.m_tracker.m_arrSelected.GetSize());
    EXPECT_EQ(pRect, doc.m_tracker.m_arrSelected[0]);
}

/////////////////////////////////////////////////////////////////////////////
// Insert Text From Database

TEST_F(DocumentCommands, DatabaseTextWithoutSourceAnsweredNoKeepsTheTool)
{
    m_pDoc->m_nCurrentTool = 102;
    m_boxes.AddAnswer(IDNO);
    m_program.Command(ID_INSERT_DBTEXT);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_EQ((UINT)(MB_YESNO | MB_ICONINFORMATION), m_boxes.GetCall(0).m_nType);
    EXPECT_EQ(0, m_boxes.GetCall(0).m_strText.Find("Data Source needed!!\n\n'Text from database' needs"));
    EXPECT_EQ(102, m_pDoc->m_nCurrentTool);
}

TEST_F(DocumentCommands, DatabaseTextAnsweredYesRunsTheSourceDialogAndTakesTheToolEvenOnCancel)
{
    m_boxes.AddAnswer(IDYES);
    CDialogScript script;
    script.OnDialog(IDD_BROWDATASOURCE).Cancel();
    m_program.Command(ID_INSERT_DBTEXT);
    EXPECT_EQ(1, script.GetRecordCount());
    EXPECT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(212, m_pDoc->m_nCurrentTool);
    EXPECT_EQ(-1, m_pDoc->m_nDataRows);
}

TEST_F(DocumentCommands, DatabaseTextWithASourceAsksNothing)
{
    m_pDoc->m_nDataRows = 0;        // bound, without records
    m_program.Command(ID_INSERT_DBTEXT);
    EXPECT_EQ(0, m_boxes.GetCount());
    EXPECT_EQ(212, m_pDoc->m_nCurrentTool);
    m_pDoc->m_nDataRows = -1;
}

/////////////////////////////////////////////////////////////////////////////
// Insert Clip-Art

TEST_F(DocumentCommands, ClipArtIsFittedSelectedUndoableAndRemembersItsFolder)
{
    const CString strPicture = m_folder.File("Photo.BMP");      // capitals are accepted
    ASSERT_TRUE(WritePicture(strPicture, 0xFF00FF00, 600, 300));
    AddRectangle(*m_pDoc);
    const CString strGraphics = m_program.m_pApp->m_strGraphicsFolder;

    CDialogScript script;
    script.OnFileDialog(strPicture);
    m_program.Command(ID_INSERT_CLIPART);

    ASSERT_EQ(1, script.GetRecordCount());
    const CDialogScript::CRecord& record = script.GetRecord(0);
    EXPECT_TRUE(record.m_bOpenFileDialog);
    EXPECT_STREQ(strGraphics, record.m_strInitialDir);
    EXPECT_EQ(0, record.m_strFilter.Find("All supported formats(jpg,bmp,gif,png,wmf,tif)|"));
    EXPECT_EQ((DWORD)0x801006, record.m_dwFlags & 0x801006);
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strGraphicsFolder);

    ASSERT_EQ(2, (int)m_pDoc->m_listElements.GetCount());
    CElement* pImage = m_pDoc->m_listElements.GetTail();
    ASSERT_TRUE(pImage->IsKindOf(RUNTIME_CLASS(CBtImage)));
    EXPECT_EQ(KIND_CLIPART, pImage->m_nKind);
    EXPECT_EQ(CPoint(10, 10), pImage->GetRect().TopLeft());
    EXPECT_EQ(CSize(307, 153), pImage->GetRect().Size());       // 600 x 300 shrunk by 0.8 steps
    EXPECT_EQ(m_pDoc->m_nSide, pImage->m_nSide);
    EXPECT_EQ(m_pDoc->m_clrShadow, pImage->m_clrShadow);
    ASSERT_EQ(1, (int)m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pImage, m_pDoc->m_listSelection.GetHead());
    EXPECT_EQ(pImage, m_pDoc->m_tracker.m_pCurrent);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(KIND_POINTER, m_pDoc->m_nCurrentTool);
    EXPECT_EQ(0, m_boxes.GetCount());

    ASSERT_TRUE(m_pDoc->CanUndo());
    m_pDoc->Undo();
    EXPECT_EQ(1, (int)m_pDoc->m_listElements.GetCount());
}

TEST_F(DocumentCommands, ClipArtCancelledInsertsNothingAndEndsWithThePointer)
{
    CDialogScript script;
    script.CancelFileDialog();
    m_program.Command(ID_INSERT_CLIPART);
    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());
    EXPECT_EQ(KIND_POINTER, m_pDoc->m_nCurrentTool);
    EXPECT_FALSE(m_pDoc->CanUndo());
}

TEST_F(DocumentCommands, ClipArtOfAnUnsupportedOrUnreadableFileIsReportedAndNothingInserted)
{
    const CString strText = m_folder.File("notes.txt");
    ASSERT_TRUE(WriteFileBytes(strText, "hello"));
    const CString strBroken = m_folder.File("broken.png");
    ASSERT_TRUE(WriteFileBytes(strBroken, "not a png"));

    CDialogScript script;
    script.OnFileDialog(strText);
    m_program.Command(ID_INSERT_CLIPART);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_GE(m_boxes.GetCall(0).m_strText.Find("notes.txt"), 0);

    CDialogScript again;
    again.OnFileDialog(strBroken);
    m_program.Command(ID_INSERT_CLIPART);
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_GE(m_boxes.GetCall(1).m_strText.Find("broken.png"), 0);

    EXPECT_TRUE(m_pDoc->m_listElements.IsEmpty());
    EXPECT_FALSE(m_pDoc->CanUndo());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(KIND_POINTER, m_pDoc->m_nCurrentTool);
}

/////////////////////////////////////////////////////////////////////////////
// Select and Remove Background

TEST_F(DocumentCommands, SelectBackgroundReplacesOnlyTheShownSidesBackground)
{
    m_pDoc->m_nPublicationType = 3;
    CBkgImage* pBack = AddBackground(*m_pDoc, 2);
    AddBackground(*m_pDoc, 1);
    AddRectangle(*m_pDoc);
    const CString strPicture = m_folder.File("wall.png");
    ASSERT_TRUE(WritePicture(strPicture, 0xFFFF0000, 20, 10, "image/png"));
    const CString strBackgrounds = m_program.m_pApp->m_strBackgroundsFolder;

    CDialogScript script;
    script.OnFileDialog(strPicture);
    m_program.Command(ID_EDIT_SELECT_BACKGROUND);

    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ(strBackgrounds, script.GetRecord(0).m_strInitialDir);
    EXPECT_GE(script.GetRecord(0).m_strFilter.Find("*.wmf*;"), 0);
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strBackgroundsFolder);
    EXPECT_EQ(1, CountBackgrounds(*m_pDoc, 1));
    EXPECT_EQ(1, CountBackgrounds(*m_pDoc, 2));
    EXPECT_TRUE(m_pDoc->m_listElements.Find(pBack) != NULL);
    CElement* pHead = m_pDoc->m_listElements.GetHead();
    ASSERT_TRUE(pHead->IsKindOf(RUNTIME_CLASS(CBkgImage)));
    EXPECT_EQ(1, pHead->m_nSide);
    EXPECT_EQ(CRect(0, 0, 400, 200), pHead->GetRect());
    ASSERT_TRUE(((CBkgImage*)pHead)->m_pBitmap != NULL);
    EXPECT_EQ(20u, ((CBkgImage*)pHead)->m_pBitmap->GetWidth());
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_FALSE(m_pDoc->CanUndo());        // no snapshot is taken
}

TEST_F(DocumentCommands, InsertBackgroundCommandDoesTheSame)
{
    const CString strPicture = m_folder.File("wall.bmp");
    ASSERT_TRUE(WritePicture(strPicture, 0xFF0000FF, 8, 8));
    CDialogScript script;
    script.OnFileDialog(strPicture);
    m_program.Command(ID_INSERT_BACKGROUND);
    EXPECT_EQ(1, CountBackgrounds(*m_pDoc, 1));
}

TEST_F(DocumentCommands, AFailedNewBackgroundKeepsTheOldOne)
{
    CBkgImage* pOld = AddBackground(*m_pDoc, 1);
    const CString strBroken = m_folder.File("broken.jpg");
    ASSERT_TRUE(WriteFileBytes(strBroken, "\xFF\xD8 truncated"));
    CDialogScript script;
    script.OnFileDialog(strBroken);
    m_program.Command(ID_EDIT_SELECT_BACKGROUND);
    EXPECT_EQ(1, m_boxes.GetCount());
    ASSERT_EQ(1, (int)m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(pOld, m_pDoc->m_listElements.GetHead());
    EXPECT_FALSE(m_pDoc->IsModified());

    const CString strText = m_folder.File("readme.doc");
    ASSERT_TRUE(WriteFileBytes(strText, "words"));
    CDialogScript again;
    again.OnFileDialog(strText);
    m_program.Command(ID_EDIT_SELECT_BACKGROUND);
    EXPECT_EQ(2, m_boxes.GetCount());
    EXPECT_EQ(pOld, m_pDoc->m_listElements.GetHead());
}

TEST_F(DocumentCommands, RemoveBackgroundCommandTakesTheShownSidesPicturesOut)
{
    AddBackground(*m_pDoc, 1);
    AddRectangle(*m_pDoc);
    m_program.Command(ID_EDIT_REMOVE_BACKGROUND);
    EXPECT_EQ(0, CountBackgrounds(*m_pDoc, 1));
    EXPECT_EQ(1, (int)m_pDoc->m_listElements.GetCount());
    EXPECT_TRUE(m_pDoc->IsModified());
}
