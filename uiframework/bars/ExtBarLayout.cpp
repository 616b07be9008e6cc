// ExtBarLayout.cpp - window-free layout rules of the dock bars.

#include "ExtBarLayout.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace ExtBarLayout
{

bool IsBarArraySound(const CPtrArray& arr)
{
    INT_PTR n = arr.GetSize();
    if (n == 0 || arr[0] != NULL || arr[n - 1] != NULL)
        return false;
    for (INT_PTR i = 1; i < n; i++)
    {
        if (arr[i] == NULL && arr[i - 1] == NULL)
            return false;
    }
    return true;
}

void NormalizeBarArray(CPtrArray& arr)
{
    if (arr.GetSize() == 0 || arr[0] != NULL)
        arr.InsertAt(0, (void*)NULL);
    for (INT_PTR i = arr.GetSize() - 1; i > 0; i--)
    {
        if (arr[i] == NULL && arr[i - 1] == NULL)
            arr.RemoveAt(i);
    }
    if (arr[arr.GetSize() - 1] != NULL)
        arr.Add(NULL);
}

int FindEntry(const CPtrArray& arr, const void* p)
{
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (arr[i] == p)
            return (int)i;
    }
    return -1;
}

bool GetRowBounds(const CPtrArray& arr, int nPos, int& nFirst, int& nLast)
{
    if (nPos < 0 || nPos >= arr.GetSize() || arr[nPos] == NULL)
        return false;
    nFirst = nPos;
    while (nFirst > 0 && arr[nFirst - 1] != NULL)
        nFirst--;
    nLast = nPos;
    while (nLast + 1 < arr.GetSize() && arr[nLast + 1] != NULL)
        nLast++;
    return true;
}

void RemoveEntryAt(CPtrArray& arr, int nPos)
{
    if (nPos < 0 || nPos >= arr.GetSize())
        return;
    arr.RemoveAt(nPos);
    NormalizeBarArray(arr);
}

// Puts p in a row of its own at the start or the end of the array, moving it when present.
int InsertAsRow(CPtrArray& arr, void* p, bool bAtStart)
{
    NormalizeBarArray(arr);
    int nOld = FindEntry(arr, p);
    if (nOld == 1)
        return 1;       // already the first entry
    if (nOld > 0)
        RemoveEntryAt(arr, nOld);
    if (bAtStart)
    {
        arr.InsertAt(1, (void*)NULL);
        arr.InsertAt(1, p);
        NormalizeBarArray(arr);
        return 1;
    }
    arr.Add(p);
    arr.Add(NULL);
    NormalizeBarArray(arr);
    return FindEntry(arr, p);
}

void InsertRowBreakBefore(CPtrArray& arr, int nPos)
{
    if (nPos <= 0 || nPos >= arr.GetSize() || arr[nPos - 1] == NULL)
        return;
    arr.InsertAt(nPos, (void*)NULL);
    NormalizeBarArray(arr);
}

int CountBars(const CPtrArray& arr)
{
    int n = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
    {
        if (arr[i] != NULL && !IsPlaceholder(arr[i]))
            n++;
    }
    return n;
}

// Spreads nDelta one unit at a time over the values, never below a minimum; answers the
// part left over.
int DistributeRoundRobin(std::vector<int>& values, const std::vector<int>& mins, int nDelta)
{
    size_t n = values.size();
    if (n == 0)
        return nDelta;
    size_t i = 0;
    int nIdle = 0;      // values passed in a row without a change
    while (nDelta != 0 && nIdle < (int)n)
    {
        if (nDelta > 0)
        {
            values[i]++;
            nDelta--;
            nIdle = 0;
        }
        else if (values[i] > mins[i])
        {
            values[i]--;
            nDelta++;
            nIdle = 0;
        }
        else
        {
            nIdle++;
        }
        i = (i + 1) % n;
    }
    return nDelta;
}

namespace
{

// Rank order with "no rank" after every rank.
int RankKey(int nRank)
{
    return nRank > 0 ? nRank : INT_MAX;
}

} // namespace

