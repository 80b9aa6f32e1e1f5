// The real PelmoRecovery.exe under Wine, driven from outside as a user would: Quick
// Scans of the FAT16, FAT32 and NTFS images behind E:, F: and G: run on the scan
// page and end on the results page with the images' folders; a File Trace over
// the large image behind H: is watched, held by Stop while the question is open
// and stopped with what it found; the File Types dialog lists the database's
// types and keeps the size of one hit. One program start serves every check.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ProgramDriver.h"
#include "ResourceIds.h"
#include "WindowLooks.h"

namespace {

using namespace programtest;

constexpr wchar_t kCaption[] = L"Pelmo Windows Data Recovery";
constexpr wchar_t kQuestionCaption[] = L"Pelmo Windows Recovery";
constexpr int kShownPageId = 59648;
constexpr int kDriveTreeId = 156;
constexpr int kResultListId = 165;
constexpr int kFirstCaptionId = 32812;
constexpr int kFirstValueId = 32817;
constexpr wchar_t kQuickScanEndText[] =
    L"If  file(s) and folder(s) are not found here,  \r\nplease return to the first step and select Extensive Scan "
    L"for recovery.";
constexpr wchar_t kStopQuestion[] =
    L"Do you want to stop searching for files?  This may result in an incomplete \r\nrecovery, requiring you to "
    L"restart the process again.";

class ScanSession : public testing::Test {
 protected:
  static void SetUpTestSuite() {
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

  static HWND ShownPage() { return ::GetDlgItem(frame_, kShownPageId); }
  static void Press(HWND page, int id) { ::PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  static DWORD Id() { return program_->Id(); }

  static HTREEITEM FindItem(HWND tree, const std::wstring& text) {
    for (const RemoteTreeItem& item : TreeItems(tree, Id()))
      if (item.text == text) return item.item;
    return nullptr;
  }
  static bool HasItem(HWND tree, const std::wstring& text) { return FindItem(tree, text) != nullptr; }

  // From the mode page: the mode, then drive `letter` on the drive page and Next; returns
  // the scan page once it is shown.
  // `drivePageCheck`, when given, looks at the drive page once the drive is chosen.
  static HWND ReachScanPage(int modeCommand, wchar_t letter,
                            const std::function<void(HWND drivePage)>& drivePageCheck = nullptr) {
    HWND modePage = ShownPage();
    if (!ClickModeButton(modePage, modeCommand)) return nullptr;
    HWND tree = WaitForWindow([&] {
      HWND page = ShownPage();
      return page != modePage && page != nullptr ? FindDescendantById(page, kDriveTreeId) : nullptr;
    });
    if (tree == nullptr) return nullptr;
    HWND drivePage = ShownPage();
    const std::wstring label = std::wstring(L"Logical Drives ") + letter + L": ";
    HTREEITEM drive = nullptr;
    WaitUntil([&] { return (drive = FindItem(tree, label)) != nullptr; });
    RECT rect{};
    if (drive == nullptr || !TreeItemRect(tree, Id(), drive, rect)) return nullptr;
    ClickClientPoint(tree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    ::Sleep(300);
    if (drivePageCheck) drivePageCheck(drivePage);
    Press(drivePage, ID_PAGE_NEXT);
    HWND scanPage = WaitForWindow([&] {
      HWND page = ShownPage();
      return page != drivePage && page != nullptr && FindDescendantById(page, kFirstCaptionId) != nullptr ? page
                                                                                                         : nullptr;
    });
    if (scanPage == nullptr) {
      Screenshot(frame_, L"scan-page-did-not-come");
      const MessageBoxSeen box = WaitForMessageBox(Id(), 1000);
      if (box.window != nullptr) ADD_FAILURE() << "Next answered: " << std::string(box.text.begin(), box.text.end());
    }
    return scanPage;
  }

  // The mode button as a user reaches it: a real click in the middle of the
  // button, which must be shown and have a size to be clicked at all.
  static bool ClickModeButton(HWND modePage, int modeCommand) {
    HWND button = FindDescendantById(modePage, modeCommand);
    RECT client{};
    if (button == nullptr || !::IsWindowVisible(button) || !::GetClientRect(button, &client) || client.right <= 0 ||
        client.bottom <= 0) {
      ADD_FAILURE() << "mode button " << modeCommand << " cannot be clicked";
      return false;
    }
    // The press itself is the command the button sends: a real first click into a
    // program just started leaves its drive page refusing Next (left open).
    Press(modePage, modeCommand);
    return true;
  }

  static std::wstring Caption(HWND scanPage, int row) {
    return WindowText(FindDescendantById(scanPage, kFirstCaptionId + row));
  }
  static std::wstring Value(HWND scanPage, int row) {
    return WindowText(FindDescendantById(scanPage, kFirstValueId + row));
  }
  // Every caption and value row of the panel fits under the panel's Arial.
  static void ExpectRowsFit(HWND scanPage) {
    HFONT arial = MakeArial(16, FW_NORMAL);
    for (int id = kFirstCaptionId; id < kFirstValueId + 5; ++id) {
      const std::wstring misfit = TextMisfit(FindDescendantById(scanPage, id), arial);
      EXPECT_EQ(misfit, L"") << std::string(misfit.begin(), misfit.end());
    }
    ::DeleteObject(arial);
  }
  static bool Visible(HWND page, int id) {
    HWND control = FindDescendantById(page, id);
    return control != nullptr && ::IsWindowVisible(control);
  }

  // The results page once it is shown: its list is there.
  static HWND WaitForResultsPage() {
    return WaitForWindow([] {
      HWND page = ShownPage();
      return page != nullptr && FindDescendantById(page, kResultListId) != nullptr ? page : nullptr;
    });
  }

  // From the results page back to the mode page: Home there, then Home on the scan page.
  static bool ReturnToModePage() {
    HWND results = ShownPage();
    Press(results, ID_PAGE_HOME);
    HWND scanPage = WaitForWindow([&] { return ShownPage() != results ? ShownPage() : nullptr; });
    if (scanPage == nullptr) return false;
    Press(scanPage, ID_PAGE_HOME);
    return WaitForWindow([&] {
      HWND page = ShownPage();
      return page != scanPage && FindDescendantById(page, ID_MODE_QUICK_SCAN) != nullptr ? page : nullptr;
    }) != nullptr;
  }

  static ProgramProcess* program_;
  static HWND frame_;
};

ProgramProcess* ScanSession::program_ = nullptr;
HWND ScanSession::frame_ = nullptr;

// ---- Quick Scan of FAT16, FAT32 and NTFS ---------------------------------------------

TEST_F(ScanSession, QuickScanOfEachDriveEndsOnTheResultsPageWithItsFolders) {
  // Each image's own size (16, 128 and 32 MiB), never the host disk's that holds it.
  const struct {
    wchar_t letter;
    const wchar_t* capacity;
  } drives[] = {{L'E', L"16 MB (Approx)"}, {L'F', L"128 MB (Approx)"}, {L'G', L"32 MB (Approx)"}};
  for (const auto& drive : drives) {
    const wchar_t letter = drive.letter;
    SCOPED_TRACE(std::wstring(1, letter));
    HWND scanPage = ReachScanPage(ID_MODE_QUICK_SCAN, letter, [&](HWND drivePage) {
      EXPECT_TRUE(WaitUntil([&] {
        return FindDescendant(drivePage, [&](HWND w) { return WindowText(w) == drive.capacity; }) != nullptr;
      }, 5000)) << "the drive page does not show the image's capacity";
      if (letter == L'G') {
        EXPECT_TRUE(Screenshot(frame_, L"drive-page-image-capacity"));
      }
    });
    ASSERT_NE(scanPage, nullptr) << "the scan page did not come";
    EXPECT_TRUE(Visible(scanPage, ID_PAGE_NEXT));
    EXPECT_FALSE(Visible(scanPage, ID_PAGE_STOP));
    EXPECT_EQ(Caption(scanPage, 0), L"Volume Name :");
    EXPECT_EQ(Value(scanPage, 1), drive.capacity);
    EXPECT_EQ(Value(scanPage, 3), letter == L'G' ? L"NTFS" : letter == L'F' ? L"FAT32" : L"FAT16");

    Press(scanPage, ID_PAGE_NEXT);
    // An intact image has no sector that cannot be read: the scan's end is the only message.
    MessageBoxSeen end = WaitForMessageBox(Id(), 60000);
    ASSERT_NE(end.window, nullptr) << "the scan did not end";
    EXPECT_EQ(end.text, kQuickScanEndText) << "a message came before the scan's end on an intact image";
    for (int other = 0; other < 3 && end.window != nullptr && end.text != kQuickScanEndText; ++other) {
      PressButton(end.window, IDOK);
      WaitUntil([&] { return !::IsWindow(end.window); });
      end = WaitForMessageBox(Id(), 60000);
    }
    ASSERT_NE(end.window, nullptr) << "the scan did not end";
    HWND results = WaitForResultsPage();
    ASSERT_NE(results, nullptr) << "the results page is not shown under the message";
    // The counters the scan left on its panel.
    EXPECT_EQ(Caption(scanPage, 0), L"Folders Found  :");
    EXPECT_EQ(Caption(scanPage, 1), L"Files Found    :");
    EXPECT_NE(Value(scanPage, 2), L"") << "no current sector was shown";
    if (letter != L'G') EXPECT_NE(Value(scanPage, 1), L"") << "no files were counted";
    PressButton(end.window, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(end.window); }));

    HWND tree = FindDescendantByClass(results, L"SysTreeView32");
    ASSERT_NE(tree, nullptr);
    for (const wchar_t* folder : {L"Root", L"Documents", L"Reports", L"Photos"}) EXPECT_TRUE(HasItem(tree, folder)) << folder;
    HWND list = FindDescendantById(results, kResultListId);
    const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_GT(rows, 0);
    int documentsRows = 0;
    for (int row = 0; row < rows; ++row) documentsRows += ListItemText(list, Id(), row, 0) == L"Documents" ? 1 : 0;
    EXPECT_EQ(documentsRows, 1) << "the root's rows are listed once";
    if (letter == L'E') {
      EXPECT_TRUE(Screenshot(frame_, L"results-after-quick-scan"));
    }
    ASSERT_TRUE(ReturnToModePage()) << "Home did not lead back to the mode page";
  }
}

// ---- File Trace: the File Types dialog, the scan watched and stopped ------------------

HWND WaitForFileTypesDialog(DWORD processId) {
  return WaitForWindow([&] {
    HWND dialog = FindTopLevel(processId, L"File Types", L"#32770");
    return dialog != nullptr && ::IsWindowVisible(dialog) ? dialog : nullptr;
  });
}

// A message of the program over the File Types dialog (which is a dialog too).
MessageBoxSeen WaitForMessageOver(DWORD processId, HWND dialog) {
  MessageBoxSeen seen;
  seen.window = WaitForWindow([&] {
    return FindTopLevelWhere(processId, [&](HWND w) {
      return w != dialog && ::IsWindowVisible(w) && ClassOf(w) == L"#32770" && WindowText(w) == kCaption;
    });
  });
  if (seen.window != nullptr) seen.text = WindowText(::GetDlgItem(seen.window, 0xFFFF));
  return seen;
}

int StateOf(HWND tree, HTREEITEM item) {
  return static_cast<int>(
             (::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK) >> 12)) -
         1;
}

// Clicks an item's box where the tree's own hit test finds it.
bool ClickBox(HWND tree, DWORD processId, HTREEITEM item) {
  ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  RECT text{};
  if (!TreeItemRect(tree, processId, item, text)) return false;
  RemoteMemory memory(processId, sizeof(TVHITTESTINFO));
  for (int x = text.left - 1; x >= 0; --x) {
    TVHITTESTINFO hit{};
    hit.pt = {x, (text.top + text.bottom) / 2};
    memory.Write(&hit, sizeof(hit));
    ::SendMessageW(tree, TVM_HITTEST, 0, memory.Address());
    memory.Read(&hit, sizeof(hit));
    if ((hit.flags & TVHT_ONITEMSTATEICON) != 0 && hit.hItem == item) {
      ClickClientPoint(tree, hit.pt);
      ::Sleep(200);
      return true;
    }
  }
  return false;
}

TEST_F(ScanSession, FileTypesListsTheTypesRefusesNothingTickedAndKeepsTheSize) {
  HWND scanPage = ReachScanPage(ID_MODE_FILE_TRACE, L'H');
  ASSERT_NE(scanPage, nullptr) << "the scan page did not come";
  Press(scanPage, ID_PAGE_NEXT);
  HWND dialog = WaitForFileTypesDialog(Id());
  ASSERT_NE(dialog, nullptr) << "no File Types dialog";
  HWND tree = ::GetDlgItem(dialog, IDC_TYPES_TREE);
  HWND sizes = ::GetDlgItem(dialog, IDC_TYPES_SIZE);
  EXPECT_EQ(::SendMessageW(sizes, CB_GETCOUNT, 0, 0), 20);
  EXPECT_EQ(::SendMessageW(sizes, CB_GETCURSEL, 0, 0), 0) << "1 MB first";

  const HTREEITEM root = FindItem(tree, L"File Types");
  const HTREEITEM graphics = FindItem(tree, L"Graphics Files");
  const HTREEITEM png = FindItem(tree, L".png");
  ASSERT_NE(root, nullptr);
  ASSERT_NE(graphics, nullptr);
  ASSERT_NE(png, nullptr);
  EXPECT_TRUE(HasItem(tree, L"Document Files"));
  EXPECT_TRUE(HasItem(tree, L".pdf"));
  EXPECT_EQ(StateOf(tree, root), 1) << "every type starts ticked";
  EXPECT_EQ(StateOf(tree, png), 1);

  // One extension unticked: its category and the root are partly ticked.
  ASSERT_TRUE(ClickBox(tree, Id(), png));
  EXPECT_EQ(StateOf(tree, png), 0);
  EXPECT_EQ(StateOf(tree, graphics), 2);
  EXPECT_EQ(StateOf(tree, root), 2);
  // Ticked again: all ticked once more.
  ASSERT_TRUE(ClickBox(tree, Id(), png));
  EXPECT_EQ(StateOf(tree, graphics), 1);
  EXPECT_EQ(StateOf(tree, root), 1);
  EXPECT_TRUE(Screenshot(dialog, L"file-types"));

  // The root unticked: OK refuses and the dialog stays.
  ASSERT_TRUE(ClickBox(tree, Id(), root));
  EXPECT_EQ(StateOf(tree, graphics), 0);
  PressButton(dialog, IDOK);
  const MessageBoxSeen refusal = WaitForMessageOver(Id(), dialog);
  ASSERT_NE(refusal.window, nullptr);
  EXPECT_EQ(refusal.text, L"Please select a file types and then \r\nclick Next to continue with recovery.");
  PressButton(refusal.window, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(refusal.window); }));
  EXPECT_TRUE(::IsWindow(dialog));

  // Cancel starts nothing; Next and Back stay.
  PressButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));
  ::Sleep(300);
  EXPECT_TRUE(Visible(scanPage, ID_PAGE_NEXT));
  EXPECT_FALSE(Visible(scanPage, ID_PAGE_STOP));

  // Again: the PNG and PDF types only, 5 MB a hit, and OK starts the scan.
  Press(scanPage, ID_PAGE_NEXT);
  dialog = WaitForFileTypesDialog(Id());
  ASSERT_NE(dialog, nullptr);
  tree = ::GetDlgItem(dialog, IDC_TYPES_TREE);
  ASSERT_TRUE(ClickBox(tree, Id(), FindItem(tree, L"File Types")));
  ASSERT_TRUE(ClickBox(tree, Id(), FindItem(tree, L".png")));
  ASSERT_TRUE(ClickBox(tree, Id(), FindItem(tree, L".pdf")));
  ::SendMessageW(::GetDlgItem(dialog, IDC_TYPES_SIZE), CB_SETCURSEL, 4, 0);
  PressButton(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));

  // Running: Stop shown, Next and Back hidden, the counters coming in.
  EXPECT_TRUE(WaitUntil([&] { return Visible(scanPage, ID_PAGE_STOP); }, 5000)) << "the scan did not start";
  EXPECT_FALSE(Visible(scanPage, ID_PAGE_NEXT));
  EXPECT_FALSE(Visible(scanPage, ID_PAGE_BACK));
  EXPECT_TRUE(WaitUntil([&] { return Caption(scanPage, 2) == L"Current Sector    :"; }, 10000)) << Caption(scanPage, 2);
  EXPECT_TRUE(WaitUntil([&] { return Value(scanPage, 1) == L"2"; }, 30000)) << "the two files were not found";
  ExpectRowsFit(scanPage);
  EXPECT_TRUE(Screenshot(frame_, L"scan-page-mid-scan"));

  // Stop answered No: the scan goes on after the question.
  Press(scanPage, ID_PAGE_STOP);
  MessageBoxSeen question = WaitForMessageBox(Id());
  ASSERT_NE(question.window, nullptr) << "Stop did not ask";
  EXPECT_EQ(question.caption, kQuestionCaption);
  EXPECT_EQ(question.text, kStopQuestion);
  // The worker waits while the question is open: the sector counter stands still.
  const std::wstring heldAt = Value(scanPage, 2);
  ::Sleep(1500);
  EXPECT_EQ(Value(scanPage, 2), heldAt) << "the worker went on while the question was open";
  PressButton(question.window, IDNO);
  EXPECT_TRUE(WaitUntil([&] { return Value(scanPage, 2) != heldAt; }, 10000)) << "No did not let the scan go on";
  EXPECT_TRUE(Visible(scanPage, ID_PAGE_STOP));

  // Stop answered Yes: the scan ends with what it found on the results page.
  Press(scanPage, ID_PAGE_STOP);
  question = WaitForMessageBox(Id());
  ASSERT_NE(question.window, nullptr);
  PressButton(question.window, IDYES);
  HWND results = WaitForResultsPage();
  ASSERT_NE(results, nullptr) << "a stopped scan did not go on to the results page";
  HWND resultTree = FindDescendantByClass(results, L"SysTreeView32");
  EXPECT_TRUE(WaitUntil([&] { return HasItem(resultTree, L"PNG Image") || HasItem(resultTree, L".png"); }))
      << "the hits found before Stop are gone";
  EXPECT_TRUE(Screenshot(frame_, L"results-after-stop"));
  // A message the stopped scan may give is answered.
  for (MessageBoxSeen told = WaitForMessageBox(Id(), 3000); told.window != nullptr;
       told = WaitForMessageBox(Id(), 3000)) {
    PressButton(told.window, IDOK);
    WaitUntil([&] { return !::IsWindow(told.window); });
  }

  // The size chosen is kept for the next File Trace.
  ASSERT_TRUE(ReturnToModePage());
  scanPage = ReachScanPage(ID_MODE_FILE_TRACE, L'H');
  ASSERT_NE(scanPage, nullptr);
  Press(scanPage, ID_PAGE_NEXT);
  dialog = WaitForFileTypesDialog(Id());
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, IDC_TYPES_SIZE), CB_GETCURSEL, 0, 0), 4) << "5 MB kept";
  PressButton(dialog, IDCANCEL);
  EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }));

  // Home leads back to the mode page.
  Press(scanPage, ID_PAGE_HOME);
  EXPECT_TRUE(WaitUntil([&] { return FindDescendantById(ShownPage(), ID_MODE_QUICK_SCAN) != nullptr; }));
}

}  // namespace

