// DataSourceLoader.cpp - LoadDataTable and the texts of its failures.

#include "DataSourceLoader.h"
#include "ADODataBase.h"
#include "AdoDefs.h"
#include "LineTokenizer.h"
#include "PasswordProtect.h"
#include "TextData.h"
#include "UnexpectedError.h"

#include <afxwin.h>

#include <shlwapi.h>

#include "resources/data_resource.h"

#include <memory>
#include <vector>

namespace
{
// Rows read so far; freed unless handed to a table.
class CReadRows
{
public:
    CReadRows() {}
    ~CReadRows()
    {
        for (size_t i = 0; i < m_rows.size(); ++i)
            delete[] m_rows[i];
    }
    CReadRows(const CReadRows&) = delete;
    CReadRows& operator=(const CReadRows&) = delete;

    void Add(std::unique_ptr<CString[]>& pRow)
    {
        m_rows.push_back(pRow.get());
        pRow.release();
    }

    // Moves the rows into the table.
    void HandTo(CDataTable& table, int nColumns)
    {
        CString** pRows = new CString*[m_rows.size()];
        for (size_t i = 0; i < m_rows.size(); ++i)
            pRows[i] = m_rows[i];
        table.Free();
        table.m_pRows = pRows;
        table.m_nRows = static_cast<int>(m_rows.size());
        table.m_nColumns = nColumns;
        m_rows.clear();
    }

private:
    std::vector<CString*> m_rows;
};

CDataLoadResult Failure(DataLoadStatus nStatus, const CString& strDetail = CString(), long nErrorCode = 0)
{
    CDataLoadResult result;
    result.m_nStatus = nStatus;
    result.m_strDetail = strDetail;
    result.m_nErrorCode = nErrorCode;
    return result;
}

// A stored "SELECT * FROM Order Details" reads the table of that name, as the
// schema of the open connection spells it.
CString BracketStoredTable(CADODataBase& db, const CString& strSql)
{
    CString strTable;
    if (!GetSelectAllTable(strSql, strTable) || strTable[0] == '[' || !TableNameNeedsBrackets(strTable))
        return strSql;
    try
    {
        CADORecordset rs(&db);
        if (rs.OpenSchema(20))
        {
            for (; !rs.IsEOF(); rs.MoveNext())
            {
                CString strName;
                rs.GetFieldValue("TABLE_NAME", strName);
                if (strName.CompareNoCase(strTable) == 0)
                    return ProposeSelectStatement(strName);
            }
        }
    }
    catch (...)
    {
        // The statement as stored: its query reports what is wrong.
    }
    return strSql;
}

// Reads every record while the recordset is not at its end; the table has as
// many rows as were read, whatever the provider's record count says.
CDataLoadResult LoadAdoTable(const CDataSourceInfo& info, CDataTable& table)
{
    CADODataBase db;
    if (!db.Open(info.m_strConnection, "", ""))
        return Failure(DATALOAD_CONNECT_FAILED, db.GetLastError(), db.GetLastErrorCode());
    const CString strSql = BracketStoredTable(db, info.m_strSql);
    CADORecordset rs(&db);
    if (!rs.Open(strSql))
        return Failure(DATALOAD_QUERY_FAILED, rs.GetLastError(), rs.GetLastErrorCode());

    const int nColumns = rs.GetFieldCount();
    CReadRows rows;
    std::unique_ptr<CString[]> pNames(new CString[nColumns]);
    for (int i = 0; i < nColumns; ++i)
    {
        CADOFieldInfo field;
        rs.GetFieldInfo(i, &field);
        pNames[i] = field.m_strName;
    }
    rows.Add(pNames);

    while (!rs.IsEOF())
    {
        std::unique_ptr<CString[]> pRow(new CString[nColumns]);
        for (int i = 0; i < nColumns; ++i)
            rs.GetFieldValue(i, pRow[i]);   // unsupported types stay empty
        rows.Add(pRow);
        rs.MoveNext();
    }
    rows.HandTo(table, nColumns);
    return CDataLoadResult();
}

// Loads a delimited text file; characters the code page lacks leave a note in the result's detail.
CDataLoadResult LoadTextTable(const CDataSourceInfo& info, CDataTable& table)
{
    if (info.m_strFile.IsEmpty())
        return Failure(DATALOAD_NO_FILE);
    char tokenControls[TOKCTL_SIZE];
    InitTokenControls(tokenControls);
    BOOL bReplaced = FALSE;
    const int nResult = LoadDelimitedTextTable(info.m_strFile, info.m_strDelimiter,
        info.m_bHasColNames, tokenControls, table, &bReplaced);
    if (nResult == TEXTLOAD_CANNOT_OPEN)
        return Failure(DATALOAD_CANNOT_OPEN_FILE, info.m_strFile);
    if (nResult != TEXTLOAD_OK)
        return Failure(DATALOAD_TEXT_REFUSED, GetTextLoadMessage(nResult, info.m_strFile));
    CDataLoadResult result;
    if (bReplaced)
        result.m_strDetail = GetTextLoadMessage(TEXTLOAD_CHARS_REPLACED, info.m_strFile);
    return result;
}
}

