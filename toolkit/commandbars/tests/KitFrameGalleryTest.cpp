// A frame with the four dock bars, a status bar with the message pane and
// CAP/NUM/SCRL, and bars of controls drawn by style 4: docked in rows, moved
// from the top side to the left one. Screenshots go beside the results.
#include "CAccessibleBase.h"
#include "CBarDragTracker.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitMenuBar.h"
#include "CKitDockBar.h"
#include "CKitStatusBar.h"
#include "CKitStatusBarPaneWnd.h"
#include "InputDriving.h"
#include "WindowCapture.h"
#include "window/AfxMessages.h"
#include "window/CCmdUI.h"
#include "window/CFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr UINT kPanes[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
constexpr int kIdSave = 201;
constexpr int kIdRecover = 202;
constexpr int kIdPreview = 301;
constexpr int kIdStop = 302;

// The gallery's frame: it records the commands it gets and disables Stop
// through its update handler.
class CGalleryFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && nID == static_cast<UINT>(kIdStop))
        {
            static_cast<CCmdUI*>(pExtra)->Enable(FALSE);
            return TRUE;
        }
        // The bars' commands have handlers here (OnCommand records them).
        if (nCode == CN_COMMAND && pHandlerInfo != nullptr && nID >= 200 && nID < 500)
            return TRUE;
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        m_commands.push_back(LOWORD(wParam));
        return TRUE;
    }
};

class KitFrameGallery : public testing::Test
{
protected:
    void SetUp() override
    {
        SelectCommandBarDrawingStyle(4);
        m_pFrame = new CGalleryFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(30, 30, 630, 430)));
        ASSERT_TRUE(m_statusBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_statusBar.DefinePanes(kPanes, 4));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        for (int i = 0; i < 4; ++i)
            m_pDockBars[i] = m_pBars->GetDockBar(i);
        m_pStandard = MakeBar(L"Standard", 200, {L"&Open", L"&Save", L"&Recover"}, kBarStyleGripper);
        m_pRecovery = MakeBar(L"Recovery", 300, {L"&Scan", L"&Preview", L"&Stop"}, 0);
        m_statusBar.SetWindowText(L"Ready");
        Layout();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        ReleaseCommandBarDrawer();
    }
    // A bar of buttons owned by the command bars, docked in a new top row.
    CKitCommandBar* MakeBar(LPCTSTR lpszTitle, int nId, std::initializer_list<LPCTSTR> captions, DWORD dwStyle)
    {
        auto* pBar = new CKitCommandBar;
        pBar->m_dwStyle = dwStyle;
        pBar->EnableBarDocking(0x3F);
        pBar->SetTitle(lpszTitle);
        for (LPCTSTR lpszCaption : captions)
        {
            CKitControl* pControl = pBar->GetControls()->Add(kControlButton, nId++);
            pControl->SetCaption(lpszCaption);
            pControl->m_nStyle = 1;
        }
        m_pBars->AddBar(pBar);
        EXPECT_TRUE(m_pBars->DockCommandBar(pBar, nullptr, CKitCommandBars::kDockTop));
        return pBar;
    }
    void Layout()
    {
        m_pFrame->RecalcLayout();
        m_pFrame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        PumpFor(100);
    }
    CRect WindowRectOf(CWnd& wnd)
    {
        CRect rc;
        wnd.GetWindowRect(&rc);
        return rc;
    }

    CGalleryFrame* m_pFrame = nullptr;
    CKitCommandBars* m_pBars = nullptr;
    CKitStatusBar m_statusBar;
    CKitDockBar* m_pDockBars[4] = {};
    CKitCommandBar* m_pStandard = nullptr;
    CKitCommandBar* m_pRecovery = nullptr;
};
} // namespace

