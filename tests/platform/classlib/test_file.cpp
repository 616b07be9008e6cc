// Tests of CFile, CMemFile and CSharedFile.

#include "afx.h"

#include <gtest/gtest.h>

namespace
{
// A temporary file name, removed when the test ends.
class CTempPath
{
public:
    CTempPath()
    {
        char szDir[MAX_PATH];
        GetTempPathA(MAX_PATH, szDir);
        char szFile[MAX_PATH];
        GetTempFileNameA(szDir, "cft", 0, szFile);
        m_strPath = szFile;
    }
    ~CTempPath() { DeleteFileA(m_strPath); }
    operator LPCSTR() const { return m_strPath; }
    CString m_strPath;
};

// The cause of the CFileException that f throws, -1 when none.
template <class F>
int FileErrorOf(F f)
{
    try
    {
        f();
    }
    catch (CFileException* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}
} // namespace

TEST(File, WriteReadSeekAndLength)
{
    CTempPath path;
    {
        CFile file;
        ASSERT_TRUE(file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        file.Write("0123456789", 10);
        EXPECT_EQ(10u, file.GetLength());
        EXPECT_EQ(10u, file.GetPosition());
        file.Seek(2, CFile::begin);
        file.Write("ab", 2);
        EXPECT_EQ(4u, file.GetPosition());
        file.Close();
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    char buf[32] = {};
    EXPECT_EQ(10u, file.Read(buf, sizeof(buf)));   // short read at the end
    EXPECT_STREQ("01ab456789", buf);
    EXPECT_EQ(0u, file.Read(buf, sizeof(buf)));
    EXPECT_EQ(7u, file.Seek(-3, CFile::end));
    EXPECT_EQ(3u, file.Read(buf, 3));
    EXPECT_EQ(0, memcmp(buf, "789", 3));
    EXPECT_EQ(5u, file.Seek(-5, CFile::current));
    file.SeekToBegin();
    EXPECT_EQ(0u, file.GetPosition());
    EXPECT_EQ(10u, file.SeekToEnd());
    EXPECT_EQ(path.m_strPath, file.GetFilePath());
    EXPECT_EQ(file.GetFilePath().Mid(file.GetFilePath().ReverseFind('\\') + 1), file.GetFileName());
}

TEST(File, CreateTruncatesUnlessNoTruncate)
{
    CTempPath path;
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("abcdef", 6);
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite);
        EXPECT_EQ(6u, file.GetLength());
        file.SetLength(3);
        EXPECT_EQ(3u, file.GetLength());
    }
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(0u, file.GetLength());
    }
}

TEST(File, OpenFailureReportsTheCause)
{
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open("Z:\\no\\such\\dir\\file.bin", CFile::modeRead, &error));
    EXPECT_NE(CFileException::none, error.m_cause);
    EXPECT_NE(0, error.m_lOsError);
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);

    CTempPath path;
    DeleteFileA(path);
    EXPECT_FALSE(file.Open(path, CFile::modeRead, &error));
    EXPECT_EQ(CFileException::fileNotFound, error.m_cause);
    EXPECT_STREQ(path, error.m_strFileName);

    EXPECT_EQ(CFileException::fileNotFound, FileErrorOf([&] { CFile f(path, CFile::modeRead); }));
    EXPECT_EQ(CFileException::fileNotFound, FileErrorOf([&] { CFile::Remove(path); }));
}

TEST(File, ExclusiveShareRefusesASecondOpen)
{
    CTempPath path;
    CFile first(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFile second;
    CFileException error;
    EXPECT_FALSE(second.Open(path, CFile::modeRead | CFile::shareDenyNone, &error));
    EXPECT_EQ(CFileException::sharingViolation, error.m_cause);
}

TEST(File, RenameAndRemove)
{
    CTempPath from;
    CTempPath to;
    DeleteFileA(to);
    {
        CFile file(from, CFile::modeCreate | CFile::modeWrite);
        file.Write("x", 1);
    }
    CFile::Rename(from, to);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(from));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(to));
    CFile::Remove(to);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(to));
}

