// Auto-hidden panes in the docking gallery under Wine with real input
// (SendInput): the pin sends a group to the strip of its side, pointing at
// its tab slides it out step by step, moving away slides it back, the pin on
// the slid-out group docks it where it was, and a closed pane takes its tab
// along. After each step the arrangement is stored and loaded into a second
// gallery, which must show the same layout and the same strips.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CDockingArrangement.h"
#include "CDockingCaptionButton.h"
#include "CDockingGalleryFrame.h"
#include "CDockingPaneItem.h"
#include "CDockingSideStrip.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneAutoHideWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "GalleryInput.h"
#include "WindowCapture.h"
#include "window/OleDataTransfer.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingAutoHide";
constexpr int kFolders = CDockingGalleryFrame::kFolders;
constexpr int kOutput = CDockingGalleryFrame::kOutput;
constexpr int kFindResults = CDockingGalleryFrame::kFindResults;
constexpr int kProperties = CDockingGalleryFrame::kProperties;

CDockingGalleryFrame* g_pGallery = nullptr;

void PumpFor(DWORD ms) { PumpGalleryFor(g_pGallery, ms); }

CDockingHostWnd& Host() { return g_pGallery->GetHost(); }

CKitDockingPaneTabbedContainer* Group(int id)
{
    return AsTabbedContainer(Host().LookupPaneById(id)->GetParentNode());
}

CDockingSideStrip* Strip(CDockingGalleryFrame& gallery, int nSide)
{
    CDockingArrangement* pArrangement = gallery.GetHost().GetArrangement();
    return pArrangement ? AsSideStrip(pArrangement->GetSideStrip(nSide)) : nullptr;
}

CDockingSideStrip* Strip(int nSide) { return Strip(*g_pGallery, nSide); }

RECT ScreenRect(HWND hWnd)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

