// ADODataBase.h - the data-access wrappers CADODataBase and CADORecordset.
//
// Declares: CADOFieldInfo, CADODataBase, CADORecordset.
//
// Notes
// - The wrappers sit on the data-access layer in platform/ado (ado::Connection,
//   ado::Recordset). Its failures are ado::Error exceptions; Open, OpenSchema
//   and GetFieldValue turn them into FALSE plus a stored multi-line error
//   text (GetLastError). GetRecordCount, GetFieldCount, GetFieldInfo, IsOpen,
//   Close and the moves let them pass to the caller.
// - The connection and recordset objects are shared: copying a wrapper adds
//   a reference, and a CADORecordset made from a CADODataBase shares its
//   connection.
// - Each CADODataBase initialises COM for its thread while it lives.
#pragma once

#include <afx.h>

#include <memory>

namespace ado
{
class Connection;
class Recordset;
class Field;
class Error;
}

// CADOFieldInfo describes one field (CADORecordset::GetFieldInfo).
struct CADOFieldInfo
{
    CString m_strName;      // the whole name
    short m_nType;          // ado::DataTypeEnum
    long m_lSize;           // actual size at the current record
    long m_lDefinedSize;
    long m_lAttributes;     // ado::FieldAttributeEnum bits

    CADOFieldInfo() { Clear(); }
    void Clear();
};

// CADODataBase holds one connection to an Access database or an Excel workbook.
class CADODataBase
{
public:
    CADODataBase();
    CADODataBase(const CADODataBase& other);
    CADODataBase& operator=(const CADODataBase& other);
    virtual ~CADODataBase();

    // Operations
    BOOL Open(LPCTSTR lpstrConnection = _T(""), LPCTSTR lpstrUserID = _T(""), LPCTSTR lpstrPassword = _T(""));
    BOOL IsOpen();
    void Close();

    // Attributes
    CString GetLastError() const { return m_strLastError; }
    CString GetLastErrorDescription() const { return m_strErrorDescription; }
    long GetLastErrorCode() const { return m_nLastError; }
    CString GetConnectionString() const { return m_strConnection; }
    void SetConnectionTimeout(long nSeconds) { m_nConnectionTimeout = nSeconds; }
    void SetCommandTimeout(long nSeconds) { m_nCommandTimeout = nSeconds; }
    const std::shared_ptr<ado::Connection>& GetActiveConnection() const { return m_pConnection; }

protected:
    void DumpComError(const ado::Error& e);

    std::shared_ptr<ado::Connection> m_pConnection;  // null when it could not be made
    CString m_strConnection;        // the last one given to Open
    CString m_strLastError;         // multi-line text for the user
    CString m_strErrorDescription;  // the error's description alone
    long m_nLastError;              // HRESULT of the last error
    long m_nCommandTimeout;         // 0 = the provider's default
    long m_nConnectionTimeout;      // 0 = the provider's default
    BOOL m_bComInitialized;         // balance CoInitialize at destruction
};

// CADORecordset holds one result set of a statement or schema on a connection.
class CADORecordset
{
public:
    CADORecordset();
    explicit CADORecordset(CADODataBase* pAdoDatabase);
    CADORecordset(const CADORecordset& other) = default;
    CADORecordset& operator=(const CADORecordset& other) = default;
    virtual ~CADORecordset();

    // Operations
    BOOL Open(LPCTSTR lpstrExec = _T(""));
    BOOL Open(CADODataBase* pAdoDatabase, LPCTSTR lpstrExec = _T(""));
    BOOL OpenSchema(int nSchema, LPCTSTR lpstrSchemaID = _T(""));
    BOOL IsOpen();
    void Close();
    void MoveFirst();
    void MoveNext();

    // Attributes
    BOOL IsEOF();
    BOOL IsBOF();
    long GetRecordCount();
    int GetFieldCount();
    BOOL GetFieldInfo(int nIndex, CADOFieldInfo* fldInfo);
    BOOL GetFieldInfo(ado::Field& field, CADOFieldInfo* fldInfo);
    BOOL GetFieldValue(int nIndex, CString& strValue, CString strDateFormat = _T(""));
    BOOL GetFieldValue(LPCTSTR lpFieldName, CString& strValue, CString strDateFormat = _T(""));
    CString GetQuery() const { return m_strQuery; }
    CString GetLastError() const { return m_strLastError; }
    long GetLastErrorCode() const { return m_nLastError; }
    const std::shared_ptr<ado::Recordset>& GetRecordset() const { return m_pRecordset; }

protected:
    BOOL GetFieldValue(ado::Field& field, CString& strValue, const CString& strDateFormat);
    void DumpComError(const ado::Error& e);
    ado::Recordset& Recordset() const;

    std::shared_ptr<ado::Recordset> m_pRecordset;    // null when it could not be made
    std::shared_ptr<ado::Connection> m_pConnection;  // shared with the CADODataBase
    int m_nEditStatus;              // non-zero while an edit is pending
    CString m_strQuery;             // the statement last opened
    CString m_strLastError;         // multi-line text for the user
    long m_nLastError;              // HRESULT of the last error
};

// Text of a field value as the wrappers give it; FALSE for types without a text.
BOOL AdoVariantToText(const VARIANT& value, CString& strValue, LPCTSTR lpszDateFormat);
// Text of an OLE date with a strftime-style format; "Invalid DateTime" outside 100-9999.
CString AdoFormatDate(DATE date, LPCTSTR lpszFormat);
