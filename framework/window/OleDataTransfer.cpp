#include "OleDataTransfer.h"

#include "../core/CMemFile.h"
#include "../core/Exceptions.h"
#include "CWnd.h"

#include <shlobj.h>

// COleDataObject

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT lpDataObject = m_lpDataObject;
    m_lpDataObject = nullptr;
    return lpDataObject;
}

void COleDataObject::Release()
{
    if (m_lpDataObject != nullptr && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

BOOL COleDataObject::AttachClipboard()
{
    LPDATAOBJECT lpDataObject = nullptr;
    if (FAILED(::OleGetClipboard(&lpDataObject)))
        return FALSE;
    Attach(lpDataObject, TRUE);
    return TRUE;
}

LPDATAOBJECT COleDataObject::GetIDataObject(BOOL bAddRef)
{
    if (bAddRef && m_lpDataObject != nullptr)
        m_lpDataObject->AddRef();
    return m_lpDataObject;
}

static FORMATETC HGlobalFormat(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (lpFormatEtc != nullptr)
        return *lpFormatEtc;
    return FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM};
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr)
        return FALSE;
    FORMATETC format = HGlobalFormat(cfFormat, lpFormatEtc);
    return m_lpDataObject->QueryGetData(&format) == S_OK;
}

// A copy of the medium's bytes in new movable global memory.
static HGLOBAL CopyMedium(STGMEDIUM& medium)
{
    HGLOBAL hCopy = nullptr;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr)
    {
        SIZE_T size = ::GlobalSize(medium.hGlobal);
        hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size);
        void* source = ::GlobalLock(medium.hGlobal);
        void* target = hCopy != nullptr ? ::GlobalLock(hCopy) : nullptr;
        if (source != nullptr && target != nullptr)
            memcpy(target, source, size);
        if (target != nullptr)
            ::GlobalUnlock(hCopy);
        if (source != nullptr)
            ::GlobalUnlock(medium.hGlobal);
    }
    else if (medium.tymed == TYMED_ISTREAM && medium.pstm != nullptr)
    {
        STATSTG stat{};
        LARGE_INTEGER start{};
        medium.pstm->Seek(start, STREAM_SEEK_SET, nullptr);
        if (SUCCEEDED(medium.pstm->Stat(&stat, STATFLAG_NONAME)) && stat.cbSize.QuadPart < 0x7FFFFFFF)
        {
            ULONG size = static_cast<ULONG>(stat.cbSize.QuadPart);
            hCopy = ::GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
            void* target = hCopy != nullptr ? ::GlobalLock(hCopy) : nullptr;
            ULONG read = 0;
            if (target != nullptr)
            {
                medium.pstm->Read(target, size, &read);
                ::GlobalUnlock(hCopy);
            }
        }
    }
    ::ReleaseStgMedium(&medium);
    return hCopy;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    if (m_lpDataObject == nullptr)
        return nullptr;
    FORMATETC format = HGlobalFormat(cfFormat, lpFormatEtc);
    STGMEDIUM medium{};
    if (FAILED(m_lpDataObject->GetData(&format, &medium)))
        return nullptr;
    return CopyMedium(medium);
}

CFile* COleDataObject::GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    HGLOBAL hGlobal = GetGlobalData(cfFormat, lpFormatEtc);
    if (hGlobal == nullptr)
        return nullptr;
    auto* pFile = new CSharedFile(GMEM_MOVEABLE | GMEM_DDESHARE);
    pFile->SetHandle(hGlobal, FALSE);
    return pFile;
}

// COleDataSource

COleDataSource::~COleDataSource()
{
    Empty();
}

