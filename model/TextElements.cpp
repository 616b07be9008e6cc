// TextElements.cpp - construction, copying and the text block of text elements.

#include "TextElements.h"
#include "ElementStream.h"

#include <string.h>

IMPLEMENT_SERIAL(CText, CElement, 0)
IMPLEMENT_SERIAL(CDbText, CText, 0)

const char g_szUnboundDbText[] = "<<TextFromDB>>";

namespace
{
void SerializeByte(CArchive& ar, BYTE& b)
{
    if (ar.IsStoring())
        ar << b;
    else
        ar >> b;
}

void SerializeLong(CArchive& ar, LONG& l)
{
    if (ar.IsStoring())
        ar << (int)l;
    else
    {
        int n = 0;
        ar >> n;
        l = n;
    }
}
}

/////////////////////////////////////////////////////////////////////////////
// CText

// A text's record starts with its text block.
void CText::SerializeLeadBlock(CArchive& ar)
{
    SerializeTextBlock(ar);
}

CText::CText()
{
    m_nKind = KIND_TEXT;
    CreateDefaultFont();
}

CText::CText(CPoint ptStart, CPoint ptEnd)
{
    m_nKind = KIND_TEXT;
    CreateDefaultFont();
    SetNormalizedRect(ptStart, ptEnd);
    m_nHAlign = 0;
    m_nVAlign = 0;
    m_bVertical = FALSE;
    m_clrText = 0xFF000000;
}

CText::~CText()
{
    m_font.DeleteObject();
}

// 12 (points when drawn) Arial Narrow, regular.
void CText::CreateDefaultFont()
{
    m_font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 32, "Arial Narrow");
}

void CText::CopyFontFrom(CElement* pSource)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    if (pSource->m_font.GetSafeHandle() == NULL || pSource->m_font.GetLogFont(&lf) == 0)
        return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
}

CElement* CText::Clone()
{
    CText* pClone = new CText(m_rect.TopLeft(), m_rect.BottomRight());
    CopyAttributes(pClone, this);
    pClone->CopyFontFrom(this);
    return pClone;
}

// The text's block of the file: alignment, text, direction, column binding (as the version has it), colour
// and font; font sizes past MAX_FILE_FONT_SIZE are clamped when written and refused when read.
void CText::SerializeTextBlock(CArchive& ar)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    if (m_font.GetSafeHandle() != NULL)
        m_font.GetLogFont(&lf);

    if (ar.IsStoring())
    {
        ar << m_nHAlign << m_nVAlign;
        ar << m_strText;
        ar << (int)m_bVertical;
        ar << m_strColumn;
        ar << (DWORD)ArgbToColorRef(m_clrText);
    }
    else
    {
        int nVertical = 0;
        ar >> m_nHAlign >> m_nVAlign;
        m_strText = ReadFileString(ar);
        ar >> nVertical;
        m_bVertical = nVertical;

        const int nVersion = CElementLayoutScope::GetVersion(ar);
        if (nVersion > FILE_VERSION_OLD_SHEET)
        {
            m_strColumn = ReadFileString(ar);
        }
        else if (nVersion == FILE_VERSION_OLD_SHEET)
        {
            int nColumn = 0;
            ar >> nColumn;
            m_strColumn.Format("%d", nColumn);
        }

        DWORD cr = 0;
        ar >> cr;
        m_clrText = ColorRefToArgb(cr);
    }

    SerializeByte(ar, lf.lfCharSet);
    SerializeByte(ar, lf.lfClipPrecision);
    SerializeLong(ar, lf.lfEscapement);
    if (ar.IsStoring())
    {
        ar << CString(lf.lfFaceName);
    }
    else
    {
        // A LOGFONT holds 31 characters of face name; longer names are cut.
        CString strFace = ReadFileString(ar);
        lstrcpynA(lf.lfFaceName, strFace, LF_FACESIZE);
    }
    if (ar.IsStoring())
        lf.lfHeight = ClampToLimit(lf.lfHeight, MAX_FILE_FONT_SIZE);
    SerializeLong(ar, lf.lfHeight);
    if (ar.IsLoading() && (lf.lfHeight < -MAX_FILE_FONT_SIZE || lf.lfHeight > MAX_FILE_FONT_SIZE))
        ThrowFileFormatError(ar);
    SerializeByte(ar, lf.lfItalic);
    SerializeLong(ar, lf.lfOrientation);
    SerializeByte(ar, lf.lfOutPrecision);
    SerializeByte(ar, lf.lfPitchAndFamily);
    SerializeByte(ar, lf.lfQuality);
    SerializeByte(ar, lf.lfStrikeOut);
    SerializeByte(ar, lf.lfUnderline);
    SerializeLong(ar, lf.lfWeight);
    if (ar.IsStoring())
        lf.lfWidth = ClampToLimit(lf.lfWidth, MAX_FILE_FONT_SIZE);
    SerializeLong(ar, lf.lfWidth);
    if (ar.IsLoading() && (lf.lfWidth < -MAX_FILE_FONT_SIZE || lf.lfWidth > MAX_FILE_FONT_SIZE))
        ThrowFileFormatError(ar);

    if (ar.IsLoading())
    {
        m_font.DeleteObject();
        m_font.CreateFontIndirect(&lf);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CDbText

CDbText::CDbText()
{
    m_nKind = KIND_DBTEXT;
}

CDbText::CDbText(CPoint ptStart, CPoint ptEnd)
    : CText(ptStart, ptEnd)
{
    m_nKind = KIND_DBTEXT;
}

CElement* CDbText::Clone()
{
    CDbText* pClone = new CDbText(m_rect.TopLeft(), m_rect.BottomRight());
    CopyAttributes(pClone, this);
    pClone->CopyFontFrom(this);
    pClone->m_strColumn = m_strColumn;
    return pClone;
}
