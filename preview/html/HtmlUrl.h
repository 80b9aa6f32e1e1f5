#pragma once
// Links and resources of a page resolved against the page's own address, and the
// rule that keeps a recovered page from reaching the network.

#include <cstddef>
#include <string>
#include <string_view>

namespace preview {

constexpr std::size_t kMaxUrlLength = 1023;

// `relative` against `base`, at most kMaxUrlLength characters. A text with "://"
// before its first "/" is already absolute. ".." never climbs above the host, and a
// file:// result is a local path with backslashes.
std::u16string ResolveUrl(std::u16string_view relative, std::u16string_view base);

// Where the page being shown came from. A recovered file is untrusted: it may name
// any server, and fetching from it would tell that server the file was opened.
enum class PageOrigin { RecoveredFile, Browsing };

struct ResourceUrl {
  std::u16string url;
  bool mayFetch = false;  // false: show the resource as missing, never load it
};

// A link or resource of the page resolved against `base`. For a recovered file only
// local files may be fetched; remote addresses and network shares are marked not
// to fetch.
ResourceUrl ResolveResourceUrl(std::u16string_view relative, std::u16string_view base, PageOrigin origin);

// True for a file:// address that names a local path (not a \\server share).
bool IsLocalFileUrl(std::u16string_view url);

}  // namespace preview
