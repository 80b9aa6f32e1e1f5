#include "CDriveTreeCtrl.h"

#include "EngineContext.h"
#include "CFirstDisplay.h"
#include "PageTexts.h"
#include "ResourceIds.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "drives/SectorRange.h"
#include "partitions/PartitionTable.h"

BEGIN_MESSAGE_MAP(CDriveTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYUP()
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnTreeKeyDown)
  ON_COMMAND(CDriveTreeCtrl::kCheckCommand, OnCheckCommand)
  ON_COMMAND(CDriveTreeCtrl::kUncheckCommand, OnUncheckCommand)
  ON_COMMAND(CDriveTreeCtrl::kSpareCommand, OnSpareCommand)
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kPhysicalDevices[] = L"Physical Devices";
constexpr wchar_t kLogicalDevices[] = L"Logical Devices";
constexpr wchar_t kVirtualHardDisk[] = L"Virtual Hard Disk ";
constexpr wchar_t kMyComputer[] = L"My Computer";

// Images of the list InitImages fills.
constexpr int kImageCdRom = 2;
constexpr int kImageRemovable = 3;
constexpr int kImageFloppy = 4;
constexpr int kImageDevice = 5;
constexpr int kImageMyComputer = 6;

constexpr UINT kNodeParts = TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMRIGHT | TVHT_ONITEMSTATEICON;

bool IsDriveRoot(const CString& text) {
  return text.GetLength() == 3 && text[1] == L':' && text[2] == L'\\';
}

CString Widen(const std::string& narrow) {
  CString text;
  for (char c : narrow) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

}  // namespace

CDriveTreeCtrl::CDriveTreeCtrl() = default;

CDriveTreeCtrl::~CDriveTreeCtrl() {
  if (GetSafeHwnd()) DestroyWindow();
}

void CDriveTreeCtrl::InitImages() {
  checkedCountLabel_ = nullptr;
  images_.Create(16, 16, ILC_COLOR8 | ILC_MASK, 0, 0);
  HINSTANCE resources = AfxGetResourceHandle();
  for (int id : {IDI_DRIVE_UNKNOWN, IDI_DRIVE_NETWORK, IDI_DRIVE_CDROM, IDI_DRIVE_REMOVABLE, IDI_DRIVE_FLOPPY,
                 IDI_DRIVE_FIXED, IDI_MY_COMPUTER}) {
    HICON icon = static_cast<HICON>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    images_.Add(icon);
    if (icon) ::DestroyIcon(icon);  // the list keeps its own copy
  }
  SetImageList(&images_, TVSIL_NORMAL);
  expandCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_EXPAND_BUTTON));
  handCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_HAND_POINT));
  pressedCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_HAND_PRESSED));
}

HTREEITEM CDriveTreeCtrl::FindChild(HTREEITEM parent, const CString& text) const {
  HTREEITEM child = parent ? GetChildItem(parent) : GetRootItem();
  for (; child; child = GetNextSiblingItem(child)) {
    if (GetItemText(child) == text) return child;
  }
  return nullptr;
}

HTREEITEM CDriveTreeCtrl::FindOrInsertChild(HTREEITEM parent, const CString& text) {
  if (HTREEITEM existing = FindChild(parent, text)) return existing;
  int image = kImageDevice;
  if (!parent) {
    if (IsDriveRoot(text)) {
      switch (::GetDriveTypeW(text)) {
        case DRIVE_FIXED: image = kImageDevice; break;
        case DRIVE_CDROM: image = kImageCdRom; break;
        case DRIVE_REMOVABLE: image = text[0] == L'A' ? kImageFloppy : kImageRemovable; break;
        default: break;
      }
    } else if (text == kMyComputer) {
      image = kImageMyComputer;
    }
  }
  return InsertItem(text, image, image, parent ? parent : TVI_ROOT, TVI_LAST);
}

void CDriveTreeCtrl::AddPath(const std::string& path) {
  HTREEITEM parent = nullptr;
  for (const std::string& component : pages::SplitTreePath(path)) {
    // A failed insertion leaves the parent null: what follows goes to the top level.
    parent = FindOrInsertChild(parent, Widen(component));
  }
  if (HTREEITEM first = GetRootItem()) {
    CheckNodeAndChildren(first);
    SyncAncestorChecks(first);
    BoldAncestors(first);
  }
}

