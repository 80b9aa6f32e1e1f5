// The preview road of the real PelmoRecovery.exe under Wine: a Quick Scan of a
// FAT16 drive whose files were made by real tools, then a click on each file row
// of the results list. The engine copies the file into the temporary folder and
// the preview pane below the list shows it in the viewer of its kind; leaving the
// program deletes the copies. One program start for every check.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <richedit.h>
#include <winioctl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "ResourceIds.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr int kShownPageId = 59648;
constexpr int kDriveTreeId = 156;
constexpr int kResultListId = 165;
constexpr int kFirstCaptionId = 32812;
constexpr int kPreviewPaneId = 0xE901;
constexpr int kViewerId = 0xE900;
constexpr int kRichEditId = 183;
constexpr int kDbfListId = 186;
constexpr int kArchiveListId = 165;
constexpr wchar_t kQuickScanEndText[] =
    L"If  file(s) and folder(s) are not found here,  \r\nplease return to the first step and select Extensive Scan "
    L"for recovery.";

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, folder);
  return folder;
}

// The names of the "tmp*.*" files in the temporary folder.
std::set<std::wstring> TempCopies() {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((TempFolder() + L"tmp*.*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.insert(found.cFileName);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

bool Near(COLORREF color, int red, int green, int blue) {
  return std::abs(GetRValue(color) - red) < 48 && std::abs(GetGValue(color) - green) < 48 &&
         std::abs(GetBValue(color) - blue) < 48;
}

COLORREF ScreenPixel(HWND window, int x, int y) {
  POINT point{x, y};
  ::ClientToScreen(window, &point);
  HDC screen = ::GetDC(nullptr);
  const COLORREF color = ::GetPixel(screen, point.x, point.y);
  ::ReleaseDC(nullptr, screen);
  return color;
}

// Wine's mount manager learns of the prefix's drive letters when it starts; a wine
// server that outlived the mapping of P: does not list it. The drive is then
// defined through the manager's request for a drive backed by a host device, as
// Wine's configuration tool does.
struct UnixDriveRequest {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

bool EnsureDriveP() {
  if (::GetLogicalDrives() & (1u << ('P' - 'A'))) return true;
  const std::string folder = PREVIEW_DRIVE_UNIX_DIR;
  const std::string mountPoint = folder + "/mounted-p";
  const std::string device = folder + "/preview-fat16.img";
  std::vector<char> request(sizeof(UnixDriveRequest) + mountPoint.size() + device.size() + 2, '\0');
  UnixDriveRequest head{};
  head.size = static_cast<ULONG>(request.size());
  head.type = DRIVE_FIXED;
  head.letter = L'p';
  head.mount_point_offset = sizeof(UnixDriveRequest);
  head.device_offset = static_cast<USHORT>(sizeof(UnixDriveRequest) + mountPoint.size() + 1);
  std::copy(mountPoint.begin(), mountPoint.end(), request.begin() + head.mount_point_offset);
  std::copy(device.begin(), device.end(), request.begin() + head.device_offset);
  std::memcpy(request.data(), &head, sizeof(head));
  HANDLE manager = ::CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  DWORD returned = 0;
  const BOOL done = ::DeviceIoControl(manager, kDefineUnixDrive, request.data(), static_cast<DWORD>(request.size()),
                                      nullptr, 0, &returned, nullptr);
  ::CloseHandle(manager);
  return done && (::GetLogicalDrives() & (1u << ('P' - 'A'))) != 0;
}

class PreviewRoad : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    before_ = TempCopies();
    ASSERT_TRUE(EnsureDriveP()) << "drive P: could not be defined";
    program_ = new ProgramProcess;
    ASSERT_TRUE(program_->Start()) << "PelmoRecovery.exe did not start";
    frame_ = WaitForWindow([] {
      HWND window = FindTopLevel(program_->Id(), kCaption);
      return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
    });
  }
  static void TearDownTestSuite() {
    delete program_;
    program_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(frame_, nullptr) << "no main frame appeared";
  }

  static DWORD Id() { return program_->Id(); }
  static HWND ShownPage() { return ::GetDlgItem(frame_, kShownPageId); }
  static void Press(HWND page, int id) { ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  // Quick Scan of P: from the mode page; the results page once the scan has ended.
  static HWND QuickScanOfDriveP() {
    HWND modePage = ShownPage();
    Press(modePage, ID_MODE_QUICK_SCAN);
    HWND tree = WaitForWindow([&] {
      HWND page = ShownPage();
      return page != modePage && page != nullptr ? FindDescendantById(page, kDriveTreeId) : nullptr;
    });
    if (tree == nullptr) return Failed(L"no drive page");
    HWND drivePage = ShownPage();
    HTREEITEM drive = nullptr;
    WaitUntil([&] {
      for (const RemoteTreeItem& item : TreeItems(tree, Id()))
        if (item.text == L"Logical Drives P: ") drive = item.item;
      return drive != nullptr;
    });
    RECT rect{};
    if (drive == nullptr || !TreeItemRect(tree, Id(), drive, rect)) {
      std::wstring listed = L"drive P: is not listed among";
      for (const RemoteTreeItem& item : TreeItems(tree, Id())) listed += L" [" + item.text + L"]";
      return Failed(listed.c_str());
    }
    ClickClientPoint(tree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ::Sleep(300);
    Press(drivePage, ID_PAGE_NEXT);
    HWND scanPage = WaitForWindow([&] {
      HWND page = ShownPage();
      return page != drivePage && page != nullptr && FindDescendantById(page, kFirstCaptionId) != nullptr ? page
                                                                                                         : nullptr;
    });
    if (scanPage == nullptr) return Failed(L"no scan page");
    Press(scanPage, ID_PAGE_NEXT);
    MessageBoxSeen end = WaitForMessageBox(Id(), 60000);
    for (int other = 0; other < 3 && end.window != nullptr && end.text != kQuickScanEndText; ++other) {
      PressButton(end.window, IDOK);
      WaitUntil([&] { return !::IsWindow(end.window); });
      end = WaitForMessageBox(Id(), 60000);
    }
    if (end.window == nullptr) return Failed(L"the scan did not end");
    PressButton(end.window, IDOK);
    WaitUntil([&] { return !::IsWindow(end.window); });
    return WaitForWindow([] {
      HWND page = ShownPage();
      return page != nullptr && FindDescendantById(page, kResultListId) != nullptr ? page : nullptr;
    });
  }

  static HWND Failed(const wchar_t* step) {
    failedStep_ = step;
    Screenshot(frame_, L"preview-road-failed");
    return nullptr;
  }

  // The rich edit's text, read in the program's own memory (WM_GETTEXT of a rich
  // edit is not carried across processes).
  static std::wstring RichText(HWND edit) {
    constexpr size_t kChars = 2048;
    RemoteMemory memory(Id(), sizeof(GETTEXTEX) + kChars * sizeof(wchar_t));
    std::vector<char> block(sizeof(GETTEXTEX) + kChars * sizeof(wchar_t), 0);
    GETTEXTEX request{};
    request.cb = static_cast<DWORD>((kChars - 1) * sizeof(wchar_t));
    request.flags = GT_DEFAULT;
    request.codepage = 1200;
    std::memcpy(block.data(), &request, sizeof(request));
    memory.Write(block.data(), block.size());
    ::SendMessageW(edit, EM_GETTEXTEX, memory.Address(), memory.Address() + sizeof(GETTEXTEX));
    memory.Read(block.data(), block.size());
    return reinterpret_cast<const wchar_t*>(block.data() + sizeof(GETTEXTEX));
  }

  static int RowOf(HWND list, const std::wstring& name) {
    const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
      if (ListItemText(list, Id(), row, 0) == name) return row;
    return -1;
  }

  // A real click on the row's name, away from its box.
  static bool ClickRow(HWND list, int row) {
    RemoteMemory memory(Id(), sizeof(RECT));
    RECT label{};
    label.left = LVIR_LABEL;
    memory.Write(&label, sizeof(label));
    if (::SendMessageW(list, LVM_GETITEMRECT, row, memory.Address()) == 0) return false;
    memory.Read(&label, sizeof(label));
    ::SetForegroundWindow(frame_);
    ClickWithMouse(list, {label.left + 12, (label.top + label.bottom) / 2});
    return true;
  }

  // The viewer the pane shows, once `ready` holds for it.
  static HWND WaitForViewer(HWND pane, const std::function<bool(HWND)>& ready) {
    HWND viewer = WaitForWindow(
        [&] {
          HWND viewer = FindDescendantById(pane, kViewerId);
          return viewer != nullptr && ::IsWindowVisible(viewer) && ready(viewer) ? viewer : nullptr;
        },
        15000);
    if (viewer == nullptr) {
      Screenshot(frame_, L"preview-road-failed");
      for (HWND child : Descendants(pane)) {
        const std::wstring line = ClassOf(child) + L" id " + std::to_wstring(::GetDlgCtrlID(child)) + L" visible " +
                                  std::to_wstring(::IsWindowVisible(child)) + L" text " + WindowText(child);
        std::printf("%ls\n", line.c_str());
      }
    }
    return viewer;
  }

  static ProgramProcess* program_;
  static HWND frame_;
  static std::set<std::wstring> before_;
  static std::wstring failedStep_;
};
std::wstring PreviewRoad::failedStep_;

ProgramProcess* PreviewRoad::program_ = nullptr;
HWND PreviewRoad::frame_ = nullptr;
std::set<std::wstring> PreviewRoad::before_;

TEST_F(PreviewRoad, EachFileRowIsCopiedAndShownAndTheCopiesGoAtExit) {
  HWND results = QuickScanOfDriveP();
  ASSERT_NE(results, nullptr) << "the Quick Scan of P: did not reach the results page: "
                              << std::string(failedStep_.begin(), failedStep_.end());
  HWND list = FindDescendantById(results, kResultListId);
  HWND pane = FindDescendantById(results, kPreviewPaneId);
  ASSERT_NE(pane, nullptr) << "the results page has no preview pane";
  ASSERT_TRUE(::IsWindowVisible(pane));
  RECT listRect{}, paneRect{};
  ::GetWindowRect(list, &listRect);
  ::GetWindowRect(pane, &paneRect);
  EXPECT_LE(listRect.bottom, paneRect.top) << "the pane lies below the list";
  EXPECT_EQ(listRect.left, paneRect.left);
  ASSERT_TRUE(WaitUntil([&] { return RowOf(list, L"picture.psd") >= 0; })) << "the root's files are not listed";

  // The text: the document view's read-only editor holds its lines.
  ASSERT_TRUE(ClickRow(list, RowOf(list, L"notes.txt")));
  HWND viewer = WaitForViewer(pane, [](HWND v) {
    HWND edit = FindDescendantById(v, kRichEditId);
    return edit != nullptr && RichText(edit).find(L"Preview road") != std::wstring::npos;
  });
  ASSERT_NE(viewer, nullptr) << "the text file was not shown";
  EXPECT_EQ(RichText(FindDescendantById(viewer, kRichEditId)), L"Preview road\rsecond line\r");
  std::set<std::wstring> copies = TempCopies();
  const bool textCopy = std::any_of(copies.begin(), copies.end(), [](const std::wstring& name) {
    return name.size() > 4 && name.compare(name.size() - 4, 4, L".txt") == 0 && before_.count(name) == 0;
  });
  EXPECT_TRUE(textCopy) << "no tmp<n>.txt copy in the temporary folder";
  ::Sleep(300);
  EXPECT_TRUE(Screenshot(pane, L"preview-road-text"));

  // The JPEG: the image view draws the green picture.
  ASSERT_TRUE(ClickRow(list, RowOf(list, L"photo.jpg")));
  viewer = WaitForViewer(pane, [](HWND v) { return FindDescendantById(v, kRichEditId) == nullptr; });
  ASSERT_NE(viewer, nullptr) << "the picture was not shown";
  bool green = false;
  WaitUntil(
      [&] {
        RECT client{};
        ::GetClientRect(viewer, &client);
        for (int y = 0; y < client.bottom && !green; y += 8)
          for (int x = 0; x < client.right && !green; x += 8) green = Near(ScreenPixel(viewer, x, y), 0, 0xC0, 0);
        return green;
      },
      5000);
  EXPECT_TRUE(green) << "no green pixel of the JPEG in the image view";

  // The ZIP: the archive list names its members.
  ASSERT_TRUE(ClickRow(list, RowOf(list, L"bundle.zip")));
  viewer = WaitForViewer(pane, [](HWND v) {
    HWND members = FindDescendantById(v, kArchiveListId);
    return members != nullptr && ::SendMessageW(members, LVM_GETITEMCOUNT, 0, 0) == 2;
  });
  ASSERT_NE(viewer, nullptr) << "the ZIP listing was not shown";
  HWND members = FindDescendantById(viewer, kArchiveListId);
  EXPECT_EQ(ListItemText(members, Id(), 0, 0), L"readme.txt");
  EXPECT_EQ(ListItemText(members, Id(), 1, 0), L"docs/guide.txt");
  ::Sleep(300);
  EXPECT_TRUE(Screenshot(pane, L"preview-road-zip"));

  // The dBase table: one column per field, one row per record.
  ASSERT_TRUE(ClickRow(list, RowOf(list, L"people.dbf")));
  viewer = WaitForViewer(pane, [](HWND v) {
    HWND table = FindDescendantById(v, kDbfListId);
    return table != nullptr && ::SendMessageW(table, LVM_GETITEMCOUNT, 0, 0) == 3;
  });
  ASSERT_NE(viewer, nullptr) << "the dBase table was not shown";
  HWND table = FindDescendantById(viewer, kDbfListId);
  EXPECT_EQ(ListItemText(table, Id(), 0, 1), L"Alice     ");
  EXPECT_EQ(ListItemText(table, Id(), 0, 3), L"1980/01/02");
  ::Sleep(300);
  EXPECT_TRUE(Screenshot(pane, L"preview-road-dbase"));

  // The Photoshop document: red on the left, blue on the right.
  ASSERT_TRUE(ClickRow(list, RowOf(list, L"picture.psd")));
  viewer = WaitForViewer(pane, [](HWND v) {
    return FindDescendantById(v, kDbfListId) == nullptr && FindDescendantById(v, kArchiveListId) == nullptr;
  });
  ASSERT_NE(viewer, nullptr) << "the Photoshop image was not shown";
  RECT client{};
  ::GetClientRect(viewer, &client);
  EXPECT_TRUE(WaitUntil([&] { return Near(ScreenPixel(viewer, client.right / 4, client.bottom / 2), 255, 0, 0); }, 5000));
  EXPECT_TRUE(Near(ScreenPixel(viewer, client.right * 3 / 4, client.bottom / 2), 0, 0, 255));
  EXPECT_TRUE(Screenshot(pane, L"preview-road-photoshop"));
  EXPECT_TRUE(Screenshot(frame_, L"preview-road-results-page"));

  // Two pages in a row: each is drawn, the yellow page on the pane, the second
  // like the first (hosted controls are set up once, not only for the first file).
  for (const wchar_t* page : {L"page.htm", L"second.htm"}) {
    SCOPED_TRACE(testing::Message() << std::string(page, page + wcslen(page)));
    ASSERT_TRUE(ClickRow(list, RowOf(list, page)));
    viewer = WaitForViewer(pane, [](HWND v) { return FindDescendantById(v, kRichEditId) == nullptr; });
    ASSERT_NE(viewer, nullptr) << "the page was not shown";
    bool yellow = false;
    WaitUntil(
        [&] {
          RECT area{};
          ::GetClientRect(viewer, &area);
          for (int y = area.bottom / 4; y < area.bottom && !yellow; y += 8)
            for (int x = 8; x < area.right && !yellow; x += 8) yellow = Near(ScreenPixel(viewer, x, y), 255, 255, 0);
          return yellow;
        },
        10000);
    EXPECT_TRUE(yellow) << "the page's yellow is not drawn";
    ::Sleep(300);
    EXPECT_TRUE(Screenshot(pane, std::wstring(L"preview-road-") + (page[0] == L'p' ? L"first" : L"second") + L"-html"));
  }

  // Seven files, seven copies while the program runs.
  std::set<std::wstring> made;
  for (const std::wstring& name : TempCopies())
    if (before_.count(name) == 0) made.insert(name);
  EXPECT_EQ(made.size(), 7u);

  // Leaving the program deletes every copy.
  ::PostMessageW(frame_, WM_CLOSE, 0, 0);
  MessageBoxSeen question = WaitForMessageBox(Id());
  ASSERT_NE(question.window, nullptr) << "no exit question";
  EXPECT_EQ(question.text, L"Do you really want to exit ?");
  PressButton(question.window, IDYES);
  ASSERT_TRUE(program_->WaitForExit(20000)) << "the program did not end";
  for (const std::wstring& name : made)
    EXPECT_EQ(::GetFileAttributesW((TempFolder() + name).c_str()), INVALID_FILE_ATTRIBUTES) << name << " is left";
}

}  // namespace
