// Tests of PDFGen.dll: properties, lines and shapes, text, sections.
#include "pdfgen_support.h"

using namespace pdfgentest;

namespace
{

// Page 1000 x 500 tenths of a millimetre = 283.465 x 141.732 points.
class PdfDrawTest : public PdfGenTest
{
protected:
    // Runs body on an open one-page document and returns the page's content.
    std::string Draw(const std::function<void(PDFHANDLE)>& body)
    {
        const PdfApi& a = Api();
        const std::string target = m_dir.Path("draw" + std::to_string(++m_count) + ".pdf");
        const PDFHANDLE h = NewDoc(target, 1000, 500);
        EXPECT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
        body(h);
        EXPECT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
        EXPECT_TRUE(m_pdf.Load(target)) << m_pdf.error;
        const std::vector<int> pages = m_pdf.Pages();
        return pages.empty() ? std::string() : m_pdf.Content(pages[0]);
    }

    // Texts of the show-text operators, in order.
    static std::vector<std::string> Shown(const std::string& content)
    {
        std::vector<std::string> texts;
        std::regex tj("\\(((?:[^\\\\)]|\\\\.)*)\\) Tj");
        for (std::sregex_iterator it(content.begin(), content.end(), tj), end; it != end; ++it)
            texts.push_back((*it)[1]);
        return texts;
    }

    PdfFile m_pdf;
    int m_count = 0;
};

// A number as the library writes it: at most three decimals, no trailing zeros.
std::string Num3(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof(buf), "%.3f", v);
    std::string s = buf;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    return s == "-0" ? "0" : s;
}

bool Has(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

} // namespace

TEST_F(PdfDrawTest, NumericPropertiesStoreAndCheckValues)
{
    const PdfApi& a = Api();
    const PDFHANDLE h = a.pCreatePdf(0, 0);
    ASSERT_NE(0, h);
    m_handles.push_back(h);
    const struct
    {
        int prop, byDefault, value, tooLow, tooHigh;
    } props[] = {
        {PDF_NUM_COMPRESS, 1, 0, -1, 2},
        {PDF_NUM_PAGEHEIGHT, 2970, 507, 9, 50801},
        {PDF_NUM_PAGEWIDTH, 2100, 1015, 9, 50801},
        {PDF_NUM_PENWIDTH, 2, 15, -1, 10001},
        {PDF_NUM_PENCOLOR, 0, 0x123456, -1, 0x1000000},
        {PDF_NUM_PENSTYLE, PDF_STYLE_SOLID, PDF_STYLE_NONE, -1, 2},
        {PDF_NUM_BRUSHCOLOR, 0xFFFFFF, 0x00FF00, -1, 0x1000000},
        {PDF_NUM_BRUSHSTYLE, PDF_STYLE_NONE, PDF_STYLE_SOLID, -1, 2},
        {PDF_NUM_FONTSIZE, 42, 100, 0, 10001},
        {PDF_NUM_TEXTCOLOR, 0, 0xABCDEF, -1, 0x1000000},
    };
    for (const auto& p : props)
    {
        SCOPED_TRACE(p.prop);
        int v = -99;
        ASSERT_EQ(PDF_OK, a.pGetNumProp(h, p.prop, &v));
        EXPECT_EQ(p.byDefault, v);
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, p.prop, p.value));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pSetNumProp(h, p.prop, p.tooLow));
        EXPECT_STRNE("", a.pGetErrorMsg());
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pSetNumProp(h, p.prop, p.tooHigh));
        ASSERT_EQ(PDF_OK, a.pGetNumProp(h, p.prop, &v));
        EXPECT_STREQ("", a.pGetErrorMsg());
        EXPECT_EQ(p.value, v);
    }
    int v = 0;
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pSetNumProp(h, 99, 1));
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pGetNumProp(h, 99, &v));
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pSetNumProp(h, PDF_NUM_PAGECOUNT, 3));
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pSetNumProp(h, PDF_NUM_PAGENUMBER, 3));
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pGetNumProp(h, PDF_NUM_PAGEWIDTH, nullptr));

    // Page count and number follow the document.
    ASSERT_EQ(PDF_OK, a.pSetStrProp(h, PDF_STR_FILENAME, m_dir.Path("count.pdf").c_str()));
    auto num = [&](int prop) {
        int value = -1;
        EXPECT_EQ(PDF_OK, a.pGetNumProp(h, prop, &value));
        return value;
    };
    EXPECT_EQ(0, num(PDF_NUM_PAGECOUNT));
    EXPECT_EQ(0, num(PDF_NUM_PAGENUMBER));
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    EXPECT_EQ(1, num(PDF_NUM_PAGECOUNT));
    EXPECT_EQ(1, num(PDF_NUM_PAGENUMBER));
    ASSERT_EQ(PDF_OK, a.pNewPage(h));
    ASSERT_EQ(PDF_OK, a.pNewPage(h));
    EXPECT_EQ(3, num(PDF_NUM_PAGECOUNT));
    EXPECT_EQ(3, num(PDF_NUM_PAGENUMBER));
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    EXPECT_EQ(3, num(PDF_NUM_PAGECOUNT));
    EXPECT_EQ(0, num(PDF_NUM_PAGENUMBER));

    EXPECT_EQ(0, a.pCreatePdf(-5, 0));
    EXPECT_STRNE("", a.pGetErrorMsg());
    EXPECT_EQ(0, a.pCreatePdf(100, 60000));
    const PDFHANDLE sized = a.pCreatePdf(1000, 600);
    ASSERT_NE(0, sized);
    m_handles.push_back(sized);
    EXPECT_EQ(PDF_OK, a.pGetNumProp(sized, PDF_NUM_PAGEWIDTH, &v));
    EXPECT_EQ(1000, v);
    EXPECT_EQ(PDF_OK, a.pGetNumProp(sized, PDF_NUM_PAGEHEIGHT, &v));
    EXPECT_EQ(600, v);
}

