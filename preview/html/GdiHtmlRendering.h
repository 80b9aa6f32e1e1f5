#pragma once
// The renderer's portable core on GDI: text measured with the run's own font on a
// screen context, pictures decoded by the system's picture loader into screen
// bitmaps, and a canvas that paints into a device context.

#include <windows.h>

#include "CBrowserImageCache.h"
#include "HtmlPainter.h"

namespace preview {

// A font as a text run asks for it: Wingdings gets the symbol character set.
HFONT CreateRunFont(std::u16string_view face, int height, bool bold, bool italic, bool underline, bool strike);

class GdiTextMeasurer : public HtmlTextMeasurer {
 public:
  TextExtent MeasureText(std::u16string_view face, int height, bool bold, bool italic, std::u16string_view text) override;
  int ScrollBarWidth() override;
};

class GdiBitmap : public HtmlBitmap {
 public:
  GdiBitmap(HBITMAP bitmap, int width, int height) : bitmap_(bitmap), width_(width), height_(height) {}
  ~GdiBitmap() override;
  GdiBitmap(const GdiBitmap&) = delete;
  GdiBitmap& operator=(const GdiBitmap&) = delete;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  HBITMAP Handle() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
  int width_, height_;
};

// Decodes through OleLoadPicture (BMP, GIF, JPEG, icons, metafiles) from a memory
// stream; the picture is copied into a bitmap compatible with the screen.
class PictureImageDecoder : public HtmlImageDecoder {
 public:
  std::shared_ptr<HtmlBitmap> Decode(const std::vector<std::uint8_t>& bytes) override;
  std::shared_ptr<HtmlBitmap> MakePlaceholder() override;
};

class GdiHtmlCanvas : public HtmlCanvas {
 public:
  explicit GdiHtmlCanvas(HDC dc);
  ~GdiHtmlCanvas() override;
  GdiHtmlCanvas(const GdiHtmlCanvas&) = delete;
  GdiHtmlCanvas& operator=(const GdiHtmlCanvas&) = delete;

  void FillRect(const HtmlRect& rectangle, HtmlColour colour) override;
  void DrawTextRun(const BrowserElement& run, int x, int y, HtmlColour colour, bool underline, bool strike) override;
  void StretchBitmap(const HtmlBitmap& bitmap, const HtmlRect& destination) override;
  void DrawBitmapPart(const HtmlBitmap& bitmap, int x, int y, int width, int height) override;

 private:
  HDC dc_;
  HDC source_;
  int savedState_;
};

}  // namespace preview
