// A frame with the four dock bars, a status bar with the message pane and
// CAP/NUM/SCRL, and bars of controls drawn by style 4: docked in rows, moved
// from the top side to the left one. Screenshots go beside the results.
#include "CBarDragTracker.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "CKitDockBar.h"
#include "CKitStatusBar.h"
#include "InputDriving.h"
#include "WindowCapture.h"
#include "window/CFrameWnd.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr UINT kPanes[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class KitFrameGallery : public testing::Test
{
protected:
    void SetUp() override
    {
        SelectCommandBarDrawingStyle(4);
        m_pFrame = new CKitFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(30, 30, 630, 430)));
        ASSERT_TRUE(m_statusBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_statusBar.DefinePanes(kPanes, 4));
        ASSERT_TRUE(m_pFrame->InitCommandBars());
        m_pBars = m_pFrame->GetCommandBars();
        for (int i = 0; i < 4; ++i)
            m_pDockBars[i] = m_pBars->GetDockBar(i);
        m_pStandard = MakeBar(L"Standard", {L"&Open", L"&Save", L"&Recover"}, kBarStyleGripper);
        m_pRecovery = MakeBar(L"Recovery", {L"&Scan", L"&Preview", L"&Stop"}, 0);
        m_statusBar.SetWindowText(L"Ready");
        Layout();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        ReleaseCommandBarDrawer();
    }
    // A bar of buttons owned by the command bars, docked in a new top row.
    CKitCommandBar* MakeBar(LPCTSTR lpszTitle, std::initializer_list<LPCTSTR> captions, DWORD dwStyle)
    {
        auto* pBar = new CKitCommandBar;
        pBar->m_dwStyle = dwStyle;
        pBar->SetTitle(lpszTitle);
        int nId = 200;
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

    CKitFrameWnd* m_pFrame = nullptr;
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
        CKitCommandBar* pTransient = MakeBar(L"Transient", {L"&One"}, 0);
        m_pBars->DockCommandBar(pTransient, nullptr, CKitCommandBars::kDockBottom);
        EXPECT_EQ(m_pDockBars[1]->GetRows().Rows().size(), 1u);
        EXPECT_EQ(m_pBars->RemoveBar(pTransient), 2) << "the third bar of the list";
    }
    EXPECT_TRUE(m_pDockBars[1]->GetRows().Rows().empty());
    Layout();  // lays out no dangling bar
    EXPECT_EQ(WindowRectOf(*m_pDockBars[1]).Height(), 0);
}

namespace
{
// One batch, so that the drag loop finds the whole gesture in its queue.
void DragWithMouse(POINT from, POINT to, int nSteps)
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
    for (int i = 1; i <= nSteps; ++i)
        move(from.x + (to.x - from.x) * i / nSteps, from.y + (to.y - from.y) * i / nSteps);
    button(MOUSEEVENTF_LEFTUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpFor(500);
}
} // namespace

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
