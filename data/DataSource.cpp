// DataSource.cpp - the data-source description and the loaded data table.

#include "DataSource.h"
#include "PasswordProtect.h"

#include <ctype.h>
#include <string.h>

const char* const g_szUnknownDataSourceType = "unknown data source type";
const char* const g_szDamagedDataSource =
    "The publication's data source could not be read: its description is damaged or incomplete.";

namespace
{
const char kTypeAccess[] = "type=accessdb";
const char kTypeExcel[] = "type=exceldb";
const char kTypeText[] = "type=delimitedtext";
const char kSelectAll[] = "SELECT * FROM ";

// Key words of statements that a table name must not be written as.
BOOL IsKeyWord(const CString& str)
{
    const char* const words[] =
        { "SELECT", "FROM", "WHERE", "ORDER", "BY", "ASC", "DESC", "AND", "OR", "NOT" };
    for (const char* pszWord : words)
    {
        if (str.CompareNoCase(pszWord) == 0)
            return TRUE;
    }
    return FALSE;
}

// The text without its first nCount characters.
CString CutFront(const CString& str, int nCount)
{
    if (nCount >= str.GetLength())
        return CString();
    return str.Mid(nCount);
}

// The text without its first nFront and last nBack characters.
CString CutBoth(const CString& str, int nFront, int nBack)
{
    const int nLength = str.GetLength() - nFront - nBack;
    if (nLength <= 0)
        return CString();
    return str.Mid(nFront, nLength);
}

// The last occurrence of pszSub in str at or after nFrom, or -1.
int FindLast(const CString& str, const char* pszSub, int nFrom)
{
    int nFound = -1;
    for (int n = str.Find(pszSub, nFrom); n >= 0; n = str.Find(pszSub, n + 1))
        nFound = n;
    return nFound;
}
}

// Splits text at every separator; the text after the last is the final part, so "" gives one empty part.
void SplitAtSeparator(const CString& strText, const char* pszSeparator,
    std::vector<CString>& parts)
{
    parts.clear();
    const int nSeparator = static_cast<int>(strlen(pszSeparator));
    int nStart = 0;
    if (nSeparator > 0)
    {
        for (int nFound = strText.Find(pszSeparator, nStart); nFound >= 0;
             nFound = strText.Find(pszSeparator, nStart))
        {
            parts.push_back(strText.Mid(nStart, nFound - nStart));
            nStart = nFound + nSeparator;
        }
    }
    parts.push_back(CutFront(strText, nStart));
}

CString BuildAdoDescription(int nType, const CString& strConnection, const CString& strSql)
{
    CString str(nType == DATASOURCE_EXCEL ? kTypeExcel : kTypeAccess);
    str += "::conn=";
    str += strConnection;
    str += "::sqlstring={?";
    str += strSql;
    str += "?}";
    return str;
}

CString BuildTextDescription(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames)
{
    CString str(kTypeText);
    str += "::file=";
    str += strPath;
    str += "::delimiter=";
    str += strDelimiter;
    str += "::hascolnames=";
    str += bHasColNames ? "yes" : "no";
    return str;
}

// Reads the parts by position.  A ":" delimiter splits as "delimiter=" and
// ":hascolnames=..."; that pair is read back as the ":" delimiter.
int ParseDataSourceDescription(const CString& strDescription, CDataSourceInfo& info)
{
    info = CDataSourceInfo();
    std::vector<CString> parts;
    SplitAtSeparator(strDescription, "::", parts);

    const CString& strType = parts[0];
    if (strType == kTypeAccess || strType == kTypeExcel)
    {
        info.m_nType = (strType == kTypeAccess) ? DATASOURCE_ACCESS : DATASOURCE_EXCEL;
        if (parts.size() < 3)
            return DSPARSE_TOO_FEW_PARTS;
        // A "::" inside the connection (a password) belongs to it: the statement's part
        // is the first later one that starts as a statement does.
        size_t nSql = 2;
        while (nSql + 1 < parts.size() && parts[nSql].Left(12) != "sqlstring={?")
            nSql++;
        if (parts[nSql].Left(12) != "sqlstring={?")
            nSql = 2;
        CString strConnection = parts[1];
        for (size_t i = 2; i < nSql; i++)
            strConnection += "::" + parts[i];
        CString strSql = parts[nSql];
        for (size_t i = nSql + 1; i < parts.size(); i++)
            strSql += "::" + parts[i];
        info.m_strConnection = CutFront(strConnection, 5);  // "conn="
        info.m_strSql = CutBoth(strSql, 12, 2);             // "sqlstring={?" ... "?}"
        return DSPARSE_OK;
    }
    if (strType == kTypeText)
    {
        info.m_nType = DATASOURCE_TEXT;
        if (parts.size() < 4)
            return DSPARSE_TOO_FEW_PARTS;
        info.m_strFile = CutFront(parts[1], 5);          // "file="
        info.m_strDelimiter = CutFront(parts[2], 10);    // "delimiter="
        CString strColNames = parts[3];
        if (info.m_strDelimiter.IsEmpty() && strColNames.Left(13) == ":hascolnames=")
        {
            info.m_strDelimiter = ":";
            strColNames = strColNames.Mid(1);
        }
        info.m_bHasColNames = (strColNames == "hascolnames=yes");
        return DSPARSE_OK;
    }
    return DSPARSE_UNKNOWN_TYPE;
}

