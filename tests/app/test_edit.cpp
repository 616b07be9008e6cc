// Editing and arrangement commands of the design view: the clipboard within one publication
// and between two, plain text and bitmaps from other programs, element streams that are
// not ours, delete, select all, z-order, alignment, same size, centring, rotation, lock,
// text styles and the grid, each with its undo level.

#include "doc_program.h"
#include "model/Elements.h"
#include "afxole.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

namespace
{

// Runs a view command through the view's message map.
void ViewCommand(CVarnelView* pView, UINT nID)
{
    ASSERT_TRUE(pView->OnCmdMsg(nID, CN_COMMAND, NULL, NULL)) << nID;
}

class CStateRecorder : public CCmdUI
{
public:
    explicit CStateRecorder(UINT nID) { m_nID = nID; m_nIndexMax = 1; }
    virtual void Enable(BOOL bOn = TRUE) override { m_nEnabled = bOn ? 1 : 0; }
    virtual void SetCheck(int nCheck = 1) override { m_nChecked = nCheck; }
    int m_nEnabled = -1;
    int m_nChecked = -1;
};

void ClearClipboard()
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
}

// Puts bytes on the clipboard under a format, as another program would.
void PutOnClipboard(UINT nFormat, const void* pData, size_t nSize)
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    memcpy(::GlobalLock(hData), pData, nSize);
    ::GlobalUnlock(hData);
    ::SetClipboardData(nFormat, hData);
    ::CloseClipboard();
}

// An object stream written by the code given, as it would be on the clipboard.
template <typename Fn>
std::string StreamBytes(Fn fn)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        fn(ar);
        ar.Close();
    }
    const ULONGLONG nLength = file.GetLength();
    BYTE* pData = file.Detach();
    std::string bytes((const char*)pData, (size_t)nLength);
    free(pData);
    return bytes;
}

class EditCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ClearClipboard();
        NewDocument(m_pDoc, m_pView);
    }
    void TearDown() override { ClearClipboard(); }

    void NewDocument(CVarnelDoc*& pDoc, CVarnelView*& pView)
    {
        pDoc = m_program.NewPlainDoc();
        pView = m_program.ActiveView();
        ASSERT_TRUE(pDoc != NULL);
        ASSERT_TRUE(pView != NULL);
        pDoc->m_nDesignWidth = 400;
        pDoc->m_nDesignHeight = 200;
        pDoc->SetModifiedFlag(FALSE);
        // the wizard's notes about missing folders
        m_boxes.Reset();
    }

    CRectangle* AddRect(int l, int t, int r, int b, int nSide = 1)
    {
        CRectangle* pRect = new CRectangle(CPoint(l, t), CPoint(r, b));
        pRect->m_nSide = nSide;
        m_pDoc->m_listElements.AddTail(pRect);
        return pRect;
    }
    CText* AddText(int l, int t, int r, int b)
    {
        CText* pText = new CText(CPoint(l, t), CPoint(r, b));
        pText->m_strText = "Text";
        pText->m_nSide = 1;
        m_pDoc->m_listElements.AddTail(pText);
        return pText;
    }
    // Selects as a click does: the tracker in order, the list in reverse.
    void Select(CElement* pElement)
    {
        m_pDoc->m_tracker.Add(pElement);
        m_pDoc->m_listSelection.AddHead(pElement);
    }
    void Command(UINT nID) { ViewCommand(m_pView, nID); }

    CRect RectOf(CElement* pElement) { return pElement->GetRect(); }
    std::vector<CElement*> Order()
    {
        std::vector<CElement*> order;
        for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
            order.push_back(m_pDoc->m_listElements.GetNext(pos));
        return order;
    }
    std::vector<CRect> Rects()
    {
        std::vector<CRect> rects;
        for (POSITION pos = m_pDoc->m_listElements.GetHeadPosition(); pos != NULL;)
            rects.push_back(m_pDoc->m_listElements.GetNext(pos)->GetRect());
        return rects;
    }
    // Undo gives back the design before the command (the elements are copies).
    void ExpectUndoGivesBack(const std::vector<CRect>& before, int nUndoLevels)
    {
        EXPECT_EQ(nUndoLevels + 1, m_pDoc->GetUndoLevels());
        EXPECT_TRUE(m_pDoc->IsModified());
        Command(ID_EDIT_UNDO);
        EXPECT_EQ(before, Rects());
        EXPECT_EQ(nUndoLevels, m_pDoc->GetUndoLevels());
        EXPECT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    }

    CString BoxTexts()
    {
        CString str;
        for (int i = 0; i < m_boxes.GetCount(); i++)
            str += m_boxes.GetCall(i).m_strText + "\n";
        return str;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
    CVarnelView* m_pView = NULL;
};

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Clipboard

