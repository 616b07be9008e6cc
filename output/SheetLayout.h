// SheetLayout.h - the arithmetic of label sheets, without windows: which cells a printed
// page holds and which record each shows, the side a page prints, and how many cells of a
// layout lie on a sheet of paper.
//
// Notes
// - Rows, columns and pages count from 1, records from 0 (record k is data row k + 1).
// - Lengths are hundredths of an inch.

#pragma once

#include <vector>

// A print job: copies of a design in the cells of sheets, one or two pages a sheet.
struct CSheetJob
{
    int nRows = 0;              // cells of a sheet
    int nColumns = 0;
    int nStartRow = 1;          // first cell printed on the first sheet
    int nStartColumn = 1;
    int nDataRows = -1;         // rows of the data table with the names row; -1 without one
    bool bMerge = false;        // the design has database texts: the last sheet ends with the records
    int nSides = 1;             // 2: the pages of a sheet are its front and its back
    int nPages = 1;             // pages of the job; the sheet of the last page is the last sheet
};

// One cell of a page: its place on the sheet and the record it shows.
struct CSheetCell
{
    int nRow;
    int nColumn;
    int nRecord;
};

// The cells of page nPage, row by row from the page's first cell.
std::vector<CSheetCell> GetPageCells(const CSheetJob& job, int nPage);
// The side page nPage prints: 1 the front, 2 the back, 0 every element (one side).
int GetPageSide(const CSheetJob& job, int nPage);

// Hundredths of an inch from inches, to the nearest.
int HundredthsOfInches(double dInches);
// Cells of nCell with nGap between them, the first at nOffset, that lie wholly within
// nLength (0 when not even the first does).
int CountFittingCells(int nOffset, int nCell, int nGap, int nLength);