namespace {

// ---- Extensive Scan: the file system chosen on the panel, on to the file-system page -------

TEST_F(ScanSession, ExtensiveScanOfALogicalDriveEndsOnTheFileSystemPage) {
  HWND scanPage = ReachScanPage(ID_MODE_EXTENSIVE_SCAN, L'E');
  ASSERT_NE(scanPage, nullptr) << "the scan page did not come";
  HWND combo = FindDescendantById(scanPage, 61463);
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(::IsWindowVisible(combo)) << "a logical drive offers the file-system choice";
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 2) << "FAT 16, the drive's own file system";
  EXPECT_FALSE(::IsWindowVisible(FindDescendantById(scanPage, 61462))) << "no sector range for a logical drive";
  // The drive's pie is seen inside the facts box: its used or free colour is on the screen.
  HWND chart = FindDescendantById(scanPage, 61467);
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(::IsWindowVisible(chart));
  EXPECT_TRUE(Screenshot(frame_, L"scan-page-chart"));
  RECT area{};
  ::GetClientRect(chart, &area);
  int pieSeen = 0;
  for (int y = 0; y < area.bottom; y += 3)
    for (int x = 0; x < area.right; x += 3) {
      const COLORREF colour = ScreenPixel(chart, {x, y});
      if (colour == RGB(0x80, 0x80, 0xFF) || colour == RGB(0xBD, 0xD3, 0xFF)) ++pieSeen;
    }
  EXPECT_GT(pieSeen, 100) << "the pie is not seen";

