// bench_pdfgen.cpp - writes a letter page holding one 2550 x 3300 picture (the page at
// 300 dpi) through PDFGen.dll, compressed, and prints the time and the file size.
// Three pictures: label artwork (flat colours, shapes, thin lines), a scan (smooth shading
// with slight noise) and a grainy picture (gradients with strong per-pixel grain, hard to
// compress).  Each is written kRuns times; the median counts.

#include <windows.h>

#include "platform/pdfgen/PDFGen.h"

#include <math.h>
#include <stdio.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace
{
const int kPictureWidth = 2550;
const int kPictureHeight = 3300;
const int kPageWidth = 2159;    // letter, tenths of a millimetre
const int kPageHeight = 2794;
const int kRuns = 5;

double Now()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return (double)t.QuadPart / (double)freq.QuadPart;
}

void Put32(std::string& s, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        s += (char)((v >> (8 * i)) & 0xFF);
}

// Pixel (x, y) as 0xRRGGBB.
typedef uint32_t (*PixelFn)(int x, int y);

uint32_t Artwork(int x, int y)
{
    // Background band, a disc, a framed box and a grid of thin lines.
    uint32_t c = y < 600 ? 0x2050A0 : 0xFFFFFF;
    const int dx = x - 1275, dy = y - 1500;
    if (dx * dx + dy * dy < 700 * 700)
        c = 0xF0A020;
    if (x > 300 && x < 2250 && y > 2500 && y < 3100)
        c = (x < 310 || x > 2240 || y < 2510 || y > 3090) ? 0x000000 : 0xE0F0E0;
    if ((x % 150 == 0 || y % 150 == 0) && y >= 600 && c == 0xFFFFFF)
        c = 0xC0C0C0;
    return c;
}

uint32_t Hash(int x, int y)
{
    uint32_t h = (uint32_t)x * 73856093u ^ (uint32_t)y * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return h;
}

uint32_t Clamp(double v)
{
    return (uint32_t)std::min(255.0, std::max(0.0, v));
}

uint32_t Scan(int x, int y)
{
    // Smooth shading with noise of one step, as a scanned photograph has.
    const int noise = (int)(Hash(x, y) % 3) - 1;
    const uint32_t r = Clamp(128 + 90 * sin(x / 311.0) * cos(y / 427.0) + noise);
    const uint32_t g = Clamp(110 + 80 * sin((x + y) / 523.0) + noise);
    const uint32_t b = Clamp(100 + 60 * cos(x / 199.0 - y / 701.0) + noise);
    return (r << 16) | (g << 8) | b;
}

uint32_t Grainy(int x, int y)
{
    // Gradients with grain of up to four steps either way.
    const int grain = (int)(Hash(x, y) & 7) - 3;
    auto clamp = [](int v) { return Clamp(v); };
    const uint32_t r = clamp(x * 255 / kPictureWidth + grain);
    const uint32_t g = clamp(y * 255 / kPictureHeight + grain);
    const uint32_t b = clamp(128 + (int)(100 * ((x + y) % 700) / 700) - 50 + grain);
    return (r << 16) | (g << 8) | b;
}

// 24-bit bottom-up BMP at 300 dpi.
bool WriteBmp(const std::string& path, PixelFn pixel)
{
    const uint32_t stride = ((kPictureWidth * 24 + 31) / 32) * 4;
    std::string f = "BM";
    Put32(f, 54 + stride * kPictureHeight);
    Put32(f, 0);
    Put32(f, 54);
    Put32(f, 40);
    Put32(f, kPictureWidth);
    Put32(f, kPictureHeight);
    f += (char)1; f += (char)0; f += (char)24; f += (char)0;
    Put32(f, 0);
    Put32(f, stride * kPictureHeight);
    Put32(f, 11811);
    Put32(f, 11811);
    Put32(f, 0);
    Put32(f, 0);
    std::string row(stride, '\0');
    for (int y = kPictureHeight - 1; y >= 0; --y)
    {
        for (int x = 0; x < kPictureWidth; ++x)
        {
            const uint32_t c = pixel(x, y);
            row[x * 3] = (char)(c & 0xFF);
            row[x * 3 + 1] = (char)((c >> 8) & 0xFF);
            row[x * 3 + 2] = (char)((c >> 16) & 0xFF);
        }
        f += row;
    }
    FILE* fp = fopen(path.c_str(), "wb");
    if (!fp)
        return false;
    const bool ok = fwrite(f.data(), 1, f.size(), fp) == f.size();
    return fclose(fp) == 0 && ok;
}

