// ctlimage.cpp - CImageList.

#include "afxcmn.h"
#include <unordered_map>

/////////////////////////////////////////////////////////////////////////////
// Handle maps of this thread: lists owned by objects, and wrappers made by
// FromHandle for lists nobody here owns (kept until DeleteTempMap).

namespace
{

struct CImageListMaps
{
    std::unordered_map<HIMAGELIST, CImageList*> m_perm;
    std::unordered_map<HIMAGELIST, CImageList*> m_temp;

    ~CImageListMaps() { DeleteTemps(); }

    void DeleteTemps()
    {
        std::unordered_map<HIMAGELIST, CImageList*> temps;
        temps.swap(m_temp);
        for (auto& entry : temps)
        {
            entry.second->m_hImageList = NULL;     // borrowed handle
            delete entry.second;
        }
    }
};

void NTAPI FreeImageListMaps(void* pData)
{
    delete static_cast<CImageListMaps*>(pData);
}

// The maps live in a fiber-local slot whose callback frees them when the thread ends.
CImageListMaps& GetMaps()
{
    static const DWORD s_nSlot = ::FlsAlloc(FreeImageListMaps);
    CImageListMaps* pMaps = static_cast<CImageListMaps*>(::FlsGetValue(s_nSlot));
    if (pMaps == NULL)
    {
        pMaps = new CImageListMaps;
        ::FlsSetValue(s_nSlot, pMaps);
    }
    return *pMaps;
}

} // namespace

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::CImageList()
{
    m_hImageList = NULL;
}

CImageList::~CImageList()
{
    DeleteImageList();
}

// The object of an image list handle; a temporary one, freed at idle time, if none is attached.
CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    if (hImageList == NULL)
        return NULL;
    CImageListMaps& maps = GetMaps();
    auto perm = maps.m_perm.find(hImageList);
    if (perm != maps.m_perm.end())
        return perm->second;
    auto temp = maps.m_temp.find(hImageList);
    if (temp != maps.m_temp.end())
        return temp->second;
    CImageList* pImageList = new CImageList;
    pImageList->m_hImageList = hImageList;
    maps.m_temp[hImageList] = pImageList;
    return pImageList;
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    CImageListMaps& maps = GetMaps();
    auto perm = maps.m_perm.find(hImageList);
    return perm != maps.m_perm.end() ? perm->second : NULL;
}

void PASCAL CImageList::DeleteTempMap()
{
    GetMaps().DeleteTemps();
}

// Takes ownership of a handle, replacing a temporary wrapper of it; FALSE if already attached.
BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == NULL || m_hImageList != NULL)
        return FALSE;
    CImageListMaps& maps = GetMaps();
    auto temp = maps.m_temp.find(hImageList);
    if (temp != maps.m_temp.end())
    {
        temp->second->m_hImageList = NULL;
        delete temp->second;
        maps.m_temp.erase(temp);
    }
    maps.m_perm[hImageList] = this;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST hImageList = m_hImageList;
    if (hImageList != NULL)
    {
        CImageListMaps& maps = GetMaps();
        auto perm = maps.m_perm.find(hImageList);
        if (perm != maps.m_perm.end() && perm->second == this)
            maps.m_perm.erase(perm);
    }
    m_hImageList = NULL;
    return hImageList;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == NULL)
        return FALSE;
    return ImageList_Destroy(Detach());
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    AfxInitCommonControls();
    return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    AfxInitCommonControls();
    HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return Attach(ImageList_LoadImageA(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
                                       LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    if (pImageList == NULL || pImageList->m_hImageList == NULL)
        return FALSE;
    return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
COLORREF CImageList::SetBkColor(COLORREF cr) { return ImageList_SetBkColor(m_hImageList, cr); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }
BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    { return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo); }
BOOL CImageList::SetImageCount(UINT uNewCount) { return ImageList_SetImageCount(m_hImageList, uNewCount); }

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(),
                         (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }
BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
                             (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Replace(int nImage, HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon); }
HICON CImageList::ExtractIcon(int nImage) { return ImageList_GetIcon(m_hImageList, nImage, ILD_NORMAL); }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::DrawIndirect(IMAGELISTDRAWPARAMS* pimldp)
{
    pimldp->cbSize = sizeof(IMAGELISTDRAWPARAMS);
    pimldp->himl = m_hImageList;
    return ImageList_DrawIndirect(pimldp);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
    { return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay); }
BOOL CImageList::Copy(int iDst, int iSrc, UINT uFlags)
    { return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, uFlags); }

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
    { return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y); }
void PASCAL CImageList::EndDrag() { ImageList_EndDrag(); }
BOOL PASCAL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
    { return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y); }
BOOL PASCAL CImageList::DragShowNolock(BOOL bShow) { return ImageList_DragShowNolock(bShow); }
BOOL PASCAL CImageList::DragEnter(CWnd* pWndLock, CPoint point)
    { return ImageList_DragEnter(pWndLock->GetSafeHwnd(), point.x, point.y); }
BOOL PASCAL CImageList::DragLeave(CWnd* pWndLock) { return ImageList_DragLeave(pWndLock->GetSafeHwnd()); }
