// ddxcore.cpp - dialog data exchange and validation.

#include "afxdlgs.h"
#include <float.h>
#include <math.h>
#include <errno.h>

/////////////////////////////////////////////////////////////////////////////
// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
{
    m_bSaveAndValidate = bSaveAndValidate;
    m_pDlgWnd = pDlgWnd;
    m_idLastControl = 0;
    m_bEditLastControl = FALSE;
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = NULL;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();    // the dialog has no such control
    m_idLastControl = nIDC;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

// Ends a failed validation: focuses (and selects) the field at fault and aborts the exchange.
void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_idLastControl != 0)
    {
        // back to the offending field
        HWND hWndLastControl = NULL;
        m_pDlgWnd->GetDlgItem(m_idLastControl, &hWndLastControl);
        if (hWndLastControl != NULL)
        {
            ::SetFocus(hWndLastControl);
            if (m_bEditLastControl)
                ::SendMessageA(hWndLastControl, EM_SETSEL, 0, -1);
        }
    }
    AfxThrowUserException();
}

/////////////////////////////////////////////////////////////////////////////
// CWnd::UpdateData

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == NULL)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);

    // control notifications caused by the exchange are not for the dialog
    _AFX_THREAD_STATE* pThreadState = AfxGetThreadState();
    HWND hWndOldLockout = pThreadState->m_hLockoutNotifyWindow;
    pThreadState->m_hLockoutNotifyWindow = m_hWnd;

    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        // a validation failed; the user has been told
        e->Delete();
    }
    catch (...)
    {
        pThreadState->m_hLockoutNotifyWindow = hWndOldLockout;
        throw;
    }
    pThreadState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

/////////////////////////////////////////////////////////////////////////////
// Text conversion helpers

namespace
{

CString GetControlText(HWND hWndCtrl)
{
    CString strText;
    int nLen = ::GetWindowTextLengthA(hWndCtrl);
    if (nLen > 0)
    {
        ::GetWindowTextA(hWndCtrl, strText.GetBuffer(nLen), nLen + 1);
        strText.ReleaseBuffer();
    }
    return strText;
}

[[noreturn]] void FailWithMessage(CDataExchange* pDX, UINT nIDPrompt)
{
    // the class library's own text when the program has none of that id
    CString strPrompt;
    AfxLoadString(nIDPrompt, strPrompt);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

[[noreturn]] void FailRange(CDataExchange* pDX, UINT nIDPrompt, LPCTSTR lpszMin, LPCTSTR lpszMax)
{
    CString strPrompt;
    AfxFormatString2(strPrompt, nIDPrompt, lpszMin, lpszMax);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n';
}

// Whole-text integer: blanks around, an optional sign (none when !bSigned), digits.
bool ParseInteger(LPCTSTR lpsz, bool bSigned, LONGLONG nMin, ULONGLONG nMax, LONGLONG* pnSigned,
                  ULONGLONG* pnUnsigned)
{
    while (IsBlank(*lpsz))
        ++lpsz;
    bool bNegative = false;
    if (*lpsz == '+' || *lpsz == '-')
    {
        bNegative = *lpsz == '-';
        if (bNegative && !bSigned)
            return false;
        ++lpsz;
    }
    if (*lpsz < '0' || *lpsz > '9')
        return false;
    ULONGLONG nValue = 0;
    while (*lpsz >= '0' && *lpsz <= '9')
    {
        unsigned nDigit = (unsigned)(*lpsz - '0');
        if (nValue > (ULLONG_MAX - nDigit) / 10)
            return false;
        nValue = nValue * 10 + nDigit;
        ++lpsz;
    }
    while (IsBlank(*lpsz))
        ++lpsz;
    if (*lpsz != '\0')
        return false;

    if (bNegative)
    {
        // nMin is negative here; compare magnitudes
        if (nValue > (ULONGLONG)(-(nMin + 1)) + 1)
            return false;
        if (pnSigned != NULL)
            *pnSigned = nValue == 0 ? 0 : -(LONGLONG)(nValue - 1) - 1;
        return true;
    }
    if (nValue > nMax)
        return false;
    if (pnSigned != NULL)
        *pnSigned = (LONGLONG)nValue;
    if (pnUnsigned != NULL)
        *pnUnsigned = nValue;
    return true;
}

// Whole-text decimal number: [sign] digits [. digits] [e [sign] digits], blanks around.
bool ParseReal(LPCTSTR lpsz, double* pValue)
{
    while (IsBlank(*lpsz))
        ++lpsz;
    LPCTSTR lpszStart = lpsz;
    if (*lpsz == '+' || *lpsz == '-')
        ++lpsz;
    int nDigits = 0;
    while (*lpsz >= '0' && *lpsz <= '9')
        ++lpsz, ++nDigits;
    if (*lpsz == '.')
    {
        ++lpsz;
        while (*lpsz >= '0' && *lpsz <= '9')
            ++lpsz, ++nDigits;
    }
    if (nDigits == 0)
        return false;
    if (*lpsz == 'e' || *lpsz == 'E')
    {
        ++lpsz;
        if (*lpsz == '+' || *lpsz == '-')
            ++lpsz;
        if (*lpsz < '0' || *lpsz > '9')
            return false;
        while (*lpsz >= '0' && *lpsz <= '9')
            ++lpsz;
    }
    LPCTSTR lpszEnd = lpsz;
    while (IsBlank(*lpsz))
        ++lpsz;
    if (*lpsz != '\0')
        return false;

    CString strNumber(lpszStart, (int)(lpszEnd - lpszStart));
    errno = 0;
    double d = strtod(strNumber, NULL);
    if (errno == ERANGE && (d == HUGE_VAL || d == -HUGE_VAL))
        return false;
    if (!isfinite(d))
        return false;
    *pValue = d;
    return true;
}

// Exchanges a signed integer with an edit control, refusing text that is no number in range.
template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, LONGLONG nMin, LONGLONG nMax,
                    UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        LONGLONG n = 0;
        if (!ParseInteger(GetControlText(hWndCtrl), true, nMin, (ULONGLONG)nMax, &n, NULL))
            FailWithMessage(pDX, nIDPrompt);
        value = (T)n;
    }
    else
    {
        CString strText;
        strText.Format("%I64d", (LONGLONG)value);
        AfxSetWindowText(hWndCtrl, strText);
    }
}

