// PDFGen.cpp - exported entry points of PDFGen.dll.
//
// Handles are small numbers into a process-wide table; a handle is never
// reused, so a stale handle is rejected like an unknown one.  One lock
// guards the table and every call.  The functions here carry a Pdf prefix;
// PDFGen.def exports them under their plain names.
#include "PDFGen.h"
#include "PdfDocument.h"

#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <type_traits>

namespace
{

std::mutex g_lock;
std::map<int, std::unique_ptr<CPdfDocument>> g_docs;
int g_nextHandle = 1;
std::map<DWORD, std::string> g_errors;   // last failure text per thread

void SetThreadError(const std::string& message)
{
    g_errors[GetCurrentThreadId()] = message;
}

CPdfDocument* Find(PDFHANDLE h)
{
    auto it = g_docs.find(h);
    if (it != g_docs.end())
        return it->second.get();
    SetThreadError(h == 0 ? "The PDF handle is null." : "Unknown PDF handle " + std::to_string(h) + ".");
    return nullptr;
}

// Runs op on the document of h and records the outcome for GetErrorMsg.
// Runs an operation on a document under the lock, turning exceptions into error codes.
template <typename Op>
int Call(PDFHANDLE h, Op op)
{
    std::lock_guard<std::mutex> lock(g_lock);
    CPdfDocument* doc = Find(h);
    if (!doc)
        return PDF_ERR_HANDLE;
    int rc;
    try
    {
        rc = op(*doc);
    }
    catch (const std::bad_alloc&)
    {
        rc = doc->FailWith(PDF_ERR_MEMORY, "Out of memory.");
    }
    catch (const std::exception& e)
    {
        rc = doc->FailWith(PDF_ERR_WRITE, std::string("Unexpected error: ") + e.what());
    }
    SetThreadError(rc == PDF_OK ? std::string() : doc->LastError());
    return rc;
}

} // namespace

extern "C" {

// Creates a document of a page size (0 takes the default); 0 with the error set if refused.
PDFHANDLE PdfCreatePdf(int pageWidth, int pageHeight)
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (pageWidth == 0)
        pageWidth = PDF_DEFAULT_PAGEWIDTH;
    if (pageHeight == 0)
        pageHeight = PDF_DEFAULT_PAGEHEIGHT;
    if (pageWidth < 10 || pageWidth > 50800 || pageHeight < 10 || pageHeight > 50800)
    {
        SetThreadError("Invalid page size " + std::to_string(pageWidth) + " x " + std::to_string(pageHeight) + ".");
        return 0;
    }
    try
    {
        if (g_nextHandle <= 0)
        {
            SetThreadError("No more PDF handles.");
            return 0;
        }
        const PDFHANDLE h = g_nextHandle;
        g_docs[h].reset(new CPdfDocument(pageWidth, pageHeight));
        ++g_nextHandle;
        SetThreadError(std::string());
        return h;
    }
    catch (const std::exception&)
    {
        SetThreadError("Out of memory.");
        return 0;
    }
}

int PdfFreePdf(PDFHANDLE h)
{
    std::lock_guard<std::mutex> lock(g_lock);
    auto it = g_docs.find(h);
    if (it == g_docs.end())
    {
        Find(h);
        return PDF_ERR_HANDLE;
    }
    g_docs.erase(it);
    SetThreadError(std::string());
    return PDF_OK;
}

int PdfBeginDoc(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.BeginDoc(); });
}

int PdfEndDoc(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.EndDoc(); });
}

int PdfAbort(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.Abort(); });
}

int PdfNewPage(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.NewPage(); });
}

int PdfNewSection(PDFHANDLE h, const char* title)
{
    return Call(h, [=](CPdfDocument& d) { return d.NewSection(title); });
}

int PdfSetStrProp(PDFHANDLE h, int prop, const char* value)
{
    return Call(h, [=](CPdfDocument& d) { return d.SetStrProp(prop, value); });
}

int PdfGetStrProp(PDFHANDLE h, int prop, char* buf, int bufSize)
{
    return Call(h, [=](CPdfDocument& d) { return d.GetStrProp(prop, buf, bufSize); });
}

int PdfSetNumProp(PDFHANDLE h, int prop, int value)
{
    return Call(h, [=](CPdfDocument& d) { return d.SetNumProp(prop, value); });
}

int PdfGetNumProp(PDFHANDLE h, int prop, int* value)
{
    return Call(h, [=](CPdfDocument& d) { return d.GetNumProp(prop, value); });
}

