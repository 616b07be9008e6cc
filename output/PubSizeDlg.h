// PubSizeDlg.h - CPubSizeDlg, "Change Publication Size": width and height interchanged, or
// a new size typed in inches or centimetres.

#pragma once

#include "afxwin.h"
#include "afxdlgs.h"

class CPubSizeDlg : public CDialog
{
public:
    explicit CPubSizeDlg(CWnd* pParent = NULL);

    // Hundredths of an inch, nearest to a value typed in the unit (0 inch, 1 cm).
    static int ToDesignUnits(double fValue, int nUnit);
    // Whether a typed value lies within 0.05 to 25 inches (0.13 to 63.5 cm).
    static BOOL IsInRange(double fValue, int nUnit);

    int m_nOldWidth;            // hundredths of an inch, set before DoModal
    int m_nOldHeight;
    int m_nNewWidth;            // the result after IDOK
    int m_nNewHeight;
    int m_nMode;                // 0 interchange, 1 new size

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
    virtual void OnOK() override;
    afx_msg void OnApplyNewSize();
    afx_msg void OnInterchange();

    void EnableSizeControls(BOOL bEnable);

    DECLARE_MESSAGE_MAP()
};
