#include "CThirdView_HDD.h"

#include <algorithm>
#include <cwctype>
#include <unordered_set>
#include <vector>

#include "CKitCommandBars.h"
#include "CFirstDisplay.h"
#include "CMainFrame.h"
#include "CMainPreviewView.h"
#include "CRecoveryApp.h"
#include "CSaveProgressDlg.h"
#include "ResourceIds.h"
#include "ResultFolders.h"
#include "ShowEnabled.h"
#include "UiEngineHost.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "listing/FatListing.h"
#include "listing/SelectedSize.h"
#include "ntfs/NtfsListing.h"
#include "PreviewSession.h"
#include "signatures/CarvedFileListing.h"

namespace {

constexpr wchar_t kNothingTicked[] =
    L"Please click on check box next to the file(s) and folder(s)\r\n that you want to save.";
constexpr wchar_t kInvalidPath[] = L"Invalid Path";

// Sort keys of the list's columns: 1 the number in the digits, 2 the text, 3 a date.
enum class SortKind { Number = 1, Text = 2, Date = 3 };

SortKind SortKindOf(int column, bool fileTrace) {
  if (column == 0 || column == 1) return SortKind::Text;
  if (column == 2 || column == 5) return SortKind::Number;
  return fileTrace ? SortKind::Text : SortKind::Date;
}

// The digits of a text read as one number ("1,234 KB" reads 1234); 64 bits wide so
// that sizes above 4 GiB keep their order.
uint64_t NumberFromDigits(const CString& text) {
  uint64_t value = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] >= L'0' && text[i] <= L'9' && value <= (UINT64_MAX - 9) / 10) value = value * 10 + (text[i] - L'0');
  }
  return value;
}

// A date and time in the user's format as a comparable value; nothing when it does not parse.
std::optional<double> DateValue(const CString& text) {
  DATE date = 0;
  if (FAILED(::VarDateFromStr(const_cast<LPWSTR>(static_cast<LPCWSTR>(text)), LOCALE_USER_DEFAULT, 0, &date)))
    return std::nullopt;
  return date;
}

}  // namespace

IMPLEMENT_DYNCREATE(CThirdView_HDD, CView)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
  ON_WM_CTLCOLOR()
  ON_COMMAND(ID_PAGE_NEXT, OnRecover)
  ON_COMMAND(ID_PAGE_BACK, OnBack)
  ON_COMMAND(ID_PAGE_HOME, OnHome)
  ON_COMMAND(ID_RECOVER_SELECTED, OnRecoverSelected)
  ON_COMMAND(ID_RENAME_ITEM, OnRenameItem)
END_MESSAGE_MAP()

CThirdView_HDD::CThirdView_HDD() : tree_(wizard::Engine(), list_.Maps()), list_(wizard::Engine()) {
  summaryFont_.CreateFont(16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
}

CThirdView_HDD::~CThirdView_HDD() = default;

int CThirdView_HDD::OnCreate(LPCREATESTRUCT cs) {
  if (CView::OnCreate(cs) == -1) return -1;
  if (!tree_.Create(this)) return -1;
  tree_.InitImages();
  if (!list_.Create(this, true)) return -1;
  list_.SetTree(&tree_);
  // The context-menu key opens the menu at the selected row.
  list_.SetContextMenuHandler([this] {
    const int row = static_cast<int>(list_.SendMessage(LVM_GETSELECTIONMARK));
    CRect label;
    if (row < 0 || !list_.GetItemRect(row, &label, LVIR_LABEL)) return;
    CPoint screen(label.left + 10, (label.top + label.bottom) / 2);
    list_.ClientToScreen(&screen);
    ShowContextMenu(IDR_LIST_CONTEXT, list_, screen);
  });

  struct PageButton {
    CToolButton& button;
    UINT id;
    UINT normal;
    UINT hover;
    const wchar_t* tip;
  };
  const PageButton buttons[] = {
      {recover_, ID_PAGE_NEXT, IDB_RECOVER, IDB_RECOVER_HOVER, L"Recover selected files and folders"},
      {back_, ID_PAGE_BACK, IDB_BACK, IDB_BACK_HOVER, L"Back"},
      {home_, ID_PAGE_HOME, IDB_HOME, IDB_HOME_HOVER, L"Home"},
  };
  sizeLabel_.Create(L"", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, 0, 0), this, kSelectedSizeId);
  sizeLabel_.SetFont(&summaryFont_);
  for (const PageButton& b : buttons) {
    b.button.Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 0, 0), this, b.id);
    b.button.LoadButtonBitmaps(b.normal, b.hover);
    b.button.SetTipText(b.tip, TRUE);
  }
  // The preview pane shares the document: its viewers keep their common state there.
  CCreateContext context;
  context.m_pCurrentDoc = GetDocument();
  preview_ = static_cast<CView*>(RUNTIME_CLASS(CMainPreviewView)->CreateObject());
  CRect paneRect;
  GetClientRect(&paneRect);
  paneRect.DeflateRect(20, 20);
  if (!preview_->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, paneRect, this, kPreviewPaneId, &context)) {
    preview_ = nullptr;  // a view whose window failed has deleted itself
    return -1;
  }
  if (CMainFrame* frame = RecoveryApp().MainFrame()) frame->PreviewView = preview_;
  if (CPreviewSession* session = FindPreviewSession(preview_)) session->FocusAfterPreview = list_.GetSafeHwnd();
  preview_->OnInitialUpdate();
  preview_->ShowWindow(SW_SHOW);
  rightSplitter_.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CSplitterPanel::kStacked, this, &list_, preview_,
                        kInnerSplitterId, CRect(0, 0, 0, 0), 90, 110);
  splitter_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN | CSplitterPanel::kSideBySide, this, &tree_,
                   &rightSplitter_, kOuterSplitterId, CRect(0, 0, 0, 0), 90, 110);
  return 0;
}