TEST_F(PdfDrawTest, TextPropertiesStoreValuesAndReachTheInformation)
{
    const PdfApi& a = Api();
    const PDFHANDLE h = a.pCreatePdf(0, 0);
    ASSERT_NE(0, h);
    m_handles.push_back(h);
    char buf[64];
    ASSERT_EQ(PDF_OK, a.pGetStrProp(h, PDF_STR_PRODUCER, buf, sizeof(buf)));
    EXPECT_STREQ("PDFGen", buf);
    ASSERT_EQ(PDF_OK, a.pGetStrProp(h, PDF_STR_TITLE, buf, sizeof(buf)));
    EXPECT_STREQ("", buf);

    const std::string target = m_dir.Path("info.pdf");
    const struct
    {
        int prop;
        const char* value;
    } props[] = {
        {PDF_STR_TITLE, "Gr\xF6\xDF" "e & (Test)"},
        {PDF_STR_AUTHOR, "Ann (A\\B)"},
        {PDF_STR_SUBJECT, "Labels"},
        {PDF_STR_KEYWORDS, "one two"},
        {PDF_STR_CREATOR, "Stickwell"},
        {PDF_STR_PRODUCER, "Stickwell PDF export"},
        {PDF_STR_FILENAME, target.c_str()},
    };
    for (const auto& p : props)
    {
        SCOPED_TRACE(p.prop);
        ASSERT_EQ(PDF_OK, a.pSetStrProp(h, p.prop, p.value));
        ASSERT_EQ(PDF_OK, a.pGetStrProp(h, p.prop, buf, sizeof(buf)));
        EXPECT_STREQ(p.value, buf);
    }
    // A short buffer gets the start of the text and an error.
    EXPECT_EQ(PDF_ERR_BUFFER, a.pGetStrProp(h, PDF_STR_CREATOR, buf, 4));
    EXPECT_STREQ("Sti", buf);
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pGetStrProp(h, PDF_STR_CREATOR, nullptr, 10));
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pGetStrProp(h, PDF_STR_CREATOR, buf, 0));
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pSetStrProp(h, PDF_STR_TITLE, nullptr));
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pSetStrProp(h, 7, "x"));
    EXPECT_EQ(PDF_ERR_PROPERTY, a.pGetStrProp(h, 7, buf, sizeof(buf)));
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pSetStrProp(h, PDF_STR_TITLE, std::string(70000, 'x').c_str()));

    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    EXPECT_EQ(PDF_ERR_STATE, a.pSetStrProp(h, PDF_STR_FILENAME, m_dir.Path("other.pdf").c_str()));
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    EXPECT_FALSE(FileExists(m_dir.Path("other.pdf")));

    ASSERT_TRUE(m_pdf.Load(target)) << m_pdf.error;
    const std::string info = m_pdf.Object(PdfFile::RefAfter(m_pdf.trailer, "/Info"));
    // Non-ASCII text goes out as UTF-16BE with a byte order mark.
    EXPECT_TRUE(Has(info, "/Title <FEFF0047007200F600DF0065002000260020002800540065007300740029>")) << info;
    EXPECT_TRUE(Has(info, "/Author (Ann \\(A\\\\B\\))")) << info;
    EXPECT_TRUE(Has(info, "/Subject (Labels)"));
    EXPECT_TRUE(Has(info, "/Keywords (one two)"));
    EXPECT_TRUE(Has(info, "/Creator (Stickwell)"));
    EXPECT_TRUE(Has(info, "/Producer (Stickwell PDF export)"));
    EXPECT_TRUE(std::regex_search(info, std::regex("/CreationDate \\(D:\\d{14}Z\\)"))) << info;
}

