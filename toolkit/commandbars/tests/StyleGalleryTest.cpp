// The gallery of the four drawing styles on a real display: a screenshot for
// people, and pixels sampled against the colour slots and gradients.
#include "CCommandBarDrawerStyle2.h"
#include "FoundationLinks.h"
#include "PixelCanvas.h"
#include "StyleGallery.h"
#include "WindowCapture.h"

#include <gtest/gtest.h>

namespace
{
class StyleGalleryTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_pGallery = new CStyleGalleryWindow;
        ASSERT_TRUE(s_pGallery->CreateGallery());
        Pump();
    }
    static void TearDownTestSuite()
    {
        delete s_pGallery;
        s_pGallery = nullptr;
    }
    static void Pump()
    {
        for (int i = 0; i < 20; ++i)
        {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
            ::Sleep(10);
        }
    }
    static CGalleryColumn& Column(int nStyle)
    {
        for (auto& column : s_pGallery->m_columns)
            if (column->nStyle == nStyle)
                return *column;
        throw std::runtime_error("no such column");
    }
    static CKitControl* ToolbarControl(CGalleryColumn& column, LPCTSTR lpszCaption)
    {
        CKitControls* pControls = column.pToolBar->GetControls();
        for (int i = 0; i < pControls->GetCount(); ++i)
            if (pControls->GetAt(i)->GetCaption() == lpszCaption)
                return pControls->GetAt(i);
        return nullptr;
    }
    // A bar painted into a canvas of its client size.
    template <class Bar>
    static std::unique_ptr<CPixelCanvas> PaintOf(Bar& bar)
    {
        CRect rc;
        bar.GetClientRect(&rc);
        auto canvas = std::make_unique<CPixelCanvas>(rc.Width(), rc.Height(), RGB(255, 0, 255));
        bar.Paint(canvas->DC());
        return canvas;
    }

    static CStyleGalleryWindow* s_pGallery;
};

CStyleGalleryWindow* StyleGalleryTest::s_pGallery = nullptr;
} // namespace

TEST_F(StyleGalleryTest, ScreenshotOfTheFourStyles)
{
    ASSERT_EQ(s_pGallery->m_columns.size(), 4u);
    s_pGallery->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    EXPECT_TRUE(CaptureWindowToBmp(s_pGallery->m_hWnd, L"drawing-styles.bmp"));
}

TEST_F(StyleGalleryTest, Style4DockRampRunsFromItsLightToItsDarkEnd)
{
    CGalleryColumn& column = Column(4);
    auto* pDrawer = static_cast<CCommandBarDrawerStyle2*>(column.pDrawer);
    const COLORREF clrLight = pDrawer->m_gradDock.light.GetValue();
    const COLORREF clrDark = pDrawer->m_gradDock.dark.GetValue();
    auto top = PaintOf(*column.pTopDock);
    EXPECT_TRUE(ColorNear(top->Pixel(0, 1), clrLight, 1));
    // The ramp is half the screen wide; the bar shows its first part.
    const int nRamp = std::max(top->Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2);
    const int x = top->Width() - 1;
    const COLORREF clrExpected = CDrawTools::BlendColors(clrDark, clrLight, static_cast<float>(x) / nRamp);
    EXPECT_TRUE(ColorNear(top->Pixel(x, 1), clrExpected, 3));
    // The right dock bar is the ramp's dark end.
    auto right = PaintOf(*column.pRightDock);
    EXPECT_EQ(right->Pixel(right->Width() / 2, right->Height() / 2), clrDark);
}

TEST_F(StyleGalleryTest, HotToolbarButtonIsOrangeUnderStyle2AndFramedFlatUnderStyle4)
{
    {
        CGalleryColumn& column = Column(2);
        CKitControl* pOpen = ToolbarControl(column, L"Open");
        ASSERT_NE(pOpen, nullptr);
        const CRect rc = pOpen->GetRect();
        auto bar = PaintOf(*column.pToolBar);
        EXPECT_EQ(bar->Pixel(rc.left, rc.top + rc.Height() / 2), RGB(0, 0, 128));
        // Between the frame lines: the hot highlight from its light to its dark colour.
        EXPECT_TRUE(ColorNear(bar->Pixel(rc.left + 1, rc.top + 1), RGB(255, 242, 200), 4));
        EXPECT_TRUE(ColorNear(bar->Pixel(rc.left + 1, rc.bottom - 2), RGB(255, 212, 151), 4));
        // The checked button takes the checked highlight.
        CKitControl* pBold = ToolbarControl(column, L"Bold");
        const CRect rcBold = pBold->GetRect();
        EXPECT_TRUE(ColorNear(bar->Pixel(rcBold.left + 1, rcBold.top + 1), RGB(255, 213, 140), 4));
    }
    CGalleryColumn& column = Column(4);
    const CRect rc = ToolbarControl(column, L"Open")->GetRect();
    auto bar = PaintOf(*column.pToolBar);
    EXPECT_EQ(bar->Pixel(rc.left, rc.top + rc.Height() / 2), column.pDrawer->ColorAt(32));
    EXPECT_EQ(bar->Pixel(rc.left + 1, rc.top + 1), column.pDrawer->ColorAt(31));
}

