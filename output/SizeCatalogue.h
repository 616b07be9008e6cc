// SizeCatalogue.h - CSizeCatalogue, the built-in stock sizes of publications and sheets.
//
// Notes
// - Every value is text; callers convert numbers with atoi (sizes, rows, columns) and
//   atof (gaps and margins, in inches). Sizes are in hundredths of an inch.
// - Strings 0..23 are the 8 sheets (name, width, height); from string 24 on come the 42
//   entries of 9 fields each: labels 0..18, envelopes 19..29, postcards 30..35,
//   name badges 36..41. Field f of sheet s is string 3 * s + f; field f of entry e is
//   string 24 + 9 * e + f.

#pragma once

#include "afx.h"

// CSizeCatalogue holds the stock sheets and the label, envelope, postcard and badge sizes.
class CSizeCatalogue
{
public:
    enum
    {
        SHEET_COUNT = 8,
        SHEET_FIELDS = 3,               // name, width, height
        ENTRY_COUNT = 42,
        ENTRY_FIELDS = 9,               // see the Field enum
        FIRST_ENTRY_STRING = SHEET_COUNT * SHEET_FIELDS,
        STRING_COUNT = FIRST_ENTRY_STRING + ENTRY_COUNT * ENTRY_FIELDS     // 402
    };

    // Groups of entries: first entry index and count
    enum
    {
        FIRST_LABEL = 0,        LABEL_COUNT = 19,
        FIRST_ENVELOPE = 19,    ENVELOPE_COUNT = 11,
        FIRST_POSTCARD = 30,    POSTCARD_COUNT = 6,
        FIRST_BADGE = 36,       BADGE_COUNT = 6
    };

    // Fields of an entry
    enum Field
    {
        fieldName = 0,
        fieldWidth,             // hundredths of an inch
        fieldHeight,            // hundredths of an inch
        fieldRows,
        fieldColumns,
        fieldRowGap,            // inches
        fieldColumnGap,         // inches
        fieldTopMargin,         // inches
        fieldLeftMargin         // inches
    };

    CSizeCatalogue();
    ~CSizeCatalogue();
    CSizeCatalogue(const CSizeCatalogue&) = delete;
    CSizeCatalogue& operator=(const CSizeCatalogue&) = delete;

    // Operations: each writes its own group; the order of the calls does not matter.
    void FillLabels();
    void FillEnvelopes();
    void FillSheets();
    void FillPostcards();
    void FillBadges();
    // Every group above, for the wizard and the print options.
    void FillAll();

    // Attributes
    // Field nField (0..2) of sheet nSheet (0..7); other indexes throw CInvalidArgException.
    const CString& GetSheetField(int nSheet, int nField) const;
    // Field nField (0..8) of entry nEntry (0..41); other indexes throw CInvalidArgException.
    const CString& GetEntryField(int nEntry, int nField) const;

    // Member variables
    CString m_strSizes[STRING_COUNT];   // sheets, then entries, by the indexes above
};

// A side typed by the user: the number the whole text holds (blanks around it allowed);
// any other text, also a number followed by more (a decimal comma, a unit), reads as 0,
// which every size check refuses.
double ReadTypedSize(const CString& strText);
