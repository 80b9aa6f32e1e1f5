// The docking gallery under Wine: panes left of and below the view, splitter
// bars dragged with real input (SendInput) within the panes' limits, a pane
// closed while a drag runs, and the arrangement stored in the registry and
// shown by a second process in the same rectangles. Screenshots go beside
// the test results.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <cstdio>
#include <string>
#include <thread>

#include "ArrangementExchange.h"
#include "CDockingGalleryWnd.h"
#include "CKitPropExchangeRegistry.h"
#include "SampleArrangement.h"
#include "SecondProcess.h"
#include "WindowCapture.h"

using namespace kit::docking;

namespace {

constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingGallery";
constexpr int kFolders = 101, kOutput = 102, kFindResults = 103;

void PumpFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

void SendMouse(DWORD flags, POINT pt = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE)
    {
        input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

// Presses the left button at `from`, moves in steps to `to` and releases,
// from a thread of its own while this thread runs the windows (the drag
// loop is modal).
void DragWithInput(POINT from, POINT to, const std::function<void()>& duringDrag = {})
{
    std::atomic<bool> done{false};
    std::atomic<bool> pressed{false};
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(150);
        pressed = true;
        for (int step = 1; step <= 8; ++step)
        {
            SendMouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
            ::Sleep(40);
        }
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    bool changed = false;
    while (!done)
    {
        PumpFor(10);
        if (pressed && !changed && duringDrag)
        {
            duringDrag();
            changed = true;
        }
    }
    input.join();
    PumpFor(200);
}

RECT ChildRect(HWND hFrame, HWND hChild)
{
    RECT rc{};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

POINT BarCentre(const CDockingGalleryWnd& gallery, size_t nBar)
{
    RECT rc{};
    ::GetWindowRect(gallery.GetBarWindow(nBar), &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

std::string Describe(const CDockingGalleryWnd& gallery)
{
    std::string text;
    for (int id : {CDockingGalleryWnd::kViewId, kFolders, kOutput, kFindResults})
    {
        HWND hWnd = gallery.GetPaneWindow(id);
        const RECT rc = ChildRect(gallery.GetSafeHwnd(), hWnd);
        char part[96];
        std::snprintf(part, sizeof(part), "%d:%s(%ld,%ld,%ld,%ld) ", id, ::IsWindowVisible(hWnd) ? "shown" : "hidden",
                      rc.left, rc.top, rc.right, rc.bottom);
        text += part;
    }
    return text;
}

std::wstring ResultPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return std::wstring(dir) + L"\\" + name;
}

StoredArrangement LoadFromRegistry()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return DefaultArrangement();
    StoredArrangement arrangement;
    {
        CKitPropExchangeRegistry px(TRUE, hKey, L"Layout");
        arrangement = LoadArrangementFrom(&px);
    }
    ::RegCloseKey(hKey);
    return arrangement;
}

int ReportGallery(const wchar_t* reportPath)
{
    CDockingGalleryWnd gallery(LoadFromRegistry());
    if (!gallery.Create(40, 40, 800, 600))
        return 2;
    PumpFor(300);
    CaptureWindowToBmp(gallery.GetSafeHwnd(), ResultPath(L"docking_gallery_reloaded.bmp"));
    return WriteReport(reportPath, Describe(gallery)) ? 0 : 3;
}

std::string ReportFromSecondProcess()
{
    return RunSelfForReport(L"--report-gallery", ResultPath(L"docking_gallery_report.txt"));
}

// One gallery per test suite run; each test starts from what the ones before
// it left, and each also holds on its own (ctest runs them one by one).
class DockingGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_gallery = new CDockingGalleryWnd(SampleArrangement());
        ASSERT_TRUE(s_gallery->Create(40, 40, 800, 600));
        ::SetForegroundWindow(s_gallery->GetSafeHwnd());
        PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        delete s_gallery;
        s_gallery = nullptr;
    }
    HWND Frame() const { return s_gallery->GetSafeHwnd(); }
    RECT PaneRect(int id) const { return ChildRect(Frame(), s_gallery->GetPaneWindow(id)); }

    static CDockingGalleryWnd* s_gallery;
};
CDockingGalleryWnd* DockingGallery::s_gallery = nullptr;

TEST_F(DockingGallery, PanesLeftAndBelowTheViewWithTheGroupsSelectedTab)
{
    EXPECT_EQ(PaneRect(kFolders).right, 200);
    EXPECT_EQ(PaneRect(kFolders).bottom, 600);
    const RECT view = PaneRect(CDockingGalleryWnd::kViewId);
    EXPECT_EQ(view.left, 204);
    EXPECT_EQ(view.bottom, 446);
    EXPECT_TRUE(::IsWindowVisible(s_gallery->GetPaneWindow(kFindResults)));
    EXPECT_FALSE(::IsWindowVisible(s_gallery->GetPaneWindow(kOutput))) << "the group shows its selected tab";
    EXPECT_EQ(PaneRect(kFindResults).top, 450);
    CaptureWindowToBmp(Frame(), ResultPath(L"docking_gallery_start.bmp"));
}

TEST_F(DockingGallery, DraggedBarsResizeThePanesWithinTheirLimits)
{
    POINT bar = BarCentre(*s_gallery, 0);
    DragWithInput(bar, {bar.x + 100, bar.y});
    EXPECT_EQ(PaneRect(kFolders).right, 300);
    EXPECT_EQ(PaneRect(CDockingGalleryWnd::kViewId).left, 304);

    // Far to the left: the Folders pane keeps its minimum of 60 pixels.
    bar = BarCentre(*s_gallery, 0);
    DragWithInput(bar, {bar.x - 290, bar.y});
    EXPECT_EQ(PaneRect(kFolders).right, 60);

    // Back, then the bottom group up by 100 pixels.
    bar = BarCentre(*s_gallery, 0);
    DragWithInput(bar, {bar.x + 180, bar.y});
    bar = BarCentre(*s_gallery, 1);
    DragWithInput(bar, {bar.x, bar.y - 100});
    EXPECT_EQ(PaneRect(kFindResults).top, 350);
    EXPECT_EQ(PaneRect(CDockingGalleryWnd::kViewId).bottom, 346);
    CaptureWindowToBmp(Frame(), ResultPath(L"docking_gallery_dragged.bmp"));
}

TEST_F(DockingGallery, StoredArrangementShowsTheSameRectanglesInASecondProcess)
{
    // Sizes of the user's own first: both bars moved.
    POINT bar = BarCentre(*s_gallery, 0);
    DragWithInput(bar, {bar.x + 70, bar.y});
    bar = BarCentre(*s_gallery, 1);
    DragWithInput(bar, {bar.x, bar.y - 40});
    ASSERT_NE(PaneRect(kFolders).right, 200);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    {
        CKitPropExchangeRegistry px(FALSE, hKey, L"Layout");
        ASSERT_EQ(StoreArrangementTo(s_gallery->GetArrangement(), &px), ArrangementError::None);
    }
    ::RegCloseKey(hKey);
    EXPECT_EQ(ReportFromSecondProcess(), Describe(*s_gallery));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

TEST_F(DockingGallery, PaneClosedDuringADragLeavesTheLayoutSound)
{
    // The group below loses its selected tab while the bar above it is held.
    const POINT bar = BarCentre(*s_gallery, 1);
    const RECT before = PaneRect(kFindResults);
    DragWithInput(bar, {bar.x, bar.y - 60}, [] { s_gallery->ClosePane(kFindResults); });
    EXPECT_FALSE(::IsWindowVisible(s_gallery->GetPaneWindow(kFindResults)));
    EXPECT_TRUE(::IsWindowVisible(s_gallery->GetPaneWindow(kOutput))) << "the group shows its remaining tab";
    EXPECT_EQ(PaneRect(kOutput).top, before.top - 60) << "the drop still applies: the bar's neighbours are the same";
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--report-gallery")
        return ReportGallery(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