void CThirdView_HDD::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  if (recover_.GetSafeHwnd() == nullptr) return;
  recover_.MoveWindow(cx - 20 - 105, cy - 6 - 35, 105, 35);
  back_.MoveWindow(cx - 20 - 105 - 5 - 85, cy - 6 - 35, 85, 35);
  home_.MoveWindow(0, 0, 0, 0);
  // Beside the selection summary, clear of the buttons.
  sizeLabel_.MoveWindow(260, cy - 40, std::max(0, std::min(260, cx - 20 - 105 - 5 - 85 - 10 - 260)), 20);
  splitter_.MoveWindow(5, 45, cx - 10, cy - 95);
}

void CThirdView_HDD::OnDraw(CDC* dc) {
  CRect client;
  GetClientRect(&client);
  skin_.DrawBackground(*dc, client);
  skin_.DrawHeader(*dc, client, IDB_HEADER_RESULTS);
  PageSkin::DrawSummary(*dc, client, summaryFont_, ToCString(wizard::Engine().SelectionSummaryText));
}

// ---- What the engine builds --------------------------------------------------------------

HTREEITEM CThirdView_HDD::InsertResultTreeItem(const CString& text, HTREEITEM parent) {
  return tree_.InsertItemWithIcon(text, parent);
}

void CThirdView_HDD::AddResultFolders(HTREEITEM item, uint32_t key, bool fat) {
  if (fat)
    tree_.AddFatFolders(item, key);
  else
    tree_.AddNtfsFolders(item, key);
}

void CThirdView_HDD::AddResultFileTypeFolders(HTREEITEM root) { tree_.AddFileTypeFolders(root); }

void CThirdView_HDD::ExpandResultTreeItem(HTREEITEM item) {
  tree_.Expand(item, TVE_EXPAND);
  if (tree_.GetSelectedItem() == nullptr) {
    // Choosing the root lists it again; the list already shows it.
    tree_.SelectItem(item);
  }
}

void CThirdView_HDD::FocusResultTree() { tree_.SetFocus(); }
int CThirdView_HDD::ResultTreeCheckState(HTREEITEM item) { return tree_.GetCheckState(item); }

void CThirdView_HDD::UncheckResultSubtree(HTREEITEM item) {
  tree_.SetCheck(item != nullptr ? item : tree_.GetRootItem(), false);
}

void CThirdView_HDD::SyncResultListChecks() {
  list_.SyncChecks();
  list_.Invalidate(TRUE);
}

void CThirdView_HDD::DeleteAllResultRows() { list_.DeleteAllItems(); }

void CThirdView_HDD::AddResultRows(const std::vector<PendingRow>& rows) {
  if (rows.size() > 1) list_.SetRedraw(FALSE);
  for (const PendingRow& row : rows) {
    CStringArray columns;
    for (const CString& column : row.Columns) columns.Add(column);
    list_.AddRow(row.Name, row.Type, columns);
  }
  if (rows.size() > 1) {
    list_.SetRedraw(TRUE);
    list_.Invalidate(FALSE);
  }
}

