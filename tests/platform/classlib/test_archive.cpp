// Tests of CArchive against hand-written byte sequences: primitives,
// strings, counts, the persistent object format and damaged streams.

#include "afx.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace
{
// Every test object alive, so that tests can check for leaks and clean up
// after a failed read.
std::set<CObject*> g_liveObjects;

void DeleteLiveObjects()
{
    std::set<CObject*> objects = g_liveObjects;
    for (CObject* pOb : objects)
        delete pOb;
}

// Little-endian byte sequence written by hand.
struct Bytes
{
    std::vector<BYTE> v;
    Bytes& b(BYTE x) { v.push_back(x); return *this; }
    Bytes& w(WORD x) { b(LOBYTE(x)); return b(HIBYTE(x)); }
    Bytes& dw(DWORD x) { w(LOWORD(x)); return w(HIWORD(x)); }
    Bytes& chars(const char* psz) { while (*psz) b(static_cast<BYTE>(*psz++)); return *this; }
    Bytes& fill(size_t n, BYTE x) { v.insert(v.end(), n, x); return *this; }
    // New-class record: tag 0xFFFF, schema, name length, name.
    Bytes& newClass(WORD wSchema, const char* pszName)
    {
        return w(0xFFFF).w(wSchema).w(static_cast<WORD>(strlen(pszName))).chars(pszName);
    }
};

std::vector<BYTE> Store(const std::function<void(CArchive&)>& fn, int nBufSize = 4096)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store, nBufSize);
        fn(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void Load(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& fn, int nBufSize = 4096)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.empty() ? NULL : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, nBufSize);
    fn(ar);
}

// The cause of the CArchiveException that fn throws; -1 when it throws
// nothing, -2 for any other exception.
int ArchiveCause(const std::function<void()>& fn)
{
    try
    {
        fn();
    }
    catch (CArchiveException* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    catch (CException* e)
    {
        e->Delete();
        return -2;
    }
    return -1;
}

int LoadCause(const std::vector<BYTE>& bytes, const std::function<void(CArchive&)>& fn)
{
    return ArchiveCause([&] { Load(bytes, fn); });
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Test classes

class CArcTestA : public CObject
{
    DECLARE_SERIAL(CArcTestA)
public:
    CArcTestA() { g_liveObjects.insert(this); }
    explicit CArcTestA(LONG nValue) : m_nValue(nValue) { g_liveObjects.insert(this); }
    virtual ~CArcTestA() { g_liveObjects.erase(this); }
    virtual void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_nValue;
        else
            ar >> m_nValue;
    }
    LONG m_nValue = 0;
};
IMPLEMENT_SERIAL(CArcTestA, CObject, 0)

class CArcTestC : public CArcTestA
{
    DECLARE_SERIAL(CArcTestC)
public:
    CArcTestC() {}
};
IMPLEMENT_SERIAL(CArcTestC, CArcTestA, 0)

// A named object with a reference to another object (not owned).
class CArcTestB : public CObject
{
    DECLARE_SERIAL(CArcTestB)
public:
    CArcTestB() { g_liveObjects.insert(this); }
    virtual ~CArcTestB() { g_liveObjects.erase(this); }
    virtual void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_strName << m_pChild;
        else
            ar >> m_strName >> m_pChild;
    }
    CString m_strName;
    CObject* m_pChild = NULL;
};
IMPLEMENT_SERIAL(CArcTestB, CObject, 2)

class CArcTestVersioned : public CObject
{
    DECLARE_SERIAL(CArcTestVersioned)
public:
    CArcTestVersioned() { g_liveObjects.insert(this); }
    virtual ~CArcTestVersioned() { g_liveObjects.erase(this); }
    virtual void Serialize(CArchive& ar) override
    {
        if (!ar.IsStoring())
            m_nSchemaRead = ar.GetObjectSchema();
    }
    UINT m_nSchemaRead = 0;
};
IMPLEMENT_SERIAL(CArcTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)

// Reads a value and then fails.
class CArcTestFail : public CObject
{
    DECLARE_SERIAL(CArcTestFail)
public:
    CArcTestFail() { g_liveObjects.insert(this); }
    virtual ~CArcTestFail() { g_liveObjects.erase(this); }
    virtual void Serialize(CArchive& ar) override
    {
        if (!ar.IsStoring())
        {
            LONG n;
            ar >> n;
            AfxThrowArchiveException(CArchiveException::genericException);
        }
    }
};
IMPLEMENT_SERIAL(CArcTestFail, CObject, 0)

