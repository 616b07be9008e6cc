// Tests of the collections: lists, arrays, maps, typed pointer wrappers and
// their archive forms.

#include <gtest/gtest.h>

#include "afxcoll.h"
#include "afxtempl.h"

#include <vector>

// Every member of the templates must compile for the element types in use.
template class CArray<int>;
template class CArray<CString>;
template class CArray<CString, LPCTSTR>;
template class CList<CString>;
template class CList<HWND>;
template class CMap<CString, LPCTSTR, int, int>;
template class CMap<CString, const CString&, CString, const CString&>;
template class CMap<HWND, HWND, void*, void*>;
template class CMap<UINT, UINT, CObject*, CObject*&>;

namespace {

// Runs f and tells whether it raised CInvalidArgException (deleting it).
template<class F>
bool RaisesInvalidArg(F f)
{
    try {
        f();
    } catch (CException* e) {
        bool bInvalidArg = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
        return bInvalidArg;
    }
    return false;
}

template<class F>
bool RaisesArchiveException(F f)
{
    try {
        f();
    } catch (CException* e) {
        bool bArchive = e->IsKindOf(RUNTIME_CLASS(CArchiveException));
        e->Delete();
        return bArchive;
    }
    return false;
}

std::vector<int> Forward(const CList<int>& list)
{
    std::vector<int> v;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        v.push_back(list.GetNext(pos));
    return v;
}

std::vector<int> Backward(const CList<int>& list)
{
    std::vector<int> v;
    for (POSITION pos = list.GetTailPosition(); pos != NULL;)
        v.push_back(list.GetPrev(pos));
    return v;
}

// Checks the links both ways against the expected order.
void ExpectOrder(const CList<int>& list, std::vector<int> expected)
{
    EXPECT_EQ(Forward(list), expected);
    std::vector<int> reversed(expected.rbegin(), expected.rend());
    EXPECT_EQ(Backward(list), reversed);
    EXPECT_EQ(list.GetCount(), (INT_PTR)expected.size());
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Lists

TEST(CollectionsList, AddInsertAndRemoveKeepOrderAndLinks)
{
    CList<int> list;
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), (POSITION)NULL);

    list.AddTail(2);
    list.AddTail(3);
    POSITION posOne = list.AddHead(1);
    ExpectOrder(list, {1, 2, 3});

    list.InsertAfter(posOne, 10);
    list.InsertBefore(posOne, 0);
    ExpectOrder(list, {0, 1, 10, 2, 3});

    // NULL means before the head / after the tail
    list.InsertBefore(NULL, -1);
    list.InsertAfter(NULL, 99);
    ExpectOrder(list, {-1, 0, 1, 10, 2, 3, 99});
    EXPECT_EQ(list.GetHead(), -1);
    EXPECT_EQ(list.GetTail(), 99);

    EXPECT_EQ(list.RemoveHead(), -1);
    EXPECT_EQ(list.RemoveTail(), 99);
    list.RemoveAt(posOne);
    ExpectOrder(list, {0, 10, 2, 3});

    list.SetAt(list.FindIndex(1), 11);
    list.GetAt(list.FindIndex(3)) = 33;
    ExpectOrder(list, {0, 11, 2, 33});

    // removing the only element leaves an empty, reusable list
    while (!list.IsEmpty())
        list.RemoveHead();
    EXPECT_EQ(list.GetTailPosition(), (POSITION)NULL);
    list.AddTail(5);
    ExpectOrder(list, {5});
}

