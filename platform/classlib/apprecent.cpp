// apprecent.cpp - the recent-file list and the command line.

#include "afxwnd.h"

/////////////////////////////////////////////////////////////////////////////
// CRecentFileList

static const int s_nMaxMRU = 16;

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
{
    if (nSize < 1)
        nSize = 1;
    if (nSize > s_nMaxMRU)
        nSize = s_nMaxMRU;
    m_nSize = nSize;
    m_arrNames = new CString[nSize];
    m_strSectionName = lpszSection;
    m_strEntryFormat = lpszEntryFormat;
    m_nStart = nStart;
    m_nMaxDisplayLength = nMaxDispLen;
}

CRecentFileList::~CRecentFileList()
{
    delete[] m_arrNames;
}

CString& CRecentFileList::operator[](int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        AfxThrowInvalidArgException();
    return m_arrNames[nIndex];
}

// Puts a file at the top of the list, moving it up if it is already there.
void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (lpszPathName == NULL || *lpszPathName == '\0')
        return;
    char szTemp[MAX_PATH * 2];
    if (!AfxFullPath(szTemp, lpszPathName))
        return;

    // an entry already in the list moves to the top
    int iMRU;
    for (iMRU = 0; iMRU < m_nSize - 1; iMRU++)
    {
        if (AfxComparePath(m_arrNames[iMRU], szTemp))
            break;
    }
    for (; iMRU > 0; iMRU--)
        m_arrNames[iMRU] = m_arrNames[iMRU - 1];
    m_arrNames[0] = szTemp;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    m_arrNames[nIndex].Empty();
    int iMRU;
    for (iMRU = nIndex; iMRU < m_nSize - 1; iMRU++)
        m_arrNames[iMRU] = m_arrNames[iMRU + 1];
    m_arrNames[iMRU].Empty();
}

// Shortens a path for a menu to "root\...\name" or the name alone, to fit cchMax characters.
void AFXAPI AfxAbbreviateName(LPTSTR lpszCanon, int cchMax, BOOL bAtLeastName)
{
    int cchFullPath = lstrlenA(lpszCanon);
    if (cchFullPath <= cchMax)
        return;

    // the file name alone
    char* lpszFileName = lpszCanon;
    for (char* lpsz = lpszCanon; *lpsz != '\0'; lpsz = ::CharNextA(lpsz))
    {
        if (*lpsz == '\\' || *lpsz == '/' || *lpsz == ':')
            lpszFileName = ::CharNextA(lpsz);
    }
    int cchFileName = lstrlenA(lpszFileName);
    if (cchMax < cchFileName)
    {
        lstrcpyA(lpszCanon, bAtLeastName ? lpszFileName : "");
        return;
    }

    // the root: "C:\" or "\\server\share\"
    char* lpszCur = lpszCanon;
    if (lpszCur[0] == '\\' && lpszCur[1] == '\\')
    {
        lpszCur += 2;
        for (int nSlashes = 0; *lpszCur != '\0' && nSlashes < 2; lpszCur = ::CharNextA(lpszCur))
        {
            if (*lpszCur == '\\')
                ++nSlashes;
        }
    }
    else
    {
        while (*lpszCur != '\0' && *lpszCur != '\\')
            lpszCur = ::CharNextA(lpszCur);
        if (*lpszCur == '\\')
            ++lpszCur;
    }
    int cchVolName = (int)(lpszCur - lpszCanon);

    // "root\...\name" must fit, else the name alone
    if (cchVolName + 4 + cchFileName > cchMax)
    {
        memmove(lpszCanon, lpszFileName, cchFileName + 1);
        return;
    }

    // drop leading folders after the root until the rest fits
    int cchRest = cchFullPath - cchVolName;
    while (cchVolName + 4 + cchRest > cchMax)
    {
        while (*lpszCur != '\0' && *lpszCur != '\\')
            lpszCur = ::CharNextA(lpszCur);
        if (*lpszCur == '\\')
            ++lpszCur;
        cchRest = lstrlenA(lpszCur);
    }
    char szRest[MAX_PATH * 2];
    lstrcpynA(szRest, lpszCur, (int)sizeof(szRest));
    lstrcpyA(lpszCanon + cchVolName, "...\\");
    lstrcpyA(lpszCanon + cchVolName + 4, szRest);
}

// The text an entry shows in the menu; FALSE for an empty slot.
BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir,
                                     int nCurDir, BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;

    LPCTSTR lpszName = m_arrNames[nIndex];
    int nLenName = lstrlenA(lpszName);
    char* lpch = strName.GetBuffer(nLenName + 1);
    lstrcpynA(lpch, lpszName, nLenName + 1);

    // a file in the current folder shows without its folder
    if (lpszCurDir != NULL && nCurDir > 0 && nCurDir < nLenName &&
        _strnicmp(lpszCurDir, lpch, nCurDir) == 0 && strchr(lpch + nCurDir, '\\') == NULL)
    {
        memmove(lpch, lpch + nCurDir, nLenName - nCurDir + 1);
    }
    else if (m_nMaxDisplayLength != -1)
    {
        AfxAbbreviateName(lpch, m_nMaxDisplayLength, bAtLeastName);
    }
    strName.ReleaseBuffer();
    return TRUE;
}

