// A grid in which the user drags out a number of columns and rows (a
// table-size chooser): cells inside the selection are highlighted, the grid
// grows when the pointer leaves it with the button held, and releasing the
// button stores the selection as the result and runs the command.
#pragma once

#include "CKitControl.h"

class CKitControlSelector : public CKitControl
{
    DECLARE_SERIAL(CKitControlSelector)
public:
    explicit CKitControlSelector(int nType = kControlButton) : CKitControl(nType) {}

    CSize m_szItemsCount{5, 4};
    CSize m_szItemsMax{12, 12};
    CSize m_szSelection{0, 0};
    CSize m_szItemSize{28, 28};
    CSize m_szResult{0, 0};
    CSize m_szGridSize{5, 4};
    BOOL m_bResizing = FALSE;

    // Paints a cell's content; empty here.
    virtual void DrawItem(CDC* /*pDC*/, const CRect& /*rcCell*/, COLORREF /*clrText*/) {}
    CSize GetSize(CDC* pDC) override;
    void Draw(CDC* pDC) override;
    void PrepareLayout(DWORD dwMode) override;
    // The selection follows the pointer (bar client coordinates).
    void OnMouseMove(CPoint point) override;
    // Deselection while the button is held past the grid grows the grid.
    void OnDeselected() override;
    // With a selection: it becomes the result and the command runs.
    BOOL OnLButtonUp(CPoint point) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;
    // The base keys, then "ItemsCount", "ItemsMax" and "ItemSize".
    void ExchangeProperties(CKitPropExchange* pPX) override;

    static constexpr UINT kSelectionChanged = 0x1006;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlSelector(m_nType); }
};
