#include "styles/CTaskPanelDrawerStyle10.h"

#include "CColorTable.h"

CTaskPanelDrawerStyle10::CTaskPanelDrawerStyle10(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle9(pPanel)
{
    m_nHighlightStyle = 1;
    m_bEmbossedDisabledText = FALSE;
}

void CTaskPanelDrawerStyle10::ReloadMetrics()
{
    CTaskPanelDrawerStyle9::ReloadMetrics();
    m_background.SetStandardValue(Slot(30));
    m_normalColors.clientGradient.SetStandardValue(Slot(30));
    m_normalColors.text.SetStandardValue(Slot(18));
    m_normalColors.link.SetStandardValue(Slot(18));
    m_normalColors.linkHot.SetStandardValue(Slot(18));
    m_normalColors.linkSelected.SetStandardValue(Slot(45));
    m_nCaptionHeight = std::max(m_nCaptionHeight, 20);
    SpecialLikeOrdinary();
}