RECT FrameRect(CDockingGalleryFrame& gallery, HWND hWnd)
{
    RECT rc = ScreenRect(hWnd);
    ::MapWindowPoints(nullptr, gallery.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

POINT Centre(const RECT& rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

std::wstring ResultPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return std::wstring(dir) + L"\\" + name;
}

// The tab captions of a strip, group after group.
std::vector<std::string> StripTabs(CDockingSideStrip* pStrip)
{
    std::vector<std::string> tabs;
    if (!pStrip)
        return tabs;
    for (const auto& pGroup : pStrip->GetGroups())
        for (int i = 0; i < pGroup->GetItemCount(); ++i)
        {
            const CString& caption = pGroup->GetItem(i)->m_strCaption;
            tabs.emplace_back(caption.GetString(), caption.GetString() + caption.GetLength());
        }
    return tabs;
}

// The screen rectangle of a pane's tab on a strip.
RECT TabRect(CDockingSideStrip* pStrip, int nPaneId)
{
    for (const auto& pGroup : pStrip->GetGroups())
        for (int i = 0; i < pGroup->GetItemCount(); ++i)
            if (static_cast<CDockingPaneItem*>(pGroup->GetItem(i)->m_pObject)->m_nId == nPaneId)
            {
                RECT rc = pGroup->GetItem(i)->m_rect;
                ::MapWindowPoints(pStrip->GetSafeHwnd(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
                return rc;
            }
    return {};
}

POINT PinPoint(CKitDockingPaneTabbedContainer* pGroup)
{
    CDockingCaptionButton* pPin = pGroup->FindCaptionButton(kButtonAutoHide);
    POINT pt = pPin->m_rect.CenterPoint();
    ::ClientToScreen(pGroup->GetSafeHwnd(), &pt);
    return pt;
}

// Where the view, each pane and each strip shows. A pane slid out of a strip
// is a passing state that is not stored: it counts as hidden.
std::string Describe(CDockingGalleryFrame& gallery)
{
    std::string text;
    char part[160];
    const RECT view = FrameRect(gallery, gallery.GetView());
    std::snprintf(part, sizeof(part), "view(%ld,%ld,%ld,%ld) ", view.left, view.top, view.right, view.bottom);
    text += part;
    for (int id : {kFolders, kOutput, kFindResults, kProperties})
    {
        const HWND hWnd = gallery.GetPaneWindow(id);
        const CDockingPaneItem* pPane = gallery.GetHost().LookupPaneById(id);
        if (!::IsWindowVisible(hWnd) || pPane->IsAutoHidden())
        {
            std::snprintf(part, sizeof(part), "%d:hidden ", id);
        }
        else
        {
            const RECT rc = FrameRect(gallery, hWnd);
            std::snprintf(part, sizeof(part), "%d:(%ld,%ld,%ld,%ld) ", id, rc.left, rc.top, rc.right, rc.bottom);
        }
        text += part;
    }
    for (int nSide = kSideLeft; nSide <= kSideBottom; ++nSide)
    {
        CDockingSideStrip* pStrip = Strip(gallery, nSide);
        if (!pStrip || !pStrip->GetSafeHwnd())
            continue;
        const RECT rc = FrameRect(gallery, pStrip->GetSafeHwnd());
        std::snprintf(part, sizeof(part), "strip%d(%ld,%ld,%ld,%ld)", nSide, rc.left, rc.top, rc.right, rc.bottom);
        text += part;
        for (const std::string& tab : StripTabs(pStrip))
            text += "[" + tab + "]";
        text += " ";
    }
    return text;
}

// Moves the pointer through the points while this thread pumps, sampling
// the slid-out window's extent (width or height) after every message round.
// Moves the pointer through the points and pumps for `msAfter`; with `until`,
// the pumping goes on (five seconds at most) until that state is reached, so
// a loaded machine that runs the animation late still gets there.
std::vector<int> MoveAndWatch(const std::vector<POINT>& points, DWORD msAfter, bool click = false,
                              const std::function<bool()>& until = nullptr)
{
    bool done = false;
    std::thread input([&] {
        for (const POINT& pt : points)
        {
            SendMouse(MOUSEEVENTF_MOVE, pt);
            ::Sleep(60);
        }
        if (click)
        {
            SendMouse(MOUSEEVENTF_LEFTDOWN);
            ::Sleep(80);
            SendMouse(MOUSEEVENTF_LEFTUP);
        }
        ::Sleep(msAfter);
        done = true;
    });
    std::vector<int> extents;
    DWORD nDoneAt = 0;
    const auto waiting = [&] {
        if (!done)
            return true;
        if (!nDoneAt)
            nDoneAt = ::GetTickCount();
        return until && !until() && ::GetTickCount() - nDoneAt < 5000;
    };
    while (waiting())
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        g_pGallery->RunIdleLayout();
        for (int nSide = kSideLeft; nSide <= kSideBottom; ++nSide)
            if (CDockingSideStrip* pStrip = Strip(nSide); pStrip && pStrip->GetAutoHideWnd())
                if (const HWND hWnd = pStrip->GetAutoHideWnd()->GetSafeHwnd(); ::IsWindowVisible(hWnd))
                {
                    const RECT rc = ScreenRect(hWnd);
                    const int nExtent = nSide <= kSideRight ? rc.right - rc.left : rc.bottom - rc.top;
                    if (extents.empty() || extents.back() != nExtent)
                        extents.push_back(nExtent);
                }
        ::Sleep(2);
    }
    input.join();
    PumpFor(100);
    return extents;
}

void Click(POINT pt) { MoveAndWatch({pt}, 300, true); }

// The frame's answers to the docking actions of auto-hiding (8 to 13): each
// is recorded, and the one named in `g_veto` is vetoed.
std::vector<int> g_actions;
int g_veto = -1;
WNDPROC g_frameProc = nullptr;

LRESULT CALLBACK ActionSpy(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DOCKINGPANE_EVENT && wParam == kDockingEventAction)
    {
        auto* pRecord = reinterpret_cast<DockingActionRecord*>(lParam);
        if (pRecord->action >= kActionAutoHiding && pRecord->action <= kActionSlidOut)
            g_actions.push_back(pRecord->action);
        if (pRecord->action == g_veto)
            pRecord->cancel = 1;
    }
    return ::CallWindowProcW(g_frameProc, hWnd, message, wParam, lParam);
}

// Whether the actions hold `expected` in this order, others between them.
bool HasInOrder(const std::vector<int>& actions, const std::vector<int>& expected)
{
    auto it = actions.begin();
    for (int action : expected)
    {
        it = std::find(it, actions.end(), action);
        if (it == actions.end())
            return false;
        ++it;
    }
    return true;
}

std::string Joined(const std::vector<int>& actions)
{
    std::string text;
    for (int action : actions)
        text += std::to_string(action) + " ";
    return text;
}

class DockingAutoHide : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        g_pGallery = new CDockingGalleryFrame;
        ASSERT_TRUE(g_pGallery->CreateGallery(40, 40, 800, 600));
        g_pGallery->DockSamplePanes();
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(300);
        s_docked = Describe(*g_pGallery);
        s_foldersDocked = FrameRect(*g_pGallery, Group(kFolders)->GetSafeHwnd());
    }
    static void TearDownTestSuite()
    {
        g_pGallery->DestroyWindow();
        delete g_pGallery;
        g_pGallery = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }
    void SetUp() override
    {
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(100);
    }

    // Each test runs in a process of its own, or after the others: Folders
    // is sent to its strip with the pin unless it is there already.
    static void AutoHideFolders()
    {
        if (!Group(kFolders)->IsAutoHidden())
            Click(PinPoint(Group(kFolders)));
        ASSERT_TRUE(Group(kFolders)->IsAutoHidden());
    }

    static HKEY StoreToRegistry()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        HKEY hKey = nullptr;
        EXPECT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        g_pGallery->StoreTo(hKey);
        return hKey;
    }
    // Loads what the key holds into a second gallery at the same place.
    static std::string DescribeReloaded(HKEY hKey, BOOL* pLoaded = nullptr)
    {
        CDockingGalleryFrame second;
        EXPECT_TRUE(second.CreateGallery(40, 40, 800, 600));
        const BOOL bLoaded = second.LoadFrom(hKey);
        if (pLoaded)
            *pLoaded = bLoaded;
        for (int i = 0; i < 20; ++i)
        {
            PumpFor(10);
            second.RunIdleLayout();
        }
        const std::string text = Describe(second);
        second.DestroyWindow();
        PumpFor(100);
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(100);
        return text;
    }
    static void ExpectReloadShowsTheSame()
    {
        HKEY hKey = StoreToRegistry();
        const std::string expected = Describe(*g_pGallery);
        BOOL bLoaded = FALSE;
        EXPECT_EQ(DescribeReloaded(hKey, &bLoaded), expected);
        EXPECT_TRUE(bLoaded);
        ::RegCloseKey(hKey);
    }

    static std::string s_docked;
    static RECT s_foldersDocked;
};

