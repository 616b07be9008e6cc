// SizeCatalogue.cpp - the stock sizes of the size catalogue.

#include "SizeCatalogue.h"

#include <ctype.h>
#include <stdlib.h>

namespace
{

// One row of an entry group, fields in the order of CSizeCatalogue::Field.
struct SizeEntry
{
    const char* m_pszFields[CSizeCatalogue::ENTRY_FIELDS];
};

// One sheet: name, width, height.
struct SheetEntry
{
    const char* m_pszFields[CSizeCatalogue::SHEET_FIELDS];
};

} // namespace

CSizeCatalogue::CSizeCatalogue()
{
}

CSizeCatalogue::~CSizeCatalogue()
{
}

// Copies nCount rows into the entries from nFirstEntry on.
static void AssignEntries(CString* pStrings, int nFirstEntry, const SizeEntry* pRows, int nCount)
{
    for (int e = 0; e < nCount; e++)
    {
        CString* pEntry = pStrings + CSizeCatalogue::FIRST_ENTRY_STRING +
                          (nFirstEntry + e) * CSizeCatalogue::ENTRY_FIELDS;
        for (int f = 0; f < CSizeCatalogue::ENTRY_FIELDS; f++)
            pEntry[f] = pRows[e].m_pszFields[f];
    }
}

// Sheets, strings 0 to 23.
void CSizeCatalogue::FillSheets()
{
    static const SheetEntry rows[SHEET_COUNT] =
    {
        { "Letter Size: 8.5 x 11\" ", "850", "1100" },
        { "A4 Size: 210 x 297 mm ", "827", "1169" },
        { "Legal Size: 8.5 x 14\" ", "850", "1400" },
        { "Executive Size: 7.25 x 10.5\" ", "725", "1050" },
        { "Letter Size(Landscape): 11 x 8.5\" ", "1100", "850" },
        { "A4 Size(Landscape):  297 x 210 mm ", "1169", "827" },
        { "Legal Size(Landscape): 14 x 8.5\" ", "1400", "850" },
        { "Executive Size(Landscape): 10.5 x 7.25\" ", "1050", "725" },
    };
    for (int s = 0; s < SHEET_COUNT; s++)
    {
        for (int f = 0; f < SHEET_FIELDS; f++)
            m_strSizes[s * SHEET_FIELDS + f] = rows[s].m_pszFields[f];
    }
}

// Labels, entries 0 to 18.
void CSizeCatalogue::FillLabels()
{
    static const SizeEntry rows[LABEL_COUNT] =
    {
        { "Address Label: 2.62 x 1.00\" - Similar to Avery 5160", "262", "100", "10", "3", "0", ".14", "0.50", "0.19" },
        { "Address Label: 4.00 x 1.00\" - Similar to Avery 5161", "400", "100", "10", "2", "0", ".19", "0.50", "0.16" },
        { "Address Label: 4.00 x 1.33\" - Similar to Avery 5162", "400", "133", "7", "2", "0", ".19", "0.81", "0.16" },
        { "Address Label: 4.00 x 2.00\" - Similar to Avery 5163", "400", "200", "5", "2", "0", ".19", "0.50", "0.16" },
        { "Address Label: 4.00 x 1.50\" - Similar to Avery 5169", "400", "150", "7", "2", "0", ".19", "0.25", "0.16" },
        { "Address Label: 2.63 x 1.00\" - Similar to Avery 8760", "263", "100", "7", "2", "0", ".13", "0.50", "0.19" },
        { "Clear Address Label: 2.75 x 1.00\" - Similar to Avery 5660", "275", "100", "10", "3", "0", ".06", "0.50", "0.06" },
        { "Clear Address Label: 4.13 x 1.00\" - Similar to Avery 5661", "413", "100", "10", "2", "0", ".08", "0.50", "0.08" },
        { "Clear Address Label: 4.13 x 1.33\" - Similar to Avery 5662", "413", "133", "7", "2", "0", ".08", "0.84", "0.08" },
        { "Clear Address Label: 4.13 x 2.00\" - Similar to Avery 5663", "413", "200", "5", "2", "0", ".08", "0.50", "0.08" },
        { "Return Address Label: 1.75 x 0.50\" - Similar to Avery 5167", "175", "50", "20", "4", "0", ".28", "0.50", "0.28" },
        { "Shipping Label: 3.50 x 5.00\" - Similar to Avery 5168", "350", "500", "2", "2", "0", ".50", "0.50", "0.50" },
        { "Shipping Label: 4.00 x 3.33\" - Similar to Avery 5164", "400", "333", "3", "2", "0", ".19", "0.50", "0.16" },
        { "Shipping Label: 4.13 x 3.33\" - Similar to Avery 5664", "413", "333", "3", "2", "0", ".08", "0.50", "0.08" },
        { "Shipping Label: 3.75 x 2.00\" - Similar to Avery 6873", "375", "200", "4", "2", "0.25", "0.25", "1.13", "0.38" },
        { "File Folder Label: 3.44 x 0.54\" - Similar to Avery 6873", "344", "54", "15", "2", "0.13", "0.56", "0.63", "0.53" },
        { "File Folder Label: 3.44 x 0.67\" - Similar to Avery 6873", "344", "67", "15", "2", "0", "0.53", "0.51", "0.54" },
        { "3.5\" Disk Label: 2.75 x 2.75\" - Similar to Avery 8197", "275", "275", "3", "3", "0.27", "0", "0.50", "0.13" },
        { "ZIP Disk Label: 2.34 x 2.00\" - Similar to Avery 5925", "234", "200", "3", "2", "1.31", "1.27", "0.66", "1.27" },
    };
    AssignEntries(m_strSizes, FIRST_LABEL, rows, LABEL_COUNT);
}

