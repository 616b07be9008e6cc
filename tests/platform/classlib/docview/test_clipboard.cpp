// The clipboard through OLE: a registered format carrying an object stream in a
// shared memory file, plain text and bitmaps put there by other programs, and
// who owns a data source once it is on the clipboard.

#include "docdemo.h"
#include "afxole.h"
#include <gtest/gtest.h>

// A serializable item, as copied elements are.
class CClipItem : public CObject
{
    DECLARE_SERIAL(CClipItem)
public:
    CClipItem() : m_nKind(0) {}
    CClipItem(int nKind, LPCTSTR lpszText, const CRect& rect) : m_nKind(nKind), m_strText(lpszText), m_rect(rect) {}
    int m_nKind;
    CString m_strText;
    CRect m_rect;
    virtual void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << (LONG)m_nKind << m_strText << m_rect;
        else
        {
            LONG nKind = 0;
            ar >> nKind >> m_strText >> m_rect;
            m_nKind = (int)nKind;
        }
    }
};

IMPLEMENT_SERIAL(CClipItem, CObject, 0)

namespace
{

// A data source that counts the live ones.
class CCountedSource : public COleDataSource
{
public:
    static int s_nLive;
    CCountedSource() { ++s_nLive; }
    virtual ~CCountedSource() { --s_nLive; }
};
int CCountedSource::s_nLive = 0;

CLIPFORMAT ItemFormat()
{
    static CLIPFORMAT s_cf = (CLIPFORMAT)::RegisterClipboardFormatA("Stickwell DocView Test Items");
    return s_cf;
}

// Empties the clipboard as another program would.
void EmptyClipboardAsOthers()
{
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::CloseClipboard();
}

// The items in a shared file, as the copy command writes them.
HGLOBAL SerializeItems(CObList& items)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
    CArchive ar(&file, CArchive::store, 4096);
    items.Serialize(ar);
    ar.Close();
    return file.Detach();
}

void DeleteItems(CObList& items)
{
    while (!items.IsEmpty())
        delete items.RemoveHead();
}

} // namespace

TEST(OleClipboard, ObjectsCopiedUnderTheRegisteredFormatArePastedBack)
{
    CObList items;
    items.AddTail(new CClipItem(102, "rectangle", CRect(10, 20, 110, 70)));
    items.AddTail(new CClipItem(115, "Text", CRect(395, 50, 450, 90)));

    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(ItemFormat(), SerializeItems(items));
    pSource->SetClipboard();
    DeleteItems(items);

    COleDataObject dataObject;
    ASSERT_TRUE(dataObject.AttachClipboard());
    EXPECT_TRUE(dataObject.IsDataAvailable(ItemFormat()));
    EXPECT_FALSE(dataObject.IsDataAvailable(CF_TEXT));

    CFile* pFile = dataObject.GetFileData(ItemFormat());
    ASSERT_TRUE(pFile != NULL);
    CObList pasted;
    {
        CArchive ar(pFile, CArchive::load, 4096);
        pasted.Serialize(ar);
        ar.Close();
    }
    delete pFile;

    ASSERT_EQ(2, pasted.GetCount());
    CClipItem* pFirst = (CClipItem*)pasted.GetHead();
    CClipItem* pSecond = (CClipItem*)pasted.GetTail();
    ASSERT_TRUE(pFirst->IsKindOf(RUNTIME_CLASS(CClipItem)));
    EXPECT_EQ(102, pFirst->m_nKind);
    EXPECT_STREQ("rectangle", pFirst->m_strText);
    EXPECT_EQ(CRect(10, 20, 110, 70), pFirst->m_rect);
    EXPECT_EQ(115, pSecond->m_nKind);
    EXPECT_EQ(CRect(395, 50, 450, 90), pSecond->m_rect);
    DeleteItems(pasted);

    // a second paste reads the same again
    CFile* pAgain = dataObject.GetFileData(ItemFormat());
    ASSERT_TRUE(pAgain != NULL);
    EXPECT_GT(pAgain->GetLength(), 0u);
    delete pAgain;
    EmptyClipboardAsOthers();
}

