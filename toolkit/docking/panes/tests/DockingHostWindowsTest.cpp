// The docking-pane host in a frame as the program uses it: attached, style
// selected, pane 4001 looked up and dismissed, and the frame's layout passing
// through the arrangement; then panes docked beside the view.
#include "CDockingDrawerStyles.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitBarWnd.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneTabbedContainer.h"
#include <typeindex>
#include "CKitPropExchangeRegistry.h"
#include "WindowCapture.h"
#include "core/CArchive.h"
#include "core/CMemFile.h"
#include "window/CFrameWnd.h"

#include <gtest/gtest.h>

namespace {

// Counts what the host reports; answers -1 to a close when asked to.
class CEventFrame : public CFrameWnd
{
public:
    int events[6] = {};
    BOOL bKeepPanes = FALSE;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DOCKINGPANE_EVENT)
        {
            if (wParam < 6)
                ++events[wParam];
            return wParam == kDockingEventClosePane && bKeepPanes ? -1 : 0;
        }
        return CFrameWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override {}
};

// A bar that takes a band at the top of the frame, as the command bars do.
class CTopBand : public CWnd
{
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SIZEPARENT)
        {
            reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam)->rect.top += 30;
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

CRect ChildRect(CWnd& frame, HWND hChild)
{
    CRect rect;
    ::GetWindowRect(hChild, &rect);
    frame.ScreenToClient(&rect);
    return rect;
}

class DockingHost : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.Create(nullptr, L"Docking host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 620, 420)));
        ASSERT_TRUE(m_band.Create(L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(), &m_frame, 100));
        ASSERT_TRUE(m_view.Create(L"STATIC", L"View", WS_CHILD | WS_VISIBLE, CRect(), &m_frame, AFX_IDW_PANE_FIRST));
        ASSERT_TRUE(m_host.AttachToFrame(&m_frame));
        m_host.SelectDrawingStyle(2);
        m_host.DismissPane(m_host.LookupPaneById(4001));
        m_frame.RecalcLayout();
    }
    void TearDown() override { m_frame.DestroyWindow(); }

    CRect ViewRect() { return ChildRect(m_frame, m_view.GetSafeHwnd()); }
    CRect FreeRect()
    {
        CRect rect;
        m_frame.GetClientRect(&rect);
        rect.top += 30;
        return rect;
    }
    // A pane window as the application would make one.
    HWND MakePaneWindow(LPCTSTR pszText)
    {
        return ::CreateWindowExW(0, L"STATIC", pszText, WS_CHILD, 0, 0, 0, 0, m_frame.GetSafeHwnd(), nullptr,
                                 nullptr, nullptr);
    }

    CEventFrame m_frame;
    CTopBand m_band;
    CWnd m_view;
    CDockingHostWnd m_host;
};

TEST_F(DockingHost, WithoutPanesTheViewKeepsWhatTheBarsLeave)
{
    EXPECT_EQ(m_host.LookupPaneById(4001), nullptr);
    EXPECT_EQ(m_frame.events[kDockingEventClosePane], 0);
    EXPECT_EQ(ViewRect(), FreeRect());
    EXPECT_FALSE(m_host.IsWindowVisible());
    EXPECT_NE(dynamic_cast<CDockingDrawerStyle2*>(m_host.GetDrawer()), nullptr);

    m_host.m_bHideClient = TRUE;
    m_frame.RecalcLayout();
    EXPECT_EQ(ViewRect(), FreeRect());
}

TEST_F(DockingHost, AttachesOnceAndTakesStyleZeroForUnknownNumbers)
{
    CDockingArrangement* pArrangement = m_host.GetArrangement();
    EXPECT_FALSE(m_host.AttachToFrame(&m_frame));
    EXPECT_EQ(m_host.GetArrangement(), pArrangement);
    EXPECT_FALSE(pArrangement->IsNotAttached());
    for (int nStyle : {-1, 10, 1000})
    {
        m_host.SelectDrawingStyle(nStyle);
        EXPECT_EQ(typeid(*m_host.GetDrawer()), typeid(CDockingDrawerDefaultStyle)) << nStyle;
    }
    EXPECT_FALSE(m_host.m_bStyle9Guides);
}