// A page takes the page size in force until something is drawn on it.
TEST_F(PdfDrawTest, PageSizeAppliesUntilThePageIsDrawnOn)
{
    const PdfApi& a = Api();
    Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PAGEWIDTH, 2000));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 10, 10));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PAGEWIDTH, 500));
        EXPECT_EQ(PDF_OK, a.pNewPage(h));
    });
    const std::vector<int> pages = m_pdf.Pages();
    ASSERT_EQ(2u, pages.size());
    EXPECT_TRUE(Has(m_pdf.Object(pages[0]), "/MediaBox [0 0 566.929 141.732]"));
    EXPECT_TRUE(Has(m_pdf.Object(pages[1]), "/MediaBox [0 0 141.732 141.732]"));
    // The first page was drawn with its own height.
    EXPECT_TRUE(Has(m_pdf.Content(pages[0]), "0 138.898 2.835 2.835 re S"));
}

TEST_F(PdfDrawTest, LinesAndShapesUseThePenAndBrush)
{
    const PdfApi& a = Api();
    const std::string content = Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PENWIDTH, 10));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PENCOLOR, 0x0000FF));
        EXPECT_EQ(PDF_OK, a.pMoveTo(h, 0, 0));
        EXPECT_EQ(PDF_OK, a.pLineTo(h, 1000, 500));
        // Corners in any order.
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_BRUSHSTYLE, PDF_STYLE_SOLID));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_BRUSHCOLOR, 0x00FF00));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 300, 200, 100, 100));
        // No pen: fill only; neither pen nor brush: nothing.
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PENSTYLE, PDF_STYLE_NONE));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 10, 20));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_BRUSHSTYLE, PDF_STYLE_NONE));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 30, 30));
        // The current point moves even when nothing is drawn.
        EXPECT_EQ(PDF_OK, a.pMoveTo(h, 0, 0));
        EXPECT_EQ(PDF_OK, a.pLineTo(h, 500, 0));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PENSTYLE, PDF_STYLE_SOLID));
        EXPECT_EQ(PDF_OK, a.pLineTo(h, 500, 500));
        // A failed polygon forgets its points.
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 0, 0));
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 100, 0));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pPolygon(h));
        EXPECT_STRNE("", a.pGetErrorMsg());
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 0, 0));
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 1000, 0));
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 1000, 500));
        EXPECT_EQ(PDF_OK, a.pPolygon(h));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pPolyline(h));  // the polygon used the points
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 0, 500));
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 500, 250));
        EXPECT_EQ(PDF_OK, a.pAddPoint(h, 1000, 500));
        EXPECT_EQ(PDF_OK, a.pPolyline(h));
        EXPECT_EQ(PDF_OK, a.pEllipse(h, 0, 0, 1000, 500));
    });
    const std::string pen = "q 2.835 w 1 0 0 RG 1 J 1 j ";
    const std::string lines[] = {
        pen + "0 141.732 m 283.465 0 l S Q",
        pen + "0 1 0 rg 28.346 85.039 56.693 28.346 re B* Q",
        "q 0 1 0 rg 0 136.063 2.835 5.669 re f* Q",
        pen + "141.732 141.732 m 141.732 0 l S Q",
        pen + "0 141.732 m 283.465 141.732 l 283.465 0 l h S Q",
        pen + "0 0 m 141.732 70.866 l 283.465 0 l S Q",
    };
    size_t from = 0;
    for (const std::string& line : lines)
    {
        const size_t at = content.find(line, from);
        EXPECT_NE(std::string::npos, at) << line << "\nin\n" << content;
        if (at != std::string::npos)
            from = at;
    }
    // Ellipse: four Bezier quarters around the centre, closed.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(content, m, std::regex("283\\.465 70\\.866 m (.*) h S Q"))) << content;
    EXPECT_EQ(4, std::count(m[1].first, m[1].second, 'c'));
    EXPECT_TRUE(Has(m[1], "141.732 141.732 c"));
    EXPECT_TRUE(Has(m[1], "0 70.866 c"));
    EXPECT_TRUE(Has(m[1], "141.732 0 c"));
    EXPECT_TRUE(Has(m[1], "283.465 70.866 c"));
    // The invisible rectangle and line added nothing.
    EXPECT_FALSE(Has(content, "8.504 re"));
    EXPECT_FALSE(Has(content, "141.732 141.732 l"));
}