void CDriveTreeCtrl::AddPartition(std::string parentText, std::string childText) {
  HTREEITEM parent = FindChild(nullptr, Widen(parentText));
  if (!parent) parent = InsertItem(Widen(parentText), kImageDevice, kImageDevice, TVI_ROOT, TVI_LAST);
  if (!parent) return;
  if (!FindChild(parent, Widen(childText))) {
    InsertItem(Widen(childText), kImageDevice, kImageDevice, parent, TVI_LAST);
  }
  SetChecked(parent, true);
}

void CDriveTreeCtrl::ExpandRoot() {
  if (HTREEITEM root = GetRootItem()) Expand(root, TVE_EXPAND);
}

bool CDriveTreeCtrl::IsChecked(HTREEITEM node) const {
  return ((GetItemState(node, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) >> 12) == 2;
}

bool CDriveTreeCtrl::IsBold(HTREEITEM node) const { return (GetItemState(node, TVIS_BOLD) & TVIS_BOLD) != 0; }

void CDriveTreeCtrl::SetBold(HTREEITEM node, bool bold) { SetItemState(node, bold ? TVIS_BOLD : 0, TVIS_BOLD); }

void CDriveTreeCtrl::SetChecked(HTREEITEM node, bool checked) {
  SetItemState(node, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), TVIS_STATEIMAGEMASK);
  SetBold(node, checked);
}

void CDriveTreeCtrl::CheckNodeAndChildren(HTREEITEM node) {
  SetChecked(node, true);
  for (HTREEITEM child = GetChildItem(node); child; child = GetNextSiblingItem(child)) {
    SetChecked(child, true);
    Expand(child, TVE_EXPAND);
  }
}

void CDriveTreeCtrl::UncheckSubtree(HTREEITEM node) {
  SetChecked(node, false);
  for (HTREEITEM child = GetChildItem(node); child; child = GetNextSiblingItem(child)) UncheckSubtree(child);
}

void CDriveTreeCtrl::SyncAncestorChecks(HTREEITEM node) {
  for (HTREEITEM parent = GetParentItem(node); parent; parent = GetParentItem(parent)) {
    bool all = true;
    for (HTREEITEM child = GetChildItem(parent); child && all; child = GetNextSiblingItem(child)) {
      all = IsChecked(child);
    }
    SetItemState(parent, INDEXTOSTATEIMAGEMASK(all ? 2 : 1), TVIS_STATEIMAGEMASK);
  }
}

void CDriveTreeCtrl::BoldAncestors(HTREEITEM node) {
  for (HTREEITEM parent = GetParentItem(node); parent; parent = GetParentItem(parent)) {
    bool any = false;
    for (HTREEITEM child = GetChildItem(parent); child && !any; child = GetNextSiblingItem(child)) {
      any = IsBold(child);
    }
    SetBold(parent, any);
  }
}

int CDriveTreeCtrl::CountCheckedBelow(HTREEITEM node) const {
  int count = 0;
  for (HTREEITEM child = GetChildItem(node); child; child = GetNextSiblingItem(child)) {
    if (IsChecked(child)) {
      ++count;
    } else if (IsBold(child)) {
      count += CountCheckedBelow(child);
    }
  }
  return count;
}

void CDriveTreeCtrl::UpdateCheckedCountLabel() {
  if (!checkedCountLabel_ || !checkedCountLabel_->GetSafeHwnd()) return;
  int count = 0;
  for (HTREEITEM top = GetRootItem(); top; top = GetNextSiblingItem(top)) {
    if (IsBold(top)) count += CountCheckedBelow(top);
  }
  CString text;
  text.Format(L"%d Selected Folder(s)", count);
  checkedCountLabel_->SetWindowText(text);
}

int CDriveTreeCtrl::VisibleIndex(HTREEITEM node) const {
  if (!node || node == TVI_ROOT) return -1;
  int position = 0;
  for (HTREEITEM item = GetRootItem(); item; item = GetNextItem(item, TVGN_NEXTVISIBLE), ++position) {
    if (item == node) return position - 1;
  }
  return -1;
}

