// SqlSelect.cpp: tokenizer, parser and evaluation of the SELECT subset.
#include "SqlSelect.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace ado {

namespace {

enum Op { opEq, opNe, opLt, opLe, opGt, opGe };

struct Token
{
    enum Kind { End, Word, Name, Text, Number, Symbol } kind = End;
    std::wstring text;      // word, name, text literal or symbol
    double number = 0;
    size_t at = 0;          // position in the statement
};

[[noreturn]] void Syntax(const std::wstring& what)
{
    throw Error(DBE_BADSTATEMENT, kSourceRecordset, L"Syntax error in the statement: " + what + L".");
}

bool IsWordChar(wchar_t ch)
{
    return ch == L'_' || ch == L'$' || ch == L'#' || (ch < 0x80 ? iswalnum(ch) != 0 : IsCharAlphaNumericW(ch) != 0);
}

// Splits a statement into names, numbers, texts and symbols, refusing an unclosed text or bracket.
std::vector<Token> Tokenize(const std::wstring& s)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (true)
    {
        while (i < s.size() && iswspace(s[i]))
            ++i;
        Token token;
        token.at = i;
        if (i >= s.size())
        {
            tokens.push_back(token);
            return tokens;
        }
        wchar_t ch = s[i];
        if (ch == L'[' || ch == L'`')
        {
            wchar_t close = ch == L'[' ? L']' : L'`';
            size_t end = s.find(close, i + 1);
            if (end == std::wstring::npos)
                Syntax(std::wstring(L"a name opened with ") + ch + L" is not closed");
            token.kind = Token::Name;
            token.text = s.substr(i + 1, end - i - 1);
            if (token.text.empty())
                Syntax(L"an empty name");
            i = end + 1;
        }
        else if (ch == L'\'' || ch == L'"')
        {
            token.kind = Token::Text;
            ++i;
            while (true)
            {
                if (i >= s.size())
                    Syntax(L"a text literal is not closed");
                if (s[i] == ch)
                {
                    if (i + 1 < s.size() && s[i + 1] == ch)
                    {
                        token.text += ch;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.text += s[i++];
            }
        }
        else if (iswdigit(ch) || (ch == L'.' && i + 1 < s.size() && iswdigit(s[i + 1])))
        {
            size_t end = i;
            while (end < s.size() && iswdigit(s[end]))
                ++end;
            if (end < s.size() && s[end] == L'.')
            {
                ++end;
                while (end < s.size() && iswdigit(s[end]))
                    ++end;
            }
            if (end < s.size() && (s[end] == L'e' || s[end] == L'E'))
            {
                size_t exp = end + 1;
                if (exp < s.size() && (s[exp] == L'+' || s[exp] == L'-'))
                    ++exp;
                if (exp < s.size() && iswdigit(s[exp]))
                {
                    end = exp;
                    while (end < s.size() && iswdigit(s[end]))
                        ++end;
                }
            }
            if (end < s.size() && IsWordChar(s[end]))
                Syntax(L"a malformed number near '" + s.substr(i, end - i + 1) + L"'");
            token.kind = Token::Number;
            token.text = s.substr(i, end - i);
            token.number = wcstod(token.text.c_str(), nullptr);
            i = end;
        }
        else if (IsWordChar(ch))
        {
            size_t end = i;
            while (end < s.size() && IsWordChar(s[end]))
                ++end;
            token.kind = Token::Word;
            token.text = s.substr(i, end - i);
            i = end;
        }
        else
        {
            static const wchar_t* const kSymbols[] = { L"<>", L"!=", L"<=", L">=", L"=", L"<", L">",
                                                       L",", L"*", L"(", L")", L";", L"-", L"+" };
            bool matched = false;
            for (const wchar_t* symbol : kSymbols)
            {
                size_t n = wcslen(symbol);
                if (s.compare(i, n, symbol) == 0)
                {
                    token.kind = Token::Symbol;
                    token.text = symbol;
                    i += n;
                    matched = true;
                    break;
                }
            }
            if (!matched)
                Syntax(std::wstring(L"unexpected character '") + ch + L"'");
        }
        tokens.push_back(token);
    }
}

bool IsKeyword(const Token& t, const wchar_t* word)
{
    return t.kind == Token::Word && _wcsicmp(t.text.c_str(), word) == 0;
}

bool IsReserved(const Token& t)
{
    static const wchar_t* const kReserved[] = { L"SELECT", L"FROM", L"WHERE", L"ORDER", L"BY", L"ASC",
                                                L"DESC", L"AND", L"OR", L"NOT" };
    for (const wchar_t* word : kReserved)
        if (IsKeyword(t, word))
            return true;
    return false;
}

std::wstring Describe(const Token& t)
{
    switch (t.kind)
    {
    case Token::End: return L"the end of the statement";
    case Token::Name: return L"'[" + t.text + L"]'";
    case Token::Text: return L"the text '" + t.text + L"'";
    default: return L"'" + t.text + L"'";
    }
}

// Parser is a recursive-descent parser over the token list.
class Parser
{
public:
    explicit Parser(const std::wstring& text) : m_tokens(Tokenize(text)) {}

    const Token& Peek() const { return m_tokens[m_pos]; }
    Token Next() { Token t = m_tokens[m_pos]; if (t.kind != Token::End) ++m_pos; return t; }
    bool Accept(const wchar_t* keyword)
    {
        if (IsKeyword(Peek(), keyword)) { ++m_pos; return true; }
        return false;
    }
    bool AcceptSymbol(const wchar_t* symbol)
    {
        if (Peek().kind == Token::Symbol && Peek().text == symbol) { ++m_pos; return true; }
        return false;
    }
    void Expect(const wchar_t* keyword)
    {
        if (!Accept(keyword))
            Syntax(std::wstring(L"expected ") + keyword + L" but found " + Describe(Peek()));
    }
    std::wstring ExpectName(const wchar_t* what)
    {
        const Token& t = Peek();
        if (t.kind == Token::Name || (t.kind == Token::Word && !IsReserved(t)))
            return Next().text;
        Syntax(std::wstring(L"expected ") + what + L" but found " + Describe(t));
    }

    std::vector<Token> m_tokens;
    size_t m_pos = 0;
};

int ParseExpression(Parser& p, std::vector<SelectStatement::Node>& nodes, int depth);

// A column name, a (signed) number or a text in a condition.
SelectStatement::Operand ParseOperand(Parser& p)
{
    SelectStatement::Operand operand;
    const Token& t = p.Peek();
    if (t.kind == Token::Symbol && (t.text == L"-" || t.text == L"+"))
    {
        bool negative = t.text == L"-";
        p.Next();
        if (p.Peek().kind != Token::Number)
            Syntax(L"expected a number after the sign but found " + Describe(p.Peek()));
        Token number = p.Next();
        operand.kind = SelectStatement::Operand::Number;
        operand.number = negative ? -number.number : number.number;
        operand.text = (negative ? L"-" : L"") + number.text;
        return operand;
    }
    if (t.kind == Token::Number)
    {
        Token number = p.Next();
        operand.kind = SelectStatement::Operand::Number;
        operand.number = number.number;
        operand.text = number.text;
        return operand;
    }
    if (t.kind == Token::Text)
    {
        operand.kind = SelectStatement::Operand::Text;
        operand.text = p.Next().text;
        return operand;
    }
    operand.kind = SelectStatement::Operand::Column;
    operand.text = p.ExpectName(L"a column name or a value");
    return operand;
}

// A comparison, IS [NOT] NULL, LIKE, or a condition in brackets; limits the nesting depth.
int ParsePrimary(Parser& p, std::vector<SelectStatement::Node>& nodes, int depth)
{
    if (depth > 200)
        Syntax(L"the condition is nested too deeply");
    if (p.AcceptSymbol(L"("))
    {
        int node = ParseExpression(p, nodes, depth + 1);
        if (!p.AcceptSymbol(L")"))
            Syntax(L"expected ')' but found " + Describe(p.Peek()));
        return node;
    }
    SelectStatement::Node node;
    node.kind = SelectStatement::Node::Compare;
    node.left = ParseOperand(p);
    static const struct { const wchar_t* symbol; Op op; } kOps[] = {
        { L"=", opEq }, { L"<>", opNe }, { L"!=", opNe }, { L"<", opLt }, { L"<=", opLe }, { L">", opGt }, { L">=", opGe } };
    bool found = false;
    for (const auto& entry : kOps)
        if (p.AcceptSymbol(entry.symbol))
        {
            node.op = entry.op;
            found = true;
            break;
        }
    if (!found)
        Syntax(L"expected a comparison operator but found " + Describe(p.Peek()));
    node.right = ParseOperand(p);
    nodes.push_back(node);
    return (int)nodes.size() - 1;
}

int ParseAnd(Parser& p, std::vector<SelectStatement::Node>& nodes, int depth)
{
    int left = ParsePrimary(p, nodes, depth);
    while (p.Accept(L"AND"))
    {
        SelectStatement::Node node;
        node.kind = SelectStatement::Node::And;
        node.a = left;
        node.b = ParsePrimary(p, nodes, depth);
        nodes.push_back(node);
        left = (int)nodes.size() - 1;
    }
    return left;
}

int ParseExpression(Parser& p, std::vector<SelectStatement::Node>& nodes, int depth)
{
    int left = ParseAnd(p, nodes, depth);
    while (p.Accept(L"OR"))
    {
        SelectStatement::Node node;
        node.kind = SelectStatement::Node::Or;
        node.a = left;
        node.b = ParseAnd(p, nodes, depth);
        nodes.push_back(node);
        left = (int)nodes.size() - 1;
    }
    return left;
}

// ---------------------------------------------------------------------------
// Evaluation

enum class Class { Numeric, Date, Text, Other };

// Groups the column types into those that compare alike.
Class ClassOf(DataTypeEnum type)
{
    switch (type)
    {
    case adBoolean: case adUnsignedTinyInt: case adTinyInt: case adSmallInt: case adInteger:
    case adBigInt: case adSingle: case adDouble: case adCurrency: case adNumeric: case adDecimal:
        return Class::Numeric;
    case adDate:
        return Class::Date;
    case adVarWChar: case adLongVarWChar: case adGUID: case adBSTR:
        return Class::Text;
    default:
        return Class::Other;
    }
}

int CompareText(const std::wstring& a, const std::wstring& b)
{
    int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | SORT_STRINGSORT,
                           a.data(), (int)a.size(), b.data(), (int)b.size());
    if (r == 0)
        r = CompareStringOrdinal(a.data(), (int)a.size(), b.data(), (int)b.size(), TRUE);
    return r - CSTR_EQUAL;
}

// Number of a text that is a plain decimal number.
bool ParseNumber(const std::wstring& text, double& value)
{
    size_t begin = 0, end = text.size();
    while (begin < end && iswspace(text[begin]))
        ++begin;
    while (end > begin && iswspace(text[end - 1]))
        --end;
    if (begin == end)
        return false;
    std::wstring trimmed = text.substr(begin, end - begin);
    wchar_t* stop = nullptr;
    value = wcstod(trimmed.c_str(), &stop);
    return stop && *stop == 0 && std::isfinite(value);
}

// Days since 1899-12-30 of a civil date.
double OleDate(int year, int month, int day, int hour, int minute, int second)
{
    int y = year - (month <= 2);
    int era = (y >= 0 ? y : y - 399) / 400;
    int yoe = y - era * 400;
    int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    double days = (double)era * 146097 + doe - 693899; // 693899 = days from 0000-03-01 to 1899-12-30
    double time = (hour * 3600 + minute * 60 + second) / 86400.0;
    return days >= 0 ? days + time : days - time;
}

// Date of a text "yyyy-mm-dd[ hh:mm[:ss]]", or what the system reads as a date.
bool ParseDate(const std::wstring& text, double& value)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    wchar_t rest = 0;
    int n = swscanf(text.c_str(), L"%d-%d-%d %d:%d:%d%lc", &y, &mo, &d, &h, &mi, &s, &rest);
    if ((n == 3 || n == 5 || n == 6) && y >= 100 && y <= 9999 && mo >= 1 && mo <= 12 && d >= 1 && d <= 31 &&
        h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60)
    {
        value = OleDate(y, mo, d, h, mi, s);
        return true;
    }
    DATE date = 0;
    std::wstring copy = text;
    if (SUCCEEDED(VarDateFromStr(&copy[0], MAKELCID(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), SORT_DEFAULT),
                                 0, &date)))
    {
        value = date;
        return true;
    }
    return false;
}

