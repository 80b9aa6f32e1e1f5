#include "CTabStripDrawer.h"

#include <algorithm>

#include "CColorTable.h"
#include "CDrawTools.h"
#include "CTabStrip.h"
#include "GdiSelectors.h"
#include "PlatformQueries.h"
#include "core/TabRowLayout.h"
#include "window/CDC.h"

namespace {

kit::KitRect ToKit(const CRect& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

CRect FromKit(const kit::KitRect& r)
{
    return CRect(r.left, r.top, r.right, r.bottom);
}

BOOL IsHorizontalPosition(int nPosition)
{
    return nPosition == 0 || nPosition == 2;
}

}  // namespace

CTabStripDrawer::CTabStripDrawer()
{
    ChooseShape(0);
    ReloadMetrics();
}

CTabStripDrawer::~CTabStripDrawer()
{
    delete m_pShape;
    delete m_pPalette;
}

void CTabStripDrawer::OrientedDeflate(CRect& rect, const CRect& margins, int nPosition)
{
    rect = FromKit(kit::tabs::OrientedDeflate(ToKit(rect), ToKit(margins), nPosition));
}

void CTabStripDrawer::OrientedInflate(CRect& rect, const CRect& margins, int nPosition)
{
    rect = FromKit(kit::tabs::OrientedInflate(ToKit(rect), ToKit(margins), nPosition));
}

BOOL CTabStripDrawer::AreLunaColorsDisabled() const
{
    return m_bClassicColors || GetColorTable()->AreLunaColorsDisabled();
}

CTabStripPalette* CTabStripDrawer::ChoosePalette(int nNumber)
{
    m_nPaletteNumber = nNumber;
    return SetPalette(CreateTabStripPalette(nNumber));
}

CTabStripShape* CTabStripDrawer::ChooseShape(int nNumber)
{
    m_nShapeNumber = nNumber;
    return SetShape(CreateTabStripShape(nNumber));
}

CTabStripPalette* CTabStripDrawer::SetPalette(CTabStripPalette* pPalette)
{
    if (pPalette)
    {
        delete m_pPalette;
        m_pPalette = pPalette;
        pPalette->m_pDrawer = this;
        pPalette->ReloadMetrics();
    }
    RefreshStrips();
    return pPalette;
}

CTabStripShape* CTabStripDrawer::SetShape(CTabStripShape* pShape)
{
    if (pShape)
    {
        delete m_pShape;
        m_pShape = pShape;
        pShape->m_pDrawer = this;
        if (m_fontNormal.GetSafeHandle())
            pShape->ReloadMetrics();
        ChoosePalette(pShape->GetDefaultPalette());
    }
    RefreshStrips();
    return pShape;
}

void CTabStripDrawer::SetPosition(int nPosition)
{
    m_nPosition = nPosition;
    RefreshStrips();
}

void CTabStripDrawer::SetLayout(int nLayout)
{
    m_nLayout = nLayout;
    RefreshStrips();
}

void CTabStripDrawer::RefreshStrips()
{
    for (CTabStrip* pStrip : m_stripsToNotify)
        pStrip->OnDrawerChanged();
}

void CTabStripDrawer::ReloadMetrics()
{
    if (m_bUseSystemFont)
    {
        LOGFONT lf{};
        ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0);
        CreateFonts(lf, TRUE);
        return;
    }
    if (m_pPalette)
        m_pPalette->ReloadMetrics();
    if (m_pShape)
        m_pShape->ReloadMetrics();
}

void CTabStripDrawer::CreateFonts(LOGFONT lf, BOOL bUseSystemFont)
{
    m_bUseSystemFont = bUseSystemFont;
    for (CFont* pFont : {&m_fontNormal, &m_fontBold, &m_fontVertical, &m_fontVerticalBold})
        pFont->DeleteObject();
    const LONG nWeight = m_bBoldCaptions ? FW_BOLD : FW_NORMAL;
    lf.lfWeight = nWeight;
    m_fontNormal.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    wcsncpy_s(lf.lfFaceName, GetDefaultFontFace(FALSE), _TRUNCATE);
    lf.lfEscapement = 2700;
    lf.lfOrientation = 900;
    if (lf.lfHeight >= -10 && lf.lfHeight <= -1)
        lf.lfHeight = -11;
    lf.lfWeight = nWeight;
    m_fontVertical.CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontVerticalBold.CreateFontIndirect(&lf);
    if (m_pPalette)
        m_pPalette->ReloadMetrics();
    if (m_pShape)
        m_pShape->ReloadMetrics();
}

