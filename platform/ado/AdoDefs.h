// AdoDefs.h: constants, error type and small helpers of the data-access layer.
//
// The layer reads Access databases and Excel workbooks with an object model
// shaped like the platform's data-access objects: Connection, Recordset and
// Field (AdoConnection.h, AdoRecordset.h). Everything is read-only.
//
// Notes
// - Every failure is thrown as ado::Error, which carries an HRESULT, a source
//   and a description; nothing else is thrown except std::bad_alloc.
// - Texts are UTF-16 (std::wstring); values are handed out as VARIANTs.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <exception>
#include <string>

namespace ado {

// Field data types (the values of the platform's DataTypeEnum).
enum DataTypeEnum : unsigned short
{
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adNumeric = 131,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205
};

// Field attribute bits.
enum FieldAttributeEnum
{
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80
};

enum ObjectStateEnum { adStateClosed = 0, adStateOpen = 1 };
enum SchemaEnum { adSchemaTables = 20 };
enum CursorTypeEnum { adOpenForwardOnly = 0, adOpenKeyset = 1, adOpenDynamic = 2, adOpenStatic = 3 };
enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };
enum LockTypeEnum { adLockReadOnly = 1, adLockPessimistic = 2, adLockOptimistic = 3 };
enum CommandTypeEnum { adCmdText = 1, adCmdTable = 2, adCmdUnknown = 8 };

// Error codes besides the system's own (E_FAIL, E_INVALIDARG, E_POINTER, ...).
const HRESULT ADO_E_NOCURRENTRECORD = (HRESULT)0x800A0BCD;   // BOF or EOF
const HRESULT ADO_E_NOTCAPABLE = (HRESULT)0x800A0CB3;        // operation not supported
const HRESULT ADO_E_ITEMNOTFOUND = (HRESULT)0x800A0CC1;      // no such field
const HRESULT ADO_E_OBJECTCLOSED = (HRESULT)0x800A0E78;      // object is closed
const HRESULT ADO_E_OBJECTOPEN = (HRESULT)0x800A0E79;        // object is open
const HRESULT ADO_E_PROVIDERNOTFOUND = (HRESULT)0x800A0E7A;  // no provider for the string
const HRESULT ADO_E_INVALIDCONNECTION = (HRESULT)0x800A0E7D; // connection closed or missing
const HRESULT DBE_BADSTATEMENT = (HRESULT)0x80040E14;        // statement syntax
const HRESULT DBE_TYPEMISMATCH = (HRESULT)0x80040E07;        // comparison of unlike values
const HRESULT DBE_UNKNOWNCOLUMN = (HRESULT)0x80040E10;       // name not in the table
const HRESULT DBE_NOTABLE = (HRESULT)0x80040E37;             // no such table
const HRESULT DBE_AUTHFAILED = (HRESULT)0x80040E4D;          // wrong database password

// Error sources.
extern const wchar_t* const kSourceConnection;
extern const wchar_t* const kSourceRecordset;
extern const wchar_t* const kSourceAccess;
extern const wchar_t* const kSourceExcel;

// Error carries the code, source and description of a failed operation.
class Error : public std::exception
{
public:
    Error(HRESULT code, const std::wstring& source, const std::wstring& description)
        : m_code(code), m_source(source), m_description(description) {}

    HRESULT Code() const { return m_code; }
    const std::wstring& Source() const { return m_source; }
    const std::wstring& Description() const { return m_description; }
    const char* what() const noexcept override { return "data access error"; }

private:
    HRESULT m_code;             // failure code
    std::wstring m_source;      // component that failed
    std::wstring m_description; // what went wrong, for the user
};

// Text helpers shared by the providers.
std::wstring Widen(const std::string& text, UINT codePage);
std::string Narrow(const std::wstring& text, UINT codePage);
bool EqualNoCase(const std::wstring& a, const std::wstring& b);
std::wstring Quoted(const std::wstring& name); // 'name'

} // namespace ado