class CArcTestNoSerial : public CObject
{
    DECLARE_DYNCREATE(CArcTestNoSerial)
public:
    CArcTestNoSerial() {}
};
IMPLEMENT_DYNCREATE(CArcTestNoSerial, CObject)

namespace
{
// Reads a counted object list as the class library's list does.
void ReadList(CArchive& ar, std::vector<CObject*>& objects)
{
    DWORD_PTR nCount = ar.ReadCount();
    for (DWORD_PTR i = 0; i < nCount; ++i)
        objects.push_back(ar.ReadObject(NULL));
}

// The list used by the object-format tests, and its bytes written by hand.
//   A(10) A(20) B("b1" -> first A) null  second-A-again  C(30)  B("b2" -> new A(40))
// Indices: class A 1, A(10) 2, A(20) 3, class B 4, B1 5, class C 6, C(30) 7,
// B2 8, A(40) 9.
std::vector<BYTE> ExpectedListBytes()
{
    Bytes x;
    x.w(7);                                            // count
    x.newClass(0, "CArcTestA").dw(10);                 // A(10)
    x.w(0x8001).dw(20);                                // A(20): class 1
    x.newClass(2, "CArcTestB").b(2).chars("b1").w(2);  // B1, child = object 2
    x.w(0);                                            // null
    x.w(3);                                            // A(20) again
    x.newClass(0, "CArcTestC").dw(30);                 // C(30)
    x.w(0x8004).b(2).chars("b2").w(0x8001).dw(40);     // B2 with a new A(40)
    return x.v;
}
} // namespace

/////////////////////////////////////////////////////////////////////////////
// Primitives

TEST(Archive, PrimitivesAreLittleEndian)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << (BYTE)0xAB << (WORD)0x1234 << (LONG)-2 << (DWORD)0x89ABCDEF << (int)0x01020304
           << (short)-3 << 'c' << (unsigned)7 << (LONGLONG)0x0102030405060708LL << 1.0f;
    });
    Bytes x;
    x.b(0xAB).w(0x1234).dw(0xFFFFFFFE).dw(0x89ABCDEF).dw(0x01020304).w(0xFFFD).b('c').dw(7)
        .dw(0x05060708).dw(0x01020304).dw(0x3F800000);
    EXPECT_EQ(x.v, bytes);
}

TEST(Archive, PrimitivesRoundTrip)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << (BYTE)255 << (WORD)65535 << (LONG)LONG_MIN << (DWORD)0xFFFFFFFF << 3.25f
           << -1.0e300 << (LONGLONG)LLONG_MIN << (ULONGLONG)ULLONG_MAX << INT_MAX
           << (short)SHRT_MIN << (char)-1 << L'\x20AC' << UINT_MAX;
    });
    EXPECT_EQ(1 + 2 + 4 + 4 + 4 + 8 + 8 + 8 + 4 + 2 + 1 + 2 + 4, (int)bytes.size());
    Load(bytes, [](CArchive& ar) {
        BYTE by; WORD w; LONG l; DWORD dw; float f; double d; LONGLONG ll; ULONGLONG ull;
        int i; short s; char ch; wchar_t wch; unsigned u;
        ar >> by >> w >> l >> dw >> f >> d >> ll >> ull >> i >> s >> ch >> wch >> u;
        EXPECT_EQ(255, by);
        EXPECT_EQ(65535, w);
        EXPECT_EQ(LONG_MIN, l);
        EXPECT_EQ(0xFFFFFFFFu, dw);
        EXPECT_EQ(3.25f, f);
        EXPECT_EQ(-1.0e300, d);
        EXPECT_EQ(LLONG_MIN, ll);
        EXPECT_EQ(ULLONG_MAX, ull);
        EXPECT_EQ(INT_MAX, i);
        EXPECT_EQ(SHRT_MIN, s);
        EXPECT_EQ((char)-1, ch);
        EXPECT_EQ(L'\x20AC', wch);
        EXPECT_EQ(UINT_MAX, u);
        EXPECT_TRUE(ar.IsBufferEmpty());
    });
}

TEST(Archive, GeometryAndRawData)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << CSize(1, -1) << CPoint(2, 3) << CRect(4, 5, 6, 7);
        ar.Write("raw", 3);
    });
    Bytes x;
    x.dw(1).dw(0xFFFFFFFF).dw(2).dw(3).dw(4).dw(5).dw(6).dw(7).chars("raw");
    EXPECT_EQ(x.v, bytes);
    Load(bytes, [](CArchive& ar) {
        CSize size;
        CPoint pt;
        CRect rc;
        ar >> size >> pt >> rc;
        EXPECT_EQ(CSize(1, -1), size);
        EXPECT_EQ(CPoint(2, 3), pt);
        EXPECT_EQ(CRect(4, 5, 6, 7), rc);
        char raw[8] = {};
        EXPECT_EQ(3u, ar.Read(raw, sizeof(raw)));   // short read, no exception
        EXPECT_STREQ("raw", raw);
    });
}

