// TextData.h - delimited text files read into the loaded data table.
//
// Notes
// - Records end at CRLF, LF or CR outside quotes; the line break after the
//   last record adds no record.  A UTF-8 byte order mark at the start is
//   skipped.  The text ends at its first zero byte.
// - The first record that is not blank decides the column count; values are
//   cut to their first 255 characters.

#pragma once

#include "DataSource.h"

#include <vector>

// Result of LoadDelimitedTextTable.
enum
{
    TEXTLOAD_OK = 0,
    TEXTLOAD_CANNOT_OPEN
};

// The longest value kept from a text source.
const int TEXTDATA_MAX_VALUE = 255;

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

// Builds the table from text in memory with the given control set; throws
// on allocation failure.
void BuildDelimitedTable(const char* pchText, size_t nLength, const char* pControls,
    BOOL bHasColNames, CDataTable& table);

// Reads strPath and builds its table: the file part of the text loader,
// without messages.  pControls receives the delimiter of strDelimiter
// ("tab" or one character).  The table is replaced only on TEXTLOAD_OK.
int LoadDelimitedTextTable(const CString& strPath, const CString& strDelimiter,
    BOOL bHasColNames, char* pControls, CDataTable& table);
