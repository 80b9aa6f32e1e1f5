#include "CSideStripDropTarget.h"

#include "CDockingSideStrip.h"

DROPEFFECT CSideStripDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/,
                                            CPoint point)
{
    m_pStrip->SlideOutForDrag(point);
    return DROPEFFECT_NONE;
}
