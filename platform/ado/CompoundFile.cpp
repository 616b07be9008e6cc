// CompoundFile.cpp: header, allocation tables, directory and stream chains.
#include "CompoundFile.h"

#include <cstring>
#include <cwchar>
#include <stdexcept>

namespace ado {

namespace {

const uint32_t kEndOfChain = 0xFFFFFFFE;
const uint32_t kFreeSector = 0xFFFFFFFF;
const uint8_t kSignature[8] = { 0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1 };

uint16_t U16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24); }

[[noreturn]] void Damaged(const char* what) { throw std::runtime_error(what); }

} // namespace

bool CompoundFile::IsCompoundFile(const std::vector<uint8_t>& data)
{
    return data.size() >= 512 && memcmp(data.data(), kSignature, 8) == 0;
}

// Reads the header, allocation tables and directory, refusing a damaged or truncated file.
CompoundFile::CompoundFile(const std::vector<uint8_t>& data) : m_data(data)
{
    if (!IsCompoundFile(data))
        Damaged("no compound file signature");
    const uint8_t* h = data.data();
    unsigned sectorShift = U16(h + 0x1E);
    unsigned miniShift = U16(h + 0x20);
    if ((sectorShift != 9 && sectorShift != 12) || miniShift == 0 || miniShift >= sectorShift)
        Damaged("unknown sector size");
    m_sectorSize = 1u << sectorShift;
    m_miniSectorSize = 1u << miniShift;
    m_miniCutoff = U32(h + 0x38);
    if (data.size() < m_sectorSize)
        Damaged("truncated header");
    uint32_t sectorCount = (uint32_t)(data.size() / m_sectorSize - 1);

    // FAT sector numbers: 109 in the header, the rest in the DIFAT chain.
    uint32_t fatSectors = U32(h + 0x2C);
    if (fatSectors > sectorCount)
        Damaged("too many allocation sectors");
    std::vector<uint32_t> fatList;
    for (unsigned i = 0; i < 109 && fatList.size() < fatSectors; ++i)
        fatList.push_back(U32(h + 0x4C + 4 * i));
    uint32_t difat = U32(h + 0x44);
    for (uint32_t hops = 0; fatList.size() < fatSectors; ++hops)
    {
        if (difat >= sectorCount || hops > sectorCount)
            Damaged("broken allocation table list");
        const uint8_t* s = Sector(difat);
        unsigned perSector = m_sectorSize / 4 - 1;
        for (unsigned i = 0; i < perSector && fatList.size() < fatSectors; ++i)
            fatList.push_back(U32(s + 4 * i));
        difat = U32(s + 4 * perSector);
    }
    for (uint32_t sector : fatList)
    {
        if (sector >= sectorCount)
            Damaged("allocation sector beyond the file");
        const uint8_t* s = Sector(sector);
        for (unsigned i = 0; i < m_sectorSize / 4; ++i)
            m_fat.push_back(U32(s + 4 * i));
    }

    // Directory.
    std::vector<uint8_t> directory = Chain(U32(h + 0x30), UINT64_MAX, false);
    for (size_t at = 0; at + 128 <= directory.size(); at += 128)
    {
        const uint8_t* e = &directory[at];
        Entry entry;
        unsigned nameBytes = U16(e + 0x40);
        for (unsigned i = 0; i + 1 < nameBytes && i < 62; i += 2)
            entry.name += (wchar_t)U16(e + i);
        entry.type = e[0x42];
        entry.start = U32(e + 0x74);
        entry.size = U32(e + 0x78);
        if (U16(h + 0x1A) >= 4)
            entry.size |= (uint64_t)U32(e + 0x7C) << 32;
        m_entries.push_back(entry);
    }
    if (m_entries.empty() || m_entries[0].type != 5)
        Damaged("no root directory entry");

    // Mini stream and its allocation table.
    uint32_t miniFatStart = U32(h + 0x3C);
    if (U32(h + 0x40) != 0 && miniFatStart != kEndOfChain)
    {
        std::vector<uint8_t> miniFat = Chain(miniFatStart, UINT64_MAX, false);
        for (size_t i = 0; i + 4 <= miniFat.size(); i += 4)
            m_miniFat.push_back(U32(&miniFat[i]));
        m_miniStream = Chain(m_entries[0].start, m_entries[0].size, false);
    }
}

const uint8_t* CompoundFile::Sector(uint32_t number) const
{
    size_t offset = ((size_t)number + 1) * m_sectorSize;
    if (offset + m_sectorSize > m_data.size())
        Damaged("sector beyond the end of the file");
    return m_data.data() + offset;
}

// Bytes of a sector chain, cut to size (UINT64_MAX = the whole chain).
std::vector<uint8_t> CompoundFile::Chain(uint32_t start, uint64_t size, bool mini) const
{
    const std::vector<uint32_t>& table = mini ? m_miniFat : m_fat;
    uint32_t unit = mini ? m_miniSectorSize : m_sectorSize;
    uint64_t limit = mini ? m_miniStream.size() : m_data.size();
    if (size != UINT64_MAX && size > limit)
        Damaged("stream longer than the file");
    std::vector<uint8_t> out;
    if (size != UINT64_MAX)
        out.reserve((size_t)size);
    uint32_t sector = start;
    for (size_t hops = 0; sector != kEndOfChain && (size == UINT64_MAX || out.size() < size); ++hops)
    {
        if (sector == kFreeSector && size == UINT64_MAX)
            break;
        if (sector >= table.size() || hops > table.size())
            Damaged("broken sector chain");
        if (mini)
        {
            size_t offset = (size_t)sector * unit;
            if (offset + unit > m_miniStream.size())
                Damaged("mini sector beyond the mini stream");
            out.insert(out.end(), m_miniStream.begin() + offset, m_miniStream.begin() + offset + unit);
        }
        else
        {
            const uint8_t* s = Sector(sector);
            out.insert(out.end(), s, s + unit);
        }
        sector = table[sector];
    }
    if (size != UINT64_MAX)
    {
        if (out.size() < size)
            Damaged("stream cut short");
        out.resize((size_t)size);
    }
    return out;
}

bool CompoundFile::ReadStream(const wchar_t* name, std::vector<uint8_t>& out) const
{
    for (size_t i = 1; i < m_entries.size(); ++i)
    {
        const Entry& entry = m_entries[i];
        if (entry.type != 2 || _wcsicmp(entry.name.c_str(), name) != 0)
            continue;
        out = Chain(entry.start, entry.size, entry.size < m_miniCutoff);
        return true;
    }
    return false;
}

} // namespace ado
