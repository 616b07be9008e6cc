// Tests of CString.

#include "afx.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
bool ThrowsInvalidArg(void (*pfn)())
{
    try
    {
        pfn();
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}
} // namespace

TEST(String, ConstructionAndConversion)
{
    CString empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_EQ(0, empty.GetLength());
    EXPECT_STREQ("", (LPCSTR)empty);

    CString s("hello");
    EXPECT_EQ(5, s.GetLength());
    EXPECT_STREQ("hello", s);

    CString part("hello world", 5);
    EXPECT_STREQ("hello", part);
    CString repeated('x', 3);
    EXPECT_STREQ("xxx", repeated);
    CString fromWide(L"Gr\u00FC\u00DFe");   // converted to the ANSI code page
    EXPECT_STREQ("Gr\xFC\xDF" "e", fromWide);
    CString fromNull((LPCSTR)NULL);
    EXPECT_TRUE(fromNull.IsEmpty());

    CString copy(s);
    copy.SetAt(0, 'J');
    EXPECT_STREQ("hello", s);   // copies do not share text
    EXPECT_STREQ("Jello", copy);
    CString assigned;
    assigned = copy;
    assigned += "!";
    EXPECT_STREQ("Jello", copy);
    EXPECT_STREQ("Jello!", assigned);
}

TEST(String, ConcatenationAndComparison)
{
    CString a("abc");
    CString b = a + "def" + 'g';
    EXPECT_STREQ("abcdefg", b);
    EXPECT_STREQ("xabc", 'x' + a);
    EXPECT_STREQ("--abc", "--" + a);

    // Appending a string to itself must not read freed memory.
    CString self("0123456789");
    for (int i = 0; i < 5; ++i)
        self += (LPCSTR)self;
    EXPECT_EQ(320, self.GetLength());
    EXPECT_STREQ("0123456789", self.Left(10));
    EXPECT_STREQ("0123456789", self.Right(10));

    EXPECT_TRUE(a == "abc");
    EXPECT_TRUE("abc" == a);
    EXPECT_TRUE(a != "abd");
    EXPECT_TRUE(a < CString("abd"));
    EXPECT_TRUE(CString("b") > a);
    EXPECT_TRUE(a <= "abc");
    EXPECT_TRUE(a >= "ab");
    EXPECT_EQ(0, a.Compare("abc"));
    EXPECT_LT(a.Compare("abd"), 0);
    EXPECT_GT(a.Compare("ab"), 0);
    EXPECT_EQ(0, a.CompareNoCase("ABC"));
    EXPECT_LT(CString("apple").CompareNoCase("BANANA"), 0);
    EXPECT_EQ(0, a.Collate("abc"));
    EXPECT_EQ(0, CString("Abc").CollateNoCase("aBC"));
}

TEST(String, ElementAccessChecksTheIndex)
{
    CString s("abc");
    EXPECT_EQ('b', s[1]);
    EXPECT_EQ('c', s.GetAt(2));
    EXPECT_TRUE(ThrowsInvalidArg([] { CString t("abc"); t.GetAt(3); }));
    EXPECT_TRUE(ThrowsInvalidArg([] { CString t("abc"); t.SetAt(-1, 'x'); }));
    EXPECT_TRUE(ThrowsInvalidArg([] { CString t; t.GetAt(0); }));
}

TEST(String, MidLeftRightClampTheirArguments)
{
    CString s("abcdef");
    EXPECT_STREQ("cdef", s.Mid(2));
    EXPECT_STREQ("cd", s.Mid(2, 2));
    EXPECT_STREQ("ef", s.Mid(4, 100));
    EXPECT_STREQ("", s.Mid(6));
    EXPECT_STREQ("", s.Mid(10, 2));
    EXPECT_STREQ("ab", s.Mid(-3, 2));
    EXPECT_STREQ("", s.Mid(1, -1));
    EXPECT_STREQ("bcdef", s.Mid(1, 0x7FFFFFFF));
    EXPECT_STREQ("abc", s.Left(3));
    EXPECT_STREQ("", s.Left(-1));
    EXPECT_STREQ("abcdef", s.Left(99));
    EXPECT_STREQ("def", s.Right(3));
    EXPECT_STREQ("", s.Right(-5));
    EXPECT_STREQ("abcdef", s.Right(99));
}

