// The status bar in a frame: the message pane and the key indicators laid
// out as parts, texts through the window text, and the indicators following
// the keyboard through the frame's command updates at idle time.
#include "CCommandBarDrawer.h"
#include "CKitStatusBar.h"
#include "InputDriving.h"
#include "WindowCapture.h"
#include "window/CFrameWnd.h"

#include <gtest/gtest.h>


namespace
{
constexpr UINT kPanes[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

class StatusBarFrame : public testing::Test
{
protected:
    void SetUp() override
    {
        SelectCommandBarDrawingStyle(4);
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, L"Status bar", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                     CRect(60, 220, 560, 380)));
        ASSERT_TRUE(m_statusBar.Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
        ASSERT_TRUE(m_statusBar.DefinePanes(kPanes, 4));
        m_pFrame->RecalcLayout();
        m_pFrame->SetForegroundWindow();
        PumpMessages();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();  // the frame deletes itself
        ReleaseCommandBarDrawer();
    }
    BOOL CapsPaneEnabled() { return (m_statusBar.GetPaneStyle(1) & kPaneDisabled) == 0; }

    CFrameWnd* m_pFrame = nullptr;
    CKitStatusBar m_statusBar;
};
} // namespace

TEST_F(StatusBarFrame, PanesAreLaidOutAsPartsWithTheMessagePaneStretching)
{
    ASSERT_EQ(m_statusBar.GetPaneCount(), 4);
    EXPECT_EQ(m_statusBar.GetPaneText(1), L"CAP");
    EXPECT_EQ(m_statusBar.GetPaneText(3), L"SCRL");
    EXPECT_EQ(m_statusBar.SendMessage(SB_GETPARTS, 0, 0), 4);
    CRect rcMessage;
    CRect rcScroll;
    CRect rcClient;
    m_statusBar.GetItemRect(0, rcMessage);
    m_statusBar.GetItemRect(3, rcScroll);
    m_statusBar.GetClientRect(&rcClient);
    EXPECT_GT(rcMessage.Width(), rcClient.Width() / 2);
    EXPECT_GT(rcScroll.left, rcMessage.right);
    EXPECT_LE(rcScroll.right, rcClient.right);
    EXPECT_EQ(m_statusBar.HitTest(rcScroll.CenterPoint()), m_statusBar.GetPane(3));
    EXPECT_EQ(m_statusBar.CommandToIndex(ID_INDICATOR_NUM), 2);

    m_statusBar.SetWindowText(L"Scanning drive C:");
    EXPECT_EQ(m_statusBar.GetPaneText(0), L"Scanning drive C:");
    wchar_t szText[8] = {};
    EXPECT_EQ(m_statusBar.SendMessage(WM_GETTEXT, 8, reinterpret_cast<LPARAM>(szText)), 8);
    EXPECT_STREQ(szText, L"Scannin");

    m_statusBar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
    EXPECT_TRUE(CaptureWindowToBmp(m_pFrame->m_hWnd, L"status_bar_frame.bmp"));
}

TEST_F(StatusBarFrame, KeyIndicatorsFollowTheKeyboardAtIdle)
{
    m_statusBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    const BOOL bCaps = (::GetKeyState(VK_CAPITAL) & 1) != 0;
    EXPECT_EQ(CapsPaneEnabled(), bCaps);
    PressKey(VK_CAPITAL);
    m_statusBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(CapsPaneEnabled(), !bCaps);
    EXPECT_EQ(m_statusBar.GetPaneText(1), L"CAP") << "a disabled pane keeps its text";
    PressKey(VK_CAPITAL);
    m_statusBar.SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_EQ(CapsPaneEnabled(), bCaps);
}

TEST_F(StatusBarFrame, MissingPaneStringStopsAndKeepsThePanesMade)
{
    const UINT ids[] = {0, ID_INDICATOR_CAPS, 0x7777, ID_INDICATOR_NUM};
    EXPECT_FALSE(m_statusBar.DefinePanes(ids, 4));
    EXPECT_EQ(m_statusBar.GetPaneCount(), 2);
    EXPECT_EQ(m_statusBar.SendMessage(SB_GETPARTS, 0, 0), 2);
}
