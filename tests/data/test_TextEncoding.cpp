// Tests of text sources in other encodings (UTF-8, UTF-16), of files that are
// not text, and of the memory a text table may take.

#include <gtest/gtest.h>

#include "DataSourceLoader.h"
#include "DataTestUtil.h"
#include "LineTokenizer.h"
#include "TextData.h"

#include <afxwin.h>
#include <psapi.h>

namespace
{
// The rows of the guests fixtures in Windows-1252.
const Row kNames = { "Name", "City", "Fee" };
const Row kMueller = { "J\xFCrgen M\xFCller", "K\xF6ln", "12 \x80" };
const Row kPena = { "Jos\xE9 Pe\xF1" "a", "M\xE1laga", "1.234,50 \x80" };
const Row kAngstroem = { "Zo\xEB \xC5ngstr\xF6m", "Malm\xF6", "0" };
const Row kWojcik = { "?ukasz W\xF3jcik", "?\xF3" "d?", "5 \x80" };   // L-stroke and z-acute replaced

struct CLoaded
{
    int m_nResult;
    BOOL m_bReplaced;
    CDataTable m_table;
};

void LoadFile(const std::string& strPath, const char* pszDelimiter, CLoaded& loaded)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    loaded.m_bReplaced = -1;
    loaded.m_nResult = LoadDelimitedTextTable(strPath.c_str(), pszDelimiter, TRUE, controls,
        loaded.m_table, &loaded.m_bReplaced);
}

void LoadBytes(const std::string& bytes, CLoaded& loaded, const char* pszDelimiter = ",")
{
    CTempTextFile file(bytes);
    LoadFile(file.Path(), pszDelimiter, loaded);
}

std::string Utf16(const std::wstring& text, bool bBigEndian)
{
    std::string bytes = bBigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t wch : text)
    {
        const char chHigh = static_cast<char>(wch >> 8), chLow = static_cast<char>(wch & 0xFF);
        bytes += bBigEndian ? chHigh : chLow;
        bytes += bBigEndian ? chLow : chHigh;
    }
    return bytes;
}

// Peak of the memory the process has committed.
SIZE_T PeakCommit()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)))
        return 0;
    return counters.PeakPagefileUsage;
}
}

// ---------------------------------------------------------------------------
// Files written by other tools

TEST(TextEncoding, UnicodeFilesReadAsTheirAnsiText)
{
    const struct
    {
        const char* m_pszFile;
        const char* m_pszDelimiter;
    } files[] = {
        { "guests_utf8_bom.csv", "," },
        { "guests_utf8.csv", "," },
        { "guests_utf16le.txt", "tab" },
        { "guests_utf16be.txt", "tab" },
    };
    for (const auto& file : files)
    {
        SCOPED_TRACE(file.m_pszFile);
        CLoaded loaded;
        LoadFile(FixturePath(file.m_pszFile), file.m_pszDelimiter, loaded);
        ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
        ASSERT_EQ(3, loaded.m_table.m_nColumns);
        ASSERT_EQ(5, loaded.m_table.m_nRows);
        EXPECT_EQ(kNames, RowOf(loaded.m_table, 0));
        EXPECT_EQ(kMueller, RowOf(loaded.m_table, 1));
        EXPECT_EQ(kPena, RowOf(loaded.m_table, 2));
        EXPECT_EQ(kAngstroem, RowOf(loaded.m_table, 3));
        EXPECT_EQ(kWojcik, RowOf(loaded.m_table, 4));
        EXPECT_TRUE(loaded.m_bReplaced);
    }
}

