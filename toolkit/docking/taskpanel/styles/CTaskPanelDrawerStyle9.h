// Drawing style 9: dark shadow-coloured groups with light text and embossed disabled text.
#pragma once

#include "styles/CTaskPanelDrawerStyle7.h"

class CTaskPanelDrawerStyle9 : public CTaskPanelDrawerStyle7
{
public:
    explicit CTaskPanelDrawerStyle9(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
};
