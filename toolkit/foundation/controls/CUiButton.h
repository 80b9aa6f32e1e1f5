// CUiButton: an owner-drawn push button that shows a command icon (from icon
// images, resources or a bitmap) beside or above its text and paints itself
// through a button theme. The mouse-over state is tracked with a 10 ms timer
// so that the themes can show a hot look.
#pragma once

#include "ButtonThemes.h"
#include "CCommandIcon.h"
#include "CIconImage.h"

#include <memory>

// Button style flags (SetXButtonStyle), read by the button themes.
enum UiButtonStyle : DWORD
{
    kButtonFlat = 0x01,           // no frame until hot
    kButtonThin = 0x02,           // a single frame
    kButtonImageAbove = 0x04,     // the image above the text
    kButtonFocusMark = 0x10,      // a focus mark when focused
    kButtonDither = 0x20,         // dither pattern while pressed or checked
    kButtonFlatTheme = 0x40,      // SetXButtonStyle: a flat theme of its own
    kButtonVisualStyle = 0x1000,  // drawn through the visual style
};

class CUiButton : public CButton, public CThemeHost
{
    DECLARE_DYNAMIC(CUiButton)
public:
    explicit CUiButton(CRuntimeClass* pFactoryClass = nullptr);
    ~CUiButton() override;

    virtual BOOL SetIcon(CSize size, const CIconImage& normal, const CIconImage& hot, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, LPCTSTR lpszNormal, LPCTSTR lpszHot, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, UINT nNormalID, UINT nHotID, BOOL bRedraw = TRUE);
    virtual BOOL SetIcon(CSize size, HICON hNormal, HICON hHot = nullptr, BOOL bRedraw = TRUE);
    virtual BOOL SetBitmap(CSize size, UINT nBitmapID, BOOL bRedraw = TRUE);
    virtual BOOL SetContentPositions(CPoint ptImage, CPoint ptText, BOOL bRedraw = TRUE);
    virtual DWORD SetXButtonStyle(DWORD dwStyle, BOOL bRedraw = TRUE);
    virtual DWORD GetXButtonStyle() const { return m_dwXStyle; }
    virtual BOOL HasTheme() const { return GetTheme() != nullptr; }
    virtual COLORREF SetColors(COLORREF clrFace, COLORREF clrLight, COLORREF clrShadow, COLORREF clrText);
    virtual COLORREF SetFaceColor(COLORREF clr);
    virtual COLORREF GetFaceColor() const;
    virtual COLORREF SetLightColor(COLORREF clr);
    virtual COLORREF SetShadowColor(COLORREF clr);
    virtual COLORREF SetTextColor(COLORREF clr);
    virtual void SetFlatColors(COLORREF clrFrame, COLORREF clrHotBack, COLORREF clrPressedBack);
    virtual void ToggleShowImages();
    virtual CFont* SetButtonFont(CFont* pFont);
    virtual BOOL ForceOwnerDraw();
    virtual void ResetIconImages();
    virtual CString GetButtonText(BOOL bStrip) const;

    // What the themes read.
    CUiButtonTheme* GetButtonTheme() const { return dynamic_cast<CUiButtonTheme*>(GetTheme()); }
    CSize GetIconSize() const;
    CPoint GetImagePosition() const;
    CPoint GetTextPosition() const;
    BOOL HasContentPositions() const { return m_bPositionsSet; }
    CCommandIcon* GetIcon() const { return m_pIcon.get(); }
    HICON GetHotIconHandle() const;
    BOOL IsHot() const { return m_bHot; }
    BOOL IsChecked() const { return m_bChecked; }
    int m_nImageMargin = 4;
    int m_nImageGap = 8;

protected:
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void ThemeChanged() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The hot-tracking step; FALSE when the default handling is to be skipped.
    BOOL TrackHotState();

    BOOL m_bForceOwnerDraw = TRUE;
    BOOL m_bHot = FALSE;
    BOOL m_bPositionsSet = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bHotDrawn = FALSE;
    BOOL m_bChecked = FALSE;
    DWORD m_dwXStyle = kButtonFlat;
    CSize m_iconSize;
    CPoint m_ptImage;
    CPoint m_ptText;
    std::unique_ptr<CCommandIcon> m_pIcon;
};