CString CDriveTreeCtrl::SelectNode(HTREEITEM node) {
  WizardFrameState& frame = wizard::Frame();
  engine::EngineContext& ctx = wizard::Engine();
  CFirstDisplay* panel = frame.FirstDisplay;
  ScanPanelLink* scanPanel = wizard::ScanPanel();
  const CString text = GetItemText(node);
  const int index = VisibleIndex(node);
  frame.SelectedNodeText = text;
  frame.SelectedNodeIndex = index;

  if (index < 0 && frame.DrivePageActive) {
    if (panel) panel->ClearFacts();
    ctx.SourceDevice.SourceKind = engine::kSourceNone;
    ctx.SelectionSummaryText.clear();
  }

  // The node's own kind.
  if (text == kPhysicalDevices || text == kLogicalDevices) {
    if (panel) {
      if (text == kPhysicalDevices) panel->SetDiskCaptions(); else panel->SetLogicalDriveCaptions();
      panel->ClearFacts();
    }
    frame.SelectedNodeIndex = -1;
    ctx.SourceDevice.SourceKind = engine::kSourceNone;
    ctx.SelectionSummaryText.clear();
  } else if (text == kVirtualHardDisk) {
    if (scanPanel) scanPanel->ClearSelectionFacts();
    if (panel) panel->ClearFacts();
    frame.SelectedNodeIndex = -1;
    if (ctx.RecoveryMode == engine::kModeExtensiveScan) {
      const uint16_t disk = ctx.SourceDevice.DriveNumber;
      const uint32_t total = disk < engine::kMaxPhysicalDrives ? ctx.PhysicalDriveTable[disk].TotalSectors : 0;
      ctx.SourceSelection = {engine::kFileSystemNtfs, 0, total, total, 0};
      if (scanPanel) scanPanel->ShowWholeDiskFacts();
      if (panel) panel->ClearFacts();
    }
  }

  // The kind its parent gives it.
  const HTREEITEM parent = GetParentItem(node);
  const CString parentText = parent ? GetItemText(parent) : CString();
  if (parentText == kPhysicalDevices) {
    if (frame.DrivePageActive && index >= 1 && index - 1 < engine::kMaxPhysicalDrives) {
      if (panel) panel->ShowDiskFacts(index - 1);
      ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
      ctx.SourceDevice.DriveNumber = static_cast<uint16_t>(index - 1);
      engine::ReadPartitionTable(ctx, 0);
      if (panel) {
        panel->BuildPartitionPie();
        panel->Invalidate(TRUE);
      }
    }
  } else if (parentText.Find(kLogicalDevices) >= 0) {
    if (frame.DrivePageActive) SelectDriveNode(GetSelectedItem() ? GetSelectedItem() : node, index);
  } else if (parentText == kVirtualHardDisk && frame.ScanPageActive) {
    if (frame.ScanParametersMissing) {
      if (index >= 0 && index < ctx.PartitionCount && index < engine::kPartitionTableSize) {
        const engine::PartitionEntry& entry = ctx.PartitionTable[index];
        ctx.SourceSelection.FileSystemCode = entry.FileSystemCode;
        ctx.SourceSelection.SectorCount = entry.SectorCount;
        ctx.SourceSelection.StartSector = entry.StartSector;
        ctx.SourceSelection.EntryIndex = static_cast<uint16_t>(index);
        if (scanPanel) scanPanel->ShowSelectionFacts(index);
      }
    } else {
      const uint16_t entry = ctx.SourceDevice.DriveNumber;
      if (entry < engine::kPartitionTableSize) {
        const uint16_t code = ctx.PartitionTable[entry].FileSystemCode;
        if ((code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) && scanPanel) {
          scanPanel->ResetCounterCaptions();
        }
      }
    }
  }

  const std::u16string summary =
      pages::SourceSummaryText(ctx.RecoveryMode, ctx.SourceDevice.SourceKind, pages::SummaryWriter::DriveTree);
  if (!summary.empty()) ctx.SelectionSummaryText = summary;

  if (auto* mainFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd())) {
    if (CView* view = mainFrame->GetActiveView()) view->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  return text;
}

// A logical drive's node: its letter picks the entry of the drive table.
void CDriveTreeCtrl::SelectDriveNode(HTREEITEM caret, int /*index*/) {
  engine::EngineContext& ctx = wizard::Engine();
  const std::u16string root = pages::RootPathOfDriveNode(ToU16(GetItemText(caret)));
  for (int i = 0; i < ctx.LogicalDriveCount && i < engine::kMaxLogicalDrives; ++i) {
    const engine::LogicalDriveEntry& entry = ctx.LogicalDriveTable[i];
    if (entry.RootPath != root) continue;
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    ctx.SourceSelection.FileSystemCode = entry.FileSystemCode;
    // A drive beyond 32-bit sector numbers keeps the largest count the record
    // holds; the scan refuses such a drive with its own message.
    ctx.SourceSelection.SectorCount = engine::SaturatedSectorCount(entry.SectorCount);
    ctx.SourceSelection.EndSector = ctx.SourceSelection.SectorCount;
    ctx.SourceSelection.StartSector = 0;
    ctx.SourceSelection.EntryIndex = static_cast<uint16_t>(i);
    if (CFirstDisplay* panel = wizard::Frame().FirstDisplay) panel->ShowLogicalDriveFacts(i);
    return;
  }
}

