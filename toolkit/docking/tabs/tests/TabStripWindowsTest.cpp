// Tab strips in a window under Wine: the tab model (insertion, removal,
// selection, keys, scrolling), clicks and a held scroll button by real input
// (SendInput), and strips drawn in each built shape and colour set with
// sampled pixels. A screenshot goes beside the test results.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CTabStrip.h"
#include "CTabStripDrawer.h"
#include "WindowCapture.h"
#include "window/CDC.h"

namespace {

void PumpFor(DWORD ms)
{
    const DWORD end = ::GetTickCount() + ms;
    do
    {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    } while (static_cast<LONG>(::GetTickCount() - end) < 0);
}

void SendMouse(DWORD flags, POINT pt = {})
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE)
    {
        input.mi.dx = (pt.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = (pt.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(input));
}

// Presses at `at`, holds for `holdMs` and releases, from a thread of its own
// while this thread runs the window (the button loop is modal).
void ClickWithInput(POINT at, DWORD holdMs)
{
    std::atomic<bool> done{false};
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, at);
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(holdMs);
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    while (!done)
        PumpFor(10);
    input.join();
    PumpFor(100);
}

class CGalleryStrip;

// A window with strips stacked from the top, each with its own drawer.
class CTabGalleryWnd : public CWnd
{
public:
    static constexpr int kBand = 60;
    std::vector<std::unique_ptr<CGalleryStrip>> strips;

    CGalleryStrip* AddStrip(int nShape, int nPalette, std::initializer_list<LPCTSTR> captions, int nWidth = 380);
    void LayoutStrips();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CGalleryStrip : public CTabStrip
{
public:
    CGalleryStrip(CTabGalleryWnd* pOwner, CTabStripDrawer* pDrawer, CRect rect)
        : m_pOwner(pOwner), m_pDrawer(pDrawer), m_rect(rect)
    {
    }
    ~CGalleryStrip() override
    {
        DeleteAllItems();
        m_pDrawer->InternalRelease();
    }
    void Relayout() override
    {
        if (!m_pOwner->GetSafeHwnd())
            return;
        CClientDC dc(m_pOwner);
        m_pDrawer->RepositionTabs(this, &dc, m_rect);
        RedrawOwner();
    }
    CTabStripDrawer* GetDrawer() const override { return m_pDrawer; }
    void RedrawOwner() override
    {
        if (m_pOwner->GetSafeHwnd())
            m_pOwner->Invalidate(FALSE);
    }
    BOOL DrawItemIcon(CDC*, CPoint, CKitTabManagerItem* pItem, BOOL, SIZE*) override { return pItem == nullptr; }
    void OnItemClick(CKitTabManagerItem* pItem) override
    {
        ++clicks;
        CTabStrip::OnItemClick(pItem);
    }
    void Paint(CDC* pDC) { m_pDrawer->DrawTabStrip(this, pDC, m_rect); }

    int clicks = 0;
    CTabGalleryWnd* m_pOwner;
    CTabStripDrawer* m_pDrawer;
    CRect m_rect;
};

CGalleryStrip* CTabGalleryWnd::AddStrip(int nShape, int nPalette, std::initializer_list<LPCTSTR> captions, int nWidth)
{
    auto* pDrawer = new CTabStripDrawer();
    pDrawer->ChooseShape(nShape);
    if (nPalette >= 0)
        pDrawer->ChoosePalette(nPalette);
    const int nTop = static_cast<int>(strips.size()) * kBand + 4;
    strips.push_back(std::make_unique<CGalleryStrip>(this, pDrawer, CRect(4, nTop, 4 + nWidth, nTop + kBand - 8)));
    CGalleryStrip* pStrip = strips.back().get();
    for (LPCTSTR pszCaption : captions)
        pStrip->InsertItem(-1)->m_strCaption = pszCaption;
    pStrip->SelectNearest(0);
    pStrip->Relayout();
    return pStrip;
}

LRESULT CTabGalleryWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message)
    {
    case WM_PAINT: {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
        for (auto& pStrip : strips)
            pStrip->Paint(&dc);
        return 0;
    }
    case WM_LBUTTONDOWN:
        for (auto& pStrip : strips)
            if (pStrip->m_rect.PtInRect(CPoint(x, y)))
                pStrip->OnLButtonDown(this, x, y, FALSE);
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

class TabStripWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        const LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
        ASSERT_TRUE(m_wnd.CreateEx(0, pszClass, L"Tab strips", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 420, 800,
                                   nullptr, nullptr));
        ::SetForegroundWindow(m_wnd.GetSafeHwnd());
        PumpFor(100);
    }
    void TearDown() override
    {
        m_wnd.strips.clear();
        m_wnd.DestroyWindow();
    }
    POINT ScreenPoint(int x, int y)
    {
        POINT pt{x, y};
        ::ClientToScreen(m_wnd.GetSafeHwnd(), &pt);
        return pt;
    }
    COLORREF PixelAt(int x, int y)
    {
        m_wnd.UpdateWindow();
        HDC hDC = ::GetDC(m_wnd.GetSafeHwnd());
        const COLORREF cr = ::GetPixel(hDC, x, y);
        ::ReleaseDC(m_wnd.GetSafeHwnd(), hDC);
        return cr;
    }

    CTabGalleryWnd m_wnd;
};

