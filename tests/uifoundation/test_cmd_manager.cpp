// Command manager and profiles: profiles and windows, menus, toolbars, icons, ids.

#include "afxwin.h"
#include "ExtCmdManager.h"
#include "ExtCmdIcon.h"
#include "cmd_resource.h"
#include "cmd_test_support.h"

namespace
{

CExtCmdManager* Mgr()
{
    return g_CmdManagerHolder.GetManager();
}

// A fresh profile with a name no other test uses.
CString NewProfile(LPCTSTR lpszHint)
{
    static int s_nProfiles = 0;
    CString strName;
    strName.Format("CmdTest.%s.%d", lpszHint, ++s_nProfiles);
    EXPECT_TRUE(Mgr()->EnsureProfile(strName, NULL));
    return strName;
}

CExtCmdIcon* MakeSolidIcon(COLORREF clr, int cx = 16, int cy = 16)
{
    HBITMAP hBitmap = MakeTestBitmap(cx, cy, [clr](int, int) { return clr; });
    return new CExtCmdIcon(hBitmap, RGB(255, 0, 255), NULL, false);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Profiles and windows

TEST(CmdManagerProfiles, NullNameIsDefaultButEmptyNameIsOnlyDefaultForEnsure)
{
    CExtCmdItem item(47901);
    item.m_strMenuText = "In default";
    ASSERT_TRUE(Mgr()->SetCommand(NULL, &item));
    ASSERT_NE(Mgr()->FindCommand(NULL, 47901), nullptr);
    EXPECT_EQ(Mgr()->FindCommand("default", 47901), Mgr()->FindCommand(NULL, 47901));
    EXPECT_EQ(Mgr()->FindCommand("", 47901), nullptr);
    EXPECT_EQ(Mgr()->GetProfile(""), nullptr);

    EXPECT_TRUE(Mgr()->EnsureProfile("", NULL));
    EXPECT_EQ(Mgr()->GetProfile(""), nullptr);
    EXPECT_NE(Mgr()->GetProfile("default"), nullptr);
    Mgr()->RemoveCommand(NULL, 47901);
}

TEST(CmdManagerProfiles, MissingProfileGivesFalseOrNull)
{
    CExtCmdItem item(100);
    bool bAdded = true;
    EXPECT_FALSE(Mgr()->SetCommand("CmdTest.NoSuchProfile", &item, false, &bAdded));
    EXPECT_FALSE(bAdded);
    EXPECT_EQ(Mgr()->FindCommand("CmdTest.NoSuchProfile", 100), nullptr);
    EXPECT_EQ(Mgr()->AllocateCommand("CmdTest.NoSuchProfile"), nullptr);
    EXPECT_FALSE(Mgr()->RemoveCommandsByFlags("CmdTest.NoSuchProfile", 1));
    EXPECT_FALSE(Mgr()->SetProfileForWindow("CmdTest.NoSuchProfile", ::GetDesktopWindow()));
}

TEST(CmdManagerProfiles, EnsureProfileKeepsExistingAndInstallsGivenObject)
{
    CExtCmdProfile* pMine = new CExtCmdProfile("CmdTest.Given");
    ASSERT_TRUE(Mgr()->EnsureProfile("CmdTest.Given", NULL, pMine));
    EXPECT_EQ(Mgr()->GetProfile("CmdTest.Given"), pMine);
    // a second call keeps the installed profile and ignores the new object
    CExtCmdProfile other("CmdTest.Given");
    ASSERT_TRUE(Mgr()->EnsureProfile("CmdTest.Given", NULL, &other));
    EXPECT_EQ(Mgr()->GetProfile("CmdTest.Given"), pMine);
}

TEST(CmdManagerProfiles, ChildWindowsFindTheProfileOfTheirBoundFrame)
{
    CTestWindow frame;
    CTestWindow child(frame.m_hWnd);
    CTestWindow grandChild(child.m_hWnd);
    CTestWindow unbound;
    ASSERT_NE(grandChild.m_hWnd, (HWND)NULL);

    CString strProfile = NewProfile("Frame");
    ASSERT_TRUE(Mgr()->EnsureProfile(strProfile, frame.m_hWnd));

    LPCTSTR lpszFound = Mgr()->FindProfileNameForWindow(grandChild.m_hWnd);
    ASSERT_NE(lpszFound, nullptr);
    EXPECT_STREQ(lpszFound, strProfile);
    EXPECT_STREQ(Mgr()->FindProfileNameForWindow(frame.m_hWnd), strProfile);
    EXPECT_EQ(Mgr()->FindProfileNameForWindow(unbound.m_hWnd), nullptr);
    EXPECT_EQ(Mgr()->FindProfileNameForWindow(NULL), nullptr);

    // a bound child answers its own profile before its frame's
    CString strChildProfile = NewProfile("Child");
    ASSERT_TRUE(Mgr()->SetProfileForWindow(strChildProfile, child.m_hWnd));
    EXPECT_STREQ(Mgr()->FindProfileNameForWindow(grandChild.m_hWnd), strChildProfile);
}

TEST(CmdManagerProfiles, BindingIsKeptWhenTheWindowIsBoundAgain)
{
    CTestWindow frame;
    CString strFirst = NewProfile("First");
    CString strSecond = NewProfile("Second");
    ASSERT_TRUE(Mgr()->SetProfileForWindow(strFirst, frame.m_hWnd));
    EXPECT_TRUE(Mgr()->SetProfileForWindow(strSecond, frame.m_hWnd));
    EXPECT_STREQ(Mgr()->FindProfileNameForWindow(frame.m_hWnd), strFirst);
    EXPECT_FALSE(Mgr()->SetProfileForWindow(strFirst, NULL));
}

TEST(CmdManagerProfiles, ABindingEndsWithItsWindow)
{
    CString strProfile = NewProfile("Gone");
    HWND hWnd = NULL;
    {
        CTestWindow frame;
        hWnd = frame.m_hWnd;
        ASSERT_TRUE(Mgr()->SetProfileForWindow(strProfile, hWnd));
        EXPECT_STREQ(Mgr()->FindProfileNameForWindow(hWnd), strProfile);
    }
    ASSERT_FALSE(::IsWindow(hWnd));
    // nothing is left that a later window with the same handle would inherit
    CExtCmdProfile* pProfile = NULL;
    EXPECT_FALSE(Mgr()->m_mapWndProfiles.Lookup(hWnd, pProfile));
    EXPECT_EQ(Mgr()->FindProfileNameForWindow(hWnd), nullptr);

    // a binding whose window went unnoticed (another thread's window) gives way as well
    pProfile = Mgr()->GetProfile(strProfile);
    Mgr()->m_mapWndProfiles.SetAt(hWnd, pProfile);
    EXPECT_EQ(Mgr()->FindProfileNameForWindow(hWnd), nullptr);
    EXPECT_FALSE(Mgr()->m_mapWndProfiles.Lookup(hWnd, pProfile));
}

/////////////////////////////////////////////////////////////////////////////
// Commands from menus

TEST(CmdManagerMenus, MenuResourceGivesTextsAcceleratorsAndTips)
{
    CString strProfile = NewProfile("Menu");
    ASSERT_TRUE(Mgr()->UpdateFromMenuResource(strProfile, IDR_CMD_TEST_MENU));

    CExtCmdItem* pOpen = Mgr()->FindCommand(strProfile, ID_CMD_TEST_OPEN);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_STREQ(pOpen->m_strMenuText, "&Open...");
    EXPECT_STREQ(pOpen->m_strAccelText, "Ctrl+O");
    EXPECT_STREQ(pOpen->m_strStatusTipText, "Open an existing document");
    EXPECT_STREQ(pOpen->m_strTipText, "Open");
    EXPECT_EQ(pOpen->m_nIconIndex, -1);

    // blanks around the parts are trimmed; tabs inside a prompt become blanks
    CExtCmdItem* pSave = Mgr()->FindCommand(strProfile, ID_CMD_TEST_SAVE);
    ASSERT_NE(pSave, nullptr);
    EXPECT_STREQ(pSave->m_strMenuText, "&Save");
    EXPECT_STREQ(pSave->m_strAccelText, "Ctrl+S");
    EXPECT_STREQ(pSave->m_strStatusTipText, "Save the active document");
    EXPECT_STREQ(pSave->m_strTipText, "Save");

    // a word followed by a newline is a status tip only
    CExtCmdItem* pPrint = Mgr()->FindCommand(strProfile, ID_CMD_TEST_PRINT);
    ASSERT_NE(pPrint, nullptr);
    EXPECT_STREQ(pPrint->m_strStatusTipText, "Print");
    EXPECT_STREQ(pPrint->m_strTipText, "");
    EXPECT_STREQ(pPrint->m_strAccelText, "");

    CExtCmdItem* pPrompt = Mgr()->FindCommand(strProfile, ID_CMD_TEST_PROMPT);
    ASSERT_NE(pPrompt, nullptr);
    EXPECT_STREQ(pPrompt->m_strStatusTipText, "Just a status prompt");
    EXPECT_STREQ(pPrompt->m_strTipText, "");

    CExtCmdItem* pBlank = Mgr()->FindCommand(strProfile, ID_CMD_TEST_BLANK);
    ASSERT_NE(pBlank, nullptr);
    EXPECT_STREQ(pBlank->m_strStatusTipText, "");
    EXPECT_STREQ(pBlank->m_strTipText, "");

    // items of nested sub-menus are read too
    CExtCmdItem* pRecent = Mgr()->FindCommand(strProfile, ID_CMD_TEST_RECENT_ITEM);
    ASSERT_NE(pRecent, nullptr);
    EXPECT_STREQ(pRecent->m_strMenuText, "Recent &Item");
    EXPECT_EQ(pRecent->m_pProfile, Mgr()->GetProfile(strProfile));
}

TEST(CmdManagerMenus, ReplaceOldDecidesWhetherExistingTextsChange)
{
    CString strProfile = NewProfile("Replace");
    CExtCmdItem item(ID_CMD_TEST_OPEN);
    item.m_strMenuText = "Mine";
    ASSERT_TRUE(Mgr()->SetCommand(strProfile, &item));

    ASSERT_TRUE(Mgr()->UpdateFromMenuResource(strProfile, IDR_CMD_TEST_MENU, false));
    CExtCmdItem* pOpen = Mgr()->FindCommand(strProfile, ID_CMD_TEST_OPEN);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_STREQ(pOpen->m_strMenuText, "Mine");        // kept
    EXPECT_STREQ(pOpen->m_strAccelText, "Ctrl+O");     // filled where empty

    ASSERT_TRUE(Mgr()->UpdateFromMenuResource(strProfile, IDR_CMD_TEST_MENU, true));
    EXPECT_STREQ(pOpen->m_strMenuText, "&Open...");
}

TEST(CmdManagerMenus, MenuHandleWithoutTipsAndNonRecursive)
{
    CString strProfile = NewProfile("Handle");
    HMENU hMenu = ::CreatePopupMenu();
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenuA(hSub, MF_STRING, 47500, "Deep");
    ::AppendMenuA(hMenu, MF_STRING, ID_CMD_TEST_OPEN, "Open\r\n\tF3");
    ::AppendMenuA(hMenu, MF_SEPARATOR, 0, NULL);
    ::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "Sub");

    ASSERT_TRUE(Mgr()->UpdateFromMenuHandle(strProfile, hMenu, false, false, false));
    CExtCmdItem* pOpen = Mgr()->FindCommand(strProfile, ID_CMD_TEST_OPEN);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_STREQ(pOpen->m_strMenuText, "Open");
    EXPECT_STREQ(pOpen->m_strAccelText, "F3");
    EXPECT_STREQ(pOpen->m_strTipText, "");
    EXPECT_EQ(Mgr()->FindCommand(strProfile, 47500), nullptr);

    ASSERT_TRUE(Mgr()->UpdateFromMenuHandle(strProfile, hMenu, false, true, false));
    EXPECT_NE(Mgr()->FindCommand(strProfile, 47500), nullptr);
    ::DestroyMenu(hMenu);

    EXPECT_FALSE(Mgr()->UpdateFromMenuHandle(strProfile, NULL));
    EXPECT_FALSE(Mgr()->UpdateFromMenuResource(strProfile, 7999));
}

/////////////////////////////////////////////////////////////////////////////
// Commands and icons from toolbars

TEST(CmdManagerToolbars, ToolbarResourceGivesIdsAndIconsCutFromTheStrip)
{
    CString strProfile = NewProfile("Toolbar");
    UINT* pIDs = NULL;
    int nCount = 0;
    ASSERT_TRUE(Mgr()->UpdateFromToolBarResource(strProfile, IDR_CMD_TEST_TOOLBAR, &pIDs, &nCount,
                                                 false, true, RGB(192, 192, 192)));
    ASSERT_NE(pIDs, nullptr);
    ASSERT_EQ(nCount, 4);
    EXPECT_EQ(pIDs[0], (UINT)ID_CMD_TEST_OPEN);
    EXPECT_EQ(pIDs[1], 0u);
    EXPECT_EQ(pIDs[2], (UINT)ID_CMD_TEST_SAVE);
    EXPECT_EQ(pIDs[3], (UINT)ID_CMD_TEST_PRINT);
    delete[] pIDs;

    // button i takes strip part i: red, green, blue squares on silver
    const COLORREF expected[3] = { RGB(255, 0, 0), RGB(0, 160, 0), RGB(0, 0, 255) };
    const UINT ids[3] = { ID_CMD_TEST_OPEN, ID_CMD_TEST_SAVE, ID_CMD_TEST_PRINT };
    for (int i = 0; i < 3; i++)
    {
        CExtCmdIcon* pIcon = Mgr()->FindCommandIcon(strProfile, ids[i]);
        ASSERT_NE(pIcon, nullptr) << i;
        ASSERT_TRUE(pIcon->IsBitmapBased());
        EXPECT_EQ(pIcon->GetSize().cx, 16);
        EXPECT_EQ(pIcon->GetSize().cy, 15);
        EXPECT_EQ(pIcon->GetTransparentColor(), RGB(192, 192, 192));
        EXPECT_EQ(BitmapPixel(pIcon->GetBitmap(), 7, 7), expected[i]) << i;
        EXPECT_EQ(BitmapPixel(pIcon->GetBitmap(), 0, 0), RGB(192, 192, 192)) << i;
    }
    CExtCmdItem* pSave = Mgr()->FindCommand(strProfile, ID_CMD_TEST_SAVE);
    ASSERT_NE(pSave, nullptr);
    EXPECT_STREQ(pSave->m_strTipText, "Save");
    EXPECT_EQ(Mgr()->GetProfile(strProfile)->m_arrIcons.GetSize(), 3);
}

TEST(CmdManagerToolbars, ToolbarDataInTheWordLayout)
{
    CString strProfile = NewProfile("WordToolbar");
    UINT* pIDs = NULL;
    int nCount = 0;
    ASSERT_TRUE(Mgr()->UpdateFromToolBarResource(strProfile, IDR_CMD_TEST_WORD_TOOLBAR, &pIDs,
                                                 &nCount));
    ASSERT_EQ(nCount, 3);
    EXPECT_EQ(pIDs[0], (UINT)ID_CMD_TEST_OPEN);
    EXPECT_EQ(pIDs[1], 0u);
    EXPECT_EQ(pIDs[2], (UINT)ID_CMD_TEST_PRINT);
    delete[] pIDs;
    // non-separator button i takes strip part i
    CExtCmdIcon* pPrint = Mgr()->FindCommandIcon(strProfile, ID_CMD_TEST_PRINT);
    ASSERT_NE(pPrint, nullptr);
    EXPECT_EQ(BitmapPixel(pPrint->GetBitmap(), 7, 7), RGB(0, 160, 0));
    EXPECT_EQ(Mgr()->FindCommandIcon(strProfile, ID_CMD_TEST_SAVE), nullptr);
}

TEST(CmdManagerToolbars, ToolbarIconsReplaceExistingIconsButTextsFollowReplaceOld)
{
    CString strProfile = NewProfile("ToolbarAgain");
    CExtCmdItem item(ID_CMD_TEST_SAVE);
    item.m_strTipText = "Own tip";
    ASSERT_TRUE(Mgr()->SetCommand(strProfile, &item));
    ASSERT_TRUE(Mgr()->GetProfile(strProfile)->SetCommandIcon(ID_CMD_TEST_SAVE,
                                                              MakeSolidIcon(RGB(1, 2, 3)), true));

    ASSERT_TRUE(Mgr()->UpdateFromToolBarResource(strProfile, IDR_CMD_TEST_TOOLBAR));
    CExtCmdIcon* pIcon = Mgr()->FindCommandIcon(strProfile, ID_CMD_TEST_SAVE);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(BitmapPixel(pIcon->GetBitmap(), 7, 7), RGB(0, 160, 0));
    EXPECT_STREQ(Mgr()->FindCommand(strProfile, ID_CMD_TEST_SAVE)->m_strTipText, "Own tip");
    // the replaced icon took the old slot
    EXPECT_EQ(Mgr()->GetProfile(strProfile)->m_arrIcons.GetSize(), 3);
}

TEST(CmdManagerToolbars, TruncatedToolbarResourceIsRefused)
{
    CString strProfile = NewProfile("BadToolbar");
    UINT* pIDs = (UINT*)1;
    int nCount = -1;
    EXPECT_FALSE(Mgr()->UpdateFromToolBarResource(strProfile, IDR_CMD_TEST_BAD_TOOLBAR, &pIDs,
                                                  &nCount));
    EXPECT_EQ(pIDs, nullptr);
    EXPECT_EQ(nCount, 0);
    EXPECT_EQ(Mgr()->FindCommand(strProfile, ID_CMD_TEST_OPEN), nullptr);
    EXPECT_FALSE(Mgr()->UpdateFromToolBarResource(strProfile, 0));
    EXPECT_FALSE(Mgr()->UpdateFromToolBarResource(strProfile, IDR_CMD_TEST_MENU));
}

TEST(CmdManagerToolbars, ToolbarWindowGivesButtonTextsAndImageListIcons)
{
    INITCOMMONCONTROLSEX icc = { sizeof(icc), ICC_BAR_CLASSES };
    ::InitCommonControlsEx(&icc);
    CTestWindow frame;
    HWND hBar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | TBSTYLE_LIST, 0, 0, 200, 30,
                                  frame.m_hWnd, NULL, ::GetModuleHandleA(NULL), NULL);
    ASSERT_NE(hBar, (HWND)NULL);
    ::SendMessageA(hBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
    HBITMAP hStrip = MakeTestBitmap(32, 16, [](int x, int) {
        return x < 16 ? RGB(200, 0, 0) : RGB(0, 0, 200);
    });
    ::ImageList_AddMasked(hList, hStrip, RGB(255, 0, 255));
    ::DeleteObject(hStrip);
    ::SendMessageA(hBar, TB_SETIMAGELIST, 0, (LPARAM)hList);

    TBBUTTON buttons[3];
    memset(buttons, 0, sizeof(buttons));
    buttons[0].iBitmap = 0;
    buttons[0].idCommand = ID_CMD_TEST_OPEN;
    buttons[0].fsState = TBSTATE_ENABLED;
    buttons[0].iString = (INT_PTR)"Open it";
    buttons[1].fsStyle = TBSTYLE_SEP;
    buttons[2].iBitmap = 1;
    buttons[2].idCommand = ID_CMD_TEST_SAVE;
    buttons[2].fsState = TBSTATE_ENABLED;
    buttons[2].iString = (INT_PTR)"Save it";
    ::SendMessageA(hBar, TB_ADDBUTTONSA, 3, (LPARAM)buttons);

    CString strProfile = NewProfile("ToolbarWindow");
    CWnd* pBar = CWnd::FromHandle(hBar);
    ASSERT_TRUE(Mgr()->GetProfile(strProfile)->UpdateFromToolBarWindow(pBar, false, true));
    CExtCmdItem* pOpen = Mgr()->FindCommand(strProfile, ID_CMD_TEST_OPEN);
    ASSERT_NE(pOpen, nullptr);
    EXPECT_STREQ(pOpen->m_strAltText, "Open it");
    EXPECT_STREQ(pOpen->m_strTipText, "Open");
    CExtCmdIcon* pSaveIcon = Mgr()->FindCommandIcon(strProfile, ID_CMD_TEST_SAVE);
    ASSERT_NE(pSaveIcon, nullptr);
    EXPECT_FALSE(pSaveIcon->IsBitmapBased());
    CTestSurface surface(16, 16, RGB(255, 255, 255));
    RECT rc = { 0, 0, 16, 16 };
    pSaveIcon->Paint(surface.m_hDC, &rc);
    EXPECT_EQ(surface.Pixel(8, 8), RGB(0, 0, 200));

    ::DestroyWindow(hBar);
    ::ImageList_Destroy(hList);
    EXPECT_FALSE(Mgr()->GetProfile(strProfile)->UpdateFromToolBarWindow(NULL));
}

/////////////////////////////////////////////////////////////////////////////
// Ids, allocation and removal

TEST(CmdManagerIds, ValidAndHostGeneratedIds)
{
    EXPECT_FALSE(CExtCmdManager::IsCommandIdValid(0));
    EXPECT_FALSE(CExtCmdManager::IsCommandIdValid(0x80000000u));
    EXPECT_TRUE(CExtCmdManager::IsCommandIdValid(1));
    EXPECT_TRUE(CExtCmdManager::IsHostGeneratedCommand(0xFF00));
    EXPECT_TRUE(CExtCmdManager::IsHostGeneratedCommand(0xFF09));
    EXPECT_FALSE(CExtCmdManager::IsHostGeneratedCommand(0xFF0A));
    EXPECT_TRUE(CExtCmdManager::IsHostGeneratedCommand(0xE110));
    EXPECT_TRUE(CExtCmdManager::IsHostGeneratedCommand(0xE21F));
    EXPECT_TRUE(CExtCmdManager::IsHostGeneratedCommand(0xF060));
    EXPECT_FALSE(CExtCmdManager::IsHostGeneratedCommand(0xF1F0));
    EXPECT_FALSE(CExtCmdManager::IsHostGeneratedCommand(0xE100));
}

TEST(CmdManagerIds, AllocateTakesTheHighestFreeIdAndRefusesTakenIds)
{
    CString strProfile = NewProfile("Allocate");
    CExtCmdItem* pFirst = Mgr()->AllocateCommand(strProfile);
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(pFirst->m_nCmdID, 0xFFFEu);
    CExtCmdItem* pSecond = Mgr()->AllocateCommand(strProfile);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_EQ(pSecond->m_nCmdID, 0xFFFDu);
    CExtCmdItem* pThird = Mgr()->AllocateCommand(strProfile);
    ASSERT_NE(pThird, nullptr);
    EXPECT_EQ(pThird->m_nCmdID, 0xFFFCu);

    // a gap is filled first
    ASSERT_TRUE(Mgr()->RemoveCommand(strProfile, 0xFFFD));
    CExtCmdItem* pGap = Mgr()->AllocateCommand(strProfile);
    ASSERT_NE(pGap, nullptr);
    EXPECT_EQ(pGap->m_nCmdID, 0xFFFDu);

    EXPECT_EQ(Mgr()->AllocateCommand(strProfile, 0xFFFE), nullptr);
    CExtCmdItem* pChosen = Mgr()->AllocateCommand(strProfile, 1234);
    ASSERT_NE(pChosen, nullptr);
    EXPECT_EQ(pChosen->m_nCmdID, 1234u);
    EXPECT_EQ(pChosen->m_pProfile, Mgr()->GetProfile(strProfile));
}

TEST(CmdManagerIds, InvalidIdsAreRefusedEverywhere)
{
    CString strProfile = NewProfile("Invalid");
    CExtCmdItem zero(0), negative((UINT)-5);
    EXPECT_FALSE(Mgr()->SetCommand(strProfile, &zero));
    EXPECT_FALSE(Mgr()->SetCommand(strProfile, &negative));
    EXPECT_FALSE(Mgr()->RemoveCommand(strProfile, 0));
    EXPECT_EQ(Mgr()->FindCommand(strProfile, (UINT)-5), nullptr);
    bool bRemoved = true;
    EXPECT_TRUE(Mgr()->RemoveCommand(strProfile, 777, &bRemoved));
    EXPECT_FALSE(bRemoved);
}

TEST(CmdManagerIds, RemovingACommandKeepsTheOtherIconIndexesRight)
{
    CString strProfile = NewProfile("Icons");
    CExtCmdProfile* pProfile = Mgr()->GetProfile(strProfile);
    for (UINT i = 0; i < 5; i++)
    {
        CExtCmdItem item(500 + i);
        ASSERT_TRUE(pProfile->SetCommand(&item));
        ASSERT_TRUE(pProfile->SetCommandIcon(500 + i, MakeSolidIcon(RGB(10 * i, 0, 0)), true));
        EXPECT_EQ(pProfile->FindCommand(500 + i)->m_nIconIndex, (int)i);
    }
    bool bRemoved = false;
    ASSERT_TRUE(pProfile->RemoveCommand(502, &bRemoved));
    EXPECT_TRUE(bRemoved);
    ASSERT_EQ(pProfile->m_arrIcons.GetSize(), 4);
    EXPECT_EQ(pProfile->FindCommand(500)->m_nIconIndex, 0);
    EXPECT_EQ(pProfile->FindCommand(501)->m_nIconIndex, 1);
    EXPECT_EQ(pProfile->FindCommand(503)->m_nIconIndex, 2);
    EXPECT_EQ(pProfile->FindCommand(504)->m_nIconIndex, 3);
    EXPECT_EQ(BitmapPixel(pProfile->FindCommandIcon(504)->GetBitmap(), 1, 1), RGB(40, 0, 0));

    // taking an icon away shifts the others the same way
    ASSERT_TRUE(pProfile->SetCommandIcon(500, NULL, false));
    EXPECT_EQ(pProfile->FindCommand(500)->m_nIconIndex, -1);
    EXPECT_EQ(pProfile->FindCommand(503)->m_nIconIndex, 1);
    EXPECT_EQ(BitmapPixel(pProfile->FindCommandIcon(503)->GetBitmap(), 1, 1), RGB(30, 0, 0));
}

TEST(CmdManagerIds, SetCommandIconCopiesAdoptsAndRefusesUnknownCommands)
{
    CString strProfile = NewProfile("SetIcon");
    CExtCmdProfile* pProfile = Mgr()->GetProfile(strProfile);
    CExtCmdItem item(600);
    ASSERT_TRUE(pProfile->SetCommand(&item));

    CExtCmdIcon* pCaller = MakeSolidIcon(RGB(0, 0, 99));
    ASSERT_TRUE(pProfile->SetCommandIcon(600, pCaller, false));
    CExtCmdIcon* pStored = pProfile->FindCommandIcon(600);
    ASSERT_NE(pStored, nullptr);
    EXPECT_NE(pStored, pCaller);                            // a copy
    EXPECT_NE(pStored->GetBitmap(), pCaller->GetBitmap());
    delete pCaller;
    EXPECT_EQ(BitmapPixel(pStored->GetBitmap(), 2, 2), RGB(0, 0, 99));

    // adopting the icon that is already installed keeps it alive
    ASSERT_TRUE(pProfile->SetCommandIcon(600, pStored, true));
    EXPECT_EQ(pProfile->FindCommandIcon(600), pStored);
    EXPECT_EQ(BitmapPixel(pStored->GetBitmap(), 2, 2), RGB(0, 0, 99));

    // an empty icon removes the command's icon
    ASSERT_TRUE(pProfile->SetCommandIcon(600, new CExtCmdIcon, true));
    EXPECT_EQ(pProfile->FindCommandIcon(600), nullptr);

    EXPECT_FALSE(pProfile->SetCommandIcon(601, MakeSolidIcon(RGB(1, 1, 1)), true));
    EXPECT_FALSE(pProfile->SetCommandIcon(0, NULL, false));
}

TEST(CmdManagerIds, IconIndexFromAnotherProfileDoesNotReachPastTheIconArray)
{
    CString strProfile = NewProfile("ForeignIndex");
    CExtCmdItem item(610);
    item.m_nIconIndex = 7;      // no such icon here
    ASSERT_TRUE(Mgr()->SetCommand(strProfile, &item));
    EXPECT_EQ(Mgr()->FindCommandIcon(strProfile, 610), nullptr);
}

TEST(CmdManagerIds, BasicCommandsWithASystemCommandStillMarkTheOthers)
{
    CString strProfile = NewProfile("Basic");
    for (UINT nID = 700; nID < 703; nID++)
    {
        CExtCmdItem item(nID);
        ASSERT_TRUE(Mgr()->SetCommand(strProfile, &item));
    }
    const UINT ids[] = { 700, SC_CLOSE, 702, 0 };
    EXPECT_FALSE(Mgr()->SetBasicCommands(strProfile, ids));
    EXPECT_TRUE(Mgr()->FindCommand(strProfile, 700)->IsBasic());
    EXPECT_FALSE(Mgr()->FindCommand(strProfile, 701)->IsBasic());
    EXPECT_TRUE(Mgr()->FindCommand(strProfile, 702)->IsBasic());

    const UINT known[] = { 700, 701, 0 };
    EXPECT_TRUE(Mgr()->SetBasicCommands(strProfile, known, false));
    EXPECT_FALSE(Mgr()->FindCommand(strProfile, 700)->IsBasic());
    const UINT unknown[] = { 799, 0 };
    EXPECT_FALSE(Mgr()->SetBasicCommands(strProfile, unknown));
    EXPECT_FALSE(Mgr()->SetBasicCommands(strProfile, NULL));
}

TEST(CmdManagerIds, RemoveByFlagsWithAnyOrAllBits)
{
    CString strProfile = NewProfile("Flags");
    CExtCmdProfile* pProfile = Mgr()->GetProfile(strProfile);
    const DWORD flags[4] = { 0x01, 0x02, 0x03, 0x00 };
    for (UINT i = 0; i < 4; i++)
    {
        CExtCmdItem item(800 + i);
        item.m_dwStateFlags = flags[i];
        ASSERT_TRUE(pProfile->SetCommand(&item));
        ASSERT_TRUE(pProfile->SetCommandIcon(800 + i, MakeSolidIcon(RGB(i, i, i)), true));
    }
    EXPECT_TRUE(Mgr()->RemoveCommandsByFlags(strProfile, 0x03, true));
    EXPECT_FALSE(pProfile->CommandExists(802));
    EXPECT_TRUE(pProfile->CommandExists(800));
    EXPECT_TRUE(Mgr()->RemoveCommandsByFlags(strProfile, 0x03, false));
    EXPECT_FALSE(pProfile->CommandExists(800));
    EXPECT_FALSE(pProfile->CommandExists(801));
    ASSERT_TRUE(pProfile->CommandExists(803));
    EXPECT_EQ(pProfile->m_arrIcons.GetSize(), 1);
    EXPECT_EQ(pProfile->FindCommand(803)->m_nIconIndex, 0);
}

TEST(CmdManagerIds, AssignFromClonesItemsAndIconsWithTheirIndexes)
{
    CExtCmdProfile source("Source");
    source.m_nRarelyUsedPercent = 33;
    source.m_nTotalUsage = 12;
    for (UINT i = 0; i < 3; i++)
    {
        CExtCmdItem item(900 + i);
        item.m_strMenuText.Format("Item %u", i);
        ASSERT_TRUE(source.SetCommand(&item));
    }
    ASSERT_TRUE(source.SetCommandIcon(902, MakeSolidIcon(RGB(9, 9, 9)), true));
    ASSERT_TRUE(source.SetCommandIcon(900, MakeSolidIcon(RGB(7, 7, 7)), true));

    CExtCmdProfile copy("Copy");
    CExtCmdItem stale(999);
    ASSERT_TRUE(copy.SetCommand(&stale));
    copy.AssignFrom(source);
    EXPECT_STREQ(copy.m_strName, "Source");
    EXPECT_EQ(copy.m_nRarelyUsedPercent, 33u);
    EXPECT_EQ(copy.m_nTotalUsage, 12u);
    EXPECT_FALSE(copy.CommandExists(999));
    ASSERT_TRUE(copy.CommandExists(901));
    EXPECT_EQ(copy.FindCommand(901)->m_pProfile, &copy);
    EXPECT_STREQ(copy.FindCommand(901)->m_strMenuText, "Item 1");
    ASSERT_NE(copy.FindCommandIcon(900), nullptr);
    EXPECT_NE(copy.FindCommandIcon(900), source.FindCommandIcon(900));
    EXPECT_EQ(BitmapPixel(copy.FindCommandIcon(900)->GetBitmap(), 3, 3), RGB(7, 7, 7));
    EXPECT_EQ(BitmapPixel(copy.FindCommandIcon(902)->GetBitmap(), 3, 3), RGB(9, 9, 9));
}
