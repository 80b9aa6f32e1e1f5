// A toolbar turned into a resizable panel: a caption row (a caption that can
// open a menu, and a close button) above a client area holding one child
// window. Docked it keeps its docked client size, floating its floating one;
// its sizing borders resize the client, never below the minimum.
#pragma once

#include "CKitToolBar.h"

class CKitPopupBar;

// The caption control of a dialog bar.
constexpr int kDialogBarCaptionId = 9399;

class CKitDialogBar : public CKitToolBar
{
    DECLARE_DYNCREATE(CKitDialogBar)
public:
    CKitDialogBar();
    ~CKitDialogBar() override;

    BOOL IsDialogBar() const override { return TRUE; }
    CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
    CSize CalcDockedSize(int nLength, DWORD dwMode) override;
    // (left, top margin + caption height, right, bottom).
    CRect GetClientMargins();
    // The bar's size around a client size for a length and layout mode.
    CSize CalcDialogBarSize(int nLength, DWORD dwMode, CSize szClient);
    // A sizing border was dragged to the window rectangle (screen); too
    // small a rectangle is ignored.
    void OnResizeTrack(const CRect& rcWindow, int nHitCode);
    // 1 in the caption strip, else -2.
    int HitTestWindow(POINT ptScreen);
    void RepositionClient();

    void SetClientWindow(HWND hWnd);
    void SetCaption(const CString& strCaption);
    CKitPopupBar* GetCaptionPopup() const { return m_pCaptionPopup; }

    CRect m_rcMargins{3, 3, 3, 3};
    BOOL m_bResizable = TRUE;
    CSize m_szMinClient{50, 50};
    BOOL m_bCaptionVisible = TRUE;
    BOOL m_bCaptionMenuEnabled = TRUE;
    int m_nCaptionHeight = 0;
    CSize m_szDockingClient{200, 200};
    CSize m_szFloatingClient{200, 200};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int MeasureCaption();
    void PlaceCaptionControls(CSize szBar);
    LRESULT OnNcHitTest(CPoint ptScreen);

    HWND m_hClient = nullptr;
    CString m_strCaption;
    CKitPopupBar* m_pCaptionPopup = nullptr;
};