TEST(CollectionsList, FindAndFindIndex)
{
    CList<int> list;
    for (int v : {4, 7, 4, 9, 4})
        list.AddTail(v);

    POSITION first = list.Find(4);
    ASSERT_EQ(first, list.GetHeadPosition());
    POSITION second = list.Find(4, first);
    EXPECT_EQ(second, list.FindIndex(2));
    POSITION third = list.Find(4, second);
    EXPECT_EQ(third, list.GetTailPosition());
    EXPECT_EQ(list.Find(4, third), (POSITION)NULL);
    EXPECT_EQ(list.Find(8), (POSITION)NULL);

    EXPECT_EQ(list.GetAt(list.FindIndex(3)), 9);
    EXPECT_EQ(list.FindIndex(5), (POSITION)NULL);
    EXPECT_EQ(list.FindIndex(-1), (POSITION)NULL);

    CStringList strings;
    strings.AddTail("alpha");
    strings.AddTail(CString("beta"));
    strings.AddHead("omega");
    EXPECT_EQ(strings.Find("beta"), strings.GetTailPosition());
    EXPECT_EQ(strings.Find("BETA"), (POSITION)NULL);
    EXPECT_STREQ((LPCSTR)strings.GetHead(), "omega");
}

TEST(CollectionsList, RemoveWhileIterating)
{
    CList<int> list;
    for (int i = 0; i < 10; i++)
        list.AddTail(i);

    // the usual idiom: step past the element, then remove it
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION pos2 = pos;
        int v = list.GetNext(pos);
        if (v % 2 == 0)
            list.RemoveAt(pos2);
    }
    ExpectOrder(list, {1, 3, 5, 7, 9});

    // the same going backwards, removing the ends too
    for (POSITION pos = list.GetTailPosition(); pos != NULL;) {
        POSITION pos2 = pos;
        int v = list.GetPrev(pos);
        if (v == 9 || v == 1 || v == 5)
            list.RemoveAt(pos2);
    }
    ExpectOrder(list, {3, 7});

    for (POSITION pos = list.GetHeadPosition(); pos != NULL;) {
        POSITION pos2 = pos;
        list.GetNext(pos);
        list.RemoveAt(pos2);
    }
    ExpectOrder(list, {});
}

TEST(CollectionsList, AddListIncludingItself)
{
    CList<int> list, other;
    list.AddTail(1);
    list.AddTail(2);
    other.AddTail(8);
    other.AddTail(9);

    list.AddTail(&other);
    ExpectOrder(list, {1, 2, 8, 9});
    list.AddHead(&other);
    ExpectOrder(list, {8, 9, 1, 2, 8, 9});
    ExpectOrder(other, {8, 9});

    CList<int> self;
    self.AddTail(1);
    self.AddTail(2);
    self.AddTail(&self);
    ExpectOrder(self, {1, 2, 1, 2});
    self.AddHead(&self);
    ExpectOrder(self, {1, 2, 1, 2, 1, 2, 1, 2});

    EXPECT_TRUE(RaisesInvalidArg([&] { list.AddTail((CList<int>*)NULL); }));
}

TEST(CollectionsList, BadPositionsAndEmptyListRaiseInvalidArg)
{
    CList<int> list;
    POSITION pos = NULL;
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetHead(); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetTail(); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.RemoveHead(); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.RemoveTail(); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetNext(pos); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetPrev(pos); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.GetAt(NULL); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.SetAt(NULL, 1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.RemoveAt(NULL); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { list.RemoveAt(BEFORE_START_POSITION); }));

    CObList obs;
    EXPECT_TRUE(RaisesInvalidArg([&] { obs.RemoveAt(NULL); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { obs.GetNext(pos); }));
    EXPECT_TRUE(obs.IsEmpty());
}

TEST(CollectionsList, PointerListsAndTypedList)
{
    int a = 1, b = 2, c = 3;
    CPtrList ptrs;
    ptrs.AddTail(&a);
    ptrs.AddTail(&b);
    ptrs.AddHead(&c);
    EXPECT_EQ(ptrs.GetHead(), &c);
    EXPECT_EQ(ptrs.Find(&b), ptrs.GetTailPosition());
    EXPECT_TRUE(ptrs.IsKindOf(RUNTIME_CLASS(CPtrList)));

    CTypedPtrList<CPtrList, int*> typed;
    typed.AddTail(&a);
    typed.AddTail(&b);
    typed.AddHead(&c);
    int sum = 0;
    for (POSITION pos = typed.GetHeadPosition(); pos != NULL;)
        sum += *typed.GetNext(pos);
    EXPECT_EQ(sum, 6);
    EXPECT_EQ(typed.RemoveHead(), &c);
    EXPECT_EQ(*typed.GetTail(), 2);
    typed.GetHead() = &c;
    EXPECT_EQ(*typed.GetAt(typed.GetHeadPosition()), 3);

    CTypedPtrList<CPtrList, int*> more;
    more.AddTail(&a);
    typed.AddTail(&more);
    EXPECT_EQ(typed.GetCount(), 3);
    EXPECT_EQ(typed.GetTail(), &a);
}

