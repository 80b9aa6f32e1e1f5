// The placeholder shown when no viewer shows the file: nothing chosen yet, a file
// that could not be shown (with the reason its viewer gave), or a kind of file
// that has no preview. What it shows is decided when it is created, from the
// state of that moment, so that later changes of the flags do not change it.
#pragma once

#include "Framework.h"

class CCorrupted_NoPreview_View : public CView
{
    DECLARE_DYNCREATE(CCorrupted_NoPreview_View)
public:
    UINT GetBitmapId() const { return m_nBitmapId; }
    const CString& GetReason() const { return m_strReason; }

    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nBitmapId = 0;
    CString m_strReason;
};
