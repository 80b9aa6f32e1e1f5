#include "CCommandBarDrawerStyle3.h"

#include "FoundationLinks.h"

#include <vssym32.h>

CCommandBarDrawerStyle3::CCommandBarDrawerStyle3()
{
    m_bUseFadedIcons = TRUE;
    m_bIconsWithShadow = FALSE;
    m_nMenuTextSlot = 7;
}

void CCommandBarDrawerStyle3::ReloadMetrics()
{
    CCommandBarDrawer::ReloadMetrics();
    CWnd* pMainWnd = AfxGetMainWnd();
    const HWND hMain = pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr;
    m_themeRebar.Open(hMain, L"REBAR");
    m_themeToolbar.Open(hMain, L"TOOLBAR");
    m_themeComboBox.Open(hMain, L"COMBOBOX");
    m_themeStatus.Open(hMain, L"STATUS");

    BOOL bFlat = FALSE;
    m_bFlatMenus = ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &bFlat, 0) && bFlat;

    COLORREF clr = 0;
    m_clrRebarEdge = IsOpen(m_themeRebar) && SUCCEEDED(m_themeRebar.GetColor(3, 0, TMT_EDGESHADOWCOLOR, &clr))
                         ? clr
                         : ColorAt(16);
    if (IsOpen(m_themeToolbar) && SUCCEEDED(m_themeToolbar.GetColor(0, 0, TMT_TEXTCOLOR, &clr)))
        SetStandardColor(18, clr);
    if (IsOpen(m_themeRebar) && SUCCEEDED(m_themeRebar.GetColor(0, 0, TMT_FILLCOLORHINT, &clr)))
        SetStandardColor(15, clr);
    if (IsOpen(m_themeStatus) && SUCCEEDED(m_themeStatus.GetColor(1, 0, TMT_TEXTCOLOR, &clr)))
        m_clrStatusText = clr;
}

void CCommandBarDrawerStyle3::DrawStateRect(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled,
                                            BOOL bChecked, BOOL bPopped, BOOL bOnToolbar, int nBarPosition)
{
    if (!IsOpen(m_themeToolbar))
    {
        CCommandBarDrawerDefaultStyle::DrawStateRect(pDC, rc, nSelected, nPressed, bEnabled, bChecked, bPopped,
                                                     bOnToolbar, nBarPosition);
        return;
    }
    int nState = 1;
    if (!bEnabled)
        nState = bChecked ? 3 : 4;
    else if (bPopped || (nSelected && nPressed) || nPressed == kPressedExecuted)
        nState = 3;
    else if (bChecked && !nPressed)
        nState = nSelected ? 6 : 5;
    else if (nSelected)
        nState = 2;
    m_themeToolbar.DrawBackground(pDC->m_hDC, 1, nState, &rc, nullptr);
}

void CCommandBarDrawerStyle3::DrawSplitButtonFrame(CDC* pDC, CKitControl* pControl, CRect rc)
{
    if (!IsOpen(m_themeToolbar))
    {
        CCommandBarDrawerDefaultStyle::DrawSplitButtonFrame(pDC, pControl, rc);
        return;
    }
    const BOOL bEnabled = pControl->GetEnabled();
    const BOOL bPopped = pControl->GetPopped();
    const int nSelected = pControl->GetSelected();
    int h = 1;
    if (!bEnabled)
        h = 4;
    else if (pControl->GetPressed() && nSelected)
        h = 3;
    else if (pControl->GetChecked())
        h = 5;
    else if (bPopped || nSelected)
        h = 2;
    const CRect rcMain(rc.left, rc.top, rc.right - 12, rc.bottom);
    const CRect rcArrow(rc.right - 12, rc.top, rc.right, rc.bottom);
    m_themeToolbar.DrawBackground(pDC->m_hDC, 3, h, &rcMain, nullptr);
    m_themeToolbar.DrawBackground(pDC->m_hDC, 4, bPopped ? 3 : h, &rcArrow, nullptr);
    pDC->SetTextColor(ColorAt(bEnabled ? 18 : 17));
    pDC->SetBkMode(TRANSPARENT);
}

void CCommandBarDrawerStyle3::FillRebarBackground(CDC* pDC, CWnd* pWnd)
{
    const CRect rcClient = ClientRectOf(pWnd);
    if (!IsOpen(m_themeRebar))
    {
        FillSolid(pDC, rcClient, 15);
        return;
    }
    CRect rcParent = rcClient;
    CWnd* pParent = HasWindow(pWnd) ? pWnd->GetParent() : nullptr;
    if (HasWindow(pParent))
    {
        pParent->GetWindowRect(&rcParent);
        pWnd->ScreenToClient(&rcParent);
    }
    m_themeRebar.DrawBackground(pDC->m_hDC, 0, 0, &rcParent, &rcClient);
}

void CCommandBarDrawerStyle3::PaintBarBackground(CDC* pDC, CKitCommandBar* pBar)
{
    if (!IsOpen(m_themeRebar))
    {
        CCommandBarDrawerDefaultStyle::PaintBarBackground(pDC, pBar);
        return;
    }
    CRect rc = ClientRectOf(pBar);
    switch (pBar->GetPosition())
    {
    case kBarPopup:
        if (m_bFlatMenus)
            FillAndFrame(pDC, rc, 16, 4);
        else
        {
            FillSolid(pDC, rc, 4);
            Draw3dFrame(pDC, rc, 15, 21);
            rc.DeflateRect(1, 1);
            DrawRaised(pDC, rc);
        }
        break;
    case kBarFloating:
        FillSolid(pDC, rc, 15);
        Draw3dFrame(pDC, rc, 15, 21);
        rc.DeflateRect(1, 1);
        DrawRaised(pDC, rc);
        break;
    case kBarTop:
        FillRebarBackground(pDC, pBar);
        Draw3dFrame(pDC, rc, 20, m_clrRebarEdge);
        break;
    default:
        FillSolid(pDC, rc, 15);
        Draw3dFrame(pDC, rc, 20, m_clrRebarEdge);
        break;
    }
}

