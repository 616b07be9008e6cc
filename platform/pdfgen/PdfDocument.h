// PdfDocument.h - one PDF document being written.
//
// Declares: CPdfDocument.
//
// Notes
// - The file is written as the document grows: pictures go out as image
//   XObjects when they are drawn, a page's content stream and page object
//   when the page ends, and the page tree, catalog, information dictionary
//   and cross-reference table at EndDoc.  Memory holds only the open page's
//   content and one picture row.
// - Output goes to a temporary file created in the target's folder, which
//   EndDoc renames onto the target.  Any write error, an Abort or the
//   destruction of an unfinished document deletes the temporary file.
// - Every operation returns PDF_OK or a PDF_ERR_ code and leaves the text of
//   a failure in LastError().
#pragma once

#include <windows.h>

#include "PDFGen.h"

#include <cstdint>
#include <string>
#include <vector>

// CPdfDocument holds the properties, drawing state and output of one document.
class CPdfDocument
{
public:
    CPdfDocument(int pageWidth, int pageHeight);
    ~CPdfDocument();
    CPdfDocument(const CPdfDocument&) = delete;
    CPdfDocument& operator=(const CPdfDocument&) = delete;

    // Properties
    int SetNumProp(int prop, int value);
    int GetNumProp(int prop, int* value);
    int SetStrProp(int prop, const char* value);
    int GetStrProp(int prop, char* buf, int bufSize);

    // Document and pages
    int BeginDoc();
    int EndDoc();
    int Abort();
    int NewPage();
    int NewSection(const char* title);

    // Drawing
    int MoveTo(int x, int y);
    int LineTo(int x, int y);
    int AddPoint(int x, int y);
    int Polygon();
    int Polyline();
    int Rectangle(int left, int top, int right, int bottom);
    int Ellipse(int left, int top, int right, int bottom);
    int TextOut(int x, int y, const char* text);
    int DrawText(int left, int top, int width, int height, const char* text, int align);
    int TextWidth(const char* text, int* width);
    int TextHeight(const char* text, int* height);
    int DrawFromFile(int x, int y, const char* bmpFile);
    int StretchDrawFromFile(int x, int y, int width, int height, const char* bmpFile);

    // Ends the document after an exception escaped an operation.
    int FailWith(int code, const std::string& message) { return Fail(code, message); }
    const std::string& LastError() const { return m_lastError; }

private:
    enum State { kCreated, kOpen, kDone, kAborted, kFailed };

    struct Section
    {
        size_t firstPage;         // index of the section's first page
        std::string title;
    };

    // Errors
    int Error(int code, const std::string& message);
    int CheckOpen();
    int Fail(int code, const std::string& message);
    void Discard();

    // Output
    int NewObject();
    void BeginObject(int obj);
    void Put(const std::string& s);
    void Put(const char* s);
    bool Flush();
    void WriteStreamObject(int obj, const std::string& dict, const std::string& data);

    // Pages
    void StartPage();
    void FinishPage();
    void MarkDrawn();
    double X(double x) const;
    double Y(double y) const;
    void AppendStroke(std::string& s) const;
    void AppendFill(std::string& s) const;
    void PaintPath(std::string& path, bool closed, bool fillable);
    int EmitText(double x, double baselineY, const std::string& text);
    void SplitLines(const char* text, std::vector<std::string>& lines) const;
    double LineWidth(const std::string& line) const;
    int DrawPicture(int x, int y, int width, int height, bool natural, const char* bmpFile);
    int ProbeTarget();

    std::string m_lastError;
    State m_state = kCreated;
    int m_failCode = PDF_OK;
    std::string m_failMessage;

    // Properties
    std::string m_info[6];           // title, author, subject, keywords, creator, producer
    std::string m_fileName;
    int m_compress = 1;
    int m_pageWidth;
    int m_pageHeight;
    int m_penWidth = 2;
    int m_penColor = 0;
    int m_penStyle = 0;
    int m_brushColor = 0xFFFFFF;
    int m_brushStyle = 1;
    int m_fontSize = 42;
    int m_textColor = 0;

    // Output file
    std::string m_target;            // full path of the target file
    std::string m_tempName;
    HANDLE m_file = INVALID_HANDLE_VALUE;
    std::string m_buffer;
    uint64_t m_written = 0;          // bytes handed to the file
    bool m_ioError = false;
    std::vector<uint64_t> m_offsets; // per object number; 0 = not written yet
    int m_fontObj = 0;

    // Pages
    std::vector<int> m_pageObjs;     // finished pages
    std::vector<Section> m_sections;
    int m_pageObj = 0;               // open page
    int m_contentObj = 0;
    int m_curWidth = 0;
    int m_curHeight = 0;
    bool m_pageDrawn = false;
    bool m_pageUsesFont = false;
    std::vector<int> m_pageImages;
    std::string m_content;
    int m_curX = 0;
    int m_curY = 0;
    std::vector<POINT> m_points;

};
