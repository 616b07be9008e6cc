// ExtBarLayout.h - window-free layout rules of the dock bars: the bar array of a dock
// bar, row fitting of resizable bars, the shared round-robin distribution and the
// numbering of dock circles.
//
// Notes
// - A bar array (CDockBar::m_arrBars and the framework's dock bars) holds the rows of a
//   dock bar: entry 0 is NULL and every row ends with a NULL entry. Entries below 0x10000
//   are placeholders (the id of a bar that floated away). NormalizeBarArray is the one
//   place that restores this shape; every operation that edits an array ends with it.
// - Nothing here touches windows, so the rules run in tests without any.

#pragma once

#include "afxwin.h"

#include <vector>

namespace ExtBarLayout
{

// TRUE for an entry that names a bar by its id (a bar that floated away).
inline bool IsPlaceholder(const void* p)
{
    return p != NULL && (UINT_PTR)p < 0x10000;
}

// Leading NULL, every row NULL-terminated, no empty rows.
bool IsBarArraySound(const CPtrArray& arr);
// Restores the shape above without changing the order of the entries.
void NormalizeBarArray(CPtrArray& arr);
// Index of the entry, -1 when absent.
int FindEntry(const CPtrArray& arr, const void* p);
// The row (first and last entry index, both non-NULL entries) around nPos; FALSE when
// nPos is a separator or out of range.
bool GetRowBounds(const CPtrArray& arr, int nPos, int& nFirst, int& nLast);
// Removes the entry at nPos and keeps the array sound.
void RemoveEntryAt(CPtrArray& arr, int nPos);
// Inserts p as a row of its own: at the start when bAtStart, else as the last row.
// A p that is already the first entry stays; elsewhere it is moved. Answers its index.
int InsertAsRow(CPtrArray& arr, void* p, bool bAtStart);
// Inserts a row break before the entry at nPos (nothing when one is there already).
void InsertRowBreakBefore(CPtrArray& arr, int nPos);
// Number of non-NULL, non-placeholder entries.
int CountBars(const CPtrArray& arr);

// One entry of a row as the row fitting sees it.
struct RowItem
{
    bool bResizable;    // a resizable framework bar (else: fixed-size or foreign window)
    bool bVisible;
    int nLength;        // along the row
    int nMinLength;     // resizable bars only
    int nThickness;     // across the row (resizable bars)
};

// Result of fitting one row.
struct RowFit
{
    int nWrapBefore;    // item index before which the row breaks, -1 none
    int nRowThickness;  // largest thickness among the visible resizable items
};

// Fits the lengths of the row's resizable items to nAvail (the row fitting of a
// docked resizable bar): overflow breaks the row (recorded in the result, the items
// after the break keep their lengths), the rest of the difference is spread one pixel
// at a time round-robin, never below a minimum; when every resizable item sits at its
// minimum the last visible resizable item takes a surplus. A resizable item overflows
// only when its minimum does not fit. nSelf is the index of the item that runs the
// fitting.
RowFit FitRow(std::vector<RowItem>& items, int nAvail, int nSelf);

// One fixed-size bar of a frame-edge dock row as the line fitting sees it.
struct OuterItem
{
    int nLength;        // the length it asks for along the row
    int nMinLength;     // the least it takes: below nLength for a wrappable bar only
    int nEarliest;      // the position it asks for (its remembered place), 0 none
    int nRank = 0;      // recency in the row, 1 the most recent; 0 none (gives up room first)
};

// Where an item of a frame-edge dock row goes.
struct OuterPlace
{
    int nLine;          // 0 the row's first line, 1 the line below (or right of) it, ...
    int nPos;           // along the row
    int nLength;
};

// Lays the items of one row out in lines of nAvail: one after another in their order,
// each no earlier than it asks for (a gap before it stays). When an item would pass the
// end, the line is compressed first: the gaps close, then wrappable items give up room
// down to their minimum in recency order, the least recent (highest rank) first and the
// most recent (rank 1) last; items of equal rank give from the passing item back. When
// that is not enough the item starts the next line. An item alone in its line that is
// still too long gets the line's length, never less than its minimum.
std::vector<OuterPlace> FitOuterRow(const std::vector<OuterItem>& items, int nAvail);

// Recency ranks of the bars of one row, in entry order: a rank above 0 is a record in
// use, 0 a record not in use, below 0 a bar without a record (never changed).
//
// Makes entry nRecent the most recent of its row: it gets rank 1; every other bar with a
// record in use moves one rank back, a record not in use takes the next free rank from
// 4 x nEntryCount (the dock bar's entry count) upwards. When more than one bar has a
// record, the ranks are renumbered 1, 2, 3, ... in rank order (equal ranks keep their
// entry order).
void RankMostRecent(std::vector<int>& ranks, int nRecent, int nEntryCount);

// The ranks a row is laid out with (FitOuterRow's order of giving up room): a record
// not in use (0) takes the next rank above nRowCount, in entry order.
void RankRowForLayout(std::vector<int>& ranks, int nRowCount);

// Spreads nDelta over the values one unit at a time, round-robin from the first, never
// taking a value below its minimum (nMin[i]); answers the part of nDelta left over.
int DistributeRoundRobin(std::vector<int>& values, const std::vector<int>& mins, int nDelta);

// Circle numbers after a compaction: arrEmpty[k] tells whether circle k (k >= 1; entry 0
// is circle 0 and never removed) is empty on all four sides. Answers the new number of
// every circle, -1 for a removed one.
std::vector<int> CompactCircleNumbers(const std::vector<bool>& arrEmpty);

} // namespace ExtBarLayout
