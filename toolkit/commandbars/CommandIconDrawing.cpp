#include "CommandIconDrawing.h"

#include "CCommandIcon.h"
#include "CCommandIconStore.h"

namespace
{
CIconImage& ImageOf(CCommandIcon* pIcon, IconImage image)
{
    switch (image)
    {
    case IconImage::Faded: return pIcon->GetFadedImage();
    case IconImage::Shadow: return pIcon->GetShadowImage();
    case IconImage::Hot: return pIcon->GetHotImage();
    case IconImage::Pressed: return pIcon->GetPressedImage();
    case IconImage::Disabled: return pIcon->GetDisabledImage(TRUE);
    case IconImage::Normal:
    default: return pIcon->GetImage();
    }
}
} // namespace

CSize IconExtent(CCommandIcon* pIcon)
{
    return pIcon != nullptr ? CSize(pIcon->GetExtent()) : CSize(0, 0);
}

void DrawIconImage(CDC* pDC, CCommandIcon* pIcon, IconImage image, int x, int y, int cx, int cy)
{
    if (pIcon != nullptr)
        pIcon->Draw(pDC, x, y, ImageOf(pIcon, image), cx, cy);
}

void DrawIconMono(CDC* pDC, CCommandIcon* pIcon, int x, int y, COLORREF clr)
{
    if (pIcon != nullptr)
        pIcon->DrawMono(pDC, x, y, pIcon->GetImage(), clr);
}

BOOL HasOwnDisabledImage(CCommandIcon* pIcon) { return pIcon != nullptr && pIcon->HasDisabledImage(); }

void GenerateDisabledImage(CCommandIcon* pIcon, COLORREF clrLight, COLORREF clrDark)
{
    if (pIcon != nullptr)
        pIcon->CreateDisabledImage(clrLight, clrDark);
}

BOOL HasShadowImage(CCommandIcon* pIcon) { return pIcon != nullptr && !pIcon->GetShadowImage().IsEmpty(); }

void DrawPaneIcon(CDC* pDC, CCommandIcon* pIcon, int x, int y, BOOL bEnabled)
{
    if (pIcon != nullptr)
        pIcon->Draw(pDC, x, y, bEnabled ? pIcon->GetImage() : pIcon->GetDisabledImage(TRUE));
}

CSize PopupIconSize(CKitCommandBars* /*pCommandBars*/)
{
    // The command bars' own popup icon size is read here once CKitCommandBars
    // carries its settings.
    return CSize(16, 16);
}

void RefreshCommandIcons()
{
    if (CCommandIconStore* pStore = GetCommandIconStore())
        pStore->RefreshIcons();
}
