// Layout rules of the dock bars without windows: bar arrays, row fitting, the round-robin
// distribution and circle numbering.
#include "uiframework/bars/ExtBarLayout.h"

#include <gtest/gtest.h>

#include <random>

using namespace ExtBarLayout;

namespace
{

void* P(int n)
{
    return (void*)(UINT_PTR)(0x100000 + n * 16);
}

void Make(CPtrArray& arr, std::initializer_list<void*> entries)
{
    arr.RemoveAll();
    for (void* p : entries)
        arr.Add(p);
}

std::vector<void*> Entries(const CPtrArray& arr)
{
    std::vector<void*> v;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        v.push_back(arr[i]);
    return v;
}

RowItem Resizable(int nLength, int nMin, int nThickness = 100, bool bVisible = true)
{
    return RowItem{ true, bVisible, nLength, nMin, nThickness };
}

RowItem Fixed(int nLength)
{
    return RowItem{ false, true, nLength, 0, 20 };
}

} // namespace

TEST(BarArray, NormalizeGivesLeadingNullAndTerminatedRowsWithoutEmptyRows)
{
    CPtrArray arr;
    Make(arr, { P(1), NULL, NULL, P(2), P(3) });
    EXPECT_FALSE(IsBarArraySound(arr));
    NormalizeBarArray(arr);
    EXPECT_TRUE(IsBarArraySound(arr));
    EXPECT_EQ(Entries(arr), (std::vector<void*>{ NULL, P(1), NULL, P(2), P(3), NULL }));

    CPtrArray empty;
    NormalizeBarArray(empty);
    EXPECT_EQ(Entries(empty), (std::vector<void*>{ NULL }));
    EXPECT_TRUE(IsBarArraySound(empty));
}

TEST(BarArray, RemovingTheOnlyBarOfARowRemovesTheRow)
{
    CPtrArray arr;
    Make(arr, { NULL, P(1), NULL, P(2), NULL, P(3), P(4), NULL });
    RemoveEntryAt(arr, 3);
    EXPECT_EQ(Entries(arr), (std::vector<void*>{ NULL, P(1), NULL, P(3), P(4), NULL }));
    RemoveEntryAt(arr, 4);
    EXPECT_EQ(Entries(arr), (std::vector<void*>{ NULL, P(1), NULL, P(3), NULL }));
}

TEST(BarArray, InsertAsRowAtEitherEndAndMoving)
{
    CPtrArray arr;
    Make(arr, { NULL, P(1), P(2), NULL });
    EXPECT_EQ(InsertAsRow(arr, P(3), false), 4);
    EXPECT_EQ(Entries(arr), (std::vector<void*>{ NULL, P(1), P(2), NULL, P(3), NULL }));
    EXPECT_EQ(InsertAsRow(arr, P(4), true), 1);
    EXPECT_EQ(Entries(arr),
              (std::vector<void*>{ NULL, P(4), NULL, P(1), P(2), NULL, P(3), NULL }));
    // the first entry stays where it is
    EXPECT_EQ(InsertAsRow(arr, P(4), false), 1);
    EXPECT_EQ(arr.GetSize(), 8);
    // a bar from the middle of a row becomes a row of its own
    EXPECT_EQ(InsertAsRow(arr, P(2), false), 7);
    EXPECT_EQ(Entries(arr),
              (std::vector<void*>{ NULL, P(4), NULL, P(1), NULL, P(3), NULL, P(2), NULL }));
    EXPECT_TRUE(IsBarArraySound(arr));
}

TEST(BarArray, RowBoundsAndBreaks)
{
    CPtrArray arr;
    Make(arr, { NULL, P(1), P(2), P(3), NULL, P(4), NULL });
    int nFirst = -1, nLast = -1;
    ASSERT_TRUE(GetRowBounds(arr, 2, nFirst, nLast));
    EXPECT_EQ(nFirst, 1);
    EXPECT_EQ(nLast, 3);
    EXPECT_FALSE(GetRowBounds(arr, 4, nFirst, nLast));
    EXPECT_FALSE(GetRowBounds(arr, 99, nFirst, nLast));
    InsertRowBreakBefore(arr, 3);
    EXPECT_EQ(Entries(arr), (std::vector<void*>{ NULL, P(1), P(2), NULL, P(3), NULL, P(4), NULL }));
    InsertRowBreakBefore(arr, 4);   // already a row start
    EXPECT_EQ(arr.GetSize(), 8);
    arr.Add((void*)(UINT_PTR)0x1234);   // a placeholder counts as no bar
    arr.Add(NULL);
    EXPECT_EQ(CountBars(arr), 4);
}

