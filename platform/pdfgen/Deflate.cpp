// Deflate.cpp - zlib stream encoder.
#include "Deflate.h"

#include <algorithm>
#include <array>
#include <functional>
#include <queue>

namespace
{

const int kWindowSize = 32768;
const int kWindowMask = kWindowSize - 1;
const int kMinMatch = 3;
const int kMaxMatch = 258;
const int kHashBits = 15;
const int kHashSize = 1 << kHashBits;
const int kMaxChain = 96;             // hash-chain steps per match search
const size_t kMaxSymbols = 16384;     // symbols per block
const int64_t kMaxBlockBytes = 60000; // input bytes per block
const size_t kFeedChunk = 65536;      // input taken per Process round
const size_t kMaxStored = 65535;      // bytes per stored block

const int kNumLitLen = 286;
const int kNumDist = 30;
const int kNumCodeLen = 19;

const uint16_t kLenBase[29] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 13, 15, 17, 19, 23, 27,
                               31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint8_t kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                               2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const uint16_t kDistBase[30] = {1, 2, 3, 4, 5, 7, 9, 13, 17, 25, 33, 49, 65, 97, 129,
                                193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097,
                                6145, 8193, 12289, 16385, 24577};
const uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
const uint8_t kCodeLenOrder[kNumCodeLen] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5,
                                            11, 4, 12, 3, 13, 2, 14, 1, 15};

// Index into kLenBase for a match length 3..258.
int LenCode(int length)
{
    static const std::array<uint8_t, kMaxMatch + 1> table = [] {
        std::array<uint8_t, kMaxMatch + 1> t{};
        for (int code = 0; code < 29; ++code)
        {
            const int last = code == 28 ? kMaxMatch : kLenBase[code + 1] - 1;
            for (int len = kLenBase[code]; len <= last; ++len)
                t[len] = static_cast<uint8_t>(code);
        }
        return t;
    }();
    return table[length];
}

// Index into kDistBase for a distance 1..32768.
int DistCode(int dist)
{
    const uint16_t* p = std::upper_bound(kDistBase, kDistBase + kNumDist, dist);
    return static_cast<int>(p - kDistBase) - 1;
}

uint16_t ReverseBits(unsigned code, int len)
{
    unsigned r = 0;
    for (int i = 0; i < len; ++i)
    {
        r = (r << 1) | (code & 1);
        code >>= 1;
    }
    return static_cast<uint16_t>(r);
}

// Huffman code lengths for the given frequencies, none longer than limit.
// Frequencies are flattened until the tree fits.
void BuildLengths(const uint32_t* freq, int n, int limit, uint8_t* lens)
{
    std::vector<uint64_t> f(freq, freq + n);
    for (;;)
    {
        std::fill(lens, lens + n, 0);
        std::vector<int> parent;
        std::vector<int> leafSym;
        typedef std::pair<uint64_t, int> Item; // weight, node
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
        for (int s = 0; s < n; ++s)
        {
            if (f[s] == 0)
                continue;
            queue.push(Item(f[s], static_cast<int>(parent.size())));
            parent.push_back(-1);
            leafSym.push_back(s);
        }
        const int leaves = static_cast<int>(leafSym.size());
        if (leaves == 0)
            return;
        if (leaves == 1)
        {
            lens[leafSym[0]] = 1;
            return;
        }
        while (queue.size() > 1)
        {
            Item a = queue.top();
            queue.pop();
            Item b = queue.top();
            queue.pop();
            const int node = static_cast<int>(parent.size());
            parent.push_back(-1);
            parent[a.second] = node;
            parent[b.second] = node;
            queue.push(Item(a.first + b.first, node));
        }
        // Parents are created after their children: walk from the root down.
        const int total = static_cast<int>(parent.size());
        std::vector<int> depth(total, 0);
        for (int i = total - 2; i >= 0; --i)
            depth[i] = depth[parent[i]] + 1;
        int maxDepth = 0;
        for (int i = 0; i < leaves; ++i)
            maxDepth = std::max(maxDepth, depth[i]);
        if (maxDepth <= limit)
        {
            for (int i = 0; i < leaves; ++i)
                lens[leafSym[i]] = static_cast<uint8_t>(depth[i]);
            return;
        }
        for (uint64_t& x : f)
            if (x)
                x = (x >> 1) | 1;
    }
}

