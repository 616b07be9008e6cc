// afxwin.h - Windows part of the class library.
//
// Declares: CResourceException, the GDI wrappers and CDC (afxgdi.h), and the message box
// functions with their test seam (AfxMessageBox, AfxCallMessageBox, AfxSetMessageBoxHook).
// The window classes are added here with the window layer.

#pragma once

#ifndef __AFXWIN_H__
#define __AFXWIN_H__

#include "afx.h"

/////////////////////////////////////////////////////////////////////////////
// CResourceException: a Windows resource (GDI object, kernel object, window)
// could not be created or loaded.

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() {}
    explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}
protected:
    virtual LPCSTR GetDefaultMessage() const override;
};

[[noreturn]] void AFXAPI AfxThrowResourceException();

/////////////////////////////////////////////////////////////////////////////
// GDI

#include "afxgdi.h"

/////////////////////////////////////////////////////////////////////////////
// Message boxes
//
// AfxMessageBox shows a message box owned by the active window, titled with the
// application's name. Every message box of the class library goes through
// AfxCallMessageBox, where tests intercept it with a message-box hook (the tests'
// recorder installs one).
//
// Hooks for the window layer: AfxSetMessageBoxOwnerProc chooses the owner window of
// AfxMessageBox (default: the active window); AfxSetAppName sets the title (default:
// the executable's file name without extension).

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// Loads the text from the string resource nIDPrompt; nIDHelp -1 means nIDPrompt.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Shows a message box, or hands it to the message-box hook. lpszCaption NULL means the
// application's name. Returns the button chosen (IDOK, IDYES, ...), 0 on failure.
int AFXAPI AfxCallMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption,
                             UINT nType, UINT nIDHelp = 0);

typedef HWND (AFXAPI* AFX_MSGBOX_OWNER_PROC)();
// Installs the owner lookup of AfxMessageBox; NULL restores the default. Returns the
// previous procedure (NULL when it was the default).
AFX_MSGBOX_OWNER_PROC AFXAPI AfxSetMessageBoxOwnerProc(AFX_MSGBOX_OWNER_PROC pfnOwner);

// The application's name, used as the title of message boxes.
LPCTSTR AFXAPI AfxGetAppName();
// Sets the application's name; NULL or "" restores the executable's file name.
void AFXAPI AfxSetAppName(LPCTSTR lpszAppName);

// The message-box hook (tests): while one is installed, AfxCallMessageBox hands it
// every message box instead of showing it; the hook returns the answer. NULL removes
// it. Returns the hook installed before.
typedef int (AFXAPI* AFX_MSGBOX_HOOK)(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption,
                                      UINT nType, UINT nIDHelp);
AFX_MSGBOX_HOOK AFXAPI AfxSetMessageBoxHook(AFX_MSGBOX_HOOK pfnHook);

// Windows, commands, the application, frames, documents and views.
#include "afxwnd.h"

#endif // __AFXWIN_H__
