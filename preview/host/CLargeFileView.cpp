#include "CLargeFileView.h"

#include "PlaceholderPicture.h"
#include "ResourceIds.h"

IMPLEMENT_DYNCREATE(CLargeFileView, CView)

void CLargeFileView::OnDraw(CDC* pDC)
{
    DrawPlaceholderPicture(this, pDC, IDB_PREVIEW_TOO_LARGE, CString());
}
