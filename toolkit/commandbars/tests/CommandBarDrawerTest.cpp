// The drawers without windows: the process-wide drawer, colour slots, and
// the rule that a control fills exactly the size it measured.
#include "CCommandBarDrawerStyle2.h"
#include "CCommandIcon.h"
#include "FoundationLinks.h"
#include "GalleryIcons.h"
#include "PixelCanvas.h"
#include "StyleGallery.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
struct DrawerRef
{
    explicit DrawerRef(int nStyle) : p(CreateCommandBarDrawer(nStyle)) { p->ReloadMetrics(); }
    ~DrawerRef() { p->InternalRelease(); }
    CCommandBarDrawer* operator->() const { return p; }
    CCommandBarDrawer* p;
};

constexpr COLORREF kSentinel = RGB(255, 0, 255);
} // namespace

TEST(CommandBarDrawer, ProcessWideDrawerIsCreatedInstalledAndReleasedByNumber)
{
    CCommandBarDrawer* pDrawer = CreateCommandBarDrawer(7);
    EXPECT_EQ(pDrawer->GetStyleNumber(), 7);
    EXPECT_EQ(pDrawer->GetBaseStyleNumber(), 0);
    InstallCustomCommandBarDrawer(pDrawer);
    EXPECT_EQ(GetCommandBarDrawer(), pDrawer);
    EXPECT_EQ(pDrawer->GetStyleNumber(), 5);

    SelectCommandBarDrawingStyle(4);
    EXPECT_EQ(GetCommandBarDrawer()->GetStyleNumber(), 4);
    EXPECT_EQ(GetCommandBarDrawer()->GetBaseStyleNumber(), 4);

    ReleaseCommandBarDrawer();
    // A reader that finds none gets the default style.
    EXPECT_EQ(GetCommandBarDrawer()->GetStyleNumber(), 0);
    EXPECT_EQ(GetCommandBarDrawer()->GetBaseStyleNumber(), 0);
    ReleaseCommandBarDrawer();

    const int expected[][2] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {9, 0}};
    for (const auto& pair : expected)
    {
        DrawerRef drawer(pair[0]);
        EXPECT_EQ(drawer->GetBaseStyleNumber(), pair[1]) << "style " << pair[0];
        EXPECT_EQ(drawer->GetStyleNumber(), pair[0]);
    }
}

TEST(CommandBarDrawer, SlotsCopyTheColourTableAndOverridesWin)
{
    DrawerRef drawer(1);
    EXPECT_EQ(drawer->ColorAt(62), 62u);
    EXPECT_EQ(drawer->ColorAt(RGB(0, 128, 255)), RGB(0, 128, 255));
    EXPECT_EQ(drawer->ColorAt(15), GetColorTable()->GetColor(15));
    EXPECT_EQ(drawer->ColorAt(30), GetColorTable()->GetColor(30));

    drawer->SetCustomColor(30, RGB(1, 2, 3));
    drawer->ReloadMetrics();
    EXPECT_EQ(drawer->ColorAt(30), RGB(1, 2, 3));
    drawer->SetCustomColor(30, static_cast<COLORREF>(-1));
    EXPECT_EQ(drawer->ColorAt(30), GetColorTable()->GetColor(30));

    // Icon options in the order the settings exchange them.
    BOOL* pOptions = drawer->GetIconOptions();
    EXPECT_TRUE(pOptions[0] && pOptions[1] && pOptions[2]);
    EXPECT_EQ(drawer->GetTextHeight() > 6, true);
}

TEST(CommandBarDrawer, Style2SchemeSetsAndStyle4IgnoresThem)
{
    DrawerRef style2(2);
    auto* p2 = static_cast<CCommandBarDrawerStyle2*>(style2.p);
    p2->m_nSchemeSetting = 1;
    p2->ReloadMetrics();
    EXPECT_TRUE(p2->m_bSchemeColors);
    EXPECT_EQ(p2->ColorAt(32), RGB(0, 0, 128));
    EXPECT_EQ(p2->ColorAt(35), RGB(141, 141, 141));
    EXPECT_EQ(p2->m_gradDock.light.GetValue(), RGB(158, 190, 245));
    EXPECT_EQ(p2->GetShadowColor(), RGB(22, 30, 54));

    DrawerRef style4(4);
    auto* p4 = static_cast<CCommandBarDrawerStyle2*>(style4.p);
    EXPECT_FALSE(p4->m_bSchemeColors);
    EXPECT_EQ(p4->GetEffectiveScheme(), 0);
    EXPECT_EQ(p4->ColorAt(32), GetColorTable()->GetColor(32));
}

