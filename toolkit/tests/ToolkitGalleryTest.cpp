// The toolkit gallery on a real display: colour swatches and gradients
// sampled from the screen, a screen tip found through OnToolHitTest, and a
// popup closed by the popup mouse hook, all driven with real input.
#include "CColorTable.h"
#include "CColorsPage.h"
#include "CDrawTools.h"
#include "CScreenTipWnd.h"
#include "CSubclassHookSink.h"
#include "CSubclassHookTable.h"
#include "CToolkitGalleryWnd.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        Pump();
        ::Sleep(10);
    }
    return true;
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void MoveMouseTo(POINT ptScreen)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((ptScreen.x * 65535 + ::GetSystemMetrics(SM_CXSCREEN) / 2) /
                                    (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>((ptScreen.y * 65535 + ::GetSystemMetrics(SM_CYSCREEN) / 2) /
                                    (::GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    Pump();
}

void ClickAt(POINT ptScreen)
{
    MoveMouseTo(ptScreen);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    PumpFor(150);
}

bool Near(COLORREF actual, COLORREF expected, int tolerance)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string Hex(COLORREF color)
{
    char text[16];
    std::snprintf(text, sizeof(text), "%06lX", static_cast<unsigned long>(color));
    return text;
}

class ToolkitGalleryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_gallery.AddPage(std::make_unique<CColorsPage>());
        ASSERT_TRUE(m_gallery.CreateGallery());
        m_gallery.ShowWindow(SW_SHOW);
        m_gallery.UpdateWindow();
        m_gallery.SetForegroundWindow();
        // Tips show only while the gallery is the active window.
        PumpUntil([this] { return ::GetForegroundWindow() == m_gallery.GetSafeHwnd(); });
        PumpFor(200);
        m_pColors = static_cast<CColorsPage*>(m_gallery.GetPage(0));
        ASSERT_NE(m_pColors, nullptr);
        m_pColors->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    }

    COLORREF Sample(int x, int y)
    {
        HDC hDC = ::GetDC(m_pColors->GetSafeHwnd());
        const COLORREF color = ::GetPixel(hDC, x, y);
        ::ReleaseDC(m_pColors->GetSafeHwnd(), hDC);
        return color;
    }

    POINT ScreenPoint(POINT ptClient)
    {
        ::ClientToScreen(m_pColors->GetSafeHwnd(), &ptClient);
        return ptClient;
    }

    void ExpectGradientsSampled(const char* road)
    {
        CColorTable* pTable = GetColorTable();
        for (int number = 1; number <= kit::kStyleGradientCount; ++number) {
            const CRect rect = CColorsPage::GradientRect(number);
            const CStyleGradient& gradient = pTable->gradients[number - 1];
            const int y = rect.CenterPoint().y;
            const COLORREF left = Sample(rect.left, y);
            const COLORREF right = Sample(rect.right - 1, y);
            EXPECT_TRUE(Near(left, gradient.light.GetValue(), 4))
                << road << ": gradient " << number << " starts at " << Hex(left) << ", light is "
                << Hex(gradient.light.GetValue());
            EXPECT_TRUE(Near(right, gradient.dark.GetValue(), 4))
                << road << ": gradient " << number << " ends at " << Hex(right) << ", dark is "
                << Hex(gradient.dark.GetValue());
            if (gradient.factor != 0.5f) {
                const COLORREF middle = Sample(rect.right - rect.Width() / 2, y);
                const COLORREF expected =
                    CDrawTools::BlendColors(gradient.light.GetValue(), gradient.dark.GetValue(), gradient.factor);
                EXPECT_TRUE(Near(middle, expected, 4))
                    << road << ": gradient " << number << " middle " << Hex(middle) << ", expected " << Hex(expected);
            }
        }
    }

    CToolkitGalleryWnd m_gallery;
    CColorsPage* m_pColors = nullptr;
};

TEST_F(ToolkitGalleryTest, SwatchesShowTheColourTable)
{
    CColorTable* pTable = GetColorTable();
    for (int slot = 0; slot < kit::kColorSlotCount; ++slot) {
        const CRect rect = CColorsPage::SwatchRect(slot);
        const COLORREF sampled = Sample(rect.right - 8, rect.top + 6);
        EXPECT_EQ(sampled, pTable->GetColor(slot)) << "slot " << slot << " shows " << Hex(sampled);
    }
    // The table mirrors the system colours 1 to 28, the gradient captions included.
    for (int index = 1; index <= COLOR_GRADIENTINACTIVECAPTION; ++index) {
        if (index != COLOR_3DLIGHT) { // derived from the button face
            EXPECT_EQ(pTable->GetColor(index), ::GetSysColor(index)) << "system colour " << index;
        }
    }
}

TEST_F(ToolkitGalleryTest, SystemColourChangeRefreshesTheTable)
{
    CColorTable* pTable = GetColorTable();
    pTable->sysColorCallback = [](int nIndex) -> COLORREF {
        return nIndex == COLOR_BTNFACE ? RGB(200, 220, 240) : ::GetSysColor(nIndex);
    };
    m_gallery.SendMessage(WM_SYSCOLORCHANGE);
    m_pColors->UpdateWindow();
    const CRect face = CColorsPage::SwatchRect(COLOR_BTNFACE);
    EXPECT_EQ(Sample(face.right - 8, face.top + 6), RGB(200, 220, 240));
    // The derived slots follow: 3D light is the face plus 15.
    const CRect light = CColorsPage::SwatchRect(COLOR_3DLIGHT);
    EXPECT_EQ(Sample(light.right - 8, light.top + 6), RGB(215, 235, 255));
    pTable->sysColorCallback = nullptr;
    pTable->RefreshColors();
}

TEST_F(ToolkitGalleryTest, GradientsRunFromLightToDarkOnBothRoads)
{
    ExpectGradientsSampled("GradientFill");
    CDrawTools::ForceOwnGradientStrips(TRUE);
    m_pColors->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ExpectGradientsSampled("own strips");
    CDrawTools::ForceOwnGradientStrips(FALSE);
}

TEST_F(ToolkitGalleryTest, ScreenTipComesFromOnToolHitTest)
{
    CScreenTipContext& tips = m_pColors->GetTips();
    auto currentToolId = [&tips]() -> UINT_PTR {
        CWnd* pTip = tips.GetTipWindow();
        if (!pTip || pTip->SendMessage(TTM_GETTOOLCOUNT) != 1)
            return 0;
        TOOLINFOW info{};
        info.cbSize = TTTOOLINFOW_V1_SIZE;
        pTip->SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info));
        return info.uId;
    };

    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(5).CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return currentToolId() == 6; })) << "tool " << currentToolId();
    EXPECT_TRUE(PumpUntil([&] { return tips.GetTipWindow()->IsWindowVisible() != FALSE; }, 4000));

    // The next swatch replaces the tool: one tool at a time.
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(6).CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return currentToolId() == 7; })) << "tool " << currentToolId();
    WCHAR text[64] = {};
    TOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.hwnd = m_pColors->GetSafeHwnd();
    info.uId = 7;
    info.lpszText = text;
    tips.GetTipWindow()->SendMessage(TTM_GETTEXTW, 64, reinterpret_cast<LPARAM>(&info));
    EXPECT_STREQ(text, L"Slot 6");

    // A gradient bar is a tool of its own.
    MoveMouseTo(ScreenPoint(CColorsPage::GradientRect(3).CenterPoint()));
    EXPECT_TRUE(PumpUntil([&] { return currentToolId() == CColorsPage::kGradientToolBase + 3; }));

    // A click cancels the tip.
    // A click cancels the tip, also one whose show timer is running.
    ClickAt(ScreenPoint(CColorsPage::GradientRect(3).CenterPoint()));
    PumpFor(1000);
    EXPECT_TRUE(PumpUntil([&] { return !tips.GetTipWindow()->IsWindowVisible(); }));
}

