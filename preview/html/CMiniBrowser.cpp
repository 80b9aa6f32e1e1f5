#include "CMiniBrowser.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwchar>

#include "BrowserWndProc.h"
#include "HtmlFetch.h"
#include "HtmlText.h"
#include "HtmlUrl.h"

namespace preview {

namespace {

constexpr COLORREF kBlack = 0;

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }
std::u16string Utf16(std::wstring_view text) { return std::u16string(text.begin(), text.end()); }
const char16_t* Row16(const std::wstring& text) { return reinterpret_cast<const char16_t*>(text.c_str()); }

std::wstring Format(const wchar_t* format, long long a, long long b) {
  wchar_t text[128];
  std::swprintf(text, 128, format, a, b);
  return text;
}

std::wstring Entry(const CStringRowArray& table, int row, int i) {
  int length = 0;
  const char16_t* text = table.GetRow(row).Get(i, &length);
  return std::wstring(text, text + length);
}

std::wstring Extension(const std::wstring& url) {
  const std::size_t dot = url.rfind(L'.');
  return dot == std::wstring::npos ? std::wstring() : url.substr(dot + 1);
}

bool IsImageAddress(const std::wstring& url) {
  const std::wstring extension = Extension(url);
  for (const wchar_t* image : {L"jpg", L"gif", L"png"})
    if (extension.size() == 3 && StartsWithIgnoringCase(extension, image)) return true;
  return false;
}

bool IsHttp(const std::wstring& url) { return StartsWithIgnoringCase(url, L"http://") || StartsWithIgnoringCase(url, L"https://"); }

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

INT_PTR DialogResult(HWND window, LRESULT result) {
  ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

HtmlControlHandle HandleOf(HWND control) {
  return control != nullptr ? reinterpret_cast<HtmlControlHandle>(control) : kNoControl;
}

bool IsScrollMessage(UINT message) {
  switch (message) {
    case WM_SIZE: case WM_HSCROLL: case WM_VSCROLL: case WM_MOUSEWHEEL: case WM_LBUTTONUP: case WM_CAPTURECHANGED:
    case WM_DESTROY: case SHM_SETCONTENTSIZE: case SHM_SETHPOS: case SHM_SETVPOS: case SHM_GETHPOS: case SHM_GETVPOS:
    case SHM_GETHRANGE: case SHM_GETVRANGE:
      return true;
    default:
      return false;
  }
}

}  // namespace

CMiniBrowser::CMiniBrowser(HWND canvas, HWND hostWindow, HWND statusBar, HWND addressEdit, HWND backButton)
    : canvas_(canvas), hostWindow_(hostWindow), statusBar_(statusBar), addressEdit_(addressEdit),
      backButton_(backButton), document_(std::make_unique<CBrowserDocument>(this, measurer_, decoder_)) {}

CMiniBrowser::~CMiniBrowser() {
  ClearControls();
  if (backBuffer_ != nullptr) ::DeleteObject(backBuffer_);
  document_.reset();  // waits for the image loaders, which call back into this object
  BrowserWndProc(nullptr, 0, 0, 0);
}

void CMiniBrowser::SetStatus(const std::wstring& text) {
  if (statusBar_ != nullptr) ::SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int CMiniBrowser::OnParseProgress(int phase, int position, int total) {
  if (phase != 0) return phase;
  // Reported at every step of the parse: the status changes once per percent.
  const int percent = total > 0 ? static_cast<int>(static_cast<long long>(position) * 100 / total) : 100;
  if (percent != lastParseReport_ || position == total) {
    lastParseReport_ = percent;
    SetStatus(Format(L"Parsing %lld of %lld", position, total));
  }
  return 0;
}

void CMiniBrowser::OnLinkHover(bool over, std::u16string_view target) {
  if (!hasHoveredUrl_ || hoveredUrl_ != target) {
    if (hasHoveredUrl_) document_->InvalidateLink(hoveredUrl_);
    hoveredUrl_ = target;
    hasHoveredUrl_ = true;
  }
  if (over) {
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    document_->InvalidateLink(target);
    SetStatus(Wide(target));
  } else {
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    SetStatus(savedStatus_);
  }
}

void CMiniBrowser::SetPageTitle(std::u16string_view text) {
  if (hostWindow_ != nullptr) ::SetWindowTextW(hostWindow_, Wide(text).c_str());
}

void CMiniBrowser::OnLinkClicked(std::u16string_view target16) {
  const std::wstring target = Wide(target16);
  ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
  savedStatus_.clear();
  if (StartsWithIgnoringCase(target, L"Submit(")) {
    SubmitForm(_wtoi(target.c_str() + 7));
    return;
  }
  if (history_.GetCount() > 0) {
    const std::wstring position = std::to_wstring(ScrollPosition(SHM_GETVPOS));
    const int last = history_.GetCount() - 1;
    if (history_.GetRow(last).GetCount() > 2) history_.SetInRow(last, 2, Row16(position));
    else history_.AppendToRow(last, Row16(position));
  }
  if (!IsImageAddress(target)) {
    SetStatus(L"From Internet");
    navigating_ = 1;
    std::optional<std::u16string> page = FetchPage(target16);
    navigating_ = 0;
    if (!page) return;
    const std::wstring text = Wide(*page);
    const int row = history_.AddRow() - 1;
    history_.AppendToRow(row, Row16(currentUrl_));
    history_.AppendToRow(row, page->c_str(), static_cast<int>(page->size()));
    if (backButton_ != nullptr) ::EnableWindow(backButton_, history_.GetCount() > 1);
    DumpPageText(text);
    ClearControls();
    LoadPage(text, currentUrl_);
    if (addressEdit_ != nullptr) ::SetWindowTextW(addressEdit_, currentUrl_.c_str());
  } else {
    if (addressEdit_ != nullptr) ::SetWindowTextW(addressEdit_, target.c_str());
    const std::wstring page = L"<body bgcolor=ffff00><img src=\"" + target + L"\"></body>";
    const int row = history_.AddRow() - 1;
    history_.AppendToRow(row, Row16(target));
    history_.AppendToRow(row, Row16(page));
    ClearControls();
    // The user chose this picture: it may come from where the link points.
    document_->Load(Utf16(page), face_, fontHeight_, kBlack, u"", IsHttp(target) ? PageOrigin::Browsing : PageOrigin::RecoveredFile);
  }
  ShowLoadedPage();
}

void CMiniBrowser::LoadPage(const std::wstring& page, const std::wstring& baseUrl) {
  {
    std::lock_guard<std::mutex> lock(pageUrlMutex_);
    pageUrlForLoaders_ = baseUrl;
  }
  // Pages from the web may load their pictures from it; a file's page only local ones.
  document_->Load(Utf16(page), face_, fontHeight_, kBlack, Utf16(baseUrl),
                  IsHttp(baseUrl) ? PageOrigin::Browsing : PageOrigin::RecoveredFile);
}

void CMiniBrowser::ShowLoadedPage() {
  Relayout();
  ::SendMessageW(canvas_, SHM_SETHPOS, 0, 0);
  ::SendMessageW(canvas_, SHM_SETVPOS, 0, 0);
  ::InvalidateRect(canvas_, nullptr, FALSE);
  ::UpdateWindow(canvas_);
  ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
  // A page whose images are all there already (or that has none) hears from no loader:
  // it is ready now.
  CBrowserImageCache& images = document_->Images();
  const int total = images.GetCount();
  if (images.GetFinishedCount() == total) OnImagesCounted(total, total);
}

void CMiniBrowser::DumpPageText(const std::wstring& page) {
  wchar_t program[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  std::wstring path(program, length);
  const std::size_t dot = path.rfind(L'.');
  const std::size_t slash = path.rfind(L'\\');
  if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash)) path.erase(dot);
  path += L".txt";
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(file, page.data(), static_cast<DWORD>(page.size() * sizeof(wchar_t)), &written, nullptr);
  ::CloseHandle(file);
}

std::optional<std::u16string> CMiniBrowser::FetchPage(std::u16string_view url16) {
  std::wstring url = Wide(url16);
  for (int redirects = 0; redirects <= kMaxRedirects; ++redirects) {
    if (StartsWithIgnoringCase(url, L"res://")) {
      auto bytes = ReadHtmlResource(url);
      if (!bytes) return std::nullopt;
      if (navigating_) currentUrl_ = url;
      std::u16string page(bytes->size() / 2, u'\0');
      std::copy_n(bytes->data(), page.size() * 2, reinterpret_cast<std::uint8_t*>(page.data()));
      return page;
    }
    // Only a page from the web tells the next server where the user came from.
    const std::wstring referer = IsHttp(currentUrl_) ? currentUrl_ : std::wstring();
    if (navigating_) currentUrl_ = url;
    std::optional<FetchedBytes> fetched;
    if (StartsWithIgnoringCase(url, L"file://")) {
      if (auto bytes = ReadLocalFileUrl(url)) fetched = FetchedBytes{std::move(*bytes), {}};
    } else if (IsHttp(url)) {
      fetched = HttpGet(url, referer, [this](long long bytes, const std::wstring& total) { ShowReadProgress(bytes, total); });
    }
    if (!fetched) return std::nullopt;
    if (navigating_ && !fetched->location.empty()) {
      url = Wide(ResolveUrl(Utf16(fetched->location), Utf16(url)));
      continue;
    }
    if (navigating_) std::replace(fetched->bytes.begin(), fetched->bytes.end(), std::uint8_t{0}, std::uint8_t{' '});
    return Utf16(AnsiToWide(fetched->bytes));
  }
  return std::nullopt;  // a redirect loop
}

std::optional<std::vector<std::uint8_t>> CMiniBrowser::FetchImage(const std::u16string& url16) {
  const std::wstring url = Wide(url16);
  if (StartsWithIgnoringCase(url, L"res://")) return ReadHtmlResource(url);
  if (StartsWithIgnoringCase(url, L"file://")) return ReadLocalFileUrl(url);
  if (!IsHttp(url)) return std::nullopt;
  std::wstring referer;
  {
    std::lock_guard<std::mutex> lock(pageUrlMutex_);
    if (IsHttp(pageUrlForLoaders_)) referer = pageUrlForLoaders_;
  }
  auto fetched = HttpGet(url, referer, nullptr);
  if (!fetched || !fetched->location.empty()) return std::nullopt;
  return std::move(fetched->bytes);
}

void CMiniBrowser::OnImagesLoaded(int finished, int total) {
  ::PostMessageW(canvas_, BWM_IMAGESLOADED, static_cast<WPARAM>(finished), static_cast<LPARAM>(total));
}

void CMiniBrowser::OnImagesCounted(int finished, int total) {
  int batch = 10;
  while (batch < total && batch < 1'000'000'000 / 10) batch *= 10;
  if (finished < total && finished % (batch / 10) != 0) ::InvalidateRect(canvas_, nullptr, FALSE);
  else if (total > 0) ::PostMessageW(canvas_, BWM_RELAYOUT, 0, 0);
  if (finished < total) {
    SetStatus(Format(L"Loaded Image %lld of %lld", finished, total));
  } else {
    int items = 0, images = 0, links = 0, level = 0;
    document_->GetStats(items, images, links, level);
    wchar_t text[128];
    std::swprintf(text, 128, L"Ready, items:%d, images:%d, links:%d, level:%d", items, images, links, level);
    savedStatus_ = text;
    SetStatus(savedStatus_);
  }
}

void CMiniBrowser::ShowReadProgress(long long bytes, const std::wstring& total) {
  if (bytes < 0) return;
  const long long length = _wtoi64(total.c_str());
  SetStatus(length > 0 ? Format(L"Reading %lld of %lld", bytes, length) : Format(L"Reading %lld", bytes, 0));
}

int CMiniBrowser::AddForm(std::u16string_view action, std::u16string_view method) {
  const int row = forms_.AddRow() - 1;
  forms_.AppendToRow(row, action.data(), static_cast<int>(action.size()));
  forms_.AppendToRow(row, method.data(), static_cast<int>(method.size()));
  return row;
}

HWND CMiniBrowser::CreateControl(const wchar_t* className, DWORD style, DWORD extendedStyle, const std::wstring& text,
                                 int width, int height, std::u16string_view name, int form, const wchar_t* type,
                                 std::u16string_view value, bool withValue, int stockFont) {
  const int row = controls_.AddRow() - 1;
  HWND control = ::CreateWindowExW(extendedStyle, className, text.c_str(), WS_CHILD | WS_TABSTOP | style, 0, 0, width,
                                   height, canvas_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controls_.GetCount())),
                                   ::GetModuleHandleW(nullptr), nullptr);
  controls_.AppendToRow(row, Row16(std::to_wstring(reinterpret_cast<INT_PTR>(control))));
  controls_.AppendToRow(row, name.data(), static_cast<int>(name.size()));
  controls_.AppendToRow(row, Row16(std::to_wstring(form)));
  controls_.AppendToRow(row, Row16(type));
  if (withValue) controls_.AppendToRow(row, value.data(), static_cast<int>(value.size()));
  if (control != nullptr) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(stockFont)), 0);
  return control;
}

