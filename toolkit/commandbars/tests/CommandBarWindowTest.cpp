// A bar of controls in a window, drawn by style 4, driven as a user would:
// keys through SendInput while the bar tracks (so the keyboard tracker's hook
// sees them), clicks on controls, and a command that destroys the bar while
// the control is still running it; a second bar with a drawer of its own
// beside it. The screenshots go beside the results.
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "InputDriving.h"
#include "PixelCanvas.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int kFirstCommand = 100;
constexpr int kDestroyingCommand = 199;

// The top-level window holding the bar; it records the commands it gets.
class BarHost
{
public:
    BarHost()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &BarHost::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = ::GetSysColorBrush(COLOR_APPWORKSPACE);
        wc.lpszClassName = L"PelmoCommandBarHost";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowW(L"PelmoCommandBarHost", L"Command bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                 520, 160, nullptr, nullptr, wc.hInstance, nullptr);
        s_pHost = this;
        SelectCommandBarDrawingStyle(4);
        MakeBar();
        ::SetForegroundWindow(m_hWnd);
        PumpUntil([this] { return ::GetForegroundWindow() == m_hWnd; });
    }
    ~BarHost()
    {
        delete m_pBar;
        ::DestroyWindow(m_hWnd);
        s_pHost = nullptr;
        ReleaseCommandBarDrawer();
    }

    void MakeBar()
    {
        m_pBar = new CKitCommandBar;
        m_pBar->m_nPosition = kBarTop;
        m_pBar->m_strTitle = L"Standard";
        const wchar_t* captions[] = {L"&Open", L"&Save", L"&Hidden", L"&Recover", L"&Close bar"};
        for (int i = 0; i < 5; ++i)
        {
            CKitControl* pControl = m_pBar->GetControls()->Add(kControlButton, i == 4 ? kDestroyingCommand
                                                                                      : kFirstCommand + i);
            pControl->SetCaption(captions[i]);
            pControl->m_nStyle = 1;
        }
        m_pBar->GetControls()->GetAt(2)->SetHideFlags(kHideByProgram);
        m_pBar->GetControls()->GetAt(3)->SetBeginGroup(TRUE);
        m_pBar->GetControls()->GetAt(1)->m_strShortcutText = L"Ctrl+S";
        m_pBar->Create(CWnd::FromHandle(m_hWnd), 1, CRect(0, 0, 500, 30));
        ::UpdateWindow(m_pBar->m_hWnd);
    }

    POINT ScreenCentreOf(int nIndex) const
    {
        CPoint point = m_pBar->GetControls()->GetAt(nIndex)->GetRect().CenterPoint();
        ::ClientToScreen(m_pBar->m_hWnd, &point);
        return point;
    }

    HWND m_hWnd = nullptr;
    CKitCommandBar* m_pBar = nullptr;
    std::vector<int> m_commands;

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
    {
        if (nMsg == WM_COMMAND && s_pHost != nullptr && lParam == 0)
        {
            s_pHost->m_commands.push_back(LOWORD(wParam));
            // A command that closes the bar while its control runs it.
            if (LOWORD(wParam) == kDestroyingCommand)
            {
                delete s_pHost->m_pBar;
                s_pHost->m_pBar = nullptr;
            }
            return 0;
        }
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    static inline BarHost* s_pHost = nullptr;
};

class CommandBarWindow : public testing::Test
{
protected:
    static void SetUpTestSuite() { s_pHost = new BarHost; }
    static void TearDownTestSuite()
    {
        delete s_pHost;
        s_pHost = nullptr;
    }
    void SetUp() override
    {
        if (s_pHost->m_pBar == nullptr)
            s_pHost->MakeBar();
        s_pHost->m_commands.clear();
        ::SetForegroundWindow(s_pHost->m_hWnd);
        PumpMessages();
    }
    static inline BarHost* s_pHost = nullptr;
};
} // namespace

