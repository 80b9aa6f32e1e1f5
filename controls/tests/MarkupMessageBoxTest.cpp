// The markup message box on a real display: icons, buttons, keys, threads,
// countdowns and remembered answers. Each box is captured beside the results.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>
#include <thread>

#include "MarkupMessageBox.h"
#include "MarkupScan.h"
#include "WindowCapture.h"

namespace {

// A real two-line message of the scan page.
constexpr const wchar_t* kStopQuestion =
    L"Do you want to stop searching for files?  This may result in an incomplete \r\nrecovery, requiring you to "
    L"restart the process again.";

HWND WaitForBox(const wchar_t* caption) {
  for (int i = 0; i < 200; ++i) {
    HWND box = FindWindowW(L"#32770", caption);
    if (box && IsWindowVisible(box)) return box;
    Sleep(50);
  }
  return nullptr;
}

std::wstring ButtonText(HWND box, int id) {
  wchar_t text[64] = {};
  GetWindowTextW(GetDlgItem(box, id), text, 64);
  return text;
}

// Shows a box on a thread of its own while `act` drives it from here; returns its result.
int ShowBox(std::function<int()> show, const wchar_t* caption, const std::function<void(HWND)>& act) {
  std::future<int> result = std::async(std::launch::async, std::move(show));
  HWND box = WaitForBox(caption);
  EXPECT_NE(box, nullptr) << "the box did not appear";
  if (box) {
    Sleep(400);  // let it paint
    act(box);
  }
  if (result.wait_for(std::chrono::seconds(15)) != std::future_status::ready) {
    ADD_FAILURE() << "the box did not close";
    if (box) PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return result.get();
}

void Capture(HWND box, const wchar_t* name) {
  EXPECT_TRUE(CaptureWindowToBmp(box, std::wstring(name) + L".bmp")) << "no screenshot";
}

void PressEscape(HWND box) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  HWND target = GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info) && info.hwndFocus ? info.hwndFocus : box;
  PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
  PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  Sleep(300);
}

TEST(MarkupMessageBoxTest, InformationBoxShowsOneOkButtonAndEscapeCancels) {
  std::wstring message = L"Recovered into " +
                         std::wstring(reinterpret_cast<const wchar_t*>(markup::EscapeMarkup(u"C:\\Found\\<b>.txt").c_str())) +
                         L"\r\n2 Files successfully saved.";
  int result = ShowBox([&] { return MarkupMessageBox(nullptr, message.c_str(), L"Information", MB_OK | 0x40); },
                       L"Information", [](HWND box) {
                         EXPECT_EQ(ButtonText(box, IDOK), L"OK");
                         EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr);
                         Capture(box, L"information-box");
                         PressEscape(box);
                       });
  EXPECT_EQ(result, IDCANCEL);
}

