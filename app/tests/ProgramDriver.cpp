#include "ProgramDriver.h"

#include <commctrl.h>

#include <iterator>
#include <memory>

#include "WindowCapture.h"

namespace programtest {
namespace {

constexpr DWORD kPollMilliseconds = 50;

// Memory in the program's address space, for the controls' messages that carry
// pointers; freed with the object.
class RemoteMemory {
 public:
  RemoteMemory(DWORD processId, SIZE_T bytes)
      : process_(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId)),
        bytes_(bytes) {
    if (process_ != nullptr)
      address_ = ::VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_ != nullptr) ::VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_ != nullptr) ::CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Valid() const { return address_ != nullptr; }
  BYTE* At(SIZE_T offset) const { return static_cast<BYTE*>(address_) + offset; }
  bool Write(SIZE_T offset, const void* data, SIZE_T bytes) {
    return offset + bytes <= bytes_ && ::WriteProcessMemory(process_, At(offset), data, bytes, nullptr);
  }
  bool Read(SIZE_T offset, void* data, SIZE_T bytes) const {
    return offset + bytes <= bytes_ && ::ReadProcessMemory(process_, At(offset), data, bytes, nullptr);
  }

 private:
  HANDLE process_;
  void* address_ = nullptr;
  SIZE_T bytes_;
};

constexpr int kTextChars = 260;

}  // namespace

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

}  // namespace programtest
