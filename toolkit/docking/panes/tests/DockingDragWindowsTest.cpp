// Dragging panes in the docking gallery under Wine with real input
// (SendInput): a group dragged by its caption onto each docking guide docks
// at that side, onto the centre joins the tab group, away from the guides
// floats; Esc and a pane closed during the drag leave everything as it was,
// with the capture and the desktop given back. Floating frames roll up to
// their caption and come back on hover. After each step the arrangement is
// stored and loaded into a second gallery, which must show the same layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
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
#include "GalleryInput.h"
#include "WindowCapture.h"

namespace {

constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingDrag";
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

// Runs input from a thread of its own while this thread pumps the windows
// (the drag loop is modal and dispatches the timer that runs `atStop`).
struct Stop
{
    std::function<POINT()> where;  // asked when the stop is reached: guides appear during the drag
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
    for (int i = 0; i < 200 && g_onTimer; ++i)
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

void DragThrough(POINT from, const std::vector<Stop>& stops, bool escape = false)
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
            for (int step = 1; step <= 6; ++step)
            {
                SendMouse(MOUSEEVENTF_MOVE, {last.x + (to.x - last.x) * step / 6, last.y + (to.y - last.y) * step / 6});
                ::Sleep(40);
            }
            last = to;
            ::Sleep(250);
            if (stop.atStop)
                RunOnWindowThread(stop.atStop);
        }
        if (escape)
        {
            SendKey(VK_ESCAPE, false);
            SendKey(VK_ESCAPE, true);
            ::Sleep(200);
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
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

// Where each pane shows, and in which window: the frame's client
// coordinates for docked panes, the screen for floating ones.
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
        char part[112];
        // Where a hidden pane would be is nobody's business.
        if (!::IsWindowVisible(hWnd))
            std::snprintf(part, sizeof(part), "%d:hidden ", id);
        else
            std::snprintf(part, sizeof(part), "%d:shown%s(%ld,%ld,%ld,%ld) ", id, bFloating ? "/floating" : "",
                          rc.left, rc.top, rc.right, rc.bottom);
        text += part;
    }
    return text;
}

class DockingDrag : public testing::Test
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
        g_pGallery->DockSamplePanes();
        ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
        PumpFor(300);
    }
    static void TearDownTestSuite()
    {
        g_pGallery->DestroyWindow();
        delete g_pGallery;
        g_pGallery = nullptr;
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    }
    static CDockingHostWnd& Host() { return g_pGallery->GetHost(); }
    static CKitDockingPaneTabbedContainer* Group(int id)
    {
        return AsTabbedContainer(Host().LookupPaneById(id)->GetParentNode());
    }
    static RECT GroupRect(int id)
    {
        RECT rc = ScreenRect(Group(id)->GetSafeHwnd());
        ::MapWindowPoints(nullptr, g_pGallery->GetSafeHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    static POINT CaptionPoint(int id)
    {
        const RECT rc = ScreenRect(Group(id)->GetSafeHwnd());
        return {rc.left + 30, rc.top + Host().GetDrawer()->m_nCaptionHeight / 2 + 2};
    }
    static POINT Centre(const RECT& rc) { return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}; }
    // The centre of a piece of the guide window with the flags.
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
            const POINT offset = nPiece == kGuideLeft    ? POINT{15, 46}
                                 : nPiece == kGuideRight ? POINT{78, 46}
                                 : nPiece == kGuideTop   ? POINT{46, 15}
                                 : nPiece == kGuideBottom ? POINT{46, 78}
                                                          : POINT{46, 46};
            return {rc.left + offset.x, rc.top + offset.y};
        }
        return {-1, -1};
    }
    // Stores the arrangement and loads it into a second gallery at the same
    // place, which must show every pane where this one does.
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
    }
};

