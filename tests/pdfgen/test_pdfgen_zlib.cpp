// Tests of PDFGen.dll: streams decoded with zlib's own inflate give back the
// source pixels and drawing operators, also where one row or one page gives
// the encoder more output than it drains in one step.
#include "pdfgen_support.h"

using namespace pdfgentest;

namespace
{

// Writes a one-page document: a picture stretched over the page, then shapes
// enough for a content stream of well over 64 KB.
void WritePage(const PdfApi& a, PDFHANDLE h, const std::string& bmp)
{
    ASSERT_EQ(PDF_OK, a.pBeginDoc(h)) << a.pGetErrorMsg();
    ASSERT_EQ(PDF_OK, a.pStretchDrawFromFile(h, 0, 0, 1015, 507, bmp.c_str())) << a.pGetErrorMsg();
    for (int i = 0; i < 3000; ++i)
    {
        ASSERT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_PENCOLOR, i * 2654435761u & 0xFFFFFF));
        ASSERT_EQ(PDF_OK, a.pRectangle(h, i % 900, i % 400, i % 900 + 1 + i % 97, i % 400 + 1 + i % 89));
    }
    ASSERT_EQ(PDF_OK, a.pEndDoc(h)) << a.pGetErrorMsg();
}

} // namespace

class PdfZlibTest : public PdfGenTest
{
};

TEST_F(PdfZlibTest, WideRowsAndLongContentDecodeWithZlib)
{
    const PdfApi& a = Api();
    // 30000 pixels of noise a row: 90 KB, more than one output step of the
    // encoder, even compressed.
    const int w = 30000, hgt = 5;
    std::vector<uint32_t> noise(static_cast<size_t>(w) * hgt);
    uint32_t seed = 977;
    for (uint32_t& v : noise)
    {
        seed = seed * 1664525u + 1013904223u;
        v = seed >> 8 & 0xFFFFFF;
    }
    const auto color = [&](int x, int y) { return noise[static_cast<size_t>(y) * w + x]; };
    BmpSpec s;
    s.width = w;
    s.height = hgt;
    const std::string bmp = m_dir.Path("wide.bmp");
    ASSERT_TRUE(WriteFileBytes(bmp, MakeBmp(s, color)));
    const std::string pixels = RgbOf(w, hgt, color);

    std::string plainContent;
    for (int compress = 0; compress <= 1; ++compress)
    {
        SCOPED_TRACE(compress ? "compressed" : "uncompressed");
        const std::string target = m_dir.Path("z" + std::to_string(compress) + ".pdf");
        const PDFHANDLE h = NewDoc(target);
        ASSERT_NE(0, h);
        ASSERT_EQ(PDF_OK, a.pSetNumProp(h, PDF_NUM_COMPRESS, compress));
        WritePage(a, h, bmp);
        if (HasFatalFailure())
            return;

        PdfFile pdf;
        ASSERT_TRUE(pdf.Load(target)) << pdf.error;
        const std::vector<int> pages = pdf.Pages();
        ASSERT_EQ(1u, pages.size());
        const int img = pdf.Images(pages[0]).begin()->second;
        ASSERT_NE(std::string::npos, pdf.Object(img).find("/FlateDecode"));
        const std::string raw = pdf.RawStream(img);
        // A zlib header: deflate with a 32 KB window, check bits right.
        ASSERT_GE(raw.size(), 6u);
        EXPECT_EQ(0x78, static_cast<uint8_t>(raw[0]));
        EXPECT_EQ(0, (static_cast<uint8_t>(raw[0]) * 256 + static_cast<uint8_t>(raw[1])) % 31);
        std::string decoded;
        ASSERT_NO_THROW(decoded = Inflate(raw));
        ASSERT_EQ(pixels.size(), decoded.size());
        EXPECT_TRUE(decoded == pixels) << "decoded pixels differ from the picture";
        // Noise does not shrink; stored data is never more than slightly larger.
        EXPECT_LT(raw.size(), pixels.size() + pixels.size() / 100 + 64);

        const int contents = PdfFile::RefAfter(pdf.Object(pages[0]), "/Contents");
        const std::string rawContent = pdf.RawStream(contents);
        if (!compress)
        {
            plainContent = rawContent;
            EXPECT_GT(plainContent.size(), 65536u);
            EXPECT_EQ(std::string::npos, pdf.Object(contents).find("/FlateDecode"));
        }
        else
        {
            ASSERT_NE(std::string::npos, pdf.Object(contents).find("/FlateDecode"));
            std::string content;
            ASSERT_NO_THROW(content = Inflate(rawContent));
            EXPECT_TRUE(content == plainContent) << "content differs from the uncompressed document's";
            EXPECT_LT(rawContent.size(), plainContent.size() / 3);
        }
    }
}

// The test decoder itself: it must refuse damaged and cut streams, so that
// the round trips above can fail.
TEST(PdfZlibDecode, DamagedStreamsAreRefused)
{
    const std::string text(5000, 'a');
    std::string z(compressBound(static_cast<uLong>(text.size())), '\0');
    uLongf zlen = static_cast<uLongf>(z.size());
    ASSERT_EQ(Z_OK, compress(reinterpret_cast<Bytef*>(&z[0]), &zlen,
                             reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size())));
    z.resize(zlen);
    EXPECT_EQ(text, Inflate(z));
    EXPECT_THROW(Inflate(z.substr(0, z.size() - 1)), std::runtime_error) << "cut checksum";
    EXPECT_THROW(Inflate(z + "x"), std::runtime_error) << "bytes after the end";
    std::string bad = z;
    bad[bad.size() - 1] ^= 1;
    EXPECT_THROW(Inflate(bad), std::runtime_error) << "wrong Adler-32";
    EXPECT_THROW(Inflate("not zlib"), std::runtime_error);
}
