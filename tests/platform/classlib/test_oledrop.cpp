// Tests of COleDropTarget: registration, revocation with the window, the calls of
// the IDropTarget reaching the virtuals, and the references it holds.

#include "afxole.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <thread>

namespace
{

// Counts the calls and answers what the test sets.
class CRecordingTarget : public COleDropTarget
{
public:
    int m_nEnter = 0, m_nOver = 0, m_nLeave = 0, m_nDrop = 0, m_nDropEx = 0, m_nScroll = 0;
    CWnd* m_pLastWnd = NULL;
    CPoint m_ptLast = CPoint(-999, -999);
    DWORD m_dwLastKeys = 0;
    std::string m_sLastText;
    DROPEFFECT m_dropAnswer = DROPEFFECT_COPY;
    DROPEFFECT m_dropDropped = 0;
    DROPEFFECT m_dropExAnswer = (DROPEFFECT)-1;
    DROPEFFECT m_dropScrollAnswer = DROPEFFECT_NONE;
    BOOL m_bDropAnswer = TRUE;
    std::function<void(CWnd*)> m_onOver;    // runs inside OnDragOver

    DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pData, DWORD dwKeys, CPoint pt) override
    {
        ++m_nEnter;
        Record(pWnd, pData, dwKeys, pt);
        return m_dropAnswer;
    }
    DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pData, DWORD dwKeys, CPoint pt) override
    {
        ++m_nOver;
        Record(pWnd, pData, dwKeys, pt);
        if (m_onOver)
            m_onOver(pWnd);     // may destroy the window and this target
        return DROPEFFECT_COPY | DROPEFFECT_MOVE;
    }
    void OnDragLeave(CWnd* pWnd) override
    {
        ++m_nLeave;
        m_pLastWnd = pWnd;
    }
    BOOL OnDrop(CWnd* pWnd, COleDataObject* pData, DROPEFFECT dropEffect, CPoint pt) override
    {
        ++m_nDrop;
        m_dropDropped = dropEffect;
        Record(pWnd, pData, 0, pt);
        return m_bDropAnswer;
    }
    DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pData, DROPEFFECT dropDefault,
                        DROPEFFECT dropList, CPoint pt) override
    {
        ++m_nDropEx;
        m_dropDropped = dropDefault | (dropList << 8);
        Record(pWnd, pData, 0, pt);
        return m_dropExAnswer;
    }
    DROPEFFECT OnDragScroll(CWnd*, DWORD, CPoint) override
    {
        ++m_nScroll;
        return m_dropScrollAnswer;
    }
    int Calls() const { return m_nEnter + m_nOver + m_nLeave + m_nDrop + m_nDropEx; }

private:
    void Record(CWnd* pWnd, COleDataObject* pData, DWORD dwKeys, CPoint pt)
    {
        m_pLastWnd = pWnd;
        m_ptLast = pt;
        m_dwLastKeys = dwKeys;
        m_sLastText.clear();
        HGLOBAL hText = pData != NULL ? pData->GetGlobalData(CF_TEXT) : NULL;
        if (hText != NULL)
        {
            m_sLastText = (const char*)::GlobalLock(hText);
            ::GlobalUnlock(hText);
            ::GlobalFree(hText);
        }
    }
};

// A window that deletes itself when destroyed, with its drop target inside.
class CSelfDeletingWnd : public CWnd
{
public:
    explicit CSelfDeletingWnd(bool* pbDeleted) : m_pbDeleted(pbDeleted) {}
    ~CSelfDeletingWnd() override { *m_pbDeleted = true; }
    void PostNcDestroy() override { delete this; }
    CRecordingTarget m_target;

private:
    bool* m_pbDeleted;
};

bool CreatePopup(CWnd& wnd, int x = 100, int y = 80)
{
    return wnd.CreateEx(0, AfxGetWndClassName(), "drop", WS_POPUP, x, y, 200, 150, NULL, NULL) != FALSE;
}

// A data source holding text, with the creator's reference.
COleDataSource* NewTextSource(const char* pszText)
{
    COleDataSource* pSource = new COleDataSource;
    size_t nLen = strlen(pszText) + 1;
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, nLen);
    memcpy(::GlobalLock(hText), pszText, nLen);
    ::GlobalUnlock(hText);
    pSource->CacheGlobalData(CF_TEXT, hText);
    return pSource;
}

// The COM references an interface has besides the caller's.
ULONG RefsOf(IUnknown* p)
{
    p->AddRef();
    return p->Release();
}

class OleDropTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL))); }
    void TearDown() override { ::OleUninitialize(); }
};

} // namespace

TEST(OleDropNoOle, RegisterNeedsOleOnTheThread)
{
    // a thread of its own: nothing else has started COM or OLE on it
    struct Result
    {
        BOOL bInitBare = TRUE, bRegBare = TRUE;
        BOOL bInitCom = TRUE, bRegCom = TRUE;
        BOOL bInitOle = FALSE, bRegOle = FALSE, bInitAfterTerm = TRUE;
        bool bRevoked = false;
    } r;
    std::thread worker([&r]() {
        CWnd wnd;
        if (!CreatePopup(wnd))
            return;
        CRecordingTarget target;
        r.bInitBare = AfxOleGetInitialized();
        r.bRegBare = target.Register(&wnd);
        // COM alone is not OLE
        ::CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
        r.bInitCom = AfxOleGetInitialized();
        r.bRegCom = target.Register(&wnd);
        ::OleInitialize(NULL);
        r.bInitOle = AfxOleGetInitialized();
        r.bRegOle = target.Register(&wnd);
        target.Revoke();
        r.bRevoked = !target.IsRegistered() && wnd.m_pDropTarget == NULL;
        wnd.DestroyWindow();
        ::OleUninitialize();
        r.bInitAfterTerm = AfxOleGetInitialized();
        ::CoUninitialize();
    });
    worker.join();
    EXPECT_FALSE(r.bInitBare);
    EXPECT_FALSE(r.bRegBare);
    EXPECT_FALSE(r.bInitCom);
    EXPECT_FALSE(r.bRegCom);
    EXPECT_TRUE(r.bInitOle);
    EXPECT_TRUE(r.bRegOle);
    EXPECT_TRUE(r.bRevoked);
    EXPECT_FALSE(r.bInitAfterTerm);
}

TEST_F(OleDropTest, OneTargetPerWindowAndOneWindowPerTarget)
{
    CWnd wnd, other;
    ASSERT_TRUE(CreatePopup(wnd));
    ASSERT_TRUE(CreatePopup(other, 400, 80));
    CRecordingTarget a, b;
    EXPECT_FALSE(a.Register(NULL));
    CWnd unattached;
    EXPECT_FALSE(a.Register(&unattached));

    ASSERT_TRUE(a.Register(&wnd));
    EXPECT_TRUE(a.IsRegistered());
    EXPECT_EQ(&wnd, a.GetRegisteredWindow());
    EXPECT_EQ((COleDropTarget*)&a, wnd.m_pDropTarget);
    EXPECT_FALSE(b.Register(&wnd));         // the window has a target
    EXPECT_FALSE(a.Register(&other));       // the target has a window
    EXPECT_FALSE(b.IsRegistered());
    EXPECT_EQ((COleDropTarget*)&a, wnd.m_pDropTarget);
    // OLE itself sees the registration
    CRecordingTarget c;
    ASSERT_TRUE(c.Register(&other));
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED,
              ::RegisterDragDrop(wnd.m_hWnd, c.GetDropTargetInterface()));
    c.Revoke();

    a.Revoke();
    EXPECT_FALSE(a.IsRegistered());
    EXPECT_TRUE(a.GetDropTargetInterface() == NULL);
    EXPECT_TRUE(wnd.m_pDropTarget == NULL);
    a.Revoke();                             // twice is harmless
    EXPECT_TRUE(b.Register(&wnd));
    EXPECT_TRUE(a.Register(&other));
    wnd.DestroyWindow();
    other.DestroyWindow();
}