TEST(TextEncoding, Windows1252FileIsReadAsItIs)
{
    CLoaded loaded;
    LoadFile(FixturePath("guests_cp1252.csv"), ",", loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    ASSERT_EQ(4, loaded.m_table.m_nRows);
    EXPECT_EQ(kMueller, RowOf(loaded.m_table, 1));
    EXPECT_EQ(kPena, RowOf(loaded.m_table, 2));
    EXPECT_EQ(kAngstroem, RowOf(loaded.m_table, 3));
    EXPECT_FALSE(loaded.m_bReplaced);
}

// ---------------------------------------------------------------------------
// Hand-made texts

TEST(TextEncoding, CharactersOutsideTheCodePageBecomeTheDefaultCharacter)
{
    // No look-alikes: A-macron, Greek, Chinese and a character beyond U+FFFF,
    // each one character.
    CLoaded loaded;
    LoadBytes("N\r\n\xC4\x80\xCE\xB4 \xE6\x9D\xB1 \xF0\x9F\x98\x80 \xC3\xBC\r\n", loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ((Row{ "?? ? ? \xFC" }), RowOf(loaded.m_table, 1));
    EXPECT_TRUE(loaded.m_bReplaced);

    // Accents and the euro sign fit Windows-1252: nothing to say.
    LoadBytes(Utf16(L"N\r\n\u00c5se \u20ac\r\n", true), loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ((Row{ "\xC5se \x80" }), RowOf(loaded.m_table, 1));
    EXPECT_FALSE(loaded.m_bReplaced);

    // Broken surrogates in UTF-16.
    LoadBytes(Utf16(std::wstring(L"N\r\na") + wchar_t(0xDC00) + L"b" + wchar_t(0xD800), true), loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ((Row{ "a?b?" }), RowOf(loaded.m_table, 1));
    EXPECT_TRUE(loaded.m_bReplaced);

    // A damaged sequence after a UTF-8 mark, and a UTF-16 file cut in a character.
    LoadBytes("\xEF\xBB\xBFN\r\na\xFF" "b\r\n", loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ((Row{ "a?b" }), RowOf(loaded.m_table, 1));
    EXPECT_TRUE(loaded.m_bReplaced);

    LoadBytes(Utf16(L"N\r\nab", false) + "x", loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ((Row{ "ab?" }), RowOf(loaded.m_table, 1));
    EXPECT_TRUE(loaded.m_bReplaced);
}

TEST(TextEncoding, BytesThatAreNotUtf8StayAnsi)
{
    // Windows-1252 accents, an overlong form, a surrogate and a cut-off sequence.
    const char* const texts[] = {
        "N\r\nM\xFCller \xE9t\xE9\r\n",
        "N\r\n\xC0\xAF\r\n",
        "N\r\n\xED\xA0\x80\r\n",
        "N\r\nab\xC3",
        "N\r\n\xC3\xA9\xE9\r\n",
    };
    for (const char* pszText : texts)
    {
        SCOPED_TRACE(pszText);
        CLoaded loaded;
        LoadBytes(pszText, loaded);
        ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
        std::string strValue(pszText + 3);
        if (strValue.size() >= 2 && strValue.compare(strValue.size() - 2, 2, "\r\n") == 0)
            strValue.resize(strValue.size() - 2);
        EXPECT_EQ((Row{ strValue }), RowOf(loaded.m_table, 1));
        EXPECT_FALSE(loaded.m_bReplaced);
    }
}

TEST(TextEncoding, ZeroBytesAreRefusedAndLeaveTheTableAlone)
{
    CLoaded loaded;
    LoadBytes("A\r\n1\r\n", loaded);
    ASSERT_EQ(2, loaded.m_table.m_nRows);

    const std::string notText[] = {
        std::string("A,B\r\n1,2\r\n3\0,4\r\n", 15),
        std::string("\0\0\0\0", 4),
        std::string("N\0a\0m\0e\0\r\0\n\0", 12),     // UTF-16 without its mark
        Utf16(std::wstring(L"N\r\na\0b", 6), false),
        std::string("\xFF\xFE\0\0N\0\0\0", 8),         // UTF-32
    };
    for (const std::string& bytes : notText)
    {
        LoadBytes(bytes, loaded);
        EXPECT_EQ(TEXTLOAD_NOT_TEXT, loaded.m_nResult);
        ASSERT_EQ(2, loaded.m_table.m_nRows);
        EXPECT_EQ((Row{ "1" }), RowOf(loaded.m_table, 1));
    }

    // An empty file and a lone mark are empty texts.
    LoadBytes("", loaded);
    EXPECT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    LoadBytes("\xFF\xFE", loaded);
    EXPECT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ(0, loaded.m_table.m_nColumns);
}

// ---------------------------------------------------------------------------
// Table size

TEST(TextTableSize, HugeFirstLineIsRefusedQuickly)
{
    // 100,000 commas, then 2,000 short lines: 104 KB of text.
    std::string text(100000, ',');
    text += "\r\n";
    for (int i = 0; i < 2000; ++i)
        text += "ab,cd\r\n";
    CTempTextFile file(text);

    const SIZE_T nPeakBefore = PeakCommit();
    const DWORD dwStart = ::GetTickCount();
    CLoaded loaded;
    LoadFile(file.Path(), ",", loaded);
    const DWORD dwElapsed = ::GetTickCount() - dwStart;
    const SIZE_T nPeakAfter = PeakCommit();

    EXPECT_EQ(TEXTLOAD_TOO_MANY_COLUMNS, loaded.m_nResult);
    EXPECT_EQ(-1, loaded.m_table.m_nRows);
    EXPECT_LT(dwElapsed, 2000u);
    ASSERT_NE(0u, nPeakAfter);
    EXPECT_LT(nPeakAfter - nPeakBefore, static_cast<SIZE_T>(64) << 20);
}

TEST(TextTableSize, WideFirstLineOverShortRecordsIsRefused)
{
    // Within the column limit, but 16,001 columns times 20,000 records.
    std::string text(16000, ';');
    text += "\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "x\r\n";
    const SIZE_T nPeakBefore = PeakCommit();
    CLoaded loaded;
    LoadBytes(text, loaded, ";");
    EXPECT_EQ(TEXTLOAD_TOO_WIDE, loaded.m_nResult);
    EXPECT_LT(PeakCommit() - nPeakBefore, static_cast<SIZE_T>(64) << 20);
}

TEST(TextTableSize, WideTablesThatTheFileFillsStillLoad)
{
    // The widest table allowed, with full records.
    std::string line(TEXTDATA_MAX_COLUMNS - 1, ',');
    CLoaded loaded;
    LoadBytes("a" + line + "z\r\n" + "1" + line + "2\r\n" + line + "\r\n", loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ(TEXTDATA_MAX_COLUMNS, loaded.m_table.m_nColumns);
    ASSERT_EQ(3, loaded.m_table.m_nRows);
    EXPECT_EQ("z", std::string(loaded.m_table.m_pRows[0][TEXTDATA_MAX_COLUMNS - 1]));
    EXPECT_EQ("2", std::string(loaded.m_table.m_pRows[1][TEXTDATA_MAX_COLUMNS - 1]));

    LoadBytes(std::string(TEXTDATA_MAX_COLUMNS, ',') + "\r\n", loaded);
    EXPECT_EQ(TEXTLOAD_TOO_MANY_COLUMNS, loaded.m_nResult);

    // Line breaks inside quoted values are no records.
    std::string quoted = std::string(1999, ',') + "\r\n";
    for (int i = 0; i < 10; ++i)
        quoted += "\"" + std::string(1000, '\n') + "\"\r\n";
    LoadBytes(quoted, loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ(11, loaded.m_table.m_nRows);
    EXPECT_EQ(std::string(255, '\n'), std::string(loaded.m_table.m_pRows[10][0]));

    // A ragged file: 100 names over 5,000 records of one value each.
    std::string ragged(99, ',');
    ragged += "\r\n";
    for (int i = 0; i < 5000; ++i)
        ragged += "v\r\n";
    LoadBytes(ragged, loaded);
    ASSERT_EQ(TEXTLOAD_OK, loaded.m_nResult);
    EXPECT_EQ(5001, loaded.m_table.m_nRows);
    EXPECT_EQ("v", std::string(loaded.m_table.m_pRows[5000][0]));
    EXPECT_EQ("", std::string(loaded.m_table.m_pRows[5000][99]));
}

// ---------------------------------------------------------------------------
// What the user is told

TEST(TextLoadMessages, RefusedFilesAreExplainedAndReplacementsReported)
{
    CMessageBoxRecorder boxes;
    CDataSourceLoader loader;

    CTempTextFile plain("\xEF\xBB\xBFN\r\nCaf\xC3\xA9\r\n");
    ASSERT_TRUE(loader.LoadDelimitedText(plain.Path(), ",", TRUE));
    EXPECT_EQ(0, boxes.GetCount());
    EXPECT_EQ("Caf\xE9", std::string(loader.m_pRows[1][0]));

    CTempTextFile replaced("N\r\n\xC5\x81\xC3\xB3" "d\xC5\xBA\r\n");
    ASSERT_TRUE(loader.LoadDelimitedText(replaced.Path(), ",", TRUE));
    ASSERT_EQ(1, boxes.GetCount());
    EXPECT_EQ("?\xF3" "d?", std::string(loader.m_pRows[1][0]));
    EXPECT_EQ(CString("The linked data source file: \n'") + replaced.Path() +
        "' \nholds characters that this program cannot show; they were replaced by '?'.",
        boxes.GetCall(0).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.GetCall(0).m_nType & MB_ICONMASK);

    // A refused file keeps the table of the last load; so does a publication's reload.
    CTempTextFile zeros(std::string("N\r\n\0\r\n", 6));
    EXPECT_FALSE(loader.LoadDelimitedText(zeros.Path(), ",", TRUE));
    ASSERT_EQ(2, boxes.GetCount());
    EXPECT_EQ(CString("The linked data source file: \n'") + zeros.Path() +
        "' \nis not a text file: it holds zero bytes. \n"
        "Save it as delimited text (ANSI, UTF-8 or Unicode) and try again.",
        boxes.GetCall(1).m_strText);
    EXPECT_EQ(static_cast<UINT>(MB_ICONSTOP), boxes.GetCall(1).m_nType & MB_ICONMASK);

    CTempTextFile wide(std::string(100000, ',') + "\r\nab\r\n");
    EXPECT_FALSE(loader.LoadDataSource(BuildTextDescription(wide.Path(), ",", TRUE), FALSE));
    ASSERT_EQ(3, boxes.GetCount());
    EXPECT_EQ(CString("The linked data source file: \n'") + wide.Path() +
        "' \nhas more than 16384 columns and cannot be read. \n"
        "Check that the right delimiter is chosen.",
        boxes.GetCall(2).m_strText);

    std::string narrow(5000, ',');
    narrow += "\r\n";
    for (int i = 0; i < 5000; ++i)
        narrow += "a\r\n";
    CTempTextFile tooWide(narrow);
    EXPECT_FALSE(loader.LoadDelimitedText(tooWide.Path(), ",", TRUE));
    ASSERT_EQ(4, boxes.GetCount());
    EXPECT_NE(-1, boxes.GetCall(3).m_strText.Find("far more columns in its first line"));

    ASSERT_EQ(2, loader.m_nRows);
    EXPECT_EQ("?\xF3" "d?", std::string(loader.m_pRows[1][0]));
    FreeDataTable(loader.m_pRows, loader.m_nRows);
}