HtmlControlHandle CMiniBrowser::CreateEditControl(int limit, int maximumLength, int width, int height,
                                                  std::u16string_view text, bool multiline, std::u16string_view name,
                                                  int form, bool password) {
  DWORD style = multiline ? (WS_VSCROLL | ES_MULTILINE) : ES_AUTOHSCROLL;
  if (password) style |= ES_PASSWORD;
  HWND edit = CreateControl(L"edit", style, WS_EX_CLIENTEDGE, Wide(text), width, height, name, form, L"0", u"", false,
                            multiline ? ANSI_FIXED_FONT : ANSI_VAR_FONT);
  if (edit != nullptr && limit != 0) ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(std::max(maximumLength, 0)), 0);
  return HandleOf(edit);
}

HtmlControlHandle CMiniBrowser::CreatePushButton(int width, int height, std::u16string_view caption,
                                                 std::u16string_view name, int form) {
  return HandleOf(CreateControl(L"button", BS_PUSHBUTTON, 0, Wide(caption), width, height, name, form, L"1", u"", false,
                               ANSI_VAR_FONT));
}

HtmlControlHandle CMiniBrowser::CreateRadioButton(int width, int height, std::u16string_view value,
                                                  std::u16string_view name, int form) {
  return HandleOf(CreateControl(L"button", BS_AUTORADIOBUTTON, 0, Wide(value), width, height, name, form, L"2", value, true,
                               ANSI_VAR_FONT));
}

