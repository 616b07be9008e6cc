// pdfgen_support.h - helpers for the PDFGen.dll tests.
//
// Declares: PdfApi (the library bound by name, as the program binds it),
// BmpSpec/MakeBmp (BMP files of every supported kind), Inflate (an
// independent zlib decoder that checks the Adler-32 sum), PdfFile (reads a
// PDF through its cross-reference table and checks every offset) and
// TempFolder (a scratch folder removed at the end of a test).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/pdfgen/PDFGen.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
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
// zlib decoding (RFC 1950/1951), written for the tests.

class Inflater
{
public:
    // Decodes a zlib stream; throws std::runtime_error on any fault,
    // including a wrong Adler-32 sum or trailing bytes.
    static std::string Zlib(const std::string& in)
    {
        Inflater z(in);
        if (in.size() < 6)
            throw std::runtime_error("zlib stream too short");
        const unsigned cmf = static_cast<uint8_t>(in[0]), flg = static_cast<uint8_t>(in[1]);
        if ((cmf & 15) != 8 || (cmf * 256 + flg) % 31 != 0 || (flg & 0x20))
            throw std::runtime_error("bad zlib header");
        z.m_pos = 2;
        z.Run();
        z.m_bitCount = 0;
        if (z.m_pos + 4 != in.size())
            throw std::runtime_error("bytes after the deflate data");
        uint32_t a = 1, b = 0;
        for (unsigned char c : z.m_out)
        {
            a = (a + c) % 65521;
            b = (b + a) % 65521;
        }
        uint32_t stored = 0;
        for (int i = 0; i < 4; ++i)
            stored = (stored << 8) | static_cast<uint8_t>(in[z.m_pos + i]);
        if (stored != ((b << 16) | a))
            throw std::runtime_error("Adler-32 mismatch");
        return z.m_out;
    }

private:
    struct Huffman
    {
        std::vector<int> count = std::vector<int>(16, 0);
        std::vector<int> symbol;
    };

    explicit Inflater(const std::string& in) : m_in(in) {}

    int Bits(int n)
    {
        uint32_t v = m_bitBuf;
        while (m_bitCount < n)
        {
            if (m_pos >= m_in.size())
                throw std::runtime_error("deflate data ends early");
            v |= static_cast<uint32_t>(static_cast<uint8_t>(m_in[m_pos++])) << m_bitCount;
            m_bitCount += 8;
        }
        m_bitBuf = v >> n;
        m_bitCount -= n;
        return static_cast<int>(v & ((1u << n) - 1));
    }

    static void Build(Huffman& h, const int* lengths, int n)
    {
        h.count.assign(16, 0);
        h.symbol.assign(n, 0);
        for (int i = 0; i < n; ++i)
            h.count[lengths[i]]++;
        int left = 1;
        for (int len = 1; len < 16; ++len)
        {
            left = left * 2 - h.count[len];
            if (left < 0)
                throw std::runtime_error("over-subscribed code");
        }
        int offs[16] = {0};
        for (int len = 1; len < 15; ++len)
            offs[len + 1] = offs[len] + h.count[len];
        for (int i = 0; i < n; ++i)
            if (lengths[i])
                h.symbol[offs[lengths[i]]++] = i;
    }

    int Decode(const Huffman& h)
    {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len < 16; ++len)
        {
            code |= Bits(1);
            const int count = h.count[len];
            if (code - count < first)
                return h.symbol[index + (code - first)];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        throw std::runtime_error("invalid code");
    }

    void Codes(const Huffman& lit, const Huffman& dist)
    {
        static const int lbase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
        static const int lext[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
        static const int dbase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                                      193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097,
                                      6145, 8193, 12289, 16385, 24577};
        static const int dext[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                     6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
        for (;;)
        {
            int sym = Decode(lit);
            if (sym < 256)
            {
                m_out += static_cast<char>(sym);
                continue;
            }
            if (sym == 256)
                return;
            sym -= 257;
            if (sym >= 29)
                throw std::runtime_error("bad length symbol");
            const int len = lbase[sym] + Bits(lext[sym]);
            const int ds = Decode(dist);
            if (ds >= 30)
                throw std::runtime_error("bad distance symbol");
            const size_t d = static_cast<size_t>(dbase[ds] + Bits(dext[ds]));
            if (d > m_out.size() || d > 32768)
                throw std::runtime_error("distance too far back");
            for (int i = 0; i < len; ++i)
                m_out += m_out[m_out.size() - d];
        }
    }

    void Run()
    {
        int last;
        do
        {
            last = Bits(1);
            const int type = Bits(2);
            if (type == 0)
            {
                m_bitBuf = 0;
                m_bitCount = 0;
                if (m_pos + 4 > m_in.size())
                    throw std::runtime_error("stored block header cut");
                const unsigned len = static_cast<uint8_t>(m_in[m_pos]) | (static_cast<uint8_t>(m_in[m_pos + 1]) << 8);
                const unsigned nlen =
                    static_cast<uint8_t>(m_in[m_pos + 2]) | (static_cast<uint8_t>(m_in[m_pos + 3]) << 8);
                if (len != (~nlen & 0xFFFF))
                    throw std::runtime_error("stored length check");
                m_pos += 4;
                if (m_pos + len > m_in.size())
                    throw std::runtime_error("stored block cut");
                m_out.append(m_in, m_pos, len);
                m_pos += len;
            }
            else if (type == 1)
            {
                int lengths[288 + 30];
                for (int i = 0; i < 288; ++i)
                    lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
                for (int i = 0; i < 30; ++i)
                    lengths[288 + i] = 5;
                Huffman lit, dist;
                Build(lit, lengths, 288);
                Build(dist, lengths + 288, 30);
                Codes(lit, dist);
            }
            else if (type == 2)
            {
                static const int order[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
                const int nlen = Bits(5) + 257, ndist = Bits(5) + 1, ncode = Bits(4) + 4;
                if (nlen > 286 || ndist > 30)
                    throw std::runtime_error("bad code counts");
                int lengths[320] = {0};
                for (int i = 0; i < ncode; ++i)
                    lengths[order[i]] = Bits(3);
                Huffman lencode;
                Build(lencode, lengths, 19);
                int index = 0;
                while (index < nlen + ndist)
                {
                    int sym = Decode(lencode);
                    if (sym < 16)
                    {
                        lengths[index++] = sym;
                        continue;
                    }
                    int len = 0, repeat;
                    if (sym == 16)
                    {
                        if (index == 0)
                            throw std::runtime_error("repeat with no length");
                        len = lengths[index - 1];
                        repeat = 3 + Bits(2);
                    }
                    else if (sym == 17)
                        repeat = 3 + Bits(3);
                    else
                        repeat = 11 + Bits(7);
                    if (index + repeat > nlen + ndist)
                        throw std::runtime_error("too many lengths");
                    while (repeat--)
                        lengths[index++] = len;
                }
                if (lengths[256] == 0)
                    throw std::runtime_error("no end-of-block code");
                Huffman lit, dist;
                Build(lit, lengths, nlen);
                Build(dist, lengths + nlen, ndist);
                Codes(lit, dist);
            }
            else
            {
                throw std::runtime_error("invalid block type");
            }
        } while (!last);
    }

    const std::string& m_in;
    size_t m_pos = 0;
    uint32_t m_bitBuf = 0;
    int m_bitCount = 0;
    std::string m_out;
};

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
            return Inflater::Zlib(raw);
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
