// ADODataBase.cpp - CADODataBase and CADORecordset over the data-access layer.
#include "ADODataBase.h"

#include "AdoConnection.h"
#include "AdoRecordset.h"
#include "AdoRowSet.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const char kInvalidDateTime[] = "Invalid DateTime";
const char kDefaultDateFormat[] = "%Y-%m-%d %H:%M:%S";

std::wstring Wide(LPCTSTR text)
{
    return ado::Widen(text ? std::string(text) : std::string(), CP_ACP);
}

CString Ansi(const std::wstring& text)
{
    return CString(ado::Narrow(text, CP_ACP).c_str());
}

// The system's text for an error code, without its line break.
CString CodeMeaning(HRESULT hr)
{
    char* buffer = NULL;
    DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    DWORD n = FormatMessageA(flags, NULL, (DWORD)hr, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&buffer, 0, NULL);
    if (n == 0 && HRESULT_FACILITY(hr) == FACILITY_WIN32)
        n = FormatMessageA(flags, NULL, HRESULT_CODE(hr), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), (LPSTR)&buffer, 0, NULL);
    CString meaning;
    if (n != 0 && buffer != NULL)
    {
        meaning = buffer;
        meaning.TrimRight("\r\n");
    }
    else
        meaning.Format("Unknown error 0x%08lX", (unsigned long)hr);
    if (buffer != NULL)
        LocalFree(buffer);
    return meaning;
}

CString ErrorText(LPCTSTR lpszCaption, const ado::Error& e)
{
    CString text;
    text.Format("%s Error\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s\n",
                lpszCaption, (unsigned long)e.Code(), (LPCTSTR)CodeMeaning(e.Code()),
                (LPCTSTR)Ansi(e.Source()), (LPCTSTR)Ansi(e.Description()));
    return text;
}

[[noreturn]] void NullPointer()
{
    throw ado::Error(E_POINTER, ado::kSourceRecordset, L"The data-access object could not be created.");
}