TEST_F(EditCommands, CopyAndPasteWithinADocumentPlacesSelectedCopiesWithTheirAttributes)
{
    CRectangle* pRect = AddRect(395, 50, 445, 90);
    pRect->m_clrFill = 0xFF123456;
    pRect->m_nFillKind = 7;
    pRect->m_nAngle = 45;
    CText* pText = AddText(20, 30, 120, 80);
    pText->m_strText = "Copied text";
    Select(pRect);
    Select(pText);
    m_pDoc->m_nShadowLength = 9;
    m_pDoc->m_clrShadow = 0xFF00FF00;

    Command(ID_EDIT_COPY);
    EXPECT_TRUE(::IsClipboardFormatAvailable(g_cfElementList));
    CStateRecorder paste(ID_EDIT_PASTE);
    m_pView->OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &paste, NULL);
    EXPECT_EQ(1, paste.m_nEnabled);

    const std::vector<CRect> before = Rects();
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(4, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCTSTR)BoxTexts();
    // the copies are on top, in the order of the selection list (text first)
    CElement* pTextCopy = m_pDoc->m_listElements.GetAt(m_pDoc->m_listElements.FindIndex(2));
    CElement* pRectCopy = m_pDoc->m_listElements.GetTail();
    ASSERT_STREQ("CText", pTextCopy->GetRuntimeClass()->m_lpszClassName);
    ASSERT_STREQ("CRectangle", pRectCopy->GetRuntimeClass()->m_lpszClassName);
    // (395 + 10) modulo 400 = 5, same size
    EXPECT_EQ(CRect(5, 60, 55, 100), RectOf(pRectCopy));
    EXPECT_EQ(CRect(30, 40, 130, 90), RectOf(pTextCopy));
    EXPECT_EQ(0xFF123456u, pRectCopy->m_clrFill);
    EXPECT_EQ(7, pRectCopy->m_nFillKind);
    EXPECT_EQ(45, pRectCopy->m_nAngle);
    EXPECT_EQ(KIND_RECTANGLE, pRectCopy->m_nKind);
    EXPECT_EQ(KIND_TEXT, pTextCopy->m_nKind);
    EXPECT_STREQ("Copied text", pTextCopy->m_strText);
    EXPECT_EQ(9, pRectCopy->m_nShadowLength);
    EXPECT_EQ(0xFF00FF00u, pTextCopy->m_clrShadow);
    // only the copies are selected, the last pasted at the head
    ASSERT_EQ(2, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pRectCopy, m_pDoc->m_listSelection.GetHead());
    EXPECT_EQ(pTextCopy, m_pDoc->m_listSelection.GetTail());
    EXPECT_EQ(2, m_pDoc->m_tracker.m_arrSelected.GetSize());
    EXPECT_TRUE(m_pDoc->m_tracker.IsSelected(pRectCopy));

    // a second paste pastes again from the same data
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(6, m_pDoc->m_listElements.GetCount());
    Command(ID_EDIT_UNDO);
    ExpectUndoGivesBack(before, 0);
}

