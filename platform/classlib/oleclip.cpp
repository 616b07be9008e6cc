// oleclip.cpp - OLE start-up, COleDataSource (data offered through an
// IDataObject of its own) and COleDataObject (data read from the clipboard).

#include "afxole.h"
#include <shlobj.h>

/////////////////////////////////////////////////////////////////////////////
// Start-up

namespace
{
// OLE was initialised on this thread by AfxOleInit.
thread_local BOOL t_bOleInitialized = FALSE;
}

BOOL AFXAPI AfxOleInit()
{
    if (t_bOleInitialized)
        return TRUE;
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;
    t_bOleInitialized = TRUE;
    return TRUE;
}

void AFXAPI AfxOleTerm(BOOL bJustRevoke)
{
    if (!t_bOleInitialized)
        return;
    // data the program put on the clipboard stays there after it
    COleDataSource::FlushClipboard();
    if (!bJustRevoke)
    {
        ::OleUninitialize();
        t_bOleInitialized = FALSE;
    }
}

BOOL AFXAPI AfxOleGetInitialized()
{
    if (t_bOleInitialized)
        return TRUE;
    // OLE keeps a count per thread that cannot be read: one more start answers
    // S_FALSE when it is running already, and is taken back at once
    HRESULT hr = ::OleInitialize(NULL);
    if (FAILED(hr))
        return FALSE;   // e.g. a multithreaded apartment, where OLE cannot run
    ::OleUninitialize();
    return hr == S_FALSE;
}

void AFXAPI AfxEnableControlContainer()
{
    // no ActiveX controls are hosted: there is nothing to enable
}

/////////////////////////////////////////////////////////////////////////////
// COleDataSource

namespace
{
COleDataSource* s_pClipboardOwner = NULL;   // the source the clipboard holds

// The request matches a cached format: same format and aspect, a medium in common.
BOOL FormatMatches(const FORMATETC& cached, const FORMATETC& request)
{
    return cached.cfFormat == request.cfFormat && (cached.tymed & request.tymed) != 0 &&
           (request.dwAspect == 0 || cached.dwAspect == request.dwAspect) &&
           (request.lindex == -1 || cached.lindex == request.lindex);
}

FORMATETC MakeFormatEtc(CLIPFORMAT cfFormat, DWORD tymed, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != NULL)
    {
        FORMATETC formatEtc = *lpFormatEtc;
        formatEtc.cfFormat = cfFormat;
        return formatEtc;
    }
    FORMATETC formatEtc = { cfFormat, NULL, DVASPECT_CONTENT, -1, tymed };
    return formatEtc;
}

// A copy of cached data in the same kind of medium.
HRESULT CopyMedium(const COleDataSource::CEntry& entry, LPSTGMEDIUM lpStgMedium)
{
    const STGMEDIUM& src = entry.m_stgMedium;
    memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    lpStgMedium->tymed = src.tymed;
    switch (src.tymed)
    {
    case TYMED_HGLOBAL:
        lpStgMedium->hGlobal = ::OleDuplicateData(src.hGlobal, entry.m_formatEtc.cfFormat, 0);
        return lpStgMedium->hGlobal != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_GDI:
        lpStgMedium->hBitmap = (HBITMAP)::OleDuplicateData(src.hBitmap, CF_BITMAP, 0);
        return lpStgMedium->hBitmap != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_ENHMF:
        lpStgMedium->hEnhMetaFile = ::CopyEnhMetaFileA(src.hEnhMetaFile, NULL);
        return lpStgMedium->hEnhMetaFile != NULL ? S_OK : E_OUTOFMEMORY;
    case TYMED_ISTREAM:
    case TYMED_ISTORAGE:
        // interfaces are shared, with a reference of their own
        lpStgMedium->pstm = src.pstm;
        if (src.pstm != NULL)
            src.pstm->AddRef();
        return S_OK;
    default:
        lpStgMedium->tymed = TYMED_NULL;
        return DV_E_TYMED;
    }
}

} // namespace