TEST(Archive, WrongDirectionIsRefused)
{
    EXPECT_EQ(CArchiveException::readOnly, LoadCause(Bytes().dw(1).v, [](CArchive& ar) { ar << (LONG)1; }));
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_EQ(CArchiveException::writeOnly, ArchiveCause([&] { LONG l; ar >> l; }));
}

/////////////////////////////////////////////////////////////////////////////
// Strings and counts

TEST(Archive, StringLengthPrefixes)
{
    struct Case
    {
        int nLength;
        std::vector<BYTE> prefix;
    };
    const Case cases[] = {
        { 0, Bytes().b(0).v },
        { 1, Bytes().b(1).v },
        { 254, Bytes().b(254).v },
        { 255, Bytes().b(0xFF).w(255).v },
        { 65533, Bytes().b(0xFF).w(65533).v },
        { 65534, Bytes().b(0xFF).w(0xFFFF).dw(65534).v },
        { 65535, Bytes().b(0xFF).w(0xFFFF).dw(65535).v },
        { 70000, Bytes().b(0xFF).w(0xFFFF).dw(70000).v },
    };
    for (const Case& c : cases)
    {
        std::string text(static_cast<size_t>(c.nLength), 'x');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<char>('A' + i % 23);
        CString str(text.c_str());
        std::vector<BYTE> bytes = Store([&](CArchive& ar) { ar << str; }, 128);
        std::vector<BYTE> expected = c.prefix;
        expected.insert(expected.end(), text.begin(), text.end());
        EXPECT_EQ(expected, bytes) << "length " << c.nLength;

        CString back("old");
        Load(bytes, [&](CArchive& ar) {
            ar >> back;
            EXPECT_TRUE(ar.IsBufferEmpty());
        }, 128);
        EXPECT_EQ(c.nLength, back.GetLength());
        EXPECT_TRUE(back == str) << "length " << c.nLength;
    }
}

TEST(Archive, StringsInSequenceAndNonCanonicalPrefixes)
{
    // A 3-byte prefix for a short length is accepted on reading.
    Bytes x;
    x.b(3).chars("abc").b(0xFF).w(2).chars("de").b(0).b(0xFF).w(0xFFFF).dw(1).chars("f");
    Load(x.v, [](CArchive& ar) {
        CString a, b, c, d;
        ar >> a >> b >> c >> d;
        EXPECT_STREQ("abc", a);
        EXPECT_STREQ("de", b);
        EXPECT_STREQ("", c);
        EXPECT_STREQ("f", d);
    });
}

TEST(Archive, Utf16StringsAreConvertedOnReading)
{
    Bytes x;
    x.b(0xFF).w(0xFFFE).b(3).w('a').w('b').w(0x00FC);   // "abü"
    x.b(0xFF).w(0xFFFE).b(0xFF).w(300);                 // 300 characters
    for (int i = 0; i < 300; ++i)
        x.w(static_cast<WORD>('0' + i % 10));
    x.b(0xFF).w(0xFFFE).b(0);                           // empty
    Load(x.v, [](CArchive& ar) {
        CString a, b, c("x");
        ar >> a >> b >> c;
        EXPECT_STREQ("ab\xFC", a);
        EXPECT_EQ(300, b.GetLength());
        EXPECT_STREQ("0123456789", b.Left(10));
        EXPECT_EQ('9', b[299]);
        EXPECT_TRUE(c.IsEmpty());
    });
    // A second marker is damage.
    Bytes twice;
    twice.b(0xFF).w(0xFFFE).b(0xFF).w(0xFFFE).b(1).w('a');
    EXPECT_EQ(CArchiveException::genericException, LoadCause(twice.v, [](CArchive& ar) { CString s; ar >> s; }));
}