TEST_F(PdfDrawTest, TextIsMeasuredWithHelveticaWidths)
{
    const PdfApi& a = Api();
    const PDFHANDLE h = a.pCreatePdf(0, 0);
    ASSERT_NE(0, h);
    m_handles.push_back(h);
    ASSERT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100));
    // H 722, e 556, l 222, l 222, o 556 = 2278 thousandths of the em.
    EXPECT_EQ(228, a.pTextWidth(h, "Hello"));
    EXPECT_EQ(0, a.pTextWidth(h, ""));
    EXPECT_EQ(133, a.pTextWidth(h, "AV\nW"));         // widest line: 667 + 667
    EXPECT_EQ(19, a.pTextWidth(h, "'"));              // quotesingle 191
    EXPECT_EQ(56, a.pTextWidth(h, "\x80"));           // Euro 556
    EXPECT_EQ(0, a.pTextWidth(h, "\x81\x7F\t"));      // no glyphs
    EXPECT_EQ(116, a.pTextHeight(h, "x"));            // one line: 931 + 225
    EXPECT_EQ(116, a.pTextHeight(h, ""));
    EXPECT_EQ(347, a.pTextHeight(h, "a\nb\r\nc"));
    ASSERT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 42));
    EXPECT_EQ(96, a.pTextWidth(h, "Hello"));
    EXPECT_EQ(-1, a.pTextWidth(h, nullptr));
    EXPECT_STRNE("", a.pGetErrorMsg());
    EXPECT_EQ(-1, a.pTextHeight(h, nullptr));
}