/////////////////////////////////////////////////////////////////////////////
// Arrays

TEST(CollectionsArray, SetSizeGrowthAndValueInitialisation)
{
    CArray<int> arr;
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetUpperBound(), -1);

    arr.SetSize(5, 3);
    EXPECT_EQ(arr.GetSize(), 5);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(arr[i], 0);
    for (int i = 0; i < 5; i++)
        arr[i] = i + 1;

    // growing keeps the old elements and zeroes the new ones
    arr.SetSize(1000);
    EXPECT_EQ(arr.GetCount(), 1000);
    EXPECT_EQ(arr[4], 5);
    EXPECT_EQ(arr[999], 0);

    arr.SetSize(3);
    EXPECT_EQ(arr.GetUpperBound(), 2);
    arr.SetSize(6);
    EXPECT_EQ(arr[2], 3);
    EXPECT_EQ(arr[3], 0) << "an element shrunk away and grown back must be reset";

    arr.FreeExtra();
    EXPECT_EQ(arr.GetSize(), 6);
    EXPECT_EQ(arr[0], 1);

    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty());
    EXPECT_EQ(arr.GetData(), (int*)NULL);

    EXPECT_TRUE(RaisesInvalidArg([&] { arr.SetSize(-1); }));
}

TEST(CollectionsArray, AddSetAtGrowAppendCopy)
{
    CArray<int> arr;
    for (int i = 0; i < 100; i++)
        EXPECT_EQ(arr.Add(i * 2), i);
    EXPECT_EQ(arr.GetAt(57), 114);

    arr.SetAtGrow(104, 7);
    EXPECT_EQ(arr.GetSize(), 105);
    EXPECT_EQ(arr[100], 0);
    EXPECT_EQ(arr[104], 7);

    CArray<int> other;
    other.Add(-1);
    other.Add(-2);
    EXPECT_EQ(other.Append(arr), 2);
    EXPECT_EQ(other.GetSize(), 107);
    EXPECT_EQ(other[2], 0);
    EXPECT_EQ(other[106], 7);

    other.Copy(arr);
    EXPECT_EQ(other.GetSize(), 105);
    EXPECT_EQ(other[1], 2);
    other.Copy(other);
    EXPECT_EQ(other.GetSize(), 105);

    EXPECT_TRUE(RaisesInvalidArg([&] { other.Append(other); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { other.SetAtGrow(-1, 0); }));
}

TEST(CollectionsArray, InsertAtShiftsAndGrows)
{
    CArray<int> arr;
    for (int i = 0; i < 5; i++)
        arr.Add(i);

    arr.InsertAt(2, 77, 3);
    ASSERT_EQ(arr.GetSize(), 8);
    int expected[] = {0, 1, 77, 77, 77, 2, 3, 4};
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(arr[i], expected[i]) << i;

    arr.InsertAt(0, -5);
    EXPECT_EQ(arr[0], -5);
    arr.InsertAt(arr.GetSize(), 50);
    EXPECT_EQ(arr[arr.GetUpperBound()], 50);

    // past the end: the gap is filled with value-initialised elements
    CArray<int> gap;
    gap.Add(1);
    gap.InsertAt(3, 9, 2);
    ASSERT_EQ(gap.GetSize(), 5);
    EXPECT_EQ(gap[1], 0);
    EXPECT_EQ(gap[2], 0);
    EXPECT_EQ(gap[3], 9);
    EXPECT_EQ(gap[4], 9);

    CArray<int> src;
    src.Add(100);
    src.Add(200);
    CArray<int> dst;
    dst.Add(1);
    dst.Add(2);
    dst.InsertAt(1, &src);
    ASSERT_EQ(dst.GetSize(), 4);
    EXPECT_EQ(dst[0], 1);
    EXPECT_EQ(dst[1], 100);
    EXPECT_EQ(dst[2], 200);
    EXPECT_EQ(dst[3], 2);

    dst.InsertAt(2, &dst);
    int self[] = {1, 100, 1, 100, 200, 2, 200, 2};
    ASSERT_EQ(dst.GetSize(), 8);
    for (int i = 0; i < 8; i++)
        EXPECT_EQ(dst[i], self[i]) << i;

    EXPECT_TRUE(RaisesInvalidArg([&] { arr.InsertAt(-1, 0); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.InsertAt(0, 0, 0); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.InsertAt(0, (CArray<int>*)NULL); }));
}

TEST(CollectionsArray, RemoveAtRanges)
{
    CArray<int> arr;
    for (int i = 0; i < 10; i++)
        arr.Add(i);

    arr.RemoveAt(0);
    arr.RemoveAt(2, 3);   // removes 3, 4, 5
    arr.RemoveAt(arr.GetUpperBound());
    int expected[] = {1, 2, 6, 7, 8};
    ASSERT_EQ(arr.GetSize(), 5);
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(arr[i], expected[i]) << i;

    arr.RemoveAt(5, 0);   // an empty range at the end is allowed
    EXPECT_EQ(arr.GetSize(), 5);

    EXPECT_TRUE(RaisesInvalidArg([&] { arr.RemoveAt(5); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.RemoveAt(-1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.RemoveAt(3, 3); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.RemoveAt(0, -1); }));
    EXPECT_EQ(arr.GetSize(), 5) << "a refused removal must leave the array alone";

    arr.RemoveAt(0, 5);
    EXPECT_TRUE(arr.IsEmpty());
}

TEST(CollectionsArray, OutOfRangeIndexRaisesInvalidArg)
{
    CArray<int> arr;
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(0); }));
    arr.SetSize(3);
    const CArray<int>& carr = arr;
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(3); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { carr.GetAt(-1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.SetAt(3, 1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.ElementAt(-1); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { arr[3] = 1; }));
    EXPECT_TRUE(RaisesInvalidArg([&] { (void)carr[100]; }));

    CPtrArray ptrs;
    EXPECT_TRUE(RaisesInvalidArg([&] { ptrs.GetAt(0); }));
    CStringArray strings;
    strings.Add("x");
    EXPECT_TRUE(RaisesInvalidArg([&] { strings.SetAt(1, "y"); }));
    EXPECT_TRUE(RaisesInvalidArg([&] { strings.RemoveAt(1); }));
}