int PdfMoveTo(PDFHANDLE h, int x, int y)
{
    return Call(h, [=](CPdfDocument& d) { return d.MoveTo(x, y); });
}

int PdfLineTo(PDFHANDLE h, int x, int y)
{
    return Call(h, [=](CPdfDocument& d) { return d.LineTo(x, y); });
}

int PdfAddPoint(PDFHANDLE h, int x, int y)
{
    return Call(h, [=](CPdfDocument& d) { return d.AddPoint(x, y); });
}

int PdfPolygon(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.Polygon(); });
}

int PdfPolyline(PDFHANDLE h)
{
    return Call(h, [](CPdfDocument& d) { return d.Polyline(); });
}

int PdfRectangle(PDFHANDLE h, int left, int top, int right, int bottom)
{
    return Call(h, [=](CPdfDocument& d) { return d.Rectangle(left, top, right, bottom); });
}

int PdfEllipse(PDFHANDLE h, int left, int top, int right, int bottom)
{
    return Call(h, [=](CPdfDocument& d) { return d.Ellipse(left, top, right, bottom); });
}

int PdfTextOut(PDFHANDLE h, int x, int y, const char* text)
{
    return Call(h, [=](CPdfDocument& d) { return d.TextOut(x, y, text); });
}

int PdfDrawText(PDFHANDLE h, int left, int top, int width, int height, const char* text, int align)
{
    return Call(h, [=](CPdfDocument& d) { return d.DrawText(left, top, width, height, text, align); });
}

int PdfTextWidth(PDFHANDLE h, const char* text)
{
    int width = 0;
    const int rc = Call(h, [&](CPdfDocument& d) { return d.TextWidth(text, &width); });
    return rc == PDF_OK ? width : -1;
}

int PdfTextHeight(PDFHANDLE h, const char* text)
{
    int height = 0;
    const int rc = Call(h, [&](CPdfDocument& d) { return d.TextHeight(text, &height); });
    return rc == PDF_OK ? height : -1;
}

int PdfDrawFromFile(PDFHANDLE h, int x, int y, const char* bmpFile)
{
    return Call(h, [=](CPdfDocument& d) { return d.DrawFromFile(x, y, bmpFile); });
}

int PdfStretchDrawFromFile(PDFHANDLE h, int x, int y, int width, int height, const char* bmpFile)
{
    return Call(h, [=](CPdfDocument& d) { return d.StretchDrawFromFile(x, y, width, height, bmpFile); });
}

const char* PdfGetErrorMsg(void)
{
    std::lock_guard<std::mutex> lock(g_lock);
    return g_errors[GetCurrentThreadId()].c_str();
}

} // extern "C"

// The exported functions match the pointer types callers bind them to.
#define PDFGEN_CHECK_SIGNATURE(name) \
    static_assert(std::is_same<decltype(&Pdf##name), PFN_##name>::value, #name " signature")
PDFGEN_CHECK_SIGNATURE(BeginDoc);
PDFGEN_CHECK_SIGNATURE(SetStrProp);
PDFGEN_CHECK_SIGNATURE(GetStrProp);
PDFGEN_CHECK_SIGNATURE(CreatePdf);
PDFGEN_CHECK_SIGNATURE(TextOut);
PDFGEN_CHECK_SIGNATURE(EndDoc);
PDFGEN_CHECK_SIGNATURE(FreePdf);
PDFGEN_CHECK_SIGNATURE(DrawFromFile);
PDFGEN_CHECK_SIGNATURE(NewPage);
PDFGEN_CHECK_SIGNATURE(MoveTo);
PDFGEN_CHECK_SIGNATURE(LineTo);
PDFGEN_CHECK_SIGNATURE(GetNumProp);
PDFGEN_CHECK_SIGNATURE(SetNumProp);
PDFGEN_CHECK_SIGNATURE(DrawText);
PDFGEN_CHECK_SIGNATURE(TextWidth);
PDFGEN_CHECK_SIGNATURE(TextHeight);
PDFGEN_CHECK_SIGNATURE(Abort);
PDFGEN_CHECK_SIGNATURE(AddPoint);
PDFGEN_CHECK_SIGNATURE(Polygon);
PDFGEN_CHECK_SIGNATURE(Rectangle);
PDFGEN_CHECK_SIGNATURE(Ellipse);
PDFGEN_CHECK_SIGNATURE(Polyline);
PDFGEN_CHECK_SIGNATURE(StretchDrawFromFile);
PDFGEN_CHECK_SIGNATURE(NewSection);
PDFGEN_CHECK_SIGNATURE(GetErrorMsg);
