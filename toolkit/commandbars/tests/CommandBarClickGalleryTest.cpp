// The program's menu bar and "Standard" toolbar in a gallery frame, driven
// by real input (SendInput): a button's press held until the release (the
// pressed look, a release elsewhere or Esc running nothing), split and
// drop-down buttons opening their popups, Alt held over a menu title, and
// the toolbar's screen tips with their shortcuts. Screenshots go beside the
// results.
#include "CCommandBarDrawer.h"
#include "CCommandBarSettings.h"
#include "CCommandShortcuts.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "CScreenTipContext.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "window/CCmdUI.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
constexpr int kIdSplitItem = 0x9100;   // the split button's own command
constexpr int kIdSplitChoice = 0x9101; // an item of its popup
constexpr int kIdListButton = 0x9102;  // a drop-down button's command
constexpr int kIdListFirst = 0x9103;
constexpr int kIdListDefault = 0x9104;

// Every command of the program's menus and of the added buttons is enabled
// here; the commands that reach the frame are recorded.
class CClickFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

INPUT MouseMoveTo(POINT pt)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>(pt.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(pt.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

INPUT MouseButton(DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = dwFlags;
    return input;
}

void Send(std::vector<INPUT> inputs)
{
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The left button pressed at the first point, moved through the others and
// released at the last, in one batch as a user's quick gesture.
void PressMoveRelease(const std::vector<POINT>& path)
{
    std::vector<INPUT> inputs{MouseMoveTo(path.front()), MouseButton(MOUSEEVENTF_LEFTDOWN)};
    for (size_t i = 1; i < path.size(); ++i)
        inputs.push_back(MouseMoveTo(path[i]));
    inputs.push_back(MouseButton(MOUSEEVENTF_LEFTUP));
    Send(inputs);
    PumpFor(400);
}

COLORREF PixelOf(HWND hWnd, POINT ptClient)
{
    HDC hDC = ::GetDC(hWnd);
    const COLORREF clr = ::GetPixel(hDC, ptClient.x, ptClient.y);
    ::ReleaseDC(hWnd, hDC);
    return clr;
}

// What a thread timer sees while the click loop holds the mouse: the button's
// state and a pixel of it, with the pointer on the button and then moved off;
// then Esc (or the release) ends the loop.
struct HeldPress
{
    HWND hFrame = nullptr;
    HWND hBar = nullptr;
    CKitControl* pButton = nullptr;
    POINT ptOutside = {};
    bool bEndWithEscape = true;
    int nStep = 0;
    int nPressedInside = -1, nSelectedInside = -1;
    int nPressedOutside = -1, nSelectedOutside = -1;
    HWND hCapture = nullptr;
    COLORREF clrInside = CLR_INVALID, clrOutside = CLR_INVALID;
};
HeldPress g_held;

POINT SamplePointOf(CKitControl* pControl)
{
    const CRect rc = pControl->GetRect();
    return {rc.left + 3, rc.top + 3};
}

void CALLBACK StepHeldPress(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    HeldPress& h = g_held;
    ::UpdateWindow(h.hBar);
    if (h.nStep == 0)
    {
        h.hCapture = ::GetCapture();
        h.nPressedInside = h.pButton->GetPressed();
        h.nSelectedInside = h.pButton->GetSelected();
        h.clrInside = PixelOf(h.hBar, SamplePointOf(h.pButton));
        CaptureWindowToBmp(h.hFrame, L"click_button_pressed.bmp");
        Send({MouseMoveTo(h.ptOutside)});
        ++h.nStep;
        return;
    }
    if (h.nStep == 1 && h.pButton->GetSelected() != kNotSelected)
        return;  // the move has not arrived yet
    ::KillTimer(nullptr, nTimer);
    h.nPressedOutside = h.pButton->GetPressed();
    h.nSelectedOutside = h.pButton->GetSelected();
    h.clrOutside = PixelOf(h.hBar, SamplePointOf(h.pButton));
    CaptureWindowToBmp(h.hFrame, L"click_button_raised.bmp");
    h.nStep = 2;
    if (h.bEndWithEscape)
    {
        INPUT keys[2] = {};
        keys[0].type = keys[1].type = INPUT_KEYBOARD;
        keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(2, keys, sizeof(INPUT));
    }
    else
        Send({MouseButton(MOUSEEVENTF_LEFTUP)});
}

// Alt held around a key, as a user types a mnemonic; Alt alone without one.
void PressWithAlt(WORD nKey)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD nVk, DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = nVk;
        input.ki.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    key(VK_MENU, 0);
    if (nKey != 0)
    {
        key(nKey, 0);
        key(nKey, KEYEVENTF_KEYUP);
    }
    key(VK_MENU, KEYEVENTF_KEYUP);
    Send(inputs);
    PumpThroughFramesFor(500);
}

class CommandBarClickGallery : public testing::Test
{
protected:
    static void SetUpTestSuite() { SelectCommandBarDrawingStyle(4); }
    static void TearDownTestSuite()
    {
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override
    {
        m_pFrame = new CClickFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo clicks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(40, 40, 900, 420)));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        m_pMenuBar = dynamic_cast<CKitMenuBar*>(m_pBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME));
        ASSERT_NE(m_pMenuBar, nullptr);
        m_pToolBar = dynamic_cast<CKitToolBar*>(m_pBars->CreateToolBar(L"Standard", kBarTop));
        ASSERT_NE(m_pToolBar, nullptr);
        ASSERT_TRUE(m_pToolBar->LoadToolBar(IDR_MAINFRAME));
        m_pToolBar->SetTextBelowIcons(1);
        AddPopupButtons();
        Relayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFrame->SetFocus();
        PumpUntil([&] { return ::GetForegroundWindow() == m_pFrame->m_hWnd; });
        PumpFor(200);
    }
    void TearDown() override
    {
        CKitCommandBars::ClosePopups();
        Send({MouseMoveTo({5, 1000})});
        m_pFrame->DestroyWindow();
        PumpFor(50);
    }

    // A split button and a drop-down button whose popup has a default item.
    void AddPopupButtons()
    {
        CKitControls* pControls = m_pToolBar->GetControls();
        CKitControl* pSplit = pControls->Add(new CKitControlPopup(kControlSplitButtonPopup), kIdSplitItem);
        pSplit->SetCaption(L"Split");
        pSplit->m_nStyle = 1;
        CKitPopupBar* pSplitPopup = CKitPopupBar::NewPopupBar(m_pBars);
        pSplitPopup->GetControls()->Add(kControlButton, kIdSplitChoice)->SetCaption(L"&Choice");
        static_cast<CKitControlPopup*>(pSplit)->SetCommandBar(pSplitPopup);

        CKitControl* pList = pControls->Add(new CKitControlPopup(kControlButtonPopup), kIdListButton);
        pList->SetCaption(L"List");
        pList->m_nStyle = 1;
        CKitPopupBar* pListPopup = CKitPopupBar::NewPopupBar(m_pBars);
        pListPopup->GetControls()->Add(kControlButton, kIdListFirst)->SetCaption(L"&First");
        pListPopup->GetControls()->Add(kControlButton, kIdListDefault)->SetCaption(L"&Default");
        pListPopup->GetControls()->GetAt(1)->SetDefaultItem(TRUE);
        static_cast<CKitControlPopup*>(pList)->SetCommandBar(pListPopup);
    }
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
    }
    CKitControl* Button(int nId) const { return m_pToolBar->GetControls()->FindControl(nId); }
    POINT ScreenPoint(CKitCommandBar* pBar, CKitControl* pControl, int dx = 0) const
    {
        CRect rc = pControl->GetRect();
        pBar->ClientToScreen(&rc);
        CPoint pt = rc.CenterPoint();
        if (dx < 0)
            pt.x = rc.right + dx;
        return pt;
    }
    static CKitPopupBar* OpenPopupOf(CKitCommandBar* pBar)
    {
        CKitControl* pControl = pBar->GetControls()->GetAt(pBar->GetPopupedIndex());
        auto* pPopup = pControl != nullptr ? dynamic_cast<CKitPopupBar*>(pControl->GetCommandBar()) : nullptr;
        return pPopup != nullptr && pPopup->IsVisible() ? pPopup : nullptr;
    }

    CClickFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
    CKitMenuBar* m_pMenuBar = nullptr;
    CKitToolBar* m_pToolBar = nullptr;
};
}  // namespace

