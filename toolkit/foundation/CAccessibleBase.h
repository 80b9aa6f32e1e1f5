// Accessibility plumbing: a mix-in that an accessible toolkit object embeds.
// Its owner's interface map exposes m_xAccessible as IAccessible; each
// IAccessible call is forwarded to one virtual operation here (E_NOTIMPL by
// default, S_FALSE for focus and selection). oleacc and NotifyWinEvent are
// bound at run time and their absence is never an error.
#pragma once

#include "Framework.h"

#include <oleacc.h>

// From the interface declaration: oleacc's import library resolves
// IID_IAccessible to an import thunk.
inline const IID kIidAccessible = __uuidof(IAccessible);

class CAccessibleBase
{
public:
    CAccessibleBase();
    virtual ~CAccessibleBase() = default;

    virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
    virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
    virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
    virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
    virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
    virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
    virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
    virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
    virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
    virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
    virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
    virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
    virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
    virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
    virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
    virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
    virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
    virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
    virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
    virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
    virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
    // The object that embeds the mix-in (its identity and lifetime).
    virtual CCmdTarget* GetAccessibleOwner() { return nullptr; }

    static void AFXAPI NotifyEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
    static HRESULT AFXAPI ObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject);
    static LRESULT AFXAPI ResultFromObject(REFIID riid, WPARAM wParam, LPUNKNOWN punk);
    // VT_I4, VT_I2, their by-reference forms and references to a VARIANT; -1 otherwise.
    static long AFXAPI GetChildIdFromVariant(const VARIANT& var);
    // WM_GETOBJECT of a toolkit window: for OBJID_CLIENT the owner's IAccessible
    // (E_FAIL without one), TRUE with the result; FALSE for other object ids,
    // which go to the default window procedure.
    static BOOL AFXAPI AnswerGetObject(CCmdTarget* pOwner, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    CAccessibleBase(const CAccessibleBase&) = delete;
    CAccessibleBase& operator=(const CAccessibleBase&) = delete;

    struct XAccessible : IAccessible
    {
        CAccessibleBase* base = nullptr;
        CAccessibleBase* Base() { return base; }
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
        {
            return E_NOTIMPL;
        }
        STDMETHODIMP get_accParent(IDispatch** p) override { return Base()->GetAccessibleParent(p); }
        STDMETHODIMP get_accChildCount(long* p) override { return Base()->GetAccessibleChildCount(p); }
        STDMETHODIMP get_accChild(VARIANT v, IDispatch** p) override { return Base()->GetAccessibleChild(v, p); }
        STDMETHODIMP get_accName(VARIANT v, BSTR* p) override { return Base()->GetAccessibleName(v, p); }
        STDMETHODIMP get_accValue(VARIANT v, BSTR* p) override { return Base()->GetAccessibleValue(v, p); }
        STDMETHODIMP get_accDescription(VARIANT v, BSTR* p) override { return Base()->GetAccessibleDescription(v, p); }
        STDMETHODIMP get_accRole(VARIANT v, VARIANT* p) override { return Base()->GetAccessibleRole(v, p); }
        STDMETHODIMP get_accState(VARIANT v, VARIANT* p) override { return Base()->GetAccessibleState(v, p); }
        STDMETHODIMP get_accHelp(VARIANT v, BSTR* p) override { return Base()->GetAccessibleHelp(v, p); }
        STDMETHODIMP get_accHelpTopic(BSTR* f, VARIANT v, long* t) override
        {
            return Base()->GetAccessibleHelpTopic(f, v, t);
        }
        STDMETHODIMP get_accKeyboardShortcut(VARIANT v, BSTR* p) override
        {
            return Base()->GetAccessibleKeyboardShortcut(v, p);
        }
        STDMETHODIMP get_accFocus(VARIANT* p) override { return Base()->GetAccessibleFocus(p); }
        STDMETHODIMP get_accSelection(VARIANT* p) override { return Base()->GetAccessibleSelection(p); }
        STDMETHODIMP get_accDefaultAction(VARIANT v, BSTR* p) override
        {
            return Base()->GetAccessibleDefaultAction(v, p);
        }
        STDMETHODIMP accSelect(long f, VARIANT v) override { return Base()->AccessibleSelect(f, v); }
        STDMETHODIMP accLocation(long* x, long* y, long* cx, long* cy, VARIANT v) override
        {
            return Base()->AccessibleLocation(x, y, cx, cy, v);
        }
        STDMETHODIMP accNavigate(long d, VARIANT s, VARIANT* e) override { return Base()->AccessibleNavigate(d, s, e); }
        STDMETHODIMP accHitTest(long x, long y, VARIANT* p) override { return Base()->AccessibleHitTest(x, y, p); }
        STDMETHODIMP accDoDefaultAction(VARIANT v) override { return Base()->AccessibleDoDefaultAction(v); }
        STDMETHODIMP put_accName(VARIANT v, BSTR s) override { return Base()->PutAccessibleName(v, s); }
        STDMETHODIMP put_accValue(VARIANT v, BSTR s) override { return Base()->PutAccessibleValue(v, s); }
    } m_xAccessible;
};
