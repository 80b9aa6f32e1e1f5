#include "CKitControlWorkspaceActions.h"

#include "CKitControls.h"

void CKitControlWorkspaceActions::PrepareLayout(DWORD)
{
    CKitControls* pControls = m_pControls;
    if (pControls == nullptr || m_pParent == nullptr)
        return;
    for (CKitControl* pNext = pControls->GetAt(m_nIndex + 1);
         pNext != nullptr && pNext->GetId() >= 9420 && pNext->GetId() <= 9423; pNext = pControls->GetAt(m_nIndex + 1))
        pControls->Remove(pNext);
    // No tab-group client exists to ask which moves are available, so the
    // placeholder keeps its hide flags and adds nothing.
}
