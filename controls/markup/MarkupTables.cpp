// Tables: grid sizing by span in the measuring pass, stretching, backgrounds,
// frames, rows and cells in the drawing pass.
#include "MarkupDrawer.h"
#include "MarkupScan.h"

namespace markup {
namespace {

int FrameAllowance(const MarkupStyle& style) { return style.borderStyle == 6 ? 3 : style.borderWidth; }

std::u16string_view FirstTagParams(std::u16string_view text, std::u16string& params) {
  size_t pos = 0;
  std::u16string tag;
  NextTextChunk(text, pos, tag);
  SplitTag(tag, params);
  return text.substr(pos);
}

// Offset of the text right after the element's own tag.
size_t AfterFirstTag(std::u16string_view text) {
  size_t close = text.find(u'>');
  return close == std::u16string_view::npos ? text.size() : close + 1;
}

}  // namespace

void CMarkupDrawer::CloseElement(const char16_t* name) {
  style_.name = name;
  PushPopStyle(true);
  SelectStyleFont();
}

std::pair<int, int> CMarkupDrawer::ParseBoxAttributes(std::u16string_view params, MarkupStyle& style, bool table) {
  int colspan = 1, rowspan = 1;
  size_t pos = 0;
  std::u16string name;
  while (pos < params.size()) {
    std::u16string value = NextAttribute(params, pos, name);
    if (table && name == u"cellpadding") {
      style.padding = Clamp(ParseSize(value, style.padding), 0, limits::kMaxCellPadding);
    } else if (table && name == u"cellspacing") {
      style.spacing = Clamp(ParseSize(value, style.spacing), 0, limits::kMaxCellPadding);
    } else if (table && name == u"background") {
      style.backgroundImage = value;
    } else if (name == u"rowspan") {
      rowspan = Clamp(ParseSize(value, 1), 1, limits::kMaxSpan);
    } else if (name == u"colspan") {
      colspan = Clamp(ParseSize(value, 1), 1, limits::kMaxSpan);
    } else if (name == u"border") {
      style.borderWidth = Clamp(ParseSize(value, style.borderWidth), 0, limits::kMaxBorderWidth);
      if (style.borderWidth == 0) style.borderStyle = 0;
      else if (style.borderStyle == 0) style.borderStyle = 1;
    } else if (name == u"borderstyle") {
      style.borderStyle = ParseBorderStyle(value, style.borderStyle);
      if (style.borderStyle != 0 && style.borderWidth == 0) style.borderWidth = 1;
    } else if (name == u"bordercolor") {
      style.borderLight = style.borderDark = enabled_ ? ParseColor(value, style.borderLight) : disabledColor_;
    } else if (name == u"bordercolorlight") {
      style.borderLight = enabled_ ? ParseColor(value, style.borderLight) : disabledColor_;
    } else if (name == u"bordercolordark") {
      style.borderDark = enabled_ ? ParseColor(value, style.borderDark) : disabledColor_;
    } else if (name == u"bgcolor") {
      if (enabled_) {
        style.backgroundColor = ParseColor(value, style.backgroundColor);
        if (style.backgroundEffect == -1) style.backgroundEffect = 0;
      }
    } else if (name == u"bgmidcolor") {
      if (enabled_) style.backgroundMiddle = ParseColor(value, style.backgroundMiddle);
    } else if (name == u"bgendcolor") {
      if (enabled_) style.backgroundEnd = ParseColor(value, style.backgroundEnd);
    } else if (name == u"bgeffect") {
      if (enabled_) style.backgroundEffect = Clamp(ParseEffect(value, style.backgroundEffect, canvas_), -1, 255);
    } else if (name == u"align") {
      style.horizontalAlign = ParseHAlign(value, style.horizontalAlign);
    } else if (name == u"valign") {
      style.verticalAlign = ParseVAlign(value, style.verticalAlign);
    } else if (name == u"width") {
      style.width = Clamp(ParseSize(value, style.width), 0, limits::kMaxBoxSize);
    } else if (name == u"height") {
      style.height = Clamp(ParseSize(value, style.height), 0, limits::kMaxBoxSize);
    }
  }
  if (style.borderStyle == 0 || style.borderWidth == 0) style.borderStyle = style.borderWidth = 0;
  if (style.borderStyle != 0 && style.borderStyle != 1) style.borderWidth = 1;
  if (!table && style.borderWidth != 0) style.borderWidth = 1;
  return {colspan, rowspan};
}

std::pair<int, int> CMarkupDrawer::GetTableSize(std::u16string_view table) {
  int columns = 0, rows = 0;
  size_t pos = 0;
  while (rows < limits::kMaxTableRows && FindMarkupTag(table, u"tr", pos)) {
    ++rows;
    int sum = 0;
    size_t cursor = std::min(table.size(), pos + 3);
    // The row's end is searched for once, not once for every cell.
    size_t rowEnd = cursor;
    bool hasRowEnd = FindMarkupTag(table, u"/tr", rowEnd);
    while (true) {
      if (hasRowEnd && rowEnd < cursor) {
        rowEnd = cursor;
        hasRowEnd = FindMarkupTag(table, u"/tr", rowEnd);
      }
      size_t cell = cursor;
      if (!FindMarkupTagBefore(table, u"td", cell, rowEnd)) {
        cursor = rowEnd;
        break;
      }
      size_t tagEnd = cell;
      std::u16string tag, params;
      NextTextChunk(table, tagEnd, tag);
      SplitTag(tag, params);
      MarkupStyle scratch;
      sum = std::min(sum + ParseBoxAttributes(params, scratch, false).first, limits::kMaxTableColumns);
      cursor = std::max(FindCellEnd(table, cell), cell + 1);
    }
    columns = std::max(columns, sum);
    pos = cursor;
  }
  return {columns, rows};
}

Size CMarkupDrawer::DrawTable(std::u16string_view table, const Rect& rect) {
  ++tableIndex_;
  if (measuring_) {
    auto [columns, rows] = GetTableSize(table);
    MarkupTableLayout layout;
    layout.rows.assign(rows, std::vector<MarkupCell>(columns));
    layout.columnWidths.assign(columns, 0);
    layout.rowHeights.assign(rows, 0);
    layout.fixedColumns.assign(columns, 0);
    tableLayouts_.push_back(std::move(layout));
  }
  if (tableIndex_ >= static_cast<int>(tableLayouts_.size())) return {};  // more tables than measured
  // Tables nested beyond the limit take no space in either pass.
  if (tableDepth_ >= limits::kMaxTableNesting) return {};
  const int index = tableIndex_;
  MarkupTableLayout layout = tableLayouts_[index];
  const int columns = layout.Columns(), rows = layout.Rows();

  std::u16string params;
  FirstTagParams(table, params);
  style_.name = u"table";
  PushPopStyle(false);
  ApplyStyleRule(u"table", style_);
  ParseBoxAttributes(params, style_, true);
  SelectStyleFont();

  const int spacing = style_.spacing;
  const int frame = FrameAllowance(style_);
  Rect tableRect = rect;
  if (!measuring_) {
    long long width = (columns - 1) + spacing + 2LL * frame, height = (rows - 1) + spacing + 2LL * frame;
    for (int w : layout.columnWidths) width += spacing + w;
    for (int h : layout.rowHeights) height += spacing + h;
    const int available = rect.Width();
    if (width < available) {
      int freeColumns = 0;
      for (int fixed : layout.fixedColumns) freeColumns += fixed == 0;
      long long rest = available - width;
      for (int c = 0; c < columns && freeColumns > 0; ++c) {
        if (layout.fixedColumns[c]) continue;
        long long share = rest / freeColumns--;
        layout.columnWidths[c] = Clamp(layout.columnWidths[c] + share, 0, limits::kMaxCoordinate);
        rest -= share;
        width += share;
      }
    }
    int left = rect.left;
    if (width < available && style_.horizontalAlign == 1) left += static_cast<int>((available - width) / 2);
    if (width < available && style_.horizontalAlign == 2) left = rect.right - static_cast<int>(width);
    tableRect = Rect{left, rect.top, SaturatingAdd(left, width), SaturatingAdd(rect.top, height)};

    if (style_.backgroundEffect == -1 && !style_.backgroundImage.empty()) {
      DrawBackgroundImage(tableRect, style_.backgroundImage);
    } else if (style_.backgroundEffect >= 0) {
      canvas_->FillEffect(style_.backgroundEffect, tableRect, style_.backgroundColor, style_.backgroundMiddle,
                          style_.backgroundEnd, 5, 0);
    }
    if (style_.borderWidth > 0) {
      Color light = enabled_ ? style_.borderLight : disabledColor_;
      Color dark = enabled_ ? style_.borderDark : disabledColor_;
      canvas_->DrawFrame(tableRect, light, dark, style_.borderStyle, style_.borderWidth);
    }
  }
  Rect inner = tableRect;
  if (!measuring_) inner = Rect{inner.left + frame, inner.top + frame, inner.right - frame, inner.bottom - frame};

  ++tableDepth_;
  if (columns > 0 && rows > 0) {
    size_t pos = 0;
    for (int row = 0; row < rows && FindMarkupTag(table, u"tr", pos); ++row) {
      size_t rowEnd = FindRowEnd(table, pos);
      DrawTableRow(table.substr(pos, rowEnd - pos), inner, layout, row);
      pos = std::min(table.size(), std::max(rowEnd, pos + 1) + 5);
    }
  }
  --tableDepth_;

  Size size{tableRect.Width(), tableRect.Height()};
  if (measuring_) {
    std::vector<std::vector<MarkupCell>>& cells = layout.rows;
    for (int span = 1; span <= columns; ++span) {
      for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
          const MarkupCell& cell = cells[r][c];
          if (cell.colspan != span) continue;
          if (span == 1) {
            layout.columnWidths[c] = std::max(layout.columnWidths[c], cell.outerWidth);
            if (cell.fixedWidth) layout.fixedColumns[c] = 1;
            continue;
          }
          int last = std::min(c + span, columns);
          long long sum = 0;
          for (int k = c; k < last; ++k) {
            if (cell.fixedWidth) layout.fixedColumns[k] = 1;
            sum += layout.columnWidths[k];
          }
          if (sum < cell.innerWidth) {
            long long share = cell.outerWidth - sum;
            int count = last - c;
            for (int k = c; k < last; ++k) layout.columnWidths[k] += static_cast<int>(share / count);
            layout.columnWidths[last - 1] += static_cast<int>(share % count);
          }
        }
      }
    }
    for (int span = 1; span <= rows; ++span) {
      for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
          const MarkupCell& cell = cells[r][c];
          if (cell.rowspan != span) continue;
          if (span == 1) {
            layout.rowHeights[r] = std::max(layout.rowHeights[r], cell.outerHeight);
            continue;
          }
          int last = std::min(r + span, rows);
          long long sum = 0;
          for (int k = r; k < last; ++k) sum += layout.rowHeights[k];
          if (sum < cell.outerHeight) {
            long long share = cell.outerHeight - sum;
            int count = last - r;
            for (int k = r; k < last; ++k) layout.rowHeights[k] += static_cast<int>(share / count);
            layout.rowHeights[r] += static_cast<int>(share % count);
          }
        }
      }
    }
    long long width = (columns - 1) + spacing + 2LL * frame, height = (rows - 1) + spacing + 2LL * frame;
    for (int w : layout.columnWidths) width += spacing + w;
    for (int h : layout.rowHeights) height += spacing + h;
    size = Size{Clamp(width, 0, limits::kMaxCoordinate), Clamp(height, 0, limits::kMaxCoordinate)};
  }

  tableLayouts_[index] = std::move(layout);
  CloseElement(u"table");
  return size;
}

