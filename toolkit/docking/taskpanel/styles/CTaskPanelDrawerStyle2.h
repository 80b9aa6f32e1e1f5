// Drawing style 2, the explorer-bar look: rounded captions with image expand buttons in the Luna
// scheme's colours, or mixed system colours in the classic scheme. The main frame's task panel uses
// it.
#pragma once

#include "CTaskPanelDrawer.h"

class CTaskPanelDrawerStyle2 : public CTaskPanelDrawer
{
public:
    explicit CTaskPanelDrawerStyle2(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
