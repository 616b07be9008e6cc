// Helpers of the dialog tests: a host window, captured driver failures and
// small dialog classes shared by the test files.

#pragma once

#include "afxdlgs.h"
#include "test_support.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

// A visible top-level window to own dialogs and host controls.
class CHostWnd : public CWnd
{
public:
    CHostWnd()
    {
        CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                 "Host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 600, 450, NULL, NULL);
    }
    ~CHostWnd() { DestroyWindow(); }
};

// While it lives, failures of the dialog driver are collected here instead of
// failing the test.
class CCaptureFailures
{
public:
    CCaptureFailures();
    ~CCaptureFailures();
    std::vector<std::string> m_failures;
    bool Contains(const char* pszPart) const;

    static CCaptureFailures* s_pCurrent;
private:
    static void AFXAPI Capture(LPCTSTR lpszText);
    CDialogScript::AFX_DIALOG_FAILURE_PROC m_pfnPrevious;
};

// A dialog whose data exchange and initialisation are given by the test.
class CTestDialog : public CDialog
{
public:
    explicit CTestDialog(UINT nIDTemplate, CWnd* pParent = NULL) : CDialog(nIDTemplate, pParent) {}

    std::function<void(CDataExchange*)> m_exchange;
    std::function<BOOL(CTestDialog*)> m_init;     // after the base initialisation
    int m_nInitCount = 0;

    virtual BOOL OnInitDialog() override
    {
        ++m_nInitCount;
        BOOL bResult = CDialog::OnInitDialog();
        return m_init ? m_init(this) : bResult;
    }
    using CDialog::EndDialog;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override
    {
        if (m_exchange)
            m_exchange(pDX);
    }
};

// Text of a control.
CString ControlText(CWnd* pDlg, int nID);
// A temporary file that exists while the object lives.
class CTempFile
{
public:
    explicit CTempFile(LPCTSTR lpszName);
    ~CTempFile();
    CString m_strPath;
    CString m_strFolder;
};