TEST(MarkupMessageBoxTest, QuestionBoxIgnoresEscapeAndAnswersNo) {
  int result = ShowBox([] { return MarkupMessageBox(nullptr, kStopQuestion, L"Question", MB_YESNO | 0x20); },
                       L"Question", [](HWND box) {
                         EXPECT_EQ(ButtonText(box, IDYES), L"Yes");
                         EXPECT_EQ(ButtonText(box, IDNO), L"No");
                         Capture(box, L"question-box");
                         PressEscape(box);
                         EXPECT_TRUE(IsWindow(box)) << "Esc must not close a Yes/No box";
                         PostMessageW(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
                       });
  EXPECT_EQ(result, IDNO);
}

TEST(MarkupMessageBoxTest, WorkerThreadShowsAnErrorBox) {
  int result = 0;
  std::thread worker([&] {
    result = ShowBox([] { return MarkupMessageBox(nullptr, L"Unable to open the drive for reading.", L"Scan error", 0x10); },
                     L"Scan error", [](HWND box) {
                       Capture(box, L"error-box-from-worker");
                       PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                     });
  });
  worker.join();
  EXPECT_EQ(result, IDOK);
}

TEST(MarkupMessageBoxTest, AutoPressCountdownAndMoreSection) {
  MarkupMessageBoxParams params;
  params.autoPressSeconds = 2;
  params.moreText = L"<b>Details:</b> the source is read only; nothing is written to it.";
  int result = ShowBox(
      [&] { return MarkupMessageBox(nullptr, L"Closing by itself.", L"Countdown", MB_OKCANCEL | 0x100 | 0x30, &params); },
      L"Countdown", [](HWND box) {
        EXPECT_EQ(ButtonText(box, IDCANCEL), L"Cancel = 2");
        RECT before, after;
        GetWindowRect(box, &before);
        SendMessageW(box, WM_COMMAND, 31, 0);
        GetWindowRect(box, &after);
        EXPECT_GT(after.bottom - after.top, before.bottom - before.top);
        EXPECT_EQ(ButtonText(box, 31), L"<< More");
        Sleep(300);
        Capture(box, L"countdown-more-box");
      });
  EXPECT_EQ(result, IDCANCEL);
}

TEST(MarkupMessageBoxTest, TickedAnswerIsRememberedAndReturnedWithoutABox) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  program.erase(0, program.find_last_of(L"\\/") + 1);
  const std::wstring key = L"Software\\PelmoTest\\" + program + L"\\JxMessageBox";
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());

  MarkupMessageBoxParams params;
  params.answerPrefix = L"Question";
  params.answerCompany = L"PelmoTest";
  params.messageNumber = 7;
  const DWORD style = MB_YESNO | 0x20 | 0x01000000 | 0x40000000;
  auto show = [&] { return MarkupMessageBox(nullptr, L"Use the existing partition information?", L"Remember", style, &params); };
  int first = ShowBox(show, L"Remember", [](HWND box) {
    HWND check = FindWindowExW(box, nullptr, L"Button", L"");
    ASSERT_NE(check, nullptr);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
    Capture(box, L"remembered-answer-box");
    PostMessageW(GetDlgItem(box, IDYES), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(first, IDYES);
  EXPECT_EQ(show(), IDYES);  // returns at once: no box is shown

  DWORD stored = 0, size = sizeof(stored);
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Question7", RRF_RT_REG_DWORD, nullptr, &stored, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(stored, static_cast<DWORD>(IDYES));
  RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
}

// How wide the caption's text is in the system's caption font.
int CaptionTextWidth(const std::wstring& caption) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
  HGDIOBJ old = SelectObject(screen, font);
  SIZE size{};
  GetTextExtentPoint32W(screen, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(screen, old);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return size.cx + metrics.iCaptionWidth;
}

TEST(MarkupMessageBoxTest, AShortMessageLeavesRoomForTheWholeCaption) {
  const std::wstring caption = L"Pelmo Windows Data Recovery: a caption longer than its message";
  const int needed = CaptionTextWidth(caption);
  const int result = ShowBox([&caption] { return MarkupMessageBox(nullptr, L"Done.", caption.c_str(), MB_OK); },
                             caption.c_str(), [needed](HWND box) {
                               RECT window{};
                               GetWindowRect(box, &window);
                               EXPECT_GT(window.right - window.left, needed) << "the caption is cut short";
                               Capture(box, L"short-message-long-caption");
                               PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                             });
  EXPECT_EQ(result, IDOK);
}

TEST(MarkupMessageBoxTest, ABoxWithoutButtonsGetsOkAndALongLineStaysOnTheScreen) {
  std::wstring line;
  for (int i = 0; i < 512; ++i) line += L"word ";  // 2,560 characters on one line
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int result = ShowBox([&line] { return MarkupMessageBox(nullptr, line.c_str(), L"A long line", 0x0A); },
                             L"A long line", [&work](HWND box) {
                               RECT window{};
                               GetWindowRect(box, &window);
                               EXPECT_LE(window.right - window.left, work.right - work.left);
                               EXPECT_GE(window.left, work.left);
                               EXPECT_GE(window.top, work.top);
                               EXPECT_LE(window.bottom, work.bottom);
                               EXPECT_NE(GetDlgItem(box, IDOK), nullptr) << "set 10 gets an OK button";
                               Capture(box, L"long-line-box");
                               PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
                             });
  EXPECT_EQ(result, IDOK);

  MarkupMessageBoxParams params;
  params.text = L"A box with a huge header";
  params.caption = L"Huge header";
  params.headerHeight = 2000000000;
  params.style = 0x0F;
  const int huge = ShowBox([&params] { return MarkupMessageBoxIndirect(&params); }, L"Huge header",
                           [&work](HWND box) {
                             RECT window{};
                             GetWindowRect(box, &window);
                             EXPECT_GE(window.top, work.top) << "never placed off-screen";
                             EXPECT_LE(window.bottom, work.bottom);
                             PressEscape(box);
                           });
  EXPECT_NE(huge, 0);
}

}  // namespace