void CThirdView_HDD::SetResultsReportView() { list_.ModifyStyle(LVS_TYPEMASK, LVS_REPORT); }

void CThirdView_HDD::ShowSelectedSize(const CString& text) { sizeLabel_.SetWindowText(text); }

void CThirdView_HDD::UpdateSelectedSize() {
  const std::unordered_set<uint32_t>& ticked = list_.Maps().CheckedFileIds;
  const std::vector<uint32_t> ids(ticked.begin(), ticked.end());
  engine::UpdateSelectedSize(wizard::Engine(), ids);
}

HBRUSH CThirdView_HDD::OnCtlColor(CDC* dc, CWnd* control, UINT controlType) {
  if (control != nullptr && control->GetDlgCtrlID() == static_cast<int>(kSelectedSizeId)) {
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkColor(RGB(255, 255, 255));
    return static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  }
  return CView::OnCtlColor(dc, control, controlType);
}

void CThirdView_HDD::FocusListFromTree() {
  list_.SetFocus();
  if (list_.GetItemCount() > 0 && list_.SendMessage(LVM_GETSELECTIONMARK) < 0) {
    list_.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list_.SendMessage(LVM_SETSELECTIONMARK, 0, 0);
  }
}

BOOL CThirdView_HDD::PreTranslateMessage(MSG* message) {
  if (message->message == WM_KEYDOWN && message->wParam == VK_TAB && message->hwnd == tree_.GetSafeHwnd() &&
      ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0) {
    FocusListFromTree();
    return TRUE;
  }
  return CView::PreTranslateMessage(message);
}

// ---- The save dialog's reports ------------------------------------------------------------

void CThirdView_HDD::ReportSaveFile(const CString& folder, const CString& name, int filesProcessed) {
  if (saveDialog_ != nullptr) saveDialog_->ReportFile(folder, name, filesProcessed);
}

void CThirdView_HDD::ReportSaveProgress(int percent) {
  if (saveDialog_ != nullptr) saveDialog_->ReportProgress(percent);
}

// ---- Browsing -----------------------------------------------------------------------------

void CThirdView_HDD::ShowFolder(HTREEITEM item) {
  // While a scan worker still builds the lists it also fills the list itself;
  // reading the lists here at the same time would race with it.
  if (item == nullptr || RecoveryApp().Host().WorkerRunning()) return;
  engine::EngineContext& ctx = wizard::Engine();
  const engine::FileFilterTable& filters = RecoveryApp().FileFilters();
  switch (results::KindOf(ctx)) {
    case results::ResultKind::Fat:
      engine::FillFileListFromFat(ctx, *results::FolderKeyOf(ctx, tree_, item), filters);
      break;
    case results::ResultKind::Ntfs:
      engine::FillFileListFromTree(ctx, *results::FolderKeyOf(ctx, tree_, item), filters);
      break;
    case results::ResultKind::FileTrace: {
      const bool root = item == tree_.GetRootItem();
      const bool typeFolder = !root && tree_.GetParentItem(item) == tree_.GetRootItem();
      engine::FillFileListFromCarvedFiles(ctx, filters, root ? u"Root" : ToU16(tree_.GetItemText(item)), typeFolder);
      break;
    }
    case results::ResultKind::None:
      return;
  }
  list_.SyncChecks();
}

void CThirdView_HDD::OpenRow(int row) {
  if (row < 0) return;
  HTREEITEM target = nullptr;
  if (list_.IsParentRow(row)) {
    target = tree_.GetParentItem(tree_.GetSelectedItem());
    if (target == nullptr) target = tree_.GetRootItem();
  } else if (list_.IsTypeRow(row)) {
    for (HTREEITEM item = tree_.GetChildItem(tree_.GetRootItem()); item != nullptr && target == nullptr;
         item = tree_.GetNextSiblingItem(item))
      if (tree_.GetItemText(item) == list_.GetItemText(row, 0)) target = item;
  } else {
    target = list_.FolderItemOfRow(row);
  }
  if (target == nullptr) return;
  tree_.Expand(target, TVE_EXPAND);
  tree_.SelectItem(target);  // the selection change lists the folder
  tree_.SetFocus();
}

