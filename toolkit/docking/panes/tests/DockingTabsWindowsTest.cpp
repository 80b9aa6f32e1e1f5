// Tabs of a docking group in the gallery under Wine, driven by real input
// (SendInput): a tab dragged sideways swaps places, dragged off the row it
// tears its pane off into a docking drag (floating, docked at a guide's side
// or joined to another group), unless the frame vetoes it; the maximize
// button gives a group its split's room and restore gives it back; caption
// buttons show their tips; an OLE drag resting on a tab shows that tab's
// pane; drop targets and OLE are given back with the frame; a missing cursor
// falls back to the system's; a right-to-left frame previews a dock on the
// side the pointer shows. After each step the arrangement is stored and
// loaded into a second gallery, which must show the same layout.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "CDockingCaptionButton.h"
#include "CDockingDragTracker.h"
#include "CDockingGalleryFrame.h"
#include "CDockingGuideWnd.h"
#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CScreenTipContext.h"
#include "DockingCursors.h"
#include "GalleryInput.h"
#include "WindowCapture.h"
#include "window/AfxMessages.h"
#include "window/OleDataTransfer.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingTabs";
constexpr int kFolders = CDockingGalleryFrame::kFolders;
constexpr int kOutput = CDockingGalleryFrame::kOutput;
constexpr int kFindResults = CDockingGalleryFrame::kFindResults;
constexpr int kProperties = CDockingGalleryFrame::kProperties;

CDockingGalleryFrame* g_pGallery = nullptr;

void PumpFor(DWORD ms) { PumpGalleryFor(g_pGallery, ms); }

void SendKey(WORD vk, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    ::SendInput(1, &input, sizeof(input));
}

// Input runs on a thread of its own while this thread pumps the windows;
// the drag loops are modal and dispatch the timer that runs `atStop`.
struct Stop
{
    std::function<POINT()> where;  // asked when the stop is reached
    std::function<void()> atStop;  // runs on the window thread while the pointer rests there
};

std::function<void()> g_onTimer;
void CALLBACK StopTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (auto action = std::move(g_onTimer))
    {
        g_onTimer = nullptr;
        action();
    }
}

void RunOnWindowThread(std::function<void()> action)
{
    g_onTimer = std::move(action);
    for (int i = 0; i < 300 && g_onTimer; ++i)
        ::Sleep(10);
}

void PumpUntil(const bool& done)
{
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, StopTimer);
    while (!done)
        PumpFor(10);
    ::KillTimer(nullptr, timer);
    PumpFor(200);
}

void MoveInSteps(POINT from, POINT to, int steps = 6)
{
    for (int step = 1; step <= steps; ++step)
    {
        SendMouse(MOUSEEVENTF_MOVE, {from.x + (to.x - from.x) * step / steps, from.y + (to.y - from.y) * step / steps});
        ::Sleep(40);
    }
}

void DragThrough(POINT from, const std::vector<Stop>& stops)
{
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, from);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(150);
        POINT last = from;
        for (const Stop& stop : stops)
        {
            POINT to{};
            RunOnWindowThread([&] { to = stop.where(); });
            MoveInSteps(last, to);
            last = to;
            ::Sleep(250);
            if (stop.atStop)
                RunOnWindowThread(stop.atStop);
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    PumpUntil(done);
    input.join();
}

void Click(POINT at)
{
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, at);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(200);
        done = true;
    });
    PumpUntil(done);
    input.join();
}

std::wstring ResultPath(const wchar_t* name)
{
    wchar_t dir[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, dir);
    return std::wstring(dir) + L"\\" + name;
}

RECT ScreenRect(HWND hWnd)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

POINT Centre(const RECT& rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }

CKitDockingPaneTabbedContainer* GroupOf(CDockingGalleryFrame& gallery, int id)
{
    CDockingPaneItem* pPane = gallery.GetHost().LookupPaneById(id);
    return pPane ? AsTabbedContainer(pPane->GetParentNode()) : nullptr;
}

