// Drawing style 7: button-face captions with raised edges, compact margins,
// inverted drop marks and the group scroll buttons on the caption row.
// Styles 8 to 12 build on it and change the caption background.
#pragma once

#include "styles/CTaskPanelDrawerStyle3.h"

class CTaskPanelDrawerStyle7 : public CTaskPanelDrawerStyle3
{
public:
    explicit CTaskPanelDrawerStyle7(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    int DrawGroupCaption(CDC* pDC, Group& group, BOOL bDraw) override;
    // The rectangle left for the icon and the text.
    virtual CRect DrawCaptionBackground(CDC* pDC, Group& group, CRect rect);
};