[[noreturn]] void Mismatch(const SelectStatement::Node& node)
{
    auto name = [](const SelectStatement::Operand& o) {
        return o.kind == SelectStatement::Operand::Text ? L"'" + o.text + L"'" : o.text;
    };
    throw Error(DBE_TYPEMISMATCH, kSourceRecordset,
                L"Type mismatch in the comparison of " + name(node.left) + L" with " + name(node.right) + L".");
}

// A comparison bound to the columns of a row set.
struct BoundCompare
{
    enum Mode { Numeric, Text, Mixed } mode = Numeric;
    int op = opEq;
    int column[2] = { -1, -1 };     // -1 = literal
    double number[2] = { 0, 0 };
    std::wstring text[2];
};

struct Evaluator
{
    const RowSet& rows;
    const std::vector<SelectStatement::Node>& nodes;
    std::vector<BoundCompare> bound;    // by node index

    bool Value(int node, size_t row) const
    {
        const SelectStatement::Node& n = nodes[node];
        if (n.kind == SelectStatement::Node::And)
            return Value(n.a, row) && Value(n.b, row);
        if (n.kind == SelectStatement::Node::Or)
            return Value(n.a, row) || Value(n.b, row);
        const BoundCompare& c = bound[node];
        double numbers[2];
        std::wstring texts[2];
        bool isNumber[2];
        for (int side = 0; side < 2; ++side)
        {
            if (c.column[side] < 0)
            {
                numbers[side] = c.number[side];
                texts[side] = c.text[side];
                isNumber[side] = c.mode == BoundCompare::Numeric || ParseNumber(c.text[side], numbers[side]);
                continue;
            }
            const Cell& cell = rows.At(row, c.column[side]);
            if (cell.IsNull())
                return false;
            if (rows.IsNumeric(cell))
            {
                numbers[side] = rows.Number(cell);
                texts[side] = rows.DisplayText(cell);
                isNumber[side] = true;
            }
            else
            {
                texts[side] = rows.DisplayText(cell);
                isNumber[side] = c.mode == BoundCompare::Mixed && ParseNumber(texts[side], numbers[side]);
            }
        }
        int order;
        if (c.mode == BoundCompare::Numeric || (c.mode == BoundCompare::Mixed && isNumber[0] && isNumber[1]))
            order = numbers[0] < numbers[1] ? -1 : (numbers[0] > numbers[1] ? 1 : 0);
        else
            order = CompareText(texts[0], texts[1]);
        switch (c.op)
        {
        case opEq: return order == 0;
        case opNe: return order != 0;
        case opLt: return order < 0;
        case opLe: return order <= 0;
        case opGt: return order > 0;
        default: return order >= 0;
        }
    }
};

