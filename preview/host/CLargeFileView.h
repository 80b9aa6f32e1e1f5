// The placeholder shown for a file too large to be copied out for preview.
#pragma once

#include "Framework.h"

class CLargeFileView : public CView
{
    DECLARE_DYNCREATE(CLargeFileView)
public:
    void OnDraw(CDC* pDC) override;
};
