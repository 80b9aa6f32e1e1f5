#include "HtmlUrl.h"

#include <algorithm>

#include "HtmlText.h"

namespace preview {

namespace {

constexpr std::u16string_view kSchemeMark = u"://";
constexpr std::u16string_view kFileScheme = u"file://";

bool IsAbsolute(std::u16string_view relative) {
  const std::size_t mark = relative.find(kSchemeMark);
  return mark != std::u16string_view::npos && mark < relative.find(u'/');
}

// Index of the first character after "scheme://", or 0 when the text has no scheme.
std::size_t HostStart(std::u16string_view url) {
  const std::size_t mark = url.find(kSchemeMark);
  return mark == std::u16string_view::npos ? 0 : mark + kSchemeMark.size();
}

// The folder of the base address, ending in "/".
std::u16string BaseFolder(std::u16string_view base) {
  std::u16string folder(base.substr(0, base.find(u'?')));
  std::replace(folder.begin(), folder.end(), u'\\', u'/');
  const std::size_t hostStart = HostStart(folder);
  if (folder.find(u'/', hostStart) == std::u16string::npos) folder += u'/';
  const std::size_t lastSlash = folder.rfind(u'/');
  if (lastSlash + 1 != hostStart) folder.erase(lastSlash + 1);
  else if (folder.back() != u'/') folder += u'/';
  return folder;
}

}  // namespace

std::u16string ResolveUrl(std::u16string_view relative, std::u16string_view base) {
  if (IsAbsolute(relative)) return std::u16string(relative.substr(0, kMaxUrlLength));

  std::u16string result = BaseFolder(base);
  const std::size_t hostStart = HostStart(result);
  while (relative.starts_with(u"../")) {
    if (!result.empty() && result.back() == u'/') result.pop_back();
    // Only a "/" past "scheme://" may be climbed over; the host stays.
    const std::size_t lastSlash = result.rfind(u'/');
    if (lastSlash != std::u16string::npos && lastSlash >= hostStart) result.erase(lastSlash + 1);
    relative.remove_prefix(3);
  }
  if (relative.starts_with(u'/')) {
    const std::size_t rootSlash = result.find(u'/', hostStart);
    if (rootSlash != std::u16string::npos) result.erase(rootSlash);
  } else if (result.empty() || result.back() != u'/') {
    result += u'/';
  }
  result += relative;
  if (result.size() > kMaxUrlLength) result.resize(kMaxUrlLength);

  if (HtmlStartsWithIgnoringCase(result, kFileScheme))
    std::replace(result.begin() + static_cast<std::ptrdiff_t>(kFileScheme.size()), result.end(), u'/', u'\\');
  return result;
}

bool IsLocalFileUrl(std::u16string_view url) {
  if (!HtmlStartsWithIgnoringCase(url, kFileScheme)) return false;
  const std::u16string_view path = url.substr(kFileScheme.size());
  // file://\\server\share and file:////server reach the network through the share.
  const auto isSlash = [](char16_t c) { return c == u'\\' || c == u'/'; };
  return !(path.size() >= 2 && isSlash(path[0]) && isSlash(path[1])) && !path.empty();
}

ResourceUrl ResolveResourceUrl(std::u16string_view relative, std::u16string_view base, PageOrigin origin) {
  ResourceUrl resource;
  resource.url = ResolveUrl(relative, base);
  resource.mayFetch = origin == PageOrigin::Browsing || IsLocalFileUrl(resource.url);
  return resource;
}

}  // namespace preview
