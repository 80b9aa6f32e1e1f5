// The program's frame road in a gallery: a menu bar from menu 128, the
// "Standard" toolbar from toolbar 128 with 32 x 32 icons and text below them,
// its chevron, popups with shadows and the layout kept under "CommandBars
// Gallery", all drawn by style 4. Driven by real input (SendInput), so the
// trackers' hooks see it; screenshots go beside the results.
#include "CBarShadows.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBars.h"
#include "CKitDialogBar.h"
#include "CKitDockBar.h"
#include "CKitFrameWnd.h"
#include "CKitMenuBar.h"
#include "CKitPopupBar.h"
#include "CKitToolBar.h"
#include "CMenuSoundPlayer.h"
#include "CToolBarControls.h"
#include "InputDriving.h"
#include "ResourceIds.h"
#include "WindowCapture.h"
#include "window/CCmdUI.h"
#include "window/CWinApp.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

constexpr LPCTSTR kRegistryKey = L"Pelmo Tests";
constexpr LPCTSTR kAppName = L"CommandBars Gallery";
constexpr LPCTSTR kProfile = L"CommandBars";
constexpr LPCTSTR kAppKey = L"Software\\Pelmo Tests\\CommandBars Gallery";

// The frame handles every command of the program's menus (its update
// handlers enable them) and records the commands that reach it.
class CGalleryFrame : public CKitFrameWnd
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

class CommandBarsGallery : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pApp = new CWinApp(kAppName);
        s_pApp->SetRegistryKey(kRegistryKey);
        SelectCommandBarDrawingStyle(4);
    }
    static void TearDownTestSuite()
    {
        ReleaseCommandBarDrawer();
        CMenuSoundPlayer::Instance().Stop();
    }

    void SetUp() override { OpenFrame(CRect(40, 40, 760, 480)); }
    void TearDown() override { CloseFrame(); }

    void OpenFrame(const CRect& rc)
    {
        m_pFrame = new CGalleryFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo command bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, rc));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        CKitCommandBars* pBars = m_pFrame->GetCommandBars();
        m_pMenuBar = dynamic_cast<CKitMenuBar*>(pBars->CreateMenuBar(L"Menu Bar", IDR_MAINFRAME));
        ASSERT_NE(m_pMenuBar, nullptr);
        m_pToolBar = dynamic_cast<CKitToolBar*>(pBars->CreateToolBar(L"Standard", kBarTop));
        ASSERT_NE(m_pToolBar, nullptr);
        ASSERT_TRUE(m_pToolBar->LoadToolBar(IDR_MAINFRAME));
        m_pToolBar->SetTextBelowIcons(1);
        Relayout();
        ::SetForegroundWindow(m_pFrame->m_hWnd);
        m_pFrame->SetFocus();
        PumpFor(200);
    }
    void CloseFrame()
    {
        CKitCommandBars::ClosePopups();
        if (m_pFrame != nullptr)
            m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
        PumpFor(50);
    }
    void Relayout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
    }
    static CPoint ScreenCentre(CKitCommandBar* pBar, CKitControl* pControl)
    {
        CRect rc = pControl->GetRect();
        pBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    }
    // The popup bar that a control of the bar has open, or null.
    static CKitPopupBar* OpenPopupOf(CKitCommandBar* pBar)
    {
        CKitControl* pControl = pBar->GetControls()->GetAt(pBar->GetPopupedIndex());
        auto* pPopup = pControl != nullptr ? dynamic_cast<CKitPopupBar*>(pControl->GetCommandBar()) : nullptr;
        return pPopup != nullptr && pPopup->IsVisible() ? pPopup : nullptr;
    }
    static bool IsDark(COLORREF clr) { return GetRValue(clr) + GetGValue(clr) + GetBValue(clr) < 3 * 200; }

    static CWinApp* s_pApp;
    CGalleryFrame* m_pFrame = nullptr;
    CKitMenuBar* m_pMenuBar = nullptr;
    CKitToolBar* m_pToolBar = nullptr;
};

CWinApp* CommandBarsGallery::s_pApp = nullptr;

}  // namespace

