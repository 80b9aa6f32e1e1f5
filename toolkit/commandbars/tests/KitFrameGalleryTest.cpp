// A frame with the four dock bars, a status bar with the message pane and
// CAP/NUM/SCRL, and bars of controls drawn by style 4: docked in rows, moved
// from the top side to the left one. Screenshots go beside the results.
#include "CBarDragTracker.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
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

struct SideSpec
{
    DWORD dwStyle;
    UINT nId;
};
constexpr SideSpec kSides[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP},
                               {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
                               {CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT},
                               {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};

class KitFrameGallery : public testing::Test
{
protected:
    void SetUp() override
    {
        SelectCommandBarDrawingStyle(4);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Pelmo frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(30, 30, 630, 430)));
        ASSERT_TRUE(m_statusBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_statusBar.DefinePanes(kPanes, 4));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(m_dockBars[i].Create(m_pFrame, kSides[i].dwStyle, kSides[i].nId));
        m_standard.m_dwStyle = kBarStyleGripper;
        MakeBar(m_standard, L"Standard", {L"&Open", L"&Save", L"&Recover"});
        MakeBar(m_recovery, L"Recovery", {L"&Scan", L"&Preview", L"&Stop"});
        m_dockBars[0].DockCommandBar(&m_standard);
        m_dockBars[0].DockCommandBar(&m_recovery);
        m_statusBar.SetWindowText(L"Ready");
        Layout();
    }
    void TearDown() override
    {
        m_standard.DestroyWindow();
        m_recovery.DestroyWindow();
        m_pFrame->DestroyWindow();
        ReleaseCommandBarDrawer();
    }
    void MakeBar(CKitCommandBar& bar, LPCTSTR lpszTitle, std::initializer_list<LPCTSTR> captions)
    {
        bar.m_strTitle = lpszTitle;
        int nId = 200;
        for (LPCTSTR lpszCaption : captions)
        {
            CKitControl* pControl = bar.GetControls()->Add(kControlButton, nId++);
            pControl->SetCaption(lpszCaption);
            pControl->m_nStyle = 1;
        }
        ASSERT_TRUE(bar.Create(m_pFrame, 0, CRect(0, 0, 10, 10)));
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

    CFrameWnd* m_pFrame = nullptr;
    CKitStatusBar m_statusBar;
    CKitDockBar m_dockBars[4];
    CKitCommandBar m_standard;
    CKitCommandBar m_recovery;
};
} // namespace

TEST_F(KitFrameGallery, TopDockBarHoldsTwoRowsAboveTheFreeArea)
{
    EXPECT_EQ(m_dockBars[0].GetRows().Rows().size(), 2u);
    const CRect rcTop = WindowRectOf(m_dockBars[0]);
    const CRect rcStandard = WindowRectOf(m_standard);
    const CRect rcRecovery = WindowRectOf(m_recovery);
    EXPECT_EQ(::GetParent(m_standard.m_hWnd), m_dockBars[0].m_hWnd);
    EXPECT_EQ(rcRecovery.top, rcStandard.bottom) << "second row below the first";
    EXPECT_EQ(rcTop.Height(), rcStandard.Height() + rcRecovery.Height());
    EXPECT_EQ(WindowRectOf(m_dockBars[2]).Width(), 0) << "an empty side takes no room";
    EXPECT_LT(rcTop.bottom, WindowRectOf(m_statusBar).top);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_top.bmp"));
}

TEST_F(KitFrameGallery, BarMovesFromTheTopToTheLeftSideOnce)
{
    CRect rcTarget = WindowRectOf(m_dockBars[2]);
    rcTarget = CRect(rcTarget.left, rcTarget.top + 10, rcTarget.left + 20, rcTarget.top + 90);
    m_dockBars[2].DockCommandBar(&m_recovery, &rcTarget);
    m_dockBars[2].DockCommandBar(&m_recovery, &rcTarget);  // docked again: still one entry
    Layout();
    EXPECT_EQ(m_dockBars[0].FindBar(&m_recovery), -1);
    EXPECT_GE(m_dockBars[2].FindBar(&m_recovery), 0);
    EXPECT_EQ(m_dockBars[2].GetRows().Rows(), (std::vector<std::vector<kit::commandbars::DockBarId>>{
                                                  {reinterpret_cast<kit::commandbars::DockBarId>(&m_recovery)}}));
    EXPECT_EQ(m_recovery.GetPosition(), kBarLeft);
    const CRect rcRecovery = WindowRectOf(m_recovery);
    EXPECT_GT(rcRecovery.Height(), rcRecovery.Width()) << "standing on the left side";
    EXPECT_EQ(m_dockBars[0].GetRows().Rows().size(), 1u);
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_left.bmp"));
}

TEST_F(KitFrameGallery, DestroyedBarLeavesItsDockBarsRows)
{
    {
        CKitCommandBar transient;
        MakeBar(transient, L"Transient", {L"&One"});
        m_dockBars[1].DockCommandBar(&transient);
        EXPECT_EQ(m_dockBars[1].GetRows().Rows().size(), 1u);
        transient.DestroyWindow();
    }
    EXPECT_TRUE(m_dockBars[1].GetRows().Rows().empty());
    Layout();  // lays out no dangling bar
    EXPECT_EQ(WindowRectOf(m_dockBars[1]).Height(), 0);
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
    CRect rcGripper = m_standard.GetGripperRect();
    ASSERT_FALSE(rcGripper.IsRectEmpty());
    m_standard.ClientToScreen(&rcGripper);
    CRect rcLeft = WindowRectOf(m_dockBars[2]);
    const CPoint target(rcLeft.left + 4, rcLeft.top + rcLeft.Height() / 2);
    DragWithMouse(rcGripper.CenterPoint(), target, 8);
    Layout();
    EXPECT_EQ(m_dockBars[0].FindBar(&m_standard), -1);
    EXPECT_GE(m_dockBars[2].FindBar(&m_standard), 0);
    EXPECT_EQ(m_standard.GetPosition(), kBarLeft);
    EXPECT_EQ(::GetCapture(), nullptr) << "the loop let the mouse go";
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"kit_frame_dragged.bmp"));
}

TEST_F(KitFrameGallery, QuitDuringADragEndsItAndReachesTheApplication)
{
    CRect rcGripper = m_standard.GetGripperRect();
    m_standard.ClientToScreen(&rcGripper);
    ::PostQuitMessage(7);
    CBarDragTracker(&m_standard).StartDrag(rcGripper.CenterPoint());
    MSG msg = {};
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_GE(m_dockBars[0].FindBar(&m_standard), 0) << "the bar stays where it was";
    EXPECT_EQ(::GetCapture(), nullptr);
}
