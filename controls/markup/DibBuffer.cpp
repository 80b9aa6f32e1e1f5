#include "DibBuffer.h"

#include <cstdlib>
#include <cstring>

CDibBuffer::~CDibBuffer() { Release(); }

void* CDibBuffer::Create(int width, int height, int bitsPerPixel) {
  Release();
  if (width <= 0 || height <= 0 || bitsPerPixel <= 0 || bitsPerPixel > 32) return nullptr;
  const long long stride = (static_cast<long long>(width) * bitsPerPixel + 31) / 32 * 4;
  const long long imageSize = stride * height;
  if (imageSize > 0x7FFFFFFF - 2048) return nullptr;
  const uint16_t paletteCount = bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(BITMAPINFOHEADER);
  header.biWidth = width;
  header.biHeight = height;  // positive: rows stored bottom-up
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bitsPerPixel);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(imageSize);

  BYTE* block = static_cast<BYTE*>(std::malloc(header.biSize + paletteCount * 4u + header.biSizeImage));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &header, sizeof(header));
  block_ = block;
  header_ = header;
  stride_ = static_cast<int>(stride);
  paletteCount_ = paletteCount;
  return block_;
}

void CDibBuffer::Release() {
  if (memoryDc_) DeleteDC(memoryDc_);
  if (section_) DeleteObject(section_);
  std::free(block_);
  block_ = nullptr;
  memoryDc_ = nullptr;
  section_ = nullptr;
  sectionBits_ = nullptr;
  header_ = BITMAPINFOHEADER{};
  stride_ = 0;
  paletteCount_ = 0;
}

DWORD CDibBuffer::GetTotalSize() const { return header_.biSize + GetPaletteSize() + header_.biSizeImage; }

BYTE* CDibBuffer::GetBits() const { return block_ ? block_ + header_.biSize + GetPaletteSize() : nullptr; }

const RGBQUAD* CDibBuffer::Palette() const {
  return block_ ? reinterpret_cast<const RGBQUAD*>(block_ + header_.biSize) : nullptr;
}

void CDibBuffer::SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue) {
  if (!block_ || paletteCount_ == 0 || index < 0 || index >= paletteCount_) return;
  BYTE* entry = block_ + header_.biSize + index * 4;
  entry[0] = blue;
  entry[1] = green;
  entry[2] = red;
  entry[3] = 0;
}

void CDibBuffer::BlendPalette(COLORREF color, int percent) {
  if (!block_) return;
  if (percent > 100) percent = 100;
  if (percent < 0) percent = 0;
  BYTE* entry = block_ + header_.biSize;
  const int channels[3] = {GetBValue(color), GetGValue(color), GetRValue(color)};
  for (int i = 0; i < paletteCount_; ++i, entry += 4) {
    for (int c = 0; c < 3; ++c) entry[c] = static_cast<BYTE>((channels[c] * percent + entry[c] * (100 - percent)) / 100);
  }
}

void CDibBuffer::Fill(BYTE value) {
  if (BYTE* bits = GetBits()) std::memset(bits, value, header_.biSizeImage);
}

void CDibBuffer::SetPixelIndex(int x, int y, BYTE index) {
  if (!block_ || paletteCount_ == 0 || x < 0 || y < 0 || x >= header_.biWidth || y >= header_.biHeight) return;
  GetBits()[static_cast<size_t>(header_.biHeight - 1 - y) * stride_ + x] = index;
}

void CDibBuffer::Draw(HDC dc, int x, int y) {
  if (!block_ || !dc) return;
  if (!section_) {
    section_ = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(block_), DIB_RGB_COLORS, &sectionBits_, nullptr, 0);
    if (!section_ || !sectionBits_) {
      if (section_) DeleteObject(section_);
      section_ = nullptr;
      sectionBits_ = nullptr;
      return;
    }
  }
  std::memcpy(sectionBits_, GetBits(), header_.biSizeImage);
  if (!memoryDc_) {
    memoryDc_ = CreateCompatibleDC(dc);
    if (!memoryDc_) return;
  }
  HGDIOBJ previous = SelectObject(memoryDc_, section_);
  BitBlt(dc, x, y, header_.biWidth, header_.biHeight, memoryDc_, 0, 0, SRCCOPY);
  SelectObject(memoryDc_, previous);
}