// Canonical codes (bit-reversed for LSB-first output) for code lengths.
void MakeCodes(const uint8_t* lens, int n, uint16_t* codes)
{
    int count[16] = {0};
    for (int i = 0; i < n; ++i)
        count[lens[i]]++;
    count[0] = 0;
    int next[16] = {0};
    int code = 0;
    for (int bits = 1; bits < 16; ++bits)
    {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    for (int i = 0; i < n; ++i)
        codes[i] = lens[i] ? ReverseBits(static_cast<unsigned>(next[lens[i]]++), lens[i]) : 0;
}

// Makes sure at least two symbols have a code, so that every code is complete.
void EnsureTwoCodes(uint32_t* freq, int n)
{
    int used = 0;
    for (int i = 0; i < n; ++i)
        used += freq[i] != 0;
    for (int i = 0; used < 2 && i < n; ++i)
    {
        if (freq[i] == 0)
        {
            freq[i] = 1;
            ++used;
        }
    }
}

} // namespace

CZlibEncoder::CZlibEncoder(bool compress)
    : m_compress(compress)
{
    m_out.push_back(static_cast<char>(0x78));
    m_out.push_back(static_cast<char>(compress ? 0x9C : 0x01));
    if (m_compress)
    {
        m_head.assign(kHashSize, -1);
        m_prev.assign(kWindowSize, -1);
        m_symLit.reserve(kMaxSymbols);
        m_symDist.reserve(kMaxSymbols);
    }
}

void CZlibEncoder::UpdateAdler(const uint8_t* data, size_t size)
{
    const uint32_t kMod = 65521;
    while (size > 0)
    {
        const size_t n = std::min<size_t>(size, 5552);
        for (size_t i = 0; i < n; ++i)
        {
            m_adlerA += data[i];
            m_adlerB += m_adlerA;
        }
        m_adlerA %= kMod;
        m_adlerB %= kMod;
        data += n;
        size -= n;
    }
}

// Feeds input; encodes as far as the look-ahead allows.
void CZlibEncoder::Write(const void* data, size_t size)
{
    if (m_finished)
        return;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    UpdateAdler(p, size);
    if (!m_compress)
    {
        m_window.insert(m_window.end(), p, p + size);
        size_t done = 0;
        while (m_window.size() - done >= kMaxStored)
        {
            WriteStored(m_window.data() + done, kMaxStored, false);
            done += kMaxStored;
        }
        m_window.erase(m_window.begin(), m_window.begin() + static_cast<std::ptrdiff_t>(done));
        return;
    }
    while (size > 0)
    {
        const size_t n = std::min(size, kFeedChunk);
        Slide();
        m_window.insert(m_window.end(), p, p + n);
        Process(false);
        p += n;
        size -= n;
    }
}

// Encodes all input and closes the stream with the Adler-32 checksum.
void CZlibEncoder::Finish()
{
    if (m_finished)
        return;
    if (m_compress)
    {
        Process(true);
        FlushBlock(true);
    }
    else
    {
        WriteStored(m_window.data(), m_window.size(), true);
        m_window.clear();
    }
    AlignToByte();
    const uint32_t adler = (m_adlerB << 16) | m_adlerA;
    for (int shift = 24; shift >= 0; shift -= 8)
        m_out.push_back(static_cast<char>((adler >> shift) & 0xFF));
    m_finished = true;
}

void CZlibEncoder::TakeOutput(std::string& out)
{
    out.swap(m_out);
    m_out.clear();
}

