// The Access password of a publication's data source is never written in clear text.

#include "doc_test_support.h"
#include "data/DataSource.h"
#include "data/PasswordProtect.h"

#include "afxwin.h"

#include <algorithm>

namespace
{
bool Contains(const ByteVec& data, const char* psz)
{
    const size_t n = strlen(psz);
    return std::search(data.begin(), data.end(), psz, psz + n) != data.end();
}

CString AccessDescription(const char* pszPassword)
{
    return BuildAdoDescription(DATASOURCE_ACCESS, BuildAccessConnection("C:\\db\\shop.mdb", pszPassword),
                               "SELECT * FROM [Items]");
}
}

TEST(StoredPassword, APasswordIsStoredProtectedWholeAndReadBack)
{
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.m_strDataSource = AccessDescription("open;sesame");
    const ByteVec data = SaveDocument(doc);
    EXPECT_FALSE(Contains(data, "open"));
    EXPECT_FALSE(Contains(data, "sesame"));
    EXPECT_TRUE(Contains(data, "Protected Password="));
    EXPECT_EQ(0, boxes.GetCount());

    CVarnelDoc reopened;
    LoadDocument(reopened, data);
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(RevealDescriptionPassword(reopened.m_strDataSource), info));
    EXPECT_STREQ("open;sesame", GetConnectionPassword(info.m_strConnection));
}

TEST(StoredPassword, WhenItCannotBeProtectedItIsLeftOutAndTheUserTold)
{
    CMessageBoxRecorder boxes;
    CVarnelDoc doc;
    doc.m_strDataSource = AccessDescription("open;sesame");
    SimulateUnavailablePasswordProtection(TRUE);
    const ByteVec data = SaveDocument(doc);
    SimulateUnavailablePasswordProtection(FALSE);
    EXPECT_FALSE(Contains(data, "open"));
    EXPECT_FALSE(Contains(data, "sesame"));
    EXPECT_TRUE(Contains(data, "shop.mdb"));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_GE(boxes.GetCall(0).m_strText.Find("will be asked for when the data source is next opened"), 0);
    // the publication in memory keeps it for this session
    EXPECT_GE(doc.m_strDataSource.Find("sesame"), 0);
}