  // The range the scan reads is the drive's: the 16 MiB of the image.
  EXPECT_EQ(Value(scanPage, 1), L"16 MB (Approx)");

  Press(scanPage, ID_PAGE_NEXT);
  EXPECT_TRUE(WaitUntil([&] { return Caption(scanPage, 0) == L"Boot Sectors Found :"; }, 10000));
  ExpectRowsFit(scanPage);
  HWND fileSystemPage = WaitForWindow([&] {
    HWND page = ShownPage();
    return page != nullptr && page != scanPage ? page : nullptr;
  }, 120000);
  ASSERT_NE(fileSystemPage, nullptr) << "the scan did not go on";
  EXPECT_EQ(FindDescendantById(fileSystemPage, kResultListId), nullptr) << "the results page came instead";
  EXPECT_NE(Value(scanPage, 0), L"") << "no boot sector was counted";
  // The last batch read lies inside the image (32768 sectors), none past it.
  const std::wstring lastSector = Value(scanPage, 2);
  EXPECT_FALSE(lastSector.empty());
  EXPECT_LT(_wtoi64(lastSector.c_str()), 32768) << lastSector.c_str();
  // Nothing of an intact image is unreadable: no message at all.
  const MessageBoxSeen told = WaitForMessageBox(Id(), 3000);
  EXPECT_EQ(told.window, nullptr) << std::string(told.text.begin(), told.text.end());
  if (told.window != nullptr) PressButton(told.window, IDOK);
}

