// SheetLayout.cpp - cells, records and sides of the pages of a label sheet job, and the
// cells of a layout that fit on paper.

#include "SheetLayout.h"

#include <math.h>

// The cells a page prints, each with its record index: from the start cell on the first sheet, down to the
// last record's cell on the last sheet of a merge; both sides of a sheet hold the same cells.
std::vector<CSheetCell> GetPageCells(const CSheetJob& job, int nPage)
{
    std::vector<CSheetCell> cells;
    const int R = job.nRows;
    const int C = job.nColumns;
    const int S = job.nSides == 2 ? 2 : 1;
    if (R < 1 || C < 1 || nPage < 1)
        return cells;
    const int sr = job.nStartRow;
    const int sc = job.nStartColumn;
    const int N = job.nDataRows;
    const int s = (nPage + S - 1) / S;
    const int nLastSheet = (job.nPages + S - 1) / S;

    const int nFirstRow = s == 1 ? sr : 1;
    const int nFirstColumn = s == 1 ? sc : 1;
    long long nRowsHere = R;
    long long nLastRowCells = C;
    if (job.bMerge && N > 1 && s == nLastSheet)
    {
        // the cells the remaining records need, counted from cell (1, 1)
        const long long L = (long long)(N - 1) + (long long)(sr - 1) * C + (sc - 1) - (long long)(s - 1) * R * C;
        nRowsHere = L > 0 ? (L + C - 1) / C : 0;
        if (nRowsHere > R)
            nRowsHere = R;
        nLastRowCells = L - (nRowsHere - 1) * C;
        if (nLastRowCells > C)
            nLastRowCells = C;
    }
    // the records used by the earlier sheets
    long long k = s == 1 ? 0 : ((long long)(s - 1) * R - sr + 1) * C - sc + 1;
    for (long long r = nFirstRow; r <= nRowsHere; r++)
    {
        const long long nCells = r == nRowsHere ? nLastRowCells : C;
        for (long long c = r == nFirstRow ? nFirstColumn : 1; c <= nCells; c++)
            cells.push_back(CSheetCell{ (int)r, (int)c, (int)k++ });
    }
    return cells;
}

int GetPageSide(const CSheetJob& job, int nPage)
{
    // odd pages the front, even pages the back
    return job.nSides == 2 ? (nPage % 2 == 1 ? 1 : 2) : 0;
}

int HundredthsOfInches(double dInches)
{
    return (int)floor(dInches * 100.0 + 0.5);
}

int CountFittingCells(int nOffset, int nCell, int nGap, int nLength)
{
    if (nOffset < 0 || nCell <= 0 || nOffset + (long long)nCell > nLength)
        return 0;
    const long long nStep = (long long)nCell + (nGap > 0 ? nGap : 0);
    return (int)(1 + ((long long)nLength - nOffset - nCell) / nStep);
}