TEST_F(DockingHost, PanesTakeTheirRoomBesideTheView)
{
    CDockingPaneItem* pLeft = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft, nullptr,
                                                CSize(150, 100));
    CDockingPaneItem* pBottom = m_host.CreatePane(2, L"Output\nOut", MakePaneWindow(L"Output"), kSideBottom, nullptr,
                                                  CSize(100, 90));
    ASSERT_NE(pLeft, nullptr);
    ASSERT_NE(pBottom, nullptr);
    m_frame.RecalcLayout();

    // Each pane stands in a group of its own, under the group's caption.
    const CRect free = FreeRect();
    const CRect left = ChildRect(m_frame, ::GetParent(pLeft->GetAttachedWindow()));
    const CRect bottom = ChildRect(m_frame, ::GetParent(pBottom->GetAttachedWindow()));
    const int s = m_host.GetDrawer()->m_nSplitterThickness;
    EXPECT_EQ(left, CRect(free.left, free.top, free.left + 150, free.bottom - 90 - s));
    EXPECT_EQ(bottom, CRect(free.left, free.bottom - 90, free.right, free.bottom));
    EXPECT_EQ(ViewRect(), CRect(left.right + s, free.top, free.right, bottom.top - s));
    const int nCaption = m_host.GetDrawer()->m_nCaptionHeight + 3;
    EXPECT_EQ(ChildRect(m_frame, pLeft->GetAttachedWindow()),
              CRect(left.left, left.top + nCaption, left.right, left.bottom));
    EXPECT_TRUE(::IsWindowVisible(pLeft->GetAttachedWindow()));
    EXPECT_EQ(pBottom->GetTitle(), CString(L"Output"));
    EXPECT_EQ(pBottom->GetTabCaption(), CString(L"Out"));
    EXPECT_EQ(m_host.LookupPaneById(2), pBottom);
    EXPECT_EQ(m_host.GetNodeSide(pLeft), kSideLeft);
    EXPECT_EQ(m_host.GetNodeSide(pBottom), kSideBottom);

    // With the view hidden and panes on show the view gets no room.
    m_host.m_bHideClient = TRUE;
    m_frame.RecalcLayout();
    EXPECT_TRUE(ViewRect().IsRectEmpty());
}

