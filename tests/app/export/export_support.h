// export_support.h - the running program, designs and file checks of the export tests.

#pragma once

#include "app_program.h"
#include "temp_folder.h"
#include "resources/wizard_resource.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string>
#include <vector>

// A picture read back from a file, as 24-bit RGB.
struct CPicture
{
    int nWidth = 0;
    int nHeight = 0;
    std::vector<BYTE> rgb;          // top-down rows, R G B
    bool Load(const CString& strPath);
    // 0x00RRGGBB of a pixel
    DWORD At(int x, int y) const;
};

// TRUE when two colours (0x00RRGGBB) differ by at most nTolerance in every channel.
bool NearColor(DWORD clrA, DWORD clrB, int nTolerance);
std::string ColorText(DWORD clr);

// Runs a shell command line on the Linux side and waits; its exit code, -1 when it
// could not start.
int RunUnixCommand(const std::string& strCommand);
// The Linux path of a Windows path.
std::string UnixPath(const CString& strPath);

// pdfinfo's output for a PDF (empty when it failed).
std::string PdfInfo(const CString& strPdf);
// Page nPage of a PDF rendered by pdftoppm at nDpi; FALSE when it failed.
bool RenderPdfPage(const CString& strPdf, int nPage, int nDpi, CPicture& picture);

// Files of a folder whose names start with a prefix.
std::vector<std::string> FilesStartingWith(const CString& strFolder, const CString& strPrefix);

// A design of 400 x 200 on the given publication type: white front, green back, a red
// rectangle (100,50)-(200,150) on side 1, a blue rectangle (250,50)-(350,150) on side 2.
void BuildTestDesign(CVarnelDoc& doc, int nPublicationType);
