// TextData.h - delimited text files read into the loaded data table.
//
// Notes
// - Records end at CRLF, LF or CR outside quotes; the line break after the
//   last record adds no record.
// - Files in UTF-8 (with a byte order mark, or without one when the bytes are
//   valid UTF-8 and not plain ASCII) and in UTF-16 with a byte order mark
//   (either byte order) are converted to the ANSI code page; other files are
//   read as ANSI text as they are.  A character the code page cannot hold
//   becomes its default character and the load says so.  A zero byte in an
//   8-bit file (or a zero character in UTF-16) means the file is not text:
//   it is refused.
// - The first record that is not blank decides the column count; values are
//   cut to their first 255 characters.  Rows are full rows of that many
//   values, so a column count beyond TEXTDATA_MAX_COLUMNS, or one far wider
//   than the other records fill, is refused before any row is made: memory
//   stays in proportion to the file.

#pragma once

#include "DataSource.h"

#include <vector>

// Result of LoadDelimitedTextTable.
enum
{
    TEXTLOAD_OK = 0,
    TEXTLOAD_CANNOT_OPEN,
    TEXTLOAD_NOT_TEXT,          // zero bytes: not a text file
    TEXTLOAD_TOO_MANY_COLUMNS,  // more than TEXTDATA_MAX_COLUMNS columns
    TEXTLOAD_TOO_WIDE,          // far more columns than the records fill
    TEXTLOAD_CHARS_REPLACED     // only for TextLoadMessage: loaded, some characters replaced
};

// The longest value kept from a text source.
const int TEXTDATA_MAX_VALUE = 255;

// The widest table read from a text source (the widest spreadsheet).
const int TEXTDATA_MAX_COLUMNS = 16384;

// Values of a table (columns times records) always allowed, and allowed per
// byte of text beyond that.
const size_t TEXTDATA_FREE_VALUES = 4000000;
const size_t TEXTDATA_VALUES_PER_BYTE = 4;

// The control set that a loader starts with: blank, '"', 0, 1, 1, 0.
void InitTokenControls(char* pControls);

// Writes the delimiter into the control set.  Runs of delimiters collapse,
// and a delimiter at the end of a record gives no empty field, only for a
// blank delimiter; other delimiters keep every empty field.  A '"'
// delimiter turns quoting off.
void SetTokenDelimiter(char* pControls, char chDelimiter);

// Reads a whole file with one read call.  FALSE when the file cannot be
// opened; a failed read throws std::runtime_error.
BOOL ReadTextFile(const CString& strPath, std::vector<char>& text);

// Turns the bytes of a text file into ANSI text in place (see the notes):
// TEXTLOAD_OK or TEXTLOAD_NOT_TEXT.  *pbReplaced (may be NULL) tells whether
// a character was replaced by the code page's default character.
int DecodeDelimitedText(std::vector<char>& text, BOOL* pbReplaced);

// Builds the table from ANSI text in memory with the given control set:
// TEXTLOAD_OK, TEXTLOAD_TOO_MANY_COLUMNS or TEXTLOAD_TOO_WIDE (the table is
// then untouched).  The text ends at a zero byte; a UTF-8 byte order mark is
// skipped.  Throws on allocation failure.
int BuildDelimitedTable(const char* pchText, size_t nLength, const char* pControls,
    BOOL bHasColNames, CDataTable& table);

// Reads strPath and builds its table: the file part of the text loader,
// without messages.  pControls receives the delimiter of strDelimiter
// ("tab" or one character).  The table is replaced only on TEXTLOAD_OK;
// *pbReplaced (may be NULL) then tells whether characters were replaced.
int LoadDelimitedTextTable(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames, char* pControls, CDataTable& table, BOOL* pbReplaced = NULL);

// The message of a load result other than TEXTLOAD_OK and TEXTLOAD_CANNOT_OPEN
// for the file strPath.
CString GetTextLoadMessage(int nResult, const CString& strPath);
