#include "CGradientProgressCtrl.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "DCStateKeeper.h"
#include "OffscreenDC.h"
#include "ProgressMath.h"

namespace {

// The window text as a format: "%d" takes the value and "%%" is a percent
// sign. Nothing else is interpreted, so no text can make it read arguments
// that are not there.
CString FillFormat(const CString& format, int value) {
  std::wstring out;
  const std::wstring in = static_cast<LPCWSTR>(format);
  bool used = false;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i] == L'%' && i + 1 < in.size() && in[i + 1] == L'%') {
      out += L'%';
      ++i;
    } else if (in[i] == L'%' && i + 1 < in.size() && in[i + 1] == L'd' && !used) {
      out += std::to_wstring(value);
      used = true;
      ++i;
    } else {
      out += in[i];
    }
  }
  return CString(out.c_str());
}

}  // namespace

CGradientProgressCtrl::CGradientProgressCtrl()
    : m_colors{GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_ACTIVECAPTION)},
      m_clrBackground(GetSysColor(COLOR_BTNFACE)),
      m_clrTextOnBar(GetSysColor(COLOR_CAPTIONTEXT)),
      m_clrTextOnBackground(GetSysColor(COLOR_BTNTEXT)) {}

void CGradientProgressCtrl::SetTextFormat(LPCTSTR format, DWORD textStyle) {
  if (!format || !format[0] || textStyle == 0) {
    format = L"";
    textStyle = 0;
  }
  ModifyStyle(PBS_PERCENT_TEXT | PBS_POSITION_TEXT, textStyle);
  SetWindowText(format);
}

LRESULT CGradientProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case PBM_SETBARCOLOR:
      m_colors = {static_cast<COLORREF>(lParam), wParam ? static_cast<COLORREF>(wParam) : static_cast<COLORREF>(lParam)};
      Invalidate();
      return CLR_DEFAULT;
    case PBM_SETBKCOLOR:
      m_clrBackground = static_cast<COLORREF>(lParam);
      Invalidate();
      return CLR_DEFAULT;
    case PBM_SETSTEP:
      m_nStep = static_cast<int>(wParam);
      break;
    case PBM_SETPOS:
      if (SetSnakePos(result, static_cast<int>(wParam), FALSE)) return result;
      break;
    case PBM_DELTAPOS:
      if (SetSnakePos(result, static_cast<int>(wParam), TRUE)) return result;
      break;
    case PBM_STEPIT:
      if (SetSnakePos(result, m_nStep, TRUE)) return result;
      break;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_PAINT:
      Paint();
      return 0;
    default:
      break;
  }
  return CProgressCtrl::WindowProc(message, wParam, lParam);
}

BOOL CGradientProgressCtrl::SetSnakePos(LRESULT& result, int value, BOOL relative) {
  if (!(GetStyle() & PBS_SNAKE)) return FALSE;
  PBRANGE range{};
  SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
  const int current = static_cast<int>(SendMessage(PBM_GETPOS));
  const progress::SnakeState state =
      progress::MoveSnake(current, m_nTail, value, relative, range.iLow, range.iHigh, m_nSnakeLength);
  if (state.reversedToggled) ModifyStyle(GetStyle() & PBS_REVERSED ? PBS_REVERSED : 0,
                                         GetStyle() & PBS_REVERSED ? 0 : PBS_REVERSED);
  else if (state.headBeyondEnd) Invalidate();
  m_nTail = state.tail;
  result = DefWindowProc(PBM_SETPOS, static_cast<WPARAM>(state.head), 0);
  Invalidate();
  return TRUE;
}

CRect CGradientProgressCtrl::BarToClient(const GradientDrawInfo& info, const CRect& range) const {
  const CRect& c = info.client;
  const int length = range.right - range.left;
  CRect r;
  if (info.style & PBS_VERTICAL) {
    r.left = c.left;
    r.right = c.right;
    r.top = c.top + ((info.style & PBS_REVERSED) ? range.left : c.Height() - range.right);
    r.bottom = r.top + length;
  } else {
    r.top = c.top;
    r.bottom = c.bottom;
    r.left = c.left + ((info.style & PBS_REVERSED) ? c.right - range.right - c.left : range.left);
    r.right = r.left + length;
  }
  return r;
}

