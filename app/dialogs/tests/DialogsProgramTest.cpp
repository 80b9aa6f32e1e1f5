// The dialogs of the real PelmoRecovery.exe under Wine, over a Quick Scan snapshot
// of the FAT32 fixture drive named on the command line: one program start serves
// every check. Dialogs are opened through the frame's commands and driven through
// their controls; saved files are compared with the fixture's original bytes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "DriveSnapshot.h"
#include "ProgramDriver.h"
#include "ResourceIds.h"
#include "WindowLooks.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr int kShownPageId = 59648;
constexpr int kResultTreeId = 162;
constexpr int kResultListId = 165;
constexpr wchar_t kSaveFolderTitle[] = L"Please select the path to save the data";

std::string Original(const std::wstring& volumePath) {
  std::string drives = RESULTS_DRIVES_DIR;
  std::wstring path = std::wstring(drives.begin(), drives.end()) + L"/standard-fat32.files" + volumePath;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return ReadAll(path);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW data{};
  HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(data.cFileName);
  } while (::FindNextFileW(find, &data));
  ::FindClose(find);
  return names;
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

// A message of the program: the dialog with the markup box's hidden text.
MessageBoxSeen WaitForMessage(DWORD processId, DWORD milliseconds = 20000) {
  MessageBoxSeen seen;
  seen.window = WaitForWindow(
      [&]() -> HWND {
        for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(w, &owner);
          if (owner == processId && ::IsWindowVisible(w) && ClassOf(w) == L"#32770" && ::GetDlgItem(w, 0xFFFF) != nullptr)
            return w;
        }
        return nullptr;
      },
      milliseconds);
  if (seen.window != nullptr) seen.text = WindowText(::GetDlgItem(seen.window, 0xFFFF));
  return seen;
}

