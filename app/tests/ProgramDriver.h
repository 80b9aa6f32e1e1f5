// Drives the real PelmoRecovery.exe from outside, as a user would: its windows are
// found by class, id and text, and reached only through window messages and input.
// Controls of another process are read through memory lent to that process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace programtest {

// The program's file (beside this test's build folder) in Windows form.
std::wstring ProgramPath();

class ProgramProcess {
 public:
  ProgramProcess() = default;
  ~ProgramProcess() { Terminate(); }
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  // Starts the program with the given argument text (may be empty).
  bool Start(const std::wstring& arguments = L"");
  // Waits for the end of the process; true when it ended in time.
  bool WaitForExit(DWORD milliseconds);
  bool Running() const;
  void Terminate();
  DWORD Id() const { return info_.dwProcessId; }
  HANDLE Handle() const { return info_.hProcess; }

 private:
  PROCESS_INFORMATION info_{};
};

// Polls `find` until it gives a window or the time is up.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD milliseconds = 20000);
// Polls `condition` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 20000);

// A visible top-level window of the process with this caption (any caption for null).
HWND FindTopLevel(DWORD processId, const wchar_t* caption, const wchar_t* className = nullptr);
HWND FindTopLevelWhere(DWORD processId, const std::function<bool(HWND)>& match);
// A descendant of `parent` that satisfies `match`.
HWND FindDescendant(HWND parent, const std::function<bool(HWND)>& match);
HWND FindDescendantById(HWND parent, int id);
HWND FindDescendantByClass(HWND parent, const wchar_t* className);
std::vector<HWND> Descendants(HWND parent);

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);

// A message box of the program: its caption, its text (the hidden static 0xFFFF)
// and whether it has the button.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD milliseconds = 20000);
// Presses a button of a dialog by its id (IDOK, IDYES, IDNO ...).
void PressButton(HWND dialog, int id);

// The popup titles of a menu resource of the program file (menus of another
// process cannot be read through their handles under Wine).
std::vector<std::wstring> MenuTitles(UINT menuId);

// Tree and list controls of another process.
struct RemoteTreeItem {
  HTREEITEM item = nullptr;
  std::wstring text;
  int depth = 0;
};
std::vector<RemoteTreeItem> TreeItems(HWND tree, DWORD processId);
bool TreeItemRect(HWND tree, DWORD processId, HTREEITEM item, RECT& rect);
// Whether a tree item's label is on the screen: dark text pixels in its rectangle,
// as painted, without anything clicked first.
bool TreeItemPainted(HWND tree, DWORD processId, HTREEITEM item);
// The first pane of the frame's status bar, read through the window's own answer.
std::wstring StatusText(HWND frame);
std::wstring ListItemText(HWND list, DWORD processId, int row, int column);

// Presses the keys in order and releases them in reverse order, as real input.
void PressKeys(std::initializer_list<WORD> keys);

// A left click at a client point of a window, posted as the mouse messages.
void ClickClientPoint(HWND window, POINT point);

// Memory lent to the program's process for the controls' messages that carry
// pointers; every copy stays inside the block; freed with the object.
class RemoteMemory {
 public:
  RemoteMemory(DWORD processId, SIZE_T bytes);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Valid() const { return address_ != nullptr; }
  BYTE* At(SIZE_T offset) const { return static_cast<BYTE*>(address_) + offset; }
  LPARAM Address() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(SIZE_T offset, const void* data, SIZE_T bytes);
  bool Read(SIZE_T offset, void* data, SIZE_T bytes) const;
  bool Write(const void* data, SIZE_T bytes) { return Write(0, data, bytes); }
  bool Read(void* data, SIZE_T bytes) const { return Read(0, data, bytes); }

 private:
  HANDLE process_;
  void* address_ = nullptr;
  SIZE_T bytes_;
};

// A real click of the left (or right) button at a client point of a window,
// through SendInput so that hooks and tracking loops see it.
void ClickWithMouse(HWND window, POINT client, bool right = false);

// A file in the temporary folder, its whole content ("<missing>" when it cannot be
// opened), and UTF-8 text widened.
std::wstring TempPath(const std::wstring& name);
std::string ReadAll(const std::wstring& path);
std::wstring Widen(const std::string& utf8);

// Writes the window's screen area as a .bmp beside the test results.
bool Screenshot(HWND window, const std::wstring& name);

}  // namespace programtest
