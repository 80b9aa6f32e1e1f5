// The docking-pane host in a frame as the program uses it: attached, style
// selected, pane 4001 looked up and dismissed, and the frame's layout passing
// through the arrangement; then panes docked beside the view.
#include <vssym32.h>

#include <algorithm>
#include <vector>

#include "CDockingCaptionButton.h"
#include "CDockingDragTracker.h"
#include "CDockingDrawerStyles.h"
#include "CDockingHostWnd.h"
#include "CDockingPaneItem.h"
#include "CDockingSplitBarWnd.h"
#include "CDockingSplitNode.h"
#include "CKitDockingPaneMiniWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include <typeindex>
#include "CKitPropExchangeRegistry.h"
#include "CVisualStyleData.h"
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

// The program builds one arrangement at exit and drops it unstored: the
// host's own layout, panes and windows stay as they were.
TEST_F(DockingHost, AnArrangementBuiltAndDroppedLeavesTheHostsOwn)
{
    CDockingPaneItem* pLeft = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft, nullptr,
                                                CSize(150, 100));
    ASSERT_NE(pLeft, nullptr);
    m_frame.RecalcLayout();
    CDockingArrangement* pOwn = m_host.GetArrangement();
    const CRect view = ViewRect();

    CDockingArrangement* pThrowaway = m_host.CreateArrangement();
    ASSERT_NE(pThrowaway, nullptr);
    EXPECT_NE(pThrowaway, pOwn);
    EXPECT_TRUE(pThrowaway->IsNotAttached());
    pThrowaway->InternalRelease();

    m_frame.RecalcLayout();
    EXPECT_EQ(m_host.GetArrangement(), pOwn);
    EXPECT_EQ(m_host.LookupPaneById(1), pLeft);
    EXPECT_EQ(ViewRect(), view);
    EXPECT_TRUE(::IsWindowVisible(pLeft->GetAttachedWindow()));
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

// Whether visual styles draw the part of the class; with `pColor`, the
// colour the part has at the point when drawn over the rectangle.
bool ThemePartPixel(LPCWSTR pszClass, int nPart, int nState, const CRect& rect, POINT point, COLORREF* pColor)
{
    CVisualStyleData theme;
    if (!theme.Open(nullptr, pszClass) || !theme.IsAppThemed())
        return false;
    if (!pColor)
        return true;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rect.right, rect.bottom);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    theme.DrawBackground(hMemory, nPart, nState, &rect, nullptr);
    *pColor = ::GetPixel(hMemory, point.x, point.y);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(nullptr, hScreen);
    return true;
}