// Lays a frame-edge row's fixed bars out in lines: gaps close, then wrappable bars give up
// room (least recent first) before a bar starts the next line.
std::vector<OuterPlace> FitOuterRow(const std::vector<OuterItem>& items, int nAvail)
{
    std::vector<OuterPlace> places(items.size());
    std::vector<int> gap(items.size(), 0);   // room before an item in its line
    int nLine = 0;
    size_t nLineFirst = 0;
    int nNext = 0;
    for (size_t k = 0; k < items.size(); k++)
    {
        const OuterItem& it = items[k];
        int nLength = std::max(it.nLength, 0);
        int nMin = std::min(std::max(it.nMinLength, 0), nLength);
        gap[k] = std::max(0, it.nEarliest - nNext);
        places[k] = { nLine, nNext + gap[k], nLength };
        int nOver = places[k].nPos + nLength - nAvail;
        if (nOver > 0)
        {
            // the room the line can give: gaps and what wrappable items have above their minimum
            int nRoom = gap[k] + (nLength - nMin);
            for (size_t j = nLineFirst; j < k; j++)
                nRoom += gap[j] + places[j].nLength - std::min(items[j].nMinLength, places[j].nLength);
            if (nRoom >= nOver || k == nLineFirst)
            {
                // the gaps close first, from the passing item back
                for (size_t j = k + 1; j-- > nLineFirst && nOver > 0;)
                {
                    int nTake = std::min(nOver, gap[j]);
                    gap[j] -= nTake;
                    nOver -= nTake;
                }
                // then the items of the line by recency, the least recent first; equal
                // ranks from the passing item back
                std::vector<size_t> order;
                for (size_t j = k + 1; j-- > nLineFirst;)
                    order.push_back(j);
                std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b)
                                 { return RankKey(items[a].nRank) > RankKey(items[b].nRank); });
                for (size_t j : order)
                {
                    if (nOver <= 0)
                        break;
                    int nMinJ = std::min(std::max(items[j].nMinLength, 0), places[j].nLength);
                    int nTake = std::min(nOver, places[j].nLength - nMinJ);
                    places[j].nLength -= nTake;
                    nOver -= nTake;
                }
                int nPos = 0;
                for (size_t j = nLineFirst; j <= k; j++)
                {
                    nPos += gap[j];
                    places[j].nPos = nPos;
                    nPos += places[j].nLength;
                }
            }
            else
            {
                // the next line, from its start
                nLine++;
                nLineFirst = k;
                gap[k] = 0;
                places[k] = { nLine, 0, std::max(nMin, std::min(nLength, nAvail)) };
            }
        }
        nNext = places[k].nPos + places[k].nLength;
    }
    return places;
}

// Makes one bar the most recent of its row; the others' ranks move back and are renumbered.
void RankMostRecent(std::vector<int>& ranks, int nRecent, int nEntryCount)
{
    if (nRecent < 0 || nRecent >= (int)ranks.size() || ranks[nRecent] < 0)
        return;
    ranks[nRecent] = 1;
    for (size_t i = 0; i < ranks.size(); i++)
    {
        if ((int)i != nRecent && ranks[i] > 0)
            ranks[i]++;
    }
    int nNextFree = 4 * std::max(nEntryCount, 0);
    for (size_t i = 0; i < ranks.size(); i++)
    {
        if (ranks[i] != 0)
            continue;
        while (std::find(ranks.begin(), ranks.end(), nNextFree) != ranks.end())
            nNextFree++;
        ranks[i] = nNextFree++;
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < ranks.size(); i++)
    {
        if (ranks[i] > 0)
            order.push_back(i);
    }
    if (order.size() <= 1)
        return;
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return ranks[a] < ranks[b]; });
    for (size_t k = 0; k < order.size(); k++)
        ranks[order[k]] = (int)k + 1;
}