// Where each pane shows, in which window, and the tab order and selection
// of its group: the frame's client coordinates for docked panes, the screen
// for floating ones.
std::string Describe(CDockingGalleryFrame& gallery)
{
    std::string text;
    for (int id : {0, kFolders, kOutput, kFindResults, kProperties})
    {
        const HWND hWnd = id == 0 ? gallery.GetView() : gallery.GetPaneWindow(id);
        RECT rc = ScreenRect(hWnd);
        const bool bFloating = ::GetAncestor(hWnd, GA_ROOT) != gallery.GetSafeHwnd();
        if (!bFloating)
            ::MapWindowPoints(nullptr, gallery.GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        char part[160];
        if (!::IsWindowVisible(hWnd))
            std::snprintf(part, sizeof(part), "%d:hidden ", id);
        else
            std::snprintf(part, sizeof(part), "%d:shown%s(%ld,%ld,%ld,%ld) ", id, bFloating ? "/floating" : "",
                          rc.left, rc.top, rc.right, rc.bottom);
        text += part;
        if (const CKitDockingPaneTabbedContainer* pGroup = id ? GroupOf(gallery, id) : nullptr)
        {
            text += "[";
            for (int i = 0; i < pGroup->GetPaneCount(); ++i)
                text += std::to_string(pGroup->GetPaneAt(i)->m_nId) +
                        (pGroup->GetPaneAt(i) == pGroup->GetSelectedPane() ? "* " : " ");
            text += "] ";
        }
    }
    return text;
}

// Vetoes the tear-off of a tab while set (the frame's answer to action 16).
bool g_vetoTearOff = false;
// The nodes the frame was asked about for a context menu (event 2).
std::vector<LPARAM> g_rightClicks;
LRESULT CALLBACK VetoSubclass(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_DOCKINGPANE_EVENT && wParam == kDockingEventRightClick)
    {
        g_rightClicks.push_back(lParam);
        return 0;
    }
    if (message == WM_DOCKINGPANE_EVENT && wParam == kDockingEventAction)
    {
        auto* pRecord = reinterpret_cast<DockingActionRecord*>(lParam);
        if (pRecord->action == kActionTabDragging)
        {
            if (g_vetoTearOff)
                pRecord->cancel = 1;
            return 0;
        }
    }
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

class DockingTabs : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        g_pGallery = new CDockingGalleryFrame;
        ASSERT_TRUE(g_pGallery->CreateGallery(40, 40, 800, 600));
        CDockingHostWnd& host = g_pGallery->GetHost();
        host.m_bLayeredFeedback = TRUE;
        host.m_bGuides = TRUE;
        host.m_bThemedFloatingFrames = TRUE;
        host.m_bMaximizeButtons = TRUE;
        g_pGallery->DockSamplePanes();
        ::SetWindowSubclass(g_pGallery->GetSafeHwnd(), VetoSubclass, 1, 0);
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        ::RemoveWindowSubclass(g_pGallery->GetSafeHwnd(), VetoSubclass, 1);
        g_pGallery->DestroyWindow();
        delete g_pGallery;
        g_pGallery = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }
    static CDockingHostWnd& Host() { return g_pGallery->GetHost(); }
    static CKitDockingPaneTabbedContainer* Group(int id) { return GroupOf(*g_pGallery, id); }
    static CDockingPaneItem* Pane(int id) { return Host().LookupPaneById(id); }
    // The screen centre of the tab of the pane in its group.
    static POINT TabPoint(int id)
    {
        CKitDockingPaneTabbedContainer* pGroup = Group(id);
        for (int i = 0; i < pGroup->GetPaneCount(); ++i)
            if (pGroup->GetPaneAt(i) == Pane(id))
            {
                POINT pt = Centre(pGroup->GetTabStrip()->GetItem(i)->m_rect);
                ::ClientToScreen(pGroup->GetSafeHwnd(), &pt);
                return pt;
            }
        return {-1, -1};
    }
    static POINT ButtonPoint(int id, int nButton)
    {
        CDockingCaptionButton* pButton = Group(id)->FindCaptionButton(nButton);
        POINT pt = pButton->m_rect.CenterPoint();
        ::ClientToScreen(Group(id)->GetSafeHwnd(), &pt);
        return pt;
    }
    static POINT GuidePiece(int nGuideFlags, int nPiece)
    {
        for (const auto& pGuide : Host().GetDragTracker()->GetGuideWindows())
        {
            const int nFlags = pGuide->GetFlags();
            if ((nGuideFlags & kGuideCentre) ? (nFlags & nGuideFlags) != nGuideFlags : nFlags != nGuideFlags)
                continue;
            const RECT rc = ScreenRect(pGuide->GetSafeHwnd());
            if (!(nGuideFlags & kGuideCentre))
                return Centre(rc);
            const POINT offset = nPiece == kGuideLeft     ? POINT{15, 46}
                                 : nPiece == kGuideRight  ? POINT{78, 46}
                                 : nPiece == kGuideTop    ? POINT{46, 15}
                                 : nPiece == kGuideBottom ? POINT{46, 78}
                                                          : POINT{46, 46};
            return {rc.left + offset.x, rc.top + offset.y};
        }
        return {-1, -1};
    }
    // Stores the arrangement and loads it into a second gallery at the same
    // place, which must show every pane, tab order and selection as this one.
    static void ExpectReloadShowsTheSame()
    {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        g_pGallery->StoreTo(hKey);
        const std::string expected = Describe(*g_pGallery);
        CDockingGalleryFrame second;
        second.GetHost().m_bThemedFloatingFrames = TRUE;
        ASSERT_TRUE(second.CreateGallery(40, 40, 800, 600));
        second.GetHost().GetDrawer()->m_bAlwaysShowTabs = Host().GetDrawer()->m_bAlwaysShowTabs;
        EXPECT_TRUE(second.LoadFrom(hKey));
        ::RegCloseKey(hKey);
        for (int i = 0; i < 20; ++i)
        {
            PumpFor(10);
            second.RunIdleLayout();
        }
        EXPECT_EQ(Describe(second), expected);
        second.DestroyWindow();
        PumpFor(100);
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(100);
    }
    // Output and Find Results back as tabs of one group below the view.
    static void RegroupOutput()
    {
        if (Group(kFindResults) != Group(kOutput))
        {
            if (!Group(kOutput) || !AsSplitNode(Group(kOutput)->GetParentNode()))
                Host().InsertPaneAtSide(Pane(kOutput), kSideBottom, nullptr);
            Host().AttachNode(Pane(kFindResults), Pane(kOutput));
        }
        PumpFor(300);
    }
};

