// ExtMemoryDC.h - off-screen drawing surface of the UI framework.
//
// Declares CExtMemoryDC.
//
// Notes
// - A painting routine makes the surface over its target DC, draws into it with the
//   target's logical coordinates and lets it go out of scope: the destructor copies the
//   picture back in one blit.
// - On a printer target, or when the off-screen bitmap cannot be made, the surface shares
//   the target's handles instead and everything drawn reaches the target at once; it
//   never deletes the target's DC.
// - With MDC_DIB32 the pixels of the 32-bit DIB section are reachable through m_pDibBits
//   (NULL when there is none); rows are bottom-up.

#pragma once

#include "afxwin.h"

class CExtMemoryDC : public CDC
{
public:
    // Option bits of SetupSurface.
    enum
    {
        MDC_OFFSCREEN = 0x01,       // draw off-screen (not on a printer)
        MDC_FILL_BACKGROUND = 0x02, // fill with the target's background colour
        MDC_MONOCHROME = 0x04,      // one bit per pixel
        MDC_DIB32 = 0x08,           // 32-bit DIB section, pixels in m_pDibBits
        MDC_NO_MAPPING = 0x10,      // no logical/device conversion, no map mode or origin
        MDC_COPY_TARGET = 0x20,     // start with the target's pixels (before MDC_FILL_BACKGROUND)
        MDC_DEFAULT = MDC_OFFSCREEN | MDC_FILL_BACKGROUND
    };

    explicit CExtMemoryDC(CDC* pDC = NULL, const RECT* pRect = NULL, DWORD dwFlags = MDC_DEFAULT);
    virtual ~CExtMemoryDC();

    void SetupSurface(CDC* pDC, const RECT* pRect = NULL, DWORD dwFlags = MDC_DEFAULT);
    // Ends the surface; with bCopyToTarget the picture is copied to the target first.
    void FinishDrawing(bool bCopyToTarget = true);

    bool IsMemDC() const { return m_bMemDC; }
    CDC* GetTargetDC() const { return m_pDC; }
    const CRect& GetSurfaceRect() const { return m_rect; }

    // Member variables
    CBitmap m_bmp;              // off-screen bitmap, owned
    CBitmap* m_pOldBmp;         // selected before m_bmp
    CDC* m_pDC;                 // target, borrowed; NULL while idle
    CRect m_rect;               // covered rectangle, target's logical coordinates
    bool m_bMemDC;              // real off-screen copy (FALSE: shares the target's handles)
    COLORREF* m_pDibBits;       // pixels of the 32-bit DIB section or NULL

private:
    void ShareTarget(CDC* pDC);

    CPoint m_ptSurfaceOrigin;   // logical point of the bitmap's first pixel
};
