#include "CDockingDrawerStyles.h"

#include <iterator>

namespace {

// Windows 95 and NT 4.0 draw no caption gradients.
BOOL HasCaptionGradients()
{
    OSVERSIONINFOW info{sizeof(info)};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!::GetVersionExW(&info))
        return TRUE;
#pragma GCC diagnostic pop
    return !(info.dwMajorVersion < 4 || (info.dwMajorVersion == 4 && info.dwMinorVersion == 0));
}

struct SchemeColors
{
    COLORREF inactiveLight;
    COLORREF inactiveDark;
    float factor;
    COLORREF background;
    COLORREF slots[13];
};

constexpr int kSchemeSlots[13] = {38, 39, 40, 41, 43, 31, 32, 37, 50, 33, 36, 30, 47};

// Blue, olive and silver.
constexpr SchemeColors kSchemes[3] = {
    {0xFEECDD, 0xE2A981, 0.75f, 0xFCE7D8,
     {0x764127, 0xCB8C6A, 0xD0966D, 0xF6F6F6, 0x962D00, 0xC2EEFF, 0x800000, 0x800000, 0x800000, 0x3E80FE, 0x6FC0FF,
      0xF5BE9E, 0}},
    {0xDEF7F4, 0x91C6B7, 0.3f, 0xBFE7E2,
     {0x335E51, 0x588060, 0x7AAE9F, 0xEEF4F4, 0x5E8D75, 0xC2EEFF, 0x385D3F, 0x385D3F, 0x385D3F, 0x3E80FE, 0x6FC0FF,
      0xA7D9D9, 0}},
    {0xFFF9F9, 0xB79B9C, 0.75f, 0xEADFDF,
     {0x755454, 0x8F6D6E, 0xBEA7A8, 0xFFFAFD, 0x947C7C, 0xC2EEFF, 0x6F4B4B, 0x6F4B4B, 0x6F4B4B, 0x3E80FE, 0x6FC0FF,
      0xE5D7D7, 0}},
};

}  // namespace

CDockingDrawerStyle1::CDockingDrawerStyle1()
{
    m_bBoldCaption = FALSE;
}

void CDockingDrawerStyle1::ReloadMetrics()
{
    CDockingDrawerStyle4::ReloadMetrics();
    m_activeCaption.SetStandardValue(GetColor(2), GetColor(27), 0.5f);
    m_inactiveCaption.SetStandardValue(GetColor(3), ::GetSysColor(COLOR_GRADIENTINACTIVECAPTION), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(GetColor(18));
    m_clrActiveCaptionText.SetStandardValue(GetColor(9));
    if (!HasCaptionGradients())
    {
        m_inactiveCaption.SetStandardValue(GetColor(3));
        m_activeCaption.SetStandardValue(GetColor(2));
    }
}

CDockingDrawerStyle2::CDockingDrawerStyle2()
{
    m_nCaptionSpacing = 7;
    m_bBoldCaption = TRUE;
}

void CDockingDrawerStyle2::ReloadMetrics()
{
    CDockingDrawerStyle1::ReloadMetrics();
    m_inactiveCaption.SetStandardValue(CColorTable::BlendColors(GetColor(15), GetColor(5), 205), GetColor(15), 0.5f);
    m_clrInactiveCaptionText.SetStandardValue(GetColor(18));
    m_activeCaption.SetStandardValue(GetColor(36));
    m_clrActiveCaptionText.SetStandardValue(GetColor(18));
    m_bLunaColors = FALSE;
    const int nScheme = GetColorScheme();
    if (nScheme < 1 || nScheme > 3)
        return;
    const SchemeColors& scheme = kSchemes[nScheme - 1];
    m_inactiveCaption.SetStandardValue(scheme.inactiveLight, scheme.inactiveDark, scheme.factor);
    m_clrBackground.SetStandardValue(scheme.background);
    m_clrGripper.SetStandardValue(GetColor(38));
    SetColors(static_cast<int>(std::size(kSchemeSlots)), kSchemeSlots, scheme.slots);
    m_bLunaColors = TRUE;
    m_activeCaption.SetStandardValue(0x8CD5FF, 0x4CA6FF, 0.5f);
    m_splitterGradient.SetStandardFrom(GetColorTable()->gradients[1]);
}

CDockingDrawerStyle7::CDockingDrawerStyle7()
{
    m_bCaptionGripper = FALSE;
    m_bRoundedCaption = FALSE;
    m_nCaptionSpacing = 3;
}

void CDockingDrawerStyle7::ReloadMetrics()
{
    CDockingDrawerStyle2::ReloadMetrics();
    if (m_bSystemCaptionFont)
    {
        LOGFONT lf{};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        wcscpy_s(lf.lfFaceName, L"Arial");
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 20;
        SetCaptionFont(&lf, FALSE);
    }
    if (m_bLunaColors)
    {
        const CStyleGradient& first = GetColorTable()->gradients[0];
        m_inactiveCaption.SetStandardValue(first.light.GetValue(), first.dark.GetValue(), first.factor);
        m_clrInactiveCaptionText.SetStandardValue(0xFFFFFF);
    }
    else
    {
        m_inactiveCaption.SetStandardValue(CColorTable::BlendColors(GetColor(16), GetColor(5), 205), GetColor(16),
                                           0.5f);
    }
}

CDockingPaneDrawer* CreateDockingDrawer(int nStyle)
{
    switch (nStyle)
    {
    case 1:
        return new CDockingDrawerStyle1();
    case 2:
        return new CDockingDrawerStyle2();
    case 4:
        return new CDockingDrawerStyle4();
    case 7:
        return new CDockingDrawerStyle7();
    default:
        return new CDockingDrawerDefaultStyle();
    }
}
