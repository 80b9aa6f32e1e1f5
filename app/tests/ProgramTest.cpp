// The real PelmoRecovery.exe under Wine, driven from outside as a user would, with
// drive D: backed by a FAT16 image labelled PELMOTEST that holds NOTES.TXT, KEEP.TXT
// and a deleted REPORT.TXT (tests/windows/map-test-drive.sh). One program start
// serves the checks of a session; screenshots go beside the test results.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DriveSnapshot.h"
#include "ProgramDriver.h"
#include "ResourceIds.h"
#include "WindowLooks.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr wchar_t kQuestionCaption[] = L"Pelmo Windows Recovery";
constexpr int kShownPageId = 59648;
constexpr int kDriveTreeId = 156;

// The program's frame: its top-level window with the program's caption that is no dialog.
HWND WaitForFrame(const ProgramProcess& program) {
  return WaitForWindow([&] {
    HWND window = FindTopLevel(program.Id(), kCaption);
    return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
  });
}

HWND ShownPage(HWND frame) { return ::GetDlgItem(frame, kShownPageId); }

bool HasText(HWND parent, const std::function<bool(const std::wstring&)>& match) {
  return FindDescendant(parent, [&](HWND window) { return ::IsWindowVisible(window) && match(WindowText(window)); }) !=
         nullptr;
}

// ---- One session: mode page, second copy, drive page, refusals, the exit question --------

class ProgramSession : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    program_ = new ProgramProcess;
    ASSERT_TRUE(program_->Start()) << "PelmoRecovery.exe did not start";
    frame_ = WaitForFrame(*program_);
  }
  static void TearDownTestSuite() {
    delete program_;
    program_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(frame_, nullptr) << "no main frame appeared";
    ASSERT_TRUE(program_->Running());
  }

  static ProgramProcess* program_;
  static HWND frame_;
};

ProgramProcess* ProgramSession::program_ = nullptr;
HWND ProgramSession::frame_ = nullptr;

TEST_F(ProgramSession, TheFrameHasItsCaptionMenusAndTheModePage) {
  EXPECT_EQ(WindowText(frame_), kCaption);
  // The command bars: the menu bar shows menu 128, the "Standard" toolbar its buttons.
  EXPECT_NE(FindDescendant(frame_, [](HWND w) { return WindowText(w) == L"Menu Bar"; }), nullptr);
  EXPECT_NE(FindDescendant(frame_, [](HWND w) { return WindowText(w) == L"Standard"; }), nullptr);
  EXPECT_EQ(MenuTitles(IDR_MAINFRAME), (std::vector<std::wstring>{L"Recovery", L"View", L"Tools", L"Help"}));

  HWND page = ShownPage(frame_);
  ASSERT_NE(page, nullptr);
  EXPECT_NE(FindDescendantById(page, ID_MODE_QUICK_SCAN), nullptr) << "the mode page is shown at start";
  RECT frame{};
  ::GetWindowRect(frame_, &frame);
  EXPECT_GE(frame.right - frame.left, 875);
  EXPECT_GE(frame.bottom - frame.top, 690);
  EXPECT_TRUE(Screenshot(frame_, L"mode-page"));
}

TEST_F(ProgramSession, TheStatusBarShowsASizeGripWhileTheFrameIsNotMaximised) {
  if (::IsZoomed(frame_)) {
    ::ShowWindow(frame_, SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return !::IsZoomed(frame_); }, 5000));
  }
  HWND bar = FindDescendantByClass(frame_, L"msctls_statusbar32");
  ASSERT_NE(bar, nullptr);
  EXPECT_NE(::GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP, 0) << "the frame is sizeable";
  ::RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_TRUE(Screenshot(frame_, L"main-frame-grip"));
  RECT client{};
  ::GetClientRect(bar, &client);
  const int w = client.right, h = client.bottom;
  // The grip's dots fill the corner below its diagonal; beside them lies the bar's plain background.
  const COLORREF background = ScreenPixel(bar, {w - 6, h / 2});
  EXPECT_NE(ScreenPixel(bar, {w - 4, h - 4}), background);
  int marked = 0;
  for (int y = h - 12; y < h; ++y)
    for (int x = w - 12; x < w; ++x)
      if ((w - x) + (h - y) <= 12 && ScreenPixel(bar, {x, y}) != background) ++marked;
  EXPECT_GE(marked, 6) << "the corner holds no grip";
}