// Envelopes, entries 19 to 29: one piece per sheet, the width is the longer side.
void CSizeCatalogue::FillEnvelopes()
{
    static const SizeEntry rows[ENVELOPE_COUNT] =
    {
        { "#9 Envelope: 3 7/8 x 8 7/8\" ", "888", "388", "1", "1", "0", "0", "0", "0" },
        { "#10 Envelope: 4 1/8 x 9 1/2\" ", "950", "413", "1", "1", "0", "0", "0", "0" },
        { "#11 Envelope: 4 1/2 x 10 3/8\" ", "1038", "450", "1", "1", "0", "0", "0", "0" },
        { "#12 Envelope: 4 3/4 x 11\")", "1100", "475", "1", "1", "0", "0", "0", "0" },
        { "Personal #6 3/4: 3 5/8 x 6 1/2\" ", "650", "363", "1", "1", "0", "0", "0", "0" },
        { "Monarch: 3 7/8 x 7 1/2\" ", "750", "388", "1", "1", "0", "0", "0", "0" },
        { "Check 8 5/8: 3 5/8 x 8 5/8\" ", "863", "363", "1", "1", "0", "0", "0", "0" },
        { "DL Envelope: 110 x 220 mm ", "868", "431", "1", "1", "0", "0", "0", "0" },
        { "C4 Envelope: 229 x 324 mm ", "1275", "900", "1", "1", "0", "0", "0", "0" },
        { "C5 Envelope: 162 x 229 mm ", "900", "638", "1", "1", "0", "0", "0", "0" },
        { "C6 Envelope: 114 x 162 mm ", "638", "450", "1", "1", "0", "0", "0", "0" },
    };
    AssignEntries(m_strSizes, FIRST_ENVELOPE, rows, ENVELOPE_COUNT);
}

// Postcards, entries 30 to 35.
void CSizeCatalogue::FillPostcards()
{
    static const SizeEntry rows[POSTCARD_COUNT] =
    {
        { "Postcard: 6.00 x 4.00\" - Similar to Avery 5389", "600", "400", "2", "1", "0", "0", "1.50", "1.25" },
        { "Postcard: 6.00 x 4.00\" - Similar to Avery 8389", "600", "400", "2", "1", "0", ".50", "1.25", "1.25" },
        { "Laminated: 3.88 x 2.06\" - Similar to Avery 5364", "388", "206", "1", "1", "0", "0", "0.81", "4.31" },
        { "Quarter card: 4.25 x 5.50\" - Similar to Avery 8387", "425", "550", "2", "2", "0", "0", "0", "0" },
        { "Quarter card: 4.25 x 5.50\" - Similar to Avery 8315", "425", "550", "2", "2", "0", "0", "0", "0" },
        { "Postcard: 4.00 x 2.17\" - Similar to Avery 5385", "400", "217", "4", "2", "0", ".0", "1.17", "0.25" },
    };
    AssignEntries(m_strSizes, FIRST_POSTCARD, rows, POSTCARD_COUNT);
}

// Name badges, entries 36 to 41.
// All the groups at once.
void CSizeCatalogue::FillAll()
{
    FillLabels();
    FillEnvelopes();
    FillSheets();
    FillPostcards();
    FillBadges();
}

void CSizeCatalogue::FillBadges()
{
    static const SizeEntry rows[BADGE_COUNT] =
    {
        { "Name Badge: 3.38 x 2.33\" - Similar to Avery 5395", "338", "233", "4", "2", "0.17", "0.37", "0.58", "0.69" },
        { "Name Badge: 3.50 x 2.16\" - Similar to Avery 5843", "350", "216", "4", "2", "0", "0", "1.19", "0.78" },
        { "Name Badge: 3.19 x 1.84\" - Similar to Avery 5883", "319", "184", "4", "2", "0.34", "0.31", "1.31", "0.88" },
        { "Name Badge: 3.38 x 2.33\" - Similar to Avery 5095", "338", "233", "4", "2", "0.17", "0.37", "0.58", "0.69" },
        { "Name Badge: 3.25 x 2.00\" - Similar to Avery 5361", "325", "200", "3", "1", "0", "1.67", "0.83", "4.31" },
        { "Name Badge: 4.00 x 3.00\" - Similar to Avery 5384", "400", "300", "3", "2", "0", "0", "1.00", "0.25" },
    };
    AssignEntries(m_strSizes, FIRST_BADGE, rows, BADGE_COUNT);
}

const CString& CSizeCatalogue::GetSheetField(int nSheet, int nField) const
{
    if (nSheet < 0 || nSheet >= SHEET_COUNT || nField < 0 || nField >= SHEET_FIELDS)
        AfxThrowInvalidArgException();
    return m_strSizes[nSheet * SHEET_FIELDS + nField];
}

const CString& CSizeCatalogue::GetEntryField(int nEntry, int nField) const
{
    if (nEntry < 0 || nEntry >= ENTRY_COUNT || nField < 0 || nField >= ENTRY_FIELDS)
        AfxThrowInvalidArgException();
    return m_strSizes[FIRST_ENTRY_STRING + nEntry * ENTRY_FIELDS + nField];
}

double ReadTypedSize(const CString& strText)
{
    const char* pszText = strText;
    char* pszEnd = NULL;
    const double fValue = strtod(pszText, &pszEnd);
    if (pszEnd == pszText)
        return 0.0;
    while (isspace((unsigned char)*pszEnd))
        pszEnd++;
    return *pszEnd == '\0' ? fValue : 0.0;
}
