// The translucent rectangle that previews where a dragged pane would go.
#pragma once

#include "window/CWnd.h"

class CDockingHighlightWnd : public CWnd
{
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
};
