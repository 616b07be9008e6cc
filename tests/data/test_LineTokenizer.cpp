// Tests of CLineTokenizer: the field rules, records over several lines and
// the block that holds the fields.

#include <gtest/gtest.h>

#include "LineTokenizer.h"
#include "TextData.h"

#include <string>
#include <vector>

namespace
{
typedef std::vector<std::string> Fields;

Fields FieldsOf(const CLineTokenizer& tok)
{
    Fields fields;
    for (int i = 0; i < tok.GetCount(); ++i)
        fields.push_back(std::string(tok.GetField(i), tok.GetFieldLength(i)));
    return fields;
}

// The loader's control set for a delimiter.
std::string LoaderControls(char chDelimiter)
{
    char controls[TOKCTL_SIZE];
    InitTokenControls(controls);
    SetTokenDelimiter(controls, chDelimiter);
    return std::string(controls, TOKCTL_SIZE);
}

// A control set given position by position.
std::string Controls(char chDelimiter, char chQuote, char chEscape, bool bCollapse,
    bool bNoTrailingEmpty, bool bKeepQuotes)
{
    const char controls[TOKCTL_SIZE] = { chDelimiter, chQuote, chEscape, bCollapse ? '\1' : '\0',
        bNoTrailingEmpty ? '\1' : '\0', bKeepQuotes ? '\1' : '\0' };
    return std::string(controls, TOKCTL_SIZE);
}

Fields Split(const std::string& line, const std::string& controls)
{
    CLineTokenizer tok;
    const int n = tok.Split(line.c_str(), controls.data());
    EXPECT_EQ(n, tok.GetCount());
    return FieldsOf(tok);
}
}

// ---------------------------------------------------------------------------
// The comma table with the loader's set

struct TokenCase
{
    const char* line;
    Fields fields;
};

void PrintTo(const TokenCase& c, std::ostream* os)
{
    *os << '[' << c.line << ']';
}

class LoaderCommaTable : public ::testing::TestWithParam<TokenCase>
{
};

TEST_P(LoaderCommaTable, SplitsAsCsv)
{
    const TokenCase& c = GetParam();
    EXPECT_EQ(c.fields, Split(c.line, LoaderControls(','))) << "line: " << c.line;
}

INSTANTIATE_TEST_SUITE_P(Tokenizer, LoaderCommaTable, ::testing::Values(
    TokenCase{ "a,b,c", { "a", "b", "c" } },
    TokenCase{ "a,,b", { "a", "", "b" } },
    TokenCase{ "Ann,,Boston", { "Ann", "", "Boston" } },
    TokenCase{ ",a", { "", "a" } },
    TokenCase{ "a,b,", { "a", "b", "" } },
    TokenCase{ ",,", { "", "", "" } },
    TokenCase{ "\"x,y\",z", { "x,y", "z" } },
    TokenCase{ "\"a\"\"b,c\",d", { "a\"b,c", "d" } },
    TokenCase{ "\"\"\"\"", { "\"" } },
    TokenCase{ "\"\",x", { "", "x" } },
    TokenCase{ "5\" disk,x", { "5\" disk", "x" } },
    TokenCase{ "\"ab\"cd,e", { "abcd", "e" } },
    TokenCase{ "\"open,to the end", { "open,to the end" } },
    TokenCase{ "\"a\r\nb\",c", { "a\r\nb", "c" } },
    TokenCase{ " a , b ", { " a ", " b " } },
    TokenCase{ "", {} }));

// ---------------------------------------------------------------------------
// Control-set positions

TEST(TokenizerControls, CollapseRunsAndNoTrailingEmpty)
{
    const std::string set = Controls(',', '"', 0, true, true, false);
    EXPECT_EQ((Fields{ "a", "b" }), Split("a,,b", set));
    EXPECT_EQ((Fields{ "a", "b" }), Split("a,b,", set));
    EXPECT_EQ((Fields{ "", "a" }), Split(",a", set));
}

TEST(TokenizerControls, TrailingEmptyFieldWithoutCollapse)
{
    EXPECT_EQ((Fields{ "a", "b", "" }), Split("a,b,", Controls(',', '"', 0, false, false, false)));
    EXPECT_EQ((Fields{ "a", "b" }), Split("a,b,", Controls(',', '"', 0, false, true, false)));
}

TEST(TokenizerControls, BlankDelimiterCollapsesRuns)
{
    const std::string set = LoaderControls(' ');
    EXPECT_EQ((Fields{ "a", "b", "c" }), Split("a   b c ", set));
    EXPECT_EQ((Fields{ "two words", "x" }), Split("\"two words\"  x", set));
}

TEST(TokenizerControls, OtherDelimitersKeepEmptyFields)
{
    EXPECT_EQ((Fields{ "a", "", "b" }), Split("a\t\tb", LoaderControls('\t')));
    EXPECT_EQ((Fields{ "a", "", "b", "" }), Split("a;;b;", LoaderControls(';')));
    EXPECT_EQ((Fields{ "x|y", "z" }), Split("\"x|y\"|z", LoaderControls('|')));
}

TEST(TokenizerControls, KeepQuotesCopiesOpeningAndClosingQuotes)
{
    const std::string set = Controls(',', '"', 0, false, false, true);
    EXPECT_EQ((Fields{ "\"x,y\"", "z" }), Split("\"x,y\",z", set));
    EXPECT_EQ((Fields{ "\"a\"b\"" }), Split("\"a\"\"b\"", set));
}

TEST(TokenizerControls, NoQuoteCharacterMeansNoQuoting)
{
    EXPECT_EQ((Fields{ "\"x", "y\"" }), Split("\"x,y\"", Controls(',', 0, 0, false, false, false)));
}