// Exchanges an unsigned integer with an edit control, refusing text that is no number in range.
template <class T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, ULONGLONG nMax, UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        ULONGLONG n = 0;
        if (!ParseInteger(GetControlText(hWndCtrl), false, 0, nMax, NULL, &n))
            FailWithMessage(pDX, nIDPrompt);
        value = (T)n;
    }
    else
    {
        CString strText;
        strText.Format("%I64u", (ULONGLONG)value);
        AfxSetWindowText(hWndCtrl, strText);
    }
}

CString FormatReal(double d, int nDigits)
{
    CString strText;
    strText.Format("%.*g", nDigits, d);
    return strText;
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// DDX_Text

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeUnsigned(pDX, nIDC, value, 255, AFX_IDP_PARSE_BYTE);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, 0xFFFFFFFFUL, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LONGLONG& value)
{
    ExchangeSigned(pDX, nIDC, value, LLONG_MIN, LLONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, ULONGLONG& value)
{
    ExchangeUnsigned(pDX, nIDC, value, ULLONG_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        double d = 0;
        if (!ParseReal(GetControlText(hWndCtrl), &d) || d > FLT_MAX || d < -FLT_MAX)
            FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
        value = (float)d;
    }
    else
        AfxSetWindowText(hWndCtrl, FormatReal(value, FLT_DIG));
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        double d = 0;
        if (!ParseReal(GetControlText(hWndCtrl), &d))
            FailWithMessage(pDX, AFX_IDP_PARSE_REAL);
        value = d;
    }
    else
        AfxSetWindowText(hWndCtrl, FormatReal(value, DBL_DIG));
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = GetControlText(hWndCtrl);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, LPTSTR value, int nMaxLen)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (nMaxLen > 0)
            ::GetWindowTextA(hWndCtrl, value, nMaxLen);
    }
    else
        AfxSetWindowText(hWndCtrl, value);
}

