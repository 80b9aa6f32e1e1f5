#include "CTransparentRadio.h"

IMPLEMENT_DYNAMIC(CTransparentRadio, CButton)

BEGIN_MESSAGE_MAP(CTransparentRadio, CButton)
  ON_WM_PAINT()
END_MESSAGE_MAP()

void CTransparentRadio::OnPaint() {
  Default();
  CClientDC dc(this);
  CString text;
  GetWindowText(text);
  HGDIOBJ previous = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
  dc.SetBkMode(TRANSPARENT);
  CRect client;
  GetClientRect(&client);
  dc.DrawText(text, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (previous) dc.SelectObject(previous);
}