TEST(TokenizerControls, QuoteAsDelimiterTurnsQuotingOff)
{
    EXPECT_EQ((Fields{ "a", "b", "c" }), Split("a\"b\"c", LoaderControls('"')));
}

TEST(TokenizerControls, EscapeCharacter)
{
    const std::string set = Controls(',', '"', '\\', false, false, false);
    // An odd run before a quote makes the quote ordinary and keeps half the escapes.
    EXPECT_EQ((Fields{ "x\"y", "z" }), Split("\"x\\\"y\",z", set));
    EXPECT_EQ((Fields{ "a\\\"b", "c" }), Split("\"a\\\\\\\"b\",c", set));
    // An even run before a quote gives half the escapes; the quote closes.
    EXPECT_EQ((Fields{ "a\\", "c" }), Split("\"a\\\\\",c", set));
    // Escapes before anything else are copied as they are.
    EXPECT_EQ((Fields{ "a\\\\b", "c" }), Split("a\\\\b,c", set));
    EXPECT_EQ((Fields{ "end\\" }), Split("end\\", set));
}

// ---------------------------------------------------------------------------
// Records of several lines

TEST(TokenizerRecords, EndsAtEveryKindOfLineBreak)
{
    const std::string set = LoaderControls(',');
    const char* texts[] = { "a,b\r\nc", "a,b\nc", "a,b\rc" };
    const size_t breaks[] = { 2, 1, 1 };
    for (int i = 0; i < 3; ++i)
    {
        CLineTokenizer tok;
        size_t consumed = 0;
        const std::string text = texts[i];
        EXPECT_EQ(2, tok.SplitRecord(text.data(), text.size(), set.data(), &consumed));
        EXPECT_EQ((Fields{ "a", "b" }), FieldsOf(tok));
        EXPECT_EQ(3 + breaks[i], consumed) << "text " << i;
    }
}

TEST(TokenizerRecords, QuotedLineBreakStaysInTheValue)
{
    const std::string text = "\"line 1\r\nline 2\",\"x\ny\"\r\nnext,row\r\n";
    const std::string set = LoaderControls(',');
    CLineTokenizer tok;
    size_t consumed = 0;
    ASSERT_EQ(2, tok.SplitRecord(text.data(), text.size(), set.data(), &consumed));
    EXPECT_EQ((Fields{ "line 1\r\nline 2", "x\ny" }), FieldsOf(tok));
    EXPECT_EQ(text.find("next"), consumed);

    ASSERT_EQ(2, tok.SplitRecord(text.data() + consumed, text.size() - consumed, set.data(),
        &consumed));
    EXPECT_EQ((Fields{ "next", "row" }), FieldsOf(tok));
}

TEST(TokenizerRecords, EmptyRecordHasNoFields)
{
    const std::string set = LoaderControls(',');
    CLineTokenizer tok;
    size_t consumed = 0;
    EXPECT_EQ(0, tok.SplitRecord("\r\nx", 3, set.data(), &consumed));
    EXPECT_EQ(2u, consumed);
    EXPECT_EQ(0, tok.SplitRecord("\nx", 2, set.data(), &consumed));
    EXPECT_EQ(1u, consumed);
}

TEST(TokenizerRecords, DelimiterBeforeLineBreakGivesTrailingEmptyField)
{
    const std::string set = LoaderControls(',');
    CLineTokenizer tok;
    size_t consumed = 0;
    EXPECT_EQ(3, tok.SplitRecord("a,b,\r\nc", 7, set.data(), &consumed));
    EXPECT_EQ(6u, consumed);
    const std::string blank = LoaderControls(' ');
    EXPECT_EQ(2, tok.SplitRecord("a b \r\nc", 7, blank.data(), &consumed));
    EXPECT_EQ(6u, consumed);
}

// ---------------------------------------------------------------------------
// The block

TEST(TokenizerBlock, ManyFieldsOnOneLine)
{
    // Enough pointers that a block sized for 4-byte pointers would overflow.
    std::string line;
    for (int i = 0; i < 5000; ++i)
    {
        if (i > 0)
            line += ',';
        line += std::to_string(i);
    }
    const Fields fields = Split(line, LoaderControls(','));
    ASSERT_EQ(5000u, fields.size());
    for (int i = 0; i < 5000; i += 499)
        EXPECT_EQ(std::to_string(i), fields[i]);
    EXPECT_EQ("4999", fields.back());
}

TEST(TokenizerBlock, EmptyFieldsOnlyLine)
{
    const std::string line(3000, ',');
    const Fields fields = Split(line, LoaderControls(','));
    ASSERT_EQ(3001u, fields.size());
    EXPECT_EQ("", fields[0]);
    EXPECT_EQ("", fields[3000]);
}

TEST(TokenizerBlock, NextSplitReplacesFields)
{
    const std::string set = LoaderControls(',');
    CLineTokenizer tok;
    EXPECT_EQ(3, tok.Split("short,a,b", set.data()));
    EXPECT_EQ(2, tok.Split("a much longer first field than before,z", set.data()));
    EXPECT_EQ((Fields{ "a much longer first field than before", "z" }), FieldsOf(tok));
    EXPECT_EQ(1, tok.Split("q", set.data()));
    EXPECT_EQ((Fields{ "q" }), FieldsOf(tok));
    EXPECT_EQ(NULL, tok.GetField(1));
    EXPECT_EQ(NULL, tok.GetField(-1));
    EXPECT_EQ(0, tok.Split(static_cast<const char*>(NULL), set.data()));
    EXPECT_EQ(0, tok.GetCount());
}