void CGradientProgressCtrl::Paint() {
  CPaintDC paint(this);
  CRect box;
  paint.GetClipBox(&box);
  OffscreenDC dc(&paint, box, true, true);
  GradientDrawInfo info;
  info.dc = &dc;
  info.style = GetStyle();
  GetClientRect(&info.client);
  PBRANGE range{};
  SendMessage(PBM_GETRANGE, 0, reinterpret_cast<LPARAM>(&range));
  info.lower = range.iLow;
  info.upper = range.iHigh;
  info.position = static_cast<int>(SendMessage(PBM_GETPOS));

  if (m_pBackgroundBrush) dc.FillRect(&info.client, m_pBackgroundBrush);
  else dc.FillSolidRect(&info.client, m_clrBackground);
  info.client.DeflateRect(&m_rcBorders);
  if (info.position < info.lower || info.position > info.upper || info.upper <= info.lower) return;

  const bool vertical = (info.style & PBS_VERTICAL) != 0;
  const int length = vertical ? info.client.Height() : info.client.Width();
  const int end = progress::FilledLength(info.position, info.lower, info.upper, length);
  const int start = (info.style & PBS_SNAKE) ? progress::FilledLength(m_nTail, info.lower, info.upper, length) : 0;
  const CRect bar(start, 0, end, 0);
  if (m_pBarBrush) {
    CRect barRect = BarToClient(info, bar);
    dc.FillRect(&barRect, m_pBarBrush);
  } else {
    DrawMultiGradient(info, (info.style & PBS_GRADIENT_ON_BAR) ? bar : CRect(0, 0, length, 0), bar);
  }
  DrawBarText(info, CRect(0, 0, length, 0), bar);
}

void CGradientProgressCtrl::DrawMultiGradient(const GradientDrawInfo& info, const CRect& gradient, const CRect& clip) {
  const int count = static_cast<int>(m_colors.size());
  if (count < 2 || clip.right <= clip.left) return;
  const float segment = static_cast<float>(gradient.right - gradient.left) / (count - 1);
  for (int i = 0; i < count - 1; ++i) {
    CRect part(gradient.left + static_cast<int>(i * segment), 0, gradient.left + static_cast<int>((i + 1) * segment), 0);
    if (i == count - 2) part.right = gradient.right;
    if (part.right < clip.left) continue;
    const CRect cut(std::max(part.left, clip.left), 0, std::min(part.right, clip.right), 0);
    if (cut.right > cut.left) DrawGradient(info, part, cut, m_colors[i], m_colors[i + 1]);
    if (part.right >= clip.right) break;
  }
}

