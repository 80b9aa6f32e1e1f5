// A gallery page of command icons: one icon picture and one 32-bit alpha
// picture in their states (normal, hot, pressed, disabled) and effects (tinted
// disabled, faded, shadow, one-colour silhouette, a scaled copy), drawn through
// an icon store of the page's own.
#pragma once

#include "CCommandIconStore.h"
#include "CGalleryPage.h"

class CCommandIconsPage : public CGalleryPage
{
public:
    static constexpr UINT kIconID = 1;
    static constexpr UINT kAlphaID = 2;
    static constexpr int kIconSize = 32;
    static constexpr int kScaledSize = 24;
    // The opaque square of both pictures (inside a 4-pixel transparent border).
    static constexpr int kInset = 4;

    static constexpr COLORREF kNormalColor = RGB(200, 40, 40);
    static constexpr COLORREF kHotColor = RGB(40, 160, 60);
    static constexpr COLORREF kPressedColor = RGB(40, 60, 200);
    static constexpr COLORREF kAlphaColor = RGB(240, 160, 20);
    static constexpr COLORREF kTintLight = RGB(230, 230, 250);
    static constexpr COLORREF kTintDark = RGB(60, 60, 120);
    static constexpr COLORREF kMonoColor = RGB(90, 90, 90);

    // What each cell of a row shows.
    enum Cell
    {
        kCellNormal,
        kCellHot,
        kCellPressed,
        kCellDisabled,
        kCellTinted,
        kCellFaded,
        kCellShadow,
        kCellMono,
        kCellScaled,
        kCellCount
    };

    CCommandIconsPage();
    ~CCommandIconsPage() override;
    LPCWSTR GetTitle() const override { return L"Command icons"; }

    // Where the picture of a cell is drawn: row 0 the icon picture, row 1 the alpha picture.
    static CRect PictureRect(int row, Cell cell);
    CCommandIconStore& GetStore() { return *m_pStore; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(CDC* pDC);
    void PaintRow(CDC* pDC, int row, CCommandIcon* pIcon, CCommandIcon* pScaled);

    CCommandIconStore* m_pStore;
};
