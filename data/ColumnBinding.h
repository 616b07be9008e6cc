// ColumnBinding.h - the column binding of a database text.
//
// Declares: the parse and format of a binding, the names of a table's
// columns, the rebinding to another table by column name, the join of merged
// texts' bindings and the text of a record for a binding.
//
// Notes
// - A binding names columns of the loaded data table (DataSource.h) by their
//   0-based index in decimal, several joined by "-" for a text merged from
//   several texts: "2", "0-3-1".  The empty text means not bound.
// - A column index is 1 to 9 decimal digits and nothing else: no blank, no
//   sign.  A binding with any other piece is damaged; it names no column.

#pragma once

#include <afx.h>

#include <vector>

// Parsing and formatting

// The columns of a binding, in order.  FALSE, with no columns, for the empty
// binding and for a damaged one.
BOOL ParseColumnBinding(const CString& strBinding, std::vector<int>& columns);

// TRUE when the binding names at least one column and is not damaged.
BOOL IsValidColumnBinding(const CString& strBinding);

// TRUE for a valid binding of two or more columns (a merged text).
BOOL IsMergedColumnBinding(const CString& strBinding);

// The column of a valid one-column binding; -1 for every other binding.
int SingleBindingColumn(const CString& strBinding);

// The binding of the columns, "%d" joined by "-"; empty for no columns.
CString FormatColumnBinding(const std::vector<int>& columns);

// The binding of a text merged from two: both joined by "-", where an empty
// (unbound) one adds nothing.
CString JoinColumnBindings(const CString& strFirst, const CString& strNext);

// Tables

// The names row (row 0) of a data table; none without one.
std::vector<CString> TableColumnNames(CString* const* pRows, int nRows, int nColumns);

// A binding over the columns oldNames written over newNames by name: the same
// name first, else the same name in another case.  FALSE when the binding is
// empty or damaged or names a column that oldNames or newNames lacks.
BOOL RebindColumnBinding(const CString& strBinding, const std::vector<CString>& oldNames,
    const std::vector<CString>& newNames, CString& strRebound);

// The longest text MergeRecordColumns gives.
const int MAX_MERGED_TEXT = 255;

// The text printed for a binding from data row nRow (1 = the first record):
// the fields of its columns in order.  Before each field the text built so far
// loses its leading and trailing white space; the field is then appended, after
// one blank when that text is not empty.  The result is cut to
// MAX_MERGED_TEXT characters.  A piece that is no column of the table, and
// every column of a row outside the table, gives an empty field.
CString MergeRecordColumns(CString* const* pRows, int nRows, int nColumns, int nRow,
    const CString& strBinding);