void CMarkupDrawer::DrawTableRow(std::u16string_view row, const Rect& inner, MarkupTableLayout& layout,
                                 int rowNumber) {
  std::u16string params;
  FirstTagParams(row, params);
  style_.name = u"tr";
  PushPopStyle(false);
  ApplyStyleRule(u"tr", style_);
  ParseBoxAttributes(params, style_, false);
  SelectStyleFont();

  const int columns = layout.Columns(), rows = layout.Rows();
  int column = 0;
  size_t pos = 0;
  size_t rowEnd = 0;
  bool hasRowEnd = FindMarkupTag(row, u"/tr", rowEnd);
  while (true) {
    if (hasRowEnd && rowEnd < pos) {
      rowEnd = pos;
      hasRowEnd = FindMarkupTag(row, u"/tr", rowEnd);
    }
    size_t cellStart = pos;
    if (!FindMarkupTagBefore(row, u"td", cellStart, rowEnd)) break;
    while (column < columns && rowNumber < rows && layout.rows[rowNumber][column].colspan == -1) ++column;
    size_t cellEnd = FindCellEnd(row, cellStart);
    std::u16string_view cellText = row.substr(cellStart, cellEnd - cellStart);
    bool inGrid = column < columns && rowNumber < rows;
    MarkupCell* record = inGrid ? &layout.rows[rowNumber][column] : nullptr;
    if (inGrid) {
      Rect cellRect;
      if (!measuring_) {
        const int spacing = style_.spacing;
        const int colspan = std::max(1, std::min(record->colspan, columns - column));
        const int rowspan = std::max(1, std::min(record->rowspan, rows - rowNumber));
        long long left = inner.left + spacing, top = inner.top + spacing, width = 0, height = 0;
        for (int c = 0; c < column; ++c) left += spacing + layout.columnWidths[c] + 1;
        for (int r = 0; r < rowNumber; ++r) top += spacing + layout.rowHeights[r] + 1;
        for (int c = column; c < column + colspan; ++c) width += layout.columnWidths[c];
        for (int r = rowNumber; r < rowNumber + rowspan; ++r) height += layout.rowHeights[r];
        width += static_cast<long long>(spacing + 1) * (colspan - 1);
        height += static_cast<long long>(spacing + 1) * (rowspan - 1);
        cellRect = Rect{Clamp(left, -limits::kMaxCoordinate, limits::kMaxCoordinate),
                        Clamp(top, -limits::kMaxCoordinate, limits::kMaxCoordinate),
                        Clamp(left + width, -limits::kMaxCoordinate, limits::kMaxCoordinate),
                        Clamp(top + height, -limits::kMaxCoordinate, limits::kMaxCoordinate)};
      }
      DrawTableCell(cellText, cellRect, record);
      if (measuring_) {
        for (int c = column + 1; c < std::min(columns, column + record->colspan); ++c) {
          layout.rows[rowNumber][c].colspan = layout.rows[rowNumber][c].rowspan = -1;
        }
        for (int r = rowNumber + 1; r < std::min(rows, rowNumber + record->rowspan); ++r) {
          layout.rows[r][column].colspan = layout.rows[r][column].rowspan = -1;
        }
      }
      column += std::max(1, record->colspan);
    } else {
      // Past the last column: not drawn, and its span cannot be recorded.
      MarkupStyle scratch;
      column += ParseBoxAttributes(std::u16string_view(), scratch, false).first;
    }
    pos = std::max(cellEnd, cellStart + 1);
  }
  CloseElement(u"tr");
}