// The IDataObject of a source; its references are the source's.
class COleDataSource::CDataObjectImpl : public IDataObject
{
public:
    explicit CDataObjectImpl(COleDataSource* pSource) : m_pSource(pSource) {}
    virtual ~CDataObjectImpl() {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppvObject) override
    {
        if (ppvObject == NULL)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
        {
            *ppvObject = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppvObject = NULL;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pSource->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pSource->Release(); }

    STDMETHODIMP GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override
    {
        if (pFormatEtc == NULL || pMedium == NULL)
            return E_INVALIDARG;
        const CEntry* pEntry = m_pSource->FindEntry(pFormatEtc);
        if (pEntry == NULL)
            return DV_E_FORMATETC;
        return CopyMedium(*pEntry, pMedium);
    }
    STDMETHODIMP GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override
    {
        // into the caller's global memory, when it is large enough
        if (pFormatEtc == NULL || pMedium == NULL)
            return E_INVALIDARG;
        const CEntry* pEntry = m_pSource->FindEntry(pFormatEtc);
        if (pEntry == NULL)
            return DV_E_FORMATETC;
        if (pMedium->tymed != TYMED_HGLOBAL || pEntry->m_stgMedium.tymed != TYMED_HGLOBAL)
            return DV_E_TYMED;
        SIZE_T nSize = ::GlobalSize(pEntry->m_stgMedium.hGlobal);
        if (::GlobalSize(pMedium->hGlobal) < nSize)
            return STG_E_MEDIUMFULL;
        void* pDest = ::GlobalLock(pMedium->hGlobal);
        void* pSrc = ::GlobalLock(pEntry->m_stgMedium.hGlobal);
        if (pDest != NULL && pSrc != NULL)
            memcpy(pDest, pSrc, nSize);
        if (pSrc != NULL)
            ::GlobalUnlock(pEntry->m_stgMedium.hGlobal);
        if (pDest != NULL)
            ::GlobalUnlock(pMedium->hGlobal);
        return pDest != NULL && pSrc != NULL ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP QueryGetData(FORMATETC* pFormatEtc) override
    {
        if (pFormatEtc == NULL)
            return E_INVALIDARG;
        return m_pSource->FindEntry(pFormatEtc) != NULL ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) override
    {
        if (pFormatEtcOut == NULL)
            return E_INVALIDARG;
        if (pFormatEtcIn != NULL)
            *pFormatEtcOut = *pFormatEtcIn;
        pFormatEtcOut->ptd = NULL;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override
    {
        return E_NOTIMPL;   // the source's data is set by the program only
    }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override
    {
        if (ppEnum == NULL)
            return E_INVALIDARG;
        *ppEnum = NULL;
        if (dwDirection != DATADIR_GET)
            return E_NOTIMPL;
        int nCount = m_pSource->GetEntryCount();
        FORMATETC* pFormats = new FORMATETC[nCount > 0 ? nCount : 1];
        for (int i = 0; i < nCount; i++)
            pFormats[i] = m_pSource->m_pEntries[i].m_formatEtc;
        HRESULT hr = ::SHCreateStdEnumFmtEtc((UINT)nCount, pFormats, ppEnum);
        delete[] pFormats;
        return hr;
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    COleDataSource* m_pSource;
};

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource()
{
    m_pImpl = new CDataObjectImpl(this);
    m_pEntries = NULL;
    m_nEntries = 0;
    m_nMaxEntries = 0;
    m_nRefs = 1;                    // the creator's
    m_bOnClipboard = FALSE;
}

COleDataSource::~COleDataSource()
{
    if (s_pClipboardOwner == this)
        s_pClipboardOwner = NULL;
    Empty();
    delete[] m_pEntries;
    delete m_pImpl;
}

ULONG COleDataSource::AddRef()
{
    return (ULONG)::InterlockedIncrement(&m_nRefs);
}

ULONG COleDataSource::Release()
{
    LONG nRefs = ::InterlockedDecrement(&m_nRefs);
    if (nRefs == 0)
        delete this;
    return (ULONG)nRefs;
}

LPDATAOBJECT COleDataSource::GetDataObject()
{
    return m_pImpl;
}

int COleDataSource::GetEntryCount() const
{
    return m_nEntries;
}

const COleDataSource::CEntry* COleDataSource::FindEntry(LPFORMATETC lpFormatEtc) const
{
    for (int i = 0; i < m_nEntries; i++)
    {
        if (FormatMatches(m_pEntries[i].m_formatEtc, *lpFormatEtc))
            return &m_pEntries[i];
    }
    return NULL;
}

// Offers data in a format, replacing data of the same format; the source owns the medium.
void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, lpStgMedium->tymed, lpFormatEtc);
    formatEtc.tymed = lpStgMedium->tymed;

    // data of the same format is replaced
    for (int i = 0; i < m_nEntries; i++)
    {
        if (m_pEntries[i].m_formatEtc.cfFormat == cfFormat &&
            m_pEntries[i].m_formatEtc.dwAspect == formatEtc.dwAspect)
        {
            ::ReleaseStgMedium(&m_pEntries[i].m_stgMedium);
            m_pEntries[i].m_formatEtc = formatEtc;
            m_pEntries[i].m_stgMedium = *lpStgMedium;
            return;
        }
    }

    if (m_nEntries == m_nMaxEntries)
    {
        int nNewMax = m_nMaxEntries + 8;
        CEntry* pNew = new CEntry[nNewMax];
        for (int i = 0; i < m_nEntries; i++)
            pNew[i] = m_pEntries[i];
        delete[] m_pEntries;
        m_pEntries = pNew;
        m_nMaxEntries = nNewMax;
    }
    m_pEntries[m_nEntries].m_formatEtc = formatEtc;
    m_pEntries[m_nEntries].m_stgMedium = *lpStgMedium;
    ++m_nEntries;
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM stgMedium;
    memset(&stgMedium, 0, sizeof(stgMedium));
    stgMedium.tymed = TYMED_HGLOBAL;
    stgMedium.hGlobal = hGlobal;
    CacheData(cfFormat, &stgMedium, lpFormatEtc);
}

void COleDataSource::Empty()
{
    for (int i = 0; i < m_nEntries; i++)
        ::ReleaseStgMedium(&m_pEntries[i].m_stgMedium);
    m_nEntries = 0;
}

void COleDataSource::SetClipboard()
{
    // the clipboard takes a reference; the creator's goes
    HRESULT hr = ::OleSetClipboard(m_pImpl);
    if (SUCCEEDED(hr))
    {
        m_bOnClipboard = TRUE;
        s_pClipboardOwner = this;
    }
    Release();
}

COleDataSource* PASCAL COleDataSource::GetClipboardOwner()
{
    if (s_pClipboardOwner == NULL)
        return NULL;
    if (::OleIsCurrentClipboard(s_pClipboardOwner->m_pImpl) != S_OK)
        return NULL;
    return s_pClipboardOwner;
}

void PASCAL COleDataSource::FlushClipboard()
{
    if (GetClipboardOwner() != NULL)
        ::OleFlushClipboard();
}

/////////////////////////////////////////////////////////////////////////////
// COleDataObject

COleDataObject::COleDataObject()
{
    m_lpDataObject = NULL;
    m_bAutoRelease = TRUE;
}

COleDataObject::~COleDataObject()
{
    Release();
}

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = NULL;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != NULL && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = NULL;
}

BOOL COleDataObject::AttachClipboard()
{
    Release();
    LPDATAOBJECT lpDataObject = NULL;
    if (FAILED(::OleGetClipboard(&lpDataObject)) || lpDataObject == NULL)
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_GDI | TYMED_ENHMF |
                                        TYMED_MFPICT | TYMED_FILE | TYMED_ISTORAGE, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&formatEtc) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return FALSE;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_GDI | TYMED_ENHMF |
                                        TYMED_MFPICT | TYMED_FILE | TYMED_ISTORAGE, lpFormatEtc);
    memset(lpStgMedium, 0, sizeof(STGMEDIUM));
    return m_lpDataObject->GetData(&formatEtc, lpStgMedium) == S_OK;
}

