#include "GdiMarkupCanvas.h"

#include <commctrl.h>

#include <cstring>

#include "GdiHandles.h"

CGdiMarkupCanvas::CGdiMarkupCanvas(HDC dc, CEffectPainter& painter, HINSTANCE resourceModule)
    : dc_(dc), painter_(painter), module_(resourceModule) {}

CGdiMarkupCanvas::~CGdiMarkupCanvas() { EndPass(); }

HINSTANCE CGdiMarkupCanvas::ResourceModule() const { return module_ ? module_ : GetModuleHandleW(nullptr); }

void CGdiMarkupCanvas::BeginPass() {
  EndPass();
  inPass_ = true;
  savedBackgroundMode_ = GetBkMode(dc_);
  savedTextColor_ = GetTextColor(dc_);
  savedBackgroundColor_ = GetBkColor(dc_);
}

void CGdiMarkupCanvas::EndPass() {
  if (!inPass_) return;
  inPass_ = false;
  SetBkMode(dc_, savedBackgroundMode_);
  SetBkColor(dc_, savedBackgroundColor_);
  SetTextColor(dc_, savedTextColor_);
  SetTextJustification(dc_, 0, 0);
  if (previousFont_) SelectObject(dc_, previousFont_);
  if (font_) DeleteObject(font_);
  font_ = nullptr;
  previousFont_ = nullptr;
}

void CGdiMarkupCanvas::SelectFont(const markup::MarkupFont& font) {
  LOGFONTW logFont{};
  logFont.lfHeight = font.size;
  logFont.lfWeight = font.weight;
  logFont.lfItalic = font.italic;
  logFont.lfUnderline = font.underline;
  logFont.lfStrikeOut = font.strikeOut;
  logFont.lfCharSet = DEFAULT_CHARSET;
  std::u16string face = font.face.substr(0, LF_FACESIZE - 1);
  std::memcpy(logFont.lfFaceName, face.c_str(), (face.size() + 1) * sizeof(char16_t));
  HFONT created = CreateFontIndirectW(&logFont);
  if (!created) return;
  HGDIOBJ replaced = SelectObject(dc_, created);
  if (!previousFont_) previousFont_ = replaced;
  if (font_) DeleteObject(font_);
  font_ = created;
}

markup::MarkupTextMetrics CGdiMarkupCanvas::Metrics() {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc_, &metrics);
  return {metrics.tmHeight, metrics.tmAscent};
}

markup::Size CGdiMarkupCanvas::TextExtent(std::u16string_view text) {
  SIZE size{0, 0};
  if (!text.empty()) {
    GetTextExtentPoint32W(dc_, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &size);
  } else {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    size.cy = metrics.tmHeight;
  }
  return {size.cx, size.cy};
}

int CGdiMarkupCanvas::LogPixelsY() { return GetDeviceCaps(dc_, LOGPIXELSY); }

void CGdiMarkupCanvas::SetTextColors(int backgroundMode, markup::Color text, markup::Color background) {
  SetBkMode(dc_, backgroundMode == 2 ? OPAQUE : TRANSPARENT);
  SetTextColor(dc_, text);
  SetBkColor(dc_, background);
}

void CGdiMarkupCanvas::SetJustification(int extra, int breaks) { SetTextJustification(dc_, extra, breaks); }

void CGdiMarkupCanvas::DrawTextAt(int x, int y, std::u16string_view text) {
  TextOutW(dc_, x, y, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()));
}

void CGdiMarkupCanvas::FillEffect(int effect, const markup::Rect& rect, markup::Color c1, markup::Color c2,
                                  markup::Color c3, int granularity, int blend) {
  painter_.FillEffect(dc_, effect, RECT{rect.left, rect.top, rect.right, rect.bottom}, c1, c2, c3, granularity, blend);
}

void CGdiMarkupCanvas::DrawFrame(const markup::Rect& rect, markup::Color topLeft, markup::Color bottomRight, int type,
                                 int penWidth) {
  painter_.DrawFrame(dc_, RECT{rect.left, rect.top, rect.right, rect.bottom}, topLeft, bottomRight, type, penWidth);
}

void CGdiMarkupCanvas::DrawLine(int x1, int y1, int x2, int y2, markup::Color color, int type, int penWidth) {
  painter_.DrawLine(dc_, x1, y1, x2, y2, color, type, penWidth);
}

HANDLE CGdiMarkupCanvas::LoadImageResource(const markup::MarkupImageSource& source, UINT type, int width, int height,
                                           bool& owned) {
  owned = true;
  const UINT sized = type == IMAGE_ICON ? 0 : LR_CREATEDIBSECTION | LR_DEFAULTSIZE;
  if (source.resourceId != 0) {
    return LoadImageW(ResourceModule(), MAKEINTRESOURCEW(source.resourceId), type, width, height, LR_DEFAULTCOLOR);
  }
  if (!source.file.empty()) {
    return LoadImageW(nullptr, AsWide(source.file), type, width, height, LR_LOADFROMFILE | sized);
  }
  if (source.moduleResourceId != 0) {
    if (source.moduleFile.empty()) return nullptr;
    HMODULE module = LoadLibraryExW(AsWide(source.moduleFile), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return nullptr;
    HANDLE image = LoadImageW(module, MAKEINTRESOURCEW(source.moduleResourceId), type, width, height,
                              type == IMAGE_ICON ? LR_DEFAULTCOLOR : sized);
    FreeLibrary(module);
    return image;
  }
  owned = false;  // the caller's handle is never deleted
  return reinterpret_cast<HANDLE>(source.handle);
}

markup::MarkupImage CGdiMarkupCanvas::LoadBitmapImage(const markup::MarkupImageSource& source) {
  bool owned = false;
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageResource(source, IMAGE_BITMAP, 0, 0, owned));
  SIZE size{0, 0};
  CEffectPainter::GetBitmapSize(bitmap, size);
  if (size.cx == 0 || size.cy == 0) {
    if (bitmap && owned) DeleteObject(bitmap);
    return {};
  }
  return {reinterpret_cast<uintptr_t>(bitmap), size.cx, size.cy, owned};
}