TEST_F(KitFrameGallery, TopDockBarHoldsTwoRowsAboveTheFreeArea)
{
    EXPECT_EQ(m_pDockBars[0]->GetRows().Rows().size(), 2u);
    const CRect rcTop = WindowRectOf(*m_pDockBars[0]);
    const CRect rcStandard = WindowRectOf(*m_pStandard);
    const CRect rcRecovery = WindowRectOf(*m_pRecovery);
    EXPECT_EQ(::GetParent(m_pStandard->m_hWnd), m_pDockBars[0]->m_hWnd);
    EXPECT_EQ(rcRecovery.top, rcStandard.bottom) << "second row below the first";
    EXPECT_EQ(rcTop.Height(), rcStandard.Height() + rcRecovery.Height());
    EXPECT_EQ(WindowRectOf(*m_pDockBars[2]).Width(), 0) << "an empty side takes no room";
    EXPECT_LT(rcTop.bottom, WindowRectOf(m_statusBar).top);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_top.bmp"));
}

TEST_F(KitFrameGallery, BarMovesFromTheTopToTheLeftSideOnce)
{
    CRect rcTarget = WindowRectOf(*m_pDockBars[2]);
    rcTarget = CRect(rcTarget.left, rcTarget.top + 10, rcTarget.left + 20, rcTarget.top + 90);
    m_pDockBars[2]->DockCommandBar(m_pRecovery, &rcTarget);
    m_pDockBars[2]->DockCommandBar(m_pRecovery, &rcTarget);  // docked again: still one entry
    Layout();
    EXPECT_EQ(m_pDockBars[0]->FindBar(m_pRecovery), -1);
    EXPECT_GE(m_pDockBars[2]->FindBar(m_pRecovery), 0);
    EXPECT_EQ(m_pDockBars[2]->GetRows().Rows(), (std::vector<std::vector<kit::commandbars::DockBarId>>{
                                                  {reinterpret_cast<kit::commandbars::DockBarId>(m_pRecovery)}}));
    EXPECT_EQ(m_pRecovery->GetPosition(), kBarLeft);
    const CRect rcRecovery = WindowRectOf(*m_pRecovery);
    EXPECT_GT(rcRecovery.Height(), rcRecovery.Width()) << "standing on the left side";
    EXPECT_EQ(m_pDockBars[0]->GetRows().Rows().size(), 1u);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_left.bmp"));
}

TEST_F(KitFrameGallery, RemovedBarLeavesItsDockBarsRows)
{
    {
        CKitCommandBar* pTransient = MakeBar(L"Transient", 400, {L"&One"}, 0);
        m_pBars->DockCommandBar(pTransient, nullptr, CKitCommandBars::kDockBottom);
        EXPECT_EQ(m_pDockBars[1]->GetRows().Rows().size(), 1u);
        EXPECT_EQ(m_pBars->RemoveBar(pTransient), 2) << "the third bar of the list";
    }
    EXPECT_TRUE(m_pDockBars[1]->GetRows().Rows().empty());
    Layout();  // lays out no dangling bar
    EXPECT_EQ(WindowRectOf(*m_pDockBars[1]).Height(), 0);
}

