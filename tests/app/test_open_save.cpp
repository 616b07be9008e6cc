// Open of every file version with the steps after loading, Save and Save As through the
// Save dialog, atomic saving, and the byte-identical round trip of a full publication.

#include "doc_program.h"
#include "test_support.h"
#include "model/Elements.h"
#include "data/DataSource.h"

// An element whose writing fails halfway, as a full disk would.
class CUnwritableElement : public CElement
{
    DECLARE_SERIAL(CUnwritableElement)
public:
    virtual void Serialize(CArchive& ar) override
    {
        CElement::Serialize(ar);
        if (ar.IsStoring())
        {
            ar.Flush();
            AfxThrowFileException(CFileException::diskFull);
        }
    }
};

IMPLEMENT_SERIAL(CUnwritableElement, CElement, 0)

namespace
{

const char kCannotConnect[] =
    "Could not connect to the database. \nPlease reconnect to the database by clicking \n"
    "on 'Set Database'! And ignore the error messages.";

// Little-endian file data built by hand.
class CFileBytes
{
public:
    CFileBytes& I32(int n)
    {
        for (int i = 0; i < 4; i++)
            m_data.push_back((char)((n >> (8 * i)) & 0xFF));
        return *this;
    }
    CFileBytes& U16(int n)
    {
        m_data.push_back((char)(n & 0xFF));
        m_data.push_back((char)((n >> 8) & 0xFF));
        return *this;
    }
    CFileBytes& Str(const std::string& s)
    {
        m_data.push_back((char)s.size());
        m_data += s;
        return *this;
    }
    CFileBytes& Rgb(int r, int g, int b) { return I32(r | (g << 8) | (b << 16)); }
    std::string m_data;
};

// A file of the version with one rectangle on side 2 and the given description.
std::string VersionFile(int nVersion, const std::string& description)
{
    CFileBytes b;
    b.Str("Stickwell").Str("Quorvane").Str("labf").I32(nVersion).I32(4);
    b.U16(1).U16(0xFFFF).U16(0).U16(10);
    b.m_data += "CRectangle";
    b.Rgb(1, 2, 3).Rgb(4, 5, 6).Rgb(7, 8, 9).I32(0);
    b.I32(11).I32(12).I32(111).I32(62).I32(0).I32(2).I32(0).I32(1).I32(0).I32(1).I32(2);
    b.Rgb(250, 250, 250).Rgb(240, 240, 240).Rgb(10, 20, 30);
    b.I32(9).I32(500).I32(300);
    if (nVersion >= 200)
        b.I32(900).I32(1200);
    b.I32(4);
    if (nVersion >= 200)
        b.Str(description);
    return b.m_data;
}

int CountFiles(const CTempFolder& folder)
{
    int nFiles = 0;
    WIN32_FIND_DATAA fd;
    HANDLE hFind = ::FindFirstFileA(folder.File("*"), &fd);
    if (hFind != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                ++nFiles;
        } while (::FindNextFileA(hFind, &fd));
        ::FindClose(hFind);
    }
    return nFiles;
}

