#include "CPieChart.h"

#include <algorithm>

#include "DCStateKeeper.h"
#include "PieGeometry.h"

IMPLEMENT_SERIAL(CPieSlice, CObject, 1)
IMPLEMENT_SERIAL(CPieChart, CObject, 1)

void CPieSlice::Serialize(CArchive& archive) {
  if (archive.IsStoring()) {
    archive << static_cast<int32_t>(1) << static_cast<int32_t>(m_nPercent) << static_cast<uint32_t>(m_color)
            << m_strLabel;
    return;
  }
  int32_t version = 0;
  archive >> version;
  if (version != 1) return;  // an unknown slice keeps its defaults
  int32_t percent = 0;
  uint32_t colour = 0;
  archive >> percent >> colour >> m_strLabel;
  m_nPercent = percent;
  m_color = colour;
}

CPieChart::~CPieChart() {
  if (m_nOwnsSlices == 1) ClearSlices();
}

int CPieChart::AppendSlice(CPieSlice* slice) { return static_cast<int>(m_slices.Add(slice)); }

void CPieChart::ClearSlices() {
  for (INT_PTR i = 0; i < m_slices.GetSize(); ++i) delete m_slices.GetAt(i);
  m_slices.RemoveAll();
}

void CPieChart::Serialize(CArchive& archive) {
  if (archive.IsStoring()) {
    archive << static_cast<int32_t>(1) << static_cast<int32_t>(m_nOwnsSlices) << static_cast<uint32_t>(m_outlineColor)
            << static_cast<uint32_t>(m_textColor) << m_strTitle;
  } else {
    int32_t version = 0, owns = 0;
    uint32_t outline = 0, text = 0;
    archive >> version;
    if (version == 1) {
      archive >> owns >> outline >> text >> m_strTitle;
      m_nOwnsSlices = owns;
      m_outlineColor = outline;
      m_textColor = text;
    }
    ClearSlices();
  }
  m_slices.Serialize(archive);
  if (!archive.IsStoring()) {
    // Only slices may stand in a chart's array; anything else read from a
    // damaged file is dropped rather than drawn as a slice.
    for (INT_PTR i = m_slices.GetSize() - 1; i >= 0; --i) {
      CObject* object = m_slices.GetAt(i);
      if (object && !object->IsKindOf(RUNTIME_CLASS(CPieSlice))) {
        delete object;
        m_slices.RemoveAt(i);
      }
    }
  }
}

void CPieChart::Draw(CDC* dc, int x, int y, int radius, int legendPosition, int titleFlag, BOOL force) {
  const int count = GetSliceCount();
  if (!force) {
    if (count == 0) return;
    int sum = 0;
    for (int i = 0; i < count; ++i) {
      if (CPieSlice* slice = GetSlice(i)) sum += slice->m_nPercent;
    }
    if (sum != 100) return;
  }
  {
    DCViewportKeeper origin(dc->m_hDC, x, y);
    CPen outline(PS_SOLID, 0, m_outlineColor);
    CPen* oldPen = dc->SelectObject(&outline);
    int sum = 0;
    charts::PiePoint previous{0, -1000};
    for (int i = 0; i < count; ++i) {
      CPieSlice* slice = GetSlice(i);
      if (!slice) continue;
      sum += slice->m_nPercent;
      if (slice->m_nPercent == 0 && !force) continue;
      if (force == 1 && i == count - 1) sum = 100;
      const int clamped = std::clamp(sum, 0, 100);
      const charts::PiePoint end = charts::PieChartEndPoint(clamped);
      CBrush brush(slice->m_color);
      CBrush* oldBrush = dc->SelectObject(&brush);
      dc->Pie(-radius, -radius, radius, radius, previous.x, previous.y, end.x, end.y);
      dc->SelectObject(oldBrush);
      previous = end;
    }
    dc->SelectObject(oldPen);
    if (titleFlag == 1) {
      DCTextAlignKeeper align(dc->m_hDC, TA_CENTER | TA_TOP);
      DCTextColorKeeper colour(dc->m_hDC, m_textColor);
      dc->SetBkMode(TRANSPARENT);
      POINT at{x, y - radius - 20};
      dc->DPtoLP(&at);
      dc->TextOut(at.x, at.y, m_strTitle);
    }
  }
  if (legendPosition == kLegendRight) {
    DrawLegend(dc, x + radius + 30, std::max(y - 10 * count, y - radius), force);
  } else if (legendPosition == kLegendBelow) {
    DrawLegend(dc, x - radius, y + radius + 30, force);
  }
}

void CPieChart::DrawLegend(CDC* dc, int x, int y, BOOL force) {
  DCTextColorKeeper colour(dc->m_hDC, m_textColor);
  DCBkModeKeeper mode(dc->m_hDC, TRANSPARENT);
  const int count = GetSliceCount();
  int total = 0;
  for (int i = 0; i < count; ++i) {
    CPieSlice* slice = GetSlice(i);
    const int rowY = y + 20 * i;
    if (!slice) continue;
    POINT corner{x, rowY};
    dc->DPtoLP(&corner);
    const CRect box(corner.x, corner.y, corner.x + 30, corner.y + 15);
    dc->FillSolidRect(&box, slice->m_color);
    CString percent;
    if (force == 1 && i == count - 1) {
      percent.Format(L"(%d%%)", 100 - total);
    } else {
      percent.Format(L" (%d%%)", slice->m_nPercent);
      total += slice->m_nPercent;
    }
    dc->TextOut(box.right + 5, box.top, slice->m_strLabel + percent);
  }
}
