// Loading, copying and pre-multiplying 32-bit alpha bitmaps, icon sizes and
// scaling, and the pixel access that the derived images of command icons use.
// An "alpha bitmap" is a 32-bit DIB section whose fourth byte is alpha.
#pragma once

#include "Framework.h"
#include "core/IconArchiveFormat.h"

#include <optional>
#include <vector>

// A bitmap's 52-byte header (BITMAPINFOHEADER and 12 bytes of masks or palette)
// and its pixel rows as GetDIBits gives them.
struct DibBits
{
    BYTE header[kit::kBitmapRecordHeaderBytes] = {};
    std::vector<BYTE> pixels;

    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(header); }
    const BITMAPINFOHEADER& Header() const { return *reinterpret_cast<const BITMAPINFOHEADER*>(header); }
};

// The header of a 32-bit top-down picture of that size, for GetDIBits,
// SetDIBits and CreateDIBSection.
BITMAPINFO AFXAPI TopDown32BitmapInfo(int nWidth, int nHeight);

BOOL AFXAPI IsAlphaBitmapFile(LPCTSTR pszPath);
HBITMAP AFXAPI LoadAlphaBitmapResource(UINT nID);
BOOL AFXAPI IsAlphaBitmapResource(UINT nID);
// The first 32-bit image of the icon file with that width byte (any for 0).
HBITMAP AFXAPI LoadAlphaIconFile(LPCTSTR pszPath, int nWidth);
// Header and pixels of a 32-bit bitmap (width × height × 4 bytes); FALSE for
// other depths.
BOOL AFXAPI GetBitmapBits32(HBITMAP hBitmap, DibBits& bits);
HBITMAP AFXAPI CopyAlphaBitmap(HBITMAP hBitmap);
HBITMAP AFXAPI PreMultiplyAlphaBitmap(HBITMAP hBitmap);
SIZE AFXAPI GetIconSize(HICON hIcon);
HICON AFXAPI ScaleIcon(HICON hIcon, SIZE szOld, int nNewWidth);
// AlphaBlend of the (pre-multiplied) bitmap; nothing where AlphaBlend is missing.
// A source size of 0 × 0 means cx × cy.
void AFXAPI DrawAlphaBitmap(HDC hDC, HBITMAP hBitmap, int x, int y, int cx, int cy, int nSrcWidth = 0,
                            int nSrcHeight = 0);
COLORREF AFXAPI LightenColor(COLORREF clr, double dFactor);

// A strip of n pictures as n alpha bitmaps (the caller deletes them).
BOOL AFXAPI SplitAlphaBitmap(HBITMAP hBitmap, int nCount, std::vector<HBITMAP>& bitmaps);
COLORREF AFXAPI GetBitmapPixel(HBITMAP hBitmap, int x, int y);
// A 24-bit copy: opaque pixels kept, the others in the mask colour.
HBITMAP AFXAPI AlphaBitmapToMasked24(HBITMAP hBitmap, COLORREF clrMask);
BOOL AFXAPI IsComCtl6();

// A DIB section from a 40- or 52-byte header and pixels; bytes beyond the
// picture the header describes are not copied. NULL for a header that is not
// a picture of ours.
HBITMAP AFXAPI CreateDibFromBits(const BYTE* pHeader, size_t nHeaderBytes, const BYTE* pPixels, size_t nPixelBytes);
// The bitmap as a stored record, at its own depth (1, 24 or 32 bits; other
// depths as 32), with width × height × 4 pixel bytes.
std::optional<kit::BitmapRecord> AFXAPI ReadBitmapRecord(HBITMAP hBitmap);

// The colour and mask bitmaps of an icon as 32-bit top-down pixels, changed in
// memory and made into a new icon. Whole-buffer GetDIBits and SetDIBits keep
// the alpha byte of 32-bit icons, which pixel-by-pixel SetPixel would clear.
class CIconPixels
{
public:
    explicit CIconPixels(HICON hIcon);
    ~CIconPixels();
    CIconPixels(const CIconPixels&) = delete;
    CIconPixels& operator=(const CIconPixels&) = delete;

    // FALSE for monochrome icons (no colour bitmap) and unreadable ones.
    BOOL IsValid() const { return m_bValid; }
    std::vector<BYTE>& Colour() { return m_colour; }
    const std::vector<BYTE>& Mask() const { return m_mask; }
    // A new icon of the changed colour pixels and the mask; NULL on failure.
    HICON CreateIcon();

private:
    ICONINFO m_info = {};
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bValid = FALSE;
    std::vector<BYTE> m_colour;
    std::vector<BYTE> m_mask;
};
