// CEditorImage: the picture the button-image editor works on, a 32-bit
// bottom-up DIB section of W x H pixels. Pictures without alpha mark their
// transparent pixels with the key colour; pictures with alpha keep per-pixel
// alpha (their transparent pixels are the key colour with alpha 0). Copies
// are deep, so the undo and redo lists hold pictures of their own.
#pragma once

#include "Framework.h"

class CEditorImage
{
public:
    // Red 255, green 254, blue 255: a colour nobody draws with by chance.
    static constexpr COLORREF kKeyColor = RGB(255, 254, 255);

    CEditorImage() = default;
    CEditorImage(const CEditorImage& other);
    CEditorImage& operator=(const CEditorImage& other);
    CEditorImage(CEditorImage&& other) noexcept;
    CEditorImage& operator=(CEditorImage&& other) noexcept;
    ~CEditorImage() { Release(); }

    // A key-filled picture without alpha; FALSE (and empty) for sizes that
    // are not 1..256 on each side.
    BOOL Create(int nWidth, int nHeight);
    void Release();

    BOOL IsEmpty() const { return m_hBitmap == nullptr; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    BOOL HasAlpha() const { return m_bAlpha; }
    void SetAlpha(BOOL bAlpha) { m_bAlpha = bAlpha; }
    HBITMAP GetBitmap() const { return m_hBitmap; }

    // x and y from the top-left corner; outside the picture: the key colour
    // (or alpha 0) and no change.
    COLORREF GetPixel(int x, int y) const;
    BYTE GetPixelAlpha(int x, int y) const;
    void SetPixel(int x, int y, COLORREF clr, BYTE nAlpha = 0);
    BOOL Contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_nWidth && y < m_nHeight; }
    BOOL IsTransparentAt(int x, int y) const;

    // Every pixel the key colour, alpha 0.
    void FillWithKey();
    // The picture one pixel over (dx, dy) on a key background; what moves
    // out is lost.
    void Shift(int dx, int dy);
    // Pixels that differ from the earlier picture and are not the key colour
    // become opaque: GDI drawing clears the alpha byte of what it touches.
    void MakeChangedPixelsOpaque(const CEditorImage& before);
    // Whole-buffer compare (size, alpha flag and pixels).
    BOOL IsSameAs(const CEditorImage& other) const;

    // The pixel rows, bottom row first, 4 bytes (blue, green, red, alpha) each.
    BYTE* GetBits() const { return m_pBits; }

private:
    DWORD* PixelAt(int x, int y) const;

    HBITMAP m_hBitmap = nullptr;
    BYTE* m_pBits = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bAlpha = FALSE;
};

// A memory DC with the picture selected, for GDI drawing into it; the
// picture must outlive it.
class CEditorImageDC
{
public:
    explicit CEditorImageDC(const CEditorImage& image);
    ~CEditorImageDC();
    CEditorImageDC(const CEditorImageDC&) = delete;
    CEditorImageDC& operator=(const CEditorImageDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
    HGDIOBJ m_hOld = nullptr;
};
