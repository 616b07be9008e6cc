// appstr.cpp - the class library's own strings and the string and path helpers.

#include "afxwnd.h"
#include <commdlg.h>

namespace
{

struct CStdString
{
    UINT nID;
    const char* lpszText;
};

// Texts used when the program's resources do not define the id.
const CStdString s_stdStrings[] =
{
    { AFX_IDS_IDLEMESSAGE, "Ready" },
    { AFX_IDS_HELPMODEMESSAGE, "Select an object on which to get Help" },

    { ID_FILE_NEW, "Create a new document\nNew" },
    { ID_FILE_OPEN, "Open an existing document\nOpen" },
    { ID_FILE_CLOSE, "Close the active document\nClose" },
    { ID_FILE_SAVE, "Save the active document\nSave" },
    { ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As" },
    { ID_FILE_PAGE_SETUP, "Change the printing options\nPage Setup" },
    { ID_FILE_PRINT_SETUP, "Change the printer and printing options\nPrint Setup" },
    { ID_FILE_PRINT, "Print the active document\nPrint" },
    { ID_FILE_PRINT_DIRECT, "Print the active document using current options\nQuick Print" },
    { ID_FILE_PRINT_PREVIEW, "Display full pages\nPrint Preview" },
    { ID_APP_ABOUT, "Display program information, version number and copyright\nAbout" },
    { ID_APP_EXIT, "Quit the application; prompts to save documents\nExit" },
    { ID_HELP_INDEX, "Opens Help\nHelp Topics" },
    { ID_HELP_FINDER, "List Help topics\nHelp Topics" },
    { ID_HELP_USING, "Display instructions about how to use help\nHelp" },
    { ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp" },
    { ID_HELP, "Display help for current task or command\nHelp" },
    { ID_NEXT_PANE, "Switch to the next window pane\nNext Pane" },
    { ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane" },
    { ID_WINDOW_NEW, "Open another window for the active document\nNew Window" },
    { ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons" },
    { ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows" },
    { ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows" },
    { ID_WINDOW_TILE_VERT, "Arrange windows as non-overlapping tiles\nTile Windows" },
    { ID_WINDOW_SPLIT, "Split the active window into panes\nSplit" },
    { ID_EDIT_CLEAR, "Erase the selection\nErase" },
    { ID_EDIT_CLEAR_ALL, "Erase everything\nErase All" },
    { ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy" },
    { ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut" },
    { ID_EDIT_FIND, "Find the specified text\nFind" },
    { ID_EDIT_PASTE, "Insert Clipboard contents\nPaste" },
    { ID_EDIT_REPEAT, "Repeat the last action\nRepeat" },
    { ID_EDIT_REPLACE, "Replace specific text with different text\nReplace" },
    { ID_EDIT_SELECT_ALL, "Select the entire document\nSelect All" },
    { ID_EDIT_UNDO, "Undo the last action\nUndo" },
    { ID_EDIT_REDO, "Redo the previously undone action\nRedo" },
    { ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar" },
    { ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar" },

    { ID_INDICATOR_EXT, "EXT" },
    { ID_INDICATOR_CAPS, "CAP" },
    { ID_INDICATOR_NUM, "NUM" },
    { ID_INDICATOR_SCRL, "SCRL" },
    { ID_INDICATOR_OVR, "OVR" },
    { ID_INDICATOR_REC, "REC" },

    { AFX_IDS_SCSIZE, "Change the window size" },
    { AFX_IDS_SCMOVE, "Change the window position" },
    { AFX_IDS_SCMINIMIZE, "Reduce the window to an icon" },
    { AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size" },
    { AFX_IDS_SCNEXTWINDOW, "Switch to the next document window" },
    { AFX_IDS_SCPREVWINDOW, "Switch to the previous document window" },
    { AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents" },
    { AFX_IDS_SCRESTORE, "Restore the window to normal size" },
    { AFX_IDS_SCTASKLIST, "Activate Task List" },
    { AFX_IDS_MDICHILD, "Activate this window" },

    { AFX_IDS_OPENFILE, "Open" },
    { AFX_IDS_SAVEFILE, "Save As" },
    { AFX_IDS_ALLFILTER, "All Files (*.*)" },
    { AFX_IDS_UNTITLED, "Untitled" },
    { AFX_IDS_SAVEFILECOPY, "Save As" },
    { AFX_IDS_PREVIEW_CLOSE, "Close print preview mode\nCancel Preview" },
    { AFX_ID_PREVIEW_CLOSE, "Close print preview mode\nCancel Preview" },
    { AFX_ID_PREVIEW_NUMPAGE, "Switch between one and two page display\nOne Page/Two Page" },
    { AFX_ID_PREVIEW_NEXT, "Go to next page\nNext Page" },
    { AFX_ID_PREVIEW_PREV, "Go to previous page\nPrevious Page" },
    { AFX_ID_PREVIEW_PRINT, "Print the previewed item\nPrint" },
    { AFX_ID_PREVIEW_ZOOMIN, "Increase magnification of preview page\nZoom In" },
    { AFX_ID_PREVIEW_ZOOMOUT, "Decrease magnification of preview page\nZoom Out" },
    { AFX_IDS_UNNAMED_FILE, "an unnamed file" },
    { AFX_IDS_HIDE, "&Hide" },
    { AFX_IDS_PRINTONPORT, "on %1" },
    { AFX_IDS_ONEPAGE, "&One Page" },
    { AFX_IDS_TWOPAGE, "&Two Page" },
    { AFX_IDS_PRINTPAGENUM, "Page %u" },
    { AFX_IDS_PREVIEWPAGEDESC, "Page %u\nPages %u-%u\n" },
    { AFX_IDS_PRINTDEFAULTEXT, "prn" },
    { AFX_IDS_PRINTDEFAULT, "Output.prn" },
    { AFX_IDS_PRINTFILTER, "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||" },
    { AFX_IDS_PRINTCAPTION, "Print to File" },
    { AFX_IDS_PRINTTOFILE, "to %1" },

    { AFX_IDP_INVALID_FILENAME, "Invalid filename." },
    { AFX_IDP_FAILED_TO_OPEN_DOC, "Failed to open document." },
    { AFX_IDP_FAILED_TO_SAVE_DOC, "Failed to save document." },
    { AFX_IDP_ASK_TO_SAVE, "Save changes to %1?" },
    { AFX_IDP_FAILED_TO_CREATE_DOC, "Failed to create empty document." },
    { AFX_IDP_FILE_TOO_LARGE, "The file is too large to open." },
    { AFX_IDP_FAILED_TO_START_PRINT, "Could not start print job." },
    { AFX_IDP_FAILED_TO_PRINT, "The document could not be printed completely." },
    { AFX_IDP_FAILED_TO_LAUNCH_HELP, "Failed to launch help." },
    { AFX_IDP_INTERNAL_FAILURE, "Internal application error." },
    { AFX_IDP_COMMAND_FAILURE, "Command failed." },
    { AFX_IDP_FAILED_MEMORY_ALLOC, "Insufficient memory to perform operation." },
    { AFX_IDP_PARSE_INT, "Please enter an integer." },
    { AFX_IDP_PARSE_REAL, "Please enter a number." },
    { AFX_IDP_PARSE_INT_RANGE, "Please enter an integer between %1 and %2." },
    { AFX_IDP_PARSE_REAL_RANGE, "Please enter a number between %1 and %2." },
    { AFX_IDP_PARSE_STRING_SIZE, "Please enter no more than %1 characters." },
    { AFX_IDP_PARSE_RADIO_BUTTON, "Please select a button." },
    { AFX_IDP_PARSE_BYTE, "Please enter an integer between 0 and 255." },
    { AFX_IDP_PARSE_UINT, "Please enter a positive integer." },
    { AFX_IDP_FAILED_INVALID_FORMAT, "Unexpected file format." },
    { AFX_IDP_FAILED_INVALID_PATH, "%1\nCannot find this file.\nPlease verify that the correct path and file name are given." },
    { AFX_IDP_FAILED_DISK_FULL, "Destination disk drive is full." },
    { AFX_IDP_FAILED_ACCESS_READ, "Unable to read from %1, it is opened by someone else." },
    { AFX_IDP_FAILED_ACCESS_WRITE, "Unable to write to %1, it is read-only or opened by someone else." },
    { AFX_IDP_FAILED_IO_ERROR_READ, "An unexpected error occurred while reading %1." },
    { AFX_IDP_FAILED_IO_ERROR_WRITE, "An unexpected error occurred while writing %1." },
};

const char* FindStdString(UINT nID)
{
    // the recent-file entries share one prompt
    if (nID >= ID_FILE_MRU_FIRST && nID <= ID_FILE_MRU_LAST)
        return "Open this document";
    for (const CStdString& s : s_stdStrings)
    {
        if (s.nID == nID)
            return s.lpszText;
    }
    return NULL;
}

} // namespace

// Loads a string resource, falling back to the library's built-in texts; 0 (and an empty buffer) if none.
int AFXAPI AfxLoadString(UINT nID, LPTSTR lpszBuf, UINT nMaxBuf)
{
    if (lpszBuf == NULL || nMaxBuf == 0)
        return 0;
    int nLen = ::LoadStringA(AfxFindStringResourceHandle(nID), nID, lpszBuf, (int)nMaxBuf);
    if (nLen > 0)
        return nLen;
    const char* lpszStd = FindStdString(nID);
    if (lpszStd == NULL)
    {
        lpszBuf[0] = '\0';
        return 0;
    }
    lstrcpynA(lpszBuf, lpszStd, (int)nMaxBuf);
    return lstrlenA(lpszBuf);
}

BOOL AFXAPI AfxLoadString(UINT nID, CString& rString)
{
    rString.Empty();
    if (rString.LoadString(nID))
        return TRUE;
    const char* lpszStd = FindStdString(nID);
    if (lpszStd == NULL)
        return FALSE;
    rString = lpszStd;
    return TRUE;
}

// Puts the strings in for "%1" to "%9" of a message; a missing one leaves nothing.
void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    // "%1" to "%9" take the strings; other text is copied
    CString strResult;
    for (LPCTSTR p = lpszFormat; *p != '\0'; ++p)
    {
        if (p[0] == '%' && p[1] >= '1' && p[1] <= '9')
        {
            int i = p[1] - '1';
            if (i < nString && rglpsz[i] != NULL)
                strResult += rglpsz[i];
            ++p;
        }
        else
        {
            strResult += *p;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat;
    AfxLoadString(nIDS, strFormat);
    AfxFormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat;
    AfxLoadString(nIDS, strFormat);
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, strFormat, rglpsz, 2);
}

// The iSubString-th field of a separated list; FALSE when the list has fewer fields.
BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    if (lpszFullString == NULL)
        return FALSE;
    while (iSubString--)
    {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        lpszFullString++;
    }
    LPCTSTR lpchEnd = strchr(lpszFullString, chSep);
    int nLen = lpchEnd == NULL ? lstrlenA(lpszFullString) : (int)(lpchEnd - lpszFullString);
    rString = CString(lpszFullString, nLen);
    return TRUE;
}

BOOL AFXAPI AfxFullPath(LPTSTR lpszPathOut, LPCTSTR lpszFileIn)
{
    LPSTR lpszFilePart;
    DWORD dwRet = ::GetFullPathNameA(lpszFileIn, MAX_PATH, lpszPathOut, &lpszFilePart);
    if (dwRet == 0 || dwRet >= MAX_PATH)
    {
        lstrcpynA(lpszPathOut, lpszFileIn, MAX_PATH);
        return FALSE;
    }
    return TRUE;
}

UINT AFXAPI AfxGetFileName(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax)
{
    // the text after the last '\', '/' or ':'
    LPCTSTR lpszTemp = lpszPathName;
    for (LPCTSTR lpsz = lpszPathName; *lpsz != '\0'; lpsz = ::CharNextA(lpsz))
    {
        if (*lpsz == '\\' || *lpsz == '/' || *lpsz == ':')
            lpszTemp = ::CharNextA(lpsz);
    }
    if (lpszTitle == NULL)
        return (UINT)lstrlenA(lpszTemp) + 1;
    lstrcpynA(lpszTitle, lpszTemp, (int)nMax);
    return 0;
}

UINT AFXAPI AfxGetFileTitle(LPCTSTR lpszPathName, LPTSTR lpszTitle, UINT nMax)
{
    // the shell's title (it may hide known extensions), else the file name
    UINT nResult = (UINT)::GetFileTitleA(lpszPathName, lpszTitle, (WORD)nMax);
    if (nResult == 0)
        return 0;
    return AfxGetFileName(lpszPathName, lpszTitle, nMax);
}

BOOL AFXAPI AfxComparePath(LPCTSTR lpszPath1, LPCTSTR lpszPath2)
{
    return lstrcmpiA(lpszPath1, lpszPath2) == 0;
}
