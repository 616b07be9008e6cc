// Sides typed into the wizard's own size: a text that is more than a number is refused
// with the size message instead of read in part.

#include "wizard_test_support.h"
#include "test_support.h"
#include "output/NewCardWizard.h"

namespace
{

const char kBadSize[] = "Please enter a width between 0.05 inch(0.13 cm) and 25 inch(63.5 cm).";

struct TypedSide
{
    const char* m_pszText;
    int m_nSize;            // hundredths of an inch; 0: refused
};

const TypedSide kTypedSides[] =
{
    { "4.5", 450 },
    { " 4.5  ", 450 },
    { "4,5", 0 },           // a decimal comma is no decimal point
    { "4.5 in", 0 },
    { "4.5.1", 0 },
    { "12abc", 0 },
};

// A number is taken as the side; anything else leaves the dialog open with the message.
void ExpectAnswer(const TypedSide& side, INT_PTR nResult, int nSize, const CMessageBoxRecorder& boxes)
{
    if (side.m_nSize != 0)
    {
        EXPECT_EQ(IDOK, nResult) << side.m_pszText;
        EXPECT_EQ(side.m_nSize, nSize) << side.m_pszText;
        EXPECT_EQ(0, boxes.GetCount()) << side.m_pszText;
    }
    else
    {
        EXPECT_EQ(IDCANCEL, nResult) << side.m_pszText;
        ASSERT_EQ(1, boxes.GetCount()) << side.m_pszText;
        EXPECT_STREQ(kBadSize, boxes.GetCall(0).m_strText);
    }
}

class TypedSizeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_files.AddTemplate("WizTest A.lbft", 300, 150);
        m_files.AddPicture("WizTest red.bmp", 0xFFFF0000);
    }

    CWizardFiles m_files;
};

} // namespace

TEST_F(TypedSizeTest, TheWizardTakesOnlyAWholeNumber)
{
    for (const TypedSide& side : kTypedSides)
    {
        CMessageBoxRecorder boxes;
        CNewCardWizard dlg;
        CDialogScript script;
        CDialogScript::CSteps& steps = script.OnDialog(IDD_WIZ_NEWCARD)
            .Check(IDC_WIZ_KEEPSIZE, BST_UNCHECKED)
            .Select(IDC_WIZ_SIZES, 0)
            .SetText(IDC_WIZ_WIDTH, side.m_pszText)
            .SetText(IDC_WIZ_HEIGHT, "2")
            .OK();
        if (side.m_nSize == 0)
            steps.Cancel();
        const INT_PTR nResult = dlg.DoModal();
        ExpectAnswer(side, nResult, dlg.m_nWidth, boxes);
    }
}