TEST_F(OleDropTest, CallsReachTheVirtualsInClientCoordinatesWithTheData)
{
    CWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd, 100, 80));
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    LPDROPTARGET pDrop = target.GetDropTargetInterface();
    ASSERT_TRUE(pDrop != NULL);
    COleDataSource* pSource = NewTextSource("label text");
    LPDATAOBJECT pData = pSource->GetDataObject();

    POINT ptOrigin = { 0, 0 };
    ::ClientToScreen(wnd.m_hWnd, &ptOrigin);
    POINTL pt = { ptOrigin.x + 30, ptOrigin.y + 15 };

    // enter: the point in client coordinates, the data readable, the answer kept to
    // what the source allows
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target.m_dropAnswer = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->DragEnter(pData, MK_LBUTTON | MK_CONTROL, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    EXPECT_EQ(1, target.m_nEnter);
    EXPECT_EQ(1, target.m_nScroll);
    EXPECT_EQ(&wnd, target.m_pLastWnd);
    EXPECT_EQ(CPoint(30, 15), target.m_ptLast);
    EXPECT_EQ((DWORD)(MK_LBUTTON | MK_CONTROL), target.m_dwLastKeys);
    EXPECT_EQ("label text", target.m_sLastText);

    // over: the data of the enter is still there
    pt.x += 10;
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_MOVE, dwEffect);
    EXPECT_EQ(1, target.m_nOver);
    EXPECT_EQ(CPoint(40, 15), target.m_ptLast);
    EXPECT_EQ("label text", target.m_sLastText);

    // a scroll answer stands for the other and keeps its scroll bit
    target.m_dropScrollAnswer = DROPEFFECT_SCROLL | DROPEFFECT_MOVE;
    dwEffect = DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)(DROPEFFECT_SCROLL | DROPEFFECT_MOVE), dwEffect);
    EXPECT_EQ(1, target.m_nOver);
    target.m_dropScrollAnswer = DROPEFFECT_NONE;

    // drop: OnDropEx says -1, so OnDrop gets the effect OnDragOver answered
    dwEffect = DROPEFFECT_MOVE | DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ(1, target.m_nDropEx);
    EXPECT_EQ(1, target.m_nDrop);
    EXPECT_EQ((DWORD)(DROPEFFECT_COPY | DROPEFFECT_MOVE), target.m_dropDropped);
    EXPECT_EQ((DWORD)(DROPEFFECT_COPY | DROPEFFECT_MOVE), dwEffect);
    EXPECT_EQ("label text", target.m_sLastText);
    EXPECT_EQ(CPoint(40, 15), target.m_ptLast);

    // a refused drop has no effect
    target.m_bDropAnswer = FALSE;
    dwEffect = DROPEFFECT_COPY;
    pDrop->DragEnter(pData, MK_LBUTTON, pt, &dwEffect);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(2, target.m_nDrop);

    // OnDropEx answering takes the place of OnDrop
    target.m_dropExAnswer = DROPEFFECT_COPY;
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    EXPECT_EQ(2, target.m_nDrop);
    EXPECT_EQ(3, target.m_nDropEx);
    EXPECT_EQ((DWORD)((DROPEFFECT_COPY | DROPEFFECT_MOVE) |
                      ((DROPEFFECT_COPY | DROPEFFECT_MOVE) << 8)), target.m_dropDropped);

    // a drop where nothing is allowed only leaves
    int nLeave = target.m_nLeave;
    dwEffect = DROPEFFECT_LINK;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(3, target.m_nDropEx);
    EXPECT_EQ(nLeave + 1, target.m_nLeave);

    // leave reaches the virtual with the window
    target.m_pLastWnd = NULL;
    EXPECT_EQ(S_OK, pDrop->DragLeave());
    EXPECT_EQ(nLeave + 2, target.m_nLeave);
    EXPECT_EQ(&wnd, target.m_pLastWnd);

    // the target kept no reference to the data: the source has the creator's only
    EXPECT_EQ(1u, RefsOf(pData));
    pSource->Release();
    wnd.DestroyWindow();
}

TEST_F(OleDropTest, ReferencesAreBalanced)
{
    CWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    LPDROPTARGET pDrop = target.GetDropTargetInterface();
    COleDataSource* pSource = NewTextSource("x");
    LPDATAOBJECT pData = pSource->GetDataObject();

    ULONG nRegistered = RefsOf(pDrop);
    EXPECT_GE(nRegistered, 2u);     // the target's and OLE's
    // a drag holds the data between enter and leave, and nothing afterwards
    POINTL pt = { 10, 10 };
    DWORD dwEffect = DROPEFFECT_COPY;
    pDrop->DragEnter(pData, MK_LBUTTON, pt, &dwEffect);
    EXPECT_EQ(2u, RefsOf(pData));
    pDrop->DragOver(MK_LBUTTON, pt, &dwEffect);
    pDrop->DragLeave();
    EXPECT_EQ(1u, RefsOf(pData));
    pDrop->DragEnter(pData, MK_LBUTTON, pt, &dwEffect);
    pDrop->Drop(pData, 0, pt, &dwEffect);
    EXPECT_EQ(1u, RefsOf(pData));
    EXPECT_EQ(nRegistered, RefsOf(pDrop));
    // QueryInterface gives the same object, other interfaces none
    IUnknown* pUnk = NULL;
    ASSERT_EQ(S_OK, pDrop->QueryInterface(IID_IUnknown, (void**)&pUnk));
    EXPECT_EQ((IUnknown*)pDrop, pUnk);
    pUnk->Release();
    IDataObject* pNot = (IDataObject*)1;
    EXPECT_EQ(E_NOINTERFACE, pDrop->QueryInterface(IID_IDataObject, (void**)&pNot));
    EXPECT_TRUE(pNot == NULL);

    // a drag that is still on when the target goes: the revoke drops OLE's and the
    // target's references, the drag's own is the last and calls reach nothing
    pDrop->AddRef();
    dwEffect = DROPEFFECT_COPY;
    pDrop->DragEnter(pData, MK_LBUTTON, pt, &dwEffect);
    target.Revoke();
    EXPECT_EQ(1u, RefsOf(pData));           // the data was let go as well
    int nCalls = target.Calls();
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(nCalls, target.Calls());
    EXPECT_EQ(0u, pDrop->Release());
    EXPECT_EQ(1u, RefsOf(pData));
    pSource->Release();
    wnd.DestroyWindow();
}