void CTabStripDrawer::RepositionTabs(CTabStrip* pStrip, CDC* pDC, CRect rect)
{
    pStrip->m_rectHeader.SetRectEmpty();
    pStrip->m_rectControl = rect;
    pStrip->m_rectClient = rect;
    pStrip->m_rows.rows.assign(1, CTabStripRows::Row{0, pStrip->GetItemCount() - 1});
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
        pStrip->GetItem(i)->m_nRow = 0;
    m_pShape->LayoutTabs(pStrip, pDC, rect);
    FitClientRect(pStrip, pStrip->m_rectClient);
}

void CTabStripDrawer::FitClientRect(CTabStrip* pStrip, CRect& rect)
{
    if (pStrip->HasFrame())
        OrientedDeflate(rect, CRect(2, 1, 2, 2), pStrip->GetPosition());
    if (pStrip->GetItemCount() > 0)
        m_pShape->FitClientRect(pStrip, rect);
}

void CTabStripDrawer::DrawTabStrip(CTabStrip* pStrip, CDC* pDC, CRect rect)
{
    m_pShape->DrawTabStrip(pStrip, pDC, rect);
}

CRect CTabStripDrawer::GetVisibleHeaderRect(CTabStrip* pStrip, const CRect& rect)
{
    CRect visible = m_pShape->GetHeaderRect(rect, pStrip);
    const CRect margins = m_pShape->GetMargins();
    if (pStrip->IsHorizontal())
    {
        visible.left += margins.left + margins.right;
        visible.right -= 1;
    }
    else
    {
        visible.top += margins.left + margins.right;
        visible.bottom -= 1;
    }
    for (int i = 2; i >= 0; --i)
        pStrip->m_buttons[static_cast<size_t>(i)]->Place(visible);
    return visible;
}

void CTabStripDrawer::CompressTabs(CTabStrip* pStrip, int nAvailable)
{
    std::vector<int> lengths;
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
        lengths.push_back(pStrip->GetItem(i)->m_nLength);
    kit::tabs::CompressTabLengths(lengths, nAvailable);
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
        pStrip->GetItem(i)->m_nLength = lengths[static_cast<size_t>(i)];
}

void CTabStripDrawer::LayoutTabs(CTabStrip* pStrip, CDC* pDC, CRect rect)
{
    const int nPosition = pStrip->GetPosition();
    const BOOL bHorizontal = IsHorizontalPosition(nPosition);
    if (pStrip->HasFrame())
        OrientedDeflate(rect, CRect(2, 1, 2, 2), nPosition);
    OrientedDeflate(rect, m_rectHeaderMargins, nPosition);
    if (m_nLayout == 4)
    {
        LayoutRows(pStrip, pDC, rect);
        return;
    }
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        pItem->m_nLength = pItem->m_bShown ? m_pShape->MeasureTab(pDC, pItem) : 0;
        pItem->m_nIdealLength = pItem->m_nLength;
    }
    pStrip->m_rectHeader = m_pShape->GetHeaderRect(rect, pStrip);
    if (pStrip->GetItemCount() == 0)
        return;
    const CRect m = m_pShape->GetMargins();
    const int H = m_pShape->GetRowHeight(pStrip);
    int nAcross0 = 0;
    if (bHorizontal)
        nAcross0 = nPosition == 2 ? rect.bottom - m.top - H : rect.top + m.top;
    else
        nAcross0 = nPosition == 3 ? rect.right - m.top - H : rect.left + m.top;
    const int nAcross1 = nAcross0 + H;
    int nAvailable = (bHorizontal ? rect.Width() : rect.Height()) - m.left - m.right;
    for (int i = 2; i >= 0; --i)
        pStrip->m_buttons[static_cast<size_t>(i)]->ReserveSpace(nAvailable);
    if (m_nLayout == 1)
        CompressTabs(pStrip, nAvailable);
    if (pStrip->GetScrollOffset() < 0)
    {
        const CRect visible = GetVisibleHeaderRect(pStrip, rect);
        const int V = bHorizontal ? visible.Width() : visible.Height();
        const int T = pStrip->GetTotalTabLength();
        // A scrolled strip never leaves empty room at its end.
        if (T + pStrip->GetScrollOffset() < V)
            pStrip->SetScrollOffset(std::min(V - T, 0));
    }
    int p = (bHorizontal ? rect.left : rect.top) + m.left + pStrip->GetScrollOffset();
    const CRect& header = pStrip->m_rectHeader;
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        if (!pItem->m_bShown)
        {
            pItem->m_rect.SetRectEmpty();
            continue;
        }
        const int nLength = pItem->m_nLength;
        if (m_nLayout == 5)
        {
            switch (nPosition)
            {
            case 0:
                pItem->m_rect.SetRect(p, header.bottom - m.bottom - nLength, p + H, header.bottom - m.bottom);
                break;
            case 2:
                pItem->m_rect.SetRect(p, header.top + m.bottom, p + H, header.top + m.bottom + nLength);
                break;
            case 1:
                pItem->m_rect.SetRect(header.right - m.bottom - nLength, p, header.right - m.bottom, p + H);
                break;
            default:
                pItem->m_rect.SetRect(header.left + m.bottom, p, header.left + m.bottom + nLength, p + H);
                break;
            }
            p += H;
            continue;
        }
        pItem->m_rect = bHorizontal ? CRect(p, nAcross0, p + nLength, nAcross1) : CRect(nAcross0, p, nAcross1, p + nLength);
        p += nLength;
    }
    const CRect visible = GetVisibleHeaderRect(pStrip, rect);
    (bHorizontal ? pStrip->m_rectHeader.right : pStrip->m_rectHeader.bottom) = bHorizontal ? visible.right : visible.bottom;
}

