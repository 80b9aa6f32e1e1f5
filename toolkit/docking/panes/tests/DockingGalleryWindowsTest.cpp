// The docking gallery under Wine: the host attached to a frame, panes left
// of and below the view, splitter bars dragged with real input (SendInput)
// within the panes' limits, a pane closed while a drag runs, and the
// arrangement stored in the registry and shown by a second process in the
// same rectangles. Screenshots go beside the test results.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

#include "CDockingGalleryFrame.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitBarWnd.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "GalleryInput.h"
#include "SecondProcess.h"
#include "WindowCapture.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingGallery";
constexpr int kFolders = CDockingGalleryFrame::kFolders;
constexpr int kOutput = CDockingGalleryFrame::kOutput;
constexpr int kFindResults = CDockingGalleryFrame::kFindResults;
constexpr int kProperties = CDockingGalleryFrame::kProperties;

CDockingGalleryFrame* g_pGallery = nullptr;

void PumpFor(DWORD ms) { PumpGalleryFor(g_pGallery, ms); }

// What runs once while the button is held; the drag loop dispatches the
// thread timer that calls it.
std::function<void()> g_duringDrag;
std::atomic<bool> g_pressed{false};

void CALLBACK DuringDragTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_pressed && g_duringDrag)
    {
        auto action = std::move(g_duringDrag);
        g_duringDrag = nullptr;
        action();
    }
}

// Presses the left button at `from`, moves in steps to `to` and releases,
// from a thread of its own while this thread runs the windows (the drag loop
// is modal).
void DragWithInput(POINT from, POINT to, std::function<void()> duringDrag = {})
{
    std::atomic<bool> done{false};
    g_pressed = false;
    g_duringDrag = std::move(duringDrag);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 30, DuringDragTimer);
    const DWORD nWindowThread = ::GetCurrentThreadId();
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(150);
        for (int step = 1; step <= 8; ++step)
        {
            SendMouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
            ::Sleep(40);
            if (step == 4)
            {
                g_pressed = true;
                ::Sleep(150);
            }
        }
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        // A release that went astray would leave the drag loop waiting for
        // ever: after three seconds the loop is cancelled, and the checks fail.
        GUITHREADINFO info{};
        info.cbSize = sizeof(info);
        for (int i = 0; i < 60 && ::GetGUIThreadInfo(nWindowThread, &info) && info.hwndCapture; ++i)
            ::Sleep(50);
        if (info.hwndCapture)
            ::PostMessageW(info.hwndCapture, WM_CANCELMODE, 0, 0);
        done = true;
    });
    while (!done)
        PumpFor(10);
    input.join();
    ::KillTimer(nullptr, timer);
    g_duringDrag = nullptr;
    PumpFor(200);
}

RECT ChildRect(HWND hFrame, HWND hChild)
{
    RECT rc{};
    ::GetWindowRect(hChild, &rc);
    ::MapWindowPoints(nullptr, hFrame, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The bars: 0 between Folders and the view, 1 above the bottom panes, 2
// between the Output group and Properties.
HWND BarWindow(CDockingGalleryFrame& gallery, int nBar)
{
    CDockingSplitNode* pTop = gallery.GetHost().GetTopContainer();
    if (!pTop || pTop->GetChildren().size() < 2)
        return nullptr;
    CDockingSplitNode* pSplit = nBar == 1 ? pTop : AsSplitNode(pTop->GetChildren()[nBar == 0 ? 0 : 1]);
    const CDockingSplitBarWnd* pBar = pSplit ? pSplit->GetSplitBar(0) : nullptr;
    return pBar ? pBar->GetSafeHwnd() : nullptr;
}

POINT BarCentre(CDockingGalleryFrame& gallery, int nBar)
{
    RECT rc{};
    ::GetWindowRect(BarWindow(gallery, nBar), &rc);
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

std::string Describe(CDockingGalleryFrame& gallery)
{
    std::string text;
    for (int id : {0, kFolders, kOutput, kFindResults, kProperties})
    {
        const HWND hWnd = id == 0 ? gallery.GetView() : gallery.GetPaneWindow(id);
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

int ReportGallery(const wchar_t* reportPath)
{
    CDockingGalleryFrame gallery;
    if (!gallery.CreateGallery(40, 40, 800, 600))
        return 2;
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return 4;
    const BOOL bLoaded = gallery.LoadFrom(hKey);
    ::RegCloseKey(hKey);
    PumpFor(300);
    CaptureWindowToBmp(gallery.GetSafeHwnd(), ResultPath(L"docking_gallery_reloaded.bmp"));
    const std::string report = (bLoaded ? "" : "refused ") + Describe(gallery);
    gallery.DestroyWindow();
    return WriteReport(reportPath, report) ? 0 : 3;
}

// One gallery per test suite run; each test starts from what the ones before
// it left, and each also holds on its own (ctest runs them one by one).
class DockingGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_pGallery = new CDockingGalleryFrame;
        ASSERT_TRUE(g_pGallery->CreateGallery(40, 40, 800, 600));
        g_pGallery->DockSamplePanes();
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        g_pGallery->DestroyWindow();
        delete g_pGallery;
        g_pGallery = nullptr;
    }
    // The view's rectangle, or that of the group that shows the pane.
    static RECT PaneRect(int id)
    {
        return ChildRect(g_pGallery->GetSafeHwnd(),
                         id == 0 ? g_pGallery->GetView() : ::GetParent(g_pGallery->GetPaneWindow(id)));
    }
};

TEST_F(DockingGallery, PanesLeftAndBelowTheViewWithATabbedGroup)
{
    EXPECT_EQ(PaneRect(kFolders).right, 200);
    EXPECT_EQ(PaneRect(kFolders).bottom, 446);
    const RECT view = PaneRect(0);
    EXPECT_EQ(view.left, 204);
    EXPECT_EQ(view.bottom, 446);
    // Output and Find Results share a group: 300 of 550 wanted pixels.
    EXPECT_EQ(PaneRect(kOutput).top, 450);
    EXPECT_EQ(PaneRect(kOutput).right, 434);
    EXPECT_EQ(::GetParent(g_pGallery->GetPaneWindow(kOutput)), ::GetParent(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kOutput))) << "the group shows its selected pane";
    EXPECT_EQ(PaneRect(kProperties).left, 438);
    EXPECT_EQ(PaneRect(kProperties).right, 800);
    EXPECT_NE(BarWindow(*g_pGallery, 2), nullptr);
    CaptureWindowToBmp(g_pGallery->GetSafeHwnd(), ResultPath(L"docking_gallery_start.bmp"));
}

TEST_F(DockingGallery, ClickingATabShowsItsPane)
{
    CDockingHostWnd& host = g_pGallery->GetHost();
    auto* pGroup = AsTabbedContainer(host.LookupPaneById(kOutput)->GetParentNode());
    ASSERT_NE(pGroup, nullptr);
    host.ShowPane(host.LookupPaneById(kFindResults), FALSE);
    PumpFor(100);
    ASSERT_EQ(pGroup->GetTabStrip()->GetItemCount(), 2);
    CRect tab = pGroup->GetTabStrip()->GetItem(0)->m_rect;
    EXPECT_EQ(pGroup->GetTabStrip()->GetItem(0)->m_strCaption, CString(L"Out")) << "the tab shows the short caption";
    pGroup->ClientToScreen(&tab);
    DragWithInput(tab.CenterPoint(), tab.CenterPoint());
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kOutput)));
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_EQ(pGroup->GetSelectedPane(), host.LookupPaneById(kOutput));
    CaptureWindowToBmp(g_pGallery->GetSafeHwnd(), ResultPath(L"docking_gallery_tab_clicked.bmp"));
    host.ShowPane(host.LookupPaneById(kFindResults), FALSE);
    PumpFor(100);
}