TEST_F(OleDropTest, DestroyingTheWindowRevokes)
{
    CWnd wnd;
    ASSERT_TRUE(CreatePopup(wnd));
    CRecordingTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    LPDROPTARGET pDrop = target.GetDropTargetInterface();
    pDrop->AddRef();
    HWND hWnd = wnd.m_hWnd;
    ASSERT_TRUE(wnd.DestroyWindow());
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(target.IsRegistered());
    EXPECT_TRUE(target.GetRegisteredWindow() == NULL);
    EXPECT_TRUE(wnd.m_pDropTarget == NULL);
    // what a drag still holds answers nothing and is the last reference
    POINTL pt = { 5, 5 };
    DWORD dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragEnter(NULL, MK_LBUTTON, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(0, target.Calls());
    EXPECT_EQ(0u, pDrop->Release());

    // the same objects work again with a new window
    ASSERT_TRUE(CreatePopup(wnd));
    ASSERT_TRUE(target.Register(&wnd));
    dwEffect = DROPEFFECT_COPY;
    target.GetDropTargetInterface()->DragEnter(NULL, MK_LBUTTON, pt, &dwEffect);
    EXPECT_EQ(1, target.m_nEnter);
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);
    wnd.DestroyWindow();
    EXPECT_FALSE(target.IsRegistered());
}

TEST_F(OleDropTest, EitherObjectMayGoFirst)
{
    // the target goes first: the window forgets it
    CWnd* pWnd = new CWnd;
    ASSERT_TRUE(CreatePopup(*pWnd));
    {
        CRecordingTarget target;
        ASSERT_TRUE(target.Register(pWnd));
    }
    EXPECT_TRUE(pWnd->m_pDropTarget == NULL);
    // and a new target can take the window
    CRecordingTarget second;
    EXPECT_TRUE(second.Register(pWnd));
    // the window object goes first (destroying its window without calling back):
    // the target is revoked and forgets it
    HWND hWnd = pWnd->m_hWnd;
    delete pWnd;
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_FALSE(second.IsRegistered());
    EXPECT_TRUE(second.GetRegisteredWindow() == NULL);
}

TEST_F(OleDropTest, WindowDestroyedDuringADrag)
{
    bool bDeleted = false;
    CSelfDeletingWnd* pWnd = new CSelfDeletingWnd(&bDeleted);
    ASSERT_TRUE(CreatePopup(*pWnd));
    ASSERT_TRUE(pWnd->m_target.Register(pWnd));
    LPDROPTARGET pDrop = pWnd->m_target.GetDropTargetInterface();
    pDrop->AddRef();        // the drag's reference
    COleDataSource* pSource = NewTextSource("y");
    LPDATAOBJECT pData = pSource->GetDataObject();
    POINTL pt = { 120, 100 };
    DWORD dwEffect = DROPEFFECT_COPY;
    pDrop->DragEnter(pData, MK_LBUTTON, pt, &dwEffect);
    EXPECT_EQ((DWORD)DROPEFFECT_COPY, dwEffect);

    // the window, its object and the target inside it go while OnDragOver runs
    pWnd->m_target.m_onOver = [](CWnd* p) { p->DestroyWindow(); };
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, pt, &dwEffect));
    EXPECT_TRUE(bDeleted);
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    // the rest of the drag reaches nothing
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, pt, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(S_OK, pDrop->DragLeave());
    EXPECT_EQ(0u, pDrop->Release());
    EXPECT_EQ(1u, RefsOf(pData));
    pSource->Release();
}
