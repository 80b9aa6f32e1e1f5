#pragma once
// Where the browser's pages and images come from: resources of the program
// ("res://"), local files ("file://" and a drive path; network shares are refused,
// since opening one would send the user's credentials to its server), and HTTP
// through WinInet with time limits on connecting, sending and receiving.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace preview {

// Pages and images larger than this are not read.
constexpr std::size_t kMaxFetchBytes = 32u * 1024 * 1024;
constexpr DWORD kFetchTimeoutMs = 15000;

using ReadProgress = std::function<void(long long bytesSoFar, const std::wstring& contentLength)>;

struct FetchedBytes {
  std::vector<std::uint8_t> bytes;
  std::wstring location;  // a redirect's Location header, when the server sent one
};

bool StartsWithIgnoringCase(const std::wstring& text, const wchar_t* prefix);

// A resource of type RT_HTML of this program named by the text after "res://", or by
// the text after the last "/"; nothing when neither exists.
std::optional<std::vector<std::uint8_t>> ReadHtmlResource(const std::wstring& url);

// The bytes of a local file named by a "file://" address; nothing for a network share,
// a missing file or one above the size limit.
std::optional<std::vector<std::uint8_t>> ReadLocalFileUrl(const std::wstring& url);

// One GET through WinInet, redirects not followed (their Location is returned).
// `referer` empty: no Referer header.
std::optional<FetchedBytes> HttpGet(const std::wstring& url, const std::wstring& referer, const ReadProgress& progress);

// A form POST of an url-encoded body; the response bytes, or nothing.
std::optional<std::vector<std::uint8_t>> HttpPost(const std::wstring& url, const std::string& body,
                                                  const ReadProgress& progress);

// Bytes in the system's ANSI code page as UTF-16.
std::wstring AnsiToWide(const std::vector<std::uint8_t>& bytes);

}  // namespace preview
