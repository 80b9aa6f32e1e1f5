#include "Framework.h"

#include <gtest/gtest.h>

TEST(Geometry, RectPointAndSizeOperators)
{
    CRect rect(10, 20, 110, 70);
    EXPECT_EQ(rect.Width(), 100);
    EXPECT_EQ(rect.Height(), 50);
    EXPECT_EQ(rect.Size(), CSize(100, 50));
    EXPECT_EQ(rect.CenterPoint(), CPoint(60, 45));
    EXPECT_EQ(rect.TopLeft(), CPoint(10, 20));
    rect.BottomRight() = CPoint(30, 40);
    EXPECT_EQ(rect, CRect(10, 20, 30, 40));
    EXPECT_TRUE(rect.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(rect.PtInRect(CPoint(30, 40)));

    rect.DeflateRect(1, 2);
    EXPECT_EQ(rect, CRect(11, 22, 29, 38));
    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(10, 20, 32, 42));
    rect.OffsetRect(CSize(-10, -20));
    EXPECT_EQ(rect, CRect(0, 0, 22, 22));
    EXPECT_EQ(rect + CPoint(1, 1), CRect(1, 1, 23, 23));
    EXPECT_EQ(rect & CRect(10, 10, 50, 50), CRect(10, 10, 22, 22));
    EXPECT_EQ(rect | CRect(10, 10, 50, 50), CRect(0, 0, 50, 50));
    EXPECT_TRUE((rect & CRect(30, 30, 40, 40)).IsRectEmpty());

    CRect flipped(5, 5, 1, 1);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_EQ(flipped, CRect(1, 1, 5, 5));
    EXPECT_TRUE(CRect().IsRectNull());

    const CPoint fromLParam(static_cast<DWORD>(MAKELONG(-5, 7)));
    EXPECT_EQ(fromLParam, CPoint(-5, 7));
    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 3), CSize(3, 2));
    EXPECT_EQ(CPoint(1, 1) + CSize(2, 2), CPoint(3, 3));
    EXPECT_EQ(-CSize(1, -2), CSize(-1, 2));
    LPCRECT asRect = rect;
    EXPECT_EQ(asRect->right, 22);
}
