// pdfgen_support.h - helpers for the PDFGen.dll tests.
//
// Declares: PdfApi (the library bound by name, as the program binds it),
// BmpSpec/MakeBmp (BMP files of every supported kind), Inflate (zlib's own
// decoder, which checks the Adler-32 sum), PdfFile (reads a
// PDF through its cross-reference table and checks every offset) and
// TempFolder (a scratch folder removed at the end of a test).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/pdfgen/PDFGen.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <regex>
#include <stdexcept>
#include <string>
#include <vector>

namespace pdfgentest
{

// ---------------------------------------------------------------------------
// The library, bound with GetProcAddress.

struct PdfApi
{
    HMODULE lib = nullptr;
    std::vector<std::string> missing;
    PFN_BeginDoc pBeginDoc = nullptr;
    PFN_SetStrProp pSetStrProp = nullptr;
    PFN_GetStrProp pGetStrProp = nullptr;
    PFN_CreatePdf pCreatePdf = nullptr;
    PFN_TextOut pTextOut = nullptr;
    PFN_EndDoc pEndDoc = nullptr;
    PFN_FreePdf pFreePdf = nullptr;
    PFN_DrawFromFile pDrawFromFile = nullptr;
    PFN_NewPage pNewPage = nullptr;
    PFN_MoveTo pMoveTo = nullptr;
    PFN_LineTo pLineTo = nullptr;
    PFN_GetNumProp pGetNumProp = nullptr;
    PFN_SetNumProp pSetNumProp = nullptr;
    PFN_DrawText pDrawText = nullptr;
    PFN_TextWidth pTextWidth = nullptr;
    PFN_TextHeight pTextHeight = nullptr;
    PFN_Abort pAbort = nullptr;
    PFN_AddPoint pAddPoint = nullptr;
    PFN_Polygon pPolygon = nullptr;
    PFN_Rectangle pRectangle = nullptr;
    PFN_Ellipse pEllipse = nullptr;
    PFN_Polyline pPolyline = nullptr;
    PFN_StretchDrawFromFile pStretchDrawFromFile = nullptr;
    PFN_NewSection pNewSection = nullptr;
    PFN_GetErrorMsg pGetErrorMsg = nullptr;
};

inline const PdfApi& Api()
{
    static const PdfApi api = [] {
        PdfApi a;
        a.lib = LoadLibraryA("PDFGen.dll");
        if (!a.lib)
            return a;
#define PDFGEN_BIND(name)                                                                                   \
    a.p##name = reinterpret_cast<PFN_##name>(reinterpret_cast<void*>(GetProcAddress(a.lib, #name)));       \
    if (!a.p##name)                                                                                         \
        a.missing.push_back(#name);
        PDFGEN_BIND(BeginDoc) PDFGEN_BIND(SetStrProp) PDFGEN_BIND(GetStrProp) PDFGEN_BIND(CreatePdf)
        PDFGEN_BIND(TextOut) PDFGEN_BIND(EndDoc) PDFGEN_BIND(FreePdf) PDFGEN_BIND(DrawFromFile)
        PDFGEN_BIND(NewPage) PDFGEN_BIND(MoveTo) PDFGEN_BIND(LineTo) PDFGEN_BIND(GetNumProp)
        PDFGEN_BIND(SetNumProp) PDFGEN_BIND(DrawText) PDFGEN_BIND(TextWidth) PDFGEN_BIND(TextHeight)
        PDFGEN_BIND(Abort) PDFGEN_BIND(AddPoint) PDFGEN_BIND(Polygon) PDFGEN_BIND(Rectangle)
        PDFGEN_BIND(Ellipse) PDFGEN_BIND(Polyline) PDFGEN_BIND(StretchDrawFromFile)
        PDFGEN_BIND(NewSection) PDFGEN_BIND(GetErrorMsg)
#undef PDFGEN_BIND
        return a;
    }();
    return api;
}

inline bool ApiReady()
{
    return Api().lib && Api().missing.empty();
}

// ---------------------------------------------------------------------------
// Files and folders.

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadFileBytes(const std::string& path)
{
    std::string data;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return data;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof(buf), f)) > 0)
        data.append(buf, n);
    std::fclose(f);
    return data;
}

inline bool WriteFileBytes(const std::string& path, const std::string& data)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