markup::MarkupImage CGdiMarkupCanvas::LoadIconImage(const markup::MarkupImageSource& source, int width, int height) {
  bool owned = false;
  HICON icon = static_cast<HICON>(LoadImageResource(source, IMAGE_ICON, width, height, owned));
  SIZE size{0, 0};
  CEffectPainter::GetIconSize(icon, size);
  if (size.cx == 0 || size.cy == 0) {
    if (icon && owned) DestroyIcon(icon);
    return {};
  }
  return {reinterpret_cast<uintptr_t>(icon), size.cx, size.cy, owned};
}

int CGdiMarkupCanvas::ImageListCount(uintptr_t imageList) {
  return imageList ? ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(imageList)) : 0;
}

markup::MarkupImage CGdiMarkupCanvas::ImageListIcon(uintptr_t imageList, int index) {
  HICON icon = ImageList_GetIcon(reinterpret_cast<HIMAGELIST>(imageList), index, 0);
  SIZE size{0, 0};
  CEffectPainter::GetIconSize(icon, size);
  return icon ? markup::MarkupImage{reinterpret_cast<uintptr_t>(icon), size.cx, size.cy, true} : markup::MarkupImage{};
}

void CGdiMarkupCanvas::ReleaseImage(const markup::MarkupImage& image, bool icon) {
  if (!image.owned || !image.handle) return;
  if (icon) {
    DestroyIcon(reinterpret_cast<HICON>(image.handle));
  } else {
    DeleteObject(reinterpret_cast<HGDIOBJ>(image.handle));
  }
}

void CGdiMarkupCanvas::DrawBitmap(const markup::MarkupImage& image, const markup::MarkupImageDraw& how) {
  painter_.DrawBitmap(dc_, how.x, how.y, how.width, how.height, reinterpret_cast<HBITMAP>(image.handle), how.useMask,
                      how.maskColor, how.effectBits, how.shadow, how.shadowDx, how.shadowDy, how.blurWidth,
                      how.blurHeight, how.color);
}

void CGdiMarkupCanvas::DrawIcon(const markup::MarkupImage& image, const markup::MarkupImageDraw& how) {
  painter_.DrawIcon(dc_, how.x, how.y, how.width, how.height, reinterpret_cast<HICON>(image.handle), how.effectBits,
                    how.shadow, how.shadowDx, how.shadowDy, how.blurWidth, how.blurHeight, how.color);
}

void CGdiMarkupCanvas::DrawStripImage(const markup::MarkupImage& strip, int index, int cellWidth, int cellHeight,
                                      const markup::MarkupImageDraw& how) {
  painter_.DrawStripImage(dc_, how.x, how.y, how.width, how.height, reinterpret_cast<HBITMAP>(strip.handle), index,
                          cellWidth, cellHeight, how.useMask, how.maskColor, how.effectBits, how.shadow, how.shadowDx,
                          how.shadowDy, how.blurWidth, how.blurHeight, how.color);
}

void CGdiMarkupCanvas::TileBackgroundImage(const markup::Rect& rect, markup::MarkupBackgroundSource source, int id,
                                           const std::u16string& file) {
  markup::MarkupImageSource image;
  if (source == markup::MarkupBackgroundSource::ResourceId) image.resourceId = id;
  if (source == markup::MarkupBackgroundSource::File) image.file = file;
  if (source == markup::MarkupBackgroundSource::ModuleResourceId) {
    if (id == 0) return;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(ResourceModule(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    GdiObject<HBITMAP> holder(bitmap);
    SIZE size{0, 0};
    CEffectPainter::GetBitmapSize(bitmap, size);
    MemoryDc memory(dc_);
    if (!bitmap || !memory) return;
    SelectionGuard select(memory.Get(), bitmap);
    painter_.TileBitmap(dc_, rect.left, rect.top, rect.Width(), rect.Height(), memory.Get(), 0, 0, size.cx, size.cy);
    return;
  }
  markup::MarkupImage loaded = LoadBitmapImage(image);
  if (!loaded) return;
  MemoryDc memory(dc_);
  if (memory) {
    SelectionGuard select(memory.Get(), reinterpret_cast<HBITMAP>(loaded.handle));
    painter_.TileBitmap(dc_, rect.left, rect.top, rect.Width(), rect.Height(), memory.Get(), 0, 0, loaded.width,
                        loaded.height);
  }
  ReleaseImage(loaded, false);
}

std::u16string CGdiMarkupCanvas::LoadStringResource(int id) {
  wchar_t buffer[260] = {};
  if (id == 0 || LoadStringW(ResourceModule(), static_cast<UINT>(id), buffer, 260) <= 0) return {};
  return FromWide(buffer);
}

markup::Size CGdiMarkupCanvas::SystemIconSize() {
  return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
}
