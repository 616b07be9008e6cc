// The tab strip of a bar group as an OLE drop target: data dragged over a tab selects
// its bar; the strip accepts nothing.
#include "../uibars_support.h"
#include "uiframework/bars/ExtDynTabControlBar.h"
#include "uiframework/bars/ExtDynAutoHide.h"
#include "afxole.h"

namespace
{

// A group of two resizable bars, docked at the left.
class DropGroupTest : public UiBarsTest
{
protected:
    CTestResizableBar* m_pA = NULL;
    CTestResizableBar* m_pB = NULL;
    CExtDynTabControlBar* m_pGroup = NULL;
    COleDataSource* m_pSource = NULL;

    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(NULL)));
        UiBarsTest::SetUp();
        m_pSource = new COleDataSource;
        HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, 6);
        memcpy(::GlobalLock(hText), "label", 6);
        ::GlobalUnlock(hText);
        m_pSource->CacheGlobalData(CF_TEXT, hText);
    }
    void TearDown() override
    {
        UiBarsTest::TearDown();
        if (m_pSource != NULL)
            m_pSource->Release();
        ::OleUninitialize();
    }

    void MakeGroup()
    {
        m_pA = NewBar(0xE810, "Alpha");
        m_pB = NewBar(0xE811, "Beta");
        ASSERT_TRUE(m_pA->DockToFrameSide(AFX_IDW_DOCKBAR_LEFT));
        ASSERT_TRUE(m_pB->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
        m_pFrame->RecalcLayout();
        PumpPendingMessages();
        ASSERT_TRUE(m_pA->DockAsTab(m_pB));
        PumpPendingMessages();
        m_pGroup = DYNAMIC_DOWNCAST(CExtDynTabControlBar, m_pA->GetTabbedContainer());
        ASSERT_TRUE(m_pGroup != NULL);
        ASSERT_EQ(2, m_pGroup->m_wndTabs.GetItemCount());
        ASSERT_TRUE(m_pGroup->IsTabStripVisible());
    }
    // The screen point at the middle of a tab.
    POINTL TabPoint(int nTab)
    {
        CPoint pt = m_pGroup->m_wndTabs.GetItemClientRect(nTab).CenterPoint();
        m_pGroup->m_wndTabs.ClientToScreen(&pt);
        POINTL ptl = { pt.x, pt.y };
        return ptl;
    }
    HWND TopMember() { return ::GetWindow(m_pGroup->GetTabDockBar()->m_hWnd, GW_CHILD); }
};

// The same group, OLE not initialised.
class NoOleGroupTest : public DropGroupTest
{
protected:
    void SetUp() override
    {
        UiBarsTest::SetUp();
    }
    void TearDown() override { UiBarsTest::TearDown(); }
};

} // namespace