TEST_F(KitFrameGallery, EveryFrameSideHoldsABar)
{
    CKitCommandBar* pBottom = MakeBar(L"Bottom", 400, {L"&Find", L"&Filter"}, kBarStyleGripper);
    CKitCommandBar* pRight = MakeBar(L"Right", 410, {L"&Up", L"&Down"}, kBarStyleGripper);
    ASSERT_TRUE(m_pBars->DockCommandBar(pBottom, nullptr, CKitCommandBars::kDockBottom));
    ASSERT_TRUE(m_pBars->DockCommandBar(pRight, nullptr, CKitCommandBars::kDockRight));
    CRect rcLeft = WindowRectOf(*m_pDockBars[2]);
    rcLeft = CRect(rcLeft.left, rcLeft.top + 10, rcLeft.left + 20, rcLeft.top + 90);
    m_pDockBars[2]->DockCommandBar(m_pRecovery, &rcLeft);
    m_pFrame->SetForegroundWindow();
    Layout();
    const CKitCommandBar* pOnSide[4] = {m_pStandard, pBottom, m_pRecovery, pRight};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_GE(m_pDockBars[i]->FindBar(const_cast<CKitCommandBar*>(pOnSide[i])), 0) << i;
        const CRect rcDock = WindowRectOf(*m_pDockBars[i]);
        EXPECT_GT(rcDock.Width(), 0) << i;
        EXPECT_GT(rcDock.Height(), 0) << i;
    }
    CRect rcClient;
    m_pFrame->GetClientRect(&rcClient);
    m_pFrame->ClientToScreen(&rcClient);
    EXPECT_EQ(WindowRectOf(*m_pDockBars[3]).right, rcClient.right) << "the right side at the frame's edge";
    EXPECT_LE(WindowRectOf(*m_pDockBars[1]).bottom, WindowRectOf(m_statusBar).top) << "the bottom side above the status bar";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_sides.bmp"));
}


TEST_F(KitFrameGallery, BarDraggedByItsGripperFromTheTopToTheLeftSide)
{
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    CRect rcGripper = m_pStandard->GetGripperRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    m_pStandard->ClientToScreen(&rcGripper);
    CRect rcLeft = WindowRectOf(*m_pDockBars[2]);
    const CPoint target(rcLeft.left + 4, rcLeft.top + rcLeft.Height() / 2);
    DragWithMouse(rcGripper.CenterPoint(), target, 8);
    Layout();
    EXPECT_EQ(m_pDockBars[0]->FindBar(m_pStandard), -1);
    EXPECT_GE(m_pDockBars[2]->FindBar(m_pStandard), 0);
    EXPECT_EQ(m_pStandard->GetPosition(), kBarLeft);
    EXPECT_EQ(::GetCapture(), nullptr) << "the loop let the mouse go";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_dragged.bmp"));
}

TEST_F(KitFrameGallery, BarDraggedAwayFromEverySideFloatsAndDocksAgain)
{
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    CRect rcGripper = m_pStandard->GetGripperRect();
    m_pStandard->ClientToScreen(&rcGripper);
    const CPoint target = WindowRectOf(*m_pFrame).CenterPoint();
    DragWithMouse(rcGripper.CenterPoint(), target, 8);
    Layout();
    EXPECT_EQ(m_pStandard->GetPosition(), kBarFloating);
    for (CKitDockBar* pDockBar : m_pDockBars)
        EXPECT_EQ(pDockBar->FindBar(m_pStandard), -1);
    EXPECT_EQ(m_pStandard->m_pDockBar, nullptr);
    EXPECT_NE(m_pStandard->GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(::GetWindow(m_pStandard->m_hWnd, GW_OWNER), m_pFrame->m_hWnd) << "owned by the frame";
    const CRect rcFloating = WindowRectOf(*m_pStandard);
    EXPECT_TRUE(rcFloating.PtInRect(target)) << "under the pointer";
    EXPECT_EQ(m_pDockBars[0]->GetRows().Rows().size(), 1u) << "the top side keeps the other bar";
    // The bar is drawn on the frame's white client area in the style's face colour.
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF clrInside = ::GetPixel(hScreen, rcFloating.right - 2, rcFloating.CenterPoint().y);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_NE(clrInside, RGB(255, 255, 255));
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_floating.bmp"));

    ASSERT_TRUE(m_pBars->DockCommandBar(m_pStandard, nullptr, CKitCommandBars::kDockBottom));
    Layout();
    EXPECT_EQ(m_pStandard->GetPosition(), kBarBottom);
    EXPECT_EQ(::GetParent(m_pStandard->m_hWnd), m_pDockBars[1]->m_hWnd);
    EXPECT_NE(m_pStandard->GetStyle() & WS_CHILD, 0u);
}

TEST_F(KitFrameGallery, QuitDuringADragEndsItAndReachesTheApplication)
{
    CRect rcGripper = m_pStandard->GetGripperRect();
    m_pStandard->ClientToScreen(&rcGripper);
    ::PostQuitMessage(7);
    CBarDragTracker(m_pStandard).StartDrag(rcGripper.CenterPoint());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_GE(m_pDockBars[0]->FindBar(m_pStandard), 0) << "the bar stays where it was";
    EXPECT_EQ(::GetCapture(), nullptr);
}

namespace
{
// Alt held around a key, as a user types a mnemonic.
void PressWithModifier(WORD nModifier, WORD nKey)
{
    INPUT inputs[4] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = nModifier;
    inputs[1].ki.wVk = nKey;
    inputs[2].ki.wVk = nKey;
    inputs[2].ki.dwFlags = KEYEVENTF_KEYUP;
    inputs[3].ki.wVk = nModifier;
    inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, inputs, sizeof(INPUT));
    PumpThroughFramesFor(300);
}
} // namespace

