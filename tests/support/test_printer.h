// A printer for tests: Wine's PostScript driver writing to a file.
//
// InstallTestPrinter adds (once per prefix) the driver "Wine PostScript Driver"
// with a small PPD (Letter and A4 at 300 dpi; 600 and 1200 dpi when a DEVMODE's print
// quality asks for them) and a printer whose port is the file
// TEST_PRINTER_PORT_FILE of the temp folder, and makes it the default printer. A job
// with an output file name (DOCINFO::lpszOutput) goes there, one without to the port
// file; CountPostScriptPages counts the pages of what it wrote.
#pragma once

#include "afxwin.h"

// The name of the printer, or an empty string when it could not be installed.
CString InstallTestPrinter();
extern const char TEST_PRINTER_NAME[];
extern const char TEST_PRINTER_PORT_FILE[];     // in the temp folder

// Number of "%%Page:" lines of a PostScript file (-1 when it cannot be read); its size
// in bytes in *pnBytes when given.
int CountPostScriptPages(LPCTSTR lpszPath, unsigned long* pnBytes = NULL);
