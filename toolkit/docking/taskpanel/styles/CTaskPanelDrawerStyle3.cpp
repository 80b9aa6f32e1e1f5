#include "styles/CTaskPanelDrawerStyle3.h"

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"
#include "GdiSelectors.h"

CTaskPanelDrawerStyle3::CTaskPanelDrawerStyle3(CKitTaskPanel* pPanel) : CTaskPanelDrawer(pPanel)
{
    m_nCaptionTextFormat = DT_WORDBREAK | DT_NOPREFIX;
    m_rcGroupIconPadding = CRect(0, 0, 3, 0);
}

void CTaskPanelDrawerStyle3::ReloadMetrics()
{
    CTaskPanelDrawer::ReloadMetrics();
    m_nExpandButtonKind = 3;
    m_background.SetStandardValue(Slot(1));
    m_normalColors.clientGradient.SetStandardValue(Slot(5));
    m_normalColors.border.SetStandardValue(Slot(18));
    m_normalColors.link.SetStandardValue(Slot(18));
    m_normalColors.linkHot.SetStandardValue(Slot(13));
    SpecialLikeOrdinary();
}

void CTaskPanelDrawerStyle3::FillBackground(CDC* pDC)
{
    CTaskPanelDrawer::FillBackground(pDC);
    if (!m_bFramedGroups || !m_pPanel)
        return;
    const Group* pFirst = m_pPanel->GetGroups().GetFirstVisibleItem();
    const Group* pLast = m_pPanel->GetGroups().GetLastVisibleItem();
    if (!pFirst || !pLast)
        return;
    CRect frame = m_pPanel->GetCaptionRect(*pFirst);
    frame.bottom = m_pPanel->GetGroupClientRect(*pLast).bottom;
    frame.InflateRect(1, 3, 1, 8);
    CPenSelector pen(pDC->GetSafeHdc(), m_normalColors.border.GetValue());
    CBrushSelector brush(pDC->GetSafeHdc(), m_normalColors.clientGradient.dark.GetValue());
    pDC->RoundRect(frame.left, frame.top, frame.right, frame.bottom, 10, 10);
}

CRect CTaskPanelDrawerStyle3::CaptionTextArea(CDC* pDC, Group& group, CRect rect, BOOL bDraw)
{
    if (bDraw)
        rect = DrawExpandButton(pDC, group, rect);
    else
        rect.right -= GetExpandButtonWidth(group, rect);
    if (!m_bCaptionUnderline)
        rect.DeflateRect(13, bDraw ? 5 : 0, 13, 0);
    const CSize icon = DrawGroupIcon(pDC, group, rect, bDraw);
    if (icon.cx > 0)
    {
        const CRect padding = GetItemIconPadding(group);
        rect.left += padding.left + padding.right + icon.cx;
    }
    return rect;
}

int CTaskPanelDrawerStyle3::DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw)
{
    if (!group.captionVisible)
        return 0;
    CFont* pOldFont = pDC->SelectObject(&m_captionFont);
    CString strCaption(reinterpret_cast<LPCWSTR>(group.caption.c_str()));
    int height = 0;
    if (!bDraw)
    {
        CRect text = CaptionTextArea(pDC, group, m_pPanel->GetCaptionRect(group, TRUE), FALSE);
        if (strCaption.IsEmpty())
            strCaption = L" ";
        pDC->DrawText(strCaption, text, m_nCaptionTextFormat | DT_CALCRECT);
        height = text.Height() + 5;
    }
    else
    {
        const CRect caption = m_pPanel->GetCaptionRect(group);
        height = caption.Height();
        if (!caption.IsRectEmpty())
        {
            CRect text = CaptionTextArea(pDC, group, caption, TRUE);
            pDC->SetTextColor(group.enabled ? m_normalColors.text.GetValue() : Slot(COLOR_GRAYTEXT));
            pDC->SetBkMode(TRANSPARENT);
            DrawItemText(pDC, group, text, m_nCaptionTextFormat);
            if (m_bCaptionUnderline)
            {
                CRect line(caption.left, caption.bottom - 1, caption.right, caption.bottom);
                pDC->FillSolidRect(line, m_normalColors.captionGradient.light.GetValue());
            }
            if (m_pPanel->IsItemFocused(group) && m_pPanel->IsFocusCueVisible())
            {
                CRect measured = text;
                pDC->DrawText(strCaption.IsEmpty() ? CString(L" ") : strCaption, measured,
                              m_nCaptionTextFormat | DT_CALCRECT);
                DrawFocusFrame(pDC, measured);
            }
        }
    }
    pDC->SelectObject(pOldFont);
    return height;
}

void CTaskPanelDrawerStyle3::FillGroupClientFace(CDC* pDC, Group& group, CRect rect)
{
    pDC->FillSolidRect(rect, GetGroupColors(group).clientGradient.dark.GetValue());
    m_pPanel->DrawGroupClientPicture(pDC, group, rect);
    if (m_pPanel->IsGroupExpanded(&group) || group.expanding)
        DrawGroupItems(pDC, group, rect);
}
