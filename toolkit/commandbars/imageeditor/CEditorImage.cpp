#include "CEditorImage.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int kLargestSide = 256;

DWORD PackPixel(COLORREF clr, BYTE nAlpha)
{
    return (static_cast<DWORD>(nAlpha) << 24) | (static_cast<DWORD>(GetRValue(clr)) << 16) |
           (static_cast<DWORD>(GetGValue(clr)) << 8) | GetBValue(clr);
}

COLORREF UnpackColor(DWORD pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

const DWORD kKeyPixel = PackPixel(CEditorImage::kKeyColor, 0);
} // namespace

CEditorImage::CEditorImage(const CEditorImage& other)
{
    *this = other;
}

CEditorImage& CEditorImage::operator=(const CEditorImage& other)
{
    if (this == &other)
        return *this;
    Release();
    if (!other.IsEmpty() && Create(other.m_nWidth, other.m_nHeight))
    {
        std::memcpy(m_pBits, other.m_pBits, static_cast<size_t>(m_nWidth) * m_nHeight * 4);
        m_bAlpha = other.m_bAlpha;
    }
    return *this;
}

CEditorImage::CEditorImage(CEditorImage&& other) noexcept
{
    *this = std::move(other);
}

CEditorImage& CEditorImage::operator=(CEditorImage&& other) noexcept
{
    if (this == &other)
        return *this;
    Release();
    std::swap(m_hBitmap, other.m_hBitmap);
    std::swap(m_pBits, other.m_pBits);
    std::swap(m_nWidth, other.m_nWidth);
    std::swap(m_nHeight, other.m_nHeight);
    std::swap(m_bAlpha, other.m_bAlpha);
    return *this;
}

BOOL CEditorImage::Create(int nWidth, int nHeight)
{
    Release();
    if (nWidth <= 0 || nHeight <= 0 || nWidth > kLargestSide || nHeight > kLargestSide)
        return FALSE;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = nHeight; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    if (m_hBitmap == nullptr)
        return FALSE;
    m_pBits = static_cast<BYTE*>(pBits);
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    m_bAlpha = FALSE;
    FillWithKey();
    return TRUE;
}

void CEditorImage::Release()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
    m_nWidth = m_nHeight = 0;
    m_bAlpha = FALSE;
}

DWORD* CEditorImage::PixelAt(int x, int y) const
{
    if (m_pBits == nullptr || !Contains(x, y))
        return nullptr;
    // Rows are stored bottom-up.
    return reinterpret_cast<DWORD*>(m_pBits) + static_cast<size_t>(m_nHeight - 1 - y) * m_nWidth + x;
}

COLORREF CEditorImage::GetPixel(int x, int y) const
{
    // GDI may have touched the bits through the DC.
    ::GdiFlush();
    const DWORD* pPixel = PixelAt(x, y);
    return pPixel != nullptr ? UnpackColor(*pPixel) : kKeyColor;
}

BYTE CEditorImage::GetPixelAlpha(int x, int y) const
{
    ::GdiFlush();
    const DWORD* pPixel = PixelAt(x, y);
    return pPixel != nullptr ? static_cast<BYTE>(*pPixel >> 24) : 0;
}

void CEditorImage::SetPixel(int x, int y, COLORREF clr, BYTE nAlpha)
{
    ::GdiFlush();
    if (DWORD* pPixel = PixelAt(x, y))
        *pPixel = PackPixel(clr, nAlpha);
}

BOOL CEditorImage::IsTransparentAt(int x, int y) const
{
    return GetPixel(x, y) == kKeyColor;
}

void CEditorImage::FillWithKey()
{
    ::GdiFlush();
    if (m_pBits == nullptr)
        return;
    DWORD* pPixels = reinterpret_cast<DWORD*>(m_pBits);
    std::fill(pPixels, pPixels + static_cast<size_t>(m_nWidth) * m_nHeight, kKeyPixel);
}

void CEditorImage::Shift(int dx, int dy)
{
    if (IsEmpty())
        return;
    CEditorImage moved;
    if (!moved.Create(m_nWidth, m_nHeight))
        return;
    moved.m_bAlpha = m_bAlpha;
    ::GdiFlush();
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
            if (DWORD* pTarget = moved.PixelAt(x + dx, y + dy))
                *pTarget = *PixelAt(x, y);
    *this = std::move(moved);
}

void CEditorImage::MakeChangedPixelsOpaque(const CEditorImage& before)
{
    ::GdiFlush();
    if (IsEmpty() || !m_bAlpha)
        return;
    const bool bSameSize = before.m_nWidth == m_nWidth && before.m_nHeight == m_nHeight && !before.IsEmpty();
    for (int y = 0; y < m_nHeight; ++y)
        for (int x = 0; x < m_nWidth; ++x)
        {
            DWORD* pPixel = PixelAt(x, y);
            if ((*pPixel & 0xFFFFFF) == (kKeyPixel & 0xFFFFFF))
                continue;
            if (!bSameSize || *before.PixelAt(x, y) != *pPixel)
                *pPixel |= 0xFF000000;
        }
}

BOOL CEditorImage::IsSameAs(const CEditorImage& other) const
{
    if (IsEmpty() || other.IsEmpty())
        return IsEmpty() && other.IsEmpty();
    ::GdiFlush();
    return m_nWidth == other.m_nWidth && m_nHeight == other.m_nHeight && m_bAlpha == other.m_bAlpha &&
           std::memcmp(m_pBits, other.m_pBits, static_cast<size_t>(m_nWidth) * m_nHeight * 4) == 0;
}

CEditorImageDC::CEditorImageDC(const CEditorImage& image)
{
    m_hDC = ::CreateCompatibleDC(nullptr);
    if (m_hDC != nullptr && image.GetBitmap() != nullptr)
        m_hOld = ::SelectObject(m_hDC, image.GetBitmap());
}

CEditorImageDC::~CEditorImageDC()
{
    if (m_hDC == nullptr)
        return;
    ::GdiFlush();
    if (m_hOld != nullptr)
        ::SelectObject(m_hDC, m_hOld);
    ::DeleteDC(m_hDC);
}
