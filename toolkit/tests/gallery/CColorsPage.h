// The gallery's first page: every colour slot as a swatch, the ten style
// gradients as bars, a screen tip for each of them found through
// OnToolHitTest, and a popup tracked through the popup mouse hook.
#pragma once

#include "CGalleryPage.h"
#include "CPopupMouseTracker.h"
#include "CScreenTipContext.h"

#include <memory>

class CGalleryPopup;

class CColorsPage : public CGalleryPage
{
public:
    static constexpr int kColumns = 11;
    static constexpr int kSwatchWidth = 60;
    static constexpr int kSwatchHeight = 28;
    static constexpr int kGap = 4;
    static constexpr int kMargin = 8;
    static constexpr int kGradientTop = 8 + 6 * (28 + 4) + 8;
    static constexpr int kGradientWidth = 340;
    static constexpr int kGradientHeight = 24;
    // Tool ids: slot + 1 for swatches, kGradientToolBase + number for gradients.
    static constexpr UINT_PTR kGradientToolBase = 100;

    CColorsPage();
    ~CColorsPage() override;
    LPCWSTR GetTitle() const override { return L"Colours"; }

    static CRect SwatchRect(int slot);
    // Gradients 1 to 10.
    static CRect GradientRect(int number);

    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    CScreenTipContext& GetTips() { return *m_pTips; }

    // Opens the popup below the swatch of the slot; it closes itself when a
    // click lands outside it.
    void OpenPopup(int slot);
    CGalleryPopup* GetPopup() const { return m_pPopup.get(); }
    void ClosePopup();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(CDC* pDC);

    CScreenTipContext* m_pTips;
    std::unique_ptr<CGalleryPopup> m_pPopup;
};

// A small popup window tracked by the thread's popup mouse tracker.
class CGalleryPopup : public CWnd, public CTrackedBar
{
public:
    explicit CGalleryPopup(CColorsPage* pPage) : m_pPage(pPage) {}
    ~CGalleryPopup() override;
    BOOL Open(const RECT& rcScreen);

    HWND GetTrackedWindow() const override { return m_hWnd; }
    int HitTestWindow(POINT ptScreen) override;
    void OnTrackedMouseMove(UINT nFlags, CPoint ptClient) override;
    void EndTracking() override;
    void ClearHotControl() override { m_bHot = FALSE; }

    BOOL m_bHot = FALSE;
    int m_nMovesSeen = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CColorsPage* m_pPage;
};