HtmlControlHandle CMiniBrowser::CreateCheckBox(int width, int height, std::u16string_view value,
                                               std::u16string_view name, int form) {
  return HandleOf(CreateControl(L"button", BS_AUTOCHECKBOX, 0, Wide(value), width, height, name, form, L"3", value, true,
                               ANSI_VAR_FONT));
}

HtmlControlHandle CMiniBrowser::CreateComboBox(int width, int height, const CStringRowArray& options, int selected,
                                               std::u16string_view name, int form) {
  HWND combo = CreateControl(L"combobox", WS_VSCROLL | CBS_DROPDOWNLIST, 0, L"", width, height + 200, name, form, L"4",
                             u"", false, ANSI_VAR_FONT);
  if (combo == nullptr) return kNoControl;
  for (int i = 0; i < options.GetCount(); ++i) {
    const LRESULT item = ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Entry(options, i, 0).c_str()));
    if (item < 0) continue;
    // The item holds a copy of its value; ClearControls frees them.
    optionValues_.push_back(std::make_unique<std::wstring>(Entry(options, i, 1)));
    ::SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(optionValues_.back().get()));
  }
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  return reinterpret_cast<HtmlControlHandle>(combo);
}

void CMiniBrowser::MoveControl(HtmlControlHandle control, int x, int y) {
  HWND window = reinterpret_cast<HWND>(control);
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  ::SetWindowPos(window, nullptr, x - ScrollPosition(SHM_GETHPOS), y - ScrollPosition(SHM_GETVPOS), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CMiniBrowser::Redraw(const HtmlRect& r) {
  const int h = ScrollPosition(SHM_GETHPOS), v = ScrollPosition(SHM_GETVPOS);
  const RECT rect{r.left - h, r.top - v, r.right - h, r.bottom - v};
  ::InvalidateRect(canvas_, &rect, FALSE);
}

void CMiniBrowser::ClearControls() {
  for (int row = 0; row < controls_.GetCount(); ++row) {
    HWND control = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(Entry(controls_, row, 0).c_str())));
    if (::IsWindow(control)) ::DestroyWindow(control);
  }
  optionValues_.clear();
  controls_.Clear();
  forms_.Clear();
}

