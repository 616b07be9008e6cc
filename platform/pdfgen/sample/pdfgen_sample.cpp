// pdfgen_sample.cpp - writes a PDF with known content through PDFGen.dll.
//
// Usage: pdfgen_sample <output.pdf>
// Page 1: a 24-bit bottom-up picture, red in the top left quarter, blue elsewhere.
// Page 2: an 8-bit top-down picture, white above, green below.
// Page 3 (section "Shapes"): a yellow rectangle, a black ellipse outline and
// the text "Stickwell PDF".  Every page is 1015 x 507 tenths of a millimetre.
// The pictures are written beside the output and deleted afterwards.
#include <windows.h>

#include "platform/pdfgen/PDFGen.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

void Put16(std::vector<uint8_t>& v, unsigned x)
{
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}

void Put32(std::vector<uint8_t>& v, uint32_t x)
{
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

// BMP file with a 40-byte header; rows are given top row first.
bool WriteBmp(const std::string& path, int width, int height, int bpp, bool topDown,
              const std::vector<uint32_t>& palette, const std::vector<std::vector<uint8_t>>& rows)
{
    const uint32_t stride = ((width * bpp + 31) / 32) * 4;
    const uint32_t offBits = 14 + 40 + static_cast<uint32_t>(palette.size()) * 4;
    std::vector<uint8_t> f;
    f.push_back('B');
    f.push_back('M');
    Put32(f, offBits + stride * height);
    Put32(f, 0);
    Put32(f, offBits);
    Put32(f, 40);
    Put32(f, static_cast<uint32_t>(width));
    Put32(f, static_cast<uint32_t>(topDown ? -height : height));
    Put16(f, 1);
    Put16(f, static_cast<unsigned>(bpp));
    Put32(f, 0);
    Put32(f, stride * height);
    Put32(f, 3780);
    Put32(f, 3780);
    Put32(f, static_cast<uint32_t>(palette.size()));
    Put32(f, 0);
    for (uint32_t c : palette)
        Put32(f, c);
    for (int i = 0; i < height; ++i)
    {
        std::vector<uint8_t> row = rows[topDown ? i : height - 1 - i];
        row.resize(stride, 0);
        f.insert(f.end(), row.begin(), row.end());
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool ok = std::fwrite(f.data(), 1, f.size(), out) == f.size();
    return std::fclose(out) == 0 && ok;
}

template <typename T>
T Bind(HMODULE lib, const char* name)
{
    T p = reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(lib, name)));
    if (!p)
        std::fprintf(stderr, "PDFGen.dll has no entry point %s\n", name);
    return p;
}

} // namespace