BOOL CDataLoadResult::IsPasswordRefused() const
{
    return m_nStatus == DATALOAD_CONNECT_FAILED && m_nErrorCode == (long)ado::DBE_AUTHFAILED;
}

int ParseStoredDataSource(const CString& strDescription, CDataSourceInfo& info)
{
    const int nParsed = ParseDataSourceDescription(strDescription, info);
    if (nParsed == DSPARSE_OK && info.m_nType == DATASOURCE_ACCESS)
        info.m_strConnection = RevealConnectionPassword(info.m_strConnection);
    return nParsed;
}

void ResolveTextSourceFile(CDataSourceInfo& info, const CString& strFolder)
{
    if (!strFolder.IsEmpty() && info.m_nType == DATASOURCE_TEXT && !info.m_strFile.IsEmpty() &&
        ::PathIsRelativeA(info.m_strFile))
        info.m_strFile = strFolder + "\\" + info.m_strFile;
}

CString DescriptionForNewFolder(const CString& strDescription, const CString& strOldFolder,
                                const CString& strNewFolder)
{
    CDataSourceInfo info;
    if (strOldFolder.IsEmpty() || ParseDataSourceDescription(strDescription, info) != DSPARSE_OK ||
        info.m_nType != DATASOURCE_TEXT || info.m_strFile.IsEmpty() || !::PathIsRelativeA(info.m_strFile))
        return strDescription;
    const CString strOldFile = strOldFolder + "\\" + info.m_strFile;
    if (::PathFileExistsA(strNewFolder + "\\" + info.m_strFile) || !::PathFileExistsA(strOldFile))
        return strDescription;
    return BuildTextDescription(strOldFile, info.m_strDelimiter, info.m_bHasColNames);
}

// Loads the table a data source describes; table changes only when the load succeeds.
CDataLoadResult LoadDataTable(const CDataSourceInfo& info, CDataTable& table)
{
    try
    {
        CDataTable loaded;
        CDataLoadResult result;
        if (info.m_nType == DATASOURCE_TEXT)
            result = LoadTextTable(info, loaded);
        else if (info.m_nType == DATASOURCE_ACCESS || info.m_nType == DATASOURCE_EXCEL)
            result = LoadAdoTable(info, loaded);
        else
            result = Failure(DATALOAD_UNEXPECTED);
        if (result.Succeeded())
            table.Take(loaded);
        return result;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return Failure(DATALOAD_UNEXPECTED);
}

// The message and icon for a load result; FALSE when there is nothing to tell.
BOOL GetDataLoadMessage(const CDataLoadResult& result, CString& strText, UINT& nType)
{
    nType = MB_OK;
    switch (result.m_nStatus)
    {
    case DATALOAD_OK:
        // Loaded; the detail tells of replaced characters.
        strText = result.m_strDetail;
        nType = MB_ICONINFORMATION;
        return !strText.IsEmpty();
    case DATALOAD_NO_FILE:
    case DATALOAD_CANCELLED:
        return FALSE;
    case DATALOAD_TEXT_REFUSED:
        strText = result.m_strDetail;
        nType = MB_ICONSTOP;
        return TRUE;
    case DATALOAD_CANNOT_OPEN_FILE:
        AfxFormatString1(strText, IDS_DATA_CANNOT_OPEN, result.m_strDetail);
        return TRUE;
    case DATALOAD_CONNECT_FAILED:
    case DATALOAD_QUERY_FAILED:
        strText = result.m_strDetail;
        return TRUE;
    case DATALOAD_UNEXPECTED:
        break;
    }
    strText = GetUnexpectedErrorText();
    nType = MB_ICONSTOP;
    return TRUE;
}

BOOL GetDataParseMessage(int nParsed, CString& strText, UINT& nType)
{
    if (nParsed == DSPARSE_OK)
        return FALSE;
    strText = nParsed == DSPARSE_UNKNOWN_TYPE ? g_szUnknownDataSourceType : g_szDamagedDataSource;
    nType = MB_ICONSTOP;
    return TRUE;
}