TEST_F(DockingHost, AClosedPaneComesBackUnlessTheFrameKeepsIt)
{
    const HWND hWnd = MakePaneWindow(L"Output");
    CDockingPaneItem* pPane = m_host.CreatePane(2, L"Output", hWnd, kSideBottom);
    m_frame.RecalcLayout();

    m_frame.bKeepPanes = TRUE;
    m_host.DismissPane(pPane);
    EXPECT_NE(pPane->GetParentNode(), nullptr);

    m_frame.bKeepPanes = FALSE;
    m_host.DismissPane(pPane);
    EXPECT_EQ(pPane->GetParentNode(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(hWnd));
    m_frame.RecalcLayout();
    EXPECT_EQ(ViewRect(), FreeRect());
    EXPECT_EQ(m_host.LookupPaneById(2), pPane);

    m_host.ShowPane(pPane, FALSE);
    m_frame.RecalcLayout();
    EXPECT_NE(pPane->GetParentNode(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(hWnd));
    EXPECT_LT(ViewRect().bottom, FreeRect().bottom);
}

TEST_F(DockingHost, APaneKnowsWhetherItsGroupShowsIt)
{
    CDockingPaneItem* pFolders = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft);
    EXPECT_TRUE(pFolders->IsSelectedInContainer());
    CDockingPaneItem* pOutput = m_host.CreatePane(2, L"Output", MakePaneWindow(L"Output"), kSideBottom);
    m_host.AttachNode(pOutput, pFolders);
    auto* pGroup = static_cast<CKitDockingPaneTabbedContainer*>(pFolders->GetParentNode());
    ASSERT_EQ(pGroup, pOutput->GetParentNode());
    pGroup->SelectPane(pFolders, FALSE, FALSE);
    EXPECT_TRUE(pFolders->IsSelectedInContainer());
    EXPECT_FALSE(pOutput->IsSelectedInContainer());
    m_host.DismissPane(pFolders);
    EXPECT_FALSE(pFolders->IsSelectedInContainer()) << "a closed pane has no group";
    EXPECT_TRUE(pOutput->IsSelectedInContainer());
}

TEST_F(DockingHost, ClearingLeavesTheApplicationsWindowsAlive)
{
    const HWND hShown = MakePaneWindow(L"Shown");
    const HWND hClosed = MakePaneWindow(L"Closed");
    m_host.CreatePane(1, L"Shown", hShown, kSideLeft);
    m_host.DismissPane(m_host.CreatePane(2, L"Closed", hClosed, kSideBottom));
    m_host.GetArrangement()->ClearAll();
    EXPECT_TRUE(::IsWindow(hShown));
    EXPECT_TRUE(::IsWindow(hClosed));
    EXPECT_EQ(::GetParent(hShown), m_frame.GetSafeHwnd());
    EXPECT_EQ(::GetParent(hClosed), m_frame.GetSafeHwnd());
    EXPECT_EQ(m_host.LookupPaneById(1), nullptr);
}

// Within two steps per channel: gradients round their ends.
bool Near(COLORREF a, COLORREF b)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= 2 && std::abs(GetGValue(a) - GetGValue(b)) <= 2 &&
           std::abs(GetBValue(a) - GetBValue(b)) <= 2;
}