// The caption of a group in each style, sampled where the style draws
// something of its own (the group inactive: no caption highlights).
TEST_F(DockingHost, GroupCaptionsInEachStyle)
{
    CDockingPaneItem* pPane = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft, nullptr,
                                                CSize(220, 100));
    auto* pGroup = static_cast<CKitDockingPaneTabbedContainer*>(pPane->GetParentNode());
    const HWND hGroup = pGroup->GetSafeHwnd();
    for (int nStyle : {1, 3, 4, 5, 6, 7, 8})
    {
        SCOPED_TRACE(nStyle);
        m_host.SelectDrawingStyle(nStyle);
        CDockingPaneDrawer* pDrawer = m_host.GetDrawer();
        pDrawer->m_bHighlightActiveCaption = FALSE;
        m_frame.RecalcLayout();
        m_frame.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CRect client;
        ::GetClientRect(hGroup, &client);
        const int nCaption = pDrawer->m_nCaptionHeight;
        const COLORREF crBack = pDrawer->m_clrBackground.GetValue();
        int nButtons = client.right;
        for (CDockingCaptionButton* pButton : pGroup->GetCaptionButtons())
            if (!pButton->m_rect.IsRectEmpty())
                nButtons = std::min<int>(nButtons, pButton->m_rect.left);
        ASSERT_LT(nButtons, client.right) << "the group shows its buttons";
        switch (nStyle)
        {
        case 1: {
            // An inactive caption is only outlined, its corners left out.
            const COLORREF crOutline = pDrawer->GetColor(52);
            EXPECT_EQ(PixelOf(hGroup, 20, 2), crOutline);
            EXPECT_EQ(PixelOf(hGroup, 0, 5), crOutline);
            EXPECT_EQ(PixelOf(hGroup, 0, 2), crBack);
            EXPECT_EQ(PixelOf(hGroup, 1, 5), crBack);
            break;
        }
        case 3:
            // The window class's small caption, where visual styles are on.
            if (ThemePartPixel(L"WINDOW", WP_SMALLCAPTION, 2, CRect(0, 0, client.right, nCaption + 1), {2, 3}, nullptr))
            {
                COLORREF crPart = 0;
                ThemePartPixel(L"WINDOW", WP_SMALLCAPTION, 2, CRect(0, 0, client.right, nCaption + 1), {2, 3}, &crPart);
                EXPECT_EQ(PixelOf(hGroup, 2, 3), crPart);
                break;
            }
            [[fallthrough]];
        case 6: {
            // Without visual styles: a horizontal gradient from the inactive caption colour.
            const int nTop = nStyle == 6 ? 0 : 2;
            EXPECT_TRUE(Near(PixelOf(hGroup, 0, nTop + 3), ::GetSysColor(COLOR_INACTIVECAPTION)));
            break;
        }
        case 4: {
            // Two raised grip lines after the title, up to the buttons.
            const int nMid = (3 + nCaption + 1) / 2;
            const int x = nButtons - 2 - 2 - 3;
            EXPECT_EQ(PixelOf(hGroup, 1, 5), crBack);
            EXPECT_EQ(PixelOf(hGroup, x, nMid - 3), pDrawer->GetColor(COLOR_3DHIGHLIGHT));
            EXPECT_EQ(PixelOf(hGroup, x, nMid - 2), crBack);
            EXPECT_EQ(PixelOf(hGroup, x, nMid - 1), pDrawer->GetColor(COLOR_3DSHADOW));
            EXPECT_EQ(PixelOf(hGroup, x, nMid + 1), pDrawer->GetColor(COLOR_3DHIGHLIGHT));
            break;
        }
        case 5: {
            // The group filled in its inactive colour with marked corners, four
            // grip lines after the title.
            const COLORREF crFill = pDrawer->GetColor(30);
            EXPECT_EQ(PixelOf(hGroup, 0, 1), pDrawer->GetColor(51));
            EXPECT_EQ(PixelOf(hGroup, client.right - 1, client.bottom - 1), pDrawer->GetColor(51));
            const int nMid = (3 + nCaption + 3) / 2;
            const int x = nButtons - 2 - 2;
            for (const int d : {-3, -1, 1, 3})
                EXPECT_EQ(PixelOf(hGroup, x, nMid + d), pDrawer->GetColor(38)) << d;
            EXPECT_EQ(PixelOf(hGroup, x, nMid), crFill);
            break;
        }
        case 7: {
            // Square captions edged on three sides.
            const COLORREF crEdge = pDrawer->GetColor(54);
            EXPECT_EQ(PixelOf(hGroup, 0, 5), crEdge);
            EXPECT_EQ(PixelOf(hGroup, 20, 0), crEdge);
            EXPECT_EQ(PixelOf(hGroup, client.right - 1, 5), crEdge);
            break;
        }
        case 8: {
            // Style 4's caption band without its grip lines.
            const int nMid = (1 + nCaption + 1) / 2;
            for (const int d : {-3, -1, 1})
                EXPECT_TRUE(Near(PixelOf(hGroup, nButtons - 7, nMid + d), PixelOf(hGroup, nButtons - 7, nMid - 2))) << d;
            break;
        }
        default:
            break;
        }
    }
}

// Every channel within the two colours' range, two steps of rounding aside.
bool Between(COLORREF c, COLORREF a, COLORREF b)
{
    const auto within = [](int v, int x, int y) { return v >= std::min(x, y) - 2 && v <= std::max(x, y) + 2; };
    return within(GetRValue(c), GetRValue(a), GetRValue(b)) && within(GetGValue(c), GetGValue(a), GetGValue(b)) &&
           within(GetBValue(c), GetBValue(a), GetBValue(b));
}

COLORREF FramePixelOf(HWND hWnd, int x, int y)
{
    HDC hDC = ::GetWindowDC(hWnd);
    const COLORREF cr = ::GetPixel(hDC, x, y);
    ::ReleaseDC(hWnd, hDC);
    return cr;
}