TEST_F(DockingTabs, ATabDraggedSidewaysSwapsPlacesAndStaysSelected)
{
    ASSERT_EQ(Group(kOutput)->GetPaneAt(0), Pane(kOutput));
    ASSERT_EQ(Group(kOutput)->GetPaneAt(1), Pane(kFindResults));
    const POINT output = TabPoint(kOutput);
    DragThrough(TabPoint(kFindResults), {{[output] { return POINT{output.x - 4, output.y}; },
                                          [] { EXPECT_EQ(Group(kOutput)->GetDraggedPane(), Pane(kFindResults)); }}});
    EXPECT_EQ(Group(kOutput)->GetPaneAt(0), Pane(kFindResults));
    EXPECT_EQ(Group(kOutput)->GetPaneAt(1), Pane(kOutput));
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Pane(kFindResults));
    EXPECT_EQ(Group(kOutput)->GetDraggedPane(), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    EXPECT_FALSE(::IsWindowVisible(g_pGallery->GetPaneWindow(kOutput)));
    CaptureWindowToBmp(g_pGallery->GetSafeHwnd(), ResultPath(L"docking_tabs_swapped.bmp"));
    ExpectReloadShowsTheSame();

    // And back: Output first again for the tests after this one.
    const POINT find = TabPoint(kFindResults);
    DragThrough(TabPoint(kOutput), {{[find] { return POINT{find.x + 4, find.y}; }, nullptr}});
    EXPECT_EQ(Group(kOutput)->GetPaneAt(0), Pane(kOutput));
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Pane(kOutput));
}

