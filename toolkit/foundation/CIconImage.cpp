#include "CIconImage.h"

#include "AlphaBitmaps.h"
#include "CCommandIconStore.h"
#include "IconResources.h"
#include "core/IconSourceFormats.h"

#include <ranges>
#include <utility>

namespace {

// The icon format version that CreateIconFromResourceEx expects.
constexpr DWORD kIconResourceVersion = 0x00030000;

}  // namespace

CIconImage& CIconImage::operator=(const CIconImage& other)
{
    if (this != &other)
    {
        Clear();
        m_hIcon = other.m_hIcon;
        m_hBitmap = other.m_hBitmap;
        m_bOwns = FALSE;
    }
    return *this;
}

void CIconImage::SetIcon(HICON hIcon)
{
    Clear();
    m_hIcon = hIcon;
    m_bOwns = TRUE;
}

void CIconImage::SetBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hBitmap = hBitmap;
    m_bOwns = TRUE;
}

void CIconImage::CopyAlphaBitmap(HBITMAP hBitmap)
{
    Clear();
    m_hBitmap = ::CopyAlphaBitmap(hBitmap);
    m_bOwns = TRUE;
}

void CIconImage::CopyFrom(const CIconImage& other)
{
    if (this == &other)
        return;
    Clear();
    if (other.m_hIcon != nullptr)
        m_hIcon = ::CopyIcon(other.m_hIcon);
    if (other.m_hBitmap != nullptr)
        m_hBitmap = ::CopyAlphaBitmap(other.m_hBitmap);
    m_bOwns = TRUE;
}

void CIconImage::Clear()
{
    if (m_bOwns)
    {
        if (m_hIcon != nullptr)
            ::DestroyIcon(m_hIcon);
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
    }
    if (m_hPremultiplied != nullptr)
        ::DeleteObject(m_hPremultiplied);
    m_hIcon = nullptr;
    m_hBitmap = nullptr;
    m_hPremultiplied = nullptr;
}

void CIconImage::Swap(CIconImage& other) noexcept
{
    std::swap(m_hIcon, other.m_hIcon);
    std::swap(m_hBitmap, other.m_hBitmap);
    std::swap(m_hPremultiplied, other.m_hPremultiplied);
    std::swap(m_bOwns, other.m_bOwns);
}

SIZE CIconImage::GetExtent() const
{
    if (m_hIcon != nullptr)
        return GetIconSize(m_hIcon);
    BITMAP bitmap = {};
    if (m_hBitmap != nullptr && ::GetObjectW(m_hBitmap, sizeof(bitmap), &bitmap))
        return {bitmap.bmWidth, std::abs(bitmap.bmHeight)};
    return {0, 0};
}

BOOL CIconImage::LoadIconResource(UINT nID, int cx, int cy, BOOL bGroup)
{
    if (bGroup)
    {
        const std::span<const uint8_t> group = FindResourceBytes(MAKEINTRESOURCEW(nID), RT_GROUP_ICON);
        if (!group.empty())
        {
            const std::vector<kit::GroupIconEntry> entries = kit::ReadGroupIconDirectory(group);
            for (const kit::GroupIconEntry& entry : entries | std::views::reverse)
            {
                if (entry.width == static_cast<uint8_t>(cx) && entry.height == static_cast<uint8_t>(cy) &&
                    LoadIconResource(entry.iconId, cx, cy, FALSE))
                {
                    return TRUE;
                }
            }
            return FALSE;
        }
    }
    const std::span<const uint8_t> image = FindResourceBytes(MAKEINTRESOURCEW(nID), RT_ICON);
    if (image.empty())
        return FALSE;
    if (kit::IconImageBitCount(image) == 32)
    {
        if (!GetCommandIconStore()->IsAlphaBlendAvailable())
            return FALSE;
        const std::optional<kit::AlphaPixels> picture = kit::DecodeAlphaIconImage(image);
        if (picture)
            SetBitmap(CreateDibFromBits(picture->header.data(), picture->header.size(), picture->pixels.data(),
                                        picture->pixels.size()));
    }
    else
    {
        SetIcon(::CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                           kIconResourceVersion, cx, cy, 0));
    }
    return !IsEmpty();
}

BOOL CIconImage::PrepareAlphaCache()
{
    if (m_hPremultiplied == nullptr)
    {
        if (m_hBitmap != nullptr)
        {
            m_hPremultiplied = PreMultiplyAlphaBitmap(m_hBitmap);
        }
        else if (m_hIcon != nullptr)
        {
            ICONINFO info = {};
            if (::GetIconInfo(m_hIcon, &info))
            {
                if (info.hbmColor != nullptr)
                    m_hPremultiplied = PreMultiplyAlphaBitmap(info.hbmColor);
                if (info.hbmColor != nullptr)
                    ::DeleteObject(info.hbmColor);
                if (info.hbmMask != nullptr)
                    ::DeleteObject(info.hbmMask);
            }
        }
    }
    return m_hPremultiplied != nullptr;
}
