// PasswordProtect.cpp - Access passwords in connection strings and descriptions, kept
// protected for the current user by the platform's data protection.

#include "PasswordProtect.h"
#include "DataSource.h"

#include <windows.h>
#include <wincrypt.h>

#include <string.h>

#include <vector>

namespace
{
const char kPasswordKey[] = "Jet OLEDB:Database Password=";
const char kProtectedKey[] = "Protected Password=";

// Set by tests: the platform's data protection behaves as if it could not be loaded.
BOOL g_bProtectionUnavailable = FALSE;

// Bytes as upper-case hex digits, and back.
CString ToHex(const BYTE* pData, DWORD nSize)
{
    static const char digits[] = "0123456789ABCDEF";
    CString str;
    for (DWORD i = 0; i < nSize; ++i)
    {
        str += digits[pData[i] >> 4];
        str += digits[pData[i] & 0x0F];
    }
    return str;
}

// Hex digits of either case back into bytes; FALSE for an odd length or a character that is no digit.
BOOL FromHex(const CString& str, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (str.GetLength() % 2 != 0)
        return FALSE;
    for (int i = 0; i < str.GetLength(); i += 2)
    {
        int nValue = 0;
        for (int k = 0; k < 2; ++k)
        {
            const char ch = str[i + k];
            int nDigit;
            if (ch >= '0' && ch <= '9')
                nDigit = ch - '0';
            else if (ch >= 'A' && ch <= 'F')
                nDigit = ch - 'A' + 10;
            else if (ch >= 'a' && ch <= 'f')
                nDigit = ch - 'a' + 10;
            else
                return FALSE;
            nValue = nValue * 16 + nDigit;
        }
        bytes.push_back(static_cast<BYTE>(nValue));
    }
    return TRUE;
}

// The data protection functions of crypt32, loaded when first needed.
typedef BOOL (WINAPI* PFN_CRYPTPROTECT)(DATA_BLOB*, LPCWSTR, DATA_BLOB*, PVOID,
    CRYPTPROTECT_PROMPTSTRUCT*, DWORD, DATA_BLOB*);
typedef BOOL (WINAPI* PFN_CRYPTUNPROTECT)(DATA_BLOB*, LPWSTR*, DATA_BLOB*, PVOID,
    CRYPTPROTECT_PROMPTSTRUCT*, DWORD, DATA_BLOB*);

HMODULE Crypt32()
{
    static HMODULE s_hModule = ::LoadLibraryA("crypt32.dll");
    return s_hModule;
}

// Extra entropy so that other programs' blobs are not taken for ours.
DATA_BLOB* Entropy()
{
    static char s_szEntropy[] = "Quorvane Stickwell data source";
    static DATA_BLOB s_blob = { sizeof(s_szEntropy) - 1, reinterpret_cast<BYTE*>(s_szEntropy) };
    return &s_blob;
}

// Protects text for the current user, as hex; FALSE when the data protection cannot be used.
BOOL ProtectText(const CString& strPlain, CString& strHex)
{
    HMODULE hModule = Crypt32();
    if (hModule == NULL || g_bProtectionUnavailable)
        return FALSE;
    PFN_CRYPTPROTECT pfnProtect = reinterpret_cast<PFN_CRYPTPROTECT>(
        reinterpret_cast<void*>(::GetProcAddress(hModule, "CryptProtectData")));
    if (pfnProtect == NULL)
        return FALSE;
    DATA_BLOB in = { static_cast<DWORD>(strPlain.GetLength()),
        reinterpret_cast<BYTE*>(const_cast<char*>(static_cast<LPCSTR>(strPlain))) };
    DATA_BLOB out = { 0, NULL };
    if (!pfnProtect(&in, L"Stickwell", Entropy(), NULL, NULL, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return FALSE;
    strHex = ToHex(out.pbData, out.cbData);
    ::LocalFree(out.pbData);
    return !strHex.IsEmpty();
}

// The text of a protected hex blob; FALSE for bad hex or a blob of another user or program.
BOOL UnprotectText(const CString& strHex, CString& strPlain)
{
    std::vector<BYTE> bytes;
    if (!FromHex(strHex, bytes) || bytes.empty())
        return FALSE;
    HMODULE hModule = Crypt32();
    if (hModule == NULL)
        return FALSE;
    PFN_CRYPTUNPROTECT pfnUnprotect = reinterpret_cast<PFN_CRYPTUNPROTECT>(
        reinterpret_cast<void*>(::GetProcAddress(hModule, "CryptUnprotectData")));
    if (pfnUnprotect == NULL)
        return FALSE;
    DATA_BLOB in = { static_cast<DWORD>(bytes.size()), bytes.data() };
    DATA_BLOB out = { 0, NULL };
    if (!pfnUnprotect(&in, NULL, Entropy(), NULL, NULL, CRYPTPROTECT_UI_FORBIDDEN, &out))
        return FALSE;
    strPlain = CString(reinterpret_cast<const char*>(out.pbData), static_cast<int>(out.cbData));
    ::SecureZeroMemory(out.pbData, out.cbData);
    ::LocalFree(out.pbData);
    return TRUE;
}

// Joins ";" pieces back into a connection string.
CString JoinPieces(const std::vector<CString>& pieces)
{
    CString str;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        if (i > 0)
            str += ';';
        str += pieces[i];
    }
    return str;
}

// Splits a connection string at the ";" that lie outside quoted values ("..." or '...'
// right after the "=", the quote doubled inside). The text after the last ";" is the
// final piece.
void SplitConnection(const CString& strConnection, std::vector<CString>& pieces)
{
    pieces.clear();
    CString strPiece;
    bool bValue = false;        // the "=" of this piece has been passed
    const int nLength = strConnection.GetLength();
    for (int i = 0; i < nLength; ++i)
    {
        const char ch = strConnection[i];
        if (ch == ';')
        {
            pieces.push_back(strPiece);
            strPiece.Empty();
            bValue = false;
            continue;
        }
        strPiece += ch;
        if (ch != '=' || bValue)
            continue;
        bValue = true;
        int j = i + 1;
        while (j < nLength && (strConnection[j] == ' ' || strConnection[j] == '\t'))
            strPiece += strConnection[j++];
        if (j >= nLength || (strConnection[j] != '"' && strConnection[j] != '\''))
        {
            i = j - 1;
            continue;
        }
        const char chQuote = strConnection[j];
        strPiece += chQuote;
        for (++j; j < nLength; ++j)
        {
            strPiece += strConnection[j];
            if (strConnection[j] != chQuote)
                continue;
            if (j + 1 < nLength && strConnection[j + 1] == chQuote)
                strPiece += strConnection[++j];    // a doubled quote
            else
                break;
        }
        i = j;
    }
    pieces.push_back(strPiece);
}

// The value of a piece after its key, without the quotes of a quoted value.
CString UnquoteValue(const CString& strRaw)
{
    int i = 0;
    while (i < strRaw.GetLength() && (strRaw[i] == ' ' || strRaw[i] == '\t'))
        ++i;
    if (i >= strRaw.GetLength() || (strRaw[i] != '"' && strRaw[i] != '\''))
        return strRaw;
    const char chQuote = strRaw[i];
    CString strValue;
    for (++i; i < strRaw.GetLength(); ++i)
    {
        if (strRaw[i] == chQuote)
        {
            if (i + 1 < strRaw.GetLength() && strRaw[i + 1] == chQuote)
                ++i;
            else
                break;
        }
        strValue += strRaw[i];
    }
    return strValue;
}

// The index of the ";" piece that starts with pszKey (any case), or -1.
int FindPiece(const std::vector<CString>& pieces, const char* pszKey)
{
    const int nKey = static_cast<int>(strlen(pszKey));
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        if (pieces[i].GetLength() >= nKey && pieces[i].Left(nKey).CompareNoCase(pszKey) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

// Rewrites the connection string of an Access description.
template <class TChange>
CString ReplaceAccessConnection(const CString& strDescription, TChange change)
{
    CDataSourceInfo info;
    if (ParseDataSourceDescription(strDescription, info) != DSPARSE_OK ||
        info.m_nType != DATASOURCE_ACCESS)
        return strDescription;
    const CString strChanged = change(info.m_strConnection);
    if (strChanged == info.m_strConnection)
        return strDescription;
    return BuildAdoDescription(info.m_nType, strChanged, info.m_strSql);
}

// The connection string with its password protected; when it cannot be protected the
// string is returned as it is, or, with bDrop, with the password left out and
// *pbDropped set.
CString ProtectPassword(const CString& strConnection, bool bDrop, BOOL* pbDropped)
{
    std::vector<CString> pieces;
    SplitConnection(strConnection, pieces);
    const int nPassword = FindPiece(pieces, kPasswordKey);
    if (nPassword < 0 || FindPiece(pieces, kProtectedKey) >= 0)
        return strConnection;
    const CString strPassword = UnquoteValue(pieces[nPassword].Mid(static_cast<int>(sizeof(kPasswordKey)) - 1));
    if (strPassword.IsEmpty())
        return strConnection;
    CString strHex;
    if (!ProtectText(strPassword, strHex))
    {
        if (!bDrop)
            return strConnection;
        // never written in clear text: left out, to be asked for again
        pieces[nPassword] = kPasswordKey;
        if (pbDropped != NULL)
            *pbDropped = TRUE;
        return JoinPieces(pieces);
    }
    pieces[nPassword] = kPasswordKey;
    // The string ends with ";": its last piece is empty.
    if (!pieces.empty() && pieces.back().IsEmpty())
        pieces.pop_back();
    pieces.push_back(CString(kProtectedKey) + strHex);
    pieces.push_back(CString());
    return JoinPieces(pieces);
}
}

void SimulateUnavailablePasswordProtection(BOOL bUnavailable)
{
    g_bProtectionUnavailable = bUnavailable;
}

// A value as a connection string holds it: quoted with a ";", edge blanks, or a leading quote or brace.
CString QuoteConnectionValue(const CString& strValue)
{
    const bool bPlain = strValue.IsEmpty() ||
        (strValue.Find(';') < 0 && strValue[0] != ' ' && strValue[0] != '\t' &&
         strValue[0] != '"' && strValue[0] != '\'' && strValue[0] != '{' &&
         strValue[strValue.GetLength() - 1] != ' ' && strValue[strValue.GetLength() - 1] != '\t');
    if (bPlain)
        return strValue;
    if (strValue.Find('"') < 0)
        return "\"" + strValue + "\"";
    if (strValue.Find('\'') < 0)
        return "'" + strValue + "'";
    CString strDoubled(strValue);
    strDoubled.Replace("\"", "\"\"");
    return "\"" + strDoubled + "\"";
}

CString GetConnectionPassword(const CString& strConnection)
{
    std::vector<CString> pieces;
    SplitConnection(strConnection, pieces);
    const int nPiece = FindPiece(pieces, kPasswordKey);
    if (nPiece < 0)
        return CString();
    return UnquoteValue(pieces[nPiece].Mid(static_cast<int>(sizeof(kPasswordKey)) - 1));
}

// Sets the password in clear text in place of any protected one, so a password typed again takes effect.
CString SetConnectionPassword(const CString& strConnection, const CString& strPassword)
{
    std::vector<CString> pieces;
    SplitConnection(strConnection, pieces);
    const int nProtected = FindPiece(pieces, kProtectedKey);
    if (nProtected >= 0)
        pieces.erase(pieces.begin() + nProtected);
    const CString strPiece = CString(kPasswordKey) + QuoteConnectionValue(strPassword);
    const int nPassword = FindPiece(pieces, kPasswordKey);
    if (nPassword >= 0)
    {
        pieces[nPassword] = strPiece;
    }
    else
    {
        // The string ends with ";": its last piece is empty.
        const bool bEndsEmpty = !pieces.empty() && pieces.back().IsEmpty();
        if (bEndsEmpty)
            pieces.pop_back();
        pieces.push_back(strPiece);
        pieces.push_back(CString());
    }
    return JoinPieces(pieces);
}

CString ProtectConnectionPassword(const CString& strConnection)
{
    return ProtectPassword(strConnection, false, NULL);
}

// Puts the clear password back in place of its protected copy; one that cannot be unprotected becomes empty.
CString RevealConnectionPassword(const CString& strConnection)
{
    std::vector<CString> pieces;
    SplitConnection(strConnection, pieces);
    const int nProtected = FindPiece(pieces, kProtectedKey);
    if (nProtected < 0)
        return strConnection;
    CString strPassword;
    if (!UnprotectText(pieces[nProtected].Mid(static_cast<int>(sizeof(kProtectedKey)) - 1),
            strPassword))
        strPassword.Empty();
    pieces.erase(pieces.begin() + nProtected);
    const int nPassword = FindPiece(pieces, kPasswordKey);
    if (nPassword >= 0)
        pieces[nPassword] = CString(kPasswordKey) + QuoteConnectionValue(strPassword);
    return JoinPieces(pieces);
}

CString ProtectDescriptionPassword(const CString& strDescription, BOOL* pbDropped)
{
    if (pbDropped != NULL)
        *pbDropped = FALSE;
    return ReplaceAccessConnection(strDescription, [pbDropped](const CString& strConnection) {
        return ProtectPassword(strConnection, true, pbDropped);
    });
}

CString RevealDescriptionPassword(const CString& strDescription)
{
    return ReplaceAccessConnection(strDescription, RevealConnectionPassword);
}
