// Group captions of styles 0 to 2, the group icon, and the expand buttons
// every style draws: images or recoloured icons, chevrons and triangles.
#include <algorithm>

#include "CColorTable.h"
#include "CCommandIcon.h"
#include "CCommandIconStore.h"
#include "CDrawTools.h"
#include "CKitTaskPanel.h"
#include "CTaskPanelDrawer.h"
#include "GdiSelectors.h"

namespace {

constexpr int kNarrowestCaptionWithButton = 26;
constexpr int kExpandPictureSide = 19;

}  // namespace

int CTaskPanelDrawer::DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw)
{
    const int height = group.captionVisible ? m_nCaptionHeight : (m_bClosedClientBorder ? 0 : 1);
    if (!bDraw)
        return height;
    CRect rect = m_pPanel->GetCaptionRect(group);
    if (rect.IsRectEmpty())
        return height;
    const TaskPanelGroupColors& colors = GetGroupColors(group);
    if (!group.captionVisible)
    {
        pDC->FillSolidRect(rect, colors.border.GetValue());
        return height;
    }

    const int savedDC = pDC->SaveDC();
    CRgn clip;
    clip.CreateRectRgnIndirect(rect);
    const auto cut = [&clip](int x, int y, int cx) {
        CRgn pixel;
        pixel.CreateRectRgn(x, y, x + cx, y + 1);
        clip.CombineRgn(&clip, &pixel, RGN_DIFF);
    };
    if (m_bRoundedLeftCorner)
    {
        cut(rect.left, rect.top, 2);
        cut(rect.left, rect.top + 1, 1);
    }
    if (m_bRoundedRightCorner)
    {
        cut(rect.right - 2, rect.top, 2);
        cut(rect.right - 1, rect.top + 1, 1);
    }
    // The clip region is in device units; the panel's DC is scrolled.
    CPoint origin = pDC->GetWindowOrg();
    clip.OffsetRgn(-origin.x, -origin.y);
    pDC->SelectClipRgn(&clip, RGN_AND);
    pDC->FillSolidRect(rect, colors.captionGradient.light.GetValue());
    CRect gradient = rect;
    gradient.left += static_cast<int>(rect.Width() * colors.captionGradientStart);
    CDrawTools::GradientFill(pDC, gradient, colors.captionGradient.light.GetValue(),
                             colors.captionGradient.dark.GetValue(), TRUE);
    pDC->RestoreDC(savedDC);

    if (m_pPanel->IsItemFocused(group) && m_pPanel->IsFocusCueVisible())
    {
        CRect focus = rect;
        focus.DeflateRect(2, 2);
        DrawFocusFrame(pDC, focus);
    }

    CFontSelector font(pDC, &m_captionFont);
    CRect text = DrawExpandButton(pDC, group, rect);
    const CSize icon = DrawGroupIcon(pDC, group, text, TRUE);
    const CRect padding = GetItemIconPadding(group);
    text.left = icon.cx > 0 ? text.left + padding.left + padding.right + icon.cx + 1 : text.left + 13;
    text.bottom += 2;
    const COLORREF textColor = !group.enabled                ? Slot(COLOR_GRAYTEXT)
                               : m_pPanel->IsItemHot(group) ? colors.captionHotText.GetValue()
                                                            : colors.captionText.GetValue();
    pDC->SetTextColor(textColor);
    pDC->SetBkMode(TRANSPARENT);
    DrawItemText(pDC, group, text, m_nCaptionTextFormat);

    if (m_pPanel->IsItemDragOver(group) &&
        (!m_pPanel->IsGroupExpanded(&group) || group.items.GetFirstVisibleItem() == nullptr))
        DrawDropMark(pDC, group, rect, TRUE);
    return height;
}

CSize CTaskPanelDrawer::DrawGroupIcon(CDC* pDC, Group& group, CRect rect, BOOL bDraw)
{
    if (group.iconIndex < 0)
        return CSize(0, 0);
    const int width = m_pPanel->GetGroupIconSize().cx;
    CCommandIcon* pIcon = m_pPanel->GetIconStore()->GetIcon(static_cast<UINT>(group.iconIndex), width);
    if (!pIcon || pIcon->GetWidth() <= 0)
        return CSize(0, 0);
    const int height = pIcon->GetHeight() * width / pIcon->GetWidth();
    if (!bDraw)
        return CSize(width, height);
    if (rect.Width() <= width)
        return CSize(0, 0);
    const CRect padding = GetItemIconPadding(group);
    const int middle = (rect.top + rect.bottom) / 2;
    const int y = std::min<int>(middle + height / 2, rect.bottom) - height - padding.bottom + padding.top;
    DrawItemImage(pDC, group, rect.left + padding.left, y, pIcon, width, height);
    return CSize(width, height);
}

int CTaskPanelDrawer::GetExpandButtonWidth(const Group& group, CRect rect)
{
    if (!m_pPanel->CanToggle(group) || rect.Width() < kNarrowestCaptionWithButton)
        return 0;
    switch (m_nExpandButtonKind)
    {
    case 1:
    case 2:
        return 23;
    case 3:
        return 19;
    default:
        return 0;
    }
}