TEST_F(CommandBarsGallery, MenuBarAndToolBarComeFromTheResources)
{
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), nullptr) << "the menu bar took the frame's menu";
    CKitControls* pTitles = m_pMenuBar->GetControls();
    ASSERT_EQ(pTitles->GetCount(), 4);
    EXPECT_EQ(pTitles->GetAt(1)->GetCaption(), CString(L"View"));
    EXPECT_NE(pTitles->GetAt(1)->GetCommandBar(), nullptr);

    EXPECT_EQ(m_pToolBar->GetBarId(), IDR_MAINFRAME);
    EXPECT_EQ(m_pToolBar->GetIconSize(), CSize(32, 32));
    EXPECT_TRUE(m_pToolBar->IsTextBelowIcons());
    CKitControl* pExit = m_pToolBar->GetControls()->FindControl(ID_RECOVERY_EXIT);
    ASSERT_NE(pExit, nullptr);
    EXPECT_NE(pExit->GetIcon(32), nullptr) << "the bitmap's icons went into the store";
    EXPECT_TRUE(m_pToolBar->GetControls()->FindControl(ID_RECOVER_SELECTED)->GetBeginGroup());
    EXPECT_GT(pExit->GetRect().Height(), 32 + 8) << "text below the 32-pixel icon";

    CKitControl* pChevron = m_pToolBar->GetControls()->FindControl(kToolBarExpandId);
    ASSERT_NE(pChevron, nullptr) << "the expand button is always shown";
    EXPECT_TRUE(pChevron->IsVisible());
    CRect rcBar;
    m_pToolBar->GetClientRect(&rcBar);
    EXPECT_GE(pChevron->GetRect().right, rcBar.right - 2) << "at the end of the row";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_frame.bmp"));
}

TEST_F(CommandBarsGallery, ClickOnATitleOpensItsPopupWithAShadowAndAClickElsewhereClosesIt)
{
    CKitControl* pView = m_pMenuBar->GetControls()->GetAt(1);
    ClickAt(ScreenCentre(m_pMenuBar, pView));
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) != nullptr; }));
    CKitPopupBar* pPopup = OpenPopupOf(m_pMenuBar);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    CRect rcTitle = pView->GetRect();
    m_pMenuBar->ClientToScreen(&rcTitle);
    EXPECT_NEAR(rcPopup.top, rcTitle.bottom, 1) << "drops down below its title";
    EXPECT_EQ(pPopup->GetControls()->GetCount(), 3);
    PumpFor(200);

    int nShadows = 0;
    for (CBarShadowWnd* pShadow : CBarShadows::Instance().GetShadows())
        if (pShadow->GetOwner() == pPopup && ::IsWindowVisible(pShadow->m_hWnd))
            ++nShadows;
    EXPECT_EQ(nShadows, 2) << "a right and a bottom shadow";
    // The bottom shadow darkens the frame below the popup's lower edge.
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clrShadow = ::GetPixel(hScreen, rcPopup.left + rcPopup.Width() / 2, rcPopup.bottom + 1);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_TRUE(IsDark(clrShadow)) << std::hex << clrShadow;
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_popup.bmp"));

    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    ClickAt(CPoint(rcClient.right - 40, rcClient.bottom - 40));
    EXPECT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) == nullptr && m_pMenuBar->GetTrackingMode() == 0; }));
    EXPECT_FALSE(::IsWindow(pPopup->m_hWnd));
}

TEST_F(CommandBarsGallery, AltThenArrowsOpenAMenuAndEnterRunsTheItem)
{
    PressKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return m_pMenuBar->GetTrackingMode() != 0; })) << "Alt alone enters the menu bar";
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 0);
    PressKey(VK_RIGHT);
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 1);
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) != nullptr; }));
    CKitPopupBar* pPopup = OpenPopupOf(m_pMenuBar);
    EXPECT_EQ(pPopup->GetHotIndex(), 0) << "opened from the keyboard: the first item is hot";
    PressKey(VK_DOWN);
    EXPECT_EQ(pPopup->GetHotIndex(), 1);
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return !m_pFrame->m_commands.empty(); }));
    ASSERT_EQ(m_pFrame->m_commands.size(), 1u);
    EXPECT_EQ(m_pFrame->m_commands[0], static_cast<UINT>(ID_RESULTS_LIST));
    EXPECT_EQ(m_pMenuBar->GetTrackingMode(), 0) << "running a command leaves the menus";
    EXPECT_FALSE(pPopup->IsVisible());
}