// Calendar fields of an OLE date; false outside the years 100 to 9999.
bool SplitDate(DATE date, SYSTEMTIME& st)
{
    if (!std::isfinite(date) || date < -657434.0 || date >= 2958466.0)
        return false;
    double days = std::trunc(date);
    long long seconds = std::llround(std::fabs(date - days) * 86400.0);
    long long day = (long long)days;
    if (seconds >= 86400)
    {
        seconds -= 86400;
        day += 1;
    }
    // Civil date from days since 1899-12-30.
    long long z = day + 693899; // days since 0000-03-01
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    long long doe = z - era * 146097;
    long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    long long mp = (5 * doy + 2) / 153;
    int dayOfMonth = (int)(doy - (153 * mp + 2) / 5 + 1);
    int month = (int)(mp < 10 ? mp + 3 : mp - 9);
    long long year = yoe + era * 400 + (month <= 2);
    if (year < 100 || year > 9999)
        return false;
    st.wYear = (WORD)year;
    st.wMonth = (WORD)month;
    st.wDay = (WORD)dayOfMonth;
    st.wHour = (WORD)(seconds / 3600);
    st.wMinute = (WORD)(seconds / 60 % 60);
    st.wSecond = (WORD)(seconds % 60);
    st.wMilliseconds = 0;
    st.wDayOfWeek = (WORD)(((day % 7) + 7 + 6) % 7); // 1899-12-30 was a Saturday
    return true;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Value texts

CString AdoFormatDate(DATE date, LPCTSTR lpszFormat)
{
    static const char* const kMonths[] = { "January", "February", "March", "April", "May", "June", "July",
                                           "August", "September", "October", "November", "December" };
    static const char* const kDays[] = { "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday",
                                         "Saturday" };
    SYSTEMTIME st;
    if (!SplitDate(date, st))
        return CString(kInvalidDateTime);
    static const int kMonthStart[] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
    bool leap = (st.wYear % 4 == 0 && st.wYear % 100 != 0) || st.wYear % 400 == 0;
    int dayOfYear = kMonthStart[st.wMonth - 1] + st.wDay + (leap && st.wMonth > 2 ? 1 : 0);

    CString text;
    for (LPCTSTR p = lpszFormat; *p; ++p)
    {
        if (*p != '%' || p[1] == 0)
        {
            text += *p;
            continue;
        }
        ++p;
        if (*p == '#' && p[1] != 0) // the "no leading zeros" flag
            ++p;
        switch (*p)
        {
        case 'Y': text.AppendFormat("%04d", st.wYear); break;
        case 'y': text.AppendFormat("%02d", st.wYear % 100); break;
        case 'm': text.AppendFormat("%02d", st.wMonth); break;
        case 'd': text.AppendFormat("%02d", st.wDay); break;
        case 'H': text.AppendFormat("%02d", st.wHour); break;
        case 'I': text.AppendFormat("%02d", st.wHour % 12 == 0 ? 12 : st.wHour % 12); break;
        case 'M': text.AppendFormat("%02d", st.wMinute); break;
        case 'S': text.AppendFormat("%02d", st.wSecond); break;
        case 'p': text += st.wHour < 12 ? "AM" : "PM"; break;
        case 'j': text.AppendFormat("%03d", dayOfYear); break;
        case 'B': text += kMonths[st.wMonth - 1]; break;
        case 'b': text.Append(kMonths[st.wMonth - 1], 3); break;
        case 'A': text += kDays[st.wDayOfWeek]; break;
        case 'a': text.Append(kDays[st.wDayOfWeek], 3); break;
        case 'w': text.AppendFormat("%d", st.wDayOfWeek); break;
        case '%': text += '%'; break;
        default: text += '%'; text += *p; break;
        }
    }
    return text;
}

// A field value as the merge prints it: numbers plainly, booleans as T or F, dates in the given format;
// FALSE for a type that has no text.
BOOL AdoVariantToText(const VARIANT& value, CString& strValue, LPCTSTR lpszDateFormat)
{
    switch (V_VT(&value))
    {
    case VT_EMPTY:
    case VT_NULL:
        strValue.Empty();
        return TRUE;
    case VT_I1: strValue.Format("%d", (int)V_I1(&value)); return TRUE;
    case VT_UI1: strValue.Format("%u", (unsigned)V_UI1(&value)); return TRUE;
    case VT_I2: strValue.Format("%d", (int)V_I2(&value)); return TRUE;
    case VT_UI2: strValue.Format("%u", (unsigned)V_UI2(&value)); return TRUE;
    case VT_I4: strValue.Format("%ld", (long)V_I4(&value)); return TRUE;
    case VT_INT: strValue.Format("%d", V_INT(&value)); return TRUE;
    case VT_UI4: strValue.Format("%lu", (unsigned long)V_UI4(&value)); return TRUE;
    case VT_UINT: strValue.Format("%u", V_UINT(&value)); return TRUE;
    case VT_I8: strValue = std::to_string((long long)V_I8(&value)).c_str(); return TRUE;
    case VT_UI8: strValue = std::to_string((unsigned long long)V_UI8(&value)).c_str(); return TRUE;
    case VT_R4: strValue = Ansi(ado::RealText(V_R4(&value), 7)); return TRUE;
    case VT_R8: strValue = Ansi(ado::RealText(V_R8(&value), 15)); return TRUE;
    case VT_CY: strValue = Ansi(ado::CurrencyText(V_CY(&value).int64)); return TRUE;
    case VT_DECIMAL:
    {
        const DECIMAL& dec = V_DECIMAL(&value);
        uint8_t mantissa[12];
        ULONG words[3] = { dec.Lo32, dec.Mid32, dec.Hi32 };
        memcpy(mantissa, words, 12);
        strValue = Ansi(ado::DecimalText(mantissa, dec.scale, (dec.sign & DECIMAL_NEG) != 0));
        return TRUE;
    }
    case VT_BOOL:
        strValue = V_BOOL(&value) == VARIANT_TRUE ? "T" : "F";
        return TRUE;
    case VT_DATE:
        strValue = AdoFormatDate(V_DATE(&value),
                                 lpszDateFormat && *lpszDateFormat ? lpszDateFormat : kDefaultDateFormat);
        return TRUE;
    case VT_BSTR:
        strValue = Ansi(std::wstring(V_BSTR(&value) ? V_BSTR(&value) : L"", SysStringLen(V_BSTR(&value))));
        return TRUE;
    default:
        return FALSE;
    }
}

void CADOFieldInfo::Clear()
{
    m_strName.Empty();
    m_nType = 0;
    m_lSize = 0;
    m_lDefinedSize = 0;
    m_lAttributes = 0;
}

/////////////////////////////////////////////////////////////////////////////
// CADODataBase

CADODataBase::CADODataBase()
    : m_nLastError(0), m_nCommandTimeout(0), m_nConnectionTimeout(0)
{
    m_bComInitialized = SUCCEEDED(CoInitialize(NULL));
    try
    {
        m_pConnection = ado::Connection::Create();
    }
    catch (...)
    {
        m_pConnection.reset();
    }
}

CADODataBase::CADODataBase(const CADODataBase& other)
    : m_pConnection(other.m_pConnection), m_strConnection(other.m_strConnection),
      m_strLastError(other.m_strLastError), m_strErrorDescription(other.m_strErrorDescription),
      m_nLastError(other.m_nLastError), m_nCommandTimeout(other.m_nCommandTimeout),
      m_nConnectionTimeout(other.m_nConnectionTimeout)
{
    m_bComInitialized = SUCCEEDED(CoInitialize(NULL));
}

CADODataBase& CADODataBase::operator=(const CADODataBase& other)
{
    if (this != &other)
    {
        m_pConnection = other.m_pConnection;
        m_strConnection = other.m_strConnection;
        m_strLastError = other.m_strLastError;
        m_strErrorDescription = other.m_strErrorDescription;
        m_nLastError = other.m_nLastError;
        m_nCommandTimeout = other.m_nCommandTimeout;
        m_nConnectionTimeout = other.m_nConnectionTimeout;
    }
    return *this;
}

// Closes the connection unless others still share it, and ends the COM use it began.
CADODataBase::~CADODataBase()
{
    try
    {
        // A shared connection stays open for the other holders.
        if (m_pConnection.use_count() == 1 && IsOpen())
            Close();
    }
    catch (...)
    {
    }
    m_pConnection.reset();
    m_strConnection.Empty();
    m_strLastError.Empty();
    m_strErrorDescription.Empty();
    if (m_bComInitialized)
        CoUninitialize();
}

// Opens the connection with the stored (or the given) connection string.
BOOL CADODataBase::Open(LPCTSTR lpstrConnection, LPCTSTR lpstrUserID, LPCTSTR lpstrPassword)
{
    try
    {
        if (IsOpen())
            Close();
        if (lpstrConnection != NULL && *lpstrConnection != 0)
            m_strConnection = lpstrConnection;
        if (!m_pConnection)
            NullPointer();
        if (m_nConnectionTimeout != 0)
            m_pConnection->PutConnectionTimeout(m_nConnectionTimeout);
        m_pConnection->Open(Wide(m_strConnection), Wide(lpstrUserID), Wide(lpstrPassword), 0);
        return TRUE;
    }
    catch (const ado::Error& e)
    {
        DumpComError(e);
        return FALSE;
    }
}

BOOL CADODataBase::IsOpen()
{
    if (!m_pConnection)
        return FALSE;
    return m_pConnection->State() != ado::adStateClosed;
}

void CADODataBase::Close()
{
    if (IsOpen())
        m_pConnection->Close();
}

void CADODataBase::DumpComError(const ado::Error& e)
{
    m_strLastError = ErrorText("CADODataBase", e);
    m_strErrorDescription = Ansi(e.Description());
    m_nLastError = (long)e.Code();
}

/////////////////////////////////////////////////////////////////////////////
// CADORecordset

CADORecordset::CADORecordset() : m_nEditStatus(0), m_nLastError(0)
{
    try
    {
        m_pRecordset = ado::Recordset::Create();
    }
    catch (...)
    {
        m_pRecordset.reset();
    }
}

CADORecordset::CADORecordset(CADODataBase* pAdoDatabase) : CADORecordset()
{
    if (pAdoDatabase != NULL)
        m_pConnection = pAdoDatabase->GetActiveConnection();
}

// Closes the recordset unless others still share it.
CADORecordset::~CADORecordset()
{
    try
    {
        // A shared recordset stays open for the other holders.
        if (m_pRecordset.use_count() == 1)
            Close();
    }
    catch (...)
    {
    }
    m_pRecordset.reset();
    m_pConnection.reset();
    m_strQuery.Empty();
    m_strLastError.Empty();
}

ado::Recordset& CADORecordset::Recordset() const
{
    if (!m_pRecordset)
        NullPointer();
    return *m_pRecordset;
}

BOOL CADORecordset::Open(LPCTSTR lpstrExec)
{
    return Open(NULL, lpstrExec);
}

// Opens a statement on the stored connection (or the given one when none is stored).
BOOL CADORecordset::Open(CADODataBase* pAdoDatabase, LPCTSTR lpstrExec)
{
    try
    {
        Close();
        if (m_pRecordset && m_pRecordset->State() != ado::adStateClosed)
            m_pRecordset->Close(); // still open on a connection closed meanwhile
        if (lpstrExec != NULL && *lpstrExec != 0)
            m_strQuery = lpstrExec;
        if (!m_pConnection && pAdoDatabase != NULL)
            m_pConnection = pAdoDatabase->GetActiveConnection();
        m_strQuery.Trim();
        ado::Recordset& rs = Recordset();
        rs.PutCursorType(ado::adOpenStatic);
        rs.PutCursorLocation(ado::adUseClient);
        rs.Open(Wide(m_strQuery), m_pConnection, ado::adOpenStatic, ado::adLockOptimistic, ado::adCmdUnknown);
        return TRUE;
    }
    catch (const ado::Error& e)
    {
        DumpComError(e);
        return FALSE;
    }
}

// Replaces the recordset by a schema rowset of the connection, such as its tables or columns.
BOOL CADORecordset::OpenSchema(int nSchema, LPCTSTR lpstrSchemaID)
{
    try
    {
        if (!m_pConnection)
            NullPointer();
        m_pRecordset = m_pConnection->OpenSchema(nSchema, Wide(lpstrSchemaID));
        return TRUE;
    }
    catch (const ado::Error& e)
    {
        DumpComError(e);
        return FALSE;
    }
}

BOOL CADORecordset::IsOpen()
{
    if (!m_pRecordset)
        return FALSE;
    const std::shared_ptr<ado::Connection>& connection = m_pRecordset->ActiveConnection();
    if (!connection || connection->State() == ado::adStateClosed)
        return FALSE;
    return m_pRecordset->State() != ado::adStateClosed;
}

void CADORecordset::Close()
{
    if (!IsOpen())
        return;
    if (m_nEditStatus != 0)
    {
        m_pRecordset->CancelUpdate();
        m_nEditStatus = 0;
    }
    m_pRecordset->PutSort(L"");
    m_pRecordset->Close();
}

void CADORecordset::MoveFirst()
{
    Recordset().MoveFirst();
}

void CADORecordset::MoveNext()
{
    Recordset().MoveNext();
}

BOOL CADORecordset::IsEOF()
{
    return Recordset().IsEOF();
}

BOOL CADORecordset::IsBOF()
{
    return Recordset().IsBOF();
}

// The provider's count, or the records counted by stepping when it gives -1.
long CADORecordset::GetRecordCount()
{
    ado::Recordset& rs = Recordset();
    long count = rs.RecordCount();
    if (count != -1)
        return count;
    count = 0;
    if (!rs.IsEOF())
        rs.MoveFirst();
    while (!rs.IsEOF())
    {
        rs.MoveNext();
        ++count;
    }
    if (count > 0)
        rs.MoveFirst();
    return count;
}

int CADORecordset::GetFieldCount()
{
    return (int)Recordset().FieldCount();
}

BOOL CADORecordset::GetFieldInfo(int nIndex, CADOFieldInfo* fldInfo)
{
    return GetFieldInfo(Recordset().Item((long)nIndex), fldInfo);
}

BOOL CADORecordset::GetFieldInfo(ado::Field& field, CADOFieldInfo* fldInfo)
{
    fldInfo->Clear();
    fldInfo->m_strName = Ansi(field.Name());
    fldInfo->m_lDefinedSize = field.DefinedSize();
    fldInfo->m_nType = (short)field.Type();
    fldInfo->m_lAttributes = field.Attributes();
    if (!Recordset().IsEOF())
        fldInfo->m_lSize = field.ActualSize();
    return TRUE;
}

BOOL CADORecordset::GetFieldValue(int nIndex, CString& strValue, CString strDateFormat)
{
    try
    {
        return GetFieldValue(Recordset().Item((long)nIndex), strValue, strDateFormat);
    }
    catch (const ado::Error& e)
    {
        DumpComError(e);
        return FALSE;
    }
}

BOOL CADORecordset::GetFieldValue(LPCTSTR lpFieldName, CString& strValue, CString strDateFormat)
{
    try
    {
        return GetFieldValue(Recordset().Item(Wide(lpFieldName)), strValue, strDateFormat);
    }
    catch (const ado::Error& e)
    {
        DumpComError(e);
        return FALSE;
    }
}

BOOL CADORecordset::GetFieldValue(ado::Field& field, CString& strValue, const CString& strDateFormat)
{
    VARIANT value;
    field.Value(&value);
    CString text;
    BOOL bOk = AdoVariantToText(value, text, strDateFormat);
    VariantClear(&value);
    if (bOk)
        strValue = text;
    return bOk;
}

void CADORecordset::DumpComError(const ado::Error& e)
{
    m_strLastError = "Query = " + m_strQuery + "\n" + ErrorText("CADORecordset", e);
    m_nLastError = (long)e.Code();
}
