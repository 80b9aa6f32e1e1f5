#include "HtmlLayout.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <vector>

namespace preview {

namespace {

constexpr int kPreferredMeasureWidth = 2000;
// Element placements one layout may make; past it nested content is left where it is.
constexpr long long kLayoutBudget = 1'000'000;
constexpr long long kFarPixels = 1'000'000'000;

int Pixels(long long value) { return static_cast<int>(std::clamp<long long>(value, -kFarPixels, kFarPixels)); }
int PagePixels(int value) { return std::clamp(value, 0, kMaxLayoutPixels); }

bool IsBreak(const BrowserElement* e) { return e != nullptr && e->kind == kElementBreak; }
bool IsBox(const BrowserElement* e) { return e != nullptr && e->kind == kElementBox; }

void MoveTree(BrowserElementList& elements, int dx, int dy, int depth) {
  if (depth > kMaxLayoutNesting) return;
  for (auto& e : elements) {
    e->x = Pixels(static_cast<long long>(e->x) + dx);
    e->y = Pixels(static_cast<long long>(e->y) + dy);
    MoveTree(e->children, dx, dy, depth + 1);
  }
}

void ResetMeasures(BrowserElementList& elements, int depth) {
  if (depth > kMaxLayoutNesting) return;
  for (auto& e : elements) {
    e->minimumWidth = e->contentMinimumWidth = e->preferredWidth = e->measuredForWidth = -1;
    ResetMeasures(e->children, depth + 1);
  }
}

// The widest right edge of laid-out content; one-space runs outside preformatted text
// do not count (a trailing space never widens a column).
int RightEdge(const BrowserElementList& elements) {
  int right = 0;
  for (const auto& e : elements)
    if (!(IsOneSpaceRun(*e) && !e->preformatted)) right = std::max(right, Pixels(static_cast<long long>(e->x) + e->width));
  return right;
}

// Right edge minus left edge of the content, breaks left out.
int ContentExtent(const BrowserElementList& elements) {
  int left = INT_MAX, right = 0;
  for (const auto& e : elements) {
    if (e->kind == kElementBreak || (IsOneSpaceRun(*e) && !e->preformatted)) continue;
    left = std::min(left, e->x);
    right = std::max(right, Pixels(static_cast<long long>(e->x) + e->width));
  }
  return left == INT_MAX ? 0 : std::max(0, right - left);
}

int Bottom(const BrowserElementList& elements) {
  int bottom = 0;
  for (const auto& e : elements) bottom = std::max(bottom, Pixels(static_cast<long long>(e->y) + e->height));
  return bottom;
}

// Hands out `amount` pixels one at a time, in turn over `values` in order, each value
// taking at most its `room`; computed in one go. Returns what was handed out.
long long HandOut(const std::vector<int*>& values, const std::vector<long long>& room, long long amount) {
  if (values.empty() || amount <= 0) return 0;
  std::vector<long long> sorted(room);
  std::sort(sorted.begin(), sorted.end());
  const long long capacity = std::accumulate(sorted.begin(), sorted.end(), 0LL);
  if (capacity <= amount) {
    for (std::size_t i = 0; i < values.size(); ++i) *values[i] = Pixels(*values[i] + room[i]);
    return capacity;
  }
  // The level every value reaches in full sweeps, then one more for the first ones.
  long long level = 0, given = 0;
  std::size_t index = 0;
  while (true) {
    while (index < sorted.size() && sorted[index] <= level) ++index;
    const long long open = static_cast<long long>(sorted.size() - index);
    const long long nextLevel = index < sorted.size() ? sorted[index] : level;
    const long long sweep = (nextLevel - level) * open;
    if (given + sweep > amount || open == 0) {
      level += (amount - given) / open;
      given = 0;
      for (long long r : room) given += std::min(r, level);
      break;
    }
    given += sweep;
    level = nextLevel;
  }
  long long left = amount - given;
  for (std::size_t i = 0; i < values.size(); ++i) {
    long long add = std::min(room[i], level);
    if (left > 0 && room[i] > level) {
      ++add;
      --left;
    }
    *values[i] = Pixels(*values[i] + add);
  }
  return amount;
}

struct Float {
  int side = 0;  // 0 left, 1 right
  int width = 0;
  int bottom = 0;
};

struct Column {
  int width = 0, minimum = 0, preferred = 0;
  bool fixed = false;
};

struct PlacedCell {
  BrowserElement* box = nullptr;
  int row = 0, column = 0, span = 1, rowSpan = 1;
};

class Layouter {
 public:
  explicit Layouter(LayoutImageSizer& images) : images_(images) {}

