// PdfDocument.cpp - PDF document writer.
#include "PdfDocument.h"

#include "BmpReader.h"
#include "FlateEncoder.h"
#include "HelveticaMetrics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace
{

const double kPointsPerUnit = 72.0 / 254.0;  // tenths of a millimetre to points
const double kKappa = 0.5522847498;           // Bezier control distance for a quarter ellipse
const int kMinPageSide = 10;
const int kMaxPageSide = 50800;               // 200 inches, the largest PDF page
const size_t kMaxString = 65535;
const size_t kMaxPoints = 1000000;
const size_t kFlushSize = 1 << 20;
const int kDefaultPelsPerMeter = 3780;        // 96 dpi
const char kCatalogObj[] = "1 0 R";
const int kPagesObj = 2;
const int kInfoObj = 3;

// Appends a number with at most three decimals, independent of the C locale.
void AppendNum(std::string& s, double v)
{
    long long t = std::llround(v * 1000.0);
    if (t < 0)
    {
        s += '-';
        t = -t;
    }
    s += std::to_string(t / 1000);
    int frac = static_cast<int>(t % 1000);
    if (frac)
    {
        char digits[5] = {'.', char('0' + frac / 100), char('0' + frac / 10 % 10), char('0' + frac % 10), 0};
        int len = 4;
        while (digits[len - 1] == '0')
            --len;
        s.append(digits, len);
    }
}

std::string Num(double v)
{
    std::string s;
    AppendNum(s, v);
    return s;
}

std::string Ref(int obj)
{
    return std::to_string(obj) + " 0 R";
}

void AppendColor(std::string& s, int color)
{
    AppendNum(s, (color & 0xFF) / 255.0);
    s += ' ';
    AppendNum(s, ((color >> 8) & 0xFF) / 255.0);
    s += ' ';
    AppendNum(s, ((color >> 16) & 0xFF) / 255.0);
    s += ' ';
}

void AppendPoint(std::string& s, double x, double y, const char* op)
{
    AppendNum(s, x);
    s += ' ';
    AppendNum(s, y);
    s += ' ';
    s += op;
    s += ' ';
}

std::string Quote(const std::string& s)
{
    return "\"" + s + "\"";
}

// Text string for the document information and bookmarks: literal when plain
// ASCII, else UTF-16BE converted from code page 1252.
std::string TextString(const std::string& ansi)
{
    bool plain = true;
    for (unsigned char c : ansi)
        plain = plain && c >= 0x20 && c < 0x7F;
    std::string out;
    if (plain)
    {
        out = "(";
        for (char c : ansi)
        {
            if (c == '(' || c == ')' || c == '\\')
                out += '\\';
            out += c;
        }
        return out + ")";
    }
    std::vector<wchar_t> wide(ansi.size() + 1);
    const int n = ansi.empty() ? 0
                               : MultiByteToWideChar(1252, 0, ansi.data(), static_cast<int>(ansi.size()),
                                                     wide.data(), static_cast<int>(wide.size()));
    static const char hex[] = "0123456789ABCDEF";
    out = "<FEFF";
    for (int i = 0; i < n; ++i)
    {
        const unsigned v = static_cast<unsigned short>(wide[i]);
        for (int shift = 12; shift >= 0; shift -= 4)
            out += hex[(v >> shift) & 0xF];
    }
    return out + ">";
}

// Text for a show-text operator: characters without a glyph are left out.
std::string ContentString(const std::string& text)
{
    std::string out = "(";
    for (unsigned char c : text)
    {
        if (!Helvetica::HasGlyph(c))
            continue;
        if (c == '(' || c == ')' || c == '\\')
        {
            out += '\\';
            out += static_cast<char>(c);
        }
        else if (c >= 0x80)
        {
            char oct[5] = {'\\', char('0' + (c >> 6)), char('0' + ((c >> 3) & 7)), char('0' + (c & 7)), 0};
            out += oct;
        }
        else
        {
            out += static_cast<char>(c);
        }
    }
    return out + ")";
}

uint64_t Fnv1a(uint64_t h, const void* data, size_t size)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    for (size_t i = 0; i < size; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

std::string Hex64(uint64_t v)
{
    char buf[17];
    std::snprintf(buf, sizeof(buf), "%016llX", static_cast<unsigned long long>(v));
    return buf;
}

std::string SystemErrorText(DWORD code)
{
    return "error " + std::to_string(code);
}

} // namespace

CPdfDocument::CPdfDocument(int pageWidth, int pageHeight)
    : m_pageWidth(pageWidth), m_pageHeight(pageHeight)
{
    m_info[5] = "PDFGen";
}

CPdfDocument::~CPdfDocument()
{
    Discard();
}

// ---------------------------------------------------------------------------
// Errors

int CPdfDocument::Error(int code, const std::string& message)
{
    m_lastError = message;
    return code;
}

// PDF_OK when drawing is allowed now.
int CPdfDocument::CheckOpen()
{
    switch (m_state)
    {
    case kOpen:
        return PDF_OK;
    case kCreated:
        return Error(PDF_ERR_STATE, "BeginDoc has not been called.");
    case kDone:
        return Error(PDF_ERR_STATE, "The document is already complete.");
    case kAborted:
        return Error(PDF_ERR_STATE, "The document has been aborted.");
    case kFailed:
        break;
    }
    return Error(m_failCode, m_failMessage);
}

// Ends the document for good: nothing is written to the target.
int CPdfDocument::Fail(int code, const std::string& message)
{
    m_failCode = code;
    m_failMessage = message;
    m_state = kFailed;
    Discard();
    return Error(code, message);
}

// Closes and deletes the temporary file, if any.
void CPdfDocument::Discard()
{
    if (m_file != INVALID_HANDLE_VALUE)
    {
        CloseHandle(m_file);
        m_file = INVALID_HANDLE_VALUE;
    }
    if (!m_tempName.empty())
    {
        DeleteFileA(m_tempName.c_str());
        m_tempName.clear();
    }
    m_buffer.clear();
}

// ---------------------------------------------------------------------------
// Properties

int CPdfDocument::SetNumProp(int prop, int value)
{
    auto outOfRange = [&](int lo, int hi) {
        return value < lo || value > hi;
    };
    auto bad = [&]() {
        return Error(PDF_ERR_ARGUMENT,
                     "Value " + std::to_string(value) + " is out of range for property " + std::to_string(prop) + ".");
    };
    switch (prop)
    {
    case PDF_NUM_COMPRESS:
        if (outOfRange(0, 1))
            return bad();
        m_compress = value;
        return PDF_OK;
    case PDF_NUM_PAGEWIDTH:
    case PDF_NUM_PAGEHEIGHT:
        if (outOfRange(kMinPageSide, kMaxPageSide))
            return bad();
        (prop == PDF_NUM_PAGEWIDTH ? m_pageWidth : m_pageHeight) = value;
        if (m_state == kOpen && !m_pageDrawn)
        {
            m_curWidth = m_pageWidth;
            m_curHeight = m_pageHeight;
        }
        return PDF_OK;
    case PDF_NUM_PENWIDTH:
        if (outOfRange(0, 10000))
            return bad();
        m_penWidth = value;
        return PDF_OK;
    case PDF_NUM_PENCOLOR:
    case PDF_NUM_BRUSHCOLOR:
    case PDF_NUM_TEXTCOLOR:
        if (outOfRange(0, 0xFFFFFF))
            return bad();
        (prop == PDF_NUM_PENCOLOR ? m_penColor : prop == PDF_NUM_BRUSHCOLOR ? m_brushColor : m_textColor) = value;
        return PDF_OK;
    case PDF_NUM_PENSTYLE:
    case PDF_NUM_BRUSHSTYLE:
        if (value != PDF_STYLE_SOLID && value != PDF_STYLE_NONE)
            return bad();
        (prop == PDF_NUM_PENSTYLE ? m_penStyle : m_brushStyle) = value;
        return PDF_OK;
    case PDF_NUM_FONTSIZE:
        if (outOfRange(1, 10000))
            return bad();
        m_fontSize = value;
        return PDF_OK;
    case PDF_NUM_PAGECOUNT:
    case PDF_NUM_PAGENUMBER:
        return Error(PDF_ERR_PROPERTY, "Property " + std::to_string(prop) + " is read only.");
    default:
        return Error(PDF_ERR_PROPERTY, "Unknown numeric property " + std::to_string(prop) + ".");
    }
}

// Reads a numeric property; an error for an unknown one.
int CPdfDocument::GetNumProp(int prop, int* value)
{
    if (!value)
        return Error(PDF_ERR_ARGUMENT, "No place for the value of property " + std::to_string(prop) + ".");
    const int open = m_state == kOpen ? 1 : 0;
    switch (prop)
    {
    case PDF_NUM_COMPRESS: *value = m_compress; break;
    case PDF_NUM_PAGEHEIGHT: *value = m_pageHeight; break;
    case PDF_NUM_PAGEWIDTH: *value = m_pageWidth; break;
    case PDF_NUM_PENWIDTH: *value = m_penWidth; break;
    case PDF_NUM_PENCOLOR: *value = m_penColor; break;
    case PDF_NUM_PENSTYLE: *value = m_penStyle; break;
    case PDF_NUM_BRUSHCOLOR: *value = m_brushColor; break;
    case PDF_NUM_BRUSHSTYLE: *value = m_brushStyle; break;
    case PDF_NUM_FONTSIZE: *value = m_fontSize; break;
    case PDF_NUM_TEXTCOLOR: *value = m_textColor; break;
    case PDF_NUM_PAGECOUNT: *value = static_cast<int>(m_pageObjs.size()) + open; break;
    case PDF_NUM_PAGENUMBER: *value = open ? static_cast<int>(m_pageObjs.size()) + 1 : 0; break;
    default:
        return Error(PDF_ERR_PROPERTY, "Unknown numeric property " + std::to_string(prop) + ".");
    }
    return PDF_OK;
}

// Sets a text property (document info, font, file name), refusing overlong texts.
int CPdfDocument::SetStrProp(int prop, const char* value)
{
    if (!value)
        return Error(PDF_ERR_ARGUMENT, "No text for property " + std::to_string(prop) + ".");
    const std::string text(value);
    if (text.size() > kMaxString)
        return Error(PDF_ERR_ARGUMENT, "The text for property " + std::to_string(prop) + " is too long.");
    switch (prop)
    {
    case PDF_STR_TITLE:
    case PDF_STR_AUTHOR:
    case PDF_STR_SUBJECT:
    case PDF_STR_KEYWORDS:
    case PDF_STR_CREATOR:
        m_info[prop - PDF_STR_TITLE] = text;
        return PDF_OK;
    case PDF_STR_PRODUCER:
        m_info[5] = text;
        return PDF_OK;
    case PDF_STR_FILENAME:
        if (m_state != kCreated)
            return Error(PDF_ERR_STATE, "The file name cannot change once BeginDoc has been called.");
        m_fileName = text;
        return PDF_OK;
    default:
        return Error(PDF_ERR_PROPERTY, "Unknown text property " + std::to_string(prop) + ".");
    }
}

// Copies a text property into the caller's buffer, cut to fit.
int CPdfDocument::GetStrProp(int prop, char* buf, int bufSize)
{
    if (!buf || bufSize <= 0)
        return Error(PDF_ERR_ARGUMENT, "No buffer for property " + std::to_string(prop) + ".");
    const std::string* text;
    switch (prop)
    {
    case PDF_STR_TITLE:
    case PDF_STR_AUTHOR:
    case PDF_STR_SUBJECT:
    case PDF_STR_KEYWORDS:
    case PDF_STR_CREATOR:
        text = &m_info[prop - PDF_STR_TITLE];
        break;
    case PDF_STR_PRODUCER:
        text = &m_info[5];
        break;
    case PDF_STR_FILENAME:
        text = &m_fileName;
        break;
    default:
        return Error(PDF_ERR_PROPERTY, "Unknown text property " + std::to_string(prop) + ".");
    }
    const size_t n = std::min(text->size(), static_cast<size_t>(bufSize - 1));
    text->copy(buf, n);
    buf[n] = '\0';
    if (n < text->size())
        return Error(PDF_ERR_BUFFER, "Property " + std::to_string(prop) + " needs a buffer of "
                                         + std::to_string(text->size() + 1) + " bytes.");
    return PDF_OK;
}

// ---------------------------------------------------------------------------
// Output

int CPdfDocument::NewObject()
{
    m_offsets.push_back(0);
    return static_cast<int>(m_offsets.size()) - 1;
}

void CPdfDocument::BeginObject(int obj)
{
    m_offsets[obj] = m_written + m_buffer.size();
    Put(std::to_string(obj) + " 0 obj\n");
}

void CPdfDocument::Put(const std::string& s)
{
    m_buffer += s;
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

void CPdfDocument::Put(const char* s)
{
    m_buffer += s;
    if (m_buffer.size() >= kFlushSize)
        Flush();
}

// Writes the buffered bytes out; false once a write has failed.
bool CPdfDocument::Flush()
{
    size_t done = 0;
    while (!m_ioError && done < m_buffer.size())
    {
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(m_buffer.size() - done, 1 << 24));
        if (!WriteFile(m_file, m_buffer.data() + done, chunk, &n, nullptr) || n == 0)
            m_ioError = true;
        done += n;
    }
    m_written += done;
    m_buffer.clear();
    return !m_ioError;
}

void CPdfDocument::WriteStreamObject(int obj, const std::string& dict, const std::string& data)
{
    BeginObject(obj);
    Put("<< " + dict + "/Length " + std::to_string(data.size()) + " >>\nstream\n");
    Put(data);
    Put("\nendstream\nendobj\n");
}

// Checks that the target can be replaced: it is no folder and no other
// program holds it open against writing or deleting.
int CPdfDocument::ProbeTarget()
{
    const DWORD attr = GetFileAttributesA(m_target.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES)
        return PDF_OK;
    if (attr & FILE_ATTRIBUTE_DIRECTORY)
        return Error(PDF_ERR_WRITE, Quote(m_target) + " is a folder.");
    if (attr & FILE_ATTRIBUTE_READONLY)
        return Error(PDF_ERR_WRITE, "Cannot replace " + Quote(m_target) + ": the file is write-protected.");
    HANDLE h = CreateFileA(m_target.c_str(), GENERIC_WRITE | DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
    {
        const DWORD err = GetLastError();
        return Error(PDF_ERR_WRITE, "Cannot replace " + Quote(m_target)
                                        + ": the file is open in another program or write-protected ("
                                        + SystemErrorText(err) + ").");
    }
    CloseHandle(h);
    return PDF_OK;
}

// ---------------------------------------------------------------------------
// Document and pages

int CPdfDocument::BeginDoc()
{
    if (m_state == kOpen)
        return Error(PDF_ERR_STATE, "BeginDoc has already been called.");
    if (m_state != kCreated)
        return CheckOpen();
    if (m_fileName.empty())
        return Fail(PDF_ERR_ARGUMENT, "No PDF file name has been set.");

    char full[MAX_PATH];
    char* filePart = nullptr;
    const DWORD n = GetFullPathNameA(m_fileName.c_str(), MAX_PATH, full, &filePart);
    if (n == 0 || n >= MAX_PATH || !filePart || !*filePart)
        return Fail(PDF_ERR_ARGUMENT, "Invalid PDF file name " + Quote(m_fileName) + ".");
    m_target = full;
    const std::string folder(full, filePart - full);
    const DWORD attr = GetFileAttributesA(folder.c_str());
    if (attr == INVALID_FILE_ATTRIBUTES || !(attr & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(PDF_ERR_WRITE, "Cannot write " + Quote(m_target) + ": the folder does not exist.");
    if (ProbeTarget() != PDF_OK)
        return Fail(PDF_ERR_WRITE, m_lastError);

    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "pdf", 0, temp))
    {
        const DWORD err = GetLastError();
        return Fail(PDF_ERR_WRITE, "Cannot create a file in the folder " + Quote(folder) + " ("
                                       + SystemErrorText(err) + ").");
    }
    m_tempName = temp;
    m_file = CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
    if (m_file == INVALID_HANDLE_VALUE)
    {
        const DWORD err = GetLastError();
        return Fail(PDF_ERR_WRITE, "Cannot create " + Quote(temp) + " (" + SystemErrorText(err) + ").");
    }

    m_offsets.assign(kInfoObj + 1, 0);  // 1 catalog, 2 page tree, 3 information
    m_state = kOpen;
    Put("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    StartPage();
    return PDF_OK;
}

// Writes the last page, font, outline, page tree, info and cross-reference, then closes the file.
int CPdfDocument::EndDoc()
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    FinishPage();

    if (m_fontObj)
    {
        BeginObject(m_fontObj);
        Put("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>\nendobj\n");
    }

    // Bookmarks for titled sections.
    std::vector<const Section*> titled;
    for (const Section& s : m_sections)
        if (!s.title.empty())
            titled.push_back(&s);
    int outlineRoot = 0;
    if (!titled.empty())
    {
        outlineRoot = NewObject();
        const int first = outlineRoot + 1;
        const int count = static_cast<int>(titled.size());
        for (int i = 0; i < count; ++i)
            NewObject();
        BeginObject(outlineRoot);
        Put("<< /Type /Outlines /First " + Ref(first) + " /Last " + Ref(first + count - 1) + " /Count "
            + std::to_string(count) + " >>\nendobj\n");
        for (int i = 0; i < count; ++i)
        {
            std::string item = "<< /Title " + TextString(titled[i]->title) + " /Parent " + Ref(outlineRoot);
            if (i > 0)
                item += " /Prev " + Ref(first + i - 1);
            if (i + 1 < count)
                item += " /Next " + Ref(first + i + 1);
            item += " /Dest [" + Ref(m_pageObjs[titled[i]->firstPage]) + " /XYZ null null null] >>\nendobj\n";
            BeginObject(first + i);
            Put(item);
        }
    }

    BeginObject(kPagesObj);
    std::string kids;
    for (int obj : m_pageObjs)
        kids += Ref(obj) + " ";
    Put("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(m_pageObjs.size()) + " >>\nendobj\n");

    std::string catalog = "<< /Type /Catalog /Pages " + Ref(kPagesObj);
    if (outlineRoot)
        catalog += " /Outlines " + Ref(outlineRoot) + " /PageMode /UseOutlines";
    if (!m_sections.empty())
    {
        catalog += " /PageLabels << /Nums [";
        if (m_sections.front().firstPage != 0)
            catalog += "0 << /S /D >> ";
        for (const Section& s : m_sections)
            catalog += std::to_string(s.firstPage) + " << /S /D >> ";
        catalog += "] >>";
    }
    BeginObject(1);
    Put(catalog + " >>\nendobj\n");

    SYSTEMTIME st;
    GetSystemTime(&st);
    char date[32];
    std::snprintf(date, sizeof(date), "D:%04u%02u%02u%02u%02u%02uZ", st.wYear, st.wMonth, st.wDay, st.wHour,
                  st.wMinute, st.wSecond);
    static const char* const keys[6] = {"Title", "Author", "Subject", "Keywords", "Creator", "Producer"};
    std::string info = "<<";
    for (int i = 0; i < 6; ++i)
        if (!m_info[i].empty() || i == 5)
            info += " /" + std::string(keys[i]) + " " + TextString(m_info[i]);
    info += " /CreationDate (" + std::string(date) + ") >>\nendobj\n";
    BeginObject(kInfoObj);
    Put(info);

    const uint64_t xref = m_written + m_buffer.size();
    std::string table = "xref\n0 " + std::to_string(m_offsets.size()) + "\n0000000000 65535 f\r\n";
    for (size_t obj = 1; obj < m_offsets.size(); ++obj)
    {
        if (m_offsets[obj] == 0)
            return Fail(PDF_ERR_WRITE, "Object " + std::to_string(obj) + " of the PDF file was never written.");
        char entry[32];
        std::snprintf(entry, sizeof(entry), "%010llu 00000 n\r\n", static_cast<unsigned long long>(m_offsets[obj]));
        table += entry;
    }
    uint64_t id = Fnv1a(1469598103934665603ull, m_target.data(), m_target.size());
    id = Fnv1a(id, &st, sizeof(st));
    const uint64_t id2 = Fnv1a(id, &xref, sizeof(xref));
    const std::string idHex = Hex64(id) + Hex64(id2);
    table += "trailer\n<< /Size " + std::to_string(m_offsets.size()) + " /Root " + kCatalogObj + " /Info "
             + Ref(kInfoObj) + " /ID [<" + idHex + "> <" + idHex + ">] >>\nstartxref\n" + std::to_string(xref)
             + "\n%%EOF\n";
    Put(table);

    if (!Flush() || !FlushFileBuffers(m_file))
        return Fail(PDF_ERR_WRITE, "Cannot write " + Quote(m_tempName) + " (" + SystemErrorText(GetLastError())
                                       + ").");
    const BOOL closed = CloseHandle(m_file);
    m_file = INVALID_HANDLE_VALUE;
    if (!closed)
        return Fail(PDF_ERR_WRITE, "Cannot write " + Quote(m_tempName) + ".");
    if (ProbeTarget() != PDF_OK)
        return Fail(PDF_ERR_WRITE, m_lastError);
    if (!MoveFileExA(m_tempName.c_str(), m_target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        const DWORD err = GetLastError();
        return Fail(PDF_ERR_WRITE, "Cannot replace " + Quote(m_target)
                                       + ": the file may be open in another program (" + SystemErrorText(err)
                                       + ").");
    }
    m_tempName.clear();
    m_state = kDone;
    return PDF_OK;
}

int CPdfDocument::Abort()
{
    if (m_state == kDone)
        return Error(PDF_ERR_STATE, "The document is already complete.");
    Discard();
    if (m_state != kFailed)
        m_state = kAborted;
    return PDF_OK;
}

int CPdfDocument::NewPage()
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    FinishPage();
    if (m_ioError)
        return Fail(PDF_ERR_WRITE, "Cannot write " + Quote(m_tempName) + ".");
    StartPage();
    return PDF_OK;
}

// Starts a section (a bookmark in the outline) on a new page unless the page is still empty.
int CPdfDocument::NewSection(const char* title)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    const std::string text = title ? title : "";
    if (text.size() > kMaxString)
        return Error(PDF_ERR_ARGUMENT, "The section title is too long.");
    if (m_pageDrawn)
    {
        const int pageRc = NewPage();
        if (pageRc != PDF_OK)
            return pageRc;
    }
    const size_t page = m_pageObjs.size();
    if (!m_sections.empty() && m_sections.back().firstPage == page)
        m_sections.back().title = text;
    else
        m_sections.push_back(Section{page, text});
    return PDF_OK;
}

void CPdfDocument::StartPage()
{
    m_pageObj = NewObject();
    m_contentObj = NewObject();
    m_curWidth = m_pageWidth;
    m_curHeight = m_pageHeight;
    m_pageDrawn = false;
    m_pageUsesFont = false;
    m_pageImages.clear();
    m_content.clear();
    m_curX = m_curY = 0;
}

// Writes the open page's content stream and page object.
void CPdfDocument::FinishPage()
{
    if (m_compress)
        WriteStreamObject(m_contentObj, "/Filter /FlateDecode ",
                          CFlateEncoder::Compress(m_content.data(), m_content.size()));
    else
        WriteStreamObject(m_contentObj, "", m_content);

    std::string page = "<< /Type /Page /Parent " + Ref(kPagesObj) + " /MediaBox [0 0 "
                       + Num(m_curWidth * kPointsPerUnit) + " " + Num(m_curHeight * kPointsPerUnit)
                       + "] /Resources << /ProcSet [/PDF /Text /ImageC]";
    if (m_pageUsesFont)
        page += " /Font << /F1 " + Ref(m_fontObj) + " >>";
    if (!m_pageImages.empty())
    {
        page += " /XObject <<";
        for (int obj : m_pageImages)
            page += " /Im" + std::to_string(obj) + " " + Ref(obj);
        page += " >>";
    }
    page += " >> /Contents " + Ref(m_contentObj) + " >>\nendobj\n";
    BeginObject(m_pageObj);
    Put(page);
    m_pageObjs.push_back(m_pageObj);
    m_pageObj = 0;
    m_content.clear();
}

// The page size is fixed from the first drawing on.
void CPdfDocument::MarkDrawn()
{
    m_pageDrawn = true;
}

double CPdfDocument::X(double x) const
{
    return x * kPointsPerUnit;
}

double CPdfDocument::Y(double y) const
{
    return (m_curHeight - y) * kPointsPerUnit;
}

// ---------------------------------------------------------------------------
// Lines and shapes

void CPdfDocument::AppendStroke(std::string& s) const
{
    AppendNum(s, m_penWidth * kPointsPerUnit);
    s += " w ";
    AppendColor(s, m_penColor);
    s += "RG 1 J 1 j ";
}

void CPdfDocument::AppendFill(std::string& s) const
{
    AppendColor(s, m_brushColor);
    s += "rg ";
}

// Strokes (and for fillable shapes fills) a path with the pen and brush.
void CPdfDocument::PaintPath(std::string& path, bool closed, bool fillable)
{
    MarkDrawn();
    const bool stroke = m_penStyle == PDF_STYLE_SOLID;
    const bool fill = fillable && m_brushStyle == PDF_STYLE_SOLID;
    if (!stroke && !fill)
        return;
    std::string s = "q ";
    if (stroke)
        AppendStroke(s);
    if (fill)
        AppendFill(s);
    s += path;
    if (closed)
        s += "h ";
    s += stroke && fill ? "B*" : fill ? "f*" : "S";
    s += " Q\n";
    m_content += s;
}

int CPdfDocument::MoveTo(int x, int y)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    m_curX = x;
    m_curY = y;
    return PDF_OK;
}

int CPdfDocument::LineTo(int x, int y)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    std::string path;
    AppendPoint(path, X(m_curX), Y(m_curY), "m");
    AppendPoint(path, X(x), Y(y), "l");
    PaintPath(path, false, false);
    m_curX = x;
    m_curY = y;
    return PDF_OK;
}

