// model_test_support.h - byte builders and archive helpers of the model tests.
//
// CBytes builds the expected file bytes by hand, independently of the production writer:
// little-endian integers, the archive's string prefixes and the object-stream tags.

#pragma once

#include "afx.h"
#include "ElementStream.h"
#include "PictureElements.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

typedef std::vector<BYTE> ByteVec;

class CBytes
{
public:
    CBytes& U8(BYTE b) { m_data.push_back(b); return *this; }
    CBytes& U16(WORD w) { U8(LOBYTE(w)); return U8(HIBYTE(w)); }
    CBytes& U32(DWORD d) { U16(LOWORD(d)); return U16(HIWORD(d)); }
    CBytes& I32(int n) { return U32((DWORD)n); }
    CBytes& F32(float f)
    {
        DWORD d;
        memcpy(&d, &f, 4);
        return U32(d);
    }
    // COLORREF as stored: red, green, blue, 0.
    CBytes& Rgb(BYTE r, BYTE g, BYTE b) { return U8(r).U8(g).U8(b).U8(0); }
    CBytes& Str(const std::string& s)
    {
        const size_t n = s.size();
        if (n < 255)
            U8((BYTE)n);
        else if (n < 0xFFFE)
            U8(0xFF).U16((WORD)n);
        else
            U8(0xFF).U16(0xFFFF).U32((DWORD)n);
        m_data.insert(m_data.end(), s.begin(), s.end());
        return *this;
    }
    CBytes& Raw(const ByteVec& v)
    {
        m_data.insert(m_data.end(), v.begin(), v.end());
        return *this;
    }
    // First object of a class: new-class tag, schema 0, name.
    CBytes& NewClass(const std::string& name)
    {
        U16(0xFFFF).U16(0);
        U16((WORD)name.size());
        m_data.insert(m_data.end(), name.begin(), name.end());
        return *this;
    }
    // Later object of the class with index nIndex.
    CBytes& ClassRef(WORD nIndex) { return U16((WORD)(0x8000 | nIndex)); }

    const ByteVec& Data() const { return m_data; }
    size_t Size() const { return m_data.size(); }

private:
    ByteVec m_data;
};

// Fields C1..C15 of the element record with the tests' usual non-default values, varied
// by seed so that every element of a stream differs.
inline void AppendCommonRecord(CBytes& b, int seed)
{
    b.Rgb(0x11, 0x22, (BYTE)(0x33 + seed));      // line
    b.Rgb(0x44, 0x55, (BYTE)(0x66 + seed));      // fill
    b.Rgb(0x77, 0x88, (BYTE)(0x99 + seed));      // pattern
    b.I32(2);                                    // dash style
    b.I32(100 + seed).I32(200 + seed).I32(300 + seed).I32(450 + seed);
    b.I32(0x5A5A0000 + seed);                    // reserved
    b.I32(3 + seed);                             // line width
    b.I32(45);                                   // angle
    b.I32(7 + seed);                             // fill kind
    b.I32(1);                                    // transparent
    b.I32(1);                                    // shadow
    b.I32(2);                                    // side
}

class CElement;

// Gives an element the values that AppendCommonRecord writes.
void SetCommonValues(CElement* pElement, int seed);
// Checks the values that AppendCommonRecord writes (colours read back opaque).
void ExpectCommonValues(CElement* pElement, int seed);

class CText;

// Text values that differ from the defaults in every stored field, their text block
// (T1..T20; nVersion chooses the column's form) and the check after reading.
LOGFONT TestLogFont();
void SetTextValues(CText* pText);
void AppendTextBlock(CBytes& b, int nVersion = 201);
void ExpectTextValues(CElement* pElement, const char* pszColumn);

// A 2 x 1 picture (a half-transparent and an opaque pixel) and its picture data.
CPicturePtr MakeTwoPixelPicture();
void AppendTwoPixelData(CBytes& b);

// Writes the list as the element stream and returns the bytes.
ByteVec StoreElementList(CElementList& list);
// Reads an element stream of the given layout version into list.
void LoadElementList(const ByteVec& data, CElementList& list, int nVersion);

// Owns the elements of a list for the length of a test.
class CElementListHolder
{
public:
    ~CElementListHolder() { DeleteElements(m_list); }
    CElementList m_list;
};

// Temporary file path inside Wine, deleted by the destructor.
class CTempFile
{
public:
    CTempFile();
    ~CTempFile();
    const CString& Path() const { return m_strPath; }
    void Write(const ByteVec& data);
    ByteVec Read() const;

private:
    CString m_strPath;
};

// The element kinds a drag of the insert tools makes from two points (every kind but the
// clip-art and the background picture).
const short kTwoPointKinds[] = {
    KIND_LINE, KIND_RECTANGLE, KIND_CIRCLE, KIND_RHOMBUS, KIND_RECTROUND, KIND_TRIANGLE,
    KIND_FREEHAND, KIND_TEXT, KIND_CLOSEDCURVE, KIND_CALLOUT_BL, KIND_CALLOUT_BR,
    KIND_PARALLELOGRAM, KIND_ARROW_LEFT, KIND_STAR, KIND_BURST, KIND_MOON, KIND_ARROW_RIGHT,
    KIND_SUN, KIND_DBTEXT,
};
