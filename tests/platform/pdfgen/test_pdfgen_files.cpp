// Tests of PDFGen.dll: files written, pictures embedded, failures handled.
#include "pdfgen_support.h"

using namespace pdfgentest;

#include <algorithm>
#include <cmath>

namespace
{

std::vector<std::string> Sorted(std::vector<std::string> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

void Patch(std::string& s, size_t offset, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

uint32_t Gradient(int x, int y)
{
    return static_cast<uint32_t>((x * 7) << 16 | (y * 11) << 8 | ((x + y) * 3));
}

} // namespace

// The program's call sequence: two pages, one picture each.
TEST_F(PdfGenTest, TwoPagePdfFromTwoPicturesParses)
{
    const PdfApi& a = Api();
    BmpSpec s1;
    s1.width = 37;  // rows need padding
    s1.height = 23;
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("p1.bmp"), MakeBmp(s1, Gradient)));
    BmpSpec s2;
    s2.width = 16;
    s2.height = 9;
    s2.bpp = 32;
    s2.topDown = true;
    auto c2 = [](int x, int y) { return static_cast<uint32_t>(0x80000000u | (255 - x * 15) << 16 | (y * 28) << 8 | 0x40); };
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("p2.bmp"), MakeBmp(s2, c2)));

    const std::string target = m_dir.Path("out.pdf");
    const PDFHANDLE h = NewDoc(target);
    ASSERT_NE(0, h) << LastError();
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("p1.bmp").c_str())) << LastError();
    ASSERT_EQ(PDF_OK, a.pNewPage(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("p2.bmp").c_str())) << LastError();
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    EXPECT_STREQ("", a.pGetErrorMsg());
    EXPECT_EQ(PDF_OK, a.pFreePdf(h));

    // No temporary file is left beside the result.
    EXPECT_EQ(Sorted({"out.pdf", "p1.bmp", "p2.bmp"}), Sorted(m_dir.Files()));

    PdfFile pdf;
    ASSERT_TRUE(pdf.Load(target)) << pdf.error;
    const std::vector<int> pages = pdf.Pages();
    ASSERT_EQ(2u, pages.size());
    EXPECT_NE(std::string::npos, pdf.Object(PdfFile::RefAfter(pdf.trailer, "/Info")).find("/Producer (Stickwell test)"));

    const std::string expected[2] = {RgbOf(37, 23, Gradient),
                                     RgbOf(16, 9, [&](int x, int y) { return c2(x, y) & 0xFFFFFF; })};
    const char* dims[2] = {"/Width 37 /Height 23 ", "/Width 16 /Height 9 "};
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_NE(std::string::npos, pdf.Object(pages[i]).find("/MediaBox [0 0 287.717 143.717]"));
        const auto images = pdf.Images(pages[i]);
        ASSERT_EQ(1u, images.size());
        const std::string dict = pdf.Object(images.begin()->second);
        EXPECT_NE(std::string::npos, dict.find(dims[i])) << dict;
        EXPECT_NE(std::string::npos,
                  dict.find("/ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode"));
        EXPECT_EQ(expected[i], pdf.Stream(images.begin()->second));
        EXPECT_NE(std::string::npos,
                  pdf.Content(pages[i]).find("q 287.717 0 0 143.717 0 0 cm /" + images.begin()->first + " Do Q"));
    }
}

