// TipDlg.cpp - the tip of the day.

#include "TipDlg.h"
#include "VarnelApp.h"
#include "model/FileLimits.h"
#include "resources/resource.h"

#include <stdio.h>
#include <stdlib.h>
#include <time.h>

IMPLEMENT_DYNAMIC(CTipOfTheDayDlg, CDialog)

BEGIN_MESSAGE_MAP(CTipOfTheDayDlg, CDialog)
    ON_BN_CLICKED(IDC_TIP_NEXT, OnNextTip)
    ON_BN_CLICKED(IDC_TIP_PREVIOUS, OnPrevTip)
    ON_BN_CLICKED(IDC_TIP_SHOWATSTARTUP, OnShowTipClicked)
END_MESSAGE_MAP()

namespace
{
const char kTipsDelimiter[] = "::";
}

CString SplitString(CString& strText, const CString& strDelimiter, BOOL* pbFound)
{
    const int nAt = strDelimiter.IsEmpty() ? -1 : strText.Find(strDelimiter);
    if (pbFound != NULL)
        *pbFound = nAt >= 0;
    if (nAt < 0)
        return CString();
    const CString strPart = strText.Left(nAt);
    strText = strText.Mid(nAt + strDelimiter.GetLength());
    return strPart;
}

std::vector<CString> SplitAll(CString strText, const CString& strDelimiter)
{
    std::vector<CString> parts;
    for (;;)
    {
        BOOL bFound = FALSE;
        CString strPart = SplitString(strText, strDelimiter, &bFound);
        if (!bFound)
            break;
        parts.push_back(strPart);
    }
    parts.push_back(strText);
    return parts;
}

CTipOfTheDayDlg::CTipOfTheDayDlg(CWnd* pParent)
    : CDialog(IDD_TIPOFTHEDAY, pParent),
      m_bShowTip(FALSE),
      m_nTipCount(0),
      m_nCurrent(0)
{
}

CTipOfTheDayDlg::~CTipOfTheDayDlg()
{
}

CString CTipOfTheDayDlg::GetTipsPath()
{
    return CVarnelApp::GetProgramFolder() + "\\tips.dat";
}

void CTipOfTheDayDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TIP_FRAME, m_lblFrame);
    DDX_Control(pDX, IDC_TIP_TEXT, m_lblTip);
}

// Opens on a random tip with the start-up box ticked; without tips the paging buttons are disabled.
BOOL CTipOfTheDayDlg::OnInitDialog()
{
    try
    {
        CDialog::OnInitDialog();
        m_nCurrent = 0;
        m_lblFrame.SetBkColor(RGB(255, 255, 255));
        m_lblFrame.SetText(" ");
        m_lblTip.SetBkColor(RGB(255, 255, 255));
        CheckDlgButton(IDC_TIP_SHOWATSTARTUP, BST_CHECKED);
        m_bShowTip = TRUE;
        LoadTips();
        srand((unsigned)time(NULL));
        if (m_nTipCount > 0)
        {
            m_nCurrent = rand() % m_nTipCount;
            ShowCurrentTip();
        }
        else
        {
            // the resource text says there are no tips; there is nothing to page through
            if (CWnd* pNext = GetDlgItem(IDC_TIP_NEXT))
                pNext->EnableWindow(FALSE);
            if (CWnd* pPrevious = GetDlgItem(IDC_TIP_PREVIOUS))
                pPrevious->EnableWindow(FALSE);
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return TRUE;
}

// The whole file, cut at every "::", gives the tips; nothing is trimmed. An empty file
// gives none, and a file larger than any tips file is refused unread.
void CTipOfTheDayDlg::LoadTips()
{
    try
    {
        const CString strPath = GetTipsPath();
        FILE* pFile = fopen(strPath, "rb");
        if (pFile == NULL)
        {
            AfxMessageBox(IDS_TIPS_CANNOT_OPEN);
            return;
        }
        struct CCloseFile
        {
            FILE*& m_pFile;
            ~CCloseFile()
            {
                if (m_pFile != NULL)
                    fclose(m_pFile);
            }
        } closeFile{ pFile };

        __int64 nLength = -1;
        if (_fseeki64(pFile, 0, SEEK_END) == 0)
            nLength = _ftelli64(pFile);
        if (nLength < 0 || _fseeki64(pFile, 0, SEEK_SET) != 0)
            return;
        if ((ULONGLONG)nLength > MAX_TIPS_FILE_BYTES)
        {
            AfxMessageBox(FileTooLargeMessage(strPath, MAX_TIPS_FILE_BYTES), MB_ICONEXCLAMATION);
            return;
        }
        CString strText;
        if (nLength > 0)
        {
            char* pBuffer = strText.GetBuffer((int)nLength + 1);
            const BOOL bRead = fread(pBuffer, 1, (size_t)nLength, pFile) == (size_t)nLength;
            pBuffer[bRead ? nLength : 0] = '\0';
            strText.ReleaseBuffer(bRead ? (int)nLength : 0);
            if (!bRead)
                return;
        }
        fclose(pFile);
        pFile = NULL;
        if (strText.IsEmpty())
            m_arrTips.clear();
        else
            m_arrTips = SplitAll(strText, kTipsDelimiter);
        m_nTipCount = (int)m_arrTips.size();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
}

void CTipOfTheDayDlg::ShowCurrentTip()
{
    if (m_nCurrent >= 0 && m_nCurrent < m_nTipCount)
        m_lblTip.SetText(m_arrTips[m_nCurrent]);
}

void CTipOfTheDayDlg::OnNextTip()
{
    if (m_nTipCount == 0)
        return;
    m_nCurrent = m_nCurrent + 1 >= m_nTipCount ? 0 : m_nCurrent + 1;
    ShowCurrentTip();
}

void CTipOfTheDayDlg::OnPrevTip()
{
    if (m_nTipCount == 0)
        return;
    m_nCurrent = m_nCurrent - 1 < 0 ? m_nTipCount - 1 : m_nCurrent - 1;
    ShowCurrentTip();
}

void CTipOfTheDayDlg::OnShowTipClicked()
{
    m_bShowTip = IsDlgButtonChecked(IDC_TIP_SHOWATSTARTUP) == BST_CHECKED;
}