TEST_F(DockingDrag, CaptionOntoTheCentreGuidesSidesDocksThere)
{
    // Folders over the Properties group: the centre guide comes up there.
    struct Case
    {
        int nPiece;
        const char* name;
    };
    for (const Case& c : {Case{kGuideLeft, "left"}, Case{kGuideTop, "top"}, Case{kGuideRight, "right"},
                          Case{kGuideBottom, "bottom"}})
    {
        SCOPED_TRACE(c.name);
        DragThrough(CaptionPoint(kFolders),
                    {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); }, nullptr},
                     {[&c] { return GuidePiece(kGuideCentre, c.nPiece); },
                      [&c] {
                          EXPECT_EQ(Host().GetDragTracker()->GetTarget(), Group(kProperties));
                          if (c.nPiece == kGuideLeft)
                              CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_drag_guides.bmp"));
                      }}});
        PumpFor(200);
        const RECT folders = GroupRect(kFolders);
        const RECT properties = GroupRect(kProperties);
        switch (c.nPiece)
        {
        case kGuideLeft:
            EXPECT_EQ(folders.right + 4, properties.left);
            EXPECT_EQ(folders.top, properties.top);
            break;
        case kGuideRight:
            EXPECT_EQ(properties.right + 4, folders.left);
            EXPECT_EQ(folders.top, properties.top);
            break;
        case kGuideTop:
            EXPECT_EQ(folders.bottom + 4, properties.top);
            EXPECT_EQ(folders.left, properties.left);
            break;
        default:
            EXPECT_EQ(properties.bottom + 4, folders.top);
            EXPECT_EQ(folders.left, properties.left);
            break;
        }
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_TRUE(Host().GetDragTracker()->GetGuideWindows().empty());
        ExpectReloadShowsTheSame();
    }
}

TEST_F(DockingDrag, CaptionOntoAnOuterGuideDocksAtTheFrameSide)
{
    DragThrough(CaptionPoint(kFolders), {{[] { return Centre(ScreenRect(g_pGallery->GetView())); }, nullptr},
                                         {[] { return GuidePiece(kGuideLeft, kGuideLeft); }, nullptr}});
    RECT client{};
    g_pGallery->GetClientRect(&client);
    EXPECT_EQ(GroupRect(kFolders).left, 0);
    EXPECT_EQ(GroupRect(kFolders).top, 0);
    EXPECT_EQ(GroupRect(kFolders).bottom, client.bottom);
    ExpectReloadShowsTheSame();
}

TEST_F(DockingDrag, CaptionOntoTheTabPieceJoinsTheGroup)
{
    DragThrough(CaptionPoint(kFolders),
                {{[] { return Centre(ScreenRect(Group(kOutput)->GetSafeHwnd())); }, nullptr},
                 {[] { return GuidePiece(kGuideCentre | kGuideTab, kGuideTab); },
                  [] { EXPECT_TRUE(Host().GetDragTracker()->IsTabShape()); }}});
    EXPECT_EQ(Group(kFolders), Group(kOutput));
    EXPECT_EQ(Group(kOutput)->GetPaneCount(), 3);
    EXPECT_EQ(Group(kOutput)->GetSelectedPane(), Host().LookupPaneById(kFolders));
    ExpectReloadShowsTheSame();
    // Folders goes back to the frame's left for the tests after this one.
    Host().InsertPaneAtSide(Host().LookupPaneById(kFolders), kSideLeft, nullptr);
    PumpFor(200);
    EXPECT_NE(Group(kFolders), Group(kOutput));
}

TEST_F(DockingDrag, EscapeAndAClosedPaneLeaveEverythingAsItWas)
{
    const std::string before = Describe(*g_pGallery);
    DragThrough(CaptionPoint(kFolders), {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); },
                                          [] { EXPECT_FALSE(Host().GetDragTracker()->GetGuideWindows().empty()); }}},
                true);
    EXPECT_EQ(Describe(*g_pGallery), before);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(Host().GetDragTracker()->GetGuideWindows().empty());

    // The outline drag locks the desktop's drawing; Esc must give it back.
    Host().m_bLayeredFeedback = FALSE;
    DragThrough(CaptionPoint(kFolders), {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); }, nullptr}},
                true);
    EXPECT_EQ(Describe(*g_pGallery), before);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(::LockWindowUpdate(g_pGallery->GetSafeHwnd())) << "the desktop was left locked";
    ::LockWindowUpdate(nullptr);

    // A pane closed while the drag runs: nothing is dropped.
    DragThrough(CaptionPoint(kFolders),
                {{[] { return Centre(ScreenRect(Group(kProperties)->GetSafeHwnd())); },
                  [] { Host().DismissPane(Host().LookupPaneById(kFindResults)); }}});
    Host().m_bLayeredFeedback = TRUE;
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(::LockWindowUpdate(g_pGallery->GetSafeHwnd()));
    ::LockWindowUpdate(nullptr);
    EXPECT_EQ(GroupRect(kFolders).left, 0) << "Folders stayed where it was";
    Host().ShowPane(Host().LookupPaneById(kFindResults), FALSE);
    PumpFor(200);
}