TEST_F(PdfDrawTest, TextOutWritesEscapedWinAnsiText)
{
    const PdfApi& a = Api();
    const std::string content = Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100));
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_TEXTCOLOR, 0x0000FF));
        EXPECT_EQ(PDF_OK, a.pTextOut(h, 100, 50, "Hello\nWorld"));
        EXPECT_EQ(PDF_OK, a.pTextOut(h, 0, 0, "a(b)c\\ \xE9\tz"));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pTextOut(h, 0, 0, nullptr));
    });
    EXPECT_TRUE(Has(content, "q 1 0 0 rg BT /F1 28.346 Tf 28.346 101.169 Td (Hello) Tj ET Q")) << content;
    EXPECT_TRUE(Has(content, "28.346 68.4 Td (World) Tj")) << content;
    EXPECT_TRUE(Has(content, "(a\\(b\\)c\\\\ \\351z) Tj")) << content;

    const int page = m_pdf.Pages()[0];
    const int font = PdfFile::RefAfter(m_pdf.Object(page), "/F1");
    ASSERT_NE(0, font);
    EXPECT_TRUE(Has(m_pdf.Object(font), "/Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding"));
}

TEST_F(PdfDrawTest, DrawTextWrapsAlignsAndClipsToTheBox)
{
    const PdfApi& a = Api();
    // "Hello world" is 494.5 wide at size 100: in 400 it takes two lines of 115.6.
    std::string content = Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100));
        EXPECT_EQ(PDF_OK, a.pDrawText(h, 100, 50, 400, 240, "Hello   world", PDF_ALIGN_LEFT));
    });
    EXPECT_EQ((std::vector<std::string>{"Hello", "world"}), Shown(content));
    EXPECT_TRUE(Has(content, "q 28.346 59.528 113.386 68.031 re W n\n")) << content;
    EXPECT_TRUE(Has(content, "28.346 101.169 Td (Hello)")) << content;
    EXPECT_TRUE(Has(content, "28.346 68.4 Td (world)")) << content;

    // Too low for the second line; right and centre alignment.
    content = Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100));
        EXPECT_EQ(PDF_OK, a.pDrawText(h, 100, 50, 400, 200, "Hello world", PDF_ALIGN_RIGHT));
        EXPECT_EQ(PDF_OK, a.pDrawText(h, 100, 50, 400, 200, "Hello", PDF_ALIGN_CENTER));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pDrawText(h, 100, 50, 400, 200, "Hello", 3));
        EXPECT_EQ(PDF_ERR_ARGUMENT, a.pDrawText(h, 100, 50, -1, 200, "Hello", 0));
    });
    EXPECT_EQ((std::vector<std::string>{"Hello", "Hello"}), Shown(content));
    EXPECT_TRUE(Has(content, "77.159 101.169 Td (Hello)")) << content;
    EXPECT_TRUE(Has(content, "52.753 101.169 Td (Hello)")) << content;

    // A word wider than the box is broken; line breaks are kept.
    const char* word = "Supercalifragilistic";
    content = Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100));
        EXPECT_EQ(PDF_OK, a.pDrawText(h, 0, 0, 300, 5000, (std::string(word) + "\n\nend").c_str(), 0));
    });
    const std::vector<std::string> shown = Shown(content);
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ("end", shown.back());
    std::string joined;
    const PDFHANDLE measure = a.pCreatePdf(0, 0);
    m_handles.push_back(measure);
    a.pSetNumProp(measure, PDF_NUM_FONTSIZE, 100);
    for (size_t i = 0; i + 1 < shown.size(); ++i)
    {
        EXPECT_LE(a.pTextWidth(measure, shown[i].c_str()), 300) << shown[i];
        joined += shown[i];
    }
    EXPECT_EQ(word, joined);
    // The empty line between them keeps its place: "end" is on line number shown.size().
    const double baseline = shown.size() * 115.6 + 93.1;
    EXPECT_TRUE(Has(content, "0 " + Num3((500 - baseline) * 72 / 254) + " Td (end)")) << content;
}

