// SqlSelect.h: the statements a recordset accepts, parsed and applied to a table's rows.
//
//   SELECT * | col[, col...] FROM name | [name]
//     [WHERE comparison {AND|OR} comparison ...]   comparisons: = <> != < <= > >=
//     [ORDER BY col [ASC|DESC], ...] [;]
//
// Names are plain words or in brackets (or back quotes); literals are numbers
// and texts in single or double quotes. AND binds closer than OR; parentheses
// group. Texts compare case-insensitively, as the databases do.
#pragma once

#include "AdoRowSet.h"

#include <memory>
#include <string>
#include <vector>

namespace ado {

// SelectResult is a view on a row set: which columns in which order, which rows in which order.
struct SelectResult
{
    std::vector<size_t> columns;
    std::vector<uint32_t> rows;
};

// SelectStatement is one parsed statement.
class SelectStatement
{
public:
    // Parses a statement; a bare table name reads the whole table.
    // DBE_BADSTATEMENT with a description of the fault.
    explicit SelectStatement(const std::wstring& text);

    const std::wstring& Table() const { return m_table; }

    // Applies the statement to the table's rows; DBE_UNKNOWNCOLUMN for a name
    // that is not a column, DBE_TYPEMISMATCH for a comparison of unlike values.
    SelectResult Run(const RowSet& rows) const;

    // Operand of a comparison.
    struct Operand
    {
        enum Kind { Column, Number, Text } kind = Number;
        std::wstring text;      // column name or literal text
        double number = 0;
    };
    // Node of the WHERE tree: a comparison, or AND/OR of two nodes.
    struct Node
    {
        enum Kind { Compare, And, Or } kind = Compare;
        int op = 0;             // comparison operator (Op values)
        Operand left, right;
        int a = -1, b = -1;     // children of And/Or
    };
    struct OrderKey
    {
        std::wstring column;
        bool descending = false;
    };

private:
    std::wstring m_table;
    std::vector<std::wstring> m_columns;    // empty = all
    std::vector<Node> m_nodes;
    int m_where = -1;                       // root node, -1 = none
    std::vector<OrderKey> m_order;
};

} // namespace ado
