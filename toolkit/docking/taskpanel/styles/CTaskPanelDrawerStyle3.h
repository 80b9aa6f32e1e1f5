// Drawing style 3: captions that wrap with their text over a flat client
// area, a triangle expand button, and optionally one rounded frame around all
// groups. Styles 4 to 12 build on it.
#pragma once

#include "CTaskPanelDrawer.h"

class CTaskPanelDrawerStyle3 : public CTaskPanelDrawer
{
public:
    explicit CTaskPanelDrawerStyle3(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    void FillBackground(CDC* pDC) override;
    int DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw) override;
    void FillGroupClientFace(CDC* pDC, Group& group, CRect rect) override;

    BOOL m_bFramedGroups = TRUE;
    BOOL m_bCaptionUnderline = FALSE;

protected:
    // Style 0's refresh and colours only (styles 4, 5 and 7 start there).
    void ReloadBaseMetrics() { CTaskPanelDrawer::ReloadMetrics(); }
    // The caption rectangle left for the text once button and icon have theirs.
    CRect CaptionTextArea(CDC* pDC, Group& group, CRect rect, BOOL bDraw);
};
