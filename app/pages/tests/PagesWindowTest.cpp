// The mode page, the drive page with its tree and panel, and the splitter panel
// as windows of this test program, around a stand-in of the shell. Screenshots
// of the two pages are written beside the results.
#include <gtest/gtest.h>

#include "CDriveTreeCtrl.h"
#include "CEx_StyleView.h"
#include "CFirstDisplay.h"
#include "CFirstView_HDD.h"
#include "CHoverButton.h"
#include "CSplitterPanel.h"
#include "FakeWizardShell.h"
#include "ResourceIds.h"
#include "WindowCapture.h"

using pagestest::Shell;

namespace {

// A plain top-level window that holds the windows under test.
class CHostWnd : public CWnd {
 public:
  bool Open(int width, int height) {
    const CString windowClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW),
                                                    reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    return CreateEx(0, windowClass, L"Pages", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width,
                    height, nullptr, nullptr);
  }
};

void Pump() {
  MSG message;
  for (int round = 0; round < 3; ++round) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    ::Sleep(20);
  }
}

CRect ChildRect(CWnd& parent, CWnd& child) {
  CRect rect;
  child.GetWindowRect(&rect);
  parent.ScreenToClient(&rect);
  return rect;
}

void Drag(CWnd& window, CPoint from, CPoint to) {
  window.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  window.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  window.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

template <class View>
View* CreateView(CWnd& parent, const CRect& rect, UINT id) {
  auto* view = static_cast<View*>(View::CreateObject());
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, &parent, id, nullptr)) return nullptr;
  return view;
}

void SaveScreenshot(CWnd& window, const wchar_t* name) {
  window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  CaptureWindowToBmp(window.GetSafeHwnd(), name);
}

class PagesWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    pagestest::ResetShell();
    HoveredModeButtonId = 0;
    ASSERT_TRUE(host_.Open(1000, 700));
  }
  void TearDown() override { host_.DestroyWindow(); }

  CHostWnd host_;
};

// ---- Splitter panel ------------------------------------------------------------------

class SplitterPanelTest : public PagesWindowTest {
 protected:
  void CreatePanel(DWORD kind, int minFirst, int minSecond) {
    first_.Create(L"first", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host_, 1);
    second_.Create(L"second", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &host_, 2);
    panel_.Create(WS_CHILD | WS_VISIBLE | kind, &host_, &first_, &second_, 157, CRect(0, 0, 600, 300), minFirst,
                  minSecond);
  }
  CStatic first_, second_;
  CSplitterPanel panel_;
};

TEST_F(SplitterPanelTest, SideBySideStartsAt200AndDragStopsAtTheMinima) {
  CreatePanel(CSplitterPanel::kSideBySide, 50, 150);
  EXPECT_EQ(panel_.FirstPaneRect().right, 200);
  EXPECT_EQ(ChildRect(panel_, first_).Width(), 200);
  EXPECT_EQ(first_.GetParent()->GetSafeHwnd(), panel_.GetSafeHwnd());

  Drag(panel_, CPoint(202, 100), CPoint(5, 100));
  EXPECT_EQ(panel_.FirstPaneRect().right, 50 - 2);
  EXPECT_FALSE(panel_.IsDragging());
  Drag(panel_, CPoint(50, 100), CPoint(595, 100));
  EXPECT_EQ(panel_.FirstPaneRect().right, 450 - 2);
  EXPECT_EQ(ChildRect(panel_, second_).left, 450 - 2 + 5);
  EXPECT_EQ(ChildRect(panel_, second_).right, 600);
}