TEST(RowFitting, SingleBarTakesTheWholeLengthButNotLessThanItsMinimum)
{
    std::vector<RowItem> items{ Resizable(120, 30) };
    FitRow(items, 500, 0);
    EXPECT_EQ(items[0].nLength, 500);
    FitRow(items, 12, 0);
    EXPECT_EQ(items[0].nLength, 30);
}

TEST(RowFitting, DifferenceIsSpreadRoundRobin)
{
    std::vector<RowItem> items{ Resizable(100, 20, 80), Resizable(100, 20, 120) };
    RowFit fit = FitRow(items, 305, 0);
    EXPECT_EQ(fit.nWrapBefore, -1);
    EXPECT_EQ(items[0].nLength + items[1].nLength, 305);
    EXPECT_EQ(items[0].nLength, 153);
    EXPECT_EQ(items[1].nLength, 152);
    // every resizable bar takes the row's thickness
    EXPECT_EQ(fit.nRowThickness, 120);
    EXPECT_EQ(items[0].nThickness, 120);
}

TEST(RowFitting, ShrinkingStopsAtMinimaAndFixedBarsKeepTheirLength)
{
    std::vector<RowItem> items{ Resizable(200, 150), Fixed(60), Resizable(200, 20) };
    FitRow(items, 420, 0);
    EXPECT_EQ(items[1].nLength, 60);
    EXPECT_GE(items[0].nLength, 150);
    EXPECT_GE(items[2].nLength, 20);
    EXPECT_EQ(items[0].nLength + items[1].nLength + items[2].nLength, 420);
}

TEST(RowFitting, AllAtMinimumGivesTheWholeDifferenceToTheLastVisibleBar)
{
    std::vector<RowItem> items{ Resizable(30, 30), Resizable(30, 30),
                                Resizable(50, 30, 100, false) };
    FitRow(items, 200, 0);
    EXPECT_EQ(items[0].nLength, 30);
    EXPECT_EQ(items[1].nLength, 170);
    EXPECT_EQ(items[2].nLength, 50);    // hidden: untouched
}

TEST(RowFitting, OverflowAfterTheFittingBarBreaksBeforeTheOverflowingOne)
{
    std::vector<RowItem> items{ Resizable(100, 90), Fixed(150), Fixed(150) };
    RowFit fit = FitRow(items, 300, 0);
    EXPECT_EQ(fit.nWrapBefore, 2);
    // the remaining row is fitted: 300 minus the fixed bar
    EXPECT_EQ(items[0].nLength, 150);
    EXPECT_EQ(items[2].nLength, 150);
}

TEST(RowFitting, OverflowBeforeTheFittingBarWrapsTheRest)
{
    std::vector<RowItem> items{ Fixed(250), Fixed(100), Resizable(100, 50) };
    RowFit fit = FitRow(items, 300, 2);
    EXPECT_EQ(fit.nWrapBefore, 2);
    EXPECT_EQ(items[2].nLength, 100);
}

TEST(RowFitting, OverflowAtTheFittingBarLeavesItAtItsMinimum)
{
    std::vector<RowItem> items{ Fixed(100), Resizable(300, 40) };
    RowFit fit = FitRow(items, 250, 1);
    EXPECT_EQ(fit.nWrapBefore, -1);
    EXPECT_EQ(items[1].nLength, 150);
    fit = FitRow(items, 120, 1);
    EXPECT_EQ(fit.nWrapBefore, -1);
    EXPECT_EQ(items[1].nLength, 40);
}

TEST(RowFitting, RandomRowsAlwaysFitOrBreak)
{
    std::mt19937 rng(4711);
    for (int round = 0; round < 2000; round++)
    {
        std::vector<RowItem> items;
        int n = 1 + (int)(rng() % 5);
        for (int i = 0; i < n; i++)
        {
            if (rng() % 4 == 0)
                items.push_back(Fixed(10 + (int)(rng() % 120)));
            else
                items.push_back(Resizable(1 + (int)(rng() % 300), 10 + (int)(rng() % 40), 50,
                                          rng() % 6 != 0));
        }
        int nSelf = -1;
        for (int i = 0; i < n && nSelf < 0; i++)
        {
            if (items[i].bResizable && items[i].bVisible)
                nSelf = i;
        }
        if (nSelf < 0)
            continue;
        int nAvail = 20 + (int)(rng() % 700);
        std::vector<RowItem> before = items;
        RowFit fit = FitRow(items, nAvail, nSelf);
        int nEnd = fit.nWrapBefore >= 0 ? fit.nWrapBefore : n;
        bool bWrappedBeforeSelf = fit.nWrapBefore >= 0 && fit.nWrapBefore <= nSelf;
        int nSum = 0, nVisible = 0;
        bool bAllMin = true;
        for (int i = 0; i < nEnd; i++)
        {
            if (!items[i].bVisible)
            {
                EXPECT_EQ(items[i].nLength, before[i].nLength);
                continue;
            }
            nVisible++;
            nSum += items[i].nLength;
            if (items[i].bResizable && items[i].nLength > items[i].nMinLength)
                bAllMin = false;
        }
        if (bWrappedBeforeSelf || nVisible <= 1)
            continue;
        for (int i = 0; i < nEnd; i++)
        {
            if (items[i].bResizable && items[i].bVisible && i != nEnd - 1)
            {
                EXPECT_GE(items[i].nLength, items[i].nMinLength) << "round " << round;
            }
        }
        if (!bAllMin)
        {
            std::string strItems;
            for (const RowItem& it : before)
                strItems += (it.bResizable ? " R" : " F") + std::to_string(it.nLength) + "/" +
                            std::to_string(it.nMinLength) + (it.bVisible ? "" : "h");
            EXPECT_EQ(nSum, nAvail) << "round " << round << strItems << " self " << nSelf;
        }
    }
}

