#include "CTextProgressCtrl.h"

#include <algorithm>

#include "OffscreenDC.h"
#include "ProgressMath.h"

namespace {

constexpr COLORREF kFilledColour = 0x900000;

}  // namespace

LRESULT CTextProgressCtrl::SetPosition(int position) {
  if (!m_hWnd) return -1;
  const int old = position_;
  position_ = position;
  CRect client;
  GetClientRect(&client);
  const int length = progress::FilledLength(position_, lower_, upper_, client.Width());
  if (length != lastBarLength_) {
    lastBarLength_ = length;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return old;
}

LRESULT CTextProgressCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_SETRANGE:
      lower_ = LOWORD(lParam);
      upper_ = HIWORD(lParam);
      return 0;
    case PBM_SETRANGE32:
      lower_ = static_cast<int>(wParam);
      upper_ = static_cast<int>(lParam);
      return 0;
    case PBM_GETRANGE:
      if (lParam) *reinterpret_cast<PBRANGE*>(lParam) = {lower_, upper_};
      return wParam ? lower_ : upper_;
    case PBM_GETPOS:
      return position_;
    case PBM_SETPOS:
      return SetPosition(static_cast<int>(wParam));
    case PBM_DELTAPOS:
      return SetPosition(position_ + static_cast<int>(wParam));
    case PBM_STEPIT:
      return SetPosition(position_ + step_);
    case PBM_SETSTEP: {
      const int old = step_;
      step_ = static_cast<int>(wParam);
      return old;
    }
    case PBM_SETBARCOLOR:
    case PBM_SETBKCOLOR: {
      COLORREF& slot = message == PBM_SETBARCOLOR ? barColour_ : backgroundColour_;
      const COLORREF old = slot;
      slot = static_cast<COLORREF>(lParam);
      if (m_hWnd) Invalidate();
      return old;
    }
    case PBM_SETTEXTCOLOR: {
      const COLORREF old = textColour_;
      textColour_ = static_cast<COLORREF>(lParam);
      Invalidate();
      return old;
    }
    case PBM_SETSHOWTEXT:
      if (showText_ != static_cast<BOOL>(wParam)) {
        showText_ = static_cast<BOOL>(wParam);
        Invalidate();
      }
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = CProgressCtrl::WindowProc(message, wParam, lParam);
      const CString text(lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"");
      if (text != text_) {
        text_ = text;
        Invalidate();
      }
      return result;
    }
    case WM_GETTEXT: {
      if (!lParam || wParam == 0) return 0;
      const int count = std::min(static_cast<int>(wParam) - 1, text_.GetLength());
      wmemcpy(reinterpret_cast<LPWSTR>(lParam), static_cast<LPCWSTR>(text_), count);
      reinterpret_cast<LPWSTR>(lParam)[count] = 0;
      return count;
    }
    case WM_GETTEXTLENGTH:
      return text_.GetLength();
    case WM_SIZE:
      lastBarLength_ = -1;
      break;
    case WM_ERASEBKGND:
      return TRUE;  // the paint covers everything
    case WM_PAINT:
      Paint();
      return 0;
    default:
      break;
  }
  return CProgressCtrl::WindowProc(message, wParam, lParam);
}

void CTextProgressCtrl::Paint() {
  CPaintDC paint(this);
  if (lower_ >= upper_) return;
  CRect client, clip;
  GetClientRect(&client);
  paint.GetClipBox(&clip);
  OffscreenDC dc(&paint, clip);
  HGDIOBJ oldFont = nullptr;
  if (CWnd* parent = GetParent()) {
    if (HGDIOBJ font = reinterpret_cast<HGDIOBJ>(parent->SendMessage(WM_GETFONT))) oldFont = dc.SelectObject(font);
  }
  const bool vertical = (GetStyle() & PBS_VERTICAL) != 0;
  CRect filled = client, unfilled = client;
  if (vertical) {
    const int rows = progress::FilledLength(position_, lower_, upper_, client.Height());
    filled.top = client.bottom - rows;
    unfilled.bottom = filled.top;
  } else {
    const int columns = progress::FilledLength(position_, lower_, upper_, client.Width());
    filled.right = client.left + columns;
    unfilled.left = filled.right;
  }
  const COLORREF background = backgroundColour_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : backgroundColour_;
  const COLORREF bar = barColour_ == CLR_DEFAULT ? kFilledColour : barColour_;
  dc.FillSolidRect(&filled, bar);
  dc.FillSolidRect(&unfilled, background);
  if (showText_ && !vertical) {
    CString text = text_;
    if (text.IsEmpty()) text = progress::PercentLabel(progress::PercentOf(position_, lower_, upper_)).c_str();
    dc.SetBkMode(TRANSPARENT);
    const struct {
      const CRect& part;
      COLORREF colour;
    } parts[] = {{filled, textColour_ == CLR_DEFAULT ? background : textColour_},
                 {unfilled, textColour_ == CLR_DEFAULT ? bar : textColour_}};
    for (const auto& part : parts) {
      if (part.part.IsRectEmpty()) continue;
      CRgn region;
      region.CreateRectRgnIndirect(&part.part);
      region.OffsetRgn(-clip.left, -clip.top);  // clip regions are in device units
      dc.SelectClipRgn(&region);
      dc.SetTextColor(part.colour);
      CRect whole = client;
      dc.DrawText(text, &whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    dc.SelectClipRgn(nullptr);
  }
  if (oldFont) dc.SelectObject(oldFont);
}
