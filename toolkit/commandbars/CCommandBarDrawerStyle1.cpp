#include "CCommandBarDrawerStyle1.h"

#include "FoundationLinks.h"

#include <algorithm>

CCommandBarDrawerStyle1::CCommandBarDrawerStyle1()
{
    m_bUseFadedIcons = TRUE;
    m_bUseDisabledIcons = TRUE;
    m_bIconsWithShadow = TRUE;
    m_bGenerateDisabledIcons = TRUE;
}

void CCommandBarDrawerStyle1::FillPopupGutter(CDC* pDC, int x, int y, int cx, int cy, BOOL bHiddenItem)
{
    FillSolid(pDC, CRect(x, y, x + cx, y + cy), bHiddenItem ? 42 : 30);
}

int CCommandBarDrawerStyle1::PopupGutter(CKitCommandBar* pBar) const
{
    const CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    const int g = std::max<int>(m_nTextHeight + 4, szIcon.cx + 4);
    return pBar != nullptr && pBar->IsDoubleGutter() ? 2 * g : g;
}

int CCommandBarDrawerStyle1::GetPopupGutterWidth(CKitCommandBar* pPopup) const
{
    return PopupGutter(pPopup) + 1;
}

void CCommandBarDrawerStyle1::FillPopupOverlap(CDC* pDC, CKitCommandBar* pPopup, COLORREF clr)
{
    CKitControl* pOpener = pPopup->GetOpeningControl();
    if (pOpener == nullptr || pOpener->GetParent() == pPopup || !HasWindow(pOpener->GetParent()) ||
        !HasWindow(pPopup))
        return;
    CRect rcControl = pOpener->GetRect();
    pOpener->GetParent()->ClientToScreen(&rcControl);
    CRect rcPopup;
    pPopup->GetWindowRect(&rcPopup);
    CRect rcOverlap;
    if (!rcOverlap.IntersectRect(&rcControl, &rcPopup))
        return;
    pPopup->ScreenToClient(&rcOverlap);
    if (rcOverlap.Width() > 1)
        rcOverlap.DeflateRect(1, 0);
    if (rcOverlap.Height() > 1)
        rcOverlap.DeflateRect(0, 1);
    FillSolid(pDC, rcOverlap, clr);
}

void CCommandBarDrawerStyle1::DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                            BOOL bChecked, BOOL bPopped, BOOL, int nBarPosition)
{
    if (bEnabled)
    {
        if (bPopped)
            FillAndFrame(pDC, rc, 43, 30);
        else if (bChecked && !nSelected && !nPressed)
            FillAndFrame(pDC, rc, 50, 36);
        else if (bChecked && nSelected && !nPressed)
            FillAndFrame(pDC, rc, 37, 33);
        else if (nPressed == kPressedExecuted || (nSelected && nPressed == kPressedInClickLoop))
            FillAndFrame(pDC, rc, 50, 33);
        else if ((nSelected && !nPressed) || (!nSelected && nPressed == kPressedInClickLoop))
            FillAndFrame(pDC, rc, 32, 31);
        return;
    }
    if (nSelected == kSelectedByKeyboard)
        FillAndFrame(pDC, rc, 32, nBarPosition == kBarPopup ? 41 : (bChecked ? 33 : 31));
    else if (bChecked)
        FillAndFrame(pDC, rc, 58, nBarPosition == kBarPopup ? -1 : 36);
}

void CCommandBarDrawerStyle1::FillControlState(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed,
                                               BOOL bChecked, BOOL bPopped, int nBarPosition)
{
    DrawStateRect(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopped, TRUE, nBarPosition);
    int nSlot = 46;
    if (!bEnabled)
        nSlot = 60;
    else if (bPopped)
        nSlot = 46;
    else if (bChecked && !nSelected && !nPressed)
        nSlot = 45;
    else if (nPressed == kPressedExecuted || (nSelected && (nPressed || bChecked)))
        nSlot = 47;
    else if (nSelected || nPressed)
        nSlot = 45;
    else if (nBarPosition == kBarPopup)
        nSlot = 44;
    pDC->SetTextColor(ColorAt(static_cast<COLORREF>(nSlot)));
    pDC->SetBkMode(TRANSPARENT);
}

