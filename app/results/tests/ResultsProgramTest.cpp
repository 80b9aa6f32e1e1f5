// The results page of the real PelmoRecovery.exe under Wine, reached through a
// snapshot that the engine makes of a fixture drive and names on the command line,
// or through the mode, drive and scan pages, then driven as a user would: folders and files ticked by clicks
// on their boxes, Recover, the folder browser, the save dialog. Every saved file
// is compared with the fixture's original bytes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DriveSnapshot.h"
#include "ProgramDriver.h"
#include "ResourceIds.h"
#include "WindowCapture.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr int kShownPageId = 59648;
constexpr int kResultTreeId = 162;
constexpr int kResultListId = 165;
constexpr int kDriveTreeId = 156;
constexpr wchar_t kNothingTicked[] =
    L"Please click on check box next to the file(s) and folder(s)\r\n that you want to save.";
constexpr wchar_t kSaveFolderTitle[] = L"Please select the path to save the data";
constexpr wchar_t kSaved[] = L" Files successfully saved.";

// The original bytes of a fixture file, by its path inside the volume ("/A/b.txt").
std::string Original(const std::wstring& image, const std::wstring& volumePath) {
  std::wstring path = Widen(RESULTS_DRIVES_DIR) + L"/" + image + L".files" + volumePath;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return ReadAll(path);
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

// The program's own popup bar while it is open: a shown tool window of the
// program's that is neither the system's menu window nor a dialog.
HWND ProgramPopupBar(DWORD processId) {
  for (HWND w = ::GetTopWindow(nullptr); w != nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    const LONG_PTR style = ::GetWindowLongPtrW(w, GWL_STYLE), exStyle = ::GetWindowLongPtrW(w, GWL_EXSTYLE);
    if (owner == processId && ::IsWindowVisible(w) && (style & WS_POPUP) != 0 && (exStyle & WS_EX_TOOLWINDOW) != 0 &&
        ClassOf(w) != L"#32768" && ClassOf(w) != L"#32770" && ClassOf(w) != L"tooltips_class32")
      return w;
  }
  return nullptr;
}

// A message box of the program (not its save dialog): the one with the markup
// box's hidden text.
MessageBoxSeen WaitForMessage(DWORD processId, DWORD milliseconds = 20000) {
  MessageBoxSeen seen;
  seen.window = WaitForWindow(
      [&]() -> HWND {
        HWND found = nullptr;
        for (HWND w = ::GetTopWindow(nullptr); w != nullptr && found == nullptr; w = ::GetWindow(w, GW_HWNDNEXT)) {
          DWORD owner = 0;
          ::GetWindowThreadProcessId(w, &owner);
          if (owner == processId && ::IsWindowVisible(w) && ClassOf(w) == L"#32770" && ::GetDlgItem(w, 0xFFFF) != nullptr)
            found = w;
        }
        return found;
      },
      milliseconds);
  if (seen.window != nullptr) {
    seen.caption = WindowText(seen.window);
    seen.text = WindowText(::GetDlgItem(seen.window, 0xFFFF));
  }
  return seen;
}

// The program with a snapshot loaded: its results page, tree and list.
class ResultsSession {
 public:
  bool Start(const std::wstring& snapshot) {
    if (!program_.Start(L"\"" + snapshot + L"\"")) return false;
    frame_ = WaitForFrame();
    return frame_ != nullptr && FindResultsPage();
  }

  // The program started without a snapshot, on its mode page.
  bool Launch() {
    if (!program_.Start()) return false;
    frame_ = WaitForFrame();
    return frame_ != nullptr && WaitForWindow([&] { return Shown(); }) != nullptr;
  }

  // From the start to the scan page: the mode on the mode page, the drive on the drive
  // page and Next there. The scan page, or null.
  HWND ReachScanPage(int modeCommand, wchar_t letter) {
    return Launch() ? ScanPageFromModePage(modeCommand, letter) : nullptr;
  }

  // The same road from the mode page already shown; with `fileSystem`, the drive
  // page's information panel must name it once the drive is chosen.
  HWND ScanPageFromModePage(int modeCommand, wchar_t letter, const wchar_t* fileSystem = nullptr) {
    HWND modePage = WaitForWindow([&] { return Shown(); });
    Press(modePage, modeCommand);
    HWND driveTree = WaitForWindow([&] {
      HWND page = Shown();
      return page != modePage && page != nullptr ? FindDescendantById(page, kDriveTreeId) : nullptr;
    });
    if (driveTree == nullptr) return nullptr;
    HWND drivePage = Shown();
    const std::wstring label = std::wstring(L"Logical Drives ") + letter + L": ";
    HTREEITEM drive = nullptr;
    WaitUntil([&] {
      for (const RemoteTreeItem& item : TreeItems(driveTree, program_.Id()))
        if (item.text == label) drive = item.item;
      return drive != nullptr;
    });
    RECT rect{};
    if (drive == nullptr || !TreeItemRect(driveTree, program_.Id(), drive, rect)) return nullptr;
    ClickClientPoint(driveTree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ::Sleep(300);
    if (fileSystem != nullptr) {
      EXPECT_TRUE(WaitUntil([&] {
        return FindDescendant(drivePage, [&](HWND w) { return WindowText(w) == fileSystem; }) != nullptr;
      }, 5000)) << "the drive's file system is not shown on the drive page";
    }
    Press(drivePage, ID_PAGE_NEXT);
    return WaitForWindow([&] { return Shown() != drivePage ? Shown() : nullptr; });
  }

  // From the results page back to the mode page: Home there leads to the scan page,
  // Home there to the mode page.
  bool ReturnToModePage() {
    HWND results = Shown();
    Press(results, ID_PAGE_HOME);
    HWND scanPage = WaitForWindow([&] { return Shown() != results ? Shown() : nullptr; });
    if (scanPage == nullptr) return false;
    Press(scanPage, ID_PAGE_HOME);
    return WaitForWindow([&] {
      HWND page = Shown();
      return page != scanPage && page != nullptr && FindDescendantById(page, ID_MODE_QUICK_SCAN) != nullptr ? page
                                                                                                           : nullptr;
    }) != nullptr;
  }
  HWND Shown() const { return ::GetDlgItem(frame_, kShownPageId); }
  static void Press(HWND page, int id) { ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  // The whole road of a Quick Scan from the start: the scan's end message answered,
  // the results page found.
  bool StartThroughScan(wchar_t letter) { return Launch() && QuickScanFromModePage(letter); }

  bool QuickScanFromModePage(wchar_t letter, const wchar_t* fileSystem = nullptr) {
    HWND scanPage = ScanPageFromModePage(ID_MODE_QUICK_SCAN, letter, fileSystem);
    if (scanPage == nullptr) return false;
    return QuickScanFromScanPage(scanPage);
  }

  // Next on the scan page of a Quick Scan: true once the scan's end brought the
  // results page. The texts of the messages answered on the way go to `seen`.
  bool QuickScanFromScanPage(HWND scanPage, std::wstring* seen = nullptr) {
    Press(scanPage, ID_PAGE_NEXT);
    // The scan ends with its message over the results page (the engine may tell of
    // unreadable sectors first); each is answered.
    bool ended = false;
    for (int message = 0; message < 4 && !ended; ++message) {
      const MessageBoxSeen end = WaitForMessage(program_.Id(), 120000);
      if (end.window == nullptr) break;
      if (seen != nullptr) *seen += end.text + L"\n";
      ended = end.text.find(L"select Extensive Scan for recovery") != std::wstring::npos;
      PressButton(end.window, IDOK);
      WaitUntil([&] { return !::IsWindow(end.window); });
      if (!ended && end.text.find(L"Please choose the partition") != std::wstring::npos) break;
    }
    const bool reached = ended && Shown() != scanPage && FindResultsPage();
    ::SetForegroundWindow(frame_);
    return reached;
  }

  // Back on the results page: the page shown after it, or null.
  HWND BackFromResults() {
    HWND results = Shown();
    Press(results, ID_PAGE_BACK);
    return WaitForWindow([&] { return Shown() != results ? Shown() : nullptr; });
  }

  HWND WaitForFrame() {
    return WaitForWindow([&] {
      HWND window = FindTopLevel(program_.Id(), kCaption);
      return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
    });
  }

  bool FindResultsPage() {
    list_ = WaitForWindow([&] {
      page_ = ::GetDlgItem(frame_, kShownPageId);
      HWND list = page_ != nullptr ? FindDescendantById(page_, kResultListId) : nullptr;
      return list != nullptr && ::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0 ? list : nullptr;
    });
    tree_ = page_ != nullptr ? FindDescendantById(page_, kResultTreeId) : nullptr;
    ::SetForegroundWindow(frame_);
    return list_ != nullptr && tree_ != nullptr;
  }

  DWORD Id() const { return program_.Id(); }
  HWND Frame() const { return frame_; }
  HWND Page() const { return page_; }
  HWND Tree() const { return tree_; }
  HWND List() const { return list_; }

  HTREEITEM Item(const std::wstring& text) const {
    for (const RemoteTreeItem& item : TreeItems(tree_, program_.Id()))
      if (item.text == text) return item.item;
    return nullptr;
  }
  int State(HTREEITEM item) const {
    return static_cast<int>((::SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item),
                                            TVIS_STATEIMAGEMASK) >> 12)) - 1;
  }
  void Choose(HTREEITEM item) const {
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::Sleep(200);
  }
  // Clicks the box of a tree item where the tree's own hit test finds it.
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

  int Row(const std::wstring& name) const {
    const int rows = static_cast<int>(::SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row)
      if (ListItemText(list_, program_.Id(), row, 0) == name) return row;
    return -1;
  }
  bool RowChecked(int row) const {
    return (::SendMessageW(list_, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  bool ClickRowBox(int row) const {
    ::SendMessageW(list_, LVM_ENSUREVISIBLE, row, FALSE);
    ::Sleep(100);
    RemoteMemory memory(program_.Id(), sizeof(LVHITTESTINFO) + sizeof(RECT));
    RECT bounds{};
    bounds.left = LVIR_BOUNDS;
    memory.Write(&bounds, sizeof(bounds));
    ::SendMessageW(list_, LVM_GETITEMRECT, row, memory.Address());
    memory.Read(&bounds, sizeof(bounds));
    for (int x = bounds.left; x < bounds.left + 60; ++x) {
      LVHITTESTINFO hit{};
      hit.pt = {x, (bounds.top + bounds.bottom) / 2};
      memory.Write(&hit, sizeof(hit));
      ::SendMessageW(list_, LVM_HITTEST, 0, memory.Address());
      memory.Read(&hit, sizeof(hit));
      if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON) != 0) {
        ClickWithMouse(list_, hit.pt);
        return true;
      }
    }
    return false;
  }

  // A double click on a row as the list receives it.
  RECT LabelRect(int row) const {
    RemoteMemory memory(program_.Id(), sizeof(RECT));
    RECT label{};
    label.left = LVIR_LABEL;
    memory.Write(&label, sizeof(label));
    ::SendMessageW(list_, LVM_GETITEMRECT, row, memory.Address());
    memory.Read(&label, sizeof(label));
    return label;
  }
  void DoubleClickRow(int row) const {
    const RECT label = LabelRect(row);
    const LPARAM at = MAKELPARAM(label.left + 10, (label.top + label.bottom) / 2);
    ::PostMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(list_, WM_LBUTTONUP, 0, at);
    ::PostMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::PostMessageW(list_, WM_LBUTTONUP, 0, at);
    ::Sleep(400);
  }
  void RightClickRow(int row) const {
    const RECT label = LabelRect(row);
    ClickWithMouse(list_, {label.left + 10, (label.top + label.bottom) / 2}, true);
  }
  HTREEITEM Chosen() const {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_GETNEXTITEM, TVGN_CARET, 0));
  }

  void Recover() const { ::PostMessageW(page_, WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0); }

  // Recover into `target` (emptied first): the text the save ends with, answered.
  std::wstring SaveTickedInto(const std::wstring& target) const;

  // The folder browser: the folder chosen through its own message, then OK.
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
    // OK only once the browser shows the folder chosen: never save into its default folder.
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

 private:
  ProgramProcess program_;
  HWND frame_ = nullptr;
  HWND page_ = nullptr;
  HWND tree_ = nullptr;
  HWND list_ = nullptr;
};