std::string DockingAutoHide::s_docked;
RECT DockingAutoHide::s_foldersDocked;

TEST_F(DockingAutoHide, PinSendsTheGroupToTheStripOfItsSide)
{
    const int nWidth = s_foldersDocked.right - s_foldersDocked.left;
    Click(PinPoint(Group(kFolders)));
    ASSERT_TRUE(Group(kFolders)->IsAutoHidden());
    CDockingSideStrip* pStrip = Strip(kSideLeft);
    ASSERT_NE(pStrip, nullptr);
    ASSERT_TRUE(::IsWindowVisible(pStrip->GetSafeHwnd()));
    EXPECT_EQ(StripTabs(pStrip), std::vector<std::string>{"Folders"});
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFolders)));
    const RECT strip = FrameRect(*g_pGallery, pStrip->GetSafeHwnd());
    RECT client{};
    g_pGallery->GetClientRect(&client);
    EXPECT_EQ(strip.left, 0);
    EXPECT_EQ(strip.top, 0);
    EXPECT_EQ(strip.bottom, client.bottom);
    EXPECT_EQ(strip.right - strip.left, pStrip->GetThickness());
    EXPECT_GT(strip.right, 10);
    // The view and the groups below it now start beside the strip.
    EXPECT_EQ(FrameRect(*g_pGallery, g_pGallery->GetView()).left, strip.right);
    EXPECT_EQ(Host().LookupPaneById(kFolders)->m_nDockingCX, nWidth);
    EXPECT_EQ(Strip(kSideRight), nullptr);
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, PointingAtTheTabSlidesOutAndLeavingSlidesBack)
{
    AutoHideFolders();
    CDockingSideStrip* pStrip = Strip(kSideLeft);
    ASSERT_NE(pStrip, nullptr);
    const RECT tab = TabRect(pStrip, kFolders);
    ASSERT_GT(tab.bottom, tab.top);
    const std::vector<int> out = MoveAndWatch({Centre(tab)}, 1200);
    CKitDockingPaneAutoHideWnd* pWnd = pStrip->GetAutoHideWnd();
    ASSERT_NE(pWnd, nullptr) << "hovering the tab slid nothing out";
    EXPECT_EQ(pWnd->GetSteps(), 8);
    EXPECT_EQ(pWnd->GetStep(), 7);
    const RECT strip = FrameRect(*g_pGallery, pStrip->GetSafeHwnd());
    const RECT final = pWnd->GetFinalRect();
    const int nWidth = s_foldersDocked.right - s_foldersDocked.left;
    EXPECT_EQ(final.left, strip.right);
    EXPECT_EQ(final.right - final.left, nWidth + 4);
    // It covers the view's side, as far as the view reaches.
    const RECT view = FrameRect(*g_pGallery, g_pGallery->GetView());
    EXPECT_EQ(final.top, view.top);
    EXPECT_EQ(final.bottom, view.bottom);
    EXPECT_EQ(FrameRect(*g_pGallery, pWnd->GetSafeHwnd()).right, final.right);
    // The slide grew the window step by step up to its final width. How many of
    // the 16 ms steps the watcher sees depends on the machine's load, so only
    // the order of the widths it saw is checked.
    ASSERT_FALSE(out.empty()) << "the window was never seen sliding";
    EXPECT_TRUE(std::is_sorted(out.begin(), out.end()));
    EXPECT_EQ(out.back(), nWidth + 4);
    // The group shows its pane beside the strip, over the view, with no tab
    // row of its own and a lying pin.
    const HWND hFolders = g_pGallery->GetPaneWindow(kFolders);
    EXPECT_TRUE(::IsWindowVisible(hFolders));
    EXPECT_EQ(::GetAncestor(::GetParent(hFolders), GA_PARENT), pWnd->GetSafeHwnd());
    EXPECT_FALSE(Group(kFolders)->ShowsTabRow());
    EXPECT_EQ(Group(kFolders)->FindCaptionButton(kButtonAutoHide)->m_nState,
              kButtonStateAutoHideApplies | kButtonStatePaneAutoHidden);
    EXPECT_LT(FrameRect(*g_pGallery, hFolders).right, final.right - 3) << "the resize bar stays free";
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_autohide_slid_out.bmp"));

    // Away over the view: about six polls later it slides back in steps and closes.
    const RECT away = ScreenRect(g_pGallery->GetView());
    const std::vector<int> in = MoveAndWatch({{away.right - 60, away.top + 60}}, 1500);
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr) << "the window stayed out";
    EXPECT_FALSE(::IsWindowVisible(hFolders));
    EXPECT_TRUE(std::is_sorted(in.rbegin(), in.rend()));
    EXPECT_TRUE(Group(kFolders)->IsAutoHidden());
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, ThePinOfTheSlidOutGroupDocksItAgain)
{
    AutoHideFolders();
    CDockingSideStrip* pStrip = Strip(kSideLeft);
    ASSERT_NE(pStrip, nullptr);
    // A click slides out at once and gives the pane the focus, which keeps
    // the window out.
    Click(Centre(TabRect(pStrip, kFolders)));
    PumpFor(300);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_EQ(::GetFocus(), g_pGallery->GetPaneWindow(kFolders));
    // Holding the focus, it stays out with the pointer away.
    const RECT view = ScreenRect(g_pGallery->GetView());
    MoveAndWatch({{view.right - 60, view.top + 60}}, 1000);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr) << "the focused group slid in";
    Click(PinPoint(Group(kFolders)));
    PumpFor(300);
    EXPECT_FALSE(Group(kFolders)->IsAutoHidden());
    EXPECT_NE(AsSplitNode(Group(kFolders)->GetParentNode()), nullptr);
    EXPECT_TRUE(pStrip->IsEmptyNode());
    EXPECT_EQ(pStrip->GetSafeHwnd(), nullptr);
    const RECT folders = FrameRect(*g_pGallery, Group(kFolders)->GetSafeHwnd());
    EXPECT_TRUE(::EqualRect(&folders, &s_foldersDocked));
    EXPECT_EQ(Describe(*g_pGallery), s_docked);
    ExpectReloadShowsTheSame();
}