TEST_F(ProgramSession, TheMenuBarOpensItsPopupsFromTheKeyboard) {
  ::SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == frame_; }, 5000));
  // Alt alone makes the menu bar's first title hot; Down opens its popup.
  PressKeys({VK_MENU});
  PressKeys({VK_DOWN});
  HWND popup = WaitForWindow(
      [&] { return FindTopLevelWhere(program_->Id(), [&](HWND window) { return window != frame_; }); }, 5000);
  EXPECT_NE(popup, nullptr) << "Alt and Down opened no popup";
  if (popup != nullptr) EXPECT_TRUE(Screenshot(frame_, L"recovery-popup"));
  PressKeys({VK_ESCAPE});
  PressKeys({VK_ESCAPE});
  if (popup != nullptr) EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(popup); }, 5000));
}

TEST_F(ProgramSession, ASecondCopyShowsItsMessageAndNoWindow) {
  ProgramProcess second;
  ASSERT_TRUE(second.Start());
  const MessageBoxSeen box = WaitForMessageBox(second.Id());
  ASSERT_NE(box.window, nullptr) << "the second copy said nothing";
  EXPECT_EQ(box.text, L"Another instance of the application already running.");
  HWND secondFrame = FindTopLevel(second.Id(), kCaption);
  EXPECT_TRUE(secondFrame == nullptr || ClassOf(secondFrame) == L"#32770") << "the second copy made a frame";
  PressButton(box.window, IDOK);
  EXPECT_TRUE(second.WaitForExit(20000)) << "the second copy did not end";
  EXPECT_TRUE(program_->Running()) << "the first copy goes on";
}

TEST_F(ProgramSession, QuickScanLeadsToTheDrivePageWithDriveD) {
  HWND quickScan = FindDescendantById(ShownPage(frame_), ID_MODE_QUICK_SCAN);
  ASSERT_NE(quickScan, nullptr);
  PressButton(::GetParent(quickScan), ID_MODE_QUICK_SCAN);
  HWND tree = WaitForWindow([&] { return FindDescendantById(ShownPage(frame_), kDriveTreeId); });
  ASSERT_NE(tree, nullptr) << "the drive page with its tree did not come";

  std::vector<std::wstring> texts;
  for (const RemoteTreeItem& item : TreeItems(tree, program_->Id())) texts.push_back(item.text);
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"My Computer"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Logical Devices"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), L"Logical Drives D: "), texts.end());
}

TEST_F(ProgramSession, NextWithoutADriveIsRefused) {
  HWND page = ShownPage(frame_);
  HWND next = FindDescendantById(page, ID_PAGE_NEXT);
  ASSERT_NE(next, nullptr);
  PressButton(::GetParent(next), ID_PAGE_NEXT);
  const MessageBoxSeen box = WaitForMessageBox(program_->Id());
  ASSERT_NE(box.window, nullptr) << "Next went on without a drive";
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, L"Please choose the drive containing the deleted data from the left panel and press [Next].");
  EXPECT_TRUE(Screenshot(box.window, L"next-refused"));
  PressButton(box.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
  EXPECT_EQ(ShownPage(frame_), page) << "the drive page stays";
}

