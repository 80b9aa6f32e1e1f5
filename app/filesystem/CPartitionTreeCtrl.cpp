#include "CPartitionTreeCtrl.h"

#include "CFileSystemForm.h"
#include "EngineContext.h"
#include "ResourceIds.h"
#include "WizardLinks.h"
#include "results/ResultStore.h"

BEGIN_MESSAGE_MAP(CPartitionTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_MOUSEMOVE()
  ON_WM_RBUTTONDOWN()
  ON_WM_KEYUP()
  ON_NOTIFY_REFLECT(TVN_KEYDOWN, OnTreeKeyDown)
  ON_COMMAND(32003, OnSpareCommand)
  ON_COMMAND(32004, OnSpareCommand)
  ON_COMMAND(32005, OnSpareCommand)
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kRootText[] = L"File System";
// Images of the list InitImages fills.
constexpr int kImageCdRom = 2;
constexpr int kImageRemovable = 3;
constexpr int kImageFloppy = 4;
constexpr int kImageFixed = 5;

CString Decimal(uint64_t value) {
  CString text;
  text.Format(L"%llu", static_cast<unsigned long long>(value));
  return text;
}

// Sectors from the cluster base to the end, in MB (2048 sectors of 512 bytes).
CString SizeInMb(const engine::VolumeParameters& volume) {
  const uint32_t sectors = volume.EndSector - volume.ClusterBase;
  return Decimal(sectors >> 11) + L" MB";
}

int ImageOfRootPath(const CString& text) {
  switch (::GetDriveTypeW(text)) {
    case DRIVE_FIXED: return kImageFixed;
    case DRIVE_CDROM: return kImageCdRom;
    case DRIVE_REMOVABLE: return text.Left(1) == L"A" ? kImageFloppy : kImageRemovable;
    default: return kImageFixed;
  }
}

}  // namespace

CPartitionTreeCtrl::CPartitionTreeCtrl() = default;

CPartitionTreeCtrl::~CPartitionTreeCtrl() {
  if (GetSafeHwnd()) DestroyWindow();
}

void CPartitionTreeCtrl::InitImages() {
  images_.Create(16, 16, ILC_COLOR8 | ILC_MASK, 0, 0);
  HINSTANCE resources = AfxGetResourceHandle();
  for (int id : {IDI_DRIVE_UNKNOWN, IDI_DRIVE_NETWORK, IDI_DRIVE_CDROM, IDI_DRIVE_REMOVABLE, IDI_DRIVE_FLOPPY,
                 IDI_DRIVE_FIXED, IDI_MY_COMPUTER}) {
    HICON icon = static_cast<HICON>(::LoadImageW(resources, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
    images_.Add(icon);
    if (icon) ::DestroyIcon(icon);  // the list keeps its own copy
  }
  SetImageList(&images_, TVSIL_NORMAL);
  if (states_.Create(IDB_TREE_STATES, 16, 1, RGB(255, 255, 255))) SetImageList(&states_, TVSIL_STATE);
  expandCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_EXPAND_BUTTON));
  handCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_HAND_POINT));
  pressedCursor_ = ::LoadCursorW(resources, MAKEINTRESOURCEW(IDC_HAND_PRESSED));
}

HTREEITEM CPartitionTreeCtrl::InsertItemWithIcon(const CString& text, HTREEITEM parent) {
  const bool topLevel = parent == nullptr || parent == TVI_ROOT;
  const int image = topLevel ? ImageOfRootPath(text) : kImageFixed;
  HTREEITEM item = InsertItem(text, image, image, topLevel ? TVI_ROOT : parent, TVI_LAST);
  // The volumes are what the user chooses from: they are shown as they come.
  if (item != nullptr && !topLevel) Expand(parent, TVE_EXPAND);
  return item;
}

int CPartitionTreeCtrl::VisibleIndex(HTREEITEM item) const {
  if (item == nullptr || item == TVI_ROOT) return -1;
  int position = 0;
  for (HTREEITEM visible = GetRootItem(); visible; visible = GetNextItem(visible, TVGN_NEXTVISIBLE), ++position) {
    if (visible == item) return position - 1;
  }
  return -1;
}

void CPartitionTreeCtrl::RecordSelectedNode(HTREEITEM item) {
  WizardFrameState& frame = wizard::Frame();
  frame.SelectedNodeText = GetItemText(item);
  frame.SelectedNodeIndex = VisibleIndex(item);
}

