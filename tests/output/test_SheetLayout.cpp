// The arithmetic of label sheets: the cells and records of each page, the sides, and the
// cells of a layout that fit on paper.

#include "output/SheetLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

CSheetJob Job(int nRows, int nColumns, int nStartRow, int nStartColumn, int nRecords, int nPages, int nSides = 1)
{
    CSheetJob job;
    job.nRows = nRows;
    job.nColumns = nColumns;
    job.nStartRow = nStartRow;
    job.nStartColumn = nStartColumn;
    job.nDataRows = nRecords < 0 ? -1 : nRecords + 1;
    job.bMerge = nRecords >= 0;
    job.nSides = nSides;
    job.nPages = nPages;
    return job;
}

// "row,column:record" of each cell of the page.
std::string Cells(const CSheetJob& job, int nPage)
{
    std::string text;
    for (const CSheetCell& cell : GetPageCells(job, nPage))
    {
        if (!text.empty())
            text += ' ';
        text += std::to_string(cell.nRow) + "," + std::to_string(cell.nColumn) + ":" + std::to_string(cell.nRecord);
    }
    return text;
}

// The records of every page of a one-sided job, in order: each once.
std::vector<int> AllRecords(const CSheetJob& job)
{
    std::vector<int> records;
    for (int p = 1; p <= job.nPages; p++)
        for (const CSheetCell& cell : GetPageCells(job, p))
            records.push_back(cell.nRecord);
    return records;
}

} // namespace

TEST(SheetLayout, PagesRunOnFromTheStartCellAndEndWithTheRecords)
{
    // 25 records, 3 x 2 from (2,2): 3 cells on the first sheet, then 6 a sheet, 4 on the fifth
    const CSheetJob job = Job(3, 2, 2, 2, 25, 5);
    EXPECT_EQ("2,2:0 3,1:1 3,2:2", Cells(job, 1));
    EXPECT_EQ("1,1:3 1,2:4 2,1:5 2,2:6 3,1:7 3,2:8", Cells(job, 2));
    EXPECT_EQ(9, GetPageCells(job, 3).front().nRecord);
    EXPECT_EQ(15, GetPageCells(job, 4).front().nRecord);
    EXPECT_EQ("1,1:21 1,2:22 2,1:23 2,2:24", Cells(job, 5));

    // records ending in the middle of a row
    EXPECT_EQ("1,1:0 1,2:1 1,3:2 2,1:3", Cells(Job(4, 3, 1, 1, 4, 1), 1));
    // the start cell on the last row, the records going on to the next sheet
    EXPECT_EQ("3,2:0", Cells(Job(3, 2, 3, 2, 4, 2), 1));
    EXPECT_EQ("1,1:1 1,2:2 2,1:3", Cells(Job(3, 2, 3, 2, 4, 2), 2));
    // one record
    EXPECT_EQ("2,3:0", Cells(Job(10, 3, 2, 3, 1, 1), 1));
    // every record once, in order, for any start cell
    for (int sr = 1; sr <= 10; sr++)
    {
        for (int sc = 1; sc <= 3; sc++)
        {
            const int nCells = 30 - ((sr - 1) * 3 + sc - 1);
            const int nPages = 45 <= nCells ? 1 : 1 + (45 - nCells + 29) / 30;
            const std::vector<int> records = AllRecords(Job(10, 3, sr, sc, 45, nPages));
            ASSERT_EQ(45u, records.size()) << sr << "," << sc;
            for (int k = 0; k < 45; k++)
                ASSERT_EQ(k, records[k]) << sr << "," << sc;
        }
    }
}

TEST(SheetLayout, WithoutRecordsOrMergeEverySheetIsFull)
{
    // no records: full sheets with the stored texts; no merge: full sheets on every page
    EXPECT_EQ(6u, GetPageCells(Job(3, 2, 1, 1, 0, 1), 1).size());
    EXPECT_EQ(3u, GetPageCells(Job(3, 2, 2, 2, 0, 1), 1).size()) << "from the start cell";
    CSheetJob plain = Job(3, 2, 1, 1, 2, 3);
    plain.bMerge = false;
    EXPECT_EQ(6u, GetPageCells(plain, 3).size());
    // a layout not chosen yet, or a page before the first, has no cells
    EXPECT_TRUE(GetPageCells(Job(0, 0, 1, 1, 5, 1), 1).empty());
    EXPECT_TRUE(GetPageCells(Job(3, 2, 1, 1, 5, 1), 0).empty());
}

TEST(SheetLayout, BothPagesOfASheetCarryTheSameCellsAndRecords)
{
    const CSheetJob job = Job(3, 2, 2, 2, 25, 10, 2);
    EXPECT_EQ(Cells(job, 1), Cells(job, 2));
    EXPECT_EQ("2,2:0 3,1:1 3,2:2", Cells(job, 1));
    EXPECT_EQ(Cells(job, 9), Cells(job, 10));
    EXPECT_EQ("1,1:21 1,2:22 2,1:23 2,2:24", Cells(job, 10));
    EXPECT_EQ(1, GetPageSide(job, 9));
    EXPECT_EQ(2, GetPageSide(job, 10));
    EXPECT_EQ(0, GetPageSide(Job(3, 2, 1, 1, 25, 5), 2)) << "one side: every element";
}

TEST(SheetLayout, CellsThatFitOnPaper)
{
    // 30-up labels across letter paper: 0.19 + 3 x 2.62 + 2 x 0.14 = 8.33 inches
    EXPECT_EQ(3, CountFittingCells(19, 262, 14, 850));
    EXPECT_EQ(3, CountFittingCells(19, 262, 14, 833));
    EXPECT_EQ(2, CountFittingCells(19, 262, 14, 832));
    // name badges 3.38 wide, 0.37 apart from 0.69 across 11 inches: two of three
    EXPECT_EQ(2, CountFittingCells(69, 338, 37, 1100));
    // an envelope wider than the paper, a cell starting past the edge, no paper
    EXPECT_EQ(0, CountFittingCells(0, 950, 0, 850));
    EXPECT_EQ(0, CountFittingCells(900, 100, 0, 850));
    EXPECT_EQ(0, CountFittingCells(0, 100, 0, 0));
    // a negative gap counts as none
    EXPECT_EQ(8, CountFittingCells(0, 100, -5, 850));

    EXPECT_EQ(47, HundredthsOfInches(0.47f));
    EXPECT_EQ(13, HundredthsOfInches(0.13f));
    EXPECT_EQ(-6, HundredthsOfInches(0.19f - 0.25f));
}