void CTabStripDrawer::LayoutRows(CTabStrip* pStrip, CDC* pDC, CRect rect)
{
    const int nPosition = pStrip->GetPosition();
    const BOOL bHorizontal = IsHorizontalPosition(nPosition);
    pStrip->m_rectHeader = m_pShape->GetHeaderRect(rect, pStrip);
    pStrip->SetScrollOffset(0);
    if (pStrip->GetItemCount() == 0)
        return;
    const CRect m = m_pShape->GetMargins();
    const int H = m_pShape->GetRowHeight(pStrip);
    CRect visible = GetVisibleHeaderRect(pStrip, rect);
    const int L = (bHorizontal ? visible.right - rect.left : visible.bottom - rect.top) - m.left - m.right;
    std::vector<int> lengths;
    for (int i = 0; i < pStrip->GetItemCount(); ++i)
    {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        pItem->m_nLength = pItem->m_bShown ? m_pShape->MeasureTab(pDC, pItem) : 0;
        pItem->m_nIdealLength = pItem->m_nLength;
        lengths.push_back(pItem->m_nLength);
    }
    const int nSelected = pStrip->GetSelectedItem() ? pStrip->GetSelectedItem()->m_nIndex : -1;
    const kit::tabs::MultiRowLayout rows =
        kit::tabs::LayoutTabRows(lengths, L, m_bBalanceRows != FALSE, nSelected, m_bKeepRowOrder != FALSE);
    pStrip->m_rows.rows.clear();
    for (const kit::tabs::TabRowRange& row : rows.rows)
        pStrip->m_rows.rows.push_back({row.first, row.last});
    const int n = static_cast<int>(rows.rows.size());
    for (int r = 0; r < n; ++r)
    {
        const int nStart = kit::tabs::RowStart(nPosition, ToKit(rect), m.top, H, m_pShape->m_nRowSpacing, r, n);
        int p = (bHorizontal ? rect.left : rect.top) + m.left;
        for (int i = rows.rows[static_cast<size_t>(r)].first; i <= rows.rows[static_cast<size_t>(r)].last; ++i)
        {
            CKitTabManagerItem* pItem = pStrip->GetItem(i);
            pItem->m_nRow = r;
            pItem->m_nLength = rows.lengths[static_cast<size_t>(i)];
            pItem->m_rect = bHorizontal ? CRect(p, nStart, p + pItem->m_nLength, nStart + H)
                                        : CRect(nStart, p, nStart + H, p + pItem->m_nLength);
            p += pItem->m_nLength;
        }
    }
    pStrip->m_rectHeader = m_pShape->GetHeaderRect(rect, pStrip);
    visible = GetVisibleHeaderRect(pStrip, rect);
    (bHorizontal ? pStrip->m_rectHeader.right : pStrip->m_rectHeader.bottom) = bHorizontal ? visible.right : visible.bottom;
}

