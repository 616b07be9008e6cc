// The document asks the application through the document host: New takes the
// wizard's choice, Insert Clip Art asks for a picture and remembers its
// folder, Save asks for the name, Text from database asks for a data source, and
// the reload of a data source needs no window at all.

#include <gtest/gtest.h>
#include "test_support.h"

#include "doc_test_support.h"
#include "drawing_test_support.h"
#include "DocumentHost.h"
#include "Elements.h"
#include "afxwin.h"

#include <fstream>
#include <memory>
#include <vector>

namespace
{
class CFakeHost : public CDocumentHost
{
public:
    CFakeHost() : m_bChoose(FALSE), m_nWizardRuns(0), m_nTips(0), m_nDataSources(0), m_pOld(SetDocumentHost(this)) {}
    ~CFakeHost() override { SetDocumentHost(m_pOld); }

    BOOL RunNewPublicationWizard(CNewPublicationChoice& choice) override
    {
        ++m_nWizardRuns;
        if (!m_bChoose)
            return FALSE;
        choice = m_choice;
        return TRUE;
    }
    BOOL ShowTipOfTheDay() override
    {
        ++m_nTips;
        return TRUE;
    }
    CString ChoosePictureFile(LPCSTR pszFilter, const CString& strFolder) override
    {
        m_strFilter = pszFilter;
        m_strStartFolder = strFolder;
        return m_strPicture;
    }
    CString ChooseSavePath(const CString& strName, const CString& strFolder) override
    {
        ++m_nSaveDialogs;
        m_strSaveName = strName;
        m_strSaveFolder = strFolder;
        return m_strSavePath;
    }
    CString GetFolder(HostFolder folder) override { return m_folders[folder]; }
    void SetFolder(HostFolder folder, const CString& strPath) override { m_folders[folder] = strPath; }
    void ChooseDataSource(CVarnelDoc* pDoc) override
    {
        ++m_nDataSources;
        m_pDataSourceDoc = pDoc;
    }

    BOOL m_bChoose;
    CNewPublicationChoice m_choice;
    int m_nWizardRuns;
    int m_nTips;
    int m_nDataSources;
    CVarnelDoc* m_pDataSourceDoc = NULL;
    CString m_strPicture;
    CString m_strFilter;
    CString m_strStartFolder;
    CString m_folders[3];
    int m_nSaveDialogs = 0;
    CString m_strSavePath;      // answer of the Save dialog, empty for Cancel
    CString m_strSaveName;
    CString m_strSaveFolder;

private:
    CDocumentHost* m_pOld;
};

// A 2 x 1 24-bit bitmap file in the temporary folder.
CString WriteBitmapFile(const char* pszName)
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    CString strPath = CString(szFolder) + pszName;
    const unsigned char bytes[] = {
        'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
        40, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0,
        0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0, 0, 255, 255, 0, 0, 0, 0 };
    std::ofstream file((LPCSTR)strPath, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes), sizeof(bytes));
    return strPath;
}
}

TEST(DocumentHost, NewWithoutHostOrOnCancelKeepsTheConstructedDesign)
{
    {
        CVarnelDoc doc;
        EXPECT_TRUE(doc.OnNewDocument());
        EXPECT_EQ(0, ElementCount(doc));
    }
    CFakeHost host;
    CVarnelDoc doc;
    const int nWidth = doc.m_nDesignWidth;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(1, host.m_nWizardRuns);
    EXPECT_EQ(nWidth, doc.m_nDesignWidth);
    EXPECT_EQ(0, host.m_nTips);
}