// The data of a format in global memory (from a stream too); the caller frees it, NULL if absent.
HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == NULL)
        return NULL;
    FORMATETC formatEtc = MakeFormatEtc(cfFormat, TYMED_HGLOBAL | TYMED_ISTREAM, lpFormatEtc);
    formatEtc.tymed &= TYMED_HGLOBAL | TYMED_ISTREAM;
    if (formatEtc.tymed == 0)
        return NULL;
    STGMEDIUM stgMedium;
    memset(&stgMedium, 0, sizeof(stgMedium));
    if (m_lpDataObject->GetData(&formatEtc, &stgMedium) != S_OK)
        return NULL;

    HGLOBAL hResult = NULL;
    if (stgMedium.tymed == TYMED_HGLOBAL)
    {
        // ours when nobody else releases it, else a copy
        if (stgMedium.pUnkForRelease == NULL)
            return stgMedium.hGlobal;
        hResult = ::OleDuplicateData(stgMedium.hGlobal, cfFormat, GMEM_MOVEABLE | GMEM_DDESHARE);
    }
    else if (stgMedium.tymed == TYMED_ISTREAM && stgMedium.pstm != NULL)
    {
        // the stream's content from its start
        STATSTG stat;
        memset(&stat, 0, sizeof(stat));
        LARGE_INTEGER liZero = {};
        if (SUCCEEDED(stgMedium.pstm->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.HighPart == 0 &&
            SUCCEEDED(stgMedium.pstm->Seek(liZero, STREAM_SEEK_SET, NULL)))
        {
            hResult = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, stat.cbSize.LowPart > 0 ? stat.cbSize.LowPart : 1);
            void* pData = hResult != NULL ? ::GlobalLock(hResult) : NULL;
            ULONG nRead = 0;
            if (pData == NULL || FAILED(stgMedium.pstm->Read(pData, stat.cbSize.LowPart, &nRead)) ||
                nRead != stat.cbSize.LowPart)
            {
                if (pData != NULL)
                    ::GlobalUnlock(hResult);
                if (hResult != NULL)
                    ::GlobalFree(hResult);
                hResult = NULL;
            }
            else
            {
                ::GlobalUnlock(hResult);
            }
        }
    }
    ::ReleaseStgMedium(&stgMedium);
    return hResult;
}

// The data of a format as a memory file the caller deletes; NULL if absent.
CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL hGlobal = GetGlobalData(cfFormat, lpFormatEtc);
    if (hGlobal == NULL)
        return NULL;
    CSharedFile* pFile = new CSharedFile(GMEM_MOVEABLE | GMEM_DDESHARE);
    try
    {
        pFile->SetHandle(hGlobal, FALSE);   // the file frees the copy
    }
    catch (CException* e)
    {
        e->Delete();
        delete pFile;
        ::GlobalFree(hGlobal);
        return NULL;
    }
    return pFile;
}