int RowCount(HWND list) { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

bool ListRowChecked(HWND list, int row) {
  return (::SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool ClickListRowBox(HWND list, DWORD processId, int row) {
  ::SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  ::Sleep(100);
  RemoteMemory memory(processId, sizeof(LVHITTESTINFO) + sizeof(RECT));
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  memory.Write(&bounds, sizeof(bounds));
  ::SendMessageW(list, LVM_GETITEMRECT, row, memory.Address());
  memory.Read(&bounds, sizeof(bounds));
  for (int x = bounds.left; x < bounds.left + 60; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, (bounds.top + bounds.bottom) / 2};
    memory.Write(&hit, sizeof(hit));
    ::SendMessageW(list, LVM_HITTEST, 0, memory.Address());
    memory.Read(&hit, sizeof(hit));
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
      ClickWithMouse(list, hit.pt);
      return true;
    }
  }
  return false;
}

// The program with the FAT32 snapshot loaded on its results page.
class DialogsSession {
 public:
  bool Start(const std::wstring& snapshot) {
    if (!program_.Start(L"\"" + snapshot + L"\"")) return false;
    frame_ = WaitForWindow([&] {
      HWND window = FindTopLevel(program_.Id(), kCaption);
      return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
    });
    if (frame_ == nullptr) return false;
    list_ = WaitForWindow([&] {
      page_ = ::GetDlgItem(frame_, kShownPageId);
      HWND list = page_ != nullptr ? FindDescendantById(page_, kResultListId) : nullptr;
      return list != nullptr && RowCount(list) > 0 ? list : nullptr;
    });
    tree_ = page_ != nullptr ? FindDescendantById(page_, kResultTreeId) : nullptr;
    ::SetForegroundWindow(frame_);
    return list_ != nullptr && tree_ != nullptr;
  }

  DWORD Id() const { return program_.Id(); }
  HWND Frame() const { return frame_; }
  HWND List() const { return list_; }

  // Runs a command of the frame and waits for the dialog it opens.
  HWND OpenDialog(UINT command, const wchar_t* caption) const {
    ::PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return WaitForWindow([&] { return FindTopLevel(program_.Id(), caption, L"#32770"); }, 10000);
  }
  bool Close(HWND dialog, int button) const {
    PressButton(dialog, button);
    return WaitUntil([&] { return !::IsWindow(dialog); }, 10000);
  }

  HTREEITEM Item(const std::wstring& text) const {
    for (const RemoteTreeItem& item : TreeItems(tree_, program_.Id()))
      if (item.text == text) return item.item;
    return nullptr;
  }
  void Choose(HTREEITEM item) const {
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::Sleep(200);
  }
  std::vector<std::wstring> RowNames(HWND list) const {
    std::vector<std::wstring> names;
    for (int row = 0; row < RowCount(list); ++row) names.push_back(ListItemText(list, program_.Id(), row, 0));
    return names;
  }
  bool ClickTreeBox(HTREEITEM item) const {
    ::SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ::Sleep(100);
    RECT text{};
    if (!TreeItemRect(tree_, program_.Id(), item, text)) return false;
    RemoteMemory memory(program_.Id(), sizeof(TVHITTESTINFO));
    for (int x = text.left - 1; x >= 0; --x) {
      TVHITTESTINFO hit{};
      hit.pt = {x, (text.top + text.bottom) / 2};
      memory.Write(&hit, sizeof(hit));
      ::SendMessageW(tree_, TVM_HITTEST, 0, memory.Address());
      memory.Read(&hit, sizeof(hit));
      if ((hit.flags & TVHT_ONITEMSTATEICON) != 0 && hit.hItem == item) {
        ClickWithMouse(tree_, hit.pt);
        return true;
      }
    }
    return false;
  }
  void Recover() const { ::PostMessageW(page_, WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0); }

  // The folder browser: the folder chosen through its own message, then OK once it shows it.
  bool ChooseFolder(const std::wstring& folder) const {
    HWND browser = WaitForWindow([&] {
      HWND dialog = FindTopLevel(program_.Id(), nullptr, L"#32770");
      if (dialog == nullptr) return static_cast<HWND>(nullptr);
      return FindDescendant(dialog, [](HWND w) { return WindowText(w) == kSaveFolderTitle; }) != nullptr ? dialog
                                                                                                         : nullptr;
    });
    if (browser == nullptr) return false;
    RemoteMemory memory(program_.Id(), (folder.size() + 1) * sizeof(wchar_t));
    memory.Write(folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
    const std::wstring leaf = folder.substr(folder.find_last_of(L'\\') + 1);
    HWND tree = FindDescendantByClass(browser, L"SysTreeView32");
    for (int attempt = 0; attempt < 30 && tree != nullptr; ++attempt) {
      ::SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, memory.Address());
      ::Sleep(200);
      const auto selected = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      for (const RemoteTreeItem& item : TreeItems(tree, program_.Id())) {
        if (item.item == selected && item.text == leaf) {
          PressButton(browser, IDOK);
          return true;
        }
      }
    }
    PressButton(browser, IDCANCEL);
    return false;
  }
  // Waits for the end of a save and closes its message; `whileTold` sees the save
  // dialog, which stays open under the message.
  std::wstring FinishSave(const std::function<void(HWND)>& whileTold = nullptr) const {
    const MessageBoxSeen seen = WaitForMessage(program_.Id(), 60000);
    if (seen.window == nullptr) return L"<no message>";
    if (whileTold) {
      // The message is moved off the save dialog so that all of it is seen.
      ::SetWindowPos(seen.window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      HWND saving = FindTopLevel(program_.Id(), L"Saving the data please wait", L"#32770");
      if (saving != nullptr) ::RedrawWindow(saving, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      ::Sleep(300);
      whileTold(saving);
    }
    PressButton(seen.window, IDOK);
    WaitUntil([&] { return !::IsWindow(seen.window); });
    return seen.text;
  }

 private:
  ProgramProcess program_;
  HWND frame_ = nullptr;
  HWND page_ = nullptr;
  HWND tree_ = nullptr;
  HWND list_ = nullptr;
};

bool EndsWithNoCase(std::wstring text, std::wstring ending) {
  if (text.size() < ending.size()) return false;
  std::transform(text.begin(), text.end(), text.begin(), ::towupper);
  std::transform(ending.begin(), ending.end(), ending.begin(), ::towupper);
  return text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

class Dialogs : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    snapshot_ = new std::wstring(TempPath(L"Pelmo Dialogs Fat32.vbrx"));
    ASSERT_EQ(MakeQuickScanSnapshot(u"F:\\", *snapshot_), L"");
    session_ = new DialogsSession;
    ASSERT_TRUE(session_->Start(*snapshot_)) << "the results page with the snapshot did not come";
  }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
    ::DeleteFileW(snapshot_->c_str());
    delete snapshot_;
  }
  static DialogsSession* session_;
  static std::wstring* snapshot_;
};
DialogsSession* Dialogs::session_ = nullptr;
std::wstring* Dialogs::snapshot_ = nullptr;

TEST_F(Dialogs, DriveInformationShowsTheVolume) {
  DialogsSession& s = *session_;
  HWND dialog = s.OpenDialog(ID_DRIVE_INFORMATION, L"Drive Information");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_INFO_FILE_SYSTEM)), L"FAT32");
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_INFO_MFT_START)), L"N/A");
  const std::wstring spc = WindowText(::GetDlgItem(dialog, IDC_INFO_SPC));
  EXPECT_EQ(spc, L"2") << "1024-byte clusters";
  EXPECT_NE(WindowText(::GetDlgItem(dialog, IDC_INFO_FIRST_FAT)), L"0");
  EXPECT_GT(std::stoi(WindowText(::GetDlgItem(dialog, IDC_INFO_FILES))), 20);
  Screenshot(dialog, L"drive-information");
  EXPECT_TRUE(s.Close(dialog, IDOK));
}

