#include "styles/CTaskPanelDrawerStyle9.h"

#include "CColorTable.h"

CTaskPanelDrawerStyle9::CTaskPanelDrawerStyle9(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle7(pPanel)
{
    m_rcGroupInnerMargins = CRect(8, 6, 8, 6);
    m_rcControlMargins = CRect(0, 0, 0, 0);
    m_bEmbossedDisabledText = TRUE;
    m_nGroupSpacing = 0;
    m_nHighlightStyle = 0;
    m_bInvertedDropMarks = FALSE;
    m_bCaptionScrollButtons = FALSE;
}

void CTaskPanelDrawerStyle9::ReloadMetrics()
{
    CTaskPanelDrawerStyle7::ReloadMetrics();
    m_background.SetStandardValue(Slot(16));
    m_normalColors.clientGradient.SetStandardValue(Slot(16));
    m_normalColors.text.SetStandardValue(Slot(5));
    m_normalColors.link.SetStandardValue(Slot(5));
    m_normalColors.linkHot.SetStandardValue(Slot(5));
    m_normalColors.linkSelected.SetStandardValue(Slot(5));
    m_nCaptionHeight = std::max(m_nCaptionHeight, 20);
    if (m_nHighlightStyle == 0)
    {
        m_hotItemFill.SetStandardValue(Slot(16));
        m_frame.SetStandardValue(Slot(18), Slot(15));
    }
    SpecialLikeOrdinary();
}