TEST_F(DockingDrag, AwayFromTheGuidesFloatsAndTheFrameRollsUp)
{
    DragThrough(CaptionPoint(kProperties), {{[] {
                                                 const RECT view = ScreenRect(g_pGallery->GetView());
                                                 return POINT{view.left + 40, view.top + 40};
                                             },
                                             nullptr}});
    PumpFor(300);
    CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(AsSplitNode(Group(kProperties)->GetParentNode())->GetParentNode());
    ASSERT_NE(pFloating, nullptr);
    EXPECT_TRUE(pFloating->IsWindowVisible());
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kProperties), GA_ROOT), pFloating->GetSafeHwnd());
    CString strTitle;
    pFloating->GetWindowText(strTitle);
    EXPECT_EQ(strTitle, CString(L"Properties"));
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_drag_floating.bmp"));
    ExpectReloadShowsTheSame();

    // The roll-up button, then the pointer away: the frame shrinks to its
    // caption once the focus is elsewhere (a focused frame stays open).
    ::SetForegroundWindow(g_pGallery->GetSafeHwnd());
    ::SetFocus(g_pGallery->GetView());
    PumpFor(100);
    const RECT window = ScreenRect(pFloating->GetSafeHwnd());
    const int nHeight = window.bottom - window.top;
    CDockingCaptionButton* pRollUp = pFloating->FindCaptionButton(kButtonAutoHide);
    ASSERT_FALSE(pRollUp->m_rect.IsRectEmpty());
    const POINT button{window.left + pRollUp->m_rect.CenterPoint().x, window.top + pRollUp->m_rect.CenterPoint().y};
    bool done = false;
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, button);
        ::Sleep(200);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(100);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(200);
        SendMouse(MOUSEEVENTF_MOVE, {window.left - 60, window.bottom + 60});
        ::Sleep(1500);
        done = true;
    });
    PumpUntil(done);
    input.join();
    EXPECT_TRUE(pFloating->IsRolledUpMode());
    const int nCaption = Host().GetDrawer()->m_nCaptionHeight;
    EXPECT_EQ(ScreenRect(pFloating->GetSafeHwnd()).bottom - window.top, nCaption + 8);
    EXPECT_EQ(pFloating->GetExpandedHeight(), nHeight);
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_drag_rolled_up.bmp"));

    // Over the caption it comes back at once.
    done = false;
    std::thread hover([&] {
        SendMouse(MOUSEEVENTF_MOVE, {window.left + 20, window.top + nCaption / 2 + 2});
        ::Sleep(300);
        done = true;
    });
    PumpUntil(done);
    hover.join();
    EXPECT_EQ(ScreenRect(pFloating->GetSafeHwnd()).bottom - window.top, nHeight);

    // A double click on the caption leaves roll-up mode, a second docks the pane back.
    pFloating->ToggleRollUp();
    EXPECT_FALSE(pFloating->IsRolledUpMode());
    Host().ToggleDockedFloating(pFloating->GetTopContainer());
    PumpFor(300);
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kProperties), GA_ROOT), g_pGallery->GetSafeHwnd());
    ExpectReloadShowsTheSame();
}

