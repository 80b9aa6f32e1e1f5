// Drawing style 1: soft Luna gradients, a rounded left caption corner and a closed client border, no
// expand button.
#pragma once

#include "CTaskPanelDrawer.h"

class CTaskPanelDrawerStyle1 : public CTaskPanelDrawer
{
public:
    explicit CTaskPanelDrawerStyle1(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