// Writes the three known pages through the DLL, so a test can compare the file; 0 on success.
int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fprintf(stderr, "usage: pdfgen_sample <output.pdf>\n");
        return 2;
    }
    const std::string pdf = argv[1];
    const std::string folder = pdf.substr(0, pdf.find_last_of("\\/") + 1);
    const std::string bmp1 = folder + "sample1.bmp";
    const std::string bmp2 = folder + "sample2.bmp";

    // 200 x 100, bottom-up 24 bits: red top left quarter, blue elsewhere.
    std::vector<std::vector<uint8_t>> rows(100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
        {
            const bool red = x < 100 && y < 50;
            rows[y].push_back(red ? 0 : 255);  // B
            rows[y].push_back(0);              // G
            rows[y].push_back(red ? 255 : 0);  // R
        }
    // 200 x 100, top-down 8 bits: white above, green below.
    std::vector<std::vector<uint8_t>> rows2(100);
    for (int y = 0; y < 100; ++y)
        rows2[y].assign(200, y < 50 ? 0 : 1);
    if (!WriteBmp(bmp1, 200, 100, 24, false, {}, rows)
        || !WriteBmp(bmp2, 200, 100, 8, true, {0xFFFFFF, 0x00C000}, rows2))
    {
        std::fprintf(stderr, "cannot write the sample pictures in %s\n", folder.c_str());
        return 1;
    }

    HMODULE lib = LoadLibraryA("PDFGen.dll");
    if (!lib)
    {
        std::fprintf(stderr, "cannot load PDFGen.dll\n");
        return 1;
    }
    auto createPdf = Bind<PFN_CreatePdf>(lib, "CreatePdf");
    auto setStrProp = Bind<PFN_SetStrProp>(lib, "SetStrProp");
    auto setNumProp = Bind<PFN_SetNumProp>(lib, "SetNumProp");
    auto beginDoc = Bind<PFN_BeginDoc>(lib, "BeginDoc");
    auto stretchDraw = Bind<PFN_StretchDrawFromFile>(lib, "StretchDrawFromFile");
    auto newPage = Bind<PFN_NewPage>(lib, "NewPage");
    auto newSection = Bind<PFN_NewSection>(lib, "NewSection");
    auto rectangle = Bind<PFN_Rectangle>(lib, "Rectangle");
    auto ellipse = Bind<PFN_Ellipse>(lib, "Ellipse");
    auto textOut = Bind<PFN_TextOut>(lib, "TextOut");
    auto endDoc = Bind<PFN_EndDoc>(lib, "EndDoc");
    auto freePdf = Bind<PFN_FreePdf>(lib, "FreePdf");
    auto getErrorMsg = Bind<PFN_GetErrorMsg>(lib, "GetErrorMsg");
    if (!createPdf || !setStrProp || !setNumProp || !beginDoc || !stretchDraw || !newPage || !newSection
        || !rectangle || !ellipse || !textOut || !endDoc || !freePdf || !getErrorMsg)
        return 1;

    int failures = 0;
    auto check = [&](int rc, const char* what) {
        if (rc != PDF_OK)
        {
            std::fprintf(stderr, "%s failed (%d): %s\n", what, rc, getErrorMsg());
            ++failures;
        }
    };
    const PDFHANDLE h = createPdf(0, 0);
    if (!h)
    {
        std::fprintf(stderr, "CreatePdf failed: %s\n", getErrorMsg());
        return 1;
    }
    check(setStrProp(h, PDF_STR_PRODUCER, "Stickwell sample"), "SetStrProp(19)");
    check(setNumProp(h, PDF_NUM_PAGEWIDTH, 1015), "SetNumProp(36)");
    check(setNumProp(h, PDF_NUM_PAGEHEIGHT, 507), "SetNumProp(34)");
    check(setNumProp(h, PDF_NUM_COMPRESS, 1), "SetNumProp(31)");
    check(setStrProp(h, PDF_STR_FILENAME, pdf.c_str()), "SetStrProp(10)");
    check(beginDoc(h), "BeginDoc");
    check(stretchDraw(h, 0, 0, 1015, 507, bmp1.c_str()), "StretchDrawFromFile 1");
    check(newPage(h), "NewPage");
    check(stretchDraw(h, 0, 0, 1015, 507, bmp2.c_str()), "StretchDrawFromFile 2");
    check(newSection(h, "Shapes"), "NewSection");
    check(setNumProp(h, PDF_NUM_PENSTYLE, PDF_STYLE_NONE), "SetNumProp(pen style)");
    check(setNumProp(h, PDF_NUM_BRUSHSTYLE, PDF_STYLE_SOLID), "SetNumProp(brush style)");
    check(setNumProp(h, PDF_NUM_BRUSHCOLOR, 0x00FFFF), "SetNumProp(brush colour)");
    check(rectangle(h, 100, 100, 400, 300), "Rectangle");
    check(setNumProp(h, PDF_NUM_PENSTYLE, PDF_STYLE_SOLID), "SetNumProp(pen style)");
    check(setNumProp(h, PDF_NUM_BRUSHSTYLE, PDF_STYLE_NONE), "SetNumProp(brush style)");
    check(ellipse(h, 600, 250, 900, 450), "Ellipse");
    check(setNumProp(h, PDF_NUM_FONTSIZE, 50), "SetNumProp(font size)");
    check(textOut(h, 500, 80, "Stickwell PDF"), "TextOut");
    check(endDoc(h), "EndDoc");
    check(freePdf(h), "FreePdf");
    DeleteFileA(bmp1.c_str());
    DeleteFileA(bmp2.c_str());
    return failures ? 1 : 0;
}