TEST(OleClipboard, AnEmptyListIsCopiedAsAnEmptyList)
{
    CObList items;
    COleDataSource* pSource = new COleDataSource;
    pSource->CacheGlobalData(ItemFormat(), SerializeItems(items));
    pSource->SetClipboard();

    COleDataObject dataObject;
    ASSERT_TRUE(dataObject.AttachClipboard());
    CFile* pFile = dataObject.GetFileData(ItemFormat());
    ASSERT_TRUE(pFile != NULL);
    CObList pasted;
    CArchive ar(pFile, CArchive::load);
    pasted.Serialize(ar);
    ar.Close();
    delete pFile;
    EXPECT_EQ(0, pasted.GetCount());
    EmptyClipboardAsOthers();
}

TEST(OleClipboard, TextAndBitmapsOfOtherProgramsAreRead)
{
    // put there with the plain clipboard functions
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    const char szText[] = "Hello labels";
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(szText));
    memcpy(::GlobalLock(hText), szText, sizeof(szText));
    ::GlobalUnlock(hText);
    ::SetClipboardData(CF_TEXT, hText);
    CClientDC dcScreen(NULL);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(dcScreen.m_hDC, 37, 21);
    ::SetClipboardData(CF_BITMAP, hBitmap);
    ::CloseClipboard();

    COleDataObject dataObject;
    ASSERT_TRUE(dataObject.AttachClipboard());
    EXPECT_TRUE(dataObject.IsDataAvailable(CF_TEXT));
    EXPECT_TRUE(dataObject.IsDataAvailable(CF_BITMAP));
    EXPECT_FALSE(dataObject.IsDataAvailable(ItemFormat()));
    EXPECT_EQ(NULL, dataObject.GetFileData(ItemFormat()));

    HGLOBAL hCopy = dataObject.GetGlobalData(CF_TEXT);
    ASSERT_TRUE(hCopy != NULL);
    EXPECT_STREQ(szText, (const char*)::GlobalLock(hCopy));
    ::GlobalUnlock(hCopy);
    ::GlobalFree(hCopy);

    STGMEDIUM stgMedium;
    ASSERT_TRUE(dataObject.GetData(CF_BITMAP, &stgMedium));
    EXPECT_EQ((DWORD)TYMED_GDI, stgMedium.tymed);
    BITMAP bm;
    ASSERT_NE(0, ::GetObjectA(stgMedium.hBitmap, sizeof(bm), &bm));
    EXPECT_EQ(37, bm.bmWidth);
    EXPECT_EQ(21, bm.bmHeight);
    ::ReleaseStgMedium(&stgMedium);
    EmptyClipboardAsOthers();
}

TEST(OleClipboard, TheClipboardOwnsTheSourceUntilOthersReplaceIt)
{
    EmptyClipboardAsOthers();
    CCountedSource::s_nLive = 0;
    CCountedSource* pSource = new CCountedSource;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, 8);
    pSource->CacheGlobalData(ItemFormat(), hData);
    // data of the same format replaces what was cached
    pSource->CacheGlobalData(ItemFormat(), ::GlobalAlloc(GMEM_MOVEABLE, 16));
    EXPECT_EQ(1, pSource->GetEntryCount());
    pSource->SetClipboard();
    EXPECT_EQ(pSource, COleDataSource::GetClipboardOwner());
    EXPECT_EQ(1, CCountedSource::s_nLive);

    // another program takes the clipboard: the source goes
    EmptyClipboardAsOthers();
    PumpPendingMessages();
    EXPECT_EQ(NULL, COleDataSource::GetClipboardOwner());
    EXPECT_EQ(0, CCountedSource::s_nLive);
}

TEST(OleClipboard, FlushedDataStaysOnTheClipboard)
{
    COleDataSource* pSource = new COleDataSource;
    const char szText[] = "kept after the program";
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(szText));
    memcpy(::GlobalLock(hText), szText, sizeof(szText));
    ::GlobalUnlock(hText);
    pSource->CacheGlobalData(CF_TEXT, hText);
    pSource->SetClipboard();
    COleDataSource::FlushClipboard();
    EXPECT_EQ(NULL, COleDataSource::GetClipboardOwner());

    // readable with the plain functions, without OLE
    ASSERT_TRUE(::OpenClipboard(NULL));
    HANDLE hData = ::GetClipboardData(CF_TEXT);
    ASSERT_TRUE(hData != NULL);
    EXPECT_STREQ(szText, (const char*)::GlobalLock(hData));
    ::GlobalUnlock(hData);
    ::CloseClipboard();
    EmptyClipboardAsOthers();
}
