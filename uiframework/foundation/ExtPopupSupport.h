// ExtPopupSupport.h - cursors that the framework loads at start.
//
// Declares the process-wide cursors of the control bars and the tab windows.
//
// Notes
// - The cursors are the system's shared cursors (LoadCursor with a NULL instance); they
//   are loaded during static initialisation and never destroyed.
// - The small shared routines of the popup menu (AreWindowsRelated, IsModifierKeyDown,
//   BringChainToTop, ...) are members of CExtPopupMenuWnd (ExtPopupMenuWnd.h) and live in
//   ExtPopupSupport.cpp.

#pragma once

#include "afxwin.h"

// Cursors of the control bars
extern HCURSOR g_hCursorArrow;          // IDC_ARROW
extern HCURSOR g_hCursorDrag;           // IDC_SIZEALL
extern HCURSOR g_hCursorResizeV;        // IDC_SIZENS
extern HCURSOR g_hCursorResizeH;        // IDC_SIZEWE
// Cursor of the tab windows
extern HCURSOR g_hCursorTabArrow;       // IDC_ARROW
