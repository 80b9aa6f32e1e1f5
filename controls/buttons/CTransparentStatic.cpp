#include "CTransparentStatic.h"

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
  ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

void RepaintParentUnder(CWnd* control) {
  HWND parent = ::GetParent(control->GetSafeHwnd());
  if (!parent) {
    control->Invalidate(TRUE);
    return;
  }
  CRect area;
  control->GetWindowRect(&area);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  // Erased at once even where the parent's paint does not begin a paint,
  // and the controls over the area painted again on the fresh background.
  ::RedrawWindow(parent, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

HBRUSH TransparentCtlColor(CDC* dc) {
  dc->SetBkMode(TRANSPARENT);
  return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

HBRUSH CTransparentStatic::CtlColor(CDC* dc, UINT) { return TransparentCtlColor(dc); }

LRESULT CTransparentStatic::OnSetText(WPARAM, LPARAM) {
  const LRESULT result = Default();
  RepaintParentUnder(this);
  return result;
}
