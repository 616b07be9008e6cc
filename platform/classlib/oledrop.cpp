// oledrop.cpp - COleDropTarget: a window as an OLE drop target.

#include "afxole.h"

/////////////////////////////////////////////////////////////////////////////
// The IDropTarget of a target. It has references of its own (the target's one
// and those OLE or a drag source hold); the target disconnects it on Revoke, and
// a disconnected object answers every call with DROPEFFECT_NONE.

class COleDropTarget::CDropTargetImpl : public IDropTarget
{
public:
    CDropTargetImpl(COleDropTarget* pOwner, HWND hWnd)
        : m_nRefs(1), m_pOwner(pOwner), m_hWnd(hWnd), m_lpDataObject(NULL)
    {
    }

    void Disconnect()
    {
        m_pOwner = NULL;
        ReleaseData();
    }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget))
        {
            *ppvObject = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override
    {
        return (ULONG)::InterlockedIncrement(&m_nRefs);
    }
    STDMETHODIMP_(ULONG) Release() override
    {
        LONG nRefs = ::InterlockedDecrement(&m_nRefs);
        if (nRefs == 0)
        {
            ReleaseData();
            delete this;
        }
        return (ULONG)nRefs;
    }

    // IDropTarget
    STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                           DWORD* pdwEffect) override
    {
        if (pdwEffect == NULL)
            return E_INVALIDARG;
        CSelfRef self(this);
        ReleaseData();
        if (m_pOwner == NULL)
        {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        m_lpDataObject = pDataObj;
        if (m_lpDataObject != NULL)
            m_lpDataObject->AddRef();
        *pdwEffect = AskEffect(true, grfKeyState, pt, *pdwEffect);
        return S_OK;
    }
    STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override
    {
        if (pdwEffect == NULL)
            return E_INVALIDARG;
        CSelfRef self(this);
        if (m_pOwner == NULL)
        {
            *pdwEffect = DROPEFFECT_NONE;
            return S_OK;
        }
        *pdwEffect = AskEffect(false, grfKeyState, pt, *pdwEffect);
        return S_OK;
    }
    STDMETHODIMP DragLeave() override
    {
        CSelfRef self(this);
        if (m_pOwner != NULL)
            m_pOwner->OnDragLeave(GetWnd());
        ReleaseData();
        return S_OK;
    }
    STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt,
                      DWORD* pdwEffect) override
    {
        if (pdwEffect == NULL)
            return E_INVALIDARG;
        CSelfRef self(this);
        DWORD dwAllowed = *pdwEffect;
        *pdwEffect = DROPEFFECT_NONE;
        if (m_pOwner == NULL)
        {
            ReleaseData();
            return S_OK;
        }
        // the data of the drop replaces that of the enter
        if (pDataObj != NULL && pDataObj != m_lpDataObject)
        {
            ReleaseData();
            m_lpDataObject = pDataObj;
            m_lpDataObject->AddRef();
        }
        DROPEFFECT dropEffect = AskEffect(false, grfKeyState, pt, dwAllowed) & ~DROPEFFECT_SCROLL;
        if (m_pOwner == NULL)
        {
            ReleaseData();
            return S_OK;
        }
        if (dropEffect == DROPEFFECT_NONE)
        {
            // nothing would happen: the data only leaves
            m_pOwner->OnDragLeave(GetWnd());
            ReleaseData();
            return S_OK;
        }

        CPoint point = ClientPoint(pt);
        COleDataObject dataObject;
        dataObject.Attach(m_lpDataObject, FALSE);
        DROPEFFECT dropResult = m_pOwner->OnDropEx(GetWnd(), &dataObject, dropEffect,
                                                   dwAllowed, point);
        if (dropResult == (DROPEFFECT)-1)
        {
            if (m_pOwner == NULL)
                dropResult = DROPEFFECT_NONE;
            else
                dropResult = m_pOwner->OnDrop(GetWnd(), &dataObject, dropEffect, point)
                                 ? dropEffect : DROPEFFECT_NONE;
        }
        dataObject.Release();
        *pdwEffect = dropResult & dwAllowed;
        ReleaseData();
        return S_OK;
    }

