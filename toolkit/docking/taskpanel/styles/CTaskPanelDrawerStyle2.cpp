#include "styles/CTaskPanelDrawerStyle2.h"

#include "CColorTable.h"
#include "core/DrawerColors.h"

using kit::taskpanel::MixColors;

CTaskPanelDrawerStyle2::CTaskPanelDrawerStyle2(CKitTaskPanel* pPanel) : CTaskPanelDrawer(pPanel)
{
    m_nHighlightStyle = 2;
}

namespace {

// One scheme's colours in the order the explorer bar lists them.
struct ExplorerBarColors
{
    COLORREF backgroundFrom, backgroundTo;
    COLORREF specialCaptionFrom, specialCaptionTo, specialText, specialHotText, specialClient;
    COLORREF captionFrom, captionTo, text, hotText, client;
    double captionStart;
};

constexpr ExplorerBarColors kBlue{0xE7A27B, 0xD67563, 0xB54900, 0xCE5D29, 0xFFFFFF, 0xFF8E42, 0xFFF3EF,
                                  0xFFFFFF, 0xF7D3C6, 0xC65D21, 0xFF8E42, 0xF7DFD6, 0.5};
constexpr ExplorerBarColors kOlive{0xADD9CC, 0x84BDA5, 0x408C77, 0x67A896, 0xFFFFFF, 0xB8E7E0, 0xECF6F6,
                                   0xECFCFF, 0xB8E7E0, 0x2D6656, 0x1D9272, 0xECF6F6, 0};
constexpr ExplorerBarColors kSilver{0xD4C8C4, 0xC8B3B1, 0x927777, 0xC7B6B4, 0xFFFFFF, 0xE6E6E6, 0xF5F1F0,
                                    0xFFFFFF, 0xE0D7D6, 0x3D3D3F, 0x7C7C7E, 0xF5F1F0, 0};

}  // namespace

void CTaskPanelDrawerStyle2::ReloadMetrics()
{
    CTaskPanelDrawer::ReloadMetrics();
    const int scheme = GetLunaScheme();
    if (!m_bExplorerLookInClassic && scheme == kit::kSchemeNone)
        return;
    m_nExpandButtonKind = 1;
    m_bRoundedLeftCorner = TRUE;
    m_bRoundedRightCorner = TRUE;
    m_normalColors.border.SetStandardValue(Slot(5));
    m_specialColors.border.SetStandardValue(Slot(5));

    ExplorerBarColors c;
    if (scheme == kit::kSchemeBlue)
        c = kBlue;
    else if (scheme == kit::kSchemeOlive)
        c = kOlive;
    else if (scheme == kit::kSchemeSilver)
        c = kSilver;
    else
    {
        const COLORREF face = MixColors(Slot(15), Slot(5), 24);
        c = {MixColors(Slot(3), Slot(5), 128), MixColors(Slot(2), Slot(5), 192), Slot(2),
             MixColors(Slot(2), Slot(5), 92), Slot(9), MixColors(Slot(20), Slot(13), 128), face, Slot(5),
             MixColors(Slot(3), Slot(5), 92), MixColors(Slot(13), Slot(18), 192), MixColors(Slot(13), Slot(18), 240),
             MixColors(face, Slot(2), 230), 0};
    }
    m_background.SetStandardValue(c.backgroundFrom, c.backgroundTo);
    m_specialColors.captionGradient.SetStandardValue(c.specialCaptionFrom, c.specialCaptionTo);
    m_specialColors.captionText.SetStandardValue(c.specialText);
    m_specialColors.captionHotText.SetStandardValue(c.specialHotText);
    m_specialColors.clientGradient.SetStandardValue(c.specialClient);
    m_normalColors.captionGradient.SetStandardValue(c.captionFrom, c.captionTo);
    m_normalColors.captionGradientStart = c.captionStart;
    m_normalColors.captionText.SetStandardValue(c.text);
    m_normalColors.captionHotText.SetStandardValue(c.hotText);
    m_normalColors.clientGradient.SetStandardValue(c.client);
    const BOOL bClassic = scheme == kit::kSchemeNone;
    for (TaskPanelGroupColors* pColors : {&m_normalColors, &m_specialColors})
    {
        pColors->link.SetStandardValue(bClassic ? Slot(18) : c.text);
        pColors->linkHot.SetStandardValue(bClassic ? Slot(13) : c.hotText);
    }
    LoadThemeBitmaps();
}