TEST_F(DockingGallery, DraggedBarsResizeThePanesWithinTheirLimits)
{
    POINT bar = BarCentre(*g_pGallery, 0);
    DragWithInput(bar, {bar.x + 100, bar.y});
    EXPECT_EQ(PaneRect(kFolders).right, 300);
    EXPECT_EQ(PaneRect(0).left, 304);

    // Far to the left: the Folders pane keeps its minimum of 60 pixels.
    bar = BarCentre(*g_pGallery, 0);
    DragWithInput(bar, {bar.x - 290, bar.y});
    EXPECT_EQ(PaneRect(kFolders).right, 60);

    // Back, then the bottom panes up by 100 pixels.
    bar = BarCentre(*g_pGallery, 0);
    DragWithInput(bar, {bar.x + 180, bar.y});
    bar = BarCentre(*g_pGallery, 1);
    DragWithInput(bar, {bar.x, bar.y - 100});
    EXPECT_EQ(PaneRect(kFindResults).top, 350);
    EXPECT_EQ(PaneRect(0).bottom, 346);
    CaptureWindowToBmp(g_pGallery->GetSafeHwnd(), ResultPath(L"docking_gallery_dragged.bmp"));
}

TEST_F(DockingGallery, StoredArrangementShowsTheSameRectanglesInASecondProcess)
{
    POINT bar = BarCentre(*g_pGallery, 0);
    DragWithInput(bar, {bar.x + 70, bar.y});
    bar = BarCentre(*g_pGallery, 2);
    DragWithInput(bar, {bar.x - 50, bar.y});
    ASSERT_NE(PaneRect(kFolders).right, 200);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    g_pGallery->StoreTo(hKey);
    ::RegCloseKey(hKey);
    EXPECT_EQ(RunSelfForReport(L"--report-gallery", ResultPath(L"docking_gallery_report.txt")),
              Describe(*g_pGallery));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
}

TEST_F(DockingGallery, PaneClosedDuringADragDropsTheDrag)
{
    CDockingHostWnd& host = g_pGallery->GetHost();
    host.ShowPane(host.LookupPaneById(kFindResults), FALSE);
    PumpFor(100);
    const POINT bar = BarCentre(*g_pGallery, 1);
    const RECT before = PaneRect(kOutput);
    DragWithInput(bar, {bar.x, bar.y - 60}, [&host] { host.DismissPane(host.LookupPaneById(kFindResults)); });
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_EQ(host.LookupPaneById(kFindResults)->GetParentNode(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kOutput))) << "the group shows its remaining pane";
    EXPECT_EQ(PaneRect(kOutput).top, before.top) << "the structure changed under the bar, so its drop is not applied";

    host.ShowPane(host.LookupPaneById(kFindResults), FALSE);
    PumpFor(200);
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_EQ(::GetParent(g_pGallery->GetPaneWindow(kFindResults)), ::GetParent(g_pGallery->GetPaneWindow(kOutput)));
}

TEST_F(DockingGallery, LockedHostKeepsItsBars)
{
    g_pGallery->GetHost().m_bLocked = TRUE;
    const RECT before = PaneRect(kFolders);
    const POINT bar = BarCentre(*g_pGallery, 0);
    DragWithInput(bar, {bar.x + 80, bar.y});
    g_pGallery->GetHost().m_bLocked = FALSE;
    EXPECT_EQ(PaneRect(kFolders).right, before.right);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && std::wstring(argv[1]) == L"--report-gallery")
        return ReportGallery(argv[2]);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
