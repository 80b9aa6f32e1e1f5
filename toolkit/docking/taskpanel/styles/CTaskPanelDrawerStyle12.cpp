#include "styles/CTaskPanelDrawerStyle12.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"

CTaskPanelDrawerStyle12::CTaskPanelDrawerStyle12(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle11(pPanel)
{
    m_nCaptionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | DT_CENTER;
}

void CTaskPanelDrawerStyle12::ReloadMetrics()
{
    CTaskPanelDrawerStyle11::ReloadMetrics();
    m_nCaptionHeight = MeasureCaptionFontHeight(3, 22);
    m_normalColors.clientGradient.SetStandardValue(Slot(5));
    m_normalColors.link.SetStandardValue(Slot(5));
    m_normalColors.linkHot.SetStandardValue(Slot(5));
    SpecialLikeOrdinary();
}

void CTaskPanelDrawerStyle12::FillBackground(CDC* pDC)
{
    CDrawTools::FillStyleGradient(pDC, GetBackgroundRect(), GetColorTable()->gradients[0], FALSE);
}

void CTaskPanelDrawerStyle12::FillGroupClientFace(CDC* pDC, Group& group, CRect rect)
{
    CDrawTools::FillStyleGradient(pDC, rect, GetColorTable()->gradients[0], FALSE);
    m_pPanel->DrawGroupClientPicture(pDC, group, rect);
    if (m_pPanel->IsGroupExpanded(&group) || group.expanding)
        DrawGroupItems(pDC, group, rect);
    pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, Slot(54));
}

CRect CTaskPanelDrawerStyle12::DrawCaptionBackground(CDC* pDC, Group& group, CRect rect)
{
    const BOOL bPressed = m_pPanel->IsItemPressed(group);
    if (bPressed || m_pPanel->IsItemHot(group))
        CDrawTools::FillStyleGradient(pDC, rect, bPressed ? m_pressedCaption : m_hotCaption, FALSE);
    else
        CDrawTools::FillStyleGradient(pDC, rect, GetColorTable()->gradients[3], FALSE);
    if (m_pPanel->GetGroups().IndexOf(&group) > 0)
        pDC->FillSolidRect(rect.left, rect.top, rect.Width(), 1, Slot(54));
    return rect;
}
