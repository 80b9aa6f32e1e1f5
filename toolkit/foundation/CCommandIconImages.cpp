// The derived images of a command icon: faded (idle), shadow (under hot icons)
// and the automatic disabled image. Alpha pictures are changed on one buffer of
// pixels; icon pictures on their colour bitmap where the mask is opaque.
#include "CCommandIcon.h"

#include "AlphaBitmaps.h"
#include "CColorTable.h"
#include "core/PixelEffects.h"

namespace {

constexpr double kFadeLightening = 0.3;
constexpr int kShadowSlot = 31;

// A copy of an alpha picture with its pixels changed; a plain copy when the
// pixels cannot be read.
HBITMAP ChangedAlphaCopy(HBITMAP hSource, void (*change)(std::vector<BYTE>&, const void*), const void* pContext)
{
    DibBits bits;
    if (!GetBitmapBits32(hSource, bits))
        return CopyAlphaBitmap(hSource);
    change(bits.pixels, pContext);
    return CreateDibFromBits(bits.header, sizeof(bits.header), bits.pixels.data(), bits.pixels.size());
}

// A new icon whose opaque pixels are changed; a copy of the icon when its
// pixels cannot be read (monochrome icons among them).
template <class Change>
HICON ChangedIcon(HICON hSource, Change change)
{
    CIconPixels pixels(hSource);
    if (!pixels.IsValid())
        return ::CopyIcon(hSource);
    change(pixels.Colour(), pixels.Mask());
    return pixels.CreateIcon();
}

}  // namespace

CIconImage& CCommandIcon::GetFadedImage()
{
    if (m_faded.IsEmpty())
        MakeFadedImage();
    return m_faded;
}

CIconImage& CCommandIcon::GetShadowImage()
{
    if (m_shadow.IsEmpty())
        MakeShadowImage();
    return m_shadow;
}

void CCommandIcon::MakeFadedImage()
{
    if (m_normal.IsAlpha())
    {
        m_faded.SetBitmap(ChangedAlphaCopy(
            m_normal.GetBitmap(), [](std::vector<BYTE>& pixels, const void*) { kit::FadePixels(pixels); }, nullptr));
    }
    else if (m_normal.GetIcon() != nullptr)
    {
        // On a display of 256 colours or fewer the lightened colours would only dither.
        const bool bLowColor = IsLowColorDC(nullptr) != FALSE;
        m_faded.SetIcon(ChangedIcon(m_normal.GetIcon(), [bLowColor](std::vector<BYTE>& colour, const auto& mask) {
            if (!bLowColor)
                kit::LightenPixels(colour, mask, kFadeLightening);
        }));
    }
}

void CCommandIcon::MakeShadowImage()
{
    const COLORREF clrShadow = kit::ShadowColor(GetColorTable()->GetColor(kShadowSlot));
    CIconImage& source = GetHotImage();
    if (source.IsAlpha())
    {
        m_shadow.SetBitmap(ChangedAlphaCopy(
            source.GetBitmap(),
            [](std::vector<BYTE>& pixels, const void* pColour) {
                kit::FillPixels(pixels, {}, *static_cast<const COLORREF*>(pColour));
            },
            &clrShadow));
    }
    else if (source.GetIcon() != nullptr)
    {
        m_shadow.SetIcon(ChangedIcon(source.GetIcon(), [clrShadow](std::vector<BYTE>& colour, const auto& mask) {
            kit::FillPixels(colour, mask, clrShadow);
        }));
    }
}

void CCommandIcon::CreateDisabledImage(COLORREF clrLight, COLORREF clrDark)
{
    if (!m_autoDisabled.IsEmpty())
        return;
    const COLORREF colours[2] = {clrLight, clrDark};
    if (m_normal.IsAlpha())
    {
        m_autoDisabled.SetBitmap(ChangedAlphaCopy(
            m_normal.GetBitmap(),
            [](std::vector<BYTE>& pixels, const void* pColours) {
                const auto* c = static_cast<const COLORREF*>(pColours);
                kit::DisablePixels(pixels, {}, c[0], c[1]);
            },
            colours));
    }
    else if (m_normal.GetIcon() != nullptr)
    {
        m_autoDisabled.SetIcon(ChangedIcon(m_normal.GetIcon(), [&colours](std::vector<BYTE>& colour, const auto& mask) {
            kit::DisablePixels(colour, mask, colours[0], colours[1]);
        }));
    }
}