int FindColumn(const RowSet& rows, const std::wstring& name)
{
    for (size_t i = 0; i < rows.columns.size(); ++i)
        if (EqualNoCase(rows.columns[i].name, name))
            return (int)i;
    throw Error(DBE_UNKNOWNCOLUMN, kSourceRecordset,
                L"The table has no column named " + Quoted(name) + L".");
}

} // namespace

// ---------------------------------------------------------------------------
// SelectStatement

SelectStatement::SelectStatement(const std::wstring& text)
{
    Parser p(text);
    if (!IsKeyword(p.Peek(), L"SELECT"))
    {
        // A bare table name reads the whole table.
        const Token& t = p.Peek();
        if ((t.kind == Token::Name || t.kind == Token::Word) && p.m_tokens.size() == 2)
        {
            m_table = t.text;
            return;
        }
        if (t.kind == Token::End)
            Syntax(L"the statement is empty");
        Syntax(L"only SELECT statements can be run");
    }
    p.Next();
    if (!p.AcceptSymbol(L"*"))
    {
        do
            m_columns.push_back(p.ExpectName(L"a column name"));
        while (p.AcceptSymbol(L","));
    }
    p.Expect(L"FROM");
    m_table = p.ExpectName(L"a table name");
    if (p.AcceptSymbol(L","))
        Syntax(L"only one table can be read");
    if (p.Accept(L"WHERE"))
        m_where = ParseExpression(p, m_nodes, 0);
    if (p.Accept(L"ORDER"))
    {
        p.Expect(L"BY");
        do
        {
            OrderKey key;
            key.column = p.ExpectName(L"a column name");
            if (p.Accept(L"DESC"))
                key.descending = true;
            else
                p.Accept(L"ASC");
            m_order.push_back(key);
        } while (p.AcceptSymbol(L","));
    }
    p.AcceptSymbol(L";");
    if (p.Peek().kind != Token::End)
        Syntax(L"unexpected " + Describe(p.Peek()));
}

