// Tests of the size catalogue: its content, its indexes and the independence of its groups.

#include "output/SizeCatalogue.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace
{

typedef void (CSizeCatalogue::*FillFn)();

void FillAll(CSizeCatalogue& catalogue)
{
    catalogue.FillLabels();
    catalogue.FillEnvelopes();
    catalogue.FillSheets();
    catalogue.FillPostcards();
    catalogue.FillBadges();
}

std::vector<std::string> Strings(const CSizeCatalogue& catalogue)
{
    std::vector<std::string> result;
    for (int i = 0; i < CSizeCatalogue::STRING_COUNT; i++)
        result.push_back((LPCTSTR)catalogue.m_strSizes[i]);
    return result;
}

std::string Entry(const CSizeCatalogue& catalogue, int nEntry, int nField)
{
    return (LPCTSTR)catalogue.GetEntryField(nEntry, nField);
}

// Strings [first, last] that a fill operation writes.
struct GroupRange
{
    FillFn m_pfn;
    int m_nFirst;
    int m_nLast;
};

const GroupRange kGroups[] =
{
    { &CSizeCatalogue::FillSheets, 0, 23 },
    { &CSizeCatalogue::FillLabels, 24, 194 },
    { &CSizeCatalogue::FillEnvelopes, 195, 293 },
    { &CSizeCatalogue::FillPostcards, 294, 347 },
    { &CSizeCatalogue::FillBadges, 348, 401 },
};

} // namespace

// ---------------------------------------------------------------------------
// Layout

TEST(SizeCatalogue, HasFourHundredTwoStringsAllEmptyAfterConstruction)
{
    EXPECT_EQ(402, CSizeCatalogue::STRING_COUNT);
    CSizeCatalogue catalogue;
    for (int i = 0; i < CSizeCatalogue::STRING_COUNT; i++)
        EXPECT_TRUE(catalogue.m_strSizes[i].IsEmpty()) << i;
}

TEST(SizeCatalogue, EachFillWritesExactlyItsOwnStrings)
{
    for (const GroupRange& group : kGroups)
    {
        CSizeCatalogue catalogue;
        (catalogue.*group.m_pfn)();
        for (int i = 0; i < CSizeCatalogue::STRING_COUNT; i++)
        {
            bool bInside = i >= group.m_nFirst && i <= group.m_nLast;
            EXPECT_EQ(bInside, !catalogue.m_strSizes[i].IsEmpty())
                << "group from " << group.m_nFirst << ", string " << i;
        }
    }
}

TEST(SizeCatalogue, FillOrderDoesNotMatterAndRefillingOverwrites)
{
    CSizeCatalogue forward;
    FillAll(forward);

    CSizeCatalogue backward;
    for (int i = 4; i >= 0; i--)
        (backward.*kGroups[i].m_pfn)();
    EXPECT_EQ(Strings(forward), Strings(backward));

    // a group filled over changed strings is the same again
    CSizeCatalogue refilled;
    FillAll(refilled);
    for (int i = 0; i < CSizeCatalogue::STRING_COUNT; i++)
        refilled.m_strSizes[i] = "x";
    FillAll(refilled);
    EXPECT_EQ(Strings(forward), Strings(refilled));
}

TEST(SizeCatalogue, IndexesOutsideTheCatalogueAreRefused)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    const int badSheets[][2] = { { -1, 0 }, { 8, 0 }, { 0, 3 }, { 0, -1 } };
    for (const auto& index : badSheets)
    {
        try
        {
            catalogue.GetSheetField(index[0], index[1]);
            ADD_FAILURE() << "sheet " << index[0] << " field " << index[1];
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
        }
    }
    const int badEntries[][2] = { { -1, 0 }, { 42, 0 }, { 41, 9 }, { 0, -1 } };
    for (const auto& index : badEntries)
    {
        try
        {
            catalogue.GetEntryField(index[0], index[1]);
            ADD_FAILURE() << "entry " << index[0] << " field " << index[1];
        }
        catch (CInvalidArgException* e)
        {
            e->Delete();
        }
    }
}

// ---------------------------------------------------------------------------
// Content

TEST(SizeCatalogue, FirstAndLastStrings)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    EXPECT_STREQ("Letter Size: 8.5 x 11\" ", catalogue.m_strSizes[0]);
    EXPECT_STREQ("Address Label: 2.62 x 1.00\" - Similar to Avery 5160", catalogue.m_strSizes[24]);
    EXPECT_STREQ("262", catalogue.m_strSizes[25]);
    EXPECT_STREQ("Name Badge: 4.00 x 3.00\" - Similar to Avery 5384", catalogue.m_strSizes[393]);
    EXPECT_STREQ("0.25", catalogue.m_strSizes[401]);
}