// Every supported layout decodes to the colours it stands for.
TEST_F(PdfGenTest, PicturesOfEveryKindDecodeToTheirColours)
{
    struct Case
    {
        const char* name;
        BmpSpec spec;
        std::function<uint32_t(int, int)> raw;    // value written to the file
        std::function<uint32_t(int, int)> color;  // 0xRRGGBB expected
    };
    std::vector<Case> cases;
    const std::vector<uint32_t> pal5 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456};

    Case c8{"8-bit palette, top-down, index past the palette", {}, nullptr, nullptr};
    c8.spec.width = 13;
    c8.spec.height = 7;
    c8.spec.bpp = 8;
    c8.spec.topDown = true;
    c8.spec.palette = pal5;
    c8.raw = [](int x, int y) { return static_cast<uint32_t>(x == 12 && y == 6 ? 200 : (x + y) % 5); };
    c8.color = [&](int x, int y) { return x == 12 && y == 6 ? 0u : pal5[(x + y) % 5]; };
    cases.push_back(c8);

    std::vector<uint32_t> pal16;
    for (uint32_t i = 0; i < 16; ++i)
        pal16.push_back(i * 0x0F0F0F ^ 0x00A000);
    Case c4{"4-bit palette, bottom-up", {}, nullptr, nullptr};
    c4.spec.width = 9;
    c4.spec.height = 5;
    c4.spec.bpp = 4;
    c4.spec.palette = pal16;
    c4.raw = [](int x, int y) { return static_cast<uint32_t>((x * 3 + y) % 16); };
    c4.color = [&](int x, int y) { return pal16[(x * 3 + y) % 16]; };
    cases.push_back(c4);

    Case c1{"1-bit palette", {}, nullptr, nullptr};
    c1.spec.width = 17;
    c1.spec.height = 3;
    c1.spec.bpp = 1;
    c1.spec.palette = {0x000000, 0x336699};
    c1.raw = [](int x, int y) { return static_cast<uint32_t>((x + y) & 1); };
    c1.color = [](int x, int y) { return (x + y) & 1 ? 0x336699u : 0u; };
    cases.push_back(c1);

    auto scale = [](uint32_t v, uint32_t max) { return static_cast<uint32_t>(std::lround(v * 255.0 / max)); };
    Case c555{"16-bit 5-5-5", {}, nullptr, nullptr};
    c555.spec.width = 6;
    c555.spec.height = 4;
    c555.spec.bpp = 16;
    c555.raw = [](int x, int y) { return static_cast<uint32_t>((x * 5) << 10 | (y * 7) << 5 | (31 - x)); };
    c555.color = [&](int x, int y) {
        return scale(x * 5, 31) << 16 | scale(y * 7, 31) << 8 | scale(31 - x, 31);
    };
    cases.push_back(c555);

    Case c565{"16-bit 5-6-5 bit fields", {}, nullptr, nullptr};
    c565.spec.width = 5;
    c565.spec.height = 3;
    c565.spec.bpp = 16;
    c565.spec.compression = 3;
    c565.spec.masks[0] = 0xF800;
    c565.spec.masks[1] = 0x07E0;
    c565.spec.masks[2] = 0x001F;
    c565.raw = [](int x, int y) { return static_cast<uint32_t>((x * 7) << 11 | (y * 30) << 5 | (x * 6)); };
    c565.color = [&](int x, int y) {
        return scale(x * 7, 31) << 16 | scale(y * 30, 63) << 8 | scale(x * 6, 31);
    };
    cases.push_back(c565);

    Case cv5{"32-bit bit fields in a V5 header, R G B A byte order", {}, nullptr, nullptr};
    cv5.spec.width = 4;
    cv5.spec.height = 4;
    cv5.spec.bpp = 32;
    cv5.spec.headerSize = 124;
    cv5.spec.compression = 3;
    cv5.spec.masks[0] = 0x000000FF;
    cv5.spec.masks[1] = 0x0000FF00;
    cv5.spec.masks[2] = 0x00FF0000;
    cv5.raw = [](int x, int y) { return static_cast<uint32_t>(0xFF000000u | (x * 60) << 16 | (y * 50) << 8 | (200 - x)); };
    cv5.color = [](int x, int y) { return static_cast<uint32_t>((200 - x) << 16 | (y * 50) << 8 | (x * 60)); };
    cases.push_back(cv5);

    Case core{"24-bit with a core header", {}, nullptr, nullptr};
    core.spec.width = 4;
    core.spec.height = 3;
    core.spec.headerSize = 12;
    core.raw = Gradient;
    core.color = Gradient;
    cases.push_back(core);

    const PdfApi& a = Api();
    const PDFHANDLE h = NewDoc(m_dir.Path("kinds.pdf"));
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    for (size_t i = 0; i < cases.size(); ++i)
    {
        const std::string file = m_dir.Path("k" + std::to_string(i) + ".bmp");
        ASSERT_TRUE(WriteFileBytes(file, MakeBmp(cases[i].spec, cases[i].raw)));
        if (i)
        {
            ASSERT_EQ(PDF_OK, a.pNewPage(h));
        }
        ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 10, 10, 500, 300, file.c_str())) << cases[i].name << ": "
                                                                                     << LastError();
    }
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();

    PdfFile pdf;
    ASSERT_TRUE(pdf.Load(m_dir.Path("kinds.pdf"))) << pdf.error;
    const std::vector<int> pages = pdf.Pages();
    ASSERT_EQ(cases.size(), pages.size());
    for (size_t i = 0; i < cases.size(); ++i)
    {
        SCOPED_TRACE(cases[i].name);
        const auto images = pdf.Images(pages[i]);
        ASSERT_EQ(1u, images.size());
        EXPECT_EQ(RgbOf(cases[i].spec.width, cases[i].spec.height, cases[i].color),
                  pdf.Stream(images.begin()->second));
    }
}

