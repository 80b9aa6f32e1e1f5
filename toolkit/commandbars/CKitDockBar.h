// One side of the frame: the docked command bars of that side in rows. It
// lays them out when the frame lays out its bars (WM_SIZEPARENT) and paints
// the area behind them through the drawer.
#pragma once

#include "core/DockRows.h"
#include "window/CWnd.h"

class CKitCommandBar;
class CKitCommandBars;

class CKitDockBar : public CWnd
{
public:
    CKitDockBar() = default;

    // dwStyle: the CBRS_ALIGN_* side and CBRS_BORDER_* bits.
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nId);
    // Docks the bar: into the row under the screen rectangle's centre, or,
    // without one, into a new last row. The bar leaves its previous dock bar.
    void DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect = nullptr);
    void RemoveCommandBar(CKitCommandBar* pBar);
    int FindBar(CKitCommandBar* pBar) const;
    // 0 top, 1 bottom, 2 left, 3 right.
    int GetPosition() const;
    BOOL IsHorizontal() const { return (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }
    const kit::commandbars::DockRows& GetRows() const { return m_rows; }
    // The visible bars of the bar's row in their order; just the bar when it
    // is not docked here.
    std::vector<CKitCommandBar*> GetRowBars(CKitCommandBar* pBar) const;
    void SetCommandBars(CKitCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CKitCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Places the rows in a strip of the given length; returns the strip's
    // thickness.
    int LayoutRows(int nLength, HDWP& hDwp);
    std::vector<int> RowFarEdges() const;

    DWORD m_dwStyle = 0;
    CKitCommandBars* m_pCommandBars = nullptr;
    kit::commandbars::DockRows m_rows;
    std::vector<int> m_rowThickness;
};
