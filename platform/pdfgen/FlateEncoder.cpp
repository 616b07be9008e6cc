// FlateEncoder.cpp - zlib streams made by zlib's deflate.
#include "FlateEncoder.h"

#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

namespace
{

const size_t kOutChunk = 65536;       // output room given to deflate per call
const size_t kMaxInput = UINT_MAX / 2; // input given to deflate per call (avail_in is 32 bits)

[[noreturn]] void Throw(int rc, const z_stream& zs)
{
    if (rc == Z_MEM_ERROR)
        throw std::bad_alloc();
    throw std::runtime_error(std::string("compression failed (") + (zs.msg ? zs.msg : zError(rc)) + ")");
}

} // namespace

CFlateEncoder::CFlateEncoder(bool compress) : m_chunk(kOutChunk)
{
    std::memset(&m_zs, 0, sizeof(m_zs));
    const int rc = deflateInit(&m_zs, compress ? Z_DEFAULT_COMPRESSION : Z_NO_COMPRESSION);
    if (rc != Z_OK)
        Throw(rc, m_zs);
}

CFlateEncoder::~CFlateEncoder()
{
    deflateEnd(&m_zs);
}

void CFlateEncoder::Write(const void* data, size_t size)
{
    if (m_finished)
        throw std::logic_error("write after the end of a zlib stream");
    Run(static_cast<const unsigned char*>(data), size, Z_NO_FLUSH);
}

void CFlateEncoder::Finish()
{
    if (m_finished)
        return;
    Run(nullptr, 0, Z_FINISH);
    m_finished = true;
}

void CFlateEncoder::TakeOutput(std::string& out)
{
    out.swap(m_out);
    m_out.clear();
}

// Feeds size bytes and appends what deflate gives; with Z_FINISH until the
// stream is complete.
void CFlateEncoder::Run(const unsigned char* data, size_t size, int flush)
{
    do
    {
        const size_t piece = size < kMaxInput ? size : kMaxInput;
        m_zs.next_in = const_cast<Bytef*>(data);
        m_zs.avail_in = static_cast<uInt>(piece);
        data += piece;
        size -= piece;
        const int mode = size ? Z_NO_FLUSH : flush;
        int rc;
        do
        {
            m_zs.next_out = m_chunk.data();
            m_zs.avail_out = static_cast<uInt>(m_chunk.size());
            rc = deflate(&m_zs, mode);
            // Z_BUF_ERROR only means nothing was left to do, which Z_FINISH
            // with fresh room never meets.
            if ((rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) || (rc == Z_BUF_ERROR && mode == Z_FINISH))
                Throw(rc, m_zs);
            m_out.append(reinterpret_cast<const char*>(m_chunk.data()), m_chunk.size() - m_zs.avail_out);
        } while (mode == Z_FINISH ? rc != Z_STREAM_END : m_zs.avail_out == 0);
    } while (size);
}

std::string CFlateEncoder::Compress(const void* data, size_t size, bool compress)
{
    CFlateEncoder encoder(compress);
    encoder.Write(data, size);
    encoder.Finish();
    std::string out;
    encoder.TakeOutput(out);
    return out;
}