  void Lay(BrowserElementList& list, const LayoutArea& area, int depth) {
    if (depth > kMaxLayoutNesting || budget_ <= 0) return;
    Walk walk(list, area);
    const std::size_t count = list.size();
    for (std::size_t j = 0; j <= count; ++j) {
      if (--budget_ <= 0) return;
      BrowserElement* e = j < count ? list[j].get() : nullptr;
      if (e != nullptr && e->kind == kElementImage) images_.SizeImage(*e);
      if (IsBreak(e) && e->width != 0) e->width = 1;
      if (IsBox(e)) {
        if (j > walk.lineStart) FinishLine(walk, j);
        j = Table(walk, j, depth) - 1;
        continue;
      }
      // A word wider than the narrowed area ends every float.
      if (e != nullptr && e->kind == kElementText && j == walk.lineStart && !walk.floats.empty() && !e->text.empty() &&
          e->text.front() != u' ' && e->width > walk.RightEdge() - walk.LeftEdge())
        EndFloats(walk, [](const Float&) { return true; }, true);
      bool ends = e == nullptr || e->kind == kElementBreak ||
                  (j > walk.lineStart && !IsOneSpaceRun(*e) && walk.x + static_cast<long long>(e->width) > walk.RightEdge());
      if (ends && e != nullptr && e->preformatted && e->kind != kElementBreak) ends = false;
      if (ends) FinishLine(walk, j);
      if (e != nullptr && e->kind != kElementBreak) {
        e->x = walk.x;
        e->y = walk.y;
        walk.x = Pixels(static_cast<long long>(walk.x) + e->width);
      }
    }
  }

 private:
  struct Walk {
    Walk(BrowserElementList& list, const LayoutArea& area)
        : list(list), area(area), x(area.left), y(area.top) {}
    BrowserElementList& list;
    LayoutArea area;
    int x, y;
    std::size_t lineStart = 0;
    std::vector<Float> floats;
    int leftIndent = 0, rightIndent = 0;

    int LeftEdge() const { return Pixels(static_cast<long long>(area.left) + leftIndent); }
    int RightEdge() const { return Pixels(static_cast<long long>(area.left) + area.width - rightIndent); }
    BrowserElement* At(std::size_t i) const { return i < list.size() ? list[i].get() : nullptr; }
  };

  template <typename Ends>
  static void EndFloats(Walk& walk, Ends ends, bool clearing) {
    int lowest = walk.y;
    std::vector<Float> kept;
    for (const Float& f : walk.floats) {
      // A float stays while a lower one on its side is still in force, unless cleared.
      const bool underAnother = !clearing && std::any_of(walk.floats.begin(), walk.floats.end(), [&](const Float& o) {
        return o.side == f.side && o.bottom > f.bottom && !ends(o);
      });
      if (ends(f) && !underAnother) lowest = std::max(lowest, f.bottom);
      else kept.push_back(f);
    }
    walk.floats.swap(kept);
    walk.leftIndent = walk.rightIndent = 0;
    for (const Float& f : walk.floats) (f.side == 0 ? walk.leftIndent : walk.rightIndent) += f.width;
    if (clearing) walk.y = lowest;
  }