// Rebuilds the menu items of the list after the placeholder, numbered with mnemonics.
void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_arrNames[0].IsEmpty())
    {
        // no recent files: the placeholder item, disabled
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;

    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
        pMenu->DeleteMenu(pCmdUI->m_nID + iMRU, MF_BYCOMMAND);

    char szCurDir[MAX_PATH + 2];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH)
    {
        szCurDir[0] = '\0';
        nCurDir = 0;
    }
    else if (szCurDir[nCurDir - 1] != '\\')
    {
        szCurDir[nCurDir++] = '\\';
        szCurDir[nCurDir] = '\0';
    }

    CString strName;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        if (!GetDisplayName(strName, iMRU, szCurDir, (int)nCurDir))
            break;

        // '&' would underline the next character
        CString strTemp;
        for (int i = 0; i < strName.GetLength(); i++)
        {
            if (strName[i] == '&')
                strTemp += '&';
            strTemp += strName[i];
        }

        // mnemonics &1 to &9, then 1&0, then plain numbers
        char buf[16];
        int nItem = ((iMRU + (int)m_nStart) % s_nMaxMRU) + 1;
        if (nItem > 10)
            wsprintfA(buf, "%d ", nItem);
        else if (nItem == 10)
            lstrcpyA(buf, "1&0 ");
        else
            wsprintfA(buf, "&%d ", nItem);
        pMenu->InsertMenu(pCmdUI->m_nIndex++, MF_STRING | MF_BYPOSITION, pCmdUI->m_nID++,
                          CString(buf) + strTemp);
    }

    // the update loop continues after the last inserted item
    pCmdUI->m_nIndex--;
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

// Reads the list from the profile, skipping empty and impossible entries.
void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    char szEntry[64];
    int nOut = 0;
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        wsprintfA(szEntry, m_strEntryFormat, iMRU + 1);
        CString strName = pApp->GetProfileString(m_strSectionName, szEntry, "");
        // a name longer than any path is no file of this list
        if (!strName.IsEmpty() && strName.GetLength() < MAX_PATH)
            m_arrNames[nOut++] = strName;    // gaps in the stored list close up
    }
    for (; nOut < m_nSize; nOut++)
        m_arrNames[nOut].Empty();
}

// Writes the list back, replacing the section so removed entries do not linger.
void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    char szEntry[64];
    // the section is written anew
    pApp->WriteProfileString(m_strSectionName, NULL, NULL);
    for (int iMRU = 0; iMRU < m_nSize; iMRU++)
    {
        if (m_arrNames[iMRU].IsEmpty())
            break;
        wsprintfA(szEntry, m_strEntryFormat, iMRU + 1);
        pApp->WriteProfileString(m_strSectionName, szEntry, m_arrNames[iMRU]);
    }
}

/////////////////////////////////////////////////////////////////////////////
// CCommandLineInfo

CCommandLineInfo::CCommandLineInfo()
{
    m_bShowSplash = TRUE;
    m_bRunEmbedded = FALSE;
    m_bRunAutomated = FALSE;
    m_nShellCommand = FileNew;
}

CCommandLineInfo::~CCommandLineInfo()
{
}

void CCommandLineInfo::ParseParam(const TCHAR* pszParam, BOOL bFlag, BOOL bLast)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
    ParseLast(bLast);
}

// Sets the shell command or start mode that a command-line flag asks for.
void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    if (lstrcmpiA(pszParam, "pt") == 0)
        m_nShellCommand = FilePrintTo;
    else if (lstrcmpiA(pszParam, "p") == 0)
        m_nShellCommand = FilePrint;
    else if (lstrcmpiA(pszParam, "Unregister") == 0 || lstrcmpiA(pszParam, "Unregserver") == 0)
        m_nShellCommand = AppUnregister;
    else if (lstrcmpiA(pszParam, "dde") == 0)
    {
        m_bShowSplash = FALSE;
        m_nShellCommand = FileDDE;
    }
    else if (lstrcmpiA(pszParam, "Embedding") == 0)
    {
        m_bShowSplash = FALSE;
        m_bRunEmbedded = TRUE;
    }
    else if (lstrcmpiA(pszParam, "Automation") == 0)
    {
        m_bShowSplash = FALSE;
        m_bRunAutomated = TRUE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const TCHAR* pszParam)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = pszParam;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = pszParam;
}

void CCommandLineInfo::ParseLast(BOOL bLast)
{
    if (bLast)
    {
        if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
            m_nShellCommand = FileOpen;
        m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
    }
}
