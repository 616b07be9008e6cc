// DataSourceLoader.cpp - CDataSourceLoader, which turns a data-source
// description into the loaded data table.

#include "DataSourceLoader.h"
#include "TextData.h"

#include <afxwin.h>

#include <memory>
#include <vector>

namespace
{
void ShowUnexpectedError()
{
    AfxMessageBox(g_szUnexpectedError, MB_ICONSTOP);
}

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
}

CDataSourceLoader::CDataSourceLoader()
    : m_pRows(NULL), m_nRows(-1), m_nColumns(0), m_bHasColNames(FALSE)
{
    InitTokenControls(m_tokenControls);
}

CDataSourceLoader::~CDataSourceLoader()
{
}

void CDataSourceLoader::PresetControls(const CDataSourceInfo& /*info*/,
    const CString& /*strFileName*/)
{
}

void CDataSourceLoader::SetTable(CDataTable& table)
{
    CString** pOldRows = m_pRows;
    const int nOldRows = m_nRows;
    table.Detach(m_pRows, m_nRows, m_nColumns);
    if (pOldRows != m_pRows)
        FreeDataTable(pOldRows, nOldRows);
}

BOOL CDataSourceLoader::LoadDataSource(CString strDescription, BOOL bPresetControls)
{
    try
    {
        CDataSourceInfo info;
        const int nParsed = ParseDataSourceDescription(strDescription, info);
        if (nParsed == DSPARSE_UNKNOWN_TYPE)
        {
            AfxMessageBox(g_szUnknownDataSourceType, MB_ICONSTOP);
            return FALSE;
        }
        if (nParsed != DSPARSE_OK)
        {
            ShowUnexpectedError();
            return FALSE;
        }

        if (info.m_nType == DATASOURCE_TEXT)
        {
            if (bPresetControls)
                PresetControls(info, info.m_strFile);
            if (info.m_strFile.IsEmpty())
                return FALSE;
            return LoadDelimitedText(info.m_strFile, info.m_strDelimiter, info.m_bHasColNames);
        }

        if (!bPresetControls)
            return LoadAdoTable(info.m_strConnection, info.m_strSql);

        CString strFileName;
        if (!GetConnectionFileName(info.m_nType, info.m_strConnection, strFileName))
        {
            ShowUnexpectedError();
            return FALSE;
        }
        m_strConnection = info.m_strConnection;
        PresetControls(info, strFileName);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}

BOOL CDataSourceLoader::LoadDelimitedText(CString strPath, CString strDelimiter,
    BOOL bHasColNames)
{
    try
    {
        CDataTable table;
        BOOL bReplaced = FALSE;
        const int nResult = LoadDelimitedTextTable(strPath, strDelimiter, bHasColNames,
            m_tokenControls, table, &bReplaced);
        if (nResult == TEXTLOAD_CANNOT_OPEN)
        {
            AfxMessageBox("The linked data source file: \n'" + strPath +
                "' \ncould not be opened. \nIf it is opened by another application, please close it.");
            return FALSE;
        }
        if (nResult != TEXTLOAD_OK)
        {
            AfxMessageBox(GetTextLoadMessage(nResult, strPath), MB_ICONSTOP);
            return FALSE;
        }
        m_bHasColNames = bHasColNames;
        SetTable(table);
        if (bReplaced)
            AfxMessageBox(GetTextLoadMessage(TEXTLOAD_CHARS_REPLACED, strPath), MB_ICONINFORMATION);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}

// Reads the records while the recordset is not at its end; the table has as
// many rows as were read, whatever the provider's record count says.
BOOL CDataSourceLoader::LoadAdoTable(CString strConnection, CString strSql)
{
    try
    {
        if (!m_db.Open(strConnection, "", ""))
        {
            AfxMessageBox(m_db.GetLastError());
            return FALSE;
        }
        m_rs = CADORecordset(&m_db);
        if (!m_rs.Open(strSql))
        {
            AfxMessageBox(m_rs.GetLastError());
            return FALSE;
        }

        const int nColumns = m_rs.GetFieldCount();
        CReadRows rows;
        std::unique_ptr<CString[]> pNames(new CString[nColumns]);
        for (int i = 0; i < nColumns; ++i)
        {
            CADOFieldInfo info;
            m_rs.GetFieldInfo(i, &info);
            pNames[i] = info.m_strName;
        }
        rows.Add(pNames);

        while (!m_rs.IsEOF())
        {
            std::unique_ptr<CString[]> pRow(new CString[nColumns]);
            for (int i = 0; i < nColumns; ++i)
                m_rs.GetFieldValue(i, pRow[i]);   // unsupported types stay empty
            rows.Add(pRow);
            m_rs.MoveNext();
        }

        CDataTable table;
        rows.HandTo(table, nColumns);
        SetTable(table);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    ShowUnexpectedError();
    return FALSE;
}
