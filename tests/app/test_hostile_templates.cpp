// Hand-made templates with values no design holds, in the Templates folder: the wizard
// offers them without harm, reports a chosen one and makes no publication from it.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"

namespace
{
// Little-endian template bytes built by hand.
class CTemplateBytes
{
public:
    CTemplateBytes& I32(DWORD n)
    {
        for (int i = 0; i < 4; i++)
            m_data.push_back((char)((n >> (8 * i)) & 0xFF));
        return *this;
    }
    CTemplateBytes& U16(int n)
    {
        m_data.push_back((char)(n & 0xFF));
        m_data.push_back((char)((n >> 8) & 0xFF));
        return *this;
    }
    CTemplateBytes& Str(const std::string& s)
    {
        m_data.push_back((char)s.size());
        m_data += s;
        return *this;
    }
    CTemplateBytes& Header() { return Str("Stickwell").Str("Quorvane").Str("labf").I32(201).I32(0); }
    CTemplateBytes& Fields(DWORD nWidth, DWORD nHeight)
    {
        I32(0xFFFFFF).I32(0xFFFFFF).I32(0xC8C8C8).I32(6).I32(nWidth).I32(nHeight);
        return I32(850).I32(1100).I32(0).Str("");
    }
    std::string m_data;
};

std::string HugeDesignTemplate()
{
    CTemplateBytes b;
    b.Header().U16(0).Fields(262144, 196608);
    return b.m_data;
}

std::string FarCircleTemplate()
{
    CTemplateBytes b;
    b.Header().U16(1).U16(0xFFFF).U16(0).U16(7);
    b.m_data += "CCircle";
    b.I32(0).I32(0xFFFFFF).I32(0xFF).I32(0);
    b.I32(0).I32(0).I32(16777000).I32(16777000);
    b.I32(0).I32(1).I32(0).I32(1).I32(0).I32(0).I32(1);
    b.Fields(400, 200);
    return b.m_data;
}
}

class HostileTemplates : public ::testing::Test
{
protected:
    CMessageBoxRecorder m_boxes;
    CProgramFiles m_files;
    CDocProgram m_program;
};

TEST_F(HostileTemplates, TheWizardOffersThemReportsAChosenOneAndMakesNothingOfIt)
{
    const std::string huge = HugeDesignTemplate();
    EXPECT_LT(huge.size(), 150u);
    ASSERT_TRUE(WriteFileBytes(m_files.m_strTemplates + "\\DocTest huge.lbft", huge));
    ASSERT_TRUE(WriteFileBytes(m_files.m_strTemplates + "\\DocTest circle.lbft", FarCircleTemplate()));
    m_files.AddBackground("DocTest sky.bmp", 0xFF4080FF);

    for (const char* pszName : { "DocTest huge.lbft", "DocTest circle.lbft" })
    {
        SCOPED_TRACE(pszName);
        const CString strReport = CString("This template cannot be used:\n") + pszName + "\nUnexpected file format.";
        m_boxes.Reset();
        const int nDocs = m_program.CountDocs();
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD)
            .Select(IDC_WIZ_CATEGORY, 0)
            .Do([&](CWnd*) { m_boxes.Reset(); })     // the first template is chosen at the start
            .SelectString(IDC_WIZ_TEMPLATES, pszName)
            .Do([&](CWnd*) {
                ASSERT_EQ(1, m_boxes.GetCount());
                EXPECT_STREQ(strReport, m_boxes.GetCall(0).m_strText);
            })
            .OK()
            .Do([&](CWnd*) { EXPECT_EQ(2, m_boxes.GetCount()); })
            .Cancel();
        const DWORD dwStart = GetTickCount();
        m_program.Command(ID_FILE_NEW);
        EXPECT_LT(GetTickCount() - dwStart, 5000u);
        EXPECT_EQ(0, script.GetPendingCount());
        EXPECT_EQ(0, script.GetFailureCount()) << (LPCTSTR)script.GetLog();
        ASSERT_EQ(IDCANCEL, script.GetRecord(0).m_nResult);
        // cancelled: nothing of the template; a plain publication only when none was open
        EXPECT_EQ(nDocs == 0 ? 1 : nDocs, m_program.CountDocs());
        CVarnelDoc* pDoc = m_program.ActiveDoc();
        ASSERT_TRUE(pDoc != NULL);
        EXPECT_EQ(0, (int)pDoc->m_listElements.GetCount());
        EXPECT_EQ(400, pDoc->m_nDesignWidth);
        EXPECT_EQ(200, pDoc->m_nDesignHeight);
        EXPECT_EQ(2, m_boxes.GetCount());
    }
}