TEST_F(ToolkitGalleryTest, OwnGradientTipShowsAfterItsDelayAndHidesWhenTheMouseLeaves)
{
    CScreenTipContext& tips = m_pColors->GetTips();
    tips.SetKind(CScreenTipContext::kOwnGradientTip);
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(20).CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return tips.GetTipWindow() != nullptr; }));
    auto* pTip = dynamic_cast<CScreenTipWnd*>(tips.GetTipWindow());
    ASSERT_NE(pTip, nullptr);
    EXPECT_EQ(pTip->GetToolCount(), 1u);
    EXPECT_EQ(pTip->GetPendingTool().uId, 21u); // waits its 500 ms first
    EXPECT_FALSE(pTip->IsWindowVisible());
    ASSERT_TRUE(PumpUntil([&] { return pTip->IsWindowVisible() != FALSE; }));
    EXPECT_EQ(pTip->GetShownTool().uId, 21u);
    PumpFor(100);

    // No scheme here: the gradient runs from the tip colour (slot 24) at the
    // top to white at the bottom, framed in black.
    CRect tipRect;
    pTip->GetWindowRect(&tipRect);
    HDC hScreen = ::GetDC(nullptr);
    const COLORREF frame = ::GetPixel(hScreen, tipRect.left, tipRect.top + tipRect.Height() / 2);
    const COLORREF top = ::GetPixel(hScreen, tipRect.right - 2, tipRect.top + 1);
    const COLORREF bottom = ::GetPixel(hScreen, tipRect.right - 2, tipRect.bottom - 2);
    ::ReleaseDC(nullptr, hScreen);
    EXPECT_EQ(frame, RGB(0, 0, 0));
    EXPECT_TRUE(Near(top, GetColorTable()->GetColor(COLOR_INFOBK), 8)) << Hex(top);
    EXPECT_TRUE(Near(bottom, RGB(255, 255, 255), 8)) << Hex(bottom);
    EXPECT_TRUE(CaptureWindowToBmp(m_gallery.GetSafeHwnd(), L"toolkit-gallery-own-tip.bmp"));

    // Leaving every tool hides it.
    MoveMouseTo(ScreenPoint(CPoint(CToolkitGalleryWnd::kClientWidth - 10, CToolkitGalleryWnd::kClientHeight - 10)));
    EXPECT_TRUE(PumpUntil([&] { return !pTip->IsWindowVisible(); }));
    EXPECT_TRUE(pTip->GetShownTool().IsNone());
}

