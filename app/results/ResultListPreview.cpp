// The results list's road to the preview pane: a chosen file row is copied out of
// the source into the user's temporary folder by the engine's copy-out and the
// copy is handed to the pane; rows without a file show the pane's placeholder.
#include <cwctype>
#include <string>

#include "CMainFrame.h"
#include "CMainPreviewView.h"
#include "CRecoveryApp.h"
#include "CResultListCtrl.h"
#include "CResultTreeCtrl.h"
#include "EngineContext.h"
#include "PreviewSession.h"
#include "UiText.h"
#include "WizardLinks.h"
#include "copyout/CarvedFileSaving.h"
#include "copyout/FatFileSaving.h"
#include "copyout/SaveCheckedItems.h"
#include "ntfs/NtfsCopyOut.h"
#include "results/ResultStore.h"

namespace {

// Above this size a file is not copied: the pane shows its large-file view.
constexpr uint64_t kLargestPreviewBytes = 5242880;
constexpr DWORD kOfficeClosePauseMs = 200;
// A hidden Office window that ignores WM_CLOSE is left after this many tries.
constexpr int kOfficeCloseTries = 10;

CString Lower(CString text) {
  text.MakeLower();
  return text;
}

CPreviewSession* Session() {
  CMainFrame* frame = RecoveryApp().MainFrame();
  return frame != nullptr ? FindPreviewSession(frame->PreviewView) : nullptr;
}

void SetNothingToPreview(int nothing, int lastPreviewable) {
  if (CPreviewSession* session = Session()) {
    session->NothingToPreview = nothing;
    session->LastPreviewable = lastPreviewable;
  }
}

void SetPreviewItemPath(const CString& path) {
  if (CPreviewSession* session = Session()) session->PreviewItemPath = path;
}

CString TempFolder(engine::EngineContext& ctx) {
  std::u16string folder = ctx.Files != nullptr ? ctx.Files->TempFolder() : std::u16string();
  if (folder.size() > 1023) folder.resize(1023);
  return ToCString(folder);
}

CString JoinPath(const CString& folder, const CString& name) {
  if (folder.IsEmpty() || folder.Right(1) == L"\\") return folder + name;
  return folder + L"\\" + name;
}

uint64_t NumberOfText(const CString& text) {
  uint64_t value = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] >= L'0' && text[i] <= L'9' && value <= (UINT64_MAX - 9) / 10) value = value * 10 + (text[i] - L'0');
  }
  return value;
}

// What the copy of one file row needs of its record.
struct RowRecord {
  CString name;
  uint32_t parentKey = 0;
  bool hasParent = false;
};

}  // namespace

CString CResultListCtrl::LastPreviewText = L"PAth";
int64_t CResultListCtrl::LastPreviewId = -1;
int CResultListCtrl::ClearPreviewOnPaint = 0;

BEGIN_MESSAGE_MAP(CResultListCtrl, CListCtrl)
  ON_WM_KEYUP()
END_MESSAGE_MAP()

void CResultListCtrl::ShowPreviewOfFile(CString path, int show) {
  if (show == 0) return;
  CMainFrame* frame = RecoveryApp().MainFrame();
  if (frame == nullptr) return;
  BeginWaitCursor();
  frame->ShowPreview(path, PreviewPathExtension(path));
  EndWaitCursor();
  if (CPreviewSession* session = Session()) session->LastPreviewable = 0;
}

int CResultListCtrl::CheckPreviewable(const CString& name) {
  if (CPreviewSession* session = Session()) session->NothingToPreview = 0;
  const CString lower = Lower(name);
  if (CMainPreviewView::IsPreviewableExtension(lower, PreviewPathExtension(lower))) return 1;
  if (CMainFrame* frame = RecoveryApp().MainFrame()) frame->ShowPreview(CString(), CString());
  return 0;
}

int CResultListCtrl::IsNewPreviewItem(const CString& folder, const CString& name, int64_t fileId) {
  const CString text = Lower(JoinPath(folder, name));
  if (text.CompareNoCase(LastPreviewText) == 0 && fileId == LastPreviewId) return 0;
  LastPreviewText = text;
  LastPreviewId = fileId;
  return 1;
}

CString CResultListCtrl::MakeTempCopyName(const CString& name) {
  const CString folder = TempFolder(ctx_);
  const int dot = name.ReverseFind(L'.');
  const CString extension = Lower(dot >= 0 ? name.Mid(dot + 1) : name);
  CString copyName;
  CString path;
  for (;;) {
    copyName.Format(L"tmp%d.%s", tempCopyCounter_, extension.GetString());
    path = JoinPath(folder, copyName);
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES || tempCopyCounter_ == INT_MAX) break;
    ++tempCopyCounter_;
  }
  // Each number names one copy: two extensions under one number would leave the
  // first copy out of the clean-up.
  TempCopyFiles[tempCopyCounter_] = path;
  if (tempCopyCounter_ < INT_MAX) ++tempCopyCounter_;
  return copyName;
}