TEST(MemFile, GrowsAndKeepsData)
{
    CMemFile file(16);
    BYTE data[1000];
    for (int i = 0; i < 1000; ++i)
        data[i] = static_cast<BYTE>(i * 7);
    for (int i = 0; i < 10; ++i)
        file.Write(data + i * 100, 100);
    EXPECT_EQ(1000u, file.GetLength());
    file.SeekToBegin();
    BYTE back[1000] = {};
    EXPECT_EQ(1000u, file.Read(back, 2000));
    EXPECT_EQ(0, memcmp(data, back, sizeof(data)));

    // A write after a seek past the end fills the gap with zeros.
    file.Seek(1010, CFile::begin);
    file.Write("z", 1);
    EXPECT_EQ(1011u, file.GetLength());
    file.Seek(1000, CFile::begin);
    BYTE gap[11];
    EXPECT_EQ(11u, file.Read(gap, 11));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(0, gap[i]);
    EXPECT_EQ('z', gap[10]);

    EXPECT_EQ(CFileException::badSeek, FileErrorOf([&] { file.Seek(-1, CFile::begin); }));
    file.SetLength(5);
    EXPECT_EQ(5u, file.GetLength());
    EXPECT_EQ(5u, file.GetPosition());
}

TEST(MemFile, AttachFixedBufferAndDetach)
{
    BYTE buffer[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    CMemFile fixed(buffer, sizeof(buffer));
    EXPECT_EQ(8u, fixed.GetLength());
    BYTE b = 0;
    fixed.Seek(3, CFile::begin);
    fixed.Read(&b, 1);
    EXPECT_EQ(4, b);
    fixed.SeekToEnd();
    // A fixed buffer cannot grow.
    bool bThrown = false;
    try
    {
        fixed.Write("x", 1);
    }
    catch (CMemoryException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(buffer, fixed.Detach());
    EXPECT_EQ(0u, fixed.GetLength());

    CMemFile growing;
    growing.Write("abc", 3);
    BYTE* p = growing.Detach();
    ASSERT_TRUE(p != NULL);
    EXPECT_EQ(0, memcmp(p, "abc", 3));
    free(p);   // the caller owns the detached block
    EXPECT_EQ(0u, growing.GetLength());
}

TEST(SharedFile, DetachGivesAGlobalBlockWithTheData)
{
    CSharedFile file;
    char text[5000];
    for (int i = 0; i < 5000; ++i)
        text[i] = static_cast<char>('a' + i % 26);
    file.Write(text, sizeof(text));
    HGLOBAL hMem = file.Detach();
    ASSERT_TRUE(hMem != NULL);
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_GE(GlobalSize(hMem), sizeof(text));
    EXPECT_TRUE((GlobalFlags(hMem) & GMEM_LOCKCOUNT) == 0);   // unlocked, ready for the clipboard
    const char* p = static_cast<const char*>(GlobalLock(hMem));
    ASSERT_TRUE(p != NULL);
    EXPECT_EQ(0, memcmp(p, text, sizeof(text)));
    GlobalUnlock(hMem);

    // Read it back through another shared file.
    CSharedFile reader;
    reader.SetHandle(hMem, FALSE);
    EXPECT_GE(reader.GetLength(), sizeof(text));
    char back[5000];
    EXPECT_EQ(sizeof(back), reader.Read(back, sizeof(back)));
    EXPECT_EQ(0, memcmp(back, text, sizeof(text)));
    EXPECT_EQ(hMem, reader.Detach());
    GlobalFree(hMem);
}

TEST(SharedFile, ClipboardRoundTrip)
{
    UINT nFormat = RegisterClipboardFormatA("Stickwell classlib test");
    CSharedFile file;
    file.Write("clip data", 9);
    HGLOBAL hMem = file.Detach();
    ASSERT_TRUE(OpenClipboard(NULL));
    EmptyClipboard();
    EXPECT_TRUE(SetClipboardData(nFormat, hMem) != NULL);
    CloseClipboard();

    ASSERT_TRUE(OpenClipboard(NULL));
    HGLOBAL hData = GetClipboardData(nFormat);
    ASSERT_TRUE(hData != NULL);
    CSharedFile reader;
    reader.SetHandle(hData, FALSE);
    char back[9] = {};
    EXPECT_EQ(9u, reader.Read(back, 9));
    EXPECT_EQ(0, memcmp(back, "clip data", 9));
    reader.Detach();   // the clipboard keeps its memory
    EmptyClipboard();
    CloseClipboard();
}