bool CDriveTreeCtrl::OverNodePart(UINT hitFlags) const {
  return hitFlags == TVHT_ONITEMLABEL || hitFlags == TVHT_ONITEMICON || hitFlags == TVHT_ONITEMRIGHT ||
         hitFlags == TVHT_ONITEMSTATEICON;
}

void CDriveTreeCtrl::OnLButtonDown(UINT /*flags*/, CPoint point) {
  UINT hit = 0;
  HTREEITEM node = HitTest(point, &hit);
  if (!node) return;  // a click beside the nodes leaves the caret where it is
  SelectItem(node);
  SetFocus();
  UpdateCheckedCountLabel();
  SelectNode(node);
  if (hit & TVHT_ONITEMBUTTON) {
    ::SetCursor(expandCursor_);
  } else if (OverNodePart(hit)) {
    ::SetCursor(pressedCursor_);
  }
  if (hit & TVHT_ONITEMSTATEICON) {
    SetCheckWithAncestors(node, !IsChecked(node));
  } else if (hit & TVHT_ONITEMBUTTON) {
    Expand(node, TVE_TOGGLE);
  }
}

void CDriveTreeCtrl::OnLButtonUp(UINT flags, CPoint point) {
  UINT hit = 0;
  if (HitTest(point, &hit)) ::SetCursor((hit & TVHT_ONITEMBUTTON) ? expandCursor_ : handCursor_);
  CTreeCtrl::OnLButtonUp(flags, point);
}

void CDriveTreeCtrl::OnMouseMove(UINT flags, CPoint point) {
  UINT hit = 0;
  if (HitTest(point, &hit)) {
    if (hit & TVHT_ONITEMBUTTON) {
      ::SetCursor(expandCursor_);
    } else if (OverNodePart(hit)) {
      ::SetCursor(handCursor_);
    }
  }
  CTreeCtrl::OnMouseMove(flags, point);
}

void CDriveTreeCtrl::OnRButtonDown(UINT /*flags*/, CPoint point) {
  if (HTREEITEM node = HitTest(point)) {
    SelectItem(node);
    SetFocus();
    UpdateCheckedCountLabel();
  }
}

void CDriveTreeCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  if (key == VK_UP || key == VK_DOWN) {
    if (HTREEITEM caret = GetSelectedItem()) SelectNode(caret);
  }
  CTreeCtrl::OnKeyUp(key, repeat, flags);
}

void CDriveTreeCtrl::OnTreeKeyDown(NMHDR* header, LRESULT* result) {
  *result = 0;
  const WizardFrameState& frame = wizard::Frame();
  const WORD key = reinterpret_cast<NMTVKEYDOWN*>(header)->wVKey;
  if (key == VK_TAB) {
    const int pageIndex = frame.DrivePageActive ? wizard::kDrivePage : frame.ScanPageActive ? wizard::kScanPage : -1;
    if (pageIndex >= 0) {
      if (CView* page = wizard::Page(pageIndex)) {
        page->SetFocus();
        if (auto* steps = dynamic_cast<WizardKeyboardPage*>(page)) steps->KeyboardStep = 1;
      }
    } else if (frame.PastScanPage) {
      if (CListCtrl* list = wizard::ResultsList()) list->SetFocus();
    }
  } else if (key == VK_RETURN) {
    const int pageIndex = frame.DrivePageActive ? wizard::kDrivePage : frame.ScanPageActive ? wizard::kScanPage : -1;
    if (pageIndex >= 0) {
      if (CView* page = wizard::Page(pageIndex)) {
        page->SetFocus();
        page->SendMessage(WM_COMMAND, MAKEWPARAM(ID_PAGE_NEXT, BN_CLICKED), 0);
      }
    }
  }
}

void CDriveTreeCtrl::SetCheckWithAncestors(HTREEITEM node, bool checked) {
  if (checked) CheckNodeAndChildren(node); else UncheckSubtree(node);
  SyncAncestorChecks(node);
  BoldAncestors(node);
  UpdateCheckedCountLabel();
}

void CDriveTreeCtrl::OnCheckCommand() {
  if (HTREEITEM caret = GetSelectedItem()) SetCheckWithAncestors(caret, true);
}

void CDriveTreeCtrl::OnUncheckCommand() {
  if (HTREEITEM caret = GetSelectedItem()) SetCheckWithAncestors(caret, false);
}
