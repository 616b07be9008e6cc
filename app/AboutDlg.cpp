// AboutDlg.cpp - the about box.

#include "AboutDlg.h"
#include "resources/resource.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

CAboutDlg::CAboutDlg()
    : CDialog(IDD_ABOUTBOX)
{
}

CAboutDlg::~CAboutDlg()
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ABOUT_COMPANY, m_lblCompany);
    DDX_Control(pDX, IDC_ABOUT_PRODUCT, m_lblProduct);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_lblVersion);
    DDX_Control(pDX, IDC_ABOUT_LINK, m_lblLink);
    DDX_Control(pDX, IDC_ABOUT_NOTICE, m_lblNotice);
}

// Styles the labels: the names in bold, the maker's web page as a link that opens it.
BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // the names in a face that has a bold style wherever the program runs
    m_lblCompany.SetTextColor(RGB(64, 128, 255)).SetFontName("Arial", ANSI_CHARSET).SetFontBold(TRUE).SetFontSize(10);
    m_lblProduct.SetTextColor(RGB(0, 0, 0)).SetFontName("Arial", ANSI_CHARSET).SetFontBold(TRUE).SetFontSize(11);
    m_lblVersion.SetTextColor(RGB(64, 64, 64)).SetFontSize(10);
    m_lblLink.SetLink(TRUE, FALSE)
        .SetLinkTarget(MAKER_WEB_PAGE)
        .SetTextColor(RGB(0, 0, 255))
        .SetFontUnderline(TRUE)
        .SetFontSize(9)
        .SetLinkCursor(AfxGetApp() != NULL ? AfxGetApp()->LoadCursor(IDC_LINK_HAND) : NULL);
    m_lblNotice.SetTextColor(RGB(0, 0, 0)).SetFontName("Arial", 0).SetFontSize(8);
    return TRUE;
}