TEST(OuterRowFitting, GapsCloseFirstAndTheMostRecentBarGivesUpRoomLast)
{
    // 200 + 150 after a gap of 30, in 320: the gap closes, then the last bar shrinks
    std::vector<OuterItem> items{ { 200, 60, 0 }, { 150, 60, 230 } };
    std::vector<OuterPlace> places = FitOuterRow(items, 320);
    EXPECT_EQ(places[1].nLine, 0);
    EXPECT_EQ(places[1].nPos, 200);
    EXPECT_EQ(places[0].nLength, 200);
    EXPECT_EQ(places[1].nLength, 120);
    // the most recent bar keeps its length while the one before it has room to give
    items[0].nRank = 2;
    items[1].nRank = 1;
    places = FitOuterRow(items, 320);
    EXPECT_EQ(places[0].nLength, 170);
    EXPECT_EQ(places[1].nPos, 170);
    EXPECT_EQ(places[1].nLength, 150);
    // ... and gives up room once the others are at their minimum
    places = FitOuterRow(items, 160);
    EXPECT_EQ(places[0].nLength, 60);
    EXPECT_EQ(places[1].nLength, 100);
    EXPECT_EQ(places[1].nPos + places[1].nLength, 160);
    // not even both minimums: the recent bar starts the next line whole
    places = FitOuterRow(items, 110);
    EXPECT_EQ(places[1].nLine, 1);
    EXPECT_EQ(places[1].nPos, 0);
    EXPECT_EQ(places[1].nLength, 110);
    EXPECT_EQ(places[0].nLength, 110);
}

TEST(OuterRowFitting, WrappableBarsGiveUpRoomLeastRecentFirst)
{
    // three bars of 100 (minimum 40) ranked 3, 1, 2
    std::vector<OuterItem> items{ { 100, 40, 0, 3 }, { 100, 40, 0, 1 }, { 100, 40, 0, 2 } };
    auto lengths = [&](int nAvail)
    {
        std::vector<OuterPlace> places = FitOuterRow(items, nAvail);
        std::vector<int> v;
        for (size_t k = 0; k < places.size(); k++)
        {
            EXPECT_EQ(places[k].nLine, 0) << nAvail;
            EXPECT_EQ(places[k].nPos, k == 0 ? 0 : places[k - 1].nPos + places[k - 1].nLength);
            v.push_back(places[k].nLength);
        }
        return v;
    };
    EXPECT_EQ(lengths(300), (std::vector<int>{ 100, 100, 100 }));
    // rank 3 first, down to its minimum, then rank 2, the most recent last
    EXPECT_EQ(lengths(250), (std::vector<int>{ 50, 100, 100 }));
    EXPECT_EQ(lengths(200), (std::vector<int>{ 40, 100, 60 }));
    EXPECT_EQ(lengths(150), (std::vector<int>{ 40, 70, 40 }));
    EXPECT_EQ(lengths(120), (std::vector<int>{ 40, 40, 40 }));
    // a bar without a rank gives before every ranked one; equal ranks from the row end back
    items[1].nRank = 0;
    EXPECT_EQ(lengths(250), (std::vector<int>{ 100, 50, 100 }));
    for (OuterItem& it : items)
        it.nRank = 1;
    EXPECT_EQ(lengths(250), (std::vector<int>{ 100, 100, 50 }));
    EXPECT_EQ(lengths(180), (std::vector<int>{ 100, 40, 40 }));
    // a fixed-size bar gives nothing: the most recent wrappable one gives what is needed
    items = { { 100, 100, 0, 3 }, { 100, 40, 0, 1 }, { 100, 40, 0, 2 } };
    EXPECT_EQ(lengths(190), (std::vector<int>{ 100, 50, 40 }));
}

