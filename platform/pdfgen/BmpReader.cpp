// BmpReader.cpp - uncompressed BMP rows as RGB.
#include "BmpReader.h"

#include "PDFGen.h"

#include <cstdio>
#include <cstring>

namespace
{

uint16_t U16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8)
           | (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t S32(const uint8_t* p)
{
    return static_cast<int32_t>(U32(p));
}

std::string Describe(const char* fmt, const char* path, long long a = 0, long long b = 0)
{
    char buf[600];
    std::snprintf(buf, sizeof(buf), fmt, path, a, b);
    return buf;
}

// Reads exactly size bytes at offset.
bool ReadAt(HANDLE file, uint64_t offset, void* data, DWORD size)
{
    LARGE_INTEGER pos;
    pos.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(file, pos, nullptr, FILE_BEGIN))
        return false;
    DWORD done = 0;
    return ReadFile(file, data, size, &done, nullptr) && done == size;
}

} // namespace

CBmpReader::~CBmpReader()
{
    if (m_file != INVALID_HANDLE_VALUE)
        CloseHandle(m_file);
}

CBmpReader::Channel CBmpReader::MakeChannel(uint32_t mask)
{
    Channel ch;
    ch.mask = mask;
    while (ch.shift < 32 && !(mask & (uint32_t(1) << ch.shift)))
        ++ch.shift;
    ch.max = ch.shift < 32 ? mask >> ch.shift : 0;
    return ch;
}

uint8_t CBmpReader::Scale(uint32_t value, const Channel& ch)
{
    const uint64_t v = (value & ch.mask) >> ch.shift;
    return static_cast<uint8_t>((v * 255 + ch.max / 2) / ch.max);
}

// Opens a BMP and checks its headers, refusing formats and sizes it cannot read.
int CBmpReader::Open(const char* path, std::string& error)
{
    uint64_t fileSize = 0;
    int rc = OpenFile(path, fileSize, error);
    if (rc != PDF_OK)
        return rc;
    Header hdr;
    rc = ReadHeader(path, fileSize, hdr, error);
    if (rc != PDF_OK)
        return rc;
    rc = ReadColorLayout(path, fileSize, hdr, error);
    if (rc != PDF_OK)
        return rc;

    m_stride = ((static_cast<uint64_t>(m_width) * m_bpp + 31) / 32) * 4;
    m_dataOffset = hdr.offBits;
    if (hdr.offBits < 14 + hdr.size || m_dataOffset + m_stride * m_height > fileSize)
    {
        error = Describe("\"%s\" is truncated.", path);
        return PDF_ERR_FORMAT;
    }
    m_row.resize(static_cast<size_t>(m_stride));
    return PDF_OK;
}

// Opens the file for sequential reading and gives its size, the bound of every later check.
int CBmpReader::OpenFile(const char* path, uint64_t& fileSize, std::string& error)
{
    m_file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
    {
        error = Describe("Cannot open the picture file \"%s\" (error %lld).", path,
                         static_cast<long long>(GetLastError()));
        return PDF_ERR_OPEN;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_file, &size))
    {
        error = Describe("Cannot read the picture file \"%s\".", path);
        return PDF_ERR_OPEN;
    }
    fileSize = static_cast<uint64_t>(size.QuadPart);
    return PDF_OK;
}

// Reads the file and info headers and takes the picture's size, depth and resolution from
// them, so that nothing larger than the limits or of an unknown layout goes further.
int CBmpReader::ReadHeader(const char* path, uint64_t fileSize, Header& hdr, std::string& error)
{
    const uint32_t kBiRgb = 0, kBiBitfields = 3;

    // File header, header size, then the whole info header (at most 124 bytes).
    uint8_t* head = hdr.bytes;
    if (fileSize < 14 + 12 || !ReadAt(m_file, 0, head, 14 + 4) || head[0] != 'B' || head[1] != 'M')
    {
        error = Describe("\"%s\" is not a BMP file.", path);
        return PDF_ERR_FORMAT;
    }
    hdr.offBits = U32(head + 10);
    const uint32_t hdrSize = hdr.size = U32(head + 14);
    if (hdrSize != 12 && hdrSize != 40 && hdrSize != 52 && hdrSize != 56 && hdrSize != 108
        && hdrSize != 124)
    {
        error = Describe("\"%s\": unsupported BMP header (size %lld).", path, hdrSize);
        return PDF_ERR_FORMAT;
    }
    // A 40-byte header with bit fields is followed by the three masks.
    const uint32_t readSize = hdrSize == 40 ? 52 : hdrSize;
    if (fileSize < 14 + hdrSize || !ReadAt(m_file, 14, head + 14,
                                           static_cast<DWORD>(std::min<uint64_t>(readSize, fileSize - 14))))
    {
        error = Describe("\"%s\" is truncated.", path);
        return PDF_ERR_FORMAT;
    }
    const uint8_t* h = head + 14;
    int64_t width, height;
    uint32_t planes, compression = kBiRgb;
    if (hdrSize == 12)
    {
        width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        m_bpp = U16(h + 10);
    }
    else
    {
        width = S32(h + 4);
        height = S32(h + 8);
        planes = U16(h + 12);
        m_bpp = U16(h + 14);
        compression = U32(h + 16);
        m_xppm = S32(h + 24);
        m_yppm = S32(h + 28);
        hdr.clrUsed = U32(h + 32);
        if (m_xppm < 0 || m_yppm < 0)
            m_xppm = m_yppm = 0;
    }
    m_topDown = height < 0;
    if (height < 0)
        height = -height;
    if (planes != 1 || width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide
        || width * height > kMaxPixels)
    {
        error = Describe("\"%s\": invalid picture size %lld x %lld.", path, width, height);
        return PDF_ERR_FORMAT;
    }
    m_width = static_cast<int>(width);
    m_height = static_cast<int>(height);

    if (m_bpp != 1 && m_bpp != 4 && m_bpp != 8 && m_bpp != 16 && m_bpp != 24 && m_bpp != 32)
    {
        error = Describe("\"%s\": %lld bits per pixel are not supported.", path, m_bpp);
        return PDF_ERR_FORMAT;
    }
    m_bitfields = compression == kBiBitfields;
    if (compression != kBiRgb && !(m_bitfields && (m_bpp == 16 || m_bpp == 32)))
    {
        error = Describe("\"%s\": compressed BMP files (method %lld) are not supported.", path,
                         compression);
        return PDF_ERR_FORMAT;
    }
    return PDF_OK;
}