/////////////////////////////////////////////////////////////////////////////
// Buttons, lists, scroll bars, sliders, controls

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    else
    {
        if (value < 0 || value > 2)
            value = 0;  // not a check state
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

// Exchanges the index of the checked button of a radio group; -1 when none is checked.
void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;     // none checked

    // the radio buttons from nIDC to the next group, counted in window order
    int iButton = 0;
    do
    {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0 && value == -1)
                    value = iButton;
            }
            else
                ::SendMessageA(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            ++iButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

static CString GetListText(HWND hWndCtrl, UINT nGetTextLen, UINT nGetText, int nIndex)
{
    CString strText;
    int nLen = (int)::SendMessageA(hWndCtrl, nGetTextLen, (WPARAM)nIndex, 0);
    if (nLen > 0)
    {
        ::SendMessageA(hWndCtrl, nGetText, (WPARAM)nIndex, (LPARAM)strText.GetBuffer(nLen));
        strText.ReleaseBuffer();
    }
    return strText;
}

static void SaveListBoxString(HWND hWndCtrl, CString& value)
{
    int nIndex = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    if (nIndex != LB_ERR)
        value = GetListText(hWndCtrl, LB_GETTEXTLEN, LB_GETTEXT, nIndex);
    else
        value.Empty();
}

static void SaveComboBoxString(HWND hWndCtrl, CString& value)
{
    // the edit part, or the selected item of a drop-down list
    value = GetControlText(hWndCtrl);
    if (value.IsEmpty())
    {
        int nIndex = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
        if (nIndex != CB_ERR)
            value = GetListText(hWndCtrl, CB_GETLBTEXTLEN, CB_GETLBTEXT, nIndex);
    }
}

static BOOL ComboHasEdit(HWND hWndCtrl)
{
    return (::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        SaveListBoxString(hWndCtrl, value);
    else
        ::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        SaveComboBoxString(hWndCtrl, value);
    else if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR &&
             ComboHasEdit(hWndCtrl))
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        SaveListBoxString(hWndCtrl, value);
    else
    {
        int nIndex = (int)::SendMessageA(hWndCtrl, LB_FINDSTRINGEXACT, (WPARAM)-1,
                                         (LPARAM)(LPCTSTR)value);
        if (nIndex != LB_ERR)
            ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)nIndex, 0);
    }
}

// Exchanges a combo box's text; loading selects the item of exactly that text.
void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        SaveComboBoxString(hWndCtrl, value);
    else
    {
        int nIndex = (int)::SendMessageA(hWndCtrl, CB_FINDSTRINGEXACT, (WPARAM)-1,
                                         (LPARAM)(LPCTSTR)value);
        if (nIndex != CB_ERR)
            ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)nIndex, 0);
        else if (ComboHasEdit(hWndCtrl))
            AfxSetWindowText(hWndCtrl, value);
    }
}

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Slider(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(hWndCtrl, TBM_GETPOS, 0, 0);
    else
        ::SendMessageA(hWndCtrl, TBM_SETPOS, TRUE, value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;     // attached the first time
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

/////////////////////////////////////////////////////////////////////////////
// Validation

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
    {
        if (value.GetLength() > nChars)
        {
            CString strChars;
            strChars.Format("%d", nChars);
            CString strPrompt;
            AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, strChars);
            AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
            pDX->Fail();
        }
    }
    else if (pDX->m_idLastControl != 0 && pDX->m_bEditLastControl)
    {
        // the control takes no more characters than the member may hold
        HWND hWndLastControl = NULL;
        pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl, &hWndLastControl);
        char szClass[16] = "";
        ::GetClassNameA(hWndLastControl, szClass, sizeof(szClass));
        UINT nMessage = lstrcmpiA(szClass, "ComboBox") == 0 ? CB_LIMITTEXT : EM_LIMITTEXT;
        ::SendMessageA(hWndLastControl, nMessage, (WPARAM)nChars, 0);
    }
}

namespace
{

template <class T>
void CheckSignedRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strMin, strMax;
    strMin.Format("%I64d", (LONGLONG)minVal);
    strMax.Format("%I64d", (LONGLONG)maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, strMin, strMax);
}

template <class T>
void CheckUnsignedRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString strMin, strMax;
    strMin.Format("%I64u", (ULONGLONG)minVal);
    strMax.Format("%I64u", (ULONGLONG)maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, strMin, strMax);
}

void CheckRealRange(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, FormatReal(minVal, nDigits), FormatReal(maxVal, nDigits));
}

} // namespace

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    CheckSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLongLong(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal)
{
    CheckSignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxULongLong(CDataExchange* pDX, ULONGLONG value, ULONGLONG minVal, ULONGLONG maxVal)
{
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, FLT_DIG);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, DBL_DIG);
}

// Loading gives the slider its range, saving checks the value against it.
void AFXAPI DDV_MinMaxSlider(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (!pDX->m_bSaveAndValidate)
    {
        // loading gives the slider its range
        if (pDX->m_idLastControl != 0)
        {
            HWND hWndSlider = NULL;
            pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl, &hWndSlider);
            ::SendMessageA(hWndSlider, TBM_SETRANGEMIN, FALSE, (LPARAM)minVal);
            ::SendMessageA(hWndSlider, TBM_SETRANGEMAX, TRUE, (LPARAM)maxVal);
        }
        return;
    }
    CheckUnsignedRange(pDX, value, minVal, maxVal);
}