TEST(Archive, Counts)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0xFFFE);
        ar.WriteCount(0xFFFF);
        ar.WriteCount(70000);
    });
    Bytes x;
    x.w(0).w(0xFFFE).w(0xFFFF).dw(0xFFFF).w(0xFFFF).dw(70000);
    EXPECT_EQ(x.v, bytes);

    // Counts are read back only while enough bytes follow (one per item).
    Bytes y;
    y.w(3).fill(3, 0).w(0xFFFF).dw(5).fill(5, 0);
    Load(y.v, [](CArchive& ar) {
        EXPECT_EQ(3u, ar.ReadCount());
        BYTE skip[3];
        ar.EnsureRead(skip, 3);
        EXPECT_EQ(5u, ar.ReadCount());
    });
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause(Bytes().w(4).fill(3, 0).v, [](CArchive& ar) { ar.ReadCount(); }));
    EXPECT_EQ(CArchiveException::endOfFile,
              LoadCause(Bytes().w(0xFFFF).dw(0xFFFFFFF0).fill(16, 0).v, [](CArchive& ar) { ar.ReadCount(); }));
}

TEST(Archive, TextLines)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar.WriteString("one\r\ntwo\n\nthree\rfour");
    });
    EXPECT_EQ(std::string("one\r\ntwo\n\nthree\rfour"), std::string(bytes.begin(), bytes.end()));
    Load(bytes, [](CArchive& ar) {
        CString line;
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("one", line);
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("two", line);
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("", line);
        char sz[4];
        ASSERT_TRUE(ar.ReadString(sz, sizeof(sz)) != NULL);   // cut at 3 characters
        EXPECT_STREQ("thr", sz);
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("ee", line);
        ASSERT_TRUE(ar.ReadString(line));
        EXPECT_STREQ("four", line);
        EXPECT_FALSE(ar.ReadString(line));
        EXPECT_TRUE(line.IsEmpty());
        EXPECT_TRUE(ar.ReadString(sz, sizeof(sz)) == NULL);
    }, 128);
}

/////////////////////////////////////////////////////////////////////////////
// The empty publication: 71 bytes

TEST(Archive, EmptyPublicationStream)
{
    std::vector<BYTE> bytes = Store([](CArchive& ar) {
        ar << CString("Stickwell") << CString("Quorvane") << CString("labf");
        ar << (int)201 << (int)0;                 // version, publication type
        ar.WriteCount(0);                         // element list
        ar << (int)0x00FFFFFF << (int)0x00FFFFFF  // front and back page colours
           << (int)0x00808080 << (int)5;          // shadow colour and length
        ar << (int)400 << (int)200 << (int)850 << (int)1100 << (int)0;
        ar << CString();                          // data-source description
    });
    const BYTE expected[71] = {
        0x09, 'S', 't', 'i', 'c', 'k', 'w', 'e', 'l', 'l',
        0x08, 'Q', 'u', 'o', 'r', 'v', 'a', 'n', 'e',
        0x04, 'l', 'a', 'b', 'f',
        0xC9, 0x00, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00,
        0x00, 0x00,
        0xFF, 0xFF, 0xFF, 0x00,
        0xFF, 0xFF, 0xFF, 0x00,
        0x80, 0x80, 0x80, 0x00,
        0x05, 0x00, 0x00, 0x00,
        0x90, 0x01, 0x00, 0x00,
        0xC8, 0x00, 0x00, 0x00,
        0x52, 0x03, 0x00, 0x00,
        0x4C, 0x04, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00,
        0x00,
    };
    EXPECT_EQ(std::vector<BYTE>(expected, expected + 71), bytes);

    Load(bytes, [](CArchive& ar) {
        CString product, company, tag, description("x");
        int nVersion, nType, clrFront, clrBack, clrShadow, nShadow, cx, cy, sx, sy, nType2;
        ar >> product >> company >> tag >> nVersion >> nType;
        EXPECT_EQ(0u, ar.ReadCount());
        ar >> clrFront >> clrBack >> clrShadow >> nShadow >> cx >> cy >> sx >> sy >> nType2 >> description;
        EXPECT_STREQ("labf", tag);
        EXPECT_EQ(201, nVersion);
        EXPECT_EQ(0x00808080, clrShadow);
        EXPECT_EQ(1100, sy);
        EXPECT_TRUE(description.IsEmpty());
        LONG nMore;
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> nMore; }));
    });
}

/////////////////////////////////////////////////////////////////////////////
// Object format

TEST(Archive, ObjectListBytesAndIndexCounting)
{
    CArcTestA a10(10), a20(20), a40(40);
    CArcTestC c30;
    c30.m_nValue = 30;
    CArcTestB b1, b2;
    b1.m_strName = "b1";
    b1.m_pChild = &a10;
    b2.m_strName = "b2";
    b2.m_pChild = &a40;
    const CObject* list[] = { &a10, &a20, &b1, NULL, &a20, &c30, &b2 };
    std::vector<BYTE> bytes = Store([&](CArchive& ar) {
        ar.WriteCount(_countof(list));
        for (const CObject* pOb : list)
            ar << pOb;
    });
    EXPECT_EQ(ExpectedListBytes(), bytes);
}

