#include "CCommandBarDrawerDefaultStyle.h"

#include "FoundationLinks.h"

#include <algorithm>

CCommandBarDrawerDefaultStyle::CCommandBarDrawerDefaultStyle()
{
    m_bUseFadedIcons = FALSE;
    m_bIconsWithShadow = FALSE;
}

void CCommandBarDrawerDefaultStyle::FillDithered(CDC* pDC, const CRect& rc)
{
    static const WORD kPattern[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    CBitmap bitmap;
    bitmap.CreateBitmap(8, 8, 1, 1, kPattern);
    CBrush brush;
    brush.CreatePatternBrush(&bitmap);
    // A monochrome pattern takes the text colour for 0 bits and the
    // background colour for 1 bits.
    const COLORREF clrOldText = pDC->SetTextColor(ColorAt(20));
    const COLORREF clrOldBack = pDC->SetBkColor(ColorAt(15));
    CGdiObjectSelector select(pDC->m_hDC, brush.m_hObject);
    pDC->PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATCOPY);
    pDC->SetTextColor(clrOldText);
    pDC->SetBkColor(clrOldBack);
}

void CCommandBarDrawerDefaultStyle::DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                                  BOOL bChecked, BOOL bPopped, BOOL, int)
{
    if (bEnabled)
    {
        if (bChecked && !nSelected && !nPressed)
        {
            FillDithered(pDC, rc);
            DrawSunken(pDC, rc);
        }
        else if (bPopped || nPressed == kPressedExecuted || (nSelected && nPressed) ||
                 (bChecked && (nSelected || nPressed)))
            DrawSunken(pDC, rc);
        else if ((nSelected && !nPressed) || (!nSelected && nPressed == kPressedInClickLoop))
            DrawRaised(pDC, rc);
        return;
    }
    if (bChecked || nSelected == kSelectedByKeyboard)
        DrawSunken(pDC, rc);
}

void CCommandBarDrawerDefaultStyle::FillControlState(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed,
                                                     BOOL bChecked, BOOL bPopped, int nBarPosition)
{
    DrawStateRect(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopped, TRUE, nBarPosition);
    const int nSlot = !bEnabled ? 17 : (nBarPosition == kBarPopup ? m_nMenuTextSlot : 18);
    pDC->SetTextColor(ColorAt(static_cast<COLORREF>(nSlot)));
    pDC->SetBkMode(TRANSPARENT);
}

void CCommandBarDrawerDefaultStyle::DrawControlImage(CDC* pDC, int x, int y, int cx, int cy, CCommandIcon* pIcon,
                                                     int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                                                     BOOL bPopped, BOOL)
{
    if (pIcon == nullptr)
        return;
    if (!bEnabled)
    {
        if (m_bUseDisabledIcons || HasOwnDisabledImage(pIcon))
            DrawDisabledImage(pDC, pIcon, x, y, cx, cy);
        else
        {
            DrawIconMono(pDC, pIcon, x + 1, y + 1, ColorAt(20));
            DrawIconMono(pDC, pIcon, x, y, ColorAt(16));
        }
        return;
    }
    if (bPopped)
        DrawIconImage(pDC, pIcon, bChecked ? IconImage::Pressed : IconImage::Normal, x, y, cx, cy);
    else if (bChecked)
        DrawIconImage(pDC, pIcon, IconImage::Pressed, x, y, cx, cy);
    else if ((nSelected && nPressed) || nPressed == kPressedExecuted)
        DrawIconImage(pDC, pIcon, IconImage::Hot, x + 1, y + 1, cx, cy);
    else if (nSelected || nPressed == kPressedInClickLoop)
    {
        if (m_bIconsWithShadow && HasShadowImage(pIcon))
        {
            DrawIconImage(pDC, pIcon, IconImage::Shadow, x + 1, y + 1, cx, cy);
            DrawIconImage(pDC, pIcon, IconImage::Hot, x - 1, y - 1, cx, cy);
        }
        else
            DrawIconImage(pDC, pIcon, IconImage::Hot, x, y, cx, cy);
    }
    else
        DrawIconImage(pDC, pIcon, m_bUseFadedIcons ? IconImage::Faded : IconImage::Normal, x, y, cx, cy);
}