TEST_F(ProgramSession, ChoosingDriveDShowsItsLabelCapacityAndFileSystem) {
  HWND page = ShownPage(frame_);
  HWND tree = FindDescendantById(page, kDriveTreeId);
  ASSERT_NE(tree, nullptr);
  HTREEITEM driveD = nullptr;
  for (const RemoteTreeItem& item : TreeItems(tree, program_->Id()))
    if (item.text == L"Logical Drives D: ") driveD = item.item;
  ASSERT_NE(driveD, nullptr);
  RECT itemRect{};
  ASSERT_TRUE(TreeItemRect(tree, program_->Id(), driveD, itemRect));
  ClickClientPoint(tree, {(itemRect.left + itemRect.right) / 2, (itemRect.top + itemRect.bottom) / 2});

  EXPECT_TRUE(WaitUntil([&] { return HasText(page, [](const std::wstring& t) { return t == L"FAT16"; }); }))
      << "the file system of the image";
  // The label the system reports for D:. Wine takes it from the folder the drive
  // letter is mounted on (no label).
  wchar_t label[MAX_PATH + 1] = {};
  ASSERT_TRUE(::GetVolumeInformationW(L"D:\\", label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0));
  if (label[0] != L'\0') EXPECT_TRUE(HasText(page, [&](const std::wstring& t) { return t == label; })) << "the label";
  // The capacity is the 16 MiB image's own, never the size of the disk that holds it.
  EXPECT_TRUE(HasText(page, [&](const std::wstring& t) { return t == L"16 MB (Approx)"; })) << "the capacity";
  EXPECT_TRUE(Screenshot(frame_, L"drive-page"));
}

TEST_F(ProgramSession, ExitAsksAndNoKeepsTheProgramRunning) {
  for (UINT way : {static_cast<UINT>(WM_COMMAND), static_cast<UINT>(WM_CLOSE)}) {
    if (way == WM_COMMAND)
      ::PostMessageW(frame_, WM_COMMAND, ID_RECOVERY_EXIT, 0);
    else
      ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    const MessageBoxSeen box = WaitForMessageBox(program_->Id());
    ASSERT_NE(box.window, nullptr) << "no question for message " << way;
    EXPECT_EQ(box.caption, kQuestionCaption);
    EXPECT_EQ(box.text, L"Do you really want to exit ?");
    EXPECT_NE(::GetDlgItem(box.window, IDYES), nullptr);
    if (way == WM_CLOSE) EXPECT_TRUE(Screenshot(box.window, L"exit-question"));
    PressButton(box.window, IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
    ::Sleep(500);
    EXPECT_TRUE(program_->Running()) << "No ended the program";
    EXPECT_TRUE(::IsWindowVisible(frame_));
  }
}

// A stand-in PDF viewer: while it lives, the shell's "open" of a .pdf writes
// the path it was given into `record`. It is registered through the classes
// root (Wine keeps that root in the machine's hive) and the old association
// comes back when it goes.
class StandInPdfViewer {
 public:
  explicit StandInPdfViewer(const std::wstring& record) {
    previous_ = Default(L".pdf");
    SetDefault(std::wstring(kProgId) + L"\\shell\\open\\command", L"cmd.exe /c echo %1> \"" + record + L"\"");
    SetDefault(L".pdf", kProgId);
  }
  ~StandInPdfViewer() {
    if (previous_.empty())
      ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".pdf");
    else
      SetDefault(L".pdf", previous_);
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kProgId);
  }
  StandInPdfViewer(const StandInPdfViewer&) = delete;
  StandInPdfViewer& operator=(const StandInPdfViewer&) = delete;

 private:
  static constexpr wchar_t kProgId[] = L"PelmoTest.StandInPdfViewer";
  static std::wstring Default(const wchar_t* path) {
    wchar_t value[256] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, path, nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
      return {};
    return value;
  }
  static void SetDefault(const std::wstring& path, const std::wstring& value) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return;
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
  }

  std::wstring previous_;
};

std::string FileStart(const std::wstring& path, size_t count) {
  std::string bytes(count, '\0');
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  DWORD got = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(count), &got, nullptr);
  ::CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

TEST_F(ProgramSession, HelpHandsTheManualBesideTheProgramToTheShell) {
  const std::wstring program = ProgramPath();
  const std::wstring manual = program.substr(0, program.find_last_of(L'\\') + 1) + L"Pelmo Windows Data Recovery.pdf";
  EXPECT_EQ(FileStart(manual, 5), "%PDF-") << "the manual ships beside the program";

  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring record = std::wstring(temp) + L"pelmo-manual-opened.txt";
  ::DeleteFileW(record.c_str());
  StandInPdfViewer viewer(record);
  ::PostMessageW(frame_, WM_COMMAND, ID_HELP_MANUAL, 0);
  std::string opened;
  EXPECT_TRUE(WaitUntil([&] {
    opened = FileStart(record, 1024);
    return opened.find('\n') != std::string::npos;
  })) << "the shell was not asked to open the manual";
  EXPECT_NE(opened.find("\\Pelmo Windows Data Recovery.pdf"), std::string::npos) << opened;
  EXPECT_EQ(FindTopLevel(program_->Id(), kCaption, L"#32770"), nullptr) << "Help showed a message";
  ::DeleteFileW(record.c_str());
}

