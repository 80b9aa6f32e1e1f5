#include "styles/CTaskPanelDrawerStyle1.h"

#include "CColorTable.h"
#include "PlatformQueries.h"

CTaskPanelDrawerStyle1::CTaskPanelDrawerStyle1(CKitTaskPanel* pPanel) : CTaskPanelDrawer(pPanel)
{
    m_rcControlMargins = CRect(8, 8, 0, 8);
    m_nGroupSpacing = 15;
    m_nHighlightStyle = 2;
}

void CTaskPanelDrawerStyle1::ReloadMetrics()
{
    CTaskPanelDrawer::ReloadMetrics();
    m_nExpandButtonKind = 0;
    if (m_bCaptionFontFromSystem)
    {
        LOGFONT lf{};
        if (!::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
            ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = 18;
        lf.lfUnderline = FALSE;
        if (FontExists(L"Tahoma"))
            wcscpy_s(lf.lfFaceName, L"Tahoma");
        m_captionFont.DeleteObject();
        m_captionFont.CreateFontIndirect(&lf);
        m_nCaptionHeight = MeasureCaptionFontHeight(0, 20);
    }

    TaskPanelGroupColors& colors = m_normalColors;
    COLORREF link = 0xB23D00;
    switch (GetLunaScheme())
    {
    case kit::kSchemeBlue:
        m_background.SetStandardValue(0xFEECDD, 0xC97A4A);
        colors.captionGradient.SetStandardValue(0xF9DBC4, 0xE08F65);
        colors.captionText.SetStandardValue(0x862D00);
        colors.clientGradient.SetStandardValue(0xFEECDD);
        break;
    case kit::kSchemeOlive:
        m_background.SetStandardValue(0xE7F2F3, 0x98C6BE);
        colors.captionGradient.SetStandardValue(0xAEDFD2, 0x80B0A1);
        colors.captionText.SetStandardValue(0x466B5A);
        colors.clientGradient.SetStandardValue(0xE7F2F3);
        break;
    case kit::kSchemeSilver:
        m_background.SetStandardValue(0xF4EEEE, 0xC3B0B1);
        colors.captionGradient.SetStandardValue(0xDECFCF, 0xBFA8A9);
        colors.captionText.SetStandardValue(0x795B5C);
        colors.clientGradient.SetStandardValue(0xF4EEEE);
        break;
    default:
    {
        const auto blend = [](int weight) { return CColorTable::BlendColors(Slot(15), Slot(5), weight); };
        m_background.SetStandardValue(blend(50), Slot(15));
        colors.captionGradient.SetStandardValue(blend(39), blend(70));
        colors.captionText.SetStandardValue(Slot(18));
        colors.clientGradient.SetStandardValue(blend(49));
        link = 0xFF0000;
        break;
    }
    }
    colors.captionHotText.SetStandardValue(colors.captionText.GetStandardValue());
    colors.link.SetStandardValue(link);
    colors.linkHot.SetStandardValue(link);
    colors.border.SetStandardValue(Slot(5));
    SpecialLikeOrdinary();
    m_bClosedClientBorder = TRUE;
    m_bRoundedLeftCorner = TRUE;
    m_bRoundedRightCorner = FALSE;
}
