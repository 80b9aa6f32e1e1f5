// Items in the three layouts (icon beside text, icon above text, icon
// alone), their highlighted backgrounds, texts and icons.
#include <algorithm>

#include "CColorTable.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CKitTaskPanel.h"
#include "CTaskPanelDrawer.h"
#include "GdiSelectors.h"

using kit::taskpanel::kTypeControl;
using kit::taskpanel::kTypeLink;
using kit::taskpanel::kTypeText;

namespace {

constexpr int kLayoutImageOnly = 1;
constexpr int kLayoutImageAboveText = 3;

CString CaptionOf(const kit::taskpanel::PanelItem& item)
{
    return item.caption.empty() ? CString(L" ") : CString(reinterpret_cast<LPCWSTR>(item.caption.c_str()));
}

}  // namespace

CFont* CTaskPanelDrawer::SelectItemFont(const GroupItem& item)
{
    const BOOL bUnderline = m_pPanel->GetHotTrackStyle() == 1 && m_pPanel->IsItemHot(item);
    if (bUnderline)
        return item.bold ? &m_boldUnderlinedItemFont : &m_underlinedItemFont;
    return item.bold ? &m_boldItemFont : &m_itemFont;
}

CRect CTaskPanelDrawer::DrawItem(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw)
{
    const Group* pGroup = m_pPanel->GetItemGroup(&item);
    const int layout = pGroup ? m_pPanel->GetGroupItemLayout(*pGroup) : m_pPanel->GetItemLayout();
    CFontSelector font(pDC, SelectItemFont(item));
    CRect result = layout == kLayoutImageOnly        ? DrawItemImageOnly(pDC, item, rect, bDraw)
                   : layout == kLayoutImageAboveText ? DrawItemImageAboveText(pDC, item, rect, bDraw)
                                                     : DrawItemImageText(pDC, item, rect, bDraw);
    if (!bDraw)
        return result;
    if (m_pPanel->IsItemDragOver(item) && !m_pPanel->IsItemDragging(item))
        DrawDropMark(pDC, item, rect, FALSE);
    if (pGroup && pGroup->items.GetLastVisibleItem() == &item && m_pPanel->IsItemDragOver(*pGroup))
        DrawDropMark(pDC, item, rect, TRUE);
    return CRect();
}

CRect CTaskPanelDrawer::DrawItemImageText(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw)
{
    const int h = m_pPanel->GetHotTrackStyle();
    const Group* pGroup = m_pPanel->GetItemGroup(&item);
    const CSize iconSize = pGroup ? m_pPanel->GetGroupItemIconSize(*pGroup) : m_pPanel->GetItemIconSize();
    CCommandIcon* pIcon = item.type != kTypeControl && item.iconIndex >= 0
                              ? m_pPanel->GetIconStore()->GetIcon(static_cast<UINT>(item.iconIndex), iconSize.cx)
                              : nullptr;
    const CRect m = GetItemInnerMargins(item);
    const CRect p = GetItemIconPadding(item);
    const CPoint offset = GetItemContentOffset(item);
    const int iconStart = p.left + p.right + iconSize.cx + 7;

    if (!bDraw)
    {
        const int left = rect.left + m.left;
        const int textLeft = pIcon || item.type == kTypeLink ? left + iconStart : left;
        int textRight = textLeft;
        int textHeight = 0;
        if (textLeft < rect.right - m.right)
        {
            CRect text(textLeft, rect.top + m.top, rect.right - m.right, rect.top + m.top);
            pDC->DrawText(CaptionOf(item), text,
                          (m_nItemTextFormat & ~(DT_CENTER | DT_VCENTER)) | DT_CALCRECT);
            textRight = text.right;
            textHeight = text.Height();
        }
        const int iconHeight = pIcon ? p.top + p.bottom + iconSize.cy : 0;
        const int right = h == 3 ? rect.right : textRight + m.right;
        return CRect(rect.left, rect.top, right, rect.top + std::max(textHeight, iconHeight) + m.top + m.bottom);
    }

    const CRect whole = rect;
    if (h == 3)
        DrawItemBackground(pDC, item, whole);
    rect.DeflateRect(m);
    CRect text = rect;
    if (h == 3)
        text.OffsetRect(offset);
    if (pIcon)
    {
        if (h == 2)
            DrawItemBackground(pDC, item,
                               CRect(rect.left - m.left, rect.top - m.top, rect.left + p.left + p.right + iconSize.cx + 2,
                                     rect.top + p.top + p.bottom + iconSize.cy + 2));
        CPoint at(rect.left + p.left, rect.top + p.top);
        if (h == 2 || h == 3)
            at.Offset(offset);
        DrawItemImage(pDC, item, at.x, at.y, pIcon, iconSize.cx, iconSize.cy);
    }
    if (pIcon || item.type == kTypeLink)
        text.left = rect.left + iconStart + (h == 3 ? offset.x : 0);
    if (text.Width() > 0)
    {
        DrawItemText(pDC, item, text, m_nItemTextFormat);
        if (m_pPanel->IsItemFocused(item) && m_pPanel->IsFocusCueVisible())
            DrawFocusFrame(pDC, whole);
    }
    return CRect();
}

