// CompoundFile.h: reader of the compound-document container that holds .xls workbooks.
//
// A compound file is a small file system in sectors: a header, a sector
// allocation table (FAT) reached through the DIFAT, a directory of 128-byte
// entries, and a mini stream with its own table for streams under the cutoff.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ado {

// CompoundFile reads named streams from a compound file held in memory.
class CompoundFile
{
public:
    // False when the data is not a compound file (no signature).
    static bool IsCompoundFile(const std::vector<uint8_t>& data);

    // Parses the header, the allocation tables and the directory;
    // throws std::runtime_error with a short reason when they are damaged.
    explicit CompoundFile(const std::vector<uint8_t>& data);

    // Contents of the first stream with this name (case-insensitive, ASCII);
    // false when there is none. Throws std::runtime_error when damaged.
    bool ReadStream(const wchar_t* name, std::vector<uint8_t>& out) const;

private:
    struct Entry
    {
        std::wstring name;
        uint8_t type = 0;       // 1 storage, 2 stream, 5 root
        uint32_t start = 0;
        uint64_t size = 0;
    };

    std::vector<uint8_t> Chain(uint32_t start, uint64_t size, bool mini) const;
    const uint8_t* Sector(uint32_t number) const;

    const std::vector<uint8_t>& m_data;
    uint32_t m_sectorSize = 512;
    uint32_t m_miniSectorSize = 64;
    uint32_t m_miniCutoff = 4096;
    std::vector<uint32_t> m_fat;
    std::vector<uint32_t> m_miniFat;
    std::vector<Entry> m_entries;
    std::vector<uint8_t> m_miniStream;
};

} // namespace ado