// One control of each kind and state, measured and then drawn into exactly
// the measured rectangle: nothing may appear outside it, and a highlighted
// control's frame reaches its edges.
struct ControlCase
{
    const char* name;
    int nBarType;
    int nPosition;
    int nType;
    const wchar_t* caption;
    bool bIcon;
    int nSelected;
    int nPressed;
    bool bChecked;
    bool bEnabled;
    bool bPopped;
    bool bTextBelow;
    const wchar_t* shortcut;
};

const ControlCase kControlCases[] = {
    {"toolbar button", kBarTypeToolBar, kBarTop, kControlButton, L"New", true, 0, 0, false, true, false, false, nullptr},
    {"hot button", kBarTypeToolBar, kBarTop, kControlButton, L"Open", true, 1, 0, false, true, false, false, nullptr},
    {"pressed button", kBarTypeToolBar, kBarTop, kControlButton, L"Save", true, 1, 1, false, true, false, false, nullptr},
    {"checked button", kBarTypeToolBar, kBarTop, kControlButton, L"Bold", true, 0, 0, true, true, false, false, nullptr},
    {"disabled button", kBarTypeToolBar, kBarTop, kControlButton, L"Cut", true, 0, 0, false, false, false, false, nullptr},
    {"captioned button", kBarTypeToolBar, kBarTop, kControlButton, L"&Print", false, 1, 0, false, true, false, false, nullptr},
    {"split button", kBarTypeToolBar, kBarTop, kControlSplitButtonPopup, L"Undo", true, 1, 0, false, true, false, false, nullptr},
    {"open split button", kBarTypeToolBar, kBarTop, kControlSplitButtonPopup, L"Undo", true, 1, 0, false, true, true, false, nullptr},
    {"text below icon", kBarTypeToolBar, kBarTop, kControlButton, L"Save", true, 1, 0, false, true, false, true, nullptr},
    {"vertical popup", kBarTypeToolBar, kBarLeft, kControlPopup, L"Tools", false, 1, 0, false, true, false, false, nullptr},
    {"menu bar item", kBarTypeMenuBar, kBarTop, kControlPopup, L"&Edit", false, 1, 0, false, true, true, false, nullptr},
    {"empty menu item", kBarTypeMenuBar, kBarTop, kControlPopup, L"", false, 0, 0, false, true, false, false, nullptr},
    {"popup item", kBarTypePopup, kBarPopup, kControlButton, L"&Undo", true, 1, 0, false, true, false, false, L"Ctrl+Z"},
    {"disabled popup item", kBarTypePopup, kBarPopup, kControlButton, L"Cu&t", true, 2, 0, false, false, false, false, L"Ctrl+X"},
    {"checked popup item", kBarTypePopup, kBarPopup, kControlButton, L"&Word Wrap", false, 0, 0, true, true, false, false, nullptr},
    {"submenu item", kBarTypePopup, kBarPopup, kControlPopup, L"&Recent Files", false, 1, 0, false, true, false, false, nullptr},
    {"split popup item", kBarTypePopup, kBarPopup, kControlSplitButtonPopup, L"&Zoom", false, 1, 0, false, true, true, false, nullptr},
    {"toolbar edit", kBarTypeToolBar, kBarTop, kControlEdit, L"Find", false, 1, 0, false, true, false, false, nullptr},
    {"toolbar combo", kBarTypeToolBar, kBarTop, kControlComboBox, L"Zoom", false, 1, 0, false, true, false, false, nullptr},
    {"popup edit", kBarTypePopup, kBarPopup, kControlEdit, L"&Name", false, 0, 0, false, true, false, false, nullptr},
    {"disabled popup combo", kBarTypePopup, kBarPopup, kControlComboBox, L"&Font", false, 2, 0, false, false, false, false, nullptr},
};

class MeasuredSizeIsDrawnSize : public ::testing::TestWithParam<int>
{
};