TEST_F(Dialogs, PropertiesOfAFolderCountItsSubtree) {
  DialogsSession& s = *session_;
  s.Choose(s.Item(L"Documents"));
  ::SetForegroundWindow(s.Frame());
  HWND dialog = s.OpenDialog(ID_ITEM_PROPERTIES, L"File/Folder Properties");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_PROPS_NAME)), L"Documents");
  // notes.txt and its two deleted files; Reports with Quarterly Summary.docx; 2023 Q4
  // with two live files and a deleted one: 7 files in 2 folders, 90,067 bytes.
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_PROPS_CONTAINS)), L"7 File(s) and 2 Folder(s)");
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_PROPS_SIZE)), L"Less than 1 MB");
  Screenshot(dialog, L"folder-properties");
  EXPECT_TRUE(s.Close(dialog, IDOK));
}

TEST_F(Dialogs, AJpgFilterListsOnlyJpegFiles) {
  DialogsSession& s = *session_;
  HWND dialog = s.OpenDialog(ID_FILE_FILTERS, L"File Filters");
  ASSERT_NE(dialog, nullptr);
  HWND edit = ::GetDlgItem(dialog, IDC_FILTERS_EDIT);
  HWND list = ::GetDlgItem(dialog, IDC_FILTERS_LIST);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.jpg"));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 1; }, 5000));
  // The same filter again is refused with a message.
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.jpg"));
  PressButton(dialog, IDOK);
  const MessageBoxSeen refused = WaitForMessage(s.Id(), 5000);
  ASSERT_NE(refused.window, nullptr);
  EXPECT_EQ(refused.text, L"      Filter is already present in the list.        ");
  PressButton(refused.window, IDOK);
  WaitUntil([&] { return !::IsWindow(refused.window); });
  EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  // Twenty characters are one too many: refused, the first nineteen selected.
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"12345678901234567890"));
  PressButton(dialog, IDOK);
  const MessageBoxSeen tooLong = WaitForMessage(s.Id(), 5000);
  ASSERT_NE(tooLong.window, nullptr);
  EXPECT_EQ(tooLong.text, L"      Filter too long     ");
  PressButton(tooLong.window, IDOK);
  WaitUntil([&] { return !::IsWindow(tooLong.window); });
  DWORD selStart = 0;
  DWORD selEnd = 0;
  WaitUntil([&] {
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    return selEnd == 19;
  }, 5000);
  EXPECT_EQ(selStart, 0u);
  EXPECT_EQ(selEnd, 19u);
  EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.jpg"));
  Screenshot(dialog, L"file-filters");
  EXPECT_TRUE(s.Close(dialog, IDCANCEL));

  s.Choose(s.Item(L"Vacation"));
  std::vector<std::wstring> files;
  for (int row = 0; row < RowCount(s.List()); ++row) {
    const std::wstring type = ListItemText(s.List(), s.Id(), row, 1);
    const std::wstring name = ListItemText(s.List(), s.Id(), row, 0);
    if (name != L"Parent..." && type.find(L"Folder") == std::wstring::npos) files.push_back(name);
  }
  EXPECT_NE(std::find(files.begin(), files.end(), L"IMG_0001.JPG"), files.end());
  for (const std::wstring& name : files)
    EXPECT_TRUE(EndsWithNoCase(name, L".jpg") || EndsWithNoCase(name, L".jpeg")) << std::string(name.begin(), name.end());
  s.Choose(s.Item(L"Documents"));
  for (const std::wstring& name : s.RowNames(s.List())) EXPECT_NE(name, L"notes.txt") << "filtered out";

  // Removing the filter lists every file again.
  dialog = s.OpenDialog(ID_FILE_FILTERS, L"File Filters");
  ASSERT_NE(dialog, nullptr);
  list = ::GetDlgItem(dialog, IDC_FILTERS_LIST);
  ::SendMessageW(list, LB_SETCURSEL, 0, 0);
  PressButton(dialog, IDC_FILTERS_REMOVE);
  ASSERT_TRUE(WaitUntil([&] { return ::SendMessageW(list, LB_GETCOUNT, 0, 0) == 0; }, 5000));
  EXPECT_TRUE(s.Close(dialog, IDCANCEL));
  s.Choose(s.Item(L"Documents"));
  const std::vector<std::wstring> all = s.RowNames(s.List());
  EXPECT_NE(std::find(all.begin(), all.end(), L"notes.txt"), all.end());
}