void RankRowForLayout(std::vector<int>& ranks, int nRowCount)
{
    int nNext = std::max(nRowCount, 0);
    for (int& nRank : ranks)
    {
        if (nRank == 0)
            nRank = ++nNext;
    }
}

// Fits a row's resizable bars to the room: breaks the row where even minimums overflow and
// spreads the rest round-robin.
RowFit FitRow(std::vector<RowItem>& items, int nAvail, int nSelf)
{
    RowFit fit;
    fit.nWrapBefore = -1;
    fit.nRowThickness = 0;

    int nVisible = 0;
    int nLastVisible = -1;
    for (size_t i = 0; i < items.size(); i++)
    {
        if (!items[i].bVisible)
            continue;
        nVisible++;
        nLastVisible = (int)i;
        if (items[i].bResizable)
            fit.nRowThickness = std::max(fit.nRowThickness, items[i].nThickness);
    }
    if (nVisible == 0)
        return fit;
    if (nVisible == 1)
    {
        RowItem& it = items[nLastVisible];
        if (it.bResizable)
            it.nLength = std::max(nAvail, it.nMinLength);
        return fit;
    }

    // overflow check from the row start
    int nTotal = 2;
    size_t nEnd = items.size();     // items taking part in the distribution: [0, nEnd)
    for (size_t i = 0; i < items.size(); i++)
    {
        RowItem& it = items[i];
        if (!it.bVisible)
            continue;
        // a resizable bar overflows only when even its minimum does not fit
        if (it.bResizable)
            it.nLength = std::max(it.nLength, it.nMinLength);
        nTotal += it.bResizable ? it.nMinLength : it.nLength;
        if (nTotal <= nAvail)
            continue;
        if ((int)i < nSelf)
        {
            // the rest of the row, this bar with it, wraps behind the overflowing one
            fit.nWrapBefore = (int)i + 1;
            return fit;
        }
        if ((int)i == nSelf)
        {
            // not even this bar's minimum fits: it keeps it, the rest of the row wraps
            it.nLength = it.nMinLength;
            nEnd = i + 1;
            if (nEnd < items.size())
                fit.nWrapBefore = (int)nEnd;
            break;
        }
        fit.nWrapBefore = (int)i;
        nEnd = i;
        break;
    }

    // the difference between the room and the resizable lengths
    int nFixed = 0;
    std::vector<int> idx;
    for (size_t i = 0; i < nEnd; i++)
    {
        if (!items[i].bVisible)
            continue;
        if (items[i].bResizable)
            idx.push_back((int)i);
        else
            nFixed += items[i].nLength;
    }
    if (idx.empty())
        return fit;
    int nSum = 0;
    bool bAllAtMin = true;
    std::vector<int> values, mins;
    for (int k : idx)
    {
        nSum += items[k].nLength;
        values.push_back(items[k].nLength);
        mins.push_back(items[k].nMinLength);
        if (items[k].nLength > items[k].nMinLength)
            bAllAtMin = false;
        items[k].nThickness = fit.nRowThickness;
    }
    int nDelta = nAvail - nFixed - nSum;
    if (nDelta == 0)
        return fit;
    if (bAllAtMin)
    {
        // a surplus goes to the last bar; a shortfall cannot take any bar below its minimum
        if (nDelta > 0)
            items[idx.back()].nLength += nDelta;
        return fit;
    }
    DistributeRoundRobin(values, mins, nDelta);
    for (size_t k = 0; k < idx.size(); k++)
        items[idx[k]].nLength = values[k];
    return fit;
}

// The number each dock circle takes once the empty ones go; -1 for a removed one.
std::vector<int> CompactCircleNumbers(const std::vector<bool>& arrEmpty)
{
    std::vector<int> result(arrEmpty.size(), 0);
    int nRemoved = 0;
    for (size_t k = 1; k < arrEmpty.size(); k++)
    {
        if (arrEmpty[k])
        {
            result[k] = -1;
            nRemoved++;
        }
        else
        {
            result[k] = (int)k - nRemoved;
        }
    }
    return result;
}

} // namespace ExtBarLayout