TEST_F(DropGroupTest, DraggedDataSelectsTheTabUnderThePointer)
{
    MakeGroup();
    CExtDynTabWnd& tabs = m_pGroup->m_wndTabs;
    ASSERT_TRUE(tabs.m_dropTarget.IsRegistered());
    EXPECT_EQ((COleDropTarget*)&tabs.m_dropTarget, tabs.m_pDropTarget);
    EXPECT_EQ((CExtTabWnd*)&tabs, tabs.m_dropTarget.GetTabWnd());
    LPDROPTARGET pDrop = tabs.m_dropTarget.GetDropTargetInterface();
    ASSERT_TRUE(pDrop != NULL);
    // OLE knows the strip as a drop target
    EXPECT_EQ(DRAGDROP_E_ALREADYREGISTERED, ::RegisterDragDrop(tabs.m_hWnd, pDrop));

    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    LPDATAOBJECT pData = m_pSource->GetDataObject();

    // entering over the second tab selects it: Beta comes on top and names the group
    DWORD dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->DragEnter(pData, MK_LBUTTON, TabPoint(1), &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(1, tabs.GetSelection());
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
    EXPECT_EQ(m_pB->m_hWnd, TopMember());
    CString sText;
    m_pGroup->GetWindowText(sText);
    EXPECT_EQ(sText, "Beta");

    // moving on over the first tab selects that one
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, TabPoint(0), &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(m_pA->m_hWnd, TopMember());

    // off the items (above the strip, over the stacked bars) nothing changes
    CRect rcStrip;
    tabs.GetWindowRect(&rcStrip);
    POINTL ptAbove = { TabPoint(1).x, rcStrip.top - 5 };
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, ptAbove, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);

    // a drop does nothing: no effect, the group and its tabs stay as they are
    dwEffect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(S_OK, pDrop->Drop(pData, 0, TabPoint(0), &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(2, tabs.GetItemCount());
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    EXPECT_EQ(m_pA->GetTabbedContainer(), (CExtControlBar*)m_pGroup);
    EXPECT_EQ(m_pB->GetTabbedContainer(), (CExtControlBar*)m_pGroup);
    // and the data is not held
    pData->AddRef();
    EXPECT_EQ(1u, pData->Release());
    ExpectAllArraysSound();
}

TEST_F(DropGroupTest, TheTabOfABarBeingDraggedAwayIsNotSelected)
{
    MakeGroup();
    CExtDynTabWnd& tabs = m_pGroup->m_wndTabs;
    LPDROPTARGET pDrop = tabs.m_dropTarget.GetDropTargetInterface();
    ASSERT_TRUE(pDrop != NULL);
    tabs.GetItem(1)->ModifyFlags(0, __ETWI_DETACHED);
    DWORD dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragEnter(m_pSource->GetDataObject(), MK_LBUTTON, TabPoint(1),
                                     &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(0, tabs.GetSelection());
    pDrop->DragLeave();
    tabs.GetItem(1)->ModifyFlags(__ETWI_DETACHED, 0);
}

TEST_F(DropGroupTest, DestroyingTheGroupRevokesItsStrip)
{
    MakeGroup();
    CExtDynTabWnd& tabs = m_pGroup->m_wndTabs;
    LPDROPTARGET pDrop = tabs.m_dropTarget.GetDropTargetInterface();
    ASSERT_TRUE(pDrop != NULL);
    pDrop->AddRef();        // a drag that is on while the frame goes
    DWORD dwEffect = DROPEFFECT_COPY;
    pDrop->DragEnter(m_pSource->GetDataObject(), MK_LBUTTON, TabPoint(1), &dwEffect);
    HWND hStrip = tabs.m_hWnd;

    m_pApp->m_pMainWnd = NULL;
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(hStrip));
    // the rest of the drag reaches nothing, and its reference is the last one
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragOver(MK_LBUTTON, TabPoint(0), &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->Drop(m_pSource->GetDataObject(), 0, TabPoint(0), &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(0u, pDrop->Release());
}

TEST_F(DropGroupTest, TheModuleFlagKeepsStripsUnregistered)
{
    CExtDynTabWnd::g_bRegisterDropTarget = false;
    MakeGroup();
    CExtDynTabWnd::g_bRegisterDropTarget = true;
    CExtDynTabWnd& tabs = m_pGroup->m_wndTabs;
    EXPECT_FALSE(tabs.m_dropTarget.IsRegistered());
    EXPECT_TRUE(tabs.m_pDropTarget == NULL);
    // the strip is free for OLE: nothing was registered on it
    COleDropTarget other;
    EXPECT_TRUE(other.Register(&tabs));
    other.Revoke();
}

TEST_F(NoOleGroupTest, WithoutOleTheStripRegistersNothing)
{
    ASSERT_FALSE(AfxOleGetInitialized());
    MakeGroup();
    CExtDynTabWnd& tabs = m_pGroup->m_wndTabs;
    EXPECT_FALSE(tabs.m_dropTarget.IsRegistered());
    EXPECT_TRUE(tabs.m_dropTarget.GetDropTargetInterface() == NULL);
    EXPECT_TRUE(tabs.m_pDropTarget == NULL);
    // the group works as ever
    tabs.SetSelection(1, true, true);
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
}

namespace
{

// Drags at a fixed point: the drop comes with the given query.
class CScriptedDropSource : public IDropSource
{
public:
    POINT m_pt = { 0, 0 };
    int m_nDropAt = 4;
    int m_nQueries = 0;
    int m_nFeedback = 0;
    DWORD m_dwLastFeedback = 0xFFFF;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
        {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP QueryContinueDrag(BOOL, DWORD) override
    {
        ::SetCursorPos(m_pt.x, m_pt.y);
        return ++m_nQueries >= m_nDropAt ? DRAGDROP_S_DROP : S_OK;
    }
    STDMETHODIMP GiveFeedback(DWORD dwEffect) override
    {
        ++m_nFeedback;
        m_dwLastFeedback = dwEffect;
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

void CALLBACK GiveUpTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::PostQuitMessage(0);
}

} // namespace

TEST_F(DropGroupTest, ARealDragOverTheStripSelectsTheTab)
{
    MakeGroup();
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->UpdateWindow();
    PumpPendingMessages();
    ASSERT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pA);
    CScriptedDropSource source;
    POINTL pt = TabPoint(1);
    source.m_pt.x = pt.x;
    source.m_pt.y = pt.y;
    ::SetCursorPos(pt.x, pt.y);
    POINT ptNow;
    ::GetCursorPos(&ptNow);
    EXPECT_EQ(pt.x, ptNow.x);
    EXPECT_EQ(m_pGroup->m_wndTabs.m_hWnd, ::WindowFromPoint(ptNow));
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 5000, GiveUpTimer);
    DWORD dwEffect = 0xFF;
    HRESULT hr = ::DoDragDrop(m_pSource->GetDataObject(), &source,
                              DROPEFFECT_COPY | DROPEFFECT_MOVE, &dwEffect);
    ::KillTimer(NULL, nTimer);
    EXPECT_EQ(DRAGDROP_S_DROP, hr);
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_EQ(source.m_nDropAt, source.m_nQueries);
    EXPECT_GT(source.m_nFeedback, 0);
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, source.m_dwLastFeedback);
    EXPECT_EQ(m_pGroup->GetSelectedBar(), (CExtControlBar*)m_pB);
}

TEST_F(DropGroupTest, DraggedDataOverAnAutoHideStripSlidesTheBarOut)
{
    CTestResizableBar* pC = NewBar(0xE812, "Gamma");
    CTestResizableBar* pD = NewBar(0xE813, "Delta");
    ASSERT_TRUE(pC->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    ASSERT_TRUE(pD->DockToFrameSide(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    ASSERT_TRUE(CExtDynAutoHideArea::SetupFrame(m_pFrame));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(pC, true, false, true, true));
    ASSERT_TRUE(CExtControlBar::AutoHideModeSet(pD, true, false, true, true));
    m_pFrame->RecalcLayout();
    PumpPendingMessages();
    CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAreaForSide(m_pFrame,
                                                                     AFX_IDW_DOCKBAR_RIGHT);
    ASSERT_TRUE(pArea != NULL);
    ASSERT_EQ(2, pArea->GetItemCount());
    CExtDynAutoHideSlider* pSlider = pArea->GetSlider();
    if (pSlider->IsShown())
        pSlider->SlideBar(pSlider->GetBar(), false, false);
    ASSERT_FALSE(pSlider->IsShown());
    ASSERT_TRUE(pArea->m_dropTarget.IsRegistered());
    LPDROPTARGET pDrop = pArea->m_dropTarget.GetDropTargetInterface();
    ASSERT_TRUE(pDrop != NULL);

    // the focus is outside the frame, as during a drag from another program
    ::SetFocus(NULL);
    CPoint pt = pArea->GetItemClientRect(0).CenterPoint();
    pArea->ClientToScreen(&pt);
    POINTL ptl = { pt.x, pt.y };
    DWORD dwEffect = DROPEFFECT_COPY;
    LPDATAOBJECT pData = m_pSource->GetDataObject();
    EXPECT_EQ(S_OK, pDrop->DragEnter(pData, MK_LBUTTON, ptl, &dwEffect));
    EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
    EXPECT_TRUE(pSlider->IsShown());
    EXPECT_EQ(pSlider->GetBar(), (CExtControlBar*)pC);
    // the focus test applies again afterwards
    EXPECT_EQ(0, pArea->m_nAreaFlags & 2);
    dwEffect = DROPEFFECT_COPY;
    EXPECT_EQ(S_OK, pDrop->DragLeave());
    pSlider->SlideBar(pC, false, false);
    PumpPendingMessages();
}

TEST_F(DropGroupTest, TheModuleFlagKeepsAutoHideStripsUnregistered)
{
    CExtDynAutoHideArea::g_bRegisterDropTarget = false;
    bool bOk = CExtDynAutoHideArea::SetupFrame(m_pFrame);
    CExtDynAutoHideArea::g_bRegisterDropTarget = true;
    ASSERT_TRUE(bOk);
    CExtDynAutoHideArea* arr[4];
    CExtDynAutoHideArea::FindAreas(m_pFrame->m_hWnd, arr);
    for (int i = 0; i < 4; i++)
    {
        ASSERT_TRUE(arr[i] != NULL);
        EXPECT_FALSE(arr[i]->m_dropTarget.IsRegistered());
    }
}
