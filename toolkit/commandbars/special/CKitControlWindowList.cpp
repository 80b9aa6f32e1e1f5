#include "CKitControlWindowList.h"

#include "CKitCommandBars.h"
#include "ListItemCaption.h"
#include "window/CFrameWnd.h"

int CKitControlWindowList::s_nFirstChildId = 0xFF00;
int CKitControlWindowList::s_nMaxWindows = 9;

namespace
{
// The MDI client of the site, when the site is an MDI frame.
HWND FindMdiClient(CKitCommandBar* pBar)
{
    auto* pFrame = pBar != nullptr ? dynamic_cast<CMDIFrameWnd*>(pBar->GetSite()) : nullptr;
    return pFrame != nullptr && ::IsWindow(pFrame->m_hWndMDIClient) ? pFrame->m_hWndMDIClient : nullptr;
}
}  // namespace

void CKitControlWindowList::PrepareLayout(DWORD)
{
    CKitControls* pControls = m_pControls;
    if (pControls == nullptr)
        return;
    for (CKitControl* pNext = pControls->GetAt(m_nIndex + 1); pNext != nullptr && pNext->GetId() >= s_nFirstChildId;
         pNext = pControls->GetAt(m_nIndex + 1))
        pControls->Remove(pNext);
    HWND hClient = FindMdiClient(m_pParent);
    if (IsCustomizingControl(this) || hClient == nullptr)
    {
        SetHideFlags(0);
        return;
    }
    SetHideFlags(m_dwHideFlags | kHideByProgram);
    const HWND hActive = reinterpret_cast<HWND>(::SendMessageW(hClient, WM_MDIGETACTIVE, 0, 0));
    if (hActive != nullptr)
    {
        const int nActiveId = ::GetDlgCtrlID(hActive);
        if (nActiveId >= 0x8000 && nActiveId <= 0x800E)
            s_nFirstChildId = 0x8000;
        else if (nActiveId >= 1 && nActiveId <= 14)
            s_nFirstChildId = 1;
    }
    int nListed = 0;
    for (int nId = s_nFirstChildId; nListed < s_nMaxWindows; ++nId)
    {
        HWND hChild = ::GetDlgItem(hClient, nId);
        if (hChild == nullptr)
            break;
        if (!::IsWindowVisible(hChild))
            continue;
        wchar_t szTitle[257] = {};
        ::GetWindowTextW(hChild, szTitle, 256);
        CKitControl* pItem = pControls->Add(kControlButton, nId, CString(), m_nIndex + 1 + nListed, TRUE);
        if (pItem == nullptr)
            break;
        pItem->SetCaption(FormatListItemCaption(szTitle, nListed + 1));
        pItem->m_bBeginGroup = nListed == 0;
        pItem->m_bChecked = hChild == hActive;
        ++nListed;
    }
}

BOOL CKitControlWindowList::AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint, int& nEffect)
{
    return AcceptsDropOnPopupOnly(pBar, nEffect);
}
