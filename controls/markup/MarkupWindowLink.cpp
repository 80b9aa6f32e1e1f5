#include "MarkupWindowLink.h"

#include <shellapi.h>

#include <string>

#include "GdiMarkupCanvas.h"

namespace {

std::wstring ReadDefaultValue(HKEY root, const std::wstring& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return {};
  wchar_t value[1024] = {};
  DWORD size = sizeof(value) - sizeof(wchar_t), type = 0;
  LONG result = RegQueryValueExW(handle, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::wstring(value) : std::wstring();
}

}  // namespace

CMarkupWindowLink::CMarkupWindowLink() { LoadHandCursor(); }

CMarkupWindowLink::~CMarkupWindowLink() { ReleaseCursor(); }

UINT CMarkupWindowLink::SetNotifyWindow(HWND window, UINT hoverMessage, LPARAM hoverParam) {
  window_ = window;
  hoverMessage_ = window ? hoverMessage : 0;
  hoverParam_ = window ? hoverParam : 0;
  if (!window) linkMessage_ = 0, linkParam_ = 0;
  return hoverMessage_;
}

void CMarkupWindowLink::SetLinkMessage(UINT message, LPARAM param) {
  linkMessage_ = message;
  linkParam_ = param;
}

void CMarkupWindowLink::ReleaseCursor() {
  if (cursor_ && ownsCursor_) DestroyCursor(cursor_);
  cursor_ = nullptr;
  ownsCursor_ = false;
}

void CMarkupWindowLink::SetHandCursor(HCURSOR cursor) {
  if (cursor && cursor == cursor_) return;
  ReleaseCursor();
  if (cursor) {
    cursor_ = cursor;
  } else {
    LoadHandCursor();
  }
}

void CMarkupWindowLink::LoadHandCursor() {
  if (cursor_) return;
  cursor_ = LoadCursorW(nullptr, IDC_HAND);  // shared: never destroyed
  if (cursor_) return;
  wchar_t folder[MAX_PATH] = {};
  if (!GetWindowsDirectoryW(folder, MAX_PATH)) return;
  std::wstring path = std::wstring(folder) + L"\\winhlp32.exe";
  if (HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    if (HCURSOR cursor = LoadCursorW(module, MAKEINTRESOURCEW(106))) {
      cursor_ = static_cast<HCURSOR>(CopyIcon(cursor));
      ownsCursor_ = cursor_ != nullptr;
    }
    FreeLibrary(module);
  }
}

void CMarkupWindowLink::OnHotLinkChanged(int linkNumber) {
  if (window_ && hoverMessage_) SendMessageW(window_, hoverMessage_, static_cast<WPARAM>(linkNumber), hoverParam_);
}

void CMarkupWindowLink::OnLinkMessage(const std::u16string& target) {
  if (window_ && linkMessage_) {
    SendMessageW(window_, linkMessage_, reinterpret_cast<WPARAM>(AsWide(target)), linkParam_);
  }
}

void CMarkupWindowLink::OpenUrl(const std::u16string& target) {
  SetHandCursor(nullptr);
  HINSTANCE result = ShellExecuteW(nullptr, L"open", AsWide(target), nullptr, nullptr, SW_SHOW);
  if (reinterpret_cast<INT_PTR>(result) > 32) return;
  // No association: run the ".htm" class's open command with the target.
  std::wstring documentClass = ReadDefaultValue(HKEY_CLASSES_ROOT, L".htm");
  if (documentClass.empty()) return;
  std::wstring command = ReadDefaultValue(HKEY_CLASSES_ROOT, documentClass + L"\\shell\\open\\command");
  if (command.empty()) return;
  size_t placeholder = command.find(L"\"%1\"");
  if (placeholder == std::wstring::npos) placeholder = command.find(L"%1");
  if (placeholder != std::wstring::npos) command.erase(placeholder);
  command += L" ";
  command += AsWide(target);
  int length = WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return;
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, ansi.data(), length, nullptr, nullptr);
  WinExec(ansi.c_str(), SW_SHOW);
}

bool CMarkupWindowLink::ShowLinkCursor() {
  if (!cursor_) return false;
  SetCursor(cursor_);
  return true;
}