void CResultListCtrl::BuildPreviewItemPath(uint32_t parentKey, const CString& name) {
  CString path = L"\\";
  engine::TreeItem item = 0;
  const uint16_t code = ctx_.ActiveVolume.FileSystemCode;
  if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) {
    if (const engine::FatFolderEntry* folder = ctx_.Results.FindFatFolder(parentKey)) item = folder->TreeItem;
  } else if (const engine::TreeFolderNode* folder = ctx_.Results.FindTreeFolder(parentKey)) {
    item = folder->TreeItem;
  }
  if (item != 0 && tree_ != nullptr) path += tree_->GetItemPath(reinterpret_cast<HTREEITEM>(item));
  path += L"\\" + name;
  SetPreviewItemPath(path);
}

void CResultListCtrl::CloseOfficeApplications() {
  // Only hidden frames are asked to close: an automation instance a preview started
  // has no visible window, while Office the user works in has, and is left alone.
  static const wchar_t* const kOfficeClasses[] = {L"OMain",          L"PP97FrameClass", L"PP9FrameClass",
                                                  L"PP10FrameClass", L"PP11FrameClass", L"PP12FrameClass",
                                                  L"XlMain"};
  for (const wchar_t* officeClass : kOfficeClasses) {
    for (int tries = 0; tries < kOfficeCloseTries; ++tries) {
      HWND hidden = nullptr;
      for (HWND window = ::FindWindowExW(nullptr, nullptr, officeClass, nullptr); window != nullptr;
           window = ::FindWindowExW(nullptr, window, officeClass, nullptr)) {
        if (!::IsWindowVisible(window)) {
          hidden = window;
          break;
        }
      }
      if (hidden == nullptr) break;
      DWORD_PTR answer = 0;
      ::SendMessageTimeoutW(hidden, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kOfficeClosePauseMs, &answer);
      ::Sleep(kOfficeClosePauseMs);
    }
  }
}

void CResultListCtrl::DeleteTempCopies() {
  std::vector<std::u16string> paths;
  paths.reserve(TempCopyFiles.size());
  for (const auto& [number, path] : TempCopyFiles) paths.push_back(ToU16(path));
  engine::DeleteTempPreviewFiles(ctx_, paths);
}

bool CResultListCtrl::TempFolderConfirmed(const CString& folder) {
  // Writing a copy onto the drive being recovered may overwrite what is still to be found.
  if (tempFolderConfirmed_ || !engine::TargetIsOnSourceVolume(ctx_, ToU16(folder))) return true;
  tempFolderConfirmed_ = wizard::AskQuestion(ToCString(engine::kTargetOnSourceQuestion));
  return tempFolderConfirmed_;
}

void CResultListCtrl::PreviewClickedRow(int row) {
  if (row < 0 || row >= GetItemCount()) return;
  SetPreviewItemPath(CString());
  if (IsParentRow(row)) {
    LastPreviewText.Empty();
    SetNothingToPreview(1, 0);
    ShowPreviewOfFile(CString(), 1);
    return;
  }
  const uint16_t code = ctx_.ActiveVolume.FileSystemCode;
  const bool fileTrace = ctx_.RecoveryMode == engine::kModeFileTrace;
  const bool known = code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32 ||
                     code == engine::kFileSystemNtfs;
  if (fileTrace || known) {
    if (IsFolderRow(row)) {
      LastPreviewText.Empty();
      SetNothingToPreview(1, 0);
      ShowPreviewOfFile(CString(), 1);
    } else {
      CopyAndShow(row, true);
    }
  }
  Invalidate(TRUE);
  UpdateWindow();
}

void CResultListCtrl::PreviewMarkedRow() {
  const int row = static_cast<int>(SendMessage(LVM_GETSELECTIONMARK, 0, 0));
  if (row < 0 || row >= GetItemCount()) return;
  if (IsParentRow(row) || IsFolderRow(row)) {
    LastPreviewText.Empty();
    SetNothingToPreview(1, 0);
    ShowPreviewOfFile(CString(), 1);
    return;
  }
  CopyAndShow(row, false);
}

void CResultListCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags) {
  if (key == VK_UP || key == VK_DOWN) {
    PreviewMarkedRow();
    return;
  }
  CListCtrl::OnKeyUp(key, repeat, flags);
}

