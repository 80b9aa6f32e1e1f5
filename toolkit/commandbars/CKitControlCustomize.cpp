// The control's side of customization: pressing it in customize mode picks
// it up.
#include "CKitControl.h"

#include "CKitCommandBar.h"
#include "CKitCommandBars.h"
#include "customize/CControlDragSource.h"

int CKitControl::OnCustomizeMouseDown(CPoint /*point*/)
{
    CKitCommandBar* pParent = m_pParent;
    CKitCommandBars* pCommandBars = pParent != nullptr ? pParent->FindCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return CControlDragSource::kDropCancelled;
    // The control may leave its bar below; the drag and the caller keep it alive.
    InternalAddRef();
    pCommandBars->SetDragControl(this);
    const int nResult = pCommandBars->GetDragSource()->DoDragDrop(this, FALSE);
    if ((nResult == CControlDragSource::kDropNowhere || nResult == CControlDragSource::kDropMoved) &&
        m_pParent == pParent && m_pControls != nullptr)
    {
        if (::IsWindow(pParent->m_hWnd))
        {
            pParent->SetPopuped(-1, FALSE);
            pParent->SetSelected(-1, FALSE);
        }
        if (pCommandBars->GetDragControl() == this)
            pCommandBars->SetDragControl(nullptr);
        CKitControls* pControls = m_pControls;
        CKitControl* pNext = pControls->GetAt(m_nIndex + 1);
        // The group start stays where it was: with the next control, or gone
        // from a control that becomes the first.
        if (m_bBeginGroup && pNext != nullptr)
            pNext->SetBeginGroup(TRUE);
        if (m_nIndex == 0 && pNext != nullptr)
            pNext->SetBeginGroup(FALSE);
        pControls->Remove(this);
        pParent->OnRecalcLayout();
    }
    if (CKitControl* pSelection = pCommandBars->GetDragControl())
        pSelection->RedrawParent();
    InternalRelease();
    return nResult;
}