int CPdfDocument::AddPoint(int x, int y)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    if (m_points.size() >= kMaxPoints)
        return Error(PDF_ERR_ARGUMENT, "Too many points.");
    m_points.push_back(POINT{x, y});
    return PDF_OK;
}

// Fills and outlines the polygon of the points added; an error for fewer than 3.
int CPdfDocument::Polygon()
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    std::vector<POINT> points;
    points.swap(m_points);
    if (points.size() < 3)
        return Error(PDF_ERR_ARGUMENT, "A polygon needs at least 3 points.");
    std::string path;
    for (size_t i = 0; i < points.size(); ++i)
        AppendPoint(path, X(points[i].x), Y(points[i].y), i ? "l" : "m");
    PaintPath(path, true, true);
    return PDF_OK;
}

// Draws a line through the points added; an error for fewer than 2.
int CPdfDocument::Polyline()
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    std::vector<POINT> points;
    points.swap(m_points);
    if (points.size() < 2)
        return Error(PDF_ERR_ARGUMENT, "A line needs at least 2 points.");
    std::string path;
    for (size_t i = 0; i < points.size(); ++i)
        AppendPoint(path, X(points[i].x), Y(points[i].y), i ? "l" : "m");
    PaintPath(path, false, false);
    return PDF_OK;
}