void CCommandBarDrawerDefaultStyle::DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc)
{
    const int nPosition = pControl->GetParent() != nullptr ? pControl->GetParent()->GetPosition() : kBarTop;
    const BOOL bPopped = pControl->GetPopped();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    FillControlState(pDC, CRect(rc.left, rc.top, rc.right - 12, rc.bottom), bEnabled,
                     nSelected != kNotSelected || bPopped ? std::max(nSelected, int(kSelectedByMouse)) : 0,
                     pControl->GetPressed(), pControl->GetChecked(), FALSE, nPosition);
    if ((nSelected || pControl->GetPressed() || bPopped) && bEnabled)
        FillControlState(pDC, CRect(rc.right - 12, rc.top, rc.right, rc.bottom), TRUE, kSelectedByMouse, kNotPressed,
                         FALSE, bPopped, nPosition);
    const int m = (rc.top + rc.bottom) / 2;
    FillTriangleLiteral(pDC, {rc.right - 9, m - 1}, {rc.right - 5, m - 1}, {rc.right - 7, m + 1},
                        ::GetTextColor(pDC->m_hDC));
}

CSize CCommandBarDrawerDefaultStyle::DrawItemText(CDC* pDC, const CString& strText, CRect rc, UINT nFormat,
                                                  BOOL bDraw, int nSelected, BOOL bEnabled)
{
    if (!bDraw)
    {
        CRect rcCalc;
        pDC->DrawText(strText, &rcCalc, DT_CALCRECT | DT_SINGLELINE | (nFormat & DT_NOPREFIX));
        return rcCalc.Size();
    }
    nFormat |= DT_SINGLELINE | DT_VCENTER;
    if (!bEnabled && !nSelected)
    {
        const COLORREF clrText = pDC->SetTextColor(ColorAt(20));
        CRect rcShadow = rc;
        rcShadow.OffsetRect(1, 1);
        pDC->DrawText(strText, &rcShadow, nFormat);
        pDC->SetTextColor(clrText);
    }
    pDC->DrawText(strText, &rc, nFormat);
    return CSize(0, 0);
}

int CCommandBarDrawerDefaultStyle::PopupGutter(CKitCommandBar* pBar) const
{
    const CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    return std::max<int>(m_nTextHeight, szIcon.cx + 4);
}

