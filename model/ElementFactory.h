// ElementFactory.h - new elements by kind code: the element a drawing tool makes between
// two points, the size a click gives it and the text it starts with.
//
// Notes
// - Only the kinds drawn between two points are made: shapes, lines, curves and texts.
//   Pictures and any other code give NULL.
// - A new element has its class's defaults; the document's shadow and side are the
//   caller's to give.

#pragma once

#include "Element.h"

// A press and release no farther apart than this (per axis) make a click.
const int CLICK_SLOP = 2;

// New element of the kind spanning ptStart and ptEnd, owned by the caller; NULL for a kind
// that is not drawn between two points.
CElement* CreateElementOfKind(short nKind, CPoint ptStart, CPoint ptEnd);

// Size of the element a click without drag makes with the kind's tool.
CSize GetClickSize(short nKind);

// End point of a drawing from ptStart to ptEnd: an axis moved at most CLICK_SLOP takes the
// click size. A height of 50 comes first; a small horizontal move sets the width, and for
// the kinds whose click height is not 50 the height too.
CPoint GetClickEndPoint(short nKind, CPoint ptStart, CPoint ptEnd);

// Text a new element of the kind starts with; NULL for kinds without text.
LPCSTR GetInitialText(short nKind);