void CMarkupDrawer::DrawTableCell(std::u16string_view cell, const Rect& rect, MarkupCell* record) {
  std::u16string params;
  FirstTagParams(cell, params);
  style_.name = u"td";
  PushPopStyle(false);
  ApplyStyleRule(u"td", style_);
  style_.width = style_.height = 0;
  auto [colspan, rowspan] = ParseBoxAttributes(params, style_, false);
  SelectStyleFont();

  const int inset = style_.padding + style_.borderWidth;
  Rect content = rect;
  if (measuring_) {
    *record = MarkupCell{colspan, rowspan, style_.width, 0, 0, 0, style_.width > 0 ? 1 : 0};
    content = Rect{rect.left, rect.top, rect.left + style_.width, rect.top};
  } else {
    if (style_.backgroundEffect >= 0) {
      canvas_->FillEffect(style_.backgroundEffect, rect, style_.backgroundColor, style_.backgroundMiddle,
                          style_.backgroundEnd, 5, 0);
    }
    Color light = enabled_ ? style_.borderLight : disabledColor_;
    Color dark = enabled_ ? style_.borderDark : disabledColor_;
    canvas_->DrawFrame(rect, dark, light, style_.borderStyle, 1);
    content = Rect{rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset};
    if (style_.verticalAlign == 1) content.top += (content.Height() - record->contentHeight) / 2;
    if (style_.verticalAlign == 2) content.top = content.bottom - record->contentHeight;
  }

  size_t pos = AfterFirstTag(cell);
  size_t cellEnd = pos;
  bool hasEnd = FindMarkupTag(cell, u"/td", cellEnd);
  while (pos < cell.size()) {
    if (hasEnd && cellEnd < pos) {
      cellEnd = pos;
      hasEnd = FindMarkupTag(cell, u"/td", cellEnd);
    }
    size_t tableStart = pos;
    bool tableFirst = FindMarkupTagBefore(cell, u"table", tableStart, cellEnd);
    size_t runEnd = tableFirst ? tableStart : cellEnd;
    Size block;
    if (runEnd > pos) {
      block = DrawTextRun(cell.substr(pos, runEnd - pos), content);
      content.top = SaturatingAdd(content.top, block.cy);
      if (measuring_) {
        record->innerWidth = std::max(record->innerWidth, block.cx);
        record->contentHeight = SaturatingAdd(record->contentHeight, block.cy);
      }
    }
    if (!tableFirst) break;
    size_t tableEnd = FindTableEnd(cell, tableStart);
    block = DrawTable(cell.substr(tableStart, tableEnd - tableStart), content);
    content.top = SaturatingAdd(content.top, block.cy);
    if (measuring_) {
      record->innerWidth = std::max(record->innerWidth, block.cx);
      record->contentHeight = SaturatingAdd(record->contentHeight, block.cy);
    }
    pos = tableEnd;
  }

  if (measuring_) {
    record->innerWidth = std::max(record->innerWidth, style_.width);
    record->outerWidth = SaturatingAdd(record->innerWidth, 2LL * inset);
    record->outerHeight = SaturatingAdd(std::max(record->contentHeight, style_.height), 2LL * inset);
  }
  CloseElement(u"td");
}

void CMarkupDrawer::DrawBackgroundImage(const Rect& rect, std::u16string_view backgroundValue) {
  if (!enabled_ || backgroundValue.size() <= 5) return;
  size_t pos = 0;
  SkipToWordChar(backgroundValue, pos);
  size_t nameStart = pos;
  FindAnyOf(backgroundValue, pos, u" :");
  std::u16string name(backgroundValue.substr(nameStart, pos - nameStart));
  std::u16string value = NextDeclarationValue(backgroundValue, pos);
  if (name == u"idres") {
    canvas_->TileBackgroundImage(rect, MarkupBackgroundSource::ResourceId, ParseSize(value, 0), {});
  } else if (name == u"iddll") {
    canvas_->TileBackgroundImage(rect, MarkupBackgroundSource::ModuleResourceId, ParseSize(value, 0), {});
  } else if (name == u"file") {
    canvas_->TileBackgroundImage(rect, MarkupBackgroundSource::File, 0, value);
  }
}

}  // namespace markup
