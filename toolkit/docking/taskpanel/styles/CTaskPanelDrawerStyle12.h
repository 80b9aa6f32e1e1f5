// Drawing style 12: style 11 with centred captions over the colour table's gradients.
#pragma once

#include "styles/CTaskPanelDrawerStyle11.h"

class CTaskPanelDrawerStyle12 : public CTaskPanelDrawerStyle11
{
public:
    explicit CTaskPanelDrawerStyle12(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    void FillBackground(CDC* pDC) override;
    void FillGroupClientFace(CDC* pDC, Group& group, CRect rect) override;
    CRect DrawCaptionBackground(CDC* pDC, Group& group, CRect rect) override;
};
