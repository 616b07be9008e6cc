// FlateEncoder.h - zlib streams for PDF FlateDecode streams, made by zlib.
//
// Declares: CFlateEncoder.
//
// Notes
// - Input is fed in pieces with Write and ended with Finish; encoded bytes
//   collect in an output buffer that the caller drains with TakeOutput, so a
//   large stream never has to be held whole.
// - Compressing: zlib's default level.  Not compressing: level 0 (stored
//   blocks), still a valid zlib stream.
// - Failures throw: std::bad_alloc when zlib runs out of memory,
//   std::runtime_error for any other zlib error.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <zlib.h>

// CFlateEncoder turns a byte stream into a zlib stream.
class CFlateEncoder
{
public:
    explicit CFlateEncoder(bool compress = true);
    ~CFlateEncoder();

    CFlateEncoder(const CFlateEncoder&) = delete;
    CFlateEncoder& operator=(const CFlateEncoder&) = delete;

    // Operations
    void Write(const void* data, size_t size);
    void Finish();
    // Moves the encoded bytes produced so far into out (replacing its contents).
    void TakeOutput(std::string& out);

    // Encodes a whole buffer in one go.
    static std::string Compress(const void* data, size_t size, bool compress = true);

private:
    void Run(const unsigned char* data, size_t size, int flush);

    z_stream m_zs;
    bool m_finished = false;
    std::string m_out;                // encoded bytes not yet taken
    std::vector<Bytef> m_chunk;       // output room for one deflate call
};