TEST(Archive, ObjectListReadsBackSharedObjects)
{
    size_t nLiveBefore = g_liveObjects.size();
    std::vector<CObject*> objects;
    std::vector<BOOL> backRefs;
    Load(ExpectedListBytes(), [&](CArchive& ar) {
        DWORD_PTR nCount = ar.ReadCount();
        for (DWORD_PTR i = 0; i < nCount; ++i)
        {
            objects.push_back(ar.ReadObject(RUNTIME_CLASS(CObject)));
            backRefs.push_back(ar.IsLastReadBackReference());
        }
    });
    ASSERT_EQ(7u, objects.size());
    EXPECT_EQ(std::vector<BOOL>({ FALSE, FALSE, FALSE, FALSE, TRUE, FALSE, FALSE }), backRefs);
    ASSERT_TRUE(objects[0]->IsKindOf(RUNTIME_CLASS(CArcTestA)));
    EXPECT_EQ(10, static_cast<CArcTestA*>(objects[0])->m_nValue);
    EXPECT_EQ(20, static_cast<CArcTestA*>(objects[1])->m_nValue);
    ASSERT_EQ(RUNTIME_CLASS(CArcTestB), objects[2]->GetRuntimeClass());
    CArcTestB* pB1 = static_cast<CArcTestB*>(objects[2]);
    EXPECT_STREQ("b1", pB1->m_strName);
    EXPECT_EQ(objects[0], pB1->m_pChild);         // same object, not a copy
    EXPECT_EQ(NULL, objects[3]);
    EXPECT_EQ(objects[1], objects[4]);
    ASSERT_EQ(RUNTIME_CLASS(CArcTestC), objects[5]->GetRuntimeClass());
    EXPECT_EQ(30, static_cast<CArcTestC*>(objects[5])->m_nValue);
    CArcTestB* pB2 = static_cast<CArcTestB*>(objects[6]);
    ASSERT_TRUE(pB2->m_pChild != NULL);
    EXPECT_EQ(40, static_cast<CArcTestA*>(pB2->m_pChild)->m_nValue);
    EXPECT_EQ(nLiveBefore + 6, g_liveObjects.size());   // 5 distinct in the list + A(40)
    DeleteLiveObjects();
}

TEST(Archive, BigIndexEscape)
{
    // Class A is index 1 and the objects 2, 3, ...: after 32766 objects the
    // last has index 0x7FFF, written again as 0x7FFF + 32-bit index.  Class B
    // then gets 0x8000 and a second B refers to it with the big class tag.
    const int nObjects = 32766;
    std::vector<BYTE> bytes;
    {
        std::vector<CArcTestA*> objects;
        for (int i = 0; i < nObjects; ++i)
            objects.push_back(new CArcTestA(i));
        CArcTestB b1, b2;
        bytes = Store([&](CArchive& ar) {
            for (CArcTestA* pOb : objects)
                ar << pOb;
            ar << objects.back() << &b1 << &b2;
        });
        for (CArcTestA* pOb : objects)
            delete pOb;
    }
    Bytes tail;
    tail.w(0x7FFF).dw(0x7FFF);                                 // back-reference to 0x7FFF
    tail.newClass(2, "CArcTestB").b(0).w(0);                   // B1: class 0x8000, object 0x8001
    tail.w(0x7FFF).dw(0x80008000).b(0).w(0);                   // B2: big class reference
    ASSERT_GT(bytes.size(), tail.v.size());
    EXPECT_EQ(tail.v, std::vector<BYTE>(bytes.end() - tail.v.size(), bytes.end()));
    // The object with index 0x7FFF was first written after a short class tag.
    EXPECT_EQ(Bytes().w(0x8001).dw(nObjects - 1).v,
              std::vector<BYTE>(bytes.end() - tail.v.size() - 6, bytes.end() - tail.v.size()));

    Load(bytes, [&](CArchive& ar) {
        std::vector<CObject*> read;
        for (int i = 0; i < nObjects + 3; ++i)
            read.push_back(ar.ReadObject(NULL));
        EXPECT_EQ(read[nObjects - 1], read[nObjects]);
        EXPECT_EQ(nObjects - 1, static_cast<CArcTestA*>(read[nObjects])->m_nValue);
        EXPECT_EQ(RUNTIME_CLASS(CArcTestB), read[nObjects + 1]->GetRuntimeClass());
        EXPECT_EQ(RUNTIME_CLASS(CArcTestB), read[nObjects + 2]->GetRuntimeClass());
        EXPECT_NE(read[nObjects + 1], read[nObjects + 2]);
    });
    DeleteLiveObjects();
}

