// The panel as the main frame holds it (constructed, never created) and the
// drawing styles by number.
#include <gtest/gtest.h>

#include <typeinfo>

#include "CKitTaskPanel.h"
#include "TaskPanelClipboard.h"
#include "styles/CTaskPanelDrawerStyle12.h"
#include "styles/CTaskPanelDrawerStyle2.h"
#include "styles/CTaskPanelDrawerStyle5.h"
#include "styles/CTaskPanelDrawerStyle6.h"
#include "styles/CTaskPanelDrawerStyle8.h"
#include "styles/CTaskPanelDrawerStyle1.h"

TEST(TaskPanelWithoutWindow, StartsInStyleTwoWithItsFormatAndRecolouredButtons)
{
    CKitTaskPanel panel;
    EXPECT_EQ(panel.GetPanelStyle(), 2);
    ASSERT_NE(panel.GetDrawer(), nullptr);
    EXPECT_EQ(typeid(*panel.GetDrawer()), typeid(CTaskPanelDrawerStyle2));

    // Registered at start-up under its name; every lookup gives the same id.
    const CLIPFORMAT format = TaskPanelItemFormat();
    EXPECT_NE(format, 0);
    EXPECT_EQ(format, static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(L"TaskPanelGroupItem")));

    // No visual-style library here: both expand buttons are the toolkit's
    // pictures recoloured.
    EXPECT_FALSE(panel.GetDrawer()->AreThemeBitmapsLoaded());
    EXPECT_NE(panel.GetDrawer()->GetExpandIcon(FALSE), nullptr);
    EXPECT_NE(panel.GetDrawer()->GetExpandIcon(TRUE), nullptr);

    // Nothing needs the window: layout and notifications return at once.
    CKitTaskPanel::Group* pGroup = panel.AddGroup(L"Tasks");
    panel.AddItem(pGroup, kit::taskpanel::kTypeLink, L"Open");
    EXPECT_EQ(panel.NotifyOwner(kTpnItemClick, 0), 0);
    EXPECT_EQ(panel.GetContentHeight(), 0);
    panel.ExpandGroup(pGroup, FALSE);
    EXPECT_FALSE(panel.IsGroupExpanded(pGroup));
}

TEST(TaskPanelStyles, EachNumberMakesItsDrawer)
{
    struct Case
    {
        int number;
        const std::type_info& drawer;
    };
    const Case cases[] = {
        {0, typeid(CTaskPanelDrawer)},         {1, typeid(CTaskPanelDrawerStyle1)},
        {2, typeid(CTaskPanelDrawerStyle2)},   {3, typeid(CTaskPanelDrawerStyle3)},
        {4, typeid(CTaskPanelDrawerStyle4)},   {5, typeid(CTaskPanelDrawerStyle5)},
        {6, typeid(CTaskPanelDrawerStyle6)},   {7, typeid(CTaskPanelDrawerStyle7)},
        {8, typeid(CTaskPanelDrawerStyle8)},   {9, typeid(CTaskPanelDrawerStyle9)},
        {10, typeid(CTaskPanelDrawerStyle10)}, {11, typeid(CTaskPanelDrawerStyle11)},
        {12, typeid(CTaskPanelDrawerStyle12)}, {13, typeid(CTaskPanelDrawerStyle2)},
        {-1, typeid(CTaskPanelDrawerStyle2)},  {99, typeid(CTaskPanelDrawerStyle2)},
    };
    CKitTaskPanel panel;
    for (const Case& c : cases)
    {
        panel.SelectPanelStyle(c.number);
        EXPECT_EQ(typeid(*panel.GetDrawer()), c.drawer) << "style " << c.number;
    }
}

TEST(TaskPanelStyles, RecolouredButtonKeepsItsBackgroundTransparent)
{
    HICON hIcon = nullptr;
    CTaskPanelDrawer::RecolorIcon(hIcon, 9197, RGB(0, 0, 200));
    ASSERT_NE(hIcon, nullptr);
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 19, 19);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    RECT all{0, 0, 19, 19};
    HBRUSH hMagenta = ::CreateSolidBrush(RGB(255, 0, 255));
    ::FillRect(hDC, &all, hMagenta);
    ::DrawIconEx(hDC, 0, 0, hIcon, 19, 19, 0, nullptr, DI_NORMAL);
    EXPECT_EQ(::GetPixel(hDC, 0, 0), RGB(255, 0, 255));
    int coloured = 0;
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 19; ++x)
            if (const COLORREF c = ::GetPixel(hDC, x, y); c != RGB(255, 0, 255) && GetBValue(c) > GetRValue(c))
                ++coloured;
    EXPECT_GT(coloured, 0);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteObject(hMagenta);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    ::DestroyIcon(hIcon);
}