void CCommandBarDrawerStyle1::DrawControlImage(CDC* pDC, int x, int y, int cx, int cy, CCommandIcon* pIcon,
                                               int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                                               BOOL bPopped, BOOL)
{
    if (pIcon == nullptr)
        return;
    if (!bEnabled)
    {
        if (!m_bUseDisabledIcons && !HasOwnDisabledImage(pIcon))
        {
            DrawIconMono(pDC, pIcon, x, y, ColorAt(40));
            return;
        }
        DrawDisabledImage(pDC, pIcon, x, y, cx, cy);
        return;
    }
    if (bPopped)
    {
        DrawIconImage(pDC, pIcon, bChecked ? IconImage::Pressed : IconImage::Normal, x, y, cx, cy);
        return;
    }
    if (bChecked)
    {
        DrawIconImage(pDC, pIcon, IconImage::Pressed, x, y, cx, cy);
        return;
    }
    if (!nSelected && !nPressed)
    {
        DrawIconImage(pDC, pIcon, m_bUseFadedIcons ? IconImage::Faded : IconImage::Normal, x, y, cx, cy);
        return;
    }
    if ((!nSelected && nPressed == kPressedExecuted) || (nSelected && nPressed))
    {
        DrawIconImage(pDC, pIcon, IconImage::Hot, x, y, cx, cy);
        return;
    }
    if (m_bIconsWithShadow && HasShadowImage(pIcon))
    {
        DrawIconImage(pDC, pIcon, IconImage::Shadow, x + 1, y + 1, cx, cy);
        DrawIconImage(pDC, pIcon, IconImage::Hot, x - 1, y - 1, cx, cy);
    }
    else
        DrawIconImage(pDC, pIcon, IconImage::Hot, x, y, cx, cy);
}

