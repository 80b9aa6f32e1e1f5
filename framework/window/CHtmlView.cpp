#include "CHtmlView.h"

IMPLEMENT_DYNCREATE(CHtmlView, CView)

BEGIN_MESSAGE_MAP(CHtmlView, CView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CHtmlView::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    if (!CView::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext))
        return FALSE;
    RECT client;
    GetClientRect(&client);
    // The browser's class id; CreateControl fails where it is not registered.
    if (!IsBrowserEngineAvailable() ||
        !m_browser.CreateControl(L"{8856F961-340A-11D0-A96B-00C04FD705A2}", nullptr, WS_VISIBLE, client, this,
                                 AFX_IDW_PANE_FIRST))
    {
        DestroyWindow(); // the view deletes itself
        return FALSE;
    }
    return TRUE;
}

bool CHtmlView::IsBrowserEngineAvailable()
{
    static const bool available = ::LoadLibraryW(L"mshtml.dll") != nullptr;
    return available;
}

BOOL CHtmlView::Navigate2(LPCTSTR lpszURL, DWORD, LPCTSTR)
{
    IUnknown* pUnknown = m_browser.GetControlUnknown();
    if (pUnknown == nullptr)
        return FALSE;
    IDispatch* pDispatch = nullptr;
    if (FAILED(pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch))))
        return FALSE;
    // IWebBrowser2::Navigate is DISPID 104 (url); called late-bound.
    LPOLESTR name = const_cast<LPOLESTR>(L"Navigate");
    DISPID dispid = 0;
    HRESULT hr = pDispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &dispid);
    if (SUCCEEDED(hr))
    {
        VARIANT url;
        url.vt = VT_BSTR;
        url.bstrVal = ::SysAllocString(lpszURL);
        DISPPARAMS params{&url, nullptr, 1, 0};
        hr = pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                               nullptr);
        ::VariantClear(&url);
    }
    pDispatch->Release();
    return SUCCEEDED(hr);
}

void CHtmlView::OnSize(UINT, int cx, int cy)
{
    if (m_browser.m_hWnd != nullptr)
        m_browser.MoveWindow(0, 0, cx, cy);
}