TEST_F(EditCommands, CutAndPasteMoveElementsBetweenTwoDocuments)
{
    CRectangle* pRect = AddRect(10, 20, 60, 70);
    pRect->m_clrLine = 0xFFFF0000;
    CRectangle* pLocked = AddRect(100, 20, 160, 70);
    pLocked->m_bLocked = TRUE;
    Select(pRect);
    Select(pLocked);
    CVarnelDoc* pFirst = m_pDoc;

    Command(ID_EDIT_CUT);
    // the locked element stays, both leave the selection
    ASSERT_EQ(1, pFirst->m_listElements.GetCount());
    EXPECT_EQ(pLocked, pFirst->m_listElements.GetHead());
    EXPECT_TRUE(pFirst->m_listSelection.IsEmpty());
    EXPECT_TRUE(pFirst->IsModified());
    EXPECT_EQ(1, pFirst->GetUndoLevels());

    // a postcard showing its back
    CVarnelDoc* pSecond = NULL;
    CVarnelView* pSecondView = NULL;
    NewDocument(pSecond, pSecondView);
    ASSERT_NE(pFirst, pSecond);
    pSecond->m_nPublicationType = 3;
    pSecond->m_nSide = 2;
    pSecond->m_nShadowLength = 3;
    ViewCommand(pSecondView, ID_EDIT_PASTE);
    ASSERT_EQ(2, pSecond->m_listElements.GetCount());
    CElement* pHead = pSecond->m_listElements.GetHead();
    CElement* pTail = pSecond->m_listElements.GetTail();
    // the cut list holds both (the locked one too), each moved by 10 and on the shown side
    EXPECT_EQ(CRect(110, 30, 170, 80), pHead->GetRect());
    EXPECT_EQ(CRect(20, 30, 70, 80), pTail->GetRect());
    EXPECT_EQ(0xFFFF0000u, pTail->m_clrLine);
    EXPECT_EQ(2, pHead->m_nSide);
    EXPECT_EQ(2, pTail->m_nSide);
    EXPECT_EQ(3, pTail->m_nShadowLength);
    EXPECT_TRUE(pSecond->IsModified());
    EXPECT_EQ(1, pSecond->GetUndoLevels());

    // undo in the first document brings the cut element back
    ViewCommand(m_pView, ID_EDIT_UNDO);
    EXPECT_EQ(2, pFirst->m_listElements.GetCount());
    ViewCommand(m_pView, ID_EDIT_REDO);
    EXPECT_EQ(1, pFirst->m_listElements.GetCount());
}

TEST_F(EditCommands, DuplicateCopiesThroughTheClipboard)
{
    CRectangle* pRect = AddRect(50, 50, 100, 80);
    Select(pRect);
    Command(ID_EDIT_DUPLICATE);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(CRect(60, 60, 110, 90), m_pDoc->m_listElements.GetTail()->GetRect());
    EXPECT_EQ(m_pDoc->m_listElements.GetTail(), m_pDoc->m_listSelection.GetHead());
    EXPECT_TRUE(::IsClipboardFormatAvailable(g_cfElementList));
}

TEST_F(EditCommands, PlainTextPastesAsATextElementWithAnUndoLevel)
{
    AddRect(0, 0, 10, 10);
    const std::vector<CRect> before = Rects();
    PutOnClipboard(CF_TEXT, "Hi", 3);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    CElement* pText = m_pDoc->m_listElements.GetTail();
    ASSERT_STREQ("CText", pText->GetRuntimeClass()->m_lpszClassName);
    EXPECT_STREQ("Hi", pText->m_strText);
    EXPECT_EQ(CRect(10, 10, 90, 60), pText->GetRect());
    EXPECT_EQ(KIND_TEXT, pText->m_nKind);
    EXPECT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    ExpectUndoGivesBack(before, 0);

    // 100 characters: 5 x 100 + 10 capped at the design less 10
    const std::string strHundred(100, 'x');
    PutOnClipboard(CF_TEXT, strHundred.c_str(), strHundred.size() + 1);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(CRect(10, 10, 390, 190), m_pDoc->m_listElements.GetTail()->GetRect());
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCTSTR)BoxTexts();
}

TEST_F(EditCommands, PastedTextEndsAtTheFirstNulAndLongTextsAreCut)
{
    // the block holds more after the terminator
    const char aData[] = { 'a', 'b', 'c', 0, 'g', 'a', 'r', 'b', 'a', 'g', 'e', 0 };
    PutOnClipboard(CF_TEXT, aData, sizeof(aData));
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(1, m_pDoc->m_listElements.GetCount());
    EXPECT_STREQ("abc", m_pDoc->m_listElements.GetTail()->m_strText);

    const std::string strLong(300, 'L');
    PutOnClipboard(CF_TEXT, strLong.c_str(), strLong.size() + 1);
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(255, m_pDoc->m_listElements.GetTail()->m_strText.GetLength());
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Text is too long, it will be truncated to 255 characters.", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, m_boxes.GetCall(0).m_nType & MB_ICONMASK);
}

