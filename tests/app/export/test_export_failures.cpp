// Pictures and PDF files that cannot be written: a full volume, a read-only folder and a
// target held open by another program are named in the message, and nothing is lost.

#include "export_support.h"
#include "test_support.h"
#include "../scratch_volume.h"
#include "output/ExportDialogs.h"
#include "output/PdfExport.h"
#include "resources/export_resource.h"

namespace
{

class ExportFailures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        SetPdfLibraryPath(NULL);
        CMessageBoxRecorder wizardBoxes;
        CDialogScript script;
        script.OnDialog(IDD_WIZ_NEWCARD).Cancel();
        m_program.Command(ID_FILE_NEW);
        m_pDoc = m_program.ActiveDoc();
        ASSERT_TRUE(m_pDoc != NULL);
        BuildTestDesign(*m_pDoc, 3);
    }

    // Save As Image to strPath (filter 4: PNG) at 300 dpi; the texts shown.
    std::vector<CString> SaveAsImage(const CString& strPath, int nFilter = 4)
    {
        CMessageBoxRecorder boxes;
        CDialogScript script;
        script.OnFileDialog(strPath, nFilter);
        script.OnDialog(IDD_RESOLUTION).OK();
        m_program.Command(ID_FILE_SAVE_AS_IMAGE);
        return Texts(boxes);
    }

    // Export As PDF of both sides at quality 3 to strPath (nAnswer: the answer to the
    // question whether an existing file may be replaced); the texts shown.
    std::vector<CString> ExportPdf(const CString& strPath, int nAnswer = 0)
    {
        CMessageBoxRecorder boxes;
        if (nAnswer != 0)
            boxes.AddAnswer(nAnswer);
        CDialogScript script;
        script.OnDialog(IDD_PDFOPTIONS).SetText(IDC_PDF_FILENAME, strPath).OK();
        m_program.Command(ID_FILE_EXPORT_PDF);
        return Texts(boxes);
    }

    static std::vector<CString> Texts(const CMessageBoxRecorder& boxes)
    {
        std::vector<CString> texts;
        for (int i = 0; i < boxes.GetCount(); i++)
            texts.push_back(boxes.GetCall(i).m_strText);
        return texts;
    }

    CAppProgram m_program;
    CVarnelDoc* m_pDoc = NULL;
};

} // namespace

TEST_F(ExportFailures, PictureOnAFullVolumeNamesTheFileAndTheFullDisk)
{
    scratch::CScratchVolume volume(512);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("card.png");
    ASSERT_TRUE(WriteFileBytes(strTarget, "earlier picture"));
    ASSERT_TRUE(volume.FillLeaving(0));

    const std::vector<CString> texts = SaveAsImage(strTarget);
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("Failed to save.\n\nThe disk is full while writing " + strTarget + ".", texts[0]);
    EXPECT_EQ("earlier picture", ReadFileBytes(strTarget));
    EXPECT_STREQ("card.png\nfiller.bin\n", scratch::ListFiles(volume.Folder()));
}

TEST_F(ExportFailures, PictureFillingTheVolumePartWayNamesTheFullDisk)
{
    // 1200 x 600 pixels of 24 bits do not fit into 512 KB
    scratch::CScratchVolume volume(512);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("card.bmp");

    const std::vector<CString> texts = SaveAsImage(strTarget, 1);
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("Failed to save.\n\nThe disk is full while writing " + strTarget + ".", texts[0]);
    EXPECT_STREQ("", scratch::ListFiles(volume.Folder()));
}

TEST_F(ExportFailures, PictureIntoAReadOnlyFolderSaysAccessWasDenied)
{
    scratch::CScratchVolume volume(64, true);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("card.bmp");

    const std::vector<CString> texts = SaveAsImage(strTarget, 1);
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("Failed to save.\n\nAccess to " + strTarget + " was denied.", texts[0]);
    EXPECT_STREQ("", scratch::ListFiles(volume.Folder()));
}

TEST_F(ExportFailures, PictureOverAFileHeldOpenSaysItIsInUse)
{
    CTempFolder folder;
    const CString strTarget = folder.File("held.png");
    ASSERT_TRUE(WriteFileBytes(strTarget, "held picture"));
    // another program holds it open and lets nobody write or delete it
    const HANDLE hHeld = ::CreateFileA(strTarget, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    const std::vector<CString> texts = SaveAsImage(strTarget);
    ::CloseHandle(hHeld);
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("Failed to save.\n\n" + strTarget + " is in use by another program.", texts[0]);
    EXPECT_EQ("held picture", ReadFileBytes(strTarget));
    EXPECT_STREQ("held.png\n", scratch::ListFiles(folder.m_strPath));
}

TEST_F(ExportFailures, PdfOnAFullVolumeNamesTheFullDiskAndKeepsTheOldFile)
{
    scratch::CScratchVolume volume(512);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("design.pdf");
    ASSERT_TRUE(WriteFileBytes(strTarget, "%PDF-1.4 earlier"));
    ASSERT_TRUE(volume.FillLeaving(0));

    const std::vector<CString> texts = ExportPdf(strTarget, IDYES);
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ(0, texts[0].Find("The following file exists:"));
    EXPECT_STREQ("Error writing to pdf file: " + strTarget + "\nThe disk is full while writing " + strTarget + ".",
                 texts[1]);
    EXPECT_EQ("%PDF-1.4 earlier", ReadFileBytes(strTarget));
    EXPECT_STREQ("design.pdf\nfiller.bin\n", scratch::ListFiles(volume.Folder()));
}

TEST_F(ExportFailures, PdfIntoAReadOnlyFolderSaysAccessWasDenied)
{
    scratch::CScratchVolume volume(64, true);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("design.pdf");

    const std::vector<CString> texts = ExportPdf(strTarget);
    ASSERT_EQ(1u, texts.size());
    EXPECT_STREQ("Error writing to pdf file: " + strTarget + "\nAccess to " + strTarget + " was denied.", texts[0]);
    EXPECT_STREQ("", scratch::ListFiles(volume.Folder()));
}