std::wstring ResultsSession::SaveTickedInto(const std::wstring& target) const {
  EmptyFolder(target);
  Recover();
  if (!ChooseFolder(target)) return L"<the folder browser did not take the folder>";
  const MessageBoxSeen seen = WaitForMessage(program_.Id(), 120000);
  if (seen.window == nullptr) return L"<no message at the end of the save>";
  PressButton(seen.window, IDOK);
  WaitUntil([&] { return !::IsWindow(seen.window); });
  return seen.text;
}

size_t ManifestFileCount(const std::wstring& image);

// ---- FAT16: ticks, the refusal, a save of a deleted folder and two live files ---------------

class FatResults : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    snapshot_ = new std::wstring(TempPath(L"Pelmo Results Fat16.vbrx"));
    ASSERT_EQ(MakeQuickScanSnapshot(u"E:\\", *snapshot_), L"");
    session_ = new ResultsSession;
    ASSERT_TRUE(session_->Start(*snapshot_)) << "the results page with the snapshot did not come";
  }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
    ::DeleteFileW(snapshot_->c_str());
    delete snapshot_;
  }
  static ResultsSession* session_;
  static std::wstring* snapshot_;
};
ResultsSession* FatResults::session_ = nullptr;
std::wstring* FatResults::snapshot_ = nullptr;

TEST_F(FatResults, TheTreeShowsTheFoldersWithTheDeletedOnes) {
  for (const wchar_t* folder : {L"Root", L"Documents", L"Reports", L"2023 Q4", L"Photos", L"Old Projects",
                                L"Sub Folder"})
    EXPECT_NE(session_->Item(folder), nullptr) << folder;
  HWND header = reinterpret_cast<HWND>(::SendMessageW(session_->List(), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 6);
}

TEST_F(FatResults, RecoverWithNothingTickedRefuses) {
  session_->Recover();
  const MessageBoxSeen seen = WaitForMessage(session_->Id());
  ASSERT_NE(seen.window, nullptr);
  EXPECT_EQ(seen.text, kNothingTicked);
  PressButton(seen.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(seen.window); }));
}

TEST_F(FatResults, ADoubleClickOpensAFolderAndParentGoesUp) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Documents"));
  const int reports = s.Row(L"Reports");
  ASSERT_GE(reports, 0);
  EXPECT_EQ(ListItemText(s.List(), s.Id(), 0, 0), L"Parent...") << "the way up comes first below the root";
  s.DoubleClickRow(reports);
  EXPECT_EQ(s.Chosen(), s.Item(L"Reports"));
  EXPECT_GE(s.Row(L"Quarterly Summary.docx"), 0);
  s.DoubleClickRow(s.Row(L"Parent..."));
  EXPECT_EQ(s.Chosen(), s.Item(L"Documents"));
  EXPECT_GE(s.Row(L"notes.txt"), 0);
  s.Choose(s.Item(L"Root"));
  EXPECT_LT(s.Row(L"Parent..."), 0) << "no way up at the root";
}

TEST_F(FatResults, TheListsContextMenuSwitchesItsView) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  auto view = [&] { return ::GetWindowLongW(s.List(), GWL_STYLE) & LVS_TYPEMASK; };
  ASSERT_EQ(view(), LVS_REPORT);
  // The program's own popup bar, never the system's menu window.
  s.RightClickRow(s.Row(L"README.TXT"));
  ASSERT_NE(WaitForWindow([&] { return ProgramPopupBar(s.Id()); }, 5000), nullptr) << "no popup of the program";
  EXPECT_EQ(FindTopLevel(s.Id(), nullptr, L"#32768"), nullptr) << "a system menu opened";
  EXPECT_TRUE(Screenshot(s.Frame(), L"list-context-menu"));
  // "Ico&ns" shares its letter with "Re&name": the letter picks the first, Enter runs it.
  PressKeys({'N', VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return view() == LVS_SMALLICON; }, 5000));
  s.RightClickRow(s.Row(L"README.TXT"));
  ASSERT_NE(WaitForWindow([&] { return ProgramPopupBar(s.Id()); }, 5000), nullptr) << "no popup of the program";
  PressKeys({'D'});  // "&Details"
  EXPECT_TRUE(WaitUntil([&] { return view() == LVS_REPORT; }, 5000));
}

