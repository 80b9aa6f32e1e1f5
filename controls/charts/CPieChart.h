// A pie chart of labelled slices that draws itself into any device context
// with an optional title and a legend, and is stored through the framework's
// archives.
#pragma once

#include "Framework.h"

class CPieSlice : public CObject {
  DECLARE_SERIAL(CPieSlice)
 public:
  CPieSlice() = default;
  CString GetLabel() const { return m_strLabel; }
  void SetLabel(LPCTSTR label) { m_strLabel = label; }
  void Serialize(CArchive& archive) override;

  int m_nPercent = 50;
  COLORREF m_color = 0x0000FF;
  CString m_strLabel = L"<no description>";
};

class CPieChart : public CObject {
  DECLARE_SERIAL(CPieChart)
 public:
  enum Legend { kNoLegend = 0, kLegendRight = 1, kLegendBelow = 2 };

  CPieChart() = default;
  ~CPieChart() override;

  int AppendSlice(CPieSlice* slice);
  void ClearSlices();
  int GetSliceCount() const { return static_cast<int>(m_slices.GetSize()); }
  CPieSlice* GetSlice(int index) const { return static_cast<CPieSlice*>(m_slices.GetAt(index)); }
  // Draws one sector per slice around (x, y) and the legend. Unless forced,
  // nothing is drawn when the percentages do not add up to exactly 100. The
  // device context leaves as it came (viewport origin, pen, colours).
  void Draw(CDC* dc, int x, int y, int radius, int legendPosition, int titleFlag, BOOL force);
  void DrawLegend(CDC* dc, int x, int y, BOOL force);
  void Serialize(CArchive& archive) override;

  int m_nOwnsSlices = 0;
  CString m_strTitle;
  CObArray m_slices;
  COLORREF m_outlineColor = 0x00FF00;
  COLORREF m_textColor = 0;
};
