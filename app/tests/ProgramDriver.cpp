#include "ProgramDriver.h"

#include <commctrl.h>

#include <iterator>
#include <memory>

#include "WindowCapture.h"

namespace programtest {
namespace {

constexpr DWORD kPollMilliseconds = 50;

constexpr int kTextChars = 260;

}  // namespace

RemoteMemory::RemoteMemory(DWORD processId, SIZE_T bytes)
    : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
      bytes_(bytes) {
  if (process_ != nullptr)
    address_ = ::VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
}

RemoteMemory::~RemoteMemory() {
  if (address_ != nullptr) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  if (process_ != nullptr) ::CloseHandle(process_);
}

bool RemoteMemory::Write(SIZE_T offset, const void* data, SIZE_T bytes) {
  return address_ != nullptr && offset + bytes <= bytes_ &&
         ::WriteProcessMemory(process_, At(offset), data, bytes, nullptr);
}

bool RemoteMemory::Read(SIZE_T offset, void* data, SIZE_T bytes) const {
  return address_ != nullptr && offset + bytes <= bytes_ &&
         ::ReadProcessMemory(process_, At(offset), data, bytes, nullptr);
}

void ClickWithMouse(HWND window, POINT client, bool right) {
  POINT screen = client;
  ::ClientToScreen(window, &screen);
  ::SetCursorPos(screen.x, screen.y);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  ::SendInput(2, input, sizeof(INPUT));
  ::Sleep(300);
}

std::wstring TempPath(const std::wstring& name) {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return std::wstring(folder) + name;
}

std::string ReadAll(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  ::CloseHandle(file);
  return bytes;
}

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::wstring ProgramPath() {
  // This test runs from <build>/app/tests; the program is <build>/app/PelmoRecovery.exe.
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  folder.resize(folder.find_last_of(L'\\'));
  folder.resize(folder.find_last_of(L'\\'));
  return folder + L"\\PelmoRecovery.exe";
}

bool ProgramProcess::Start(const std::wstring& arguments) {
  Terminate();
  std::wstring commandLine = L"\"" + ProgramPath() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{sizeof(startup)};
  return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_) !=
         FALSE;
}

bool ProgramProcess::WaitForExit(DWORD milliseconds) {
  return info_.hProcess == nullptr || ::WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool ProgramProcess::Running() const {
  return info_.hProcess != nullptr && ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void ProgramProcess::Terminate() {
  if (info_.hProcess == nullptr) return;
  if (Running()) {
    ::TerminateProcess(info_.hProcess, 1);
    ::WaitForSingleObject(info_.hProcess, 10000);
  }
  ::CloseHandle(info_.hThread);
  ::CloseHandle(info_.hProcess);
  info_ = {};
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = find()) != nullptr; }, milliseconds);
  return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  const ULONGLONG end = ::GetTickCount64() + milliseconds;
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount64() >= end) return false;
    ::Sleep(kPollMilliseconds);
  }
}

HWND FindTopLevel(DWORD processId, const wchar_t* caption, const wchar_t* className) {
  return FindTopLevelWhere(processId, [&](HWND window) {
    return (caption == nullptr || WindowText(window) == caption) &&
           (className == nullptr || ClassOf(window) == className);
  });
}

HWND FindTopLevelWhere(DWORD processId, const std::function<bool(HWND)>& match) {
  struct Search {
    DWORD processId;
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{processId, &match, nullptr};
  ::EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner != s.processId || !::IsWindowVisible(window) || !(*s.match)(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> windows;
  ::EnumChildWindows(
      parent,
      [](HWND window, LPARAM parameter) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  return windows;
}

HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& match) {
  for (HWND window : Descendants(parent))
    if (match(window)) return window;
  return nullptr;
}

HWND FindDescendantById(HWND parent, int id) {
  return FindDescendant(parent, [id](HWND window) { return ::GetDlgCtrlID(window) == id; });
}

HWND FindDescendantByClass(HWND parent, const wchar_t* className) {
  return FindDescendant(parent, [className](HWND window) { return ClassOf(window) == className; });
}

std::wstring WindowText(HWND window) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  ::GetClassNameW(window, name, 256);
  return name;
}

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  MessageBoxSeen seen;
  seen.window = WaitForWindow([&] { return FindTopLevel(processId, nullptr, L"#32770"); }, milliseconds);
  if (seen.window == nullptr) return seen;
  seen.caption = WindowText(seen.window);
  HWND text = ::GetDlgItem(seen.window, 0xFFFF);
  if (text != nullptr) seen.text = WindowText(text);
  return seen;
}

void PressButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  if (button != nullptr) ::PostMessageW(button, BM_CLICK, 0, 0);
}

std::vector<std::wstring> MenuTitles(UINT menuId) {
  std::vector<std::wstring> titles;
  HMODULE program = ::LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (program == nullptr) return titles;
  if (HMENU menu = ::LoadMenuW(program, MAKEINTRESOURCEW(menuId))) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      ::GetMenuStringW(menu, i, text, 128, MF_BYPOSITION);
      titles.push_back(text);
    }
    ::DestroyMenu(menu);
  }
  ::FreeLibrary(program);
  return titles;
}

std::vector<RemoteTreeItem> TreeItems(HWND tree, DWORD processId) {
  std::vector<RemoteTreeItem> items;
  RemoteMemory memory(processId, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
  if (!memory.Valid()) return items;
  std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM item, int depth) {
    for (; item != nullptr;
         item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)))) {
      TVITEMW request{};
      request.mask = TVIF_TEXT | TVIF_HANDLE;
      request.hItem = item;
      request.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof(TVITEMW)));
      request.cchTextMax = kTextChars;
      wchar_t text[kTextChars] = {};
      if (memory.Write(0, &request, sizeof(request)) &&
          ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(memory.At(0))) != 0)
        memory.Read(sizeof(TVITEMW), text, sizeof(text) - sizeof(wchar_t));
      items.push_back({item, text, depth});
      walk(reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item))),
           depth + 1);
    }
  };
  walk(reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0)), 0);
  return items;
}

bool TreeItemRect(HWND tree, DWORD processId, HTREEITEM item, RECT& rect) {
  RemoteMemory memory(processId, sizeof(RECT));
  if (!memory.Valid()) return false;
  RECT request{};
  *reinterpret_cast<HTREEITEM*>(&request) = item;
  if (!memory.Write(0, &request, sizeof(request))) return false;
  if (::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(memory.At(0))) == 0) return false;
  return memory.Read(0, &rect, sizeof(rect));
}

std::wstring ListItemText(HWND list, DWORD processId, int row, int column) {
  RemoteMemory memory(processId, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
  if (!memory.Valid()) return L"";
  LVITEMW request{};
  request.iSubItem = column;
  request.pszText = reinterpret_cast<LPWSTR>(memory.At(sizeof(LVITEMW)));
  request.cchTextMax = kTextChars;
  wchar_t text[kTextChars] = {};
  if (!memory.Write(0, &request, sizeof(request))) return L"";
  ::SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.At(0)));
  memory.Read(sizeof(LVITEMW), text, sizeof(text) - sizeof(wchar_t));
  return text;
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  ::Sleep(200);
}

void ClickClientPoint(HWND window, POINT point) {
  const LPARAM at = MAKELPARAM(point.x, point.y);
  ::PostMessageW(window, WM_MOUSEMOVE, 0, at);
  ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::PostMessageW(window, WM_LBUTTONUP, 0, at);
}

bool Screenshot(HWND window, const std::wstring& name) {
  // The program paints once its message loop runs: wait until the middle of the
  // client area is no longer the black of an unpainted window.
  RECT client{};
  ::GetClientRect(window, &client);
  POINT middle{client.right / 2, client.bottom / 2};
  ::ClientToScreen(window, &middle);
  WaitUntil([&] {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, middle.x, middle.y);
    ::ReleaseDC(nullptr, screen);
    return colour != RGB(0, 0, 0) && colour != CLR_INVALID;
  }, 10000);
  ::Sleep(300);
  return CaptureWindowToBmp(window, name + L".bmp");
}

bool TreeItemPainted(HWND tree, DWORD processId, HTREEITEM item) {
  RECT rect{};
  if (item == nullptr || !TreeItemRect(tree, processId, item, rect)) return false;
  HDC screen = ::GetDC(nullptr);
  int dark = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      POINT at{x, y};
      ::ClientToScreen(tree, &at);
      const COLORREF colour = ::GetPixel(screen, at.x, at.y);
      if (GetRValue(colour) + GetGValue(colour) + GetBValue(colour) < 200) ++dark;
    }
  }
  ::ReleaseDC(nullptr, screen);
  return dark > 5;
}

std::wstring StatusText(HWND frame) {
  HWND status = FindDescendantByClass(frame, STATUSCLASSNAMEW);
  wchar_t text[256] = {};
  DWORD_PTR copied = 0;
  if (status != nullptr)
    ::SendMessageTimeoutW(status, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &copied);
  return text;
}

}  // namespace programtest