CRect CTaskPanelDrawer::DrawItemImageAboveText(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw)
{
    const int h = m_pPanel->GetHotTrackStyle();
    const Group* pGroup = m_pPanel->GetItemGroup(&item);
    const CSize iconSize = pGroup ? m_pPanel->GetGroupItemIconSize(*pGroup) : m_pPanel->GetItemIconSize();
    CCommandIcon* pIcon = item.type == kTypeLink && item.iconIndex >= 0
                              ? m_pPanel->GetIconStore()->GetIcon(static_cast<UINT>(item.iconIndex), iconSize.cx)
                              : nullptr;
    const CRect m = GetItemInnerMargins(item);
    const CPoint offset = GetItemContentOffset(item);

    if (!bDraw)
    {
        CRect text(rect.left + m.left, rect.top + m.top, rect.right - m.right, rect.top + m.top);
        pDC->DrawText(CaptionOf(item), text, (m_nItemTextFormat & ~(DT_CENTER | DT_VCENTER)) | DT_CALCRECT);
        const int width = std::min<int>(std::max<int>(text.Width(), pIcon ? iconSize.cx + 4 : 0) + m.left + m.right,
                                   rect.Width());
        const int height = text.Height() + (pIcon ? iconSize.cy + 3 : 0) + m.top + m.bottom;
        if (h == 3)
            return CRect(rect.left, rect.top, rect.right, rect.top + height);
        const int middle = (rect.left + rect.right) / 2;
        return CRect(middle - width / 2, rect.top, middle - width / 2 + width, rect.top + height);
    }

    const CRect whole = rect;
    if (h == 3)
        DrawItemBackground(pDC, item, whole);
    rect.DeflateRect(m);
    if (h == 3)
        rect.OffsetRect(offset);
    if (pIcon)
    {
        CRect icon(CPoint((rect.right + rect.left - iconSize.cx + 1) / 2, rect.top), iconSize);
        if (h == 2)
        {
            CRect back = icon;
            back.InflateRect(2, 2);
            DrawItemBackground(pDC, item, back);
        }
        if (h == 2)
            icon.OffsetRect(offset);
        DrawItemImage(pDC, item, icon.left, icon.top, pIcon, iconSize.cx, iconSize.cy);
    }
    CRect text = rect;
    if (item.type == kTypeLink)
        text.top += iconSize.cy + 3;
    DrawItemText(pDC, item, text, m_nItemTextFormat | DT_CENTER);
    if (m_pPanel->IsItemFocused(item) && m_pPanel->IsFocusCueVisible())
        DrawFocusFrame(pDC, whole);
    return CRect();
}

CRect CTaskPanelDrawer::DrawItemImageOnly(CDC* pDC, GroupItem& item, CRect rect, BOOL bDraw)
{
    const int h = m_pPanel->GetHotTrackStyle();
    const Group* pGroup = m_pPanel->GetItemGroup(&item);
    const CSize iconSize = pGroup ? m_pPanel->GetGroupItemIconSize(*pGroup) : m_pPanel->GetItemIconSize();
    const CRect m = GetItemInnerMargins(item);
    if (!bDraw)
    {
        const int width = m.left + iconSize.cx + m.right;
        const int middle = (rect.left + rect.right) / 2;
        return CRect(middle - width / 2, rect.top, middle - width / 2 + width,
                     rect.top + iconSize.cy + m.top + m.bottom);
    }
    if (h != 4)
        DrawItemBackground(pDC, item, rect);
    CPoint at(rect.left + m_rcImageItemOffset.left, rect.top + m_rcImageItemOffset.top);
    if (h != 4)
        at.Offset(GetItemContentOffset(item));
    if (item.iconIndex >= 0 && item.type != kTypeControl)
        if (CCommandIcon* pIcon = m_pPanel->GetIconStore()->GetIcon(static_cast<UINT>(item.iconIndex), iconSize.cx))
            DrawItemImage(pDC, item, at.x, at.y, pIcon, iconSize.cx, iconSize.cy);
    if (m_pPanel->IsItemFocused(item) && m_pPanel->IsFocusCueVisible())
        DrawFocusFrame(pDC, rect);
    return CRect();
}

