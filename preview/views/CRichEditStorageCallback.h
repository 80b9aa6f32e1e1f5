// The rich edit's OLE callback: gives each embedded object a sub-storage of one
// temporary compound file, so that RTF with objects can be shown. Nothing else
// of the callback does anything. Failures go back to the control as result codes.
#pragma once

#include <windows.h>

#include <richole.h>

class CRichEditStorageCallback : public IRichEditOleCallback
{
public:
    CRichEditStorageCallback();
    virtual ~CRichEditStorageCallback();
    CRichEditStorageCallback(const CRichEditStorageCallback&) = delete;
    CRichEditStorageCallback& operator=(const CRichEditStorageCallback&) = delete;

    int GetStorageCount() const { return m_nStorageCount; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetNewStorage(LPSTORAGE* ppStorage) override;
    STDMETHODIMP GetInPlaceContext(LPOLEINPLACEFRAME*, LPOLEINPLACEUIWINDOW*, LPOLEINPLACEFRAMEINFO) override;
    STDMETHODIMP ShowContainerUI(BOOL) override { return S_OK; }
    STDMETHODIMP QueryInsertObject(LPCLSID, LPSTORAGE, LONG) override { return S_OK; }
    STDMETHODIMP DeleteObject(LPOLEOBJECT) override { return S_OK; }
    STDMETHODIMP QueryAcceptData(LPDATAOBJECT, CLIPFORMAT*, DWORD, BOOL, HGLOBAL) override { return S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return S_OK; }
    STDMETHODIMP GetClipboardData(CHARRANGE*, DWORD, LPDATAOBJECT*) override { return S_OK; }
    STDMETHODIMP GetDragDropEffect(BOOL, DWORD, LPDWORD) override { return S_OK; }
    STDMETHODIMP GetContextMenu(WORD, LPOLEOBJECT, CHARRANGE*, HMENU*) override { return S_OK; }

private:
    static constexpr DWORD kStorageMode = STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE;
    int m_nStorageCount = 0;
    IStorage* m_pRootStorage = nullptr;  // a temporary compound file, made on first use
    LONG m_nReferences = 0;
};
