// ExtCmdIcon.h - the image of a command, and the mouse-capture interface of framework windows.
//
// Declares CExtCmdIcon (a bitmap with a transparent colour or an HICON, with a cached
// tinted effect image) and CExtMouseCaptureSink.
//
// Notes
// - An icon is empty, bitmap-based (the HICON form then only caches the HICON made from
//   the bitmap) or HICON-based. Assigning either form replaces the other.
// - The icon owns its bitmap, its HICON and its effect icon and frees them itself.
// - Every change of the image, the effect parameter or the effect factor drops the cached
//   effect icon; system changes drop the cached HICON of a bitmap-based icon.

#pragma once

#include "afxwin.h"
#include "afxtempl.h"

// CExtCmdIcon is the image that menus and bars draw for a command.
class CExtCmdIcon
{
public:
    // The bitmap form.
    struct BitmapForm_t
    {
        HBITMAP m_hBitmap;              // owned
        COLORREF m_clrTransparent;
        int m_nWidth;
        int m_nHeight;

        BitmapForm_t() : m_hBitmap(NULL), m_clrTransparent(0), m_nWidth(0), m_nHeight(0) {}
        void Clear() { m_hBitmap = NULL; m_clrTransparent = 0; m_nWidth = 0; m_nHeight = 0; }
    };

    // An HICON with its size.
    struct IconForm_t
    {
        HICON m_hIcon;                  // owned
        int m_nWidth;
        int m_nHeight;

        IconForm_t() : m_hIcon(NULL), m_nWidth(0), m_nHeight(0) {}
        void Clear() { m_hIcon = NULL; m_nWidth = 0; m_nHeight = 0; }
    };

    // Paint states
    enum
    {
        PAINT_NORMAL = 0,
        PAINT_DISABLED = 1,
        PAINT_MONO = 2,
        PAINT_EFFECT = 3,
    };

    typedef CMap<COLORREF, COLORREF, DWORD, DWORD> ColorHistogram;
    typedef CArray<COLORREF, COLORREF> ColorArray;

    CExtCmdIcon();
    CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectSrc = NULL,
                bool bClone = true);
    CExtCmdIcon(HICON hIcon, bool bCopy);
    CExtCmdIcon(const CExtCmdIcon& other);
    CExtCmdIcon& operator=(const CExtCmdIcon& other) { AssignFrom(other); return *this; }
    virtual ~CExtCmdIcon();

    // Forms
    virtual bool IsEmpty() const;
    virtual void Empty();
    // Stores or loads the icon stream; archive errors reach the caller as exceptions.
    virtual void Serialize(CArchive& ar);
    virtual void AssignFrom(const CExtCmdIcon& other);
    virtual void AssignHIcon(HICON hIcon, bool bCopy);
    virtual void AssignBitmap(HBITMAP hBitmap, COLORREF clrTransparent,
                              const RECT* pRectSrc = NULL, bool bClone = true);
    virtual SIZE GetSize() const;
    virtual bool IsBitmapBased() const;
    virtual HBITMAP GetBitmap() const;
    virtual COLORREF GetTransparentColor() const;
    // A bitmap of the image with a transparent colour that the image does not use;
    // the caller owns the bitmap.
    virtual bool ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrTransparent,
                               ColorArray* pUsedColors = NULL, COLORREF** ppBits = NULL);
    // The HICON, made from the bitmap and cached when needed; NULL for an empty icon.
    virtual HICON GetHIcon(bool bRemapSysColors = true);
    // Hands the HICON to the caller; the icon is empty afterwards.
    virtual HICON DetachHIcon(bool bRemapSysColors = true);

    // Effect icon and system changes
    virtual HICON GetEffectIcon();
    virtual void SyncWithPaintManager();
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(INT nDepthBPP, INT nResolutionX, INT nResolutionY);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
    virtual bool BuildEffectIcon();

    // Drawing: at the rectangle's left-top corner, at the icon's own size.
    virtual int Paint(HDC hDC, const RECT* pRect, int nState = PAINT_NORMAL,
                      HBRUSH hBrush = NULL);
    int Paint(CDC& dc, POINT pt, int nState = PAINT_NORMAL, HBRUSH hBrush = NULL);

    virtual int QueryImageInfo(ColorHistogram& mapColors);
    virtual int GetBitsPerPixel() const;
    virtual bool AssignScaled(const CExtCmdIcon& src, int cx, int cy);

    virtual int GetEffectParameter() const;
    virtual void SetEffectParameter(int nParameter);
    virtual double GetEffectFactor() const;
    virtual void SetEffectFactor(double dFactor);

    // Glyph icons drawn into a 32-bit DIB section; -1 colours pick defaults.
    virtual bool CreateCheckMarkIcon(COLORREF clrGlyph = (COLORREF)-1,
                                     COLORREF clrTransparent = (COLORREF)-1,
                                     int cx = 16, int cy = 16, COLORREF** ppBits = NULL);
    virtual bool CreateRadioDotIcon(COLORREF clrGlyph = (COLORREF)-1,
                                    COLORREF clrTransparent = (COLORREF)-1,
                                    int cx = 16, int cy = 16, COLORREF** ppBits = NULL);
    virtual bool CreateEmptyIcon(COLORREF clrTransparent = (COLORREF)-1,
                                 int cx = 16, int cy = 16, COLORREF** ppBits = NULL);

    // Member variables
    BitmapForm_t m_bitmap;
    IconForm_t m_icon;              // for a bitmap-based icon, the cached HICON
    IconForm_t m_iconEffect;        // cached effect icon
    int m_nEffectParameter;         // tint colour of the effect icon, -1 = none
    double m_dEffectFactor;         // lightness factor of the effect icon

protected:
    bool BuildTintedEffectIcon();

private:
    void FreeBitmap();
    void FreeHIcon();
    void FreeEffectIcon();
    static void SizeFromHIcon(IconForm_t& form);
    // The glyph icons' common part: a filled DIB section with an optional glyph.
    bool CreateGlyphIcon(int nGlyph, COLORREF clrGlyph, COLORREF clrTransparent,
                         int cx, int cy, COLORREF** ppBits);
};

// Interface of framework windows that take the mouse capture.
class CExtMouseCaptureSink
{
public:
    virtual ~CExtMouseCaptureSink() {}
    virtual void SetMouseCapture(HWND hWnd);
};