CSize CCommandBarDrawerDefaultStyle::DrawControlOnPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CFontSelector font(pDC, FontForControl(pBar, pControl->m_bDefaultItem));
    const CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    const int nRowHeight = std::max<int>(szIcon.cy + 4, m_nTextHeight);
    const int g = PopupGutter(pBar);
    const BOOL bDouble = pBar != nullptr && pBar->IsDoubleGutter();
    const int G = bDouble ? 2 * g : g;

    const CItemText text = PrepareItemText(pControl);
    const CString& strCaption = text.strCaption;
    const CString& strShortcut = text.strShortcut;
    const UINT nPrefix = text.nPrefix;
    const BOOL bRightToLeft = text.bRightToLeft;
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    const CSize szCaption = DrawItemText(pDC, strCaption, CRect(), nPrefix, FALSE, nSelected, bEnabled);
    const CSize szShortcut = strShortcut.IsEmpty()
                                 ? CSize(0, 0)
                                 : DrawItemText(pDC, strShortcut, CRect(), nPrefix, FALSE, nSelected, bEnabled);
    const CSize szResult(szCaption.cx + szShortcut.cx + G + 40, nRowHeight);
    if (!bDraw)
        return szResult;

    const CRect rc = pControl->GetRect();
    const BOOL bChecked = pControl->GetChecked();
    if (pControl->m_bHiddenInMenu)
        FillSolid(pDC, rc, 22);
    const COLORREF clrText = ColorAt(nSelected ? 14 : (bEnabled ? m_nMenuTextSlot : 17));
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bSelectionBar && nSelected)
        FillAndFrame(pDC, rc, 13, 13);

    int nHighlightLeft = rc.left;
    CRect rcCheck(0, 0, 20, 20);
    rcCheck.OffsetRect(rc.left + (g - 20) / 2, rc.top + (rc.Height() - 20) / 2);
    if (bChecked && !m_bSelectionBar)
    {
        DrawStateRect(pDC, rcCheck, nSelected, 0, bEnabled, bChecked, FALSE, FALSE, kBarPopup);
        nHighlightLeft = rc.left + g + 1;
    }
    const int nIconLeft = bDouble ? rc.left + g + 1 : rc.left;
    CSize szImage;
    CCommandIcon* pIcon = IconForControl(pControl, szIcon, szImage);
    if (pIcon != nullptr)
    {
        const CRect rcColumn(nIconLeft, rc.top, nIconLeft + g, rc.bottom);
        if (!m_bSelectionBar)
            DrawStateRect(pDC, rcColumn, nSelected, 0, bEnabled, bDouble ? FALSE : bChecked, FALSE, FALSE,
                          kBarPopup);
        DrawControlImage(pDC, rcColumn.left + (rcColumn.Width() - szImage.cx) / 2,
                         rcColumn.top + (rcColumn.Height() - szImage.cy) / 2, szImage.cx, szImage.cy, pIcon,
                         nSelected, kNotPressed, bEnabled, bChecked, FALSE, FALSE);
        nHighlightLeft = rc.left + g + 1;
    }
    if (bChecked && (pIcon == nullptr || bDouble))
        DrawCheckMark(pDC, rcCheck,
                      m_bSelectionBar ? clrText : ColorAt(bEnabled ? m_nMenuTextSlot : 17), bRightToLeft);

    int nHighlightRight = rc.right;
    COLORREF clrArrow = clrText;
    const int m = (rc.top + rc.bottom) / 2;
    if (pControl->GetType() == kControlSplitButtonPopup && bEnabled)
    {
        if (pControl->GetPopped() && nSelected)
        {
            DrawSunken(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom));
            nHighlightRight = rc.right - 20;
            clrArrow = ColorAt(static_cast<COLORREF>(m_nMenuTextSlot));
        }
        else
            DrawLine(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1,
                     nSelected ? 16 : m_nMenuTextSlot);
    }
    if (!m_bSelectionBar && nSelected)
        FillAndFrame(pDC, CRect(nHighlightLeft, rc.top, nHighlightRight, rc.bottom), 13, 13);
    if (pControl->IsPopupControl())
        FillTriangleLiteral(pDC, {rc.right - 11, m - 3}, {rc.right - 8, m}, {rc.right - 11, m + 3}, clrArrow);

    CRect rcText(rc.left + G + 4, rc.top, rc.right, rc.bottom);
    if (!strShortcut.IsEmpty())
        rcText.right = rc.right - 19 - szShortcut.cx;
    DrawItemText(pDC, strCaption, rcText, DT_END_ELLIPSIS | nPrefix, TRUE, nSelected, bEnabled);
    if (!strShortcut.IsEmpty())
        DrawItemText(pDC, strShortcut, CRect(rc.left + G + 8, rc.top, rc.right - 19, rc.bottom), DT_RIGHT | nPrefix,
                     TRUE, nSelected, bEnabled);
    return szResult;
}

void CCommandBarDrawerDefaultStyle::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (bEnabled)
    {
        if (nSelected)
            DrawSunken(pDC, rc);
        else
            Draw3dFrame(pDC, rc, 15, 15);
        rc.DeflateRect(1, 1);
        Draw3dFrame(pDC, rc, 15, 15);
        return;
    }
    rc.DeflateRect(1, 1);
    const int nSlot = nSelected == kSelectedByKeyboard ? 16 : 20;
    Draw3dFrame(pDC, rc, static_cast<COLORREF>(nSlot), static_cast<COLORREF>(nSlot));
}

void CCommandBarDrawerDefaultStyle::DrawComboButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped)
{
    rc.DeflateRect(1, 2, 2, 2);
    CRect rcArrow = rc;
    if (bEnabled)
    {
        FillSolid(pDC, rc, 15);
        if (bPopped)
        {
            FillSolid(pDC, CRect(rc.left - 1, rc.top, rc.left, rc.bottom), 15);
            DrawSunken(pDC, rc);
            rcArrow.OffsetRect(1, 1);
        }
        else if (nSelected)
        {
            FillSolid(pDC, CRect(rc.left - 1, rc.top, rc.left, rc.bottom), 15);
            DrawRaised(pDC, rc);
        }
        else
            Draw3dFrame(pDC, rc, 20, 20);
    }
    DrawDropDownArrow(pDC, rcArrow, 18);
}