std::wstring CMiniBrowser::UrlEncode(std::wstring_view text) {
  std::wstring encoded;
  for (wchar_t c : text) {
    if ((c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9')) {
      encoded += c;
    } else if (c == L' ') {
      encoded += L'+';
    } else {
      wchar_t hex[8];
      std::swprintf(hex, 8, L"%%%02x", static_cast<unsigned>(c));
      encoded += hex;
    }
  }
  return encoded;
}

void CMiniBrowser::SubmitForm(int form, HWND control, int controlId) {
  if (form == -1) {
    for (int row = 0; row < controls_.GetCount() && form == -1; ++row) {
      HWND handle = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(Entry(controls_, row, 0).c_str())));
      if (handle == control && row + 1 == controlId && Entry(controls_, row, 3) == L"1")
        form = _wtoi(Entry(controls_, row, 2).c_str());
    }
    if (form == -1) return;
  }
  if (form < 0 || form >= forms_.GetCount()) return;
  std::wstring query;
  for (int row = 0; row < controls_.GetCount(); ++row) {
    if (_wtoi(Entry(controls_, row, 2).c_str()) != form) continue;
    const std::wstring type = Entry(controls_, row, 3);
    HWND handle = reinterpret_cast<HWND>(static_cast<INT_PTR>(_wtoi64(Entry(controls_, row, 0).c_str())));
    if (type == L"1") continue;
    if ((type == L"2" || type == L"3") && ::SendMessageW(handle, BM_GETCHECK, 0, 0) != BST_CHECKED) continue;
    std::wstring value;
    if (type == L"4") {
      const LRESULT selected = ::SendMessageW(handle, CB_GETCURSEL, 0, 0);
      if (selected != CB_ERR)
        if (auto* text = reinterpret_cast<std::wstring*>(::SendMessageW(handle, CB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
            text != nullptr && reinterpret_cast<LRESULT>(text) != CB_ERR)
          value = *text;
    } else if (type == L"2" || type == L"3") {
      value = Entry(controls_, row, 4);
    } else {
      value = WindowText(handle);
    }
    query += query.empty() ? L"?" : L"&";
    query += Entry(controls_, row, 1) + L"=" + UrlEncode(value);
  }
  const std::wstring action = Entry(forms_, form, 0);
  const std::wstring method = Entry(forms_, form, 1);
  if (!(method.size() == 3 && StartsWithIgnoringCase(method, L"get"))) {
    savedStatus_.clear();
    const std::wstring bodyText = query.empty() ? std::wstring() : query.substr(1);
    const std::string body(bodyText.begin(), bodyText.end());  // url-encoded: plain ASCII
    auto response = HttpPost(action, body, [this](long long bytes, const std::wstring& total) {
      SetStatus(L"Reading " + std::to_wstring(bytes) + L" of " + total);
    });
    if (!response) return;
    const std::wstring page = AnsiToWide(*response);
    const int row = history_.AddRow() - 1;
    history_.AppendToRow(row, Row16(action));
    history_.AppendToRow(row, Row16(page));
    ClearControls();
    LoadPage(page, action);
    ShowLoadedPage();
    return;
  }
  if (!query.empty() && action.find(L'?') != std::wstring::npos) query[0] = L'&';
  OnLinkClicked(Utf16(action + query));
}

void CMiniBrowser::Relayout() {
  RECT client{};
  ::GetClientRect(canvas_, &client);
  LayoutArea area{0, 0, client.right, client.bottom};
  document_->Layout(area);
  ::SendMessageW(canvas_, SHM_SETCONTENTSIZE, static_cast<WPARAM>(area.width), static_cast<LPARAM>(area.height));
}

void CMiniBrowser::ReplaceBackBuffer() {
  if (backBuffer_ != nullptr) ::DeleteObject(backBuffer_);
  RECT client{};
  ::GetClientRect(canvas_, &client);
  HDC screen = ::GetDC(canvas_);
  backBuffer_ = ::CreateCompatibleBitmap(screen, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1));
  ::ReleaseDC(canvas_, screen);
}