// Drags the pointer from one point to another with the left button held.
void Drag(POINT from, POINT to)
{
    std::vector<POINT> points;
    for (int step = 1; step <= 8; ++step)
        points.push_back({from.x + (to.x - from.x) * step / 8, from.y + (to.y - from.y) * step / 8});
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(100);
        for (const POINT& pt : points)
        {
            SendMouse(MOUSEEVENTF_MOVE, pt);
            ::Sleep(50);
        }
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(200);
        done = true;
    });
    while (!done)
        PumpFor(10);
    input.join();
    PumpFor(100);
}

TEST_F(DockingAutoHide, TheInnerEdgeResizesTheSlidOutGroupWithinTheView)
{
    AutoHideFolders();
    CDockingSideStrip* pStrip = Strip(kSideLeft);
    Click(Centre(TabRect(pStrip, kFolders)));
    PumpFor(300);
    CKitDockingPaneAutoHideWnd* pWnd = pStrip->GetAutoHideWnd();
    ASSERT_NE(pWnd, nullptr);
    CDockingPaneItem* pFolders = Host().LookupPaneById(kFolders);
    const int nWidth = pFolders->m_nDockingCX;
    const RECT view = ScreenRect(g_pGallery->GetView());
    struct Case
    {
        const char* name;
        BOOL bTracker;
        int dx;
    };
    for (const Case& c : {Case{"live", FALSE, 80}, Case{"tracker", TRUE, -50}})
    {
        SCOPED_TRACE(c.name);
        Host().m_bTrackerResize = c.bTracker;
        const RECT before = ScreenRect(pWnd->GetSafeHwnd());
        // Grabbed at its first pixel: the live drag puts that pixel under the pointer.
        const POINT bar{before.right - 4, (before.top + before.bottom) / 2};
        const int nDockingBefore = pFolders->m_nDockingCX;
        Drag(bar, {bar.x + c.dx, bar.y});
        ASSERT_EQ(pStrip->GetAutoHideWnd(), pWnd) << "the window stays out while it is resized";
        EXPECT_EQ(ScreenRect(pWnd->GetSafeHwnd()).right, before.right + c.dx);
        EXPECT_EQ(pFolders->m_nDockingCX, nDockingBefore + c.dx);
        EXPECT_EQ(ScreenRect(g_pGallery->GetPaneWindow(kFolders)).right, before.right + c.dx - 4);
    }
    // Too far: the view keeps the host's margin (22 + 4 pixels).
    Host().m_bTrackerResize = FALSE;
    const RECT before = ScreenRect(pWnd->GetSafeHwnd());
    Drag({before.right - 4, (before.top + before.bottom) / 2}, {view.right + 50, (before.top + before.bottom) / 2});
    EXPECT_EQ(ScreenRect(pWnd->GetSafeHwnd()).right, view.right - 26 + 4);
    Host().m_bTrackerResize = TRUE;

    // The focus elsewhere and the pointer away: it slides in; pointed at
    // again it comes out at the size it was given.
    ::SetFocus(g_pGallery->GetView());
    MoveAndWatch({{view.right - 10, view.bottom - 10}}, 1500);
    ASSERT_EQ(pStrip->GetAutoHideWnd(), nullptr);
    const int nResized = pFolders->m_nDockingCX;
    EXPECT_NE(nResized, nWidth);
    MoveAndWatch({Centre(TabRect(pStrip, kFolders))}, 1000);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr);
    const RECT final = pStrip->GetAutoHideWnd()->GetFinalRect();
    EXPECT_EQ(final.right - final.left, nResized + 4);
    ::SetFocus(g_pGallery->GetView());
    MoveAndWatch({{view.right - 10, view.bottom - 10}}, 1500);
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, TheFrameIsToldEachStepAndItsVetoesHold)
{
    g_frameProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(g_pGallery->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ActionSpy)));
    g_actions.clear();
    Click(PinPoint(Group(kProperties)));
    EXPECT_EQ(g_actions, (std::vector<int>{kActionAutoHiding, kActionAutoHidden}));
    CDockingSideStrip* pStrip = Strip(kSideBottom);
    ASSERT_NE(pStrip, nullptr);
    ASSERT_EQ(StripTabs(pStrip), std::vector<std::string>{"Properties"});
    const POINT tab = Centre(TabRect(pStrip, kProperties));
    const RECT view = ScreenRect(g_pGallery->GetView());
    const POINT away{view.left + 60, view.top + 30};

    // The frame refuses the slide-out: nothing comes out.
    g_actions.clear();
    g_veto = kActionSlidingOut;
    MoveAndWatch({tab}, 900);
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_TRUE(HasInOrder(g_actions, {kActionSlidingOut})) << Joined(g_actions);
    EXPECT_FALSE(HasInOrder(g_actions, {kActionSlidOut})) << Joined(g_actions);

    // Allowed, it comes out and says so when it is all out.
    g_actions.clear();
    g_veto = -1;
    MoveAndWatch({away, tab}, 900);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_EQ(g_actions, (std::vector<int>{kActionSlidingOut, kActionSlidOut}));

    // The frame refuses the slide-in: it stays out and is asked again.
    g_actions.clear();
    g_veto = kActionSlidingIn;
    MoveAndWatch({away}, 1500);
    EXPECT_NE(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_GE(std::count(g_actions.begin(), g_actions.end(), kActionSlidingIn), 2) << Joined(g_actions);
    EXPECT_FALSE(HasInOrder(g_actions, {kActionSlidIn})) << Joined(g_actions);

    g_actions.clear();
    g_veto = -1;
    MoveAndWatch({{away.x + 5, away.y}}, 1200);
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_EQ(g_actions, (std::vector<int>{kActionSlidingIn, kActionSlidIn}));
    ::SetWindowLongPtrW(g_pGallery->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_frameProc));
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, AHolderDroppedWhenStoringIsForgottenNotRead)
{
    // A stored pane whose last holder is a group nobody else needs: storing
    // again drops that group, and the pane must not keep pointing at it. An
    // auto-hidden pane keeps the last holder it was loaded with.
    AutoHideFolders();
    HKEY hKey = StoreToRegistry();
    DWORD count = 0;
    DWORD size = sizeof(count);
    ASSERT_EQ(::RegGetValueW(hKey, L"Layout\\Summary", L"Panes", RRF_RT_REG_DWORD, nullptr, &count, &size), ERROR_SUCCESS);
    const DWORD extra = count + 1;
    wchar_t section[32];
    std::swprintf(section, 32, L"Layout\\Pane-%lu", extra);
    const DWORD zero = 0;
    const DWORD group = 1;
    for (const wchar_t* name : {L"DockingCX", L"DockingCY", L"Panes", L"Selected"})
        ::RegSetKeyValueW(hKey, section, name, REG_DWORD, &zero, sizeof(zero));
    ::RegSetKeyValueW(hKey, section, L"Type", REG_DWORD, &group, sizeof(group));
    ::RegSetKeyValueW(hKey, L"Layout\\Summary", L"Panes", REG_DWORD, &extra, sizeof(extra));
    int nFolders = 0;
    for (DWORD i = 1; i < extra && !nFolders; ++i)
    {
        std::swprintf(section, 32, L"Layout\\Pane-%lu", i);
        DWORD id = 0;
        size = sizeof(id);
        if (::RegGetValueW(hKey, section, L"ID", RRF_RT_REG_DWORD, nullptr, &id, &size) == ERROR_SUCCESS && id == kFolders)
            nFolders = static_cast<int>(i);
    }
    ASSERT_NE(nFolders, 0);
    std::swprintf(section, 32, L"Layout\\Pane-%d", nFolders);
    ::RegSetKeyValueW(hKey, section, L"LastHolder", REG_DWORD, &extra, sizeof(extra));

    CDockingGalleryFrame second;
    ASSERT_TRUE(second.CreateGallery(40, 40, 800, 600));
    ASSERT_TRUE(second.LoadFrom(hKey));
    PumpFor(100);
    second.RunIdleLayout();
    const std::string loaded = Describe(second);
    second.StoreTo(hKey);
    // Every holder a record names is still a node of the arrangement.
    CDockingArrangement* pArrangement = second.GetHost().GetArrangement();
    const std::vector<CDockingNode*>& nodes = pArrangement->GetNodeList();
    for (const HolderRecord& record : pArrangement->GetHolderList())
        for (const CDockingNode* pHolder : {record.pDockingHolder, record.pFloatingHolder, record.pLastHolder})
            EXPECT_TRUE(!pHolder || std::find(nodes.begin(), nodes.end(), pHolder) != nodes.end())
                << "pane " << record.pPane->m_nId << " keeps a holder that was deleted";
    second.DestroyWindow();
    PumpFor(100);
    DWORD stored = 0;
    size = sizeof(stored);
    ::RegGetValueW(hKey, L"Layout\\Summary", L"Panes", RRF_RT_REG_DWORD, nullptr, &stored, &size);
    EXPECT_EQ(stored, count) << "the group nobody needs was dropped and the rest stored";
    BOOL bLoaded = FALSE;
    EXPECT_EQ(DescribeReloaded(hKey, &bLoaded), loaded);
    EXPECT_TRUE(bLoaded) << "the second store was refused";
    ::RegCloseKey(hKey);
}