TEST(CollectionsArray, StringElementsSurviveGrowthAndShifts)
{
    CStringArray arr;
    for (int i = 0; i < 500; i++) {
        CString s;
        s.Format("item %d", i);
        arr.Add(s);
    }
    // adding an element of the array itself while it reallocates
    for (int i = 0; i < 50; i++)
        arr.Add(arr[i]);
    EXPECT_EQ(arr.GetSize(), 550);
    EXPECT_STREQ((LPCSTR)arr[549], "item 49");

    arr.InsertAt(0, arr[10], 2);
    EXPECT_STREQ((LPCSTR)arr[0], "item 10");
    EXPECT_STREQ((LPCSTR)arr[1], "item 10");
    EXPECT_STREQ((LPCSTR)arr[2], "item 0");

    arr.RemoveAt(0, 102);
    EXPECT_STREQ((LPCSTR)arr[0], "item 100");
    EXPECT_EQ(arr.GetSize(), 450);
    arr.SetSize(1);
    arr.SetSize(2);
    EXPECT_TRUE(arr[1].IsEmpty());
}

TEST(CollectionsArray, TypedPointerArray)
{
    int v[4] = {10, 20, 30, 40};
    CTypedPtrArray<CPtrArray, int*> arr;
    arr.Add(&v[0]);
    arr.Add(&v[2]);
    arr.InsertAt(1, &v[1]);
    arr.SetAtGrow(3, &v[3]);
    int sum = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        sum += *arr[i];
    EXPECT_EQ(sum, 100);
    arr[0] = &v[3];
    EXPECT_EQ(*arr.GetAt(0), 40);
    EXPECT_TRUE(RaisesInvalidArg([&] { arr.GetAt(4); }));

    CTypedPtrArray<CPtrArray, int*> copy;
    copy.Copy(arr);
    copy.Append(arr);
    EXPECT_EQ(copy.GetSize(), 8);
    EXPECT_EQ(copy.GetAt(7), &v[3]);
}

