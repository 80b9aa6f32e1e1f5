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
  // The grip's ridges cross the corner's diagonal; beside them lies the bar's plain background.
  const COLORREF background = ScreenPixel(bar, {w - 6, h / 2});
  EXPECT_NE(ScreenPixel(bar, {w - 4, h - 4}), background);
  EXPECT_NE(ScreenPixel(bar, {w - 6, h - 6}), background);
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
  // The label and capacity the system reports for D:. Wine takes both from the
  // folder the drive letter is mounted on (no label, that folder's disk size).
  wchar_t label[MAX_PATH + 1] = {};
  ASSERT_TRUE(::GetVolumeInformationW(L"D:\\", label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0));
  if (label[0] != L'\0') EXPECT_TRUE(HasText(page, [&](const std::wstring& t) { return t == label; })) << "the label";
  ULARGE_INTEGER total{};
  ASSERT_TRUE(::GetDiskFreeSpaceExW(L"D:\\", nullptr, &total, nullptr));
  const std::wstring capacity = std::to_wstring(total.QuadPart / (1024 * 1024)) + L" MB (Approx)";
  EXPECT_TRUE(HasText(page, [&](const std::wstring& t) { return t == capacity; })) << "the capacity";
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

TEST_F(ProgramSession, HelpWithoutTheManualSaysSo) {
  ::PostMessageW(frame_, WM_COMMAND, ID_HELP_MANUAL, 0);
  const MessageBoxSeen box = WaitForMessageBox(program_->Id());
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.text, L"Pelmo Windows Data Recovery.pdf file does not exist. Please, reinstall the software.");
  PressButton(box.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box.window); }));
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