TEST(Archive, WriteClassAndMapObject)
{
    CArcTestA a;
    std::vector<BYTE> bytes = Store([&](CArchive& ar) {
        ar.WriteClass(RUNTIME_CLASS(CArcTestA));   // index 1
        ar.MapObject(&a);                          // index 2
        ar.SerializeClass(RUNTIME_CLASS(CArcTestA));
        ar << &a;                                  // known: a back-reference
    });
    Bytes x;
    x.newClass(0, "CArcTestA").w(0x8001).w(2);
    EXPECT_EQ(x.v, bytes);

    Load(bytes, [&](CArchive& ar) {
        EXPECT_EQ(RUNTIME_CLASS(CArcTestA), ar.ReadClass(RUNTIME_CLASS(CArcTestA)));
        ar.MapObject(&a);
        ar.SerializeClass(RUNTIME_CLASS(CArcTestA));
        EXPECT_EQ(0u, ar.GetObjectSchema());
        EXPECT_EQ((UINT)-1, ar.GetObjectSchema());
        EXPECT_EQ(&a, ar.ReadObject(RUNTIME_CLASS(CArcTestA)));
        EXPECT_TRUE(ar.IsLastReadBackReference());
    });
}

TEST(Archive, VersionableSchemaIsHandedToSerialize)
{
    Bytes x;
    x.newClass(1, "CArcTestVersioned").w(0x8001);
    Load(x.v, [](CArchive& ar) {
        CObject* p1 = ar.ReadObject(NULL);
        CObject* p2 = ar.ReadObject(NULL);
        EXPECT_EQ(1u, static_cast<CArcTestVersioned*>(p1)->m_nSchemaRead);
        EXPECT_EQ(1u, static_cast<CArcTestVersioned*>(p2)->m_nSchemaRead);
    });
    DeleteLiveObjects();
}

TEST(Archive, NotSerializableClassCannotBeWritten)
{
    CArcTestNoSerial ob;
    bool bThrown = false;
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    try
    {
        ar << &ob;
    }
    catch (CNotSupportedException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

/////////////////////////////////////////////////////////////////////////////
// Damaged streams

TEST(Archive, BadClassesSchemasAndIndices)
{
    auto readOne = [](CArchive& ar) { ar.ReadObject(NULL); };
    auto readA = [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CArcTestA)); };

    EXPECT_EQ(CArchiveException::badClass, LoadCause(Bytes().newClass(0, "CNoSuchClass").v, readOne));
    EXPECT_EQ(CArchiveException::badClass, LoadCause(Bytes().newClass(0, "carctesta").dw(0).v, readOne));
    // Registered, but not serializable: never created from a file.
    EXPECT_EQ(CArchiveException::badClass, LoadCause(Bytes().newClass(0xFFFF, "CArcTestNoSerial").v, readOne));
    EXPECT_EQ(CArchiveException::badClass, LoadCause(Bytes().newClass(0xFFFF, "CFile").v, readOne));
    // A name longer than any class name.
    EXPECT_EQ(CArchiveException::badClass,
              LoadCause(Bytes().w(0xFFFF).w(0).w(200).fill(200, 'A').v, readOne));
    // A name with a terminator inside.
    Bytes zero;
    zero.w(0xFFFF).w(0).w(10).chars("CArcTestA").b(0);
    EXPECT_EQ(CArchiveException::badClass, LoadCause(zero.v, readOne));

    EXPECT_EQ(CArchiveException::badSchema, LoadCause(Bytes().newClass(1, "CArcTestA").dw(0).v, readOne));

    // Class and object references to unknown or wrong kinds of entries.
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Bytes().w(0x8001).v, readOne));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Bytes().w(0x8000).v, readOne));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Bytes().w(5).v, readOne));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Bytes().w(0x7FFF).dw(0x7FFFFFFF).v, readOne));
    EXPECT_EQ(CArchiveException::badIndex, LoadCause(Bytes().w(0x7FFF).dw(0x80000001).v, readOne));
    auto readTwo = [](CArchive& ar) { ar.ReadObject(NULL); ar.ReadObject(NULL); };
    EXPECT_EQ(CArchiveException::badIndex,   // index 1 is a class, not an object
              LoadCause(Bytes().newClass(0, "CArcTestA").dw(1).w(1).v, readTwo));
    EXPECT_EQ(CArchiveException::badIndex,   // index 2 is an object, not a class
              LoadCause(Bytes().newClass(0, "CArcTestA").dw(1).w(0x8002).v, readTwo));

    // An object of another class than the one required.
    EXPECT_EQ(CArchiveException::badClass, LoadCause(Bytes().newClass(2, "CArcTestB").b(0).w(0).v, readA));
    EXPECT_EQ(CArchiveException::badClass,   // also for a back-reference
              LoadCause(Bytes().newClass(2, "CArcTestB").b(0).w(0).w(2).v,
                        [](CArchive& ar) { ar.ReadObject(NULL); ar.ReadObject(RUNTIME_CLASS(CArcTestA)); }));
    // A derived class is accepted.
    Load(Bytes().newClass(0, "CArcTestC").dw(5).v, [](CArchive& ar) {
        CObject* p = ar.ReadObject(RUNTIME_CLASS(CArcTestA));
        EXPECT_EQ(RUNTIME_CLASS(CArcTestC), p->GetRuntimeClass());
    });
    DeleteLiveObjects();
    EXPECT_TRUE(g_liveObjects.empty());
}