TEST(DocumentHost, NewTakesTheWizardsChoice)
{
    CFakeHost host;
    host.m_bChoose = TRUE;
    host.m_choice.m_nWidth = 350;
    host.m_choice.m_nHeight = 200;
    host.m_choice.m_nPublicationType = 3;
    host.m_choice.m_bBlankDesign = TRUE;
    CVarnelDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(1, host.m_nWizardRuns);
    EXPECT_EQ(350, doc.m_nDesignWidth);
    EXPECT_EQ(200, doc.m_nDesignHeight);
    EXPECT_EQ(3, doc.m_nPublicationType);
    EXPECT_EQ(KIND_POINTER, doc.m_nCurrentTool);
    // Without an application there are no options, so no tip.
    EXPECT_EQ(0, host.m_nTips);
}

TEST(DocumentHost, ClipArtStartsInTheGraphicsFolderAndRemembersThePicture)
{
    CFakeHost host;
    host.m_folders[HOST_FOLDER_GRAPHICS] = "C:\\Clips";
    host.m_strPicture = WriteBitmapFile("host_clip.bmp");
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.OnInsertClipArt();
    EXPECT_EQ(0, boxes.GetCount());
    EXPECT_STREQ("C:\\Clips", host.m_strStartFolder);
    EXPECT_EQ(0, host.m_strFilter.Find("All supported formats"));
    EXPECT_STREQ(host.m_strPicture, host.m_folders[HOST_FOLDER_GRAPHICS]);
    ASSERT_EQ(1, ElementCount(doc));
    EXPECT_TRUE(ElementAt(doc, 0)->IsKindOf(RUNTIME_CLASS(CBtImage)));
    EXPECT_EQ(KIND_POINTER, doc.m_nCurrentTool);
    ::DeleteFileA(host.m_strPicture);
}

TEST(DocumentHost, BackgroundCancelledChangesNothing)
{
    CFakeHost host;
    host.m_folders[HOST_FOLDER_BACKGROUNDS] = "C:\\Backs";
    CVarnelDoc doc;
    doc.OnSelectBackground();
    EXPECT_STREQ("C:\\Backs", host.m_strStartFolder);
    EXPECT_STREQ("C:\\Backs", host.m_folders[HOST_FOLDER_BACKGROUNDS]);
    EXPECT_EQ(0, ElementCount(doc));
}

TEST(DocumentHost, TextFromDatabaseAsksForASourceOnlyWhenTheUserAgrees)
{
    CFakeHost host;
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    boxes.AddAnswer(IDNO);
    doc.OnInsertDbText();
    EXPECT_EQ(0, host.m_nDataSources);
    boxes.AddAnswer(IDYES);
    doc.OnInsertDbText();
    EXPECT_EQ(1, host.m_nDataSources);
    EXPECT_EQ(&doc, host.m_pDataSourceDoc);
    EXPECT_EQ(KIND_DBTEXT, doc.m_nCurrentTool);
    ASSERT_EQ(2, boxes.GetCount());
    // the text of the string table, as it always read
    EXPECT_STREQ("Data Source needed!!\n\n'Text from database' needs a datasource or database-table for the work.\n"
                 "However, no datasourse has been found. Please set a datasourse. \n\n"
                 "A datasourse can be a Microsoft Access Database(.mdb) table \n"
                 "or any delimited file(csv, tab, | etc.).\n\nDo you want to set your datasourse now?",
                 boxes.GetCall(0).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO | MB_ICONINFORMATION), boxes.GetCall(0).m_nType);
}

TEST(DocumentHost, ReloadOfATextSourceNeedsNoWindow)
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    const CString strPath = CString(szFolder) + "host_source.csv";
    {
        std::ofstream file((LPCSTR)strPath, std::ios::binary);
        file << "Name,City\r\nAnn,Rome\r\n";
    }
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.m_strDataSource = "type=delimitedtext::file=" + strPath + "::delimiter=,::hascolnames=yes";
    ASSERT_TRUE(doc.ReconnectDataSource());
    ASSERT_EQ(2, doc.m_nDataRows);
    EXPECT_STREQ("Rome", doc.m_pDataRows[1][1]);
    EXPECT_EQ(0, boxes.GetCount());

    // A source that is gone: the provider's text, then the document's, and the table stays.
    ::DeleteFileA(strPath);
    EXPECT_FALSE(doc.ReconnectDataSource());
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_EQ(0, boxes.GetCall(0).m_strText.Find("The linked data source file: "));
    EXPECT_EQ(0, boxes.GetCall(1).m_strText.Find("Could not connect to the database."));
    EXPECT_EQ(2, doc.m_nDataRows);
}