// Flate output decodes exactly (Adler-32 included), shrinks plain pictures
// and does not grow incompressible ones by more than the stored-block overhead.
TEST_F(PdfGenTest, PictureCompressionRoundTrips)
{
    const PdfApi& a = Api();
    struct Pic
    {
        int w, h;
        std::function<uint32_t(int, int)> color;
    };
    uint32_t seed = 12345;
    std::vector<uint32_t> noise(256 * 128);
    for (uint32_t& v : noise)
    {
        seed = seed * 1103515245u + 12345u;
        v = seed >> 8 & 0xFFFFFF;
    }
    std::vector<uint32_t> tiles(100 * 70);
    for (uint32_t& v : tiles)
    {
        seed = seed * 1103515245u + 12345u;
        v = (seed >> 16) % 5 * 0x333333;
    }
    const Pic pics[] = {
        {400, 300, [](int, int) { return 0x3366CCu; }},
        {256, 128, [&](int x, int y) { return noise[y * 256 + x]; }},
        // 1.7 MB of tiles: many blocks and a sliding window.
        {800, 700, [&](int x, int y) { return tiles[(y / 10) * 100 + x / 8] ^ static_cast<uint32_t>(x % 3); }},
    };
    for (int compress = 1; compress >= 0; --compress)
    {
        SCOPED_TRACE(compress ? "compressed" : "uncompressed");
        const std::string target = m_dir.Path("c" + std::to_string(compress) + ".pdf");
        const PDFHANDLE h = NewDoc(target);
        ASSERT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_COMPRESS, compress));
        ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
        for (int i = 0; i < 3; ++i)
        {
            BmpSpec s;
            s.width = pics[i].w;
            s.height = pics[i].h;
            const std::string file = m_dir.Path("pic" + std::to_string(i) + ".bmp");
            ASSERT_TRUE(WriteFileBytes(file, MakeBmp(s, pics[i].color)));
            if (i)
            {
                ASSERT_EQ(PDF_OK, a.pNewPage(h));
            }
            ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, file.c_str())) << LastError();
            ASSERT_EQ(PDF_OK, a.pRectangle(h, 10, 10, 100, 100));
        }
        ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();

        PdfFile pdf;
        ASSERT_TRUE(pdf.Load(target)) << pdf.error;
        const std::vector<int> pages = pdf.Pages();
        ASSERT_EQ(3u, pages.size());
        for (int i = 0; i < 3; ++i)
        {
            SCOPED_TRACE(i);
            const int img = pdf.Images(pages[i]).begin()->second;
            const std::string raw = pdf.RawStream(img);
            const size_t plain = static_cast<size_t>(pics[i].w) * pics[i].h * 3;
            std::string decoded;
            ASSERT_NO_THROW(decoded = pdf.Stream(img));
            EXPECT_TRUE(decoded == RgbOf(pics[i].w, pics[i].h, pics[i].color));
            if (!compress)
                EXPECT_GT(raw.size(), plain);
            else if (i == 0)
                EXPECT_LT(raw.size(), plain / 100);
            else if (i == 1)
                EXPECT_LT(raw.size(), plain + plain / 100 + 64);
            else
                EXPECT_LT(raw.size(), plain / 4);
            // Content streams are compressed only when asked for.
            const int contents = PdfFile::RefAfter(pdf.Object(pages[i]), "/Contents");
            EXPECT_EQ(compress == 1, pdf.Object(contents).find("/FlateDecode") != std::string::npos);
            EXPECT_NE(std::string::npos, pdf.Content(pages[i]).find(" re S Q"));
        }
    }
}

