// bench_model.cpp - saves and loads a publication of 10,000 mixed elements and one
// 2000 x 2000 background picture, and prints the times.

#include "VarnelDoc.h"
#include "Elements.h"

#include <objidl.h>
#include <gdiplus.h>

#include <stdio.h>

namespace
{
double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

CPicturePtr MakePicture(int w, int h)
{
    CPicturePtr p(new Gdiplus::Bitmap(w, h, PixelFormat32bppARGB));
    Gdiplus::Rect rc(0, 0, w, h);
    Gdiplus::BitmapData data;
    if (p->LockBits(&rc, Gdiplus::ImageLockModeWrite, PixelFormat32bppARGB, &data) == Gdiplus::Ok)
    {
        for (int y = 0; y < h; y++)
        {
            DWORD* row = (DWORD*)((BYTE*)data.Scan0 + (INT_PTR)y * data.Stride);
            for (int x = 0; x < w; x++)
                row[x] = 0xFF000000u | ((DWORD)(x & 0xFF) << 16) | ((DWORD)(y & 0xFF) << 8) | ((x ^ y) & 0xFF);
        }
        p->UnlockBits(&data);
    }
    return p;
}

CElement* MakeElement(int i)
{
    const CPoint a((i * 7) % 400, (i * 3) % 200);
    const CPoint b(a.x + 20 + i % 50, a.y + 10 + i % 30);
    CElement* p = NULL;
    switch (i % 10)
    {
    case 0: p = new CRectangle(a, b); break;
    case 1: p = new CCircle(a, b); break;
    case 2: p = new CShapeStar(a, b); break;
    case 3: p = new CCalloutBL(a, b); break;
    case 4: p = new CLine(a, b); break;
    case 5: p = new CShapeSun(a, b); break;
    case 6:
    {
        CText* t = new CText(a, b);
        t->m_strText = "Sample label text";
        p = t;
        break;
    }
    case 7:
    {
        CDbText* t = new CDbText(a, b);
        t->m_strText = "<<TextFromDB>>";
        t->m_strColumn = "2";
        p = t;
        break;
    }
    case 8:
    {
        p = new CFreehandLine(a, b);
        for (int k = 0; k < 20; k++)
            p->AddPoint(CPoint(a.x + k, a.y + (k * k) % 17));
        break;
    }
    default:
    {
        p = new CClosedCurve(a, b);
        for (int k = 0; k < 20; k++)
            p->AddPoint(CPoint(a.x + k, a.y + (k * 5) % 13));
        break;
    }
    }
    p->m_nAngle = (i % 8) * 45;
    return p;
}
}

int main()
{
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, NULL) != Gdiplus::Ok)
    {
        printf("GDI+ did not start\n");
        return 1;
    }

    char szDir[MAX_PATH], szPath[MAX_PATH];
    GetTempPathA(MAX_PATH, szDir);
    GetTempFileNameA(szDir, "bch", 0, szPath);

    int nResult = 0;
    try
    {
        const int nElements = 10000;
        double tSave = 0, tLoad = 0;
        ULONGLONG nBytes = 0;
        {
            CVarnelDoc doc;
            doc.m_listElements.AddTail(new CBkgImage(MakePicture(2000, 2000), 400, 200));
            for (int i = 0; i < nElements; i++)
                doc.m_listElements.AddTail(MakeElement(i));

            const double t0 = Now();
            CFile file(szPath, CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            doc.Serialize(ar);
            ar.Close();
            nBytes = file.GetLength();
            file.Close();
            tSave = Now() - t0;
        }
        {
            CVarnelDoc doc;
            const double t0 = Now();
            CFile file(szPath, CFile::modeRead);
            CArchive ar(&file, CArchive::load);
            doc.Serialize(ar);
            ar.Close();
            file.Close();
            tLoad = Now() - t0;
            if (doc.m_listElements.GetCount() != nElements + 1)
            {
                printf("loaded %d elements, expected %d\n", (int)doc.m_listElements.GetCount(), nElements + 1);
                nResult = 1;
            }
        }
        printf("file: %llu bytes, %d elements + 2000 x 2000 picture\n", (unsigned long long)nBytes, nElements);
        printf("save: %.3f s\n", tSave);
        printf("load: %.3f s\n", tLoad);
    }
    catch (CException* e)
    {
        char sz[256] = "";
        e->GetErrorMessage(sz, sizeof(sz));
        printf("failed: %s\n", sz);
        e->Delete();
        nResult = 1;
    }
    DeleteFileA(szPath);
    Gdiplus::GdiplusShutdown(token);
    return nResult;
}