void CCommandBarDrawerStyle3::PaintDockBarBackground(CDC* pDC, CWnd* pDockBar)
{
    if (HasWindow(pDockBar) && (pDockBar->GetStyle() & CBRS_ALIGN_ANY) == CBRS_ALIGN_TOP)
        FillRebarBackground(pDC, pDockBar);
    else
        FillSolid(pDC, ClientRectOf(pDockBar), 15);
}

void CCommandBarDrawerStyle3::PaintStatusBarBackground(CDC* pDC, CWnd* pStatusBar)
{
    if (!IsOpen(m_themeStatus))
    {
        CCommandBarDrawerDefaultStyle::PaintStatusBarBackground(pDC, pStatusBar);
        return;
    }
    const CRect rc = ClientRectOf(pStatusBar);
    m_themeStatus.DrawBackground(pDC->m_hDC, 0, 0, &rc, nullptr);
}

void CCommandBarDrawerStyle3::DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bLastPane)
{
    if (!IsOpen(m_themeStatus))
    {
        CCommandBarDrawerDefaultStyle::DrawStatusBarPaneBorder(pDC, rc, bLastPane);
        return;
    }
    m_themeStatus.DrawBackground(pDC->m_hDC, bLastPane ? 2 : 1, 0, &rc, nullptr);
}

void CCommandBarDrawerStyle3::DrawStatusBarGripper(CDC* pDC, CRect rc)
{
    if (!IsOpen(m_themeStatus))
    {
        CCommandBarDrawerDefaultStyle::DrawStatusBarGripper(pDC, rc);
        return;
    }
    const CRect rcGripper(rc.right - 18, rc.top, rc.right, rc.bottom);
    m_themeStatus.DrawBackground(pDC->m_hDC, 3, 0, &rcGripper, nullptr);
}

CSize CCommandBarDrawerStyle3::DrawGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (!IsOpen(m_themeRebar) || pBar->IsDialogBar() || pBar->GetPosition() == kBarFloating)
        return CCommandBarDrawerDefaultStyle::DrawGripper(pDC, pBar, bDraw);
    const CRect rc = ClientRectOf(pBar);
    switch (pBar->GetPosition())
    {
    case kBarTop:
    case kBarBottom:
        if (bDraw)
        {
            const CRect rcGripper(rc.left + 2, rc.top, rc.left + 8, rc.bottom);
            m_themeRebar.DrawBackground(pDC->m_hDC, 1, 1, &rcGripper, nullptr);
        }
        return CSize(8, 0);
    case kBarLeft:
    case kBarRight:
        if (bDraw)
        {
            const CRect rcGripper(rc.left, rc.top + 2, rc.right, rc.top + 8);
            m_themeRebar.DrawBackground(pDC->m_hDC, 2, 1, &rcGripper, nullptr);
        }
        return CSize(0, 8);
    default:
        return CSize(0, 0);
    }
}

CSize CCommandBarDrawerStyle3::DrawDialogBarGripper(CDC* pDC, CKitCommandBar* pBar, BOOL bDraw)
{
    if (!IsOpen(m_themeRebar))
        return CCommandBarDrawerDefaultStyle::DrawDialogBarGripper(pDC, pBar, bDraw);
    const int nHeight = m_nTextHeight >= 18 ? m_nTextHeight + 4 : 22;
    if (bDraw)
    {
        const CRect rcGripper(2, 3, 8, nHeight);
        m_themeRebar.DrawBackground(pDC->m_hDC, 1, 1, &rcGripper, nullptr);
    }
    return CSize(8, nHeight);
}

void CCommandBarDrawerStyle3::AdjustExcludeRect(CRect& rc, CKitControl* pControl, BOOL bVertical)
{
    if (!IsOpen(m_themeRebar))
    {
        CCommandBarDrawerDefaultStyle::AdjustExcludeRect(rc, pControl, bVertical);
        return;
    }
    CKitCommandBar* pBar = pControl->GetParent();
    if (pControl->GetType() != kControlComboBox && pBar != nullptr && pBar->GetType() == kBarTypePopup)
        rc.DeflateRect(3, -3);
}

void CCommandBarDrawerStyle3::DrawEditFrame(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected)
{
    if (!IsOpen(m_themeComboBox))
    {
        CCommandBarDrawerDefaultStyle::DrawEditFrame(pDC, rc, bEnabled, nSelected);
        return;
    }
    COLORREF clr = 0;
    if (FAILED(m_themeComboBox.GetColor(1, bEnabled ? 1 : 4, TMT_BORDERCOLOR, &clr)))
        clr = ColorAt(16);
    pDC->Draw3dRect(rc, clr, clr);
}

void CCommandBarDrawerStyle3::DrawComboButton(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, BOOL bPopped)
{
    if (!IsOpen(m_themeComboBox))
    {
        CCommandBarDrawerDefaultStyle::DrawComboButton(pDC, rc, bEnabled, nSelected, bPopped);
        return;
    }
    rc.left -= 2;
    rc.DeflateRect(0, 1, 1, 1);
    const int nState = !bEnabled ? 4 : (bPopped ? 3 : (nSelected ? 2 : 1));
    m_themeComboBox.DrawBackground(pDC->m_hDC, 1, nState, &rc, nullptr);
}
