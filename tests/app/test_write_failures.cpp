// Save As Template on a full volume, into a read-only folder and over a file held open
// tells the file error as saving a publication does; an empty file and a damaged
// data-source description are refused with what is wrong. Nothing is lost.

#include "doc_program.h"
#include "scratch_volume.h"
#include "test_support.h"
#include "model/Elements.h"
#include "data/DataSource.h"
#include "resources/data_resource.h"
#include "temp_folder.h"

namespace
{
const char kCannotConnect[] =
    "Could not connect to the database. \nPlease reconnect to the database by clicking \n"
    "on 'Set Database'! And ignore the error messages.";

class WriteFailures : public ::testing::Test
{
protected:
    // The plain publication with nElements rectangles and a data source.
    CVarnelDoc* NewDoc(int nElements)
    {
        CVarnelDoc* pDoc = m_program.NewPlainDoc();
        EXPECT_TRUE(pDoc != NULL);
        if (pDoc == NULL)
            return NULL;
        for (int i = 0; i < nElements; i++)
            pDoc->m_listElements.AddTail(new CRectangle(CPoint(i % 300, 5), CPoint(i % 300 + 40, 60)));
        pDoc->m_strDataSource = BuildTextDescription("C:\\data\\guests.csv", ",", TRUE);
        pDoc->SetModifiedFlag();
        m_boxes.Reset();
        return pDoc;
    }

    // Save As Template answered with strPath; the texts shown.
    std::vector<CString> SaveAsTemplate(const CString& strPath)
    {
        m_boxes.Reset();
        CDialogScript script;
        script.OnFileDialog(strPath);
        m_program.Command(ID_FILE_SAVE_AS_TEMPLATE);
        std::vector<CString> texts;
        for (int i = 0; i < m_boxes.GetCount(); i++)
            texts.push_back(m_boxes.GetCall(i).m_strText);
        return texts;
    }

    // What the template command showed besides the data-source note.
    static CString FileError(const std::vector<CString>& texts)
    {
        return texts.size() == 2 ? texts[1] : CString("(" + CString(texts.empty() ? "no" : "other") + " messages)");
    }

