// test_random.h - the deterministic generator of the random tests: the same seed gives
// the same values on every machine, so a failing seed can be run again.

#pragma once

// 64-bit linear congruential generator; its high bits are the values.
class CTestRandom
{
public:
    explicit CTestRandom(unsigned long long nSeed) : m_n(nSeed) {}
    unsigned Next()
    {
        m_n = m_n * 6364136223846793005ULL + 1442695040888963407ULL;
        return (unsigned)(m_n >> 33);
    }
    unsigned Below(unsigned n) { return Next() % n; }
    // A value from nFrom to nTo, both included.
    int Range(int nFrom, int nTo) { return nFrom + (int)Below((unsigned)(nTo - nFrom + 1)); }

private:
    unsigned long long m_n;
};