TEST_F(SplitterPanelTest, EscapeEndsADragWithThePanesInPlaceAndTheFocusBack) {
  CreatePanel(CSplitterPanel::kSideBySide, 50, 150);
  CEdit edit;
  edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(700, 10, 800, 30), &host_, 3);
  edit.SetFocus();
  panel_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 100));
  panel_.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 100));
  EXPECT_TRUE(panel_.IsDragging());
  EXPECT_EQ(::GetFocus(), panel_.GetSafeHwnd());
  MSG escape{panel_.GetSafeHwnd(), WM_KEYDOWN, VK_ESCAPE, 0};
  EXPECT_TRUE(panel_.PreTranslateMessage(&escape));
  EXPECT_FALSE(panel_.IsDragging());
  EXPECT_EQ(panel_.FirstPaneRect().right, 200);
  EXPECT_EQ(::GetFocus(), edit.GetSafeHwnd());
  EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SplitterPanelTest, AHiddenFirstPaneLeavesNoBarAndComesBackAtItsSplit) {
  CreatePanel(CSplitterPanel::kSideBySide, 50, 150);
  Drag(panel_, CPoint(202, 100), CPoint(300, 100));
  const int split = panel_.FirstPaneRect().right;
  panel_.HideFirstPane();
  EXPECT_FALSE(first_.IsWindowVisible());
  EXPECT_EQ(ChildRect(panel_, second_), CRect(0, 0, 600, 300));
  panel_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(split + 2, 100));
  EXPECT_FALSE(panel_.IsDragging());
  panel_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(split + 2, 100));
  panel_.ShowFirstPane();
  EXPECT_TRUE(first_.IsWindowVisible());
  EXPECT_EQ(panel_.FirstPaneRect().right, split);
  EXPECT_EQ(ChildRect(panel_, first_).right, split);
}

TEST_F(SplitterPanelTest, StackedKeepsTheBottomHeightWhenResized) {
  CreatePanel(CSplitterPanel::kStacked, 40, 60);
  // Without a stored split the bottom pane is twice its minimum.
  EXPECT_EQ(panel_.BottomPaneRect().Height(), 120);
  panel_.MoveWindow(0, 0, 600, 450);
  EXPECT_EQ(panel_.BottomPaneRect().Height(), 120);
  EXPECT_EQ(panel_.BottomPaneRect().bottom, 450);
  EXPECT_EQ(ChildRect(panel_, second_).Height(), 120);
}

// ---- Drive tree -----------------------------------------------------------------------

class DriveTreeTest : public PagesWindowTest {
 protected:
  void SetUp() override {
    PagesWindowTest::SetUp();
    tree_.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, CRect(0, 0, 300, 400),
                 &host_, CFirstView_HDD::kTreeId);
    tree_.InitImages();
  }
  std::vector<CString> TopLevelAndChildren(HTREEITEM parent) {
    std::vector<CString> texts;
    for (HTREEITEM item = parent ? tree_.GetChildItem(parent) : tree_.GetRootItem(); item;
         item = tree_.GetNextSiblingItem(item)) {
      texts.push_back(tree_.GetItemText(item));
    }
    return texts;
  }
  CDriveTreeCtrl tree_;
};

TEST_F(DriveTreeTest, PathsShareTheirNodesAndCheckTheTopLevel) {
  tree_.AddPath("My Computer\\Logical Devices\\Logical Drives C: \\");
  tree_.AddPath("My Computer\\Logical Devices\\Logical Drives D: \\");
  tree_.AddPath("My Computer\\Logical Devices\\Logical Drives D: \\");
  tree_.ExpandRoot();
  ASSERT_EQ(TopLevelAndChildren(nullptr), std::vector<CString>{L"My Computer"});
  HTREEITEM computer = tree_.GetRootItem();
  HTREEITEM devices = tree_.FindChild(computer, L"Logical Devices");
  ASSERT_NE(devices, nullptr);
  EXPECT_EQ(TopLevelAndChildren(devices),
            (std::vector<CString>{L"Logical Drives C: ", L"Logical Drives D: "}));
  EXPECT_TRUE(tree_.IsChecked(computer));
  EXPECT_TRUE(tree_.IsBold(computer));
  EXPECT_TRUE(tree_.IsChecked(devices));
  EXPECT_EQ(tree_.VisibleIndex(computer), -1);
  EXPECT_EQ(tree_.VisibleIndex(devices), 0);
  EXPECT_EQ(tree_.VisibleIndex(tree_.FindChild(devices, L"Logical Drives D: ")), 2);
  EXPECT_EQ(tree_.VisibleIndex(nullptr), -1);
}

