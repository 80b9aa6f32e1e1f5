#include "CSaveProgressDlg.h"

#include "MessageDialogs.h"
#include "ResourceIds.h"
#include "SkinDrawing.h"
#include "UiText.h"
#include "WizardLinks.h"

namespace {

constexpr UINT kSaveEndedMessage = WM_APP + 0x51;
constexpr wchar_t kStopQuestion[] = L"Do you want to stop the saving process?";
constexpr wchar_t kCloseRefusal[] = L"Please Stop Saving first";
constexpr wchar_t kApplicationName[] = L"Pelmo Windows Data Recovery";
constexpr wchar_t kNothingSaved[] = L"No file was saved.";
constexpr wchar_t kStoppedSave[] = L"The save was stopped.\r\n";

}  // namespace

BEGIN_MESSAGE_MAP(CSaveProgressDlg, CDialog)
  ON_BN_CLICKED(IDC_SAVE_SKIP, OnSkip)
  ON_WM_CLOSE()
  ON_WM_ERASEBKGND()
  ON_MESSAGE(kSaveEndedMessage, OnSaveEnded)
END_MESSAGE_MAP()

CSaveProgressDlg::CSaveProgressDlg(CWnd* parent, engine::SaveSelection selection)
    : CDialog(IDD_SAVE_PROGRESS, parent), selection_(std::move(selection)) {
  background_ = static_cast<HBITMAP>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SKIN_SAVE_PROGRESS),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

CSaveProgressDlg::~CSaveProgressDlg() {
  if (background_ != nullptr) ::DeleteObject(background_);
}

BOOL CSaveProgressDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  bar_.SubclassDlgItem(IDC_SAVE_PROGRESS, this);
  SendDlgItemMessage(IDC_SAVE_PROGRESS, PBM_SETRANGE32, 0, 99);
  engine::EngineContext& ctx = wizard::Engine();
  HWND self = m_hWnd;
  const bool started = wizard::StartWorker("save", [this, self, &ctx] {
    engine::SaveControlRecord& control = ctx.SaveControl;
    control.StopRequested = 0;
    control.SkipRequested = 0;
    control.FilesProcessed = 0;
    control.SaveFinished = 0;
    engine::SaveTally tally = engine::SaveCheckedItems(ctx, selection_);
    const bool stopped = control.StopRequested.load() != 0;
    control.StopRequested = 0;
    control.SkipRequested = 0;
    control.FilesProcessed = 0;
    control.SaveFromFindResults = 0;
    control.SaveFinished = 1;
    // The dialog stays open until this notice arrives, so its members are still there.
    tally_ = std::move(tally);
    stopped_ = stopped;
    ::PostMessageW(self, kSaveEndedMessage, 0, 0);
  });
  if (!started) {
    wizard::ShowMessage(L"Another task is still running. Please wait until it ends.", engine::kMessageError);
    EndDialog(IDCANCEL);
  }
  return TRUE;
}

void CSaveProgressDlg::ReportFile(const CString& folder, const CString& name, int filesProcessed) {
  SetDlgItemText(IDC_SAVE_PATH, folder);
  SetDlgItemText(IDC_SAVE_FILE, name);
  CString count;
  count.Format(L"%d", filesProcessed);
  SetDlgItemText(IDC_SAVE_COUNT, count);
  SendDlgItemMessage(IDC_SAVE_PROGRESS, PBM_SETPOS, 0, 0);
}

void CSaveProgressDlg::ReportProgress(int percent) {
  SendDlgItemMessage(IDC_SAVE_PROGRESS, PBM_SETPOS, percent < 0 ? 0 : percent > 99 ? 99 : percent, 0);
}

void CSaveProgressDlg::OnStop() {
  engine::EngineContext& ctx = wizard::Engine();
  if (ctx.SaveControl.StopRequested.load() != 0 || ctx.SaveControl.SaveFinished.load() != 0) return;
  // The worker waits at its next report while the user answers.
  ctx.ScanControl.Pause.Close();
  const bool yes = wizard::AskQuestion(kStopQuestion);
  if (yes) {
    if (CWnd* stop = GetDlgItem(IDOK)) stop->EnableWindow(FALSE);
    ctx.SaveControl.StopRequested = 1;
  }
  ctx.ScanControl.Pause.Open();
}

void CSaveProgressDlg::OnSkip() { wizard::Engine().SaveControl.SkipRequested = 1; }

void CSaveProgressDlg::OnClose() {
  engine::EngineContext& ctx = wizard::Engine();
  ctx.ScanControl.Pause.Close();
  ::MessageBoxW(m_hWnd, kCloseRefusal, kApplicationName, MB_OK);
  ctx.ScanControl.Pause.Open();
}

BOOL CSaveProgressDlg::OnEraseBkgnd(CDC* dc) {
  if (!DrawSkinAtOrigin(dc, background_)) return CDialog::OnEraseBkgnd(dc);
  return TRUE;
}

LRESULT CSaveProgressDlg::OnSaveEnded(WPARAM, LPARAM) {
  wizard::Engine().SaveControl.SaveFinished = 0;
  if (CWnd* stop = GetDlgItem(IDOK)) stop->EnableWindow(FALSE);
  if (CWnd* skip = GetDlgItem(IDC_SAVE_SKIP)) skip->EnableWindow(FALSE);
  const uint64_t handled = tally_.Saved + tally_.Damaged + tally_.Partial + tally_.Failed + tally_.Skipped;
  // Only a save in which every file came out whole is reported as a success; a
  // save that wrote nothing (the user kept away from the source volume) is no
  // success either. After Stop the user learns what was saved before it, never
  // the success message.
  if (handled == 0 && !stopped_) {
    ShowMessageRequest(EscapeMarkupText(kNothingSaved), engine::kMessageInformation);
  } else if (!stopped_) {
    ShowMessageRequest(EscapeMarkupText(ToCString(engine::SaveEndText(tally_))), engine::kMessageInformation);
  } else {
    CString text = kStoppedSave;
    if (tally_.AllSaved()) {
      CString saved;
      saved.Format(L"%llu files saved whole.", static_cast<unsigned long long>(tally_.Saved));
      text += saved;
    } else {
      text += ToCString(engine::SaveEndText(tally_));
    }
    ShowMessageRequest(EscapeMarkupText(text), engine::kMessageInformation);
  }
  EndDialog(IDCANCEL);
  return 0;
}