TEST_F(TabStripWindow, InsertingAndRemovingKeepsTheSelectionSound)
{
    CGalleryStrip* pStrip = m_wnd.AddStrip(0, -1, {});
    CKitTabManagerItem* pFirst = pStrip->InsertItem(5);
    EXPECT_EQ(pFirst->m_nIndex, 0) << "an index beyond the end appends";
    for (int i = 1; i < 9; ++i)
        pStrip->InsertItem(-1);
    // Automatic colours run 0..7 and start again, one sequence per drawer.
    EXPECT_EQ(pStrip->GetItem(0)->m_crColor, 0x1000000u);
    EXPECT_EQ(pStrip->GetItem(7)->m_crColor, 0x1000007u);
    EXPECT_EQ(pStrip->GetItem(8)->m_crColor, 0x1000000u);
    EXPECT_EQ(pStrip->GetItemColor(pStrip->GetItem(1)), 0x75DBFFu);

    pStrip->DeleteAllItems();
    for (int i = 0; i < 3; ++i)
        pStrip->InsertItem(-1);
    pStrip->SetSelectedItem(pStrip->GetItem(2));
    EXPECT_FALSE(pStrip->DeleteItem(3));
    EXPECT_TRUE(pStrip->DeleteItem(2));
    EXPECT_EQ(pStrip->GetSelectedItem(), pStrip->GetItem(1)) << "the new last tab is selected";
    pStrip->DeleteItem(0);
    pStrip->DeleteItem(0);
    EXPECT_EQ(pStrip->GetSelectedItem(), nullptr);
    pStrip->SetScrollOffset(15);
    EXPECT_EQ(pStrip->GetScrollOffset(), 0);
}

TEST_F(TabStripWindow, KeysSkipDisabledTabsAndTurnOnARightToLeftWindow)
{
    CGalleryStrip* pStrip = m_wnd.AddStrip(0, -1, {L"One", L"Two", L"Three", L"Four"});
    pStrip->GetItem(1)->m_bEnabled = FALSE;
    EXPECT_TRUE(pStrip->OnKeyDown(&m_wnd, VK_RIGHT));
    EXPECT_EQ(pStrip->GetSelectedItem()->m_nIndex, 2);
    EXPECT_TRUE(pStrip->OnKeyDown(&m_wnd, VK_END));
    EXPECT_EQ(pStrip->GetSelectedItem()->m_nIndex, 3);
    EXPECT_TRUE(pStrip->OnKeyDown(&m_wnd, VK_UP)) << "across the strip: swallowed";
    EXPECT_EQ(pStrip->GetSelectedItem()->m_nIndex, 3);
    EXPECT_FALSE(pStrip->OnKeyDown(&m_wnd, 'A'));
    m_wnd.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    EXPECT_TRUE(pStrip->OnKeyDown(&m_wnd, VK_RIGHT));
    EXPECT_EQ(pStrip->GetSelectedItem()->m_nIndex, 2) << "right goes back on a right-to-left window";
    m_wnd.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
    EXPECT_TRUE(pStrip->OnKeyDown(&m_wnd, VK_HOME));
    EXPECT_EQ(pStrip->GetSelectedItem()->m_nIndex, 0);
}