TEST_F(DockingTabs, ATabDraggedOffTheRowTearsItsPaneOff)
{
    struct Case
    {
        const char* name;
        std::vector<Stop> stops;
        std::function<void()> check;
    };
    const std::vector<Case> cases = {
        {"floats away from the guides",
         {{[] {
               const RECT view = ScreenRect(g_pGallery->GetView());
               return POINT{view.left + 60, view.top + 60};
           },
           [] {
               EXPECT_TRUE(Host().GetDragTracker()->IsDragging());
               EXPECT_EQ(Group(kOutput)->GetDraggedPane(), nullptr);
           }}},
         [] {
             EXPECT_EQ(Group(kOutput)->GetPaneCount(), 1);
             CDockingNode* pParent = Group(kFindResults)->GetParentNode();
             CKitDockingPaneMiniWnd* pFloating =
                 AsFloatingWindow(AsSplitNode(pParent) ? pParent->GetParentNode() : pParent);
             ASSERT_NE(pFloating, nullptr);
             EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kFindResults), GA_ROOT), pFloating->GetSafeHwnd());
             CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_tabs_torn_off.bmp"));
         }},
        {"docks at the left piece of the guide over Properties",
         {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); }, nullptr},
          {[] { return GuidePiece(kGuideCentre, kGuideLeft); },
           [] { EXPECT_EQ(Host().GetDragTracker()->GetTarget(), Group(kProperties)); }}},
         [] {
             EXPECT_EQ(Group(kOutput)->GetPaneCount(), 1);
             EXPECT_EQ(Group(kFindResults)->GetPaneCount(), 1);
             const RECT find = ScreenRect(Group(kFindResults)->GetSafeHwnd());
             const RECT properties = ScreenRect(Group(kProperties)->GetSafeHwnd());
             EXPECT_EQ(find.right + 4, properties.left);
             EXPECT_EQ(find.top, properties.top);
         }},
        {"joins the Properties group at the tab piece",
         {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); }, nullptr},
          {[] { return GuidePiece(kGuideCentre | kGuideTab, kGuideTab); },
           [] { EXPECT_TRUE(Host().GetDragTracker()->IsTabShape()); }}},
         [] {
             EXPECT_EQ(Group(kFindResults), Group(kProperties));
             EXPECT_EQ(Group(kProperties)->GetSelectedPane(), Pane(kFindResults));
             EXPECT_EQ(Group(kOutput)->GetPaneCount(), 1);
         }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        RegroupOutput();
        ASSERT_EQ(Group(kOutput)->GetPaneCount(), 2);
        std::vector<Stop> stops = c.stops;
        // First up out of the tab row, onto the view: that tears the pane off.
        stops.insert(stops.begin(), Stop{[] {
                                             const RECT view = ScreenRect(g_pGallery->GetView());
                                             return POINT{view.left + 100, view.bottom - 60};
                                         },
                                         nullptr});
        DragThrough(TabPoint(kFindResults), stops);
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_FALSE(Host().GetDragTracker()->IsDragging());
        c.check();
        ExpectReloadShowsTheSame();
    }
    RegroupOutput();
    EXPECT_EQ(Group(kOutput)->GetPaneCount(), 2);
    EXPECT_EQ(Group(kProperties)->GetPaneCount(), 1);

    // The frame may keep the tab in its row: the pane stays where it was.
    const std::string before = Describe(*g_pGallery);
    g_vetoTearOff = true;
    DragThrough(TabPoint(kFindResults), {{[] {
                                              const RECT view = ScreenRect(g_pGallery->GetView());
                                              return POINT{view.left + 100, view.bottom - 60};
                                          },
                                          [] { EXPECT_FALSE(Host().GetDragTracker()->IsDragging()); }}});
    g_vetoTearOff = false;
    EXPECT_EQ(Group(kOutput)->GetPaneCount(), 2);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(Describe(*g_pGallery), before);
}

// With a style that shows a lone pane's tab, that tab can be torn off too;
// the group it leaves empty is never offered as the place to dock.
TEST_F(DockingTabs, ALonePanesTabTornOffNeverTargetsItsOwnGroup)
{
    Host().GetDrawer()->m_bAlwaysShowTabs = TRUE;
    g_pGallery->RecalcLayout();
    PumpFor(300);
    ASSERT_TRUE(Group(kFolders)->ShowsTabRow());
    CKitDockingPaneTabbedContainer* pOwn = Group(kFolders);
    const POINT tab = TabPoint(kFolders);
    DragThrough(tab, {{[] { return POINT{TabPoint(kFolders).x + 40, TabPoint(kFolders).y - 120}; },
                       [pOwn] {
                           EXPECT_TRUE(Host().GetDragTracker()->IsDragging());
                           EXPECT_NE(Host().GetDragTracker()->GetTarget(), pOwn);
                           for (const auto& pGuide : Host().GetDragTracker()->GetGuideWindows())
                               EXPECT_FALSE(pGuide->GetFlags() & kGuideCentre) << "a centre guide over its own group";
                       }}});
    EXPECT_EQ(::GetCapture(), nullptr);
    // Released there it floats on its own.
    CDockingNode* pParent = Group(kFolders)->GetParentNode();
    EXPECT_NE(AsFloatingWindow(AsSplitNode(pParent) ? pParent->GetParentNode() : pParent), nullptr);
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFolders)));
    ExpectReloadShowsTheSame();
    Host().GetDrawer()->m_bAlwaysShowTabs = FALSE;
    Host().InsertPaneAtSide(Pane(kFolders), kSideLeft, nullptr);
    g_pGallery->RecalcLayout();
    PumpFor(300);
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kFolders), GA_ROOT), g_pGallery->GetSafeHwnd());
}