// A comma-separated data file with a names row and two records.
CString WriteCsv(const CTempFolder& folder)
{
    const CString strPath = folder.File("people.csv");
    EXPECT_TRUE(WriteFileBytes(strPath, "Name,City\r\nAnna,Oslo\r\nBert,Rome\r\n"));
    return strPath;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Open

class DocumentOpen : public ::testing::Test
{
protected:
    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CTempFolder m_folder;
};

TEST_F(DocumentOpen, Version199ReadsWithoutSheetAndDescriptionAndGivesKindsAndShadows)
{
    ASSERT_TRUE(m_program.m_bStarted);
    const CString strPath = m_folder.File("old.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(199, "")));

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(500, pDoc->m_nDesignWidth);
    EXPECT_EQ(300, pDoc->m_nDesignHeight);
    EXPECT_EQ(850, pDoc->m_nSheetWidth);        // not in the file: the new document's
    EXPECT_EQ(1100, pDoc->m_nSheetHeight);
    EXPECT_EQ(4, pDoc->m_nPublicationType);
    EXPECT_EQ(-1, pDoc->m_nDataRows);
    ASSERT_EQ(1, (int)pDoc->m_listElements.GetCount());
    CElement* pElement = pDoc->m_listElements.GetHead();
    EXPECT_EQ(KIND_RECTANGLE, pElement->m_nKind);
    EXPECT_EQ(0xFF0A141Eu, pElement->m_clrShadow);
    EXPECT_EQ(9, pElement->m_nShadowLength);
    EXPECT_EQ(2, pElement->m_nSide);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(DocumentOpen, Version200TurnsSemicolonsAndReconnectsTheTextSource)
{
    const CString strCsv = WriteCsv(m_folder);
    const std::string stored = "type=delimitedtext;file=" + std::string((LPCTSTR)strCsv) + ";delimiter=,;hascolnames=yes";
    const CString strPath = m_folder.File("v200.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(200, stored)));

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(900, pDoc->m_nSheetWidth);
    EXPECT_EQ(1200, pDoc->m_nSheetHeight);
    EXPECT_STREQ(BuildTextDescription(strCsv, ",", TRUE), pDoc->m_strDataSource);
    ASSERT_EQ(3, pDoc->m_nDataRows);
    ASSERT_EQ(2, pDoc->m_nDataColumns);
    EXPECT_STREQ("City", pDoc->m_pDataRows[0][1]);
    EXPECT_STREQ("Bert", pDoc->m_pDataRows[2][0]);
    EXPECT_EQ(0, m_boxes.GetCount());
}

// A text source named without a folder is the file beside the publication, wherever the
// current folder is; the description is kept as stored.
TEST_F(DocumentOpen, TextSourceWithoutFolderIsReadBesideThePublication)
{
    WriteCsv(m_folder);
    const CString strDescription = BuildTextDescription("people.csv", ",", TRUE);
    const CString strPath = m_folder.File("beside.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(201, (LPCTSTR)strDescription)));
    char szCurrent[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, szCurrent);
    ASSERT_STRNE(szCurrent, (LPCTSTR)m_folder.File(""));

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_STREQ(strDescription, pDoc->m_strDataSource);
    ASSERT_EQ(3, pDoc->m_nDataRows);
    EXPECT_STREQ("Anna", pDoc->m_pDataRows[1][0]);
    EXPECT_EQ(0, m_boxes.GetCount());
}

TEST_F(DocumentOpen, Version201WithAnUnreachableSourceOpensAndKeepsTheDescription)
{
    const CString strMissing = m_folder.File("gone.csv");
    const CString strDescription = BuildTextDescription(strMissing, ",", TRUE);
    const CString strPath = m_folder.File("v201.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(201, (LPCTSTR)strDescription)));

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(-1, pDoc->m_nDataRows);
    EXPECT_TRUE(pDoc->m_pDataRows == NULL);
    EXPECT_STREQ(strDescription, pDoc->m_strDataSource);
    ASSERT_GE(m_boxes.GetCount(), 1);
    EXPECT_STREQ(kCannotConnect, m_boxes.GetCall(m_boxes.GetCount() - 1).m_strText);

    // the binding is not lost by the next save
    const CString strCopy = m_folder.File("copy.labf");
    ASSERT_TRUE(pDoc->DoSave(strCopy, FALSE));
    EXPECT_EQ(ReadFileBytes(strPath), ReadFileBytes(strCopy));
}

TEST_F(DocumentOpen, LaterVersionReadsAsTheCurrentLayout)
{
    const CString strPath = m_folder.File("v350.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(350, "")));
    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strPath);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(900, pDoc->m_nSheetWidth);
    EXPECT_EQ(1, (int)pDoc->m_listElements.GetCount());
}

TEST_F(DocumentOpen, WrongTagFailsWithItsMessageAndOpensNothing)
{
    std::string data = VersionFile(201, "");
    data.replace(data.find("labf"), 4, "LABF");
    const CString strPath = m_folder.File("foreign.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, data));
    EXPECT_TRUE(m_program.m_pApp->OpenDocumentFile(strPath) == NULL);
    EXPECT_EQ(0, m_program.CountDocs());
    ASSERT_EQ(1, m_boxes.GetCount());
    EXPECT_STREQ("The file has wrong format and not made to be used with this application.",
                 m_boxes.GetCall(0).m_strText);
}

TEST_F(DocumentOpen, FileOpenCommandStartsInTheDocumentsFolderAndRemembersTheFolder)
{
    const CString strPath = m_folder.File("chosen.labf");
    ASSERT_TRUE(WriteFileBytes(strPath, VersionFile(201, "")));
    const CString strDocuments = m_program.m_pApp->m_strMyDocumentsFolder;

    CDialogScript script;
    script.OnFileDialog(strPath);
    m_program.Command(ID_FILE_OPEN);
    ASSERT_EQ(1, script.GetRecordCount());
    const CDialogScript::CRecord& record = script.GetRecord(0);
    EXPECT_TRUE(record.m_bOpenFileDialog);
    EXPECT_STREQ(strDocuments, record.m_strInitialDir);
    EXPECT_STREQ("Label Files (*.labf)|*.labf; |All Files (*.*)|*.*|", record.m_strFilter);
    EXPECT_EQ(1, record.m_nFilterIndex);
    EXPECT_EQ((DWORD)(OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
              record.m_dwFlags & (OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT));
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strMyDocumentsFolder);
    ASSERT_TRUE(m_program.ActiveDoc() != NULL);
    EXPECT_EQ(500, m_program.ActiveDoc()->m_nDesignWidth);

    // the next dialog starts in the folder of the file chosen last
    CDialogScript again;
    again.CancelFileDialog();
    m_program.Command(ID_FILE_OPEN);
    ASSERT_EQ(1, again.GetRecordCount());
    EXPECT_STREQ(m_folder.m_strPath, again.GetRecord(0).m_strInitialDir);
}

/////////////////////////////////////////////////////////////////////////////
// Save

class DocumentSave : public ::testing::Test
{
protected:
    // A new publication without the wizard's changes (the wizard is cancelled).
    CVarnelDoc* NewDoc()
    {
        CVarnelDoc* pDoc = m_program.NewPlainDoc();
        EXPECT_TRUE(pDoc != NULL);
        if (pDoc != NULL)
        {
            pDoc->m_listElements.AddTail(new CRectangle(CPoint(5, 5), CPoint(50, 40)));
            pDoc->SetModifiedFlag();
        }
        return pDoc;
    }

    CMessageBoxRecorder m_boxes;
    CDocProgram m_program;
    CTempFolder m_folder;
};

TEST_F(DocumentSave, SaveOfANewPublicationAsksForTheFileInTheDocumentsFolder)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strDocuments = m_program.m_pApp->m_strMyDocumentsFolder;
    const CString strTitle = pDoc->GetTitle();
    const CString strTarget = m_folder.File("first");     // typed without extension

    CDialogScript script;
    script.OnFileDialog(strTarget);
    m_program.Command(ID_FILE_SAVE);

    ASSERT_EQ(1, script.GetRecordCount());
    const CDialogScript::CRecord& record = script.GetRecord(0);
    EXPECT_FALSE(record.m_bOpenFileDialog);
    EXPECT_STREQ("Label Files (*.labf)|*.labf; |All Files (*.*)|*.*|", record.m_strFilter);
    EXPECT_EQ(1, record.m_nFilterIndex);
    EXPECT_STREQ("labf", record.m_strDefExt);
    EXPECT_STREQ(strDocuments, record.m_strInitialDir);
    EXPECT_EQ(0, strTitle.Find("Untitled"));
    EXPECT_STREQ(strTitle, record.m_strFileName);
    EXPECT_EQ(0u, record.m_dwFlags & OFN_FILEMUSTEXIST);    // a new name must be accepted

    const CString strSaved = strTarget + ".labf";
    EXPECT_TRUE(FileExists(strSaved));
    EXPECT_STREQ(strSaved, pDoc->GetPathName());
    EXPECT_STREQ(m_folder.m_strPath, m_program.m_pApp->m_strMyDocumentsFolder);
    EXPECT_FALSE(pDoc->IsModified());

    // a second Save writes the same file without asking
    pDoc->m_nDesignWidth = 333;
    pDoc->SetModifiedFlag();
    CDialogScript none;
    m_program.Command(ID_FILE_SAVE);
    EXPECT_EQ(0, none.GetRecordCount());
    CVarnelDoc reread;
    CFile file(strSaved, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    reread.Serialize(ar);
    EXPECT_EQ(333, reread.m_nDesignWidth);
}

TEST_F(DocumentSave, SaveAsProposesUntitledForATitleWithForbiddenCharacters)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    pDoc->SetTitle("Party #2");
    CDialogScript script;
    script.CancelFileDialog();
    EXPECT_FALSE(pDoc->DoSave(NULL, TRUE));
    ASSERT_EQ(1, script.GetRecordCount());
    EXPECT_STREQ("Untitled", script.GetRecord(0).m_strFileName);
    EXPECT_TRUE(pDoc->IsModified());

    pDoc->SetTitle("Party 2");
    CDialogScript plain;
    plain.CancelFileDialog();
    EXPECT_FALSE(pDoc->DoSave(NULL, TRUE));
    EXPECT_STREQ("Party 2", plain.GetRecord(0).m_strFileName);
}

TEST_F(DocumentSave, SaveCopyKeepsTheModifiedFlagAndThePath)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strOwn = m_folder.File("own.labf");
    ASSERT_TRUE(pDoc->DoSave(strOwn, TRUE));
    pDoc->m_nDesignHeight = 123;
    pDoc->SetModifiedFlag();

    CDialogScript script;
    script.OnFileDialog(m_folder.File("copy.labf"));
    EXPECT_TRUE(pDoc->DoSave(NULL, FALSE));
    EXPECT_STREQ(strOwn, script.GetRecord(0).m_strFileName);     // the path is proposed
    EXPECT_TRUE(FileExists(m_folder.File("copy.labf")));
    EXPECT_STREQ(strOwn, pDoc->GetPathName());
    EXPECT_TRUE(pDoc->IsModified());
}

TEST_F(DocumentSave, AFailedSaveThroughTheDialogLeavesTheChosenFileIntact)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    pDoc->m_listElements.AddTail(new CUnwritableElement);
    const CString strTarget = m_folder.File("precious.labf");
    ASSERT_TRUE(WriteFileBytes(strTarget, "the old contents"));

    CDialogScript script;
    script.OnFileDialog(strTarget);
    EXPECT_FALSE(pDoc->DoSave(NULL, TRUE));
    EXPECT_EQ("the old contents", ReadFileBytes(strTarget));
    EXPECT_EQ(1, CountFiles(m_folder));         // nothing half-written is left beside it
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_TRUE(pDoc->IsModified());
    EXPECT_EQ(1, m_boxes.GetCount());           // the failure is reported
}

TEST_F(DocumentSave, AFailedSaveToTheDocumentsPathLeavesTheOldFileIntact)
{
    CVarnelDoc* pDoc = NewDoc();
    ASSERT_TRUE(pDoc != NULL);
    const CString strTarget = m_folder.File("kept.labf");
    ASSERT_TRUE(pDoc->DoSave(strTarget, TRUE));
    const std::string before = ReadFileBytes(strTarget);
    pDoc->m_nDesignWidth = 999;
    pDoc->m_listElements.AddTail(new CUnwritableElement);
    EXPECT_FALSE(pDoc->DoSave(strTarget, TRUE));
    EXPECT_EQ(before, ReadFileBytes(strTarget));
    EXPECT_EQ(1, CountFiles(m_folder));
}

/////////////////////////////////////////////////////////////////////////////
// Round trip

TEST_F(DocumentSave, EveryElementBothSidesBackgroundsAndSourceSaveOpenSaveGiveTheSameBytes)
{
    const CString strCsv = WriteCsv(m_folder);
    const CString strDescription = BuildTextDescription(strCsv, ",", TRUE);
    const CString strFirst = m_folder.File("full.labf");
    {
        CVarnelDoc doc;
        FillEveryElement(doc, strDescription);
        ASSERT_EQ(42, (int)doc.m_listElements.GetCount());
        ASSERT_TRUE(doc.DoSave(strFirst, FALSE));
    }
    const std::string first = ReadFileBytes(strFirst);
    ASSERT_GT(first.size(), 1000u);

    CVarnelDoc* pDoc = (CVarnelDoc*)m_program.m_pApp->OpenDocumentFile(strFirst);
    ASSERT_TRUE(pDoc != NULL);
    EXPECT_EQ(42, (int)pDoc->m_listElements.GetCount());
    EXPECT_TRUE(pDoc->HasBackground());
    EXPECT_EQ(3, pDoc->m_nDataRows);            // reconnected
    EXPECT_EQ(0, m_boxes.GetCount());
    CVarnelDoc check;
    FillEveryElement(check, strDescription);
    EXPECT_EQ(ClassNames(check.m_listElements), ClassNames(pDoc->m_listElements));

    const CString strSecond = m_folder.File("again.labf");
    CDialogScript script;
    script.OnFileDialog(strSecond);
    ASSERT_TRUE(pDoc->DoSave(NULL, TRUE));
    EXPECT_TRUE(first == ReadFileBytes(strSecond)) << "the second save differs from the first";
}