// Missing, damaged and hostile BMP files are refused with an error, never a
// crash or a large allocation.
TEST_F(PdfGenTest, StretchDrawRejectsMissingAndDamagedPictures)
{
    const PdfApi& a = Api();
    BmpSpec s24;
    s24.width = 8;
    s24.height = 4;
    const std::string good24 = MakeBmp(s24, Gradient);
    BmpSpec s8;
    s8.width = 8;
    s8.height = 4;
    s8.bpp = 8;
    s8.palette = {0xFFFFFF, 0x000000};
    const std::string good8 = MakeBmp(s8, [](int x, int) { return static_cast<uint32_t>(x & 1); });
    BmpSpec s32;
    s32.width = 2;
    s32.height = 2;
    s32.bpp = 32;
    s32.compression = 3;
    s32.masks[0] = 0xFF0000;
    s32.masks[1] = 0xFF00;
    s32.masks[2] = 0xFF;
    const std::string good32 = MakeBmp(s32, Gradient);

    struct Bad
    {
        const char* name;
        std::string bytes;
        int expected;
    };
    auto patched = [](std::string s, size_t off, uint32_t v, int n) {
        Patch(s, off, v, n);
        return s;
    };
    const Bad cases[] = {
        {"empty file", "", PDF_ERR_FORMAT},
        {"file header only", "BM" + std::string(12, '\0'), PDF_ERR_FORMAT},
        {"not a BMP", "PK" + good24.substr(2), PDF_ERR_FORMAT},
        {"cut in the header", good24.substr(0, 30), PDF_ERR_FORMAT},
        {"cut in the pixels", good24.substr(0, good24.size() - 5), PDF_ERR_FORMAT},
        {"huge width", patched(good24, 18, 0x7FFFFFFF, 4), PDF_ERR_FORMAT},
        {"smallest height", patched(good24, 22, 0x80000000u, 4), PDF_ERR_FORMAT},
        {"zero width", patched(good24, 18, 0, 4), PDF_ERR_FORMAT},
        {"30000 x 30000", patched(patched(good24, 18, 30000, 4), 22, 30000, 4), PDF_ERR_FORMAT},
        {"20000 x 100 in a small file", patched(patched(good24, 18, 20000, 4), 22, 100, 4), PDF_ERR_FORMAT},
        {"7 bits per pixel", patched(good24, 28, 7, 2), PDF_ERR_FORMAT},
        {"RLE8", patched(good8, 30, 1, 4), PDF_ERR_FORMAT},
        {"two planes", patched(good24, 26, 2, 2), PDF_ERR_FORMAT},
        {"palette of 2^31 colours", patched(good8, 46, 0x7FFFFFFF, 4), PDF_ERR_FORMAT},
        {"palette beyond the file", patched(good8, 46, 256, 4).substr(0, 60), PDF_ERR_FORMAT},
        {"pixel offset beyond the file", patched(good24, 10, 0xFFFFFFF0u, 4), PDF_ERR_FORMAT},
        {"header size 9999", patched(good24, 14, 9999, 4), PDF_ERR_FORMAT},
        {"zero colour mask", patched(good32, 54, 0, 4), PDF_ERR_FORMAT},
        {"bit fields on 24 bits", patched(good24, 30, 3, 4), PDF_ERR_FORMAT},
    };

    // Each failure ends its document: the export would lack the picture, so
    // EndDoc reports the error and writes nothing.
    const std::string target = m_dir.Path("bad.pdf");
    const std::string file = m_dir.Path("bad.bmp");
    const std::string good = m_dir.Path("good.bmp");
    ASSERT_TRUE(WriteFileBytes(good, good24));
    auto expectEndsDocument = [&](const std::function<int(PDFHANDLE)>& draw, int expected) {
        const PDFHANDLE h = NewDoc(target);
        ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
        ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, good.c_str())) << LastError();
        ASSERT_EQ(PDF_OK, a.pNewPage(h));
        EXPECT_EQ(expected, draw(h));
        const std::string message = LastError();
        EXPECT_NE("", message);
        EXPECT_EQ(expected, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, good.c_str()));
        EXPECT_EQ(expected, a.pEndDoc(h));
        EXPECT_EQ(message, LastError());
        EXPECT_FALSE(FileExists(target));
        EXPECT_EQ(Sorted({"bad.bmp", "good.bmp"}), Sorted(m_dir.Files()));
    };
    for (const Bad& bad : cases)
    {
        SCOPED_TRACE(bad.name);
        ASSERT_TRUE(WriteFileBytes(file, bad.bytes));
        expectEndsDocument([&](PDFHANDLE h) { return a.pStretchDrawFromFile(h, 0, 0, 1015, 507, file.c_str()); },
                           bad.expected);
    }
    expectEndsDocument([&](PDFHANDLE h) {
        const int rc = a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("none.bmp").c_str());
        EXPECT_NE(std::string::npos, LastError().find("none.bmp")) << LastError();
        return rc;
    }, PDF_ERR_OPEN);
    expectEndsDocument([&](PDFHANDLE h) { return a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path().c_str()); },
                       PDF_ERR_OPEN);
    expectEndsDocument([&](PDFHANDLE h) { return a.pDrawFromFile(h, 0, 0, m_dir.Path("none.bmp").c_str()); },
                       PDF_ERR_OPEN);
    expectEndsDocument([&](PDFHANDLE h) { return a.pStretchDrawFromFile(h, 0, 0, 1015, 507, nullptr); },
                       PDF_ERR_ARGUMENT);
    expectEndsDocument([&](PDFHANDLE h) { return a.pStretchDrawFromFile(h, 0, 0, 0, 507, good.c_str()); },
                       PDF_ERR_ARGUMENT);

    // A good picture after all that.
    const PDFHANDLE h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    EXPECT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, good.c_str())) << LastError();
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    PdfFile pdf;
    ASSERT_TRUE(pdf.Load(target)) << pdf.error;
    ASSERT_EQ(1u, pdf.Pages().size());
    EXPECT_EQ(1u, pdf.Images(pdf.Pages()[0]).size());
    EXPECT_EQ(1u, Count(pdf.data, "/Subtype /Image"));
}