TEST(SizeCatalogue, EntriesWithIrregularValues)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    // entry 16 is as high as its name reads; its 15 x 2 sheet still fits a Letter page
    EXPECT_EQ("File Folder Label: 3.44 x 0.67\" - Similar to Avery 6873", Entry(catalogue, 16, 0));
    EXPECT_EQ("344", Entry(catalogue, 16, 1));
    EXPECT_EQ("67", Entry(catalogue, 16, 2));
    const double dSheetHeight = atof(Entry(catalogue, 16, 7).c_str()) +
                                atoi(Entry(catalogue, 16, 3).c_str()) * atoi(Entry(catalogue, 16, 2).c_str()) / 100.0 +
                                (atoi(Entry(catalogue, 16, 3).c_str()) - 1) * atof(Entry(catalogue, 16, 5).c_str());
    const double dSheetWidth = atof(Entry(catalogue, 16, 8).c_str()) +
                               atoi(Entry(catalogue, 16, 4).c_str()) * atoi(Entry(catalogue, 16, 1).c_str()) / 100.0 +
                               (atoi(Entry(catalogue, 16, 4).c_str()) - 1) * atof(Entry(catalogue, 16, 6).c_str());
    EXPECT_NEAR(10.56, dSheetHeight, 1e-9);
    EXPECT_LE(dSheetHeight, atoi(catalogue.GetSheetField(0, 2)) / 100.0);
    EXPECT_LE(dSheetWidth, atoi(catalogue.GetSheetField(0, 1)) / 100.0);
    // the #12 envelope ends with a parenthesis and no blank
    EXPECT_EQ("#12 Envelope: 4 3/4 x 11\")", Entry(catalogue, 22, 0));
    EXPECT_EQ("1100", Entry(catalogue, 22, 1));
    EXPECT_EQ("475", Entry(catalogue, 22, 2));
    // numbers are kept as written
    EXPECT_EQ(".14", Entry(catalogue, 0, 6));
    EXPECT_EQ("0.50", Entry(catalogue, 0, 7));
    EXPECT_EQ(".0", Entry(catalogue, 35, 6));
    EXPECT_EQ(0.0, atof(Entry(catalogue, 35, 6).c_str()));
    EXPECT_EQ("3.5\" Disk Label: 2.75 x 2.75\" - Similar to Avery 8197", Entry(catalogue, 17, 0));
    EXPECT_EQ("1.31", Entry(catalogue, 18, 5));
    EXPECT_EQ("4.31", Entry(catalogue, 40, 8));
}

TEST(SizeCatalogue, GroupBoundariesFallOnTheRightEntries)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    EXPECT_EQ("ZIP Disk Label: 2.34 x 2.00\" - Similar to Avery 5925", Entry(catalogue, 18, 0));
    EXPECT_EQ("#9 Envelope: 3 7/8 x 8 7/8\" ", Entry(catalogue, 19, 0));
    EXPECT_EQ("C6 Envelope: 114 x 162 mm ", Entry(catalogue, 29, 0));
    EXPECT_EQ("Postcard: 6.00 x 4.00\" - Similar to Avery 5389", Entry(catalogue, 30, 0));
    EXPECT_EQ("Postcard: 4.00 x 2.17\" - Similar to Avery 5385", Entry(catalogue, 35, 0));
    EXPECT_EQ("Name Badge: 3.38 x 2.33\" - Similar to Avery 5395", Entry(catalogue, 36, 0));
}

TEST(SizeCatalogue, EnvelopeAndSheetNamesEndWithOneBlank)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    for (int s = 0; s < CSizeCatalogue::SHEET_COUNT; s++)
    {
        std::string name = (LPCTSTR)catalogue.GetSheetField(s, 0);
        ASSERT_GE(name.size(), 2u);
        EXPECT_EQ(' ', name.back()) << name;
        EXPECT_NE(' ', name[name.size() - 2]) << name;
    }
    for (int e = 19; e <= 29; e++)
    {
        std::string name = Entry(catalogue, e, 0);
        if (e == 22)
        {
            EXPECT_EQ(')', name.back()) << name;
        }
        else
        {
            EXPECT_TRUE(name.back() == ' ' && name[name.size() - 2] != ' ') << name;
        }
    }
    for (int e = 0; e < 42; e++)
    {
        if (e < 19 || e > 29)
        {
            EXPECT_NE(' ', Entry(catalogue, e, 0).back()) << e;
        }
    }
}

TEST(SizeCatalogue, NumbersAreUsableDesignAndSheetValues)
{
    CSizeCatalogue catalogue;
    FillAll(catalogue);
    for (int e = 0; e < CSizeCatalogue::ENTRY_COUNT; e++)
    {
        int nWidth = atoi(Entry(catalogue, e, 1).c_str());
        int nHeight = atoi(Entry(catalogue, e, 2).c_str());
        EXPECT_TRUE(nWidth >= 5 && nWidth <= 2500) << e;
        EXPECT_TRUE(nHeight >= 5 && nHeight <= 2500) << e;
        EXPECT_GE(atoi(Entry(catalogue, e, 3).c_str()), 1) << e;
        EXPECT_GE(atoi(Entry(catalogue, e, 4).c_str()), 1) << e;
        for (int f = 5; f <= 8; f++)
        {
            double value = atof(Entry(catalogue, e, f).c_str());
            EXPECT_TRUE(value >= 0.0 && value < 5.0) << e << "/" << f;
        }
        if (e >= 19 && e <= 29)
        {
            // envelopes: one per sheet, the width is the longer side
            EXPECT_EQ("1", Entry(catalogue, e, 3)) << e;
            EXPECT_EQ("1", Entry(catalogue, e, 4)) << e;
            EXPECT_GT(nWidth, nHeight) << e;
            for (int f = 5; f <= 8; f++)
                EXPECT_EQ("0", Entry(catalogue, e, f)) << e;
        }
    }
}
