#include "CSplitterPanel.h"

BEGIN_MESSAGE_MAP(CSplitterPanel, CStatic)
  ON_WM_SIZE()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_DESTROY()
  ON_WM_KEYDOWN()
END_MESSAGE_MAP()

namespace {

CRect ToRect(const pages::PaneRect& r) { return CRect(r.Left, r.Top, r.Right, r.Bottom); }

void MovePane(CWnd* pane, const CRect& rect) {
  if (pane && pane->GetSafeHwnd()) pane->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

}  // namespace

CSplitterPanel::CSplitterPanel() = default;

BOOL CSplitterPanel::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style |= SS_NOTIFY;  // a static control hears the mouse only with it
  return CStatic::PreCreateWindow(cs);
}

BOOL CSplitterPanel::Create(DWORD style, CWnd* parent, CWnd* firstPane, CWnd* secondPane, UINT id, const RECT& rect,
                            int minFirst, int minSecond) {
  id_ = id;
  CStatic::Create(nullptr, style, rect, parent, id);
  // The common controls keep the window they were created in as the one they
  // notify, so a pane made by the page still reports to the page from here.
  for (CWnd* pane : {firstPane, secondPane}) {
    if (pane && pane->GetSafeHwnd() && GetSafeHwnd()) pane->SetParent(this);
  }
  minLeft_ = minTop_ = minFirst;
  minRight_ = minBottom_ = minSecond;
  const pages::PaneRect client = Client();

  if (style & kSideBySide) {
    leftPane_ = firstPane;
    rightPane_ = secondPane;
    sideBySide_ = true;
    stacked_ = false;
    firstRect_ = CRect(client.Left, client.Top, 200, client.Bottom);
    LayOutSideBySide(200 + barWidth_ / 2);
    firstWidth_ = firstRect_.Width();
  } else if (style & kStacked) {
    topPane_ = firstPane;
    bottomPane_ = secondPane;
    stacked_ = true;
    sideBySide_ = false;
    const int height = static_cast<int>(AfxGetApp()
        ? AfxGetApp()->GetProfileInt(ProfileSection(L"splt\\init_h"), L"HorizSplitPos", 2 * minBottom_)
        : 2 * minBottom_);
    LayOutStacked(client.Bottom - barWidth_ / 2 - height);
    bottomHeight_ = bottomRect_.Height();
  }
  return TRUE;
}

CString CSplitterPanel::ProfileSection(const wchar_t* prefix) const {
  CString section;
  section.Format(L"%s%u", prefix, id_);
  return section;
}

pages::PaneRect CSplitterPanel::Client() const {
  CRect client(0, 0, 0, 0);
  if (GetSafeHwnd()) GetClientRect(&client);
  return {client.left, client.top, client.right, client.bottom};
}

void CSplitterPanel::LayOutSideBySide(int x) {
  const pages::SideBySideGeometry g = pages::SideBySideAt(Client(), x, barWidth_);
  verticalBar_ = ToRect(g.Bar);
  firstRect_ = ToRect(g.First);
  MovePane(leftPane_, firstRect_);
  secondRect_ = ToRect(g.Second);
  MovePane(rightPane_, secondRect_);
}

void CSplitterPanel::LayOutStacked(int y) {
  const pages::StackedGeometry g = pages::StackedAt(Client(), y, barWidth_);
  horizontalBar_ = ToRect(g.Bar);
  bottomRect_ = ToRect(g.Bottom);
  MovePane(bottomPane_, bottomRect_);
  topRect_ = ToRect(g.Top);
  MovePane(topPane_, topRect_);
}

int CSplitterPanel::ClampX(int x) const {
  const pages::PaneRect c = Client();
  return pages::ClampSplit(x, c.Left, c.Right, minLeft_, minRight_);
}

int CSplitterPanel::ClampY(int y) const {
  const pages::PaneRect c = Client();
  return pages::ClampSplit(y, c.Top, c.Bottom, minTop_, minBottom_);
}

void CSplitterPanel::OnSize(UINT type, int cx, int cy) {
  CStatic::OnSize(type, cx, cy);
  if (sideBySide_) {
    if (firstPaneHidden_) {
      secondRect_ = CRect(0, 0, cx, cy);
      MovePane(rightPane_, secondRect_);
    } else {
      LayOutSideBySide(ClampX(firstWidth_ + barWidth_ / 2));
    }
  } else if (stacked_) {
    LayOutStacked(ClampY(cy - barWidth_ / 2 - bottomHeight_));
  }
}

void CSplitterPanel::HideFirstPane() {
  if (!sideBySide_ || firstPaneHidden_ || !rightPane_ || !rightPane_->GetSafeHwnd()) return;
  firstPaneHidden_ = true;
  verticalBar_.SetRectEmpty();  // nothing left to drag
  if (leftPane_ && leftPane_->GetSafeHwnd()) leftPane_->ShowWindow(SW_HIDE);
  const pages::PaneRect c = Client();
  secondRect_ = CRect(c.Left, c.Top, c.Right, c.Bottom);
  MovePane(rightPane_, secondRect_);
}

void CSplitterPanel::ShowFirstPane() {
  if (!sideBySide_) return;
  firstPaneHidden_ = false;
  firstWidth_ = firstRect_.Width();
  LayOutSideBySide(firstRect_.right + barWidth_ / 2);
  if (leftPane_ && leftPane_->GetSafeHwnd()) leftPane_->ShowWindow(SW_SHOW);
}