TEST_F(CommandBarClickGallery, AButtonRunsOnlyWhenReleasedOverItself)
{
    const POINT ptHelp = ScreenPoint(m_pToolBar, Button(ID_HELP_MANUAL));
    const POINT ptExit = ScreenPoint(m_pToolBar, Button(ID_RECOVERY_EXIT));
    const POINT ptBelow = {ptExit.x, ptExit.y + 120};
    struct Gesture
    {
        const char* pszName;
        std::vector<POINT> path;
        std::vector<UINT> commands;
    };
    const Gesture gestures[] = {
        {"pressed on Help, released on Exit", {ptHelp, {(ptHelp.x + ptExit.x) / 2, ptHelp.y}, ptExit}, {}},
        {"pressed on Exit, released below the bar", {ptExit, ptBelow}, {}},
        {"pressed on Exit, out and back", {ptExit, ptBelow, ptExit}, {ID_RECOVERY_EXIT}},
        {"pressed and released on Help", {ptHelp, ptHelp}, {ID_HELP_MANUAL}},
    };
    for (const Gesture& g : gestures)
    {
        m_pFrame->m_commands.clear();
        PressMoveRelease(g.path);
        EXPECT_EQ(m_pFrame->m_commands, g.commands) << g.pszName;
        EXPECT_EQ(::GetCapture(), nullptr) << g.pszName;
        EXPECT_EQ(Button(ID_RECOVERY_EXIT)->GetPressed(), kNotPressed) << g.pszName;
        EXPECT_EQ(Button(ID_HELP_MANUAL)->GetPressed(), kNotPressed) << g.pszName;
    }
}