TEST(Archive, FailingObjectIsDeleted)
{
    size_t nLiveBefore = g_liveObjects.size();
    Bytes x;
    x.newClass(0, "CArcTestFail").dw(1).w(2);
    Load(x.v, [&](CArchive& ar) {
        EXPECT_EQ(CArchiveException::genericException, ArchiveCause([&] { ar.ReadObject(NULL); }));
        EXPECT_EQ(nLiveBefore, g_liveObjects.size());
        // A later reference to the deleted object is refused.
        EXPECT_EQ(CArchiveException::badIndex, ArchiveCause([&] { ar.ReadObject(NULL); }));
    });
}

TEST(Archive, EveryTruncationThrowsEndOfFile)
{
    const std::vector<BYTE> full = ExpectedListBytes();
    for (size_t nCut = 0; nCut < full.size(); ++nCut)
    {
        std::vector<BYTE> cut(full.begin(), full.begin() + nCut);
        std::vector<CObject*> objects;
        int nCause = LoadCause(cut, [&](CArchive& ar) { ReadList(ar, objects); });
        EXPECT_EQ(CArchiveException::endOfFile, nCause) << "cut at " << nCut;
        DeleteLiveObjects();
    }
    // The whole stream reads.
    std::vector<CObject*> objects;
    EXPECT_EQ(-1, LoadCause(full, [&](CArchive& ar) { ReadList(ar, objects); }));
    EXPECT_EQ(7u, objects.size());
    DeleteLiveObjects();
    EXPECT_TRUE(g_liveObjects.empty());
}

TEST(Archive, CorruptBytesThrowOrReadButNeverCrash)
{
    const std::vector<BYTE> full = ExpectedListBytes();
    const BYTE values[] = { 0x00, 0x01, 0x02, 0x7F, 0x80, 0xFE, 0xFF };
    int nFailures = 0;
    for (size_t nPos = 0; nPos < full.size(); ++nPos)
    {
        for (BYTE value : values)
        {
            std::vector<BYTE> bytes = full;
            bytes[nPos] = value;
            std::vector<CObject*> objects;
            int nCause = LoadCause(bytes, [&](CArchive& ar) { ReadList(ar, objects); });
            EXPECT_NE(-2, nCause) << "position " << nPos << " value " << (int)value;
            if (nCause >= 0)
                ++nFailures;
            DeleteLiveObjects();
        }
    }
    EXPECT_GT(nFailures, 0);
    EXPECT_TRUE(g_liveObjects.empty());
}

TEST(Archive, DeepNestingIsRefusedBeforeTheStackEnds)
{
    // B objects each holding the next as its child.
    auto chain = [](int nDepth) {
        Bytes x;
        x.newClass(2, "CArcTestB").b(0);
        for (int i = 1; i < nDepth; ++i)
            x.w(0x8001).b(0);
        x.w(0);
        return x.v;
    };
    EXPECT_EQ(-1, LoadCause(chain(500), [](CArchive& ar) { ar.ReadObject(NULL); }));
    EXPECT_EQ(500u, g_liveObjects.size());
    DeleteLiveObjects();
    EXPECT_EQ(CArchiveException::genericException,
              LoadCause(chain(200000), [](CArchive& ar) { ar.ReadObject(NULL); }));
    EXPECT_TRUE(g_liveObjects.empty());
}

