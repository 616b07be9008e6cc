// PDFGen.h - interface of PDFGen.dll, the PDF writer loaded at run time.
//
// Declares: PDFHANDLE, the property numbers, the result codes and one
// function-pointer type per exported entry point (PFN_<name>), for callers
// that bind the library with LoadLibrary/GetProcAddress.
//
// Notes
// - Exports are undecorated C functions with the names below (x64: one
//   calling convention).  This header declares no functions of those names:
//   several of them (TextOut, DrawText, Rectangle, ...) are also Win32 names.
// - Units: every coordinate, size and width is in tenths of a millimetre.
//   The origin is the top left corner of the page, y grows downwards.
// - Results: entry points returning int give PDF_OK (0) on success and one of
//   the PDF_ERR_ codes on failure, except TextWidth and TextHeight, which
//   return a measure or -1.  GetErrorMsg gives the text of the last failure
//   of the calling thread ("" when its last call succeeded).
// - Strings are in the ANSI code page (1252); text is drawn with the standard
//   font Helvetica in WinAnsiEncoding.
// - Life of a document: CreatePdf, set properties, BeginDoc (opens a
//   temporary file beside the target), draw, NewPage / NewSection, draw, ...,
//   EndDoc (completes the file and renames it onto the target) or Abort
//   (discards it), FreePdf.  The target file is replaced only by a complete
//   PDF; a failed or aborted document leaves no file behind and keeps the
//   file that was at the target before.  After a failure during writing the
//   document is dead: drawing calls and EndDoc return the error.  The same
//   holds when a picture cannot be placed (missing or damaged file, bad size):
//   the document would lack it, so EndDoc writes nothing.
// - Pages take their size from PDF_NUM_PAGEWIDTH/PDF_NUM_PAGEHEIGHT when
//   they start; a change while nothing has been drawn on the current page
//   still applies to it.
// - Sections: NewSection(h, title) starts a new page that begins a section.
//   Page labels restart at 1 with each section, and a non-empty title adds a
//   bookmark to the section's first page.  When nothing has been drawn on
//   the current page yet, that page begins the section instead of a new one.
// - Drawing: lines and outlines use the pen (width, colour, style), filled
//   shapes the brush (colour, style); polygons are filled even-odd.
//   AddPoint collects the points that the next Polygon or Polyline uses.
// - Pictures: uncompressed BMP files with 1, 4, 8 (palette), 16, 24 or 32
//   bits per pixel, bottom-up or top-down.  DrawFromFile places a picture at
//   its own resolution (96 dpi when the file gives none).
#ifndef PDFGEN_H
#define PDFGEN_H

// Document handle; 0 is never a valid handle.
typedef int PDFHANDLE;

// Result codes.
enum
{
    PDF_OK = 0,
    PDF_ERR_HANDLE = 1,     // null or unknown document handle
    PDF_ERR_ARGUMENT = 2,   // bad argument or property value
    PDF_ERR_STATE = 3,      // call not allowed now (e.g. drawing before BeginDoc)
    PDF_ERR_PROPERTY = 4,   // unknown or read-only property
    PDF_ERR_BUFFER = 5,     // buffer too small (GetStrProp)
    PDF_ERR_OPEN = 6,       // picture file missing or unreadable
    PDF_ERR_FORMAT = 7,     // picture file damaged or of an unsupported kind
    PDF_ERR_WRITE = 8,      // the PDF file cannot be created, written or replaced
    PDF_ERR_MEMORY = 9      // out of memory
};

// String properties (SetStrProp / GetStrProp).
enum
{
    PDF_STR_TITLE = 1,      // document information: title
    PDF_STR_AUTHOR = 2,     // author
    PDF_STR_SUBJECT = 3,    // subject
    PDF_STR_KEYWORDS = 4,   // keywords
    PDF_STR_CREATOR = 5,    // creating application
    PDF_STR_FILENAME = 10,  // target file name; fixed once BeginDoc has run
    PDF_STR_PRODUCER = 19   // producer; default "PDFGen"
};

// Numeric properties (SetNumProp / GetNumProp).
enum
{
    PDF_NUM_COMPRESS = 31,    // 1: Flate-compressed streams (default); 0: uncompressed
    PDF_NUM_PAGEHEIGHT = 34,  // page height, 10 to 50800; default 2970
    PDF_NUM_PAGEWIDTH = 36,   // page width, 10 to 50800; default 2100
    PDF_NUM_PENWIDTH = 40,    // 0 (thinnest line) to 10000; default 2
    PDF_NUM_PENCOLOR = 41,    // COLORREF 0x00BBGGRR; default black
    PDF_NUM_PENSTYLE = 42,    // PDF_STYLE_SOLID (default) or PDF_STYLE_NONE
    PDF_NUM_BRUSHCOLOR = 43,  // COLORREF; default white
    PDF_NUM_BRUSHSTYLE = 44,  // PDF_STYLE_SOLID or PDF_STYLE_NONE (default: hollow)
    PDF_NUM_FONTSIZE = 45,    // em height of the font, 1 to 10000; default 42
    PDF_NUM_TEXTCOLOR = 46,   // COLORREF; default black
    PDF_NUM_PAGECOUNT = 50,   // read only: pages begun so far
    PDF_NUM_PAGENUMBER = 51   // read only: number of the current page (1-based), 0 before BeginDoc
};