TEST_F(CommandBarClickGallery, AHeldButtonLooksPressedAndEscapeRunsNothing)
{
    CKitControl* pRecover = Button(ID_RECOVER_SELECTED);
    const POINT ptRecover = ScreenPoint(m_pToolBar, pRecover);
    // The hot look first, as a reference for the raised one.
    Send({MouseMoveTo(ptRecover)});
    ASSERT_TRUE(PumpUntil([&] { return pRecover->GetSelected() == kSelectedByMouse; }));
    ::UpdateWindow(m_pToolBar->m_hWnd);
    const COLORREF clrHot = PixelOf(m_pToolBar->m_hWnd, SamplePointOf(pRecover));

    for (bool bEscape : {true, false})
    {
        m_pFrame->m_commands.clear();
        g_held = HeldPress{};
        g_held.hFrame = m_pFrame->m_hWnd;
        g_held.hBar = m_pToolBar->m_hWnd;
        g_held.pButton = pRecover;
        g_held.ptOutside = {ptRecover.x, ptRecover.y + 120};
        g_held.bEndWithEscape = bEscape;
        ::SetTimer(nullptr, 0, 300, &StepHeldPress);
        Send({MouseMoveTo(ptRecover), MouseButton(MOUSEEVENTF_LEFTDOWN)});
        ASSERT_TRUE(PumpUntil([] { return g_held.nStep == 2; }, 5000)) << "the press never held the mouse";
        if (bEscape)
        {
            PumpFor(200);
            Send({MouseButton(MOUSEEVENTF_LEFTUP)});
        }
        PumpFor(300);

        EXPECT_EQ(g_held.hCapture, m_pToolBar->m_hWnd) << "the bar holds the mouse";
        EXPECT_EQ(g_held.nPressedInside, kPressedInClickLoop);
        EXPECT_EQ(g_held.nSelectedInside, kSelectedByMouse);
        EXPECT_NE(g_held.clrInside, clrHot) << "pressed does not look hot";
        EXPECT_EQ(g_held.nPressedOutside, kPressedInClickLoop) << "still held off the button";
        EXPECT_EQ(g_held.nSelectedOutside, kNotSelected);
        EXPECT_EQ(g_held.clrOutside, clrHot) << "off the button the held button looks raised";
        EXPECT_TRUE(m_pFrame->m_commands.empty()) << (bEscape ? "Esc" : "a release off the button") << " runs nothing";
        EXPECT_EQ(pRecover->GetPressed(), kNotPressed);
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(CommandBarClickGallery, SplitAndDropDownButtonsOpenTheirPopupsByMouse)
{
    CKitControl* pSplit = Button(kIdSplitItem);
    CKitControl* pList = Button(kIdListButton);
    // The split button's arrow opens its popup; a second press closes it.
    PressMoveRelease({ScreenPoint(m_pToolBar, pSplit, -4)});
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pToolBar) != nullptr; })) << "the arrow opened nothing";
    EXPECT_EQ(OpenPopupOf(m_pToolBar), pSplit->GetCommandBar());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"click_split_popup.bmp"));
    PressMoveRelease({ScreenPoint(m_pToolBar, pSplit, -4)});
    EXPECT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pToolBar) == nullptr; })) << "a second press closes it";

    // Its button part runs its command through the click loop and opens nothing.
    m_pFrame->m_commands.clear();
    CRect rcSplit = pSplit->GetRect();
    m_pToolBar->ClientToScreen(&rcSplit);
    PressMoveRelease({{rcSplit.left + 4, rcSplit.CenterPoint().y}});
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kIdSplitItem});
    EXPECT_EQ(OpenPopupOf(m_pToolBar), nullptr);

    // The drop-down button opens its popup on the press; a double click runs
    // the popup's default item.
    m_pFrame->m_commands.clear();
    PressMoveRelease({ScreenPoint(m_pToolBar, pList)});
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pToolBar) != nullptr; }));
    EXPECT_EQ(OpenPopupOf(m_pToolBar), pList->GetCommandBar());
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    m_pToolBar->EndTracking();
    PumpFor(100);
    ASSERT_EQ(OpenPopupOf(m_pToolBar), nullptr);
    const POINT ptList = ScreenPoint(m_pToolBar, pList);
    Send({MouseMoveTo(ptList), MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP),
          MouseButton(MOUSEEVENTF_LEFTDOWN), MouseButton(MOUSEEVENTF_LEFTUP)});
    ASSERT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); })) << "the double click ran nothing";
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{static_cast<UINT>(kIdListDefault)});
}

