// PubSizeDlg.cpp - the change-of-size dialog.

#include "PubSizeDlg.h"
#include "SizeCatalogue.h"
#include "afxcmn.h"
#include "resources/pubsize_resource.h"

#include <math.h>

namespace
{
const int kUnitInch = 0;
const int kUnitCm = 1;
}

BEGIN_MESSAGE_MAP(CPubSizeDlg, CDialog)
    ON_BN_CLICKED(IDC_PUBSIZE_APPLY_NEW, OnApplyNewSize)
    ON_BN_CLICKED(IDC_PUBSIZE_INTERCHANGE, OnInterchange)
END_MESSAGE_MAP()

CPubSizeDlg::CPubSizeDlg(CWnd* pParent)
    : CDialog(IDD_PUBSIZE, pParent),
      m_nOldWidth(0),
      m_nOldHeight(0),
      m_nNewWidth(0),
      m_nNewHeight(0),
      m_nMode(0)
{
}

int CPubSizeDlg::ToDesignUnits(double fValue, int nUnit)
{
    const double fInches = nUnit == kUnitCm ? fValue / 2.54 : fValue;
    return (int)floor(fInches * 100.0 + 0.5);
}

BOOL CPubSizeDlg::IsInRange(double fValue, int nUnit)
{
    if (nUnit == kUnitCm)
        return fValue >= 0.13 && fValue <= 63.5;
    return fValue >= 0.05 && fValue <= 25.0;
}

void CPubSizeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_PUBSIZE_INTERCHANGE, m_nMode);
}

BOOL CPubSizeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CComboBox* pUnit = (CComboBox*)GetDlgItem(IDC_PUBSIZE_UNIT))
        pUnit->SetCurSel(kUnitInch);
    CString strText;
    strText.Format("%2.2f", m_nOldWidth / 100.0);
    SetDlgItemText(IDC_PUBSIZE_WIDTH, strText);
    strText.Format("%2.2f", m_nOldHeight / 100.0);
    SetDlgItemText(IDC_PUBSIZE_HEIGHT, strText);
    EnableSizeControls(m_nMode == 1);
    return TRUE;
}

void CPubSizeDlg::EnableSizeControls(BOOL bEnable)
{
    const UINT aIDs[] = {IDC_PUBSIZE_WIDTH, IDC_PUBSIZE_HEIGHT, IDC_PUBSIZE_UNIT};
    for (UINT nID : aIDs)
    {
        if (CWnd* pControl = GetDlgItem(nID))
            pControl->EnableWindow(bEnable);
    }
}

void CPubSizeDlg::OnApplyNewSize()
{
    EnableSizeControls(TRUE);
}

void CPubSizeDlg::OnInterchange()
{
    EnableSizeControls(FALSE);
}

// Takes the typed size in inches or centimetres, or the old one turned; a size out of range is refused with
// a message.
void CPubSizeDlg::OnOK()
{
    CString strWidth, strHeight;
    GetDlgItemText(IDC_PUBSIZE_WIDTH, strWidth);
    GetDlgItemText(IDC_PUBSIZE_HEIGHT, strHeight);
    const double fWidth = ReadTypedSize(strWidth);
    const double fHeight = ReadTypedSize(strHeight);

    if (IsDlgButtonChecked(IDC_PUBSIZE_INTERCHANGE))
    {
        m_nNewWidth = m_nOldHeight;
        m_nNewHeight = m_nOldWidth;
        EndDialog(IDOK);
        return;
    }
    CComboBox* pUnit = (CComboBox*)GetDlgItem(IDC_PUBSIZE_UNIT);
    const int nUnit = pUnit != NULL && pUnit->GetCurSel() == kUnitCm ? kUnitCm : kUnitInch;
    if (!IsInRange(fWidth, nUnit) || !IsInRange(fHeight, nUnit))
    {
        AfxMessageBox(IDS_PUBSIZE_RANGE, MB_OK);
        return;
    }
    m_nNewWidth = ToDesignUnits(fWidth, nUnit);
    m_nNewHeight = ToDesignUnits(fHeight, nUnit);
    EndDialog(IDOK);
}
