#include "CXPComboBox.h"

#include "XPDrawing.h"

BEGIN_MESSAGE_MAP(CXPComboEdit, CEdit)
  ON_WM_KILLFOCUS()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

void CXPComboEdit::OnKillFocus(CWnd*) {
  Default();
  if (m_pCombo) m_pCombo->InvalidateIfOnBar();
}

void CXPComboEdit::OnMouseMove(UINT, CPoint) {
  Default();
  if (m_pCombo) m_pCombo->Tracker().OnMouseMove(m_hWnd);
}

void CXPComboEdit::OnMouseLeave() {
  if (m_pCombo) m_pCombo->Tracker().OnMouseLeave(m_hWnd);
}

BEGIN_MESSAGE_MAP(CXPComboBox, CComboBox)
  ON_WM_CREATE()
  ON_WM_WINDOWPOSCHANGING()
  ON_WM_GETDLGCODE()
  ON_WM_WINDOWPOSCHANGED()
  ON_WM_PAINT()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

CXPComboBox::CXPComboBox(int visibleItems) : visibleItems_(visibleItems) {}

void CXPComboBox::PreSubclassWindow() {
  CComboBox::PreSubclassWindow();
  tracker_.owner = m_hWnd;
  AttachEdit();
}

int CXPComboBox::OnCreate(LPCREATESTRUCT) {
  const int result = static_cast<int>(Default());
  tracker_.owner = m_hWnd;
  AttachEdit();
  return result;
}

void CXPComboBox::AttachEdit() {
  if (edit_.GetSafeHwnd()) return;
  HWND child = ::FindWindowExW(m_hWnd, nullptr, L"Edit", nullptr);
  if (child && edit_.SubclassWindow(child)) edit_.m_pCombo = this;
}

void CXPComboBox::InvalidateIfOnBar() {
  if (IsInDockedControlBar(this)) Invalidate(TRUE);
}

void CXPComboBox::OnWindowPosChanging(WINDOWPOS* position) {
  if (!(position->flags & SWP_NOSIZE) && pendingHeight_ == -1) {
    if (fieldHeight_ == -1) fieldHeight_ = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(-1)));
    pendingHeight_ = position->cy;
    const int itemHeight = static_cast<int>(SendMessage(CB_GETITEMHEIGHT, 0));
    position->cy = itemHeight * visibleItems_ + 7 * ::GetSystemMetrics(SM_CYBORDER) + fieldHeight_;
  }
  Default();
}

void CXPComboBox::OnWindowPosChanged(WINDOWPOS* position) {
  Default();
  if (!(position->flags & SWP_NOSIZE) && pendingHeight_ != -1) {
    if (pendingHeight_ > 6) SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), pendingHeight_ - 6);
    pendingHeight_ = -1;
  }
  if (edit_.GetSafeHwnd() && ::GetFocus() != edit_.m_hWnd) edit_.SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), 0);
}

UINT CXPComboBox::OnGetDlgCode() {
  UINT code = static_cast<UINT>(Default());
  if (::GetKeyState(VK_RETURN) & 0x8000) code |= DLGC_WANTALLKEYS;
  return code;
}

void CXPComboBox::OnFocusChange() {
  Default();
  InvalidateIfOnBar();
}

void CXPComboBox::OnMouseMove(UINT, CPoint) {
  Default();
  tracker_.OnMouseMove(m_hWnd);
}

void CXPComboBox::OnMouseLeave() { tracker_.OnMouseLeave(m_hWnd); }

void CXPComboBox::OnPaint() {
  CRect client;
  GetClientRect(&client);
  CRect button = client;
  button.left = button.right - ::GetSystemMetrics(SM_CXHTHUMB);
  ValidateRect(&button);
  Default();

  CClientDC dc(this);
  const BOOL onBar = IsInDockedControlBar(this);
  const BOOL dropped = GetDroppedState();
  HWND focus = ::GetFocus();
  const BOOL focused = (focus == m_hWnd || ::IsChild(m_hWnd, focus)) && onBar;
  const BOOL hot = focused || tracker_.IsHot();
  const BOOL disabled = !IsWindowEnabled();
  DWORD state = CXPButtonPart::kDownArrow | CXPButtonPart::kXpLook;
  if (disabled) state |= CXPButtonPart::kDisabled;
  if (!onBar) state |= CXPButtonPart::kStandAlone;
  if (hot) state |= CXPButtonPart::kHot;
  if (dropped) state |= CXPButtonPart::kHot | CXPButtonPart::kPressed;
  CXPButtonPart part(state, button);
  part.Draw(dc);

  {
    CXPBrushSelector hollow(dc, 0xFFFFFFFF);
    CXPPenSelector outer(dc, ::GetSysColor(focused || dropped || hot ? COLOR_HIGHLIGHT
                                           : onBar                   ? COLOR_WINDOW
                                                                     : COLOR_BTNSHADOW));
    dc.Rectangle(&client);
    CRect inner = client;
    inner.DeflateRect(1, 1);
    inner.right -= ::GetSystemMetrics(SM_CXHTHUMB);
    outer.SetColor(::GetSysColor(disabled ? COLOR_BTNFACE : COLOR_WINDOW));
    dc.Rectangle(&inner);
    dc.MoveTo(inner.right - 1, inner.top);
    dc.LineTo(inner.right - 1, inner.bottom);
  }
}