void CTabStripDrawer::EnsureVisible(CTabStrip* pStrip, CKitTabManagerItem* pItem)
{
    const CRect& header = pStrip->m_rectHeader;
    if (header.IsRectEmpty() || pItem->m_rect.IsRectEmpty())
        return;
    const int nLeading = m_pShape->GetMargins().left;
    const BOOL bHorizontal = pStrip->IsHorizontal();
    const int nOffset = kit::tabs::ScrollOffsetToShow(
        pStrip->GetScrollOffset(), bHorizontal ? header.left : header.top, bHorizontal ? header.right : header.bottom,
        nLeading, bHorizontal ? pItem->m_rect.left : pItem->m_rect.top,
        bHorizontal ? pItem->m_rect.right : pItem->m_rect.bottom);
    pStrip->SetScrollOffset(nOffset);
}

void CTabStripDrawer::DrawButtonBackground(CDC* pDC, CTabStripButton* pButton, CRect& rect)
{
    m_pPalette->DrawButtonBackground(pDC, pButton, rect);
}

void CTabStripDrawer::DrawStripDefault(CTabStrip* pStrip, CDC* pDC, CRect rect)
{
    const int nPosition = pStrip->GetPosition();
    const COLORREF crFace = m_pPalette->m_clrFace.GetValue();
    if (pStrip->HasFrame())
    {
        const COLORREF crOutline = m_pPalette->m_clrOutline.GetValue();
        pDC->Draw3dRect(&rect, crOutline, crOutline);
        OrientedDeflate(rect, CRect(1, 1, 1, 1), nPosition);
        pDC->Draw3dRect(&rect, crFace, crFace);
        OrientedDeflate(rect, CRect(1, 0, 1, 1), nPosition);
    }
    if (m_bFillBackground)
        pDC->FillSolidRect(&rect, crFace);
    OrientedDeflate(rect, m_rectHeaderMargins, nPosition);
    pDC->SetBkMode(TRANSPARENT);
    CRect header = m_bFillBackground ? m_pShape->PaintHeader(pStrip, pDC, rect) : m_pShape->GetHeaderRect(rect, pStrip);
    // Tabs under the navigate buttons are cut off before the buttons.
    CRect clip = header;
    for (const auto& pButton : pStrip->m_buttons)
    {
        if (pButton->m_rect.IsRectEmpty())
            continue;
        if (pStrip->IsHorizontal())
            clip.right = std::min(clip.right, pButton->m_rect.left);
        else
            clip.bottom = std::min(clip.bottom, pButton->m_rect.top);
    }
    const int nSaved = pDC->SaveDC();
    ::IntersectClipRect(pDC->GetSafeHdc(), clip.left, clip.top, clip.right, clip.bottom);
    m_pPalette->FillStripBackground(pDC, rect, pStrip);
    for (int nRow = static_cast<int>(pStrip->m_rows.rows.size()) - 1; nRow >= 0; --nRow)
        DrawRow(pStrip, pDC, rect, nRow);
    pDC->RestoreDC(nSaved);
    for (int i = 2; i >= 0; --i)
        pStrip->m_buttons[static_cast<size_t>(i)]->Draw(pDC);
}