TEST_F(TabStripWindow, AClickSelectsAndAHeldScrollButtonScrolls)
{
    CGalleryStrip* pStrip = m_wnd.AddStrip(0, -1,
                                           {L"Recovered files", L"Lost partitions", L"Damaged sectors",
                                            L"Deleted folders", L"Scan log"},
                                           260);
    PumpFor(100);
    const CRect second = pStrip->GetItem(1)->m_rect;
    ClickWithInput(ScreenPoint(second.CenterPoint().x, second.CenterPoint().y), 50);
    EXPECT_EQ(pStrip->GetSelectedItem(), pStrip->GetItem(1));
    EXPECT_EQ(pStrip->clicks, 1);

    // Too long for the row: the scroll buttons stand at its end.
    const CTabStripButton* pRight = pStrip->FindButton(CTabStripButton::kRight);
    ASSERT_FALSE(pRight->m_rect.IsRectEmpty());
    EXPECT_TRUE(pRight->m_bEnabled);
    ClickWithInput(ScreenPoint(pRight->m_rect.CenterPoint().x, pRight->m_rect.CenterPoint().y), 300);
    // Scrolled on in steps until the last tab shows whole, and no further.
    EXPECT_LT(pStrip->GetScrollOffset(), 0);
    EXPECT_LE(pStrip->GetItem(4)->m_rect.right, pStrip->m_rectHeader.right);
    EXPECT_GE(pStrip->GetItem(4)->m_rect.right, pStrip->m_rectHeader.right - pStrip->m_nScrollStep);
    CaptureWindowToBmp(m_wnd.GetSafeHwnd(), L"tab_strip_scrolled.bmp");
}

TEST_F(TabStripWindow, ATabDraggedByTheMouseTakesThePlacesItPasses)
{
    CGalleryStrip* pStrip = m_wnd.AddStrip(0, -1, {L"First", L"Second", L"Third", L"Fourth"});
    pStrip->SelectNearest(3);
    pStrip->Relayout();
    PumpFor(100);
    CKitTabManagerItem* pDragged = pStrip->GetItem(0);
    const CRect from = pDragged->m_rect;
    const CRect over = pStrip->GetItem(1)->m_rect;
    const CRect to = pStrip->GetItem(2)->m_rect;
    std::atomic<bool> done{false};
    std::thread input([&] {
        SendMouse(MOUSEEVENTF_MOVE, ScreenPoint(from.CenterPoint().x, from.CenterPoint().y));
        ::Sleep(150);
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(150);
        // Over the second tab's old place, then the third's: one exchange each.
        for (const CRect& rect : {over, to})
        {
            SendMouse(MOUSEEVENTF_MOVE, ScreenPoint(rect.CenterPoint().x, rect.CenterPoint().y));
            ::Sleep(150);
        }
        SendMouse(MOUSEEVENTF_LEFTUP);
        ::Sleep(150);
        done = true;
    });
    while (!done)
        PumpFor(10);
    input.join();
    PumpFor(100);
    EXPECT_EQ(pStrip->GetItem(0)->m_strCaption, L"Second");
    EXPECT_EQ(pStrip->GetItem(1)->m_strCaption, L"Third");
    EXPECT_EQ(pStrip->GetItem(2), pDragged);
    EXPECT_EQ(pDragged->m_nIndex, 2);
    EXPECT_EQ(pStrip->GetItem(3)->m_strCaption, L"Fourth");
    EXPECT_EQ(pStrip->GetSelectedItem(), pDragged) << "the dragged tab ends selected";
    EXPECT_EQ(pStrip->clicks, 1);
    EXPECT_EQ(::GetCapture(), nullptr);

    // Without reordering a press only clicks.
    pStrip->SetReorderAllowed(FALSE);
    const CRect first = pStrip->GetItem(0)->m_rect;
    ClickWithInput(ScreenPoint(first.CenterPoint().x, first.CenterPoint().y), 50);
    EXPECT_EQ(pStrip->GetItem(0)->m_strCaption, L"Second");
    EXPECT_EQ(pStrip->GetSelectedItem(), pStrip->GetItem(0));
    EXPECT_EQ(pStrip->clicks, 2);
}

