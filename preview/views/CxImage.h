// The image layer of the image views: decodes a file by path and format number
// into 32-bit pixels (through the Windows Imaging Component), answers its size and
// stretches it onto a device context. Transparent pixels are laid over white.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

class CxImage
{
public:
    // No more pixels than this are decoded, whatever the file claims.
    static constexpr uint64_t kMaxPixels = 64ull * 1024 * 1024;

    CxImage() = default;
    // Decodes the file; an image that cannot be decoded is not valid and has size 0.
    CxImage(LPCWSTR fileName, int imageType);
    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    bool Load(LPCWSTR fileName, int imageType);
    bool IsValid() const { return m_width != 0 && m_height != 0; }
    uint32_t GetWidth() const { return m_width; }
    uint32_t GetHeight() const { return m_height; }
    // The pixel at (x, y) from the top left, as a COLORREF.
    COLORREF GetPixelColor(uint32_t x, uint32_t y) const;
    // Draws the whole image into the rectangle; the number of lines drawn.
    long Stretch(HDC hDC, long x, long y, long cx, long cy, DWORD rop = SRCCOPY) const;
    void Destroy();
    // The last Load failed because this machine has no decoder for the file's
    // format, not because its bytes are damaged.
    bool LacksDecoder() const { return m_lacksDecoder; }

private:
    bool DecodeWithWic(LPCWSTR fileName);
    bool DecodeOwnFormat(LPCWSTR fileName, int imageType);
    std::vector<uint32_t> m_pixels;  // top-down rows of blue, green, red, unused
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    bool m_lacksDecoder = false;
};
