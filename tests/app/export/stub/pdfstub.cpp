// pdfstub.cpp - a stand-in for the PDF library for the export tests. It logs every call
// it gets and fails where the environment asks:
//   PDFSTUB_LOG   file the calls are appended to, one per line
//   PDFSTUB_FAIL  "create": CreatePdf returns 0; "draw": StretchDrawFromFile fails;
//                 "enddoc": EndDoc writes half a file at the target and fails
// Built once with every entry point and once without NewSection (PDFSTUB_INCOMPLETE).

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

#include <string>

namespace
{
std::string g_strTarget;

std::string Env(const char* pszName)
{
    char szValue[1024];
    const DWORD n = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return (n > 0 && n < sizeof(szValue)) ? std::string(szValue) : std::string();
}

void Log(const char* pszFormat, ...)
{
    const std::string strLog = Env("PDFSTUB_LOG");
    if (strLog.empty())
        return;
    FILE* f = fopen(strLog.c_str(), "ab");
    if (f == NULL)
        return;
    va_list args;
    va_start(args, pszFormat);
    vfprintf(f, pszFormat, args);
    va_end(args);
    fputc('\n', f);
    fclose(f);
}

bool Fails(const char* pszWhat)
{
    return Env("PDFSTUB_FAIL") == pszWhat;
}
} // namespace

extern "C" {

__declspec(dllexport) int BeginDoc(int h) { Log("BeginDoc %d", h); return 0; }
__declspec(dllexport) int SetStrProp(int h, int prop, const char* value)
{
    Log("SetStrProp %d %d %s", h, prop, value != NULL ? value : "(null)");
    if (prop == 10 && value != NULL)
        g_strTarget = value;
    return 0;
}
__declspec(dllexport) int GetStrProp(int, int, char*, int) { return 4; }
__declspec(dllexport) int CreatePdf(int w, int h)
{
    Log("CreatePdf %d %d", w, h);
    return Fails("create") ? 0 : 7;
}
__declspec(dllexport) int TextOut(int, int, int, const char*) { return 0; }
__declspec(dllexport) int EndDoc(int h)
{
    Log("EndDoc %d", h);
    if (Fails("enddoc"))
    {
        FILE* f = fopen(g_strTarget.c_str(), "wb");
        if (f != NULL)
        {
            fputs("%PDF-1.4\n% half", f);
            fclose(f);
        }
        return 8;
    }
    return 0;
}
__declspec(dllexport) int FreePdf(int h) { Log("FreePdf %d", h); return 0; }
__declspec(dllexport) int DrawFromFile(int, int, int, const char*) { return 0; }
__declspec(dllexport) int NewPage(int h) { Log("NewPage %d", h); return 0; }
__declspec(dllexport) int MoveTo(int, int, int) { return 0; }
__declspec(dllexport) int LineTo(int, int, int) { return 0; }
__declspec(dllexport) int GetNumProp(int, int, int* value) { if (value) *value = 0; return 0; }
__declspec(dllexport) int SetNumProp(int h, int prop, int value)
{
    Log("SetNumProp %d %d %d", h, prop, value);
    return 0;
}
__declspec(dllexport) int DrawText(int, int, int, int, int, const char*, int) { return 0; }
__declspec(dllexport) int TextWidth(int, const char*) { return 0; }
__declspec(dllexport) int TextHeight(int, const char*) { return 0; }
__declspec(dllexport) int Abort(int h) { Log("Abort %d", h); return 0; }
__declspec(dllexport) int AddPoint(int, int, int) { return 0; }
__declspec(dllexport) int Polygon(int) { return 0; }
__declspec(dllexport) int Rectangle(int, int, int, int, int) { return 0; }
__declspec(dllexport) int Ellipse(int, int, int, int, int) { return 0; }
__declspec(dllexport) int Polyline(int) { return 0; }
__declspec(dllexport) int StretchDrawFromFile(int h, int x, int y, int w, int hh, const char* file)
{
    // the picture must exist when it is placed
    const bool bExists = file != NULL && GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
    const char* pszName = file != NULL ? strrchr(file, '\\') : NULL;
    Log("StretchDrawFromFile %d %d %d %d %d %s %s", h, x, y, w, hh,
        pszName != NULL ? pszName + 1 : "(null)", bExists ? "exists" : "missing");
    return (Fails("draw") || !bExists) ? 6 : 0;
}
#ifndef PDFSTUB_INCOMPLETE
__declspec(dllexport) int NewSection(int, const char*) { return 0; }
#endif
__declspec(dllexport) const char* GetErrorMsg(void) { return ""; }

}
