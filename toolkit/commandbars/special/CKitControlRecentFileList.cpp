#include "CKitControlRecentFileList.h"

#include "CKitControls.h"
#include "ListItemCaption.h"
#include "window/CRecentFileList.h"
#include "window/CWinApp.h"

CRecentFileList* CKitControlRecentFileList::GetRecentFileList()
{
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
}

void CKitControlRecentFileList::PrepareLayout(DWORD)
{
    CRecentFileList* pList = GetRecentFileList();
    CKitControls* pControls = m_pControls;
    if (pList == nullptr || pControls == nullptr)
        return;
    const int nFirst = GetFirstCommandId();
    const int nSize = pList->GetSize();
    // The items of the last layout go first.
    for (CKitControl* pNext = pControls->GetAt(m_nIndex + 1);
         pNext != nullptr && pNext->GetId() >= nFirst && pNext->GetId() < nFirst + nSize;
         pNext = pControls->GetAt(m_nIndex + 1))
        pControls->Remove(pNext);
    if (IsCustomizingControl(this))
    {
        SetHideFlags(0);
        m_bEnabled = TRUE;
        return;
    }
    if (nSize <= 0 || (*pList)[0].IsEmpty())
    {
        SetHideFlags(0);
        m_bEnabled = FALSE;
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideByProgram);
    wchar_t szDirectory[MAX_PATH + 1] = {};
    DWORD nDirectory = ::GetCurrentDirectoryW(MAX_PATH, szDirectory);
    if (nDirectory == 0 || nDirectory >= MAX_PATH)
        nDirectory = 0;
    else if (szDirectory[nDirectory - 1] != L'\\')
    {
        szDirectory[nDirectory++] = L'\\';
        szDirectory[nDirectory] = 0;
    }
    CString strName;
    for (int i = 0; i < nSize && pList->GetDisplayName(strName, i, szDirectory, static_cast<int>(nDirectory), TRUE); ++i)
    {
        CKitControl* pItem = pControls->Add(kControlButton, nFirst + i, CString(), m_nIndex + 1 + i, TRUE);
        if (pItem == nullptr)
            break;
        pItem->SetCaption(FormatListItemCaption(strName, i + 1));
        if (i == 0 && m_nIndex > 0)
            pItem->m_bBeginGroup = TRUE;
    }
}

BOOL CKitControlRecentFileList::AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint, int& nEffect)
{
    return AcceptsDropOnPopupOnly(pBar, nEffect);
}
