// AdoTestUtil.h - shared helpers of the data-access tests: paths, files, CSV, checksums.
#pragma once

#include "AdoDefs.h"

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace adotest {

inline std::string TestData(const char* relative) { return std::string(TESTDATA_DIR) + "/" + relative; }
inline std::string Fixture(const char* relative) { return std::string(TESTSRC_DIR) + "/fixtures/" + relative; }

inline std::string NwindPath() { return TestData("access/nwind.mdb"); }
inline std::string DateTestPath() { return TestData("access/DateTestDatabase.mdb"); }

inline std::string AccessConnection(const std::string& path, const std::string& password = "")
{
    return "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path + ";Jet OLEDB:Database Password=" + password + ";";
}

inline std::string ExcelConnection(const std::string& path, const char* driverId = "DriverId=790")
{
    std::string folder = path.substr(0, path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\"));
    return "Driver={Microsoft Excel Driver (*.xls)};" + std::string(driverId) + ";Dbq=" + path +
           ";DefaultDir=" + folder + ";";
}

inline std::wstring W(const std::string& s) { return ado::Widen(s, CP_UTF8); }
inline std::string U8(const std::wstring& s) { return ado::Narrow(s, CP_UTF8); }

inline std::vector<uint8_t> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// TempFile is a file in the temporary folder, removed with the object.
class TempFile
{
public:
    explicit TempFile(const std::vector<uint8_t>& contents, const char* prefix = "ado")
    {
        char folder[MAX_PATH], name[MAX_PATH];
        GetTempPathA(MAX_PATH, folder);
        GetTempFileNameA(folder, prefix, 0, name);
        m_path = name;
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(contents.data()), (std::streamsize)contents.size());
    }
    ~TempFile() { DeleteFileA(m_path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// Rows of a CSV text (RFC 4180: quotes, doubled quotes, line breaks in fields).
inline std::vector<std::vector<std::string>> ParseCsv(const std::string& text)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false, any = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        char c = text[i];
        if (quoted)
        {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
            {
                field += '"';
                ++i;
            }
            else if (c == '"')
                quoted = false;
            else
                field += c;
            continue;
        }
        if (c == '"')
            quoted = true, any = true;
        else if (c == ',')
            row.push_back(field), field.clear(), any = true;
        else if (c == '\n')
        {
            row.push_back(field);
            rows.push_back(row);
            row.clear(), field.clear(), any = false;
        }
        else if (c != '\r')
            field += c, any = true;
    }
    if (any || !row.empty())
    {
        row.push_back(field);
        rows.push_back(row);
    }
    return rows;
}

inline uint32_t Crc32(const uint8_t* data, size_t length)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < length; ++i)
    {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

inline void Rc4(const uint8_t* key, size_t keyLength, uint8_t* data, size_t length)
{
    uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = (uint8_t)i;
    for (int i = 0, j = 0; i < 256; ++i)
    {
        j = (j + s[i] + key[i % keyLength]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    for (size_t n = 0, i = 0, j = 0; n < length; ++n)
    {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        data[n] ^= s[(s[i] + s[j]) & 0xFF];
    }
}

// Small deterministic random numbers for damaged-file tests.
class Random
{
public:
    explicit Random(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t Next()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

private:
    uint32_t m_state;
};

} // namespace adotest
