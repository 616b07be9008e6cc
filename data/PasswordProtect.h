// PasswordProtect.h - Access passwords in connection strings and descriptions.

#pragma once

#include <afx.h>

// Access passwords in descriptions.  ProtectConnectionPassword returns the
// connection string with an empty "Jet OLEDB:Database Password=" and the
// password protected for the current user in a "Protected Password=" piece
// at the end (unchanged when there is no password or it cannot be
// protected).  RevealConnectionPassword undoes it; a protected password that
// cannot be read (another user or computer) becomes the empty password.
CString ProtectConnectionPassword(const CString& strConnection);
CString RevealConnectionPassword(const CString& strConnection);
// The same on a whole description; other descriptions are returned as they are.
CString ProtectDescriptionPassword(const CString& strDescription);
CString RevealDescriptionPassword(const CString& strDescription);
// The password of an Access connection string (empty when none).
CString GetConnectionPassword(const CString& strConnection);