TEST_F(PdfGenTest, DrawFromFileUsesThePictureResolution)
{
    const PdfApi& a = Api();
    BmpSpec s;
    s.width = 100;
    s.height = 50;
    s.pelsPerMeter = 3937;  // 100 dpi: one inch wide
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("dpi100.bmp"), MakeBmp(s, Gradient)));
    s.pelsPerMeter = 0;     // none given: 96 dpi
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("dpi0.bmp"), MakeBmp(s, Gradient)));

    const PDFHANDLE h = NewDoc(m_dir.Path("dpi.pdf"), 1000, 500);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h));
    ASSERT_EQ(PDF_OK, a.pDrawFromFile(h, 0, 0, m_dir.Path("dpi100.bmp").c_str())) << LastError();
    ASSERT_EQ(PDF_OK, a.pDrawFromFile(h, 0, 0, m_dir.Path("dpi0.bmp").c_str())) << LastError();
    ASSERT_EQ(PDF_OK, a.pEndDoc(h));
    PdfFile pdf;
    ASSERT_TRUE(pdf.Load(m_dir.Path("dpi.pdf"))) << pdf.error;
    const std::string content = pdf.Content(pdf.Pages()[0]);
    EXPECT_NE(std::string::npos, content.find("q 72 0 0 36 0 105.732 cm")) << content;
    EXPECT_NE(std::string::npos, content.find("q 75.118 0 0 37.417 0 104.315 cm")) << content;
}