TEST_F(DockingTabs, MaximizeGivesTheGroupTheSplitAndRestoreGivesItBack)
{
    // Output's group and Properties share one split side by side.
    const std::string before = Describe(*g_pGallery);
    CDockingCaptionButton* pMaximize = Group(kProperties)->FindCaptionButton(kButtonMaximize);
    ASSERT_FALSE(pMaximize->m_rect.IsRectEmpty()) << "the maximize button shows";
    EXPECT_TRUE(Group(kFolders)->FindCaptionButton(kButtonMaximize)->m_rect.IsRectEmpty())
        << "Folders has no tabbed neighbour in its split";
    const RECT viewBefore = ScreenRect(g_pGallery->GetView());
    Click(ButtonPoint(kProperties, kButtonMaximize));
    PumpFor(200);
    EXPECT_TRUE(Group(kProperties)->IsMaximized());
    const RECT viewAfter = ScreenRect(g_pGallery->GetView());
    EXPECT_EQ(CRect(viewAfter), CRect(viewBefore)) << "the view keeps its place";
    const RECT output = ScreenRect(Group(kOutput)->GetSafeHwnd());
    const RECT properties = ScreenRect(Group(kProperties)->GetSafeHwnd());
    RECT view = ScreenRect(g_pGallery->GetView());
    EXPECT_LE(output.right - output.left, 12) << "Output's group keeps only its frame";
    EXPECT_GT(properties.right - properties.left, view.right - view.left - 20);
    EXPECT_TRUE(Group(kProperties)->FindCaptionButton(kButtonMaximize)->m_rect.IsRectEmpty());
    EXPECT_FALSE(Group(kProperties)->FindCaptionButton(kButtonRestore)->m_rect.IsRectEmpty());
    CaptureWindowToBmp(g_pGallery->GetSafeHwnd(), ResultPath(L"docking_tabs_maximized.bmp"));

    Click(ButtonPoint(kProperties, kButtonRestore));
    PumpFor(200);
    EXPECT_FALSE(Group(kProperties)->IsMaximized());
    EXPECT_EQ(Describe(*g_pGallery), before);
    ExpectReloadShowsTheSame();
}

TEST_F(DockingTabs, CaptionButtonsShowTheirTips)
{
    struct Case
    {
        int nPane;
        int nButton;
        const wchar_t* text;
    };
    for (const Case& c : {Case{kProperties, kButtonClose, L"Close"}, Case{kProperties, kButtonAutoHide, L"Auto Hide"},
                          Case{kFolders, kButtonMenu, L"Menu"}, Case{kOutput, kButtonClose, L"Close"},
                          Case{kProperties, kButtonMaximize, L"Maximize"}, Case{kProperties, kButtonRestore, L"Restore"}})
    {
        SCOPED_TRACE(testing::Message() << c.nPane << "/" << c.nButton);
        if (c.nButton == kButtonRestore)
        {
            Group(kProperties)->Maximize();
            PumpFor(300);
        }
        ASSERT_FALSE(Group(c.nPane)->FindCaptionButton(c.nButton)->m_rect.IsRectEmpty());
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        bool done = false;
        const POINT at = ButtonPoint(c.nPane, c.nButton);
        std::thread input([&] {
            SendMouse(MOUSEEVENTF_MOVE, {at.x - 3, at.y});
            ::Sleep(100);
            SendMouse(MOUSEEVENTF_MOVE, at);
            ::Sleep(1500);
            done = true;
        });
        PumpUntil(done);
        input.join();
        CWnd* pTip = Host().GetTipContext()->GetTipWindow();
        ASSERT_NE(pTip, nullptr);
        EXPECT_TRUE(pTip->IsWindowVisible());
        wchar_t text[64] = {};
        ::SendMessageW(pTip->GetSafeHwnd(), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, c.text);
        if (c.nButton == kButtonMenu)
            CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_tabs_tip.bmp"));
    }
    Group(kProperties)->Restore();
    PumpFor(200);
}