TEST(Recency, TheBarThatBecomesMostRecentTakesRankOneAndTheRowIsRenumbered)
{
    // in use: ranked; 0: a record not in use; -1: a bar without a record
    std::vector<int> ranks{ 2, 0, 1, -1, 0 };
    RankMostRecent(ranks, 2, 10);
    // 2 -> 3; the records not in use take 40 and 41 in entry order; then 1, 2, 3, 4
    EXPECT_EQ(ranks, (std::vector<int>{ 2, 3, 1, -1, 4 }));
    RankMostRecent(ranks, 4, 10);
    EXPECT_EQ(ranks, (std::vector<int>{ 3, 4, 2, -1, 1 }));
    RankMostRecent(ranks, 1, 10);
    EXPECT_EQ(ranks, (std::vector<int>{ 4, 1, 3, -1, 2 }));
    // the most recent again: nothing changes
    RankMostRecent(ranks, 1, 10);
    EXPECT_EQ(ranks, (std::vector<int>{ 4, 1, 3, -1, 2 }));
    // a bar without a record never becomes the most recent
    RankMostRecent(ranks, 3, 10);
    EXPECT_EQ(ranks, (std::vector<int>{ 4, 1, 3, -1, 2 }));

    // equal ranks keep their entry order; ranks with holes close up
    ranks = { 7, 0, 7, 3 };
    RankMostRecent(ranks, 1, 2);
    EXPECT_EQ(ranks, (std::vector<int>{ 3, 1, 4, 2 }));
    // the only bar with a record
    ranks = { -1, 0, -1 };
    RankMostRecent(ranks, 1, 4);
    EXPECT_EQ(ranks, (std::vector<int>{ -1, 1, -1 }));
    // two records not in use: the first in entry order ranks before the second
    ranks = { 0, 0, 0 };
    RankMostRecent(ranks, 2, 4);
    EXPECT_EQ(ranks, (std::vector<int>{ 2, 3, 1 }));
    // out of range: nothing
    RankMostRecent(ranks, 3, 4);
    RankMostRecent(ranks, -1, 4);
    EXPECT_EQ(ranks, (std::vector<int>{ 2, 3, 1 }));
}

TEST(Recency, BarsWithoutARecordInUseRankAfterTheRowInEntryOrder)
{
    std::vector<int> ranks{ 0, 2, 0, -1, 1 };
    RankRowForLayout(ranks, 5);
    EXPECT_EQ(ranks, (std::vector<int>{ 6, 2, 7, -1, 1 }));
    // laid out with these ranks, the later of the two bars without a record in use gives
    // up room first, then the earlier one
    std::vector<OuterItem> items;
    for (int n : ranks)
        items.push_back({ 100, 40, 0, n > 0 ? n : 0 });
    items[3].nMinLength = 100;      // no record: a plain fixed-size window
    std::vector<OuterPlace> places = FitOuterRow(items, 430);
    EXPECT_EQ(places[2].nLength, 40);
    EXPECT_EQ(places[0].nLength, 90);
    EXPECT_EQ(places[1].nLength, 100);
    EXPECT_EQ(places[4].nLength, 100);
    EXPECT_EQ(places[4].nPos + places[4].nLength, 430);
}

TEST(Distribution, RoundRobinNeverBelowMinimaAndReportsTheRest)
{
    std::vector<int> values{ 50, 50, 50 };
    std::vector<int> mins{ 45, 10, 48 };
    int nLeft = DistributeRoundRobin(values, mins, -20);
    EXPECT_EQ(nLeft, 0);
    EXPECT_EQ(values, (std::vector<int>{ 45, 37, 48 }));
    nLeft = DistributeRoundRobin(values, mins, -100);
    EXPECT_EQ(nLeft, -73);
    EXPECT_EQ(values, mins);
    nLeft = DistributeRoundRobin(values, mins, 4);
    EXPECT_EQ(nLeft, 0);
    EXPECT_EQ(values, (std::vector<int>{ 47, 11, 49 }));
    std::vector<int> none;
    EXPECT_EQ(DistributeRoundRobin(none, none, 7), 7);
}

TEST(Circles, CompactionRemovesEmptyCirclesAndRenumbersTheInnerOnes)
{
    // circles 1 and 3 are empty; 2 becomes 1, 4 becomes 2
    std::vector<int> numbers = CompactCircleNumbers({ true, true, false, true, false });
    EXPECT_EQ(numbers, (std::vector<int>{ 0, -1, 1, -1, 2 }));
    // circle 0 is never removed, even when marked empty
    EXPECT_EQ(CompactCircleNumbers({ true }), (std::vector<int>{ 0 }));
    EXPECT_EQ(CompactCircleNumbers({ false, false, false }), (std::vector<int>{ 0, 1, 2 }));
}