namespace
{
// A memory file that cannot tell its length.
class CUnknownLengthFile : public CMemFile
{
public:
    CUnknownLengthFile(BYTE* p, UINT n) : CMemFile(p, n) {}
    virtual ULONGLONG GetLength() const override { AfxThrowNotSupportedException(); }
};
} // namespace

TEST(Archive, HugeStringLengthInASmallFileIsRefused)
{
    // 0xFF 0xFFFF and a 32-bit length of 2 GB, in a 20-byte stream.
    Bytes x;
    x.b(0xFF).w(0xFFFF).dw(0x80000000).fill(13, 'a');
    ASSERT_EQ(20u, x.v.size());
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(x.v, [](CArchive& ar) { CString s; ar >> s; }));

    Bytes wide;
    wide.b(0xFF).w(0xFFFE).b(0xFF).w(0xFFFF).dw(0xFFFFFFFF).fill(10, 'a');
    EXPECT_EQ(CArchiveException::endOfFile, LoadCause(wide.v, [](CArchive& ar) { CString s; ar >> s; }));

    // The same through a file on disk.
    char szDir[MAX_PATH];
    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "arc", 0, szPath);
    {
        CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
        file.Write(x.v.data(), static_cast<UINT>(x.v.size()));
    }
    {
        CFile file(szPath, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        CString s("keep");
        EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { ar >> s; }));
        EXPECT_STREQ("keep", s);   // nothing half-read
    }
    DeleteFileA(szPath);

    // And through a file that cannot tell what remains: read in steps.
    Bytes unknown;
    unknown.b(0xFF).w(0xFFFF).dw(0x10000000).fill(13, 'a');
    std::vector<BYTE> copy = unknown.v;
    CUnknownLengthFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    EXPECT_EQ(ULLONG_MAX, ar.GetRemainingBytes());
    EXPECT_EQ(CArchiveException::endOfFile, ArchiveCause([&] { CString s; ar >> s; }));
}

/////////////////////////////////////////////////////////////////////////////
// Archives over files

TEST(Archive, LargeDataThroughASmallBufferOnDisk)
{
    char szDir[MAX_PATH];
    char szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "arc", 0, szPath);

    std::vector<BYTE> block(10000);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<BYTE>(i * 31);
    CString strLong(std::string(70000, 'q').c_str());
    {
        CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store, 128);
        for (int i = 0; i < 100; ++i)
            ar << (LONG)i;
        ar.Write(block.data(), static_cast<UINT>(block.size()));
        ar << strLong << (BYTE)0x5A;
        ar.Close();
        EXPECT_EQ(400u + 10000u + 7u + 70000u + 1u, file.GetLength());
    }
    {
        CFile file(szPath, CFile::modeRead);
        CArchive ar(&file, CArchive::load, 128);
        EXPECT_EQ(80408u, ar.GetRemainingBytes());
        for (int i = 0; i < 100; ++i)
        {
            LONG n;
            ar >> n;
            ASSERT_EQ(i, n);
        }
        std::vector<BYTE> back(block.size());
        ar.EnsureRead(back.data(), static_cast<UINT>(back.size()));
        EXPECT_EQ(block, back);
        CString s;
        BYTE by;
        ar >> s >> by;
        EXPECT_TRUE(s == strLong);
        EXPECT_EQ(0x5A, by);
        EXPECT_EQ(0u, ar.GetRemainingBytes());
    }
    {
        // Closing a loading archive leaves the file just after what was read.
        CFile file(szPath, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        LONG n;
        ar >> n >> n;
        ar.Close();
        EXPECT_EQ(8u, file.GetPosition());
    }
    DeleteFileA(szPath);
}

TEST(Archive, SharedFileCarriesAStreamForTheClipboard)
{
    CArcTestA a(77);
    CSharedFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteCount(1);
        ar << &a;
        ar.Close();
    }
    HGLOBAL hMem = file.Detach();
    ASSERT_TRUE(hMem != NULL);
    CSharedFile reader;
    reader.SetHandle(hMem, FALSE);
    {
        CArchive ar(&reader, CArchive::load);
        std::vector<CObject*> objects;
        ReadList(ar, objects);
        ASSERT_EQ(1u, objects.size());
        EXPECT_EQ(77, static_cast<CArcTestA*>(objects[0])->m_nValue);
        delete objects[0];
    }
    reader.Detach();
    GlobalFree(hMem);
}
