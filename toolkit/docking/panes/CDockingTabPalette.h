// The tab colours of docking styles 6 and 9: a header that continues the
// splitters' frame-wide gradient, and tabs filled white, in gradients or not
// at all.
#pragma once

#include "CTabStripPalette.h"

class CDockingTabPalette : public CTabStripGradientPalette
{
public:
    CDockingTabPalette(BOOL bWhiteSelected, BOOL bSelectedOnly)
        : m_bWhiteSelected(bWhiteSelected), m_bSelectedOnly(bSelectedOnly)
    {
    }
    void ReloadMetrics() override;
    void PaintHeader(CDC* pDC, const CRect& rect, CTabStrip* pStrip) override;
    COLORREF FillTab(CDC* pDC, const CRect& rect, CKitTabManagerItem* pItem) override;
    BOOL IsThemed() const override { return FALSE; }

    BOOL m_bWhiteSelected;
    BOOL m_bSelectedOnly;
};

// Style 9's: always solid tabs, darker text under the colour schemes.
class CDockingTabPalette9 : public CDockingTabPalette
{
public:
    using CDockingTabPalette::CDockingTabPalette;
    void ReloadMetrics() override;
};