TEST_F(ProgramSession, TheAboutBoxShowsTheProductAndVersion) {
  ::PostMessageW(frame_, WM_COMMAND, ID_ABOUT_PROGRAM, 0);
  HWND about = WaitForWindow([&] { return FindTopLevel(program_->Id(), L"Pelmo Windows Data Recovery Software"); });
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_PRODUCT)), L"Pelmo Windows Data Recovery Software");
  EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)), L"Version 22.03.01");
  EXPECT_FALSE(WindowText(::GetDlgItem(about, IDC_ABOUT_NOTICE)).empty()) << "the legal notice";
  EXPECT_TRUE(Screenshot(about, L"about"));
  PressButton(about, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

// ---- The toolbar and the menu bar under real input --------------------------------------

INPUT MouseInput(DWORD flags, POINT screen = {}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_MOVE) {
    input.mi.dwFlags |= MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>(screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = static_cast<LONG>(screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  }
  return input;
}

void SendMouse(std::vector<INPUT> inputs) {
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Points inside the toolbar's first button (Exit) and its last (Help), each
// confirmed by the prompt the hot button puts on the status bar.
struct ToolbarPoints {
  HWND bar = nullptr;
  POINT exit{}, help{};
};

ToolbarPoints FindToolbarPoints(HWND frame) {
  ToolbarPoints points;
  points.bar = FindDescendant(frame, [](HWND w) { return WindowText(w) == L"Standard"; });
  if (points.bar == nullptr) return points;
  RECT bar{};
  ::GetWindowRect(points.bar, &bar);
  const LONG middle = (bar.top + bar.bottom) / 2;
  points.exit = {bar.left + 24, middle};
  points.help = {bar.right - 20, middle};
  return points;
}

bool HoverUntilPrompt(HWND frame, POINT at, const std::wstring& prompt) {
  SendMouse({MouseInput(MOUSEEVENTF_MOVE, {at.x, at.y + 200})});
  ::Sleep(100);
  SendMouse({MouseInput(MOUSEEVENTF_MOVE, {at.x - 1, at.y}), MouseInput(MOUSEEVENTF_MOVE, at)});
  return WaitUntil([&] { return StatusText(frame).rfind(prompt, 0) == 0; }, 5000);
}

TEST_F(ProgramSession, AToolbarButtonRunsOnlyWhenReleasedOverIt) {
  ::SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == frame_; }, 5000));
  const ToolbarPoints points = FindToolbarPoints(frame_);
  ASSERT_NE(points.bar, nullptr);
  ASSERT_TRUE(HoverUntilPrompt(frame_, points.exit, L"Exit")) << "no Exit at " << points.exit.x;
  ASSERT_TRUE(HoverUntilPrompt(frame_, points.help, L"Help")) << "no Help at " << points.help.x;

  // Pressed on Help, slid onto Exit and released there: nothing runs, no question.
  const POINT between{(points.help.x + points.exit.x) / 2, points.help.y};
  SendMouse({MouseInput(MOUSEEVENTF_MOVE, points.help), MouseInput(MOUSEEVENTF_LEFTDOWN),
             MouseInput(MOUSEEVENTF_MOVE, between), MouseInput(MOUSEEVENTF_MOVE, points.exit),
             MouseInput(MOUSEEVENTF_LEFTUP)});
  const MessageBoxSeen unexpected = WaitForMessageBox(program_->Id(), 2000);
  EXPECT_EQ(unexpected.window, nullptr) << "a release on Exit after a press on Help asked: " << std::string(
      unexpected.text.begin(), unexpected.text.end());
  if (unexpected.window != nullptr) {
    PressButton(unexpected.window, ::GetDlgItem(unexpected.window, IDNO) != nullptr ? IDNO : IDOK);
    WaitUntil([&] { return !::IsWindow(unexpected.window); });
  }

  // Held on Exit the button holds the mouse and looks pressed; released there it asks.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  const DWORD thread = ::GetWindowThreadProcessId(frame_, nullptr);
  SendMouse({MouseInput(MOUSEEVENTF_MOVE, points.exit), MouseInput(MOUSEEVENTF_LEFTDOWN)});
  EXPECT_TRUE(WaitUntil([&] { return ::GetGUIThreadInfo(thread, &gui) && gui.hwndCapture == points.bar; }, 5000))
      << "the pressed button does not hold the mouse";
  ::Sleep(300);
  EXPECT_TRUE(Screenshot(points.bar, L"toolbar-exit-pressed"));
  SendMouse({MouseInput(MOUSEEVENTF_LEFTUP)});
  const MessageBoxSeen box = WaitForMessageBox(program_->Id());
  ASSERT_NE(box.window, nullptr) << "a click on Exit did not ask";
  EXPECT_EQ(box.text, L"Do you really want to exit ?");
  PressButton(box.window, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
  EXPECT_TRUE(program_->Running());
}

TEST_F(ProgramSession, AToolbarButtonShowsItsTipOnAHover) {
  ::SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == frame_; }, 5000));
  const ToolbarPoints points = FindToolbarPoints(frame_);
  ASSERT_NE(points.bar, nullptr);
  ASSERT_TRUE(HoverUntilPrompt(frame_, points.exit, L"Exit"));
  HWND tip = WaitForWindow(
      [&] {
        return FindTopLevelWhere(program_->Id(), [](HWND w) {
          return ClassOf(w) == TOOLTIPS_CLASSW && ::IsWindowVisible(w);
        });
      },
      5000);
  ASSERT_NE(tip, nullptr) << "no tip over Exit";
  wchar_t text[128] = {};
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(tip, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000, &copied);
  EXPECT_STREQ(text, L"Exit");
  EXPECT_TRUE(Screenshot(frame_, L"toolbar-exit-tip"));
  SendMouse({MouseInput(MOUSEEVENTF_MOVE, {points.exit.x, points.exit.y + 300})});
}

