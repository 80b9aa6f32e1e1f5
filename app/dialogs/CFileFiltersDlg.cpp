#include "CFileFiltersDlg.h"

#include "CRecoveryApp.h"
#include "CThirdView_HDD.h"
#include "FileFilterEditing.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "listing/FatListing.h"
#include "ntfs/NtfsListing.h"

BEGIN_MESSAGE_MAP(CFileFiltersDlg, CDialog)
  ON_BN_CLICKED(IDC_FILTERS_REMOVE, OnRemove)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr uint32_t kNtfsRootFolderId = 5;

}  // namespace

CFileFiltersDlg::CFileFiltersDlg(CWnd* parent)
    : CDialog(IDD_FILE_FILTERS, parent), skin_(LoadSkinBitmap(IDB_SKIN_FILE_FILTERS)) {}

CFileFiltersDlg::~CFileFiltersDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CFileFiltersDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_FILTERS_CAPTION, caption_);
  DDX_Control(exchange, IDC_FILTERS_REMOVE, remove_);
  DDX_Control(exchange, IDC_FILTERS_EDIT, edit_);
  DDX_Control(exchange, IDC_FILTERS_LIST, list_);
}

BOOL CFileFiltersDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  const engine::FileFilterTable& table = RecoveryApp().FileFilters();
  for (size_t i = 0; i < table.Patterns.size(); ++i)
    list_.InsertString(static_cast<int>(i), ToCString(table.Patterns[i]));
  edit_.SetFocus();
  return FALSE;  // the focus is set
}

std::vector<std::u16string> CFileFiltersDlg::Entries() const {
  std::vector<std::u16string> entries;
  const int count = list_.GetCount();
  for (int i = 0; i < count; ++i) {
    CString text;
    list_.GetText(i, text);
    entries.push_back(ToU16(text));
  }
  return entries;
}

void CFileFiltersDlg::OnOK() {
  const std::vector<std::u16string> entries = Entries();
  CString text;
  if (entries.size() < engine::kMaxFileFilters) edit_.GetWindowText(text);
  const dialogs::FilterAddVerdict verdict = dialogs::CheckFilterToAdd(ToU16(text), entries);
  if (verdict != dialogs::FilterAddVerdict::Accepted) {
    // The filter's own text is never part of the message, which is markup.
    wizard::ShowMessage(ToCString(dialogs::FilterRefusalText(verdict)), engine::kMessageInformation);
    if (verdict == dialogs::FilterAddVerdict::TableFull) return;
    edit_.SetFocus();
    if (verdict == dialogs::FilterAddVerdict::TooLong) {
      edit_.SetSel(0, static_cast<int>(engine::kMaxFileFilterLength));
      edit_.SendMessage(EM_SCROLLCARET);
    } else if (verdict == dialogs::FilterAddVerdict::AlreadyPresent) {
      edit_.SetSel(0, -1);
    }
    return;
  }
  list_.InsertString(0, text);
  edit_.SetWindowText(L"");
  edit_.SetFocus();
}

void CFileFiltersDlg::OnRemove() {
  const int selected = list_.GetCurSel();
  if (selected == LB_ERR) return;
  list_.DeleteString(selected);
}

void CFileFiltersDlg::OnCancel() {
  RecoveryApp().FileFilters() = dialogs::FilterTableFromEntries(Entries());
  RefillResultsRoot();
  EndDialog(IDCANCEL);
}

void CFileFiltersDlg::RefillResultsRoot() {
  auto* results = dynamic_cast<CThirdView_HDD*>(RecoveryApp().Pages[kResultsPage]);
  if (results == nullptr || results->Tree().GetSafeHwnd() == nullptr) return;
  CResultTreeCtrl& tree = results->Tree();
  tree.SetFocus();
  if (HTREEITEM root = tree.GetRootItem(); root != nullptr) tree.SelectItem(root);
  engine::EngineContext& ctx = wizard::Engine();
  const engine::FileFilterTable& filters = RecoveryApp().FileFilters();
  switch (ctx.ActiveVolume.FileSystemCode) {
    case engine::kFileSystemNtfs:
      engine::FillFileListFromTree(ctx, kNtfsRootFolderId, filters);
      break;
    case engine::kFileSystemFat16:
    case engine::kFileSystemFat32:
      engine::FillFileListFromFat(ctx, 0, filters);
      break;
    default:
      break;
  }
}

BOOL CFileFiltersDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}