TEST(String, FindEdgeCases)
{
    CString s("abcabc");
    EXPECT_EQ(1, s.Find('b'));
    EXPECT_EQ(4, s.Find('b', 2));
    EXPECT_EQ(-1, s.Find('b', 5));
    EXPECT_EQ(-1, s.Find('b', 100));
    EXPECT_EQ(1, s.Find('b', -4));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(3, s.Find("abc", 1));
    EXPECT_EQ(0, s.Find("abc"));
    EXPECT_EQ(-1, s.Find("abcd"));
    EXPECT_EQ(-1, s.Find("c", 7));
    EXPECT_EQ(4, s.ReverseFind('b'));
    EXPECT_EQ(-1, s.ReverseFind('x'));
    EXPECT_EQ(2, s.FindOneOf("xyc"));
    EXPECT_EQ(-1, s.FindOneOf("xyz"));
    EXPECT_EQ(-1, s.FindOneOf(""));
    EXPECT_EQ(-1, CString().Find('a'));
}

TEST(String, ReplaceRemoveInsertDelete)
{
    CString s("a;b;;c");
    EXPECT_EQ(3, s.Replace(";", "::"));
    EXPECT_STREQ("a::b::::c", s);
    EXPECT_EQ(0, s.Replace("", "x"));
    EXPECT_EQ(0, s.Replace("zz", "x"));
    EXPECT_EQ(6, s.Replace(":", ""));
    EXPECT_STREQ("abc", s);

    CString aaa("aaaa");
    EXPECT_EQ(2, aaa.Replace("aa", "a"));   // left to right, no overlap
    EXPECT_STREQ("aa", aaa);

    CString chars("x.y.z");
    EXPECT_EQ(2, chars.Replace('.', '/'));
    EXPECT_STREQ("x/y/z", chars);
    EXPECT_EQ(0, chars.Replace('/', '/'));

    // The replacement may come from the string itself.
    CString self("ab");
    EXPECT_EQ(1, self.Replace("a", (LPCSTR)self));
    EXPECT_STREQ("abb", self);

    CString r("banana");
    EXPECT_EQ(3, r.Remove('a'));
    EXPECT_STREQ("bnn", r);
    EXPECT_EQ(0, r.Remove('q'));

    CString ins("ace");
    EXPECT_EQ(4, ins.Insert(1, 'b'));
    EXPECT_EQ(5, ins.Insert(3, "d"));
    EXPECT_STREQ("abcde", ins);
    EXPECT_EQ(7, ins.Insert(100, "fg"));   // past the end: appended
    EXPECT_EQ(8, ins.Insert(-2, "_"));     // before the start: prepended
    EXPECT_STREQ("_abcdefg", ins);

    CString del("abcdef");
    EXPECT_EQ(4, del.Delete(1, 2));
    EXPECT_STREQ("adef", del);
    EXPECT_EQ(2, del.Delete(2, 100));
    EXPECT_STREQ("ad", del);
    EXPECT_EQ(2, del.Delete(5));
    EXPECT_EQ(1, del.Delete(0));
    EXPECT_STREQ("d", del);
}

TEST(String, TrimVariants)
{
    CString s(" \t hello \r\n");
    s.Trim();
    EXPECT_STREQ("hello", s);

    CString left("  x  ");
    left.TrimLeft();
    EXPECT_STREQ("x  ", left);
    CString right("  x  ");
    right.TrimRight();
    EXPECT_STREQ("  x", right);

    CString chars("xxabcxx");
    chars.Trim('x');
    EXPECT_STREQ("abc", chars);
    CString set("-+-a-b+-");
    set.Trim("+-");
    EXPECT_STREQ("a-b", set);
    CString all("    ");
    all.Trim();
    EXPECT_TRUE(all.IsEmpty());
    CString none("abc");
    none.TrimLeft("xyz").TrimRight('q');
    EXPECT_STREQ("abc", none);
}

TEST(String, CaseReverseSpanTokenize)
{
    CString s("Hello World");
    EXPECT_STREQ("HELLO WORLD", CString(s).MakeUpper());
    EXPECT_STREQ("hello world", CString(s).MakeLower());
    EXPECT_STREQ("dlroW olleH", CString(s).MakeReverse());

    CString digits("123abc456");
    EXPECT_STREQ("123", digits.SpanIncluding("0123456789"));
    EXPECT_STREQ("", digits.SpanIncluding("abc"));
    EXPECT_STREQ("123", digits.SpanExcluding("abc"));
    EXPECT_STREQ("123abc456", digits.SpanExcluding(""));

    CString line(";;a;bb;;c;");
    int nPos = 0;
    EXPECT_STREQ("a", line.Tokenize(";", nPos));
    EXPECT_STREQ("bb", line.Tokenize(";", nPos));
    EXPECT_STREQ("c", line.Tokenize(";", nPos));
    EXPECT_STREQ("", line.Tokenize(";", nPos));
    EXPECT_EQ(-1, nPos);

    // With no delimiters the rest comes once, then the end.
    CString rest("abc");
    nPos = 1;
    EXPECT_STREQ("bc", rest.Tokenize("", nPos));
    EXPECT_STREQ("", rest.Tokenize("", nPos));
    EXPECT_EQ(-1, nPos);
}

