// PDF export: one and two sides through the PDF library checked by poppler, the page
// size, the temporary pictures, and every failure path through stand-in libraries.

#include "export_support.h"
#include "test_support.h"
#include "output/ExportProgress.h"
#include "output/PdfExport.h"
#include "output/PictureExport.h"

#include <regex>

namespace
{

const DWORD kRed = 0xFF0000;
const DWORD kWhite = 0xFFFFFF;
const DWORD kGreen = 0x00FF00;
const DWORD kBlue = 0x0000FF;

class PdfExport : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetPdfLibraryPath(NULL);
        m_strPattern = MakeTempPicturePattern();
        ASSERT_FALSE(m_strPattern.IsEmpty());
        m_strTempFolder = GetFolderOfPath(m_strPattern);
        m_strPrefix = m_strPattern.Mid(m_strTempFolder.GetLength() + 1);
        m_strPrefix = m_strPrefix.Left(m_strPrefix.GetLength() - 4);      // "stwXXXX~pdf"
        m_strPdf = m_folder.File("out.pdf");
        m_strLog = m_folder.File("calls.log");
    }
    void TearDown() override
    {
        ::SetEnvironmentVariableA("PDFSTUB_FAIL", NULL);
        ::SetEnvironmentVariableA("PDFSTUB_LOG", NULL);
        SetPdfLibraryPath(NULL);
    }

    // Exports the design; the message boxes are kept in m_texts.
    BOOL Export(int nPublicationType, float fQuality, int nSide)
    {
        CVarnelDoc doc;
        BuildTestDesign(doc, nPublicationType);
        CMessageBoxRecorder boxes;
        BOOL bOk;
        {
            CExportProgress progress(&doc);
            bOk = ExportPdfPages(doc, m_strPdf, m_strPattern, fQuality, nSide, &progress);
            m_nProgressUpper = progress.GetUpper();
        }
        m_texts.clear();
        for (int i = 0; i < boxes.GetCount(); i++)
            m_texts.push_back((LPCTSTR)boxes.GetCall(i).m_strText);
        return bOk;
    }

    void UseStub(LPCSTR pszDll, LPCSTR pszFail)
    {
        SetPdfLibraryPath(ProgramFolder() + "\\" + pszDll);
        ::SetEnvironmentVariableA("PDFSTUB_FAIL", pszFail);
        ::SetEnvironmentVariableA("PDFSTUB_LOG", m_strLog);
    }

    // Temporary pictures of this export still in the temporary folder.
    size_t LeftoverPictures() { return FilesStartingWith(m_strTempFolder, m_strPrefix).size(); }

    CTempFolder m_folder;
    CString m_strPattern;
    CString m_strTempFolder;
    CString m_strPrefix;
    CString m_strPdf;
    CString m_strLog;
    std::vector<std::string> m_texts;
    int m_nProgressUpper = 0;
};

TEST_F(PdfExport, OneSideGivesOnePageOfTheDesignSizeWithItsPixels)
{
    ASSERT_TRUE(Export(0, 3.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ("PDF file has been successfully created at:\n" + std::string((LPCTSTR)m_strPdf), m_texts[0]);
    EXPECT_EQ(0u, LeftoverPictures());

    const std::string info = PdfInfo(m_strPdf);
    ASSERT_FALSE(info.empty()) << "pdfinfo failed (poppler-utils)";
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +1\\b"))) << info;
    // 400 x 200 hundredths of an inch: 1015 x 507 tenths of a millimetre
    EXPECT_TRUE(std::regex_search(info, std::regex("Page size: +287\\.7[0-9]* x 143\\.7[0-9]* pts"))) << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("Producer: +Stickwell"))) << info;

    CPicture page;
    ASSERT_TRUE(RenderPdfPage(m_strPdf, 1, 72, page));
    EXPECT_EQ(288, page.nWidth);
    EXPECT_EQ(144, page.nHeight);
    // design units x 0.72
    EXPECT_TRUE(NearColor(kRed, page.At(108, 72), 10)) << ColorText(page.At(108, 72));
    EXPECT_TRUE(NearColor(kWhite, page.At(30, 72), 10)) << ColorText(page.At(30, 72));
    EXPECT_TRUE(NearColor(kWhite, page.At(216, 72), 10)) << ColorText(page.At(216, 72));
}

TEST_F(PdfExport, TwoSidesGiveTwoPagesEachOnItsOwnColour)
{
    ASSERT_TRUE(Export(3, 2.0f, -1));
    EXPECT_EQ(0u, LeftoverPictures());
    EXPECT_EQ(6, m_nProgressUpper);
    const std::string info = PdfInfo(m_strPdf);
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +2\\b"))) << info;

    CPicture front;
    CPicture back;
    ASSERT_TRUE(RenderPdfPage(m_strPdf, 1, 72, front));
    ASSERT_TRUE(RenderPdfPage(m_strPdf, 2, 72, back));
    EXPECT_TRUE(NearColor(kRed, front.At(108, 72), 10)) << ColorText(front.At(108, 72));
    EXPECT_TRUE(NearColor(kWhite, front.At(216, 72), 10)) << ColorText(front.At(216, 72));
    // the back: green page, blue rectangle at (250..350, 50..150)
    EXPECT_TRUE(NearColor(kGreen, back.At(30, 72), 10)) << ColorText(back.At(30, 72));
    EXPECT_TRUE(NearColor(kGreen, back.At(108, 72), 10)) << ColorText(back.At(108, 72));
    EXPECT_TRUE(NearColor(kBlue, back.At(216, 72), 10)) << ColorText(back.At(216, 72));
}