TEST_F(KitFrameGallery, AltMnemonicsReachEveryBarThroughTheFrameFilter)
{
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    struct Case
    {
        WORD nKey;
        std::vector<UINT> commands;  // what runs
        CKitCommandBar* pHotBar;     // the bar left tracking, or null
        int nHot;
    };
    const Case cases[] = {
        {'P', {kIdPreview}, nullptr, -1},     // on the second bar: runs
        {'S', {}, m_pStandard, 1},            // "&Save" and "&Scan": the first is hot, nothing runs
        {VK_NUMPAD2, {}, nullptr, -1},        // keypad digits are never mnemonics
    };
    for (const Case& c : cases)
    {
        m_pFrame->m_commands.clear();
        PressWithModifier(VK_MENU, c.nKey);
        EXPECT_EQ(m_pFrame->m_commands, c.commands) << c.nKey;
        if (c.pHotBar != nullptr)
        {
            EXPECT_NE(c.pHotBar->GetTrackingMode(), 0) << c.nKey;
            EXPECT_EQ(c.pHotBar->GetHotIndex(), c.nHot) << c.nKey;
            EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_mnemonic.bmp"));
            PressKey(VK_ESCAPE);
            EXPECT_EQ(c.pHotBar->GetTrackingMode(), 0) << "Escape leaves";
        }
        else
        {
            EXPECT_EQ(m_pStandard->GetTrackingMode(), 0) << c.nKey;
            EXPECT_EQ(m_pRecovery->GetTrackingMode(), 0) << c.nKey;
        }
    }
}

TEST_F(KitFrameGallery, ShortcutFromTheLoadedTableRunsItsCommand)
{
    CCommandShortcuts* pShortcuts = m_pBars->GetKeyboardShortcuts();
    ASSERT_NE(pShortcuts->LoadAcceleratorResource(128), nullptr);
    CString strText;
    EXPECT_TRUE(pShortcuts->FindShortcutText(kIdRecover, strText));
    EXPECT_EQ(strText, CString(L"Ctrl+R"));
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    PressWithModifier(VK_CONTROL, 'R');
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kIdRecover});
}

TEST_F(KitFrameGallery, CtrlTabMovesTrackingToTheNextBar)
{
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    ASSERT_TRUE(m_pBars->SetTrackingBar(m_pStandard, 0));
    EXPECT_EQ(m_pStandard->GetHotIndex(), 0);
    PressWithModifier(VK_CONTROL, VK_TAB);
    EXPECT_EQ(m_pStandard->GetTrackingMode(), 0);
    EXPECT_NE(m_pRecovery->GetTrackingMode(), 0);
    EXPECT_EQ(m_pRecovery->GetHotIndex(), 0);
    PressKey(VK_RIGHT);
    PressKey(VK_RETURN);
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kIdPreview}) << "Enter runs the hot control";
    EXPECT_EQ(m_pRecovery->GetTrackingMode(), 0);
}