TEST_F(CommandBarsGallery, PointerMovedToAnotherTitleOpensItsMenuInstead)
{
    ClickAt(ScreenCentre(m_pMenuBar, m_pMenuBar->GetControls()->GetAt(1)));
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) != nullptr; }));
    const CPoint ptTools = ScreenCentre(m_pMenuBar, m_pMenuBar->GetControls()->GetAt(2));
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = static_cast<LONG>(ptTools.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    move.mi.dy = static_cast<LONG>(ptTools.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &move, sizeof(INPUT));
    EXPECT_TRUE(PumpUntil([&] { return m_pMenuBar->GetPopupedIndex() == 2 && OpenPopupOf(m_pMenuBar) != nullptr; }));
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
}

TEST_F(CommandBarsGallery, AltAloneReachesTheMenuBarThroughTheFramesFilter)
{
    // As the program's loop pumps: the frame's filter sees Alt first.
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = VK_MENU;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpThroughFramesFor(200);
    EXPECT_NE(m_pMenuBar->GetTrackingMode(), 0);
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 0) << "the first title is hot";
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpThroughFramesFor(200);
    EXPECT_EQ(m_pMenuBar->GetTrackingMode(), 0) << "Alt again leaves the titles";
}

TEST_F(CommandBarsGallery, RightAndLeftInAPopupWalkTheTitlesAndEscapeStepsBack)
{
    PressKey(VK_MENU);
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) != nullptr; }));
    PressKey(VK_RIGHT);
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 1) << "Right on a plain item moves to the next title";
    EXPECT_NE(OpenPopupOf(m_pMenuBar), nullptr) << "and opens its menu";
    PressKey(VK_LEFT);
    EXPECT_EQ(m_pMenuBar->GetHotIndex(), 0);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(OpenPopupOf(m_pMenuBar), nullptr);
    EXPECT_NE(m_pMenuBar->GetTrackingMode(), 0) << "the first Escape closes the menu only";
    PressKey(VK_ESCAPE);
    EXPECT_EQ(m_pMenuBar->GetTrackingMode(), 0);
}

TEST_F(CommandBarsGallery, RarelyUsedCommandsWaitBehindTheExpandButton)
{
    // As the program's frame: full menus off, two commands hidden until used.
    CKitCommandBars* pBars = m_pFrame->GetCommandBars();
    pBars->GetSettings()->m_bAlwaysShowFullMenus = FALSE;
    const UINT hidden[] = {ID_RESULTS_DETAILS, ID_VIEW_ICONS};
    pBars->HideCommandIds(hidden, 2);
    ClickAt(ScreenCentre(m_pMenuBar, m_pMenuBar->GetControls()->GetAt(1)));
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pMenuBar) != nullptr; }));
    CKitPopupBar* pPopup = OpenPopupOf(m_pMenuBar);
    CKitControls* pItems = pPopup->GetControls();
    EXPECT_TRUE(pPopup->HasHiddenCommands());
    EXPECT_FALSE(pItems->FindControl(ID_RESULTS_DETAILS)->IsVisible());
    EXPECT_TRUE(pItems->FindControl(ID_RESULTS_LIST)->IsVisible());
    CKitControl* pExpand = pItems->FindControl(CKitPopupBar::kExpandButtonId);
    ASSERT_NE(pExpand, nullptr);
    EXPECT_TRUE(pExpand->IsVisible());
    CRect rcBefore;
    pPopup->GetWindowRect(&rcBefore);
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_personalized.bmp"));
    ClickAt(ScreenCentre(pPopup, pExpand));
    ASSERT_TRUE(PumpUntil([&] { return pPopup->IsExpanded(); }));
    EXPECT_TRUE(pItems->FindControl(ID_RESULTS_DETAILS)->IsVisible());
    EXPECT_FALSE(pExpand->IsVisible());
    CRect rcAfter;
    pPopup->GetWindowRect(&rcAfter);
    EXPECT_GT(rcAfter.Height(), rcBefore.Height() - 2) << "the menu grew by the hidden commands";
    EXPECT_NE(pPopup->GetTrackingMode(), 0) << "expanding keeps the menu open";
}

