#include "ListItemCaption.h"

#include "CKitCommandBars.h"
#include "customize/CControlDragSource.h"

CString FormatListItemCaption(const CString& strText, int nNumber)
{
    CString strName = strText;
    strName.Replace(L"&", L"&&");
    CString strCaption;
    if (nNumber == 0)
        strCaption = strName;
    else if (nNumber >= 1 && nNumber <= 9)
        strCaption.Format(L"&%d %s", nNumber, strName.GetString());
    else if (nNumber == 10)
        strCaption.Format(L"1&0 %s", strName.GetString());
    else
        strCaption.Format(L"%d %s", nNumber, strName.GetString());
    return strCaption;
}

BOOL IsCustomizingControl(CKitControl* pControl)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    return pCommandBars != nullptr && pCommandBars->IsCustomizeMode();
}

BOOL AcceptsDropOnPopupOnly(CKitCommandBar* pBar, int& nEffect)
{
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        return TRUE;
    nEffect = CControlDragSource::kDropCancelled;
    return FALSE;
}
