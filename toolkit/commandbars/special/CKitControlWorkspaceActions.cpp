#include "CKitControlWorkspaceActions.h"

#include "CKitCommandBar.h"
#include "CKitControls.h"
#include "CKitTabClientWnd.h"
#include "TabWorkspaceOfSite.h"

void CKitControlWorkspaceActions::PrepareLayout(DWORD)
{
    CKitControls* pControls = m_pControls;
    if (pControls == nullptr || m_pParent == nullptr)
        return;
    for (CKitControl* pNext = pControls->GetAt(m_nIndex + 1);
         pNext != nullptr && pNext->GetId() >= ID_TABGROUP_MOVE_PREVIOUS && pNext->GetId() <= ID_TABGROUP_NEW_VERTICAL;
         pNext = pControls->GetAt(m_nIndex + 1))
        pControls->Remove(pNext);
    // Without a tab workspace the placeholder keeps its hide flags and adds
    // nothing (this program's frame has none).
    const CKitTabClientWnd* pWorkspace = FindTabWorkspace(m_pParent->GetSite());
    if (pWorkspace == nullptr)
        return;
    SetHideFlags(m_dwHideFlags | kHideByProgram);
    int nAdded = 0;
    for (const UINT nId : {ID_TABGROUP_NEW_HORIZONTAL, ID_TABGROUP_NEW_VERTICAL, ID_TABGROUP_MOVE_PREVIOUS,
                           ID_TABGROUP_MOVE_NEXT})
    {
        if (!pWorkspace->IsTabGroupCommandEnabled(nId, nullptr))
            continue;
        CKitControl* pItem = pControls->Add(kControlButton, static_cast<int>(nId), CString(), m_nIndex + 1 + nAdded, TRUE);
        if (pItem == nullptr)
            break;
        if (nAdded == 0)
            pItem->m_bBeginGroup = m_bBeginGroup;
        ++nAdded;
    }
}