TEST_F(CommandBarsGallery, SubmenuOpensBesideItsItem)
{
    HMENU hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TREE_CONTEXT));
    ASSERT_NE(hMenu, nullptr);
    CKitPopupBar* pPopup = CKitPopupBar::NewPopupBar(m_pFrame->GetCommandBars());
    ASSERT_TRUE(pPopup->FillFromMenu(::GetSubMenu(hMenu, 0), TRUE));
    ::DestroyMenu(hMenu);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    ASSERT_TRUE(pPopup->PopupAt(rcClient.left + 100, rcClient.top + 120, nullptr));
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    CKitControl* pView = pPopup->GetHotControl();
    ASSERT_NE(pView, nullptr);
    EXPECT_EQ(pView->GetCaption(), CString(L"&View"));
    PressKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(pPopup) != nullptr; }));
    CKitPopupBar* pNested = OpenPopupOf(pPopup);
    CRect rcNested;
    pNested->GetWindowRect(&rcNested);
    CRect rcItem = pView->GetRect();
    pPopup->ClientToScreen(&rcItem);
    EXPECT_GE(rcNested.left, rcItem.right - 4) << "beside its item";
    EXPECT_EQ(pNested->GetHotIndex(), 0);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_submenu.bmp"));
    PressKey(VK_LEFT);
    EXPECT_EQ(OpenPopupOf(pPopup), nullptr) << "Left closes the submenu";
    EXPECT_NE(pPopup->GetTrackingMode(), 0);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(pPopup->GetTrackingMode(), 0);
    pPopup->InternalRelease();
}

TEST_F(CommandBarsGallery, NarrowedToolBarShowsItsHiddenButtonsInTheChevronPopup)
{
    CRect rcFrame;
    m_pFrame->GetWindowRect(&rcFrame);
    m_pFrame->SetWindowPos(nullptr, 0, 0, 260, rcFrame.Height(), SWP_NOMOVE | SWP_NOZORDER);
    Relayout();
    CKitControls* pControls = m_pToolBar->GetControls();
    int nHidden = 0;
    for (int i = 0; i < pControls->GetCount(); ++i)
        if (pControls->GetAt(i)->GetHideFlags() == kHideNoRoom)
            ++nHidden;
    ASSERT_GT(nHidden, 0);
    auto* pChevron = dynamic_cast<CToolBarExpandButton*>(pControls->FindControl(kToolBarExpandId));
    ASSERT_NE(pChevron, nullptr);
    EXPECT_TRUE(pChevron->HasHiddenControls());

    ClickAt(ScreenCentre(m_pToolBar, pChevron));
    ASSERT_TRUE(PumpUntil([&] { return OpenPopupOf(m_pToolBar) != nullptr; }));
    CKitPopupBar* pPopup = OpenPopupOf(m_pToolBar);
    CKitControls* pItems = pPopup->GetControls();
    ASSERT_EQ(pItems->GetCount(), nHidden + 1) << "the hidden buttons and the list entry";
    CKitControl* pAddRemove = pItems->GetAt(pItems->GetCount() - 1);
    EXPECT_EQ(pAddRemove->GetCaption(), CString(L"&Add or Remove Buttons"));
    EXPECT_TRUE(pAddRemove->GetBeginGroup());
    ASSERT_NE(pAddRemove->GetCommandBar(), nullptr);
    CKitControl* pListEntry = pAddRemove->GetCommandBar()->GetControls()->GetAt(0);
    ASSERT_NE(pListEntry, nullptr);
    EXPECT_EQ(pListEntry->GetCaption(), CString(L"Standard")) << "the toolbars of the row";
    PumpFor(150);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_chevron.bmp"));
    PressKey(VK_ESCAPE);
}

