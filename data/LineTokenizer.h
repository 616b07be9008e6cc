// LineTokenizer.h - CLineTokenizer, the field splitter of delimited text.
//
// Notes
// - The control set is six single-byte characters, in this order:
//   delimiter, quote (0 = no quoting), escape (0 = none), collapse runs of
//   delimiters (nonzero = on), no trailing empty field (nonzero = on),
//   keep quotes (nonzero = the quotes that open or close a quoted value are
//   copied into the field).
// - Quoting follows the common CSV rules: a quote at the start of a field
//   opens a quoted value, a doubled quote inside it is one literal quote, a
//   single quote closes it; a quote in the middle of an unquoted field is an
//   ordinary character.  Delimiters and line breaks inside quotes belong to
//   the value.
// - The fields live in one block owned by the tokenizer; they are valid until
//   the next Split or the destructor.

#pragma once

#include <stddef.h>

// Positions in the control set.
enum
{
    TOKCTL_DELIMITER = 0,
    TOKCTL_QUOTE = 1,
    TOKCTL_ESCAPE = 2,
    TOKCTL_COLLAPSE = 3,
    TOKCTL_NOTRAILINGEMPTY = 4,
    TOKCTL_KEEPQUOTES = 5,
    TOKCTL_SIZE = 6
};

// CLineTokenizer cuts one line (or one record of several lines) into fields.
class CLineTokenizer
{
public:
    CLineTokenizer();
    virtual ~CLineTokenizer();

    CLineTokenizer(const CLineTokenizer&) = delete;
    CLineTokenizer& operator=(const CLineTokenizer&) = delete;

// Operations
    // Splits a terminated line; returns the field count (0 also when the
    // block cannot be allocated, with ERROR_OUTOFMEMORY as last error).
    int Split(const char* pszLine, const char* pControls);
    // Splits nLength bytes; line breaks are ordinary characters.
    int Split(const char* pchLine, size_t nLength, const char* pControls);
    // Splits the first record of pchText: the record ends at a CRLF, LF or
    // CR outside quotes.  *pnConsumed receives the bytes of the record and
    // its line break.
    int SplitRecord(const char* pchText, size_t nLength, const char* pControls,
        size_t* pnConsumed);
    // Measures the first record of pchText as SplitRecord cuts it, without
    // storing anything: returns the bytes of the record and its line break;
    // *pnFields receives the field count.
    static size_t MeasureRecord(const char* pchText, size_t nLength, const char* pControls,
        size_t* pnFields);

// Attributes
    int GetCount() const { return m_nFields; }
    const char* GetField(int nIndex) const;     // NULL outside 0..count-1
    size_t GetFieldLength(int nIndex) const;    // 0 outside 0..count-1

// Implementation
protected:
    // One scanning routine for both passes: without outputs it only counts
    // pointers (the final null one included) and characters (terminators
    // included).  Returns the bytes scanned.
    static size_t ScanFields(const char* pchLine, size_t nLength, const char* pControls,
        bool bStopAtLineBreak, size_t& nPointers, size_t& nChars,
        char** ppFields, char* pChars);

    int DoSplit(const char* pchLine, size_t nLength, const char* pControls,
        bool bStopAtLineBreak, size_t* pnConsumed);

    void* m_pBlock;         // field pointers, then the fields' characters
    size_t m_nBlockSize;    // bytes allocated in m_pBlock
    char** m_ppFields;      // inside m_pBlock, ends with a null pointer
    int m_nFields;          // field count of the last split
};