TEST_P(MeasuredSizeIsDrawnSize, ForEveryControlKindAndState)
{
    DrawerRef drawer(GetParam());
    CCommandIcon* pIcon = CreateGalleryIcon(200, RGB(40, 90, 200), GalleryShape::Disk);
    for (const ControlCase& c : kControlCases)
    {
        CKitCommandBar bar;
        bar.m_nType = c.nBarType;
        bar.m_nPosition = c.nPosition;
        bar.m_bTextBelowIcons = c.bTextBelow;
        auto* pControl = new CGalleryControl(c.nType, c.caption, c.bIcon ? pIcon : nullptr);
        bar.GetControls()->Add(pControl, &bar);
        pControl->m_nSelected = c.nSelected;
        pControl->m_nPressed = c.nPressed;
        pControl->m_bChecked = c.bChecked;
        pControl->m_bEnabled = c.bEnabled;
        pControl->m_bPopped = c.bPopped;
        if (c.shortcut != nullptr)
            pControl->m_strShortcutText = c.shortcut;

        CPixelCanvas canvas(360, 120, kSentinel);
        const CSize size = drawer->DrawControlDispatch(canvas.DC(), pControl, FALSE);
        ASSERT_GT(size.cx, 0) << c.name;
        ASSERT_GT(size.cy, 0) << c.name;
        ASSERT_LT(size.cx, 340) << c.name;
        ASSERT_LT(size.cy, 100) << c.name;
        // Popup items start after the bar's border; their icon column runs
        // from the border on, outside the item on the left.
        const CRect rc(CPoint(10, 10), size);
        pControl->m_rcControl = rc;
        pControl->m_rcRow = rc;
        drawer->DrawControlDispatch(canvas.DC(), pControl, TRUE);
        const CPoint stray = canvas.FirstChangeOutside(rc, c.nBarType == kBarTypePopup ? rc.left : 0);
        EXPECT_EQ(stray, CPoint(-1, -1)) << "style " << GetParam() << ", " << c.name << ": drawn outside " << size.cx
                                         << "x" << size.cy;
        if (c.nSelected != 0 && c.bEnabled && !c.bTextBelow)
        {
            EXPECT_NE(canvas.Pixel(rc.right - 1, rc.top + rc.Height() / 2), kSentinel)
                << "style " << GetParam() << ", " << c.name << ": the highlight stops short of the right edge";
        }
    }

    // A row of the customize command list fills the row it measured.
    CKitCommandBar bar;
    auto* pControl = new CGalleryControl(kControlSplitButtonPopup, L"&Undo", pIcon);
    bar.GetControls()->Add(pControl, &bar);
    CPixelCanvas canvas(260, 60, kSentinel);
    const CSize size = drawer->DrawCommandListItem(canvas.DC(), pControl, CRect(), TRUE, FALSE, nullptr);
    EXPECT_GE(size.cx, 20);
    EXPECT_GE(size.cy, 20);
    const CRect rc(10, 10, 210, 10 + size.cy);
    drawer->DrawCommandListItem(canvas.DC(), pControl, rc, TRUE, TRUE, nullptr);
    EXPECT_EQ(canvas.FirstChangeOutside(rc), CPoint(-1, -1));
    EXPECT_NE(canvas.Pixel(rc.right - 1, rc.top + 1), kSentinel);
    ReleaseGalleryIcon(pIcon);
}

INSTANTIATE_TEST_SUITE_P(Styles, MeasuredSizeIsDrawnSize, ::testing::Values(0, 1, 2, 3, 4));

TEST(CommandBarDrawer, ToolbarExpandButtonSitsAtTheBarsEnd)
{
    DrawerRef drawer(0);
    CKitCommandBar bar;
    bar.m_nPosition = kBarTop;
    CKitControl expand(kControlButton);
    expand.m_pParent = &bar;
    CSize szBar(200, 26);
    drawer->DrawSpecialControl(nullptr, kSpecialToolbarExpand, &expand, &bar, FALSE, &szBar);
    EXPECT_EQ(expand.GetRect(), CRect(187, 2, 198, 24));
    bar.m_nPosition = kBarLeft;
    drawer->DrawSpecialControl(nullptr, kSpecialToolbarExpand, &expand, &bar, FALSE, &szBar);
    EXPECT_EQ(expand.GetRect(), CRect(2, 13, 198, 24));
}