TEST_F(DockingAutoHide, ALeftStripStartsItsTabsBelowATopStrip)
{
    const HWND hToolbox = ::CreateWindowExW(0, L"STATIC", L"Toolbox", WS_CHILD, 0, 0, 0, 0,
                                            g_pGallery->GetSafeHwnd(), nullptr, nullptr, nullptr);
    CDockingPaneItem* pToolbox = Host().CreatePane(105, L"Toolbox", hToolbox, kSideTop, nullptr, CSize(0, 90));
    ASSERT_NE(pToolbox, nullptr);
    PumpFor(200);
    Click(PinPoint(AsTabbedContainer(pToolbox->GetParentNode())));
    AutoHideFolders();
    CDockingSideStrip* pTop = Strip(kSideTop);
    CDockingSideStrip* pLeft = Strip(kSideLeft);
    ASSERT_NE(pTop, nullptr);
    ASSERT_NE(pLeft, nullptr);
    EXPECT_EQ(StripTabs(pTop), std::vector<std::string>{"Toolbox"});
    const RECT top = FrameRect(*g_pGallery, pTop->GetSafeHwnd());
    const RECT left = FrameRect(*g_pGallery, pLeft->GetSafeHwnd());
    // The left band runs the frame's height; the corner belongs to the top strip.
    EXPECT_EQ(left.top, 0);
    EXPECT_EQ(top.left, left.right);
    EXPECT_EQ(top.top, 0);
    ASSERT_EQ(pLeft->GetGroups().size(), 1u);
    EXPECT_EQ(pLeft->GetGroups().front()->m_rect.top, top.bottom - top.top);
    const RECT tab = TabRect(pLeft, kFolders);
    EXPECT_GE(tab.top, ScreenRect(pTop->GetSafeHwnd()).bottom);
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_autohide_corner.bmp"));
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, AClosedPaneLeavesNoTab)
{
    Click(PinPoint(Group(kOutput)));
    CDockingSideStrip* pStrip = Strip(kSideBottom);
    ASSERT_NE(pStrip, nullptr);
    EXPECT_EQ(StripTabs(pStrip), (std::vector<std::string>{"Out", "Find Results"}));
    ExpectReloadShowsTheSame();

    // From the bottom the group slides up over the view, as high as it was docked.
    const int nHeight = Host().LookupPaneById(kOutput)->m_nDockingCY;
    const auto slidOut = [pStrip] {
        const CKitDockingPaneAutoHideWnd* pWnd = pStrip->GetAutoHideWnd();
        return pWnd && pWnd->GetStep() == pWnd->GetSteps() - 1;
    };
    const auto slidIn = [pStrip] { return pStrip->GetAutoHideWnd() == nullptr; };
    const std::vector<int> out = MoveAndWatch({Centre(TabRect(pStrip, kOutput))}, 300, false, slidOut);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr);
    const RECT final = pStrip->GetAutoHideWnd()->GetFinalRect();
    const RECT view = FrameRect(*g_pGallery, g_pGallery->GetView());
    EXPECT_EQ(final.bottom, view.bottom);
    EXPECT_EQ(final.bottom - final.top, nHeight + 4);
    EXPECT_EQ(final.left, view.left);
    EXPECT_EQ(final.right, view.right);
    // How many of the 16 ms steps the watcher sees depends on the machine's
    // load: only the order of the heights and the last one are checked.
    ASSERT_FALSE(out.empty()) << "the window was never seen sliding";
    EXPECT_TRUE(std::is_sorted(out.begin(), out.end()));
    EXPECT_EQ(out.back(), nHeight + 4);
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Host().LookupPaneById(kOutput));
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_autohide_bottom.bmp"));
    const RECT away = ScreenRect(g_pGallery->GetView());
    MoveAndWatch({{away.right - 60, away.top + 30}}, 700, false, slidIn);
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr);

    Host().DismissPane(Host().LookupPaneById(kFindResults));
    EXPECT_EQ(StripTabs(pStrip), std::vector<std::string>{"Out"}) << "the tab went at once";
    PumpFor(200);
    EXPECT_EQ(StripTabs(pStrip), std::vector<std::string>{"Out"});
    ExpectReloadShowsTheSame();

    // The last pane closed with the close button of its slid-out group: the
    // window goes, and the strip gives its band back.
    MoveAndWatch({Centre(TabRect(pStrip, kOutput))}, 300, false, slidOut);
    ASSERT_NE(pStrip->GetAutoHideWnd(), nullptr);
    CKitDockingPaneTabbedContainer* pGroup = Group(kOutput);
    POINT close = pGroup->FindCaptionButton(kButtonClose)->m_rect.CenterPoint();
    ::ClientToScreen(pGroup->GetSafeHwnd(), &close);
    Click(close);
    PumpFor(200);
    EXPECT_EQ(Host().LookupPaneById(kOutput)->GetParentNode(), nullptr);
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr);
    EXPECT_EQ(pStrip->GetSafeHwnd(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kOutput)));
    RECT client{};
    g_pGallery->GetClientRect(&client);
    EXPECT_EQ(FrameRect(*g_pGallery, Group(kProperties)->GetSafeHwnd()).bottom, client.bottom);
    ExpectReloadShowsTheSame();

    // Shown again, both go back to where they were docked.
    Host().ShowPane(Host().LookupPaneById(kOutput), FALSE);
    Host().ShowPane(Host().LookupPaneById(kFindResults), FALSE);
    PumpFor(300);
    EXPECT_FALSE(Group(kOutput)->IsAutoHidden());
    EXPECT_EQ(Group(kOutput), Group(kFindResults));
    ExpectReloadShowsTheSame();
}