void CTabStripDrawer::DrawRow(CTabStrip* pStrip, CDC* pDC, const CRect& rect, int nRow)
{
    if (nRow < 0 || nRow >= static_cast<int>(pStrip->m_rows.rows.size()))
        return;
    const CTabStripRows::Row row = pStrip->m_rows.rows[static_cast<size_t>(nRow)];
    CKitTabManagerItem* pSelected = pStrip->GetSelectedItem();
    const auto inRow = [&](int i) {
        CKitTabManagerItem* pItem = pStrip->GetItem(i);
        return pItem && pItem->m_nRow == nRow ? pItem : nullptr;
    };
    const auto draw = [&](CKitTabManagerItem* pItem) {
        CRect meet;
        if (pItem->m_bShown && meet.IntersectRect(&pItem->m_rect, &rect))
            m_pShape->DrawTab(pDC, pItem);
    };
    int nStop = row.first;
    if (m_pShape->m_bDrawTowardSelected)
    {
        BOOL bFound = FALSE;
        for (int i = row.first; i <= row.last; ++i)
        {
            CKitTabManagerItem* pItem = inRow(i);
            if (!pItem)
                break;
            if (pItem == pSelected)
            {
                bFound = TRUE;
                nStop = i;
                break;
            }
            draw(pItem);
        }
        if (!bFound)
            return;
    }
    CKitTabManagerItem* pRemembered = nullptr;
    for (int i = row.last; i >= nStop; --i)
    {
        CKitTabManagerItem* pItem = inRow(i);
        if (!pItem)
            break;
        if (pItem == pSelected)
        {
            pRemembered = pItem;
            if (!m_pShape->m_bDrawTowardSelected)
                continue;
            break;
        }
        draw(pItem);
    }
    if (pRemembered)
        draw(pRemembered);
}

