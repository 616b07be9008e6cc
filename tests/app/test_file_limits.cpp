// Files read whole are refused above a size no real file of their kind reaches: the
// tips file, templates and background pictures chosen in the wizard. Without tips the
// tip dialog says so and its Next and Previous buttons are off.

#include "doc_program.h"
#include "test_support.h"
#include "app/TipDlg.h"
#include "model/FileLimits.h"
#include "model/OptionsKeys.h"

namespace
{

const char kNoTipsText[] = "File tips.dat not found!";
const char kCannotOpenTips[] =
    "File could not be opened. \nIf it is opened by another application, please close it.";

bool MakeSparseFile(const CString& strPath, ULONGLONG nBytes)
{
    HANDLE hFile = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    size.QuadPart = (LONGLONG)nBytes;
    const bool bDone = ::SetFilePointerEx(hFile, size, NULL, FILE_BEGIN) && ::SetEndOfFile(hFile);
    ::CloseHandle(hFile);
    return bDone;
}

// What the tip dialog showed.
struct CTipState
{
    int nTipCount = -1;
    CString strText;
    BOOL bNextEnabled = TRUE;
    BOOL bPreviousEnabled = TRUE;
};

class TipsFile : public ::testing::Test
{
protected:
    TipsFile() : m_key(m_program.OptionsKeyPath()) { m_key.SetDword(OPTION_SHOW_TIP, 1); }

    // Runs the tip of the day, pressing Next and Previous, and closes it.
    CTipState Run()
    {
        CTipState state;
        CVarnelDoc doc;
        CDialogScript script;
        script.OnDialog(IDD_TIPOFTHEDAY)
            .Click(IDC_TIP_NEXT)
            .Click(IDC_TIP_PREVIOUS)
            .Do([&](CWnd* pDlg) {
                state.nTipCount = ((CTipOfTheDayDlg*)pDlg)->m_nTipCount;
                pDlg->GetDlgItemText(IDC_TIP_TEXT, state.strText);
                state.bNextEnabled = pDlg->GetDlgItem(IDC_TIP_NEXT)->IsWindowEnabled();
                state.bPreviousEnabled = pDlg->GetDlgItem(IDC_TIP_PREVIOUS)->IsWindowEnabled();
            })
            .OK();
        doc.ShowTipOfTheDay();
        EXPECT_EQ(1, script.GetRecordCount());
        return state;
    }

    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
    COptionsKey m_key;
};

} // namespace

TEST(FileLimit, OnlyFilesAboveTheLimitAreOver)
{
    CTempFolder folder;
    const CString strPath = folder.File("sized.bin");
    ASSERT_TRUE(MakeSparseFile(strPath, 1000));
    EXPECT_FALSE(IsFileOverLimit(strPath, 1000));
    EXPECT_TRUE(IsFileOverLimit(strPath, 999));
    EXPECT_FALSE(IsFileOverLimit(folder.File("missing.bin"), 0));
    EXPECT_FALSE(IsFileOverLimit(folder.m_strPath, 0));        // a folder is no file
    EXPECT_FALSE(IsFileOverLimit("", 0));
}

