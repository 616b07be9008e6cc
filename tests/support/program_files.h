// program_files.h - files of the test programs: whole files read and written, pictures
// of one colour, and the Templates, BackGrounds and tips files beside the program.

#pragma once

#include "afx.h"

#include <string>

// The folder of the running program, without a trailing backslash.
CString ProgramFolder();

// Reads and writes whole files; ReadFileBytes gives "<missing>" when there is no file.
std::string ReadFileBytes(const CString& strPath);
bool WriteFileBytes(const CString& strPath, const std::string& data);
bool FileExists(const CString& strPath);

// A picture file of one colour (ARGB); pszMime "image/bmp", "image/png", ... GDI+ must run.
bool WritePicture(const CString& strPath, DWORD clr, int nWidth, int nHeight, LPCSTR pszMime = "image/bmp");

// Pixel (x, y) of a 24-bit bottom-up BMP file as 0x00RRGGBB, read from the file alone
// (pictures too large to load).
bool BmpPixel(const CString& strPath, int x, int y, DWORD& clr);

// The object (a publication) stored as the file strPath, as the program writes it.
void WriteObjectFile(const CString& strPath, CObject& object);

// Templates, background pictures and the tips file beside the program; removed with
// everything in them at the end.
class CProgramFiles
{
public:
    CProgramFiles();
    ~CProgramFiles();
    CProgramFiles(const CProgramFiles&) = delete;
    CProgramFiles& operator=(const CProgramFiles&) = delete;

    // The publication written as the template file lpszName.
    CString AddTemplate(LPCTSTR lpszName, CObject& doc);
    // A picture of one colour (ARGB) in BackGrounds.
    CString AddBackground(LPCTSTR lpszName, DWORD clr, int nWidth = 40, int nHeight = 20);
    void WriteTips(const std::string& text);

    CString m_strTemplates;
    CString m_strBackgrounds;
    CString m_strTips;
};
