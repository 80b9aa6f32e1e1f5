#include "CXPGroupBox.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CXPGroupBox, CButton)

BEGIN_MESSAGE_MAP(CXPGroupBox, CButton)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CXPGroupBox::CXPGroupBox()
    : frameColor_(GetSysColor(COLOR_BTNSHADOW)),
      fillColor_(GetSysColor(COLOR_BTNFACE)),
      bodyColor_(GetSysColor(COLOR_BTNFACE)) {}

CXPGroupBox& CXPGroupBox::SetFrameColor(COLORREF color) {
  frameColor_ = color;
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionColor(COLORREF color) {
  textColor_ = color;
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFillColors(COLORREF fill, COLORREF body) {
  fillColor_ = fill;
  bodyColor_ = body;
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetFillColor(COLORREF color) { return SetFillColors(color, color); }

CXPGroupBox& CXPGroupBox::SetBoxStyle(int style) {
  boxStyle_ = style;
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaption(LPCTSTR caption) {
  if (!m_hWnd) return *this;
  // The box shows its window text, so the caption goes there as well.
  caption_ = CString(L" ") + (caption ? caption : L"") + L" ";
  SetWindowText(caption_);
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionBold(BOOL bold) {
  logFont_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionFace(const CString& face, BYTE charSet) {
  logFont_.lfCharSet = charSet;
  // A face name longer than the LOGFONT holds is cut, never overrun.
  wcsncpy(logFont_.lfFaceName, face, LF_FACESIZE - 1);
  logFont_.lfFaceName[LF_FACESIZE - 1] = 0;
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionUnderline(BYTE underline) {
  logFont_.lfUnderline = underline;
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionItalic(BYTE italic) {
  logFont_.lfItalic = italic;
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionPointSize(int points) {
  CFont pointFont;
  if (pointFont.CreatePointFont(points * 10, logFont_.lfFaceName)) {
    LOGFONTW measured{};
    pointFont.GetLogFont(&measured);
    logFont_.lfHeight = measured.lfHeight;
    logFont_.lfWidth = measured.lfWidth;
  }
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionLogFont(LOGFONTW logFont) {
  logFont_ = logFont;
  RebuildFont();
  RedrawBox();
  return *this;
}

CXPGroupBox& CXPGroupBox::SetCaptionAlignment(int alignment) {
  alignment_ = alignment == 1 || alignment == 2 ? alignment : 0;
  RedrawBox();
  return *this;
}

void CXPGroupBox::RebuildFont() {
  font_.DeleteObject();
  font_.CreateFontIndirect(&logFont_);
}

void CXPGroupBox::RedrawBox() {
  if (!m_hWnd) return;
  CRect area;
  GetWindowRect(&area);
  RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  if (HWND parent = ::GetParent(m_hWnd)) {
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    ::InvalidateRect(parent, &area, TRUE);
    ::UpdateWindow(parent);
  }
}

BOOL CXPGroupBox::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= BS_ICON;
  return CButton::PreCreateWindow(cs);
}

void CXPGroupBox::PreSubclassWindow() {
  CButton::PreSubclassWindow();
  ModifyStyle(0, BS_ICON);
  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (!font) font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  GetObjectW(font, sizeof(logFont_), &logFont_);
  RebuildFont();
}

void CXPGroupBox::OnPaint() {
  CPaintDC dc(this);
  CRect box;
  GetClientRect(&box);
  box.DeflateRect(1, 1);
  CFont* oldFont = dc.SelectObject(&font_);

  CString text;
  GetWindowText(text);
  CSize extent(0, 0);
  if (!caption_.IsEmpty() || !text.IsEmpty()) {
    caption_ = text;
    extent = dc.GetTextExtent(caption_);
  }
  const int cx = extent.cx, cy = extent.cy;
  CRect captionRect;
  CPen pen(PS_SOLID, 1, frameColor_);
  CPen* oldPen = dc.SelectObject(&pen);
  if (boxStyle_ == 0) {
    const int left = alignment_ == 1 ? box.left + (box.Width() - cx) / 2
                     : alignment_ == 2 ? box.right - 10 - cx
                                       : box.left + 10;
    captionRect.SetRect(left, box.top, left + cx, box.top + cy);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    dc.RoundRect(box.left, box.top + cy / 2, box.right, box.bottom, 10, 10);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    dc.IntersectClipRect(&captionRect);
    dc.FillSolidRect(&captionRect, fillColor_);
  } else {
    CBrush fill(fillColor_), body(bodyColor_);
    CBrush* oldBrush = dc.SelectObject(&fill);
    dc.RoundRect(box.left, box.top, box.right, box.bottom, 10, 10);
    dc.SelectObject(&body);
    dc.Rectangle(box.left, box.top + cy + 4, box.right, box.bottom);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
    const int left = alignment_ == 1 ? box.left + (box.Width() - cx) / 2
                     : alignment_ == 2 ? box.right - 2 - cx
                                       : box.left + 2;
    captionRect.SetRect(left, box.top + 2, left + cx, box.top + 2 + cy);
  }
  const COLORREF oldText = dc.SetTextColor(textColor_);
  const int oldMode = dc.SetBkMode(TRANSPARENT);
  dc.DrawText(caption_, &captionRect, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
  dc.SetTextColor(oldText);
  dc.SetBkMode(oldMode);
  dc.SelectObject(oldFont);
}