TEST_F(TipsFile, AnEmptyFileHasNoTipsAndTheButtonsAreOff)
{
    m_files.WriteTips("");
    const CTipState state = Run();
    EXPECT_EQ(0, state.nTipCount);
    EXPECT_STREQ(kNoTipsText, state.strText);
    EXPECT_FALSE(state.bNextEnabled);
    EXPECT_FALSE(state.bPreviousEnabled);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(TipsFile, AMissingFileIsReportedAndTheButtonsAreOff)
{
    const CTipState state = Run();
    EXPECT_EQ(0, state.nTipCount);
    EXPECT_STREQ(kNoTipsText, state.strText);
    EXPECT_FALSE(state.bNextEnabled);
    EXPECT_FALSE(state.bPreviousEnabled);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ(kCannotOpenTips, m_boxes.GetCall(0).m_strText);
}

TEST_F(TipsFile, AFileAboveTheLimitIsRefusedUnread)
{
    ASSERT_TRUE(MakeSparseFile(m_files.m_strTips, MAX_TIPS_FILE_BYTES + 1));
    const CTipState state = Run();
    EXPECT_EQ(0, state.nTipCount);
    EXPECT_STREQ(kNoTipsText, state.strText);
    EXPECT_FALSE(state.bNextEnabled);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ(FileTooLargeMessage(m_files.m_strTips, MAX_TIPS_FILE_BYTES), m_boxes.GetCall(0).m_strText);
}

TEST_F(TipsFile, TipsLeaveTheButtonsOn)
{
    m_files.WriteTips("one::two");
    const CTipState state = Run();
    EXPECT_EQ(2, state.nTipCount);
    EXPECT_TRUE(state.strText == "one" || state.strText == "two");
    EXPECT_TRUE(state.bNextEnabled);
    EXPECT_TRUE(state.bPreviousEnabled);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST(TemplateLimit, ATemplateAboveTheLimitIsRefusedAndTheDesignStartsBlank)
{
    CMessageBoxRecorder boxes;
    CProgramFiles files;
    CDocProgram program;
    const CString strHuge = files.m_strTemplates + "\\huge.bdgt";
    ASSERT_TRUE(MakeSparseFile(strHuge, MAX_TEMPLATE_FILE_BYTES + 1));

    // the wizard's preview does not read it
    CVarnelDoc scratch;
    EXPECT_THROW(scratch.SaveOrPreviewTemplate(strHuge, "", TRUE), CException*);

    // chosen in the wizard it is refused at once and OK makes nothing of it; the user
    // starts with a blank design instead
    CDialogScript script;
    int nBoxesAfterOK = 0;
    script.OnDialog(IDD_WIZ_NEWCARD)
        .Select(IDC_WIZ_CATEGORY, 1)
        .SelectString(IDC_WIZ_TEMPLATES, "huge.bdgt")
        .OK()
        .Do([&](CWnd*) { nBoxesAfterOK = boxes.GetCount(); })
        .Check(IDC_WIZ_BLANK, BST_CHECKED)
        .Select(IDC_WIZ_SIZES, 0)
        .Select(IDC_WIZ_UNITS, 0)
        .SetText(IDC_WIZ_WIDTH, "3")
        .SetText(IDC_WIZ_HEIGHT, "2")
        .OK();
    program.Command(ID_FILE_NEW);
    EXPECT_EQ(0, script.GetFailureCount()) << (LPCTSTR)script.GetLog();
    EXPECT_GE(nBoxesAfterOK, 2);
    CVarnelDoc* pDoc = program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(1, pDoc->m_nPublicationType);
    EXPECT_EQ(300, pDoc->m_nDesignWidth);
    EXPECT_EQ(0, (int)pDoc->m_listElements.GetCount());
    bool bRefused = false;
    for (int i = 0; i < boxes.GetCount(); i++)
        bRefused = bRefused || boxes.GetCall(i).m_strText == FileTooLargeMessage(strHuge, MAX_TEMPLATE_FILE_BYTES);
    EXPECT_TRUE(bRefused);
    program.CloseAll();
}

TEST(TemplateLimit, ABackgroundAboveTheLimitIsRefusedWithItsOwnMessage)
{
    CMessageBoxRecorder boxes;
    CProgramFiles files;
    CDocProgram program;
    const CString strHuge = files.m_strBackgrounds + "\\huge.png";
    ASSERT_TRUE(MakeSparseFile(strHuge, MAX_PICTURE_FILE_BYTES + 1));

    CDialogScript script;
    CWizardAnswer answer;
    answer.strBackground = "huge.png";
    ScriptWizard(script, answer);
    program.Command(ID_FILE_NEW);
    CVarnelDoc* pDoc = program.ActiveDoc();
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_FALSE(pDoc->HasBackground());
    ASSERT_GE(boxes.GetCount(), 1);
    EXPECT_STREQ(FileTooLargeMessage(strHuge, MAX_PICTURE_FILE_BYTES), boxes.GetCall(boxes.GetCount() - 1).m_strText);
    program.CloseAll();
}