TEST_F(DockingAutoHide, AStoredStripNamingAMissingGroupIsDroppedOnLoad)
{
    AutoHideFolders();
    HKEY hKey = StoreToRegistry();
    // The strip's section, found by its type, names a group that is not there.
    int nStrip = 0;
    for (int i = 1; i < 64 && !nStrip; ++i)
    {
        wchar_t name[32];
        std::swprintf(name, 32, L"Layout\\Pane-%d", i);
        DWORD type = 0;
        DWORD size = sizeof(type);
        if (::RegGetValueW(hKey, name, L"Type", RRF_RT_REG_DWORD, nullptr, &type, &size) == ERROR_SUCCESS && type == 5)
            nStrip = i;
    }
    ASSERT_NE(nStrip, 0);
    wchar_t section[32];
    std::swprintf(section, 32, L"Layout\\Pane-%d", nStrip);
    const DWORD missing = 999;
    ASSERT_EQ(::RegSetKeyValueW(hKey, section, L"Pane-1", REG_DWORD, &missing, sizeof(missing)), ERROR_SUCCESS);
    BOOL bLoaded = FALSE;
    const std::string reloaded = DescribeReloaded(hKey, &bLoaded);
    ::RegCloseKey(hKey);
    EXPECT_TRUE(bLoaded) << "one stale tab took the whole arrangement down";
    EXPECT_EQ(reloaded.find("strip"), std::string::npos) << reloaded;
    EXPECT_NE(reloaded.find("103:("), std::string::npos) << "the docked panes load: " << reloaded;
    EXPECT_NE(reloaded.find("104:("), std::string::npos) << reloaded;
    EXPECT_NE(reloaded.find("101:hidden"), std::string::npos) << reloaded;
    EXPECT_EQ(reloaded.find("view(0,"), 0u) << "the view takes the strip's band back: " << reloaded;
}