// The styles paint the frame of a floating pane themselves: style 0 (and the
// styles without a frame of their own) a raised 3-D frame, style 2 three
// frames in the scheme's frame colour around a gradient caption, style 5 a
// 3-D frame around a band in the inactive group colour with grip lines.
TEST_F(DockingHost, FloatingFramesArePaintedByTheirStyle)
{
    m_host.m_bThemedFloatingFrames = TRUE;
    CDockingPaneItem* pPane = m_host.CreatePane(1, L"Folders", MakePaneWindow(L"Folders"), kSideLeft);
    m_host.FloatNode(pPane, CRect(660, 120, 900, 360));
    auto* pGroup = static_cast<CKitDockingPaneTabbedContainer*>(pPane->GetParentNode());
    CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(pGroup->GetParentNode()->GetParentNode());
    ASSERT_NE(pFloating, nullptr);
    const HWND hFloating = pFloating->GetSafeHwnd();
    for (int nStyle = 0; nStyle <= 9; ++nStyle)
    {
        SCOPED_TRACE(nStyle);
        m_host.SelectDrawingStyle(nStyle);
        CDockingPaneDrawer* pDrawer = m_host.GetDrawer();
        pDrawer->m_bHighlightActiveCaption = FALSE;  // the caption stays inactive whatever has the focus
        pFloating->RecalcLayout();
        ::RedrawWindow(hFloating, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CRect window;
        pFloating->GetWindowRect(&window);
        const int w = window.Width();
        const int h = window.Height();
        const int y = h / 2;
        CRect client;
        pFloating->GetClientRect(&client);
        pFloating->ClientToScreen(&client);
        client.OffsetRect(-window.left, -window.top);
        const auto bands = [&](const std::vector<COLORREF>& expected) {
            for (int i = 0; i < static_cast<int>(expected.size()); ++i)
            {
                EXPECT_EQ(FramePixelOf(hFloating, i, y), expected[i]) << "left edge, pixel " << i;
            }
        };
        if (nStyle == 2 || nStyle == 7)
        {
            const COLORREF crFrame = pDrawer->GetColor(43);
            bands({crFrame, crFrame, crFrame});  // the fourth frame lies under the panes at the sides
            EXPECT_EQ(FramePixelOf(hFloating, w - 1, y), crFrame);
            EXPECT_EQ(FramePixelOf(hFloating, w / 2, h - 1), crFrame);
            // The caption runs from the gradient's light end at its top to the dark end.
            const CStyleGradient& inactive = static_cast<CDockingDrawerStyle2*>(pDrawer)->m_inactiveCaption;
            const COLORREF crTop = FramePixelOf(hFloating, 5, 3);
            const COLORREF crLow = FramePixelOf(hFloating, 5, client.top - 1);
            EXPECT_TRUE(Near(crTop, inactive.light.GetValue()));
            EXPECT_NE(crLow, crTop);
            EXPECT_TRUE(Between(crLow, inactive.light.GetValue(), inactive.dark.GetValue()));
        }
        else if (nStyle == 5)
        {
            const COLORREF crBand = pDrawer->GetColor(30);
            bands({crBand, pDrawer->GetColor(COLOR_3DHIGHLIGHT), crBand});
            EXPECT_EQ(FramePixelOf(hFloating, w - 1, y), RGB(0, 0, 0));
            EXPECT_EQ(FramePixelOf(hFloating, w - 2, y), pDrawer->GetColor(COLOR_3DSHADOW));
            EXPECT_EQ(FramePixelOf(hFloating, 4, 4), crBand) << "the caption band";
            // Four grip lines end 4 pixels before the innermost button.
            int nButtonsLeft = w;
            for (CDockingCaptionButton* pButton : pFloating->GetCaptionButtons())
                if (!pButton->m_rect.IsRectEmpty())
                    nButtonsLeft = std::min<int>(nButtonsLeft, pButton->m_rect.left);
            const int nMid = (2 + 2 + pDrawer->m_nCaptionHeight + 3) / 2;
            for (const int d : {-3, -1, 1, 3})
                EXPECT_EQ(FramePixelOf(hFloating, nButtonsLeft - 6, nMid + d), pDrawer->GetColor(38)) << d;
            EXPECT_EQ(FramePixelOf(hFloating, nButtonsLeft - 6, nMid), crBand);
        }
        else if (nStyle == 3 && ThemePartPixel(L"WINDOW", WP_SMALLFRAMELEFT, 2, CRect(0, 0, 3, h), {1, y}, nullptr))
        {
            // The window class's small frame, where visual styles are on.
            COLORREF crPart = 0;
            ThemePartPixel(L"WINDOW", WP_SMALLFRAMELEFT, 2, CRect(0, 0, 3, h), {1, y}, &crPart);
            EXPECT_EQ(FramePixelOf(hFloating, 1, y), crPart);
        }
        else
        {
            const COLORREF crFace = pDrawer->GetColor(COLOR_3DFACE);
            bands({crFace, pDrawer->GetColor(COLOR_3DHIGHLIGHT), crFace});
            EXPECT_EQ(FramePixelOf(hFloating, w - 1, y), RGB(0, 0, 0));
            EXPECT_EQ(FramePixelOf(hFloating, w - 2, y), pDrawer->GetColor(COLOR_3DSHADOW));
            EXPECT_EQ(FramePixelOf(hFloating, w / 2, 0), crFace);
            EXPECT_EQ(FramePixelOf(hFloating, w / 2, h - 1), RGB(0, 0, 0));
            if (nStyle == 0)
            {
                EXPECT_EQ(FramePixelOf(hFloating, 4, 5), pDrawer->GetColor(COLOR_INACTIVECAPTION)) << "the caption";
            }
        }
        if (nStyle == 0 || nStyle == 2 || nStyle == 5)
        {
            const std::wstring name = L"docking_floating_style_" + std::to_wstring(nStyle) + L".bmp";
            CaptureWindowToBmp(hFloating, name);
        }
    }
}

// Floating a group by double click: each pane goes to the floating holder it
// recorded; one without a record follows the pane before it only when that
// pane recorded one itself.
TEST_F(DockingHost, FloatingAGroupPassesOnlyRecordedHolders)
{
    CDockingPaneItem* pFirst = m_host.CreatePane(1, L"First", MakePaneWindow(L"First"), kSideLeft);
    m_host.FloatNode(pFirst, CRect(660, 120, 900, 360));
    auto* pFloatGroup = static_cast<CKitDockingPaneTabbedContainer*>(pFirst->GetParentNode());
    CKitDockingPaneMiniWnd* pFloating = AsFloatingWindow(pFloatGroup->GetParentNode()->GetParentNode());
    ASSERT_NE(pFloating, nullptr);
    pFloating->RecalcLayout();
    ASSERT_EQ(m_host.GetHolder(pFirst, TRUE), pFloatGroup);

    // Back into a docked group, first of three; the other two never floated.
    m_host.InsertPaneAtSide(pFirst, kSideLeft, nullptr);
    CDockingPaneItem* pSecond = m_host.CreatePane(2, L"Second", MakePaneWindow(L"Second"), kSideBottom);
    CDockingPaneItem* pThird = m_host.CreatePane(3, L"Third", MakePaneWindow(L"Third"), kSideBottom);
    m_host.AttachNode(pSecond, pFirst);
    m_host.AttachNode(pThird, pFirst);
    m_frame.RecalcLayout();
    auto* pDocked = static_cast<CKitDockingPaneTabbedContainer*>(pFirst->GetParentNode());
    ASSERT_EQ(pDocked->GetPaneCount(), 3);
    ASSERT_EQ(pDocked->GetPaneAt(0), pFirst);
    EXPECT_EQ(m_host.GetHolder(pSecond, TRUE), nullptr);
    EXPECT_EQ(m_host.GetHolder(pThird, TRUE), nullptr);

    m_host.ToggleDockedFloating(pDocked);
    EXPECT_EQ(pFirst->GetParentNode(), pFloatGroup) << "its own holder";
    EXPECT_EQ(pSecond->GetParentNode(), pFloatGroup) << "the holder the first pane recorded";
    ASSERT_NE(pThird->GetParentNode(), nullptr);
    EXPECT_NE(pThird->GetParentNode(), pFloatGroup) << "the second pane recorded none to pass on";
    EXPECT_NE(AsFloatingWindow(pThird->GetParentNode()->GetParentNode()->GetParentNode()), nullptr)
        << "it floats in a frame of its own";
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

// The outline of a drop as a tab: the body's frame and a tab below it, the
// edge they share open between the tab's sides, the sides closed up to the body.
TEST(DockingDragOutline, TheTabShapeOpensOnlyBetweenTheTabsSides)
{
    CDockingHostWnd host;
    const CRect rect(100, 100, 300, 260);
    HRGN hRegion = host.GetDragTracker()->BuildOutlineRegion(rect, TRUE);
    const int nBodyBottom = rect.bottom - 20;
    const int nTabLeft = rect.left + 5;
    const int nTabRight = rect.left + 55;
    struct Probe
    {
        int x;
        int y;
        bool inside;
        const char* what;
    };
    for (const Probe& p : {Probe{rect.left + 1, nBodyBottom - 2, true, "body's bottom edge left of the tab"},
                           Probe{nTabLeft + 1, nBodyBottom - 2, true, "tab's left side where it meets the body"},
                           Probe{nTabLeft + 3, nBodyBottom - 4, true, "tab's left side, top row"},
                           Probe{nTabRight - 2, nBodyBottom - 2, true, "tab's right side where it meets the body"},
                           Probe{nTabLeft + 4, nBodyBottom - 2, false, "the open edge"},
                           Probe{(nTabLeft + nTabRight) / 2, nBodyBottom - 3, false, "the open edge's middle"},
                           Probe{nTabRight - 5, nBodyBottom - 1, false, "the open edge's end"},
                           Probe{nTabRight + 3, nBodyBottom - 2, true, "body's bottom edge right of the tab"},
                           Probe{nTabLeft + 1, rect.bottom - 1, true, "tab's bottom"},
                           Probe{nTabLeft + 10, nBodyBottom + 8, false, "inside the tab"}})
        EXPECT_EQ(::PtInRegion(hRegion, p.x, p.y) != FALSE, p.inside) << p.what;
    ::DeleteObject(hRegion);
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
