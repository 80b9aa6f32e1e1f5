// CUiFlatComboBox: a combo box with a flat one-pixel frame that lights up
// while the pointer is over it or it has the focus, and optional completion
// of typed text from its list.
#pragma once

#include "Framework.h"

class CUiFlatComboBox : public CComboBox
{
    DECLARE_DYNAMIC(CUiFlatComboBox)
public:
    CUiFlatComboBox() = default;

    void SetFlat(BOOL bFlat) { m_bFlat = bFlat; }
    void EnableAutoComplete(BOOL bEnable) { m_bAutoComplete = bEnable; }
    void SuspendAutoComplete(BOOL bSuspend) { m_bCompletingSuspended = bSuspend; }
    BOOL IsHot() const { return m_bHot; }
    BOOL HasFocusFrame() const { return m_bFocused; }

    // Whether the pointer is over the control.
    virtual BOOL IsCursorOverControl() const;
    // The flat frame over the default painting.
    virtual void DrawFlatFrame(CDC* pDC);

protected:
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg BOOL OnSetFocusReflect();
    afx_msg BOOL OnKillFocusReflect();
    afx_msg BOOL OnCloseUpReflect();
    afx_msg BOOL OnEditUpdateReflect();
    afx_msg void OnPaint();
    afx_msg LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Repaint();
    BOOL m_bFlat = TRUE;
    BOOL m_bAutoComplete = FALSE;
    BOOL m_bHot = FALSE;
    BOOL m_bFocused = FALSE;
    BOOL m_bCompletingSuspended = FALSE;
};
