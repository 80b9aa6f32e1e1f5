// Table grids: widths, spacing, spans, stretching, alignment and frames.
#include <gtest/gtest.h>

#include "FakeMarkupCanvas.h"
#include "MarkupDrawer.h"
#include "MarkupScan.h"

namespace markup {
namespace {

using testing::FakeMarkupCanvas;

// A one-letter cell is 10 wide and 13 high; the default padding of 2 makes it 14 x 17.
struct Table {
  CMarkupDrawer drawer;
  FakeMarkupCanvas canvas;
  Size size;
  Table(const std::u16string& markup, int drawWidth) {
    size = drawer.PrepareOutput(canvas, markup);
    // By default drawn at the natural width (PrepareOutput adds one pixel).
    drawer.DrawPreparedOutput(canvas, Rect{0, 0, drawWidth ? drawWidth : size.cx - 1, 1000});
  }
  const MarkupTableLayout& Layout(int index = 0) const { return drawer.TableLayouts().at(index); }
};

struct WidthCase {
  const char16_t* markup;
  int drawWidth;
  std::vector<int> columnWidths;  // after the drawing pass
  int measuredWidth;              // PrepareOutput's width, 1 added
};

class TableWidthTest : public ::testing::TestWithParam<WidthCase> {};

TEST_P(TableWidthTest, SizesColumns) {
  const WidthCase& c = GetParam();
  Table table(c.markup, c.drawWidth);
  EXPECT_EQ(table.Layout().columnWidths, c.columnWidths);
  EXPECT_EQ(table.size.cx, c.measuredWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Grids, TableWidthTest,
    ::testing::Values(
        // A fixed first column keeps 40 + padding; the free second takes all the extra width.
        WidthCase{u"<table><tr><td width=40>a</td><td>b</td></tr></table>", 200, {44, 155}, 1 + 44 + 14 + 1},
        // Both fixed: the table keeps its natural width.
        WidthCase{u"<table><tr><td width=40>a</td><td width=20>b</td></tr></table>", 200, {44, 24}, 1 + 44 + 24 + 1},
        // cellspacing 2: 2 before, 2 + 1 between and 2 after the columns.
        WidthCase{u"<table cellspacing=2><tr><td>a</td><td>b</td></tr></table>", 0, {14, 14}, 28 + 7 + 1},
        // A spanning cell wider than its columns: the shares are equal, the last column takes the odd pixel.
        WidthCase{u"<table><tr><td>a</td><td>b</td></tr><tr><td colspan=2 width=101>c</td></tr></table>", 0,
                  {52, 53}, 1 + 105 + 1}));

TEST(TableLayoutTest, RowspanSkipsTheCoveredCellOfTheNextRow) {
  Table table(u"<table><tr><td rowspan=2>aaaa</td><td>b</td></tr><tr><td>c</td></tr></table>", 0);
  const MarkupTableLayout& layout = table.Layout();
  ASSERT_EQ(layout.Columns(), 2);
  EXPECT_EQ(layout.rows[1][0].colspan, -1);
  EXPECT_EQ(layout.rows[1][1].colspan, 1);
  auto c = std::find_if(table.canvas.texts.begin(), table.canvas.texts.end(), [](auto& t) { return t.text == u"c"; });
  ASSERT_NE(c, table.canvas.texts.end());
  EXPECT_EQ(c->x, 1 + 44 + 2);  // in the second column
}

TEST(TableLayoutTest, FramesAndBackgrounds) {
  Table table(u"<table border=2 bordercolorlight=white bordercolordark=black>"
              u"<tr><td border=3 bgcolor=red>a</td><td bgeffect=hgradient bgcolor=blue bgendcolor=white>b</td></tr></table>",
              0);
  // Cells take the table's border as one pixel, sunken: dark at the top left.
  ASSERT_EQ(table.canvas.frames.size(), 3u);
  EXPECT_EQ(table.canvas.frames[0].width, 2);
  EXPECT_EQ(table.canvas.frames[0].topLeft, 0xFFFFFFu);  // raised table
  EXPECT_EQ(table.canvas.frames[1].width, 1);
  EXPECT_EQ(table.canvas.frames[1].topLeft, 0u);
  ASSERT_EQ(table.canvas.fills.size(), 2u);
  EXPECT_EQ(table.canvas.fills[0].effect, 0);
  EXPECT_EQ(table.canvas.fills[0].c1, 0x0000FFu);
  EXPECT_EQ(table.canvas.fills[1].effect, 1);
  Table doubled(u"<table borderstyle=double border=5><tr><td>a</td></tr></table>", 0);
  EXPECT_EQ(doubled.size.cx, 16 + 6 + 1);  // the cell inherits a one-pixel border
}

TEST(TableLayoutTest, VerticalAlignmentAndNestedTables) {
  Table table(u"<table><tr><td>a<br>b<br>c</td><td valign=bottom>x</td><td valign=middle>y</td></tr></table>", 0);
  auto find = [&](const char16_t* text) {
    return std::find_if(table.canvas.texts.begin(), table.canvas.texts.end(), [&](auto& t) { return t.text == text; })->y;
  };
  // The cell's content moves down; its text keeps the cell's vertical alignment on the line.
  EXPECT_EQ(find(u"x"), (2 + 3 * 13 - 13) + 13 - 10);
  EXPECT_EQ(find(u"y"), 2 + (3 * 13 - 13) / 2);
  Table nested(u"<table><tr><td><table><tr><td>in</td></tr></table></td></tr></table>", 0);
  ASSERT_EQ(nested.drawer.TableLayouts().size(), 2u);
  EXPECT_EQ(nested.Layout(1).columnWidths, (std::vector<int>{24}));
  EXPECT_EQ(nested.Layout(0).columnWidths, (std::vector<int>{24 + 4}));
}

TEST(TableLayoutTest, HostileTablesStayBounded) {
  std::u16string deep;
  for (int i = 0; i < 50; ++i) deep += u"<table><tr><td>";
  deep += u"x";
  Table table(deep, 0);
  EXPECT_LE(static_cast<int>(table.drawer.TableLayouts().size()), 50);
  Table wide(u"<table><tr><td colspan=1000000 rowspan=1000000 width=99999999 height=-5>a</td></tr></table>", 0);
  EXPECT_LE(wide.size.cx, limits::kMaxBoxSize + limits::kMaxSpan + 16);
  Table empty(u"<table></table><table><tr></tr></table>", 0);
  EXPECT_EQ(empty.drawer.TableLayouts().size(), 2u);
}

// Hostile nesting and width lay out at once: the scans for the ends of tables,
// rows and cells pass over the text a bounded number of times. (The test's
// timeout is the bound; before, such texts took minutes.)
TEST(TableLayoutTest, TablesNestedTenThousandDeepLayOutAtOnce) {
  std::u16string deep;
  for (int i = 0; i < 10000; ++i) deep += u"<table><tr><td>";
  deep += u"x";
  for (int i = 0; i < 10000; ++i) deep += u"</td></tr></table>";
  Table table(deep, 0);
  EXPECT_LE(static_cast<int>(table.drawer.TableLayouts().size()), limits::kMaxTableNesting + 1);
  EXPECT_EQ(FindTableEnd(deep, 0), deep.size() - 8);
}

TEST(TableLayoutTest, TenThousandCellsInARowLayOutAtOnce) {
  std::u16string wide = u"<table><tr>";
  for (int i = 0; i < 10000; ++i) wide += u"<td>c</td>";
  wide += u"</tr></table>";
  Table table(wide, 0);
  EXPECT_EQ(table.Layout().Columns(), limits::kMaxTableColumns);
  EXPECT_EQ(FindRowEnd(wide, 7), wide.size() - 13);
}

}  // namespace
}  // namespace markup