// Abort, and FreePdf of an unfinished document, write nothing.
TEST_F(PdfGenTest, AbortLeavesNoFile)
{
    const PdfApi& a = Api();
    BmpSpec s;
    s.width = 4;
    s.height = 4;
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("p.bmp"), MakeBmp(s, Gradient)));
    const std::string target = m_dir.Path("aborted.pdf");

    const PDFHANDLE h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("p.bmp").c_str()));
    // Output goes to a temporary file, never to the target.
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(2u, m_dir.Files().size());
    ASSERT_EQ(PDF_OK, a.pAbort(h)) << LastError();
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(std::vector<std::string>{"p.bmp"}, m_dir.Files());
    EXPECT_EQ(PDF_ERR_STATE, a.pEndDoc(h));
    EXPECT_EQ(PDF_ERR_STATE, a.pNewPage(h));
    EXPECT_EQ(PDF_ERR_STATE, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("p.bmp").c_str()));
    EXPECT_FALSE(FileExists(target));

    const PDFHANDLE h2 = a.pCreatePdf(0, 0);
    ASSERT_NE(0, h2);
    ASSERT_EQ(PDF_OK, a.pSetStrProp(h2, PDF_STR_FILENAME, target.c_str()));
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h2));
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h2, 0, 0, 1015, 507, m_dir.Path("p.bmp").c_str()));
    ASSERT_EQ(PDF_OK, a.pFreePdf(h2));
    EXPECT_EQ(std::vector<std::string>{"p.bmp"}, m_dir.Files());

    // Aborted before it began: it never begins.
    const PDFHANDLE h3 = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pAbort(h3));
    EXPECT_EQ(PDF_ERR_STATE, a.pBeginDoc(h3));
    EXPECT_NE(std::string::npos, LastError().find("aborted")) << LastError();
    EXPECT_EQ(std::vector<std::string>{"p.bmp"}, m_dir.Files());
}

TEST_F(PdfGenTest, MissingFolderFailsAndLeavesNoFile)
{
    const PdfApi& a = Api();
    BmpSpec s;
    ASSERT_TRUE(WriteFileBytes(m_dir.Path("p.bmp"), MakeBmp(s, Gradient)));
    const std::string target = m_dir.Path("missing\\out.pdf");

    const PDFHANDLE h = NewDoc(target);
    EXPECT_EQ(PDF_ERR_WRITE, a.pBeginDoc(h));
    EXPECT_NE(std::string::npos, LastError().find("folder")) << LastError();
    // What the program checks: the picture is not placed.
    EXPECT_EQ(PDF_ERR_WRITE, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("p.bmp").c_str()));
    EXPECT_EQ(PDF_ERR_WRITE, a.pEndDoc(h));
    EXPECT_STRNE("", a.pGetErrorMsg());
    EXPECT_EQ(PDF_OK, a.pFreePdf(h));
    EXPECT_FALSE(FileExists(target));
    EXPECT_FALSE(FileExists(m_dir.Path("missing")));
    EXPECT_EQ(std::vector<std::string>{"p.bmp"}, m_dir.Files());

    const PDFHANDLE h2 = a.pCreatePdf(0, 0);
    ASSERT_NE(0, h2);
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pBeginDoc(h2));  // no file name
    EXPECT_EQ(PDF_ERR_ARGUMENT, a.pEndDoc(h2));
    a.pFreePdf(h2);
}

