#include "CTransparentButtonCtrl.h"

#include "CTransparentStatic.h"

IMPLEMENT_DYNAMIC(CTransparentButtonCtrl, CButton)

BEGIN_MESSAGE_MAP(CTransparentButtonCtrl, CButton)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

HBRUSH CTransparentButtonCtrl::CtlColor(CDC* dc, UINT) { return TransparentCtlColor(dc); }

LRESULT CTransparentButtonCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CButton::WindowProc(message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_ENABLE:
      if (m_hWnd && IsWindowVisible()) RepaintParentUnder(this);
      break;
    default:
      break;
  }
  return result;
}
