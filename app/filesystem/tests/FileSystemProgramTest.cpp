// The real PelmoRecovery.exe under Wine, driven from outside as a user would: an
// Extensive Scan of a FAT32 and of an NTFS drive formatted again over their old
// contents ends on the file-system page, which lists the old volume; choosing it
// shows its facts, Next builds its folder tree and shows the results page with
// the old folders; ticked and recovered, every file below the old folders comes
// back byte for byte. The results page's Back returns to the file-system page with
// the volumes kept. One program start serves both drives.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "DriveSnapshot.h"
#include "ProgramDriver.h"
#include "ResourceIds.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr int kShownPageId = 59648;
constexpr int kDriveTreeId = 156;
constexpr int kPartitionTreeId = 156;
constexpr int kResultTreeId = 162;
constexpr int kResultListId = 165;
constexpr int kFileSystemComboId = 61463;
constexpr int kFormId = 0xE901;
constexpr int kFirstCaptionId = 32812;
constexpr int kValueIds[5] = {32818, 32819, 32820, 32817, 32821};
constexpr wchar_t kSaveFolderTitle[] = L"Please select the path to save the data";
constexpr wchar_t kChooseText[] =
    L"To proceed with recovery, \r\nplease select a file system from the left side and then click Next.";

std::wstring DrivesPath(const std::wstring& name) {
  std::wstring path = Widen(FILESYSTEM_DRIVES_DIR) + L"/" + name;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

void EmptyFolder(const std::wstring& folder) {
  std::wstring from = folder + L'\0';
  SHFILEOPSTRUCTW operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  ::SHFileOperationW(&operation);
  ::CreateDirectoryW(folder.c_str(), nullptr);
}

// Every file below `folder`, as paths relative to it with '/' separators ("/a/b.txt").
void CollectFiles(const std::wstring& folder, const std::wstring& relative, std::vector<std::wstring>& out) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + relative + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      CollectFiles(folder, relative + L"\\" + name, out);
    else
      out.push_back(relative + L"\\" + name);
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
}

// The live files of the recipe that lie in a folder (the old root went with the format).
struct OldFile {
  std::wstring path;  // '\'-separated, from the old root: "\Alpha\first.bin"
  std::wstring host;  // the original bytes
};
std::vector<OldFile> FilesInOldFolders(const std::wstring& image) {
  std::istringstream lines(ReadAll(DrivesPath(image + L".manifest")));
  std::vector<OldFile> files;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() < 5 || fields[0] != "F" || fields[1] != "live") continue;
    std::wstring path = Widen(fields[3]);
    if (path.rfind(L'/') == 0) continue;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    files.push_back({path, DrivesPath(image + L".files" + Widen(fields[3]))});
  }
  return files;
}

// A message box of the program: the one with the markup box's hidden text.
MessageBoxSeen WaitForMessage(DWORD processId, DWORD milliseconds = 20000) {
  MessageBoxSeen seen;
  seen.window = WaitForWindow(
      [&]() -> HWND {
        return FindTopLevelWhere(processId, [](HWND w) {
          return ::IsWindowVisible(w) && ClassOf(w) == L"#32770" && ::GetDlgItem(w, 0xFFFF) != nullptr;
        });
      },
      milliseconds);
  if (seen.window != nullptr) {
    seen.caption = WindowText(seen.window);
    seen.text = WindowText(::GetDlgItem(seen.window, 0xFFFF));
  }
  return seen;
}

// Wine's mount manager learns of the drive letters in the prefix when it starts; a
// wine server that outlived the mapping of I: and J: does not list them. They are
// then defined through the manager's own request for a drive backed by a host
// device, as Wine's configuration tool does.
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

bool EnsureDrive(wchar_t letter, const std::string& image) {
  if (::GetLogicalDrives() & (1u << (letter - L'A'))) return true;
  const std::string folder = FILESYSTEM_DRIVES_UNIX_DIR;
  const std::string mountPoint = folder + "/mounted-" + static_cast<char>(letter - L'A' + 'a');
  const std::string device = folder + "/" + image;
  std::vector<char> request(sizeof(UnixDriveRequest) + mountPoint.size() + device.size() + 2, '\0');
  UnixDriveRequest head{};
  head.size = static_cast<ULONG>(request.size());
  head.type = DRIVE_FIXED;
  head.letter = static_cast<WCHAR>(letter - L'A' + L'a');
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
  return done && (::GetLogicalDrives() & (1u << (letter - L'A'))) != 0;
}