// What the window thread sees while an OLE drag rests on a strip's tab: the
// drag holds the capture, so only the strip's drop target can slide out.
std::atomic<bool> g_resting{false};
bool g_slidOutWhileResting = false;
void CALLBACK WatchWhileResting(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_resting)
        return;
    const CDockingSideStrip* pStrip = Strip(kSideLeft);
    const CKitDockingPaneAutoHideWnd* pWnd = pStrip ? pStrip->GetAutoHideWnd() : nullptr;
    if (pWnd && pWnd->GetContainer() &&
        pWnd->GetContainer()->GetSelectedPane() == Host().LookupPaneById(kFolders))
        g_slidOutWhileResting = true;
}

TEST_F(DockingAutoHide, AnOleDragRestingOnATabSlidesItsPaneOut)
{
    AutoHideFolders();
    CDockingSideStrip* pStrip = Strip(kSideLeft);
    ASSERT_NE(pStrip, nullptr);
    ASSERT_EQ(pStrip->GetAutoHideWnd(), nullptr);
    ASSERT_TRUE(pStrip->IsDropTargetRegistered());
    auto* pSource = new COleDataSource;
    const wchar_t text[] = L"dragged text";
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
    std::memcpy(::GlobalLock(hText), text, sizeof(text));
    ::GlobalUnlock(hText);
    pSource->CacheGlobalData(CF_UNICODETEXT, hText);

    const RECT view = ScreenRect(g_pGallery->GetView());
    const POINT start{view.right - 80, view.bottom - 80};
    const POINT tab = Centre(TabRect(pStrip, kFolders));
    g_slidOutWhileResting = false;
    std::atomic<bool> pressed{false};
    std::atomic<bool> done{false};
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, start);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        pressed = true;
        ::Sleep(400);
        for (int step = 1; step <= 10; ++step)
        {
            SendMouse(MOUSEEVENTF_MOVE,
                      {start.x + (tab.x - start.x) * step / 10, start.y + (tab.y - start.y) * step / 10});
            ::Sleep(40);
        }
        SendMouse(MOUSEEVENTF_MOVE, {tab.x, tab.y + 1});
        g_resting = true;
        ::Sleep(1200);
        g_resting = false;
        INPUT key[2]{};
        key[0].type = key[1].type = INPUT_KEYBOARD;
        key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
        key[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, key, sizeof(INPUT));
        ::Sleep(200);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    while (!pressed)
        ::Sleep(5);
    // The press is read before the drag starts, as a real drag source sees it.
    PumpFor(150);
    const UINT_PTR watch = ::SetTimer(nullptr, 0, 20, WatchWhileResting);
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY);
    while (!done)
        PumpFor(10);
    ::KillTimer(nullptr, watch);
    input.join();
    pSource->InternalRelease();
    EXPECT_EQ(effect, static_cast<DROPEFFECT>(DROPEFFECT_NONE)) << "nothing is dropped on a strip";
    EXPECT_TRUE(g_slidOutWhileResting) << "the pane under the drag did not slide out";
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_autohide_ole_drag.bmp"));
    // Away from strip and window, it slides back in.
    MoveAndWatch({{view.right - 60, view.top + 60}}, 700, false, [pStrip] { return pStrip->GetAutoHideWnd() == nullptr; });
    EXPECT_EQ(pStrip->GetAutoHideWnd(), nullptr);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
