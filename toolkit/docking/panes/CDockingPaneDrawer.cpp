#include "CDockingPaneDrawer.h"

#include <algorithm>

#include "CDockingCaptionButton.h"
#include "CDockingSplitBarWnd.h"
#include "CKitDockingPaneTabbedContainer.h"
#include "CDrawTools.h"
#include "GdiSelectors.h"
#include "PlatformQueries.h"
#include "window/CDC.h"
#include "window/CFrameWnd.h"

CDockingPaneDrawer::CDockingPaneDrawer()
{
    m_pPaneTabDrawer = new CTabStripDrawer();
    m_pPaneTabDrawer->SetLayout(1);
    m_pPaneTabDrawer->SetPosition(2);
    m_pPaneTabDrawer->m_nClientFrame = 1;
    m_pPaneTabDrawer->m_nTooltipMode = 1;
    m_pAutoHideTabDrawer = new CTabStripDrawer();
    m_pAutoHideTabDrawer->SetLayout(3);
    m_pAutoHideTabDrawer->m_nClientFrame = 2;
    m_pAutoHideTabDrawer->m_bGradientSwap = TRUE;
    m_pAutoHideTabDrawer->m_bFillBackground = FALSE;
}

CDockingPaneDrawer::~CDockingPaneDrawer()
{
    m_pPaneTabDrawer->InternalRelease();
    m_pAutoHideTabDrawer->InternalRelease();
}

COLORREF CDockingPaneDrawer::GetColor(int nSlot) const
{
    if (nSlot >= 0 && nSlot < static_cast<int>(m_colors.size()))
        return m_colors[static_cast<size_t>(nSlot)];
    return static_cast<COLORREF>(nSlot);
}

void CDockingPaneDrawer::SetColors(int nCount, const int* pSlots, const COLORREF* pColors)
{
    for (int i = 0; i < nCount; ++i)
        if (pSlots[i] >= 0 && pSlots[i] < static_cast<int>(m_colors.size()))
            m_colors[static_cast<size_t>(pSlots[i])] = pColors[i];
}

int CDockingPaneDrawer::GetColorScheme() const
{
    const CColorTable* pTable = GetColorTable();
    if (m_nColorSchemeSetting == 5)
        return pTable->AreLunaColorsDisabled() ? 0 : pTable->GetLunaScheme();
    if (m_nColorSchemeSetting == 4)
        return pTable->detectedScheme;
    return m_nColorSchemeSetting;
}

void CDockingPaneDrawer::ReloadMetrics()
{
    RefreshColorTable();
    const CColorTable* pTable = GetColorTable();
    for (size_t i = 0; i < m_colors.size(); ++i)
        m_colors[i] = pTable->GetColor(static_cast<kit::ColorRef>(i));
    m_clrGripper.SetStandardValue(GetColor(COLOR_3DSHADOW));
    m_clrBackground.SetStandardValue(GetColor(COLOR_3DFACE));
    const COLORREF crFace = ::GetSysColor(COLOR_3DFACE);
    m_splitterGradient.SetStandardValue(crFace, CColorTable::BlendColors(crFace, ::GetSysColor(COLOR_WINDOW), 205),
                                        0.5f);
    if (m_bSystemCaptionFont)
    {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = 500;
        if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        {
            metrics.cbSize = sizeof(metrics);
            ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0);
        }
        if (!m_bBoldCaption)
            metrics.lfSmCaptionFont.lfWeight = FW_NORMAL;
        SetCaptionFont(&metrics.lfSmCaptionFont, TRUE);
    }
    m_pPaneTabDrawer->ReloadMetrics();
    m_pAutoHideTabDrawer->ReloadMetrics();
    CClientDC dc(CWnd::GetDesktopWindow());
    CFontSelector font(&dc, m_pPaneTabDrawer->GetNormalFont());
    m_nTabRowHeight = std::max(static_cast<int>(dc.GetTextExtent(CString(L" ")).cy) + 10, 24);
}