  // Ends the line that runs from walk.lineStart up to (not including) element j.
  void FinishLine(Walk& walk, std::size_t j) {
    BrowserElementList& list = walk.list;
    BrowserElement* end = walk.At(j);
    const bool endFollowedByBox = IsBox(walk.At(j + 1));
    const int available = std::max(0, walk.RightEdge() - walk.LeftEdge());
    if (IsBreak(end) && end->height > 0 && !endFollowedByBox) {  // a rule spans the line
      end->width = std::max(1, available);
      end->edges = kEdgeFrame;
    }

    int lineHeight = 0;
    long long lineWidth = 0;
    for (std::size_t i = walk.lineStart; i < j; ++i) {
      const BrowserElement& e = *list[i];
      if (e.kind != kElementBreak) lineHeight = std::max(lineHeight, e.height);
      const bool trailingSpace = i + 1 == j && IsOneSpaceRun(e);
      if (e.alignment != kAlignLeft && !trailingSpace) lineWidth += e.width;
    }
    const std::int32_t alignment = j > walk.lineStart ? list[walk.lineStart]->alignment : kAlignLeft;
    long long offset = 0;
    if (alignment == kAlignCentre) offset = std::max(0LL, (available - lineWidth) / 2);
    else if (alignment == kAlignRight) offset = std::max(0LL, available - lineWidth);

    const int lineTop = walk.y;
    const int lineBottom = Pixels(static_cast<long long>(lineTop) + lineHeight);
    for (std::size_t i = walk.lineStart; i < j; ++i) {
      BrowserElement& e = *list[i];
      if (e.kind == kElementBreak) {
        e.x = walk.LeftEdge();
        // A rule sits in the middle of its line; other breaks mark the line's bottom.
        e.y = e.height > 0 && e.width > 1 ? lineTop + (lineHeight - e.height) / 2 : lineBottom;
        continue;
      }
      e.y = Pixels(static_cast<long long>(lineBottom) - e.height);
      if (e.width < available) e.x = Pixels(e.x + offset);
    }

    const std::size_t lineLength = j - walk.lineStart;
    if (alignment == kAlignJustify && walk.area.width > 0 && !IsBreak(end) && end != nullptr && lineLength > 2)
      Justify(walk, j, available - lineWidth);

    if (IsBreak(end)) {
      end->x = walk.LeftEdge();
      end->y = lineBottom;
    }
    walk.y = lineBottom;
    // Floats end when the line passes them, at a clearing break, or at the end.
    const int y = walk.y;
    if (end == nullptr || (IsBreak(end) && end->clear != 0))
      EndFloats(walk, [](const Float&) { return true; }, end != nullptr);
    else
      EndFloats(walk, [y](const Float& f) { return y >= f.bottom; }, false);
    walk.x = walk.LeftEdge();
    walk.lineStart = j;
  }

  // Hands the missing width out one pixel at a time in sweeps from the line's third
  // element: each element moves right by the pixels given to it and to those before it.
  static void Justify(Walk& walk, std::size_t j, long long missing) {
    if (missing <= 0) return;
    std::size_t eligible = 0;
    for (std::size_t i = walk.lineStart + 2; i < j; ++i) eligible += IsOneSpaceRun(*walk.list[i]) ? 0 : 1;
    if (eligible == 0) return;
    const long long sweeps = missing / static_cast<long long>(eligible);
    const long long rest = missing % static_cast<long long>(eligible);
    long long seen = 0;
    for (std::size_t i = walk.lineStart + 2; i < j; ++i) {
      BrowserElement& e = *walk.list[i];
      if (!IsOneSpaceRun(e)) ++seen;
      e.x = Pixels(e.x + sweeps * seen + std::min(rest, seen));
    }
  }

