// Deflate.h - zlib stream encoder (RFC 1950/1951) for PDF FlateDecode streams.
//
// Declares: CZlibEncoder.
//
// Notes
// - Input is fed in pieces with Write and ended with Finish; encoded bytes
//   collect in an output buffer that the caller drains with TakeOutput, so a
//   large stream never has to be held whole.
// - Compressing: LZ77 over a 32 KB window with hash chains, blocks coded with
//   dynamic or fixed Huffman codes or stored, whichever is shortest.
//   Not compressing: stored blocks only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// CZlibEncoder turns a byte stream into a zlib stream.
class CZlibEncoder
{
public:
    explicit CZlibEncoder(bool compress = true);

    CZlibEncoder(const CZlibEncoder&) = delete;
    CZlibEncoder& operator=(const CZlibEncoder&) = delete;

    // Operations
    void Write(const void* data, size_t size);
    void Finish();
    // Moves the encoded bytes produced so far into out (replacing its contents).
    void TakeOutput(std::string& out);

    // Encodes a whole buffer in one go.
    static std::string Compress(const void* data, size_t size, bool compress = true);

private:
    void Process(bool flushAll);
    void FlushBlock(bool final);
    void WriteStored(const uint8_t* data, size_t size, bool final);
    void PutBits(uint32_t value, int count);
    void AlignToByte();
    void InsertHash(int64_t pos);
    void Slide();
    void UpdateAdler(const uint8_t* data, size_t size);

    bool m_compress;                  // false: stored blocks only
    bool m_finished = false;
    std::string m_out;                // encoded bytes not yet taken
    uint64_t m_bitBuf = 0;            // pending bits, LSB first
    int m_bitCount = 0;
    uint32_t m_adlerA = 1, m_adlerB = 0;

    std::vector<uint8_t> m_window;    // input from m_winStart on
    int64_t m_winStart = 0;           // stream position of m_window[0]
    int64_t m_pos = 0;                // next position to encode
    int64_t m_blockStart = 0;         // first position of the open block
    std::vector<int64_t> m_head;      // hash -> latest position
    std::vector<int64_t> m_prev;      // position & mask -> previous position with that hash
    std::vector<uint16_t> m_symLit;   // literal byte or match length
    std::vector<uint16_t> m_symDist;  // 0 for a literal, else match distance
};