// Sets up how pixel values become colours: channel masks for 16 and 32 bits, the palette
// for 8 bits and fewer (24 bits needs neither).
int CBmpReader::ReadColorLayout(const char* path, uint64_t fileSize, const Header& hdr,
                                std::string& error)
{
    const uint32_t hdrSize = hdr.size;
    const uint8_t* h = hdr.bytes + 14;
    if (m_bpp == 16 || m_bpp == 32)
    {
        uint32_t r = m_bpp == 16 ? 0x7C00 : 0xFF0000;
        uint32_t g = m_bpp == 16 ? 0x03E0 : 0x00FF00;
        uint32_t b = m_bpp == 16 ? 0x001F : 0x0000FF;
        if (m_bitfields)
        {
            if (fileSize < 14 + 52)
            {
                error = Describe("\"%s\" is truncated.", path);
                return PDF_ERR_FORMAT;
            }
            r = U32(h + 40);
            g = U32(h + 44);
            b = U32(h + 48);
            const uint32_t limit = m_bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
            if (!r || !g || !b || r > limit || g > limit || b > limit)
            {
                error = Describe("\"%s\": invalid colour masks.", path);
                return PDF_ERR_FORMAT;
            }
        }
        m_red = MakeChannel(r);
        m_green = MakeChannel(g);
        m_blue = MakeChannel(b);
    }
    else if (m_bpp <= 8)
    {
        const uint32_t maxColors = 1u << m_bpp;
        const uint32_t colors = hdr.clrUsed ? hdr.clrUsed : maxColors;
        if (colors > maxColors)
        {
            error = Describe("\"%s\": invalid palette size %lld.", path, colors);
            return PDF_ERR_FORMAT;
        }
        const uint32_t entry = hdrSize == 12 ? 3 : 4;
        std::vector<uint8_t> raw(colors * entry);
        if (14 + hdrSize + raw.size() > fileSize
            || !ReadAt(m_file, 14 + hdrSize, raw.data(), static_cast<DWORD>(raw.size())))
        {
            error = Describe("\"%s\" is truncated.", path);
            return PDF_ERR_FORMAT;
        }
        m_palette.resize(colors * 3);
        for (uint32_t i = 0; i < colors; ++i)
        {
            m_palette[i * 3] = raw[i * entry + 2];
            m_palette[i * 3 + 1] = raw[i * entry + 1];
            m_palette[i * 3 + 2] = raw[i * entry];
        }
    }
    return PDF_OK;
}

// Reads one row, top row first, as 24-bit RGB whatever the file's depth.
bool CBmpReader::ReadRow(int y, uint8_t* rgb)
{
    if (y < 0 || y >= m_height)
        return false;
    const uint64_t fileRow = m_topDown ? y : m_height - 1 - y;
    if (!ReadAt(m_file, m_dataOffset + fileRow * m_stride, m_row.data(), static_cast<DWORD>(m_stride)))
        return false;
    const uint8_t* src = m_row.data();
    const uint32_t colors = static_cast<uint32_t>(m_palette.size() / 3);
    for (int x = 0; x < m_width; ++x, rgb += 3)
    {
        switch (m_bpp)
        {
        case 1:
        case 4:
        case 8:
        {
            const int bit = x * m_bpp;
            const uint32_t index = (src[bit / 8] >> (8 - m_bpp - bit % 8)) & ((1u << m_bpp) - 1);
            if (index < colors)
                std::memcpy(rgb, &m_palette[index * 3], 3);
            else
                rgb[0] = rgb[1] = rgb[2] = 0;
            break;
        }
        case 16:
        {
            const uint32_t v = U16(src + x * 2);
            rgb[0] = Scale(v, m_red);
            rgb[1] = Scale(v, m_green);
            rgb[2] = Scale(v, m_blue);
            break;
        }
        case 24:
            rgb[0] = src[x * 3 + 2];
            rgb[1] = src[x * 3 + 1];
            rgb[2] = src[x * 3];
            break;
        default:
        {
            const uint32_t v = U32(src + x * 4);
            rgb[0] = Scale(v, m_red);
            rgb[1] = Scale(v, m_green);
            rgb[2] = Scale(v, m_blue);
            break;
        }
        }
    }
    return true;
}
