// Drawing style 4: underlined captions on a shadow-coloured band, flat highlights.
#pragma once

#include "styles/CTaskPanelDrawerStyle3.h"

class CTaskPanelDrawerStyle4 : public CTaskPanelDrawerStyle3
{
public:
    explicit CTaskPanelDrawerStyle4(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
