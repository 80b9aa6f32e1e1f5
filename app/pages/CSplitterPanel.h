// Two existing windows side by side (style bit 1) or one above the other
// (style bit 2) with a 5-pixel bar between them that the user drags. The
// panel becomes the parent of both panes and keeps them laid out; their
// notifications still reach the panel's parent, which owns them.
#pragma once

#include "Framework.h"
#include "SplitterGeometry.h"

class CSplitterPanel : public CStatic {
 public:
  static constexpr DWORD kSideBySide = 0x1;
  static constexpr DWORD kStacked = 0x2;

  CSplitterPanel();

  // Always TRUE, as a panel without its window simply lays nothing out.
  BOOL Create(DWORD style, CWnd* parent, CWnd* firstPane, CWnd* secondPane, UINT id, const RECT& rect,
              int minFirst, int minSecond);

  // Side by side only: the second pane takes the whole panel, and back.
  void HideFirstPane();
  void ShowFirstPane();

  BOOL PreTranslateMessage(MSG* message) override;
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  bool IsDragging() const { return draggingVertical_ || draggingHorizontal_; }
  bool IsFirstPaneHidden() const { return firstPaneHidden_; }
  const CRect& FirstPaneRect() const { return firstRect_; }
  const CRect& SecondPaneRect() const { return secondRect_; }
  const CRect& TopPaneRect() const { return topRect_; }
  const CRect& BottomPaneRect() const { return bottomRect_; }

 protected:
  afx_msg void OnSize(UINT type, int cx, int cy);
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnDestroy();
  afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

 private:
  pages::PaneRect Client() const;
  void LayOutSideBySide(int x);
  void LayOutStacked(int y);
  int ClampX(int x) const;
  int ClampY(int y) const;
  void DrawTracker(const CRect& tracker, bool sideBySide);
  void CancelDrag();
  CString ProfileSection(const wchar_t* prefix) const;

  CWnd* leftPane_ = nullptr;
  CWnd* rightPane_ = nullptr;
  CWnd* topPane_ = nullptr;
  CWnd* bottomPane_ = nullptr;
  int minLeft_ = 0, minRight_ = 0, minTop_ = 0, minBottom_ = 0;
  int barWidth_ = 5;
  UINT id_ = 0;
  int firstWidth_ = 0;
  int bottomHeight_ = 0;
  CRect firstRect_, secondRect_, topRect_, bottomRect_;
  CRect verticalBar_, horizontalBar_;
  CRect verticalTracker_, horizontalTracker_;
  bool stacked_ = false;
  bool sideBySide_ = false;
  bool capturedVertical_ = false, draggingVertical_ = false;
  bool capturedHorizontal_ = false, draggingHorizontal_ = false;
  bool firstPaneHidden_ = false;
  CPoint verticalStart_, verticalLast_, horizontalStart_, horizontalLast_;
  HWND focusBeforeVerticalDrag_ = nullptr;
  HWND focusBeforeHorizontalDrag_ = nullptr;
};