TEST_F(ToolkitGalleryTest, RichTipShrinksToItsText)
{
    CScreenTipContext& tips = m_pColors->GetTips();
    tips.SetKind(CScreenTipContext::kOwnRichTip);
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(12).CenterPoint()));
    ASSERT_TRUE(PumpUntil([&] { return tips.GetTipWindow() != nullptr; }));
    CWnd* pTip = tips.GetTipWindow();
    ASSERT_TRUE(PumpUntil([&] { return pTip->IsWindowVisible() != FALSE; }));
    // "Slot 12" is plain text, laid out on one line at the narrowest width
    // that keeps it there, far below the maximum tip width.
    CRect tipRect;
    pTip->GetWindowRect(&tipRect);
    EXPECT_GT(tipRect.Width(), tipRect.Height());
    EXPECT_LT(tipRect.Width(), tips.GetMaxTipWidth() / 4);
    EXPECT_GT(tipRect.Height(), 8);
}

TEST_F(ToolkitGalleryTest, PopupClosesOnAClickOutsideButNotOnASafeWindow)
{
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    m_pColors->OpenPopup(14);
    CGalleryPopup* pPopup = m_pColors->GetPopup();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_TRUE(pTracker->IsTracking());
    EXPECT_FALSE(pTracker->IsOutsideTracking(pPopup));

    // Moves outside reach the popup through the hook (its hot state clears).
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(40).CenterPoint()));
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(41).CenterPoint()));
    EXPECT_TRUE(PumpUntil([&] { return pPopup->m_nMovesSeen > 0; }));

    // A click on a safe window keeps it open.
    pTracker->AddSafeWindow(m_pColors->GetSafeHwnd());
    ClickAt(ScreenPoint(CColorsPage::SwatchRect(41).CenterPoint()));
    EXPECT_TRUE(pTracker->IsTracking());
    EXPECT_TRUE(pPopup->IsWindowVisible());
    pTracker->RemoveSafeWindow(m_pColors->GetSafeHwnd());

    // A click on the popup itself keeps it open too.
    CRect popupRect;
    pPopup->GetWindowRect(&popupRect);
    ClickAt(popupRect.CenterPoint());
    EXPECT_TRUE(pTracker->IsTracking());

    // The screenshot shows the swatches, the gradients and the open popup.
    EXPECT_TRUE(CaptureWindowToBmp(m_gallery.GetSafeHwnd(), L"toolkit-gallery-colours.bmp"));

    // A click elsewhere closes it.
    ClickAt(ScreenPoint(CColorsPage::SwatchRect(41).CenterPoint()));
    EXPECT_FALSE(pTracker->IsTracking());
    EXPECT_FALSE(pPopup->IsWindowVisible());
}