// Fills and outlines a rectangle given by any two opposite corners.
int CPdfDocument::Rectangle(int left, int top, int right, int bottom)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    const double l = std::min(left, right), r = std::max(left, right);
    const double t = std::min(top, bottom), b = std::max(top, bottom);
    std::string path;
    AppendNum(path, X(l));
    path += ' ';
    AppendNum(path, Y(b));
    path += ' ';
    AppendNum(path, (r - l) * kPointsPerUnit);
    path += ' ';
    AppendNum(path, (b - t) * kPointsPerUnit);
    path += " re ";
    PaintPath(path, false, true);
    return PDF_OK;
}

// Fills and outlines the ellipse within a rectangle, drawn as four Bezier curves.
int CPdfDocument::Ellipse(int left, int top, int right, int bottom)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    const double cx = X((static_cast<double>(left) + right) / 2);
    const double cy = Y((static_cast<double>(top) + bottom) / 2);
    const double rx = std::fabs(static_cast<double>(right) - left) / 2 * kPointsPerUnit;
    const double ry = std::fabs(static_cast<double>(bottom) - top) / 2 * kPointsPerUnit;
    const double kx = rx * kKappa, ky = ry * kKappa;
    std::string path;
    auto curve = [&](double x1, double y1, double x2, double y2, double x3, double y3) {
        AppendPoint(path, x1, y1, "");
        AppendPoint(path, x2, y2, "");
        AppendPoint(path, x3, y3, "c");
    };
    AppendPoint(path, cx + rx, cy, "m");
    curve(cx + rx, cy + ky, cx + kx, cy + ry, cx, cy + ry);
    curve(cx - kx, cy + ry, cx - rx, cy + ky, cx - rx, cy);
    curve(cx - rx, cy - ky, cx - kx, cy - ry, cx, cy - ry);
    curve(cx + kx, cy - ry, cx + rx, cy - ky, cx + rx, cy);
    PaintPath(path, true, true);
    return PDF_OK;
}

