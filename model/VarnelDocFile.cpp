// VarnelDocFile.cpp - the publication file: header, element list and document fields.
//
// Loading reads everything into local values first and changes the document only when
// the whole file has been read, so a failed read leaves the document as it was.

#include "VarnelDoc.h"
#include "Element.h"
#include "data/DataSource.h"
#include "data/PasswordProtect.h"
#include "resources/model_resource.h"

namespace
{
const char kProductName[] = "Stickwell";
const char kCompanyName[] = "Quorvane";
const char kFormatTag[] = "labf";
BOOL IsKnownTag(const CString& strTag)
{
    return strTag == "labf" || strTag == "lblf" || strTag == "tvxf";
}

DWORD ReadColor(CArchive& ar)
{
    DWORD cr = 0;
    ar >> cr;
    return ColorRefToArgb(cr);
}

// Document fields 7 to 16 as read from a file.
struct CDocumentFields
{
    DWORD clrFront = 0, clrBack = 0, clrShadow = 0;
    int nShadowLength = 0;
    int nDesignWidth = 0, nDesignHeight = 0;
    int nSheetWidth = 0, nSheetHeight = 0;
    int nPublicationType = 0;
    CString strDataSource;
};
}

// Writes the file's header, or reads it back; FALSE for a file whose format tag is not ours.
BOOL CVarnelDoc::ReadWriteHeader(CArchive& ar, int& nVersion, int& nPublicationType)
{
    if (ar.IsStoring())
    {
        nVersion = FILE_VERSION_CURRENT;
        nPublicationType = m_nPublicationType;
        ar << CString(kProductName) << CString(kCompanyName) << CString(kFormatTag);
        ar << nVersion << nPublicationType;
        return TRUE;
    }

    ReadFileString(ar);     // product name, not checked
    ReadFileString(ar);     // company name, not checked
    const CString strTag = ReadFileString(ar);
    if (!IsKnownTag(strTag))
        return FALSE;
    ar >> nVersion >> nPublicationType;
    return TRUE;
}

// Writes the design, or reads it whole before taking it: a file that fails midway leaves the document as it
// was. An Access password is stored protected.
void CVarnelDoc::Serialize(CArchive& ar)
{
    int nVersion = FILE_VERSION_CURRENT;
    int nType = 0;

    if (ar.IsStoring())
    {
        ReadWriteHeader(ar, nVersion, nType);
        WriteElementList(ar, m_listElements);
        ar << (DWORD)ArgbToColorRef(m_clrBackgroundFront);
        ar << (DWORD)ArgbToColorRef(m_clrBackgroundBack);
        ar << (DWORD)ArgbToColorRef(m_clrShadow);
        ar << ClampToLimit(m_nShadowLength, MAX_FILE_COORDINATE);
        ar << ClampToLimit(m_nDesignWidth, MAX_FILE_COORDINATE) << ClampToLimit(m_nDesignHeight, MAX_FILE_COORDINATE);
        ar << ClampToLimit(m_nSheetWidth, MAX_FILE_COORDINATE) << ClampToLimit(m_nSheetHeight, MAX_FILE_COORDINATE);
        ar << m_nPublicationType;
        // An Access password is stored protected, never in clear text; when it cannot be
        // protected it is left out and the user told.
        BOOL bPasswordDropped = FALSE;
        ar << ProtectDescriptionPassword(m_strDataSource, &bPasswordDropped);
        if (bPasswordDropped)
            AfxMessageBox(IDS_PASSWORD_NOT_STORED, MB_ICONINFORMATION);
        return;
    }

    if (!ReadWriteHeader(ar, nVersion, nType))
    {
        // Nothing is read and the document stays as it is; the load fails as reported.
        AfxMessageBox(IDS_WRONG_FORMAT);
        AfxThrowUserException();
    }

    CElementList listRead;
    CDocumentFields fields;
    try
    {
        ReadElementList(ar, listRead, nVersion);
        fields.clrFront = ReadColor(ar);
        fields.clrBack = ReadColor(ar);
        fields.clrShadow = ReadColor(ar);
        // Sizes beyond any design are refused: previews and printing allocate from them.
        fields.nShadowLength = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        fields.nDesignWidth = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        fields.nDesignHeight = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        if (nVersion >= FILE_VERSION_OLD_SHEET)
        {
            fields.nSheetWidth = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
            fields.nSheetHeight = ReadBoundedInt(ar, MAX_FILE_COORDINATE);
        }
        ar >> fields.nPublicationType;
        if (nVersion >= FILE_VERSION_OLD_SHEET)
        {
            fields.strDataSource = ReadFileString(ar);
            // Version 200 separated the parts with ";"; keep the ";" inside
            // connection strings and paths.
            if (nVersion == FILE_VERSION_OLD_SHEET)
                fields.strDataSource = DataSourceFromVersion200(fields.strDataSource);
        }
    }
    catch (...)
    {
        DeleteElements(listRead);
        throw;
    }

    m_listElements.AddTail(&listRead);
    listRead.RemoveAll();
    m_clrBackgroundFront = fields.clrFront;
    m_clrBackgroundBack = fields.clrBack;
    m_clrShadow = fields.clrShadow;
    m_nShadowLength = fields.nShadowLength;
    m_nDesignWidth = fields.nDesignWidth;
    m_nDesignHeight = fields.nDesignHeight;
    if (nVersion >= FILE_VERSION_OLD_SHEET)
    {
        m_nSheetWidth = fields.nSheetWidth;
        m_nSheetHeight = fields.nSheetHeight;
        m_strDataSource = fields.strDataSource;
    }
    m_nPublicationType = fields.nPublicationType;
    ApplyElementSettings();
}