// The tracker is the bar drawn inverted at the dragged position; drawing it a
// second time restores what was there.
void CSplitterPanel::DrawTracker(const CRect& tracker, bool sideBySide) {
  HDC dc = ::GetDCEx(GetSafeHwnd(), nullptr, DCX_CACHE);  // the panel has no WS_CLIPCHILDREN: it draws over the panes
  if (!dc) return;
  CRect client;
  GetClientRect(&client);
  CRect bar = sideBySide ? CRect(tracker.left - barWidth_ / 2, client.top, tracker.left - barWidth_ / 2 + barWidth_,
                                 client.bottom)
                         : CRect(client.left, tracker.top - barWidth_ / 2, client.right,
                                 tracker.top - barWidth_ / 2 + barWidth_);
  HBRUSH brush = ::GetSysColorBrush(COLOR_BTNFACE);
  HGDIOBJ old = ::SelectObject(dc, brush);
  ::PatBlt(dc, bar.left, bar.top, bar.Width(), bar.Height(), PATINVERT);
  ::SelectObject(dc, old);
  ::ReleaseDC(GetSafeHwnd(), dc);
}

void CSplitterPanel::OnLButtonDown(UINT flags, CPoint point) {
  const bool onVertical = sideBySide_ && !firstPaneHidden_ && verticalBar_.PtInRect(point);
  const bool onHorizontal = stacked_ && horizontalBar_.PtInRect(point);
  if (!onVertical && !onHorizontal) {
    CStatic::OnLButtonDown(flags, point);
    return;
  }
  HWND previousFocus = ::GetFocus();
  if (onVertical) {
    const int x = ClampX(point.x);
    verticalTracker_ = CRect(x, 0, x, 0);
    verticalStart_ = verticalLast_ = point;
    draggingVertical_ = capturedVertical_ = true;
    focusBeforeVerticalDrag_ = previousFocus;
    DrawTracker(verticalTracker_, true);
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
  } else {
    const int y = ClampY(point.y);
    horizontalTracker_ = CRect(0, y, 0, y);
    horizontalStart_ = horizontalLast_ = point;
    draggingHorizontal_ = capturedHorizontal_ = true;
    focusBeforeHorizontalDrag_ = previousFocus;
    DrawTracker(horizontalTracker_, false);
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
  }
  SetCapture();
  SetFocus();
}

void CSplitterPanel::OnMouseMove(UINT flags, CPoint point) {
  if (draggingVertical_) {
    DrawTracker(verticalTracker_, true);
    const int x = ClampX(point.x);
    verticalTracker_ = CRect(x, 0, x, 0);
    DrawTracker(verticalTracker_, true);
    verticalLast_ = point;
  } else if (draggingHorizontal_) {
    DrawTracker(horizontalTracker_, false);
    const int y = ClampY(point.y);
    horizontalTracker_ = CRect(0, y, 0, y);
    DrawTracker(horizontalTracker_, false);
    horizontalLast_ = point;
  }
  if (draggingVertical_ || (!IsDragging() && sideBySide_ && !firstPaneHidden_ && verticalBar_.PtInRect(point))) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
  } else if (draggingHorizontal_ || (!IsDragging() && stacked_ && horizontalBar_.PtInRect(point))) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZENS));
  }
  CStatic::OnMouseMove(flags, point);
}

void CSplitterPanel::OnLButtonUp(UINT flags, CPoint point) {
  if (draggingVertical_ && capturedVertical_) {
    const int x = ClampX(point.x);
    DrawTracker(verticalTracker_, true);
    LayOutSideBySide(x);
    firstWidth_ = firstRect_.Width();
    draggingVertical_ = capturedVertical_ = false;
    ReleaseCapture();
  } else if (draggingHorizontal_ && capturedHorizontal_) {
    const int y = ClampY(point.y);
    DrawTracker(horizontalTracker_, false);
    LayOutStacked(y);
    bottomHeight_ = bottomRect_.Height();
    draggingHorizontal_ = capturedHorizontal_ = false;
    ReleaseCapture();
  }
  CStatic::OnLButtonUp(flags, point);
}

void CSplitterPanel::CancelDrag() {
  HWND previousFocus = nullptr;
  if (draggingVertical_) {
    DrawTracker(verticalTracker_, true);
    previousFocus = focusBeforeVerticalDrag_;
  } else {
    DrawTracker(horizontalTracker_, false);
    previousFocus = focusBeforeHorizontalDrag_;
  }
  draggingVertical_ = capturedVertical_ = false;
  draggingHorizontal_ = capturedHorizontal_ = false;
  ReleaseCapture();
  if (previousFocus && ::IsWindow(previousFocus)) ::SetFocus(previousFocus);
}

BOOL CSplitterPanel::PreTranslateMessage(MSG* message) {
  if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE && IsDragging()) {
    CancelDrag();
    return TRUE;
  }
  return CStatic::PreTranslateMessage(message);
}

// Reached when no message loop of the framework offered the key to
// PreTranslateMessage first.
void CSplitterPanel::OnKeyDown(UINT key, UINT repeat, UINT flags) {
  if (key == VK_ESCAPE && IsDragging()) {
    CancelDrag();
    return;
  }
  CStatic::OnKeyDown(key, repeat, flags);
}

void CSplitterPanel::OnDestroy() {
  CStatic::OnDestroy();
  CWinApp* app = AfxGetApp();
  if (!app) return;
  if (!firstRect_.IsRectEmpty()) app->WriteProfileInt(ProfileSection(L"splt\\init_v"), L"VertSplitPos", firstRect_.right);
  if (!bottomRect_.IsRectEmpty())
    app->WriteProfileInt(ProfileSection(L"splt\\init_h"), L"HorizSplitPos", bottomRect_.Height());
}