void CMiniBrowser::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(canvas_, &ps);
  RECT client{};
  ::GetClientRect(canvas_, &client);
  if (backBuffer_ == nullptr) ReplaceBackBuffer();
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, backBuffer_);
  {
    GdiHtmlCanvas canvas(memory);
    document_->Paint(canvas, HtmlRect{client.left, client.top, client.right, client.bottom},
                     ScrollPosition(SHM_GETHPOS), ScrollPosition(SHM_GETVPOS));
  }
  ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::EndPaint(canvas_, &ps);
}

void CMiniBrowser::OnMouseMove(int x, int y) {
  document_->OnMouseMove(x + ScrollPosition(SHM_GETHPOS), y + ScrollPosition(SHM_GETVPOS));
  if (::GetCapture() != canvas_) return;
  RECT client{};
  ::GetClientRect(canvas_, &client);
  // A pointer outside the canvas scrolls it by the overshoot; the anchor moves along.
  const int hBefore = ScrollPosition(SHM_GETHPOS), vBefore = ScrollPosition(SHM_GETVPOS);
  const int hRange = static_cast<int>(::SendMessageW(canvas_, SHM_GETHRANGE, 0, 0));
  const int vRange = static_cast<int>(::SendMessageW(canvas_, SHM_GETVRANGE, 0, 0));
  int h = hBefore, v = vBefore;
  if (x < 0) h = std::max(0, h + x);
  else if (x > client.right) h = std::min(hRange, h + (x - static_cast<int>(client.right)));
  if (y < 0) v = std::max(0, v + y);
  else if (y > client.bottom) v = std::min(vRange, v + (y - static_cast<int>(client.bottom)));
  if (h != hBefore) ::SendMessageW(canvas_, SHM_SETHPOS, 0, h);
  if (v != vBefore) ::SendMessageW(canvas_, SHM_SETVPOS, 0, v);
  dragAnchor_.x -= ScrollPosition(SHM_GETHPOS) - hBefore;
  dragAnchor_.y -= ScrollPosition(SHM_GETVPOS) - vBefore;
  dragPoint_ = {x, y};
  const int hNow = ScrollPosition(SHM_GETHPOS), vNow = ScrollPosition(SHM_GETVPOS);
  document_->SelectRect(HtmlRect{std::min(dragAnchor_.x, dragPoint_.x) + hNow, std::min(dragAnchor_.y, dragPoint_.y) + vNow,
                                 std::max(dragAnchor_.x, dragPoint_.x) + hNow, std::max(dragAnchor_.y, dragPoint_.y) + vNow});
  ::InvalidateRect(canvas_, nullptr, FALSE);
}

