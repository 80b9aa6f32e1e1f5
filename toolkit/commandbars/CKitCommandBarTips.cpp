// The screen tips of a bar's controls: the bar answers the tip context's hit
// test with the control under the pointer, its tooltip and, when the
// settings ask for it, the command's shortcut.
#include "CCommandBarSettings.h"
#include "CCommandShortcuts.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CPopupMouseTracker.h"
#include "CScreenTipContext.h"

void CKitCommandBar::RelayToScreenTips(UINT message, WPARAM wParam, LPARAM lParam)
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    CScreenTipContext* pTips = pCommandBars != nullptr ? pCommandBars->GetScreenTipContext() : nullptr;
    if (pTips != nullptr && ::IsWindow(m_hWnd))
        pTips->FilterMouseMessage(this, message, wParam, lParam);
}

void CKitCommandBar::CancelScreenTips()
{
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (CScreenTipContext* pTips = pCommandBars != nullptr ? pCommandBars->GetScreenTipContext() : nullptr)
        pTips->CancelTips();
}

CString CKitCommandBar::GetControlTipText(CKitControl* pControl) const
{
    CString strTip = pControl->GetTooltip();
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (strTip.IsEmpty() || pCommandBars == nullptr || !pCommandBars->GetSettings()->m_bToolBarAccelTips)
        return strTip;
    CString strShortcut = pControl->GetShortcutText();
    if (strShortcut.IsEmpty() && pControl->GetId() > 0)
        pCommandBars->GetKeyboardShortcuts()->FindShortcutText(pControl->GetId(), strShortcut);
    if (!strShortcut.IsEmpty())
        strTip += L" (" + strShortcut + L")";
    return strTip;
}

INT_PTR CKitCommandBar::OnToolHitTest(CPoint point, TOOLINFOW* pTI) const
{
    const BOOL bPopupBar = m_nPosition == kBarPopup;
    if (m_nTracking == 2 && !bPopupBar)
        return -1;
    // While menus are open only their own items have tips.
    CPopupMouseTracker* pMouse = CPopupMouseTracker::GetThreadTracker();
    if (pMouse->m_nLock > 0 || (pMouse->IsTracking() && !bPopupBar))
        return -1;
    CKitCommandBars* pCommandBars = FindCommandBars();
    if (pCommandBars != nullptr && !pCommandBars->GetSettings()->m_bToolBarScreenTips)
        return -1;
    CKitControl* pControl = m_controls.GetAt(IndexAt(point));
    if (pControl == nullptr)
        return -1;
    const BOOL bPopupTips = pCommandBars != nullptr && pCommandBars->GetSettings()->m_bShowPopupBarToolTips;
    if (m_nType == kBarTypePopup && !bPopupTips && (pControl->GetFlags() & kControlFlagTipInMenu) == 0)
        return -1;
    const CString strTip = GetControlTipText(pControl);
    if (strTip.IsEmpty())
        return -1;
    if (pTI != nullptr)
        FillToolInfo(pTI, m_hWnd, pControl->GetRect(), static_cast<UINT_PTR>(pControl->GetId()), strTip, strTip,
                     pControl->GetDescription());
    return pControl->GetId();
}