// Version-200 files separate the parts with ";".  The parts are found by
// their key words so that semicolons inside values survive; a text that
// does not have the expected shape gets every ";" replaced by "::".
CString DataSourceFromVersion200(const CString& strStored)
{
    const char* const types[] = { kTypeAccess, kTypeExcel, kTypeText };
    for (int t = 0; t < 3; ++t)
    {
        CString strHead(types[t]);
        if (strStored.Left(strHead.GetLength() + 2) == strHead + "::")
            return strStored;   // already in the "::" form
        if (t < 2)
        {
            strHead += ";conn=";
            if (strStored.Left(strHead.GetLength()) != strHead)
                continue;
            const int nSql = FindLast(strStored, ";sqlstring={?", strHead.GetLength());
            if (nSql < 0)
                break;
            const int nConn = strHead.GetLength();
            return BuildAdoDescription(t, strStored.Mid(nConn, nSql - nConn),
                CutBoth(strStored.Mid(nSql + 1), 12, 2));
        }
        strHead += ";file=";
        if (strStored.Left(strHead.GetLength()) != strHead)
            continue;
        const int nFile = strHead.GetLength();
        const int nColNames = FindLast(strStored, ";hascolnames=", nFile);
        if (nColNames < 0)
            break;
        int nDelimiter = -1;
        for (int n = strStored.Find(";delimiter=", nFile); n >= 0 && n < nColNames;
             n = strStored.Find(";delimiter=", n + 1))
            nDelimiter = n;
        if (nDelimiter < 0)
            break;
        CString str(kTypeText);
        str += "::file=";
        str += strStored.Mid(nFile, nDelimiter - nFile);
        str += "::";
        str += strStored.Mid(nDelimiter + 1, nColNames - nDelimiter - 1);
        str += "::";
        str += strStored.Mid(nColNames + 1);
        return str;
    }
    CString str(strStored);
    str.Replace(";", "::");
    return str;
}

CString BuildAccessConnection(const CString& strPath, const CString& strPassword)
{
    CString str("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=");
    str += strPath;
    str += ";Jet OLEDB:Database Password=";
    str += QuoteConnectionValue(strPassword);
    str += ";";
    return str;
}

CString BuildExcelConnection(const CString& strDriverId, const CString& strPath)
{
    const int nSlash = strPath.ReverseFind('\\');
    CString str("Driver={Microsoft Excel Driver (*.xls)};");
    str += strDriverId;
    str += ";Dbq=";
    str += strPath;
    str += ";DefaultDir=";
    if (nSlash > 0)
        str += strPath.Left(nSlash);
    str += ";";
    return str;
}

// The file a connection string names, from its place in the string: the third part (Dbq=) for Excel, the
// second (Data Source=) for Access; FALSE when the string has fewer parts.
BOOL GetConnectionFileName(int nType, const CString& strConnection, CString& strFile)
{
    std::vector<CString> pieces;
    SplitAtSeparator(strConnection, ";", pieces);
    if (nType == DATASOURCE_EXCEL)
    {
        if (pieces.size() < 3)
            return FALSE;
        strFile = CutFront(pieces[2], 4);    // "Dbq="
        return TRUE;
    }
    if (pieces.size() < 2)
        return FALSE;
    strFile = CutFront(pieces[1], 12);       // "Data Source="
    return TRUE;
}

char DelimiterFromText(const CString& strDelimiter)
{
    if (strDelimiter == "tab")
        return '\t';
    return strDelimiter.IsEmpty() ? '\0' : strDelimiter[0];
}

void FreeDataTable(CString** pRows, int nRows)
{
    if (pRows == NULL)
        return;
    for (int r = 0; r < nRows; ++r)
        delete[] pRows[r];
    delete[] pRows;
}

BOOL TableNameNeedsBrackets(const CString& strName)
{
    if (strName.IsEmpty() || IsKeyWord(strName))
        return TRUE;
    for (int i = 0; i < strName.GetLength(); ++i)
    {
        const unsigned char ch = static_cast<unsigned char>(strName[i]);
        if (!(isalnum(ch) || ch == '_' || ch == '$' || ch >= 0x80))
            return TRUE;
    }
    return FALSE;
}

BOOL GetSelectAllTable(const CString& strSql, CString& strTable)
{
    CString str(strSql);
    str.Trim();
    const int nPrefix = static_cast<int>(sizeof(kSelectAll)) - 1;
    if (str.GetLength() <= nPrefix || str.Left(nPrefix).CompareNoCase(kSelectAll) != 0)
        return FALSE;
    strTable = str.Mid(nPrefix);
    strTable.Trim();
    return !strTable.IsEmpty();
}

CString ProposeSelectStatement(const CString& strTable)
{
    return CString(kSelectAll) + "[" + strTable + "]";
}

void CDataTable::Free()
{
    FreeDataTable(m_pRows, m_nRows);
    m_pRows = NULL;
    m_nRows = -1;
    m_nColumns = 0;
}

void CDataTable::Detach(CString**& pRows, int& nRows, int& nColumns)
{
    pRows = m_pRows;
    nRows = m_nRows;
    nColumns = m_nColumns;
    m_pRows = NULL;
    m_nRows = -1;
    m_nColumns = 0;
}

void CDataTable::Take(CDataTable& other)
{
    if (&other == this)
        return;
    Free();
    other.Detach(m_pRows, m_nRows, m_nColumns);
}
