#include "CScanningProgress.h"

#include "DeviceContexts.h"

IMPLEMENT_DYNCREATE(CScanningProgress, CFormView)

void CScanningProgress::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  CClientDC client(this);
  CRect rect;
  GetClientRect(&rect);
  CDoubleBufferDC buffer(client.GetSafeHdc(), rect);
  buffer.FillSolidRect(&rect, RGB(189, 211, 255));
  SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.GetSafeHdc()), PRF_CLIENT);
}
