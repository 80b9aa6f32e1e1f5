#include "CKitControlSelector.h"

#include "BarTreeExchange.h"
#include "CColorTable.h"
#include "CCommandBarDrawer.h"
#include "CKitCommandBar.h"
#include "fields/CKitControlEdit.h"

#include <algorithm>

CSize CKitControlSelector::GetSize(CDC*)
{
    return CSize(m_szGridSize.cx * m_szItemSize.cx, m_szGridSize.cy * m_szItemSize.cy);
}

void CKitControlSelector::Draw(CDC* pDC)
{
    CColorTable* pColors = GetColorTable();
    CCommandBarDrawer* pDrawer = GetDrawer();
    for (int nRow = 0; nRow < m_szGridSize.cy; ++nRow)
    {
        for (int nColumn = 0; nColumn < m_szGridSize.cx; ++nColumn)
        {
            CRect rcCell(m_rcControl.left + nColumn * m_szItemSize.cx, m_rcControl.top + nRow * m_szItemSize.cy, 0, 0);
            rcCell.right = rcCell.left + m_szItemSize.cx;
            rcCell.bottom = rcCell.top + m_szItemSize.cy;
            rcCell.DeflateRect(1, 1);
            const BOOL bSelected = nColumn < m_szSelection.cx && nRow < m_szSelection.cy;
            pDC->FillSolidRect(rcCell, pColors->GetColor(bSelected ? 13 : 5));
            const COLORREF clrText = bSelected ? pColors->GetColor(14) : pDrawer->ColorAt(46);
            pDC->Draw3dRect(rcCell, pDrawer->ColorAt(43), pDrawer->ColorAt(43));
            DrawItem(pDC, rcCell, clrText);
        }
    }
}

void CKitControlSelector::PrepareLayout(DWORD)
{
    if (!m_bResizing)
    {
        m_szSelection = CSize(0, 0);
        m_szGridSize = m_szItemsCount;
    }
    NotifyControlSite(this, kSelectionChanged);
}

void CKitControlSelector::OnMouseMove(CPoint point)
{
    CSize szNew(0, 0);
    for (int nColumn = 0; nColumn < m_szGridSize.cx; ++nColumn)
        if (m_rcControl.left + nColumn * m_szItemSize.cx < point.x)
            szNew.cx = nColumn + 1;
    for (int nRow = 0; nRow < m_szGridSize.cy; ++nRow)
        if (m_rcControl.top + nRow * m_szItemSize.cy < point.y)
            szNew.cy = nRow + 1;
    if (szNew == m_szSelection)
        return;
    m_szSelection = szNew;
    RedrawParent();
    NotifyControlSite(this, kSelectionChanged);
}

void CKitControlSelector::OnDeselected()
{
    CKitCommandBar* pBar = m_pParent;
    if (pBar != nullptr && ::IsWindow(pBar->m_hWnd) && ::GetKeyState(VK_LBUTTON) < 0)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        pBar->ScreenToClient(&pt);
        const CSize szGrid = GetSize(nullptr);
        if (pt.x > m_rcControl.left + szGrid.cx || pt.y > m_rcControl.top + szGrid.cy)
        {
            // The grid grows to the pointer's cell, whole cells, up to its largest size.
            const int nColumns = (pt.x - m_rcControl.left) / std::max(1L, m_szItemSize.cx) + 1;
            const int nRows = (pt.y - m_rcControl.top) / std::max(1L, m_szItemSize.cy) + 1;
            m_szGridSize.cx = std::clamp(std::max<LONG>(m_szGridSize.cx, nColumns), 1L, std::max(1L, m_szItemsMax.cx));
            m_szGridSize.cy = std::clamp(std::max<LONG>(m_szGridSize.cy, nRows), 1L, std::max(1L, m_szItemsMax.cy));
            m_bResizing = TRUE;
            pBar->OnRecalcLayout();
            m_bResizing = FALSE;
            OnMouseMove(pt);
            return;
        }
    }
    m_szSelection = CSize(0, 0);
}

BOOL CKitControlSelector::OnLButtonUp(CPoint)
{
    if (m_szSelection.cx > 0 && m_szSelection.cy > 0)
    {
        m_szResult = m_szSelection;
        Execute();
    }
    return TRUE;
}

void CKitControlSelector::CopyFrom(CKitControl* pSource, BOOL bRecursive)
{
    CKitControl::CopyFrom(pSource, bRecursive);
    if (auto* pSelector = dynamic_cast<CKitControlSelector*>(pSource))
    {
        m_szItemsCount = pSelector->m_szItemsCount;
        m_szItemsMax = pSelector->m_szItemsMax;
        m_szItemSize = pSelector->m_szItemSize;
    }
}

void CKitControlSelector::ExchangeProperties(CKitPropExchange* pPX)
{
    CKitControl::ExchangeProperties(pPX);
    SIZE szItemsCount = m_szItemsCount;
    SIZE szItemsMax = m_szItemsMax;
    SIZE szItemSize = m_szItemSize;
    ExchangeSize(pPX, L"ItemsCount", szItemsCount, SIZE{0, 0});
    ExchangeSize(pPX, L"ItemsMax", szItemsMax, SIZE{0, 0});
    ExchangeSize(pPX, L"ItemSize", szItemSize, SIZE{0, 0});
    if (!pPX->IsLoading())
        return;
    // Stored sizes are untrusted: a grid stays one a bar can draw.
    constexpr LONG kMaxCells = 64;
    constexpr LONG kMaxCellSide = 256;
    m_szItemsMax = CSize(std::clamp(szItemsMax.cx, 0L, kMaxCells), std::clamp(szItemsMax.cy, 0L, kMaxCells));
    m_szItemsCount = CSize(std::clamp(szItemsCount.cx, 0L, m_szItemsMax.cx), std::clamp(szItemsCount.cy, 0L, m_szItemsMax.cy));
    m_szItemSize = CSize(std::clamp(szItemSize.cx, 0L, kMaxCellSide), std::clamp(szItemSize.cy, 0L, kMaxCellSide));
    m_szGridSize = m_szItemsCount;
    m_szSelection = CSize(0, 0);
}
