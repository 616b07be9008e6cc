// ColumnBinding.cpp - the column binding of a database text.

#include "ColumnBinding.h"

#include "DataSource.h"

namespace
{

const char kSeparator[] = "-";
// Digits of a column index; more would not fit an int.
const int kMaxIndexDigits = 9;

// A strict decimal column index; -1 for anything else.
int ParseColumnIndex(const CString& str)
{
    const int nLength = str.GetLength();
    if (nLength == 0 || nLength > kMaxIndexDigits)
        return -1;
    int nValue = 0;
    for (int i = 0; i < nLength; ++i)
    {
        const char ch = str[i];
        if (ch < '0' || ch > '9')
            return -1;
        nValue = nValue * 10 + (ch - '0');
    }
    return nValue;
}

// The index of a column name: the same name first, else the same name in another case.
int FindColumn(const std::vector<CString>& names, const CString& strName)
{
    for (size_t i = 0; i < names.size(); ++i)
    {
        if (names[i] == strName)
            return static_cast<int>(i);
    }
    for (size_t i = 0; i < names.size(); ++i)
    {
        if (names[i].CompareNoCase(strName) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Parsing and formatting

BOOL ParseColumnBinding(const CString& strBinding, std::vector<int>& columns)
{
    columns.clear();
    if (strBinding.IsEmpty())
        return FALSE;
    std::vector<CString> pieces;
    SplitAtSeparator(strBinding, kSeparator, pieces);
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        const int nColumn = ParseColumnIndex(pieces[i]);
        if (nColumn < 0)
        {
            columns.clear();
            return FALSE;
        }
        columns.push_back(nColumn);
    }
    return TRUE;
}

BOOL IsValidColumnBinding(const CString& strBinding)
{
    std::vector<int> columns;
    return ParseColumnBinding(strBinding, columns);
}

BOOL IsMergedColumnBinding(const CString& strBinding)
{
    std::vector<int> columns;
    return ParseColumnBinding(strBinding, columns) && columns.size() > 1;
}

int SingleBindingColumn(const CString& strBinding)
{
    std::vector<int> columns;
    if (!ParseColumnBinding(strBinding, columns) || columns.size() != 1)
        return -1;
    return columns[0];
}

CString FormatColumnBinding(const std::vector<int>& columns)
{
    CString strBinding;
    for (size_t i = 0; i < columns.size(); ++i)
    {
        CString strIndex;
        strIndex.Format("%d", columns[i]);
        if (i > 0)
            strBinding += kSeparator;
        strBinding += strIndex;
    }
    return strBinding;
}

CString JoinColumnBindings(const CString& strFirst, const CString& strNext)
{
    if (strFirst.IsEmpty())
        return strNext;
    if (strNext.IsEmpty())
        return strFirst;
    return strFirst + kSeparator + strNext;
}

/////////////////////////////////////////////////////////////////////////////
// Tables

std::vector<CString> TableColumnNames(CString* const* pRows, int nRows, int nColumns)
{
    std::vector<CString> names;
    if (pRows != NULL && nRows >= 1 && pRows[0] != NULL && nColumns > 0)
        names.assign(pRows[0], pRows[0] + nColumns);
    return names;
}

// Maps a binding onto the new source's columns by name; FALSE when a bound column is missing there.
BOOL RebindColumnBinding(const CString& strBinding, const std::vector<CString>& oldNames,
    const std::vector<CString>& newNames, CString& strRebound)
{
    std::vector<int> columns;
    if (!ParseColumnBinding(strBinding, columns))
        return FALSE;
    for (size_t i = 0; i < columns.size(); ++i)
    {
        if (columns[i] >= static_cast<int>(oldNames.size()))
            return FALSE;
        const int nNew = FindColumn(newNames, oldNames[columns[i]]);
        if (nNew < 0)
            return FALSE;
        columns[i] = nNew;
    }
    strRebound = FormatColumnBinding(columns);
    return TRUE;
}

// The text a binding prints for one record: its columns' values joined by a space, cut to MAX_MERGED_TEXT;
// a column the record lacks gives nothing.
CString MergeRecordColumns(CString* const* pRows, int nRows, int nColumns, int nRow,
    const CString& strBinding)
{
    const CString* pRow = NULL;
    if (pRows != NULL && nRow >= 0 && nRow < nRows)
        pRow = pRows[nRow];

    std::vector<CString> pieces;
    SplitAtSeparator(strBinding, kSeparator, pieces);
    CString strText;
    for (size_t i = 0; i < pieces.size(); ++i)
    {
        const int nColumn = ParseColumnIndex(pieces[i]);
        CString strField;
        if (pRow != NULL && nColumn >= 0 && nColumn < nColumns)
            strField = pRow[nColumn];
        strText.TrimLeft();
        strText.TrimRight();
        if (strText.IsEmpty())
            strText = strField;
        else
            strText += " " + strField;
    }
    if (strText.GetLength() > MAX_MERGED_TEXT)
        strText = strText.Left(MAX_MERGED_TEXT);
    return strText;
}