  // Lays out the table whose first box is element `start`; returns the index after it.
  std::size_t Table(Walk& walk, std::size_t start, int depth) {
    BrowserElementList& list = walk.list;
    std::vector<std::vector<BrowserElement*>> rows;
    std::size_t i = start;
    for (std::int32_t row = 0; i < list.size(); ++row) {
      std::vector<BrowserElement*> cells;
      std::int32_t expectedColumn = 0;
      while (IsBox(list[i].get()) && list[i]->row == row && list[i]->column == expectedColumn) {
        cells.push_back(list[i].get());
        expectedColumn = static_cast<std::int32_t>(std::min<long long>(static_cast<long long>(expectedColumn) + list[i]->columnSpan, INT32_MAX));
        if (++i == list.size()) break;
      }
      if (cells.empty()) break;
      rows.push_back(std::move(cells));
      if (i < list.size() && IsBreak(list[i].get())) ++i;
      else break;
    }
    if (rows.empty()) {  // a box that starts no table: laid out alone
      rows.push_back({list[start].get()});
      i = start + 1;
    }

    const BrowserElement& first = *rows.front().front();
    const int spacing = PagePixels(first.spacing);
    const int border = PagePixels(first.border);
    const int padding = PagePixels(first.padding);
    const std::vector<PlacedCell> cells = PlaceCells(rows);
    int columnCount = 0;
    for (const PlacedCell& c : cells) columnCount = std::max(columnCount, c.column + c.span);
    std::vector<Column> columns(static_cast<std::size_t>(columnCount));
    std::vector<int> rowHeights(rows.size(), 0);
    std::vector<bool> rowFixed(rows.size(), false);

    MeasureColumns(cells, columns, walk.area.width, spacing, padding, depth);
    const int target = TargetWidth(first.tableWidth, walk.area.width);
    FitColumns(columns, target, first.tableWidth != 0, spacing, border, padding);
    MeasureRows(cells, columns, rowHeights, rowFixed, PagePixels(first.tableHeight), spacing, padding, depth);

    long long tableWidth = spacing + 2LL * border;
    for (const Column& c : columns) tableWidth += spacing + 2LL * padding + c.width;
    long long tableHeight = spacing + 2LL * border;
    for (int h : rowHeights) tableHeight += h + 2LL * padding + spacing;

    const long long available = walk.RightEdge() - walk.LeftEdge();
    long long offset = 0;
    if (first.alignment == kAlignCentre) offset = std::max(0LL, (available - tableWidth) / 2);
    else if (first.alignment == kAlignRight) offset = std::max(0LL, available - tableWidth);
    const int tableX = Pixels(walk.LeftEdge() + offset);
    const int tableY = walk.y;

    if (start > 0 && IsBreak(list[start - 1].get())) {
      BrowserElement& frame = *list[start - 1];
      frame.x = tableX;
      frame.y = tableY;
      frame.width = Pixels(tableWidth);
      frame.height = Pixels(tableHeight);
      frame.edges = kEdgeFrame;
      frame.edgeWidth = border;
      frame.edgeColour = first.edgeColour != 0 ? first.edgeColour : kEdgeRaised;
    }
    PositionCells(cells, columns, rowHeights, tableX, tableY, spacing, border, padding);

    if (first.floatSide == 0 || first.floatSide == 1) {
      const int width = Pixels(tableWidth);
      walk.floats.push_back(Float{first.floatSide, width, Pixels(tableY + tableHeight)});
      (first.floatSide == 0 ? walk.leftIndent : walk.rightIndent) += width;
    } else {
      walk.y = Pixels(tableY + tableHeight);
    }
    walk.x = walk.LeftEdge();
    walk.lineStart = i;
    return i;
  }

  // Columns of the cells: each row's cells step over the columns that cells with row
  // spans from rows above still cover.
  static std::vector<PlacedCell> PlaceCells(const std::vector<std::vector<BrowserElement*>>& rows) {
    std::vector<PlacedCell> placed;
    std::vector<int> covered(kMaxTableColumns, 0);
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const std::size_t first = placed.size();
      int next = 0;
      for (BrowserElement* box : rows[r]) {
        while (next < kMaxTableColumns && covered[static_cast<std::size_t>(next)] > 0) ++next;
        PlacedCell cell;
        cell.box = box;
        cell.row = static_cast<int>(r);
        cell.column = std::min(next, kMaxTableColumns - 1);
        cell.span = std::clamp(box->columnSpan, 1, kMaxTableColumns - cell.column);
        cell.rowSpan = static_cast<int>(std::clamp<long long>(box->rowSpan, 1, static_cast<long long>(rows.size() - r)));
        next = cell.column + cell.span;
        placed.push_back(cell);
      }
      for (int& c : covered) c = std::max(0, c - 1);
      for (std::size_t k = first; k < placed.size(); ++k)
        for (int c = placed[k].column; c < placed[k].column + placed[k].span; ++c)
          covered[static_cast<std::size_t>(c)] = std::max(covered[static_cast<std::size_t>(c)], placed[k].rowSpan - 1);
    }
    return placed;
  }

