#include "CKitControl.h"

#include "CKitCommandBar.h"

BOOL CKitControl::IsCaptionVisible()
{
    if (m_pParent != nullptr && m_pParent->GetType() == kBarTypePopup)
        return TRUE;
    if (GetCaption().IsEmpty())
        return FALSE;
    switch (GetCaptionStyle())
    {
    case 1:
    case 3:
        return TRUE;
    case 2:
        return FALSE;
    case 0:
        if (m_nType == kControlButton || m_nType == kControlButtonPopup || m_nType == kControlSplitButtonPopup)
            return GetIcon(0) == nullptr;
        return m_nType == kControlPopup || m_nType == kControlLabel;
    default:
        return FALSE;
    }
}

BOOL CKitControl::IsIconWanted() const
{
    switch (GetCaptionStyle())
    {
    case 2:
    case 3:
        return TRUE;
    case 0:
        return m_nType != kControlPopup;
    default:
        return FALSE;
    }
}

CCommandIcon* CKitControl::GetIcon(int /*nWidth*/)
{
    // The icon store lookup by command id comes with the control family.
    return nullptr;
}
