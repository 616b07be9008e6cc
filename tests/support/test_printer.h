// A printer for tests: Wine's PostScript driver writing to a file.
//
// InstallTestPrinter adds (once per prefix) the driver "Wine PostScript Driver"
// with a small PPD (Letter and A4 at 300 dpi), a printer on port "FILE:" and
// makes it the default printer. A print job needs an output file name
// (DOCINFO::lpszOutput); CountPostScriptPages counts the pages of what it wrote.
#pragma once

#include "afxwin.h"

// The name of the printer, or an empty string when it could not be installed.
CString InstallTestPrinter();
extern const char TEST_PRINTER_NAME[];

// Number of "%%Page:" lines of a PostScript file (-1 when it cannot be read).
int CountPostScriptPages(LPCTSTR lpszPath);