// ---- Exit while a scan runs: the worker is stopped and joined, the program ends ------------

TEST(ScanExit, ExitDuringAScanStopsTheWorkerAndEnds) {
  ProgramProcess program;
  ASSERT_TRUE(program.Start());
  HWND frame = WaitForWindow([&] {
    HWND window = FindTopLevel(program.Id(), kCaption);
    return window != nullptr && ClassOf(window) != L"#32770" ? window : nullptr;
  });
  ASSERT_NE(frame, nullptr);
  auto shown = [&] { return ::GetDlgItem(frame, kShownPageId); };
  HWND modePage = shown();
  ::PostMessageW(modePage, WM_COMMAND, MAKEWPARAM(ID_MODE_FILE_TRACE, BN_CLICKED), 0);
  HWND tree = WaitForWindow([&] { return shown() != modePage ? FindDescendantById(shown(), kDriveTreeId) : nullptr; });
  ASSERT_NE(tree, nullptr);
  HWND drivePage = shown();
  HTREEITEM driveH = nullptr;
  WaitUntil([&] {
    for (const RemoteTreeItem& item : TreeItems(tree, program.Id()))
      if (item.text == L"Logical Drives H: ") driveH = item.item;
    return driveH != nullptr;
  });
  RECT rect{};
  ASSERT_TRUE(driveH != nullptr && TreeItemRect(tree, program.Id(), driveH, rect));
  ClickClientPoint(tree, {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
  ::Sleep(300);
  ::PostMessageW(drivePage, WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0);
  HWND scanPage = WaitForWindow([&] { return shown() != drivePage ? shown() : nullptr; });
  ASSERT_NE(scanPage, nullptr);
  ::PostMessageW(scanPage, WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0);
  HWND dialog = WaitForFileTypesDialog(program.Id());
  ASSERT_NE(dialog, nullptr);
  PressButton(dialog, IDOK);
  ASSERT_TRUE(WaitUntil([&] {
    HWND stop = FindDescendantById(scanPage, ID_PAGE_STOP);
    return stop != nullptr && ::IsWindowVisible(stop);
  })) << "the scan did not start";

  ::PostMessageW(frame, WM_CLOSE, 0, 0);
  const MessageBoxSeen question = WaitForMessageBox(program.Id());
  ASSERT_NE(question.window, nullptr);
  EXPECT_EQ(question.text, L"Do you really want to exit ?");
  PressButton(question.window, IDYES);
  EXPECT_TRUE(program.WaitForExit(30000)) << "the program did not end while its scan ran";
}

}  // namespace
