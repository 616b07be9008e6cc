// find_window.cpp - waits for a window of any program whose title holds a text, and
// closes that program's main window as a user would (WM_CLOSE).
//
//     find_window.exe <text> <seconds> [close]
//
// Prints the title found; exits with 0 when found, 1 when not within the time.

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace
{

struct Search
{
    const char* pszText;
    HWND hTopLevel;
    char szTitle[512];
};

BOOL CALLBACK OnChild(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = (Search*)lParam;
    char szTitle[512] = "";
    ::GetWindowTextA(hWnd, szTitle, sizeof szTitle);
    if (strstr(szTitle, pSearch->pszText) == NULL)
        return TRUE;
    strcpy(pSearch->szTitle, szTitle);
    return FALSE;
}

BOOL CALLBACK OnTopLevel(HWND hWnd, LPARAM lParam)
{
    Search* pSearch = (Search*)lParam;
    if (!::IsWindowVisible(hWnd))
        return TRUE;
    // the frame's title, or the title of a document window inside it
    pSearch->szTitle[0] = '\0';
    if (OnChild(hWnd, lParam))
        ::EnumChildWindows(hWnd, OnChild, lParam);
    if (pSearch->szTitle[0] == '\0')
        return TRUE;
    pSearch->hTopLevel = hWnd;
    return FALSE;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3)
    {
        fprintf(stderr, "usage: find_window <text> <seconds> [close]\n");
        return 2;
    }
    Search search = { argv[1], NULL, "" };
    const DWORD dwEnd = ::GetTickCount() + (DWORD)atoi(argv[2]) * 1000;
    while (search.hTopLevel == NULL && (int)(dwEnd - ::GetTickCount()) > 0)
    {
        ::EnumWindows(OnTopLevel, (LPARAM)&search);
        if (search.hTopLevel == NULL)
            ::Sleep(250);
    }
    if (search.hTopLevel == NULL)
    {
        printf("no window with \"%s\" in its title\n", argv[1]);
        return 1;
    }
    printf("window: %s\n", search.szTitle);
    fflush(stdout);
    if (argc > 3 && strcmp(argv[3], "close") == 0)
    {
        DWORD dwProcess = 0;
        ::GetWindowThreadProcessId(search.hTopLevel, &dwProcess);
        ::PostMessageA(search.hTopLevel, WM_CLOSE, 0, 0);
        // until the program has ended
        HANDLE hProcess = ::OpenProcess(SYNCHRONIZE, FALSE, dwProcess);
        if (hProcess != NULL)
        {
            const DWORD dwWait = ::WaitForSingleObject(hProcess, 30000);
            ::CloseHandle(hProcess);
            if (dwWait != WAIT_OBJECT_0)
            {
                printf("the program did not end after WM_CLOSE\n");
                return 1;
            }
        }
    }
    return 0;
}