namespace
{

// One batch, so that the tear-off loop finds the whole gesture in its queue.
void SendDrag(POINT from, POINT to)
{
    std::vector<INPUT> inputs;
    auto move = [&](int x, int y) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
        input.mi.dy = static_cast<LONG>(y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        inputs.push_back(input);
    };
    auto button = [&](DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    move(from.x, from.y);
    button(MOUSEEVENTF_LEFTDOWN);
    for (int i = 1; i <= 6; ++i)
        move(from.x + (to.x - from.x) * i / 6, from.y + (to.y - from.y) * i / 6);
    button(MOUSEEVENTF_LEFTUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

CKitPopupBar* NewTearOffPopup(CKitCommandBars* pBars)
{
    CKitPopupBar* pPopup = CKitPopupBar::NewPopupBar(pBars);
    for (int nId : {ID_FIND_FILES, ID_FILE_FILTERS, ID_RECOVERY_SETTINGS})
        pPopup->GetControls()->Add(kControlButton, nId);
    pPopup->m_bTearOffPopup = TRUE;
    pPopup->m_strTearOffCaption = L"Torn Tools";
    pPopup->m_nTearOffId = 900;
    return pPopup;
}

}  // namespace

TEST_F(CommandBarsGallery, PopupTornOffByItsGripperFloatsAsAToolBar)
{
    CKitCommandBars* pBars = m_pFrame->GetCommandBars();
    CKitPopupBar* pPopup = NewTearOffPopup(pBars);
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    ASSERT_TRUE(pPopup->PopupAt(rcClient.left + 100, rcClient.top + 120, nullptr));
    CRect rcGripper = pPopup->GetTearOffGripperRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    pPopup->ClientToScreen(&rcGripper);
    SendDrag(rcGripper.CenterPoint(), CPoint(rcClient.left + 420, rcClient.top + 260));
    ASSERT_TRUE(PumpUntil([&] { return pBars->FindBarById(900) != nullptr && pPopup->GetTrackingMode() == 0; }));
    auto* pTorn = dynamic_cast<CKitToolBar*>(pBars->FindBarById(900));
    ASSERT_NE(pTorn, nullptr);
    EXPECT_EQ(pTorn->GetPosition(), kBarFloating);
    EXPECT_TRUE(pTorn->m_bTearOff);
    EXPECT_TRUE(::IsWindowVisible(pTorn->m_hWnd));
    EXPECT_EQ(pTorn->GetTitle(), CString(L"Torn Tools"));
    EXPECT_NE(pTorn->GetControls()->FindControl(ID_FILE_FILTERS), nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_torn_off.bmp"));
    pTorn->SetVisible(FALSE);
    EXPECT_EQ(pBars->FindBarById(900), nullptr) << "a torn-off bar lives only while it is shown";
    pPopup->InternalRelease();
}

TEST_F(CommandBarsGallery, QuitDuringATearOffDragReachesTheApplication)
{
    CKitPopupBar* pPopup = NewTearOffPopup(m_pFrame->GetCommandBars());
    ASSERT_TRUE(pPopup->PopupAt(200, 200, nullptr));
    CRect rcGripper = pPopup->GetTearOffGripperRect();
    pPopup->ClientToScreen(&rcGripper);
    const CPoint ptGripper = rcGripper.CenterPoint();
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dx = static_cast<LONG>(ptGripper.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    inputs[0].mi.dy = static_cast<LONG>(ptGripper.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    ::SendInput(2, inputs, sizeof(INPUT));
    // The quit comes while the drag runs, as a closing application's would.
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR nTimer, DWORD) {
        ::KillTimer(nullptr, nTimer);
        ::PostQuitMessage(7);
    });
    // The application's loop: the press starts the drag loop, whose end
    // must leave the quit for this loop.
    const DWORD start = ::GetTickCount();
    MSG msg = {};
    BOOL bQuit = FALSE;
    while (!bQuit && ::GetTickCount() - start < 3000)
    {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                bQuit = TRUE;
                break;
            }
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
    ASSERT_TRUE(bQuit) << "the quit is there for the application";
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_EQ(::GetCapture(), nullptr);
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, inputs, sizeof(INPUT));
    PumpFor(100);
    pPopup->EndTracking();
    pPopup->InternalRelease();
}

TEST_F(CommandBarsGallery, PopupTallerThanTheScreenScrolls)
{
    CKitPopupBar* pPopup = CKitPopupBar::NewPopupBar(m_pFrame->GetCommandBars());
    for (int i = 0; i < 120; ++i)
    {
        CKitControl* pControl = pPopup->GetControls()->Add(kControlButton, 40000 + i);
        CString strCaption;
        strCaption.Format(L"Item %d", i);
        pControl->SetCaption(strCaption);
    }
    ASSERT_TRUE(pPopup->PopupAt(60, 10, nullptr));
    EXPECT_TRUE(pPopup->IsScrolling());
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    CRect rcWork;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcWork, 0);
    EXPECT_LE(rcPopup.bottom, rcWork.bottom) << "cut to the work area";
    EXPECT_FALSE(pPopup->GetScrollDownArea().IsRectEmpty());
    EXPECT_TRUE(pPopup->GetScrollUpArea().IsRectEmpty());
    const int nEnd = pPopup->GetEndVisible();
    EXPECT_LT(nEnd, 120);
    PressKey(VK_END);
    EXPECT_EQ(pPopup->GetHotIndex(), 119);
    EXPECT_GT(pPopup->GetFirstVisible(), 0) << "the keyboard selection scrolled into view";
    EXPECT_TRUE(pPopup->GetHotControl()->IsVisible());
    EXPECT_FALSE(pPopup->GetScrollUpArea().IsRectEmpty());
    pPopup->EndTracking();
    pPopup->InternalRelease();
}

// The layout road in two processes: the first floats and closes the
// toolbar and stores the layout at exit; the second loads it at start.
TEST_F(CommandBarsGallery, StoredLayoutFirstRun)
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey);
    CKitCommandBars* pBars = m_pFrame->GetCommandBars();
    ASSERT_TRUE(m_pToolBar->SetPosition(kBarFloating));
    m_pToolBar->OnRecalcLayout();
    m_pToolBar->SetWindowPos(nullptr, 60, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
    CKitControl* pClose = m_pToolBar->GetControls()->FindControl(kBarCloseId);
    ASSERT_NE(pClose, nullptr) << "a floating toolbar has a close button";
    EXPECT_TRUE(pClose->IsVisible());
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_floating.bmp"));
    pClose->Execute();
    EXPECT_FALSE(m_pToolBar->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(m_pToolBar->m_hWnd));
    pBars->SaveLayout(kProfile, TRUE);
    EXPECT_EQ(s_pApp->GetProfileInt(L"CommandBars-Bar1", L"Floating", 0), 1u);
    EXPECT_EQ(s_pApp->GetProfileInt(L"CommandBars-Bar1", L"Visible", 1), 0u);
}

TEST_F(CommandBarsGallery, StoredLayoutSecondRun)
{
    if (s_pApp->GetProfileInt(L"CommandBars-Summary", L"Bars", 0) == 0)
        GTEST_SKIP() << "runs after StoredLayoutFirstRun in another process";
    m_pFrame->GetCommandBars()->LoadLayout(kProfile, FALSE);
    EXPECT_EQ(m_pToolBar->GetPosition(), kBarFloating);
    EXPECT_FALSE(m_pToolBar->IsVisible());
    EXPECT_FALSE(::IsWindowVisible(m_pToolBar->m_hWnd));
    CRect rc;
    m_pToolBar->GetWindowRect(&rc);
    EXPECT_EQ(rc.TopLeft(), CPoint(60, 260));
    EXPECT_EQ(m_pMenuBar->GetPosition(), kBarTop);
    EXPECT_TRUE(m_pMenuBar->IsVisible());
}

TEST_F(CommandBarsGallery, DamagedStoredLayoutStartsSane)
{
    constexpr LPCTSTR kDamaged = L"Damaged";
    CWinApp* pApp = s_pApp;
    pApp->WriteProfileString(L"Damaged-Summary", nullptr, nullptr);
    pApp->WriteProfileInt(L"Damaged-Summary", L"Bars", 2000000000);
    pApp->WriteProfileInt(L"Damaged-Summary", L"ScreenCX", 0);
    pApp->WriteProfileInt(L"Damaged-Summary", L"ScreenCY", -1);
    pApp->WriteProfileInt(L"Damaged-Bar0", L"BarID", IDR_MAINFRAME);
    pApp->WriteProfileInt(L"Damaged-Bar0", L"Floating", 1);
    pApp->WriteProfileInt(L"Damaged-Bar0", L"XPos", -2000000000);
    pApp->WriteProfileInt(L"Damaged-Bar0", L"YPos", 2000000000);
    pApp->WriteProfileInt(L"Damaged-Bar0", L"MRUWidth", -5);
    pApp->WriteProfileInt(L"Damaged-Bar1", L"BarID", IDR_MAINFRAME);  // the same bar again
    pApp->WriteProfileInt(L"Damaged-Bar1", L"Visible", 0);
    pApp->WriteProfileInt(L"Damaged-DockBar0", L"Bars", 7);
    const int entries[] = {0, 1, 0, 1, 1, 0, 0};
    for (int j = 0; j < 7; ++j)
    {
        CString strEntry;
        strEntry.Format(L"Bar#%d", j);
        pApp->WriteProfileInt(L"Damaged-DockBar0", strEntry, entries[j]);
    }
    pApp->WriteProfileInt(L"Damaged-DockBar2", L"Bars", 3);
    pApp->WriteProfileInt(L"Damaged-DockBar2", L"Bar#0", 0);
    pApp->WriteProfileInt(L"Damaged-DockBar2", L"Bar#1", 1);  // the menu bar on the left as well
    pApp->WriteProfileInt(L"Damaged-DockBar2", L"Bar#2", 0);

    m_pFrame->GetCommandBars()->LoadLayout(kDamaged, FALSE);
    Relayout();
    EXPECT_EQ(m_pMenuBar->GetPosition(), kBarTop) << "the first dock entry wins";
    EXPECT_EQ(m_pFrame->GetCommandBars()->GetDockBar(CKitCommandBars::kDockLeft)->FindBar(m_pMenuBar), -1);
    EXPECT_EQ(m_pFrame->GetCommandBars()->GetDockBar(CKitCommandBars::kDockTop)->GetRows().Rows().size(), 1u);
    EXPECT_EQ(m_pToolBar->GetPosition(), kBarFloating);
    EXPECT_TRUE(m_pToolBar->IsVisible()) << "the bar's second entry is ignored";
    EXPECT_EQ(m_pToolBar->m_nFloatingWidth, 32767) << "a negative width is damage";
    CRect rc;
    m_pToolBar->GetWindowRect(&rc);
    EXPECT_EQ(::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != nullptr, true) << "back on a monitor";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_damaged_layout.bmp"));
}

TEST_F(CommandBarsGallery, DialogBarSizesItsClientAndRefusesTooSmallAResize)
{
    CKitCommandBars* pBars = m_pFrame->GetCommandBars();
    auto* pPanel = dynamic_cast<CKitDialogBar*>(pBars->CreateToolBar(L"Panel", kBarFloating, RUNTIME_CLASS(CKitDialogBar)));
    ASSERT_NE(pPanel, nullptr);
    CWnd list;
    ASSERT_TRUE(list.CreateEx(WS_EX_CLIENTEDGE, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT,
                              CRect(0, 0, 10, 10), pPanel, 1));
    pPanel->SetClientWindow(list.m_hWnd);
    pPanel->OnRecalcLayout();
    pPanel->SetWindowPos(nullptr, 420, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(100);
    const CRect margins = pPanel->GetClientMargins();
    CRect rcPanel;
    pPanel->GetWindowRect(&rcPanel);
    EXPECT_EQ(rcPanel.Width(), 200 + margins.left + margins.right);
    EXPECT_EQ(rcPanel.Height(), 200 + margins.top + margins.bottom);
    CRect rcList;
    list.GetWindowRect(&rcList);
    EXPECT_EQ(rcList.Size(), CSize(200, 200)) << "the client window fills the client area";
    EXPECT_NE(pPanel->GetControls()->FindControl(kDialogBarCaptionId), nullptr);
    EXPECT_NE(pPanel->GetControls()->FindControl(kBarCloseId), nullptr);

    pPanel->OnResizeTrack(CRect(rcPanel.left, rcPanel.top, rcPanel.left + 49, rcPanel.bottom), HTRIGHT);
    EXPECT_EQ(pPanel->m_szFloatingClient, CSize(200, 200)) << "49 pixels are below the minimum";
    pPanel->OnResizeTrack(CRect(rcPanel.left, rcPanel.top, rcPanel.left + 300, rcPanel.bottom), HTRIGHT);
    EXPECT_EQ(pPanel->m_szFloatingClient.cx, 300 - margins.left - margins.right);
    pPanel->GetWindowRect(&rcPanel);
    EXPECT_EQ(pPanel->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcPanel.left, rcPanel.top)), HTTOPLEFT);
    EXPECT_EQ(pPanel->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(rcPanel.right - 1, rcPanel.bottom - 1)), HTBOTTOMRIGHT);
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"cbbars_dialog_bar.bmp"));
    list.DestroyWindow();
}

TEST(MenuSoundPlayer, StoppingTwiceIsHarmlessAndAPlayAfterwardsStartsAgain)
{
    CMenuSoundPlayer player;
    player.Play(CMenuSoundPlayer::kMenuPopup);
    player.Play(CMenuSoundPlayer::kMenuCommand);
    EXPECT_TRUE(player.IsRunning());
    player.Stop();
    EXPECT_FALSE(player.IsRunning());
    player.Stop();
    player.Play(CMenuSoundPlayer::kMenuPopup);
    EXPECT_TRUE(player.IsRunning());
}
