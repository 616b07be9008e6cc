// test_shipped_content.cpp - the folders that ship beside the program load as the program
// reads them: templates per category, background pictures, clip-art, sample publications
// with the address list one of them is bound to, and the tips.

#include "model/Elements.h"
#include "model/PictureLoad.h"
#include "model/TemplatePreview.h"
#include "model/VarnelDoc.h"
#include "app/TipDlg.h"
#include "data/DataSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

using namespace Gdiplus;

namespace
{

class CGdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        GdiplusStartupInput input;
        ASSERT_EQ(Ok, GdiplusStartup(&m_token, &input, NULL));
    }
    void TearDown() override { GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment);

CString ContentFolder()
{
    return CString(TESTSRC_DIR "\\..\\resources\\content");
}

std::vector<CString> FilesIn(const CString& strFolder)
{
    std::vector<CString> names;
    WIN32_FIND_DATAA find;
    HANDLE hFind = ::FindFirstFileA(strFolder + "\\*.*", &find);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if ((find.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(find.cFileName);
    } while (::FindNextFileA(hFind, &find));
    ::FindClose(hFind);
    return names;
}

CString Extension(const CString& strName)
{
    const int nDot = strName.ReverseFind('.');
    CString str = nDot < 0 ? CString() : strName.Mid(nDot);
    str.MakeLower();
    return str;
}

// Reads a publication or template as the program does; the message on failure.
std::string LoadInto(CVarnelDoc& doc, const CString& strPath)
{
    try
    {
        CFile file(strPath, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary);
        CArchive ar(&file, CArchive::load);
        ar.m_pDocument = &doc;
        doc.Serialize(ar);
        ar.Close();
        return std::string();
    }
    catch (CException* e)
    {
        char szText[256] = "";
        e->GetErrorMessage(szText, sizeof(szText));
        e->Delete();
        return std::string("cannot read ") + (LPCTSTR)strPath + ": " + szText;
    }
}

int CountOf(CVarnelDoc& doc, CRuntimeClass* pClass)
{
    int n = 0;
    for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
        n += doc.m_listElements.GetNext(pos)->IsKindOf(pClass) ? 1 : 0;
    return n;
}

} // namespace

