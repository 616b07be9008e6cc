// XlsBenchWriter.h - writes a large Excel 97-2003 workbook for the read benchmark.
//
// One sheet "Data" with a name row and the given number of records of five
// columns: Id (RK), Name (shared string), Price (NUMBER), Day (RK with a
// date format) and Flag (BOOLERR), in a version 3 compound file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace xlsbench {

class Writer
{
public:
    void Record(uint16_t id, const std::vector<uint8_t>& data)
    {
        U16(m_out, id);
        U16(m_out, (uint16_t)data.size());
        m_out.insert(m_out.end(), data.begin(), data.end());
    }
    std::vector<uint8_t>& Bytes() { return m_out; }

    static void U16(std::vector<uint8_t>& v, uint32_t x) { v.push_back((uint8_t)x); v.push_back((uint8_t)(x >> 8)); }
    static void U32(std::vector<uint8_t>& v, uint32_t x) { U16(v, x & 0xFFFF); U16(v, x >> 16); }
    static void F64(std::vector<uint8_t>& v, double d)
    {
        uint8_t b[8];
        memcpy(b, &d, 8);
        v.insert(v.end(), b, b + 8);
    }

private:
    std::vector<uint8_t> m_out;
};

inline std::vector<uint8_t> Cell(uint32_t row, uint32_t col, uint32_t xf)
{
    std::vector<uint8_t> d;
    Writer::U16(d, row);
    Writer::U16(d, col);
    Writer::U16(d, xf);
    return d;
}

