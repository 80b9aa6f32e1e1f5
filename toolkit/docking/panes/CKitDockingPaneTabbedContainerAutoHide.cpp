// The group's pin (the auto-hide caption button).
#include "CDockingHostWnd.h"
#include "CDockingPaneItem.h"
#include "CKitDockingPaneTabbedContainer.h"

void CKitDockingPaneTabbedContainer::OnAutoHideButton()
{
    CDockingPaneItem* pPane = m_pSelected;
    if (!pPane)
        return;
    CDockingHostWnd* pHost = GetHost();
    if (IsAutoHidden())
    {
        pHost->ToggleDockedFloating(pHost->m_bContainerAutoHide ? static_cast<CDockingNode*>(this) : pPane);
        return;
    }
    if (pHost->NotifyAction(kActionAutoHiding, pPane, nullptr, 0))
        return;
    // The window slides out at the size the group has now.
    StoreDockingSize();
    pHost->ToggleAutoHide(pPane);
    pHost->NotifyAction(kActionAutoHidden, pPane, nullptr, 0);
}

void CKitDockingPaneTabbedContainer::StoreDockingSize()
{
    const int nSide = GetHost()->GetNodeSide(this);
    const BOOL bHeight = nSide == kSideTop || nSide == kSideBottom;
    int& nOwn = bHeight ? m_nDockingCY : m_nDockingCX;
    nOwn = bHeight ? m_rect.Height() : m_rect.Width();
    for (CDockingPaneItem* pPane : m_panes)
        (bHeight ? pPane->m_nDockingCY : pPane->m_nDockingCX) = nOwn;
}