TEST_F(KitFrameGallery, NextVisibleBarSkipsHiddenBarsAndWraps)
{
    CKitCommandBar* pThird = MakeBar(L"Third", 400, {L"&One"}, 0);
    m_pRecovery->SetVisible(FALSE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(0, 1), 2);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(2, 1), 0) << "wraps past the end";
    EXPECT_EQ(m_pBars->GetNextVisibleBar(-1, -1), 2) << "from none backwards: the last";
    pThird->SetVisible(FALSE);
    EXPECT_EQ(m_pBars->GetNextVisibleBar(0, 1), 0) << "only the start is visible";
    EXPECT_FALSE(m_pBars->SetTrackingBar(m_pStandard, 1));
}

TEST_F(KitFrameGallery, DockBarAtPointReachesTwentyPixelsOut)
{
    CKitDockBar* pTop = m_pDockBars[0];
    const CRect rcTop = WindowRectOf(*pTop);
    const int x = rcTop.CenterPoint().x;
    EXPECT_EQ(m_pBars->FindDockBarAtPoint(CPoint(x, rcTop.top - 19), nullptr), pTop);
    EXPECT_EQ(m_pBars->FindDockBarAtPoint(CPoint(x, rcTop.top - 20), nullptr), nullptr);
    EXPECT_EQ(m_pBars->FindDockBarAtPoint(CPoint(rcTop.right + 19, rcTop.top + 5), nullptr), pTop);
    EXPECT_EQ(m_pBars->FindDockBarAtPoint(CPoint(rcTop.right + 20, rcTop.top + 5), nullptr), nullptr);
    CKitDockBar* pLeft = m_pDockBars[2];
    EXPECT_EQ(m_pBars->FindDockBarAtPoint(CPoint(rcTop.left + 5, rcTop.bottom + 5), pLeft), pLeft)
        << "the current dock bar is asked first";
}

TEST_F(KitFrameGallery, IdleUpdateFollowsTheFramesHandlers)
{
    CKitControl* pStop = m_pRecovery->GetControls()->FindControl(kIdStop);
    ASSERT_NE(pStop, nullptr);
    pStop->SetChecked(TRUE);
    EXPECT_TRUE(pStop->GetEnabled());
    m_pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    EXPECT_FALSE(pStop->GetEnabled()) << "the frame's handler disables it";
    EXPECT_FALSE(pStop->GetChecked()) << "disabling clears the check";
    EXPECT_TRUE(m_pRecovery->GetControls()->FindControl(kIdPreview)->GetEnabled())
        << "a command with a handler and no update handler stays enabled";
}

TEST_F(KitFrameGallery, BarsAnswerAccessibilityClients)
{
    IAccessible* pAccessible = nullptr;
    ASSERT_EQ(CAccessibleBase::ObjectFromWindow(m_pRecovery->m_hWnd, static_cast<DWORD>(OBJID_CLIENT),
                                                kIidAccessible, reinterpret_cast<void**>(&pAccessible)),
              S_OK);
    ASSERT_NE(pAccessible, nullptr);
    long nChildren = 0;
    EXPECT_EQ(pAccessible->get_accChildCount(&nChildren), S_OK);
    EXPECT_EQ(nChildren, 3);
    VARIANT self = {};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role = {};
    EXPECT_EQ(pAccessible->get_accRole(self, &role), S_OK);
    EXPECT_EQ(role.lVal, ROLE_SYSTEM_TOOLBAR);
    VARIANT second = self;
    second.lVal = 2;
    BSTR name = nullptr;
    ASSERT_EQ(pAccessible->get_accName(second, &name), S_OK);
    EXPECT_STREQ(name, L"Preview") << "the caption without its marker";
    ::SysFreeString(name);
    ASSERT_EQ(pAccessible->accDoDefaultAction(second), S_OK);
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{kIdPreview});
    VARIANT outOfRange = self;
    outOfRange.lVal = 4;
    EXPECT_EQ(pAccessible->get_accName(outOfRange, &name), E_INVALIDARG);
    pAccessible->Release();
}

