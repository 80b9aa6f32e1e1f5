#include "CFileTypesDlg.h"

#include <algorithm>

#include "EngineContext.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "WizardLinks.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"

BEGIN_MESSAGE_MAP(CFileTypesDlg, CDialog)
  ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

constexpr wchar_t kPromptText[] =
    L"What file types would you like to recover? [Please check file types] and click [Ok] to continue with "
    L"recovery.";
constexpr wchar_t kNothingTickedText[] = L"Please select a file types and then \r\nclick Next to continue with recovery.";
constexpr int kLargestSizeMB = 20;

}  // namespace

CFileTypesDlg::CFileTypesDlg(CWnd* parent) : CDialog(IDD_FILE_TYPES, parent), skin_(LoadSkinBitmap(IDB_SKIN_FILE_TYPES)) {}

CFileTypesDlg::~CFileTypesDlg() {
  if (skin_ != nullptr) ::DeleteObject(skin_);
}

void CFileTypesDlg::DoDataExchange(CDataExchange* exchange) {
  CDialog::DoDataExchange(exchange);
  DDX_Control(exchange, IDC_TYPES_SIZE_CAPTION, sizeLabel_);
  DDX_Control(exchange, IDC_TYPES_SIZE, sizes_);
  DDX_Control(exchange, IDC_TYPES_PROMPT, prompt_);
  DDX_Control(exchange, IDC_TYPES_TREE, tree_);
}

BOOL CFileTypesDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  promptFont_.CreateFont(15, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial");
  prompt_.SetFont(&promptFont_);
  sizes_.SetCurSel(std::clamp(wizard::Engine().CarvedFileSizeMB, 1, kLargestSizeMB) - 1);
  prompt_.SetWindowText(kPromptText);
  tree_.InitTree();
  LoadSignatureDatabase();
  return TRUE;
}

// The engine reads the database and hands each record to the tree through the
// scan page, which has this dialog open.
void CFileTypesDlg::LoadSignatureDatabase() { engine::LoadSignatureDatabase(wizard::Engine()); }

void CFileTypesDlg::OnOK() {
  if (tree_.Root() == nullptr || tree_.NoChildChecked(tree_.Root())) {
    wizard::ShowMessage(kNothingTickedText, engine::kMessageError);
    return;
  }
  engine::EngineContext& ctx = wizard::Engine();
  ctx.CarvedFileSizeMB = std::clamp(sizes_.GetCurSel() + 1, 1, kLargestSizeMB);
  // A list left from an earlier File Trace would match its signatures twice.
  engine::ReleaseSelectedSignatureList(ctx);
  const std::vector<engine::FileTypeTreeItem> visited = tree_.VisitedItems();
  engine::AddCheckedSignatures(ctx, tree_.Signatures(), visited);
  EndDialog(IDOK);
}

BOOL CFileTypesDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, skin_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}
