#include "styles/CTaskPanelDrawerStyle7.h"

#include <algorithm>

#include "CColorTable.h"
#include "CKitTaskPanel.h"

CTaskPanelDrawerStyle7::CTaskPanelDrawerStyle7(CKitTaskPanel* pPanel) : CTaskPanelDrawerStyle3(pPanel)
{
    m_rcGroupInnerMargins = CRect(0, 4, 0, 2);
    m_bBoldCaptions = FALSE;
    m_bFramedGroups = FALSE;
    m_nHighlightStyle = 0;
    m_rcControlMargins = CRect(2, 2, 2, 2);
    m_bInvertedDropMarks = TRUE;
    m_bCaptionScrollButtons = TRUE;
    m_nGroupSpacing = 1;
    m_rcGroupIconPadding = CRect(2, 2, 0, 2);
    m_nCaptionTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;
}

namespace {

// A face colour lighter than the button face, made from it and the
// highlight: the red halfway, green and blue pulled by the extreme channel.
COLORREF LightFaceColor(COLORREF face, COLORREF light)
{
    const int R = GetRValue(face), G = GetGValue(face), B = GetBValue(face);
    const int m = R >= G && R >= B ? std::max({R, G, B}) : std::min({R, G, B});
    return RGB(((R + GetRValue(light)) / 2) & 0xFF, ((2 * G + GetGValue(light) - m) / 2) & 0xFF,
               ((2 * B + GetBValue(light) - m) / 2) & 0xFF);
}

}  // namespace

void CTaskPanelDrawerStyle7::ReloadMetrics()
{
    ReloadBaseMetrics();
    m_background.SetStandardValue(Slot(15));
    m_normalColors.clientGradient.SetStandardValue(Slot(15));
    m_normalColors.border.SetStandardValue(Slot(15));
    m_normalColors.link.SetStandardValue(Slot(18));
    m_normalColors.linkHot.SetStandardValue(Slot(13));
    m_normalColors.captionGradient.SetStandardValue(Slot(15));
    m_normalColors.captionText.SetStandardValue(Slot(18));
    m_normalColors.captionHotText.SetStandardValue(Slot(18));
    SpecialLikeOrdinary();
    m_nCaptionHeight = MeasureCaptionFontHeight(5, 18);
    if (m_nHighlightStyle == 0)
    {
        m_hotItemFill.SetStandardValue(LightFaceColor(Slot(15), Slot(20)));
        m_frame.SetStandardValue(Slot(16), Slot(20));
    }
}

int CTaskPanelDrawerStyle7::DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw)
{
    if (!group.captionVisible)
        return 0;
    if (!bDraw)
    {
        const CSize icon = DrawGroupIcon(pDC, group, CRect(), FALSE);
        const CRect padding = GetItemIconPadding(group);
        return std::max<int>(m_nCaptionHeight, icon.cy > 0 ? icon.cy + padding.top + padding.bottom : 0);
    }
    const CRect caption = m_pPanel->GetCaptionRect(group);
    if (caption.IsRectEmpty())
        return caption.Height();
    CRect text = DrawCaptionBackground(pDC, group, caption);
    const CSize icon = DrawGroupIcon(pDC, group, text, TRUE);
    if (icon.cx > 0)
    {
        const CRect padding = GetItemIconPadding(group);
        text.left += padding.left + padding.right + icon.cx;
    }
    text.DeflateRect(3, 0);
    CFont* pOldFont = pDC->SelectObject(&m_captionFont);
    pDC->SetTextColor(group.enabled ? GetGroupColors(group).captionText.GetValue() : Slot(COLOR_GRAYTEXT));
    pDC->SetBkMode(TRANSPARENT);
    DrawItemText(pDC, group, text, m_nCaptionTextFormat);
    pDC->SelectObject(pOldFont);

    if (m_pPanel->IsItemDragging(group))
        pDC->InvertRect(caption);
    const BOOL bNoVisibleItem = group.items.GetFirstVisibleItem() == nullptr;
    if (m_pPanel->IsItemDragOver(group) &&
        (m_bInvertedDropMarks || !m_pPanel->IsGroupExpanded(&group) || bNoVisibleItem))
        DrawDropMark(pDC, group, caption, TRUE);
    else if (m_bInvertedDropMarks && m_pPanel->HasDropMark(group))
        pDC->InvertRect(caption);
    if (m_pPanel->IsItemFocused(group) && m_pPanel->IsFocusCueVisible())
    {
        CRect focus = text;
        focus.InflateRect(1, -2);
        DrawFocusFrame(pDC, focus);
    }
    return caption.Height();
}

CRect CTaskPanelDrawerStyle7::DrawCaptionBackground(CDC* pDC, Group& group, CRect rect)
{
    const COLORREF fill = GetGroupColors(group).captionGradient.dark.GetValue();
    pDC->FillSolidRect(rect, fill);
    CRect text = rect;
    if (m_pPanel->IsItemHot(group) && m_pPanel->IsItemPressed(group))
    {
        pDC->Draw3dRect(rect, Slot(COLOR_3DDKSHADOW), Slot(COLOR_BTNHIGHLIGHT));
        CRect inner = rect;
        inner.DeflateRect(1, 1);
        pDC->Draw3dRect(inner, Slot(COLOR_BTNSHADOW), fill);
        text.OffsetRect(1, 1);
    }
    else
        pDC->Draw3dRect(rect, Slot(COLOR_BTNHIGHLIGHT), Slot(COLOR_BTNSHADOW));
    return text;
}
