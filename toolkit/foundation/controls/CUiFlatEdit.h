// CUiFlatEdit: a CUiEdit whose border is a flat one-pixel frame that lights
// up while the pointer is over it or it has the focus.
#pragma once

#include "CUiEdit.h"

class CUiFlatEdit : public CUiEdit
{
    DECLARE_DYNAMIC(CUiFlatEdit)
public:
    CUiFlatEdit() = default;

    void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    BOOL IsHot() const { return m_bHot; }

    virtual BOOL IsCursorOverControl() const;
    // The frame over the non-client area (window coordinates).
    virtual void DrawFlatFrame(CDC* pDC, const CRect& windowRect);

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnNcPaint();
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bHot = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bFlat = TRUE;
};
