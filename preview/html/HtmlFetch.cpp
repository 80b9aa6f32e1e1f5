#include "HtmlFetch.h"

#include <wininet.h>

#include <algorithm>

#include "HtmlUrl.h"

namespace preview {

namespace {

constexpr DWORD kNavigationFlags = INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_COOKIES;
constexpr DWORD kReadChunk = 1000;

struct InternetHandle {
  explicit InternetHandle(HINTERNET handle) : handle(handle) {}
  ~InternetHandle() {
    if (handle != nullptr) ::InternetCloseHandle(handle);
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;
  HINTERNET handle;
};

void LimitTime(HINTERNET handle) {
  DWORD timeout = kFetchTimeoutMs;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    ::InternetSetOptionW(handle, option, &timeout, sizeof(timeout));
}

std::wstring QueryText(HINTERNET request, DWORD info, DWORD bytes) {
  std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD size = bytes;
  if (!::HttpQueryInfoW(request, info, text.data(), &size, nullptr)) return {};
  text.resize(std::min<std::size_t>(size / sizeof(wchar_t), text.size()));
  return text;
}

// Reads the whole body in chunks, within the size limit; nothing when it is exceeded.
std::optional<std::vector<std::uint8_t>> ReadBody(HINTERNET request, const ReadProgress& progress) {
  const std::wstring length = QueryText(request, HTTP_QUERY_CONTENT_LENGTH, 50);
  std::vector<std::uint8_t> body;
  for (;;) {
    const std::size_t used = body.size();
    body.resize(used + kReadChunk);
    DWORD read = 0;
    if (!::InternetReadFile(request, body.data() + used, kReadChunk, &read)) return std::nullopt;
    body.resize(used + read);
    if (read == 0) break;
    if (body.size() > kMaxFetchBytes) return std::nullopt;
    if (progress) progress(static_cast<long long>(body.size()), length);
  }
  return body;
}

std::wstring FileUrlPath(const std::wstring& url) {
  std::wstring path = url.substr(7);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

}  // namespace

bool StartsWithIgnoringCase(const std::wstring& text, const wchar_t* prefix) {
  const std::size_t length = wcslen(prefix);
  return text.size() >= length && ::CompareStringOrdinal(text.c_str(), static_cast<int>(length), prefix,
                                                          static_cast<int>(length), TRUE) == CSTR_EQUAL;
}

std::optional<std::vector<std::uint8_t>> ReadHtmlResource(const std::wstring& url) {
  const std::wstring name = url.substr(std::min<std::size_t>(6, url.size()));
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC found = ::FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(23));
  if (found == nullptr) {
    const std::size_t slash = url.rfind(L'/');
    if (slash != std::wstring::npos) found = ::FindResourceW(module, url.substr(slash + 1).c_str(), MAKEINTRESOURCEW(23));
  }
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = ::LoadResource(module, found);
  const auto* bytes = static_cast<const std::uint8_t*>(::LockResource(loaded));
  if (bytes == nullptr) return std::nullopt;
  return std::vector<std::uint8_t>(bytes, bytes + ::SizeofResource(module, found));
}

std::optional<std::vector<std::uint8_t>> ReadLocalFileUrl(const std::wstring& url) {
  if (!IsLocalFileUrl(std::u16string_view(reinterpret_cast<const char16_t*>(url.c_str()), url.size())))
    return std::nullopt;
  HANDLE file = ::CreateFileW(FileUrlPath(url).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> result;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && size.QuadPart >= 0 && static_cast<unsigned long long>(size.QuadPart) <= kMaxFetchBytes) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (bytes.empty() || (::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size()))
      result = std::move(bytes);
  }
  ::CloseHandle(file);
  return result;
}

std::optional<FetchedBytes> HttpGet(const std::wstring& url, const std::wstring& referer, const ReadProgress& progress) {
  InternetHandle internet(::InternetOpenW(L"Dorvik Browser", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  if (internet.handle == nullptr) return std::nullopt;
  LimitTime(internet.handle);
  const std::wstring headers = referer.empty() ? std::wstring() : L"Referer: " + referer;
  InternetHandle request(::InternetOpenUrlW(internet.handle, url.c_str(), headers.empty() ? nullptr : headers.c_str(),
                                            headers.empty() ? 0 : static_cast<DWORD>(-1), kNavigationFlags, 0));
  if (request.handle == nullptr) return std::nullopt;
  FetchedBytes fetched;
  fetched.location = QueryText(request.handle, HTTP_QUERY_LOCATION, 4096);
  auto body = ReadBody(request.handle, progress);
  if (!body) return std::nullopt;
  fetched.bytes = std::move(*body);
  return fetched;
}

std::optional<std::vector<std::uint8_t>> HttpPost(const std::wstring& url, const std::string& body,
                                                  const ReadProgress& progress) {
  const std::size_t mark = url.find(L"://");
  const std::size_t hostStart = mark == std::wstring::npos ? 0 : mark + 3;
  const std::size_t pathStart = url.find(L'/', hostStart);
  const std::wstring host = url.substr(hostStart, pathStart == std::wstring::npos ? std::wstring::npos : pathStart - hostStart);
  const std::wstring path = pathStart == std::wstring::npos ? L"/" : url.substr(pathStart);

  InternetHandle internet(::InternetOpenW(L"Dorvik Browser", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (internet.handle == nullptr) return std::nullopt;
  LimitTime(internet.handle);
  InternetHandle connection(::InternetConnectW(internet.handle, host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 1));
  if (connection.handle == nullptr) return std::nullopt;
  const wchar_t* accept[] = {L"*/*", nullptr};
  InternetHandle request(::HttpOpenRequestW(connection.handle, L"POST", path.c_str(), nullptr, nullptr, accept,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 1));
  if (request.handle == nullptr) return std::nullopt;
  const wchar_t* contentType = L"Content-Type: application/x-www-form-urlencoded";
  if (!::HttpSendRequestW(request.handle, contentType, static_cast<DWORD>(-1), const_cast<char*>(body.data()),
                          static_cast<DWORD>(body.size())))
    return std::nullopt;
  return ReadBody(request.handle, progress);
}

std::wstring AnsiToWide(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const auto* text = reinterpret_cast<const char*>(bytes.data());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(needed, 0)), L'\0');
  if (needed > 0) ::MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(), needed);
  return wide;
}

}  // namespace preview
