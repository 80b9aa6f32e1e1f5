// The command-icon page of the toolkit gallery on a real display: each state
// and effect of an icon picture and of an alpha picture sampled from the screen
// and compared with the colours its rules give; a screenshot beside the results.
#include "CColorTable.h"
#include "CCommandIconsPage.h"
#include "CToolkitGalleryWnd.h"
#include "WindowCapture.h"
#include "core/PixelEffects.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void PumpFor(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (::GetTickCount() - start < ms)
    {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 2)
{
    if (std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
        std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
        std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance)
        return ::testing::AssertionSuccess();
    char text[64];
    std::snprintf(text, sizeof(text), "sampled %06lX, expected %06lX", static_cast<unsigned long>(actual),
                  static_cast<unsigned long>(expected));
    return ::testing::AssertionFailure() << text;
}

// Straight colour c with alpha a over the background, as AlphaBlend of the
// pre-multiplied picture gives it.
COLORREF Over(COLORREF clr, int alpha, COLORREF background)
{
    auto channel = [alpha](int c, int b) { return c * alpha / 255 + b * (255 - alpha) / 255; };
    return RGB(channel(GetRValue(clr), GetRValue(background)), channel(GetGValue(clr), GetGValue(background)),
               channel(GetBValue(clr), GetBValue(background)));
}

class CommandIconsPageTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_gallery.AddPage(std::make_unique<CCommandIconsPage>());
        ASSERT_TRUE(m_gallery.CreateGallery());
        m_gallery.ShowWindow(SW_SHOW);
        m_gallery.SetForegroundWindow();
        PumpFor(300);
        m_pPage = static_cast<CCommandIconsPage*>(m_gallery.GetPage(0));
        m_pPage->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpFor(100);
    }

    COLORREF Sample(int row, CCommandIconsPage::Cell cell, int dx = -1, int dy = -1)
    {
        const CRect rect = CCommandIconsPage::PictureRect(row, cell);
        const CPoint point = dx < 0 ? rect.CenterPoint() : CPoint(rect.left + dx, rect.top + dy);
        HDC hDC = ::GetDC(m_pPage->GetSafeHwnd());
        const COLORREF clr = ::GetPixel(hDC, point.x, point.y);
        ::ReleaseDC(m_pPage->GetSafeHwnd(), hDC);
        return clr;
    }

    CToolkitGalleryWnd m_gallery;
    CCommandIconsPage* m_pPage = nullptr;
};

}  // namespace

TEST_F(CommandIconsPageTest, IconPictureInItsStatesAndEffects)
{
    using Page = CCommandIconsPage;
    const COLORREF background = GetColorTable()->GetColor(COLOR_BTNFACE);
    EXPECT_TRUE(Near(Sample(0, Page::kCellNormal), Page::kNormalColor, 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellNormal, 1, 1), background, 0)) << "the border is transparent";
    EXPECT_TRUE(Near(Sample(0, Page::kCellHot), Page::kHotColor, 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellPressed), Page::kPressedColor, 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellDisabled), kit::DisabledColor(Page::kNormalColor, kit::kColorUnset,
                                                                         kit::kColorUnset), 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellTinted),
                     kit::DisabledColor(Page::kNormalColor, Page::kTintLight, Page::kTintDark), 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellFaded), kit::LightenColor(Page::kNormalColor, 0.3), 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellShadow), kit::ShadowColor(GetColorTable()->GetColor(31)), 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellShadow, 1, 1), background, 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellMono), Page::kMonoColor, 0));
    EXPECT_TRUE(Near(Sample(0, Page::kCellMono, 1, 1), background, 0));
    // The scaled copy: 24 pixels wide, made once and kept by the set.
    CCommandIcon* pScaled = m_pPage->GetStore().GetIcon(Page::kIconID, Page::kScaledSize);
    ASSERT_NE(pScaled, nullptr);
    EXPECT_TRUE(pScaled->IsScaled());
    EXPECT_EQ(pScaled->GetExtent().cx, Page::kScaledSize);
    EXPECT_TRUE(Near(Sample(0, Page::kCellScaled), Page::kNormalColor, 0));
    EXPECT_TRUE(CaptureWindowToBmp(m_gallery.GetSafeHwnd(), L"command-icons.bmp"));
}

TEST_F(CommandIconsPageTest, AlphaPictureBlendsOverTheBackground)
{
    using Page = CCommandIconsPage;
    const COLORREF background = GetColorTable()->GetColor(COLOR_BTNFACE);
    ASSERT_TRUE(m_pPage->GetStore().IsAlphaBlendAvailable());
    EXPECT_TRUE(Near(Sample(1, Page::kCellNormal), Page::kAlphaColor));
    // The rim has alpha 128; the border none.
    EXPECT_TRUE(Near(Sample(1, Page::kCellNormal, Page::kInset, Page::kIconSize / 2),
                     Over(Page::kAlphaColor, 128, background), 3));
    EXPECT_TRUE(Near(Sample(1, Page::kCellNormal, 1, 1), background, 0));
    EXPECT_TRUE(Near(Sample(1, Page::kCellHot), Page::kAlphaColor));
    const COLORREF faded = RGB(static_cast<BYTE>(0.7 * GetRValue(Page::kAlphaColor) + 76.5),
                               static_cast<BYTE>(0.7 * GetGValue(Page::kAlphaColor) + 76.5),
                               static_cast<BYTE>(0.7 * GetBValue(Page::kAlphaColor) + 76.5));
    EXPECT_TRUE(Near(Sample(1, Page::kCellFaded), faded));
    EXPECT_TRUE(Near(Sample(1, Page::kCellShadow), kit::ShadowColor(GetColorTable()->GetColor(31))));
    EXPECT_TRUE(
        Near(Sample(1, Page::kCellDisabled), kit::DisabledColor(Page::kAlphaColor, kit::kColorUnset, kit::kColorUnset)));
    // Alpha pictures have no one-colour silhouette and are never scaled.
    EXPECT_TRUE(Near(Sample(1, Page::kCellMono), background, 0));
    EXPECT_EQ(m_pPage->GetStore().GetIcon(Page::kAlphaID, Page::kScaledSize)->GetWidth(), Page::kIconSize);
}
