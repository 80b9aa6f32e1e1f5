// Drawing style 10: style 9 on the toolkit's light face colour with flat highlights.
#pragma once

#include "styles/CTaskPanelDrawerStyle9.h"

class CTaskPanelDrawerStyle10 : public CTaskPanelDrawerStyle9
{
public:
    explicit CTaskPanelDrawerStyle10(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