COLORREF PixelOf(HWND hWnd, int x, int y)
{
    ::UpdateWindow(hWnd);
    HDC hDC = ::GetDC(hWnd);
    const COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

TEST_F(DockingHost, DrawingStylesByNumber)
{
    const std::pair<int, std::type_index> classes[] = {
        {0, typeid(CDockingDrawerDefaultStyle)}, {1, typeid(CDockingDrawerStyle1)}, {2, typeid(CDockingDrawerStyle2)},
        {3, typeid(CDockingDrawerStyle3)},       {4, typeid(CDockingDrawerStyle4)}, {5, typeid(CDockingDrawerStyle5)},
        {6, typeid(CDockingDrawerStyle6)},       {7, typeid(CDockingDrawerStyle7)}, {8, typeid(CDockingDrawerStyle8)},
        {9, typeid(CDockingDrawerStyle9)},
    };
    for (const auto& [nStyle, type] : classes)
    {
        m_host.SelectDrawingStyle(nStyle);
        EXPECT_EQ(std::type_index(typeid(*m_host.GetDrawer())), type) << nStyle;
        EXPECT_EQ(m_host.GetDrawer()->m_nStyleNumber, nStyle);
    }
    EXPECT_TRUE(m_host.m_bStyle9Guides);
    m_host.SelectDrawingStyle(0);
    EXPECT_TRUE(m_host.m_bStyle9Guides) << "another style later does not clear it";

    CDockingPaneItem* pPane = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft);
    const HWND hGroup = ::GetParent(pPane->GetAttachedWindow());
    const HWND hBar = m_host.GetTopContainer()->GetSplitBar(0)->GetSafeHwnd();
    const auto paint = [&](int nStyle) {
        m_host.SelectDrawingStyle(nStyle);
        m_frame.RecalcLayout();
        m_frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    // Style 0: the inactive caption colour under the caption margin, a
    // splitter in button face.
    paint(0);
    EXPECT_EQ(PixelOf(hGroup, 4, 5), ::GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(PixelOf(hBar, 2, 40), ::GetSysColor(COLOR_BTNFACE));
    // Style 2 without a colour scheme: the inactive caption runs from a blend
    // of button face and window (205 per mille face) at its top.
    paint(2);
    const COLORREF crFace = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_TRUE(Near(PixelOf(hGroup, 40, 0), CColorTable::BlendColors(crFace, ::GetSysColor(COLOR_WINDOW), 205)));
    // Style 9: a single-colour caption outlined in button shadow.
    paint(9);
    EXPECT_EQ(PixelOf(hGroup, 0, 6), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(hGroup, 40, 6), ::GetSysColor(COLOR_INACTIVECAPTION));
    // A group of two, in each style, for the eye.
    m_host.AttachNode(m_host.CreatePane(2, L"Output", MakePaneWindow(L"Output"), kSideBottom), pPane);
    for (int nStyle = 0; nStyle <= 9; ++nStyle)
    {
        paint(nStyle);
        const std::wstring name = L"docking_style_" + std::to_wstring(nStyle) + L".bmp";
        CaptureWindowToBmp(m_frame.GetSafeHwnd(), name);
    }
}

TEST_F(DockingHost, ArrangementTravelsThroughAnArchiveAndADamagedStoreGivesTheViewAlone)
{
    m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft, nullptr, CSize(150, 0));
    CDockingPaneItem* pOutput = m_host.CreatePane(2, L"Output", MakePaneWindow(L"Output"), kSideBottom);
    m_host.AttachNode(m_host.CreatePane(3, L"Find", MakePaneWindow(L"Find"), kSideBottom), pOutput);
    const kit::docking::StoredArrangement before = m_host.GetArrangement()->ToStored();
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        m_host.GetArrangement()->Serialize(ar);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        CDockingArrangement loaded(&m_host);
        loaded.Serialize(ar);
        EXPECT_EQ(loaded.ToStored(), before) << "the emptied group was compacted away before storing";
    }

    // A store that names one node only is refused; the host keeps the view.
    constexpr wchar_t kKey[] = L"Software\\PelmoTests\\DockingHost";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    HKEY hSummary = nullptr;
    ::RegCreateKeyExW(hKey, L"Layout\\Summary", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hSummary, nullptr);
    const DWORD nPanes = 1;
    ::RegSetValueExW(hSummary, L"Panes", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&nPanes), sizeof(nPanes));
    ::RegCloseKey(hSummary);
    {
        CKitPropExchangeRegistry px(TRUE, hKey, L"Layout");
        EXPECT_FALSE(m_host.LoadArrangement(&px));
    }
    ::RegCloseKey(hKey);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    EXPECT_EQ(m_host.LookupPaneById(1), nullptr);
    ASSERT_NE(m_host.GetTopContainer(), nullptr);
    EXPECT_EQ(m_host.GetTopContainer()->GetChildren().size(), 1u);
    m_frame.RecalcLayout();
    EXPECT_EQ(ViewRect(), FreeRect());
}

TEST(DockingPane, TabColourFallsBackToTheAutomaticColourOfItsId)
{
    CDockingHostWnd host;
    CDockingArrangement arrangement(&host);
    EXPECT_TRUE(arrangement.IsNotAttached());
    auto* pPane = static_cast<CDockingPaneItem*>(host.CreateDockingNode(0, &arrangement));
    pPane->m_nId = 9;
    EXPECT_EQ(pPane->GetTabColor(), 0x1000000 + 1);
    pPane->m_nId = -3;
    EXPECT_EQ(pPane->GetTabColor(), 0x1000000 + 5) << "a negative id stays within the automatic colours";
    pPane->m_nTabColor = 0x123456;
    EXPECT_EQ(pPane->GetTabColor(), 0x123456);
    EXPECT_EQ(host.CreateDockingNode(6, &arrangement), nullptr);
    EXPECT_EQ(host.LookupPaneById(9), nullptr);
}

}  // namespace
