// Memory of a long merge print: thousands of records on 30-up sheets printed by the Print
// command, to Wine's PostScript printer and into paper in memory. After the first sheets
// the process's private memory and its GDI objects stay where they were, sheet after sheet.

#include "print_program.h"
#include "print_memory_probe.h"
#include "test_support.h"
#include "model/Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

namespace
{

const int kRecords = 6000;              // 200 sheets
const int kCells = 30;
const size_t kWarmUpSheets = 30;
// Growth allowed after the warm-up, over 170 sheets (5,100 labels): a leak of 100 bytes a
// label is 510 KB.
const double kMaxGrowthBytes = 384 * 1024;
const long kMaxGdiGrowth = 4;

enum PrintTarget
{
    TO_POSTSCRIPT,
    TO_PAPER
};

class PrintMemory : public ::testing::TestWithParam<PrintTarget>
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(InstallTestPrinter().IsEmpty()) << "the test printer is missing";
        ASSERT_GE(printprobe::CountGdiObjects(), 0) << "GDI objects cannot be counted";
        m_pProgram = new CPrintProgram;
        ASSERT_TRUE(m_pProgram->Doc() != NULL);
        m_pProgram->MakeAddressLabel();
        AddLabelDesign(*m_pProgram->Doc());
        m_boxes.Reset();
    }
    void TearDown() override
    {
        delete m_pProgram;
    }

    // An address label: the record's name, town and both merged, a caption with an
    // underline, a turned framed ellipse, a hatched box and a picture.
    void AddLabelDesign(CVarnelDoc& doc)
    {
        ::AddDbText(doc, CRect(60, 6, 256, 34), "0", 20, FW_BOLD);
        ::AddDbText(doc, CRect(60, 36, 256, 62), "1", 18, FW_NORMAL);
        ::AddDbText(doc, CRect(60, 64, 256, 92), "1-2", 18, FW_NORMAL);
        CText* pCaption = new CText(CPoint(4, 70), CPoint(56, 96));
        pCaption->m_strText = "Ship to";
        pCaption->m_clrText = 0xFF202020;
        pCaption->m_font.DeleteObject();
        pCaption->m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 1, 0, 0, 0, 0, 0, 32, "Arial");
        Add(doc, pCaption);
        Add(doc, Styled(new CCircle(CPoint(4, 6), CPoint(54, 56)), 1, 2, 15));
        Add(doc, Styled(new CRectangle(CPoint(30, 40), CPoint(56, 66)), 6, 1, 0));
        Gdiplus::Bitmap* pPicture = new Gdiplus::Bitmap(16, 16, PixelFormat32bppARGB);
        for (int y = 0; y < 16; y++)
            for (int x = 0; x < 16; x++)
                pPicture->SetPixel(x, y, Gdiplus::Color(0xFF000000 | (x * 16 << 16) | (y * 16)));
        Add(doc, new CBtImage(CPoint(8, 58), CPoint(0, 0), CPicturePtr(pPicture), 40, 40));
        m_pSampler = new printprobe::CSamplingElement(kCells);
        Add(doc, m_pSampler);
    }
    static CElement* Styled(CElement* pElement, int nFillKind, int nLineWidth, int nAngle)
    {
        pElement->m_nFillKind = nFillKind;
        pElement->m_clrFill = 0xFF80C0FF;
        pElement->m_clrPattern = 0xFF004080;
        pElement->m_clrLine = 0xFF000000;
        pElement->m_nLineWidth = nLineWidth;
        pElement->m_nAngle = nAngle;
        return pElement;
    }
    static void Add(CVarnelDoc& doc, CElement* pElement)
    {
        doc.m_listElements.AddTail(pElement);
        doc.AssignElementKind(pElement);
    }

    CPrintProgram* m_pProgram = NULL;
    printprobe::CSamplingElement* m_pSampler = NULL;      // owned by the document
    CPrintFolder m_folder;
    CMessageBoxRecorder m_boxes;
};

} // namespace

TEST_P(PrintMemory, StaysFlatSheetAfterSheet)
{
    m_pProgram->LoadRecords(kRecords, m_folder);
    CDialogScript script;
    ScriptPrintOptions(script).OK();
    const CString strOutput = m_folder.File("labels.ps");
    CPaper paper(850, 1100);
    if (GetParam() == TO_PAPER)
    {
        m_pProgram->View()->m_hPrintBitmap = paper.m_hBitmap;
    }
    else
    {
        ScriptPrintToFile(script, strOutput);
    }
    m_pProgram->Command(ID_FILE_PRINT);
    m_pProgram->View()->m_hPrintBitmap = NULL;
    EXPECT_EQ(0, script.GetPendingCount());
    EXPECT_EQ(0, m_boxes.GetCount());

    const int nSheets = kRecords / kCells;
    ASSERT_EQ(nSheets, m_pProgram->View()->m_nPagesToPrint);
    if (GetParam() == TO_POSTSCRIPT)
        EXPECT_EQ(nSheets, CountPostScriptPages(strOutput));
    else
        EXPECT_NE(RGB(255, 255, 255), paper.Pixel(19 + 100, 50 + 9 * 100 + 20)) << "the last sheet is drawn";
    ASSERT_EQ((size_t)nSheets, m_pSampler->m_samples.size()) << "one sample a sheet";

    const printprobe::CGrowth growth = printprobe::GetGrowth(m_pSampler->m_samples, kWarmUpSheets);
    ASSERT_TRUE(growth.bCounted);
    const int nLabels = (nSheets - (int)kWarmUpSheets) * kCells;
    EXPECT_LT(growth.dBytes, kMaxGrowthBytes)
        << growth.dBytes / nLabels << " bytes a label over " << nLabels << " labels";
    EXPECT_LE(growth.nGdiObjects, kMaxGdiGrowth) << "GDI objects over " << nLabels << " labels";
    printf("private memory %+.0f KB, GDI objects %+ld over %d labels after %d warm-up labels\n",
           growth.dBytes / 1024, growth.nGdiObjects, nLabels, (int)kWarmUpSheets * kCells);
}

INSTANTIATE_TEST_SUITE_P(Targets, PrintMemory, ::testing::Values(TO_POSTSCRIPT, TO_PAPER),
                         [](const ::testing::TestParamInfo<PrintTarget>& info) {
                             return std::string(info.param == TO_POSTSCRIPT ? "PostScript" : "Paper");
                         });
