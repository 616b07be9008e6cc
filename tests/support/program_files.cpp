// program_files.cpp - files of the test programs.

#include "program_files.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <gdiplus.h>

#include <vector>

using namespace Gdiplus;

namespace
{

bool EncoderOf(LPCSTR pszMime, CLSID& clsid)
{
    UINT nCount = 0, nSize = 0;
    GetImageEncodersSize(&nCount, &nSize);
    std::vector<BYTE> buffer(nSize);
    ImageCodecInfo* pCodecs = (ImageCodecInfo*)buffer.data();
    GetImageEncoders(nCount, nSize, pCodecs);
    WCHAR szMime[64];
    ::MultiByteToWideChar(CP_ACP, 0, pszMime, -1, szMime, 64);
    for (UINT i = 0; i < nCount; i++)
    {
        if (wcscmp(pCodecs[i].MimeType, szMime) == 0)
        {
            clsid = pCodecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

CString ProgramFolder()
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strFolder(szPath);
    return strFolder.Left(strFolder.ReverseFind('\\'));
}

std::string ReadFileBytes(const CString& strPath)
{
    std::string data;
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buf[65536];
    DWORD nRead = 0;
    while (::ReadFile(h, buf, sizeof(buf), &nRead, NULL) && nRead > 0)
        data.append(buf, nRead);
    ::CloseHandle(h);
    return data;
}

bool WriteFileBytes(const CString& strPath, const std::string& data)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD nWritten = 0;
    const BOOL bOk = ::WriteFile(h, data.data(), (DWORD)data.size(), &nWritten, NULL);
    ::CloseHandle(h);
    return bOk && nWritten == data.size();
}

bool FileExists(const CString& strPath)
{
    const DWORD dw = ::GetFileAttributesA(strPath);
    return dw != INVALID_FILE_ATTRIBUTES && !(dw & FILE_ATTRIBUTE_DIRECTORY);
}

bool WritePicture(const CString& strPath, DWORD clr, int nWidth, int nHeight, LPCSTR pszMime)
{
    Bitmap picture(nWidth, nHeight, PixelFormat32bppARGB);
    {
        Graphics graphics(&picture);
        graphics.Clear(Color(clr));
    }
    CLSID clsid;
    if (!EncoderOf(pszMime, clsid))
        return false;
    WCHAR szPath[MAX_PATH];
    ::MultiByteToWideChar(CP_ACP, 0, strPath, -1, szPath, MAX_PATH);
    return picture.Save(szPath, &clsid, NULL) == Ok;
}

void WriteObjectFile(const CString& strPath, CObject& object)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    CArchive ar(&file, CArchive::store);
    object.Serialize(ar);
    ar.Close();
    file.Close();
}

/////////////////////////////////////////////////////////////////////////////
// CProgramFiles

CProgramFiles::CProgramFiles()
{
    m_strTemplates = ProgramFolder() + "\\Templates";
    m_strBackgrounds = ProgramFolder() + "\\BackGrounds";
    m_strTips = ProgramFolder() + "\\tips.dat";
    ::CreateDirectoryA(m_strTemplates, NULL);
    ::CreateDirectoryA(m_strBackgrounds, NULL);
}

CProgramFiles::~CProgramFiles()
{
    RemoveFolderTree(m_strTemplates);
    RemoveFolderTree(m_strBackgrounds);
    ::DeleteFileA(m_strTips);
}

CString CProgramFiles::AddTemplate(LPCTSTR lpszName, CObject& doc)
{
    const CString strPath = m_strTemplates + "\\" + lpszName;
    WriteObjectFile(strPath, doc);
    return strPath;
}

CString CProgramFiles::AddBackground(LPCTSTR lpszName, DWORD clr, int nWidth, int nHeight)
{
    const CString strPath = m_strBackgrounds + "\\" + lpszName;
    EXPECT_TRUE(WritePicture(strPath, clr, nWidth, nHeight)) << (LPCTSTR)strPath;
    return strPath;
}

void CProgramFiles::WriteTips(const std::string& text)
{
    EXPECT_TRUE(WriteFileBytes(m_strTips, text));
}

bool BmpPixel(const CString& strPath, int x, int y, DWORD& clr)
{
    HANDLE h = ::CreateFileA(strPath, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    DWORD n = 0;
    bool bOk = ::ReadFile(h, &file, sizeof(file), &n, NULL) && n == sizeof(file)
               && ::ReadFile(h, &info, sizeof(info), &n, NULL) && n == sizeof(info) && info.biBitCount == 24
               && info.biHeight > 0 && x < info.biWidth && y < info.biHeight;
    if (bOk)
    {
        const LONGLONG nStride = ((LONGLONG)info.biWidth * 3 + 3) & ~3LL;
        LARGE_INTEGER pos;
        pos.QuadPart = file.bfOffBits + (LONGLONG)(info.biHeight - 1 - y) * nStride + (LONGLONG)x * 3;
        BYTE bgr[3] = {};
        bOk = ::SetFilePointerEx(h, pos, NULL, FILE_BEGIN) && ::ReadFile(h, bgr, 3, &n, NULL) && n == 3;
        clr = ((DWORD)bgr[2] << 16) | ((DWORD)bgr[1] << 8) | bgr[0];
    }
    ::CloseHandle(h);
    return bOk;
}