TEST_F(ProgramSession, AltHeldOverTOpensToolsAndLeavesItOpen) {
  ::SetForegroundWindow(frame_);
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == frame_; }, 5000));
  PressKeys({VK_MENU, 'T'});
  HWND popup = WaitForWindow(
      [&] {
        return FindTopLevelWhere(program_->Id(), [&](HWND w) {
          return w != frame_ && ClassOf(w) != TOOLTIPS_CLASSW && ::IsWindowVisible(w);
        });
      },
      5000);
  ASSERT_NE(popup, nullptr) << "Alt+T left no menu open";
  ::Sleep(500);
  EXPECT_TRUE(::IsWindowVisible(popup)) << "the menu closed again";
  // It hangs below the third title, Tools.
  HWND menuBar = FindDescendant(frame_, [](HWND w) { return WindowText(w) == L"Menu Bar"; });
  ASSERT_NE(menuBar, nullptr);
  RECT bar{}, menu{};
  ::GetWindowRect(menuBar, &bar);
  ::GetWindowRect(popup, &menu);
  EXPECT_GE(menu.top, bar.bottom - 2);
  EXPECT_GT(menu.left, bar.left + 60) << "not below the first titles";
  EXPECT_TRUE(Screenshot(frame_, L"alt-t-tools"));
  PressKeys({VK_ESCAPE});
  PressKeys({VK_ESCAPE});
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(popup); }, 5000));
}

// Last of the session: Yes ends the program at once with exit code 0.
TEST_F(ProgramSession, ExitWithYesEndsTheProgram) {
  ::PostMessageW(frame_, WM_COMMAND, ID_RECOVERY_EXIT, 0);
  const MessageBoxSeen box = WaitForMessageBox(program_->Id());
  ASSERT_NE(box.window, nullptr);
  PressButton(box.window, IDYES);
  ASSERT_TRUE(program_->WaitForExit(20000)) << "Yes left the program running";
  DWORD code = 1;
  ::GetExitCodeProcess(program_->Handle(), &code);
  EXPECT_EQ(code, 0u);
}

