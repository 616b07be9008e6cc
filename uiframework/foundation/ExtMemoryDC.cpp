// ExtMemoryDC.cpp - off-screen drawing surface.

#include "stdafx.h"
#include "ExtMemoryDC.h"

// Makes an idle surface and sets it up over pDC when one is given.
CExtMemoryDC::CExtMemoryDC(CDC* pDC, const RECT* pRect, DWORD dwFlags)
    : m_pOldBmp(NULL), m_pDC(NULL), m_rect(0, 0, 0, 0), m_bMemDC(false), m_pDibBits(NULL),
      m_ptSurfaceOrigin(0, 0)
{
    if (pDC != NULL)
        SetupSurface(pDC, pRect, dwFlags);
}

// Copies the picture back, then frees the bitmap and the memory DC.
CExtMemoryDC::~CExtMemoryDC()
{
    FinishDrawing(true);
    m_bmp.DeleteObject();
}

// Uses the target's handles as the surface's own (no off-screen copy).
void CExtMemoryDC::ShareTarget(CDC* pDC)
{
    m_bMemDC = false;
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;
    if (pDC->m_bPrinting)
        m_bPrinting = TRUE;
}

// Sets the surface up over pDC (see the option bits in the header).
void CExtMemoryDC::SetupSurface(CDC* pDC, const RECT* pRect, DWORD dwFlags)
{
    if (m_pDC != NULL)
        FinishDrawing(true);
    // A surface set up before keeps its memory DC and bitmap until now.
    if (m_hDC != NULL)
        DeleteDC();
    m_bmp.DeleteObject();
    m_pDibBits = NULL;
    m_pOldBmp = NULL;
    if (pDC == NULL || pDC->GetSafeHdc() == NULL)
        return;

    m_pDC = pDC;
    m_bMemDC = (dwFlags & MDC_OFFSCREEN) != 0 && !pDC->IsPrinting();
    if (pRect != NULL)
        m_rect = *pRect;
    else
        pDC->GetClipBox(&m_rect);

    CPoint& ptSurfaceOrigin = m_ptSurfaceOrigin;
    ptSurfaceOrigin = CPoint(0, 0);
    if (m_bMemDC)
    {
        bool bMapped = (dwFlags & MDC_NO_MAPPING) == 0;
        CRect rcDevice(m_rect);
        if (bMapped)
            pDC->LPtoDP(&rcDevice);
        rcDevice.NormalizeRect();
        int cx = rcDevice.Width(), cy = rcDevice.Height();

        HDC hMemDC = ::CreateCompatibleDC(pDC->m_hDC);
        HBITMAP hBitmap = NULL;
        void* pBits = NULL;
        if (hMemDC != NULL && cx > 0 && cy > 0)
        {
            if ((dwFlags & MDC_MONOCHROME) != 0)
                hBitmap = ::CreateBitmap(cx, cy, 1, 1, NULL);
            else if ((dwFlags & MDC_DIB32) != 0)
            {
                BITMAPINFOHEADER bih;
                ::ZeroMemory(&bih, sizeof(bih));
                bih.biSize = sizeof(BITMAPINFOHEADER);
                bih.biWidth = cx;
                bih.biHeight = cy;
                bih.biPlanes = 1;
                bih.biBitCount = 32;
                bih.biCompression = BI_RGB;
                bih.biSizeImage = (DWORD)cx * (DWORD)cy;
                hBitmap = ::CreateDIBSection(pDC->m_hDC, (const BITMAPINFO*)&bih, DIB_RGB_COLORS,
                                             &pBits, NULL, 0);
                if (hBitmap != NULL && pBits == NULL)
                {
                    ::DeleteObject(hBitmap);
                    hBitmap = NULL;
                }
            }
            else
                hBitmap = ::CreateCompatibleBitmap(pDC->m_hDC, cx, cy);
        }
        if (hBitmap == NULL)
        {
            // Without a bitmap the drawing would be lost and the blit back would paint
            // garbage over the target: draw straight into the target instead.
            if (hMemDC != NULL)
                ::DeleteDC(hMemDC);
            ShareTarget(pDC);
        }
        else
        {
            Attach(hMemDC);
            m_bmp.Attach(hBitmap);
            m_pOldBmp = SelectObject(&m_bmp);
            m_pDibBits = (COLORREF*)pBits;
            if (bMapped)
            {
                SetMapMode(pDC->GetMapMode());
                if (pDC->GetMapMode() == MM_ISOTROPIC || pDC->GetMapMode() == MM_ANISOTROPIC)
                {
                    SetWindowExt(pDC->GetWindowExt());
                    SetViewportExt(pDC->GetViewportExt());
                }
                m_rect = rcDevice;
                pDC->DPtoLP(&m_rect);
                ptSurfaceOrigin = m_rect.TopLeft();
                SetWindowOrg(ptSurfaceOrigin.x, ptSurfaceOrigin.y);
            }
        }
    }
    else
        ShareTarget(pDC);

    if (m_bMemDC)
    {
        if ((dwFlags & MDC_COPY_TARGET) != 0)
        {
            BitBlt(ptSurfaceOrigin.x, ptSurfaceOrigin.y, m_rect.Width(), m_rect.Height(), pDC,
                   m_rect.left, m_rect.top, SRCCOPY);
            return;
        }
        if ((dwFlags & MDC_FILL_BACKGROUND) != 0)
            FillSolidRect(ptSurfaceOrigin.x, ptSurfaceOrigin.y, m_rect.Width(), m_rect.Height(),
                          pDC->GetBkColor());
    }
    else if ((dwFlags & MDC_FILL_BACKGROUND) != 0 && (dwFlags & MDC_COPY_TARGET) == 0)
        FillSolidRect(&m_rect, pDC->GetBkColor());
}

// Ends the surface; a second call does nothing.
void CExtMemoryDC::FinishDrawing(bool bCopyToTarget)
{
    if (m_pDC == NULL)
        return;
    if (m_bMemDC)
    {
        if (bCopyToTarget)
        {
            // The bitmap's first pixel is the rectangle's top-left, unless the surface
            // was made without mapping (then it is the memory DC's origin).
            m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this,
                          m_ptSurfaceOrigin.x, m_ptSurfaceOrigin.y, SRCCOPY);
        }
        if (m_pOldBmp != NULL)
            SelectObject(m_pOldBmp);
    }
    else
    {
        m_hDC = NULL;
        m_hAttribDC = NULL;
        m_bPrinting = FALSE;
    }
    m_pDC = NULL;
    m_pOldBmp = NULL;
    m_rect.SetRectEmpty();
    m_bMemDC = false;
    m_pDibBits = NULL;
}
