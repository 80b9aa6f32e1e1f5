// The "Please Select" question of the partition search as a window of this test
// program: asked as the engine host asks it, answered through its controls from
// a second thread, and its answer read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <thread>

#include "CPleaseSelectDlg.h"
#include "ResourceIds.h"
#include "WindowCapture.h"

namespace {

HWND WaitForOwnDialog(const wchar_t* caption) {
  for (int attempt = 0; attempt < 200; ++attempt) {
    HWND window = ::FindWindowW(L"#32770", caption);
    DWORD process = 0;
    if (window != nullptr) ::GetWindowThreadProcessId(window, &process);
    if (window != nullptr && process == ::GetCurrentProcessId() && ::IsWindowVisible(window)) return window;
    ::Sleep(50);
  }
  return nullptr;
}

// Asks, while `answer` works the dialog from another thread.
std::optional<int> AskAndAnswer(const std::function<void(HWND)>& answer) {
  std::thread user([&] {
    HWND dialog = WaitForOwnDialog(L"Please Select");
    if (dialog != nullptr) answer(dialog);
  });
  const std::optional<int> choice = AskPartitionSearchChoice();
  user.join();
  return choice;
}

TEST(PleaseSelect, OkKeepsTheExistingPartitionInformation) {
  bool firstChecked = false;
  bool cancelShown = true;
  const std::optional<int> choice = AskAndAnswer([&](HWND dialog) {
    firstChecked = ::SendDlgItemMessageW(dialog, IDC_SELECT_EXISTING, BM_GETCHECK, 0, 0) == BST_CHECKED;
    cancelShown = ::IsWindowVisible(::GetDlgItem(dialog, IDCANCEL)) != FALSE;
    ::Sleep(300);
    CaptureWindowToBmp(dialog, L"please-select.bmp");
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(firstChecked);
  EXPECT_FALSE(cancelShown) << "the Cancel button stays hidden";
  EXPECT_EQ(choice, 0);
}

TEST(PleaseSelect, SearchPartitionAnswersOne) {
  const std::optional<int> choice = AskAndAnswer([](HWND dialog) {
    ::SendDlgItemMessageW(dialog, IDC_SELECT_SEARCH, BM_CLICK, 0, 0);
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(choice, 1);
}

TEST(PleaseSelect, EscapeAnswersNothing) {
  const std::optional<int> choice =
      AskAndAnswer([](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); });
  EXPECT_FALSE(choice.has_value());
}

}  // namespace
