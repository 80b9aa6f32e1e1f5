// How windows and their objects end: a control destroyed through its
// object's destructor, temporary wrappers held across handle removal, the
// toolbar's bitmap, and a modal loop whose dialog is destroyed under it.
#include "Framework.h"
#include "gallery/GalleryDialog.h"
#include "gallery/GalleryHarness.h"
#include "gallery/GalleryIds.h"

#include <gtest/gtest.h>

namespace
{
// A control class with a procedure of its own, which frees its internals
// on WM_NCDESTROY as the common controls do.
int s_controlNcDestroys = 0;

LRESULT CALLBACK RecordingControlProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY)
        ++s_controlNcDestroys;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LPCWSTR RecordingControlClass()
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = RecordingControlProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"PelmoRecordingControl";
        return ::RegisterClassW(&wc);
    }();
    return atom != 0 ? L"PelmoRecordingControl" : nullptr;
}

LPCTSTR PlainClass()
{
    return AfxRegisterWndClass(0);
}
} // namespace

TEST(WindowLifetimeTest, ControlDestroyedByItsObjectsDestructorGetsItsOwnNcDestroy)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    HWND hControl = nullptr;
    s_controlNcDestroys = 0;
    {
        CWnd control;
        ASSERT_TRUE(control.Create(RecordingControlClass(), L"", WS_CHILD, CRect(0, 0, 50, 20), &parent, 7));
        hControl = control.m_hWnd;
    }
    EXPECT_EQ(s_controlNcDestroys, 1);
    EXPECT_FALSE(::IsWindow(hControl));
    EXPECT_EQ(CWnd::FromHandlePermanent(hControl), nullptr);

    // A list control frees the image list it owns, which only its own
    // procedure knows about.
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    HIMAGELIST hImages = ::ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    {
        CListCtrl list;
        ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 100, 50), &parent, 8));
        list.SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(hImages));
    }
    int cx = 0, cy = 0;
    EXPECT_FALSE(::ImageList_GetIconSize(hImages, &cx, &cy));
    parent.DestroyWindow();
}

TEST(WindowLifetimeTest, HeldTemporaryWrapperSurvivesHandleRemoval)
{
    HWND hForeign = ::CreateWindowExW(0, L"STATIC", L"foreign", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                      nullptr);
    ASSERT_NE(hForeign, nullptr);
    CWnd* pHeld = CWnd::FromHandle(hForeign);
    {
        CWnd other;
        ASSERT_TRUE(other.Attach(hForeign));
        EXPECT_EQ(CWnd::FromHandle(hForeign), &other);
        EXPECT_EQ(other.Detach(), hForeign);
    }
    EXPECT_EQ(pHeld->m_hWnd, hForeign);
    EXPECT_EQ(CWnd::FromHandle(hForeign), pHeld);
    CString text;
    pHeld->GetWindowText(text);
    EXPECT_EQ(text, CString(L"foreign"));
    AfxDeleteTempMaps();
    ::DestroyWindow(hForeign);
}

TEST(WindowLifetimeTest, ToolbarFreesTheBitmapItLoaded)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, PlainClass(), L"parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr, nullptr));
    auto* bar = new CToolBar;
    ASSERT_TRUE(bar->Create(&parent));
    ASSERT_TRUE(bar->LoadToolBar(IDR_GALLERY_IMAGES));
    HBITMAP hFirst = bar->m_hbmImageWell;
    ASSERT_NE(hFirst, nullptr);
    EXPECT_EQ(::GetObjectType(hFirst), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(bar->GetCount(), 4);

    // Loading again replaces the bitmap; the first one is freed.
    ASSERT_TRUE(bar->LoadToolBar(IDR_GALLERY_IMAGES));
    HBITMAP hSecond = bar->m_hbmImageWell;
    EXPECT_NE(hSecond, hFirst);
    EXPECT_EQ(::GetObjectType(hFirst), 0u);

    delete bar; // the bar and its bitmap go together
    EXPECT_EQ(::GetObjectType(hSecond), 0u);
    parent.DestroyWindow();
}

namespace
{
bool s_quitTimerFired = false;
}

TEST(WindowLifetimeTest, ModalLoopEndsWhenItsDialogIsDestroyed)
{
    GalleryHarness g;
    CGalleryDialog dialog(g.frame);
    s_quitTimerFired = false;
    // Destroys the dialog without ending the dialog; the second timer only
    // keeps a broken loop from hanging the test run.
    ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        if (HWND hDialog = ::FindWindowW(L"#32770", L"Gallery Settings"))
            ::DestroyWindow(hDialog);
    });
    UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        s_quitTimerFired = true;
        ::PostQuitMessage(3);
    });
    EXPECT_EQ(dialog.DoModal(), -1);
    ::KillTimer(nullptr, guard);
    EXPECT_FALSE(s_quitTimerFired);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_TRUE(g.frame->IsWindowEnabled());
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
}