TEST(String, Format)
{
    CString s;
    s.Format("%d-%05.1f-%s-%c-%x", 42, 3.14159, "txt", 'Z', 255);
    EXPECT_STREQ("42-003.1-txt-Z-ff", s);

    // The argument may be the string being formatted.
    s = "abc";
    s.Format("[%s]", (LPCSTR)s);
    EXPECT_STREQ("[abc]", s);

    s.AppendFormat("%d%%", 50);
    EXPECT_STREQ("[abc]50%", s);
    s.AppendFormat("%s", (LPCSTR)s);
    EXPECT_STREQ("[abc]50%[abc]50%", s);

    CString big;
    big.Format("%s|%s", std::string(3000, 'a').c_str(), std::string(2000, 'b').c_str());
    EXPECT_EQ(5001, big.GetLength());
    EXPECT_EQ('|', big[3000]);

    CString i64;
    i64.Format("%I64d", (LONGLONG)1 << 40);
    EXPECT_STREQ("1099511627776", i64);

    CString empty;
    empty.Format("%s", "");
    EXPECT_TRUE(empty.IsEmpty());

    CString message;
    message.FormatMessage("%1 has %2!d! items", "list", 3);
    EXPECT_STREQ("list has 3 items", message);
}

TEST(String, BufferAccess)
{
    CString s("abc");
    LPSTR p = s.GetBuffer(10);
    EXPECT_STREQ("abc", p);   // content kept
    strcpy(p, "longer text");
    s.ReleaseBuffer();
    EXPECT_EQ(11, s.GetLength());
    EXPECT_STREQ("longer text", s);

    p = s.GetBuffer(0);
    p[3] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ("lon", s);

    p = s.GetBufferSetLength(5);
    memcpy(p, "12345", 5);
    s.ReleaseBuffer(4);
    EXPECT_STREQ("1234", s);

    CString fromEmpty;
    p = fromEmpty.GetBuffer(MAX_PATH);
    GetWindowsDirectoryA(p, MAX_PATH);
    fromEmpty.ReleaseBuffer();
    EXPECT_GT(fromEmpty.GetLength(), 0);
    EXPECT_EQ((int)strlen(fromEmpty), fromEmpty.GetLength());

    CString shrink("abcdef");
    shrink.Truncate(2);
    EXPECT_STREQ("ab", shrink);
    shrink.FreeExtra();
    EXPECT_STREQ("ab", shrink);
    shrink.Empty();
    EXPECT_TRUE(shrink.IsEmpty());
}

TEST(String, AllocSysStringConvertsToUtf16)
{
    CString s("Gr\xFC\xDF" "e");
    BSTR bstr = s.AllocSysString();
    ASSERT_TRUE(bstr != NULL);
    EXPECT_EQ(5u, SysStringLen(bstr));
    EXPECT_EQ(0, wcscmp(L"Gr\u00FC\u00DFe", bstr));
    SysFreeString(bstr);

    BSTR bstrEmpty = CString().AllocSysString();
    ASSERT_TRUE(bstrEmpty != NULL);
    EXPECT_EQ(0u, SysStringLen(bstrEmpty));
    SysFreeString(bstrEmpty);
}

// String resources: user32 carries a string table; compare with the texts
// the system gives for the same ids.
TEST(String, LoadStringFromAModule)
{
    HMODULE hModule = GetModuleHandleA("user32.dll");
    ASSERT_TRUE(hModule != NULL);
    UINT nFound = 0;
    int nChecked = 0;
    for (UINT nID = 0; nID < 0x2000 && nChecked < 20; ++nID)
    {
        WCHAR szWide[1024];
        int nWide = LoadStringW(hModule, nID, szWide, _countof(szWide));
        if (nWide <= 0)
            continue;
        CString strExpected(szWide, nWide);
        CString strLoaded;
        EXPECT_TRUE(strLoaded.LoadString(hModule, nID)) << nID;
        EXPECT_STREQ(strExpected, strLoaded) << nID;
        if (nFound == 0)
            nFound = nID;
        ++nChecked;
    }
    ASSERT_GT(nChecked, 0);

    CString strMissing("keep?");
    EXPECT_FALSE(strMissing.LoadString(hModule, 0xFFF0));
    EXPECT_TRUE(strMissing.IsEmpty());

    // Through the resource module, also by MAKEINTRESOURCE.
    HINSTANCE hOld = AfxGetResourceHandle();
    AfxSetResourceHandle(hModule);
    CString strById;
    EXPECT_TRUE(strById.LoadString(nFound));
    CString strByResource((LPCSTR)MAKEINTRESOURCE(nFound));
    EXPECT_STREQ(strById, strByResource);
    EXPECT_FALSE(strById.IsEmpty());
    AfxSetResourceHandle(hOld);
}
