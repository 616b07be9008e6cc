// LineTokenizer.cpp - CLineTokenizer, the field splitter of delimited text.

#include "LineTokenizer.h"

#include <windows.h>
#include <stdlib.h>
#include <string.h>

namespace
{
bool IsLineBreak(char ch)
{
    return ch == '\r' || ch == '\n';
}

// Steps past one CRLF, LF or CR at pos.
size_t SkipLineBreak(const char* p, size_t n, size_t pos)
{
    if (p[pos] == '\r' && pos + 1 < n && p[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

// Writes characters in the second pass and counts them in both.
class CFieldWriter
{
public:
    CFieldWriter(char* pOut, size_t& nChars) : m_pOut(pOut), m_nChars(nChars) {}
    void Put(char ch)
    {
        if (m_pOut != NULL)
            *m_pOut++ = ch;
        ++m_nChars;
    }
    void Put(char ch, size_t nCount)
    {
        for (size_t i = 0; i < nCount; ++i)
            Put(ch);
    }
    char* Position() const { return m_pOut; }

private:
    char* m_pOut;
    size_t& m_nChars;
};
}

CLineTokenizer::CLineTokenizer()
    : m_pBlock(NULL), m_nBlockSize(0), m_ppFields(NULL), m_nFields(0)
{
}

CLineTokenizer::~CLineTokenizer()
{
    free(m_pBlock);
}

// Scans fields of one line or record; see the header for the rules.
size_t CLineTokenizer::ScanFields(const char* p, size_t n, const char* pControls,
    bool bStopAtLineBreak, size_t& nPointers, size_t& nChars,
    char** ppFields, char* pChars)
{
    nPointers = 1;   // the final null pointer
    nChars = 0;
    if (p == NULL || n == 0)
        return 0;

    const char chDelimiter = pControls[TOKCTL_DELIMITER];
    const char chQuote = pControls[TOKCTL_QUOTE];
    const char chEscape = pControls[TOKCTL_ESCAPE];
    const bool bCollapse = pControls[TOKCTL_COLLAPSE] != 0;
    const bool bNoTrailingEmpty = pControls[TOKCTL_NOTRAILINGEMPTY] != 0;
    const bool bKeepQuotes = pControls[TOKCTL_KEEPQUOTES] != 0;

    CFieldWriter out(pChars, nChars);
    size_t pos = 0;

    // An empty record has no fields.
    if (bStopAtLineBreak && IsLineBreak(p[0]))
    {
        if (ppFields != NULL)
            ppFields[0] = NULL;
        return SkipLineBreak(p, n, 0);
    }

    bool bEndedAtDelimiter = false;
    for (;;)
    {
        // After a delimiter at the end of the line: at most one empty field.
        if (bEndedAtDelimiter &&
            (pos >= n || (bStopAtLineBreak && IsLineBreak(p[pos]))))
        {
            if (!bNoTrailingEmpty)
            {
                if (ppFields != NULL)
                    ppFields[nPointers - 1] = out.Position();
                ++nPointers;
                out.Put('\0');
            }
            if (pos < n)
                pos = SkipLineBreak(p, n, pos);
            break;
        }

        // Begin a field.
        if (ppFields != NULL)
            ppFields[nPointers - 1] = out.Position();
        ++nPointers;
        bEndedAtDelimiter = false;

        bool bQuoted = false;
        if (chQuote != 0 && pos < n && p[pos] == chQuote)
        {
            bQuoted = true;
            if (bKeepQuotes)
                out.Put(chQuote);
            ++pos;
        }

        bool bLineEnded = false;
        for (;;)
        {
            size_t nEscapes = 0;
            if (chEscape != 0)
            {
                while (pos < n && p[pos] == chEscape)
                {
                    ++nEscapes;
                    ++pos;
                }
            }

            if (chQuote != 0 && pos < n && p[pos] == chQuote)
            {
                // Escapes before a quote: each pair gives one escape; an odd
                // one left over makes the quote an ordinary character.
                out.Put(chEscape, nEscapes / 2);
                if (nEscapes % 2 != 0 || !bQuoted)
                {
                    out.Put(chQuote);
                    ++pos;
                }
                else if (pos + 1 < n && p[pos + 1] == chQuote)
                {
                    out.Put(chQuote);   // doubled quote inside quotes
                    pos += 2;
                }
                else
                {
                    if (bKeepQuotes)
                        out.Put(chQuote);
                    bQuoted = false;
                    ++pos;
                }
                continue;
            }

            out.Put(chEscape, nEscapes);
            if (pos >= n)
            {
                bLineEnded = true;
                break;
            }

            const char ch = p[pos];
            if (!bQuoted)
            {
                if (ch == chDelimiter)
                {
                    ++pos;
                    if (bCollapse)
                    {
                        while (pos < n && p[pos] == chDelimiter)
                            ++pos;
                    }
                    bEndedAtDelimiter = true;
                    break;
                }
                if (bStopAtLineBreak && IsLineBreak(ch))
                {
                    pos = SkipLineBreak(p, n, pos);
                    bLineEnded = true;
                    break;
                }
            }
            out.Put(ch);
            ++pos;
        }
        out.Put('\0');
        if (bLineEnded)
            break;
    }

    if (ppFields != NULL)
        ppFields[nPointers - 1] = NULL;
    return pos;
}

// Counts, allocates once when the block is too small, then fills.
int CLineTokenizer::DoSplit(const char* pchLine, size_t nLength, const char* pControls,
    bool bStopAtLineBreak, size_t* pnConsumed)
{
    m_ppFields = NULL;
    m_nFields = 0;

    size_t nPointers = 0;
    size_t nChars = 0;
    const size_t nConsumed = ScanFields(pchLine, nLength, pControls, bStopAtLineBreak,
        nPointers, nChars, NULL, NULL);
    if (pnConsumed != NULL)
        *pnConsumed = nConsumed;

    const size_t nNeeded = nPointers * sizeof(char*) + nChars;
    if (nNeeded > m_nBlockSize)
    {
        free(m_pBlock);
        m_nBlockSize = 0;
        m_pBlock = malloc(nNeeded);
        if (m_pBlock == NULL)
        {
            ::SetLastError(ERROR_OUTOFMEMORY);
            return 0;
        }
        m_nBlockSize = nNeeded;
    }

    m_ppFields = static_cast<char**>(m_pBlock);
    char* pChars = reinterpret_cast<char*>(m_ppFields + nPointers);
    size_t nPointers2 = 0;
    size_t nChars2 = 0;
    ScanFields(pchLine, nLength, pControls, bStopAtLineBreak, nPointers2, nChars2,
        m_ppFields, pChars);
    m_nFields = static_cast<int>(nPointers - 1);
    return m_nFields;
}

int CLineTokenizer::Split(const char* pszLine, const char* pControls)
{
    return DoSplit(pszLine, pszLine != NULL ? strlen(pszLine) : 0, pControls, false, NULL);
}

int CLineTokenizer::Split(const char* pchLine, size_t nLength, const char* pControls)
{
    return DoSplit(pchLine, nLength, pControls, false, NULL);
}

int CLineTokenizer::SplitRecord(const char* pchText, size_t nLength, const char* pControls,
    size_t* pnConsumed)
{
    return DoSplit(pchText, nLength, pControls, true, pnConsumed);
}

size_t CLineTokenizer::MeasureRecord(const char* pchText, size_t nLength, const char* pControls,
    size_t* pnFields)
{
    size_t nPointers = 0;
    size_t nChars = 0;
    const size_t nConsumed = ScanFields(pchText, nLength, pControls, true, nPointers, nChars,
        NULL, NULL);
    if (pnFields != NULL)
        *pnFields = nPointers - 1;
    return nConsumed;
}

const char* CLineTokenizer::GetField(int nIndex) const
{
    if (m_ppFields == NULL || nIndex < 0 || nIndex >= m_nFields)
        return NULL;
    return m_ppFields[nIndex];
}

// Fields lie one after the other, each terminated.
size_t CLineTokenizer::GetFieldLength(int nIndex) const
{
    if (m_ppFields == NULL || nIndex < 0 || nIndex >= m_nFields)
        return 0;
    if (nIndex + 1 < m_nFields)
        return static_cast<size_t>(m_ppFields[nIndex + 1] - m_ppFields[nIndex]) - 1;
    return strlen(m_ppFields[nIndex]);
}
