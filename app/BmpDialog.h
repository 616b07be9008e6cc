// BmpDialog.h - CBmpDialog, the picture Open dialog with a preview panel.
//
// Notes
// - The panel (dialog 5000) below the Explorer-style dialog shows the selected picture
//   scaled into its preview area, its size in pixels, and a box that turns the preview
//   on and off; that choice lasts for the rest of the process.
// - The preview state is process-wide: one such dialog shows a preview at a time. Each
//   new preview frees the picture before it; closing the dialog frees the last one.
// - Picture files larger than any real picture are not read; the panel says so.

#pragma once

#include "afxdlgs.h"

#include <objidl.h>
#include <gdiplus.h>

// CBmpDialog is the file dialog with the preview panel and its hook procedure.
class CBmpDialog : public CFileDialog
{
public:
    explicit CBmpDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = NULL, LPCTSTR lpszFileName = NULL,
                        DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = NULL,
                        CWnd* pParentWnd = NULL);
    virtual ~CBmpDialog();

    // The hook of the panel; always 0, so the dialog's own processing goes on.
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Where a picture of nWidth x nHeight pixels is drawn in a preview area of
    // nAreaWidth x nAreaHeight: at its own size and centred when it fits, else scaled to
    // fit the area with its proportions kept and centred.
    static CRect GetPreviewRect(int nWidth, int nHeight, int nAreaWidth, int nAreaHeight);

    // The preview state (for the panel and its tests).
    static BOOL IsPreviewOn();
    static Gdiplus::Bitmap* GetPreviewImage();
    // Frees the previewed picture.
    static void ReleasePreview();
};

// Reads a picture file into a new bitmap that the caller deletes; NULL when the file
// cannot be read, is larger than any picture file, or holds no picture.
Gdiplus::Bitmap* LoadImageFromFile(const CString& strPath);

// Runs the picture Open dialog starting in strFolder; the chosen path, or empty on Cancel.
CString ChoosePictureWithPreview(LPCSTR pszFilter, DWORD dwFlags, const CString& strFolder);
