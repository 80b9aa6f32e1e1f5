#include "CFileSystemView.h"

IMPLEMENT_DYNCREATE(CFileSystemView, CView)

void CFileSystemView::OnDraw(CDC*) {}
