// ExtPaintManager.cpp - paint manager construction, colours, fonts, brushes and metrics.
//
// The drawing operations live in ExtPaintManagerBars.cpp, ExtPaintManagerMenus.cpp,
// ExtPaintManagerButtons.cpp, ExtPaintManagerSmall.cpp and ExtPaintManagerDockMarker.cpp;
// the static GDI helpers in ExtGdiHelpers.cpp.

#include "stdafx.h"
#include "ExtPaintManager.h"

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)
IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)

CExtPaintManager::BarLinks_t CExtPaintManager::g_BarLinks = { NULL, NULL, NULL, NULL, NULL,
                                                              NULL, NULL };

namespace
{

const int SYS_COLOR_COUNT = 50;

// Per-channel a + (b - a) * num / den with MulDiv rounding (den 2: plain halving).
COLORREF MixChannels(COLORREF a, COLORREF b, int nNum, int nDen)
{
    int r = GetRValue(a), g = GetGValue(a), bl = GetBValue(a);
    int dr = GetRValue(b) - r, dg = GetGValue(b) - g, db = GetBValue(b) - bl;
    if (nNum == 1 && nDen == 2)
        return RGB(r + dr / 2, g + dg / 2, bl + db / 2);
    return RGB(r + ::MulDiv(dr, nNum, nDen), g + ::MulDiv(dg, nNum, nDen),
               bl + ::MulDiv(db, nNum, nDen));
}

// 16 x 16 ordered dither: the share num/den of the pixels in clr2, the rest in clr1.
HBITMAP CreateOrderedDither(COLORREF clr1, COLORREF clr2, int nNum, int nDen)
{
    static const int s_bayer[4][4] = { { 0, 8, 2, 10 }, { 12, 4, 14, 6 },
                                       { 3, 11, 1, 9 }, { 15, 7, 13, 5 } };
    HDC hScreen = ::GetDC(NULL);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    ::ReleaseDC(NULL, hScreen);
    if (hDC == NULL || hBitmap == NULL)
    {
        if (hDC != NULL)
            ::DeleteDC(hDC);
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    int nLimit = 16 * nNum / nDen;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            ::SetPixelV(hDC, x, y, s_bayer[y & 3][x & 3] < nLimit ? clr2 : clr1);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    return hBitmap;
}

// Copy of a LOGFONT-described font; NULL when it cannot be made.
HFONT FontFromLogFont(const LOGFONT& lf)
{
    return ::CreateFontIndirect(&lf);
}

} // namespace

/////////////////////////////////////////////////////////////////////////////
// Records

CExtPaintManager::CachedDC_t::CachedDC_t()
    : m_hOldObject(NULL)
{
}

CExtPaintManager::CachedDC_t::~CachedDC_t()
{
    Release();
}

// Puts the old object back and deletes the DC.
void CExtPaintManager::CachedDC_t::Release()
{
    if (m_dc.GetSafeHdc() != NULL)
    {
        if (m_hOldObject != NULL)
            ::SelectObject(m_dc.GetSafeHdc(), m_hOldObject);
        m_dc.DeleteDC();
    }
    m_hOldObject = NULL;
}

CExtPaintManager::MonitorInfo_t::MonitorInfo_t()
    : m_rcMonitor(0, 0, 0, 0), m_rcWorkArea(0, 0, 0, 0), m_bPrimary(true)
{
}

// Arguments of one push button paint; the colours not forced stay -1.
CExtPaintManager::PushButtonArgs_t::PushButtonArgs_t(
    CObject* pHelperSrc, bool bHorz, const RECT& rcButton, LPCTSTR sText, CExtCmdIcon* pIcon,
    bool bFlat, bool bHover, bool bPushed, bool bIndeterminate, bool bEnabled, bool bDrawBorder,
    bool bDrawFocusRect, bool bBold, UINT nAlign, HFONT hFont, bool bDropDown,
    UINT nHelperSysCmdID, bool bTransparentBackground)
    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcButton(rcButton),
      m_sText(sText == NULL ? _T("") : sText), m_pIcon(pIcon), m_hFont(hFont),
      m_nHelperSysCmdID(nHelperSysCmdID), m_bHorz(bHorz), m_bFlat(bFlat), m_bHover(bHover),
      m_bPushed(bPushed), m_bIndeterminate(bIndeterminate), m_bEnabled(bEnabled),
      m_bDrawBorder(bDrawBorder), m_bDrawFocusRect(bDrawFocusRect), m_bBold(bBold),
      m_bDropDown(bDropDown), m_bTransparentBackground(bTransparentBackground),
      m_bSeparatedDropDown(false), m_bPushedDropDown(false), m_nAlign(nAlign),
      m_nDrawTextFlags(DT_SINGLELINE), m_clrForceTextDisabled((COLORREF)-1),
      m_clrForceTextNormal((COLORREF)-1), m_clrForceTextHover((COLORREF)-1),
      m_clrForceTextPressed((COLORREF)-1), m_bUseDrawText(false)
{
    if ((nAlign & 1) != 0)
        m_nDrawTextFlags |= DT_CENTER;
    else
        m_nDrawTextFlags |= (nAlign & 2);   // DT_RIGHT
    if ((nAlign & 4) != 0)
        m_nDrawTextFlags |= DT_VCENTER;
}

CExtPaintManager::NcButtonArgs_t::NcButtonArgs_t(
    CObject* pHelperSrc, const RECT& rc, int nGlyphIndex, bool bHover, bool bPushed,
    bool bEnabled, bool bBarState1, bool bBarState2, bool bBarState3, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_rc(rc), m_nGlyphIndex(nGlyphIndex),
      m_bHover(bHover), m_bPushed(bPushed), m_bEnabled(bEnabled), m_bBarState1(bBarState1),
      m_bBarState2(bBarState2), m_bBarState3(bBarState3), m_bReserved1(false),
      m_bReserved2(false)
{
}

CExtPaintManager::BarCaptionArgs_t::BarCaptionArgs_t(
    CObject* pHelperSrc, const RECT& rcCaption, const RECT& rcText, bool bActive,
    bool bFloating, bool bSideCaption, bool bCaptionMode, LPCTSTR sText, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_rcCaption(rcCaption), m_rcText(rcText),
      m_bActive(bActive), m_bFloating(bFloating), m_bSideCaption(bSideCaption),
      m_bCaptionMode(bCaptionMode), m_sText(sText == NULL ? _T("") : sText), m_bNoFill(false),
      m_bReserved(false)
{
}

CExtPaintManager::BarFrameArgs_t::BarFrameArgs_t(
    CObject* pHelperSrc, const RECT& rcWindow, const RECT& rcClient, bool bFlag0, bool bFlag1,
    bool bFlag2, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_rcWindow(rcWindow), m_rcClient(rcClient),
      m_bFlag0(bFlag0), m_bFlag1(bFlag1), m_bFlag2(bFlag2)
{
}

CExtPaintManager::BarBordersArgs_t::BarBordersArgs_t(
    CObject* pHelperSrc, int nBorderKind, DWORD dwStyle, const RECT& rc, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_nBorderKind(nBorderKind),
      m_dwStyle(dwStyle), m_rc(rc)
{
}

// Arguments of one menu item paint.
CExtPaintManager::MenuItemArgs_t::MenuItemArgs_t(
    CObject* pSourceObject, const RECT& rcItem, const RECT& rcItemWithIndents,
    int nIconAreaWidth, LPCTSTR sText, LPCTSTR sAccelText, CExtCmdIcon* pIcon, UINT nCmdID,
    bool bPopup, bool bSelected, bool bChecked, bool bRadio, bool bIndeterminate,
    bool bEnabled, bool bRarelyUsed, bool bRarelyUsedPrev, bool bRarelyUsedNext,
    const RECT* pRcInplaceEdit, LPCTSTR sInplaceEditText, bool bChildOpen, LPARAM lParam)
    : m_pSourceObject(pSourceObject), m_lParam(lParam), m_rcItem(rcItem),
      m_rcItemWithIndents(rcItemWithIndents), m_nIconAreaWidth(nIconAreaWidth),
      m_sText(sText == NULL ? _T("") : sText),
      m_sAccelText(sAccelText == NULL ? _T("") : sAccelText), m_pIcon(pIcon),
      m_nCmdID(nCmdID), m_bPopup(bPopup), m_bSelected(bSelected), m_bChecked(bChecked),
      m_bRadio(bRadio), m_bIndeterminate(bIndeterminate), m_bEnabled(bEnabled),
      m_bRarelyUsed(bRarelyUsed), m_bRarelyUsedPrev(bRarelyUsedPrev),
      m_bRarelyUsedNext(bRarelyUsedNext), m_bNoIconBand(false), m_bGlyphArrow(false),
      m_bSplitPopup(false), m_bToggleLook(false), m_bTogglePressed(false),
      m_bReserved1(false), m_bReserved2(false), m_rcInplaceEdit(0, 0, 0, 0),
      m_sInplaceEditText(sInplaceEditText == NULL ? _T("") : sInplaceEditText),
      m_bChildOpen(bChildOpen)
{
    if (pRcInplaceEdit != NULL)
        m_rcInplaceEdit = *pRcInplaceEdit;
}

CExtPaintManager::DropButtonArgs_t::DropButtonArgs_t(
    CObject* pHelperSrc, const RECT& rc, bool bHover, bool bPushed, bool bEnabled, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_rc(rc), m_bHover(bHover),
      m_bPushed(bPushed), m_bEnabled(bEnabled), m_clrForceFace((COLORREF)-1),
      m_clrForceBorder((COLORREF)-1), m_clrForceGlyph((COLORREF)-1), m_bNoOuterFrame(false)
{
}

CExtPaintManager::ControlFrameArgs_t::ControlFrameArgs_t(
    CObject* pHelperSrc, const RECT& rc, bool bHover, bool bEnabled, bool bFocus, LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_rc(rc), m_bHover(bHover),
      m_bEnabled(bEnabled), m_bFocus(bFocus)
{
}

CExtPaintManager::ComboBoxArgs_t::ComboBoxArgs_t(
    CObject* pHelperSrc, UINT nDrawTextFlags, LPCTSTR sText, const RECT& rcWhole,
    const RECT& rcText, bool bDropButton, bool bHover, bool bDropped, bool bEnabled,
    LPARAM lParam)
    : m_pHelperSrc(pHelperSrc), m_lParam(lParam), m_nDrawTextFlags(nDrawTextFlags),
      m_sText(sText == NULL ? _T("") : sText), m_rcWhole(rcWhole), m_rcText(rcText),
      m_bDropButton(bDropButton), m_bHover(bHover), m_bDropped(bDropped), m_bEnabled(bEnabled)
{
}

CExtPaintManager::IconLabelItemArgs_t::IconLabelItemArgs_t()
    : m_pHelperSrc(NULL), m_lParam(0), m_pIcon1(NULL), m_pIcon2(NULL), m_nFlags(0),
      m_rcItem(0, 0, 0, 0), m_rcIcon(0, 0, 0, 0), m_rcLabel(0, 0, 0, 0), m_rcText(0, 0, 0, 0),
      m_sText(_T("")), m_nAlignFlags(0), m_hFont(NULL)
{
}

/////////////////////////////////////////////////////////////////////////////
// Construction

CExtPaintManager::CExtPaintManager()
    : m_mapColorTranslate(10), m_nDisabledTextStyle(DSS_DISABLED), m_bUseTahomaFont(false)
{
    m_mapColorTranslate.InitHashTable(17);
    MakeHalftonePalette();
    m_bUseTahomaFont = g_CurrentPaintManager.m_bIsWin2000OrLater;
}

CExtPaintManager::~CExtPaintManager()
{
    ResetColorTables();
    m_dcCached1.Release();
    m_dcCached2.Release();
    ReleaseFonts();
    for (int i = 0; i < HTB_COUNT; i++)
        m_brushHalftone[i].DeleteObject();
    m_paletteHalftone.DeleteObject();
    m_mapColorTranslate.RemoveAll();
}

// 252 colours: red outermost over seven levels, green and blue over six.
void CExtPaintManager::MakeHalftonePalette()
{
    const int nEntries = 252;
    BYTE buffer[sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nEntries];
    LOGPALETTE* pLogPalette = (LOGPALETTE*)buffer;
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = nEntries;
    int n = 0;
    for (int r = 0; r < 7; r++)
        for (int g = 0; g < 6; g++)
            for (int b = 0; b < 6; b++)
            {
                PALETTEENTRY& pe = pLogPalette->palPalEntry[n++];
                pe.peRed = (BYTE)(r * 255 / 6);
                pe.peGreen = (BYTE)(g * 255 / 5);
                pe.peBlue = (BYTE)(b * 255 / 5);
                pe.peFlags = 0;
            }
    m_paletteHalftone.DeleteObject();
    m_paletteHalftone.CreatePalette(pLogPalette);
}

void CExtPaintManager::ResetColorTables()
{
    m_colors.RemoveAll();
    m_brushes.RemoveAll();  // system brushes, never deleted
}

// Frees every font of the paint manager before they are made again for new settings.
void CExtPaintManager::ReleaseFonts()
{
    m_FontMarlett.DeleteObject();
    m_FontNormalSmall.DeleteObject();
    m_FontNormalVertSmall.DeleteObject();
    m_FontNormalVertXSmall.DeleteObject();
    m_FontBoldSmall.DeleteObject();
    m_FontBoldVertSmall.DeleteObject();
    m_FontBoldVertXSmall.DeleteObject();
    m_FontNormalVert.DeleteObject();
    m_FontNormalVertX.DeleteObject();
    m_FontBoldVert.DeleteObject();
    m_FontBoldVertX.DeleteObject();
    m_FontBold.DeleteObject();
    m_FontNormal.DeleteObject();
}

/////////////////////////////////////////////////////////////////////////////
// System colours and fonts

// Rebuilds the fonts and re-reads the system colours and brushes.
void CExtPaintManager::SyncSysColorsAndFonts()
{
    g_CurrentPaintManager.LoadThemeApi();
    ReleaseFonts();

    HFONT hNormal = CreateIconTitleFont(m_bUseTahomaFont);
    if (hNormal == NULL)
    {
        LOGFONT lfStock;
        HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hStock == NULL || ::GetObject(hStock, sizeof(lfStock), &lfStock) == 0)
        {
            hStock = ::GetStockObject(SYSTEM_FONT);
            if (hStock == NULL || ::GetObject(hStock, sizeof(lfStock), &lfStock) == 0)
                ::ZeroMemory(&lfStock, sizeof(lfStock));
        }
        hNormal = FontFromLogFont(lfStock);
    }
    if (hNormal != NULL)
        m_FontNormal.Attach(hNormal);

    LOGFONT lfNormal;
    ::ZeroMemory(&lfNormal, sizeof(lfNormal));
    if (m_FontNormal.GetSafeHandle() != NULL)
        m_FontNormal.GetLogFont(&lfNormal);

    LOGFONT lfBold = lfNormal;
    lfBold.lfWeight = 900;
    m_FontBold.CreateFontIndirect(&lfBold);

    LOGFONT lfMarlett = lfNormal;
    lfMarlett.lfWeight = 0;
    lfMarlett.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lfMarlett.lfCharSet = SYMBOL_CHARSET;
    lstrcpyn(lfMarlett.lfFaceName, _T("Marlett"), LF_FACESIZE);
    m_FontMarlett.CreateFontIndirect(&lfMarlett);

    const bool bArialFaces = g_CurrentPaintManager.m_bIsWin9x
        || g_CurrentPaintManager.m_bIsWinNT4;
    struct VertFont
    {
        CFont* pFont;
        const LOGFONT* pBase;
        LONG nEscapement;
    };
    const VertFont verts[] = { { &m_FontNormalVert, &lfNormal, 2700 },
                               { &m_FontNormalVertX, &lfNormal, 900 },
                               { &m_FontBoldVert, &lfBold, 2700 },
                               { &m_FontBoldVertX, &lfBold, 900 } };
    for (const VertFont& v : verts)
    {
        LOGFONT lf = *v.pBase;
        lf.lfEscapement = v.nEscapement;
        if (bArialFaces)
            lstrcpyn(lf.lfFaceName, _T("Arial"), LF_FACESIZE);
        v.pFont->CreateFontIndirect(&lf);
    }

    struct SmallFont
    {
        CFont* pSmall;
        CFont* pSource;
    };
    const SmallFont smalls[] = { { &m_FontNormalSmall, &m_FontNormal },
                                 { &m_FontNormalVertSmall, &m_FontNormalVert },
                                 { &m_FontNormalVertXSmall, &m_FontNormalVertX },
                                 { &m_FontBoldSmall, &m_FontBold },
                                 { &m_FontBoldVertSmall, &m_FontBoldVert },
                                 { &m_FontBoldVertXSmall, &m_FontBoldVertX } };
    for (const SmallFont& s : smalls)
    {
        if (s.pSource->GetSafeHandle() == NULL)
            continue;
        LOGFONT lf;
        s.pSource->GetLogFont(&lf);
        if (lf.lfHeight < -11)
            lf.lfHeight = -11;
        s.pSmall->CreateFontIndirect(&lf);
    }

    if (m_colors.GetSize() < SYS_COLOR_COUNT)
        m_colors.SetSize(SYS_COLOR_COUNT);
    if (m_brushes.GetSize() < SYS_COLOR_COUNT)
        m_brushes.SetSize(SYS_COLOR_COUNT);
    for (int i = 0; i < SYS_COLOR_COUNT; i++)
    {
        m_colors[i] = ::GetSysColor(i);
        m_brushes[i] = ::GetSysColorBrush(i);
    }
}

// Logical colour map of the classic look.
void CExtPaintManager::InitLogicalColors()
{
    // Derived colours are appended behind the system colours on every rebuild; drop the
    // previous ones so that the table does not grow with each system change.
    if (m_colors.GetSize() > SYS_COLOR_COUNT)
        m_colors.SetSize(SYS_COLOR_COUNT);
    m_mapColorTranslate.RemoveAll();
    m_mapColorTranslate[LC_FACE_NORMAL] = COLOR_3DFACE;
    m_mapColorTranslate[LC_FACE_HOT] = COLOR_3DFACE;
    m_mapColorTranslate[LC_XP_BAR_FACE] = COLOR_3DFACE;
    m_mapColorTranslate[LC_LIGHT_NORMAL] = COLOR_3DLIGHT;
    m_mapColorTranslate[LC_LIGHT_HOT] = COLOR_3DLIGHT;
    m_mapColorTranslate[LC_XP_SEPARATOR] = COLOR_3DLIGHT;
    m_mapColorTranslate[LC_HIGHLIGHT_NORMAL] = COLOR_BTNHIGHLIGHT;
    m_mapColorTranslate[LC_HIGHLIGHT_HOT] = COLOR_BTNHIGHLIGHT;
    m_mapColorTranslate[LC_XP_HOT_BORDER] = COLOR_BTNHIGHLIGHT;
    m_mapColorTranslate[LC_SHADOW_NORMAL] = COLOR_BTNSHADOW;
    m_mapColorTranslate[LC_SHADOW_HOT] = COLOR_BTNSHADOW;
    m_mapColorTranslate[LC_XP_HOT_TEXT] = COLOR_BTNSHADOW;
    m_mapColorTranslate[LC_DKSHADOW_NORMAL] = COLOR_3DDKSHADOW;
    m_mapColorTranslate[LC_DKSHADOW_HOT] = COLOR_3DDKSHADOW;
    m_mapColorTranslate[LC_XP_WINDOW_FACE] = COLOR_3DDKSHADOW;
    m_mapColorTranslate[LC_TEXT_NORMAL] = COLOR_WINDOWTEXT;
    m_mapColorTranslate[LC_TEXT_HOT] = COLOR_WINDOWTEXT;
    m_mapColorTranslate[LC_XP_SYS_FACE] = COLOR_BTNSHADOW;
}

// The twelve half-tone brushes: dithers at 8 bits per pixel or fewer, else solid mixes.
void CExtPaintManager::InitHalftoneBrushes()
{
    for (int i = 0; i < HTB_COUNT; i++)
        m_brushHalftone[i].DeleteObject();

    COLORREF F = GetColor(COLOR_3DFACE), H = GetColor(COLOR_3DHILIGHT),
             S = GetColor(COLOR_3DSHADOW), D = GetColor(COLOR_3DDKSHADOW);
    COLORREF sF = ::GetSysColor(COLOR_3DFACE), sH = ::GetSysColor(COLOR_3DHILIGHT),
             sS = ::GetSysColor(COLOR_3DSHADOW), sD = ::GetSysColor(COLOR_3DDKSHADOW);

    if (GetScreenColorDepth() <= 8)
    {
        struct Dither
        {
            int nBrush;
            COLORREF c1, c2;
            int nNum, nDen;
            bool bCheckerboard;
        };
        const Dither dithers[] = {
            { HTB_LIGHT_1_2, F, H, 1, 2, true },     { HTB_LIGHT_3_5, F, H, 3, 5, false },
            { HTB_LIGHT_4_5, F, H, 4, 5, false },    { HTB_SHADOW_1_2, S, F, 1, 2, false },
            { HTB_SHADOW_2_5, S, F, 2, 5, false },   { HTB_SHADOW_1_5, D, S, 1, 2, true },
            { HTB_LIGHT_1_2_SYS, sF, sH, 1, 2, false }, { HTB_LIGHT_3_5_SYS, sF, sH, 3, 5, false },
            { HTB_LIGHT_4_5_SYS, sF, sH, 4, 5, false }, { HTB_SHADOW_1_2_SYS, sS, sF, 1, 2, false },
            { HTB_SHADOW_2_5_SYS, sS, sF, 2, 5, false }, { HTB_SHADOW_1_5_SYS, sD, sS, 1, 2, true },
        };
        for (const Dither& d : dithers)
        {
            HBITMAP hBitmap = d.bCheckerboard ? CreateDitherBitmap(d.c1, d.c2, 1, 1, 0, 0)
                                              : CreateOrderedDither(d.c1, d.c2, d.nNum, d.nDen);
            if (hBitmap == NULL)
                continue;
            HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
            ::DeleteObject(hBitmap);
            if (hBrush != NULL)
                m_brushHalftone[d.nBrush].Attach(hBrush);
        }
        return;
    }

    m_brushHalftone[HTB_LIGHT_1_2].CreateSolidBrush(MixChannels(F, H, 1, 2));
    m_brushHalftone[HTB_LIGHT_3_5].CreateSolidBrush(MixChannels(F, H, 3, 5));
    m_brushHalftone[HTB_LIGHT_4_5].CreateSolidBrush(MixChannels(F, H, 4, 5));
    m_brushHalftone[HTB_SHADOW_1_2].CreateSolidBrush(MixChannels(S, F, 1, 2));
    m_brushHalftone[HTB_SHADOW_2_5].CreateSolidBrush(MixChannels(S, F, 2, 5));
    m_brushHalftone[HTB_SHADOW_1_5].CreateSolidBrush(MixChannels(S, F, 1, 5));
    m_brushHalftone[HTB_LIGHT_1_2_SYS].CreateSolidBrush(MixChannels(sF, sH, 1, 2));
    m_brushHalftone[HTB_LIGHT_3_5_SYS].CreateSolidBrush(MixChannels(sF, sH, 3, 5));
    m_brushHalftone[HTB_LIGHT_4_5_SYS].CreateSolidBrush(MixChannels(sF, sH, 4, 5));
    m_brushHalftone[HTB_SHADOW_1_2_SYS].CreateSolidBrush(MixChannels(sS, sF, 1, 2));
    m_brushHalftone[HTB_SHADOW_2_5_SYS].CreateSolidBrush(MixChannels(sS, sF, 2, 5));
    m_brushHalftone[HTB_SHADOW_1_5_SYS].CreateSolidBrush(MixChannels(sS, sF, 1, 5));
}

// Both heights measured in a screen DC: (bold or normal) + 2 and normal + 2.
std::pair<int, int> CExtPaintManager::GetTextHeights(bool bBold)
{
    std::pair<int, int> heights(2, 2);
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return heights;
    TEXTMETRIC tm;
    CFont* pFirst = bBold ? &m_FontBold : &m_FontNormal;
    HGDIOBJ hOld = ::SelectObject(hDC, pFirst->GetSafeHandle() != NULL
                                           ? pFirst->GetSafeHandle()
                                           : ::GetStockObject(DEFAULT_GUI_FONT));
    if (::GetTextMetrics(hDC, &tm))
        heights.first = tm.tmHeight + 2;
    ::SelectObject(hDC, m_FontNormal.GetSafeHandle() != NULL
                            ? m_FontNormal.GetSafeHandle()
                            : ::GetStockObject(DEFAULT_GUI_FONT));
    if (::GetTextMetrics(hDC, &tm))
        heights.second = tm.tmHeight + 2;
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(NULL, hDC);
    return heights;
}

/////////////////////////////////////////////////////////////////////////////
// Interface: colours, brushes and metrics

int CExtPaintManager::GetStyleKind()
{
    return 1;
}

int CExtPaintManager::GetMenuSeparatorHeight()
{
    return 6;
}

// Colours of a box: a fixed blue set, or the system colours of a window or face fill.
void CExtPaintManager::GetBoxColors(bool bWindowFill, bool bFixedSet, COLORREF& clrFill,
                                    COLORREF& clrBorder, COLORREF& clrGradientStart,
                                    COLORREF& clrGradientEnd, COLORREF& clrText)
{
    if (bFixedSet)
    {
        clrText = clrFill = clrBorder = RGB(0x00, 0x00, 0x80);  // 0x800000
        clrGradientStart = RGB(0xE9, 0xE9, 0xF4);               // 0xF4E9E9
        clrGradientEnd = RGB(0xB3, 0xB3, 0xD9);                 // 0xD9B3B3
        return;
    }
    clrText = GetColor(COLOR_BTNTEXT);
    clrFill = GetColor(bWindowFill ? COLOR_WINDOW : COLOR_3DFACE);
    clrBorder = GetColor(COLOR_3DSHADOW);
    clrGradientStart = clrGradientEnd = GetColor(COLOR_3DFACE);
}

void CExtPaintManager::GetLightBoxColors(bool bWindowFace, bool /*bReserved*/,
                                         COLORREF& clrBorder, COLORREF& clrFill,
                                         COLORREF& clrFill2, COLORREF& clrText)
{
    clrText = GetColor(COLOR_BTNTEXT);
    clrBorder = GetColor(COLOR_3DSHADOW);
    clrFill = clrFill2 = GetColor(bWindowFace ? COLOR_WINDOW : COLOR_3DLIGHT);
}

bool CExtPaintManager::IsThemeColorSchemeActive()
{
    return false;
}

int CExtPaintManager::GetThemeColorScheme()
{
    return g_CurrentPaintManager.m_eThemeColorScheme;
}

// Releases both cached DCs.
void CExtPaintManager::OnPaintSessionComplete(CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
    m_dcCached1.Release();
    m_dcCached2.Release();
}

HBRUSH CExtPaintManager::GetBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_brushes.GetSize())
        nIndex = COLOR_3DFACE;
    if (nIndex >= m_brushes.GetSize())
        return ::GetSysColorBrush(COLOR_3DFACE);
    return m_brushes[nIndex];
}

// The colour of a system or translated (1000 and up) index; the face colour for an unknown one.
COLORREF CExtPaintManager::GetColor(int nColorIndex, CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
    if (nColorIndex >= 1000)
    {
        int nIndex = COLOR_3DFACE;
        if (!m_mapColorTranslate.Lookup(nColorIndex, nIndex))
            nIndex = COLOR_3DFACE;
        nColorIndex = nIndex;
    }
    if (nColorIndex < 0 || nColorIndex >= m_colors.GetSize())
        nColorIndex = COLOR_3DFACE;
    if (nColorIndex >= m_colors.GetSize())
        return ::GetSysColor(COLOR_3DFACE);     // before the first colour sync
    return m_colors[nColorIndex];
}

COLORREF CExtPaintManager::GetMenuFaceColor(CObject* pHelperSrc, LPARAM lParam)
{
    return GetColor(LC_FACE_NORMAL, pHelperSrc, lParam);
}

COLORREF CExtPaintManager::GetPopupCaptureColorKey()
{
    return (COLORREF)-1;
}

// Non-client borders of a fixed-size bar: 1 x 3 docked vertically, else 3 x 1.
void CExtPaintManager::AdjustBarNcRect(CExtControlBar* pBar, RECT* pRect)
{
    if (pRect == NULL)
        return;
    bool bVert = pBar != NULL && g_BarLinks.m_pfnIsDockedVertically != NULL
        && g_BarLinks.m_pfnIsDockedVertically(pBar);
    if (bVert)
        ::InflateRect(pRect, -1, -3);
    else
        ::InflateRect(pRect, -3, -1);
}

int CExtPaintManager::GetToolBarRowSpacing(CExtToolControlBar* pBar)
{
    if (pBar != NULL && g_BarLinks.m_pfnIsMenuBar != NULL && g_BarLinks.m_pfnIsMenuBar(pBar))
        return 0;
    return 6;
}

bool CExtPaintManager::WantsToolBarRowPainting()
{
    return false;
}

void CExtPaintManager::GetPushedOffset(SIZE* pSize)
{
    if (pSize != NULL)
        pSize->cx = pSize->cy = 1;
}

void CExtPaintManager::DrawToolBarRow()
{
}

int CExtPaintManager::GetMenuExpandButtonHeight()
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

void CExtPaintManager::GetTabItemMargins(CExtTabWnd* pTabWnd, int& nMarginBefore,
                                         int& nMarginAfter, int& nMarginOuter)
{
    nMarginBefore = 4;
    nMarginAfter = 2;
    int nValue = (pTabWnd != NULL && g_BarLinks.m_pfnTabMarginValue != NULL)
        ? g_BarLinks.m_pfnTabMarginValue(pTabWnd) : 0;
    if (nValue >= 0)
        nMarginOuter = 2;
}

void CExtPaintManager::GetInsertMarkSize(SIZE* pSize)
{
    if (pSize != NULL)
        pSize->cx = pSize->cy = 6;
}

int CExtPaintManager::GetTextHeight(bool bBold)
{
    std::pair<int, int> heights = GetTextHeights(bBold);
    return bBold ? heights.first : heights.second;
}

int CExtPaintManager::GetMenuShadowSize()
{
    return 4;
}

int CExtPaintManager::GetMenuBorderSize()
{
    return 2;
}

bool CExtPaintManager::IsFlatStyle()
{
    return false;
}

int CExtPaintManager::GetDockingMarkerStyle()
{
    return 0;
}

int CExtPaintManager::GetAutoHideTabStyle()
{
    return 0;
}

bool CExtPaintManager::WantsParentBackground(CWnd* /*pWnd*/, LPARAM /*lParam*/)
{
    return false;
}

void CExtPaintManager::OnSysColorChange()
{
    OnPaintSessionComplete(this);
    SyncSysColorsAndFonts();
    InitLogicalColors();
    InitHalftoneBrushes();
}

void CExtPaintManager::OnSettingChange(UINT /*uFlags*/, LPCTSTR /*lpszSection*/)
{
    OnPaintSessionComplete(this);
    SyncSysColorsAndFonts();
    InitLogicalColors();
    InitHalftoneBrushes();
}

void CExtPaintManager::OnDisplayChange(int /*nDepthBPP*/, int /*nResolutionX*/,
                                       int /*nResolutionY*/)
{
    OnPaintSessionComplete(this);
    SyncSysColorsAndFonts();
    InitLogicalColors();
    InitHalftoneBrushes();
}

void CExtPaintManager::OnThemeChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    OnPaintSessionComplete(this);
    SyncSysColorsAndFonts();
    InitLogicalColors();
    InitHalftoneBrushes();
}

void CExtPaintManager::GetToolBarExtraSize(SIZE* pSize)
{
    if (pSize != NULL)
        pSize->cx = pSize->cy = 0;
}

int CExtPaintManager::GetIconEffectParameter()
{
    return -1;
}

double CExtPaintManager::GetIconEffectFactor()
{
    return 0.0;
}

void CExtPaintManager::GetBarButtonExtent(SIZE* pSize)
{
    if (pSize != NULL)
        pSize->cx = pSize->cy = 0;
}

void CExtPaintManager::OnToolBarPainted(CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
}

int CExtPaintManager::HitTestCustom(CObject* /*pHelperSrc*/, const POINT& /*pt*/,
                                    LPARAM /*lParam*/)
{
    return -1;
}

bool CExtPaintManager::DrawCustom(CDC& /*dc*/, CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// Small shared drawing steps

void CExtPaintManager::Frame(CDC& dc, const RECT& rc, int nIdTopLeft, int nIdBottomRight,
                             CObject* pHelperSrc, LPARAM lParam)
{
    dc.Draw3dRect(&rc, GetColor(nIdTopLeft, pHelperSrc, lParam),
                  GetColor(nIdBottomRight, pHelperSrc, lParam));
}

void CExtPaintManager::FillId(CDC& dc, const RECT& rc, int nId, CObject* pHelperSrc,
                              LPARAM lParam)
{
    dc.FillSolidRect(&rc, GetColor(nId, pHelperSrc, lParam));
}

// Glyph table entry nGlyph centred in one colour.
void CExtPaintManager::DrawGlyphIndex(CDC& dc, const RECT& rc, int nGlyph, COLORREF clr)
{
    COLORREF colors[2] = { 0, clr };
    DrawGlyphCentered(dc, rc, GetGlyph(nGlyph), colors);
}

/////////////////////////////////////////////////////////////////////////////
// CExtPaintManagerXP: construction, colours and metrics

// The XP look with its own chevron glyphs; the colour indexes stay unset (-1) until the colours are read.
CExtPaintManagerXP::CExtPaintManagerXP()
    : m_bEnabledHoverIconShadows(true), m_bSquareDottedFrame(true), m_bSwapChevronGlyphs(false),
      m_pGlyphChevronArrowH(&g_glyphChevronArrowH),
      m_pGlyphChevronExpandH(&g_glyphChevronExpandH),
      m_pGlyphChevronArrowV(&g_glyphChevronArrowV),
      m_pGlyphChevronExpandV(&g_glyphChevronExpandV)
{
    for (int i = 0; i < 3; i++)
    {
        m_nIdxClrMenuBandNormal[i] = -1;
        m_nIdxClrMenuBandRarely[i] = -1;
    }
    for (int i = 0; i < 2; i++)
    {
        m_nIdxClrBtnHover[i] = -1;
        m_nIdxClrBtnPushed[i] = -1;
        m_nIdxClrBtnHoverPushed[i] = -1;
    }
}

CExtPaintManagerXP::~CExtPaintManagerXP()
{
}

bool CExtPaintManagerXP::IsGradientSet(const int* pIds, int nCount)
{
    for (int i = 0; i < nCount; i++)
        if (pIds[i] < 0)
            return false;
    return true;
}

int CExtPaintManagerXP::GetStyleKind()
{
    return 2;
}

int CExtPaintManagerXP::GetMenuSeparatorHeight()
{
    return 1;
}

bool CExtPaintManagerXP::IsThemeColorSchemeActive()
{
    return g_CurrentPaintManager.m_bUxThemeLoaded && g_CurrentPaintManager.m_bUseThemeColors
        && GetThemeColorScheme() != 0;
}

COLORREF CExtPaintManagerXP::GetMenuFaceColor(CObject* pHelperSrc, LPARAM lParam)
{
    return GetColor(LC_XP_MENU_FACE, pHelperSrc, lParam);
}

// Logical colour map of the flat look: derived colours appended to the colour table.
void CExtPaintManagerXP::InitLogicalColors()
{
    m_nDisabledTextStyle = DSS_MONO;
    CExtPaintManager::InitLogicalColors();

    const bool bDeep = GetScreenColorDepth() > 8;
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrHilight = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    const COLORREF clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    const COLORREF clrBtnText = ::GetSysColor(COLOR_BTNTEXT);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);

    COLORREF clrMenuWindow = clrWindow, clrFaceLight = clrFace, clrHotTint = clrFace,
             clrPushedTint = clrShadow, clrShadowMix = clrShadow, clrFace857 = clrShadow,
             clrIconBand = clrShadow, clrTextHot = clrHilight, clrHotBorder = clrBtnText;
    if (bDeep)
    {
        int r = GetRValue(clrWindow), g = GetGValue(clrWindow), b = GetBValue(clrWindow);
        clrMenuWindow = HLSAdjustColor(RGB(r - ::MulDiv(r, 2, 85), g - ::MulDiv(g, 5, 182),
                                           b - ::MulDiv(b, 10, 319)),
                                       0.0, 0.1, -0.08);
        clrFaceLight = HLSAdjustColor(clrFace, 0.0, 0.2, 0.0);
        const bool bScheme = IsThemeColorSchemeActive();
        clrHotTint = bScheme ? HLSAdjustColor(clrHighlight, 0.0, 0.65, 0.0)
                             : HLSAdjustColor(clrHighlight, 0.0, 0.7, -0.7);
        clrPushedTint = bScheme ? HLSAdjustColor(clrHighlight, 0.0, 0.4, 0.0)
                                : HLSAdjustColor(clrHighlight, 0.0, 0.5, -0.7);
        clrShadowMix = RGB((3 * GetRValue(clrShadow) + GetRValue(clrDkShadow)) * 250 / 1000,
                           (3 * GetGValue(clrShadow) + GetGValue(clrDkShadow)) * 250 / 1000,
                           (3 * GetBValue(clrShadow) + GetBValue(clrDkShadow)) * 250 / 1000);
        clrFace857 = RGB(GetRValue(clrFace) * 857 / 1000, GetGValue(clrFace) * 857 / 1000,
                         GetBValue(clrFace) * 857 / 1000);
        clrIconBand = RGB(GetRValue(clrFace) * 999 / 1000, GetGValue(clrFace) * 995 / 1000,
                          GetBValue(clrFace) * 995 / 1000);
        clrTextHot = RGB(0, 0, 0);
        clrHotBorder = clrHighlight;
    }

    CMap<int, int, int, int>& map = m_mapColorTranslate;
    int n = (int)m_colors.Add(clrFaceLight);
    map[LC_FACE_NORMAL] = n;
    n = (int)m_colors.Add(clrHotTint);
    map[LC_FACE_HOT] = n;
    map[LC_XP_BAR_FACE] = COLOR_3DFACE;
    n = (int)m_colors.Add(clrShadowMix);
    for (int id = LC_LIGHT_NORMAL; id <= LC_DKSHADOW_HOT; id++)
        map[id] = n;
    map[LC_XP_SEPARATOR] = n;
    map[LC_XP_HOT_BORDER] = n;
    map[LC_XP_HOT_TEXT] = n;
    map[LC_XP_WINDOW_FACE] = n;
    map[LC_TEXT_NORMAL] = COLOR_WINDOWTEXT;
    n = (int)m_colors.Add(clrTextHot);
    map[LC_TEXT_HOT] = n;
    map[LC_XP_SYS_FACE] = COLOR_3DFACE;
    n = (int)m_colors.Add(clrFace857);
    map[LC_XP_DIM_BORDER] = n;
    map[LC_XP_HOT_TEXT] = COLOR_HIGHLIGHTTEXT;
    map[LC_XP_BAR_FACE] = (int)m_colors.Add(clrFaceLight);
    map[LC_XP_MENU_FACE] = (int)m_colors.Add(clrMenuWindow);
    map[LC_XP_SEPARATOR] = (int)m_colors.Add(clrFace857);
    map[LC_XP_PUSHED_FACE] = (int)m_colors.Add(clrPushedTint);
    map[LC_XP_HOT_BORDER] = (int)m_colors.Add(clrHotBorder);
    map[LC_XP_ICON_BAND] = (int)m_colors.Add(clrIconBand);
    map[LC_XP_MENU_BORDER] = (int)m_colors.Add(HLSAdjustColor(clrShadow, 0.0, -0.24, 0.0));
    map[LC_XP_WINDOW_FACE] = (int)m_colors.Add(clrMenuWindow);
    COLORREF clrFaceNow = GetColor(LC_FACE_NORMAL);
    map[LC_XP_FACE_COPY] = (int)m_colors.Add(clrFaceNow);
}

void CExtPaintManagerXP::GetPushedOffset(SIZE* pSize)
{
    if (pSize != NULL)
        pSize->cx = pSize->cy = 0;
}

int CExtPaintManagerXP::GetMenuBorderSize()
{
    return 1;
}

bool CExtPaintManagerXP::IsFlatStyle()
{
    return true;
}