CSize CCommandBarDrawerStyle1::DrawControlOnPopup(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    CKitCommandBar* pBar = pControl->GetParent();
    CFontSelector font(pDC, FontForControl(pBar, pControl->m_bDefaultItem));
    const CSize szIcon = pBar != nullptr ? pBar->GetIconSize() : CSize(16, 16);
    const int nRowHeight = std::max<int>(szIcon.cy + 6, m_nTextHeight);
    const int g1 = std::max<int>(m_nTextHeight + 4, szIcon.cx + 4);
    const BOOL bDouble = pBar != nullptr && pBar->IsDoubleGutter();
    const int g = bDouble ? 2 * g1 : g1;

    const CItemText text = PrepareItemText(pControl);
    const CString& strCaption = text.strCaption;
    const CString& strShortcut = text.strShortcut;
    const UINT nPrefix = text.nPrefix;
    const BOOL bRightToLeft = text.bRightToLeft;

    CRect rcCalc;
    pDC->DrawText(strCaption, &rcCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | nPrefix);
    CRect rcShortcutCalc;
    if (!strShortcut.IsEmpty())
        pDC->DrawText(strShortcut, &rcShortcutCalc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | nPrefix);
    const CSize szResult(rcCalc.Width() + rcShortcutCalc.Width() + g + 40, nRowHeight);
    if (!bDraw)
        return szResult;

    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bChecked = pControl->GetChecked();
    const int nSelected = pControl->GetSelected();

    if (pControl->m_bHiddenInMenu)
        FillPopupGutter(pDC, 1, rc.top, g + 1, rc.Height(), TRUE);
    if (pControl->IsLabel())
        FillSolid(pDC, CRect(g + 3, rc.top, rc.right, rc.bottom), 56);
    else
        DrawStateRect(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, FALSE, kBarPopup);

    const CRect rcColumn1(rc.left, rc.top, rc.left + g1, rc.bottom);
    CRect rcCheck(0, 0, szIcon.cx + 4, szIcon.cy + 4);
    rcCheck.OffsetRect(rcColumn1.left + (rcColumn1.Width() - rcCheck.Width()) / 2,
                       rcColumn1.top + (rcColumn1.Height() - rcCheck.Height()) / 2);
    if (bChecked)
        DrawStateRect(pDC, rcCheck, nSelected, 0, bEnabled, bChecked, FALSE, FALSE, kBarPopup);

    CSize szImage;
    CCommandIcon* pIcon = IconForControl(pControl, szIcon, szImage);
    if (pIcon != nullptr)
    {
        const CRect rcColumn = bDouble ? CRect(rc.left + g1, rc.top, rc.left + 2 * g1, rc.bottom) : rcColumn1;
        DrawControlImage(pDC, rcColumn.left + (rcColumn.Width() - szImage.cx) / 2,
                         rcColumn.top + (rcColumn.Height() - szImage.cy) / 2, szImage.cx, szImage.cy, pIcon,
                         nSelected, kNotPressed, bEnabled, bChecked, FALSE, FALSE);
    }
    if (bChecked && (pIcon == nullptr || bDouble))
        DrawCheckMark(pDC, rcCheck, bEnabled ? kit::kColorBlack : ColorAt(40), bRightToLeft);

    const COLORREF clrText = ColorAt(!bEnabled ? 35 : (nSelected ? 45 : 44));
    pDC->SetTextColor(clrText);
    pDC->SetBkMode(TRANSPARENT);

    const int m = (rc.top + rc.bottom) / 2;
    if (pControl->IsPopupControl())
    {
        COLORREF clrArrow = clrText;
        if (pControl->GetType() == kControlSplitButtonPopup && bEnabled)
        {
            if (pControl->GetPopped() && nSelected)
            {
                FillAndFrame(pDC, CRect(rc.right - 20, rc.top, rc.right, rc.bottom), 32, 33);
                clrArrow = ColorAt(47);
            }
            else
                DrawLine(pDC, rc.right - 20, rc.top + 1, rc.right - 20, rc.bottom - 1, nSelected ? 32 : 16);
        }
        FillTriangleLiteral(pDC, {rc.right - 11, m - 3}, {rc.right - 8, m}, {rc.right - 11, m + 3}, clrArrow);
    }

    CRect rcText(rc.left + g + 8, rc.top, rc.right, rc.bottom);
    if (!strShortcut.IsEmpty())
        rcText.right = rc.right - 19 - rcShortcutCalc.Width();
    pDC->DrawText(strCaption, &rcText, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER | nPrefix);
    if (!strShortcut.IsEmpty())
    {
        CRect rcShortcut(rc.left + g + 8, rc.top, rc.right - 19, rc.bottom);
        pDC->DrawText(strShortcut, &rcShortcut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | nPrefix);
    }
    return szResult;
}