TEST_F(CommandBarWindow, LaysOutAndPaintsTheControlsAndWritesAScreenshot)
{
    CKitControls* pControls = s_pHost->m_pBar->GetControls();
    EXPECT_EQ(pControls->GetAt(0)->GetRect().left, 2);
    EXPECT_TRUE(pControls->GetAt(2)->GetRect().IsRectEmpty()) << "hidden controls are not placed";
    EXPECT_GT(pControls->GetAt(3)->GetRect().left, pControls->GetAt(1)->GetRect().right) << "group gap";
    s_pHost->m_pBar->SetTrackingMode(1, TRUE, TRUE);
    PressKey(VK_RIGHT);
    ::RedrawWindow(s_pHost->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_TRUE(CaptureWindowToBmp(s_pHost->m_hWnd, L"commandbar_window.bmp"));
    s_pHost->m_pBar->EndTracking();
}

TEST_F(CommandBarWindow, KeyboardWalksTheBarWhileTrackingAndEscapeLeaves)
{
    CKitCommandBar* pBar = s_pHost->m_pBar;
    ASSERT_TRUE(pBar->SetTrackingMode(1, TRUE, TRUE));
    EXPECT_EQ(pBar->GetHotIndex(), 0);
    EXPECT_EQ(pBar->GetHotControl()->GetSelected(), kSelectedByKeyboard);
    PressKey(VK_RIGHT);
    EXPECT_EQ(pBar->GetHotIndex(), 1);
    PressKey(VK_RIGHT);
    EXPECT_EQ(pBar->GetHotIndex(), 3) << "the hidden control is passed over";
    PressKey(VK_END);
    EXPECT_EQ(pBar->GetHotIndex(), 4);
    PressKey(VK_RIGHT);
    EXPECT_EQ(pBar->GetHotIndex(), 0) << "wraps round";
    PressKey(VK_LEFT);
    EXPECT_EQ(pBar->GetHotIndex(), 4);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(pBar->GetTrackingMode(), 0);
    EXPECT_EQ(pBar->GetHotIndex(), -1);
    PressKey(VK_RIGHT);  // no longer tracking: the bar does not move
    EXPECT_EQ(pBar->GetHotIndex(), -1);
    EXPECT_TRUE(s_pHost->m_commands.empty());
}

TEST_F(CommandBarWindow, EnterRunsTheHotControlsCommandAndEndsTracking)
{
    CKitCommandBar* pBar = s_pHost->m_pBar;
    pBar->SetTrackingMode(1, TRUE, TRUE);
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    ASSERT_EQ(s_pHost->m_commands.size(), 1u);
    EXPECT_EQ(s_pHost->m_commands[0], kFirstCommand + 1);
    EXPECT_EQ(pBar->GetTrackingMode(), 0);
}

TEST_F(CommandBarWindow, ClickRunsTheCommandUnderThePointer)
{
    ClickAt(s_pHost->ScreenCentreOf(3));
    ASSERT_EQ(s_pHost->m_commands.size(), 1u);
    EXPECT_EQ(s_pHost->m_commands[0], kFirstCommand + 3);
}

TEST_F(CommandBarWindow, CommandThatDestroysTheBarWhileTrackingEndsCleanly)
{
    s_pHost->m_pBar->SetTrackingMode(1, TRUE, TRUE);
    PressKey(VK_END);
    PressKey(VK_RETURN);
    ASSERT_EQ(s_pHost->m_commands.size(), 1u);
    EXPECT_EQ(s_pHost->m_commands[0], kDestroyingCommand);
    EXPECT_EQ(s_pHost->m_pBar, nullptr);
    PressKey(VK_RIGHT);  // the destroyed bar left the keyboard tracker
    PumpMessages();
}

TEST_F(CommandBarWindow, MnemonicRunsItsControlAndAnUnknownLetterDoesNothing)
{
    CKitCommandBar* pBar = s_pHost->m_pBar;
    pBar->SetTrackingMode(1, TRUE, TRUE);
    PressKey('Q');  // no control has it
    EXPECT_EQ(pBar->GetTrackingMode(), 1);
    EXPECT_TRUE(s_pHost->m_commands.empty());
    PressKey('R');
    ASSERT_EQ(s_pHost->m_commands.size(), 1u);
    EXPECT_EQ(s_pHost->m_commands[0], kFirstCommand + 3);
    EXPECT_EQ(pBar->GetTrackingMode(), 0);
}

TEST_F(CommandBarWindow, MnemonicOfAHiddenControlOrTwiceUsedLetterOnlySelects)
{
    CKitCommandBar* pBar = s_pHost->m_pBar;
    BOOL bAmbiguous = FALSE;
    EXPECT_EQ(pBar->FindMnemonicInBar('H', bAmbiguous), -1) << "the hidden control";
    pBar->GetControls()->GetAt(1)->SetCaption(L"&Rescan");
    EXPECT_EQ(pBar->FindMnemonicInBar('R', bAmbiguous), 1);
    EXPECT_TRUE(bAmbiguous);
    pBar->SetTrackingMode(1, TRUE, TRUE);
    PressKey('R');
    EXPECT_EQ(pBar->GetHotIndex(), 1);
    PressKey('R');
    EXPECT_EQ(pBar->GetHotIndex(), 3) << "the walk starts after the hot control";
    EXPECT_TRUE(s_pHost->m_commands.empty());
    PressKey(VK_ESCAPE);
    pBar->GetControls()->GetAt(1)->SetCaption(L"&Save");
}

namespace
{
// The colour on screen of a bar's client point.
COLORREF ScreenPixel(HWND hWnd, CPoint point)
{
    ::ClientToScreen(hWnd, &point);
    HDC hdc = ::GetDC(nullptr);
    const COLORREF clr = ::GetPixel(hdc, point.x, point.y);
    ::ReleaseDC(nullptr, hdc);
    return clr;
}

// What a drawer paints for the bar's background at a client point.
COLORREF BackgroundOf(CCommandBarDrawer* pDrawer, CKitCommandBar* pBar, CPoint point)
{
    CRect rc;
    pBar->GetClientRect(&rc);
    CPixelCanvas canvas(rc.Width(), rc.Height(), RGB(255, 0, 255));
    pDrawer->PaintBarBackground(canvas.DC(), pBar);
    return canvas.Pixel(point.x, point.y);
}
}  // namespace

TEST_F(CommandBarWindow, BarWithItsOwnDrawerPaintsInThatStyleAndItsPopupFollowsIt)
{
    CKitCommandBar* pNeighbour = s_pHost->m_pBar;
    auto* pBar = new CKitCommandBar;
    pBar->m_nPosition = kBarTop;
    HMENU hMenu = ::CreateMenu();
    HMENU hSubMenu = ::CreatePopupMenu();
    ::AppendMenuW(hSubMenu, MF_STRING, kFirstCommand, L"&Open");
    ::AppendMenuW(hSubMenu, MF_STRING, kFirstCommand + 1, L"&Save");
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSubMenu), L"&File");
    ASSERT_TRUE(pBar->FillFromMenu(hMenu, TRUE));
    ::DestroyMenu(hMenu);

    CCommandBarDrawer* pOwn = CreateCommandBarDrawer(1);
    pBar->SetOwnDrawer(pOwn);
    pOwn->InternalRelease();  // the bar holds the only reference now
    EXPECT_EQ(pBar->ResolveDrawer(), pOwn);
    EXPECT_EQ(pNeighbour->ResolveDrawer(), GetCommandBarDrawer());
    ASSERT_TRUE(pBar->Create(CWnd::FromHandle(s_pHost->m_hWnd), 2, CRect(0, 40, 500, 70)));
    ::RedrawWindow(s_pHost->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();

    // A point right of the controls, where only the background is painted.
    const CPoint spot(480, 15);
    const COLORREF clrOwn = ScreenPixel(pBar->m_hWnd, spot);
    const COLORREF clrNeighbour = ScreenPixel(pNeighbour->m_hWnd, spot);
    EXPECT_EQ(clrOwn, BackgroundOf(pOwn, pBar, spot));
    EXPECT_EQ(clrNeighbour, BackgroundOf(GetCommandBarDrawer(), pNeighbour, spot));
    EXPECT_NE(clrOwn, clrNeighbour) << "the two styles paint the bars differently";
    EXPECT_TRUE(CaptureWindowToBmp(s_pHost->m_hWnd, L"commandbar_own_drawer.bmp"));

    // Without command bars, the popup opened from the bar draws with the
    // root bar's drawer, and so do its controls.
    ASSERT_TRUE(pBar->SetPopuped(0, TRUE));
    CKitCommandBar* pPopup = pBar->GetControls()->GetAt(0)->GetCommandBar();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(PumpUntil([pPopup] { return ::IsWindow(pPopup->m_hWnd) && ::IsWindowVisible(pPopup->m_hWnd); }));
    EXPECT_EQ(pPopup->GetParentBar(), pBar);
    EXPECT_EQ(pPopup->ResolveDrawer(), pOwn);
    EXPECT_EQ(pPopup->GetControls()->GetAt(0)->GetDrawer(), pOwn);
    pBar->EndTracking();
    PumpMessages();

    // Replaced: the first drawer goes, the bar paints with the new one; then
    // the bar goes with its drawer.
    CCommandBarDrawer* pReplacement = CreateCommandBarDrawer(0);
    pBar->SetOwnDrawer(pReplacement);
    pReplacement->InternalRelease();
    EXPECT_EQ(pBar->ResolveDrawer(), pReplacement);
    ::RedrawWindow(pBar->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_EQ(ScreenPixel(pBar->m_hWnd, spot), BackgroundOf(pReplacement, pBar, spot));
    pBar->InternalRelease();
    PumpMessages();
    ::RedrawWindow(s_pHost->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
    EXPECT_EQ(ScreenPixel(pNeighbour->m_hWnd, spot), clrNeighbour);
}