/////////////////////////////////////////////////////////////////////////////
// Maps

TEST(CollectionsMap, ManyStringKeysWithoutRehash)
{
    const int nEntries = 20000;
    CMap<CString, LPCTSTR, int, int> map;
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    for (int i = 0; i < nEntries; i++) {
        CString key;
        key.Format("key-%d", i);
        map.SetAt(key, i);
    }
    EXPECT_EQ(map.GetCount(), nEntries);
    EXPECT_EQ(map.GetHashTableSize(), 17u);

    for (int i = 0; i < nEntries; i++) {
        CString key;
        key.Format("key-%d", i);
        int value = -1;
        ASSERT_TRUE(map.Lookup(key, value)) << i;
        ASSERT_EQ(value, i);
    }
    int value = 123;
    EXPECT_FALSE(map.Lookup("key-20000", value));
    EXPECT_EQ(value, 123) << "a failed lookup must not touch the value";

    // overwriting keeps the count
    map.SetAt("key-5", 555);
    map["key-6"] = 666;
    EXPECT_EQ(map.GetCount(), nEntries);
    EXPECT_EQ(map["key-5"], 555);

    // every entry is visited exactly once
    std::vector<int> seen(nEntries, 0);
    POSITION pos = map.GetStartPosition();
    while (pos != NULL) {
        CString key;
        int v;
        map.GetNextAssoc(pos, key, v);
        int n = atoi((LPCSTR)key + 4);
        ASSERT_GE(n, 0);
        ASSERT_LT(n, nEntries);
        seen[n]++;
    }
    for (int i = 0; i < nEntries; i++)
        ASSERT_EQ(seen[i], 1) << i;

    for (int i = 0; i < nEntries; i += 2) {
        CString key;
        key.Format("key-%d", i);
        ASSERT_TRUE(map.RemoveKey(key));
    }
    EXPECT_FALSE(map.RemoveKey("key-0"));
    EXPECT_EQ(map.GetCount(), nEntries / 2);
    EXPECT_TRUE(map.Lookup("key-7", value));
    EXPECT_FALSE(map.Lookup("key-8", value));
}

TEST(CollectionsMap, NewEntriesStartZeroAndKeysCompareByText)
{
    CMap<CString, const CString&, int, int> map;
    map[CString("a")] += 5;
    map[CString("a")] += 5;
    EXPECT_EQ(map[CString("a")], 10);
    EXPECT_EQ(map[CString("b")], 0);
    EXPECT_EQ(map.GetCount(), 2);

    // a key built separately is found: hashing is by text, not by address
    char buf[4] = {'a', 0, 0, 0};
    int v = 0;
    EXPECT_TRUE(map.Lookup(CString(buf), v));
    EXPECT_EQ(v, 10);

    CMap<CString, LPCTSTR, int, int> byPtr;
    byPtr.SetAt(buf, 1);
    EXPECT_TRUE(byPtr.Lookup("a", v));
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(RaisesInvalidArg([&] { byPtr.Lookup((LPCTSTR)NULL, v); }));
}