struct Api
{
    PFN_CreatePdf pCreatePdf;
    PFN_SetNumProp pSetNumProp;
    PFN_SetStrProp pSetStrProp;
    PFN_BeginDoc pBeginDoc;
    PFN_DrawFromFile pDrawFromFile;
    PFN_EndDoc pEndDoc;
    PFN_FreePdf pFreePdf;
    PFN_GetErrorMsg pGetErrorMsg;
};

// Writes the page; returns seconds, or -1 on failure.
double WritePdf(const Api& a, const std::string& bmp, const std::string& pdf)
{
    const double t0 = Now();
    const PDFHANDLE h = a.pCreatePdf(kPageWidth, kPageHeight);
    if (!h)
        return -1;
    a.pSetNumProp(h, PDF_NUM_COMPRESS, 1);
    a.pSetStrProp(h, PDF_STR_FILENAME, pdf.c_str());
    bool ok = a.pBeginDoc(h) == PDF_OK && a.pDrawFromFile(h, 0, 0, bmp.c_str()) == PDF_OK
              && a.pEndDoc(h) == PDF_OK;
    if (!ok)
        printf("  failed: %s\n", a.pGetErrorMsg());
    a.pFreePdf(h);
    return ok ? Now() - t0 : -1;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA fad;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fad))
        return -1;
    return ((long long)fad.nFileSizeHigh << 32) | fad.nFileSizeLow;
}
} // namespace

int main()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, MAX_PATH);
    std::string dir = exe;
    dir.erase(dir.find_last_of('\\') + 1);
    HMODULE lib = LoadLibraryA((dir + "PDFGen.dll").c_str());
    if (!lib)
        lib = LoadLibraryA((dir + "..\\PDFGen.dll").c_str());
    if (!lib)
    {
        printf("PDFGen.dll not found\n");
        return 1;
    }
    Api a;
    a.pCreatePdf = (PFN_CreatePdf)(void*)GetProcAddress(lib, "CreatePdf");
    a.pSetNumProp = (PFN_SetNumProp)(void*)GetProcAddress(lib, "SetNumProp");
    a.pSetStrProp = (PFN_SetStrProp)(void*)GetProcAddress(lib, "SetStrProp");
    a.pBeginDoc = (PFN_BeginDoc)(void*)GetProcAddress(lib, "BeginDoc");
    a.pDrawFromFile = (PFN_DrawFromFile)(void*)GetProcAddress(lib, "DrawFromFile");
    a.pEndDoc = (PFN_EndDoc)(void*)GetProcAddress(lib, "EndDoc");
    a.pFreePdf = (PFN_FreePdf)(void*)GetProcAddress(lib, "FreePdf");
    a.pGetErrorMsg = (PFN_GetErrorMsg)(void*)GetProcAddress(lib, "GetErrorMsg");
    if (!a.pCreatePdf || !a.pSetNumProp || !a.pSetStrProp || !a.pBeginDoc || !a.pDrawFromFile
        || !a.pEndDoc || !a.pFreePdf || !a.pGetErrorMsg)
    {
        printf("PDFGen.dll lacks an entry point\n");
        return 1;
    }

    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string base = std::string(temp) + "bench_pdfgen_" + std::to_string(GetCurrentProcessId());
    const std::string bmp = base + ".bmp", pdf = base + ".pdf";

    struct { const char* name; PixelFn fn; } pictures[] = {{"artwork", Artwork}, {"scan", Scan}, {"grainy", Grainy}};
    printf("letter page, one %d x %d 24-bit picture, %d runs (median)\n", kPictureWidth, kPictureHeight,
           kRuns);
    int rc = 0;
    for (const auto& p : pictures)
    {
        if (!WriteBmp(bmp, p.fn))
        {
            printf("cannot write %s\n", bmp.c_str());
            rc = 1;
            break;
        }
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i)
        {
            const double t = WritePdf(a, bmp, pdf);
            if (t < 0)
            {
                rc = 1;
                break;
            }
            times.push_back(t);
        }
        if (times.empty())
            break;
        std::sort(times.begin(), times.end());
        printf("%-8s picture %lld bytes  pdf %lld bytes  time %.3f s (min %.3f, max %.3f)\n", p.name,
               FileSize(bmp), FileSize(pdf), times[times.size() / 2], times.front(), times.back());
        DeleteFileA(pdf.c_str());
    }
    DeleteFileA(bmp.c_str());
    DeleteFileA(pdf.c_str());
    return rc;
}