// A file already at the target survives every failed or aborted export and
// is replaced by a successful one.
TEST_F(PdfGenTest, ExistingTargetIsReplacedOnlyOnSuccess)
{
    const PdfApi& a = Api();
    BmpSpec s;
    s.width = 3;
    s.height = 2;
    const std::string bmp = m_dir.Path("p.bmp");
    ASSERT_TRUE(WriteFileBytes(bmp, MakeBmp(s, Gradient)));
    const std::string target = m_dir.Path("target.pdf");
    const std::string old = "previous export";
    ASSERT_TRUE(WriteFileBytes(target, old));
    const std::vector<std::string> before = Sorted({"p.bmp", "target.pdf"});

    // Aborted.
    PDFHANDLE h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str()));
    ASSERT_EQ(PDF_OK, a.pAbort(h));
    EXPECT_EQ(old, ReadFileBytes(target));
    EXPECT_EQ(before, Sorted(m_dir.Files()));

    // Opened by a viewer while the export runs.
    h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str()));
    HANDLE viewer = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
    EXPECT_EQ(PDF_ERR_WRITE, a.pEndDoc(h));
    EXPECT_NE(std::string::npos, LastError().find("target.pdf")) << LastError();
    CloseHandle(viewer);
    EXPECT_EQ(old, ReadFileBytes(target));
    EXPECT_EQ(before, Sorted(m_dir.Files()));

    // Opened by a viewer before the export starts: the first picture already fails.
    viewer = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, viewer);
    h = NewDoc(target);
    EXPECT_EQ(PDF_ERR_WRITE, a.pBeginDoc(h));
    EXPECT_EQ(PDF_ERR_WRITE, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str()));
    EXPECT_EQ(PDF_ERR_WRITE, a.pEndDoc(h));
    CloseHandle(viewer);
    EXPECT_EQ(old, ReadFileBytes(target));
    EXPECT_EQ(before, Sorted(m_dir.Files()));

    // A picture fails on the second page.
    h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str()));
    ASSERT_EQ(PDF_OK, a.pNewPage(h));
    EXPECT_EQ(PDF_ERR_OPEN, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, m_dir.Path("gone.bmp").c_str()));
    EXPECT_EQ(PDF_ERR_OPEN, a.pEndDoc(h));
    EXPECT_EQ(old, ReadFileBytes(target));
    EXPECT_EQ(before, Sorted(m_dir.Files()));

    // Write-protected.
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    h = NewDoc(target);
    EXPECT_EQ(PDF_ERR_WRITE, a.pBeginDoc(h));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(old, ReadFileBytes(target));

    // Success.
    h = NewDoc(target);
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << LastError();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str()));
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << LastError();
    PdfFile pdf;
    ASSERT_TRUE(pdf.Load(target)) << pdf.error;
    EXPECT_EQ(1u, pdf.Pages().size());
    EXPECT_EQ(before, Sorted(m_dir.Files()));
}

// Null, unknown and released handles are refused by every entry point.
TEST_F(PdfGenTest, InvalidHandlesAreRejected)
{
    const PdfApi& a = Api();
    const PDFHANDLE freed = a.pCreatePdf(0, 0);
    ASSERT_NE(0, freed);
    ASSERT_EQ(PDF_OK, a.pFreePdf(freed));
    int value = 0;
    char buf[16];
    for (PDFHANDLE h : {0, 424242, -1, freed})
    {
        SCOPED_TRACE(h);
        EXPECT_EQ(PDF_ERR_HANDLE, a.pBeginDoc(h));
        EXPECT_STRNE("", a.pGetErrorMsg());
        EXPECT_EQ(PDF_ERR_HANDLE, a.pSetStrProp(h, PDF_STR_FILENAME, "x.pdf"));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pGetStrProp(h, PDF_STR_FILENAME, buf, sizeof(buf)));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pTextOut(h, 0, 0, "x"));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pEndDoc(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pFreePdf(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pDrawFromFile(h, 0, 0, "x.bmp"));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pNewPage(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pMoveTo(h, 0, 0));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pLineTo(h, 0, 0));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pGetNumProp(h, PDF_NUM_PAGEWIDTH, &value));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pSetNumProp(h, PDF_NUM_PAGEWIDTH, 100));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pDrawText(h, 0, 0, 100, 100, "x", 0));
        EXPECT_EQ(-1, a.pTextWidth(h, "x"));
        EXPECT_EQ(-1, a.pTextHeight(h, "x"));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pAbort(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pAddPoint(h, 0, 0));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pPolygon(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pRectangle(h, 0, 0, 1, 1));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pEllipse(h, 0, 0, 1, 1));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pPolyline(h));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pStretchDrawFromFile(h, 0, 0, 1, 1, "x.bmp"));
        EXPECT_EQ(PDF_ERR_HANDLE, a.pNewSection(h, "x"));
    }
    // Handles are not reused.
    const PDFHANDLE next = a.pCreatePdf(0, 0);
    EXPECT_NE(freed, next);
    EXPECT_STREQ("", a.pGetErrorMsg());
    EXPECT_EQ(PDF_OK, a.pFreePdf(next));
}
