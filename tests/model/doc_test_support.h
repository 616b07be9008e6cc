// doc_test_support.h - building and reading whole publication files in the model tests.

#pragma once

#include "model_test_support.h"
#include "VarnelDoc.h"
#include "Element.h"

#include <string>

// Fields 1 to 5 of a file.
inline void AppendHeader(CBytes& b, const std::string& tag = "labf", int nVersion = 201, int nType = 0)
{
    b.Str("Stickwell").Str("Quorvane").Str(tag).I32(nVersion).I32(nType);
}

// Fields 7 to 16 as the version has them.
struct DocFields
{
    BYTE front[3] = { 255, 255, 255 };
    BYTE back[3] = { 255, 255, 255 };
    BYTE shadow[3] = { 200, 200, 200 };
    int nShadowLength = 6;
    int nDesignWidth = 400, nDesignHeight = 200;
    int nSheetWidth = 850, nSheetHeight = 1100;
    int nType = 0;
    std::string description;
};

inline void AppendFields(CBytes& b, const DocFields& f, int nVersion = 201)
{
    b.Rgb(f.front[0], f.front[1], f.front[2]);
    b.Rgb(f.back[0], f.back[1], f.back[2]);
    b.Rgb(f.shadow[0], f.shadow[1], f.shadow[2]);
    b.I32(f.nShadowLength).I32(f.nDesignWidth).I32(f.nDesignHeight);
    if (nVersion >= 200)
        b.I32(f.nSheetWidth).I32(f.nSheetHeight);
    b.I32(f.nType);
    if (nVersion >= 200)
        b.Str(f.description);
}

// The document written through a storing archive.
ByteVec SaveDocument(CVarnelDoc& doc);
// Reads data into doc; exceptions pass to the caller.
void LoadDocument(CVarnelDoc& doc, const ByteVec& data);
// Reads data into doc and returns the archive exception's cause, or -1 when the read
// succeeded, -2 for another exception of the class library, -3 for anything else.
int LoadDocumentFailure(CVarnelDoc& doc, const ByteVec& data);
// Number of elements in the document's list.
inline int ElementCount(CVarnelDoc& doc)
{
    return (int)doc.m_listElements.GetCount();
}
// The element at a position of the list.
CElement* ElementAt(CVarnelDoc& doc, int nIndex);

// Class initial and left edge of every element, head first.
inline std::string Design(CVarnelDoc& doc)
{
    std::string s;
    for (POSITION pos = doc.m_listElements.GetHeadPosition(); pos != NULL;)
    {
        CElement* p = doc.m_listElements.GetNext(pos);
        s += p->GetRuntimeClass()->m_lpszClassName[1];
        s += std::to_string(p->m_rect.left);
        s += ' ';
    }
    return s;
}