private:
    // Keeps the object alive through a call that may revoke the target.
    class CSelfRef
    {
    public:
        explicit CSelfRef(CDropTargetImpl* p) : m_p(p) { m_p->AddRef(); }
        ~CSelfRef() { m_p->Release(); }

    private:
        CDropTargetImpl* m_p;
    };

    virtual ~CDropTargetImpl() {}

    CWnd* GetWnd() const { return m_pOwner != NULL ? m_pOwner->m_pWnd : NULL; }

    CPoint ClientPoint(POINTL pt) const
    {
        POINT point = { pt.x, pt.y };
        ::ScreenToClient(m_hWnd, &point);
        return CPoint(point);
    }

    // OnDragScroll, then (when it answers none) OnDragEnter or OnDragOver; the
    // answer is kept to what the source allows.
    DROPEFFECT AskEffect(bool bEnter, DWORD dwKeyState, POINTL pt, DWORD dwAllowed)
    {
        CPoint point = ClientPoint(pt);
        DROPEFFECT dropEffect = m_pOwner->OnDragScroll(GetWnd(), dwKeyState, point);
        if (dropEffect == DROPEFFECT_NONE && m_pOwner != NULL)
        {
            COleDataObject dataObject;
            dataObject.Attach(m_lpDataObject, FALSE);
            dropEffect = bEnter
                             ? m_pOwner->OnDragEnter(GetWnd(), &dataObject, dwKeyState, point)
                             : m_pOwner->OnDragOver(GetWnd(), &dataObject, dwKeyState, point);
            dataObject.Release();
        }
        if (m_pOwner == NULL)
            return DROPEFFECT_NONE;     // revoked meanwhile
        return dropEffect & (dwAllowed | DROPEFFECT_SCROLL);
    }

    void ReleaseData()
    {
        if (m_lpDataObject != NULL)
        {
            LPDATAOBJECT lpDataObject = m_lpDataObject;
            m_lpDataObject = NULL;
            lpDataObject->Release();
        }
    }

    LONG m_nRefs;
    COleDropTarget* m_pOwner;       // NULL once disconnected
    HWND m_hWnd;
    LPDATAOBJECT m_lpDataObject;    // the data being dragged, between enter and leave/drop
};

/////////////////////////////////////////////////////////////////////////////
// COleDropTarget

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

COleDropTarget::COleDropTarget()
{
    m_pImpl = NULL;
    m_pWnd = NULL;
    m_hWndRegistered = NULL;
}

COleDropTarget::~COleDropTarget()
{
    COleDropTarget::Revoke();
}

// Makes a window a drop target; FALSE if it is one already or OLE is not running.
BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (m_pImpl != NULL || pWnd == NULL || pWnd->m_pDropTarget != NULL)
        return FALSE;
    HWND hWnd = pWnd->GetSafeHwnd();
    if (hWnd == NULL || !::IsWindow(hWnd) || !AfxOleGetInitialized())
        return FALSE;
    CDropTargetImpl* pImpl = new CDropTargetImpl(this, hWnd);
    if (FAILED(::RegisterDragDrop(hWnd, pImpl)))
    {
        pImpl->Disconnect();
        pImpl->Release();
        return FALSE;
    }
    m_pImpl = pImpl;
    m_pWnd = pWnd;
    m_hWndRegistered = hWnd;
    pWnd->m_pDropTarget = this;
    return TRUE;
}

// Stops accepting drops; a drag under way sees a disconnected target.
void COleDropTarget::Revoke()
{
    if (m_pImpl == NULL)
        return;
    CDropTargetImpl* pImpl = m_pImpl;
    m_pImpl = NULL;
    if (m_pWnd != NULL && m_pWnd->m_pDropTarget == this)
        m_pWnd->m_pDropTarget = NULL;
    m_pWnd = NULL;
    HWND hWnd = m_hWndRegistered;
    m_hWndRegistered = NULL;
    // OLE drops its references; one held by a running drag only reaches a
    // disconnected object
    if (::IsWindow(hWnd))
        ::RevokeDragDrop(hWnd);
    pImpl->Disconnect();
    pImpl->Release();
}

LPDROPTARGET COleDropTarget::GetDropTargetInterface()
{
    return m_pImpl;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd*)
{
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return (DROPEFFECT)-1;
}

DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}