CSize CCommandBarDrawerStyle1::DrawFieldControl(CDC* pDC, CKitControl* pControl, BOOL bDraw, BOOL bCombo)
{
    CKitCommandBar* pBar = pControl->GetParent();
    const BOOL bOnPopup = pBar != nullptr && pBar->GetType() == kBarTypePopup;
    const CItemText text = PrepareItemText(pControl);
    const CString& strCaption = text.strCaption;
    const UINT nPrefix = text.nPrefix;
    const int nGutter = PopupGutter(pBar);

    if (!bDraw)
        return MeasureFieldControl(pDC, pControl, bCombo, nGutter + 12);

    CFontSelector font(pDC, &m_fontNormal);
    const CRect rc = pControl->GetRect();
    const BOOL bEnabled = pControl->GetEnabled();
    const int nSelected = pControl->GetSelected();
    if (bOnPopup || pControl->IsLabelShown())
    {
        int nSlot;
        CRect rcLabel = rc;
        if (bOnPopup)
        {
            if (nSelected && bEnabled)
                DrawStateRect(pDC, rc, nSelected, 0, bEnabled, FALSE, FALSE, FALSE, kBarPopup);
            nSlot = !bEnabled ? 35 : (nSelected ? 45 : 44);
            rcLabel.left += nGutter + 7;
        }
        else
        {
            nSlot = bEnabled ? 46 : 60;
            rcLabel.left += 2;
        }
        pDC->SetTextColor(ColorAt(static_cast<COLORREF>(nSlot)));
        pDC->SetBkMode(TRANSPARENT);
        pDC->DrawText(strCaption, &rcLabel, DT_SINGLELINE | DT_VCENTER | nPrefix);
    }

    CRect rcField(rc.left + pControl->m_nLabelWidth, rc.top, rc.right, rc.bottom);
    CRect rcDisabled = rcField;
    rcDisabled.left += 1;
    if (!bCombo)
    {
        if (bEnabled)
        {
            CRect rcInside = rcField;
            rcInside.DeflateRect(1, 1);
            FillSolid(pDC, rcInside, 5);
            if (nSelected)
                FillAndFrame(pDC, rcField, 32, 5);
            else if (bOnPopup)
                FillAndFrame(pDC, rcField, 53, -1);
        }
        else
            FillAndFrame(pDC, rcDisabled, nSelected == kSelectedByKeyboard ? 32 : 40, 15);
        return CSize(0, 0);
    }

    const CRect rcButton(rcField.right - pControl->m_nButtonWidth, rcField.top, rcField.right, rcField.bottom);
    const BOOL bOpen = pControl->IsListOpen();
    if (bEnabled)
    {
        CRect rcInside = rcField;
        rcInside.DeflateRect(1, 1);
        FillAndFrame(pDC, rcInside, 5, 5);
        if (nSelected)
        {
            FillAndFrame(pDC, rcField, 32, 5);
            FillAndFrame(pDC, rcButton, 32, bOpen ? 33 : 31);
        }
        else if (bOnPopup)
        {
            FillAndFrame(pDC, rcField, 53, -1);
            FillAndFrame(pDC, rcButton, 5, 53);
        }
        else
            FillAndFrame(pDC, rcButton, 5, -1);
    }
    else
        FillAndFrame(pDC, rcDisabled, nSelected == kSelectedByKeyboard ? 32 : 40, 15);

    {
        CFontSelector fieldFont(pDC, &m_fontField);
        pControl->DrawFieldText(pDC, CRect(rcField.left + 3, rcField.top + 1, rcButton.left + 1, rcField.bottom - 1));
    }
    const int nArrowSlot = !bEnabled ? 40 : (bOpen ? 47 : (nSelected ? 45 : 46));
    DrawDropDownArrow(pDC, rcButton, static_cast<COLORREF>(nArrowSlot));
    return CSize(0, 0);
}

CSize CCommandBarDrawerStyle1::DrawEditControl(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, FALSE);
}

CSize CCommandBarDrawerStyle1::DrawComboBoxControl(CDC* pDC, CKitControl* pControl, BOOL bDraw)
{
    return DrawFieldControl(pDC, pControl, bDraw, TRUE);
}

