// Geometry that the measuring pass records for the drawing passes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace markup {

struct MarkupLine {
  int width = 0;
  int height = 0;  // largest ascent while measuring; ascent + descent once ended
  int descent = 0;
  int rulePercent = 0;
  int alignment = 0;
  int blanks = 0;
  int wrapped = 0;
};

struct MarkupHotArea {
  int left = 0, top = 0, right = 0, bottom = 0;
  int kind = 0;  // 1 open with the shell, 2 send to the window
  int linkNumber = -1;
  std::u16string target;
};

struct MarkupAnimation {
  int imageIndex = 0;
  int frameCount = 0;
  int currentFrame = 0;
  int speed = 0;
};

struct MarkupCell {
  int colspan = 0;  // -1: covered by another cell's span
  int rowspan = 0;
  int innerWidth = 0;
  int contentHeight = 0;
  int outerWidth = 0;
  int outerHeight = 0;
  int fixedWidth = 0;
};

struct MarkupTableLayout {
  std::vector<std::vector<MarkupCell>> rows;
  std::vector<int> columnWidths;
  std::vector<int> rowHeights;
  std::vector<int> fixedColumns;
  int Columns() const { return static_cast<int>(columnWidths.size()); }
  int Rows() const { return static_cast<int>(rowHeights.size()); }
};

struct MarkupImageParams {
  int index = 0;
  int resourceId = 0;
  int moduleResourceId = 0;
  uintptr_t handle = 0;
  int cellWidth = 0, cellHeight = 0;
  int width = 100, height = 100;
  int speed = 0;
  int style = 0, hotStyle = 0;
  bool useMask = false;
  bool widthIsPercent = true, heightIsPercent = true;
  uint32_t maskColor = 0xFF00FF;
  std::u16string file, moduleFile;
};

}  // namespace markup