TEST_F(DriveTreeTest, PartitionsGoUnderOneBoldVirtualDisk) {
  for (int n = 0; n < 4; ++n) {
    tree_.AddPartition("Virtual Hard Disk ", "Partition " + std::to_string(n));
  }
  tree_.ExpandRoot();
  ASSERT_EQ(TopLevelAndChildren(nullptr), std::vector<CString>{L"Virtual Hard Disk "});
  HTREEITEM disk = tree_.GetRootItem();
  EXPECT_TRUE(tree_.IsBold(disk));
  EXPECT_EQ(TopLevelAndChildren(disk),
            (std::vector<CString>{L"Partition 0", L"Partition 1", L"Partition 2", L"Partition 3"}));
  EXPECT_EQ(tree_.VisibleIndex(tree_.FindChild(disk, L"Partition 2")), 2);
}

// ---- Drive page, its panel and tree ------------------------------------------------------------

class DrivePageTest : public PagesWindowTest {
 protected:
  void SetUp() override {
    PagesWindowTest::SetUp();
    Shell().Engine.RecoveryMode = engine::kModeQuickScan;
    page_ = CreateView<CFirstView_HDD>(host_, CRect(0, 0, 984, 660), 59649 - 1);
    ASSERT_NE(page_, nullptr);
    Shell().Pages[wizard::kDrivePage] = page_;
    Shell().Host.DrivePage = page_;
    page_->OnInitialUpdate();
    Pump();
    // The drive table's boot-sector facts, as a readable drive would give them.
    engine::EngineContext& ctx = Shell().Engine;
    for (int i = 0; i < ctx.LogicalDriveCount; ++i) {
      if (ctx.LogicalDriveTable[i].RootPath == u"D:\\") {
        ctx.LogicalDriveTable[i].FileSystemCode = engine::kFileSystemFat16;
        ctx.LogicalDriveTable[i].SectorsPerCluster = 4;
        driveD_ = i;
      }
    }
  }
  HTREEITEM DriveNode(const wchar_t* text) {
    CDriveTreeCtrl& tree = page_->DriveTree();
    return tree.FindChild(tree.FindChild(tree.GetRootItem(), L"Logical Devices"), text);
  }
  void Click(HTREEITEM node) {
    CRect rect;
    ASSERT_TRUE(page_->DriveTree().GetItemRect(node, &rect, TRUE));
    page_->DriveTree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.left + 2, rect.CenterPoint().y));
    page_->DriveTree().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 2, rect.CenterPoint().y));
  }
  CFirstView_HDD* page_ = nullptr;
  int driveD_ = -1;
};

TEST_F(DrivePageTest, TheTreeListsTheDrivesAndThePanelStartsWithDiskCaptions) {
  ASSERT_GE(driveD_, 0);
  ASSERT_NE(DriveNode(L"Logical Drives C: "), nullptr);
  ASSERT_NE(DriveNode(L"Logical Drives D: "), nullptr);
  CFirstDisplay* panel = page_->Panel();
  ASSERT_EQ(Shell().Frame.FirstDisplay, panel);
  EXPECT_EQ(panel->CaptionText(0), L"Model\t\t\t:");
  EXPECT_EQ(panel->CaptionText(4), L"Sectors Per Track\t:");
  EXPECT_EQ(panel->ValueText(0), L"");
  EXPECT_EQ(Shell().Engine.SourceDevice.SourceKind, engine::kSourceNone);
  EXPECT_FALSE(panel->IsWindowEnabled());
}