std::string CZlibEncoder::Compress(const void* data, size_t size, bool compress)
{
    CZlibEncoder enc(compress);
    enc.Write(data, size);
    enc.Finish();
    std::string out;
    enc.TakeOutput(out);
    return out;
}

void CZlibEncoder::PutBits(uint32_t value, int count)
{
    m_bitBuf |= static_cast<uint64_t>(value) << m_bitCount;
    m_bitCount += count;
    while (m_bitCount >= 8)
    {
        m_out.push_back(static_cast<char>(m_bitBuf & 0xFF));
        m_bitBuf >>= 8;
        m_bitCount -= 8;
    }
}

void CZlibEncoder::AlignToByte()
{
    if (m_bitCount > 0)
        m_out.push_back(static_cast<char>(m_bitBuf & 0xFF));
    m_bitBuf = 0;
    m_bitCount = 0;
}

// Drops input that is neither in the match window nor in the open block.
void CZlibEncoder::Slide()
{
    const int64_t keepFrom = std::min(m_blockStart, m_pos - kWindowSize);
    const int64_t drop = keepFrom - m_winStart;
    if (drop < static_cast<int64_t>(kFeedChunk))
        return;
    m_window.erase(m_window.begin(), m_window.begin() + static_cast<std::ptrdiff_t>(drop));
    m_winStart += drop;
}

void CZlibEncoder::InsertHash(int64_t pos)
{
    const uint8_t* p = &m_window[static_cast<size_t>(pos - m_winStart)];
    const uint32_t h = ((static_cast<uint32_t>(p[0]) << 10) ^ (static_cast<uint32_t>(p[1]) << 5) ^ p[2])
                       & (kHashSize - 1);
    m_prev[pos & kWindowMask] = m_head[h];
    m_head[h] = pos;
}

// Greedy LZ77 over the buffered input; keeps a full match length of
// look-ahead unless flushAll.
void CZlibEncoder::Process(bool flushAll)
{
    const int64_t end = m_winStart + static_cast<int64_t>(m_window.size());
    for (;;)
    {
        const int64_t avail = end - m_pos;
        if (avail <= 0 || (!flushAll && avail < kMaxMatch + kMinMatch))
            break;
        const uint8_t* cur = &m_window[static_cast<size_t>(m_pos - m_winStart)];
        int bestLen = 0;
        int bestDist = 0;
        if (avail >= kMinMatch)
        {
            const int maxLen = static_cast<int>(std::min<int64_t>(kMaxMatch, avail));
            const uint32_t h = ((static_cast<uint32_t>(cur[0]) << 10) ^ (static_cast<uint32_t>(cur[1]) << 5)
                                ^ cur[2]) & (kHashSize - 1);
            int64_t cand = m_head[h];
            int chain = kMaxChain;
            while (cand >= 0 && m_pos - cand <= kWindowSize && chain-- > 0)
            {
                const uint8_t* p = &m_window[static_cast<size_t>(cand - m_winStart)];
                if (p[bestLen] == cur[bestLen] && p[0] == cur[0] && p[1] == cur[1])
                {
                    int len = 2;
                    while (len < maxLen && p[len] == cur[len])
                        ++len;
                    if (len > bestLen)
                    {
                        bestLen = len;
                        bestDist = static_cast<int>(m_pos - cand);
                        if (len >= maxLen)
                            break;
                    }
                }
                const int64_t next = m_prev[cand & kWindowMask];
                if (next >= cand)
                    break;
                cand = next;
            }
        }
        int advance = 1;
        if (bestLen >= kMinMatch)
        {
            m_symLit.push_back(static_cast<uint16_t>(bestLen));
            m_symDist.push_back(static_cast<uint16_t>(bestDist));
            advance = bestLen;
        }
        else
        {
            m_symLit.push_back(*cur);
            m_symDist.push_back(0);
        }
        for (int i = 0; i < advance; ++i)
        {
            if (m_pos + i + kMinMatch <= end)
                InsertHash(m_pos + i);
        }
        m_pos += advance;
        if (m_symLit.size() >= kMaxSymbols || m_pos - m_blockStart >= kMaxBlockBytes)
            FlushBlock(false);
    }
}

