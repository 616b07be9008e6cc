// model_test_support.cpp - shared helpers of the model tests and the GDI+ test environment.

#include "model_test_support.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdlib.h>
#include <string.h>

namespace
{
// Pictures need GDI+ running for the whole test program.
class CGdiplusEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::Ok, Gdiplus::GdiplusStartup(&m_token, &input, NULL));
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(m_token); }

private:
    ULONG_PTR m_token = 0;
};

::testing::Environment* const g_gdiplusEnvironment =
    ::testing::AddGlobalTestEnvironment(new CGdiplusEnvironment);
}

void SetCommonValues(CElement* p, int seed)
{
    p->m_clrLine = 0xFF112233 + seed;
    p->m_clrFill = 0x80445566 + seed;            // alpha is dropped when written
    p->m_clrPattern = 0xFF778899 + seed;
    p->m_nDashStyle = 2;
    p->m_rect.SetRect(100 + seed, 200 + seed, 300 + seed, 450 + seed);
    p->m_nReserved = 0x5A5A0000 + seed;
    p->m_nLineWidth = 3 + seed;
    p->m_nAngle = 45;
    p->m_nFillKind = 7 + seed;
    p->m_bTransparent = TRUE;
    p->m_bShadow = TRUE;
    p->m_nSide = 2;
}

void ExpectCommonValues(CElement* p, int seed)
{
    EXPECT_EQ(0xFF112233u + seed, p->m_clrLine);
    EXPECT_EQ(0xFF445566u + seed, p->m_clrFill);
    EXPECT_EQ(0xFF778899u + seed, p->m_clrPattern);
    EXPECT_EQ(2, p->m_nDashStyle);
    EXPECT_EQ(CRect(100 + seed, 200 + seed, 300 + seed, 450 + seed), p->m_rect);
    EXPECT_EQ(0x5A5A0000 + seed, p->m_nReserved);
    EXPECT_EQ(3 + seed, p->m_nLineWidth);
    EXPECT_EQ(45, p->m_nAngle);
    EXPECT_EQ(7 + seed, p->m_nFillKind);
    EXPECT_TRUE(p->m_bTransparent);
    EXPECT_TRUE(p->m_bShadow);
    EXPECT_EQ(2, p->m_nSide);
}

ByteVec StoreElementList(CElementList& list)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        WriteElementList(ar, list);
        ar.Close();
    }
    const UINT nLength = (UINT)file.GetLength();
    BYTE* pData = file.Detach();
    ByteVec result(pData, pData + nLength);
    free(pData);
    return result;
}

void LoadElementList(const ByteVec& data, CElementList& list, int nVersion)
{
    ByteVec copy(data);
    CMemFile file(copy.empty() ? NULL : copy.data(), (UINT)copy.size());
    CArchive ar(&file, CArchive::load);
    ReadElementList(ar, list, nVersion);
}

CTempFile::CTempFile()
{
    char szDir[MAX_PATH], szFile[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "mdl", 0, szFile);
    m_strPath = szFile;
}

CTempFile::~CTempFile()
{
    DeleteFileA(m_strPath);
}