void CMiniBrowser::OnLeftButtonDown(int x, int y) {
  const int h = ScrollPosition(SHM_GETHPOS), v = ScrollPosition(SHM_GETVPOS);
  document_->OnClick(x + h, y + v);  // links are followed on the press
  dragAnchor_ = {x, y};
  dragPoint_ = {x, y};
  const int hNow = ScrollPosition(SHM_GETHPOS), vNow = ScrollPosition(SHM_GETVPOS);
  document_->SelectRect(HtmlRect{x + hNow, y + vNow, x + hNow, y + vNow});
  ::InvalidateRect(canvas_, nullptr, FALSE);
  HWND focus = ::GetFocus();
  if (focus != nullptr && ::GetParent(focus) == canvas_) {
    if (addressEdit_ != nullptr) ::SetFocus(::GetDlgItem(::GetParent(addressEdit_), 1));
    else ::SetFocus(nullptr);
  }
  ::SetCapture(canvas_);
}

INT_PTR CMiniBrowser::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
    case BWM_RELAYOUT:
      ReplaceBackBuffer();
      Relayout();
      ::InvalidateRect(canvas_, nullptr, FALSE);
      ::UpdateWindow(canvas_);
      BrowserWndProc(window, WM_SIZE, wParam, lParam);
      return TRUE;
    case BWM_IMAGESLOADED: {
      // Loaders post in any order: a later count can arrive before an earlier one, so
      // the store's own counts are shown rather than the message's.
      CBrowserImageCache& images = document_->Images();
      OnImagesCounted(std::max(images.GetFinishedCount(), static_cast<int>(wParam)),
                      std::max(images.GetCount(), static_cast<int>(lParam)));
      return TRUE;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return TRUE;
    case WM_LBUTTONUP:
      if (::GetCapture() == window) ::ReleaseCapture();
      BrowserWndProc(window, message, wParam, lParam);
      return TRUE;
    case WM_PAINT:
      Paint();
      return TRUE;
    case WM_GETDLGCODE:
      return DialogResult(window, DLGC_WANTALLKEYS);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
      const LONG style = ::GetWindowLongW(reinterpret_cast<HWND>(lParam), GWL_STYLE) & BS_TYPEMASK;
      if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) return FALSE;
      ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    }
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    default:
      if (!IsScrollMessage(message)) return FALSE;
      return DialogResult(window, BrowserWndProc(window, message, wParam, lParam));
  }
}

}  // namespace preview