TEST(ShippedContent, EveryCategoryHasTemplatesThatLoadWithTheirTypeAndPreview)
{
    const std::map<std::string, int> types = { { ".lbft", 0 }, { ".bdgt", 1 }, { ".enft", 2 }, { ".post", 3 },
                                               { ".lhft", 4 }, { ".flyt", 5 }, { ".sgnt", 6 } };
    std::map<int, int> perType;
    const CString strFolder = ContentFolder() + "\\Templates";
    for (const CString& strName : FilesIn(strFolder))
    {
        SCOPED_TRACE((LPCTSTR)strName);
        const auto type = types.find((LPCTSTR)Extension(strName));
        ASSERT_NE(types.end(), type) << "not a template extension";
        CVarnelDoc doc;
        ASSERT_EQ("", LoadInto(doc, strFolder + "\\" + strName));
        EXPECT_EQ(type->second, doc.m_nPublicationType);
        EXPECT_GE(doc.m_listElements.GetCount(), 3);
        EXPECT_EQ(0, CountOf(doc, RUNTIME_CLASS(CBkgImage)));     // templates hold no background
        EXPECT_TRUE(doc.m_strDataSource.IsEmpty());
        EXPECT_GE(doc.m_nDesignWidth, 100);
        EXPECT_LE(doc.m_nDesignWidth, 1100);
        EXPECT_GE(doc.m_nDesignHeight, 100);
        EXPECT_LE(doc.m_nDesignHeight, 1100);
        perType[type->second]++;

        // the wizard's preview of it: something drawn on the white page
        CVarnelDoc scratch;
        std::unique_ptr<Bitmap> pPreview(RenderTemplatePreview(scratch, strFolder + "\\" + strName, ""));
        ASSERT_TRUE(pPreview != nullptr);
        int nInk = 0;
        for (UINT y = 0; y < pPreview->GetHeight(); y += 2)
        {
            for (UINT x = 0; x < pPreview->GetWidth(); x += 2)
            {
                Color c;
                pPreview->GetPixel((INT)x, (INT)y, &c);
                nInk += (c.GetValue() & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
            }
        }
        EXPECT_GT(nInk, 50);
    }
    for (int nType = 0; nType < 7; nType++)
        EXPECT_GE(perType[nType], 2) << "publication type " << nType;
}

TEST(ShippedContent, BackgroundsAndClipArtArePicturesTheProgramDecodes)
{
    const std::vector<std::string> wizardExtensions = { ".bmp", ".jpg", ".jpeg", ".gif", ".png", ".wmf", ".tif" };
    const std::vector<CString> backgrounds = FilesIn(ContentFolder() + "\\BackGrounds");
    EXPECT_GE(backgrounds.size(), 4u);
    for (const CString& strName : backgrounds)
    {
        SCOPED_TRACE((LPCTSTR)strName);
        const std::string ext = (LPCTSTR)Extension(strName);
        EXPECT_NE(wizardExtensions.end(), std::find(wizardExtensions.begin(), wizardExtensions.end(), ext));
        std::unique_ptr<Bitmap> p(LoadPictureFileChecked(ContentFolder() + "\\BackGrounds\\" + strName));
        ASSERT_TRUE(p != nullptr);
        EXPECT_GE(p->GetWidth(), 400u);
        EXPECT_GE(p->GetHeight(), 400u);
    }

    const std::vector<CString> clipArt = FilesIn(ContentFolder() + "\\Graphics");
    EXPECT_GE(clipArt.size(), 5u);
    for (const CString& strName : clipArt)
    {
        SCOPED_TRACE((LPCTSTR)strName);
        std::unique_ptr<Bitmap> p(LoadPictureFileChecked(ContentFolder() + "\\Graphics\\" + strName));
        ASSERT_TRUE(p != nullptr);
        // drawn on a transparent ground, with an opaque middle
        Color corner, middle;
        p->GetPixel(0, 0, &corner);
        EXPECT_EQ(0, corner.GetA());
        int nOpaque = 0;
        for (UINT y = 0; y < p->GetHeight(); y += 4)
        {
            for (UINT x = 0; x < p->GetWidth(); x += 4)
            {
                p->GetPixel((INT)x, (INT)y, &middle);
                nOpaque += middle.GetA() == 255 ? 1 : 0;
            }
        }
        EXPECT_GT(nOpaque, 100);
    }
}

TEST(ShippedContent, SamplesLoadAndTheAddressLabelsReadTheirList)
{
    const CString strFolder = ContentFolder() + "\\Samples";
    int nPublications = 0;
    for (const CString& strName : FilesIn(strFolder))
    {
        if (Extension(strName) != ".labf")
            continue;
        SCOPED_TRACE((LPCTSTR)strName);
        CVarnelDoc doc;
        ASSERT_EQ("", LoadInto(doc, strFolder + "\\" + strName));
        EXPECT_GE(doc.m_listElements.GetCount(), 3);
        nPublications++;
    }
    EXPECT_GE(nPublications, 3);

    CVarnelDoc doc;
    ASSERT_EQ("", LoadInto(doc, strFolder + "\\Address Labels.labf"));
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(doc.m_strDataSource, info));
    ASSERT_EQ(DATASOURCE_TEXT, info.m_nType);
    EXPECT_EQ(-1, info.m_strFile.Find('\\'));     // beside the publication, wherever it lies
    ASSERT_TRUE(doc.ReconnectDataSource(strFolder));
    ASSERT_GE(doc.m_nDataRows, 6);
    EXPECT_STREQ("Name", doc.m_pDataRows[0][0]);
    EXPECT_STREQ("77 Willow Court, Apt. 3", doc.m_pDataRows[3][1]);   // a quoted value with a comma
    // every database text is bound to a column of the list
    int nBound = 0;
    for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* p = doc.m_listElements.GetNext(pos);
        if (!p->IsKindOf(RUNTIME_CLASS(CDbText)))
            continue;
        const int nColumn = atoi(p->m_strColumn);
        ASSERT_LT(nColumn, doc.m_nDataColumns);
        EXPECT_STREQ(CString("<<") + doc.m_pDataRows[0][nColumn] + ">>", p->m_strText);
        nBound++;
    }
    EXPECT_EQ(doc.m_nDataColumns, nBound);
}

TEST(ShippedContent, TipsAreWholeSentences)
{
    CFile file(ContentFolder() + "\\tips.dat", CFile::modeRead | CFile::typeBinary);
    const UINT nLength = (UINT)file.GetLength();
    CString strText;
    file.Read(strText.GetBuffer((int)nLength + 1), nLength);
    strText.ReleaseBuffer((int)nLength);
    const std::vector<CString> tips = SplitAll(strText, "::");
    EXPECT_GE(tips.size(), 10u);
    for (const CString& strTip : tips)
    {
        SCOPED_TRACE((LPCTSTR)strTip);
        ASSERT_GE(strTip.GetLength(), 40);
        EXPECT_LE(strTip.GetLength(), 300);     // fits the tip dialog's text
        EXPECT_NE(' ', strTip[0]);
        EXPECT_TRUE(strTip.Right(1) == "." || strTip.Right(1) == "!") << "ends mid-sentence";
        EXPECT_EQ(-1, strTip.FindOneOf("\r\n"));
    }
}
