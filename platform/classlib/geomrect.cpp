// geomrect.cpp - CRect operations that are not inline, and the archive form
// of SIZE, POINT and RECT (32-bit values in member order).

#include "afx.h"

// Swaps the sides so that left <= right and top <= bottom.
void CRect::NormalizeRect()
{
    if (left > right)
    {
        LONG nTemp = left;
        left = right;
        right = nTemp;
    }
    if (top > bottom)
    {
        LONG nTemp = top;
        top = bottom;
        bottom = nTemp;
    }
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
    return ar << size.cx << size.cy;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
    return ar << point.x << point.y;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
    return ar >> size.cx >> size.cy;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
    return ar >> point.x >> point.y;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