void CTaskPanelDrawer::DrawItemBackground(CDC* pDC, const GroupItem& item, CRect rect)
{
    const BOOL bSelected = m_pPanel->IsItemSelected(item);
    const BOOL bHot = m_pPanel->IsItemHot(item);
    const BOOL bPressed = m_pPanel->IsItemPressed(item);
    if (m_nHighlightStyle != 0)
    {
        if (bSelected && !bHot && !bPressed)
            FillAndFrame(pDC, rect, m_selectedItemFill.GetValue());
        else if ((bSelected && bHot && !bPressed) || (bHot && bPressed))
            FillAndFrame(pDC, rect, m_hotPressedItemFill.GetValue());
        else if (bHot || bPressed)
            FillAndFrame(pDC, rect, m_hotItemFill.GetValue());
        return;
    }
    if ((bSelected && !bHot) || (bSelected && bPressed))
        pDC->FillSolidRect(rect, m_hotItemFill.GetValue());
    if (bSelected || (bHot && bPressed))
        pDC->Draw3dRect(rect, m_frame.light.GetValue(), m_frame.dark.GetValue());
    else if (bHot || bPressed)
        pDC->Draw3dRect(rect, m_frame.dark.GetValue(), m_frame.light.GetValue());
}

void CTaskPanelDrawer::DrawItemText(CDC* pDC, PanelItem& item, CRect rect, UINT nFormat)
{
    const CString strText(reinterpret_cast<LPCWSTR>(item.caption.c_str()));
    if (!item.IsGroup())
    {
        const auto& groupItem = static_cast<const GroupItem&>(item);
        const Group* pGroup = m_pPanel->GetItemGroup(&item);
        const TaskPanelGroupColors& colors = pGroup ? GetGroupColors(*pGroup) : m_normalColors;
        pDC->SetBkMode(TRANSPARENT);
        if (m_bEmbossedDisabledText && !item.enabled)
        {
            pDC->SetTextColor(Slot(COLOR_BTNHIGHLIGHT));
            CRect shifted = rect;
            shifted.OffsetRect(1, 1);
            pDC->DrawText(strText, shifted, nFormat);
        }
        COLORREF color = colors.text.GetValue();
        const int h = m_pPanel->GetHotTrackStyle();
        const BOOL bHot = m_pPanel->IsItemHot(item);
        if (!item.enabled)
            color = Slot(COLOR_GRAYTEXT);
        else if (item.type == kTypeLink)
        {
            if (h == 1)
                color = bHot ? colors.linkHot.GetValue() : colors.link.GetValue();
            else if (h == 3)
                color = bHot || m_pPanel->IsItemSelected(groupItem) ? colors.linkSelected.GetValue()
                                                                     : colors.link.GetValue();
            else
                color = colors.link.GetValue();
        }
        pDC->SetTextColor(color);
    }
    pDC->DrawText(strText, rect, nFormat);

    // Where the caption went, for in-place renaming.
    CRect measured = rect;
    pDC->DrawText(strText.IsEmpty() ? CString(L" ") : strText, measured,
                  (nFormat | DT_CALCRECT) & ~(DT_VCENTER | DT_END_ELLIPSIS));
    const int spare = rect.Height() - measured.Height();
    CRect textRect = rect;
    const int down = (nFormat & DT_VCENTER) ? spare / 2 : 0;
    textRect.top += down;
    textRect.bottom -= spare - down;
    item.textRect = {textRect.left, textRect.top, textRect.right, textRect.bottom};
    item.textFormat = nFormat;
}

void CTaskPanelDrawer::DrawItemImage(CDC* pDC, const PanelItem& item, int x, int y, CCommandIcon* pIcon, int cx,
                                     int cy)
{
    if (!pIcon)
        return;
    if (!item.enabled)
    {
        pIcon->Draw(pDC, x, y, pIcon->GetDisabledImage(), cx, cy);
        return;
    }
    if (m_pPanel->IsItemHot(item) || m_pPanel->IsItemPressed(item))
        pIcon->Draw(pDC, x, y, pIcon->GetHotImage(), cx, cy);
    else if (!item.IsGroup() && m_pPanel->IsItemSelected(static_cast<const GroupItem&>(item)))
        pIcon->Draw(pDC, x, y, pIcon->GetPressedImage(), cx, cy);
    else
        pIcon->Draw(pDC, x, y, pIcon->GetImage(), cx, cy);
}