// ---------------------------------------------------------------------------
// Text

void CPdfDocument::SplitLines(const char* text, std::vector<std::string>& lines) const
{
    lines.clear();
    std::string line;
    for (const char* p = text; *p; ++p)
    {
        if (*p == '\r' || *p == '\n')
        {
            if (*p == '\r' && p[1] == '\n')
                ++p;
            lines.push_back(line);
            line.clear();
        }
        else
        {
            line += *p;
        }
    }
    lines.push_back(line);
}

// Width of one line in tenths of a millimetre.
double CPdfDocument::LineWidth(const std::string& line) const
{
    long units = 0;
    for (unsigned char c : line)
        units += Helvetica::CharWidth(c);
    return static_cast<double>(units) * m_fontSize / 1000.0;
}

// Shows one line with its baseline starting at (x, baselineY), both in points.
int CPdfDocument::EmitText(double x, double baselineY, const std::string& text)
{
    const std::string str = ContentString(text);
    if (str.size() <= 2)
        return PDF_OK;
    if (!m_fontObj)
        m_fontObj = NewObject();
    m_pageUsesFont = true;
    std::string s = "q ";
    AppendColor(s, m_textColor);
    s += "rg BT /F1 ";
    AppendNum(s, m_fontSize * kPointsPerUnit);
    s += " Tf ";
    AppendPoint(s, x, baselineY, "Td");
    s += str + " Tj ET Q\n";
    m_content += s;
    return PDF_OK;
}