void CGradientProgressCtrl::DrawGradient(const GradientDrawInfo& info, const CRect& segment, const CRect& clip,
                                         COLORREF from, COLORREF to) {
  const int segmentLength = segment.right - segment.left;
  if (segmentLength <= 0) return;
  const int dr = GetRValue(to) - GetRValue(from), dg = GetGValue(to) - GetGValue(from),
            db = GetBValue(to) - GetBValue(from);
  int bands = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
  bands = std::clamp(bands, 1, segmentLength);
  const bool palette = (info.dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
  if (!palette && info.dc->GetDeviceCaps(BITSPIXEL) * info.dc->GetDeviceCaps(PLANES) < 8) bands = 1;
  const float stepR = static_cast<float>(dr) / bands, stepG = static_cast<float>(dg) / bands,
              stepB = static_cast<float>(db) / bands;
  const float bandLength = static_cast<float>(segmentLength) / bands;
  for (int i = 0; i < bands; ++i) {
    CRect band(segment.left + static_cast<int>(i * bandLength), 0,
               i == bands - 1 ? segment.right : segment.left + static_cast<int>((i + 1) * bandLength), 0);
    if (band.right < clip.left) continue;
    band.left = std::max(band.left, clip.left);
    band.right = std::min(band.right, clip.right);
    const COLORREF colour = RGB(GetRValue(from) + static_cast<int>(i * stepR), GetGValue(from) + static_cast<int>(i * stepG),
                                GetBValue(from) + static_cast<int>(i * stepB));
    CRect area = BarToClient(info, band);
    if (palette) {
      CBrush brush(colour);
      info.dc->FillRect(&area, &brush);
    } else {
      info.dc->FillSolidRect(&area, colour);
    }
    if (band.right >= clip.right) break;
  }
}

void CGradientProgressCtrl::DrawBarText(const GradientDrawInfo& info, const CRect& whole, const CRect& bar) {
  const DWORD textBits = info.style & (PBS_PERCENT_TEXT | PBS_POSITION_TEXT);
  if (!textBits) return;
  CString format;
  GetWindowText(format);
  int value = 0;
  if (textBits == PBS_PERCENT_TEXT) {
    if (format.IsEmpty()) format = L"%d%%";
    value = progress::PercentOf(info.position, info.lower, info.upper);
  } else if (textBits == PBS_POSITION_TEXT) {
    if (format.IsEmpty()) format = L"%d";
    value = info.position;
  }
  if (format.IsEmpty()) return;
  const CString text = FillFormat(format, value);
  HDC dc = info.dc->m_hDC;
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  DCFontKeeper fontKeeper(dc, font);
  DCTextColorKeeper colourKeeper(dc, m_clrTextOnBar);
  DCBkModeKeeper modeKeeper(dc, TRANSPARENT);
  DCTextAlignKeeper alignKeeper(dc, TA_CENTER | TA_BOTTOM);

  LOGFONTW logFont{};
  if (font) ::GetObjectW(font, sizeof(logFont), &logFont);
  const int angle = logFont.lfEscapement / 10;
  const CSize extent = info.dc->GetTextExtent(text);
  CSize along(0, 0), shift(0, 0);
  switch (angle) {
    case 0: along = extent, shift = CSize(0, extent.cy); break;
    case 90: along = CSize(extent.cy, extent.cx), shift = CSize(extent.cy, 0); break;
    case 180: along = extent, shift = CSize(0, -extent.cy); break;
    case 270: along = CSize(extent.cy, extent.cx), shift = CSize(-extent.cy, 0); break;
    default: break;
  }
  const bool vertical = (info.style & PBS_VERTICAL) != 0;
  const int textLength = vertical ? along.cy : along.cx;
  const int barLength = bar.right - bar.left;
  // The text is drawn around a moved viewport origin, which is put back.
  const CPoint windowOrigin = info.dc->GetWindowOrg();
  if (info.style & PBS_TEXT_TIED) {
    if (barLength < textLength) return;
    const CRect barRect = BarToClient(info, bar);
    const CPoint centre = barRect.CenterPoint();
    POINT device{centre.x + shift.cx / 2, centre.y + shift.cy / 2};
    info.dc->LPtoDP(&device);
    DCViewportKeeper origin(dc, device.x, device.y);
    DrawClippedText(info, bar, text, windowOrigin);
    return;
  }
  const CPoint centre = info.client.CenterPoint();
  POINT device{centre.x + shift.cx / 2, centre.y + shift.cy / 2};
  info.dc->LPtoDP(&device);
  DCViewportKeeper origin(dc, device.x, device.y);
  if (m_clrTextOnBar == m_clrTextOnBackground) {
    DrawClippedText(info, whole, text, windowOrigin);
    return;
  }
  if (barLength > 0) DrawClippedText(info, bar, text, windowOrigin);
  colourKeeper.Set(m_clrTextOnBackground);
  DrawClippedText(info, CRect(bar.right, 0, whole.right, 0), text, windowOrigin);
  if (bar.left > whole.left) DrawClippedText(info, CRect(whole.left, 0, bar.left, 0), text, windowOrigin);
}

void CGradientProgressCtrl::DrawClippedText(const GradientDrawInfo& info, const CRect& part, const CString& text,
                                            const CPoint& windowOrigin) {
  CRect area = BarToClient(info, part);
  if (area.IsRectEmpty()) return;
  area.OffsetRect(-windowOrigin.x, -windowOrigin.y);
  CRgn region;
  region.CreateRectRgnIndirect(&area);
  info.dc->SelectClipRgn(&region);
  // With the viewport moved, (0, 0) sits at the text's anchor; the window
  // origin of an off-screen context is taken out again.
  info.dc->TextOut(windowOrigin.x, windowOrigin.y, text);
  info.dc->SelectClipRgn(nullptr);
}
