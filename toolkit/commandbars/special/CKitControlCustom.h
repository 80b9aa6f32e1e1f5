// A control that hosts a child window inside a bar (type 7): the window is
// made a child of the bar, placed in the control's rectangle less the
// borders and shown or hidden with the control; without a visible window
// the control is drawn as a button.
#pragma once

#include "CKitControl.h"
#include "CSubclassHookSink.h"

class CKitControlCustom : public CKitControlButton
{
    DECLARE_SERIAL(CKitControlCustom)
public:
    CKitControlCustom();
    ~CKitControlCustom() override;

    HWND m_hWndControl = nullptr;
    CRect m_rcBorders{0, 0, 0, 0};
    BOOL m_bWindowShown = TRUE;
    CSize m_szControl{0, 0};
    // 0: hidden on vertical bars; 1: unchanged; 2: drawn as a button there.
    int m_nVerticalOptions = 0;
    int m_nControlId = 0;

    // Hosts the window at the size (0 x 0: its current size).
    void SetControl(HWND hWnd, CSize szControl = CSize(0, 0));
    CSize GetSize(CDC* pDC) override;
    void SetRect(const CRect& rc) override;
    void SetEnabled(BOOL bEnabled) override;
    void SetHideFlags(DWORD dwHideFlags) override;
    void PrepareLayout(DWORD dwMode) override;
    BOOL AcceptsCustomizeDrop(CKitCommandBar* pBar, CPoint point, int& nEffect) override;
    void Draw(CDC* pDC) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;
    // The button keys, then "Borders", "ControlSize", "VerticalOptions" and
    // "ControlId"; a loaded id finds the window among the site's and the
    // bars' children.
    void ExchangeProperties(CKitPropExchange* pPX) override;
    // The bar keeps hot-tracking while the pointer moves over the window
    // (through the subclass table); nothing attaches it by itself.
    BOOL AttachHookSink();

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlCustom; }

private:
    // Hands the hosted window's mouse moves to the bar, in its coordinates;
    // the window still gets them.
    class CMouseSink : public CSubclassHookSink
    {
    public:
        explicit CMouseSink(CKitControlCustom* pOwner) : m_pOwner(pOwner) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    private:
        CKitControlCustom* m_pOwner;
    };

    void ShowHostedWindow();
    CSize DrawAsButton(CDC* pDC, BOOL bDraw);

    CMouseSink m_hookSink{this};
};
