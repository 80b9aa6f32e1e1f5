#include "CTabbedContainerDropTarget.h"

#include "CDockingPaneDrawer.h"
#include "CDockingPaneItem.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CTabStripDrawer.h"

DROPEFFECT CTabbedContainerDropTarget::OnDragOver(CWnd* /*pWnd*/, COleDataObject* /*pDataObject*/, DWORD /*dwKeyState*/,
                                                  CPoint point)
{
    const CDockingPaneDrawer* pDrawer = m_pContainer->GetDrawer();
    const CTabStripDrawer* pTabDrawer = pDrawer ? pDrawer->m_pPaneTabDrawer : nullptr;
    if (!pTabDrawer || !pTabDrawer->m_bSelectOnDragOver || !m_pContainer->ShowsTabRow())
        return DROPEFFECT_NONE;
    const int nHit = m_pContainer->HitTest(point);
    CDockingPaneItem* pPane = nHit >= 0 ? m_pContainer->GetPaneAt(nHit) : nullptr;
    if (pPane && pPane != m_pContainer->GetSelectedPane())
        m_pContainer->SelectPane(pPane, FALSE, FALSE);
    return DROPEFFECT_NONE;
}