TEST_F(ToolkitGalleryTest, KeysGoToTheSinksAndAltClosesThePopups)
{
    struct KeySink : CSubclassHookSink
    {
        std::vector<WPARAM> keys;
        int OnHookMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM&, LRESULT&) override
        {
            if (nMessage == WM_KEYDOWN)
                keys.push_back(wParam);
            return kHandled;
        }
    } sink;
    CPopupKeyboardTracker* pKeys = CPopupKeyboardTracker::GetThreadTracker();
    CPopupMouseTracker* pMouse = CPopupMouseTracker::GetThreadTracker();
    m_pColors->OpenPopup(3);
    pKeys->AddSink(&sink);
    m_gallery.SetForegroundWindow();
    PumpFor(100);

    auto press = [](WORD key, bool release) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
        ::SendInput(1, &input, sizeof(input));
        PumpFor(50);
    };
    press(VK_DOWN, false);
    press(VK_DOWN, true);
    ASSERT_TRUE(PumpUntil([&] { return !sink.keys.empty(); }));
    EXPECT_EQ(sink.keys.front(), static_cast<WPARAM>(VK_DOWN));
    EXPECT_TRUE(pMouse->IsTracking());

    press(VK_MENU, false);
    press(VK_MENU, true);
    EXPECT_TRUE(PumpUntil([&] { return !pMouse->IsTracking(); }));
    pKeys->RemoveSink(&sink);
    EXPECT_FALSE(pKeys->IsHooked());
}

TEST_F(ToolkitGalleryTest, ReleaseAfterAConsumedPressIsSwallowed)
{
    // A sink on the page counts the left-button releases that reach it.
    struct ReleaseCounter : CSubclassHookSink
    {
        int releases = 0;
        int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
        {
            if (nMessage == WM_LBUTTONUP)
                ++releases;
            return kNotHandled;
        }
    } counter;
    CSubclassHookTable::Instance().AddSink(m_pColors->GetSafeHwnd(), &counter);
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    m_pColors->OpenPopup(3);
    pTracker->AddSafeWindow(m_pColors->GetSafeHwnd());
    const POINT pt = ScreenPoint(CColorsPage::SwatchRect(50).CenterPoint());
    MoveMouseTo(pt);

    // The popup loop sets the flag as it opens a popup: the release of that
    // press never reaches the window under the cursor.
    pTracker->m_bSwallowNextRelease = TRUE;
    INPUT up{};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &up, sizeof(up));
    PumpFor(150);
    EXPECT_EQ(counter.releases, 0);
    EXPECT_FALSE(pTracker->m_bSwallowNextRelease);

    // A new press clears the flag first; its release arrives.
    pTracker->m_bSwallowNextRelease = TRUE;
    ClickAt(pt);
    EXPECT_EQ(counter.releases, 1);
    EXPECT_TRUE(pTracker->IsTracking()); // the page is a safe window

    pTracker->RemoveSafeWindow(m_pColors->GetSafeHwnd());
    CSubclassHookTable::Instance().RemoveSink(m_pColors->GetSafeHwnd(), &counter);
    m_pColors->ClosePopup();
    EXPECT_FALSE(pTracker->IsTracking());
}

TEST_F(ToolkitGalleryTest, MouseLeaveIsPostedWhenTheCursorLeavesTheWindow)
{
    struct LeaveCounter : CSubclassHookSink
    {
        int leaves = 0;
        int OnHookMessage(HWND, UINT nMessage, WPARAM&, LPARAM&, LRESULT&) override
        {
            if (nMessage == WM_MOUSELEAVE)
                ++leaves;
            return kNotHandled;
        }
    } counter;
    CSubclassHookTable::Instance().AddSink(m_pColors->GetSafeHwnd(), &counter);
    CPopupMouseTracker* pTracker = CPopupMouseTracker::GetThreadTracker();
    MoveMouseTo(ScreenPoint(CColorsPage::SwatchRect(30).CenterPoint()));
    pTracker->TrackMouseLeave(m_pColors->GetSafeHwnd());
    PumpFor(200);
    EXPECT_EQ(counter.leaves, 0); // still inside
    EXPECT_EQ(pTracker->m_hWndMouseLeave, m_pColors->GetSafeHwnd());

    CRect gallery;
    m_gallery.GetWindowRect(&gallery);
    MoveMouseTo(POINT{gallery.right + 20, gallery.bottom + 20});
    EXPECT_TRUE(PumpUntil([&] { return counter.leaves == 1; }));
    EXPECT_EQ(pTracker->m_hWndMouseLeave, nullptr);
    CSubclassHookTable::Instance().RemoveSink(m_pColors->GetSafeHwnd(), &counter);
}

}  // namespace