TEST(CollectionsMap, RemoveCurrentWhileIteratingAndRemoveAll)
{
    CMap<UINT, UINT, UINT, UINT> map;
    for (UINT i = 0; i < 300; i++)
        map.SetAt(i * 16, i);

    POSITION pos = map.GetStartPosition();
    int nVisited = 0;
    while (pos != NULL) {
        UINT key, value;
        map.GetNextAssoc(pos, key, value);
        EXPECT_EQ(key, value * 16);
        if (value % 3 != 0)
            map.RemoveKey(key);
        nVisited++;
    }
    EXPECT_EQ(nVisited, 300);
    EXPECT_EQ(map.GetCount(), 100);

    map.RemoveAll();
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), (POSITION)NULL);
    UINT v;
    EXPECT_FALSE(map.Lookup(0, v));
    map.SetAt(1, 2);
    EXPECT_TRUE(map.Lookup(1, v));
    EXPECT_EQ(v, 2u);
}

TEST(CollectionsMap, InitHashTableKeepsEntries)
{
    CMap<int, int, int, int> map;
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 7u);
    for (int i = 0; i < 1000; i++)
        map[i] = -i;
    map.InitHashTable(1031);
    EXPECT_EQ(map.GetHashTableSize(), 1031u);
    EXPECT_EQ(map.GetCount(), 1000);
    for (int i = 0; i < 1000; i++) {
        int v = 1;
        ASSERT_TRUE(map.Lookup(i, v));
        ASSERT_EQ(v, -i);
    }
    EXPECT_TRUE(RaisesInvalidArg([&] { map.InitHashTable(0); }));
}

TEST(CollectionsMap, BadIterationPositionRaisesInvalidArg)
{
    CMapStringToString map;
    POSITION pos = NULL;
    CString key, value;
    EXPECT_TRUE(RaisesInvalidArg([&] { map.GetNextAssoc(pos, key, value); }));
    pos = BEFORE_START_POSITION;
    EXPECT_TRUE(RaisesInvalidArg([&] { map.GetNextAssoc(pos, key, value); }));
    map.SetAt("k", "v");
    map.RemoveKey("k");
    pos = BEFORE_START_POSITION;
    EXPECT_TRUE(RaisesInvalidArg([&] { map.GetNextAssoc(pos, key, value); }));
}

TEST(CollectionsMap, HandleAndPointerMaps)
{
    HWND h1 = (HWND)(UINT_PTR)0x10010;
    HWND h2 = (HWND)(UINT_PTR)0x10020;
    int a = 1, b = 2;

    CMap<HWND, HWND, int*, int*&> byWindow(10);
    byWindow.InitHashTable(17);
    int* pa = &a;
    byWindow.SetAt(h1, pa);
    byWindow[h2] = &b;
    int* p = NULL;
    EXPECT_TRUE(byWindow.Lookup(h1, p));
    EXPECT_EQ(p, &a);
    EXPECT_TRUE(byWindow.RemoveKey(h2));
    EXPECT_FALSE(byWindow.Lookup(h2, p));

    CTypedPtrMap<CMapPtrToPtr, HWND, int*> typed;
    typed.SetAt(h1, &a);
    typed.SetAt(h2, &b);
    int* q = NULL;
    EXPECT_TRUE(typed.Lookup(h2, q));
    EXPECT_EQ(q, &b);
    int nSum = 0;
    for (POSITION pos = typed.GetStartPosition(); pos != NULL;) {
        HWND h;
        int* pv;
        typed.GetNextAssoc(pos, h, pv);
        EXPECT_TRUE(h == h1 || h == h2);
        nSum += *pv;
    }
    EXPECT_EQ(nSum, 3);

    CTypedPtrMap<CMapStringToPtr, CString, int*> names;
    names.SetAt("one", &a);
    names["two"] = &b;
    EXPECT_TRUE(names.Lookup("two", q));
    EXPECT_EQ(*q, 2);
    LPCTSTR pszStored = NULL;
    EXPECT_TRUE(names.LookupKey("one", pszStored));
    EXPECT_STREQ(pszStored, "one");
    EXPECT_TRUE(names.RemoveKey("one"));
    EXPECT_FALSE(names.LookupKey("one", pszStored));

    CMapWordToPtr words;
    words.SetAt(7, &a);
    void* pv = NULL;
    EXPECT_TRUE(words.Lookup(7, pv));
    EXPECT_EQ(pv, &a);
}