TEST_F(FatResults, RecoverWithNoFolderChosenSaysInvalidPathUnderTheProgramsName) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  const int readme = s.Row(L"README.TXT");
  ASSERT_GE(readme, 0);
  ASSERT_TRUE(s.ClickRowBox(readme));
  s.Recover();
  HWND browser = WaitForWindow([&] {
    HWND dialog = FindTopLevel(s.Id(), nullptr, L"#32770");
    return dialog != nullptr && FindDescendant(dialog, [](HWND w) { return WindowText(w) == kSaveFolderTitle; })
               ? dialog
               : nullptr;
  });
  ASSERT_NE(browser, nullptr) << "the folder browser did not come";
  PressButton(browser, IDCANCEL);
  const MessageBoxSeen seen = WaitForMessage(s.Id());
  ASSERT_NE(seen.window, nullptr);
  EXPECT_EQ(seen.text, L"Invalid Path");
  EXPECT_EQ(seen.caption, L"Pelmo Windows Data Recovery");
  PressButton(seen.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(seen.window); }));
  s.ClickRowBox(s.Row(L"README.TXT"));
  EXPECT_FALSE(s.RowChecked(s.Row(L"README.TXT")));
}

TEST_F(FatResults, SortingBySizeKeepsFoldersFirstAndOrdersNumbers) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  HWND header = reinterpret_cast<HWND>(::SendMessageW(s.List(), LVM_GETHEADER, 0, 0));
  RemoteMemory memory(s.Id(), sizeof(RECT));
  RECT size{};
  ::SendMessageW(header, HDM_GETITEMRECT, 2, memory.Address());
  memory.Read(&size, sizeof(size));
  ClickWithMouse(header, {(size.left + size.right) / 2, (size.top + size.bottom) / 2});
  auto rowsOf = [&] {
    std::vector<std::pair<std::wstring, std::wstring>> rows;  // type, size
    const int count = static_cast<int>(::SendMessageW(s.List(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
      rows.emplace_back(ListItemText(s.List(), s.Id(), row, 1), ListItemText(s.List(), s.Id(), row, 2));
    return rows;
  };
  auto check = [&](bool ascending) {
    const auto rows = rowsOf();
    bool inFiles = false;
    unsigned long long previous = ascending ? 0 : ~0ull;
    for (const auto& [type, text] : rows) {
      const bool folder = type == L"Folder" || type == L"Deleted Folder";
      EXPECT_FALSE(folder && inFiles) << "a folder after the files";
      if (folder) continue;
      inFiles = true;
      const unsigned long long value = std::stoull(text);
      EXPECT_TRUE(ascending ? value >= previous : value <= previous) << std::string(text.begin(), text.end());
      previous = value;
    }
  };
  check(true);
  // The same header again, past the double-click time, reverses the order.
  ::Sleep(::GetDoubleClickTime() + 100);
  ClickWithMouse(header, {(size.left + size.right) / 2, (size.top + size.bottom) / 2});
  check(false);
}

TEST_F(FatResults, AFolderIsTickedByAllItsFilesAndSubfolders) {
  ResultsSession& s = *session_;
  HTREEITEM documents = s.Item(L"Documents");
  HTREEITEM reports = s.Item(L"Reports");
  HTREEITEM root = s.Item(L"Root");
  ASSERT_NE(documents, nullptr);
  s.Choose(documents);
  const int notes = s.Row(L"notes.txt");
  ASSERT_GE(notes, 0);
  // The first file alone does not tick the folder: its subfolders are not ticked.
  ASSERT_TRUE(s.ClickRowBox(notes));
  EXPECT_TRUE(s.RowChecked(notes));
  EXPECT_EQ(s.State(documents), 2);
  EXPECT_EQ(s.State(root), 2);
  // Every subfolder and file ticked: the folder is ticked; one file off: partly again.
  ASSERT_TRUE(s.ClickTreeBox(reports));
  EXPECT_EQ(s.State(reports), 1);
  const int deletedDraft = s.Row(L"old draft.txt");
  for (int row = 0; row < static_cast<int>(::SendMessageW(s.List(), LVM_GETITEMCOUNT, 0, 0)); ++row)
    if (!s.RowChecked(row) && ListItemText(s.List(), s.Id(), row, 0) != L"Parent...") s.ClickRowBox(row);
  EXPECT_EQ(s.State(documents), 1) << "all files and folders of Documents ticked";
  if (deletedDraft >= 0) {
    s.ClickRowBox(deletedDraft);
    EXPECT_EQ(s.State(documents), 2);
  }
  // Unticking the folder unticks everything in it and the folders above.
  ASSERT_TRUE(s.ClickTreeBox(documents));
  if (s.State(documents) != 0) ASSERT_TRUE(s.ClickTreeBox(documents));
  EXPECT_EQ(s.State(documents), 0);
  EXPECT_EQ(s.State(reports), 0);
  EXPECT_EQ(s.State(root), 0);
  EXPECT_FALSE(s.RowChecked(s.Row(L"notes.txt")));
}

TEST_F(FatResults, ADeletedFolderAndTwoLiveFilesAreSavedByteForByte) {
  ResultsSession& s = *session_;
  HTREEITEM old = s.Item(L"Old Projects");
  HTREEITEM root = s.Item(L"Root");
  ASSERT_NE(old, nullptr);
  ASSERT_TRUE(s.ClickTreeBox(old));
  EXPECT_EQ(s.State(old), 1);
  EXPECT_EQ(s.State(s.Item(L"Sub Folder")), 1);
  s.Choose(root);
  for (const wchar_t* name : {L"README.TXT", L"Long File Name With Spaces.txt"}) {
    const int row = s.Row(name);
    ASSERT_GE(row, 0) << name;
    ASSERT_TRUE(s.ClickRowBox(row)) << name;
    EXPECT_TRUE(s.RowChecked(row)) << name;
  }
  EXPECT_EQ(s.State(root), 2);
  Screenshot(s.Frame(), L"results-page-ticked");

  const std::wstring target = TempPath(L"pelmo-results-fat16");
  EmptyFolder(target);
  s.Recover();
  ASSERT_TRUE(s.ChooseFolder(target));
  HWND saveDialog = WaitForWindow([&] { return FindTopLevel(s.Id(), L"Saving the data please wait"); }, 20000);
  if (saveDialog != nullptr) Screenshot(saveDialog, L"save-dialog");
  const MessageBoxSeen seen = WaitForMessage(s.Id(), 60000);
  ASSERT_NE(seen.window, nullptr);
  EXPECT_EQ(seen.text, kSaved);
  PressButton(seen.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(seen.window); }));

  struct Saved {
    const wchar_t* volumePath;
    const wchar_t* savedPath;
  };
  // Deleted short names lose their first character on FAT: the program shows and saves "x".
  for (const Saved& file : {Saved{L"/Old Projects/plan.txt", L"\\Old Projects\\xlan.txt"},
                            Saved{L"/Old Projects/Sub Folder/data.bin", L"\\Old Projects\\Sub Folder\\xata.bin"},
                            Saved{L"/Old Projects/Sub Folder/\u65E5\u672C.txt",
                                  L"\\Old Projects\\Sub Folder\\\u65E5\u672C.txt"},
                            Saved{L"/README.TXT", L"\\README.TXT"},
                            Saved{L"/Long File Name With Spaces.txt", L"\\Long File Name With Spaces.txt"}}) {
    const std::string original = Original(L"standard-fat16", file.volumePath);
    ASSERT_NE(original, "<missing>") << file.volumePath;
    EXPECT_TRUE(ReadAll(target + file.savedPath) == original) << "saved differently: " << std::string(
        file.volumePath, file.volumePath + wcslen(file.volumePath));
  }
  EXPECT_EQ(ReadAll(target + L"\\notes.txt"), "<missing>") << "nothing unticked is saved";
  // A save unticks the tree.
  EXPECT_TRUE(WaitUntil([&] { return s.State(old) == 0 && s.State(root) == 0; }, 5000));
}

