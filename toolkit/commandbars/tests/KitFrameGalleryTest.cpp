// A frame with the four dock bars, a status bar with the message pane and
// CAP/NUM/SCRL, and bars of controls drawn by style 4: docked in rows, moved
// from the top side to the left one. Screenshots go beside the results.
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