TEST_F(DockingTabs, AnOleDragRestingOnATabShowsItsPane)
{
    Host().ShowPane(Pane(kOutput), FALSE);
    PumpFor(200);
    ASSERT_EQ(Group(kOutput)->GetSelectedPane(), Pane(kOutput));
    ASSERT_TRUE(Group(kOutput)->IsDropTargetRegistered());
    auto* pSource = new COleDataSource;
    const wchar_t text[] = L"dragged text";
    HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
    std::memcpy(::GlobalLock(hText), text, sizeof(text));
    ::GlobalUnlock(hText);
    pSource->CacheGlobalData(CF_UNICODETEXT, hText);

    const POINT start = Centre(ScreenRect(g_pGallery->GetView()));
    const POINT tab = TabPoint(kFindResults);
    volatile bool pressed = false;
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, start);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        pressed = true;
        ::Sleep(400);
        MoveInSteps(start, tab, 10);
        SendMouse(MOUSEEVENTF_MOVE, {tab.x + 1, tab.y});
        ::Sleep(600);
        SendKey(VK_ESCAPE, false);
        SendKey(VK_ESCAPE, true);
        ::Sleep(200);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    while (!pressed)
        ::Sleep(5);
    // The press is read before the drag starts, as a real drag source sees it.
    PumpFor(150);
    const DROPEFFECT effect = pSource->DoDragDrop(DROPEFFECT_COPY);
    PumpUntil(done);
    input.join();
    pSource->InternalRelease();
    EXPECT_EQ(effect, static_cast<DROPEFFECT>(DROPEFFECT_NONE)) << "nothing is dropped on a group";
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Pane(kFindResults));
    EXPECT_TRUE(::IsWindowVisible(g_pGallery->GetPaneWindow(kFindResults)));
    Host().ShowPane(Pane(kOutput), FALSE);
    PumpFor(200);
}

// Another window taking the focus and the mouse in the middle of a drag (a
// message box, another program) ends it as a cancel: nothing moves, and
// neither the capture nor the desktop's drawing lock outlives it.
TEST_F(DockingTabs, ADragWhoseFocusAndCaptureAreTakenEndsAndGivesEverythingBack)
{
    // A press on a tab selects it: the state to come back to.
    Host().ShowPane(Pane(kFindResults), FALSE);
    PumpFor(200);
    const std::string before = Describe(*g_pGallery);
    const HWND hOther = ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"Other", WS_POPUP | WS_VISIBLE | WS_BORDER, 900,
                                          700, 120, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hOther, nullptr);
    const auto steal = [hOther] {
        ::SetForegroundWindow(hOther);
        ::SetCapture(hOther);
    };
    struct Case
    {
        const char* name;
        BOOL bLayered;
    };
    for (const Case& c : {Case{"translucent preview", TRUE}, Case{"desktop outline", FALSE}})
    {
        SCOPED_TRACE(c.name);
        Host().m_bLayeredFeedback = c.bLayered;
        DragThrough(TabPoint(kFindResults),
                    {{[] {
                          const RECT view = ScreenRect(g_pGallery->GetView());
                          return POINT{view.left + 100, view.bottom - 60};
                      },
                      [&] {
                          EXPECT_TRUE(Host().GetDragTracker()->IsDragging()) << "the pane was torn off";
                          steal();
                      }},
                     {[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); }, nullptr}});
        EXPECT_FALSE(Host().GetDragTracker()->IsDragging());
        EXPECT_NE(::GetCapture(), g_pGallery->GetSafeHwnd());
        EXPECT_TRUE(Host().GetDragTracker()->GetGuideWindows().empty());
        EXPECT_TRUE(::LockWindowUpdate(g_pGallery->GetSafeHwnd())) << "the desktop was left locked";
        ::LockWindowUpdate(nullptr);
        ::ReleaseCapture();
        EXPECT_EQ(Describe(*g_pGallery), before);
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(200);
    }
    Host().m_bLayeredFeedback = TRUE;

    // A tab drag loses its capture the same way: the tab stays where it was.
    DragThrough(TabPoint(kFindResults), {{[] {
                                              const POINT tab = TabPoint(kFindResults);
                                              return POINT{tab.x + 3, tab.y};
                                          },
                                          [&] {
                                              EXPECT_EQ(Group(kOutput)->GetDraggedPane(), Pane(kFindResults));
                                              steal();
                                              PumpFor(50);
                                              EXPECT_EQ(Group(kOutput)->GetDraggedPane(), nullptr);
                                          }},
                                         {[] { return TabPoint(kOutput); }, nullptr}});
    ::ReleaseCapture();
    EXPECT_EQ(Group(kOutput)->GetPaneAt(0), Pane(kOutput));
    EXPECT_EQ(Group(kOutput)->GetPaneAt(1), Pane(kFindResults));
    ::DestroyWindow(hOther);
    ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
    Host().ShowPane(Pane(kOutput), FALSE);
    PumpFor(200);
}

