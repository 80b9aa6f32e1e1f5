#include "styles/CTaskPanelDrawerStyle11.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"

CTaskPanelDrawerStyle11::CTaskPanelDrawerStyle11(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle10(pPanel)
{
    m_nHighlightStyle = 2;
    m_bEmbossedDisabledText = FALSE;
}

void CTaskPanelDrawerStyle11::ReloadMetrics()
{
    CTaskPanelDrawerStyle10::ReloadMetrics();
    m_pressedCaption.SetStandardValue(Slot(33));
    m_hotCaption.SetStandardValue(Slot(31));
    const int scheme = GetLunaScheme();
    if (!GetColorTable()->AreLunaColorsDisabled() && scheme != kit::kSchemeNone && scheme != kit::kSchemeAutomatic)
    {
        const COLORREF client = scheme == kit::kSchemeBlue ? 0xFCE7D8 : scheme == kit::kSchemeOlive ? 0xBFE7E2 : 0xEADFDF;
        m_background.SetStandardValue(client);
        m_normalColors.clientGradient.SetStandardValue(client);
        m_pressedCaption.SetStandardValue(0x087FE8, 0x7CDAF7);
        m_hotCaption.SetStandardValue(0xDCFFFF, 0x5BC0F7);
    }
    SpecialLikeOrdinary();
}

CRect CTaskPanelDrawerStyle11::DrawCaptionBackground(CDC* pDC, Group& group, CRect rect)
{
    const BOOL bPressed = m_pPanel->IsItemPressed(group);
    if (bPressed || m_pPanel->IsItemHot(group))
        CDrawTools::FillStyleGradient(pDC, rect, bPressed ? m_pressedCaption : m_hotCaption, FALSE);
    else
    {
        const CStyleGradient& member = GetColorTable()->gradients[1];
        CDrawTools::GradientFill(pDC, rect, member.dark.GetValue(), member.light.GetValue(), FALSE);
    }
    pDC->Draw3dRect(rect, Slot(COLOR_BTNHIGHLIGHT), Slot(54));
    return rect;
}
