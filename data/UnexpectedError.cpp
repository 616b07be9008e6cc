// UnexpectedError.cpp - the message of an unforeseen failure.

#include "UnexpectedError.h"
#include "afxwin.h"
#include "resources/data_resource.h"

CString GetUnexpectedErrorText()
{
    CString strText;
    strText.LoadString(IDS_UNEXPECTED_ERROR);
    return strText;
}

void ShowUnexpectedError()
{
    AfxMessageBox(GetUnexpectedErrorText(), MB_ICONSTOP);
}