TEST_F(EditCommands, BitmapPastesAsAClipArtPictureWithItsPixels)
{
    CClientDC dcScreen(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, 37, 21);
    {
        CDC dc;
        dc.CreateCompatibleDC(&dcScreen);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hBitmap);
        CBrush brush(RGB(200, 30, 40));
        CRect rect(0, 0, 37, 21);
        dc.FillRect(&rect, &brush);
        ::SelectObject(dc.m_hDC, hOld);
    }
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::SetClipboardData(CF_BITMAP, hBitmap);
    ::CloseClipboard();

    AddRect(0, 0, 10, 10);
    m_pDoc->m_nCurrentTool = KIND_RECTANGLE;
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    CBtImage* pImage = dynamic_cast<CBtImage*>(m_pDoc->m_listElements.GetTail());
    ASSERT_TRUE(pImage != NULL);
    EXPECT_EQ(CRect(10, 10, 47, 31), pImage->GetRect());
    ASSERT_TRUE(pImage->m_pBitmap != NULL);
    Gdiplus::Color color;
    ASSERT_EQ(Gdiplus::Ok, pImage->m_pBitmap->GetPixel(18, 10, &color));
    EXPECT_EQ(200, color.GetR());
    EXPECT_EQ(30, color.GetG());
    EXPECT_EQ(40, color.GetB());
    EXPECT_EQ(KIND_POINTER, m_pDoc->m_nCurrentTool);
    EXPECT_TRUE(m_pDoc->IsModified());
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());
    // the clipboard is closed again
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::CloseClipboard();
}

TEST_F(EditCommands, StreamsThatAreNotElementListsPasteNothing)
{
    CRectangle probe(CPoint(1, 2), CPoint(30, 40));
    const std::string valid = StreamBytes([&](CArchive& ar) {
        ar.WriteCount(1);
        ar.WriteObject(&probe);
    });
    std::vector<std::string> hostile;
    // a class that is not an element
    CStringList strings;
    strings.AddTail("not an element");
    hostile.push_back(StreamBytes([&](CArchive& ar) {
        ar.WriteCount(1);
        ar.WriteObject(&strings);
    }));
    // the same element twice (a back-reference)
    hostile.push_back(StreamBytes([&](CArchive& ar) {
        ar.WriteCount(2);
        ar.WriteObject(&probe);
        ar.WriteObject(&probe);
    }));
    // a null object
    hostile.push_back(StreamBytes([&](CArchive& ar) {
        ar.WriteCount(1);
        ar.WriteObject(NULL);
    }));
    // a count far beyond the data, and a cut record
    hostile.push_back(StreamBytes([&](CArchive& ar) { ar.WriteCount(0x7FFFFFFF); }));
    hostile.push_back(valid.substr(0, valid.size() - 5));
    hostile.push_back(std::string("\xFF\xFF\xFF\xFF garbage", 12));

    AddRect(0, 0, 10, 10);
    const long nLiveBefore = CElement::GetLiveCount();
    for (size_t i = 0; i < hostile.size(); i++)
    {
        PutOnClipboard(g_cfElementList, hostile[i].data(), hostile[i].size());
        Command(ID_EDIT_PASTE);
        EXPECT_EQ(1, m_pDoc->m_listElements.GetCount()) << "stream " << i;
        EXPECT_EQ(nLiveBefore, CElement::GetLiveCount()) << "stream " << i;
    }
    EXPECT_EQ(0, m_pDoc->GetUndoLevels());
    EXPECT_FALSE(m_pDoc->IsModified());
    EXPECT_EQ(0, m_boxes.GetCount()) << (LPCTSTR)BoxTexts();

    // the well-formed stream of the same kind pastes
    PutOnClipboard(g_cfElementList, valid.data(), valid.size());
    Command(ID_EDIT_PASTE);
    ASSERT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(CRect(11, 12, 40, 50), m_pDoc->m_listElements.GetTail()->GetRect());
}

/////////////////////////////////////////////////////////////////////////////
// Delete, select all, undo

