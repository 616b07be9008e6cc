// afxwin.h - Windows part of the class library.
//
// Declares: CResourceException, the GDI wrappers and CDC (afxgdi.h), and the message box
// functions with their test seam (AfxMessageBox, AfxCallMessageBox, CMessageBoxRecorder).
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
// AfxCallMessageBox, where tests intercept it:
//
//     CMessageBoxRecorder boxes;          // while it lives no box is shown
//     boxes.AddAnswer(IDNO);              // scripted answers, used in call order
//     ... code that calls AfxMessageBox("Save changes?", MB_YESNO) gets IDNO ...
//     ASSERT_EQ(1, boxes.GetCount());
//     EXPECT_STREQ("Save changes?", boxes.GetCall(0).m_strText);
//     EXPECT_EQ(MB_YESNO, boxes.GetCall(0).m_nType);
//
// A call finding no scripted answer left gets IDOK. The recorder is process-wide and
// also records calls made on other threads.
//
// Hooks for the window layer: AfxSetMessageBoxOwnerProc chooses the owner window of
// AfxMessageBox (default: the active window); AfxSetAppName sets the title (default:
// the executable's file name without extension).

int AFXAPI AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// Loads the text from the string resource nIDPrompt; nIDHelp -1 means nIDPrompt.
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Shows a message box, or hands it to the active recorder. lpszCaption NULL means the
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

// CMessageBoxRecorder records message boxes instead of showing them while it lives.
// Recorders nest: the newest one records, and its predecessor takes over again when
// it is destroyed.
class CMessageBoxRecorder
{
public:
    // One recorded message box.
    struct CCall
    {
        CString m_strText;          // message text
        CString m_strCaption;       // title it would have shown
        UINT m_nType;               // MB_* flags as passed
        UINT m_nIDHelp;             // help context (0 when none)
        HWND m_hWndOwner;           // owner it would have had
        int m_nResult;              // answer returned to the caller
    };

    CMessageBoxRecorder();
    ~CMessageBoxRecorder();
    CMessageBoxRecorder(const CMessageBoxRecorder&) = delete;
    CMessageBoxRecorder& operator=(const CMessageBoxRecorder&) = delete;

    // Operations
    void AddAnswer(int nResult);    // queues the answer for the next unanswered call
    void Reset();                   // forgets the calls and the unused answers

    // Accessors
    int GetCount() const;                       // calls recorded so far
    const CCall& GetCall(int nIndex) const;     // throws CInvalidArgException when out of range
    int GetPendingAnswers() const;              // scripted answers not used yet

private:
    friend int AFXAPI AfxCallMessageBox(HWND, LPCTSTR, LPCTSTR, UINT, UINT);
    int Record(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, UINT nIDHelp);

    struct CData;
    CData* m_pData;                             // calls and answers
    CMessageBoxRecorder* m_pPrevious;           // recorder active before this one
};

// Windows, commands, the application, frames, documents and views.
#include "afxwnd.h"

#endif // __AFXWIN_H__