TEST_F(Dialogs, ExcludingDeletedFilesLeavesThemUnsaved) {
  DialogsSession& s = *session_;
  HWND dialog = s.OpenDialog(ID_RECOVERY_SETTINGS, L"Recovery Settings");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_SETTINGS_RENAME, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_SETTINGS_INCLUDE_DELETED, BM_GETCHECK, 0, 0), BST_CHECKED);
  ::SendDlgItemMessageW(dialog, IDC_SETTINGS_EXCLUDE_DELETED, BM_CLICK, 0, 0);
  ASSERT_EQ(::SendDlgItemMessageW(dialog, IDC_SETTINGS_EXCLUDE_DELETED, BM_GETCHECK, 0, 0), BST_CHECKED);
  Screenshot(dialog, L"recovery-settings");
  EXPECT_TRUE(s.Close(dialog, IDOK));

  HTREEITEM documents = s.Item(L"Documents");
  s.Choose(documents);
  ASSERT_TRUE(s.ClickTreeBox(documents));
  const std::wstring target = TempPath(L"pelmo-dialogs-live-only");
  EmptyFolder(target);
  s.Recover();
  ASSERT_TRUE(s.ChooseFolder(target));
  s.FinishSave([](HWND saving) {
    ASSERT_NE(saving, nullptr) << "the save dialog stays under its end message";
    Screenshot(saving, L"save-dialog-bar");
    // The bar draws its percent in its middle: along its centre line the colour
    // changes at every stroke of the digits, not only where the bar ends.
    HWND bar = ::GetDlgItem(saving, IDC_SAVE_PROGRESS);
    RECT client{};
    ::GetClientRect(bar, &client);
    int changes = 0;
    COLORREF last = ScreenPixel(bar, {0, client.bottom / 2});
    for (int x = 1; x < client.right; ++x) {
      const COLORREF colour = ScreenPixel(bar, {x, client.bottom / 2});
      if (colour != last) ++changes;
      last = colour;
    }
    EXPECT_GE(changes, 4) << "no percent text in the bar";
  });
  EXPECT_EQ(FilesIn(target + L"\\Documents"), std::vector<std::wstring>{L"notes.txt"}) << "no deleted file saved";
  EXPECT_TRUE(ReadAll(target + L"\\Documents\\notes.txt") == Original(L"/Documents/notes.txt"));
  EXPECT_TRUE(ReadAll(target + L"\\Documents\\Reports\\Quarterly Summary.docx") ==
              Original(L"/Documents/Reports/Quarterly Summary.docx"));

  // Cancel keeps the policies as they were.
  dialog = s.OpenDialog(ID_RECOVERY_SETTINGS, L"Recovery Settings");
  ASSERT_NE(dialog, nullptr);
  ::SendDlgItemMessageW(dialog, IDC_SETTINGS_DELETED_ONLY, BM_CLICK, 0, 0);
  ::SendDlgItemMessageW(dialog, IDC_SETTINGS_OVERWRITE, BM_CLICK, 0, 0);
  EXPECT_TRUE(s.Close(dialog, IDCANCEL));

  // Back to every file, and the dialog shows it.
  dialog = s.OpenDialog(ID_RECOVERY_SETTINGS, L"Recovery Settings");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::SendDlgItemMessageW(dialog, IDC_SETTINGS_EXCLUDE_DELETED, BM_GETCHECK, 0, 0), BST_CHECKED);
  ::SendDlgItemMessageW(dialog, IDC_SETTINGS_INCLUDE_DELETED, BM_CLICK, 0, 0);
  EXPECT_TRUE(s.Close(dialog, IDOK));
}

