#include "CToolButton.h"

IMPLEMENT_DYNAMIC(CToolButton, CSkinBitmapButton)

void CToolButton::EnsureToolTip() {
  if (tooltip_.GetSafeHwnd()) return;
  tooltip_.Create(this, 0);
  tooltip_.Activate(FALSE);
}

void CToolButton::SetTipText(const CString* text, BOOL activate) {
  if (text) SetTipText(static_cast<LPCTSTR>(*text), activate);
}

void CToolButton::SetTipText(LPCTSTR text, BOOL activate) {
  if (!text) return;
  EnsureToolTip();
  if (tooltip_.GetToolCount() == 0) {
    CRect client;
    GetClientRect(&client);
    tooltip_.AddTool(this, text, &client, 1);
  }
  tooltip_.UpdateTipText(text, this, 1);
  tooltip_.Activate(activate);
}

BOOL CToolButton::PreTranslateMessage(MSG* message) {
  EnsureToolTip();
  tooltip_.RelayEvent(message);
  return CSkinBitmapButton::PreTranslateMessage(message);
}