void COleDataSource::Empty()
{
    for (CacheEntry& entry : m_cache)
        ::GlobalFree(entry.hGlobal);
    m_cache.clear();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc != nullptr ? *lpFormatEtc
                                              : FORMATETC{cfFormat, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    format.tymed = TYMED_HGLOBAL;
    for (CacheEntry& entry : m_cache)
    {
        if (entry.format.cfFormat == format.cfFormat && entry.format.dwAspect == format.dwAspect)
        {
            ::GlobalFree(entry.hGlobal);
            entry.hGlobal = hGlobal;
            return;
        }
    }
    m_cache.push_back(CacheEntry{format, hGlobal});
}

const COleDataSource::CacheEntry* COleDataSource::Find(const FORMATETC* pFormat) const
{
    for (const CacheEntry& entry : m_cache)
        if (entry.format.cfFormat == pFormat->cfFormat && (pFormat->tymed & TYMED_HGLOBAL) &&
            entry.format.dwAspect == pFormat->dwAspect)
            return &entry;
    return nullptr;
}

STDMETHODIMP COleDataSource::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDataObject)
    {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP COleDataSource::GetData(FORMATETC* pFormat, STGMEDIUM* pMedium)
{
    const CacheEntry* entry = Find(pFormat);
    if (entry == nullptr)
        return DV_E_FORMATETC;
    pMedium->tymed = TYMED_HGLOBAL;
    pMedium->hGlobal = static_cast<HGLOBAL>(::OleDuplicateData(entry->hGlobal, entry->format.cfFormat, GMEM_MOVEABLE));
    pMedium->pUnkForRelease = nullptr;
    return pMedium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP COleDataSource::QueryGetData(FORMATETC* pFormat)
{
    return Find(pFormat) != nullptr ? S_OK : DV_E_FORMATETC;
}

STDMETHODIMP COleDataSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut)
{
    pOut->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP COleDataSource::EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum)
{
    if (dwDirection != DATADIR_GET)
        return E_NOTIMPL;
    std::vector<FORMATETC> formats;
    for (const CacheEntry& entry : m_cache)
        formats.push_back(entry.format);
    return ::SHCreateStdEnumFmtEtc(static_cast<UINT>(formats.size()), formats.data(), ppEnum);
}

namespace
{
// The drag source of DoDragDrop: the left button's release drops, Escape cancels.
class DefaultDropSource : public IDropSource
{
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDropSource)
        {
            *ppv = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
    {
        if (fEscapePressed)
            return DRAGDROP_S_CANCEL;
        if (!(grfKeyState & (MK_LBUTTON | MK_RBUTTON)))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    STDMETHODIMP GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
} // namespace

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, void* pDropSource)
{
    DefaultDropSource defaultSource;
    IDropSource* source = pDropSource != nullptr ? static_cast<IDropSource*>(pDropSource) : &defaultSource;
    DWORD effect = DROPEFFECT_NONE;
    InternalAddRef(); // alive for the whole loop
    HRESULT hr = ::DoDragDrop(static_cast<IDataObject*>(this), source, dwEffects, &effect);
    InternalRelease();
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

void COleDataSource::SetClipboard()
{
    ::OleSetClipboard(static_cast<IDataObject*>(this));
}

// COleDropTarget

COleDropTarget::~COleDropTarget()
{
    Revoke();
}

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->m_hWnd, static_cast<IDropTarget*>(this))))
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd != nullptr)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    return DROPEFFECT_NONE;
}

BOOL COleDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    return FALSE;
}

DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    return static_cast<DROPEFFECT>(-1); // use OnDrop
}

void COleDropTarget::OnDragLeave(CWnd*) {}

STDMETHODIMP COleDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IDropTarget)
    {
        *ppv = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

static CPoint ClientPoint(HWND hWnd, POINTL pt)
{
    POINT point{pt.x, pt.y};
    ::ScreenToClient(hWnd, &point);
    return point;
}

template <class F>
static HRESULT Guarded(F body)
{
    try
    {
        body();
        return S_OK;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return E_UNEXPECTED;
}

STDMETHODIMP COleDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return Guarded([&] {
        pDataObj->AddRef();
        m_dataObject.Attach(pDataObj, TRUE);
        *pdwEffect = OnDragEnter(CWnd::FromHandle(m_hWnd), &m_dataObject, grfKeyState, ClientPoint(m_hWnd, pt)) &
                     *pdwEffect;
    });
}

STDMETHODIMP COleDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return Guarded([&] {
        *pdwEffect = OnDragOver(CWnd::FromHandle(m_hWnd), &m_dataObject, grfKeyState, ClientPoint(m_hWnd, pt)) &
                     *pdwEffect;
    });
}

STDMETHODIMP COleDropTarget::DragLeave()
{
    return Guarded([&] {
        OnDragLeave(CWnd::FromHandle(m_hWnd));
        m_dataObject.Release();
    });
}

STDMETHODIMP COleDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    return Guarded([&] {
        pDataObj->AddRef();
        m_dataObject.Attach(pDataObj, TRUE);
        CWnd* pWnd = CWnd::FromHandle(m_hWnd);
        CPoint point = ClientPoint(m_hWnd, pt);
        DROPEFFECT allowed = *pdwEffect;
        DROPEFFECT effect = OnDragOver(pWnd, &m_dataObject, grfKeyState, point) & allowed;
        DROPEFFECT result = OnDropEx(pWnd, &m_dataObject, effect, allowed, point);
        if (result == static_cast<DROPEFFECT>(-1))
            result = (effect != DROPEFFECT_NONE && OnDrop(pWnd, &m_dataObject, effect, point)) ? effect
                                                                                                : DROPEFFECT_NONE;
        *pdwEffect = result;
        m_dataObject.Release();
    });
}