TEST_F(PdfExport, CurrentPageOfTheBackGivesOnePageOfTheBack)
{
    UseStub("PdfStub.dll", "");
    ASSERT_TRUE(Export(3, 3.0f, 2));
    const std::string log = ReadFileBytes(m_strLog);
    // the picture of side 2 alone is placed, and it existed then
    EXPECT_NE(std::string::npos, log.find(std::string("StretchDrawFromFile 7 0 0 1015 507 ")
                                          + (LPCTSTR)m_strPrefix + "2.bmp exists"))
        << log;
    EXPECT_EQ(std::string::npos, log.find("1.bmp")) << log;
    EXPECT_EQ(std::string::npos, log.find("NewPage")) << log;
    EXPECT_EQ(0u, LeftoverPictures());

    // the real library: one page showing the back
    SetPdfLibraryPath(NULL);
    ASSERT_TRUE(Export(3, 3.0f, 2));
    const std::string info = PdfInfo(m_strPdf);
    EXPECT_TRUE(std::regex_search(info, std::regex("Pages: +1\\b"))) << info;
    CPicture page;
    ASSERT_TRUE(RenderPdfPage(m_strPdf, 1, 72, page));
    EXPECT_TRUE(NearColor(kBlue, page.At(216, 72), 10)) << ColorText(page.At(216, 72));
    EXPECT_TRUE(NearColor(kGreen, page.At(30, 72), 10)) << ColorText(page.At(30, 72));
}

TEST_F(PdfExport, CallsReachTheLibraryInOrderWithThePageSize)
{
    UseStub("PdfStub.dll", "");
    ASSERT_TRUE(Export(4, 1.0f, -1));
    const std::string expected =
        "CreatePdf 0 0\n"
        "SetStrProp 7 19 Stickwell\n"
        "SetNumProp 7 36 1015\n"
        "SetNumProp 7 34 507\n"
        "SetNumProp 7 31 1\n"
        "SetStrProp 7 10 " + std::string((LPCTSTR)m_strPdf) + "\n"
        "BeginDoc 7\n"
        "StretchDrawFromFile 7 0 0 1015 507 " + std::string((LPCTSTR)m_strPrefix) + "1.bmp exists\n"
        "NewPage 7\n"
        "StretchDrawFromFile 7 0 0 1015 507 " + std::string((LPCTSTR)m_strPrefix) + "2.bmp exists\n"
        "EndDoc 7\n"
        "FreePdf 7\n";
    EXPECT_EQ(expected, ReadFileBytes(m_strLog));
}

TEST(PdfPageSizes, SinglePrecisionInchTruncatesJustBelowWholeProducts)
{
    for (int q = 1; q <= 6; q++)
    {
        EXPECT_EQ(1015, PdfPageSize(400 * q, (float)q)) << q;
        EXPECT_EQ(507, PdfPageSize(200 * q, (float)q)) << q;
    }
    EXPECT_EQ(2158, PdfPageSize(850 * 3, 3.0f));     // 2158.99997
    EXPECT_EQ(1, GetPublicationSides(0));
    EXPECT_EQ(1, GetPublicationSides(2));
    for (int nType : {1, 3, 4, 5, 6})
        EXPECT_EQ(2, GetPublicationSides(nType));
}

TEST_F(PdfExport, MissingLibraryIsReportedAndTriedAgainNextTime)
{
    SetPdfLibraryPath(m_folder.File("nowhere\\PDFGen.dll"));
    EXPECT_FALSE(Export(0, 3.0f, -1));
    ASSERT_EQ(2u, m_texts.size());
    EXPECT_EQ("Could not load PDF lib", m_texts[0]);
    EXPECT_EQ("Unexpected error on PdfLibLoad!", m_texts[1]);
    EXPECT_TRUE(g_hPdfLib == NULL);
    EXPECT_FALSE(FileExists(m_strPdf));
    EXPECT_EQ(0u, LeftoverPictures());

    SetPdfLibraryPath(NULL);
    EXPECT_TRUE(Export(0, 3.0f, -1));
    EXPECT_TRUE(g_hPdfLib != NULL);
    EXPECT_TRUE(FileExists(m_strPdf));
}