// Sections: page labels restart, titled sections get bookmarks, and an
// empty current page begins the section itself.
TEST_F(PdfDrawTest, SectionsRestartPageLabelsAndAddBookmarks)
{
    const PdfApi& a = Api();
    Draw([&](PDFHANDLE h) {
        EXPECT_EQ(PDF_OK, a.pNewSection(h, "Front"));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 10, 10));
        EXPECT_EQ(PDF_OK, a.pNewSection(h, "Back (\xE9)"));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 10, 10));
        EXPECT_EQ(PDF_OK, a.pNewPage(h));
        EXPECT_EQ(PDF_OK, a.pNewSection(h, nullptr));
        EXPECT_EQ(PDF_OK, a.pRectangle(h, 0, 0, 10, 10));
    });
    const std::vector<int> pages = m_pdf.Pages();
    ASSERT_EQ(3u, pages.size());
    const std::string catalog = m_pdf.Object(PdfFile::RefAfter(m_pdf.trailer, "/Root"));
    EXPECT_TRUE(Has(catalog, "/PageLabels << /Nums [0 << /S /D >> 1 << /S /D >> 2 << /S /D >> ] >>")) << catalog;
    const int outlines = PdfFile::RefAfter(catalog, "/Outlines");
    ASSERT_NE(0, outlines);
    const std::string root = m_pdf.Object(outlines);
    EXPECT_TRUE(Has(root, "/Count 2"));
    const int first = PdfFile::RefAfter(root, "/First");
    const int last = PdfFile::RefAfter(root, "/Last");
    const std::string item1 = m_pdf.Object(first), item2 = m_pdf.Object(last);
    EXPECT_TRUE(Has(item1, "/Title (Front)"));
    EXPECT_TRUE(Has(item1, "/Dest [" + std::to_string(pages[0]) + " 0 R /XYZ null null null]")) << item1;
    EXPECT_EQ(last, PdfFile::RefAfter(item1, "/Next"));
    EXPECT_TRUE(Has(item2, "/Title <FEFF004200610063006B0020002800E90029>")) << item2;
    EXPECT_TRUE(Has(item2, "/Dest [" + std::to_string(pages[1]) + " 0 R")) << item2;
    EXPECT_EQ(first, PdfFile::RefAfter(item2, "/Prev"));
}

TEST_F(PdfDrawTest, CallsOutsideAnOpenDocumentAreRefused)
{
    const PdfApi& a = Api();
    const PDFHANDLE h = NewDoc(m_dir.Path("state.pdf"));
    ASSERT_NE(0, h);
    EXPECT_EQ(PDF_ERR_STATE, a.pLineTo(h, 1, 1));
    EXPECT_NE(std::string::npos, LastError().find("BeginDoc")) << LastError();
    EXPECT_EQ(PDF_ERR_STATE, a.pRectangle(h, 0, 0, 1, 1));
    EXPECT_EQ(PDF_ERR_STATE, a.pTextOut(h, 0, 0, "x"));
    EXPECT_EQ(PDF_ERR_STATE, a.pStretchDrawFromFile(h, 0, 0, 1, 1, "x.bmp"));
    EXPECT_EQ(PDF_ERR_STATE, a.pNewPage(h));
    EXPECT_EQ(PDF_ERR_STATE, a.pNewSection(h, "x"));
    EXPECT_EQ(PDF_ERR_STATE, a.pEndDoc(h));
    EXPECT_EQ(228, [&] {
        a.pSetNumProp(h, PDF_NUM_FONTSIZE, 100);
        return a.pTextWidth(h, "Hello");  // measuring needs no open document
    }());
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    EXPECT_EQ(PDF_ERR_STATE, a.pBeginDoc(h));
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    EXPECT_EQ(PDF_ERR_STATE, a.pEndDoc(h));
    EXPECT_EQ(PDF_ERR_STATE, a.pEllipse(h, 0, 0, 1, 1));
    EXPECT_EQ(PDF_ERR_STATE, a.pAbort(h));
    EXPECT_TRUE(FileExists(m_dir.Path("state.pdf")));
    PdfFile pdf;
    EXPECT_TRUE(pdf.Load(m_dir.Path("state.pdf"))) << pdf.error;
}