// Writes text at a point, one line per line break, unwrapped.
int CPdfDocument::TextOut(int x, int y, const char* text)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    if (!text)
        return Error(PDF_ERR_ARGUMENT, "No text.");
    MarkDrawn();
    std::vector<std::string> lines;
    SplitLines(text, lines);
    const double lineHeight = Helvetica::kLineHeight * m_fontSize / 1000.0;
    const double ascent = Helvetica::kAscent * m_fontSize / 1000.0;
    for (size_t i = 0; i < lines.size(); ++i)
        EmitText(X(x), Y(y + i * lineHeight + ascent), lines[i]);
    return PDF_OK;
}

// Writes text wrapped and aligned within a box, lines that do not fit left out.
int CPdfDocument::DrawText(int left, int top, int width, int height, const char* text, int align)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    if (!text)
        return Error(PDF_ERR_ARGUMENT, "No text.");
    if (width < 0 || height < 0)
        return Error(PDF_ERR_ARGUMENT, "The text box has a negative size.");
    if (align != PDF_ALIGN_LEFT && align != PDF_ALIGN_CENTER && align != PDF_ALIGN_RIGHT)
        return Error(PDF_ERR_ARGUMENT, "Unknown alignment " + std::to_string(align) + ".");
    MarkDrawn();

    // Word wrap; a word wider than the box is broken between characters.
    std::vector<std::string> paragraphs, lines;
    SplitLines(text, paragraphs);
    for (const std::string& para : paragraphs)
    {
        std::string line;
        size_t pos = 0;
        for (;;)
        {
            pos = para.find_first_not_of(' ', pos);
            if (pos == std::string::npos)
                break;
            size_t end = para.find(' ', pos);
            if (end == std::string::npos)
                end = para.size();
            std::string word = para.substr(pos, end - pos);
            pos = end;
            const std::string joined = line.empty() ? word : line + " " + word;
            if (LineWidth(joined) <= width)
            {
                line = joined;
                continue;
            }
            if (!line.empty())
                lines.push_back(line);
            while (word.size() > 1 && LineWidth(word) > width)
            {
                size_t fit = 1;
                while (fit + 1 < word.size() && LineWidth(word.substr(0, fit + 1)) <= width)
                    ++fit;
                lines.push_back(word.substr(0, fit));
                word.erase(0, fit);
            }
            line = word;
        }
        lines.push_back(line);
    }

    const double lineHeight = Helvetica::kLineHeight * m_fontSize / 1000.0;
    const double ascent = Helvetica::kAscent * m_fontSize / 1000.0;
    std::string clip = "q ";
    AppendNum(clip, X(left));
    clip += ' ';
    AppendNum(clip, Y(static_cast<double>(top) + height));
    clip += ' ';
    AppendNum(clip, width * kPointsPerUnit);
    clip += ' ';
    AppendNum(clip, height * kPointsPerUnit);
    clip += " re W n\n";
    m_content += clip;
    for (size_t i = 0; i < lines.size() && (i + 1) * lineHeight <= height; ++i)
    {
        double x = left;
        if (align != PDF_ALIGN_LEFT)
        {
            const double spare = width - LineWidth(lines[i]);
            x += align == PDF_ALIGN_CENTER ? spare / 2 : spare;
        }
        EmitText(X(x), Y(top + i * lineHeight + ascent), lines[i]);
    }
    m_content += "Q\n";
    return PDF_OK;
}

