// Drawing style 8: horizontal gradients and a plus/minus box on the caption.
#pragma once

#include "styles/CTaskPanelDrawerStyle7.h"

class CTaskPanelDrawerStyle8 : public CTaskPanelDrawerStyle7
{
public:
    explicit CTaskPanelDrawerStyle8(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    void FillBackground(CDC* pDC) override;
    void FillGroupClientFace(CDC* pDC, Group& group, CRect rect) override;
    CRect DrawCaptionBackground(CDC* pDC, Group& group, CRect rect) override;
};
