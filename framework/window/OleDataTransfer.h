// Drag and drop and clipboard data through OLE: the data object a drop
// offers (COleDataObject), the data the program offers (COleDataSource)
// and a window that takes drops (COleDropTarget).
#pragma once

#include "../core/CFile.h"
#include "../core/Geometry.h"
#include "CCmdTarget.h"

#include <ole2.h>
#include <vector>

class CWnd;

typedef DWORD DROPEFFECT;

class COleDataObject
{
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    void Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease = TRUE);
    LPDATAOBJECT Detach();
    void Release();
    BOOL AttachClipboard();
    LPDATAOBJECT GetIDataObject(BOOL bAddRef);

    BOOL IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // A global memory copy the caller frees, or NULL.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);
    // The data as a memory file the caller deletes, or NULL.
    CFile* GetFileData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc = nullptr);

private:
    LPDATAOBJECT m_lpDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

class COleDataSource : public CCmdTarget, public IDataObject
{
public:
    COleDataSource() = default;
    ~COleDataSource() override;

    // Takes ownership of hGlobal.
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    void Empty();
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
                          LPCRECT lpRectStartDrag = nullptr, void* pDropSource = nullptr);
    void SetClipboard();

    // IUnknown; the object lives by its reference count.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return InternalAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return InternalRelease(); }
    // IDataObject
    STDMETHODIMP GetData(FORMATETC* pFormat, STGMEDIUM* pMedium) override;
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* pFormat) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* pOut) override;
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct CacheEntry
    {
        FORMATETC format;
        HGLOBAL hGlobal;
    };
    std::vector<CacheEntry> m_cache;
    const CacheEntry* Find(const FORMATETC* pFormat) const;
};

class COleDropTarget : public CCmdTarget, public IDropTarget
{
public:
    COleDropTarget() = default;
    ~COleDropTarget() override;

    BOOL Register(CWnd* pWnd);
    void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT dropList,
                                CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);

    // IUnknown; the object belongs to its window class member, so the
    // count never deletes it.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IDropTarget; the handlers run inside the system's drag loop, so no
    // exception leaves them.
    STDMETHODIMP DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;

protected:
    HWND m_hWnd = nullptr;
    COleDataObject m_dataObject;
};
