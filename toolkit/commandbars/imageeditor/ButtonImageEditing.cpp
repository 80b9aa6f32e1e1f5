#include "ButtonImageEditing.h"

#include "CButtonImageEditorDlg.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "CKitControl.h"

namespace
{
CCommandIconStore* StoreOf(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    return pCommandBars != nullptr ? pCommandBars->GetIconManager() : GetCommandIconStore();
}
} // namespace

CSize ControlIconSize(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl != nullptr ? pControl->GetParent() : nullptr;
    return pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
}

BOOL StoreControlCustomIcon(CKitControl* pControl, const CIconImage& image, CSize szIcon)
{
    if (pControl == nullptr || image.IsEmpty())
        return FALSE;
    const SIZE extent = image.GetExtent();
    if (extent.cx != szIcon.cx || extent.cy != szIcon.cy || szIcon.cx <= 0 || szIcon.cy <= 0)
        return FALSE;
    CCommandIconStore* pStore = StoreOf(pControl);
    if (pControl->m_nCustomIconId > 0 && pStore->FindIconSet(static_cast<UINT>(pControl->m_nCustomIconId)) != nullptr)
    {
        if (!pStore->SetIcon(image, static_cast<UINT>(pControl->m_nCustomIconId), szIcon.cx, szIcon.cy))
            return FALSE;
    }
    else
    {
        const UINT nID = pStore->AddCustomIcon(image);
        if (nID == 0)
            return FALSE;
        pControl->m_nCustomIconId = static_cast<int>(nID);
    }
    // Scaled copies made from the old picture for other widths go too.
    if (CCommandIconSet* pSet = pStore->FindIconSet(static_cast<UINT>(pControl->m_nCustomIconId)))
        pSet->Refresh();
    if (CKitCommandBar* pBar = pControl->GetParent())
    {
        pBar->DelayLayout();
        if (pBar->m_hWnd != nullptr)
            ::InvalidateRect(pBar->m_hWnd, nullptr, TRUE);
    }
    return TRUE;
}

BOOL EditControlButtonImage(CKitControl* pControl, CWnd* pParent)
{
    if (pControl == nullptr)
        return FALSE;
    const CSize szIcon = ControlIconSize(pControl);
    CButtonImageEditorDlg dialog(pParent);
    dialog.SetImageSize(szIcon.cx, szIcon.cy);
    if (CCommandIcon* pIcon = pControl->GetIcon(szIcon.cx))
    {
        // The store hands out its nearest icon when none has this width, and
        // alpha icons are never scaled there: such a picture is redrawn at
        // the bar's size, so that what is stored fits the bar.
        const SIZE extent = pIcon->GetImage().GetExtent();
        if (!pIcon->GetImage().IsEmpty() && extent.cx == szIcon.cx && extent.cy == szIcon.cy)
            dialog.SetImageFromIcon(pIcon);
        else
            dialog.SetImageFromIconScaled(pIcon, szIcon);
    }
    if (dialog.DoModal() != IDOK)
        return FALSE;
    CCommandIcon result(0, szIcon.cx, szIcon.cy, static_cast<CCommandIconSet*>(nullptr));
    if (!dialog.GetImageToIcon(&result))
        return FALSE;
    return StoreControlCustomIcon(pControl, result.GetImage(), szIcon);
}