TEST_F(EditCommands, DeleteRemovesOnlyUnlockedElements)
{
    CRectangle* pLocked = AddRect(10, 10, 50, 50);
    pLocked->m_bLocked = TRUE;
    CRectangle* pFree = AddRect(60, 10, 90, 50);
    Select(pLocked);
    Select(pFree);
    const std::vector<CRect> before = Rects();
    Command(ID_EDIT_CLEAR_SELECTION);
    ASSERT_EQ(1, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(pLocked, m_pDoc->m_listElements.GetHead());
    EXPECT_TRUE(m_pDoc->m_listSelection.IsEmpty());
    EXPECT_EQ(0, m_pDoc->m_tracker.m_arrSelected.GetSize());
    ExpectUndoGivesBack(before, 0);

    // only locked elements: nothing to undo, nothing changed
    m_pDoc->SetModifiedFlag(FALSE);
    Select(m_pDoc->m_listElements.GetHead());
    m_pDoc->m_listElements.GetHead()->m_bLocked = TRUE;
    const int nLevels = m_pDoc->GetUndoLevels();
    Command(ID_EDIT_CLEAR);
    EXPECT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(nLevels, m_pDoc->GetUndoLevels());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(EditCommands, SelectAllTakesTheShownSideWithoutTheBackground)
{
    Gdiplus::Bitmap* pPicture = new Gdiplus::Bitmap(4, 4, PixelFormat32bppARGB);
    CBkgImage* pBackground = new CBkgImage(CPicturePtr(pPicture), 400, 200);
    pBackground->m_nSide = 1;
    m_pDoc->m_listElements.AddHead(pBackground);
    CRectangle* pFirst = AddRect(10, 10, 20, 20);
    AddRect(30, 10, 40, 20, 2);
    CText* pText = AddText(50, 10, 90, 40);
    Command(ID_EDIT_SELECT_ALL_ELEMENTS);
    ASSERT_EQ(2, m_pDoc->m_listSelection.GetCount());
    // head to tail, each added at the head of the list
    EXPECT_EQ(pText, m_pDoc->m_listSelection.GetHead());
    EXPECT_EQ(pFirst, m_pDoc->m_listSelection.GetTail());
    ASSERT_EQ(2, m_pDoc->m_tracker.m_arrSelected.GetSize());
    EXPECT_EQ(pFirst, m_pDoc->m_tracker.m_arrSelected[0]);
}

/////////////////////////////////////////////////////////////////////////////
// Z-order

TEST_F(EditCommands, ZOrderCommandsKeepTheBackgroundLowestAndUndo)
{
    Gdiplus::Bitmap* pPicture = new Gdiplus::Bitmap(4, 4, PixelFormat32bppARGB);
    CBkgImage* pBackground = new CBkgImage(CPicturePtr(pPicture), 400, 200);
    m_pDoc->m_listElements.AddHead(pBackground);
    CRectangle* pA = AddRect(0, 0, 10, 10);
    CRectangle* pB = AddRect(10, 0, 20, 10);
    CRectangle* pC = AddRect(20, 0, 30, 10);

    Select(pA);
    Command(ID_ARRANGE_TO_FRONT);
    EXPECT_EQ((std::vector<CElement*>{ pBackground, pB, pC, pA }), Order());
    // the element stays selected for the next command
    ASSERT_EQ(1, m_pDoc->m_listSelection.GetCount());
    EXPECT_EQ(pA, m_pDoc->m_listSelection.GetHead());
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());

    m_pDoc->ClearSelection();
    Select(pC);
    Command(ID_ARRANGE_TO_BACK);
    EXPECT_EQ((std::vector<CElement*>{ pBackground, pC, pB, pA }), Order());

    // one step front at the top changes nothing and takes no level
    Select(pA);
    Command(ID_ARRANGE_STEP_FRONT);
    EXPECT_EQ((std::vector<CElement*>{ pBackground, pC, pB, pA }), Order());
    EXPECT_EQ(2, m_pDoc->GetUndoLevels());
    m_pDoc->m_listSelection.RemoveAll();

    Select(pC);
    Command(ID_ARRANGE_STEP_FRONT);
    EXPECT_EQ((std::vector<CElement*>{ pBackground, pB, pC, pA }), Order());
    m_pDoc->m_listSelection.RemoveAll();

    // one step back onto the background: the background goes under again
    Select(pB);
    Command(ID_ARRANGE_STEP_BACK);
    EXPECT_EQ((std::vector<CElement*>{ pBackground, pB, pC, pA }), Order());
    EXPECT_EQ(4, m_pDoc->GetUndoLevels());

    // undo gives back the order before the last step front: B and C swap back
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    const std::vector<CRect> rects = Rects();
    ASSERT_EQ(4u, rects.size());
    EXPECT_EQ(CRect(20, 0, 30, 10), rects[1]);
    EXPECT_EQ(CRect(10, 0, 20, 10), rects[2]);
    EXPECT_STREQ("CBkgImage", m_pDoc->m_listElements.GetHead()->GetRuntimeClass()->m_lpszClassName);
}

/////////////////////////////////////////////////////////////////////////////
// Alignment, same size, centring

TEST_F(EditCommands, AlignmentMovesEveryElementKeepingItsSize)
{
    struct Case
    {
        UINT nID;
        CRect rectFirst;
        CRect rectSecond;
    };
    // a at (30, 20)-(70, 50), b at (80, 60)-(140, 100)
    const Case cases[] = {
        { ID_ALIGN_LEFT, CRect(30, 20, 70, 50), CRect(30, 60, 90, 100) },
        { ID_ALIGN_RIGHT, CRect(100, 20, 140, 50), CRect(80, 60, 140, 100) },
        { ID_ALIGN_CENTER, CRect(65, 20, 105, 50), CRect(55, 60, 115, 100) },
        { ID_ALIGN_TOP, CRect(30, 20, 70, 50), CRect(80, 20, 140, 60) },
        { ID_ALIGN_BOTTOM, CRect(30, 70, 70, 100), CRect(80, 60, 140, 100) },
        { ID_ALIGN_MIDDLE, CRect(30, 45, 70, 75), CRect(80, 40, 140, 80) },
    };
    for (const Case& c : cases)
    {
        DeleteElements(m_pDoc->m_listElements);
        m_pDoc->ClearSelection();
        CRectangle* pA = AddRect(30, 20, 70, 50);
        pA->m_bLocked = TRUE;       // locked elements are aligned too
        CRectangle* pB = AddRect(80, 60, 140, 100);
        Select(pA);
        Select(pB);
        m_pDoc->SetModifiedFlag(FALSE);
        const int nLevels = m_pDoc->GetUndoLevels();
        const std::vector<CRect> before = Rects();
        Command(c.nID);
        EXPECT_EQ(c.rectFirst, pA->GetRect()) << c.nID;
        EXPECT_EQ(c.rectSecond, pB->GetRect()) << c.nID;
        ExpectUndoGivesBack(before, nLevels);
    }

    // already aligned: no level
    DeleteElements(m_pDoc->m_listElements);
    m_pDoc->ClearSelection();
    Select(AddRect(30, 20, 70, 50));
    Select(AddRect(30, 60, 90, 100));
    const int nLevels = m_pDoc->GetUndoLevels();
    m_pDoc->SetModifiedFlag(FALSE);
    Command(ID_ALIGN_LEFT);
    EXPECT_EQ(nLevels, m_pDoc->GetUndoLevels());
    EXPECT_FALSE(m_pDoc->IsModified());
}

TEST_F(EditCommands, SameSizeTakesTheSizeOfTheElementSelectedFirst)
{
    const struct
    {
        UINT nID;
        CRect rectSecond;
    } cases[] = {
        { ID_SAME_WIDTH, CRect(100, 100, 140, 160) },
        { ID_SAME_HEIGHT, CRect(100, 100, 190, 120) },
        { ID_SAME_SIZE, CRect(100, 100, 140, 120) },
    };
    for (const auto& c : cases)
    {
        DeleteElements(m_pDoc->m_listElements);
        m_pDoc->ClearSelection();
        CRectangle* pFirst = AddRect(10, 10, 50, 30);
        CRectangle* pSecond = AddRect(100, 100, 190, 160);
        Select(pFirst);
        Select(pSecond);
        m_pDoc->SetModifiedFlag(FALSE);
        const int nLevels = m_pDoc->GetUndoLevels();
        const std::vector<CRect> before = Rects();
        Command(c.nID);
        EXPECT_EQ(CRect(10, 10, 50, 30), pFirst->GetRect());
        EXPECT_EQ(c.rectSecond, pSecond->GetRect());
        ExpectUndoGivesBack(before, nLevels);
    }
}

TEST_F(EditCommands, CentringPlacesTheSelectionInTheMiddleOfThePage)
{
    CRectangle* pRect = AddRect(10, 10, 51, 31);
    Select(pRect);
    const std::vector<CRect> before = Rects();
    Command(ID_CENTER_HORZ);
    EXPECT_EQ(CRect(180, 10, 221, 31), pRect->GetRect());
    Command(ID_CENTER_VERT);
    EXPECT_EQ(CRect(180, 90, 221, 111), pRect->GetRect());
    pRect->SetRect(0, 0, 41, 21);
    Command(ID_CENTER_BOTH);
    EXPECT_EQ(CRect(180, 90, 221, 111), pRect->GetRect());
    EXPECT_EQ(3, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());
    // centred again: nothing moves, no level, nothing to save
    m_pDoc->SetModifiedFlag(FALSE);
    Command(ID_CENTER_BOTH);
    EXPECT_EQ(3, m_pDoc->GetUndoLevels());
    EXPECT_FALSE(m_pDoc->IsModified());
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(before, Rects());
}

/////////////////////////////////////////////////////////////////////////////
// Rotation, lock, text styles, grid

TEST_F(EditCommands, RotationStepsBy45AndWrapsPastAFullTurn)
{
    CRectangle* pA = AddRect(0, 0, 10, 10);
    CRectangle* pB = AddRect(20, 0, 30, 10);
    pA->m_nAngle = -360;
    pB->m_nAngle = 360;
    Select(pA);
    Command(ID_ROTATE_CLOCKWISE);
    EXPECT_EQ(-45, pA->m_nAngle);
    m_pDoc->m_listSelection.RemoveAll();
    Select(pB);
    Command(ID_ROTATE_ANTICLOCKWISE);
    EXPECT_EQ(45, pB->m_nAngle);
    EXPECT_EQ(2, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(360, m_pDoc->m_listElements.GetTail()->m_nAngle);
}

TEST_F(EditCommands, LockAndUnlockTakeAnUndoLevelOnlyWhenAFlagChanges)
{
    CRectangle* pA = AddRect(0, 0, 10, 10);
    CRectangle* pB = AddRect(20, 0, 30, 10);
    Select(pA);
    Command(ID_LOCK);
    EXPECT_TRUE(pA->m_bLocked);
    EXPECT_FALSE(pB->m_bLocked);
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());
    EXPECT_TRUE(m_pDoc->IsModified());

    m_pDoc->SetModifiedFlag(FALSE);
    Command(ID_LOCK);
    EXPECT_EQ(1, m_pDoc->GetUndoLevels());
    EXPECT_FALSE(m_pDoc->IsModified());

    Command(ID_LOCK_ALL);
    EXPECT_TRUE(pB->m_bLocked);
    EXPECT_EQ(2, m_pDoc->GetUndoLevels());
    Command(ID_UNLOCK);
    EXPECT_FALSE(pA->m_bLocked);
    EXPECT_TRUE(pB->m_bLocked);
    Command(ID_UNLOCK_ALL);
    EXPECT_FALSE(pB->m_bLocked);
    EXPECT_EQ(4, m_pDoc->GetUndoLevels());

    // undo restores the flags
    Command(ID_EDIT_UNDO);
    EXPECT_FALSE(m_pDoc->m_listElements.GetHead()->m_bLocked);
    EXPECT_TRUE(m_pDoc->m_listElements.GetTail()->m_bLocked);
}

TEST_F(EditCommands, TextStylesChangeOnlyPlainTextsAndShowTheirState)
{
    CText* pText = AddText(10, 10, 100, 40);
    CRectangle* pRect = AddRect(0, 50, 40, 90);
    CDbText* pDbText = new CDbText(CPoint(10, 100), CPoint(100, 130));
    m_pDoc->m_listElements.AddTail(pDbText);
    LOGFONT lfDb;
    pDbText->m_font.GetLogFont(&lfDb);

    // only a database text selected: disabled and unchecked, nothing changes
    Select(pDbText);
    CStateRecorder bold(ID_TEXT_BOLD);
    m_pView->OnCmdMsg(ID_TEXT_BOLD, CN_UPDATE_COMMAND_UI, &bold, NULL);
    EXPECT_EQ(0, bold.m_nEnabled);
    EXPECT_EQ(0, bold.m_nChecked);
    Command(ID_TEXT_BOLD);
    EXPECT_EQ(0, m_pDoc->GetUndoLevels());
    m_pDoc->ClearSelection();

    Select(pText);
    Select(pRect);
    Select(pDbText);
    Command(ID_TEXT_BOLD);
    Command(ID_TEXT_ITALIC);
    Command(ID_TEXT_UNDERLINE);
    LOGFONT lf;
    ASSERT_NE(0, pText->m_font.GetLogFont(&lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_TRUE(lf.lfUnderline);
    LOGFONT lfAfter;
    pDbText->m_font.GetLogFont(&lfAfter);
    EXPECT_EQ(lfDb.lfWeight, lfAfter.lfWeight);
    EXPECT_EQ(lfDb.lfItalic, lfAfter.lfItalic);
    EXPECT_EQ(NULL, pRect->m_font.GetSafeHandle());
    EXPECT_EQ(3, m_pDoc->GetUndoLevels());

    CStateRecorder boldOn(ID_TEXT_BOLD);
    m_pView->OnCmdMsg(ID_TEXT_BOLD, CN_UPDATE_COMMAND_UI, &boldOn, NULL);
    EXPECT_EQ(1, boldOn.m_nEnabled);
    EXPECT_EQ(1, boldOn.m_nChecked);

    Command(ID_TEXT_BOLD);
    ASSERT_NE(0, pText->m_font.GetLogFont(&lf));
    EXPECT_EQ(FW_NORMAL, lf.lfWeight);
    CStateRecorder boldOff(ID_TEXT_BOLD);
    m_pView->OnCmdMsg(ID_TEXT_BOLD, CN_UPDATE_COMMAND_UI, &boldOff, NULL);
    EXPECT_EQ(0, boldOff.m_nChecked);

    // undo gives the bold font back
    Command(ID_EDIT_UNDO);
    CElement* pRestored = m_pDoc->m_listElements.GetHead();
    ASSERT_NE(0, pRestored->m_font.GetLogFont(&lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
}

TEST_F(EditCommands, GridCommandTogglesTheGridAndItsCheckMark)
{
    m_pView->m_bDisplayGrid = FALSE;
    Command(ID_VIEW_GRID);
    EXPECT_TRUE(m_pView->m_bDisplayGrid);
    CStateRecorder grid(ID_VIEW_GRID);
    m_pView->OnCmdMsg(ID_VIEW_GRID, CN_UPDATE_COMMAND_UI, &grid, NULL);
    EXPECT_EQ(1, grid.m_nEnabled);
    EXPECT_EQ(1, grid.m_nChecked);
    Command(ID_VIEW_GRID);
    EXPECT_FALSE(m_pView->m_bDisplayGrid);
}

TEST_F(EditCommands, PropertiesAndPasteUpdateHandlers)
{
    ClearClipboard();
    CStateRecorder paste(ID_EDIT_PASTE);
    m_pView->OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &paste, NULL);
    EXPECT_EQ(0, paste.m_nEnabled);
    PutOnClipboard(CF_TEXT, "x", 2);
    CStateRecorder pasteText(ID_EDIT_PASTE);
    m_pView->OnCmdMsg(ID_EDIT_PASTE, CN_UPDATE_COMMAND_UI, &pasteText, NULL);
    EXPECT_EQ(1, pasteText.m_nEnabled);
}

TEST_F(EditCommands, MenuCommandsAndTheDeleteKeyReachTheActiveView)
{
    AddRect(10, 10, 40, 40);
    AddRect(50, 10, 80, 40);
    m_program.Command(ID_EDIT_SELECT_ALL_ELEMENTS);
    EXPECT_EQ(2, m_pDoc->m_listSelection.GetCount());
    m_program.Command(ID_EDIT_COPY);
    m_program.Command(ID_EDIT_PASTE);
    EXPECT_EQ(4, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(2, m_pDoc->m_listSelection.GetCount());
    m_pView->SendMessage(WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(2, m_pDoc->m_listElements.GetCount());
    EXPECT_EQ(CRect(10, 10, 40, 40), m_pDoc->m_listElements.GetHead()->GetRect());
    m_program.Command(ID_EDIT_UNDO);
    EXPECT_EQ(4, m_pDoc->m_listElements.GetCount());
}
