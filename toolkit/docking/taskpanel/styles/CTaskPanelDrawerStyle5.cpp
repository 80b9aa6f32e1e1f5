#include "styles/CTaskPanelDrawerStyle5.h"

#include "CColorTable.h"

CTaskPanelDrawerStyle5::CTaskPanelDrawerStyle5(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle4(pPanel)
{
    m_nHighlightStyle = 2;
}

void CTaskPanelDrawerStyle5::ReloadMetrics()
{
    ReloadBaseMetrics();
    m_nExpandButtonKind = 0;
    COLORREF client;
    COLORREF caption;
    switch (GetLunaScheme())
    {
    case kit::kSchemeBlue: client = 0xFEECDD; caption = 0xE0A47B; break;
    case kit::kSchemeOlive: client = 0xE7F2F3; caption = 0xB1BBBC; break;
    case kit::kSchemeSilver: client = 0xF4EEEE; caption = 0xBBA0A1; break;
    default: client = CColorTable::BlendColors(Slot(15), Slot(5), 50); caption = Slot(16); break;
    }
    m_background.SetStandardValue(client);
    m_normalColors.clientGradient.SetStandardValue(client);
    m_normalColors.captionGradient.SetStandardValue(caption);
    m_normalColors.link.SetStandardValue(0xFF0000);
    m_normalColors.linkHot.SetStandardValue(0xFF0000);
    SpecialLikeOrdinary();
}