// Saving onto the source drive asks first and holds the save; the answer Yes is
// followed at once by a click on the save dialog's Stop or Skip, which the dialog
// takes while the worker is still writing.
constexpr wchar_t kOnSourceQuestionPart[] = L"on the drive the data is recovered from";
constexpr wchar_t kSaveCaption[] = L"Saving the data please wait";

HWND StartSaveOntoSource(ResultsSession& s, const std::wstring& target, int buttonAfterYes) {
  HTREEITEM root = s.Item(L"Root");
  if (root == nullptr || !s.ClickTreeBox(root) || s.State(root) != 1) return nullptr;
  EmptyFolder(target);
  s.Recover();
  if (!s.ChooseFolder(target)) return nullptr;
  const MessageBoxSeen question = WaitForMessage(s.Id());
  if (question.window == nullptr || question.text.find(kOnSourceQuestionPart) == std::wstring::npos) return nullptr;
  HWND dialog = FindTopLevel(s.Id(), kSaveCaption);
  // Both clicks are queued together: the dialog takes the second right after the answer.
  PressButton(question.window, IDYES);
  if (dialog != nullptr) PressButton(dialog, buttonAfterYes);
  WaitUntil([&] { return !::IsWindow(question.window); });
  return dialog;
}

size_t FilesBelow(const std::wstring& folder) {
  size_t count = 0;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    count += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FilesBelow(folder + L"\\" + name) : 1;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return count;
}

TEST_F(FatResults, StopHoldsTheSaveWhileItAsksAndYesEndsItWithoutSuccess) {
  ResultsSession& s = *session_;
  const std::wstring target = L"E:\\stopped";
  HWND dialog = StartSaveOntoSource(s, target, IDOK);  // "&Stop Saving"
  ASSERT_NE(dialog, nullptr) << "the save onto the source did not start";
  const MessageBoxSeen stop = WaitForMessage(s.Id());
  ASSERT_NE(stop.window, nullptr);
  EXPECT_EQ(stop.text, L"Do you want to stop the saving process?");
  Screenshot(dialog, L"save-dialog-stop-question");
  const size_t whileAsking = FilesBelow(target);
  ::Sleep(500);
  EXPECT_EQ(FilesBelow(target), whileAsking) << "the worker waits while the question is open";
  PressButton(stop.window, IDYES);
  // The dialog closes when the worker has ended; a file cut short is told first, never a success.
  const bool closed = WaitUntil(
      [&] {
        const MessageBoxSeen after = WaitForMessage(s.Id(), 100);
        if (after.window != nullptr) {
          EXPECT_NE(after.text, kSaved);
          PressButton(after.window, IDOK);
          WaitUntil([&] { return !::IsWindow(after.window); });
        }
        return !::IsWindow(dialog);
      },
      30000);
  EXPECT_TRUE(closed) << "the dialog closes after Stop";
  EXPECT_LT(FilesBelow(target), ManifestFileCount(L"standard-fat16")) << "Stop left files unsaved";
}

TEST_F(FatResults, StopAnsweredNoGoesOnAndSkipCutsTheCurrentFileShort) {
  ResultsSession& s = *session_;
  const std::wstring target = L"E:\\skipped";
  HWND dialog = StartSaveOntoSource(s, target, IDOK);
  ASSERT_NE(dialog, nullptr) << "the save onto the source did not start";
  // While Stop asks, the worker waits inside a file; Skip then cuts that file and No goes on.
  const MessageBoxSeen stop = WaitForMessage(s.Id());
  ASSERT_NE(stop.window, nullptr);
  ASSERT_EQ(stop.text, L"Do you want to stop the saving process?");
  PressButton(dialog, IDC_SAVE_SKIP);
  ::Sleep(300);
  PressButton(stop.window, IDNO);
  MessageBoxSeen end;
  WaitUntil(
      [&] {
        end = WaitForMessage(s.Id(), 100);
        return end.window != nullptr && end.window != stop.window;
      },
      60000);
  ASSERT_NE(end.window, nullptr);
  EXPECT_NE(end.text, kSaved) << "a skipped file is no success";
  EXPECT_NE(end.text.find(L".partial"), std::wstring::npos) << std::string(end.text.begin(), end.text.end());
  PressButton(end.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 30000));
  EXPECT_GT(FilesBelow(target), 20u) << "the save went on after No";
}

// ---- Selected size, rename and the keyboard roads of the results page ---------------------

constexpr int kSelectedSizeId = 61482;

// The thread of a window and the window that holds its keyboard focus.
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

TEST_F(FatResults, TickingAFileShowsTheSelectedSize) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  HWND label = FindDescendantById(s.Page(), kSelectedSizeId);
  ASSERT_NE(label, nullptr) << "the results page has no size label";
  const int mebibyte = s.Row(L"one-mebibyte.bin");
  ASSERT_GE(mebibyte, 0);
  if (s.RowChecked(mebibyte)) {
    ASSERT_TRUE(s.ClickRowBox(mebibyte));
  }
  ASSERT_TRUE(s.ClickRowBox(mebibyte));
  EXPECT_TRUE(s.RowChecked(mebibyte));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(label) == L"Selected Size : 1 MB"; }, 5000))
      << std::string(WindowText(label).begin(), WindowText(label).end());
  EXPECT_TRUE(::IsWindowVisible(label));
  RECT shown{};
  ::GetWindowRect(label, &shown);
  EXPECT_GT(shown.right - shown.left, 0) << "the label takes room on the page";
  ASSERT_TRUE(s.ClickRowBox(mebibyte));
  EXPECT_TRUE(WaitUntil([&] { return WindowText(label) == L"Selected Size : 0 MB"; }, 5000))
      << std::string(WindowText(label).begin(), WindowText(label).end());
}

// ---- Recover from the toolbar and the menu while the preview pane is the active view -------

constexpr int kPreviewPaneId = 0xE901;
constexpr int kPreviewViewerId = 0xE900;