TEST(CommandBarDrawer, AnimationsWithoutStepsDrawNothing)
{
    DrawerRef drawer(1);
    CPixelCanvas target(40, 30, RGB(255, 255, 255));
    CPixelCanvas source(40, 30, RGB(0, 0, 0));
    drawer->m_nAnimationSteps = 0;
    for (int nKind : {kAnimateUnfold, kAnimateSlide, kAnimateFade})
        drawer->AnimatePopup(target.DC(), source.DC(), CRect(0, 0, 40, 30), nKind);
    EXPECT_EQ(target.Pixel(20, 15), RGB(255, 255, 255));
    CKitCommandBar popup;
    EXPECT_EQ(drawer->AnimateExpand(&popup, target.DC(), source.DC(), TRUE), 0);

    // One step: the fade shows no frame in between; the caller paints the end.
    drawer->m_nAnimationSteps = 1;
    drawer->AnimatePopup(target.DC(), source.DC(), CRect(0, 0, 40, 30), kAnimateFade);
    EXPECT_EQ(target.Pixel(20, 15), RGB(255, 255, 255));
    drawer->m_nAnimationSteps = 4;
    drawer->m_nAnimationDuration = 8;
    drawer->AnimatePopup(target.DC(), source.DC(), CRect(0, 0, 40, 30), kAnimateSlide);
    EXPECT_EQ(target.Pixel(20, 29), RGB(0, 0, 0));
}

TEST(CommandBarDrawer, IconWithoutPictureIsMeasuredWithoutDividingByItsWidth)
{
    DrawerRef drawer(1);
    auto* pEmpty = new CCommandIcon(300, 16, 16, static_cast<CCommandIconSet*>(nullptr));
    CKitCommandBar bar;
    bar.m_nPosition = kBarTop;
    auto* pControl = new CGalleryControl(kControlButton, L"Empty", pEmpty);
    bar.GetControls()->Add(pControl, &bar);
    CPixelCanvas canvas(60, 40, kSentinel);
    const CSize size = drawer->DrawControlDispatch(canvas.DC(), pControl, FALSE);
    EXPECT_EQ(size, CSize(23, 23));
    pControl->m_rcControl = CRect(CPoint(0, 0), size);
    drawer->DrawControlDispatch(canvas.DC(), pControl, TRUE);
    pEmpty->InternalRelease();
}

TEST(CommandBarDrawer, TearOffHandleLinesFollowTheWidth)
{
    DrawerRef drawer(1);
    const COLORREF clrLine = drawer->ColorAt(38);
    {
        CPixelCanvas canvas(60, 12, kSentinel);
        drawer->DrawTearOffGripper(canvas.DC(), CRect(0, 0, 40, 9), FALSE, TRUE);
        // k = 20 - 10: lines from 10 to 30 around the middle 20.
        EXPECT_EQ(canvas.Pixel(10, 3), clrLine);
        EXPECT_EQ(canvas.Pixel(29, 3), clrLine);
        EXPECT_NE(canvas.Pixel(30, 3), clrLine);
    }
    CPixelCanvas narrow(30, 12, kSentinel);
    drawer->DrawTearOffGripper(narrow.DC(), CRect(0, 0, 20, 9), FALSE, TRUE);
    for (int x = 0; x < 20; ++x)
        EXPECT_NE(narrow.Pixel(x, 3), clrLine) << x;
}

TEST(CommandBarDrawer, BarsWithoutAnExtentPaintNoBackground)
{
    for (int nStyle : {0, 1, 2, 3, 4})
    {
        DrawerRef drawer(nStyle);
        CPixelCanvas canvas(40, 40, kSentinel);
        for (int nPosition : {kBarTop, kBarLeft, kBarFloating, kBarPopup})
            for (int nType : {kBarTypeMenuBar, kBarTypeToolBar, kBarTypePopup})
            {
                // No window: an empty client rectangle, as a bar has before it is placed.
                CKitCommandBar bar;
                bar.m_nType = nType;
                bar.m_nPosition = nPosition;
                bar.m_dwFlags = kDockSideFlags;
                drawer->PaintBarBackground(canvas.DC(), &bar);
                drawer->PaintDockBarBackground(canvas.DC(), &bar);
                drawer->PaintStatusBarBackground(canvas.DC(), &bar);
                // Measured without a size: no room, and nothing divided by it.
                const CSize gripper = drawer->DrawGripper(canvas.DC(), &bar, FALSE);
                EXPECT_LE(gripper.cx, 9);
            }
        EXPECT_EQ(canvas.FirstChangeOutside(CRect(0, 0, 3, 3)), CPoint(-1, -1)) << "style " << nStyle;
    }
}