void CResultListCtrl::CopyAndShow(int row, bool clicked) {
  const CString rowName = GetItemText(row, 0);
  const bool fileTrace = ctx_.RecoveryMode == engine::kModeFileTrace;
  const uint64_t size = fileTrace ? 0 : NumberOfText(GetItemText(row, 2));

  // The key road asks for a viewer first, the click road after the record is found.
  if (!clicked && CheckPreviewable(rowName) == 0) {
    SetNothingToPreview(0, 1);
    ShowPreviewOfFile(CString(), 1);
    LastPreviewText = rowName;
    return;
  }
  if (!clicked && !fileTrace && size > kLargestPreviewBytes) {
    ShowPreviewOfFile(L"largefile", 1);
    LastPreviewText = rowName;
    return;
  }
  if (IsTypeRow(row)) {
    SetNothingToPreview(1, 0);
    ShowPreviewOfFile(CString(), 1);
    LastPreviewText = rowName;
    return;
  }

  const std::optional<uint64_t> id = RowId(row);
  if (!id || *id > UINT32_MAX) return;
  const auto fileId = static_cast<uint32_t>(*id);
  const CString folder = TempFolder(ctx_);

  // The record of the row: a row whose ID names no record copies nothing.
  const engine::FatFileEntry* fat = nullptr;
  const engine::TreeFileNode* quick = nullptr;
  const engine::NtfsFileNode* extensive = nullptr;
  const engine::CarvedFile* carved = nullptr;
  RowRecord record;
  const uint16_t code = ctx_.ActiveVolume.FileSystemCode;
  if (fileTrace) {
    carved = ctx_.Results.FindCarvedFile(fileId);
    if (carved != nullptr) record.name = ToCString(carved->DisplayName);
  } else if (code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32) {
    fat = ctx_.Results.FindFatFile(fileId);
    if (fat != nullptr) record = {ToCString(fat->Name), fat->ParentCluster, true};
  } else if (ctx_.RecoveryMode == engine::kModeQuickScan) {
    quick = ctx_.Results.FindTreeFile(fileId);
    if (quick != nullptr) record = {ToCString(quick->Name), quick->ParentId, true};
  } else {
    extensive = ctx_.Results.FindNtfsFile(fileId);
    if (extensive != nullptr) record = {ToCString(extensive->Name), extensive->ParentId, true};
  }
  if (fat == nullptr && quick == nullptr && extensive == nullptr && carved == nullptr) return;

  tempCopyName_ = MakeTempCopyName(record.name);
  if (clicked && CheckPreviewable(rowName) == 0) {
    SetNothingToPreview(0, 1);
    ShowPreviewOfFile(CString(), 1);
    LastPreviewText = rowName;
    return;
  }
  if (clicked && !fileTrace && size > kLargestPreviewBytes) {
    ShowPreviewOfFile(L"largefile", 1);
    SetFocus();
    LastPreviewText = rowName;
    return;
  }
  if (IsNewPreviewItem(folder, record.name, fileId) == 0) return;
  if (!TempFolderConfirmed(folder)) return;
  CloseOfficeApplications();
  if (!fileTrace && record.hasParent) BuildPreviewItemPath(record.parentKey, record.name);

  // A preview copy is no save: no filters, no policies, no save dialog.
  // The save routines take the folder without its closing "\"; the carved range
  // appends the name to the text as it is.
  CString bare = folder;
  if (bare.GetLength() > 3 && bare.Right(1) == L"\\") bare = bare.Left(bare.GetLength() - 1);
  const std::u16string target = ToU16(bare);
  const std::u16string copyName = ToU16(tempCopyName_);
  engine::SaveSession session;
  session.AskAfterFailures = false;
  int written = 0;
  if (fat != nullptr) {
    engine::FatFileSaveRequest request = engine::FatSaveRequestFor(*fat, target);
    request.VisibleSave = false;
    request.Name = copyName;
    written = engine::SaveFatFile(ctx_, session, request);
  } else if (quick != nullptr || extensive != nullptr) {
    engine::NtfsSaveRequest request =
        quick != nullptr ? engine::NtfsSaveRequestFor(*quick, target) : engine::NtfsSaveRequestFor(*extensive, target);
    request.VisibleSave = false;
    request.FileName = copyName;
    written = engine::SaveNtfsFile(ctx_, session, request) ? 1 : 0;
  } else {
    written = engine::SaveCarvedRange(ctx_, ToU16(JoinPath(folder, CString())), copyName, carved->StartSector);
  }
  ShowPreviewOfFile(Lower(JoinPath(folder, tempCopyName_)), written);
}
