#include "CHtmlResourceLoader.h"

#include "HtmlFetch.h"

namespace preview {

namespace {

std::optional<std::vector<std::uint8_t>> Resource(std::u16string_view url) {
  const std::wstring wide(url.begin(), url.end());
  if (!StartsWithIgnoringCase(wide, L"res://")) return std::nullopt;
  return ReadHtmlResource(wide);
}

}  // namespace

std::optional<std::u16string> CHtmlResourceLoader::FetchPage(std::u16string_view url) {
  auto bytes = Resource(url);
  if (!bytes) return std::nullopt;
  std::u16string page(bytes->size() / 2, u'\0');
  for (std::size_t i = 0; i < page.size(); ++i)
    page[i] = static_cast<char16_t>((*bytes)[2 * i] | ((*bytes)[2 * i + 1] << 8));
  return page;
}

std::optional<std::vector<std::uint8_t>> CHtmlResourceLoader::FetchImage(const std::u16string& url) {
  return Resource(url);
}

CHtmlResourceLoader& DefaultHtmlResourceLoader() {
  static CHtmlResourceLoader loader;
  return loader;
}

}  // namespace preview