INPUT ResultsMouseMove(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  input.mi.dx = static_cast<LONG>(screen.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = static_cast<LONG>(screen.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  return input;
}

// A client point of the "Standard" toolbar's button whose prompt the status bar
// shows while the mouse rests on it; {-1, -1} when no button gives it.
POINT ToolbarButtonWithPrompt(HWND frame, const std::wstring& prompt) {
  HWND bar = FindDescendant(frame, [](HWND w) { return WindowText(w) == L"Standard"; });
  RECT client{};
  if (bar == nullptr || !::GetClientRect(bar, &client)) return {-1, -1};
  for (int x = 6; x < client.right; x += 6) {
    POINT screen{x, client.bottom / 2};
    ::ClientToScreen(bar, &screen);
    INPUT move = ResultsMouseMove(screen);
    ::SendInput(1, &move, sizeof(INPUT));
    if (WaitUntil([&] { return StatusText(frame).rfind(prompt, 0) == 0; }, 250))
      return {x + 6, client.bottom / 2};  // a little inside, away from the button's edge
  }
  return {-1, -1};
}

// The folder browser the save road opens, or null when a message (or nothing) came instead;
// a message seen is answered and its text kept.
HWND WaitForSaveFolderBrowser(DWORD processId, std::wstring& messageSeen) {
  HWND browser = nullptr;
  WaitUntil([&] {
    HWND dialog = FindTopLevel(processId, nullptr, L"#32770");
    if (dialog == nullptr) return false;
    if (FindDescendant(dialog, [](HWND w) { return WindowText(w) == kSaveFolderTitle; }) != nullptr) {
      browser = dialog;
      return true;
    }
    if (HWND text = ::GetDlgItem(dialog, 0xFFFF)) {
      messageSeen = WindowText(text);
      PressButton(dialog, IDOK);
      WaitUntil([&] { return !::IsWindow(dialog); }, 5000);
      return true;
    }
    return false;
  });
  return browser;
}

TEST_F(FatResults, RecoverOnTheToolbarOrTheMenuAfterAPreviewStartsTheSave) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  const int readme = s.Row(L"README.TXT");
  ASSERT_GE(readme, 0);
  if (!s.RowChecked(readme)) ASSERT_TRUE(s.ClickRowBox(readme));
  ASSERT_TRUE(s.RowChecked(readme));

  // A click on the row's name shows the file in the preview pane, which becomes the active view.
  HWND pane = FindDescendantById(s.Page(), kPreviewPaneId);
  ASSERT_NE(pane, nullptr);
  auto previewShown = [&] {
    HWND viewer = FindDescendantById(pane, kPreviewViewerId);
    return viewer != nullptr && ::IsWindowVisible(viewer);
  };
  const RECT label = s.LabelRect(readme);
  ::SetForegroundWindow(s.Frame());
  ClickWithMouse(s.List(), {label.left + 12, (label.top + label.bottom) / 2});
  ASSERT_TRUE(WaitUntil(previewShown, 15000)) << "the preview did not show README.TXT";
  ::Sleep(300);
  EXPECT_TRUE(Screenshot(s.Frame(), L"recover-after-preview"));

  // The toolbar's Recover, clicked with the mouse.
  const POINT recover = ToolbarButtonWithPrompt(s.Frame(), L"Recovery Selected");
  HWND bar = FindDescendant(s.Frame(), [](HWND w) { return WindowText(w) == L"Standard"; });
  ASSERT_GE(recover.x, 0) << "no toolbar button says Recovery Selected";
  ClickWithMouse(bar, recover);
  std::wstring message;
  HWND browser = WaitForSaveFolderBrowser(s.Id(), message);
  EXPECT_NE(browser, nullptr) << "the toolbar's Recover did not ask for a folder; it said: "
                              << std::string(message.begin(), message.end());
  if (browser != nullptr) {
    EXPECT_TRUE(Screenshot(browser, L"recover-toolbar-folder-browser"));
    PressButton(browser, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(browser); }));
  }
  EXPECT_EQ(WaitForMessage(s.Id(), 1000).window, nullptr) << "a cancelled folder choice says nothing here";

  // The menu's "&Recover Selected..." after the preview of another file.
  HWND firstViewer = FindDescendantById(pane, kPreviewViewerId);
  const int lower = s.Row(L"lower.txt");
  ASSERT_GE(lower, 0);
  const RECT other = s.LabelRect(lower);
  ::SetForegroundWindow(s.Frame());
  ClickWithMouse(s.List(), {other.left + 12, (other.top + other.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return previewShown() && FindDescendantById(pane, kPreviewViewerId) != firstViewer; },
                        15000))
      << "the preview did not show lower.txt";
  ::PostMessageW(s.Frame(), WM_COMMAND, MAKEWPARAM(ID_RECOVER_SELECTED, 0), 0);
  message.clear();
  browser = WaitForSaveFolderBrowser(s.Id(), message);
  EXPECT_NE(browser, nullptr) << "the menu's Recover Selected did not ask for a folder; it said: "
                              << std::string(message.begin(), message.end());
  if (browser != nullptr) {
    PressButton(browser, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(browser); }));
  }
  s.ClickRowBox(s.Row(L"README.TXT"));
  EXPECT_FALSE(s.RowChecked(s.Row(L"README.TXT")));
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// A click on a row's icon, scrolled into view: it selects the row and gives the
// list the focus. A click on the label of the row already selected would begin
// renaming it, as list controls do, and the focus would go to the label's edit box.
void ClickRowIcon(const ResultsSession& s, int row) {
  ::SendMessageW(s.List(), LVM_ENSUREVISIBLE, row, FALSE);  // as the user scrolls to it
  const RECT label = s.LabelRect(row);
  ClickWithMouse(s.List(), {label.left - 8, (label.top + label.bottom) / 2});
}

TEST_F(FatResults, TabMovesBetweenTreeAndListAndEnterOpensAFolderRow) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  ::SetForegroundWindow(s.Frame());
  RECT rect{};
  ASSERT_TRUE(TreeItemRect(s.Tree(), s.Id(), s.Item(L"Root"), rect));
  ClickWithMouse(s.Tree(), {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(s.Tree()) == s.Tree(); }, 5000));
  PressKeys({VK_TAB});
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(s.Tree()) == s.List(); }, 5000)) << "Tab leads from the tree to the list";
  PressKeys({VK_TAB});
  EXPECT_TRUE(WaitUntil([&] { return FocusOf(s.Tree()) == s.Tree(); }, 5000)) << "Tab leads from the list to the tree";

  // Enter on a folder row opens the folder.
  const int documents = s.Row(L"Documents");
  ASSERT_GE(documents, 0);
  ClickRowIcon(s, documents);
  const bool listFocused = WaitUntil([&] { return FocusOf(s.Tree()) == s.List(); }, 5000);
  if (!listFocused) Screenshot(s.Frame(), L"row-click-left-the-focus");
  ASSERT_TRUE(listFocused)
      << "a click on a row leaves the focus on a window of class " << Narrow(ClassOf(FocusOf(s.Tree())));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return s.Chosen() == s.Item(L"Documents"); }, 5000)) << "Enter opens the folder row";
  EXPECT_TRUE(WaitUntil([&] { return s.Row(L"notes.txt") >= 0; }, 5000));
}

// ---- Back on the results page, then Next: the same drive is scanned again ----------------

// The results page as reached: Root and a folder below it listed and painted at once.
void ExpectTreeShownAtOnce(ResultsSession& s, const wchar_t* screenshot) {
  for (const wchar_t* name : {L"Root", L"Documents"}) {
    EXPECT_NE(s.Item(name), nullptr) << "not in the tree: " << std::string(name, name + wcslen(name));
  }
  EXPECT_TRUE(WaitUntil([&] { return TreeItemPainted(s.Tree(), s.Id(), s.Item(L"Root")); }, 5000))
      << "the tree is blank";
  EXPECT_TRUE(TreeItemPainted(s.Tree(), s.Id(), s.Item(L"Documents"))) << "the tree is blank";
  Screenshot(s.Frame(), screenshot);
}

// Back leaves the scan page with the drive chosen and its facts shown; Next there scans
// it again and the results page comes once more.
void ExpectBackThenNextScansAgain(ResultsSession& s, const wchar_t* screenshot) {
  HWND scanPage = s.BackFromResults();
  ASSERT_NE(scanPage, nullptr) << "Back left no page";
  ASSERT_NE(FindDescendantById(scanPage, ID_PAGE_STOP), nullptr) << "Back did not lead to the scan page";
  EXPECT_TRUE(WaitUntil([&] {
    return FindDescendant(s.Frame(), [](HWND w) {
             return ::IsWindowVisible(w) && WindowText(w).find(L"( E:\\ )") != std::wstring::npos;
           }) != nullptr;
  }, 5000)) << "the scan page does not name the drive";
  Screenshot(s.Frame(), (std::wstring(screenshot) + L"-scan-page").c_str());
  std::wstring seen;
  ASSERT_TRUE(s.QuickScanFromScanPage(scanPage, &seen))
      << "Next did not scan again: " << std::string(seen.begin(), seen.end());
  ExpectTreeShownAtOnce(s, screenshot);
}

TEST(BackFromResults, AfterAQuickScanNextScansTheDriveAgain) {
  ResultsSession s;
  ASSERT_TRUE(s.StartThroughScan(L'E'));
  ExpectTreeShownAtOnce(s, L"back-quick-scan-first-results");
  ExpectBackThenNextScansAgain(s, L"back-quick-scan-results-again");
}

TEST(BackFromResults, AfterASnapshotOnTheCommandLineNextScansTheDriveAgain) {
  const std::wstring snapshot = TempPath(L"Pelmo Results Back.vbrx");
  ASSERT_EQ(MakeQuickScanSnapshot(u"E:\\", snapshot), L"");
  ResultsSession s;
  ASSERT_TRUE(s.Start(snapshot)) << "the results page with the snapshot did not come";
  ExpectTreeShownAtOnce(s, L"back-snapshot-loaded");
  ExpectBackThenNextScansAgain(s, L"back-snapshot-results-again");
  ::DeleteFileW(snapshot.c_str());
}