  void MeasureColumns(const std::vector<PlacedCell>& cells, std::vector<Column>& columns, int areaWidth, int spacing,
                      int padding, int depth) {
    const int widthKey = areaWidth > 0 ? 1 : 0;
    for (const PlacedCell& cell : cells) {
      if (cell.span != 1) continue;
      BrowserElement& box = *cell.box;
      Column& column = columns[static_cast<std::size_t>(cell.column)];
      const int cellWidth = PagePixels(box.cellWidth);
      if (cellWidth == 0) {
        if (box.minimumWidth < 0 || box.measuredForWidth != widthKey) {
          Lay(box.children, LayoutArea{}, depth + 1);
          box.minimumWidth = box.contentMinimumWidth = RightEdge(box.children);
          box.preferredWidth = box.minimumWidth;
          if (areaWidth > 0) {
            Lay(box.children, LayoutArea{0, 0, kPreferredMeasureWidth, 0}, depth + 1);
            box.preferredWidth = std::max(box.minimumWidth, ContentExtent(box.children));
          }
          box.measuredForWidth = widthKey;
        }
        column.width = std::max(column.width, box.minimumWidth);
        column.minimum = std::max(column.minimum, box.minimumWidth);
        column.preferred = std::max(column.preferred, box.preferredWidth);
      } else {
        Lay(box.children, LayoutArea{}, depth + 1);
        column.width = std::max({column.width, RightEdge(box.children), cellWidth});
        column.preferred = column.width;
        column.fixed = true;
      }
    }
    for (const PlacedCell& cell : cells) {
      if (cell.span == 1) continue;
      BrowserElement& box = *cell.box;
      Lay(box.children, LayoutArea{}, depth + 1);
      const long long needed = std::max<long long>(ContentExtent(box.children), PagePixels(box.cellWidth));
      long long offered = static_cast<long long>(cell.span - 1) * (spacing + 2LL * padding);
      std::vector<int*> widths;
      for (int c = cell.column; c < cell.column + cell.span; ++c) offered += columns[static_cast<std::size_t>(c)].width;
      for (int c = cell.column; c < cell.column + cell.span; ++c)
        if (columns[static_cast<std::size_t>(c)].width > 0 && !columns[static_cast<std::size_t>(c)].fixed)
          widths.push_back(&columns[static_cast<std::size_t>(c)].width);
      const bool onlyEmpty = widths.empty();
      if (onlyEmpty)
        for (int c = cell.column; c < cell.column + cell.span; ++c)
          if (!columns[static_cast<std::size_t>(c)].fixed) widths.push_back(&columns[static_cast<std::size_t>(c)].width);
      HandOut(widths, std::vector<long long>(widths.size(), kFarPixels), needed - offered);
      for (int c = cell.column; c < cell.column + cell.span; ++c) {
        Column& column = columns[static_cast<std::size_t>(c)];
        if (onlyEmpty && !column.fixed) column.minimum = std::max(column.minimum, column.width);
        column.preferred = std::max(column.preferred, column.width);
      }
    }
  }

  static int TargetWidth(int tableWidth, int areaWidth) {
    if (tableWidth > 0) return PagePixels(tableWidth);
    if (tableWidth < 0 && areaWidth > 0)
      return PagePixels(static_cast<int>(static_cast<long long>(areaWidth) * std::min(-static_cast<long long>(tableWidth), 1000LL) / 100));
    return std::max(0, areaWidth);
  }

  static void FitColumns(std::vector<Column>& columns, int target, bool hasTableWidth, int spacing, int border,
                         int padding) {
    if (target <= 0) return;
    const auto tableWidth = [&] {
      long long width = spacing + 2LL * border;
      for (const Column& c : columns) width += spacing + 2LL * padding + c.width;
      return width;
    };
    for (int round = 0; round < 4; ++round) {
      long long width = tableWidth();
      bool changed = false;
      if (width < target) {
        std::vector<int*> widths;
        std::vector<long long> room;
        for (Column& c : columns)
          if (!c.fixed && c.width < c.preferred) {
            widths.push_back(&c.width);
            room.push_back(c.preferred - c.width);
          }
        long long grown = HandOut(widths, room, target - width);
        if (grown == 0 && hasTableWidth) {
          widths.clear();
          for (Column& c : columns)
            if (!c.fixed) widths.push_back(&c.width);
          grown = HandOut(widths, std::vector<long long>(widths.size(), kFarPixels), target - width);
          for (Column& c : columns) c.preferred = std::max(c.preferred, c.width);
        }
        changed = grown > 0;
      } else if (width > target) {
        // The widest fixed column gives up a pixel at a time, down to 10 or its minimum.
        for (long long excess = width - target, steps = 0; excess > 0 && steps < kMaxLayoutPixels; --excess, ++steps) {
          Column* widest = nullptr;
          for (Column& c : columns)
            if (c.fixed && c.width > 10 && c.width > c.minimum && (widest == nullptr || c.width > widest->width)) widest = &c;
          if (widest == nullptr) break;
          --widest->width;
          widest->preferred = widest->width;
          changed = true;
        }
      }
      if (!changed || tableWidth() == target) break;
    }
  }

  static int ContentWidth(const PlacedCell& cell, const std::vector<Column>& columns, int spacing, int padding) {
    long long width = static_cast<long long>(cell.span - 1) * (spacing + 2LL * padding);
    for (int c = cell.column; c < cell.column + cell.span; ++c) width += columns[static_cast<std::size_t>(c)].width;
    return Pixels(width);
  }

