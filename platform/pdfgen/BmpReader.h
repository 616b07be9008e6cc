// BmpReader.h - reads uncompressed BMP files row by row as RGB.
//
// Declares: CBmpReader.
//
// Notes
// - Accepted: BITMAPCOREHEADER and BITMAPINFOHEADER (and its V2..V5
//   extensions); 1, 4 and 8 bits with a palette, 16 and 32 bits (BI_RGB or
//   BI_BITFIELDS), 24 bits; bottom-up and top-down.  Alpha is ignored.
// - Open checks every size against the file before anything is read: the
//   pixel rows must lie inside the file and the picture is limited to
//   kMaxSide pixels a side and kMaxPixels pixels, so a damaged header never
//   leads to a large allocation.  Only one row is held in memory.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// CBmpReader opens one BMP file and hands out its rows, top row first.
class CBmpReader
{
public:
    static const int kMaxSide = 32767;
    static const int64_t kMaxPixels = int64_t(1) << 27;

    CBmpReader() = default;
    ~CBmpReader();
    CBmpReader(const CBmpReader&) = delete;
    CBmpReader& operator=(const CBmpReader&) = delete;

    // Opens and checks the file.  Returns PDF_OK, PDF_ERR_OPEN or
    // PDF_ERR_FORMAT with a message in error.
    int Open(const char* path, std::string& error);
    // Reads row y (0 = top) as width x 3 bytes R, G, B.  False on a read error.
    bool ReadRow(int y, uint8_t* rgb);

    // Accessors
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Resolution in pixels per metre, 0 when the file gives none.
    int XPelsPerMeter() const { return m_xppm; }
    int YPelsPerMeter() const { return m_yppm; }

private:
    struct Channel
    {
        uint32_t mask = 0;
        int shift = 0;
        uint32_t max = 0;
    };
    // What Open reads from the headers beside the members it sets.
    struct Header
    {
        uint8_t bytes[14 + 124 + 12] = {0};     // file header, then info header and masks
        uint32_t offBits = 0;
        uint32_t size = 0;                      // size of the info header
        uint32_t clrUsed = 0;
    };
    int OpenFile(const char* path, uint64_t& fileSize, std::string& error);
    int ReadHeader(const char* path, uint64_t fileSize, Header& hdr, std::string& error);
    int ReadColorLayout(const char* path, uint64_t fileSize, const Header& hdr,
                        std::string& error);
    static Channel MakeChannel(uint32_t mask);
    static uint8_t Scale(uint32_t value, const Channel& ch);

    HANDLE m_file = INVALID_HANDLE_VALUE;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    int m_bpp = 0;
    bool m_bitfields = false;
    Channel m_red, m_green, m_blue;
    std::vector<uint8_t> m_palette;     // 3 bytes (R, G, B) per entry
    uint64_t m_dataOffset = 0;
    uint64_t m_stride = 0;
    int m_xppm = 0;
    int m_yppm = 0;
    std::vector<uint8_t> m_row;
};
