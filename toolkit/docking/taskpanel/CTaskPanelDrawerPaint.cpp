// The parts every style paints alike: the panel background, a group's client
// area composed off-screen, its items, the group scroll buttons, drop marks
// and the focus frame.
#include <algorithm>

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"
#include "CTaskPanelDrawer.h"
#include "GdiSelectors.h"
#include "core/GroupLayout.h"

CRect CTaskPanelDrawer::GetBackgroundRect() const
{
    CRect rect;
    m_pPanel->GetClientRect(rect);
    rect.top = 0;
    rect.bottom = std::max<LONG>(rect.bottom, m_pPanel->GetContentHeight());
    return rect;
}

void CTaskPanelDrawer::FillBackground(CDC* pDC)
{
    CDrawTools::FillStyleGradient(pDC, GetBackgroundRect(), m_background, FALSE);
}

void CTaskPanelDrawer::DrawGroupClient(CDC* pDC, Group& group)
{
    const CRect client = m_pPanel->GetGroupClientRect(group);
    if (client.IsRectEmpty())
        return;
    const int visible = client.Height();
    const int full = group.expanding ? std::max(group.clientHeight, visible) : visible;
    const int hidden = full - visible;

    CDC memDC;
    CBitmap bitmap;
    if (!memDC.CreateCompatibleDC(pDC) || !bitmap.CreateCompatibleBitmap(pDC, client.Width(), full))
        return;
    CBitmapSelector selectBitmap(&memDC, &bitmap);
    memDC.SetWindowOrg(client.left, client.top);
    FillGroupClientFace(&memDC, group, CRect(client.left, client.top, client.right, client.top + full));

    const int alpha = full > 0 ? visible * 255 / full : 255;
    if (m_pfnAlphaBlend && alpha < 255)
    {
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
        m_pfnAlphaBlend(pDC->GetSafeHdc(), client.left, client.top, client.Width(), visible, memDC.GetSafeHdc(),
                        client.left, client.top + hidden, client.Width(), visible, blend);
    }
    else
        pDC->BitBlt(client.left, client.top, client.Width(), visible, &memDC, client.left, client.top + hidden,
                    SRCCOPY);
}

void CTaskPanelDrawer::FillGroupClientFace(CDC* pDC, Group& group, CRect rect)
{
    const TaskPanelGroupColors& colors = GetGroupColors(group);
    pDC->FillSolidRect(rect, colors.clientGradient.dark.GetValue());
    m_pPanel->DrawGroupClientPicture(pDC, group, rect);
    if (!m_pPanel->IsGroupExpanded(&group) && !group.expanding)
        return;
    {
        CPenSelector pen(pDC->GetSafeHdc(), colors.border.GetValue());
        pDC->MoveTo(rect.left, rect.top);
        pDC->LineTo(rect.left, rect.bottom - 1);
        pDC->LineTo(m_bClosedClientBorder ? rect.right : rect.right - 1, rect.bottom - 1);
        if (!m_bClosedClientBorder)
            pDC->LineTo(rect.right - 1, rect.top - 1);
        else
        {
            pDC->MoveTo(rect.right - 1, rect.top);
            pDC->LineTo(rect.left, rect.top);
        }
    }
    DrawGroupItems(pDC, group, rect);
}

void CTaskPanelDrawer::DrawGroupItems(CDC* pDC, Group& group, CRect rect)
{
    const int offset = rect.top - m_pPanel->GetGroupScrollOffset(group);
    for (int i = kit::taskpanel::EffectiveFirstVisibleItem(group); i < group.items.GetCount(); ++i)
    {
        GroupItem& item = *group.items.GetAt(i);
        if (!item.visible)
            continue;
        CRect itemRect(item.itemRect.left, item.itemRect.top, item.itemRect.right, item.itemRect.bottom);
        itemRect.OffsetRect(0, offset);
        if (item.type == kit::taskpanel::kTypeControl && m_pPanel->GetGroupItemLayout(group) != kit::taskpanel::kImageLayout)
            m_pPanel->DrawHostedWindowItem(pDC, item, itemRect);
        else
            DrawItem(pDC, item, itemRect, TRUE);
    }
}

void CTaskPanelDrawer::FillAndFrame(CDC* pDC, CRect rect, COLORREF crFill)
{
    pDC->FillSolidRect(rect, crFill);
    const COLORREF frame = m_frame.light.GetValue();
    pDC->Draw3dRect(rect, frame, frame);
}

void CTaskPanelDrawer::DrawScrollButton(CDC* pDC, const CTaskPanelScrollButton& button)
{
    if (!button.IsVisible(this))
        return;
    CRect rect = button.rect;
    if (m_nHighlightStyle == 0 || m_bCaptionScrollButtons)
    {
        pDC->FillSolidRect(rect, Slot(COLOR_BTNFACE));
        if (button.bPressed)
            pDC->Draw3dRect(rect, Slot(COLOR_BTNSHADOW), Slot(COLOR_BTNHIGHLIGHT));
        else
            pDC->Draw3dRect(rect, Slot(COLOR_BTNHIGHLIGHT), Slot(COLOR_BTNSHADOW));
    }
    else
    {
        const COLORREF fill = button.bPressed ? m_hotPressedItemFill.GetValue()
                              : button.bHot   ? m_hotItemFill.GetValue()
                                              : GetGroupColors(*button.pGroup).clientGradient.dark.GetValue();
        FillAndFrame(pDC, rect, fill);
    }
    const CPoint c = rect.CenterPoint();
    const int base = button.IsUp() ? c.y + 1 : c.y - 2;
    const int apex = button.IsUp() ? c.y - 3 : c.y + 2;
    const auto arrow = [&](int dx, int dy, COLORREF color) {
        DrawTriangle(pDC, CPoint(c.x - 5 + dx, base + dy), CPoint(c.x - 1 + dx, apex + dy), CPoint(c.x + 3 + dx, base + dy),
                     color);
    };
    if (button.bEnabled)
        arrow(0, 0, RGB(0, 0, 0));
    else
    {
        arrow(1, 1, Slot(COLOR_BTNHIGHLIGHT));
        arrow(0, 0, Slot(COLOR_BTNSHADOW));
    }
}

void CTaskPanelDrawer::DrawDropMark(CDC* pDC, const PanelItem& item, CRect rect, BOOL bBelow)
{
    if (m_bInvertedDropMarks)
    {
        pDC->InvertRect(rect);
        return;
    }
    const Group* pGroup = m_pPanel->GetItemGroup(&item);
    if (!item.IsGroup() && pGroup && m_pPanel->GetGroupItemLayout(*pGroup) != kit::taskpanel::kImageLayout)
    {
        CRect client;
        m_pPanel->GetClientRect(client);
        const CRect margins = GetControlMargins();
        const CRect outer = GetGroupOuterMargins(*pGroup);
        rect.left = client.left + margins.left + outer.left + 2;
        rect.right = client.right - margins.right - outer.right - 2;
    }
    const int y = bBelow ? rect.bottom : rect.top;
    const COLORREF black = RGB(0, 0, 0);
    pDC->FillSolidRect(rect.left, y - 1, rect.Width(), 1, black);
    for (int column = 0; column < 3; ++column)
    {
        const int height = 7 - 2 * column;
        pDC->FillSolidRect(rect.left + column, y - 4 + column, 1, height, black);
        pDC->FillSolidRect(rect.right - 1 - column, y - 4 + column, 1, height, black);
    }
}

void CTaskPanelDrawer::DrawFocusFrame(CDC* pDC, CRect rect)
{
    pDC->SetTextColor(RGB(0, 0, 0));
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->DrawFocusRect(rect);
}
