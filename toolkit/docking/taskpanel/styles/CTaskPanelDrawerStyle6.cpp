#include "styles/CTaskPanelDrawerStyle6.h"

#include "CColorTable.h"
#include "CKitTaskPanel.h"
#include "core/DrawerColors.h"

using kit::taskpanel::MixColors;

CTaskPanelDrawerStyle6::CTaskPanelDrawerStyle6(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle3(pPanel)
{
    m_nHighlightStyle = 2;
}

void CTaskPanelDrawerStyle6::ReloadMetrics()
{
    CTaskPanelDrawerStyle3::ReloadMetrics();
    m_bExplorerLookActive = FALSE;
    const int scheme = GetLunaScheme();
    if (!m_bExplorerLookInClassic && scheme == kit::kSchemeNone)
        return;
    m_bExplorerLookActive = TRUE;
    m_nExpandButtonKind = 1;
    m_normalColors.border.SetStandardValue(Slot(5));
    m_specialColors.border.SetStandardValue(Slot(5));
    TaskPanelGroupColors& colors = m_normalColors;
    switch (scheme)
    {
    case kit::kSchemeBlue:
        m_background.SetStandardValue(0xE7A27B, 0xD67563);
        colors.clientGradient.SetStandardValue(0xF7DFD6);
        colors.link.SetStandardValue(0xC65D21);
        colors.linkHot.SetStandardValue(0xFF8E42);
        break;
    case kit::kSchemeOlive:
        m_background.SetStandardValue(0xADD9CC, 0x84BDA5);
        colors.clientGradient.SetStandardValue(0xECF6F6);
        colors.link.SetStandardValue(0x2D6656);
        colors.linkHot.SetStandardValue(0x1D9272);
        break;
    case kit::kSchemeSilver:
        m_background.SetStandardValue(0xD4C8C4, 0xC8B3B1);
        colors.clientGradient.SetStandardValue(0xF5F1F0);
        colors.link.SetStandardValue(0x3D3D3F);
        colors.linkHot.SetStandardValue(0x7C7C7E);
        break;
    default:
        m_background.SetStandardValue(MixColors(Slot(3), Slot(5), 128), MixColors(Slot(2), Slot(5), 192));
        colors.clientGradient.SetStandardValue(MixColors(MixColors(Slot(15), Slot(5), 24), Slot(2), 230));
        colors.link.SetStandardValue(Slot(18));
        colors.linkHot.SetStandardValue(Slot(13));
        break;
    }
    SpecialLikeOrdinary();
    LoadThemeBitmaps();
}

CRect CTaskPanelDrawerStyle6::DrawExpandButton(CDC* pDC, Group& group, CRect rect)
{
    if (!m_bExplorerLookActive)
    {
        const int kind = m_nExpandButtonKind;
        m_nExpandButtonKind = 3;
        rect = CTaskPanelDrawerStyle3::DrawExpandButton(pDC, group, rect);
        m_nExpandButtonKind = kind;
        return rect;
    }
    if (!m_pPanel->CanToggle(group) || rect.Width() <= 25)
        return rect;
    return DrawExpandButtonImage(pDC, group, rect);
}