BOOL CThirdView_HDD::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->hwndFrom == tree_.GetSafeHwnd()) {
    switch (header->code) {
      case NM_CUSTOMDRAW:
        *result = tree_.OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(lParam));
        return TRUE;
      case NM_CLICK: {
        CPoint point;
        ::GetCursorPos(&point);
        tree_.ScreenToClient(&point);
        if (tree_.ClickAt(point)) {
          list_.SyncChecks();
          list_.Invalidate(TRUE);
          UpdateSelectedSize();
          *result = 1;
          return TRUE;
        }
        break;
      }
      case NM_RCLICK: {
        CPoint screen;
        ::GetCursorPos(&screen);
        CPoint client = screen;
        tree_.ScreenToClient(&client);
        HTREEITEM item = tree_.HitTest(client);
        if (item != nullptr) {
          tree_.SelectItem(item);
          tree_.SetFocus();
          if (item != tree_.GetRootItem()) ShowContextMenu(IDR_TREE_CONTEXT, tree_, screen);
        }
        *result = 1;
        return TRUE;
      }
      case TVN_SELCHANGEDW:
        ShowFolder(reinterpret_cast<const NMTREEVIEWW*>(lParam)->itemNew.hItem);
        break;
      case TVN_KEYDOWN:
        // Tab goes on to the list, which Tab leaves for the tree again.
        if (reinterpret_cast<const NMTVKEYDOWN*>(lParam)->wVKey == VK_TAB) {
          FocusListFromTree();
          *result = 1;
          return TRUE;
        }
        break;
      default:
        break;
    }
  } else if (header->hwndFrom == list_.GetSafeHwnd()) {
    switch (header->code) {
      case NM_CUSTOMDRAW:
        *result = list_.OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
        return TRUE;
      case NM_CLICK: {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        if (list_.ClickAt(click->ptAction)) {
          UpdateSelectedSize();
          *result = 1;
          return TRUE;
        }
        if (list_.GetItemCount() > 0) {
          LVHITTESTINFO hit{};
          hit.pt = click->ptAction;
          const int row = list_.HitTest(&hit);
          if (row >= 0) list_.PreviewClickedRow(row);
        }
        *result = 0;
        return TRUE;
      }
      case NM_DBLCLK: {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        LVHITTESTINFO hit{};
        hit.pt = click->ptAction;
        const int row = list_.HitTest(&hit);
        if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) == 0) OpenRow(row);
        // A second click on a box soon after the first is still a click: it ticks again.
        if (row >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) != 0 && list_.ClickAt(click->ptAction)) {
          UpdateSelectedSize();
          *result = 1;
          return TRUE;
        }
        break;
      }
      case NM_RCLICK: {
        const auto* click = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        LVHITTESTINFO hit{};
        hit.pt = click->ptAction;
        if (list_.HitTest(&hit) >= 0 && (hit.flags & LVHT_ONITEMSTATEICON) == 0) {
          CPoint screen = click->ptAction;
          list_.ClientToScreen(&screen);
          ShowContextMenu(IDR_LIST_CONTEXT, list_, screen);
        }
        *result = 1;
        return TRUE;
      }
      case LVN_KEYDOWN:
        // Enter opens the folder of the selected row; on a file it leads back to the tree.
        if (reinterpret_cast<const NMLVKEYDOWN*>(lParam)->wVKey == VK_RETURN) {
          const int row = static_cast<int>(list_.SendMessage(LVM_GETSELECTIONMARK));
          if (row >= 0 && (list_.IsFolderRow(row) || list_.IsParentRow(row) || list_.IsTypeRow(row)))
            OpenRow(row);
          else
            tree_.SetFocus();
        }
        break;
      case LVN_BEGINLABELEDITW:
        *result = list_.RenameBegun(reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item.iItem) ? 0 : 1;
        return TRUE;
      case LVN_ENDLABELEDITW: {
        const LVITEMW& item = reinterpret_cast<const NMLVDISPINFOW*>(lParam)->item;
        list_.RenameEnded(item.iItem, item.pszText);
        *result = 0;  // the list has its text already
        return TRUE;
      }
      case LVN_COLUMNCLICK: {
        const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
        SortByColumn(column, column == sortColumn_ ? !sortAscending_ : sortAscending_);
        break;
      }
      default:
        break;
    }
  }
  return CView::OnNotify(wParam, lParam, result);
}

// ---- Context menus ------------------------------------------------------------------------

void CThirdView_HDD::SetListView(DWORD style) {
  list_.ModifyStyle(LVS_TYPEMASK, style | LVS_AUTOARRANGE);
  list_.RedrawWindow();
}

