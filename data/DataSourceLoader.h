// DataSourceLoader.h - LoadDataTable, which reads the table of a parsed
// data-source description, and the texts of its failures.
//
// Notes
// - Loading needs no window and shows nothing: the status says what went
//   wrong, and the caller turns it into the message (GetDataLoadMessage).
// - The table is replaced only by a successful load; a failed load leaves it
//   as it was.
// - Access and Excel sources are read through one connection.  A statement
//   "SELECT * FROM name" whose table needs brackets (blanks, key words) is
//   read with the table name as the source spells it, bracketed.

#pragma once

#include <afx.h>

#include "DataSource.h"

// Result of LoadDataTable.
enum DataLoadStatus
{
    DATALOAD_OK = 0,
    DATALOAD_NO_FILE,           // text source without a file: nothing to tell
    DATALOAD_CANNOT_OPEN_FILE,  // the text file could not be opened
    DATALOAD_TEXT_REFUSED,      // not a text file or too many columns: the detail is the message
    DATALOAD_CONNECT_FAILED,    // the provider's error is the detail
    DATALOAD_QUERY_FAILED,      // the provider's error is the detail
    DATALOAD_UNEXPECTED,        // anything else
    DATALOAD_CANCELLED          // the user gave no password: nothing to tell
};

struct CDataLoadResult
{
    DataLoadStatus m_nStatus;
    CString m_strDetail;        // file path, provider error or the text reader's message;
                                // after a load that replaced characters, the notice
    long m_nErrorCode;          // the provider's HRESULT of a failed connection or query

    CDataLoadResult() : m_nStatus(DATALOAD_OK), m_nErrorCode(0) {}
    BOOL Succeeded() const { return m_nStatus == DATALOAD_OK; }
    // The Access source refused the database password (a wrong or missing one).
    BOOL IsPasswordRefused() const;
};

// Parses a stored description (ParseDataSourceDescription) and reveals the
// protected password of an Access connection; DSPARSE_OK or the parse error.
int ParseStoredDataSource(const CString& strDescription, CDataSourceInfo& info);

// A text file named without a folder travels with its publication: it is
// looked for in strFolder (the publication's folder; nothing changes when it
// is empty, or for other source types).
void ResolveTextSourceFile(CDataSourceInfo& info, const CString& strFolder);

// The description a publication of strOldFolder stores when it is saved into
// strNewFolder: a text file named without a folder that is found beside the old
// file but not beside the new one is named with its full path, so the saved
// publication still finds it. Any other description is returned as it is.
CString DescriptionForNewFolder(const CString& strDescription, const CString& strOldFolder,
                                const CString& strNewFolder);

// Reads the table of a parsed description (passwords in clear text) into
// table.
CDataLoadResult LoadDataTable(const CDataSourceInfo& info, CDataTable& table);

// The message of a load and its message-box type: the failure, or the notice
// of replaced characters after a text load.  FALSE when the user is told
// nothing (a plain success, a text source without a file).
BOOL GetDataLoadMessage(const CDataLoadResult& result, CString& strText, UINT& nType);
// The message of a description that could not be parsed
// (ParseDataSourceDescription's result); FALSE for DSPARSE_OK.
BOOL GetDataParseMessage(int nParsed, CString& strText, UINT& nType);