    void ExpectDesignKept(CVarnelDoc* pDoc, int nElements)
    {
        EXPECT_EQ(nElements, (int)pDoc->m_listElements.GetCount());
        EXPECT_STREQ(BuildTextDescription("C:\\data\\guests.csv", ",", TRUE), pDoc->m_strDataSource);
        EXPECT_TRUE(pDoc->IsModified());
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
};
} // namespace

TEST_F(WriteFailures, TemplateFillingTheVolumePartWaySaysTheDiskIsFullAndKeepsTheOldOne)
{
    scratch::CScratchVolume volume(64);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("party.lbft");
    ASSERT_TRUE(WriteFileBytes(strTarget, "earlier template"));
    // some 2,000 element records do not fit into what is left
    CVarnelDoc* pDoc = NewDoc(2000);
    ASSERT_TRUE(pDoc != NULL);

    const std::vector<CString> texts = SaveAsTemplate(strTarget);
    EXPECT_STREQ("The disk is full while writing " + strTarget + ".", FileError(texts));
    EXPECT_EQ((UINT)MB_ICONEXCLAMATION, m_boxes.GetCall(m_boxes.GetCount() - 1).m_nType & MB_ICONMASK);
    EXPECT_EQ("earlier template", ReadFileBytes(strTarget));
    EXPECT_STREQ("party.lbft\n", scratch::ListFiles(volume.Folder()));
    ExpectDesignKept(pDoc, 2000);
}

TEST_F(WriteFailures, TemplateOnAFullVolumeSaysTheDiskIsFull)
{
    scratch::CScratchVolume volume(64);
    SKIP_WITHOUT_VOLUME(volume);
    ASSERT_TRUE(volume.FillLeaving(0));
    CVarnelDoc* pDoc = NewDoc(3);
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = volume.File("badge.lbft");

    const std::vector<CString> texts = SaveAsTemplate(strTarget);
    EXPECT_STREQ("The disk is full while writing " + strTarget + ".", FileError(texts));
    EXPECT_STREQ("filler.bin\n", scratch::ListFiles(volume.Folder()));
    ExpectDesignKept(pDoc, 3);
}

// The data-entry export is written whole or not at all: a volume that fills part way
// keeps the earlier export and says why.
TEST_F(WriteFailures, DataExportFillingTheVolumePartWaySaysTheDiskIsFullAndKeepsTheOldOne)
{
    scratch::CScratchVolume volume(64);
    SKIP_WITHOUT_VOLUME(volume);
    const CString strTarget = volume.File("guests.csv");
    ASSERT_TRUE(WriteFileBytes(strTarget, "earlier export"));
    // some 3,000 records of 40 characters do not fit into what is left
    CTempFolder folder;
    std::string csv = "Name,Street,City\r\n";
    for (int i = 0; i < 3000; i++)
        csv += "Guest number " + std::to_string(i) + ",Long Street " + std::to_string(i) + ",Springfield\r\n";
    ASSERT_TRUE(WriteFileBytes(folder.File("guests.csv"), csv));
    CVarnelDoc* pDoc = NewDoc(1);
    ASSERT_TRUE(pDoc != NULL);
    ASSERT_EQ(3001, LoadCommaSeparatedFile(*pDoc, folder.File("guests.csv")));

    m_boxes.Reset();
    CDialogScript script;
    script.OnDialog(IDD_DATAENTRY).Click(IDC_DE_EXPORT).Cancel();
    script.OnFileDialog(strTarget, 2);
    m_program.Command(ID_FILE_VIEW_DATABASE_DATA);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("The disk is full while writing " + strTarget + ".", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ("earlier export", ReadFileBytes(strTarget));
    EXPECT_STREQ("guests.csv\n", scratch::ListFiles(volume.Folder()));
}

TEST_F(WriteFailures, TemplateIntoAReadOnlyFolderSaysAccessWasDenied)
{
    scratch::CScratchVolume volume(64, true);
    SKIP_WITHOUT_VOLUME(volume);
    CVarnelDoc* pDoc = NewDoc(3);
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = volume.File("label.lbft");

    const std::vector<CString> texts = SaveAsTemplate(strTarget);
    EXPECT_STREQ("Access to " + strTarget + " was denied.", FileError(texts));
    EXPECT_STREQ("", scratch::ListFiles(volume.Folder()));
    ExpectDesignKept(pDoc, 3);
}

TEST_F(WriteFailures, TemplateOverAFileHeldOpenTellsWhatSavingAPublicationTells)
{
    CTempFolder folder;
    CVarnelDoc* pDoc = NewDoc(3);
    ASSERT_TRUE(pDoc != NULL);
    const CString strTemplate = folder.File("held.lbft");
    const CString strPublication = folder.File("held.labf");
    ASSERT_TRUE(WriteFileBytes(strTemplate, "held template"));
    ASSERT_TRUE(WriteFileBytes(strPublication, "held publication"));
    // another program holds both open and lets nobody write or delete them
    const HANDLE hTemplate = ::CreateFileA(strTemplate, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, NULL);
    const HANDLE hPublication = ::CreateFileA(strPublication, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, hTemplate);
    ASSERT_NE(INVALID_HANDLE_VALUE, hPublication);

    const std::vector<CString> texts = SaveAsTemplate(strTemplate);
    m_boxes.Reset();
    EXPECT_FALSE(pDoc->DoSave(strPublication, TRUE));
    ::CloseHandle(hTemplate);
    ::CloseHandle(hPublication);

    ASSERT_EQ(1, m_boxes.GetCount());
    CString strPublicationError = m_boxes.GetCall(0).m_strText;
    EXPECT_GE(strPublicationError.Find(strPublication), 0) << (LPCSTR)strPublicationError;
    // the words the picture and PDF writers use for the same cause
    EXPECT_GE(strPublicationError.Find(strPublication + " is in use by another program."), 0)
        << (LPCSTR)strPublicationError;
    strPublicationError.Replace(strPublication, strTemplate);
    EXPECT_STREQ(strPublicationError, FileError(texts));
    EXPECT_EQ(strPublicationError.Find("Unexpected"), -1);
    EXPECT_EQ("held template", ReadFileBytes(strTemplate));
    EXPECT_EQ("held publication", ReadFileBytes(strPublication));
    EXPECT_STREQ("held.labf\nheld.lbft\n", scratch::ListFiles(folder.m_strPath));
    ExpectDesignKept(pDoc, 3);
}

TEST_F(WriteFailures, AnEmptyPublicationFileIsRefusedAsUnexpectedFormat)
{
    CTempFolder folder;
    const CString strPath = folder.File("empty.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, ""));
    const int nDocs = m_program.CountDocs();

    EXPECT_TRUE(m_program.m_pApp->OpenDocumentFile(strPath) == NULL);
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("Unexpected file format.", m_boxes.GetCall(0).m_strText);
    EXPECT_EQ(nDocs, m_program.CountDocs());
    EXPECT_EQ("", ReadFileBytes(strPath));
}

TEST_F(WriteFailures, ADamagedDataSourceDescriptionSaysSoAndPointsToTheDatabaseSettings)
{
    CTempFolder folder;
    const CString strPath = folder.File("cut.labf");
    {
        CVarnelDoc doc;
        doc.m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(50, 40)));
        doc.m_strDataSource = "type=delimitedtext::file=Z";
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        doc.Serialize(ar);
        ar.Close();
    }

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    ASSERT_EQ(2, m_boxes.GetCount());
    EXPECT_STREQ("The publication's data source could not be read: its description is damaged or incomplete.",
                 m_boxes.GetCall(0).m_strText);
    EXPECT_STREQ(kCannotConnect, m_boxes.GetCall(1).m_strText);
    // the design opens without a table; its description stays for the next save
    EXPECT_EQ(1, (int)pDoc->m_listElements.GetCount());
    EXPECT_EQ(-1, pDoc->m_nDataRows);
    EXPECT_STREQ("type=delimitedtext::file=Z", pDoc->m_strDataSource);
}
