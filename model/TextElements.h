// TextElements.h - free text and text bound to database columns.
//
// Notes
// - m_font holds the text's LOGFONT; the face name, height (points), weight, italic,
//   underline and strike-out are what the drawing uses, the rest is only stored.
// - CDbText is CText with another kind code and class name; its binding is m_strColumn.

#pragma once

#include "Element.h"

// CText is free text typed by the user (kind 115).
class CText : public CElement
{
    DECLARE_SERIAL(CText)

public:
    CText();
    CText(CPoint ptStart, CPoint ptEnd);
    virtual ~CText();

    virtual CElement* Clone() override;
    DECLARE_ELEMENT_DRAWING()

    // Draws the text into one cell of a sheet (DrawInCell draws nothing for texts).
    virtual void DrawTextInCell(Gdiplus::Graphics* pGraphics, int nColumn, int nRow,
                                float fLeftMargin, float fTopMargin, float fRowGap,
                                float fColumnGap, int nCellWidth, int nCellHeight);

    // Text block of the element record (alignments, text, column, colour, font), written
    // and read before the common record.
    void SerializeTextBlock(CArchive& ar);

protected:
    virtual void SerializeLeadBlock(CArchive& ar) override;
    // Replaces the font by one made from the LOGFONT of pSource's font.
    void CopyFontFrom(CElement* pSource);
    void CreateDefaultFont();
};

// CDbText is text filled from the columns of the loaded data table (kind 212).
class CDbText : public CText
{
    DECLARE_SERIAL(CDbText)

public:
    CDbText();
    CDbText(CPoint ptStart, CPoint ptEnd);

    virtual CElement* Clone() override;
};

// The text of a database text that is bound to no column yet.
extern const char g_szUnboundDbText[];

// TRUE for a database text (a CDbText or a class derived from it).
inline BOOL IsDbText(const CElement* pElement)
{
    return pElement != NULL && pElement->IsKindOf(RUNTIME_CLASS(CDbText));
}