CRect CTaskPanelDrawer::DrawExpandButton(CDC* pDC, Group& group, CRect rect)
{
    const int width = GetExpandButtonWidth(group, rect);
    if (width == 0)
        return rect;
    switch (m_nExpandButtonKind)
    {
    case 1:
        return DrawExpandButtonImage(pDC, group, rect);
    case 2:
        DrawExpandChevronButton(pDC, group, rect);
        break;
    case 3:
        DrawExpandTriangle(pDC, rect, m_pPanel->IsGroupExpanded(&group));
        break;
    }
    rect.right -= width;
    return rect;
}

CRect CTaskPanelDrawer::DrawExpandButtonImage(CDC* pDC, Group& group, CRect rect)
{
    const int x = rect.right - 23;
    const int y = std::max<int>(rect.top, rect.CenterPoint().y - 10);
    const BOOL bHot = m_pPanel->IsItemHot(group);
    const BOOL bExpanded = m_pPanel->IsGroupExpanded(&group);
    if (m_bThemeBitmapsLoaded)
    {
        const int index = 4 * (group.special ? 1 : 0) + 2 * (bExpanded ? 0 : 1) + (bHot ? 1 : 0);
        BITMAP bm{};
        if (m_pfnAlphaBlend && ::GetObjectW(m_hExpandBitmaps[index], sizeof(bm), &bm))
        {
            CDC memDC;
            memDC.CreateCompatibleDC(pDC);
            CBitmapSelector select(memDC.GetSafeHdc(), m_hExpandBitmaps[index]);
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            m_pfnAlphaBlend(pDC->GetSafeHdc(), x, y, bm.bmWidth, bm.bmHeight, memDC.GetSafeHdc(), 0, 0, bm.bmWidth,
                            bm.bmHeight, blend);
        }
    }
    else
    {
        if (HICON hIcon = GetExpandIcon(group.special))
            pDC->DrawState(CPoint(x, y), CSize(kExpandPictureSide, kExpandPictureSide), hIcon, DST_ICON, static_cast<HBRUSH>(nullptr));
        const TaskPanelGroupColors& colors = GetGroupColors(group);
        DrawChevron(pDC, rect.right - 14, y + 10,
                    bHot ? colors.captionHotText.GetValue() : colors.captionText.GetValue(), bExpanded);
    }
    rect.right -= 23;
    return rect;
}

void CTaskPanelDrawer::DrawExpandChevronButton(CDC* pDC, Group& group, CRect rect)
{
    const int middle = rect.CenterPoint().y;
    const CRect button(rect.right - 23, middle - 8, rect.right - 6, middle + 8);
    const BOOL bHot = m_pPanel->IsItemHot(group);
    if (bHot)
        pDC->Draw3dRect(button, Slot(COLOR_BTNHIGHLIGHT), Slot(COLOR_BTNSHADOW));
    const TaskPanelGroupColors& colors = GetGroupColors(group);
    const CPoint centre = button.CenterPoint();
    DrawChevron(pDC, centre.x, centre.y, bHot ? colors.captionHotText.GetValue() : colors.captionText.GetValue(),
                m_pPanel->IsGroupExpanded(&group));
}

void CTaskPanelDrawer::DrawExpandTriangle(CDC* pDC, CRect rect, BOOL bExpanded)
{
    const int middle = rect.CenterPoint().y;
    const COLORREF color = m_normalColors.text.GetValue();
    if (bExpanded)
        DrawTriangle(pDC, CPoint(rect.right - 19, middle), CPoint(rect.right - 9, middle),
                     CPoint(rect.right - 14, middle + 5), color);
    else
        DrawTriangle(pDC, CPoint(rect.right - 16, middle - 3), CPoint(rect.right - 11, middle + 2),
                     CPoint(rect.right - 16, middle + 7), color);
}

void CTaskPanelDrawer::DrawChevron(CDC* pDC, int x, int y, COLORREF color, BOOL bUp)
{
    CPenSelector pen(pDC->GetSafeHdc(), color);
    const auto line = [pDC](POINT a, POINT b, POINT c) {
        const POINT points[] = {a, b, c};
        pDC->Polyline(points, 3);
    };
    if (bUp)
    {
        line({x - 3, y - 2}, {x, y - 5}, {x + 4, y - 1});
        line({x - 2, y - 2}, {x, y - 4}, {x + 3, y - 1});
        line({x - 3, y + 2}, {x, y - 1}, {x + 4, y + 3});
        line({x - 2, y + 2}, {x, y}, {x + 3, y + 3});
    }
    else
    {
        line({x - 3, y - 4}, {x, y - 1}, {x + 4, y - 5});
        line({x - 2, y - 4}, {x, y - 2}, {x + 3, y - 5});
        line({x - 3, y}, {x, y + 3}, {x + 4, y - 1});
        line({x - 2, y}, {x, y + 2}, {x + 3, y - 1});
    }
}
