#include "CRichEditStorageCallback.h"

#include <cwchar>

CRichEditStorageCallback::CRichEditStorageCallback()
{
    // No name: a temporary compound file, deleted when released.
    if (FAILED(::StgCreateDocfile(nullptr, kStorageMode | STGM_DELETEONRELEASE, 0, &m_pRootStorage)))
        m_pRootStorage = nullptr;
}

CRichEditStorageCallback::~CRichEditStorageCallback()
{
    if (m_pRootStorage != nullptr)
        m_pRootStorage->Release();
}

STDMETHODIMP CRichEditStorageCallback::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IRichEditOleCallback)
    {
        *ppv = static_cast<IRichEditOleCallback*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CRichEditStorageCallback::AddRef()
{
    return static_cast<ULONG>(++m_nReferences);
}

STDMETHODIMP_(ULONG) CRichEditStorageCallback::Release()
{
    const LONG count = --m_nReferences;
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP CRichEditStorageCallback::GetNewStorage(LPSTORAGE* ppStorage)
{
    if (ppStorage == nullptr)
        return E_POINTER;
    *ppStorage = nullptr;
    if (m_pRootStorage == nullptr)
        return STG_E_MEDIUMFULL;
    wchar_t name[32];
    std::swprintf(name, 32, L"REOLEStorage%d", ++m_nStorageCount);
    return m_pRootStorage->CreateStorage(name, kStorageMode, 0, 0, ppStorage);
}

STDMETHODIMP CRichEditStorageCallback::GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*,
                                                         LPOLEINPLACEFRAMEINFO)
{
    return S_OK;
}
