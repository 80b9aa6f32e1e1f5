// CUiCaptionPopupWnd: the pop-up a caption opens to show the window it
// belongs to for a while. The window is lent to the pop-up and goes back to
// its parent when the pop-up closes (focus elsewhere) or is pinned.
#pragma once

#include "CUiCaption.h"

class CUiCaptionPopupWnd : public CWnd
{
public:
    static constexpr LPCTSTR kClassName = L"UiCaptionPopupWnd";

    CUiCaptionPopupWnd();
    ~CUiCaptionPopupWnd() override;

    virtual BOOL Create(const CRect& rect, CUiCaption* pOwner, CWnd* pChild);
    virtual void RecalcLayout();
    virtual void RestoreChild();
    virtual void CheckFocus();

protected:
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

private:
    CUiCaption* m_pOwner = nullptr;
    CWnd* m_pChild = nullptr;
    HWND m_hChildParent = nullptr;
    CUiCaption m_titleBar;
    CCaptionBarButton m_pushPin;
    HICON m_hPinOut = nullptr;
    HICON m_hPinIn = nullptr;
};