// The label edit of a row, begun by F2 or by "Re&name" from the context-menu key's menu.
HWND WaitForLabelEdit(const ResultsSession& s) {
  return WaitForWindow([&] {
    HWND edit = FindDescendantByClass(s.List(), L"Edit");
    return edit != nullptr && ::IsWindowVisible(edit) ? edit : nullptr;
  }, 5000);
}

TEST_F(FatResults, RenameByF2OrTheMenuNamesTheSavedFile) {
  ResultsSession& s = *session_;
  s.Choose(s.Item(L"Root"));
  ::SetForegroundWindow(s.Frame());
  int readme = s.Row(L"README.TXT");
  ASSERT_GE(readme, 0);
  ClickRowIcon(s, readme);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(s.List()) == s.List(); }, 5000));
  PressKeys({VK_F2});
  HWND edit = WaitForLabelEdit(s);
  ASSERT_NE(edit, nullptr) << "F2 begins no label edit";
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"first name.txt"));
  PressKeys({VK_RETURN});
  EXPECT_TRUE(WaitUntil([&] { return s.Row(L"first name.txt") >= 0; }, 5000));

  // The context-menu key opens the list's menu; "Re&name" is the second command of its letter.
  readme = s.Row(L"first name.txt");
  ASSERT_GE(readme, 0);
  ClickRowIcon(s, readme);
  ASSERT_TRUE(WaitUntil([&] { return FocusOf(s.List()) == s.List(); }, 5000));
  PressKeys({VK_APPS});
  ASSERT_NE(WaitForWindow([&] { return ProgramPopupBar(s.Id()); }, 5000), nullptr)
      << "the context-menu key opens no menu";
  PressKeys({'N', 'N', VK_RETURN});
  edit = WaitForLabelEdit(s);
  ASSERT_NE(edit, nullptr) << "\"Re&name\" begins no label edit";
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"renamed readme.txt"));
  PressKeys({VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return s.Row(L"renamed readme.txt") >= 0; }, 5000));

  // Saved under the new name, with the file's own bytes.
  const int renamed = s.Row(L"renamed readme.txt");
  if (!s.RowChecked(renamed)) {
    ASSERT_TRUE(s.ClickRowBox(renamed));
  }
  const std::wstring target = TempPath(L"pelmo-results-renamed");
  const std::wstring end = s.SaveTickedInto(target);
  EXPECT_NE(end.find(L"saved"), std::wstring::npos) << std::string(end.begin(), end.end());
  EXPECT_TRUE(ReadAll(target + L"\\renamed readme.txt") == Original(L"standard-fat16", L"/README.TXT"));
  EXPECT_EQ(ReadAll(target + L"\\README.TXT"), "<missing>");
  ASSERT_TRUE(s.ClickRowBox(renamed));
}

// ---- Whole volumes: Root ticked saves every folder and the root's own files -------------------

struct ManifestFile {
  bool live = false;
  std::wstring path;  // inside the volume, '/'-separated
};

std::vector<ManifestFile> ManifestFiles(const std::wstring& image) {
  std::wstring manifest = Widen(RESULTS_DRIVES_DIR) + L"/" + image + L".manifest";
  std::replace(manifest.begin(), manifest.end(), L'/', L'\\');
  std::istringstream lines(ReadAll(manifest));
  std::vector<ManifestFile> files;
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    if (fields.size() >= 4 && fields[0] == "F") files.push_back({fields[1] == "live", Widen(fields[3])});
  }
  return files;
}

size_t ManifestFileCount(const std::wstring& image) { return ManifestFiles(image).size(); }

std::wstring SavedPath(const std::wstring& target, const std::wstring& volumePath) {
  std::wstring path = target + volumePath;
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return path;
}

struct VolumeCase {
  const char* name;
  const char16_t* root;
  const wchar_t* image;
};

class WholeVolume : public testing::TestWithParam<VolumeCase> {};

TEST_P(WholeVolume, RootTickedSavesEveryLiveFileWithTheRootsOwnFiles) {
  const VolumeCase& volume = GetParam();
  const std::wstring snapshot = TempPath(std::wstring(L"Pelmo Results ") + volume.image + L".vbrx");
  const std::u16string root16(volume.root);
  ASSERT_EQ(MakeQuickScanSnapshot(root16, snapshot), L"");
  ResultsSession s;
  ASSERT_TRUE(s.Start(snapshot));
  HTREEITEM root = s.Item(L"Root");
  ASSERT_NE(root, nullptr);
  EXPECT_NE(s.Item(L"Old Projects"), nullptr) << "the deleted folder is listed";
  ASSERT_TRUE(s.ClickTreeBox(root));
  EXPECT_EQ(s.State(root), 1);
  EXPECT_EQ(s.State(s.Item(L"2023 Q4")), 1) << "ticking an item ticks its whole subtree";

  const std::wstring target = TempPath(std::wstring(L"pelmo-results-") + volume.image);
  EXPECT_EQ(s.SaveTickedInto(target), kSaved);

  int compared = 0;
  for (const ManifestFile& file : ManifestFiles(volume.image)) {
    if (!file.live) continue;
    ++compared;
    const std::string original = Original(volume.image, file.path);
    EXPECT_TRUE(ReadAll(SavedPath(target, file.path)) == original)
        << "saved differently or missing: " << std::string(file.path.begin(), file.path.end());
  }
  EXPECT_GT(compared, 15);
  ::DeleteFileW(snapshot.c_str());
}

INSTANTIATE_TEST_SUITE_P(Drives, WholeVolume,
                         testing::Values(VolumeCase{"Fat32", u"F:\\", L"standard-fat32"},
                                         VolumeCase{"Ntfs", u"G:\\", L"standard-ntfs"}),
                         [](const testing::TestParamInfo<VolumeCase>& info) { return std::string(info.param.name); });

// ---- The whole road: mode, drive, scan, results, save ------------------------------------------

// The saved copy of a fixture file: at its path below the target; a deleted FAT entry
// without a long name has lost its first character, which the program shows as "x".
std::wstring SavedCopy(const std::wstring& target, const std::wstring& volumePath, bool fat) {
  const std::wstring exact = SavedPath(target, volumePath);
  if (!fat || ::GetFileAttributesW(exact.c_str()) != INVALID_FILE_ATTRIBUTES) return exact;
  std::wstring renamed = exact;
  renamed[renamed.find_last_of(L'\\') + 1] = L'x';
  return renamed;
}