// A fresh folder under the temporary folder; removed with its files.
class TempFolder
{
public:
    TempFolder()
    {
        static int counter = 0;
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        for (;;)
        {
            m_path = std::string(base) + "pdfgen_" + std::to_string(GetCurrentProcessId()) + "_"
                     + std::to_string(++counter);
            if (CreateDirectoryA(m_path.c_str(), nullptr))
                break;
        }
    }
    ~TempFolder()
    {
        for (const std::string& name : Files())
            DeleteFileA((m_path + "\\" + name).c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return m_path + "\\" + name; }
    const std::string& Path() const { return m_path; }

    // Names of the files in the folder.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((m_path + "\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            return names;
        do
        {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
        return names;
    }

private:
    std::string m_path;
};

// ---------------------------------------------------------------------------
// BMP files.

struct BmpSpec
{
    int width = 1;
    int height = 1;                // rows; stored negative when topDown
    int bpp = 24;
    bool topDown = false;
    int headerSize = 40;           // 12, 40 or 124
    uint32_t compression = 0;      // 0 BI_RGB, 3 BI_BITFIELDS
    uint32_t masks[3] = {0, 0, 0}; // red, green, blue for BI_BITFIELDS
    std::vector<uint32_t> palette; // 0x00RRGGBB
    int32_t pelsPerMeter = 3780;
};

inline void PutLE(std::string& s, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// BMP file bytes; pixel(x, y) (y = 0 at the top) gives the palette index
// (1, 4, 8 bits), the raw 16- or 32-bit value, or 0xRRGGBB (24 bits).
inline std::string MakeBmp(const BmpSpec& s, const std::function<uint32_t(int, int)>& pixel)
{
    const bool core = s.headerSize == 12;
    const uint32_t maskBytes = s.compression == 3 && s.headerSize == 40 ? 12 : 0;
    const uint32_t paletteBytes = static_cast<uint32_t>(s.palette.size()) * (core ? 3 : 4);
    const uint32_t offBits = 14 + s.headerSize + maskBytes + paletteBytes;
    const uint32_t stride = ((s.width * s.bpp + 31) / 32) * 4;
    std::string f = "BM";
    PutLE(f, offBits + stride * s.height, 4);
    PutLE(f, 0, 4);
    PutLE(f, offBits, 4);
    PutLE(f, s.headerSize, 4);
    if (core)
    {
        PutLE(f, s.width, 2);
        PutLE(f, s.height, 2);
        PutLE(f, 1, 2);
        PutLE(f, s.bpp, 2);
    }
    else
    {
        PutLE(f, s.width, 4);
        PutLE(f, static_cast<uint32_t>(s.topDown ? -s.height : s.height), 4);
        PutLE(f, 1, 2);
        PutLE(f, s.bpp, 2);
        PutLE(f, s.compression, 4);
        PutLE(f, stride * s.height, 4);
        PutLE(f, s.pelsPerMeter, 4);
        PutLE(f, s.pelsPerMeter, 4);
        PutLE(f, static_cast<uint32_t>(s.palette.size()), 4);
        PutLE(f, 0, 4);
        if (s.headerSize > 40)
        {
            std::string extra;
            for (int i = 0; i < 3; ++i)
                PutLE(extra, s.compression == 3 ? s.masks[i] : 0, 4);
            extra.resize(s.headerSize - 40, '\0');
            f += extra;
        }
        else if (maskBytes)
        {
            for (int i = 0; i < 3; ++i)
                PutLE(f, s.masks[i], 4);
        }
    }
    for (uint32_t c : s.palette)
        PutLE(f, c, core ? 3 : 4);
    for (int row = 0; row < s.height; ++row)
    {
        const int y = s.topDown && !core ? row : s.height - 1 - row;
        std::string line(stride, '\0');
        for (int x = 0; x < s.width; ++x)
        {
            const uint32_t v = pixel(x, y);
            if (s.bpp <= 8)
            {
                const int bit = x * s.bpp;
                line[bit / 8] = static_cast<char>(line[bit / 8] | (v << (8 - s.bpp - bit % 8)));
            }
            else if (s.bpp == 16)
            {
                line[x * 2] = static_cast<char>(v & 0xFF);
                line[x * 2 + 1] = static_cast<char>(v >> 8);
            }
            else if (s.bpp == 24)
            {
                line[x * 3] = static_cast<char>(v & 0xFF);
                line[x * 3 + 1] = static_cast<char>((v >> 8) & 0xFF);
                line[x * 3 + 2] = static_cast<char>((v >> 16) & 0xFF);
            }
            else
            {
                for (int i = 0; i < 4; ++i)
                    line[x * 4 + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
            }
        }
        f += line;
    }
    return f;
}

// ---------------------------------------------------------------------------
// zlib decoding, by zlib's own inflate.

// Decodes a zlib stream; throws std::runtime_error on any fault, including a
// wrong Adler-32 sum, a stream cut short or bytes after its end.
inline std::string Inflate(const std::string& in)
{
    z_stream zs;
    std::memset(&zs, 0, sizeof(zs));
    if (inflateInit(&zs) != Z_OK)
        throw std::runtime_error("inflateInit failed");
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    zs.avail_in = static_cast<uInt>(in.size());
    std::string out;
    int rc;
    do
    {
        unsigned char buf[65536];
        zs.next_out = buf;
        zs.avail_out = sizeof(buf);
        rc = inflate(&zs, Z_NO_FLUSH);
        out.append(reinterpret_cast<const char*>(buf), sizeof(buf) - zs.avail_out);
    } while (rc == Z_OK);
    const std::string msg = zs.msg ? zs.msg : zError(rc);
    const uInt left = zs.avail_in;
    inflateEnd(&zs);
    if (rc == Z_BUF_ERROR)
        throw std::runtime_error("zlib stream ends early");
    if (rc != Z_STREAM_END)
        throw std::runtime_error("bad zlib stream: " + msg);
    if (left != 0)
        throw std::runtime_error("bytes after the zlib stream");
    return out;
}

// ---------------------------------------------------------------------------
// PDF files, read through the cross-reference table.

class PdfFile
{
public:
    std::string data;
    std::string error;
    std::map<int, size_t> offsets;
    std::string trailer;
    int size = 0;

    // Reads the file and checks header, startxref, every xref entry and the trailer.
    bool Load(const std::string& path)
    {
        data = ReadFileBytes(path);
        if (data.compare(0, 7, "%PDF-1.") != 0)
            return Fail("no PDF header");
        const size_t sx = data.rfind("startxref");
        if (sx == std::string::npos)
            return Fail("no startxref");
        size_t p = sx + 9;
        const size_t xref = std::stoul(data.substr(p, 20));
        if (data.find("%%EOF", p) == std::string::npos)
            return Fail("no %%EOF");
        if (data.compare(xref, 5, "xref\n") != 0)
            return Fail("startxref does not point at the xref table");
        p = xref + 5;
        while (data.compare(p, 7, "trailer") != 0)
        {
            const size_t eol = data.find('\n', p);
            int first = 0, count = 0;
            if (eol == std::string::npos || std::sscanf(data.substr(p, eol - p).c_str(), "%d %d", &first, &count) != 2)
                return Fail("bad xref subsection header");
            p = eol + 1;
            for (int i = 0; i < count; ++i, p += 20)
            {
                const std::string entry = data.substr(p, 20);
                if (entry.size() != 20 || entry[10] != ' ' || entry[16] != ' ' || entry.substr(18) != "\r\n")
                    return Fail("xref entry " + std::to_string(first + i) + " is not 20 bytes: " + entry);
                const int num = first + i;
                if (entry[17] == 'n')
                {
                    const size_t off = std::stoul(entry.substr(0, 10));
                    const std::string head = std::to_string(num) + " 0 obj";
                    if (data.compare(off, head.size(), head) != 0)
                        return Fail("xref offset of object " + std::to_string(num) + " is wrong");
                    offsets[num] = off;
                }
                else if (entry[17] != 'f')
                {
                    return Fail("bad xref entry type");
                }
            }
            size = std::max(size, first + count);
        }
        trailer = data.substr(p, sx - p);
        std::smatch m;
        if (!std::regex_search(trailer, m, std::regex("/Size (\\d+)")) || std::stoi(m[1]) != size)
            return Fail("trailer /Size does not match the xref table");
        if (static_cast<int>(offsets.size()) != size - 1)
            return Fail("not every object is in use");
        return true;
    }

    bool IsStream(int num) const
    {
        const size_t start = offsets.at(num);
        const size_t s = data.find("stream", start), e = data.find("endobj", start);
        return s < e;
    }

    // Object text after "N 0 obj"; for a stream only the dictionary.
    std::string Object(int num) const
    {
        const size_t start = offsets.at(num);
        const size_t body = data.find("obj", start) + 3;
        const size_t s = data.find("stream", body), e = data.find("endobj", body);
        return data.substr(body, std::min(s, e) - body);
    }

    // Raw stream bytes, checked against /Length and the endstream keyword.
    std::string RawStream(int num) const
    {
        const std::string dict = Object(num);
        std::smatch m;
        if (!std::regex_search(dict, m, std::regex("/Length (\\d+)( 0 R)?")))
            throw std::runtime_error("stream without /Length");
        size_t len = std::stoul(m[1]);
        if (m[2].matched)
            len = std::stoul(Object(static_cast<int>(len)));
        const size_t start = data.find("stream", offsets.at(num)) + 7;
        if (data[start - 1] != '\n' || data.compare(start + len, 10, "\nendstream") != 0)
            throw std::runtime_error("stream /Length of object " + std::to_string(num) + " is wrong");
        return data.substr(start, len);
    }

    // Stream bytes after the filter.
    std::string Stream(int num) const
    {
        const std::string raw = RawStream(num);
        if (Object(num).find("/FlateDecode") != std::string::npos)
            return Inflate(raw);
        return raw;
    }

    static int RefAfter(const std::string& text, const std::string& key)
    {
        std::smatch m;
        if (!std::regex_search(text, m, std::regex(key + " (\\d+) 0 R")))
            return 0;
        return std::stoi(m[1]);
    }

    // Object numbers of the pages, in order.
    std::vector<int> Pages() const
    {
        const int root = RefAfter(trailer, "/Root");
        const int pages = RefAfter(Object(root), "/Pages");
        const std::string tree = Object(pages);
        std::vector<int> kids;
        const size_t a = tree.find("/Kids ["), b = tree.find(']', a);
        const std::string list = tree.substr(a + 7, b - a - 7);
        std::regex ref("(\\d+) 0 R");
        for (std::sregex_iterator it(list.begin(), list.end(), ref), end; it != end; ++it)
            kids.push_back(std::stoi((*it)[1]));
        return kids;
    }

    // Decoded content stream of a page.
    std::string Content(int page) const
    {
        return Stream(RefAfter(Object(page), "/Contents"));
    }

    // Image XObjects of a page by resource name.
    std::map<std::string, int> Images(int page) const
    {
        std::map<std::string, int> images;
        const std::string obj = Object(page);
        const size_t a = obj.find("/XObject <<");
        if (a == std::string::npos)
            return images;
        const std::string list = obj.substr(a + 11, obj.find(">>", a) - a - 11);
        std::regex ref("/(\\w+) (\\d+) 0 R");
        for (std::sregex_iterator it(list.begin(), list.end(), ref), end; it != end; ++it)
            images[(*it)[1]] = std::stoi((*it)[2]);
        return images;
    }

private:
    bool Fail(const std::string& why)
    {
        error = why;
        return false;
    }
};

// Test fixture: the library is bound and a scratch folder is ready; documents
// made with NewDoc are freed at the end.
class PdfGenTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Api().lib) << "PDFGen.dll cannot be loaded";
        ASSERT_TRUE(Api().missing.empty()) << "missing entry point " << Api().missing.front();
    }
    void TearDown() override
    {
        for (PDFHANDLE h : m_handles)
            Api().pFreePdf(h);
    }

