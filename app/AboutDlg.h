// AboutDlg.h - CAboutDlg, the about box.

#pragma once

#include "afxwin.h"
#include "LinkLabel.h"

// The maker's web page, opened by the about box's link.
#define MAKER_WEB_PAGE "http://www.quorvane.example/"

// CAboutDlg shows the company, product, version, a legal notice and the maker's link.
class CAboutDlg : public CDialog
{
    DECLARE_DYNAMIC(CAboutDlg)

public:
    CAboutDlg();
    virtual ~CAboutDlg();

    // Member variables
    CLinkLabel m_lblCompany;
    CLinkLabel m_lblProduct;
    CLinkLabel m_lblVersion;
    CLinkLabel m_lblLink;
    CLinkLabel m_lblNotice;

protected:
    virtual void DoDataExchange(CDataExchange* pDX) override;
    virtual BOOL OnInitDialog() override;
};