TEST_F(StyleGalleryTest, PopupIconColumnIsShadedFromItsLightToItsDarkEnd)
{
    for (int nStyle : {1, 2, 4})
    {
        CGalleryColumn& column = Column(nStyle);
        auto popup = PaintOf(*column.pPopup);
        // The Paste row: enabled, neither selected nor checked.
        CKitControl* pPaste = column.pPopup->GetControls()->GetAt(3);
        const int y = (pPaste->GetRect().top + pPaste->GetRect().bottom) / 2;
        auto* pStyle1 = static_cast<CCommandBarDrawerStyle1*>(column.pDrawer);
        const int nGutter = pStyle1->GetPopupGutterWidth(column.pPopup.get());
        if (nStyle == 1)
        {
            EXPECT_EQ(popup->Pixel(1, y), column.pDrawer->ColorAt(30));
            EXPECT_EQ(popup->Pixel(nGutter, y), column.pDrawer->ColorAt(30));
            continue;
        }
        const CStyleGradient& gradient = static_cast<CCommandBarDrawerStyle2*>(column.pDrawer)->m_gradToolbar;
        EXPECT_TRUE(ColorNear(popup->Pixel(1, y), gradient.light.GetValue(), 2)) << "style " << nStyle;
        EXPECT_TRUE(ColorNear(popup->Pixel(nGutter, y), gradient.dark.GetValue(), 12)) << "style " << nStyle;
        // Past the column the items lie on slot 41.
        EXPECT_EQ(popup->Pixel(nGutter + 4, y), column.pDrawer->ColorAt(41)) << "style " << nStyle;
    }
    // The default style has no column: the popup is one face colour.
    CGalleryColumn& column = Column(0);
    auto popup = PaintOf(*column.pPopup);
    CKitControl* pPaste = column.pPopup->GetControls()->GetAt(3);
    EXPECT_EQ(popup->Pixel(pPaste->GetRect().left + 1, pPaste->GetRect().top + 1), column.pDrawer->ColorAt(15));
}

TEST_F(StyleGalleryTest, DefaultStyleDithersTheCheckedButtonAndSinksIt)
{
    CGalleryColumn& column = Column(0);
    const CRect rc = ToolbarControl(column, L"Bold")->GetRect();
    auto bar = PaintOf(*column.pToolBar);
    const COLORREF c15 = column.pDrawer->ColorAt(15);
    const COLORREF c20 = column.pDrawer->ColorAt(20);
    const COLORREF a = bar->Pixel(rc.left + 1, rc.top + 1);
    const COLORREF b = bar->Pixel(rc.left + 2, rc.top + 1);
    EXPECT_TRUE((a == c15 && b == c20) || (a == c20 && b == c15));
    EXPECT_EQ(bar->Pixel(rc.left, rc.top + 3), column.pDrawer->ColorAt(16));
    EXPECT_EQ(bar->Pixel(rc.right - 1, rc.top + 3), c20);
}

TEST_F(StyleGalleryTest, StatusBarGripAndPaneBordersUseTheirSlots)
{
    CGalleryColumn& column = Column(0);
    auto status = PaintOf(*column.pStatusBar);
    const int W = status->Width();
    const int H = status->Height();
    EXPECT_EQ(status->Pixel(W - 2, H - 3), column.pDrawer->ColorAt(16));
    EXPECT_EQ(status->Pixel(W - 4, H - 3), column.pDrawer->ColorAt(20));
    const CRect rcPane = column.pStatusBar->PaneRect(0);
    EXPECT_EQ(status->Pixel(rcPane.left, rcPane.top + 2), column.pDrawer->ColorAt(16));

    CGalleryColumn& column2 = Column(2);
    auto status2 = PaintOf(*column2.pStatusBar);
    const CRect rcPane2 = column2.pStatusBar->PaneRect(0);
    EXPECT_EQ(status2->Pixel(rcPane2.left, rcPane2.top + 2),
              static_cast<CCommandBarDrawerStyle2*>(column2.pDrawer)->m_clrPaneBorder.GetValue());
}
