#include "CAccessibleBase.h"

#include "BoundFunction.h"

namespace {

using NotifyWinEventFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
using AccessibleObjectFromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);
using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);

NotifyWinEventFn g_pfnNotifyWinEvent = nullptr;
bool g_notifyBound = false;

// oleacc.dll, loaded on first use; a failed load is tried again next time.
HMODULE OleAcc()
{
    static HMODULE hOleAcc = nullptr;
    if (!hOleAcc)
        hOleAcc = ::LoadLibraryW(L"oleacc.dll");
    return hOleAcc;
}

}  // namespace

CAccessibleBase::CAccessibleBase()
{
    m_xAccessible.base = this;
    if (!g_notifyBound) {
        g_pfnNotifyWinEvent = BoundFunction<NotifyWinEventFn>(::GetModuleHandleW(L"USER32"), "NotifyWinEvent");
        g_notifyBound = true;
    }
}

STDMETHODIMP CAccessibleBase::XAccessible::QueryInterface(REFIID riid, void** ppv)
{
    CCmdTarget* pOwner = Base()->GetAccessibleOwner();
    if (!pOwner) {
        if (ppv)
            *ppv = nullptr;
        return E_NOINTERFACE;
    }
    return pOwner->ExternalQueryInterface(&riid, ppv);
}

STDMETHODIMP_(ULONG) CAccessibleBase::XAccessible::AddRef()
{
    CCmdTarget* pOwner = Base()->GetAccessibleOwner();
    return pOwner ? pOwner->ExternalAddRef() : 1;
}

STDMETHODIMP_(ULONG) CAccessibleBase::XAccessible::Release()
{
    CCmdTarget* pOwner = Base()->GetAccessibleOwner();
    return pOwner ? pOwner->ExternalRelease() : 1;
}

HRESULT CAccessibleBase::GetAccessibleParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleChildCount(long*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::GetAccessibleFocus(VARIANT*) { return S_FALSE; }
HRESULT CAccessibleBase::GetAccessibleSelection(VARIANT*) { return S_FALSE; }
HRESULT CAccessibleBase::GetAccessibleDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::AccessibleSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CAccessibleBase::AccessibleLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CAccessibleBase::AccessibleNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::AccessibleHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CAccessibleBase::AccessibleDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CAccessibleBase::PutAccessibleName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CAccessibleBase::PutAccessibleValue(VARIANT, BSTR) { return E_NOTIMPL; }

void AFXAPI CAccessibleBase::NotifyEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    if (g_pfnNotifyWinEvent)
        g_pfnNotifyWinEvent(event, hWnd, idObject, idChild);
}

HRESULT AFXAPI CAccessibleBase::ObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject)
{
    auto pfn = BoundFunction<AccessibleObjectFromWindowFn>(OleAcc(), "AccessibleObjectFromWindow");
    return pfn ? pfn(hWnd, dwObjectID, riid, ppvObject) : E_FAIL;
}

LRESULT AFXAPI CAccessibleBase::ResultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk)
{
    auto pfn = BoundFunction<LresultFromObjectFn>(OleAcc(), "LresultFromObject");
    return pfn ? pfn(riid, wParam, punk) : E_FAIL;
}

long AFXAPI CAccessibleBase::GetChildIdFromVariant(const VARIANT& var)
{
    const VARIANT* pVar = &var;
    // References to VARIANTs are followed; a bounded walk keeps a
    // self-referencing VARIANT from looping.
    for (int depth = 0; depth < 16; ++depth) {
        switch (pVar->vt) {
        case VT_I4:
            return pVar->lVal;
        case VT_I2:
            return pVar->iVal;
        case VT_BYREF | VT_I4:
            return pVar->plVal ? *pVar->plVal : -1;
        case VT_BYREF | VT_I2:
            return pVar->piVal ? *pVar->piVal : -1;
        case VT_BYREF | VT_VARIANT:
            if (!pVar->pvarVal)
                return -1;
            pVar = pVar->pvarVal;
            break;
        default:
            return -1;
        }
    }
    return -1;
}

BOOL AFXAPI CAccessibleBase::AnswerGetObject(CCmdTarget* pOwner, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return FALSE;
    IAccessible* pAccessible = nullptr;
    if (!pOwner || FAILED(pOwner->ExternalQueryInterface(&kIidAccessible, reinterpret_cast<void**>(&pAccessible))) ||
        !pAccessible) {
        *pResult = E_FAIL;
        return TRUE;
    }
    *pResult = ResultFromObject(kIidAccessible, wParam, pAccessible);
    pAccessible->Release();
    return TRUE;
}
