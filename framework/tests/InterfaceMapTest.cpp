// COM identity through interface maps: a window that exposes IAccessible
// from an embedded part and hands it to accessibility clients through
// WM_GETOBJECT; and switching the current module state.
#include "Framework.h"

#include <oleacc.h>

#include <gtest/gtest.h>

namespace
{
// oleacc's import library resolves IID_IAccessible to an import thunk
// rather than the data, so the id comes from the interface declaration.
const IID kIidAccessible = __uuidof(IAccessible);

class CAccessibleWnd : public CWnd
{
public:
    CAccessibleWnd() : m_xAccessible(this) {}

    // The embedded IAccessible: identity and lifetime are the owner's.
    struct XAccessible : IAccessible
    {
        explicit XAccessible(CAccessibleWnd* pOwner) : owner(pOwner) {}
        CAccessibleWnd* owner;

        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return owner->ExternalQueryInterface(&riid, ppv); }
        STDMETHODIMP_(ULONG) AddRef() override { return owner->ExternalAddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return owner->ExternalRelease(); }
        STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
        {
            return E_NOTIMPL;
        }
        STDMETHODIMP get_accParent(IDispatch**) override { return E_NOTIMPL; }
        STDMETHODIMP get_accChildCount(long* pcount) override
        {
            *pcount = 3;
            return S_OK;
        }
        STDMETHODIMP get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
        STDMETHODIMP get_accName(VARIANT, BSTR* pName) override
        {
            *pName = ::SysAllocString(L"Recovered files");
            return S_OK;
        }
        STDMETHODIMP get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accRole(VARIANT, VARIANT*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP get_accFocus(VARIANT*) override { return S_FALSE; }
        STDMETHODIMP get_accSelection(VARIANT*) override { return S_FALSE; }
        STDMETHODIMP get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
        STDMETHODIMP accSelect(long, VARIANT) override { return E_NOTIMPL; }
        STDMETHODIMP accLocation(long*, long*, long*, long*, VARIANT) override { return E_NOTIMPL; }
        STDMETHODIMP accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
        STDMETHODIMP accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
        STDMETHODIMP accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
        STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
        STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }
    } m_xAccessible;

    int otherObjectRequests = 0;

    afx_msg LRESULT OnGetObject(WPARAM wParam, LPARAM lParam)
    {
        if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        {
            ++otherObjectRequests;
            return Default();
        }
        IAccessible* pAccessible = nullptr;
        if (FAILED(ExternalQueryInterface(&kIidAccessible, reinterpret_cast<void**>(&pAccessible))))
            return E_FAIL;
        LRESULT result = ::LresultFromObject(kIidAccessible, wParam, pAccessible);
        pAccessible->Release();
        return result;
    }

    DECLARE_MESSAGE_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_MESSAGE_MAP(CAccessibleWnd, CWnd)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

BEGIN_INTERFACE_MAP(CAccessibleWnd, CWnd)
    INTERFACE_PART(CAccessibleWnd, kIidAccessible, Accessible)
END_INTERFACE_MAP()

struct OleSession
{
    OleSession() { ::OleInitialize(nullptr); }
    ~OleSession() { ::OleUninitialize(); }
};
} // namespace

TEST(InterfaceMapTest, WindowAnswersGetObjectWithTheInterfaceOfItsMap)
{
    OleSession ole;
    CAccessibleWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"accessible", WS_POPUP, 0, 0, 80, 40, nullptr, nullptr));

    // The map answers its own interface and IUnknown, nothing else.
    IUnknown* pUnknown = nullptr;
    ASSERT_EQ(wnd.ExternalQueryInterface(&IID_IUnknown, reinterpret_cast<void**>(&pUnknown)), S_OK);
    EXPECT_EQ(pUnknown, static_cast<IUnknown*>(&wnd.m_xAccessible));
    EXPECT_EQ(wnd.m_dwRef, 2u);
    pUnknown->Release();
    void* pOther = reinterpret_cast<void*>(1);
    EXPECT_EQ(wnd.ExternalQueryInterface(&IID_IDispatch, &pOther), E_NOINTERFACE);
    EXPECT_EQ(pOther, nullptr);

    // An accessibility client reaches the part through WM_GETOBJECT.
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(::AccessibleObjectFromWindow(wnd.m_hWnd, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                           reinterpret_cast<void**>(&pAccessible)),
              S_OK);
    ASSERT_NE(pAccessible, nullptr);
    long children = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&children), S_OK);
    EXPECT_EQ(children, 3);
    VARIANT self;
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    ASSERT_EQ(pAccessible->get_accName(self, &name), S_OK);
    EXPECT_STREQ(name, L"Recovered files");
    ::SysFreeString(name);
    pAccessible->Release();
    EXPECT_EQ(wnd.m_dwRef, 1u); // every reference the client took is given back

    // Other object ids take the default path.
    ::SendMessageW(wnd.m_hWnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_WINDOW));
    EXPECT_EQ(wnd.otherObjectRequests, 1);
    EXPECT_TRUE(wnd.DestroyWindow());
}

TEST(InterfaceMapTest, ManagedStateSwitchesHandlesForTheScopeOnly)
{
    AFX_MODULE_STATE resources;
    HINSTANCE hLibrary = ::LoadLibraryW(L"comctl32.dll");
    ASSERT_NE(hLibrary, nullptr);
    resources.m_hCurrentResourceHandle = hLibrary;
    HINSTANCE hOwn = AfxGetResourceHandle();
    ASSERT_NE(hOwn, hLibrary);
    {
        AFX_MANAGE_STATE(&resources);
        EXPECT_EQ(AfxGetModuleState(), &resources);
        EXPECT_EQ(AfxGetResourceHandle(), hLibrary);
        {
            AFX_MANAGE_STATE(AfxGetStaticModuleState());
            EXPECT_EQ(AfxGetResourceHandle(), hOwn);
        }
        EXPECT_EQ(AfxGetResourceHandle(), hLibrary);
        // Class records stay the program's.
        EXPECT_EQ(CRuntimeClass::FromName("CWnd"), RUNTIME_CLASS(CWnd));
    }
    EXPECT_EQ(AfxGetModuleState(), AfxGetAppModuleState());
    EXPECT_EQ(AfxGetResourceHandle(), hOwn);
    ::FreeLibrary(hLibrary);
}