// A floating frame's border and caption follow the themed-frames flag and the
// style whenever the host recalculates its frames: after a style change the
// caption takes the new style's height, and with the theme turned off the
// system caption comes back and still drags the frame.
TEST_F(DockingDrag, AFloatingFrameFollowsItsThemeAndStyle)
{
    const RECT view = ScreenRect(g_pGallery->GetView());
    Host().FloatNode(Host().LookupPaneById(kProperties),
                     CRect(view.left + 60, view.top + 60, view.left + 300, view.top + 260));
    PumpFor(300);
    CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(AsSplitNode(Group(kProperties)->GetParentNode())->GetParentNode());
    ASSERT_NE(pFloating, nullptr);
    const HWND hFloating = pFloating->GetSafeHwnd();
    const auto clientTop = [&] {
        POINT origin{0, 0};
        ::ClientToScreen(hFloating, &origin);
        return origin.y - ScreenRect(hFloating).top;
    };

    const int nCaption2 = Host().GetDrawer()->m_nCaptionHeight;
    const int nTop2 = clientTop();
    Host().SelectDrawingStyle(7);
    PumpFor(200);
    const int nCaption7 = Host().GetDrawer()->m_nCaptionHeight;
    ASSERT_NE(nCaption7, nCaption2);
    EXPECT_EQ(clientTop() - nTop2, nCaption7 - nCaption2) << "the caption band took style 7's height";
    Host().SelectDrawingStyle(2);
    PumpFor(200);
    EXPECT_EQ(clientTop(), nTop2);

    Host().m_bThemedFloatingFrames = FALSE;
    Host().RecalcAllFrames();
    PumpFor(200);
    EXPECT_EQ(::GetWindowLongW(hFloating, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    const RECT before = ScreenRect(hFloating);
    POINT caption{};
    ::ClientToScreen(hFloating, &caption);
    caption = {before.left + 40, (before.top + caption.y) / 2 + 1};
    EXPECT_EQ(::SendMessageW(hFloating, WM_NCHITTEST, 0, MAKELPARAM(caption.x, caption.y)), HTCAPTION);
    DragThrough(caption, {{[&] { return POINT{caption.x + 50, caption.y + 40}; }, nullptr}});
    PumpFor(200);
    const RECT after = ScreenRect(hFloating);
    EXPECT_EQ(after.left - before.left, 50);
    EXPECT_EQ(after.top - before.top, 40);
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kProperties), GA_ROOT), hFloating);
    CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_drag_floating_unthemed.bmp"));

    Host().m_bThemedFloatingFrames = TRUE;
    Host().RecalcAllFrames();
    PumpFor(200);
    EXPECT_EQ(::GetWindowLongW(hFloating, GWL_STYLE) & WS_BORDER, 0);
    Host().ToggleDockedFloating(pFloating->GetTopContainer());
    PumpFor(300);
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kProperties), GA_ROOT), g_pGallery->GetSafeHwnd());
}

// The buttons of a themed floating caption show their tips when the pointer
// rests on them.
TEST_F(DockingDrag, FloatingCaptionButtonsShowTheirTips)
{
    CDockingPaneItem* pPane = Host().LookupPaneById(kProperties);
    const int nOptions = pPane->m_nOptions;
    pPane->m_nOptions |= kPaneCaptionMenu;
    const RECT view = ScreenRect(g_pGallery->GetView());
    Host().FloatNode(pPane, CRect(view.left + 60, view.top + 60, view.left + 300, view.top + 260));
    PumpFor(300);
    CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(AsSplitNode(Group(kProperties)->GetParentNode())->GetParentNode());
    ASSERT_NE(pFloating, nullptr);
    const HWND hFloating = pFloating->GetSafeHwnd();
    ::RedrawWindow(hFloating, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    struct Case
    {
        int nButton;
        const wchar_t* text;
    };
    for (const Case& c : {Case{kButtonClose, L"Close"}, Case{kButtonAutoHide, L"Auto Hide"}, Case{kButtonMenu, L"Menu"}})
    {
        SCOPED_TRACE(testing::Message() << c.nButton);
        const CDockingCaptionButton* pButton = pFloating->FindCaptionButton(c.nButton);
        ASSERT_FALSE(pButton->m_rect.IsRectEmpty());
        const RECT window = ScreenRect(hFloating);
        const POINT at{window.left + pButton->m_rect.CenterPoint().x, window.top + pButton->m_rect.CenterPoint().y};
        ::SetForegroundWindow(hFloating);
        bool done = false;
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
            CaptureWindowToBmp(::GetDesktopWindow(), ResultPath(L"docking_drag_floating_tip.bmp"));
    }
    SendMouse(MOUSEEVENTF_MOVE, {view.right - 20, view.bottom - 20});
    PumpFor(200);
    pPane->m_nOptions = nOptions;
    Host().ToggleDockedFloating(pFloating->GetTopContainer());
    PumpFor(300);
    EXPECT_EQ(::GetAncestor(g_pGallery->GetPaneWindow(kProperties), GA_ROOT), g_pGallery->GetSafeHwnd());
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
