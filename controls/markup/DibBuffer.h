// A small palette-based device-independent bitmap held in memory, filled pixel by
// pixel and blitted through a DIB section kept between draws.
#pragma once

#include <windows.h>

#include <cstdint>

class CDibBuffer {
 public:
  CDibBuffer() = default;
  virtual ~CDibBuffer();
  CDibBuffer(const CDibBuffer&) = delete;
  CDibBuffer& operator=(const CDibBuffer&) = delete;

  // Releases what the object holds and lays out header, palette and pixels in one
  // block; palette and pixels are not initialised. NULL when allocation fails.
  void* Create(int width, int height, int bitsPerPixel);
  void Release();

  DWORD GetTotalSize() const;
  DWORD GetPaletteSize() const { return paletteCount_ * 4u; }
  BYTE* GetBits() const;
  int Width() const { return header_.biWidth; }
  int Height() const { return header_.biHeight; }
  int Stride() const { return stride_; }
  int PaletteCount() const { return paletteCount_; }
  const RGBQUAD* Palette() const;

  void SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue);
  void BlendPalette(COLORREF color, int percent);
  void Fill(BYTE value);
  // y counts from the top; one byte a pixel (8-bit buffers).
  void SetPixelIndex(int x, int y, BYTE index);
  void Draw(HDC dc, int x, int y);

 private:
  BYTE* block_ = nullptr;
  BITMAPINFOHEADER header_{};
  int stride_ = 0;
  uint16_t paletteCount_ = 0;
  HBITMAP section_ = nullptr;
  HDC memoryDc_ = nullptr;
  void* sectionBits_ = nullptr;
};
