// BmpDialog.cpp - the picture Open dialog with its preview panel.

#include "BmpDialog.h"
#include "model/FileLimits.h"
#include "model/ElementStream.h"
#include "model/PictureLoad.h"
#include "resources/bmpdialog_resource.h"

using namespace Gdiplus;

namespace
{
// The user's last choice of the box "Show Preview", kept for the next dialog.
BOOL g_bShowPreview = TRUE;
// The picture shown and its GDI copy on white; both NULL when nothing is shown.
HBITMAP g_hPreviewBitmap = NULL;
Bitmap* g_pPreviewImage = NULL;

const int kPathBufferSize = 1024;
const char* const kPreviewExtensions[] = { ".bmp", ".jpg", ".gif", ".wmf", ".png", ".tif" };
const char kTooLargeToPreview[] = "The file is too large to be a picture. It is not shown.";
const char kPictureTooLargeToPreview[] = "The picture is too large: %u x %u pixels (at most %d a side).";

// A name ending in a picture extension, in any case.
BOOL HasPreviewExtension(const CString& strPath)
{
    CString strLast4 = strPath.Right(4);
    strLast4.MakeLower();
    for (const char* pszExtension : kPreviewExtensions)
    {
        if (strLast4 == pszExtension)
            return TRUE;
    }
    CString strLast5 = strPath.Right(5);
    strLast5.MakeLower();
    return strLast5 == ".jpeg";
}

void ClearTexts(HWND hPanel)
{
    ::SetDlgItemTextA(hPanel, IDC_BMP_WIDTH, "");
    ::SetDlgItemTextA(hPanel, IDC_BMP_HEIGHT, "");
    ::SetDlgItemTextA(hPanel, IDC_BMP_INFO, "");
}

void RepaintPreview(HWND hPanel)
{
    HWND hPreview = ::GetDlgItem(hPanel, IDC_BMP_PREVIEW);
    if (hPreview != NULL)
    {
        ::InvalidateRect(hPreview, NULL, TRUE);
        ::UpdateWindow(hPreview);
    }
}

// Shows the picture selected in the dialog, or nothing when the selection is no picture.
void PreviewSelection(HWND hPanel)
{
    char szPath[kPathBufferSize] = "";
    const LRESULT nLength =
        ::SendMessageA(::GetParent(hPanel), CDM_GETFILEPATH, sizeof(szPath), (LPARAM)szPath);
    CBmpDialog::ReleasePreview();
    ClearTexts(hPanel);

    const CString strPath = (nLength > 0 && nLength <= (LRESULT)sizeof(szPath)) ? szPath : "";
    if (!strPath.IsEmpty() && HasPreviewExtension(strPath))
    {
        if (IsFileOverLimit(strPath, MAX_PICTURE_FILE_BYTES))
        {
            ::SetDlgItemTextA(hPanel, IDC_BMP_INFO, kTooLargeToPreview);
        }
        else
        {
            PictureSize refused = { 0, 0 };
            g_pPreviewImage = LoadPictureFileChecked(strPath, &refused);
            if (refused.nWidth != 0)
            {
                CString strText;
                strText.Format(kPictureTooLargeToPreview, refused.nWidth, refused.nHeight,
                               MAX_PICTURE_DIMENSION);
                ::SetDlgItemTextA(hPanel, IDC_BMP_INFO, strText);
            }
            if (g_pPreviewImage != NULL &&
                g_pPreviewImage->GetHBITMAP(Color(0xFFFFFFFF), &g_hPreviewBitmap) != Ok)
            {
                g_hPreviewBitmap = NULL;
                CBmpDialog::ReleasePreview();
            }
        }
    }

    BITMAP bm;
    if (g_hPreviewBitmap != NULL && ::GetObjectA(g_hPreviewBitmap, sizeof(bm), &bm) != 0)
    {
        CString strText;
        strText.Format("Width: %d pixels", (int)bm.bmWidth);
        ::SetDlgItemTextA(hPanel, IDC_BMP_WIDTH, strText);
        strText.Format("Height: %d pixels", (int)bm.bmHeight);
        ::SetDlgItemTextA(hPanel, IDC_BMP_HEIGHT, strText);
    }
    RepaintPreview(hPanel);
}

void DrawPreview(const DRAWITEMSTRUCT* pItem)
{
    const RECT& rcItem = pItem->rcItem;
    ::FillRect(pItem->hDC, &rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
    BITMAP bm;
    if (g_hPreviewBitmap == NULL || g_pPreviewImage == NULL ||
        ::GetObjectA(g_hPreviewBitmap, sizeof(bm), &bm) == 0)
        return;
    CRect rc = CBmpDialog::GetPreviewRect(bm.bmWidth, bm.bmHeight, rcItem.right - rcItem.left,
                                          rcItem.bottom - rcItem.top);
    rc.OffsetRect(rcItem.left, rcItem.top);
    Graphics graphics(pItem->hDC);
    graphics.DrawImage(g_pPreviewImage, Rect(rc.left, rc.top, rc.Width(), rc.Height()));
}
}

CBmpDialog::CBmpDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                       LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CFileDialog(bOpenFileDialog, lpszDefExt, lpszFileName, dwFlags, lpszFilter, pParentWnd)
{
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
    m_ofn.hInstance = AfxGetResourceHandle();
    m_ofn.lpTemplateName = MAKEINTRESOURCE(IDD_BMPDIALOG);
    m_ofn.lpfnHook = HookProc;
}

CBmpDialog::~CBmpDialog()
{
}

BOOL CBmpDialog::IsPreviewOn()
{
    return g_bShowPreview;
}

Bitmap* CBmpDialog::GetPreviewImage()
{
    return g_pPreviewImage;
}

void CBmpDialog::ReleasePreview()
{
    if (g_hPreviewBitmap != NULL)
    {
        ::DeleteObject(g_hPreviewBitmap);
        g_hPreviewBitmap = NULL;
    }
    delete g_pPreviewImage;
    g_pPreviewImage = NULL;
}

// Where a picture shows in the preview area: centred, shrunk with its proportions when it is larger, never
// enlarged.
CRect CBmpDialog::GetPreviewRect(int nWidth, int nHeight, int nAreaWidth, int nAreaHeight)
{
    if (nWidth <= 0 || nHeight <= 0 || nAreaWidth <= 0 || nAreaHeight <= 0)
        return CRect(0, 0, 0, 0);
    int w = nWidth, h = nHeight;
    if (nWidth > nAreaWidth || nHeight > nAreaHeight)
    {
        // the side that needs the smaller scale decides, so both sides fit
        if ((double)nAreaWidth / nWidth <= (double)nAreaHeight / nHeight)
        {
            w = nAreaWidth;
            h = (int)((double)nHeight / nWidth * nAreaWidth);
        }
        else
        {
            h = nAreaHeight;
            w = (int)((double)nWidth / nHeight * nAreaHeight);
        }
    }
    const int nLeft = (nAreaWidth - w) / 2;
    const int nTop = (nAreaHeight - h) / 2;
    return CRect(nLeft, nTop, nLeft + w, nTop + h);
}

// The open dialog's hook: previews the selected file while the box is ticked and frees the preview when the
// dialog ends; nothing thrown leaves it.
UINT_PTR CALLBACK CBmpDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    try
    {
        switch (message)
        {
        case WM_NOTIFY:
        {
            const OFNOTIFYA* pNotify = (const OFNOTIFYA*)lParam;
            if (pNotify == NULL)
                break;
            if (pNotify->hdr.code == CDN_INITDONE)
            {
                ReleasePreview();
                ::CheckDlgButton(hWnd, IDC_BMP_SHOWPREVIEW, g_bShowPreview ? BST_CHECKED : BST_UNCHECKED);
            }
            else if (pNotify->hdr.code == CDN_SELCHANGE)
            {
                if (::IsDlgButtonChecked(hWnd, IDC_BMP_SHOWPREVIEW) == BST_CHECKED)
                    PreviewSelection(hWnd);
            }
            else if (pNotify->hdr.code == CDN_FILEOK)
            {
                ReleasePreview();
            }
            break;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_BMP_SHOWPREVIEW && HIWORD(wParam) == BN_CLICKED)
            {
                g_bShowPreview = ::IsDlgButtonChecked(hWnd, IDC_BMP_SHOWPREVIEW) == BST_CHECKED;
                if (g_bShowPreview)
                {
                    PreviewSelection(hWnd);
                }
                else
                {
                    ReleasePreview();
                    RepaintPreview(hWnd);
                    ClearTexts(hWnd);
                }
            }
            break;
        case WM_DRAWITEM:
            if (wParam == IDC_BMP_PREVIEW && lParam != 0)
                DrawPreview((const DRAWITEMSTRUCT*)lParam);
            break;
        case WM_DESTROY:
            ReleasePreview();
            break;
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return 0;
}

Bitmap* LoadImageFromFile(const CString& strPath)
{
    if (strPath.IsEmpty() || IsFileOverLimit(strPath, MAX_PICTURE_FILE_BYTES))
        return NULL;
    // the loader checks the size again on the open file before it reads anything
    return LoadPictureFileChecked(strPath);
}

CString ChoosePictureWithPreview(LPCSTR pszFilter, DWORD dwFlags, const CString& strFolder)
{
    CBmpDialog dlg(TRUE, NULL, NULL, dwFlags, pszFilter);
    dlg.m_ofn.lpstrInitialDir = strFolder;
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.GetPathName();
}
