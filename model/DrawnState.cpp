// DrawnState.cpp - the state an element's drawing depends on, as bytes to compare.

#include "ElementDraw.h"
#include "Elements.h"

#include <stdlib.h>

#include <string>

namespace
{
// States of elements whose record could not be made: each one differs from every other.
volatile LONG g_nUnrecorded = 0;

template <class T>
void MixValue(std::string& state, const T& value)
{
    state.append(reinterpret_cast<const char*>(&value), sizeof(value));
}
}

// The element's record, its picture's address and the values the record leaves out.
void GetElementDrawnState(CElement* pElement, std::string& state, std::shared_ptr<Gdiplus::Bitmap>* pPicture)
{
    state.clear();
    if (pPicture != NULL)
        pPicture->reset();
    if (pElement == NULL)
        return;
    const CRuntimeClass* pClass = pElement->GetRuntimeClass();
    MixValue(state, pClass);

    // The stored record; a picture counts by its object, which is replaced, never
    // changed in place.
    try
    {
        CMemFile file(512);
        {
            CArchive ar(&file, CArchive::store);
            if (CBtImage* pImage = DYNAMIC_DOWNCAST(CBtImage, pElement))
            {
                pImage->CElement::Serialize(ar);
                ar << pImage->m_nWidth << pImage->m_nHeight;
                MixValue(state, static_cast<const void*>(pImage->m_pBitmap.get()));
                if (pPicture != NULL)
                    *pPicture = pImage->m_pBitmap;
            }
            else if (CBkgImage* pBackground = DYNAMIC_DOWNCAST(CBkgImage, pElement))
            {
                pBackground->CElement::Serialize(ar);
                MixValue(state, static_cast<const void*>(pBackground->m_pBitmap.get()));
                if (pPicture != NULL)
                    *pPicture = pBackground->m_pBitmap;
            }
            else
            {
                pElement->Serialize(ar);
            }
            ar.Close();
        }
        const UINT nLength = (UINT)file.GetLength();
        BYTE* pBytes = file.Detach();
        if (pBytes != NULL)
        {
            state.append(reinterpret_cast<const char*>(pBytes), nLength);
            free(pBytes);
        }
    }
    catch (CException* e)
    {
        e->Delete();
        MixValue(state, InterlockedIncrement(&g_nUnrecorded));
    }

    // what the record leaves out (the colours' alpha, the shadow), or holds only within the
    // file's limits
    MixValue(state, pElement->m_rect);
    MixValue(state, pElement->m_nLineWidth);
    MixValue(state, pElement->m_nShadowLength);
    MixValue(state, pElement->m_clrShadow);
    MixValue(state, pElement->m_clrText);
    MixValue(state, pElement->m_clrLine);
    MixValue(state, pElement->m_clrFill);
    MixValue(state, pElement->m_clrPattern);
    MixValue(state, pElement->m_nSide);
    MixValue(state, pElement->m_nKind);
    if (pElement->m_font.GetSafeHandle() != NULL)
    {
        LOGFONT lf;
        memset(&lf, 0, sizeof(lf));
        pElement->m_font.GetLogFont(&lf);
        MixValue(state, lf);
    }
}