TEST_F(DockingTabs, ARightClickOnATabSelectsItsPaneAndHelpNamesThePaneUnderThePointer)
{
    Host().ShowPane(Pane(kOutput), FALSE);
    PumpFor(200);
    g_rightClicks.clear();
    const POINT tab = TabPoint(kFindResults);
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, tab);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_RIGHTDOWN);
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_RIGHTUP);
        ::Sleep(200);
        done = true;
    });
    PumpUntil(done);
    input.join();
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Pane(kFindResults));
    EXPECT_EQ(g_rightClicks, (std::vector<LPARAM>{reinterpret_cast<LPARAM>(static_cast<CDockingNode*>(Group(kOutput)))}));

    // Find Results carries help id 7; Output none, so its pane id stands in.
    const auto helpAt = [](int id) {
        POINT pt = TabPoint(id);
        ::ScreenToClient(Group(id)->GetSafeHwnd(), &pt);
        return ::SendMessageW(Group(id)->GetSafeHwnd(), WM_HELPHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    };
    EXPECT_EQ(helpAt(kFindResults), 0x20000 + 7);
    EXPECT_EQ(helpAt(kOutput), 0x20000 + kOutput);
    Host().ShowPane(Pane(kOutput), FALSE);
    PumpFor(200);
}

TEST_F(DockingTabs, AMissingCursorFallsBackToTheSystems)
{
    // 9990 is no cursor of the toolkit or the application.
    EXPECT_EQ(LoadDockingCursor(9990, IDC_SIZEWE), ::LoadCursorW(nullptr, IDC_SIZEWE));
    EXPECT_EQ(LoadDockingCursor(9990, IDC_SIZENS), ::LoadCursorW(nullptr, IDC_SIZENS));
    EXPECT_EQ(LoadDockingCursor(9990, IDC_ARROW), ::LoadCursorW(nullptr, IDC_ARROW));
    // The toolkit's own splitter cursor is found when the resources carry it.
    const HCURSOR hSplit = LoadDockingCursor(9970, IDC_SIZEWE);
    EXPECT_NE(hSplit, nullptr);
    EXPECT_NE(hSplit, ::LoadCursorW(nullptr, IDC_SIZEWE));
}