struct DriveCase {
  wchar_t letter;
  const wchar_t* image;         // the recipe's image, with its manifest and originals
  const wchar_t* volumePrefix;  // how the found volume's item begins
  int comboChoice;              // the panel's file-system choice: 0 NTFS, 1 FAT 32, 2 FAT 16
  // NTFS keeps every folder's name in its own record; a FAT folder's name was in its
  // parent, so the folders of the old root come back as "Dir" and their cluster.
  bool topFoldersNamed;
};

class FileSystemSession : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(EnsureDrive(L'I', "formatted-fat32.img")) << "drive I: is not known to Wine";
    ASSERT_TRUE(EnsureDrive(L'J', "formatted-ntfs.img")) << "drive J: is not known to Wine";
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
    ASSERT_TRUE(program_->Running());
  }

  static DWORD Id() { return program_->Id(); }
  static HWND ShownPage() { return ::GetDlgItem(frame_, kShownPageId); }
  static void Press(HWND page, int id) { ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  static bool Visible(HWND page, int id) {
    HWND control = FindDescendantById(page, id);
    return control != nullptr && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
  }
  static HTREEITEM FindItem(HWND tree, const std::function<bool(const std::wstring&)>& match) {
    for (const RemoteTreeItem& item : TreeItems(tree, Id()))
      if (match(item.text)) return item.item;
    return nullptr;
  }
  static HTREEITEM FindItem(HWND tree, const std::wstring& text) {
    return FindItem(tree, [&](const std::wstring& t) { return t == text; });
  }
  static void ClickItemLabel(HWND tree, HTREEITEM item) {
    RECT rect{};
    if (TreeItemRect(tree, Id(), item, rect))
      ClickClientPoint(tree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ::Sleep(300);
  }

  // From the mode page or the drive page: drive `letter` chosen and Next; the scan page.
  static HWND ReachScanPage(wchar_t letter, int mode = ID_MODE_EXTENSIVE_SCAN) {
    HWND page = ShownPage();
    if (FindDescendantById(page, ID_MODE_EXTENSIVE_SCAN) != nullptr) {
      Press(page, mode);
      page = WaitForWindow([&] {
        HWND shown = ShownPage();
        return shown != page && shown != nullptr && FindDescendantById(shown, kDriveTreeId) != nullptr ? shown
                                                                                                       : nullptr;
      });
      if (page == nullptr) return nullptr;
    }
    HWND drivePage = page;
    HWND tree = FindDescendantById(drivePage, kDriveTreeId);
    const std::wstring label = std::wstring(L"Logical Drives ") + letter + L": ";
    HTREEITEM drive = nullptr;
    WaitUntil([&] { return (drive = FindItem(tree, label)) != nullptr; });
    if (drive == nullptr) return nullptr;
    ClickItemLabel(tree, drive);
    Press(drivePage, ID_PAGE_NEXT);
    return WaitForWindow([&] {
      HWND shown = ShownPage();
      return shown != drivePage && shown != nullptr && FindDescendantById(shown, kFileSystemComboId) != nullptr
                 ? shown
                 : nullptr;
    });
  }

  // The folder browser: the folder chosen through its own message, then OK.
  static bool ChooseFolder(const std::wstring& folder) {
    HWND browser = WaitForWindow([&] {
      HWND dialog = FindTopLevel(Id(), nullptr, L"#32770");
      if (dialog == nullptr) return static_cast<HWND>(nullptr);
      return FindDescendant(dialog, [](HWND w) { return WindowText(w) == kSaveFolderTitle; }) != nullptr ? dialog
                                                                                                         : nullptr;
    });
    if (browser == nullptr) return false;
    RemoteMemory memory(Id(), (folder.size() + 1) * sizeof(wchar_t));
    memory.Write(folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
    HWND tree = FindDescendantByClass(browser, L"SysTreeView32");
    for (int attempt = 0; attempt < 30 && tree != nullptr; ++attempt) {
      ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, memory.Address());
      ::Sleep(200);
      const auto selected = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      for (const RemoteTreeItem& item : TreeItems(tree, Id())) {
        if (item.item == selected && item.text == leaf) {
          PressButton(browser, IDOK);
          return true;
        }
      }
    }
    PressButton(browser, IDCANCEL);
    return false;
  }

  // Clicks the box of a tree item where the tree's own hit test finds it.
  static bool ClickTreeBox(HWND tree, HTREEITEM item) {
    ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ::Sleep(100);
    RECT text{};
    if (!TreeItemRect(tree, Id(), item, text)) return false;
    RemoteMemory memory(Id(), sizeof(TVHITTESTINFO));
    for (int x = text.left - 1; x >= 0; --x) {
      TVHITTESTINFO hit{};
      hit.pt = {x, (text.top + text.bottom) / 2};
      memory.Write(&hit, sizeof(hit));
      ::SendMessageW(tree, TVM_HITTEST, 0, memory.Address());
      memory.Read(&hit, sizeof(hit));
      if ((hit.flags & TVHT_ONITEMSTATEICON) != 0 && hit.hItem == item) {
        ClickWithMouse(tree, hit.pt);
        return true;
      }
    }
    return false;
  }

  void RecoverOldVolume(const DriveCase& drive);

  static ProgramProcess* program_;
  static HWND frame_;
};

ProgramProcess* FileSystemSession::program_ = nullptr;
HWND FileSystemSession::frame_ = nullptr;

void FileSystemSession::RecoverOldVolume(const DriveCase& drive) {
  HWND scanPage = ReachScanPage(drive.letter);
  if (scanPage == nullptr) {
    Screenshot(frame_, std::wstring(L"no-scan-page-") + drive.letter);
    HWND tree = FindDescendantById(ShownPage(), kDriveTreeId);
    if (tree != nullptr)
      for (const RemoteTreeItem& item : TreeItems(tree, Id())) ADD_FAILURE() << std::string(item.text.begin(), item.text.end());
  }
  ASSERT_NE(scanPage, nullptr) << "the scan page did not come";
  EXPECT_EQ(::SendMessageW(FindDescendantById(scanPage, kFileSystemComboId), CB_GETCURSEL, 0, 0), drive.comboChoice)
      << "the drive's own file system is offered";
  Press(scanPage, ID_PAGE_NEXT);

  // ---- The file-system page lists the old volume ----
  HWND page = WaitForWindow([&] {
    HWND shown = ShownPage();
    return shown != nullptr && shown != scanPage && FindDescendantById(shown, kFormId) != nullptr ? shown : nullptr;
  }, 240000);
  ASSERT_NE(page, nullptr) << "the Extensive Scan did not end on the file-system page";
  // The drive is read to the image's end and no further: an intact image gives no
  // message of sectors that could not be read.
  for (MessageBoxSeen told = WaitForMessage(Id(), 5000); told.window != nullptr; told = WaitForMessage(Id(), 3000)) {
    ADD_FAILURE() << "an intact image gave a message: " << std::string(told.text.begin(), told.text.end());
    PressButton(told.window, IDOK);
    WaitUntil([&] { return !::IsWindow(told.window); });
  }
  EXPECT_TRUE(WaitUntil([&] { return Visible(page, ID_PAGE_NEXT) && Visible(page, ID_PAGE_BACK); }))
      << "the page offers Next and Back";
  EXPECT_FALSE(Visible(page, ID_PAGE_STOP));
  HWND tree = FindDescendantById(page, kPartitionTreeId);
  ASSERT_NE(tree, nullptr);
  const std::vector<RemoteTreeItem> items = TreeItems(tree, Id());
  ASSERT_GE(items.size(), 2u) << "no volume was listed";
  EXPECT_EQ(items[0].text, L"File System");
  HTREEITEM volume = FindItem(tree, [&](const std::wstring& t) { return t.rfind(drive.volumePrefix, 0) == 0; });
  ASSERT_NE(volume, nullptr) << "no volume item beginning with " << std::wstring(drive.volumePrefix).c_str();
  HWND form = FindDescendantById(page, kFormId);
  auto caption = [&](int row) { return WindowText(FindDescendantById(form, kFirstCaptionId + row)); };
  auto value = [&](int row) { return WindowText(FindDescendantById(form, kValueIds[row])); };
  const bool ntfs = drive.comboChoice == 0;
  EXPECT_EQ(caption(1), ntfs ? L"Sectors Per Cluster :" : L"File System Start    :");

  // Next before a volume is chosen: the page asks for one and nothing starts.
  ClickItemLabel(tree, items[0].item);
  Press(page, ID_PAGE_NEXT);
  const MessageBoxSeen refusal = WaitForMessage(Id());
  ASSERT_NE(refusal.window, nullptr);
  EXPECT_EQ(refusal.text, kChooseText);
  PressButton(refusal.window, IDOK);
  WaitUntil([&] { return !::IsWindow(refusal.window); });
  EXPECT_EQ(ShownPage(), page);

  // ---- The volume chosen: its facts ----
  ClickItemLabel(tree, volume);
  const std::wstring volumeText = [&] {
    for (const RemoteTreeItem& item : TreeItems(tree, Id()))
      if (item.item == volume) return item.text;
    return std::wstring();
  }();
  const std::wstring start = volumeText.substr(volumeText.find_last_not_of(L"0123456789") + 1);
  if (ntfs) {
    EXPECT_EQ(value(0), start) << "the volume's start sector";
    EXPECT_EQ(value(1), L"8");
    EXPECT_NE(value(2), L"");
    EXPECT_NE(value(4).find(L" MB"), std::wstring::npos) << value(4).c_str();
  } else {
    EXPECT_EQ(caption(2), L"Sectors Per Cluster :");
    EXPECT_EQ(value(1), start) << "the volume's start sector";
    EXPECT_EQ(value(2), L"2");
    EXPECT_TRUE(value(3) == L"127 MB" || value(3) == L"Unknown" || value(3).find(L" MB") != std::wstring::npos)
        << value(3).c_str();
  }
  EXPECT_TRUE(Screenshot(frame_, std::wstring(L"file-system-page-") + drive.letter));

  // ---- Next: the tree built on the worker, then the results page ----
  Press(page, ID_PAGE_NEXT);
  HWND results = WaitForWindow([&] {
    HWND shown = ShownPage();
    HWND list = shown != nullptr && shown != page ? FindDescendantById(shown, kResultListId) : nullptr;
    return list != nullptr && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0 ? shown : nullptr;
  }, 120000);
  ASSERT_NE(results, nullptr) << "the results page did not come with rows";
  EXPECT_TRUE(WaitUntil([&] { return Visible(results, ID_PAGE_NEXT) && Visible(results, ID_PAGE_BACK); }))
      << "Recover and Back are offered";
  HWND resultTree = FindDescendantById(results, kResultTreeId);
  ASSERT_NE(resultTree, nullptr);
  std::vector<const wchar_t*> folders = {L"Root", L"Beta"};
  if (drive.topFoldersNamed) folders.insert(folders.end(), {L"Alpha", L"Gamma"});
  for (const wchar_t* folder : folders)
    EXPECT_NE(FindItem(resultTree, folder), nullptr) << "no folder " << std::string(folder, folder + wcslen(folder));
  ::SetForegroundWindow(frame_);
  // Shown at once: the tree's labels are painted before anything is clicked.
  EXPECT_TRUE(WaitUntil([&] { return TreeItemPainted(resultTree, Id(), FindItem(resultTree, L"Root")); }, 5000))
      << "the result tree is blank";
  EXPECT_TRUE(Screenshot(frame_, std::wstring(L"file-system-results-") + drive.letter));

  // ---- Root ticked and recovered: the files below the old folders, byte for byte ----
  HTREEITEM root = FindItem(resultTree, L"Root");
  ASSERT_NE(root, nullptr);
  ASSERT_TRUE(ClickTreeBox(resultTree, root));
  const std::wstring target = TempPath(std::wstring(L"pelmo-filesystem-") + drive.letter);
  EmptyFolder(target);
  Press(results, ID_PAGE_NEXT);
  ASSERT_TRUE(ChooseFolder(target)) << "the folder browser did not take the folder";
  const MessageBoxSeen end = WaitForMessage(Id(), 120000);
  ASSERT_NE(end.window, nullptr) << "no message at the end of the save";
  PressButton(end.window, IDOK);
  WaitUntil([&] { return !::IsWindow(end.window); });

  std::vector<std::wstring> saved;
  CollectFiles(target, L"", saved);
  int compared = 0;
  for (const OldFile& file : FilesInOldFolders(drive.image)) {
    // The saved file's path ends with the old path from the first folder whose name
    // came back (the whole path on NTFS; on FAT from below the old root's folders).
    std::wstring known = file.path;
    if (!drive.topFoldersNamed) known = known.substr(known.find(L'\\', 1));
    const auto copy = std::find_if(saved.begin(), saved.end(), [&](const std::wstring& path) {
      return path.size() >= known.size() && path.compare(path.size() - known.size(), known.size(), known) == 0;
    });
    if (copy == saved.end()) {
      ADD_FAILURE() << "not saved: " << std::string(file.path.begin(), file.path.end());
      continue;
    }
    EXPECT_TRUE(ReadAll(target + *copy) == ReadAll(file.host))
        << "saved differently: " << std::string(copy->begin(), copy->end());
    ++compared;
  }
  EXPECT_EQ(compared, 4) << "every file of the old folders is compared";

  // ---- Back: the file-system page again with its volumes; Back again, to the drive page ----
  Press(results, ID_PAGE_BACK);
  ASSERT_EQ(WaitForWindow([&] { return ShownPage() == page ? page : nullptr; }), page);
  EXPECT_TRUE(WaitUntil([&] { return Visible(page, ID_PAGE_NEXT) && ::IsWindowEnabled(tree); }));
  EXPECT_NE(FindItem(tree, volumeText), nullptr) << "the found volumes are kept";
  for (int row = 0; row < 5; ++row)
    EXPECT_EQ(value(row), L"") << "the facts of the volume chosen before are still shown, row " << row;
  EXPECT_TRUE(Screenshot(frame_, std::wstring(L"file-system-page-after-back-") + drive.letter));
  Press(page, ID_PAGE_BACK);
  ASSERT_EQ(WaitForWindow([&] { return ShownPage() == scanPage ? scanPage : nullptr; }), scanPage);
  EXPECT_EQ(TreeItems(tree, Id()).size(), 0u) << "Back lets the found volumes go";
  EXPECT_TRUE(WaitUntil([&] { return Visible(scanPage, ID_PAGE_BACK); }));
  Press(scanPage, ID_PAGE_BACK);
  EXPECT_NE(WaitForWindow([&] {
    HWND shown = ShownPage();
    return shown != scanPage && FindDescendantById(shown, kDriveTreeId) != nullptr ? shown : nullptr;
  }), nullptr) << "the drive page did not come back";
}

TEST_F(FileSystemSession, Fat32FormattedAgainGivesBackTheOldFolders) {
  RecoverOldVolume({L'I', L"old-fat32", L"FAT32 @", 1, false});
}

TEST_F(FileSystemSession, NtfsFormattedAgainGivesBackTheOldFolders) {
  RecoverOldVolume({L'J', L"old-ntfs", L"File System NTFS-", 0, true});
}

// ---- Snapshots: saved from the menu after a Quick Scan, loaded by later runs -----------------

struct Shown {
  std::vector<std::wstring> tree;  // depth and text of every item, in order
  std::vector<std::wstring> rows;  // name, type and size of every row, in order
};

class SnapshotRoad : public FileSystemSession {
 protected:
  static void SetUpTestSuite() {}
  static void TearDownTestSuite() {}
  void SetUp() override {}
  void TearDown() override {
    program_ = nullptr;
    frame_ = nullptr;
  }

  static bool Launch(ProgramProcess& program, const std::wstring& arguments) {
    if (!program.Start(arguments)) return false;
    program_ = &program;
    frame_ = WaitForWindow([&] {
      HWND window = FindTopLevel(program.Id(), kCaption);
      return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
    });
    return frame_ != nullptr;
  }
  static bool Quit(ProgramProcess& program) {
    ::PostMessageW(frame_, WM_CLOSE, 0, 0);
    const MessageBoxSeen question = WaitForMessage(program.Id());
    if (question.window != nullptr) PressButton(question.window, IDYES);
    return program.WaitForExit(30000);
  }
  // The results page once its list has rows.
  static HWND WaitForResults() {
    return WaitForWindow([] {
      HWND shown = ShownPage();
      HWND list = shown != nullptr ? FindDescendantById(shown, kResultListId) : nullptr;
      return list != nullptr && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0 ? shown : nullptr;
    }, 60000);
  }
  static Shown WhatIsShown(HWND results) {
    Shown seen;
    for (const RemoteTreeItem& item : TreeItems(FindDescendantById(results, kResultTreeId), Id()))
      seen.tree.push_back(std::to_wstring(item.depth) + L" " + item.text);
    HWND list = FindDescendantById(results, kResultListId);
    const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
      seen.rows.push_back(ListItemText(list, Id(), row, 0) + L"|" + ListItemText(list, Id(), row, 1) + L"|" +
                          ListItemText(list, Id(), row, 2));
    return seen;
  }
  // The system's file dialog of the snapshot: the name typed, then OK.
  static bool AnswerFileDialog(const wchar_t* caption, const std::wstring& path) {
    HWND dialog = WaitForWindow([&] {
      HWND found = FindTopLevel(Id(), caption, L"#32770");
      return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
    });
    if (dialog == nullptr) return false;
    HWND name = FindDescendantById(dialog, 0x47C);  // the file-name box
    if (name == nullptr) name = FindDescendantById(dialog, 0x480);
    if (name == nullptr) return false;
    ::SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
    return WaitUntil([&] { return !::IsWindow(dialog); });
  }
};

TEST_F(SnapshotRoad, AQuickScanSavedFromTheMenuLoadsWithTheSameTreeAndListAndSavesTheSameFiles) {
  const std::wstring snapshot = TempPath(L"pelmo-filesystem-road.vbrx");
  ::DeleteFileW(snapshot.c_str());
  Shown scanned;
  {
    ProgramProcess first;
    ASSERT_TRUE(Launch(first, L""));
    HWND scanPage = ReachScanPage(L'F', ID_MODE_QUICK_SCAN);
    ASSERT_NE(scanPage, nullptr) << "the scan page did not come";
    Press(scanPage, ID_PAGE_NEXT);
    bool ended = false;
    for (int message = 0; message < 4 && !ended; ++message) {
      const MessageBoxSeen end = WaitForMessage(Id(), 120000);
      if (end.window == nullptr) break;
      ended = end.text.find(L"select Extensive Scan for recovery") != std::wstring::npos;
      PressButton(end.window, IDOK);
      WaitUntil([&] { return !::IsWindow(end.window); });
    }
    ASSERT_TRUE(ended) << "the Quick Scan did not end";
    HWND results = WaitForResults();
    ASSERT_NE(results, nullptr);
    scanned = WhatIsShown(results);
    ASSERT_GT(scanned.tree.size(), 5u);

    ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(ID_SAVE_SNAPSHOT, 0), 0);
    ASSERT_TRUE(AnswerFileDialog(L"Save As", snapshot)) << "no Save As dialog took the name";
    EXPECT_TRUE(WaitUntil([&] { return ::GetFileAttributesW(snapshot.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(::GetFileAttributesW((snapshot + L".new").c_str()), INVALID_FILE_ATTRIBUTES)
        << "the file written first is renamed into place";
    EXPECT_TRUE(Quit(first));
  }

  // A second run loads it from the menu: the same tree and list; Root ticked saves every live file.
  {
    ProgramProcess second;
    ASSERT_TRUE(Launch(second, L""));
    // A mode chosen offers the load, on the drive page.
    HWND modePage = WaitForWindow([] { return ShownPage(); });
    Press(modePage, ID_MODE_QUICK_SCAN);
    ASSERT_NE(WaitForWindow([&] {
      HWND shown = ShownPage();
      return shown != modePage && shown != nullptr && FindDescendantById(shown, kDriveTreeId) != nullptr ? shown : nullptr;
    }), nullptr);
    ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(ID_LOAD_SNAPSHOT, 0), 0);
    ASSERT_TRUE(AnswerFileDialog(L"Open", snapshot)) << "no Open dialog took the name";
    HWND results = WaitForResults();
    ASSERT_NE(results, nullptr) << "the snapshot's results did not come";
    const Shown loaded = WhatIsShown(results);
    EXPECT_EQ(loaded.tree, scanned.tree);
    EXPECT_EQ(loaded.rows, scanned.rows);
    EXPECT_TRUE(Screenshot(frame_, L"snapshot-loaded-from-the-menu"));

    HWND tree = FindDescendantById(results, kResultTreeId);
    ASSERT_TRUE(ClickTreeBox(tree, FindItem(tree, L"Root")));
    const std::wstring target = TempPath(L"pelmo-filesystem-snapshot");
    EmptyFolder(target);
    Press(results, ID_PAGE_NEXT);
    ASSERT_TRUE(ChooseFolder(target)) << "the folder browser did not take the folder";
    const MessageBoxSeen end = WaitForMessage(Id(), 120000);
    ASSERT_NE(end.window, nullptr);
    EXPECT_EQ(end.text, L" Files successfully saved.");
    PressButton(end.window, IDOK);
    WaitUntil([&] { return !::IsWindow(end.window); });

    std::istringstream lines(ReadAll(std::wstring(RESULTS_DRIVES_DIR L"\\standard-fat32.manifest")));
    int compared = 0;
    for (std::string line; std::getline(lines, line);) {
      std::vector<std::string> fields;
      std::istringstream split(line);
      for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
      if (fields.size() < 5 || fields[0] != "F" || fields[1] != "live") continue;
      std::wstring path = Widen(fields[3]);
      std::replace(path.begin(), path.end(), L'/', L'\\');
      std::wstring original = std::wstring(RESULTS_DRIVES_DIR L"\\standard-fat32.files") + path;
      EXPECT_TRUE(ReadAll(target + path) == ReadAll(original)) << "saved differently or missing: " << fields[3];
      ++compared;
    }
    EXPECT_GT(compared, 15);
    EXPECT_TRUE(Quit(second));
  }

  // A third run names it on the command line: the same tree and list again.
  {
    ProgramProcess third;
    ASSERT_TRUE(Launch(third, L"\"" + snapshot + L"\""));
    HWND results = WaitForResults();
    ASSERT_NE(results, nullptr) << "the snapshot named on the command line did not load";
    const Shown loaded = WhatIsShown(results);
    EXPECT_EQ(loaded.tree, scanned.tree);
    EXPECT_EQ(loaded.rows, scanned.rows);
    EXPECT_TRUE(Quit(third));
  }
  ::DeleteFileW(snapshot.c_str());
}

// An Extensive Scan's snapshot loaded from the menu offers what a finished scan
// offers: Find File(s), File Filters, Drive Information and Recover answer.
TEST_F(SnapshotRoad, AnExtensiveScanSnapshotLoadedFromTheMenuLeavesTheResultCommandsEnabled) {
  const std::wstring snapshot = TempPath(L"pelmo-filesystem-extensive.vbrx");
  ASSERT_EQ(MakeExtensiveScanSnapshot(u"F:\\", snapshot), L"");
  ProgramProcess program;
  ASSERT_TRUE(Launch(program, L""));
  HWND modePage = WaitForWindow([] { return ShownPage(); });
  Press(modePage, ID_MODE_EXTENSIVE_SCAN);
  ASSERT_NE(WaitForWindow([&] {
    HWND shown = ShownPage();
    return shown != modePage && shown != nullptr && FindDescendantById(shown, kDriveTreeId) != nullptr ? shown : nullptr;
  }), nullptr);
  ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(ID_LOAD_SNAPSHOT, 0), 0);
  ASSERT_TRUE(AnswerFileDialog(L"Open", snapshot)) << "no Open dialog took the name";
  ASSERT_NE(WaitForResults(), nullptr) << "the snapshot's results did not come";

  // A disabled command is refused before it reaches its handler, so each dialog
  // shows only when its command is enabled.
  const struct {
    UINT command;
    const wchar_t* caption;
  } dialogs[] = {{ID_FIND_FILES, L"Find File(s)"}, {ID_FILE_FILTERS, L"File Filters"},
                 {ID_DRIVE_INFORMATION, L"Drive Information"}};
  for (const auto& dialog : dialogs) {
    ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(dialog.command, 0), 0);
    HWND shown = WaitForWindow([&] { return FindTopLevel(Id(), dialog.caption, L"#32770"); }, 10000);
    EXPECT_NE(shown, nullptr) << "disabled: " << std::string(dialog.caption, dialog.caption + wcslen(dialog.caption));
    if (shown == nullptr) continue;
    ::PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);  // Esc
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(shown); }, 10000));
  }
  // Recover with nothing ticked answers with its request to tick.
  ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(ID_RECOVER_SELECTED, 0), 0);
  const MessageBoxSeen request = WaitForMessage(Id(), 10000);
  ASSERT_NE(request.window, nullptr) << "Recover is disabled";
  EXPECT_NE(request.text.find(L"Please click on check box"), std::wstring::npos) << "Recover answered otherwise";
  PressButton(request.window, IDOK);
  WaitUntil([&] { return !::IsWindow(request.window); });
  EXPECT_TRUE(Quit(program));
  ::DeleteFileW(snapshot.c_str());
}

}  // namespace