TEST_F(KitFrameGallery, PaneWindowSitsInsideItsPaneAndPanesGiveTips)
{
    auto* pPaneWnd = new CKitStatusBarPaneWnd;
    ASSERT_TRUE(pPaneWnd->Create(L"progress", &m_statusBar, WS_CHILD | WS_VISIBLE, 0xE710));
    m_statusBar.SetPaneWindow(1, pPaneWnd, TRUE);  // the pane deletes it
    m_statusBar.SetPaneTooltip(2, L"Num Lock");
    Layout();
    CRect rcPane;
    m_statusBar.GetItemRect(1, rcPane);
    CRect rcChild = WindowRectOf(*pPaneWnd);
    m_statusBar.ScreenToClient(&rcChild);
    const int nEdge = ::GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(rcChild, CRect(rcPane.left + nEdge, rcPane.top + nEdge, rcPane.right - nEdge, rcPane.bottom - nEdge));
    HDC hScreen = ::GetDC(nullptr);
    const CPoint ptChild = WindowRectOf(*pPaneWnd).CenterPoint();
    const COLORREF clrChild = ::GetPixel(hScreen, ptChild.x, ptChild.y);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(clrChild, ::GetSysColor(COLOR_BTNFACE)) << "the pane window paints the button face";

    CRect rcNum;
    m_statusBar.GetItemRect(2, rcNum);
    TOOLINFOW info = {};
    info.cbSize = sizeof(info);
    EXPECT_EQ(m_statusBar.OnToolHitTest(rcNum.CenterPoint(), &info), static_cast<INT_PTR>(ID_INDICATOR_NUM));
    EXPECT_STREQ(info.lpszText, L"Num Lock");
    CRect rcMessage;
    m_statusBar.GetItemRect(0, rcMessage);
    EXPECT_EQ(m_statusBar.OnToolHitTest(rcMessage.CenterPoint(), nullptr), -1) << "a pane without a tip";
}

namespace
{
LRESULT CALLBACK MdiChildProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcW(hWnd, nMessage, wParam, lParam);
}

// A document window of the MDI client with the given frame style.
HWND CreateMdiChild(HWND hClient, DWORD dwStyle)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = MdiChildProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"PelmoGalleryDocument";
    ::RegisterClassW(&wc);  // already there on a second call
    MDICREATESTRUCTW create = {};
    create.szClass = wc.lpszClassName;
    create.szTitle = L"Document";
    create.hOwner = wc.hInstance;
    create.x = create.y = 10;
    create.cx = 200;
    create.cy = 120;
    create.style = dwStyle;
    return reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}
} // namespace

