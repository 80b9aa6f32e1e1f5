#include "CDiskSpaceChart.h"

#include <algorithm>

#include "CChartMemDC.h"

BEGIN_MESSAGE_MAP(CDiskSpaceChart, CStatic)
  ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

CRect ToRect(const charts::PieRect& r) { return CRect(r.left, r.top, r.right, r.bottom); }

}  // namespace

void CDiskSpaceChart::SetDrive(const char* driveRoot) {
  driveRoot_ = CString(driveRoot ? driveRoot : "");
  usedBytes_ = totalBytes_ = freeBytes_ = 0;
  QuerySizes();
  if (m_hWnd) Invalidate(TRUE);
}

void CDiskSpaceChart::SetSizes(uint64_t totalBytes, uint64_t freeBytes) {
  totalBytes_ = totalBytes;
  freeBytes_ = std::min(freeBytes, totalBytes);
  usedBytes_ = charts::UsedBytes(totalBytes, freeBytes);
  if (m_hWnd) Invalidate(TRUE);
}

void CDiskSpaceChart::QuerySizes() {
  ULARGE_INTEGER available{}, total{}, free{};
  if (driveRoot_.IsEmpty() || !::GetDiskFreeSpaceExW(driveRoot_, &available, &total, &free)) return;
  SetSizes(total.QuadPart, free.QuadPart);
}

int CDiskSpaceChart::UsedPercent() const {
  // A drive that could not be measured shows no pie, never the last one's.
  if (driveRoot_.IsEmpty() && totalBytes_ == 0) return -1;
  if (totalBytes_ == 0) return -1;
  return charts::UsedPercent(usedBytes_, totalBytes_);
}

CString CDiskSpaceChart::FormatCaption(const wchar_t* label, uint64_t bytes) {
  CString amount;
  if (bytes > (1ull << 30)) amount.Format(L"%2.2fGB", static_cast<double>(bytes) / (1ull << 30));
  else if (bytes > (1ull << 20)) amount.Format(L"%2.2fMB", static_cast<double>(bytes) / (1ull << 20));
  else amount.Format(L"%2.2fKB", static_cast<double>(bytes) / (1ull << 10));
  return CString(label) + L":" + amount;
}

void CDiskSpaceChart::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  // The system's static class paints with its parent's clipping; the chart
  // keeps to its own rectangle.
  dc.IntersectClipRect(&client);
  // The background the parent gives static controls, under captions and pie.
  if (HWND parent = ::GetParent(m_hWnd)) {
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(m_hWnd)));
    if (brush) ::FillRect(dc.m_hDC, &client, brush);
  }
  const int percent = UsedPercent();
  if (percent < minimum_ || percent > maximum_) return;
  const int normalised = maximum_ > minimum_ ? (percent - minimum_) * 100 / (maximum_ - minimum_) : 0;
  const charts::DiskPieLayout layout = charts::LayoutDiskPie(client.Width(), client.Height(), normalised);
  DrawCaptions(&dc, layout);
  if (!layout.valid) return;
  CChartMemDC memory(&dc, ToRect(layout.pie));
  const CRect pie = ToRect(layout.pie);
  memory.FillSolidRect(&pie, dc.GetBkColor());
  DrawPie(&memory, layout);
}

void CDiskSpaceChart::DrawCaptions(CDC* dc, const charts::DiskPieLayout& layout) {
  CFont font;
  font.CreateFont(15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x10, L"Arial");
  CFont* old = dc->SelectObject(&font);
  dc->TextOut(layout.usedCaption.x, layout.usedCaption.y, FormatCaption(L"Used Space", usedBytes_));
  dc->TextOut(layout.freeCaption.x, layout.freeCaption.y, FormatCaption(L"Free Space", freeBytes_));
  dc->SelectObject(old);
  CBrush used(kUsedColour), free(kFreeColour);
  CRect usedSquare = ToRect(layout.usedSquare), freeSquare = ToRect(layout.freeSquare);
  dc->FillRect(&usedSquare, &used);
  dc->FillRect(&freeSquare, &free);
}

void CDiskSpaceChart::DrawPie(CDC* dc, const charts::DiskPieLayout& layout) {
  CBrush used(kUsedColour), free(kFreeColour);
  const int band = layout.bandHeight;
  auto drawFace = [&](int lift) {
    CRect face = ToRect(layout.lowerFace);
    face.OffsetRect(0, -lift);
    const CPoint start(layout.start.x, layout.start.y - lift), cut(layout.cut.x, layout.cut.y - lift);
    CBrush* old = dc->SelectObject(&used);
    dc->Pie(&face, start, start);
    if (layout.drawFreeSlice) {
      dc->SelectObject(&free);
      dc->Pie(&face, start, cut);
    }
    dc->SelectObject(old);
  };
  drawFace(0);
  CRect left = ToRect(layout.leftBand), right = ToRect(layout.rightBand), marker = ToRect(layout.cutMarker);
  dc->FillRect(&left, layout.leftBandUsed ? &used : &free);
  dc->FillRect(&right, layout.rightBandUsed ? &used : &free);
  if (!marker.IsRectEmpty()) dc->FillRect(&marker, layout.cutMarkerUsed ? &used : &free);
  drawFace(band);
  const int cx = layout.cx, cy = layout.cy, rx = layout.rx;
  dc->MoveTo(cx - rx, cy - band);
  dc->LineTo(cx - rx, cy);
  dc->MoveTo(cx + rx - 1, cy - band);
  dc->LineTo(cx + rx - 1, cy);
}