void CTempFile::Write(const ByteVec& data)
{
    HANDLE h = CreateFileA(m_strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD n = 0;
    WriteFile(h, data.data(), (DWORD)data.size(), &n, NULL);
    CloseHandle(h);
}

ByteVec CTempFile::Read() const
{
    ByteVec data;
    HANDLE h = CreateFileA(m_strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return data;
    data.resize(GetFileSize(h, NULL));
    DWORD n = 0;
    ReadFile(h, data.data(), (DWORD)data.size(), &n, NULL);
    CloseHandle(h);
    return data;
}

// A font that differs from the default in every stored field.
LOGFONT TestLogFont()
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfHeight = 14;
    lf.lfWidth = 6;
    lf.lfEscapement = 900;
    lf.lfOrientation = 450;
    lf.lfWeight = 700;
    lf.lfItalic = 1;
    lf.lfUnderline = 1;
    lf.lfStrikeOut = 1;
    lf.lfCharSet = 2;
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 4;
    lf.lfPitchAndFamily = 34;
    strcpy(lf.lfFaceName, "Liberation Serif");
    return lf;
}

void SetTextValues(CText* p)
{
    p->m_nHAlign = 2;
    p->m_nVAlign = 1;
    p->m_strText = "Hello, label";
    p->m_bVertical = TRUE;
    p->m_strColumn = "3-5";
    p->m_clrText = 0xFF0A0B0C;
    LOGFONT lf = TestLogFont();
    p->m_font.DeleteObject();
    p->m_font.CreateFontIndirect(&lf);
}

// Text block T1..T20 as SetTextValues sets it; nVersion chooses the column's form.
void AppendTextBlock(CBytes& b, int nVersion)
{
    b.I32(2).I32(1).Str("Hello, label").I32(1);
    if (nVersion >= 201)
        b.Str("3-5");
    else if (nVersion == 200)
        b.I32(3);
    b.Rgb(0x0A, 0x0B, 0x0C);
    b.U8(2).U8(2).I32(900).Str("Liberation Serif").I32(14).U8(1).I32(450);
    b.U8(3).U8(34).U8(4).U8(1).U8(1).I32(700).I32(6);
}

void ExpectTextValues(CElement* p, const char* pszColumn)
{
    EXPECT_EQ(2, p->m_nHAlign);
    EXPECT_EQ(1, p->m_nVAlign);
    EXPECT_STREQ("Hello, label", p->m_strText);
    EXPECT_TRUE(p->m_bVertical);
    EXPECT_STREQ(pszColumn, p->m_strColumn);
    EXPECT_EQ(0xFF0A0B0Cu, p->m_clrText);
    LOGFONT lf;
    ASSERT_NE(0, p->m_font.GetLogFont(&lf));
    LOGFONT expected = TestLogFont();
    EXPECT_EQ(expected.lfHeight, lf.lfHeight);
    EXPECT_EQ(expected.lfWidth, lf.lfWidth);
    EXPECT_EQ(expected.lfEscapement, lf.lfEscapement);
    EXPECT_EQ(expected.lfOrientation, lf.lfOrientation);
    EXPECT_EQ(expected.lfWeight, lf.lfWeight);
    EXPECT_EQ(expected.lfItalic, lf.lfItalic);
    EXPECT_EQ(expected.lfUnderline, lf.lfUnderline);
    EXPECT_EQ(expected.lfStrikeOut, lf.lfStrikeOut);
    EXPECT_EQ(expected.lfCharSet, lf.lfCharSet);
    EXPECT_EQ(expected.lfOutPrecision, lf.lfOutPrecision);
    EXPECT_EQ(expected.lfClipPrecision, lf.lfClipPrecision);
    EXPECT_EQ(expected.lfQuality, lf.lfQuality);
    EXPECT_EQ(expected.lfPitchAndFamily, lf.lfPitchAndFamily);
    EXPECT_STREQ(expected.lfFaceName, lf.lfFaceName);
}

// 2 x 1 picture: a half-transparent left pixel and an opaque right one.
CPicturePtr MakeTwoPixelPicture()
{
    CPicturePtr p(new Gdiplus::Bitmap(2, 1, PixelFormat32bppARGB));
    p->SetPixel(0, 0, Gdiplus::Color(0x80, 0x10, 0x20, 0x30));
    p->SetPixel(1, 0, Gdiplus::Color(0xFF, 0xA0, 0xB0, 0xC0));
    return p;
}

void AppendTwoPixelData(CBytes& b)
{
    b.I32(2).I32(1);
    b.U8(0x80).U8(0x10).U8(0x20).U8(0x30);
    b.U8(0xFF).U8(0xA0).U8(0xB0).U8(0xC0);
}