TEST_F(DrivePageTest, ChoosingDriveDFillsTheRecordsPanelAndSummary) {
  Click(DriveNode(L"Logical Drives D: "));
  const engine::EngineContext& ctx = Shell().Engine;
  EXPECT_EQ(ctx.SourceDevice.SourceKind, engine::kSourceLogicalDrive);
  EXPECT_EQ(ctx.SourceSelection.StartSector, 0u);
  EXPECT_EQ(ctx.SourceSelection.SectorCount, 64u * 2048);
  EXPECT_EQ(ctx.SourceSelection.EndSector, 64u * 2048);
  EXPECT_EQ(ctx.SourceSelection.EntryIndex, driveD_);
  EXPECT_EQ(ctx.SelectionSummaryText, u"Selected Mode  : Quick Scan \r\nDrive Type         : Logical Drive");
  EXPECT_EQ(Shell().Frame.SelectedNodeIndex, 2);
  EXPECT_EQ(Shell().Frame.SelectedNodeText, L"Logical Drives D: ");
  CFirstDisplay* panel = page_->Panel();
  EXPECT_EQ(panel->CaptionText(0), L"Volume Name\t\t:");
  EXPECT_EQ(panel->ValueText(0), L"PELMOTEST");
  EXPECT_EQ(panel->ValueText(1), L"64 MB (Approx)");
  EXPECT_EQ(panel->ValueText(2), L"4");
  EXPECT_EQ(panel->ValueText(3), L"512");
  EXPECT_EQ(panel->ValueText(4), L"FAT16");
  EXPECT_EQ(ShownLogicalDriveIndex, driveD_);
  SaveScreenshot(host_, L"drive-page.bmp");

  // Next goes on to the scan page with the page's own summary.
  page_->SendMessage(WM_COMMAND, ID_PAGE_NEXT);
  EXPECT_TRUE(Shell().Messages.empty());
  EXPECT_EQ(Shell().PagesShown, std::vector<int>{wizard::kScanPage});
  EXPECT_EQ(ctx.SelectionSummaryText, u"Selected Mode : Quick Scan \r\nDrive Type        : Logical Drive");
}

TEST_F(DrivePageTest, MyComputerClearsTheChoiceAndNextIsRefused) {
  Click(DriveNode(L"Logical Drives D: "));
  Click(page_->DriveTree().GetRootItem());
  const engine::EngineContext& ctx = Shell().Engine;
  EXPECT_EQ(Shell().Frame.SelectedNodeIndex, -1);
  EXPECT_EQ(ctx.SourceDevice.SourceKind, engine::kSourceNone);
  EXPECT_EQ(ctx.SelectionSummaryText, u"");
  EXPECT_EQ(page_->Panel()->ValueText(0), L"");
  page_->SendMessage(WM_COMMAND, ID_PAGE_NEXT);
  ASSERT_EQ(Shell().Messages.size(), 1u);
  EXPECT_EQ(Shell().Messages[0].first,
            L"Please choose the drive containing the deleted data from the left panel and press [Next].");
  EXPECT_EQ(Shell().Messages[0].second, engine::kMessageError);
  EXPECT_TRUE(Shell().PagesShown.empty());
}

TEST_F(DrivePageTest, ADriveWithoutSectorsIsRefusedAsDamaged) {
  Click(DriveNode(L"Logical Drives D: "));
  Shell().Engine.SourceSelection.SectorCount = 0;
  page_->SendMessage(WM_COMMAND, ID_PAGE_NEXT);
  ASSERT_EQ(Shell().Messages.size(), 1u);
  EXPECT_EQ(Shell().Messages[0].first, L"This partition is damaged; please proceed by selecting physical hard disk.");
}

TEST_F(DrivePageTest, ADriveOfFourTebibytesIsNeitherWrappedNorCalledDamaged) {
  // 2^33 sectors: the low 32 bits are 0, which would read as a damaged drive.
  Shell().Engine.LogicalDriveTable[driveD_].SectorCount = uint64_t{1} << 33;
  Click(DriveNode(L"Logical Drives D: "));
  EXPECT_EQ(Shell().Engine.SourceSelection.SectorCount, UINT32_MAX);
  EXPECT_EQ(page_->Panel()->ValueText(1), L"4194304 MB (Approx)");
  page_->SendMessage(WM_COMMAND, ID_PAGE_NEXT);
  EXPECT_TRUE(Shell().Messages.empty());
}

TEST_F(DrivePageTest, AClickBesideTheNodesChangesNothing) {
  Click(DriveNode(L"Logical Drives D: "));
  HTREEITEM caret = page_->DriveTree().GetSelectedItem();
  page_->DriveTree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 380));
  EXPECT_EQ(page_->DriveTree().GetSelectedItem(), caret);
  EXPECT_EQ(Shell().Engine.SourceDevice.SourceKind, engine::kSourceLogicalDrive);
}