TEST_F(Dialogs, FindFilesFindsTextFilesAndSavesAHit) {
  DialogsSession& s = *session_;
  HWND dialog = s.OpenDialog(ID_FIND_FILES, L"Find File(s)");
  ASSERT_NE(dialog, nullptr);
  HWND list = ::GetDlgItem(dialog, IDC_FIND_RESULTS);
  ASSERT_NE(list, nullptr);
  EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_FIND_STOP)));
  ::SendDlgItemMessageW(dialog, IDC_FIND_PATTERN, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*.txt"));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(::GetDlgItem(dialog, IDC_FIND_MESSAGE)).rfind(L"There were", 0) == 0; }, 20000))
      << std::string(WindowText(::GetDlgItem(dialog, IDC_FIND_MESSAGE)).begin(),
                     WindowText(::GetDlgItem(dialog, IDC_FIND_MESSAGE)).end());
  const int rows = RowCount(list);
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_FIND_MESSAGE)), L"There were " + std::to_wstring(rows) + L" files found.");
  EXPECT_EQ(WindowText(::GetDlgItem(dialog, IDC_FIND_COUNT)), std::to_wstring(rows));
  int notes = -1;
  for (int row = 0; row < rows; ++row) {
    const std::wstring name = ListItemText(list, s.Id(), row, 0);
    EXPECT_NE(name.find(L".TXT"), std::wstring::npos) << "names upper-cased and matching";
    if (name == L"NOTES.TXT") notes = row;
  }
  ASSERT_GE(notes, 0);
  EXPECT_EQ(ListItemText(list, s.Id(), notes, 1), L"\\Documents");
  EXPECT_GE(rows, 10);
  ASSERT_TRUE(ClickListRowBox(list, s.Id(), notes));
  EXPECT_TRUE(ListRowChecked(list, notes));
  Screenshot(dialog, L"find-files");

  const std::wstring target = TempPath(L"pelmo-dialogs-found");
  EmptyFolder(target);
  PressButton(dialog, IDC_FIND_SAVE);
  ASSERT_TRUE(s.ChooseFolder(target));
  s.FinishSave();
  EXPECT_EQ(FilesIn(target), std::vector<std::wstring>{L"notes.txt"}) << "only the ticked hit, straight into the folder";
  EXPECT_TRUE(ReadAll(target + L"\\notes.txt") == Original(L"/Documents/notes.txt"));
  EXPECT_TRUE(WaitUntil([&] { return !ListRowChecked(list, notes); }, 5000)) << "rows unticked after saving";

  // Select All ticks every row and becomes Deselect All, which unticks them again.
  // Its box is drawn: the grey-blue frame of an empty box, then the green tick.
  HWND selectAll = ::GetDlgItem(dialog, IDC_FIND_SELECT_ALL);
  constexpr COLORREF kBoxFrame = RGB(154, 163, 176), kTick = RGB(26, 151, 63);
  EXPECT_GE(ScreenPixelsNear(selectAll, kBoxFrame, 8), 30) << "the empty box";
  EXPECT_LT(ScreenPixelsNear(selectAll, kTick, 40), 3) << "no tick before a click";
  ::SendMessageW(selectAll, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(selectAll) == L"Deselect All"; }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return ScreenPixelsNear(selectAll, kTick, 40) >= 6; }, 5000)) << "the ticked box";
  Screenshot(dialog, L"find-files-select-all-ticked");
  for (int row = 0; row < rows; ++row) EXPECT_TRUE(ListRowChecked(list, row)) << row;
  ::SendMessageW(selectAll, BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return WindowText(selectAll) == L"Select All"; }, 5000));
  for (int row = 0; row < rows; ++row) EXPECT_FALSE(ListRowChecked(list, row)) << row;
  EXPECT_TRUE(s.Close(dialog, IDCANCEL));
}