void CThirdView_HDD::ShowContextMenu(UINT menuId, CWnd& owner, CPoint screen) {
  HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId));
  if (menu == nullptr) return;
  HMENU popup = ::GetSubMenu(menu, 0);
  if (wizard::Engine().RecoveryMode == engine::kModeFileTrace) {
    for (UINT id : {ID_FIND_FILES, ID_RECOVERY_SETTINGS, ID_ITEM_PROPERTIES}) ::DeleteMenu(popup, id, MF_BYCOMMAND);
  }
  owner.SetForegroundWindow();
  // The program's own popup, drawn like its menus; the choice comes back here.
  const UINT command = static_cast<UINT>(CKitCommandBars::RunPopupMenu(
      popup, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, &owner, nullptr,
      nullptr, nullptr));
  ::DestroyMenu(menu);
  switch (command) {
    case 0:
      return;
    case ID_RECOVER_SELECTED:
      Recover(false);
      return;
    case ID_RENAME_ITEM:
      list_.BeginRename();
      return;
    // Small icons, list and details, each through another style so the list arranges itself anew.
    case ID_VIEW_ICONS:
      SetListView(LVS_SMALLICON);
      SetListView(LVS_LIST);
      SetListView(LVS_SMALLICON);
      return;
    case ID_RESULTS_LIST:
      SetListView(LVS_LIST);
      SetListView(LVS_REPORT);
      SetListView(LVS_LIST);
      return;
    case ID_RESULTS_DETAILS:
      SetListView(LVS_REPORT);
      SetListView(LVS_SMALLICON);
      SetListView(LVS_REPORT);
      return;
    default:
      // Find Files, the settings and the properties are the frame's commands.
      if (CWnd* frame = GetParentFrame()) frame->SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
      return;
  }
}

// ---- Sorting ------------------------------------------------------------------------------

void CThirdView_HDD::SortByColumn(int column, bool ascending) {
  sortColumn_ = column;
  sortAscending_ = ascending;
  const int rows = list_.GetItemCount();
  const int columns = list_.GetHeaderCtrl() != nullptr ? list_.GetHeaderCtrl()->GetItemCount() : 6;
  if (column < 0 || column >= columns) return;
  const SortKind kind = SortKindOf(column, wizard::Engine().RecoveryMode == engine::kModeFileTrace);

  struct Row {
    std::vector<CString> texts;
    UINT state = 0;
    int image = 0;
    bool folder = false;
    bool parent = false;
  };
  std::vector<Row> table(static_cast<size_t>(rows));
  for (int row = 0; row < rows; ++row) {
    Row& r = table[static_cast<size_t>(row)];
    for (int c = 0; c < columns; ++c) r.texts.push_back(list_.GetItemText(row, c));
    r.state = list_.GetItemState(row, LVIS_STATEIMAGEMASK);
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    list_.SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    r.image = item.iImage;
    r.parent = list_.IsParentRow(row);
    r.folder = list_.IsFolderRow(row) || list_.IsTypeRow(row);
  }
  auto less = [&](const Row& a, const Row& b) {
    // The way up first, then folders, then files; each group in the column's order.
    if (a.parent != b.parent) return a.parent;
    if (a.folder != b.folder) return a.folder;
    const CString& x = a.texts[static_cast<size_t>(column)];
    const CString& y = b.texts[static_cast<size_t>(column)];
    int order = 0;
    if (kind == SortKind::Number) {
      const uint64_t p = NumberFromDigits(x), q = NumberFromDigits(y);
      order = p < q ? -1 : p > q ? 1 : 0;
    } else if (kind == SortKind::Date) {
      const std::optional<double> p = DateValue(x), q = DateValue(y);
      if (p && q) order = *p < *q ? -1 : *p > *q ? 1 : 0;
    } else {
      order = x.CompareNoCase(y);
    }
    return ascending ? order < 0 : order > 0;
  };
  std::stable_sort(table.begin(), table.end(), less);

  list_.SetRedraw(FALSE);
  list_.DeleteAllItems();
  for (int row = 0; row < rows; ++row) {
    const Row& r = table[static_cast<size_t>(row)];
    list_.InsertItem(row, r.texts[0], r.image);
    for (int c = 1; c < columns; ++c) list_.SetItemText(row, c, r.texts[static_cast<size_t>(c)]);
    list_.SetItemState(row, r.state, LVIS_STATEIMAGEMASK);
  }
  list_.SetRedraw(TRUE);
  list_.Invalidate(TRUE);
}

// ---- Recover, Back --------------------------------------------------------------------------