    // A document set up the way the program sets it up.
    PDFHANDLE NewDoc(const std::string& file, int width = 1015, int height = 507)
    {
        const PdfApi& a = Api();
        const PDFHANDLE h = a.pCreatePdf(0, 0);
        if (h)
        {
            m_handles.push_back(h);
            a.pSetStrProp(h, PDF_STR_PRODUCER, "Stickwell test");
            a.pSetNumProp(h, PDF_NUM_PAGEWIDTH, width);
            a.pSetNumProp(h, PDF_NUM_PAGEHEIGHT, height);
            a.pSetNumProp(h, PDF_NUM_COMPRESS, 1);
            a.pSetStrProp(h, PDF_STR_FILENAME, file.c_str());
        }
        return h;
    }

    static std::string LastError() { return Api().pGetErrorMsg(); }

    TempFolder m_dir;
    std::vector<PDFHANDLE> m_handles;
};

// Expected RGB bytes (top row first) of a picture given per pixel as 0xRRGGBB.
inline std::string RgbOf(int width, int height, const std::function<uint32_t(int, int)>& color)
{
    std::string rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const uint32_t c = color(x, y);
            rgb += static_cast<char>((c >> 16) & 0xFF);
            rgb += static_cast<char>((c >> 8) & 0xFF);
            rgb += static_cast<char>(c & 0xFF);
        }
    return rgb;
}

} // namespace pdfgentest