TEST_F(KitFrameGallery, MaximizedMdiChildShowsItsWindowButtonsOnTheMenuBar)
{
    // The frame's free area holds an MDI client, as a multi-document frame's;
    // its children keep the styles they are given.
    CLIENTCREATESTRUCT client = {};
    HWND hClient = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | MDIS_ALLCHILDSTYLES,
                                     0, 0, 100, 100, m_pFrame->m_hWnd, reinterpret_cast<HMENU>(AFX_IDW_PANE_FIRST),
                                     ::GetModuleHandleW(nullptr), &client);
    ASSERT_NE(hClient, nullptr);
    auto* pMenuBar = dynamic_cast<CKitMenuBar*>(m_pBars->CreateMenuBar(L"Menu Bar", 128));
    ASSERT_NE(pMenuBar, nullptr);
    pMenuBar->m_dwFlags |= CKitMenuBar::kShowSystemIcon;
    Layout();
    CKitControls* pControls = pMenuBar->GetControls();
    auto windowButtons = [&] {
        std::vector<int> ids;
        for (int i = 0; i < pControls->GetCount(); ++i)
            if (pControls->GetAt(i)->GetId() >= kMdiCloseId && pControls->GetAt(i)->GetId() <= kMdiSystemMenuId)
                ids.push_back(pControls->GetAt(i)->GetId());
        return ids;
    };
    auto screenCentre = [&](int nId) {
        CRect rc = pControls->FindControl(nId)->GetRect();
        pMenuBar->ClientToScreen(&rc);
        return rc.CenterPoint();
    };

    HWND hDocument = CreateMdiChild(hClient, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    ASSERT_NE(hDocument, nullptr);
    PumpFor(100);
    EXPECT_TRUE(windowButtons().empty()) << "a child that is not maximized";
    ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hDocument), 0);
    ASSERT_TRUE(PumpUntil([&] { return windowButtons().size() == 4; }));
    EXPECT_EQ(windowButtons(), (std::vector<int>{kMdiSystemMenuId, kMdiMinimizeId, kMdiRestoreId, kMdiCloseId}));
    EXPECT_EQ(pControls->GetAt(0)->GetId(), kMdiSystemMenuId) << "the child's icon comes first";
    Layout();
    CRect rcBar;
    pMenuBar->GetClientRect(&rcBar);
    const CRect rcClose = pControls->FindControl(kMdiCloseId)->GetRect();
    EXPECT_GE(rcClose.right, rcBar.right - 8) << "at the far end of the bar";
    EXPECT_LT(pControls->FindControl(kMdiRestoreId)->GetRect().right, rcClose.left + 1);
    EXPECT_EQ(pControls->GetAt(1)->GetCaption(), CString(L"&File")) << "the titles follow the icon";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_mdi.bmp"));

    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    ClickAt(screenCentre(kMdiRestoreId));
    EXPECT_TRUE(PumpUntil([&] { return windowButtons().empty(); })) << "restoring the child removes them";
    BOOL bMaximized = TRUE;
    ::SendMessageW(hClient, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&bMaximized));
    EXPECT_FALSE(bMaximized);

    HWND hFixed = CreateMdiChild(hClient, (WS_OVERLAPPEDWINDOW & ~WS_MINIMIZEBOX) | WS_VISIBLE);
    ASSERT_NE(hFixed, nullptr);
    ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hFixed), 0);
    ASSERT_TRUE(PumpUntil([&] { return windowButtons().size() == 3; })) << windowButtons().size();
    EXPECT_EQ(windowButtons(), (std::vector<int>{kMdiSystemMenuId, kMdiRestoreId, kMdiCloseId}))
        << "no minimize box, no button";
    Layout();

    // The icon opens the child's system menu; its Close goes to the child.
    ClickAt(screenCentre(kMdiSystemMenuId));
    CKitCommandBar* pSystemMenu = pControls->FindControl(kMdiSystemMenuId)->GetCommandBar();
    ASSERT_NE(pSystemMenu, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return pSystemMenu->IsVisible() && ::IsWindowVisible(pSystemMenu->m_hWnd); }));
    CKitControl* pRestore = pSystemMenu->GetControls()->FindControl(SC_RESTORE);
    ASSERT_NE(pRestore, nullptr);
    EXPECT_TRUE(pRestore->GetEnabled());
    EXPECT_NE(pSystemMenu->GetControls()->FindControl(SC_MINIMIZE), nullptr);
    CKitControl* pClose = pSystemMenu->GetControls()->FindControl(SC_CLOSE);
    ASSERT_NE(pClose, nullptr);
    EXPECT_TRUE(pClose->GetDefaultItem());
    EXPECT_TRUE(pClose->GetBeginGroup()) << "after the menu's separator";
    CRect rcPopup;
    pSystemMenu->GetWindowRect(&rcPopup);
    CRect rcIcon = pControls->FindControl(kMdiSystemMenuId)->GetRect();
    pMenuBar->ClientToScreen(&rcIcon);
    EXPECT_GE(rcPopup.top, rcIcon.bottom) << "below the icon";
    PumpFor(100);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_mdi_system_menu.bmp"));
    CRect rcCloseItem = pClose->GetRect();
    pSystemMenu->ClientToScreen(&rcCloseItem);
    ClickAt(rcCloseItem.CenterPoint());
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hFixed); })) << "the system menu's Close closes the child";

    ::SendMessageW(hClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(hDocument), 0);
    ASSERT_TRUE(PumpUntil([&] { return windowButtons().size() == 4; })) << "the other child's icon and buttons";
    Layout();
    ClickAt(screenCentre(kMdiCloseId));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(hDocument); })) << "the close button closes the active child";
    EXPECT_TRUE(PumpUntil([&] { return windowButtons().empty(); })) << "no child, no window controls";
}