// ---- Snapshots named on the command line ---------------------------------------------------

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == bytes.size();
}

TEST(ProgramSnapshots, ASnapshotNamedOnTheCommandLineIsLoaded) {
  const std::wstring path = TempPath(L"Pelmo Program Test.vbrx");
  ASSERT_EQ(MakeQuickScanSnapshot(u"D:\\", path), L"");

  ProgramProcess program;
  // In quotes and in another case, as the shell or a user may give it.
  std::wstring named = path;
  std::transform(named.begin(), named.end(), named.begin(), ::towupper);
  ASSERT_TRUE(program.Start(L"\"" + named + L"\""));
  HWND frame = WaitForFrame(program);
  ASSERT_NE(frame, nullptr);

  HWND list = WaitForWindow([&] {
    HWND page = ShownPage(frame);
    HWND found = page != nullptr ? FindDescendantByClass(page, L"SysListView32") : nullptr;
    return found != nullptr && ::SendMessageW(found, LVM_GETITEMCOUNT, 0, 0) > 0 ? found : nullptr;
  });
  ASSERT_NE(list, nullptr) << "the results page with the snapshot's files did not come";
  std::vector<std::wstring> names;
  const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) names.push_back(ListItemText(list, program.Id(), row, 0));
  EXPECT_NE(std::find(names.begin(), names.end(), L"NOTES.TXT"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), L"KEEP.TXT"), names.end());
  HWND header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 6) << "the Quick Scan columns";
  EXPECT_EQ(FindTopLevel(program.Id(), nullptr, L"#32770"), nullptr) << "no message";
  HWND recover = ::GetDlgItem(ShownPage(frame), ID_PAGE_NEXT);
  ASSERT_NE(recover, nullptr) << "the results page's Recover button";
  EXPECT_TRUE(::IsWindowVisible(recover) && ::IsWindowEnabled(recover));
  ::DeleteFileW(path.c_str());
}

struct DamagedSnapshot {
  const char* name;
  std::string bytes;
  const wchar_t* caption;
  const wchar_t* message;
};

class ProgramDamagedSnapshots : public testing::TestWithParam<DamagedSnapshot> {};

TEST_P(ProgramDamagedSnapshots, AreReportedAndTheProgramStaysUsable) {
  const DamagedSnapshot& damaged = GetParam();
  const std::wstring path = TempPath(L"pelmo-damaged.vbrx");
  ASSERT_TRUE(WriteBytes(path, damaged.bytes));

  ProgramProcess program;
  ASSERT_TRUE(program.Start(L"\"" + path + L"\""));
  const MessageBoxSeen box = WaitForMessageBox(program.Id());
  ASSERT_NE(box.window, nullptr) << "the damaged file was not reported";
  EXPECT_EQ(box.caption, damaged.caption);
  EXPECT_EQ(box.text, damaged.message);
  PressButton(box.window, IDOK);

  HWND frame = WaitForFrame(program);
  ASSERT_NE(frame, nullptr);
  HWND quickScan = WaitForWindow([&] { return FindDescendantById(ShownPage(frame), ID_MODE_QUICK_SCAN); });
  ASSERT_NE(quickScan, nullptr) << "the mode page stays";
  PressButton(::GetParent(quickScan), ID_MODE_QUICK_SCAN);
  EXPECT_NE(WaitForWindow([&] { return FindDescendantById(ShownPage(frame), kDriveTreeId); }), nullptr)
      << "the program stays usable";
  ::DeleteFileW(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Files, ProgramDamagedSnapshots,
    testing::Values(DamagedSnapshot{"NotASnapshot", std::string("DD and some text"), kCaption, L"Invalid File."},
                    DamagedSnapshot{"CutShort", std::string("D\0\x01\x02", 4), kCaption,
                                    L" A file with an invalid version number was found. : "}),
    [](const testing::TestParamInfo<DamagedSnapshot>& info) { return std::string(info.param.name); });

}  // namespace
