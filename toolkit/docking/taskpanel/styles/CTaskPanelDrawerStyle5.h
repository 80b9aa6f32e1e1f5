// Drawing style 5: style 4 in the Luna scheme's pale colours.
#pragma once

#include "styles/CTaskPanelDrawerStyle4.h"

class CTaskPanelDrawerStyle5 : public CTaskPanelDrawerStyle4
{
public:
    explicit CTaskPanelDrawerStyle5(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