int CTabStripDrawer::DrawItem(CDC* pDC, CKitTabManagerItem* pItem, CRect rect, BOOL bDraw)
{
    CTabStrip* pStrip = pItem->m_pStrip;
    if (!pStrip)
        return 0;
    const int nPosition = pStrip->GetPosition();
    BOOL bRotated = !IsHorizontalPosition(nPosition);
    if (m_nLayout == 5)
        bRotated = !bRotated;
    const BOOL bSelected = pStrip->GetSelectedItem() == pItem;
    const BOOL bShowCaption = m_nLayout != 3 || bSelected;
    const BOOL bBold = m_bBoldSelected && bSelected && pStrip->m_bActive;
    CFont* pFont = bRotated ? (bBold ? &m_fontVerticalBold : &m_fontVertical) : (bBold ? &m_fontBold : &m_fontNormal);
    CClientDC screen(CWnd::GetDesktopWindow());
    if (!pDC)
        pDC = &screen;
    CFontSelector font(pDC, pFont);
    SIZE sizeIcon = m_sizeIcon;
    const BOOL bIcon = m_bShowIcons && pStrip->DrawItemIcon(pDC, CPoint(0, 0), pItem, FALSE, &sizeIcon);
    const int nIconExtent = bRotated ? sizeIcon.cy : sizeIcon.cx;
    const UINT nPrefix = m_bNoPrefix ? DT_NOPREFIX : 0;
    const int nContent = m_rectContentMargins.left + m_rectContentMargins.right;
    if (!bDraw)
    {
        SIZE fixed{}, minimum{}, maximum{};
        pStrip->GetTabSizes(&fixed, &minimum, &maximum);
        const auto measure = [&](const CString& strText) {
            CRect calc;
            pDC->DrawText(strText, &calc, DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | nPrefix);
            return calc.Width();
        };
        if (m_nLayout == 2)
            return kit::tabs::ClampTabLength(fixed.cx, nContent, minimum.cx, maximum.cx);
        if (m_nLayout == 3 && !bSelected)
            return kit::tabs::ClampTabLength(nIconExtent + 8, nContent, minimum.cx, maximum.cx);
        int nWidest = 0;
        if (m_nLayout == 3)
            for (int i = 0; i < pStrip->GetItemCount(); ++i)
                nWidest = std::max(nWidest, measure(pStrip->GetItemCaption(pStrip->GetItem(i))));
        else
            nWidest = measure(pStrip->GetItemCaption(pItem));
        return kit::tabs::ClampTabLength((bIcon ? nIconExtent : 0) + nWidest + 12, nContent, minimum.cx, maximum.cx);
    }
    m_pPalette->SetTabTextColor(pDC, pItem);
    const CRect drawn = rect;
    const CString strCaption = pStrip->GetItemCaption(pItem);
    const CRect& c = m_rectContentMargins;
    if (!bRotated)
    {
        if (rect.Width() > pItem->m_nIdealLength && pItem->m_nIdealLength > 0)
            rect.DeflateRect((rect.Width() - pItem->m_nIdealLength) / 2, 0);
        rect.left += c.left + 6;
        if (nPosition == 2)
            rect.DeflateRect(0, c.bottom, 0, c.top);
        else
            rect.DeflateRect(0, c.top, 0, c.bottom);
        if (bIcon && rect.Width() > sizeIcon.cx)
        {
            pStrip->DrawItemIcon(pDC, CPoint(rect.left - 1, (rect.top + rect.bottom) / 2 - sizeIcon.cy / 2), pItem,
                                 TRUE, &sizeIcon);
            rect.left += sizeIcon.cx + 2;
        }
        if (bShowCaption && rect.left < rect.right)
        {
            rect.right -= 2 + c.right;
            DrawCaption(pDC, strCaption, rect, DT_SINGLELINE | DT_VCENTER | nPrefix);
        }
    }
    else
    {
        if (rect.Height() > pItem->m_nIdealLength && pItem->m_nIdealLength > 0)
            rect.DeflateRect(0, (rect.Height() - pItem->m_nIdealLength) / 2);
        rect.top += c.left + 6;
        if (nPosition == 3)
            rect.DeflateRect(c.bottom, 0, c.top, 0);
        else
            rect.DeflateRect(c.top, 0, c.bottom, 0);
        if (bIcon && rect.Height() > sizeIcon.cy)
        {
            pStrip->DrawItemIcon(pDC, CPoint((rect.left + rect.right) / 2 - sizeIcon.cx / 2, rect.top - 1), pItem, TRUE,
                                 &sizeIcon);
            rect.top += sizeIcon.cy + 2;
        }
        if (bShowCaption && rect.top + 8 < rect.bottom)
        {
            CString strText = strCaption;
            if (!m_bNoPrefix)
                StripMnemonics(strText);
            const CSize extent = pDC->GetTextExtent(strText);
            const int nLeft = rect.right - (rect.right - (nPosition == 3 ? 1 : 0) - extent.cy - rect.left) / 2;
            CRect text(nLeft, rect.top, nLeft + (rect.bottom - rect.top), rect.bottom - 2 - c.right);
            DrawCaption(pDC, strText, text, DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        }
    }
    if (bSelected && pStrip->HasFocus())
        DrawFocus(pDC, pItem, drawn);
    return 0;
}

void CTabStripDrawer::DrawCaption(CDC* pDC, const CString& strCaption, CRect rect, UINT nFormat)
{
    if (!m_bMiddleEllipsis)
    {
        pDC->DrawText(strCaption, &rect, nFormat | DT_END_ELLIPSIS);
        return;
    }
    if (strCaption.Find(L'\\') >= 0)
    {
        pDC->DrawText(strCaption, &rect, nFormat | DT_PATH_ELLIPSIS);
        return;
    }
    const auto widthOf = [&](const CString& strText) {
        CString strMeasured = strText;
        if (!(nFormat & DT_NOPREFIX))
            StripMnemonics(strMeasured);
        SIZE size{};
        ::GetTextExtentPoint32W(pDC->GetSafeHdc(), strMeasured, strMeasured.GetLength(), &size);
        return static_cast<int>(size.cx);
    };
    const int W = widthOf(strCaption);
    const int A = rect.Width();
    const int D = widthOf(CString(L"..."));
    if (W <= A)
    {
        pDC->DrawText(strCaption, &rect, nFormat);
        return;
    }
    if (A <= D)
    {
        pDC->DrawText(CString(L"..."), &rect, nFormat);
        return;
    }
    const int nRoom = A - D;
    const int nLength = strCaption.GetLength();
    int n = static_cast<int>(static_cast<long long>(nRoom) * nLength / std::max(W, 1));
    const auto parts = [&](int k) {
        k = std::clamp(k, 0, nLength);
        return strCaption.Left(k - k / 2) + strCaption.Right(k / 2);
    };
    while (n < nLength && widthOf(parts(n + 1)) < nRoom)
        ++n;
    while (n > 0 && widthOf(parts(n)) > nRoom)
        --n;
    const CString strShort = strCaption.Left(n - n / 2) + L"..." + strCaption.Right(n / 2);
    pDC->DrawText(strShort, &rect, nFormat);
}

void CTabStripDrawer::DrawFocus(CDC* pDC, CKitTabManagerItem* /*pItem*/, CRect rect)
{
    if (!m_bFocusRect)
        return;
    rect.DeflateRect(3, 3);
    pDC->SetTextColor(0x000000);
    pDC->SetBkColor(0xFFFFFF);
    pDC->DrawFocusRect(&rect);
}
