// PasswordProtect.h - Access passwords in connection strings and descriptions.
//
// Notes
// - A password is protected with the platform's data protection for the current user
//   and kept as hex digits in a "Protected Password=" piece at the end of the connection
//   string, with an empty "Jet OLEDB:Database Password=". On Windows only the same user
//   on the same computer can read it back; on Wine the protection is not bound to the
//   user, and anyone with the file and a Wine prefix can recover it.
// - A value holding ";", quotes or blanks at its ends is quoted in the connection string
//   as OLE DB connection strings quote values ("...", or '...' when it holds a double
//   quote, or "..." with doubled double quotes when it holds both).

#pragma once

#include <afx.h>

// A connection-string value, quoted when it needs it.
CString QuoteConnectionValue(const CString& strValue);

// ProtectConnectionPassword returns the connection string with the password protected
// (unchanged when there is no password, or it cannot be protected: for strings that are
// kept in memory only). RevealConnectionPassword undoes it; a protected password that
// cannot be read (another user or computer) becomes the empty password.
CString ProtectConnectionPassword(const CString& strConnection);
CString RevealConnectionPassword(const CString& strConnection);
// The same on a whole description, for storing it: a password that cannot be protected
// is left out (never stored in clear text) and *pbDropped set. Other descriptions are
// returned as they are.
CString ProtectDescriptionPassword(const CString& strDescription, BOOL* pbDropped = NULL);
CString RevealDescriptionPassword(const CString& strDescription);
// The password of an Access connection string (empty when none), without its quotes.
CString GetConnectionPassword(const CString& strConnection);
// The connection string with strPassword as its password in clear text (quoted when it
// needs it), in place of the password or protected password it had.
CString SetConnectionPassword(const CString& strConnection, const CString& strPassword);

// For tests: protection behaves as if the platform's data protection were missing.
void SimulateUnavailablePasswordProtection(BOOL bUnavailable);
