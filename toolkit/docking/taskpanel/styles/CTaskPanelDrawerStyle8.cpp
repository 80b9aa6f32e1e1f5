#include "styles/CTaskPanelDrawerStyle8.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"

CTaskPanelDrawerStyle8::CTaskPanelDrawerStyle8(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle7(pPanel)
{
    m_nHighlightStyle = 1;
    m_bBoldCaptions = TRUE;
    m_bInvertedDropMarks = FALSE;
    m_bCaptionScrollButtons = FALSE;
}

void CTaskPanelDrawerStyle8::ReloadMetrics()
{
    CTaskPanelDrawerStyle7::ReloadMetrics();
    m_background.SetStandardValue(Slot(15));
    CStyleGradient& caption = m_normalColors.captionGradient;
    switch (GetLunaScheme())
    {
    case kit::kSchemeBlue:
        caption.SetStandardValue(0xCBDCDE, 0xB0C1C4);
        m_background.SetStandardValue(0xE6F1F3, 0xD0E1E4);
        break;
    case kit::kSchemeOlive:
        caption.SetStandardValue(0xD1E4DF, 0xCEE3DE);
        m_background.SetStandardValue(0xE6F1F3, 0xD0E1E4);
        m_hotItemFill.SetStandardValue(0x8DC6B6);
        m_hotPressedItemFill.SetStandardValue(0x70A093);
        m_selectedItemFill.SetStandardValue(0x9ECFC2);
        break;
    case kit::kSchemeSilver:
        caption.SetStandardValue(0xEDE8E9, 0xE3E0DF);
        m_background.SetStandardValue(0xEEE9EA, 0xDAD5D7);
        m_hotItemFill.SetStandardValue(0xC2EEFF);
        m_hotPressedItemFill.SetStandardValue(0x3280FE);
        m_selectedItemFill.SetStandardValue(0x6FC0FF);
        m_frame.SetStandardValue(0x6F4B4B);
        break;
    default:
        caption.SetStandardValue(Slot(16), Slot(15));
        break;
    }
    m_normalColors.clientGradient.SetStandardFrom(m_background);
    SpecialLikeOrdinary();
}

void CTaskPanelDrawerStyle8::FillBackground(CDC* pDC)
{
    CDrawTools::FillStyleGradient(pDC, GetBackgroundRect(), m_background, TRUE);
}

void CTaskPanelDrawerStyle8::FillGroupClientFace(CDC* pDC, Group& group, CRect rect)
{
    CDrawTools::FillStyleGradient(pDC, rect, GetGroupColors(group).clientGradient, TRUE);
    m_pPanel->DrawGroupClientPicture(pDC, group, rect);
    if (m_pPanel->IsGroupExpanded(&group) || group.expanding)
        DrawGroupItems(pDC, group, rect);
}

CRect CTaskPanelDrawerStyle8::DrawCaptionBackground(CDC* pDC, Group& group, CRect rect)
{
    const TaskPanelGroupColors& colors = GetGroupColors(group);
    const BOOL bHot = m_pPanel->IsItemHot(group);
    const BOOL bPressed = m_pPanel->IsItemPressed(group);
    if (m_pPanel->IsItemFocused(group))
    {
        const COLORREF fill = !bHot && !bPressed ? m_selectedItemFill.GetValue()
                              : bHot            ? m_hotPressedItemFill.GetValue()
                                                : m_hotItemFill.GetValue();
        FillAndFrame(pDC, rect, fill);
    }
    else
    {
        CRect band = rect;
        band.bottom -= 2;
        CDrawTools::FillStyleGradient(pDC, band, colors.captionGradient, FALSE);
        pDC->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, colors.captionGradient.light.GetValue());
    }

    // The plus/minus box.
    const int middle = (rect.top + rect.bottom) / 2;
    const CRect box(rect.left + 6, middle - 6, rect.left + 15, middle + 3);
    pDC->FillSolidRect(box, colors.captionGradient.light.GetValue());
    pDC->FillSolidRect(box.left + 1, box.top + 1, 7, 7, Slot(COLOR_BTNFACE));
    const COLORREF side = Slot(COLOR_BTNSHADOW);
    pDC->FillSolidRect(box.left + 1, box.top, 7, 1, side);
    pDC->FillSolidRect(box.left + 1, box.bottom - 1, 7, 1, side);
    pDC->FillSolidRect(box.left, box.top + 1, 1, 7, side);
    pDC->FillSolidRect(box.right - 1, box.top + 1, 1, 7, side);
    pDC->FillSolidRect(box.left + 1, box.top + 1, 7, 3, RGB(255, 255, 255));
    pDC->FillSolidRect(box.left + 1, box.top + 4, 6, 2, RGB(255, 255, 255));
    pDC->FillSolidRect(box.left + 2, box.top + 4, 5, 1, RGB(0, 0, 0));
    if (!m_pPanel->IsGroupExpanded(&group))
        pDC->FillSolidRect(box.left + 4, box.top + 2, 1, 5 - 2 + 1, RGB(0, 0, 0));

    CRect text = rect;
    text.left += 19;
    text.bottom -= 2;
    return text;
}