void CThirdView_HDD::Recover(bool invalidPathMessage) {
  engine::EngineContext& ctx = wizard::Engine();
  tree_.CollectItemsToSave();
  ResultCheckMaps& maps = list_.Maps();
  if (maps.NothingToSave()) {
    wizard::ShowMessage(kNothingTicked, engine::kMessageInformation);
    return;
  }
  engine::BrowseForSaveFolder(ctx);
  if (ctx.SaveControl.TargetFolder.empty()) {
    if (invalidPathMessage) AfxMessageBox(kInvalidPath, MB_OK);  // under the program's name
    return;
  }
  SaveIntoChosenFolder();
}

void CThirdView_HDD::SaveAll() {
  engine::EngineContext& ctx = wizard::Engine();
  engine::BrowseForSaveFolder(ctx);
  if (ctx.SaveControl.TargetFolder.empty()) return;
  SaveIntoChosenFolder();
}

void CThirdView_HDD::SaveIntoChosenFolder() {
  ResultCheckMaps& maps = list_.Maps();
  engine::SaveSelection selection;
  for (HTREEITEM item : maps.SaveFolderItems) selection.TickedFolders.push_back(reinterpret_cast<engine::TreeItem>(item));
  selection.TickedFileIds = maps.ListCheckedFileIds;
  selection.ResultTreeRoot = reinterpret_cast<engine::TreeItem>(tree_.GetRootItem());
  selection.Filters = RecoveryApp().FileFilters();
  CSaveProgressDlg dialog(this, std::move(selection));
  saveDialog_ = &dialog;
  dialog.DoModal();
  saveDialog_ = nullptr;
}

void CThirdView_HDD::OnBack() {
  engine::EngineContext& ctx = wizard::Engine();
  // Nothing may free the result lists while a worker still reads them.
  if (RecoveryApp().Host().WorkerRunning()) RecoveryApp().Host().StopAndJoinWorker();
  // A loaded snapshot leaves the scan marked as running; nothing runs any more, and
  // the scan page's Next must be free to start a new scan.
  ctx.ScanControl.Running = 0;
  ctx.ScanControl.StopOrDone = 1;
  ctx.Results.TreeItemsBuilt = 0;
  ctx.ScanControl.ShowDetails = 1;
  WizardFrameState& frame = wizard::Frame();
  frame.DrivePageActive = 0;
  frame.ScanPageActive = 1;
  frame.PastScanPage = 0;
  frame.PastFileSystemPage = 0;
  frame.ScanParametersMissing = 1;
  frame.SelectedNodeIndex = -1;
  list_.DeleteAllItems();
  tree_.DeleteAllResults();
  list_.DeleteTempCopies();
  CResultListCtrl::ClearPreviewOnPaint = 1;
  switch (ctx.RecoveryMode) {
    case engine::kModeExtensiveScan:
      engine::ReleaseFatAndTreeLists(ctx);
      engine::ReleaseTreeLists(ctx);
      if (auto* fileSystems = dynamic_cast<FileSystemPageLink*>(wizard::Page(wizard::kFileSystemPage)))
        fileSystems->ShowChoosingAgain();
      wizard::ShowPage(wizard::kFileSystemPage);
      return;
    case engine::kModeFileTrace:
      engine::ReleaseCarvedFileList(ctx);
      engine::ReleaseSelectedSignatureList(ctx);
      break;
    default:
      engine::ReleaseFatAndTreeLists(ctx);
      break;
  }
  const bool logicalDrive = ctx.SourceDevice.SourceKind == engine::kSourceLogicalDrive;
  if (ScanPanelLink* panel = wizard::ScanPanel()) {
    panel->ClearSelectionFacts();
    panel->SetPromptText(logicalDrive
                             ? L"You have selected logical drive for recovery. Please click Next to continue with "
                               L"recovery."
                             : L"Please select a partition from the left panel and press Next to continue with "
                               L"recovery");
    if (logicalDrive) {
      // The drive stays chosen, so Next scans it again; a snapshot load has shown no
      // drive on the drive page, hence the drive is named from the selection.
      ShownLogicalDriveIndex = ctx.SourceSelection.EntryIndex;
      panel->ShowLogicalDriveFacts();
      panel->SetFactsCaption(L"Selected Drive Information");
      panel->HideRangeControls();
    }
  }
  if (logicalDrive) {
    frame.SelectedNodeIndex = 0;
    if (ScanPageLink* scanPage = wizard::ScanPage()) scanPage->ShowTreePane(false);
  }
  wizard::ShowPage(wizard::kScanPage);
}