// One program start for the three file systems: each drive's Quick Scan through the
// scan page, its deleted folder and two live root files ticked and saved onto C:.
TEST(FullRoad, QuickScanOfEachDriveThenADeletedFolderAndTwoFilesSavedByteForByte) {
  ResultsSession s;
  ASSERT_TRUE(s.Launch());
  struct Road {
    VolumeCase volume;
    const wchar_t* fileSystem;
  };
  for (const Road& road : {Road{{"Fat16", u"E:\\", L"standard-fat16"}, L"FAT16"},
                           Road{{"Fat32", u"F:\\", L"standard-fat32"}, L"FAT32"},
                           Road{{"Ntfs", u"G:\\", L"standard-ntfs"}, L"NTFS"}}) {
    const VolumeCase& volume = road.volume;
    SCOPED_TRACE(volume.name);
    const wchar_t letter = static_cast<wchar_t>(volume.root[0]);
    const bool fat = volume.name[0] == 'F';
    ASSERT_TRUE(s.QuickScanFromModePage(letter, road.fileSystem)) << "the road to the results page did not end there";
    for (const wchar_t* folder : {L"Root", L"Documents", L"Reports", L"Old Projects", L"Sub Folder"})
      EXPECT_NE(s.Item(folder), nullptr) << "not in the tree: " << std::string(folder, folder + wcslen(folder));
    HTREEITEM old = s.Item(L"Old Projects");
    HTREEITEM root = s.Item(L"Root");
    ASSERT_NE(old, nullptr);
    ASSERT_TRUE(s.ClickTreeBox(old));
    EXPECT_EQ(s.State(old), 1);
    s.Choose(root);
    for (const wchar_t* name : {L"README.TXT", L"Long File Name With Spaces.txt"}) {
      const int row = s.Row(name);
      ASSERT_GE(row, 0);
      ASSERT_TRUE(s.ClickRowBox(row));
      EXPECT_TRUE(s.RowChecked(row));
      // Scrolled into view, both rows may sit at one point: two clicks, not a double click.
      ::Sleep(::GetDoubleClickTime() + 100);
    }
    EXPECT_EQ(s.State(root), 2) << "some of the root ticked";
    if (letter == L'G') Screenshot(s.Frame(), L"road-results-page-ntfs");

    const std::wstring target = TempPath(std::wstring(L"pelmo-road-") + volume.image);
    EXPECT_EQ(s.SaveTickedInto(target), kSaved);
    size_t expected = 2;
    for (const std::wstring path : {std::wstring(L"/README.TXT"), std::wstring(L"/Long File Name With Spaces.txt")})
      EXPECT_TRUE(ReadAll(SavedPath(target, path)) == Original(volume.image, path))
          << "saved differently or missing: " << std::string(path.begin(), path.end());
    for (const ManifestFile& file : ManifestFiles(volume.image)) {
      if (file.path.rfind(L"/Old Projects/", 0) != 0) continue;
      ++expected;
      EXPECT_TRUE(ReadAll(SavedCopy(target, file.path, fat)) == Original(volume.image, file.path))
          << "saved differently or missing: " << std::string(file.path.begin(), file.path.end());
    }
    EXPECT_EQ(FilesBelow(target), expected) << "only what was ticked is saved";
    ASSERT_TRUE(s.ReturnToModePage()) << "Home did not lead back to the mode page";
  }
}

// ---- File Trace through the scan page: hits saved begin with the original bytes ------------------

std::string HostFile(const char* name) {
  std::wstring path = Widen(RESULTS_DRIVES_DIR) + L"/../../../scan/tests/drives/" + Widen(name);
  std::replace(path.begin(), path.end(), L'/', L'\\');
  return ReadAll(path);
}

// Whether a file of the folder begins with `start`.
bool SomeFileBeginsWith(const std::wstring& folder, const std::string& start) {
  bool found = false;
  WIN32_FIND_DATAW entry{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  do found = found || ReadAll(folder + L"\\" + entry.cFileName).compare(0, start.size(), start) == 0;
  while (::FindNextFileW(search, &entry));
  ::FindClose(search);
  return found;
}

TEST(FileTraceRoad, HitsFoundBeforeStopAreSavedWithTheOriginalBytesAtTheirStart) {
  ResultsSession s;
  HWND scanPage = s.ReachScanPage(ID_MODE_FILE_TRACE, L'H');
  ASSERT_NE(scanPage, nullptr);
  ResultsSession::Press(scanPage, ID_PAGE_NEXT);
  HWND types = WaitForWindow([&] { return FindTopLevel(s.Id(), L"File Types", L"#32770"); });
  ASSERT_NE(types, nullptr) << "the File Types dialog did not come";
  PressButton(types, IDOK);  // every type, as the dialog starts
  constexpr int kFilesFoundValueId = 32817 + 1;
  ASSERT_TRUE(WaitUntil([&] { return WindowText(FindDescendantById(scanPage, kFilesFoundValueId)) == L"2"; }, 60000))
      << "the two hits were not found";
  ResultsSession::Press(scanPage, ID_PAGE_STOP);
  const MessageBoxSeen question = WaitForMessage(s.Id());
  ASSERT_NE(question.window, nullptr);
  PressButton(question.window, IDYES);
  // The end of the scan may tell something first; it is answered.
  for (int message = 0; message < 3; ++message) {
    const MessageBoxSeen end = WaitForMessage(s.Id(), 3000);
    if (end.window == nullptr) break;
    PressButton(end.window, IDOK);
    WaitUntil([&] { return !::IsWindow(end.window); });
  }
  ASSERT_TRUE(s.FindResultsPage());
  ::SetForegroundWindow(s.Frame());
  HTREEITEM root = s.Item(L"Root");
  ASSERT_NE(root, nullptr);
  ASSERT_TRUE(s.ClickTreeBox(root));
  EXPECT_EQ(s.State(root), 1);
  Screenshot(s.Frame(), L"file-trace-results-ticked");

  const std::wstring target = TempPath(L"pelmo-results-file-trace");
  EXPECT_EQ(s.SaveTickedInto(target), kSaved);

  const std::string picture = HostFile("picture.png");
  const std::string paper = HostFile("paper.pdf");
  ASSERT_NE(picture, "<missing>");
  EXPECT_TRUE(SomeFileBeginsWith(target, picture)) << "no saved hit begins with the picture's bytes";
  EXPECT_TRUE(SomeFileBeginsWith(target, paper)) << "no saved hit begins with the paper's bytes";
}

// ---- File Trace through a snapshot: the engine's "R" snapshot of the carving drive -------------

TEST(FileTraceSnapshot, LoadsItsHitsAndASavedHitBeginsWithTheOriginalBytes) {
  std::wstring folder = ProgramPath();
  folder.resize(folder.find_last_of(L'\\') + 1);
  const std::wstring snapshot = TempPath(L"Pelmo Results Trace.vbrx");
  // The picture and the paper lie in the first 16,400 sectors of drive H:.
  ASSERT_EQ(MakeFileTraceSnapshot(u"H:\\", {u".png", u".pdf"}, 32767, std::u16string(folder.begin(), folder.end()),
                                  snapshot),
            L"");
  ResultsSession s;
  ASSERT_TRUE(s.Start(snapshot)) << "the results page with the snapshot's hits did not come";
  HWND header = reinterpret_cast<HWND>(::SendMessageW(s.List(), LVM_GETHEADER, 0, 0));
  EXPECT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 3) << "the File Trace columns";
  HTREEITEM root = s.Item(L"Root");
  ASSERT_NE(root, nullptr);
  // The hits sit in their type folders below Root (a type's folder and its extension's
  // folder list the same hits): two files, the picture and the paper.
  std::set<std::wstring> folders, hits;
  const std::vector<RemoteTreeItem> items = TreeItems(s.Tree(), s.Id());
  for (const RemoteTreeItem& item : items) folders.insert(item.text);
  for (const RemoteTreeItem& item : items) {
    if (item.item == root) continue;
    s.Choose(item.item);
    const int rows = static_cast<int>(::SendMessageW(s.List(), LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
      const std::wstring name = ListItemText(s.List(), s.Id(), row, 0);
      if (name != L"Parent..." && folders.count(name) == 0) hits.insert(name);
    }
  }
  EXPECT_EQ(hits.size(), 2u) << "the picture and the paper";
  EXPECT_EQ(hits.count(L"1.png") + hits.count(L"2.pdf"), 2u);
  ASSERT_TRUE(s.ClickTreeBox(root));
  EXPECT_EQ(s.State(root), 1);

  const std::wstring target = TempPath(L"pelmo-results-trace-snapshot");
  EXPECT_EQ(s.SaveTickedInto(target), kSaved);
  const std::string picture = HostFile("picture.png");
  const std::string paper = HostFile("paper.pdf");
  ASSERT_NE(picture, "<missing>");
  EXPECT_TRUE(SomeFileBeginsWith(target, picture)) << "no saved hit begins with the picture's bytes";
  EXPECT_TRUE(SomeFileBeginsWith(target, paper)) << "no saved hit begins with the paper's bytes";
  ::DeleteFileW(snapshot.c_str());
}

// ---- Long work answers at once: a save and a search over 20,000 files on M: ----------------

class ManyFiles : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    snapshot_ = new std::wstring(TempPath(L"Pelmo Many Files.vbrx"));
    ASSERT_EQ(MakeQuickScanSnapshot(u"M:\\", *snapshot_), L"");
    session_ = new ResultsSession;
    ASSERT_TRUE(session_->Start(*snapshot_)) << "the results page with the snapshot did not come";
  }
  static void TearDownTestSuite() {
    delete session_;
    session_ = nullptr;
    ::DeleteFileW(snapshot_->c_str());
    delete snapshot_;
  }
  static ResultsSession* session_;
  static std::wstring* snapshot_;
};
ResultsSession* ManyFiles::session_ = nullptr;
std::wstring* ManyFiles::snapshot_ = nullptr;

