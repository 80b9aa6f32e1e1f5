#include "styles/CTaskPanelDrawerStyle4.h"

#include "CColorTable.h"

CTaskPanelDrawerStyle4::CTaskPanelDrawerStyle4(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle3(pPanel)
{
    m_bCaptionUnderline = TRUE;
    m_nHighlightStyle = 1;
    m_bFramedGroups = FALSE;
}

void CTaskPanelDrawerStyle4::ReloadMetrics()
{
    ReloadBaseMetrics();
    m_nExpandButtonKind = 0;
    m_background.SetStandardValue(Slot(41));
    m_normalColors.clientGradient.SetStandardValue(Slot(41));
    m_normalColors.captionGradient.SetStandardValue(Slot(16));
    m_normalColors.link.SetStandardValue(0xFF0000);
    m_normalColors.linkHot.SetStandardValue(0xFF0000);
    SpecialLikeOrdinary();
}
