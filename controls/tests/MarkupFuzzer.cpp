// The markup parser and layout over arbitrary text, measured and drawn on the
// fixed-metric canvas with and without wrapping, then hit-tested.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FakeMarkupCanvas.h"
#include "MarkupDrawer.h"
#include "MarkupScan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t options = data[0];
  // Bytes map onto a small alphabet rich in markup so that tags form often;
  // a byte above 0xF0 carries a raw UTF-16 unit with the next byte.
  static constexpr char16_t kAlphabet[] =
      u"<>/=\"' &;#%-+.0123456789abcdefghilmnoprstuvwxyz\r\n\t<>tablerd";
  std::u16string text;
  for (size_t i = 1; i < size; ++i) {
    uint8_t byte = data[i];
    if (byte >= 0xF0 && i + 1 < size) {
      text += static_cast<char16_t>(((byte & 0x0F) << 8) | data[++i]);
    } else if (byte >= 0x80) {
      text += static_cast<char16_t>(byte & 0x7F);
    } else {
      text += kAlphabet[byte % (std::size(kAlphabet) - 1)];
    }
  }
  if (options & 0x10) text = markup::EscapeMarkup(text);

  markup::CMarkupDrawer drawer;
  drawer.SetMaximumWidth((options & 0x0F) * 40);
  drawer.SetEnabled((options & 0x20) == 0);
  drawer.SetNewlineMode((options & 0x40) == 0);
  markup::testing::FakeMarkupCanvas canvas;
  markup::Size measured = drawer.PrepareOutput(canvas, text);
  drawer.DrawPreparedOutput(canvas, markup::Rect{0, 0, measured.cx, measured.cy});
  drawer.DrawPreparedOutput(canvas, markup::Rect{5, 5, 5 + measured.cx / 2, 5 + measured.cy});
  drawer.HitTest(markup::Point{measured.cx / 2, measured.cy / 2});
  drawer.OnClick(markup::Point{1, 1});
  return 0;
}
