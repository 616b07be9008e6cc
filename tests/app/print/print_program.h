// print_program.h - the running program of the print tests, the test printer, data
// sources and pictures of printed pages.
//
// CPrintProgram is the tests' application harness (tests/support/app) with one
// publication whose wizard was cancelled.

#pragma once

#include "app_program.h"
#include "resources/print_resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CElement;
class CDbText;

#include "test_printer.h"
#include "temp_folder.h"       // the test printer and page counting

// The text each page of a PostScript file shows, glyph by glyph in drawing order (letters,
// digits and blanks; '?' for other glyphs).
std::vector<std::string> PostScriptPageTexts(LPCTSTR lpszPath);

// One page of a PostScript file: the rotation of its page setup (0 upright) and the
// origins (printer pixels) of the filled cells nCellWidth pixels wide, in drawing order.
struct CPostScriptPage
{
    int nRotation;
    std::vector<CPoint> cells;
};
std::vector<CPostScriptPage> PostScriptPages(LPCTSTR lpszPath, int nCellWidth);

// The blank strips at the left and the top of the first page of a PostScript file, inches
// from the sheet's edges to where the filled cell nCellWidth printer pixels wide shows: the
// cell's rectangle cut by the area the page is clipped to.
bool PostScriptBlankStrips(LPCTSTR lpszPath, int nCellWidth, double& fLeft, double& fTop);

// A temporary folder, removed with its contents.
// The print tests' temporary folder.
typedef CTempFolder CPrintFolder;

// A 32-bit white picture that stands in for paper (one pixel a document unit).
class CPaper
{
public:
    CPaper(int nWidth, int nHeight);
    ~CPaper();
    CPaper(const CPaper&) = delete;
    CPaper& operator=(const CPaper&) = delete;
    void Clear(COLORREF clr = RGB(255, 255, 255));
    COLORREF Pixel(int x, int y) const;
    // Pixels of the rectangle (x, y, cx, cy) that differ from the same rectangle of other at (ox, oy).
    int CountDifferences(int x, int y, int cx, int cy, const CPaper& other, int ox, int oy) const;
    // Pixels of the rectangle that are darker than mid grey.
    int CountDark(int x, int y, int cx, int cy) const;

    HBITMAP m_hBitmap;
    DWORD* m_pBits;             // top-down rows, 0x00RRGGBB
    int m_nWidth;
    int m_nHeight;
};

class CPrintProgram : public CAppProgram
{
public:
    CPrintProgram();

    CVarnelDoc* Doc() { return m_pDoc; }
    CVarnelView* View() { return m_pView; }

    // The publication becomes a 30-up address label (2.62 x 1 inch) on light yellow.
    void MakeAddressLabel();
    // A comma-separated source of nRecords records "Name k", "Town k", "k" (k from 1)
    // with the column names Name, Town and Zip, loaded into the document.
    void LoadRecords(int nRecords, const CPrintFolder& folder);
    // A database text bound to lpszColumn with a large black font, added on side nSide.
    CDbText* AddDbText(const CRect& rect, LPCTSTR lpszColumn, int nSide = 1);

    // Renders page nPage of the view's current print settings into the paper, as the
    // print loop does for a device without unprintable margins.
    void RenderPage(CPaper& paper, UINT nPage);
    // Renders the elements of side nSide (0: all) into the paper's top-left cell on the
    // background colour, the database texts added by AddDbText showing texts (in the order
    // added; texts as stored when empty).
    void RenderCell(CPaper& paper, const std::vector<CString>& texts, int nSide = 0);

    CVarnelDoc* m_pDoc;
    CVarnelView* m_pView;
    std::vector<CDbText*> m_dbTexts;    // added by AddDbText
};

// Tests of a 30-up address label (2.62 x 1 inch, light yellow) with a database text of
// column 0, printed on the test printer.
class CAddressLabelTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    CPrintProgram* m_pProgram = NULL;
    CPrintFolder m_folder;
    CMessageBoxRecorder m_boxes;
};

// The script of the print options dialog: OK with the layout the dialog proposes, or
// with rows and columns chosen (1-based; 0 keeps) and the further steps.
CDialogScript::CSteps& ScriptPrintOptions(CDialogScript& script, int nRows = 0, int nColumns = 0);
// The system's Print dialog with "Print to file", then the file's name (lpszOutput NULL:
// the job is not to ask for it).
void ScriptPrintToFile(CDialogScript& script, LPCTSTR lpszOutput);