void CZlibEncoder::WriteStored(const uint8_t* data, size_t size, bool final)
{
    do
    {
        const size_t n = std::min(size, kMaxStored);
        const bool last = n == size;
        PutBits(last && final ? 1 : 0, 1);
        PutBits(0, 2);
        AlignToByte();
        m_out.push_back(static_cast<char>(n & 0xFF));
        m_out.push_back(static_cast<char>(n >> 8));
        m_out.push_back(static_cast<char>(~n & 0xFF));
        m_out.push_back(static_cast<char>((~n >> 8) & 0xFF));
        m_out.append(reinterpret_cast<const char*>(data), n);
        data += n;
        size -= n;
    } while (size > 0);
}

// Codes the collected symbols as one block in the shortest of the three forms.
void CZlibEncoder::FlushBlock(bool final)
{
    uint32_t litFreq[kNumLitLen] = {0};
    uint32_t distFreq[kNumDist] = {0};
    uint64_t extraBits = 0;
    const size_t count = m_symLit.size();
    for (size_t i = 0; i < count; ++i)
    {
        if (m_symDist[i] == 0)
        {
            litFreq[m_symLit[i]]++;
            continue;
        }
        const int lc = LenCode(m_symLit[i]);
        const int dc = DistCode(m_symDist[i]);
        litFreq[257 + lc]++;
        distFreq[dc]++;
        extraBits += kLenExtra[lc] + kDistExtra[dc];
    }
    litFreq[256] = 1;
    EnsureTwoCodes(litFreq, kNumLitLen);
    EnsureTwoCodes(distFreq, kNumDist);

    uint8_t litLen[kNumLitLen];
    uint8_t distLen[kNumDist];
    BuildLengths(litFreq, kNumLitLen, 15, litLen);
    BuildLengths(distFreq, kNumDist, 15, distLen);
    int hlit = kNumLitLen;
    while (hlit > 257 && litLen[hlit - 1] == 0)
        --hlit;
    int hdist = kNumDist;
    while (hdist > 1 && distLen[hdist - 1] == 0)
        --hdist;

    // Run-length code of the code lengths.
    std::vector<uint8_t> all(litLen, litLen + hlit);
    all.insert(all.end(), distLen, distLen + hdist);
    std::vector<std::pair<uint8_t, uint8_t>> rle; // symbol, extra value
    for (size_t i = 0; i < all.size();)
    {
        const uint8_t len = all[i];
        size_t run = 1;
        while (i + run < all.size() && all[i + run] == len)
            ++run;
        i += run;
        if (len == 0)
        {
            while (run >= 11)
            {
                const size_t r = std::min<size_t>(run, 138);
                rle.emplace_back(18, static_cast<uint8_t>(r - 11));
                run -= r;
            }
            if (run >= 3)
            {
                rle.emplace_back(17, static_cast<uint8_t>(run - 3));
                run = 0;
            }
        }
        else
        {
            rle.emplace_back(len, 0);
            --run;
            while (run >= 3)
            {
                const size_t r = std::min<size_t>(run, 6);
                rle.emplace_back(16, static_cast<uint8_t>(r - 3));
                run -= r;
            }
        }
        while (run > 0)
        {
            rle.emplace_back(len, 0);
            --run;
        }
    }
    uint32_t clFreq[kNumCodeLen] = {0};
    for (const auto& s : rle)
        clFreq[s.first]++;
    EnsureTwoCodes(clFreq, kNumCodeLen);
    uint8_t clLen[kNumCodeLen];
    BuildLengths(clFreq, kNumCodeLen, 7, clLen);
    int hclen = kNumCodeLen;
    while (hclen > 4 && clLen[kCodeLenOrder[hclen - 1]] == 0)
        --hclen;

    // Fixed code lengths.
    uint8_t fixLit[288];
    uint8_t fixDist[kNumDist];
    for (int i = 0; i < 288; ++i)
        fixLit[i] = static_cast<uint8_t>(i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8);
    std::fill(fixDist, fixDist + kNumDist, 5);

    // Sizes in bits.
    uint64_t dynBits = 3 + 5 + 5 + 4 + 3 * static_cast<uint64_t>(hclen) + extraBits;
    uint64_t fixBits = 3 + extraBits;
    for (const auto& s : rle)
        dynBits += clLen[s.first] + (s.first == 16 ? 2 : s.first == 17 ? 3 : s.first == 18 ? 7 : 0);
    for (int i = 0; i < kNumLitLen; ++i)
    {
        const uint64_t f = i == 256 ? 1 : litFreq[i];
        dynBits += f * litLen[i];
        fixBits += f * fixLit[i];
    }
    for (int i = 0; i < kNumDist; ++i)
    {
        dynBits += static_cast<uint64_t>(distFreq[i]) * distLen[i];
        fixBits += static_cast<uint64_t>(distFreq[i]) * fixDist[i];
    }
    const size_t rawLen = static_cast<size_t>(m_pos - m_blockStart);
    const uint64_t storedBits = (rawLen + 5 * (rawLen / kMaxStored + 1)) * 8 + 8;

    if (storedBits < dynBits && storedBits < fixBits)
    {
        WriteStored(rawLen ? &m_window[static_cast<size_t>(m_blockStart - m_winStart)] : nullptr,
                    rawLen, final);
    }
    else
    {
        const bool dynamic = dynBits < fixBits;
        const uint8_t* lLen = dynamic ? litLen : fixLit;
        const uint8_t* dLen = dynamic ? distLen : fixDist;
        uint16_t lCode[288];
        uint16_t dCode[kNumDist];
        MakeCodes(lLen, dynamic ? kNumLitLen : 288, lCode);
        MakeCodes(dLen, kNumDist, dCode);

        PutBits(final ? 1 : 0, 1);
        PutBits(dynamic ? 2 : 1, 2);
        if (dynamic)
        {
            uint16_t clCode[kNumCodeLen];
            MakeCodes(clLen, kNumCodeLen, clCode);
            PutBits(static_cast<uint32_t>(hlit - 257), 5);
            PutBits(static_cast<uint32_t>(hdist - 1), 5);
            PutBits(static_cast<uint32_t>(hclen - 4), 4);
            for (int i = 0; i < hclen; ++i)
                PutBits(clLen[kCodeLenOrder[i]], 3);
            for (const auto& s : rle)
            {
                PutBits(clCode[s.first], clLen[s.first]);
                if (s.first == 16)
                    PutBits(s.second, 2);
                else if (s.first == 17)
                    PutBits(s.second, 3);
                else if (s.first == 18)
                    PutBits(s.second, 7);
            }
        }
        for (size_t i = 0; i < count; ++i)
        {
            const unsigned lit = m_symLit[i];
            const unsigned dist = m_symDist[i];
            if (dist == 0)
            {
                PutBits(lCode[lit], lLen[lit]);
                continue;
            }
            const int lc = LenCode(static_cast<int>(lit));
            const int dc = DistCode(static_cast<int>(dist));
            PutBits(lCode[257 + lc], lLen[257 + lc]);
            if (kLenExtra[lc])
                PutBits(lit - kLenBase[lc], kLenExtra[lc]);
            PutBits(dCode[dc], dLen[dc]);
            if (kDistExtra[dc])
                PutBits(dist - kDistBase[dc], kDistExtra[dc]);
        }
        PutBits(lCode[256], lLen[256]);
    }
    m_symLit.clear();
    m_symDist.clear();
    m_blockStart = m_pos;
}