TEST(DocumentHost, SaveAsAsksTheHostForTheNameAndRemembersItsFolder)
{
    char szFolder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, szFolder);
    const CString strPath = CString(szFolder) + "host_saved.labf";
    ::DeleteFileA(strPath);
    CFakeHost host;
    host.m_folders[HOST_FOLDER_DOCUMENTS] = "C:\\Designs";
    CVarnelDoc doc;
    doc.SetTitle("Price tags");

    // Cancel: nothing written, the folder stays
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    EXPECT_EQ(1, host.m_nSaveDialogs);
    EXPECT_STREQ("Price tags", host.m_strSaveName);
    EXPECT_STREQ("C:\\Designs", host.m_strSaveFolder);
    EXPECT_STREQ("C:\\Designs", host.m_folders[HOST_FOLDER_DOCUMENTS]);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strPath));

    // a name that cannot be a file's is not offered
    doc.SetTitle("50% off");
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    EXPECT_STREQ("Untitled", host.m_strSaveName);

    host.m_strSavePath = strPath;
    ASSERT_TRUE(doc.DoSave(NULL, TRUE));
    EXPECT_EQ(3, host.m_nSaveDialogs);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(strPath));
    EXPECT_STREQ(strPath, doc.GetPathName());
    EXPECT_STREQ(strPath, host.m_folders[HOST_FOLDER_DOCUMENTS]);
    ::DeleteFileA(strPath);
}

TEST(DocumentHost, SaveAsWithoutHostSavesNothing)
{
    CVarnelDoc doc;
    doc.SetTitle("Price tags");
    EXPECT_FALSE(doc.DoSave(NULL, TRUE));
    EXPECT_TRUE(doc.GetPathName().IsEmpty());
}

TEST(DocumentHost, PicturesLargerThanAPublicationHoldsAreCalledTooLargeWithTheLimit)
{
    // a picture wider than a publication holds, as clip-art, as background and as the
    // wizard's background: refused as too large, with the limit, never as damaged
    std::unique_ptr<Gdiplus::Bitmap> pWide(new Gdiplus::Bitmap(40000, 2, PixelFormat32bppARGB));
    CTempPath file(".png");
    ASSERT_TRUE(SaveBitmap(pWide.get(), file.Path(), L"image/png"));
    CFakeHost host;
    host.m_strPicture = file.Path();
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.OnInsertClipArt();
    doc.OnSelectBackground();
    host.m_bChoose = TRUE;
    host.m_choice.m_nWidth = 350;
    host.m_choice.m_nHeight = 200;
    host.m_choice.m_strBackgroundPath = file.Path();
    CVarnelDoc docNew;
    EXPECT_TRUE(docNew.OnNewDocument());
    EXPECT_EQ(0, ElementCount(doc));
    EXPECT_EQ(0, ElementCount(docNew));
    ASSERT_EQ(3, boxes.GetCount());
    for (int i = 0; i < 3; i++)
    {
        const CString strText = boxes.GetCall(i).m_strText;
        EXPECT_GE(strText.Find(file.Path()), 0) << (LPCSTR)strText;
        EXPECT_GE(strText.Find("too large: 40000 x 2 pixels"), 0) << (LPCSTR)strText;
        EXPECT_GE(strText.Find("32767 pixels a side and 67,108,864 pixels in all"), 0) << (LPCSTR)strText;
        EXPECT_EQ(-1, strText.Find("damaged")) << (LPCSTR)strText;
    }
}
