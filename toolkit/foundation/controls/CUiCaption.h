// CUiCaption: a caption bar (a static) that shows a text and an icon in the
// caption theme, with one button. The button either reports a click to the
// owner (the close-style image button) or opens a pop-up that shows the
// window the caption belongs to, with a push-pin to put it back.
#pragma once

#include "CCaptionBarButton.h"
#include "CaptionThemes.h"

class CUiCaptionPopupWnd;

// Caption style bits.
enum CaptionStyle : DWORD
{
    kCaptionSunken = 0x01,      // a sunken border (default theme)
    kCaptionRaised = 0x02,      // a raised border; the caption's own look in the flat and scheme themes
    kCaptionCloseButton = 0x04, // the button is a close-style image button
};

// Messages of the pop-up to its caption (and on to the caption's owner).
constexpr UINT kCaptionPopupPinned = 0x273E;
constexpr UINT kCaptionPopupClosed = 0x273F;
constexpr UINT kCaptionButtonId = 9115;

class CUiCaption : public CStatic, public CThemeHost
{
    DECLARE_DYNAMIC(CUiCaption)
public:
    CUiCaption();
    ~CUiCaption() override;

    virtual void SetCaptionColors(COLORREF clrBorder, COLORREF clrBack, COLORREF clrText);
    virtual void ModifyCaptionStyle(int nBorderSize, CFont* pFont = nullptr, LPCTSTR lpszText = nullptr, HICON hIcon = nullptr);
    virtual void SetChildWindow(CWnd* pChild, CWnd* pFrame);
    virtual void HidePopup();
    virtual void ShowPopup();
    virtual void UpdateCaption(LPCTSTR lpszText, HICON hIcon);
    virtual BOOL Create(CWnd* pParent, LPCTSTR lpszText, DWORD dwCaptionStyle, DWORD dwStyle, const RECT& rect, UINT nID);
    virtual CRect GetTextRect() const;
    virtual void DrawCaptionBack(CDC* pDC, const CRect& rect);
    virtual void DrawCaptionText(CDC* pDC);
    virtual void DrawCaptionIcon(CDC* pDC, const CRect& rect);
    virtual void UpdateButton();
    virtual CRect GetButtonRect() const;

    // What the caption themes read.
    int GetBorderSize() const { return m_nBorderSize; }
    COLORREF GetBorderColor() const { return m_clrBorder; }
    COLORREF GetBackColor() const { return m_clrBack; }
    COLORREF GetTextColor() const { return m_clrText; }
    BOOL HasOwnLook() const { return (m_dwCaptionStyle & kCaptionRaised) != 0; }
    DWORD GetCaptionStyle() const { return m_dwCaptionStyle; }
    const CString& GetCaptionText() const { return m_strText; }
    HICON GetIcon() const { return m_hIcon; }
    CSize GetIconSize() const { return m_iconSize; }
    CCaptionBarButton& GetButton() { return m_button; }
    CUiCaptionPopupWnd* GetPopup() const { return m_pPopup; }
    CWnd* GetChildWindow() const { return m_pChild; }
    CUiCaptionTheme* GetCaptionTheme() const { return dynamic_cast<CUiCaptionTheme*>(GetTheme()); }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ThemeChanged() override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnPopupPinned(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopupClosed(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void DestroyPopup();
    void ForwardToOwner(UINT message);

    int m_nBorderSize = 0;
    COLORREF m_clrBorder;
    COLORREF m_clrBack;
    COLORREF m_clrText;
    int m_nWindowOffset = 0;
    BOOL m_bCustomColors = FALSE;
    BOOL m_bTextButton = FALSE;
    CWnd* m_pChild = nullptr;
    CWnd* m_pChildParent = nullptr;
    CWnd* m_pChildGrandparent = nullptr;
    CRect m_rcChild, m_rcParent, m_rcGrandparent;
    CSize m_iconSize;
    DWORD m_dwCaptionStyle = 0;
    HICON m_hIcon = nullptr;
    CString m_strText;
    CImageList m_images;
    CCaptionBarButton m_button;
    CUiCaptionPopupWnd* m_pPopup = nullptr;
};