void CPartitionTreeCtrl::SelectFoundVolume(HTREEITEM item) {
  if (form_ == nullptr || item == nullptr) return;
  engine::EngineContext& ctx = wizard::Engine();
  const CString text = GetItemText(item);
  if (text.IsEmpty() || text == kRootText) {
    const uint16_t code = ctx.SourceSelection.FileSystemCode;
    if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) form_->ShowFatCaptions();
    if (code == engine::kFileSystemNtfs) form_->ShowNtfsCaptions();
    return;
  }
  const engine::FoundVolume* chosen = nullptr;
  uint16_t number = 0;
  for (const engine::FoundVolume& volume : ctx.Results.FoundVolumes) {
    ++number;
    if (volume.TreeItem == reinterpret_cast<engine::TreeItem>(item)) {
      chosen = &volume;
      break;
    }
  }
  if (chosen == nullptr) return;  // a volume no longer listed changes nothing
  ctx.ActiveVolumeNumber = number;
  engine::VolumeParameters& active = ctx.ActiveVolume;
  const uint16_t code = chosen->FileSystemCode;
  if (code == engine::kFileSystemNtfs) {
    active.FileSystemCode = code;
    active.SectorsPerFat = chosen->SectorsPerFat;
    active.SectorsPerCluster = chosen->SectorsPerCluster;
    active.ClusterBase = chosen->ClusterBase;
    active.MftStart = chosen->MftStart;
    active.MftMirrorStart = chosen->MftMirrorStart;
    active.SectorsPerIndexRecord = chosen->SectorsPerIndexRecord;
    active.EndSector = chosen->EndSector;
    const CString values[CFileSystemForm::kRows] = {Decimal(active.ClusterBase), Decimal(active.SectorsPerCluster),
                                                    Decimal(active.MftStart), Decimal(active.MftMirrorStart),
                                                    SizeInMb(active)};
    form_->ShowValues(values);
  } else if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) {
    active.FileSystemCode = code;
    active.SectorsPerFat = chosen->SectorsPerFat;
    active.SectorsPerCluster = chosen->SectorsPerCluster;
    active.RootDirSectors = chosen->RootDirSectors;
    active.RootDirStart = chosen->RootDirStart;
    active.ReservedSectors = chosen->ReservedSectors;
    active.ClusterBase = chosen->ClusterBase;
    active.Fat1Start = chosen->Fat1Start;
    active.Fat2Start = chosen->Fat2Start;
    active.EndSector = chosen->EndSector;
    form_->ShowFatFacts(Decimal(active.ClusterBase), Decimal(active.SectorsPerCluster),
                        active.EndSector == 0 ? CString(L"Unknown") : SizeInMb(active));
  }
}

// ---- Mouse and keys ----------------------------------------------------------------

void CPartitionTreeCtrl::SetCursorFor(UINT hitFlags, HCURSOR overItem) {
  if (hitFlags & TVHT_ONITEMBUTTON)
    ::SetCursor(expandCursor_);
  else
    ::SetCursor(overItem);
}

void CPartitionTreeCtrl::OnLButtonDown(UINT /*flags*/, CPoint point) {
  UINT hit = 0;
  HTREEITEM item = HitTest(point, &hit);
  if (item == nullptr) return;
  ::SetCursor(pressedCursor_);
  RecordSelectedNode(item);
  SelectItem(item);
  SetFocus();
  if (hit & (TVHT_ONITEMLABEL | TVHT_ONITEMICON | TVHT_ONITEMRIGHT)) {
    if (!GetItemText(item).IsEmpty()) SelectFoundVolume(item);
  } else {
    Expand(item, TVE_TOGGLE);
    if (hit & TVHT_ONITEMBUTTON) ::SetCursor(expandCursor_);
  }
}

void CPartitionTreeCtrl::OnLButtonUp(UINT flags, CPoint point) {
  UINT hit = 0;
  if (HitTest(point, &hit)) SetCursorFor(hit, handCursor_);
  CTreeCtrl::OnLButtonUp(flags, point);
}

void CPartitionTreeCtrl::OnMouseMove(UINT flags, CPoint point) {
  UINT hit = 0;
  if (HitTest(point, &hit)) SetCursorFor(hit, handCursor_);
  CTreeCtrl::OnMouseMove(flags, point);
}

void CPartitionTreeCtrl::OnRButtonDown(UINT /*flags*/, CPoint point) {
  if (HTREEITEM item = HitTest(point)) {
    SelectItem(item);
    SetFocus();
  }
}

// Keys choose the volume under the caret but do not change the recorded node:
// Next goes on with the node last clicked.
void CPartitionTreeCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  if (HTREEITEM caret = GetSelectedItem()) {
    SelectItem(caret);
    SetFocus();
    if (!GetItemText(caret).IsEmpty()) SelectFoundVolume(caret);
  }
  CTreeCtrl::OnKeyUp(key, repeat, flags);
}

void CPartitionTreeCtrl::OnTreeKeyDown(NMHDR* /*header*/, LRESULT* result) { *result = 0; }
