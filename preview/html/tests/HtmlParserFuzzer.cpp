// Recovered pages through the whole parser, layout, painting and hit testing, and the
// text functions they rely on. The first byte chooses how the rest is read: as
// single-byte text or as UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>

#include "CBrowserDocument.h"
#include "HtmlColours.h"
#include "HtmlParser.h"
#include "HtmlParserFakes.h"
#include "HtmlRendererFakes.h"
#include "HtmlUrl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace preview;
  if (size == 0) return 0;
  std::u16string text;
  if (data[0] & 1) {
    for (std::size_t i = 1; i + 1 < size; i += 2) text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  } else {
    for (std::size_t i = 1; i < size; ++i) text += static_cast<char16_t>(data[i]);
  }
  FakeTextMeasurer measurer;
  FakeImageRegistry images;
  HtmlPageSettings settings;
  settings.baseUrl = (data[0] & 2) ? u"file://C:\\site\\page.txt" : u"file://C:\\site\\page.html";
  ParsedHtmlPage page = ParseHtmlPage(text, settings, measurer, images);
  (void)page;

  // The whole renderer: load with a host (forms make controls), lay out at a few
  // widths, paint, and ask the pointer questions.
  FakeBrowserHost host;
  FakeImageDecoder decoder;
  CBrowserDocument document(&host, measurer, decoder);
  document.Load(text, u"Arial", 15, 0, settings.baseUrl, PageOrigin::RecoveredFile);
  for (int width : {0, 37, 800}) {
    LayoutArea area{0, 0, width, 600};
    document.Layout(area);
  }
  RecordingCanvas canvas;
  document.Paint(canvas, HtmlRect{0, 0, 800, 600}, 0, 0);
  document.OnMouseMove(10, 10);
  document.OnClick(20, 20);
  document.SelectRect(HtmlRect{0, 0, 400, 300});
  (void)LookupHtmlColour(text);
  (void)ResolveUrl(text, u"http://host.example/a/b.html");
  (void)ResolveUrl(u"../x.gif", text);
  return 0;
}
