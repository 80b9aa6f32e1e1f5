#include "GdiHtmlRendering.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <string>

namespace preview {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

int ClampLength(std::size_t length) { return static_cast<int>(std::min<std::size_t>(length, 32767)); }

// A screen-compatible bitmap of the given size, with a memory context selecting it.
HBITMAP CreateScreenBitmap(int width, int height) {
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

HFONT CreateRunFont(std::u16string_view face, int height, bool bold, bool italic, bool underline, bool strike) {
  std::u16string name(face.substr(0, LF_FACESIZE - 1));
  return ::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, underline, strike,
                       name == u"Wingdings" ? SYMBOL_CHARSET : ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Wide(name));
}

TextExtent GdiTextMeasurer::MeasureText(std::u16string_view face, int height, bool bold, bool italic,
                                        std::u16string_view text) {
  HDC screen = ::GetDC(nullptr);
  HFONT font = CreateRunFont(face, height, bold, italic, false, false);
  HGDIOBJ old = ::SelectObject(screen, font);
  SIZE size{};
  ::GetTextExtentPoint32W(screen, reinterpret_cast<const wchar_t*>(text.data()), ClampLength(text.size()), &size);
  ::SelectObject(screen, old);
  ::DeleteObject(font);
  ::ReleaseDC(nullptr, screen);
  return {size.cx, size.cy};
}

int GdiTextMeasurer::ScrollBarWidth() { return ::GetSystemMetrics(SM_CXVSCROLL); }

GdiBitmap::~GdiBitmap() {
  if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
}

std::shared_ptr<HtmlBitmap> PictureImageDecoder::Decode(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty() || bytes.size() > 0x7FFFFFFF) return nullptr;
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (block == nullptr) return nullptr;
  if (void* memory = ::GlobalLock(block)) {
    std::copy(bytes.begin(), bytes.end(), static_cast<std::uint8_t*>(memory));
    ::GlobalUnlock(block);
  }
  IStream* stream = nullptr;
  IPicture* picture = nullptr;
  if (SUCCEEDED(::CreateStreamOnHGlobal(block, FALSE, &stream))) {
    ::OleLoadPicture(stream, static_cast<LONG>(bytes.size()), TRUE, IID_IPicture, reinterpret_cast<void**>(&picture));
    stream->Release();
  }
  ::GlobalFree(block);
  if (picture == nullptr) return nullptr;

  std::shared_ptr<HtmlBitmap> result;
  OLE_HANDLE handle = 0;
  SHORT type = PICTYPE_UNINITIALIZED;
  picture->get_Type(&type);
  OLE_XSIZE_HIMETRIC himetricWidth = 0;
  OLE_YSIZE_HIMETRIC himetricHeight = 0;
  picture->get_Width(&himetricWidth);
  picture->get_Height(&himetricHeight);
  HDC screen = ::GetDC(nullptr);
  int width = ::MulDiv(himetricWidth, ::GetDeviceCaps(screen, LOGPIXELSX), 2540);
  int height = ::MulDiv(himetricHeight, ::GetDeviceCaps(screen, LOGPIXELSY), 2540);
  BITMAP info{};
  if (type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle)) &&
      ::GetObjectW(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)), sizeof(info), &info) != 0) {
    width = info.bmWidth;
    height = info.bmHeight;
  }
  if (width > 0 && height > 0 && width <= 16384 && height <= 16384) {
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    HDC target = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(target, copy);
    RECT all{0, 0, width, height};
    ::FillRect(target, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    // Render draws every picture type (bitmaps, icons, metafiles) upside down in HIMETRIC.
    picture->Render(target, 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, nullptr);
    ::SelectObject(target, old);
    ::DeleteDC(target);
    if (copy != nullptr) result = std::make_shared<GdiBitmap>(copy, width, height);
  }
  ::ReleaseDC(nullptr, screen);
  picture->Release();
  return result;
}

std::shared_ptr<HtmlBitmap> PictureImageDecoder::MakePlaceholder() {
  HBITMAP bitmap = CreateScreenBitmap(kPlaceholderWidth, kPlaceholderHeight);
  HDC screen = ::GetDC(nullptr);
  HDC target = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(target, bitmap);
  RECT all{0, 0, kPlaceholderWidth, kPlaceholderHeight};
  ::FillRect(target, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SelectObject(target, old);
  ::DeleteDC(target);
  ::ReleaseDC(nullptr, screen);
  return std::make_shared<GdiBitmap>(bitmap, kPlaceholderWidth, kPlaceholderHeight);
}

GdiHtmlCanvas::GdiHtmlCanvas(HDC dc) : dc_(dc), source_(::CreateCompatibleDC(dc)), savedState_(::SaveDC(dc)) {
  ::SetBkMode(dc_, TRANSPARENT);
  ::SetTextAlign(dc_, TA_TOP | TA_LEFT);
  ::SetStretchBltMode(dc_, COLORONCOLOR);
}

GdiHtmlCanvas::~GdiHtmlCanvas() {
  ::DeleteDC(source_);
  ::RestoreDC(dc_, savedState_);
}

void GdiHtmlCanvas::FillRect(const HtmlRect& r, HtmlColour colour) {
  ::SetBkColor(dc_, colour);
  const RECT rect{r.left, r.top, r.right, r.bottom};
  ::ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void GdiHtmlCanvas::DrawTextRun(const BrowserElement& run, int x, int y, HtmlColour colour, bool underline, bool strike) {
  HFONT font = CreateRunFont(run.face, run.fontHeight, run.bold != 0, run.italic != 0, underline, strike);
  HGDIOBJ old = ::SelectObject(dc_, font);
  ::SetTextColor(dc_, colour);
  ::TextOutW(dc_, x, y, reinterpret_cast<const wchar_t*>(run.text.c_str()), ClampLength(run.text.size()));
  ::SelectObject(dc_, old);
  ::DeleteObject(font);
}

void GdiHtmlCanvas::StretchBitmap(const HtmlBitmap& bitmap, const HtmlRect& d) {
  const auto& gdi = static_cast<const GdiBitmap&>(bitmap);
  HGDIOBJ old = ::SelectObject(source_, gdi.Handle());
  ::StretchBlt(dc_, d.left, d.top, d.right - d.left, d.bottom - d.top, source_, 0, 0, gdi.Width(), gdi.Height(), SRCCOPY);
  ::SelectObject(source_, old);
}

void GdiHtmlCanvas::DrawBitmapPart(const HtmlBitmap& bitmap, int x, int y, int width, int height) {
  const auto& gdi = static_cast<const GdiBitmap&>(bitmap);
  HGDIOBJ old = ::SelectObject(source_, gdi.Handle());
  ::BitBlt(dc_, x, y, width, height, source_, 0, 0, SRCCOPY);
  ::SelectObject(source_, old);
}

}  // namespace preview