CSize CCommandBarDrawerStyle1::DrawCommandListItem(CDC* pDC, CKitControl* pControl, CRect rc, BOOL bSelected,
                                                   BOOL bDraw, CKitCommandBars* pCommandBars)
{
    if (pControl == nullptr)
        return CSize(0, 0);
    const CSize szIcon = PopupIconSize(pCommandBars);
    const int nRowHeight = std::max<int>(szIcon.cy + 6, m_nTextHeight);
    const int g = std::max<int>(szIcon.cx + 4, m_nTextHeight + 4);
    if (!bDraw)
        return CSize(g, nRowHeight);

    CFontSelector font(pDC, &m_fontNormal);
    FillSolid(pDC, rc, 41);
    FillPopupGutter(pDC, rc.left, rc.top, g + 1, rc.Height(), FALSE);
    const int nSelected = bSelected ? kSelectedByMouse : kNotSelected;
    if (bSelected)
        DrawStateRect(pDC, rc, nSelected, 0, TRUE, FALSE, FALSE, FALSE, kBarPopup);

    CSize szImage;
    CCommandIcon* pIcon = IconForControl(pControl, szIcon, szImage);
    if (pIcon != nullptr)
        DrawControlImage(pDC, rc.left + (g - szImage.cx) / 2, rc.top + (rc.Height() - szImage.cy) / 2, szImage.cx,
                         szImage.cy, pIcon, nSelected, kNotPressed, TRUE, FALSE, FALSE, FALSE);

    const int nCaption =
        DrawCommandListText(pDC, pControl, rc, rc.left + g + 8, ColorAt(bSelected ? 45 : 44), bSelected ? 32 : 16);
    const int nType = pControl->GetType();
    if (nType == kControlComboBox || nType == kControlEdit)
    {
        const CRect rcField(rc.left + g + nCaption + 13, rc.top, rc.right, rc.bottom);
        FillAndFrame(pDC, rcField, bSelected ? 32 : 15, 5);
        if (nType == kControlComboBox)
        {
            const int nButton = pDC->GetTextExtent(CString(L" ")).cy + 2;
            const CRect rcButton(rcField.right - nButton, rcField.top, rcField.right, rcField.bottom);
            if (bSelected)
                DrawStateRect(pDC, rcButton, nSelected, 0, TRUE, FALSE, FALSE, FALSE, kBarPopup);
            else
            {
                CRect rcFill = rcButton;
                rcFill.DeflateRect(2, 2);
                FillSolid(pDC, rcFill, 15);
            }
            CRect rcArrow = rcButton;
            rcArrow.DeflateRect(1, 1);
            DrawDropDownArrow(pDC, rcArrow, static_cast<COLORREF>(bSelected ? 45 : 46));
        }
    }
    return CSize(g, nRowHeight);
}

void CCommandBarDrawerStyle1::PaintBarBackground(CDC* pDC, CKitCommandBar* pBar)
{
    const CRect rc = ClientRectOf(pBar);
    const int nPosition = pBar->GetPosition();
    if (nPosition == kBarFloating)
    {
        CPenSelector pen(pDC->m_hDC, ColorAt(43));
        CBrushSelector brush(pDC->m_hDC, ColorAt(pBar->GetType() == kBarTypeMenuBar ? 15 : 30));
        pDC->Rectangle(rc);
        CRect rcInner = rc;
        rcInner.DeflateRect(1, 1);
        pDC->Rectangle(rcInner);
        const COLORREF clr = ColorAt(43);
        pDC->SetPixel(rc.left + 2, rc.top + 2, clr);
        pDC->SetPixel(rc.right - 3, rc.top + 2, clr);
        pDC->SetPixel(rc.left + 2, rc.bottom - 3, clr);
        pDC->SetPixel(rc.right - 3, rc.bottom - 3, clr);
    }
    else if (pBar->GetType() == kBarTypeMenuBar)
        FillSolid(pDC, rc, 15);
    else if (nPosition == kBarPopup)
    {
        FillAndFrame(pDC, rc, 43, 41);
        if (pBar->GetType() == kBarTypePopup)
        {
            FillPopupGutter(pDC, 1, 2, GetPopupGutterWidth(pBar), rc.Height() - 4, FALSE);
            FillPopupOverlap(pDC, pBar, 30);
        }
    }
    else
    {
        FillSolid(pDC, rc, 30);
        const COLORREF clr = ColorAt(15);
        pDC->Draw3dRect(rc, clr, clr);
        pDC->SetPixel(rc.left + 1, rc.top + 1, clr);
        pDC->SetPixel(rc.right - 2, rc.top + 1, clr);
        pDC->SetPixel(rc.left + 1, rc.bottom - 2, clr);
        pDC->SetPixel(rc.right - 2, rc.bottom - 2, clr);
    }
}