namespace
{
// What a thread timer does once a popup menu is up: a screenshot, the
// shortcut text shown beside the Recover item, then a key, or a quit as a
// closing application's when there is no key.
struct PopupScript
{
    HWND hFrame = nullptr;
    WORD nKey = 0;
    const wchar_t* pszShot = nullptr;
    CKitCommandBar* pPopup = nullptr;
    bool bRan = false;
    CString strShortcut;
};
PopupScript g_popupScript;

void CALLBACK RunPopupScript(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(nullptr, nTimer);
    g_popupScript.bRan = true;
    if (g_popupScript.pszShot != nullptr)
        CaptureWindowToBmp(g_popupScript.hFrame, g_popupScript.pszShot);
    if (CKitControl* pRecover = g_popupScript.pPopup->GetControls()->FindControl(kIdRecover))
        g_popupScript.strShortcut = pRecover->GetShortcutText();
    if (g_popupScript.nKey == 0)
    {
        ::PostQuitMessage(9);
        return;
    }
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = g_popupScript.nKey;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}
} // namespace

TEST_F(KitFrameGallery, PopupMenuReturnsTheChosenCommandWithItsShortcutShown)
{
    // Recover's text has no shortcut of its own: the loaded table gives it.
    ASSERT_NE(m_pBars->GetKeyboardShortcuts()->LoadAcceleratorResource(128), nullptr);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, 200, L"&Open\tCtrl+O");
    ::AppendMenuW(hMenu, MF_STRING, kIdRecover, L"&Recover");
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    const CPoint at = WindowRectOf(*m_pFrame).CenterPoint();
    struct Case
    {
        WORD nKey;  // 0: the application quits while the menu is up
        int nExpected;
        const wchar_t* pszShot;
    };
    const Case cases[] = {
        {'R', kIdRecover, L"kit_frame_popup.bmp"},  // the mnemonic chooses
        {VK_ESCAPE, 0, nullptr},                    // dismissed: nothing chosen
        {0, 0, nullptr},                            // the quit ends the menu
    };
    for (const Case& c : cases)
    {
        CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(m_pBars);
        ASSERT_TRUE(pPopup->FillFromMenu(hMenu, TRUE));
        g_popupScript = {m_pFrame->m_hWnd, c.nKey, c.pszShot, pPopup, false, CString()};
        ::SetTimer(nullptr, 0, 400, RunPopupScript);
        const int nResult = CKitCommandBars::RunPopupBar(pPopup, TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, m_pFrame,
                                                         nullptr, nullptr);
        pPopup->InternalRelease();
        EXPECT_TRUE(g_popupScript.bRan);
        EXPECT_EQ(nResult, c.nExpected) << c.nKey;
        EXPECT_EQ(g_popupScript.strShortcut, CString(L"Ctrl+R")) << c.nKey;
        MSG msg = {};
        const BOOL bQuit = ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        EXPECT_EQ(bQuit, c.nKey == 0) << "the quit is left for the application's loop";
        if (bQuit)
        {
            EXPECT_EQ(msg.wParam, 9u);
        }
    }
    EXPECT_TRUE(m_pFrame->m_commands.empty()) << "a returned command is not sent";
    ::DestroyMenu(hMenu);
}
