// appprint.cpp - the application's printer: the DEVMODE and DEVNAMES shared by
// the print dialogs, the default printer, printer DCs and Print Setup.

#include "afxdlgs.h"

namespace
{

// The printer named by DEVNAMES still exists.
BOOL PrinterExists(HGLOBAL hDevNames)
{
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(hDevNames);
    if (pNames == NULL)
        return FALSE;
    HANDLE hPrinter = NULL;
    BOOL bExists = ::OpenPrinterA((LPSTR)pNames + pNames->wDeviceOffset, &hPrinter, NULL);
    if (bExists)
        ::ClosePrinter(hPrinter);
    ::GlobalUnlock(hDevNames);
    return bExists;
}

} // namespace

// A DC of the printer named by DEVNAMES with the settings of DEVMODE; NULL on failure.
HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == NULL)
        return NULL;
    LPDEVNAMES pNames = (LPDEVNAMES)::GlobalLock(hDevNames);
    if (pNames == NULL)
        return NULL;
    LPDEVMODEA pDevMode = hDevMode != NULL ? (LPDEVMODEA)::GlobalLock(hDevMode) : NULL;
    LPCSTR lpszPort = (LPCSTR)pNames + pNames->wOutputOffset;
    HDC hDC = ::CreateDCA((LPCSTR)pNames + pNames->wDriverOffset, (LPCSTR)pNames + pNames->wDeviceOffset,
                          *lpszPort != '\0' ? lpszPort : NULL, pDevMode);
    if (pDevMode != NULL)
        ::GlobalUnlock(hDevMode);
    ::GlobalUnlock(hDevNames);
    return hDC;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld)
{
    if (bFreeOld)
    {
        if (m_hDevNames != NULL && m_hDevNames != hDevNames)
            ::GlobalFree(m_hDevNames);
        if (m_hDevMode != NULL && m_hDevMode != hDevMode)
            ::GlobalFree(m_hDevMode);
    }
    m_hDevNames = (HGLOBAL)hDevNames;
    m_hDevMode = (HGLOBAL)hDevMode;
}

// Keeps the chosen printer while it exists, else takes the default printer (or none when no
// printer is left).
void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    // a chosen printer stays while it exists
    if (!bForceDefaults && m_hDevNames != NULL && PrinterExists(m_hDevNames))
        return;

    CPrintDialog pd(TRUE);
    if (pd.GetDefaults())
    {
        SelectPrinter(pd.m_pd.hDevNames, pd.m_pd.hDevMode);
    }
    else if (m_hDevNames != NULL && !PrinterExists(m_hDevNames))
    {
        // no printer at all any more
        SelectPrinter(NULL, NULL);
    }
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(m_hDevNames == NULL);
    if (m_hDevNames == NULL)
        return FALSE;
    pPrintDlg->hDevNames = m_hDevNames;
    pPrintDlg->hDevMode = m_hDevMode;
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (hDC == NULL)
        return FALSE;
    dc.DeleteDC();
    return dc.Attach(hDC);
}

int CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    int nResponse = (int)pPD->DoModal();

    // the dialog may have replaced (and freed) the handles it was given
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResponse;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog pd(TRUE);
    DoPrintDialog(&pd);
}