void CDockingPaneDrawer::SetCaptionFont(LOGFONT* pLogFont, BOOL bSystem)
{
    m_bSystemCaptionFont = bSystem;
    if (!pLogFont)
        return;
    LOGFONT lf = *pLogFont;
    if (m_bPreferTahoma && bSystem && lf.lfCharSet <= SYMBOL_CHARSET && FontExists(L"Tahoma"))
        wcscpy_s(lf.lfFaceName, L"Tahoma");
    m_fontCaption.DeleteObject();
    m_fontCaption.CreateFontIndirect(&lf);
    lf.lfOrientation = 900;
    lf.lfEscapement = 2700;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    wcsncpy_s(lf.lfFaceName, GetDefaultFontFace(m_bPreferTahoma), _TRUNCATE);
    m_fontCaptionVertical.DeleteObject();
    m_fontCaptionVertical.CreateFontIndirect(&lf);
    CClientDC dc(CWnd::GetDesktopWindow());
    CFontSelector font(&dc, &m_fontCaption);
    m_nCaptionHeight = std::max(static_cast<int>(dc.GetTextExtent(CString(L" ")).cy), 13) + m_nCaptionSpacing;
}

int CDockingPaneDrawer::DrawCaptionText(CDC* pDC, const CString* pText, CRect rect, BOOL bVertical, BOOL bMeasure)
{
    if (!pText || pText->IsEmpty())
        return 0;
    if (!bVertical)
    {
        CFontSelector font(pDC, &m_fontCaption);
        pDC->DrawText(*pText, &rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        if (!bMeasure)
            return 0;
        CRect measured;
        pDC->DrawText(*pText, &measured, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
        return measured.Width();
    }
    CFontSelector font(pDC, &m_fontCaptionVertical);
    const CSize size = pDC->GetTextExtent(*pText);
    if (rect.top < rect.bottom)
    {
        const int x = rect.right - (rect.right - size.cy - rect.left) / 2;
        CRect rectText(x, rect.top, x + rect.Height(), rect.bottom);
        pDC->DrawText(*pText, &rectText, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    return size.cx;
}

void CDockingPaneDrawer::LayoutCaptionButtons(CDC* pDC, const std::vector<CDockingCaptionButton*>& buttons,
                                              CRect* pCaption, COLORREF crGlyph, int nSize, int nGap,
                                              BOOL bVertical)
{
    CRect slot = bVertical ? CRect(CPoint((pCaption->left + pCaption->right) / 2 - nSize / 2, pCaption->bottom - nSize),
                                   CSize(nSize, nSize))
                           : CRect(CPoint(pCaption->right - nSize, (pCaption->top + pCaption->bottom) / 2 - nSize / 2),
                                   CSize(nSize, nSize));
    BOOL bPlaced = FALSE;
    for (CDockingCaptionButton* pButton : buttons)
    {
        if (!pButton->IsVisible())
        {
            pButton->SetRect(CRect());
            continue;
        }
        pButton->SetRect(slot);
        DrawCaptionButton(pDC, pButton, crGlyph);
        slot.OffsetRect(bVertical ? 0 : -(nSize + nGap), bVertical ? -(nSize + nGap) : 0);
        bPlaced = TRUE;
    }
    if (bPlaced)
        (bVertical ? pCaption->bottom : pCaption->right) = bVertical ? slot.bottom : slot.right;
}

void CDockingPaneDrawer::DrawLine(CDC* pDC, int x1, int y1, int x2, int y2, int nColor) const
{
    CPenSelector pen(pDC->GetSafeHdc(), GetColor(nColor));
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

void CDockingPaneDrawer::FillFramed(CDC* pDC, const CRect& rect, int nFill, int nFrame) const
{
    pDC->FillSolidRect(&rect, GetColor(nFill));
    pDC->Draw3dRect(&rect, GetColor(nFrame), GetColor(nFrame));
}

void CDockingPaneDrawer::SetPixelColor(CDC* pDC, int x, int y, int nColor) const
{
    pDC->SetPixel(x, y, GetColor(nColor));
}

void CDockingPaneDrawer::FillFrameGradient(CDC* pDC, const CRect& rect, CWnd* pWnd,
                                           const CStyleGradient* pGradient) const
{
    FillFrameGradientIn(pDC, rect, pWnd, pGradient);
}

void FillFrameGradientIn(CDC* pDC, const CRect& rect, CWnd* pWnd, const CStyleGradient* pGradient)
{
    CWnd* pFrame = pWnd ? pWnd->GetParentFrame() : nullptr;
    if (!pFrame)
        pFrame = pWnd ? pWnd->GetParent() : nullptr;
    if (!pFrame)
        return;
    CRect frame;
    pFrame->GetWindowRect(&frame);
    pWnd->ScreenToClient(&frame);
    const float w = static_cast<float>(std::max(frame.Width(), ::GetSystemMetrics(SM_CXFULLSCREEN) / 2));
    const COLORREF crFirst = pGradient->light.GetValue();
    const COLORREF crSecond = pGradient->dark.GetValue();
    // BlendColors weights its first colour: the far colour grows with x.
    const COLORREF crLeft = CDrawTools::BlendColors(crSecond, crFirst, std::clamp((rect.left - frame.left) / w, 0.f, 1.f));
    const COLORREF crRight =
        CDrawTools::BlendColors(crSecond, crFirst, std::clamp((rect.right - frame.left) / w, 0.f, 1.f));
    CDrawTools::GradientFill(pDC, &rect, crLeft, crRight, TRUE);
}

void CDockingPaneDrawer::DeflateOriented(CRect* pRect, int l, int t, int r, int b, BOOL bVertical)
{
    if (bVertical)
        pRect->DeflateRect(t, l, b, r);
    else
        pRect->DeflateRect(l, t, r, b);
}

int CDockingPaneDrawer::ExtentOriented(const CRect* pRect, BOOL bVertical)
{
    return bVertical ? pRect->Width() : pRect->Height();
}

void CDockingPaneDrawer::DrawSplitter(CDC* pDC, CDockingSplitBarWnd* pBar)
{
    CRect r;
    pBar->GetClientRect(&r);
    const BOOL bHorizontal = pBar->IsHorizontalBar();
    const COLORREF crBackground = m_clrBackground.GetValue();
    // A line along the bar at `offset` from its top (or left) edge.
    const auto line = [&](int offset, COLORREF crLine) {
        const CRect rectLine = bHorizontal ? CRect(0, offset, r.right, offset + 1) : CRect(offset, 0, offset + 1, r.bottom);
        pDC->FillSolidRect(&rectLine, crLine);
    };
    const int nDepth = bHorizontal ? r.bottom : r.right;
    if (m_nSplitterFlags & kSplitterBevel)
    {
        pDC->FillSolidRect(&r, crBackground);
        line(0, GetColor(20));
        line(nDepth - 2, GetColor(52));
        line(nDepth - 1, GetColor(18));
    }
    else if (m_nSplitterFlags & kSplitterDarkBorder)
    {
        const int h = m_nSplitterThickness / 2;
        line(0, GetColor(21));
        line(nDepth - 1, GetColor(21));
        for (int i = 1; i < nDepth - 1; ++i)
            line(i, i < h ? GetColor(COLOR_WINDOW) : crBackground);
    }
    else if (m_nSplitterFlags & kSplitterFrameGradient)
    {
        FillFrameGradient(pDC, r, pBar, &m_splitterGradient);
    }
    else
    {
        pDC->FillSolidRect(&r, crBackground);
    }
    const COLORREF crGripper = m_clrGripper.GetValue();
    const int nMidX = r.Width() / 2;
    const int nMidY = r.Height() / 2;
    if (m_nSplitterFlags & kSplitterGripLines)
    {
        if (bHorizontal)
        {
            pDC->FillSolidRect(nMidX, 2, 11, 1, crGripper);
            pDC->FillSolidRect(nMidX, 4, 11, 1, crGripper);
        }
        else
        {
            pDC->FillSolidRect(2, nMidY, 1, 11, crGripper);
            pDC->FillSolidRect(4, nMidY, 1, 11, crGripper);
        }
    }
    if (m_nSplitterFlags & kSplitterGripDots)
    {
        const int nMid = bHorizontal ? nMidX : nMidY;
        const int nAcross = bHorizontal ? nMidY : nMidX;
        const int nLength = std::min((bHorizontal ? r.Width() : r.Height()) / 2 - 10, 32);
        for (int s = nMid - nLength; s < nMid + nLength; s += 4)
        {
            if (bHorizontal)
            {
                pDC->FillSolidRect(s + 1, nAcross, 2, 2, GetColor(20));
                pDC->FillSolidRect(s, nAcross - 1, 2, 2, crGripper);
            }
            else
            {
                pDC->FillSolidRect(nAcross, s + 1, 2, 2, GetColor(20));
                pDC->FillSolidRect(nAcross - 1, s, 2, 2, crGripper);
            }
        }
    }
}

void CDockingPaneDrawer::DrawTabbedContainer(CDC* pDC, CKitDockingPaneTabbedContainer* pContainer, CRect rect)
{
    pDC->FillSolidRect(&rect, GetColor(COLOR_3DFACE));
    if (pContainer->HasCaption() && m_bShowContainerCaptions)
    {
        pDC->SetBkMode(TRANSPARENT);
        DrawTabbedCaption(pDC, pContainer, rect);
    }
    AdjustCaptionRect(pContainer, &rect);
    if (pContainer->ShowsTabRow())
        m_pPaneTabDrawer->DrawTabStrip(pContainer->GetTabStrip(), pDC, rect);
}

void CDockingPaneDrawer::AdjustCaptionRect(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect)
{
    if (!pContainer->HasCaption() || !m_bShowContainerCaptions)
        return;
    const int nBand = m_rectCaptionMargins.top + m_rectCaptionMargins.bottom + m_nCaptionHeight;
    if (pContainer->IsCaptionVertical())
        pRect->left += nBand;
    else
        pRect->top += nBand;
}

void CDockingPaneDrawer::LayoutTabbedContainer(CKitDockingPaneTabbedContainer* pContainer, CRect* pRect,
                                               BOOL bReposition)
{
    const CPoint corner = pRect->TopLeft();
    AdjustCaptionRect(pContainer, pRect);
    if (!pContainer->ShowsTabRow())
        return;
    CTabStrip* pStrip = pContainer->GetTabStrip();
    if (bReposition)
    {
        CClientDC dc(pContainer);
        CRect rect = *pRect;
        rect.OffsetRect(-corner.x, -corner.y);
        m_pPaneTabDrawer->RepositionTabs(pStrip, &dc, rect);
    }
    m_pPaneTabDrawer->FitClientRect(pStrip, *pRect);
}

namespace {

// One-pixel segments in the glyph colour; end points excluded as LineTo does.
void Segment(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

}  // namespace

void DrawPinGlyph(CDC* pDC, int x, int y, BOOL bLying, COLORREF crGlyph)
{
    CPenSelector pen(pDC->GetSafeHdc(), crGlyph);
    if (!bLying)
    {
        Segment(pDC, x - 3, y + 1, x + 4, y + 1);
        Segment(pDC, x, y + 1, x, y + 5);
        const POINT outline[] = {{x - 2, y + 1}, {x - 2, y - 4}, {x + 2, y - 4}, {x + 2, y + 1}};
        pDC->Polyline(outline, 4);
        Segment(pDC, x + 1, y + 1, x + 1, y - 4);
        return;
    }
    Segment(pDC, x - 4, y, x - 1, y);
    Segment(pDC, x - 1, y - 3, x - 1, y + 4);
    const POINT outline[] = {{x - 1, y + 2}, {x + 3, y + 2}, {x + 3, y - 2}, {x - 1, y - 2}};
    pDC->Polyline(outline, 4);
    Segment(pDC, x - 1, y + 1, x + 3, y + 1);
}

void DrawWindowGlyph(CDC* pDC, int x, int y, BOOL bMaximize, COLORREF crGlyph)
{
    if (bMaximize)
    {
        pDC->Draw3dRect(x - 5, y - 5, 9, 9, crGlyph, crGlyph);
        pDC->FillSolidRect(x - 5, y - 5, 9, 2, crGlyph);
        return;
    }
    pDC->Draw3dRect(x - 4, y - 2, 6, 6, crGlyph, crGlyph);
    pDC->FillSolidRect(x - 4, y - 2, 6, 2, crGlyph);
    pDC->FillSolidRect(x - 2, y - 5, 6, 2, crGlyph);
    pDC->SetPixel(x - 2, y - 3, crGlyph);
    pDC->FillSolidRect(x + 3, y - 3, 1, 4, crGlyph);
    pDC->SetPixel(x + 2, y, crGlyph);
}