TEST_F(CommandBarClickGallery, AltHeldOverATitleOpensItsMenuAndLeavesItOpen)
{
    PressWithAlt('T');
    CKitControl* pOpen = m_pMenuBar->GetControls()->GetAt(m_pMenuBar->GetPopupedIndex());
    ASSERT_NE(pOpen, nullptr) << "Alt+T left no menu open";
    EXPECT_EQ(pOpen->GetCaption(), CString(L"Tools"));
    CKitPopupBar* pTools = OpenPopupOf(m_pMenuBar);
    ASSERT_NE(pTools, nullptr);
    EXPECT_TRUE(::IsWindowVisible(pTools->m_hWnd));
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"click_alt_tools.bmp"));
    // The open menu takes the keys: Down walks it, Esc closes it.
    PressKey(VK_DOWN);
    EXPECT_GE(pTools->GetHotIndex(), 0);
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) == nullptr; }));

    // Alt alone still makes the first title hot.
    PressWithAlt(0);
    EXPECT_NE(m_pMenuBar->GetTrackingMode(), 0) << "Alt alone after Alt+T";
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 0);
    PressKey(VK_ESCAPE);
}

TEST_F(CommandBarClickGallery, AToolbarButtonShowsItsTipWithItsShortcut)
{
    const ACCEL recover = {FVIRTKEY | FCONTROL, 'R', static_cast<WORD>(ID_RECOVER_SELECTED)};
    m_pBars->GetKeyboardShortcuts()->SetTable(&recover, 1);
    CCommandBarSettings* pSettings = m_pBars->GetSettings();
    CScreenTipContext* pTips = m_pBars->GetScreenTipContext();
    EXPECT_EQ(pTips->m_nKind, CScreenTipContext::kCommonTip);
    EXPECT_EQ(pTips->GetTipStyle() & TTS_NOPREFIX, 0u) << "tips drop the mnemonic markers";

    struct Case
    {
        BOOL bScreenTips;
        BOOL bShortcuts;
        const wchar_t* pszTip;  // null: no tip
    };
    const Case cases[] = {
        {TRUE, TRUE, L"Recover (Ctrl+R)"},
        {TRUE, FALSE, L"Recover"},
        {FALSE, TRUE, nullptr},
    };
    const POINT ptRecover = ScreenPoint(m_pToolBar, Button(ID_RECOVER_SELECTED));
    const POINT ptExit = ScreenPoint(m_pToolBar, Button(ID_RECOVERY_EXIT));
    for (const Case& c : cases)
    {
        pSettings->m_bToolBarScreenTips = c.bScreenTips;
        pSettings->m_bToolBarAccelTips = c.bShortcuts;
        // Over Exit first (another tool), then a real hover over Recover.
        Send({MouseMoveTo(ptExit)});
        PumpFor(300);
        Send({MouseMoveTo({ptRecover.x - 2, ptRecover.y})});
        PumpFor(50);
        Send({MouseMoveTo(ptRecover)});
        auto tipShown = [&] {
            CWnd* pTip = pTips->GetTipWindow();
            return pTip != nullptr && ::IsWindowVisible(pTip->m_hWnd);
        };
        if (c.pszTip == nullptr)
        {
            PumpFor(1500);
            EXPECT_FALSE(tipShown()) << "screen tips are off";
            continue;
        }
        ASSERT_TRUE(PumpUntil(tipShown, 5000)) << "no tip over Recover";
        wchar_t szText[80] = {};
        TOOLINFOW info = {};
        info.cbSize = TTTOOLINFOW_V1_SIZE;
        info.lpszText = szText;
        ASSERT_TRUE(pTips->GetTipWindow()->SendMessage(TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ(info.hwnd, m_pToolBar->m_hWnd);
        EXPECT_STREQ(szText, c.pszTip);
        if (c.bShortcuts)
        {
            PumpFor(100);
            EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"click_toolbar_tip.bmp"));
        }
        // A press hides the tip.
        PressMoveRelease({{ptRecover.x, ptRecover.y + 150}});
        EXPECT_FALSE(tipShown());
    }
}
