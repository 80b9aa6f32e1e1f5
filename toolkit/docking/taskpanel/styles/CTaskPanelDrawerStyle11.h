// Drawing style 11: office-style gradient captions that light up when hot and pressed.
#pragma once

#include "styles/CTaskPanelDrawerStyle10.h"

class CTaskPanelDrawerStyle11 : public CTaskPanelDrawerStyle10
{
public:
    explicit CTaskPanelDrawerStyle11(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    CRect DrawCaptionBackground(CDC* pDC, Group& group, CRect rect) override;

    CStyleGradient m_hotCaption;
    CStyleGradient m_pressedCaption;
};