TEST_F(PdfExport, LibraryLackingAnEntryPointIsUnloaded)
{
    UseStub("PdfStubIncomplete.dll", "");
    EXPECT_FALSE(Export(0, 3.0f, -1));
    ASSERT_EQ(2u, m_texts.size());
    EXPECT_EQ("1 Could not load a function from PDF lib", m_texts[0]);
    EXPECT_TRUE(g_hPdfLib == NULL);
    EXPECT_TRUE(g_pfnCreatePdf == NULL);
    EXPECT_FALSE(FileExists(m_strLog));        // nothing was called
    EXPECT_EQ(0u, LeftoverPictures());
}

TEST_F(PdfExport, DocumentTheLibraryCannotCreateIsReported)
{
    UseStub("PdfStub.dll", "create");
    EXPECT_FALSE(Export(0, 3.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ("Could not create PDF file", m_texts[0]);
    EXPECT_EQ(0u, LeftoverPictures());
    EXPECT_FALSE(FileExists(m_strPdf));
}

TEST_F(PdfExport, FailedPagePlacementAbortsTheDocument)
{
    UseStub("PdfStub.dll", "draw");
    EXPECT_FALSE(Export(3, 3.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ("Error writing to pdf file. Make sure the file is not open.", m_texts[0]);
    const std::string log = ReadFileBytes(m_strLog);
    EXPECT_NE(std::string::npos, log.find("Abort 7\nFreePdf 7\n")) << log;
    EXPECT_EQ(std::string::npos, log.find("EndDoc")) << log;
    EXPECT_EQ(std::string::npos, log.find("NewPage")) << log;
    EXPECT_EQ(0u, LeftoverPictures());

    // one side: the message names the file
    EXPECT_FALSE(Export(3, 3.0f, 1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ("Error writing to pdf file: " + std::string((LPCTSTR)m_strPdf)
                  + "\nFile may be used by some other application. Close the file and try again.",
              m_texts[0]);
}

TEST_F(PdfExport, HalfWrittenFileOfAFailedEndIsRemoved)
{
    UseStub("PdfStub.dll", "enddoc");
    EXPECT_FALSE(Export(0, 3.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ(0, m_texts[0].find("Error writing to pdf file: "));
    EXPECT_FALSE(FileExists(m_strPdf));
    EXPECT_EQ(0u, LeftoverPictures());
}

TEST_F(PdfExport, FolderThatCannotBeWrittenLeavesNoFile)
{
    m_strPdf = m_folder.File("missing\\out.pdf");
    EXPECT_FALSE(Export(3, 2.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ(std::string("Error writing to pdf file: ") + (LPCSTR)m_strPdf + "\n" + (LPCSTR)m_strPdf +
                  " contains an invalid path.",
              m_texts[0]);
    EXPECT_FALSE(FileExists(m_strPdf));
    EXPECT_EQ(0u, LeftoverPictures());
}

TEST_F(PdfExport, ExistingPdfIsKeptWhenTheExportFails)
{
    ASSERT_TRUE(WriteFileBytes(m_strPdf, "%PDF-1.4 earlier"));
    UseStub("PdfStub.dll", "draw");
    EXPECT_FALSE(Export(0, 3.0f, -1));
    EXPECT_EQ("%PDF-1.4 earlier", ReadFileBytes(m_strPdf));
}

TEST_F(PdfExport, PictureThatCannotBeWrittenStopsTheExport)
{
    UseStub("PdfStub.dll", "");
    m_strPattern = m_folder.File("missing\\imgtmp~pdf.bmp");
    EXPECT_FALSE(Export(3, 3.0f, -1));
    ASSERT_EQ(1u, m_texts.size());
    EXPECT_EQ(std::string("Failed to save.\n\n") + (LPCSTR)m_folder.File("missing\\imgtmp~pdf1.bmp") +
                  " contains an invalid path.",
              m_texts[0]);
    EXPECT_FALSE(FileExists(m_strLog));         // the library was never asked
    EXPECT_FALSE(FileExists(m_strPdf));
}

TEST_F(PdfExport, DesignTooLargeForItsPicturesIsRefused)
{
    CVarnelDoc doc;
    BuildTestDesign(doc, 0);
    doc.m_nDesignWidth = 20000;
    doc.m_nDesignHeight = 20000;
    CMessageBoxRecorder boxes;
    EXPECT_FALSE(ExportPdfPages(doc, m_strPdf, m_strPattern, 6.0f, -1, NULL));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_STREQ(GetFormatLimitMessage(doc, PICTURE_PDF_PAGE, 6), boxes.GetCall(0).m_strText);
    EXPECT_FALSE(FileExists(m_strPdf));
}

TEST_F(PdfExport, TemporaryPicturesGoToTheTemporaryFolder)
{
    char szTemp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szTemp);
    CString strTemp = szTemp;
    strTemp.TrimRight('\\');
    EXPECT_STREQ(strTemp, m_strTempFolder);
    EXPECT_EQ(0, m_strPrefix.Find("stw"));
    EXPECT_STRNE(m_strPattern, MakeTempPicturePattern());
}

} // namespace
