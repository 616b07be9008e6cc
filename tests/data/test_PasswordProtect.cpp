// Access passwords in connection strings: quoting of ";" and quotes, protection of the
// whole password, and never storing it in clear text when it cannot be protected.

#include <gtest/gtest.h>

#include "AdoConnection.h"
#include "DataSource.h"
#include "PasswordProtect.h"

#include <afxwin.h>

namespace
{
const char* const kPasswords[] = { "plain", "semi;colon", "it's", "say \"hi\"", "\"hi\" there",
                                   "both ' and \" ;tail", " lead", "trail ", "{braced}",
                                   "a=b" };

// The value the connection-string reader gives for the password key.
std::wstring ReaderPassword(const CString& strConnection)
{
    const std::wstring text(strConnection.GetString(), strConnection.GetString() + strConnection.GetLength());
    for (const auto& pair : ado::ParseConnectionString(text))
    {
        if (pair.first == L"jet oledb:database password")
            return pair.second;
    }
    return L"<none>";
}

std::wstring Wide(const char* psz)
{
    return std::wstring(psz, psz + strlen(psz));
}

// Restores the platform's protection at the end of a test.
class CProtectionOff
{
public:
    CProtectionOff() { SimulateUnavailablePasswordProtection(TRUE); }
    ~CProtectionOff() { SimulateUnavailablePasswordProtection(FALSE); }
};
}

TEST(PasswordProtect, SemicolonsAndQuotesInAPasswordAreQuotedAndReadBackWhole)
{
    for (const char* pszPassword : kPasswords)
    {
        SCOPED_TRACE(pszPassword);
        const CString strConnection = BuildAccessConnection("C:\\data\\base.mdb", pszPassword);
        EXPECT_STREQ(pszPassword, GetConnectionPassword(strConnection));
        EXPECT_EQ(Wide(pszPassword), ReaderPassword(strConnection));
    }
    EXPECT_STREQ("\"semi;colon\"", QuoteConnectionValue("semi;colon"));
    EXPECT_STREQ("say \"hi\"", QuoteConnectionValue("say \"hi\""));
    EXPECT_STREQ("'\"hi\" there'", QuoteConnectionValue("\"hi\" there"));
    EXPECT_STREQ("\"both ' and \"\" ;tail\"", QuoteConnectionValue("both ' and \" ;tail"));
    EXPECT_STREQ("plain", QuoteConnectionValue("plain"));
}

TEST(PasswordProtect, TheWholePasswordIsProtectedAndRevealed)
{
    for (const char* pszPassword : kPasswords)
    {
        SCOPED_TRACE(pszPassword);
        const CString strConnection = BuildAccessConnection("C:\\data\\base.mdb", pszPassword);
        const CString strProtected = ProtectConnectionPassword(strConnection);
        EXPECT_NE(strConnection, strProtected);
        EXPECT_STREQ("", GetConnectionPassword(strProtected));
        // no part of the password is left in clear text
        EXPECT_LT(strProtected.Find("colon"), 0);
        EXPECT_LT(strProtected.Find("tail"), 0);
        EXPECT_LT(strProtected.Find("hi"), 0);
        EXPECT_LT(strProtected.Find("brace"), 0);
        EXPECT_GE(strProtected.Find("Protected Password="), 0);
        const CString strRevealed = RevealConnectionPassword(strProtected);
        EXPECT_STREQ(pszPassword, GetConnectionPassword(strRevealed));
        EXPECT_EQ(Wide(pszPassword), ReaderPassword(strRevealed));
    }
}

TEST(PasswordProtect, WithoutProtectionAStoredDescriptionLeavesThePasswordOut)
{
    const CString strDescription = BuildAdoDescription(
        DATASOURCE_ACCESS, BuildAccessConnection("C:\\data\\base.mdb", "Sec;ret"), "SELECT * FROM [T]");
    {
        CProtectionOff off;
        BOOL bDropped = FALSE;
        const CString strStored = ProtectDescriptionPassword(strDescription, &bDropped);
        EXPECT_TRUE(bDropped);
        EXPECT_LT(strStored.Find("Sec"), 0) << (LPCSTR)strStored;
        EXPECT_LT(strStored.Find("ret"), 0) << (LPCSTR)strStored;
        CDataSourceInfo info;
        ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strStored, info));
        EXPECT_STREQ("", GetConnectionPassword(info.m_strConnection));
        EXPECT_GE(info.m_strConnection.Find("base.mdb"), 0);
        EXPECT_STREQ("SELECT * FROM [T]", info.m_strSql);
        // a string kept in memory only stays usable
        const CString strConnection = BuildAccessConnection("C:\\b.mdb", "x");
        EXPECT_STREQ(strConnection, ProtectConnectionPassword(strConnection));
    }
    BOOL bDropped = TRUE;
    const CString strStored = ProtectDescriptionPassword(strDescription, &bDropped);
    EXPECT_FALSE(bDropped);
    EXPECT_LT(strStored.Find("Sec"), 0);
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(RevealDescriptionPassword(strStored), info));
    EXPECT_STREQ("Sec;ret", GetConnectionPassword(info.m_strConnection));
}

TEST(PasswordProtect, ADoubleColonInAPasswordStaysInTheConnectionOfADescription)
{
    const CString strDescription = BuildAdoDescription(
        DATASOURCE_ACCESS, BuildAccessConnection("C:\\b.mdb", "x::y;z"), "SELECT * FROM [T::U]");
    CDataSourceInfo info;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(strDescription, info));
    EXPECT_STREQ("x::y;z", GetConnectionPassword(info.m_strConnection));
    EXPECT_STREQ("SELECT * FROM [T::U]", info.m_strSql);

    CDataSourceInfo revealed;
    ASSERT_EQ(DSPARSE_OK, ParseDataSourceDescription(
        RevealDescriptionPassword(ProtectDescriptionPassword(strDescription)), revealed));
    EXPECT_STREQ("x::y;z", GetConnectionPassword(revealed.m_strConnection));
    EXPECT_STREQ("SELECT * FROM [T::U]", revealed.m_strSql);
}
