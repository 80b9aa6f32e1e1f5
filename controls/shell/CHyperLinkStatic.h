// A dialog's static text as a clickable link: link, hover and visited
// colours, underline on hover or always, the system's hand cursor, a tooltip
// with the link, and opening through the shell with a message on failure.
#pragma once

#include "Framework.h"

class CHyperLinkStatic : public CStatic {
 public:
  static constexpr UINT_PTR kHoverTimer = 100;

  CHyperLinkStatic() = default;
  ~CHyperLinkStatic() override;

  // Stores the link target; the shown text stays.
  void SetURL(LPCTSTR link);
  CString GetURL() const { return m_strLink; }
  // -1 underline while hovering, 1 always, any other value never.
  void SetUnderline(int mode);
  void MarkVisited(BOOL visited);
  BOOL IsHovering() const { return m_bHovering; }
  BOOL IsVisited() const { return m_bVisited; }
  BOOL IsUnderlined() const;
  COLORREF CurrentTextColour() const;

  BOOL DestroyWindow() override;
  BOOL PreTranslateMessage(MSG* message) override;

  COLORREF m_crLink = 0xEE0000;
  COLORREF m_crVisited = 0x8B1A55;
  COLORREF m_crHover = 0x0000FF;
  BOOL m_bFitToText = TRUE;

 protected:
  void PreSubclassWindow() override;
  afx_msg HBRUSH CtlColor(CDC* dc, UINT colorType);
  afx_msg BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg void OnClicked();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  DECLARE_MESSAGE_MAP()

 private:
  void FitToText();

  BOOL m_bHovering = FALSE;
  BOOL m_bVisited = FALSE;
  int m_nUnderline = -1;
  CString m_strLink;
  CFont m_underlinedFont;
  CFont m_plainFont;
  HCURSOR m_hHandCursor = nullptr;
  CToolTipCtrl m_tooltip;
};