CSize CCommandBarDrawerDefaultStyle::DrawFieldControl(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bCombo)
{
    CKitCommandBar* pBar = pControl->GetParent();
    const int g = PopupGutter(pBar);
    if (!bDraw)
        return MeasureFieldControl(pDC, pControl, bCombo, g + 9);

    const BOOL bOnPopup = pBar != nullptr && pBar->GetType() == kBarTypePopup;
    const CItemText text = PrepareItemText(pControl);
    const CString& strCaption = text.strCaption;
    const UINT nPrefix = text.nPrefix;
    CFontSelector font(pDC, &m_fontNormal);
    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    if (bOnPopup || pControl->IsLabelShown())
    {
        CRect rcLabel = rc;
        rcLabel.left += bOnPopup ? g + 4 : 2;
        pDC->SetTextColor(ColorAt(bEnabled ? 18 : 17));
        pDC->SetBkMode(TRANSPARENT);
        DrawItemText(pDC, strCaption, rcLabel, nPrefix, TRUE, nSelected, bEnabled);
    }
    const CRect rcField(rc.left + pControl->m_nLabelWidth, rc.top, rc.right, rc.bottom);
    if (bEnabled)
    {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        FillSolid(pDC, rcInside, 5);
    }
    DrawEditFrame(pDC, rcField, bEnabled, nSelected);
    if (!bCombo)
        return CSize(0, 0);
    const CRect rcButton(rcField.right - pControl->m_nButtonWidth, rcField.top, rcField.right, rcField.bottom);
    DrawComboButton(pDC, rcButton, bEnabled, nSelected, pControl->IsListOpen());
    CFontSelector fieldFont(pDC, &m_fontField);
    pControl->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1));
    return CSize(0, 0);
}

CSize CCommandBarDrawerDefaultStyle::DrawEditControl(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, FALSE);
}

CSize CCommandBarDrawerDefaultStyle::DrawComboBoxControl(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, TRUE);
}

CSize CCommandBarDrawerDefaultStyle::DrawCommandListItem(CDC* pDC, CKitControl* pControl, CRect rc,
                                                         BOOL bSelected, BOOL bDraw, CKitCommandBars* pCommandBars)
{
    if (pControl == nullptr)
        return CSize(0, 0);
    const CSize szIcon = PopupIconSize(pCommandBars);
    const int nColumn = std::max<int>(szIcon.cx + 4, m_nTextHeight);
    const CSize szResult(nColumn, std::max<int>(szIcon.cy + 4, m_nTextHeight));
    if (!bDraw)
        return szResult;

    CFontSelector font(pDC, &m_fontNormal);
    FillSolid(pDC, rc, 15);
    const int nSelected = bSelected ? kSelectedByMouse : kNotSelected;
    const CRect rcColumn(rc.left, rc.top, rc.left + nColumn, rc.bottom);
    CSize szImage;
    CCommandIcon* pIcon = IconForControl(pControl, szIcon, szImage);
    if (pIcon != nullptr)
    {
        DrawStateRect(pDC, rcColumn, nSelected, 0, TRUE, FALSE, FALSE, FALSE, kBarPopup);
        DrawControlImage(pDC, rcColumn.left + (rcColumn.Width() - szImage.cx) / 2,
                         rcColumn.top + (rcColumn.Height() - szImage.cy) / 2, szImage.cx, szImage.cy, pIcon,
                         nSelected, kNotPressed, TRUE, FALSE, FALSE, FALSE);
    }
    if (bSelected)
        FillAndFrame(pDC, CRect(rcColumn.right, rc.top, rc.right, rc.bottom), 13, 13);
    const int nTextSlot = bSelected ? 14 : 18;
    const int nCaption = DrawCommandListText(pDC, pControl, rc, rc.left + nColumn + 8,
                                             ColorAt(static_cast<COLORREF>(nTextSlot)), nTextSlot);
    const int nType = pControl->GetType();
    if (nType == kControlComboBox || nType == kControlEdit)
    {
        const CRect rcField(rc.left + nColumn + nCaption + 13, rc.top, rc.right, rc.bottom);
        FillAndFrame(pDC, rcField, bSelected ? 13 : 15, 5);
        if (nType == kControlComboBox)
        {
            const int nButton = pDC->GetTextExtent(CString(L" ")).cy + 2;
            const CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
            if (bSelected)
                FillAndFrame(pDC, rcButton, 13, 15);
            else
            {
                CRect rcFill = rcButton;
                rcFill.DeflateRect(2, 2);
                FillSolid(pDC, rcFill, 15);
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            DrawDropDownArrow(pDC, rcArrow, 18);
        }
    }
    return szResult;
}

void CCommandBarDrawerDefaultStyle::PaintBarBackground(CDC* pDC, CKitCommandBar* pBar)
{
    CRect rc = ClientRectOf(pBar);
    FillSolid(pDC, rc, 15);
    const int nPosition = pBar->GetPosition();
    if (nPosition == kBarFloating || nPosition == kBarPopup)
        Draw3dFrame(pDC, rc, 15, 21);
    rc.DeflateRect(1, 1);
    DrawRaised(pDC, rc);
}

CSize CCommandBarDrawerDefaultStyle::DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    const CRect rc = ClientRectOf(pBar);
    switch (pBar->GetPosition())
    {
    case kBarTop:
    case kBarBottom:
        if (bDraw)
            DrawRaised(pDC, CRect(3, 3, 6, rc.bottom - 3));
        return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw)
            DrawRaised(pDC, CRect(3, 3, rc.right - 3, 6));
        return CSize(0, 8);
    case kBarFloating:
        return DrawFloatingCaption(pDC, pBar, bDraw, ColorAt(2));
    default:
        return CSize(0, 0);
    }
}