TEST_F(DockingTabs, ARightToLeftFramePreviewsTheDockOnTheSideShown)
{
    g_pGallery->ShowWindow(SW_HIDE);
    CDockingGalleryFrame* pMain = g_pGallery;
    CDockingGalleryFrame rtl;
    ASSERT_TRUE(rtl.CreateGallery(40, 40, 800, 600, 2, WS_EX_LAYOUTRTL));
    rtl.GetHost().m_bLayeredFeedback = TRUE;
    rtl.GetHost().m_bGuides = TRUE;
    rtl.DockSamplePanes();
    g_pGallery = &rtl;
    ::SetForegroundWindow(rtl.GetSafeHwnd());
    PumpFor(300);

    RECT client{};
    rtl.GetClientRect(&client);
    POINT clientLeft{0, 0};
    POINT clientRight{client.right, 0};
    ::ClientToScreen(rtl.GetSafeHwnd(), &clientLeft);
    ::ClientToScreen(rtl.GetSafeHwnd(), &clientRight);
    const int nVisualLeft = std::min(clientLeft.x, clientRight.x);
    const int nVisualRight = std::max(clientLeft.x, clientRight.x);
    // Folders sits at the layout's first side: on the right of the screen.
    EXPECT_EQ(ScreenRect(GroupOf(rtl, kFolders)->GetSafeHwnd()).right, nVisualRight);

    const auto captionOf = [&rtl](int id) {
        const RECT rc = ScreenRect(GroupOf(rtl, id)->GetSafeHwnd());
        return POINT{(rc.left + rc.right) / 2, rc.top + rtl.GetHost().GetDrawer()->m_nCaptionHeight / 2 + 2};
    };
    // The frame's left guide: Folders goes to the visual left of everything.
    CRect preview;
    DragThrough(captionOf(kFolders),
                {{[&rtl] { return Centre(ScreenRect(rtl.GetView())); }, nullptr},
                 {[] { return GuidePiece(kGuideLeft, kGuideLeft); },
                  [&] {
                      preview = rtl.GetHost().GetDragTracker()->GetPreviewRect();
                      CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_tabs_rtl_preview.bmp"));
                  }}});
    EXPECT_EQ(preview.left, nVisualLeft) << "the preview lies on the left the pointer shows";
    EXPECT_LT(preview.right, (nVisualLeft + nVisualRight) / 2);
    RECT docked = ScreenRect(GroupOf(rtl, kFolders)->GetSafeHwnd());
    EXPECT_EQ(docked.left, nVisualLeft) << "and the drop lands there";
    EXPECT_EQ(CRect(docked), preview);

    // The left piece of the guide over Properties: Folders goes visually
    // left of Properties, inside their split.
    const RECT target = ScreenRect(GroupOf(rtl, kProperties)->GetSafeHwnd());
    DragThrough(captionOf(kFolders),
                {{[&rtl] { return Centre(ScreenRect(GroupOf(rtl, kProperties)->GetSafeHwnd())); }, nullptr},
                 {[] { return GuidePiece(kGuideCentre, kGuideLeft); },
                  [&] { preview = rtl.GetHost().GetDragTracker()->GetPreviewRect(); }}});
    // The split keeps its place while Folders is still elsewhere: Folders
    // takes the left part of it and Properties moves right.
    EXPECT_EQ(preview.left, target.left) << "the preview lies on Properties' left";
    EXPECT_LT(preview.right, target.right);
    EXPECT_EQ(preview.top, target.top);
    docked = ScreenRect(GroupOf(rtl, kFolders)->GetSafeHwnd());
    const RECT properties = ScreenRect(GroupOf(rtl, kProperties)->GetSafeHwnd());
    EXPECT_EQ(docked.right + 4, properties.left) << "and the drop lands there";
    EXPECT_EQ(docked.top, properties.top);
    EXPECT_EQ(::GetCapture(), nullptr);

    g_pGallery = pMain;
    rtl.DestroyWindow();
    g_pGallery->ShowWindow(SW_SHOW);
    ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
    PumpFor(300);
}

// Every frame registers its groups as drop targets and initialises OLE
// through its host; both are given back when the frame goes, however often.
TEST(DockingTabsOle, FramesMadeAndDestroyedTwiceLeaveOleAndTheDropTargetsBalanced)
{
    class CDummyTarget : public COleDropTarget
    {
    };
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        auto* pGallery = new CDockingGalleryFrame;
        ASSERT_TRUE(pGallery->CreateGallery(40, 40, 800, 600));
        pGallery->DockSamplePanes();
        PumpGalleryFor(pGallery, 200);
        CKitDockingPaneTabbedContainer* pProperties = GroupOf(*pGallery, kProperties);
        ASSERT_NE(pProperties, nullptr);
        EXPECT_TRUE(pProperties->IsDropTargetRegistered());
        CDummyTarget other;
        EXPECT_EQ(::RegisterDragDrop(pProperties->GetSafeHwnd(), &other), DRAGDROP_E_ALREADYREGISTERED);
        // The group's window goes with its last pane; its registration first.
        pGallery->GetHost().DismissPane(pGallery->GetHost().LookupPaneById(kProperties));
        EXPECT_EQ(pProperties->GetSafeHwnd(), nullptr);
        EXPECT_FALSE(pProperties->IsDropTargetRegistered());
        CKitDockingPaneTabbedContainer* pOutput = GroupOf(*pGallery, kOutput);
        pGallery->DestroyWindow();
        EXPECT_FALSE(pOutput->IsDropTargetRegistered());
        delete pGallery;
        // Nothing of OLE is left initialised on this thread.
        EXPECT_EQ(::OleInitialize(nullptr), S_OK);
        ::OleUninitialize();
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
