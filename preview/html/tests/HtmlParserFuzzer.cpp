// Recovered pages through the whole parser and the text functions it relies on. The
// first byte chooses how the rest is read: as single-byte text or as UTF-16.
#include <cstddef>
#include <cstdint>
#include <string>

#include "HtmlColours.h"
#include "HtmlParser.h"
#include "HtmlParserFakes.h"
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
  (void)LookupHtmlColour(text);
  (void)ResolveUrl(text, u"http://host.example/a/b.html");
  (void)ResolveUrl(u"../x.gif", text);
  return 0;
}
