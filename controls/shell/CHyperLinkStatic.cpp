#include "CHyperLinkStatic.h"

#include "ShellOpen.h"

BEGIN_MESSAGE_MAP(CHyperLinkStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_WM_SETCURSOR()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CHyperLinkStatic::~CHyperLinkStatic() {
  if (m_hHandCursor) ::DestroyCursor(m_hHandCursor);
}

void CHyperLinkStatic::PreSubclassWindow() {
  ModifyStyle(0, SS_NOTIFY);
  CString text;
  GetWindowText(text);
  if (m_strLink.IsEmpty()) m_strLink = text;
  if (text.IsEmpty()) SetWindowText(m_strLink);

  HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  LOGFONTW logFont{};
  if (font && ::GetObjectW(font, sizeof(logFont), &logFont)) {
    m_plainFont.CreateFontIndirect(&logFont);
    logFont.lfUnderline = TRUE;
    m_underlinedFont.CreateFontIndirect(&logFont);
  }
  FitToText();
  // The system's own hand, so the pointer looks as every link of the system.
  if (!m_hHandCursor) m_hHandCursor = static_cast<HCURSOR>(::CopyIcon(::LoadCursorW(nullptr, IDC_HAND)));
  SetUnderline(-1);
  m_tooltip.Create(this, 0);
  CRect client;
  GetClientRect(&client);
  m_tooltip.AddTool(this, m_strLink, &client, 1);
  CStatic::PreSubclassWindow();
}

void CHyperLinkStatic::SetURL(LPCTSTR link) {
  m_strLink = link ? link : L"";
  if (!m_hWnd) return;
  FitToText();
  if (m_tooltip.GetSafeHwnd()) m_tooltip.UpdateTipText(m_strLink, this, 1);
}

void CHyperLinkStatic::SetUnderline(int mode) {
  if (mode == m_nUnderline) return;
  if (m_hWnd) {
    CFont& font = mode == 1 ? m_underlinedFont : m_plainFont;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    Invalidate();
  }
  m_nUnderline = mode;
}

BOOL CHyperLinkStatic::IsUnderlined() const {
  return m_underlinedFont.GetSafeHandle() &&
         reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)) == m_underlinedFont.GetSafeHandle();
}

void CHyperLinkStatic::MarkVisited(BOOL visited) {
  m_bVisited = visited;
  if (m_hWnd) Invalidate();
}

COLORREF CHyperLinkStatic::CurrentTextColour() const {
  return m_bHovering ? m_crHover : m_bVisited ? m_crVisited : m_crLink;
}

void CHyperLinkStatic::FitToText() {
  if (!m_hWnd || !m_bFitToText) return;
  CRect window, client;
  GetWindowRect(&window);
  GetClientRect(&client);
  ClientToScreen(&client);
  if (HWND parent = ::GetParent(m_hWnd)) {
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&client), 2);
  }
  CString text;
  GetWindowText(text);
  CClientDC dc(this);
  CFont* old = m_underlinedFont.GetSafeHandle() ? dc.SelectObject(&m_underlinedFont) : nullptr;
  const CSize extent = dc.GetTextExtent(text);
  if (old) dc.SelectObject(old);
  const int width = extent.cx + (window.Width() - client.Width());
  const int height = extent.cy + (window.Height() - client.Height());
  const DWORD style = GetStyle();
  if (style & SS_CENTERIMAGE) {
    const int half = (window.Height() - height) / 2;
    window.top += half;
    window.bottom = window.top + height;
  } else {
    window.bottom = window.top + height;
  }
  if (style & SS_CENTER) {
    const int half = (window.Width() - width) / 2;
    window.left += half;
    window.right = window.left + width;
  } else if (style & SS_RIGHT) {
    window.left = window.right - width;
  } else {
    window.right = window.left + width;
  }
  SetWindowPos(nullptr, window.left, window.top, window.Width(), window.Height(), SWP_NOZORDER);
}

HBRUSH CHyperLinkStatic::CtlColor(CDC* dc, UINT) {
  dc->SetTextColor(CurrentTextColour());
  dc->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

BOOL CHyperLinkStatic::OnEraseBkgnd(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  dc->FillSolidRect(&client, 0xFFFFFF);
  return TRUE;
}

BOOL CHyperLinkStatic::OnSetCursor(CWnd*, UINT, UINT) {
  if (!m_hHandCursor) return FALSE;
  ::SetCursor(m_hHandCursor);
  return TRUE;
}

void CHyperLinkStatic::OnMouseMove(UINT, CPoint) {
  if (!m_bHovering) {
    m_bHovering = TRUE;
    if (m_nUnderline == -1) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_underlinedFont.GetSafeHandle()), TRUE);
    Invalidate(TRUE);
    SetTimer(kHoverTimer, 100, nullptr);
  }
  Default();
}

void CHyperLinkStatic::OnTimer(UINT_PTR) {
  const DWORD position = ::GetMessagePos();
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ScreenToClient(&point);
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) {
    m_bHovering = FALSE;
    KillTimer(kHoverTimer);
    if (m_nUnderline != 1) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_plainFont.GetSafeHandle()), TRUE);
    client.bottom += 10;
    InvalidateRect(&client, TRUE);
  }
  Default();
}

void CHyperLinkStatic::OnClicked() {
  m_bHovering = FALSE;
  const INT_PTR result = OpenLink(m_strLink, SW_SHOW);
  if (result > 32) {
    MarkVisited(TRUE);
    return;
  }
  ::MessageBeep(MB_ICONEXCLAMATION);
  AfxMessageBox(OpenErrorText(result).c_str(), MB_ICONEXCLAMATION);
}

BOOL CHyperLinkStatic::PreTranslateMessage(MSG* message) {
  if (m_tooltip.GetSafeHwnd()) m_tooltip.RelayEvent(message);
  return CStatic::PreTranslateMessage(message);
}

BOOL CHyperLinkStatic::DestroyWindow() {
  KillTimer(kHoverTimer);
  return CStatic::DestroyWindow();
}
