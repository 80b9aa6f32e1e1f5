// CCommandIcon: the picture of one command at one width, with the images the
// drawing styles need for its states: normal, hot, pressed and disabled as the
// caller sets them, and faded, shadow and automatic disabled images derived
// from them on demand (cleared whenever a caller-set image changes).
#pragma once

#include "CIconImage.h"

class CCommandIconSet;
class CCommandIconStore;
class CCommandImageList;

class CCommandIcon : public CCmdTarget
{
public:
    CCommandIcon(UINT nID, int nWidth, int nHeight, CCommandIconSet* pOwnerSet);
    CCommandIcon(UINT nID, int nWidth, int nHeight, CCommandImageList* pImageList);
    ~CCommandIcon() override = default;

    UINT GetID() const { return m_nID; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL IsScaled() const { return m_bScaled; }
    void SetScaled(BOOL bScaled) { m_bScaled = bScaled; }
    CCommandIconSet* GetOwnerSet() const { return m_pOwnerSet; }

    CIconImage& GetImage() { return m_normal; }
    CIconImage& GetFadedImage();
    CIconImage& GetShadowImage();
    // Hot, else normal.
    CIconImage& GetHotImage() { return m_hot.IsEmpty() ? m_normal : m_hot; }
    // Pressed, else hot, else normal.
    CIconImage& GetPressedImage() { return m_pressed.IsEmpty() ? GetHotImage() : m_pressed; }
    BOOL HasDisabledImage() const { return !m_disabled.IsEmpty() || !m_autoDisabled.IsEmpty(); }
    // The caller-set disabled image, else the automatic one (grey, made first
    // when bCreate is set), which may be empty.
    CIconImage& GetDisabledImage(BOOL bCreate = TRUE);

    BOOL IsAlpha() const { return m_normal.IsAlpha(); }
    SIZE GetExtent() const { return m_normal.GetExtent(); }

    // A copy of the image becomes the normal one; every other image is cleared,
    // the size becomes the picture's, and the owner set drops its scaled copies.
    BOOL SetImage(const CIconImage& image);
    void SetHotImage(const CIconImage& image);
    void SetPressedImage(const CIconImage& image);
    void SetDisabledImage(const CIconImage& image);
    void ClearImages(BOOL bWithNormal);
    // Faded, shadow and automatic disabled.
    void ClearDerivedImages();

    // Grey when either colour is -1, else tinted from dark to light by luminance.
    // Nothing when the automatic disabled image exists already.
    void CreateDisabledImage(COLORREF clrLight = static_cast<COLORREF>(-1), COLORREF clrDark = static_cast<COLORREF>(-1));
    // A new icon of the same id and set at another width, or NULL for alpha
    // pictures. The copy is not filed anywhere yet.
    CCommandIcon* CreateScaledCopy(int nNewWidth);

    // cx 0: the icon's width; cy 0: the height that keeps its proportions.
    void Draw(CDC* pDC, int x, int y, CIconImage& image, int cx = 0, int cy = 0);
    void Draw(CDC* pDC, CPoint pt, CIconImage& image, CSize sz = CSize(0, 0)) { Draw(pDC, pt.x, pt.y, image, sz.cx, sz.cy); }
    // The one-colour silhouette of an icon image; alpha images draw nothing.
    void DrawMono(CDC* pDC, int x, int y, CIconImage& image, COLORREF clr);

    void Serialize(CArchive& ar) override;

    CCommandIconStore* GetStore() const;

private:
    // The normal image without asking the owner set to refresh: for icons that
    // no set holds yet.
    void TakeNormalImage(const CIconImage& image);
    void MakeFadedImage();
    void MakeShadowImage();

    UINT m_nID;
    int m_nWidth;
    int m_nHeight;
    CIconImage m_normal, m_faded, m_shadow, m_hot, m_pressed, m_disabled, m_autoDisabled;
    BOOL m_bScaled = FALSE;
    CCommandIconSet* m_pOwnerSet = nullptr;
    CCommandImageList* m_pImageList = nullptr;
};