enum
{
    PDF_STYLE_SOLID = 0,
    PDF_STYLE_NONE = 1
};

// Alignment of DrawText lines.
enum
{
    PDF_ALIGN_LEFT = 0,
    PDF_ALIGN_CENTER = 1,
    PDF_ALIGN_RIGHT = 2
};

// Page size CreatePdf uses for 0 arguments (A4 portrait).
enum
{
    PDF_DEFAULT_PAGEWIDTH = 2100,
    PDF_DEFAULT_PAGEHEIGHT = 2970
};

// Entry points, in the order the program binds them.

// Opens the target's temporary file and starts the first page.
typedef int (*PFN_BeginDoc)(PDFHANDLE h);
// Sets a string property (PDF_STR_).
typedef int (*PFN_SetStrProp)(PDFHANDLE h, int prop, const char* value);
// Copies a string property into buf (NUL-terminated); PDF_ERR_BUFFER, with the
// text cut to fit, when bufSize is too small.
typedef int (*PFN_GetStrProp)(PDFHANDLE h, int prop, char* buf, int bufSize);
// Creates a document; page size for 0 arguments: PDF_DEFAULT_PAGEWIDTH x PDF_DEFAULT_PAGEHEIGHT.
// Returns 0 on failure.
typedef PDFHANDLE (*PFN_CreatePdf)(int pageWidth, int pageHeight);
// Draws text with the top left corner of its first line's cell at (x, y);
// line breaks ("\n", "\r\n") start new lines.
typedef int (*PFN_TextOut)(PDFHANDLE h, int x, int y, const char* text);
// Completes the PDF and moves it onto the target file name.
typedef int (*PFN_EndDoc)(PDFHANDLE h);
// Releases the handle; an unfinished document is discarded as by Abort.
typedef int (*PFN_FreePdf)(PDFHANDLE h);
// Draws a BMP picture at (x, y) at its own resolution.
typedef int (*PFN_DrawFromFile)(PDFHANDLE h, int x, int y, const char* bmpFile);
// Ends the current page and starts a new one.
typedef int (*PFN_NewPage)(PDFHANDLE h);
// Sets the current point.
typedef int (*PFN_MoveTo)(PDFHANDLE h, int x, int y);
// Draws a line with the pen from the current point to (x, y), which becomes current.
typedef int (*PFN_LineTo)(PDFHANDLE h, int x, int y);
// Reads a numeric property (PDF_NUM_) into *value.
typedef int (*PFN_GetNumProp)(PDFHANDLE h, int prop, int* value);
// Sets a numeric property (PDF_NUM_).
typedef int (*PFN_SetNumProp)(PDFHANDLE h, int prop, int value);
// Draws text word-wrapped into a box, aligned per PDF_ALIGN_; lines that do
// not fit the box are left out.  Line breaks ("\n", "\r\n") are kept.
typedef int (*PFN_DrawText)(PDFHANDLE h, int left, int top, int width, int height,
                            const char* text, int align);
// Width of the widest line of text with the current font size, or -1.
typedef int (*PFN_TextWidth)(PDFHANDLE h, const char* text);
// Height of the lines of text (line count x line height), or -1.
typedef int (*PFN_TextHeight)(PDFHANDLE h, const char* text);
// Discards the document: the temporary file is deleted, the target is not touched.
typedef int (*PFN_Abort)(PDFHANDLE h);
// Adds a point for the next Polygon or Polyline.
typedef int (*PFN_AddPoint)(PDFHANDLE h, int x, int y);
// Draws the closed polygon through the added points (at least 3) and clears them.
typedef int (*PFN_Polygon)(PDFHANDLE h);
// Draws a rectangle given by two corners: outline with the pen, inside with the brush.
typedef int (*PFN_Rectangle)(PDFHANDLE h, int left, int top, int right, int bottom);
// Draws the ellipse inside a rectangle given by two corners.
typedef int (*PFN_Ellipse)(PDFHANDLE h, int left, int top, int right, int bottom);
// Draws the open line through the added points (at least 2) and clears them.
typedef int (*PFN_Polyline)(PDFHANDLE h);
// Draws a BMP picture stretched to the rectangle (x, y, width, height).
typedef int (*PFN_StretchDrawFromFile)(PDFHANDLE h, int x, int y, int width, int height,
                                       const char* bmpFile);
// Starts a new section; title (may be null or empty) names its bookmark.
typedef int (*PFN_NewSection)(PDFHANDLE h, const char* title);
// Text of the last failure on the calling thread; valid until the thread's next call.
typedef const char* (*PFN_GetErrorMsg)(void);

#endif // PDFGEN_H