TEST_F(TabStripWindow, TooltipsFollowTheDrawersMode)
{
    CGalleryStrip* pStrip = m_wnd.AddStrip(0, -1, {L"Recovered files", L"Log"});
    CKitTabManagerItem* pTab = pStrip->GetItem(0);
    pTab->m_strTooltip = L"Files found by the scan";
    const auto hit = [&](CKitTabManagerItem* pItem, std::wstring* pText = nullptr) {
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V1_SIZE;
        const INT_PTR nHit = pStrip->OnToolHitTest(&m_wnd, pItem, &info);
        if (pText && info.lpszText)
            *pText = info.lpszText;
        if (nHit >= 0)
        {
            EXPECT_EQ(info.hwnd, m_wnd.GetSafeHwnd());
            EXPECT_EQ(CRect(info.rect), pItem->m_rect);
        }
        std::free(info.lpszText);
        return nHit;
    };
    // Mode 2 (the default): only a tab cut short shows its tooltip.
    EXPECT_EQ(hit(pTab), -1);
    pTab->m_nLength = pTab->m_nIdealLength - 10;
    std::wstring text;
    EXPECT_EQ(hit(pTab, &text), 0);
    EXPECT_EQ(text, L"Files found by the scan");
    // Mode 1: every tab with a tooltip text; mode 0: none.
    pTab->m_nLength = pTab->m_nIdealLength;
    pStrip->m_pDrawer->m_nTooltipMode = 1;
    EXPECT_EQ(hit(pTab), 0);
    EXPECT_EQ(hit(pStrip->GetItem(1)), -1) << "no tooltip text";
    EXPECT_EQ(hit(nullptr), -1);
    pStrip->m_pDrawer->m_nTooltipMode = 0;
    EXPECT_EQ(hit(pTab), -1);
}