TEST_F(DrivePageTest, BackLeavesNoSourceAndShowsTheModePage) {
  Click(DriveNode(L"Logical Drives D: "));
  Shell().Frame.LoadSnapshotEnabled = 1;
  Shell().ExitEnabled = 0;
  page_->SendMessage(WM_COMMAND, ID_PAGE_BACK);
  EXPECT_EQ(Shell().Engine.SourceDevice.SourceKind, engine::kSourceNone);
  EXPECT_EQ(Shell().PagesShown, std::vector<int>{wizard::kModePage});
  EXPECT_EQ(page_->Panel()->ValueText(0), L"");
  EXPECT_EQ(Shell().Frame.LoadSnapshotEnabled, 0);
  EXPECT_EQ(Shell().Frame.DrivePageActive, 1);
  EXPECT_EQ(Shell().ExitEnabled, 1);
  EXPECT_EQ(Shell().ResultResets, 1);
}

TEST_F(DrivePageTest, TabWalksTheHighlightAndEnterPressesNext) {
  Click(DriveNode(L"Logical Drives D: "));
  auto* next = static_cast<CButton*>(page_->GetDlgItem(ID_PAGE_NEXT));
  auto* back = static_cast<CButton*>(page_->GetDlgItem(ID_PAGE_BACK));
  page_->SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(page_->KeyboardStep, 2);
  EXPECT_TRUE(next->GetState() & BST_PUSHED);
  page_->SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(page_->KeyboardStep, 3);
  EXPECT_FALSE(next->GetState() & BST_PUSHED);
  EXPECT_TRUE(back->GetState() & BST_PUSHED);
  page_->SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(page_->KeyboardStep, 4);
  EXPECT_EQ(::GetFocus(), page_->DriveTree().GetSafeHwnd());
  page_->SendMessage(WM_KEYDOWN, VK_TAB);
  EXPECT_EQ(page_->KeyboardStep, 1);
  page_->SendMessage(WM_KEYDOWN, VK_TAB);
  page_->SendMessage(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(Shell().PagesShown, std::vector<int>{wizard::kScanPage});
}

TEST_F(DrivePageTest, KeysInTheTreeChooseTabBackAndPressNext) {
  CDriveTreeCtrl& tree = page_->DriveTree();
  Click(tree.FindChild(tree.GetRootItem(), L"Logical Devices"));
  EXPECT_EQ(Shell().Engine.SourceDevice.SourceKind, engine::kSourceNone);
  // Down from "Logical Devices" reaches drive C: as a click would.
  tree.SendMessage(WM_KEYDOWN, VK_DOWN, 0);
  tree.SendMessage(WM_KEYUP, VK_DOWN, 0xC0000000);
  EXPECT_EQ(tree.GetItemText(tree.GetSelectedItem()), L"Logical Drives C: ");
  EXPECT_EQ(Shell().Engine.SourceDevice.SourceKind, engine::kSourceLogicalDrive);
  EXPECT_EQ(Shell().Engine.LogicalDriveTable[Shell().Engine.SourceSelection.EntryIndex].RootPath, u"C:\\");

  page_->KeyboardStep = 3;
  tree.SetFocus();
  tree.SendMessage(WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(page_->KeyboardStep, 1);
  EXPECT_EQ(::GetFocus(), page_->GetSafeHwnd());

  tree.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(Shell().PagesShown, std::vector<int>{wizard::kScanPage});
}

TEST_F(DrivePageTest, PanelFactsOfAnUnreadableDriveAndOfNone) {
  CFirstDisplay* panel = page_->Panel();
  engine::EngineContext& ctx = Shell().Engine;
  ctx.LogicalDriveTable[driveD_].FileSystemCode = engine::kFileSystemUnknown;
  ctx.LogicalDriveTable[driveD_].SectorCount = 0;
  panel->ShowLogicalDriveFacts(driveD_);
  EXPECT_EQ(panel->ValueText(4), L"UNKNOWN");
  EXPECT_EQ(panel->ValueText(1), L"0 MB (Approx)");
  panel->ShowLogicalDriveFacts(-1);
  EXPECT_EQ(ShownLogicalDriveIndex, -1);
  EXPECT_EQ(panel->ValueText(0), L"");
  EXPECT_EQ(panel->CaptionText(0), L"Volume Name\t\t:");
}

TEST_F(DrivePageTest, PartitionPieOfTheChosenDisk) {
  engine::EngineContext& ctx = Shell().Engine;
  ctx.PhysicalDriveTable[0].TotalSectors = 1000;
  ctx.SourceDevice.DriveNumber = 0;
  ctx.PartitionTable[0] = {0, 370, engine::kFileSystemFat32};
  ctx.PartitionTable[1] = {370, 410, engine::kFileSystemNtfs};
  ctx.PartitionCount = 2;
  page_->Panel()->BuildPartitionPie();
  const CPieChart& pie = page_->Panel()->PieChart();
  ASSERT_EQ(pie.GetSliceCount(), 3);
  EXPECT_EQ(pie.GetSlice(0)->m_nPercent, 37);
  EXPECT_EQ(pie.GetSlice(1)->m_nPercent, 41);
  EXPECT_EQ(pie.GetSlice(2)->GetLabel(), L"FREE");
  EXPECT_EQ(pie.GetSlice(2)->m_nPercent, 22);
}

// ---- Mode page ----------------------------------------------------------------------------------------

TEST_F(PagesWindowTest, ModePageShowsThreeCentredButtonsAndQuickScanGoesOn) {
  auto* page = CreateView<CEx_StyleView>(host_, CRect(0, 0, 984, 660), 59648);
  ASSERT_NE(page, nullptr);
  CListCtrl results;
  results.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 10, 10), &host_, 5);
  Shell().Results = &results;
  Pump();
  CWnd* quick = page->GetDlgItem(ID_MODE_QUICK_SCAN);
  CWnd* trace = page->GetDlgItem(ID_MODE_FILE_TRACE);
  CWnd* extensive = page->GetDlgItem(ID_MODE_EXTENSIVE_SCAN);
  ASSERT_TRUE(quick && trace && extensive);
  EXPECT_EQ(ChildRect(*page, *quick), CRect(492 - 261, 330 - 16, 492 - 261 + 173, 330 - 16 + 73));
  EXPECT_EQ(ChildRect(*page, *extensive).left, 492 - 86);
  EXPECT_EQ(ChildRect(*page, *trace), CRect(492 + 89, 330 - 16, 492 + 89 + 173, 330 - 16 + 73)) << "after the scans";
  EXPECT_TRUE(trace->IsWindowVisible());
  EXPECT_FALSE(page->GetDlgItem(CEx_StyleView::kBrowseId)->IsWindowVisible());
  EXPECT_STREQ(CEx_StyleView::ExplanationFor(0), L"Please Choose Recovery Mode.");
  SaveScreenshot(host_, L"mode-page.bmp");

  // Resting on Quick Scan explains it; leaving brings the prompt back.
  quick->SendMessage(WM_MOUSEHOVER, 0, MAKELPARAM(10, 10));
  EXPECT_EQ(HoveredModeButtonId, 1);
  SaveScreenshot(host_, L"mode-page-hover.bmp");
  quick->SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(HoveredModeButtonId, 0);

  // Quick Scan, then Extensive Scan: still exactly six columns.
  Shell().Frame.DrivePageActive = 0;
  Shell().Frame.PastScanPage = 1;
  HoveredModeButtonId = 1;
  page->SendMessage(WM_COMMAND, ID_MODE_QUICK_SCAN);
  page->SendMessage(WM_COMMAND, ID_MODE_EXTENSIVE_SCAN);
  const engine::EngineContext& ctx = Shell().Engine;
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeExtensiveScan);
  EXPECT_EQ(ctx.SelectionSummaryText, u"Selected Mode : Extensive Scan");
  EXPECT_EQ(Shell().Frame.DrivePageActive, 1);
  EXPECT_EQ(Shell().Frame.PastScanPage, 0);
  EXPECT_EQ(Shell().Frame.SelectedNodeIndex, -1);
  EXPECT_EQ(Shell().Frame.LoadSnapshotEnabled, 1);
  EXPECT_EQ(HoveredModeButtonId, 0);
  EXPECT_EQ(results.GetHeaderCtrl()->GetItemCount(), 6);
  EXPECT_EQ(Shell().PagesShown, (std::vector<int>{wizard::kDrivePage, wizard::kDrivePage}));

  page->SendMessage(WM_COMMAND, ID_MODE_FILE_TRACE);
  EXPECT_EQ(ctx.RecoveryMode, engine::kModeFileTrace);
  EXPECT_EQ(results.GetHeaderCtrl()->GetItemCount(), 3);
  Shell().Results = nullptr;
}

}  // namespace