  void MeasureRows(const std::vector<PlacedCell>& cells, const std::vector<Column>& columns, std::vector<int>& rows,
                   std::vector<bool>& fixed, int tableHeight, int spacing, int padding, int depth) {
    for (int pass = 0; pass < 2; ++pass) {
      for (const PlacedCell& cell : cells) {
        if ((cell.rowSpan == 1) != (pass == 0)) continue;
        BrowserElement& box = *cell.box;
        Lay(box.children, LayoutArea{0, 0, ContentWidth(cell, columns, spacing, padding), 0}, depth + 1);
        const int bottom = Bottom(box.children);
        const int cellHeight = PagePixels(box.cellHeight);
        const auto row = static_cast<std::size_t>(cell.row);
        if (pass == 0) {
          rows[row] = std::max({rows[row], bottom, cellHeight});
          if (cellHeight > 0) fixed[row] = true;
          continue;
        }
        long long offered = static_cast<long long>(cell.rowSpan - 1) * (spacing + 2LL * padding);
        std::vector<int*> heights;
        for (std::size_t r = row; r < row + static_cast<std::size_t>(cell.rowSpan); ++r) {
          offered += rows[r];
          heights.push_back(&rows[r]);
        }
        HandOut(heights, std::vector<long long>(heights.size(), kFarPixels), std::max<long long>(bottom, cellHeight) - offered);
      }
    }
    long long sum = 0;
    std::vector<int*> open;
    for (std::size_t r = 0; r < rows.size(); ++r) {
      sum += rows[r];
      if (!fixed[r]) open.push_back(&rows[r]);
    }
    HandOut(open, std::vector<long long>(open.size(), kFarPixels), tableHeight - sum);
  }

  static void PositionCells(const std::vector<PlacedCell>& cells, const std::vector<Column>& columns,
                            const std::vector<int>& rows, int tableX, int tableY, int spacing, int border, int padding) {
    std::vector<long long> columnLeft(columns.size() + 1), rowTop(rows.size() + 1);
    columnLeft[0] = static_cast<long long>(tableX) + border + spacing;
    for (std::size_t c = 0; c < columns.size(); ++c) columnLeft[c + 1] = columnLeft[c] + columns[c].width + 2LL * padding + spacing;
    rowTop[0] = static_cast<long long>(tableY) + border + spacing;
    for (std::size_t r = 0; r < rows.size(); ++r) rowTop[r + 1] = rowTop[r] + rows[r] + 2LL * padding + spacing;
    for (const PlacedCell& cell : cells) {
      BrowserElement& box = *cell.box;
      const auto c = static_cast<std::size_t>(cell.column);
      const auto r = static_cast<std::size_t>(cell.row);
      box.x = Pixels(columnLeft[c]);
      box.y = Pixels(rowTop[r]);
      box.width = Pixels(columnLeft[c + static_cast<std::size_t>(cell.span)] - columnLeft[c] - spacing);
      box.height = Pixels(rowTop[r + static_cast<std::size_t>(cell.rowSpan)] - rowTop[r] - spacing);
      const int inner = box.height - 2 * padding;
      const int slack = std::max(0, inner - Bottom(box.children));
      const int shift = box.verticalAlignment == 1 ? slack : box.verticalAlignment == 2 ? slack / 2 : 0;
      MoveTree(box.children, box.x + padding, box.y + padding + shift, 0);
    }
  }

  LayoutImageSizer& images_;
  long long budget_ = kLayoutBudget;
};

}  // namespace

bool IsOneSpaceRun(const BrowserElement& element) {
  return element.kind == kElementText && element.text.size() == 1 && element.text[0] == u' ';
}

void LayoutDocument(BrowserElementList& elements, LayoutArea& area, LayoutImageSizer& images) {
  area.width = std::max(0, area.width - 2);
  ResetMeasures(elements, 0);
  Layouter(images).Lay(elements, area, 0);
  int right = 0, bottom = 0;
  for (const auto& e : elements) {
    if (IsOneSpaceRun(*e)) continue;
    right = std::max(right, Pixels(static_cast<long long>(e->x) + e->width));
    bottom = std::max(bottom, Pixels(static_cast<long long>(e->y) + e->height));
  }
  area.width = right;
  area.height = bottom;
}

}  // namespace preview