// Runs the statement over a table: the chosen columns, the rows that pass, in the asked order.
SelectResult SelectStatement::Run(const RowSet& rows) const
{
    SelectResult result;
    if (m_columns.empty())
        for (size_t i = 0; i < rows.columns.size(); ++i)
            result.columns.push_back(i);
    else
        for (const std::wstring& name : m_columns)
            result.columns.push_back(FindColumn(rows, name));

    // Bind the comparisons to columns and decide how each compares.
    Evaluator evaluator{ rows, m_nodes, std::vector<BoundCompare>(m_nodes.size()) };
    for (size_t i = 0; i < m_nodes.size(); ++i)
    {
        const Node& node = m_nodes[i];
        if (node.kind != Node::Compare)
            continue;
        BoundCompare& c = evaluator.bound[i];
        c.op = node.op;
        Class classes[2];
        const Operand* operands[2] = { &node.left, &node.right };
        for (int side = 0; side < 2; ++side)
        {
            const Operand& o = *operands[side];
            if (o.kind == Operand::Column)
            {
                c.column[side] = FindColumn(rows, o.text);
                classes[side] = ClassOf(rows.columns[c.column[side]].type);
            }
            else
            {
                c.number[side] = o.number;
                c.text[side] = o.text;
                classes[side] = o.kind == Operand::Number ? Class::Numeric : Class::Text;
            }
        }
        if (classes[0] == Class::Other || classes[1] == Class::Other)
            Mismatch(node);
        bool numeric[2] = { classes[0] != Class::Text, classes[1] != Class::Text };
        if (numeric[0] && numeric[1])
            c.mode = BoundCompare::Numeric;
        else if (!numeric[0] && !numeric[1])
            c.mode = BoundCompare::Text;
        else
        {
            // A text against a number or date: a text literal must read as one.
            int textSide = numeric[0] ? 1 : 0;
            int otherSide = 1 - textSide;
            if (c.column[textSide] < 0)
            {
                double value = 0;
                bool ok = classes[otherSide] == Class::Date ? ParseDate(c.text[textSide], value)
                                                            : ParseNumber(c.text[textSide], value);
                if (!ok)
                    Mismatch(node);
                c.number[textSide] = value;
                c.mode = BoundCompare::Numeric;
            }
            else if (classes[otherSide] == Class::Date && c.column[otherSide] >= 0)
                Mismatch(node);
            else
            {
                if (c.column[otherSide] < 0)
                    c.text[otherSide] = RealText(c.number[otherSide], 15);
                c.mode = BoundCompare::Mixed;
            }
        }
    }

    for (size_t r = 0; r < rows.RowCount(); ++r)
        if (m_where < 0 || evaluator.Value(m_where, r))
            result.rows.push_back((uint32_t)r);

    if (!m_order.empty())
    {
        struct Key { int column; bool descending; Class cls; };
        std::vector<Key> keys;
        for (const OrderKey& key : m_order)
        {
            int column = FindColumn(rows, key.column);
            keys.push_back({ column, key.descending, ClassOf(rows.columns[column].type) });
        }
        // Texts of text keys once, not per comparison.
        std::vector<std::vector<std::wstring>> texts(keys.size());
        for (size_t k = 0; k < keys.size(); ++k)
            if (keys[k].cls == Class::Text || keys[k].cls == Class::Other)
            {
                texts[k].resize(rows.RowCount());
                for (uint32_t r : result.rows)
                    texts[k][r] = rows.DisplayText(rows.At(r, keys[k].column));
            }
        std::stable_sort(result.rows.begin(), result.rows.end(), [&](uint32_t x, uint32_t y) {
            for (size_t k = 0; k < keys.size(); ++k)
            {
                const Cell& a = rows.At(x, keys[k].column);
                const Cell& b = rows.At(y, keys[k].column);
                int order;
                if (a.IsNull() || b.IsNull())
                    order = (int)!a.IsNull() - (int)!b.IsNull(); // nulls first
                else if (keys[k].cls == Class::Numeric || keys[k].cls == Class::Date)
                {
                    double u = rows.Number(a), v = rows.Number(b);
                    order = u < v ? -1 : (u > v ? 1 : 0);
                }
                else
                    order = CompareText(texts[k][x], texts[k][y]);
                if (order != 0)
                    return keys[k].descending ? order > 0 : order < 0;
            }
            return false;
        });
    }
    return result;
}

} // namespace ado