CSize CCommandBarDrawerStyle1::DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (pBar->IsDialogBar())
        return DrawDialogBarGripper(pDC, pBar, bDraw);
    const CRect rc = ClientRectOf(pBar);
    switch (pBar->GetPosition())
    {
    case kBarTop:
    case kBarBottom:
        if (bDraw)
        {
            CPenSelector pen(pDC->m_hDC, ColorAt(38));
            for (int y = 5; y < rc.Height() - 5; y += 2)
                DrawLine(pDC, 3, y, 6, y);
        }
        return CSize(6, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw)
        {
            CPenSelector pen(pDC->m_hDC, ColorAt(38));
            for (int x = 5; x < rc.Width() - 5; x += 2)
                DrawLine(pDC, x, 3, x, 6);
        }
        return CSize(0, 8);
    case kBarFloating:
        return DrawFloatingCaption(pDC, pBar, bDraw, ColorAt(16));
    default:
        return CSize(0, 0);
    }
}

CSize CCommandBarDrawerStyle1::DrawDialogBarGripper(CDC* pDC, CKitCommandBar*, BOOL bDraw)
{
    const int nHeight = std::max<int>(22, m_nTextHeight + 4);
    if (bDraw)
    {
        CPenSelector pen(pDC->m_hDC, ColorAt(38));
        for (int y = 6; y < nHeight - 2; y += 2)
            DrawLine(pDC, 3, y, 6, y);
    }
    return CSize(6, nHeight);
}

CSize CCommandBarDrawerStyle1::DrawSeparator(CDC* pDC, CKitCommandBar* pBar, CKitControl* pControl, BOOL bDraw)
{
    const BOOL bPopup = pBar->GetType() == kBarTypePopup;
    if (!bDraw)
        return bPopup ? CSize(3, 3) : CSize(6, 6);
    CPenSelector pen(pDC->m_hDC, ColorAt(39));
    const CRect rcRow = pControl->GetRowRect();
    const CRect rcControl = pControl->GetRect();
    if (bPopup)
        DrawLine(pDC, GetPopupGutterWidth(pBar) + 9, rcControl.top - 2, ClientRectOf(pBar).Width() - 1,
                 rcControl.top - 2);
    else if (pBar->IsVertical())
    {
        if (pControl->GetRowBreak())
            DrawLine(pDC, rcRow.right + 2, rcRow.top + 4, rcRow.right + 2, rcRow.bottom);
        else
            DrawLine(pDC, rcRow.left, rcControl.top - 4, rcRow.right, rcControl.top - 4);
    }
    else
    {
        if (pControl->GetRowBreak())
            DrawLine(pDC, rcRow.left + 4, rcRow.top - 4, rcRow.right, rcRow.top - 4);
        else
            DrawLine(pDC, rcControl.left - 4, rcRow.top, rcControl.left - 4, rcRow.bottom);
    }
    return CSize(0, 0);
}

void CCommandBarDrawerStyle1::AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    CKitCommandBar* pBar = pControl->GetParent();
    if (pBar != nullptr && pBar->GetType() == kBarTypePopup)
        rc.InflateRect(1, 0);
    else if (pControl->GetType() != kControlComboBox)
    {
        if (bVertical)
            rc.DeflateRect(1, 0);
        else
            rc.DeflateRect(0, 1);
    }
}

void CCommandBarDrawerStyle1::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL)
{
    Draw3dFrame(pDC, rc, 16, 16);
}

CSize CCommandBarDrawerStyle1::DrawTearOffGripper(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw)
{
    if (bDraw)
    {
        FillSolid(pDC, CRect(1, 1, rc.right + 1, rc.Height() + 1), 41);
        CRect rcHandle = rc;
        rcHandle.DeflateRect(1, 1);
        if (bSelected)
            FillAndFrame(pDC, rcHandle, 32, 31);
        else
            FillSolid(pDC, rcHandle, 30);
        const int m = (rc.left + rc.right) / 2;
        const int k = rc.Width() / 2 > 26 ? 16 : rc.Width() / 2 - 10;
        if (k > 0)
        {
            CPenSelector pen(pDC->m_hDC, ColorAt(bSelected ? 45 : 38));
            if (bSelected)
                for (int y : {4, 6})
                    DrawLine(pDC, m - k, y, m + k, y);
            else
                for (int y : {3, 5, 7})
                    DrawLine(pDC, m - k, y, m + k, y);
        }
    }
    return CSize(0, 9);
}