inline std::vector<uint8_t> WorkbookStream(int records)
{
    const uint32_t xfGeneral = 15, xfDate = 16;
    std::vector<std::string> strings = { "Id", "Name", "Price", "Day", "Flag" };
    for (int r = 1; r <= records; ++r)
    {
        char name[48];
        snprintf(name, sizeof(name), "Item %06d description", r);
        strings.push_back(name);
    }

    // Globals, with the sheet offset patched in afterwards.
    Writer g;
    g.Record(0x0809, { 0x00, 0x06, 0x05, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    g.Record(0x0042, { 0xB0, 0x04 }); // code page 1200
    g.Record(0x0022, { 0, 0 });
    std::vector<uint8_t> font = { 200, 0, 0, 0, 0xFF, 0x7F, 0x90, 0x01, 0, 0, 0, 0, 0, 0, 5, 0 };
    font.insert(font.end(), { 'A', 'r', 'i', 'a', 'l' });
    for (int i = 0; i < 5; ++i)
        g.Record(0x0031, font);
    for (uint32_t i = 0; i < 17; ++i)
    {
        std::vector<uint8_t> xf(20, 0);
        xf[2] = i == xfDate ? 14 : 0; // built-in format 14: a date
        xf[4] = i < 15 ? 0xF5 : 0x01;
        xf[5] = i < 15 ? 0xFF : 0x00;
        g.Record(0x00E0, xf);
    }
    size_t boundSheetAt = g.Bytes().size() + 4;
    g.Record(0x0085, { 0, 0, 0, 0, 0, 0, 4, 0, 'D', 'a', 't', 'a' });

    // Shared strings: whole strings per record, CONTINUE when the next does not fit.
    std::vector<uint8_t> sst;
    Writer::U32(sst, (uint32_t)strings.size());
    Writer::U32(sst, (uint32_t)strings.size());
    bool first = true;
    for (const std::string& s : strings)
    {
        std::vector<uint8_t> entry;
        Writer::U16(entry, (uint32_t)s.size());
        entry.push_back(0);
        entry.insert(entry.end(), s.begin(), s.end());
        if (sst.size() + entry.size() > 8224)
        {
            g.Record(first ? 0x00FC : 0x003C, sst);
            first = false;
            sst.clear();
        }
        sst.insert(sst.end(), entry.begin(), entry.end());
    }
    g.Record(first ? 0x00FC : 0x003C, sst);
    g.Record(0x000A, {});

    // The sheet.
    Writer s;
    s.Record(0x0809, { 0x00, 0x06, 0x10, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 });
    std::vector<uint8_t> dim;
    Writer::U32(dim, 0);
    Writer::U32(dim, (uint32_t)records + 1);
    Writer::U16(dim, 0);
    Writer::U16(dim, 5);
    Writer::U16(dim, 0);
    s.Record(0x0200, dim);
    for (uint32_t c = 0; c < 5; ++c)
    {
        std::vector<uint8_t> d = Cell(0, c, xfGeneral);
        Writer::U32(d, c);
        s.Record(0x00FD, d);
    }
    for (uint32_t r = 1; r <= (uint32_t)records; ++r)
    {
        std::vector<uint8_t> d = Cell(r, 0, xfGeneral);
        Writer::U32(d, (r << 2) | 2);
        s.Record(0x027E, d);
        d = Cell(r, 1, xfGeneral);
        Writer::U32(d, 4 + r);
        s.Record(0x00FD, d);
        d = Cell(r, 2, xfGeneral);
        Writer::F64(d, r * 0.25 + 0.1);
        s.Record(0x0203, d);
        d = Cell(r, 3, xfDate);
        Writer::U32(d, ((40000 + r % 3000) << 2) | 2);
        s.Record(0x027E, d);
        d = Cell(r, 4, xfGeneral);
        d.push_back((uint8_t)(r % 2));
        d.push_back(0);
        s.Record(0x0205, d);
    }
    s.Record(0x000A, {});

    std::vector<uint8_t> stream = g.Bytes();
    uint32_t sheetOffset = (uint32_t)stream.size();
    memcpy(&stream[boundSheetAt], &sheetOffset, 4);
    stream.insert(stream.end(), s.Bytes().begin(), s.Bytes().end());
    return stream;
}

// A version 3 compound file with the stream "Workbook" (at least 4096 bytes, at most ~7 MB).
inline std::vector<uint8_t> CompoundFile(std::vector<uint8_t> stream)
{
    const uint32_t endOfChain = 0xFFFFFFFE, free = 0xFFFFFFFF, fatSect = 0xFFFFFFFD;
    uint32_t size = (uint32_t)stream.size();
    stream.resize((stream.size() + 511) / 512 * 512, 0);
    uint32_t dataSectors = (uint32_t)(stream.size() / 512);
    uint32_t fatSectors = 1;
    while (fatSectors * 128 < dataSectors + fatSectors + 1)
        ++fatSectors;
    if (fatSectors > 109)
        return {};
    uint32_t dirSector = dataSectors + fatSectors;

    std::vector<uint8_t> file(512, 0);
    const uint8_t signature[8] = { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };
    memcpy(&file[0], signature, 8);
    auto put16 = [&](size_t at, uint32_t v) { file[at] = (uint8_t)v; file[at + 1] = (uint8_t)(v >> 8); };
    auto put32 = [&](size_t at, uint32_t v) { put16(at, v & 0xFFFF); put16(at + 2, v >> 16); };
    put16(0x18, 0x3E);
    put16(0x1A, 3);
    put16(0x1C, 0xFFFE);
    put16(0x1E, 9);
    put16(0x20, 6);
    put32(0x2C, fatSectors);
    put32(0x30, dirSector);
    put32(0x38, 4096);
    put32(0x3C, endOfChain);
    put32(0x44, endOfChain);
    for (uint32_t i = 0; i < 109; ++i)
        put32(0x4C + 4 * i, i < fatSectors ? dataSectors + i : free);
    file.insert(file.end(), stream.begin(), stream.end());

    std::vector<uint8_t> fat;
    for (uint32_t i = 0; i < dataSectors; ++i)
        Writer::U32(fat, i + 1 < dataSectors ? i + 1 : endOfChain);
    for (uint32_t i = 0; i < fatSectors; ++i)
        Writer::U32(fat, fatSect);
    Writer::U32(fat, endOfChain);
    while (fat.size() < fatSectors * 512)
        Writer::U32(fat, free);
    file.insert(file.end(), fat.begin(), fat.end());

    std::vector<uint8_t> dir(512, 0);
    auto entry = [&](size_t at, const wchar_t* name, uint8_t type, uint32_t child, uint32_t start, uint32_t length) {
        size_t n = wcslen(name);
        for (size_t i = 0; i < n; ++i)
        {
            dir[at + 2 * i] = (uint8_t)name[i];
            dir[at + 2 * i + 1] = (uint8_t)(name[i] >> 8);
        }
        dir[at + 0x40] = (uint8_t)(2 * n + 2);
        dir[at + 0x42] = type;
        dir[at + 0x43] = 1;
        memset(&dir[at + 0x44], 0xFF, 8);
        memcpy(&dir[at + 0x4C], &child, 4);
        memcpy(&dir[at + 0x74], &start, 4);
        memcpy(&dir[at + 0x78], &length, 4);
    };
    entry(0, L"Root Entry", 5, 1, endOfChain, 0);
    entry(128, L"Workbook", 2, free, 0, size);
    for (size_t at = 256; at < 512; at += 128)
        memset(&dir[at + 0x44], 0xFF, 12);
    file.insert(file.end(), dir.begin(), dir.end());
    return file;
}

} // namespace xlsbench
