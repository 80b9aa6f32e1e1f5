// CIconImage: one picture of a command icon, a Windows icon or a 32-bit alpha
// bitmap, with the pre-multiplied copy that AlphaBlend draws. The default image
// owns what it is given; an image made from a handle or copied from another
// image only refers to handles that somebody else owns.
#pragma once

#include "Framework.h"

class CIconImage
{
public:
    CIconImage() = default;
    explicit CIconImage(HICON hIcon) : m_hIcon(hIcon), m_bOwns(FALSE) {}
    explicit CIconImage(HBITMAP hBitmap) : m_hBitmap(hBitmap), m_bOwns(FALSE) {}
    // A reference to the other's handles, never a second owner of them; the
    // pre-multiplied copy stays the other's.
    CIconImage(const CIconImage& other) : m_hIcon(other.m_hIcon), m_hBitmap(other.m_hBitmap), m_bOwns(FALSE) {}
    CIconImage& operator=(const CIconImage& other);
    ~CIconImage() { Clear(); }

    void SetIcon(HICON hIcon);
    void SetBitmap(HBITMAP hBitmap);
    // Owns a copy of a 32-bit bitmap (empty for other depths).
    void CopyAlphaBitmap(HBITMAP hBitmap);
    // Owns copies of the other's icon and bitmap.
    void CopyFrom(const CIconImage& other);
    void Clear();
    // Exchanges everything, ownership included.
    void Swap(CIconImage& other) noexcept;

    BOOL IsEmpty() const { return m_hIcon == nullptr && m_hBitmap == nullptr; }
    BOOL IsAlpha() const { return m_hBitmap != nullptr; }
    BOOL IsOwner() const { return m_bOwns; }
    HICON GetIcon() const { return m_hIcon; }
    HBITMAP GetBitmap() const { return m_hBitmap; }
    HBITMAP GetPremultipliedBitmap() const { return m_hPremultiplied; }
    SIZE GetExtent() const;

    // The icon of that size from an RT_GROUP_ICON (when bGroup) or RT_ICON
    // resource; 32-bit images become alpha bitmaps.
    BOOL LoadIconResource(UINT nID, int cx, int cy, BOOL bGroup);
    // Makes the pre-multiplied copy when missing; whether one exists.
    BOOL PrepareAlphaCache();

private:
    HICON m_hIcon = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HBITMAP m_hPremultiplied = nullptr;
    BOOL m_bOwns = TRUE;
};