constexpr wchar_t kSaveStopQuestion[] = L"Do you want to stop the saving process?";

// A real click in the middle of a dialog's control, as the user makes it.
void ClickControl(HWND dialog, int id) {
  HWND control = ::GetDlgItem(dialog, id);
  RECT rect{};
  ::GetClientRect(control, &rect);
  ::SetForegroundWindow(dialog);
  ClickWithMouse(control, {rect.right / 2, rect.bottom / 2});
}

bool Painted(HWND control) {
  // A window Wine has not painted shows black; a drawn button is mostly its face.
  // Points of the face clear of the caption's glyphs: inside the border, at the
  // left and right of the middle row.
  RECT rect{};
  ::GetClientRect(control, &rect);
  const POINT faces[] = {{4, rect.bottom / 2}, {rect.right - 5, rect.bottom / 2}};
  HDC screen = ::GetDC(nullptr);
  int drawn = 0;
  for (POINT point : faces) {
    ::ClientToScreen(control, &point);
    const COLORREF colour = ::GetPixel(screen, point.x, point.y);
    drawn += colour != RGB(0, 0, 0) && colour != CLR_INVALID ? 1 : 0;
  }
  ::ReleaseDC(nullptr, screen);
  return drawn == 2;
}

// The files a save wrote whole below the folder (not those kept as ".partial").
size_t WholeFilesBelow(const std::wstring& folder) {
  size_t count = 0;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      count += WholeFilesBelow(folder + L"\\" + name);
    else if (name.size() < 8 || name.compare(name.size() - 8, 8, L".partial") != 0)
      ++count;
  } while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return count;
}

// Root ticked and saved into a folder of C:; the save dialog once it is up.
HWND StartLongSave(ResultsSession& s, const std::wstring& target) {
  HTREEITEM root = s.Item(L"Root");
  if (root == nullptr) return nullptr;
  if (s.State(root) != 1 && (!s.ClickTreeBox(root) || s.State(root) != 1)) return nullptr;
  EmptyFolder(target);
  s.Recover();
  if (!s.ChooseFolder(target)) return nullptr;
  return WaitForWindow([&] { return FindTopLevel(s.Id(), kSaveCaption); }, 20000);
}

// Stop (after Skip, when asked) clicked with the mouse while the worker saves: the
// question comes while the save still runs, and Yes ends it with what was saved.
void StopALongSave(ResultsSession& s, const std::wstring& target, bool skipFirst, const wchar_t* screenshot) {
  HWND dialog = StartLongSave(s, target);
  ASSERT_NE(dialog, nullptr) << "the save did not start";
  // Captions and buttons are drawn while the worker writes.
  EXPECT_TRUE(WaitUntil([&] { return Painted(::GetDlgItem(dialog, IDOK)) && Painted(::GetDlgItem(dialog, IDC_SAVE_SKIP)); },
                        5000))
      << "the save dialog is not drawn during the save";
  if (screenshot != nullptr) Screenshot(dialog, screenshot);
  if (skipFirst) ClickControl(dialog, IDC_SAVE_SKIP);
  ClickControl(dialog, IDOK);  // "&Stop Saving"
  const MessageBoxSeen stop = WaitForMessage(s.Id(), 5000);
  ASSERT_NE(stop.window, nullptr) << "Stop was not answered while the save ran";
  EXPECT_EQ(stop.text, kSaveStopQuestion);
  EXPECT_TRUE(::IsWindow(dialog)) << "the save ran on while asked";
  PressButton(stop.window, IDYES);
  MessageBoxSeen end;
  ASSERT_TRUE(WaitUntil(
      [&] {
        end = WaitForMessage(s.Id(), 100);
        return end.window != nullptr && end.window != stop.window;
      },
      60000))
      << "the stopped save tells nothing";
  // The tally: the files written whole, as many as lie in the folder, and fewer than ticked.
  const size_t whole = WholeFilesBelow(target);
  EXPECT_EQ(end.text.rfind(L"The save was stopped.", 0), 0u) << std::string(end.text.begin(), end.text.end());
  EXPECT_NE(end.text.find(std::to_wstring(whole) + L" files saved whole."), std::wstring::npos)
      << whole << " files below the target; " << std::string(end.text.begin(), end.text.end());
  EXPECT_LT(whole, 20000u) << "Stop ended the save early";
  PressButton(end.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 30000));
}

TEST_F(ManyFiles, StopClickedDuringALongSaveAsksAtOnceAndYesTellsWhatWasSaved) {
  StopALongSave(*session_, TempPath(L"pelmo-many-stopped"), false, L"save-dialog-mid-save");
}

TEST_F(ManyFiles, SkipAndStopClickedDuringALongSaveAreTakenWhileItRuns) {
  StopALongSave(*session_, TempPath(L"pelmo-many-skipped"), true, nullptr);
}

TEST_F(ManyFiles, FindFilesStopIsAnsweredWhileRowsPourInAndARowClickPreviews) {
  ResultsSession& s = *session_;
  ::PostMessageW(s.Frame(), WM_COMMAND, MAKEWPARAM(ID_FIND_FILES, 0), 0);
  HWND dialog = WaitForWindow([&] { return FindTopLevel(s.Id(), L"Find File(s)", L"#32770"); }, 10000);
  ASSERT_NE(dialog, nullptr);
  HWND list = ::GetDlgItem(dialog, IDC_FIND_RESULTS);
  auto rows = [&] { return static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); };
  ::SendDlgItemMessageW(dialog, IDC_FIND_PATTERN, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"*"));
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] { return rows() > 0; }, 20000)) << "no rows came";
  ClickControl(dialog, IDC_FIND_STOP);
  const MessageBoxSeen stop = WaitForMessage(s.Id(), 5000);
  ASSERT_NE(stop.window, nullptr) << "Stop was not answered while the search listed its rows";
  EXPECT_EQ(stop.text, L"Do you want to stop file searching ?");
  PressButton(stop.window, IDYES);
  // Stopped: Start back, and the count shows the rows listed, fewer than all.
  ASSERT_TRUE(WaitUntil(
      [&] {
        return ::IsWindowEnabled(::GetDlgItem(dialog, IDOK)) && !::IsWindowEnabled(::GetDlgItem(dialog, IDC_FIND_STOP)) &&
               WindowText(::GetDlgItem(dialog, IDC_FIND_COUNT)) == std::to_wstring(rows());
      },
      30000))
      << "count " << std::string(WindowText(::GetDlgItem(dialog, IDC_FIND_COUNT)).begin(),
                                 WindowText(::GetDlgItem(dialog, IDC_FIND_COUNT)).end())
      << ", rows " << rows();
  EXPECT_LT(rows(), 20000) << "Stop ended the search early";

  // A click on a row copies the file for the results page's preview pane.
  ASSERT_GT(rows(), 0);
  std::set<std::wstring> before;
  auto copies = [] {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(TempPath(L"tmp*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.insert(found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
  };
  before = copies();
  RemoteMemory memory(s.Id(), sizeof(RECT));
  RECT label{};
  label.left = LVIR_LABEL;
  memory.Write(&label, sizeof(label));
  ::SendMessageW(list, LVM_GETITEMRECT, 0, memory.Address());
  memory.Read(&label, sizeof(label));
  ClickWithMouse(list, {label.left + 10, (label.top + label.bottom) / 2});
  EXPECT_TRUE(WaitUntil([&] { return copies().size() > before.size(); }, 10000))
      << "a click on a found row previews nothing";
  // Esc closes the dialog once the stopped search has ended.
  EXPECT_TRUE(WaitUntil(
      [&] {
        if (::IsWindow(dialog)) PressButton(dialog, IDCANCEL);
        ::Sleep(200);
        return !::IsWindow(dialog);
      },
      10000));
}

}  // namespace
