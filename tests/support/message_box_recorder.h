// message_box_recorder.h - CMessageBoxRecorder: message boxes recorded and answered
// by a script instead of shown.
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

#pragma once

#include "afxwin.h"

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
    static int AFXAPI Hook(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType,
                           UINT nIDHelp);
    int Record(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType, UINT nIDHelp);

    struct CData;
    CData* m_pData;                             // calls and answers
    CMessageBoxRecorder* m_pPrevious;           // recorder active before this one
};
