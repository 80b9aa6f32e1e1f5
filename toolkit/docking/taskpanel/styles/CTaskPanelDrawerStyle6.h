// Drawing style 6: style 3 with the explorer bar's colours and image expand buttons when the explorer
// look is active.
#pragma once

#include "styles/CTaskPanelDrawerStyle3.h"

class CTaskPanelDrawerStyle6 : public CTaskPanelDrawerStyle3
{
public:
    explicit CTaskPanelDrawerStyle6(CKitTaskPanel* pPanel);
    void ReloadMetrics() override;
    CRect DrawExpandButton(CDC* pDC, Group& group, CRect rect) override;

    BOOL m_bExplorerLookActive = FALSE;
};