/////////////////////////////////////////////////////////////////////////////
// Archive forms

class CCollTestItem : public CObject
{
    DECLARE_SERIAL(CCollTestItem)
public:
    CCollTestItem() : m_nValue(0) {}
    CCollTestItem(int nValue, LPCTSTR pszName) : m_nValue(nValue), m_strName(pszName) {}

    virtual void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue << m_strName;
        else
            ar >> m_nValue >> m_strName;
    }

    int m_nValue;
    CString m_strName;
};

IMPLEMENT_SERIAL(CCollTestItem, CObject, 0)

namespace {

// Stores pOb through a fresh archive and returns the bytes.
std::vector<BYTE> StoreToBytes(CObject& ob)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ob.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void LoadFromBytes(CObject& ob, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    ob.Serialize(ar);
    ar.Close();
}

void DeleteItems(CObList& list)
{
    std::vector<CObject*> seen;
    while (!list.IsEmpty()) {
        CObject* pOb = list.RemoveHead();
        bool bDup = false;
        for (CObject* p : seen)
            bDup = bDup || p == pOb;
        if (!bDup && pOb != NULL) {
            seen.push_back(pOb);
            delete pOb;
        }
    }
}

} // namespace

TEST(CollectionsArchive, ObListRoundTripWithSharedAndNullEntries)
{
    CObList list;
    CCollTestItem* pFirst = new CCollTestItem(7, "first");
    list.AddTail(pFirst);
    list.AddTail(new CCollTestItem(-3, "second"));
    list.AddTail((CObject*)NULL);
    list.AddTail(pFirst);   // the same object twice

    std::vector<BYTE> bytes = StoreToBytes(list);
    // count, then the new-class tag, schema 0 and the class name
    const char szName[] = "CCollTestItem";
    ASSERT_GE(bytes.size(), 8 + sizeof(szName) - 1);
    EXPECT_EQ(bytes[0], 4);
    EXPECT_EQ(bytes[1], 0);
    EXPECT_EQ(bytes[2], 0xFF);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(bytes[4], 0);
    EXPECT_EQ(bytes[5], 0);
    EXPECT_EQ(bytes[6], sizeof(szName) - 1);
    EXPECT_EQ(bytes[7], 0);
    EXPECT_EQ(memcmp(&bytes[8], szName, sizeof(szName) - 1), 0);

    CObList loaded;
    LoadFromBytes(loaded, bytes);
    ASSERT_EQ(loaded.GetCount(), 4);
    POSITION pos = loaded.GetHeadPosition();
    CCollTestItem* p1 = DYNAMIC_DOWNCAST(CCollTestItem, loaded.GetNext(pos));
    CCollTestItem* p2 = DYNAMIC_DOWNCAST(CCollTestItem, loaded.GetNext(pos));
    CObject* p3 = loaded.GetNext(pos);
    CObject* p4 = loaded.GetNext(pos);
    ASSERT_NE(p1, (CCollTestItem*)NULL);
    ASSERT_NE(p2, (CCollTestItem*)NULL);
    EXPECT_EQ(p1->m_nValue, 7);
    EXPECT_STREQ((LPCSTR)p1->m_strName, "first");
    EXPECT_EQ(p2->m_nValue, -3);
    EXPECT_STREQ((LPCSTR)p2->m_strName, "second");
    EXPECT_EQ(p3, (CObject*)NULL);
    EXPECT_EQ(p4, p1) << "a shared object must come back shared";

    // storing the loaded list again gives the same bytes
    EXPECT_EQ(StoreToBytes(loaded), bytes);

    DeleteItems(loaded);
    DeleteItems(list);
}