CSize CCommandBarDrawerDefaultStyle::DrawDialogBarGripper(CDC* pDC, CKitCommandBar*, BOOL bDraw)
{
    const int nHeight = m_nTextHeight >= 18 ? m_nTextHeight + 4 : 22;
    if (bDraw)
        DrawRaised(pDC, CRect(3, 3, 6, nHeight));
    return CSize(6, nHeight);
}

CSize CCommandBarDrawerDefaultStyle::DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    const BOOL bPopup = pBar->GetType() == kBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(8, 8) : CSize(6, 6);
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    CRect rcLine;
    if (bPopup)
        rcLine = CRect(14, rcControl.top - 5, ClientRectOf(pBar).right - 14, rcControl.top - 3);
    else if (pBar->IsVertical())
        rcLine = pControl->GetRowBreak()
                     ? CRect(rcRow.right + 2, rcRow.top + 4, rcRow.right + 4, rcRow.bottom)
                     : CRect(rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 2);
    else
        rcLine = pControl->GetRowBreak()
                     ? CRect(rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 2)
                     : CRect(rcControl.left - 4, rcRow.top, rcControl.left - 2, rcRow.bottom);
    DrawSunken(pDC, rcLine);
    return CSize(0, 0);
}

void CCommandBarDrawerDefaultStyle::AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    if (pControl->GetType() == kControlComboBox)
        return;
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        rc.DeflateRect(1, 0);
    else if (bVertical)
        rc.InflateRect(0, 1);
    else
        rc.InflateRect(1, 0);
}

CRect CCommandBarDrawerDefaultStyle::GetBarBorders(CKitCommandBar* pBar)
{
    return pBar != nullptr && pBar->GetType() == kBarTypePopup ? CRect(3, 3, 3, 3) : CRect(2, 2, 2, 2);
}

CSize CCommandBarDrawerDefaultStyle::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
        FillSolid(pDC, CRect(rc.left, rc.top, rc.right, rc.bottom - 1), bSelected ? 2 : 3);
    return CSize(0, 8);
}

CSize CCommandBarDrawerDefaultStyle::DrawSpecialControl(CDC* pDC, int nKind, CKitControl* pControl,
                                                        CKitCommandBar* pBar, BOOL bDraw, void* pExtent)
{
    if (bDraw && (nKind == kSpecialCaptionClose || nKind == kSpecialCaptionOptions))
    {
        const BOOL bActive = pControl->GetPressed() || pControl->GetSelected() ||
                             (nKind == kSpecialCaptionOptions && pControl->GetPopped());
        if (bActive)
            FillSolid(pDC, pControl->GetRect(), 15);
    }
    return CCommandBarDrawer::DrawSpecialControl(pDC, nKind, pControl, pBar, bDraw, pExtent);
}