TEST_F(TabStripWindow, ShapesAndColourSetsByNumber)
{
    // Number, colour set asked of it, and the colour set it installs.
    struct Case
    {
        int shape;
        int expectedPalette;
    };
    for (const Case c : {Case{0, 1}, Case{1, 1}, Case{2, 1}, Case{3, 4}, Case{4, 2}, Case{5, 2}, Case{6, 2}, Case{7, 2},
                         Case{8, 1}, Case{9, 4}, Case{11, 1}})
    {
        CTabStripDrawer drawer;
        drawer.ChooseShape(c.shape);
        EXPECT_EQ(drawer.GetPaletteNumber(), c.expectedPalette) << c.shape;
    }
    m_wnd.AddStrip(0, -1, {L"Classic", L"Tabs", L"Shape 0"});
    CGalleryStrip* pRounded = m_wnd.AddStrip(2, 4, {L"Rounded", L"Luna colours"});
    CGalleryStrip* pFramed = m_wnd.AddStrip(6, 2, {L"Framed", L"Flat colours"});
    m_wnd.AddStrip(5, -1, {L"Flat", L"Shape 5"});
    m_wnd.AddStrip(7, -1, {L"Trapezoid", L"Shape 7"});
    m_wnd.AddStrip(4, -1, {L"Buttons", L"Shape 4"});
    m_wnd.AddStrip(3, -1, {L"Slanted", L"Shape 3"});
    m_wnd.AddStrip(9, 16, {L"Sheet", L"Shape 9", L"Set 16"});
    m_wnd.AddStrip(0, 8, {L"Visual style", L"Set 8 unthemed"});
    m_wnd.AddStrip(1, -1, {L"Hot 3D", L"Shape 1"});
    CGalleryStrip* pStacked = m_wnd.AddStrip(8, -1, {L"Stacked", L"Shape 8"});
    CGalleryStrip* pColours = m_wnd.AddStrip(6, 1, {L"Own", L"Colours"});
    pColours->m_pDrawer->m_bTabColors = TRUE;
    pColours->Relayout();
    m_wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpFor(100);

    // Tabs filled with their own automatic colours: 0 and 1.
    const CRect own = pColours->GetItem(0)->m_rect;
    EXPECT_EQ(PixelAt(own.left + 2, own.top + 2), 0xE4A88Au);
    const CRect colours = pColours->GetItem(1)->m_rect;
    EXPECT_EQ(PixelAt(colours.left + 2, colours.top + 2), 0x75DBFFu);
    // The framed set outlines its tabs in the outline colour (button shadow).
    EXPECT_EQ(PixelAt(pFramed->GetItem(1)->m_rect.left, pFramed->GetItem(1)->m_rect.top + 3),
              ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pRounded->m_pDrawer->GetPaletteNumber(), 4);
    // Stacked bars: the selected bar on top, and below it a client area of at
    // least one bar's height before the next bar, even in a band this short.
    const CRect firstBar = pStacked->GetItem(0)->m_rect;
    EXPECT_EQ(firstBar.top, pStacked->m_rect.top + 1);
    EXPECT_GE(pStacked->GetItem(1)->m_rect.top - firstBar.bottom, firstBar.Height());
    CaptureWindowToBmp(m_wnd.GetSafeHwnd(), L"tab_strip_shapes.bmp");
}

TEST_F(TabStripWindow, RowsAndStackedBarsByTheirArithmetic)
{
    // Five tabs of 100 pixels in rows 350 long: two rows, each stretched.
    CGalleryStrip* pRows = m_wnd.AddStrip(0, -1, {L"A", L"B", L"C", L"D", L"E"}, 359);
    pRows->m_sizeMinimum.cx = pRows->m_sizeMaximum.cx = 100;
    pRows->m_pDrawer->SetLayout(4);
    pRows->Relayout();
    ASSERT_EQ(pRows->m_rows.rows.size(), 2u);
    const int widths[] = {175, 175, 116, 117, 117};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pRows->GetItem(i)->m_rect.Width(), widths[i]) << i;
    EXPECT_GT(pRows->GetItem(0)->m_rect.top, pRows->GetItem(2)->m_rect.top) << "the selected tab's row lies next to the client";

    // Stacked bars 20 high from y = 0 to 200 with the first selected.
    CGalleryStrip* pBars = m_wnd.AddStrip(8, -1, {L"One", L"Two", L"Three"});
    pBars->m_pDrawer->m_bShowIcons = FALSE;
    pBars->m_sizeMinimum.cy = 20;
    pBars->m_rect = CRect(100, 0, 300, 200);
    pBars->Relayout();
    EXPECT_EQ(pBars->GetItem(0)->m_rect, CRect(101, 1, 300, 21));
    EXPECT_EQ(pBars->GetItem(1)->m_rect, CRect(101, 160, 300, 180));
    EXPECT_EQ(pBars->GetItem(2)->m_rect, CRect(101, 180, 300, 200));
    EXPECT_EQ(pBars->m_pDrawer->GetShape()->GetClientRect(pBars->m_rect, pBars), CRect(101, 21, 299, 160));
}

}  // namespace