TEST(CollectionsArchive, StringAndNumberCollectionsRoundTrip)
{
    CStringList strings;
    strings.AddTail("");
    strings.AddTail("label");
    strings.AddTail(CString('x', 300));   // long length prefix
    CStringList strings2;
    LoadFromBytes(strings2, StoreToBytes(strings));
    ASSERT_EQ(strings2.GetCount(), 3);
    EXPECT_TRUE(strings2.GetHead().IsEmpty());
    EXPECT_EQ(strings2.GetTail().GetLength(), 300);

    CStringArray arr;
    arr.Add("a");
    arr.Add("bc");
    std::vector<BYTE> arrBytes = StoreToBytes(arr);
    std::vector<BYTE> expectedArr = {2, 0, 1, 'a', 2, 'b', 'c'};
    EXPECT_EQ(arrBytes, expectedArr);
    CStringArray arr2;
    arr2.Add("stale");
    LoadFromBytes(arr2, arrBytes);
    ASSERT_EQ(arr2.GetSize(), 2);
    EXPECT_STREQ((LPCSTR)arr2[1], "bc");

    CDWordArray dwords;
    dwords.Add(0x11223344);
    dwords.Add(5);
    std::vector<BYTE> dwBytes = StoreToBytes(dwords);
    std::vector<BYTE> expectedDw = {2, 0, 0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0};
    EXPECT_EQ(dwBytes, expectedDw);
    CDWordArray dwords2;
    LoadFromBytes(dwords2, dwBytes);
    ASSERT_EQ(dwords2.GetSize(), 2);
    EXPECT_EQ(dwords2[0], 0x11223344u);

    CByteArray big;
    big.SetSize(70000);
    for (int i = 0; i < 70000; i++)
        big[i] = (BYTE)(i * 7);
    CByteArray big2;
    LoadFromBytes(big2, StoreToBytes(big));
    ASSERT_EQ(big2.GetSize(), 70000);
    EXPECT_EQ(memcmp(big.GetData(), big2.GetData(), 70000), 0);

    CMapStringToString map;
    map.SetAt("name", "value");
    map.SetAt("empty", "");
    CMapStringToString map2;
    LoadFromBytes(map2, StoreToBytes(map));
    CString v;
    EXPECT_EQ(map2.GetCount(), 2);
    EXPECT_TRUE(map2.Lookup("name", v));
    EXPECT_STREQ((LPCSTR)v, "value");
    EXPECT_TRUE(map2.Lookup("empty", v));
    EXPECT_TRUE(v.IsEmpty());

    // pointer collections store nothing
    CPtrArray ptrs;
    ptrs.Add(&v);
    EXPECT_TRUE(StoreToBytes(ptrs).empty());
}

TEST(CollectionsArchive, TruncatedOrCorruptStreamsRaiseArchiveException)
{
    CObList list;
    list.AddTail(new CCollTestItem(1, "one"));
    list.AddTail(new CCollTestItem(2, "two"));
    std::vector<BYTE> bytes = StoreToBytes(list);
    DeleteItems(list);

    for (size_t n = 0; n < bytes.size(); n++) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + n);
        CObList loaded;
        EXPECT_TRUE(RaisesArchiveException([&] { LoadFromBytes(loaded, cut); })) << n;
        DeleteItems(loaded);
    }

    // a huge count in front of a few bytes fails without a huge allocation
    std::vector<BYTE> huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3, 4};
    CByteArray bytesArr;
    EXPECT_TRUE(RaisesArchiveException([&] { LoadFromBytes(bytesArr, huge); }));
    CDWordArray dwordArr;
    std::vector<BYTE> tooFew = {3, 0, 1, 0, 0, 0, 2, 0, 0, 0};
    EXPECT_TRUE(RaisesArchiveException([&] { LoadFromBytes(dwordArr, tooFew); }));
    CStringArray stringArr;
    EXPECT_TRUE(RaisesArchiveException([&] { LoadFromBytes(stringArr, huge); }));
}
