// TipDlg.h - CTipOfTheDayDlg, the tip of the day, and the text splitting it uses.

#pragma once

#include "afxwin.h"
#include "LinkLabel.h"

#include <vector>

// Returns the text before the first strDelimiter and leaves the text after it in
// strText; *pbFound is FALSE (the result empty, strText unchanged) when there is none.
CString SplitString(CString& strText, const CString& strDelimiter, BOOL* pbFound);
// Every part of the text between delimiters, the rest after the last one included.
std::vector<CString> SplitAll(CString strText, const CString& strDelimiter);

// CTipOfTheDayDlg shows the tips of "tips.dat" beside the program, one at a time.
class CTipOfTheDayDlg : public CDialog
{
    DECLARE_DYNAMIC(CTipOfTheDayDlg)

public:
    explicit CTipOfTheDayDlg(CWnd* pParent = NULL);
    virtual ~CTipOfTheDayDlg();

    // Operations
    // Reads the tips file; a file that cannot be opened is reported and leaves the list.
    void LoadTips();
    // The path of the tips file.
    static CString GetTipsPath();

    // Member variables
    BOOL m_bShowTip;                    // "Show Tip at Startup", read after the dialog
    CLinkLabel m_lblFrame;              // white panel behind the tip
    CLinkLabel m_lblTip;                // the tip text
    std::vector<CString> m_arrTips;     // in file order
    int m_nTipCount;
    int m_nCurrent;                     // index of the tip shown

protected:
    void ShowCurrentTip();

    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;

    // Message handlers
    afx_msg void OnNextTip();
    afx_msg void OnPrevTip();
    afx_msg void OnShowTipClicked();

    DECLARE_MESSAGE_MAP()
};