// Every skinned dialog opens centred on the frame, its skin reaches its right and
// bottom edges (no black band), and every text fits its control under the font the
// program gives it.
struct SkinnedDialogCase {
  UINT command;
  const wchar_t* caption;
  UINT templateId;
  const wchar_t* screenshot;
};

TEST_F(Dialogs, SkinnedDialogsOpenCentredOnTheirWholeSkinWithTextsThatFit) {
  DialogsSession& s = *session_;
  s.Choose(s.Item(L"Documents"));
  static const SkinnedDialogCase kCases[] = {
      {ID_RECOVERY_SETTINGS, L"Recovery Settings", IDD_RECOVERY_SETTINGS, L"skinned-recovery-settings"},
      {ID_FILE_FILTERS, L"File Filters", IDD_FILE_FILTERS, L"skinned-file-filters"},
      {ID_ITEM_PROPERTIES, L"File/Folder Properties", IDD_PROPERTIES, L"skinned-properties"},
      {ID_FIND_FILES, L"Find File(s)", IDD_FIND_FILES, L"skinned-find-files"},
      {ID_DRIVE_INFORMATION, L"Drive Information", IDD_DRIVE_INFO, L"skinned-drive-information"},
      {ID_ABOUT_PROGRAM, L"Pelmo Windows Data Recovery Software", IDD_ABOUT, L"skinned-about"},
  };
  HFONT boldArial = MakeArial(16, FW_BOLD);
  HFONT tahoma = ::CreateFontW(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
  for (const SkinnedDialogCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << std::wstring(c.screenshot));
    ::SetForegroundWindow(s.Frame());
    HWND dialog = s.OpenDialog(c.command, c.caption);
    ASSERT_NE(dialog, nullptr);
    Screenshot(dialog, c.screenshot);
    EXPECT_LE(OffCentre(dialog, s.Frame()), 2) << "centred on the frame";
    RECT client{};
    ::GetClientRect(dialog, &client);
    for (POINT at : {POINT{client.right - 3, client.bottom / 2}, POINT{client.right - 3, client.bottom - 3},
                     POINT{client.right / 2, client.bottom - 3}}) {
      const COLORREF colour = ScreenPixel(dialog, at);
      EXPECT_TRUE(GetRValue(colour) >= 0xC0 && GetGValue(colour) >= 0xC0 && GetBValue(colour) >= 0xC0)
          << "skin at " << at.x << "," << at.y << " is " << std::hex << colour;
    }
    TemplateCopy copy(c.templateId);
    const std::vector<std::wstring> misfits = TextsThatDoNotFit(dialog, [&](HWND control) -> HFONT {
      const int id = ::GetDlgCtrlID(control);
      if (c.templateId == IDD_RECOVERY_SETTINGS && id >= IDC_SETTINGS_SECTORS_GROUP && id <= IDC_SETTINGS_BAD_SECTORS_GROUP)
        return boldArial;
      if (c.templateId == IDD_ABOUT && id == IDC_ABOUT_PRODUCT) return boldArial;
      if (c.templateId == IDD_ABOUT && id == IDC_ABOUT_NOTICE) return tahoma;
      return copy.FontOf(id);
    });
    for (const std::wstring& misfit : misfits) ADD_FAILURE() << std::string(misfit.begin(), misfit.end());
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 10000));
  }
  ::DeleteObject(boldArial);
  ::DeleteObject(tahoma);
}

}  // namespace