int CPdfDocument::TextWidth(const char* text, int* width)
{
    if (!text)
        return Error(PDF_ERR_ARGUMENT, "No text.");
    std::vector<std::string> lines;
    SplitLines(text, lines);
    double widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, LineWidth(line));
    *width = static_cast<int>(std::lround(widest));
    return PDF_OK;
}

int CPdfDocument::TextHeight(const char* text, int* height)
{
    if (!text)
        return Error(PDF_ERR_ARGUMENT, "No text.");
    std::vector<std::string> lines;
    SplitLines(text, lines);
    *height = static_cast<int>(std::lround(lines.size() * Helvetica::kLineHeight * m_fontSize / 1000.0));
    return PDF_OK;
}

// ---------------------------------------------------------------------------
// Pictures

int CPdfDocument::DrawFromFile(int x, int y, const char* bmpFile)
{
    return DrawPicture(x, y, 0, 0, true, bmpFile);
}

int CPdfDocument::StretchDrawFromFile(int x, int y, int width, int height, const char* bmpFile)
{
    return DrawPicture(x, y, width, height, false, bmpFile);
}

// Writes the picture as an image XObject and places it on the page.  A
// picture that cannot be placed ends the document: without it the export is
// incomplete, and EndDoc must not put an incomplete file at the target.
int CPdfDocument::DrawPicture(int x, int y, int width, int height, bool natural, const char* bmpFile)
{
    const int rc = CheckOpen();
    if (rc != PDF_OK)
        return rc;
    if (!bmpFile || !*bmpFile)
        return Fail(PDF_ERR_ARGUMENT, "No picture file name.");
    if (!natural && (width <= 0 || height <= 0))
        return Fail(PDF_ERR_ARGUMENT, "The picture needs a positive width and height.");
    CBmpReader bmp;
    std::string error;
    const int openRc = bmp.Open(bmpFile, error);
    if (openRc != PDF_OK)
        return Fail(openRc, error);
    if (natural)
    {
        auto size = [](int pixels, int ppm) {
            if (ppm < 40 || ppm > 1000000)
                ppm = kDefaultPelsPerMeter;
            return std::max(1, static_cast<int>(std::lround(pixels * 10000.0 / ppm)));
        };
        width = size(bmp.Width(), bmp.XPelsPerMeter());
        height = size(bmp.Height(), bmp.YPelsPerMeter());
    }
    MarkDrawn();

    const int imageObj = NewObject();
    const int lengthObj = NewObject();
    BeginObject(imageObj);
    Put("<< /Type /XObject /Subtype /Image /Width " + std::to_string(bmp.Width()) + " /Height "
        + std::to_string(bmp.Height())
        + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode /Length " + Ref(lengthObj)
        + " >>\nstream\n");
    const uint64_t start = m_written + m_buffer.size();
    CFlateEncoder encoder(m_compress != 0);
    std::vector<uint8_t> row(static_cast<size_t>(bmp.Width()) * 3);
    std::string chunk;
    for (int line = 0; line < bmp.Height() && !m_ioError; ++line)
    {
        if (!bmp.ReadRow(line, row.data()))
            return Fail(PDF_ERR_OPEN, "Cannot read the picture file " + Quote(bmpFile) + ".");
        encoder.Write(row.data(), row.size());
        encoder.TakeOutput(chunk);
        Put(chunk);
    }
    encoder.Finish();
    encoder.TakeOutput(chunk);
    Put(chunk);
    const uint64_t length = m_written + m_buffer.size() - start;
    Put("\nendstream\nendobj\n");
    BeginObject(lengthObj);
    Put(std::to_string(length) + "\nendobj\n");
    if (m_ioError)
        return Fail(PDF_ERR_WRITE, "Cannot write " + Quote(m_tempName) + ".");

    m_pageImages.push_back(imageObj);
    std::string s = "q ";
    AppendNum(s, width * kPointsPerUnit);
    s += " 0 0 ";
    AppendNum(s, height * kPointsPerUnit);
    s += ' ';
    AppendNum(s, X(x));
    s += ' ';
    AppendNum(s, Y(static_cast<double>(y) + height));
    s += " cm /Im" + std::to_string(imageObj) + " Do Q\n";
    m_content += s;
    return PDF_OK;
}
