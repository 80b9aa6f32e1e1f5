// What the markup layout needs of a drawing surface. The Windows program
// implements it over an HDC and the effect painter; tests use fixed metrics.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "MarkupTypes.h"

namespace markup {

struct MarkupFont {
  int size = 16;  // cell height in pixels
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::u16string face;
};

struct MarkupTextMetrics {
  int height = 0;
  int ascent = 0;
};

// Source of an image tag: the first of resource id, file, module resource and
// handle that is given wins.
struct MarkupImageSource {
  int resourceId = 0;
  int moduleResourceId = 0;
  uintptr_t handle = 0;
  std::u16string file;
  std::u16string moduleFile;
};

struct MarkupImage {
  uintptr_t handle = 0;
  int width = 0;
  int height = 0;
  bool owned = false;  // loaded for this tag and released after use
  explicit operator bool() const { return handle != 0; }
};

// How one image is drawn (the effect painter's image arguments).
struct MarkupImageDraw {
  int x = 0, y = 0, width = 0, height = 0;
  int effectBits = 0;
  bool useMask = false;
  Color maskColor = 0;
  bool shadow = false;
  int shadowDx = 0, shadowDy = 0, blurWidth = 0, blurHeight = 0;
  Color color = 0;
};

enum class MarkupBackgroundSource { ResourceId, ModuleResourceId, File };

class MarkupCanvas {
 public:
  virtual ~MarkupCanvas() = default;

  // One layout pass: the canvas remembers its font and text colours at the start
  // and puts them back at the end.
  virtual void BeginPass() = 0;
  virtual void EndPass() = 0;

  virtual void SelectFont(const MarkupFont& font) = 0;
  virtual MarkupTextMetrics Metrics() = 0;
  virtual Size TextExtent(std::u16string_view text) = 0;
  virtual int LogPixelsY() = 0;
  // Background mode 1 transparent, 2 opaque.
  virtual void SetTextColors(int backgroundMode, Color text, Color background) = 0;
  virtual void SetJustification(int extra, int breaks) = 0;
  virtual void DrawTextAt(int x, int y, std::u16string_view text) = 0;

  virtual void FillEffect(int effect, const Rect& rect, Color c1, Color c2, Color c3, int granularity, int blend) = 0;
  virtual void DrawFrame(const Rect& rect, Color topLeft, Color bottomRight, int type, int penWidth) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2, Color color, int type, int penWidth) = 0;
  virtual void TileBackgroundImage(const Rect& rect, MarkupBackgroundSource source, int id,
                                   const std::u16string& file) = 0;

  virtual MarkupImage LoadBitmapImage(const MarkupImageSource& source) = 0;
  virtual MarkupImage LoadIconImage(const MarkupImageSource& source, int width, int height) = 0;
  virtual int ImageListCount(uintptr_t imageList) = 0;
  virtual MarkupImage ImageListIcon(uintptr_t imageList, int index) = 0;
  virtual void ReleaseImage(const MarkupImage& image, bool icon) = 0;
  virtual void DrawBitmap(const MarkupImage& image, const MarkupImageDraw& how) = 0;
  virtual void DrawIcon(const MarkupImage& image, const MarkupImageDraw& how) = 0;
  virtual void DrawStripImage(const MarkupImage& strip, int index, int cellWidth, int cellHeight,
                              const MarkupImageDraw& how) = 0;

  virtual std::u16string LoadStringResource(int id) = 0;
  virtual Size SystemIconSize() = 0;
};

}  // namespace markup
