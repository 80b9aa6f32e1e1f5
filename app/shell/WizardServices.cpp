// What the wizard pages use of the shell (WizardLinks.h), served by the application
// object, the main frame and the message dialogs.
#include "CMainFrame.h"
#include "CRecoveryApp.h"
#include "CResultListCtrl.h"
#include "MessageDialogs.h"
#include "PageReports.h"
#include "PageTexts.h"
#include "UiEngineHost.h"
#include "Win32DriveCatalogue.h"
#include "results/ResultStore.h"
#include "WizardLinks.h"

namespace {

constexpr int kColumnSubItem = 100;

}  // namespace

void PrepareResultColumns(CListCtrl& list, int recoveryMode) {
  while (list.DeleteColumn(0)) {
  }
  int index = 0;
  for (const pages::ListColumnSpec& column : pages::ResultColumnsForMode(recoveryMode)) {
    const CString title(reinterpret_cast<const wchar_t*>(column.Title.data()), static_cast<int>(column.Title.size()));
    list.InsertColumn(index, title, LVCFMT_LEFT, column.Width, index == 0 ? -1 : kColumnSubItem);
    ++index;
  }
}

namespace wizard {

WizardFrameState& Frame() { return *RecoveryApp().MainFrame(); }

engine::EngineContext& Engine() { return RecoveryApp().Engine(); }

engine::DriveCatalogue& DriveCatalogue() { return RecoveryApp().DriveCatalogue(); }

CView* Page(int index) {
  if (index < 0 || index >= static_cast<int>(RecoveryApp().Pages.size())) return nullptr;
  return RecoveryApp().Pages[index];
}

void ShowPage(int index) { RecoveryApp().ShowWizardPage(index); }

void SetExitEnabled(int enabled) { RecoveryApp().MainFrame()->SetExitEnabled(enabled); }

void ShowMessage(const CString& text, int kind) { ShowMessageRequest(text, kind); }

bool AskQuestion(const CString& text) { return AskQuestionRequest(text); }

CListCtrl* ResultsList() {
  auto* results = dynamic_cast<ResultsPageReports*>(Page(kResultsPage));
  return results != nullptr ? results->ResultList() : nullptr;
}

ScanPanelLink* ScanPanel() {
  auto* scan = dynamic_cast<ScanPageReports*>(Page(kScanPage));
  return scan != nullptr ? scan->ScanPanel() : nullptr;
}

ScanPageLink* ScanPage() { return dynamic_cast<ScanPageLink*>(Page(kScanPage)); }

bool StartWorker(const char* name, std::function<void()> body) {
  return RecoveryApp().Host().StartWorker(name, std::move(body));
}

void ResetResultsForNewMode() {
  if (CListCtrl* list = ResultsList()) {
    while (list->DeleteColumn(0)) {
    }
  }
  if (auto* results = dynamic_cast<CResultListCtrl*>(ResultsList())) {
    results->DeleteTempCopies();
    results->ForgetTempCopies();
    CResultListCtrl::ClearPreviewOnPaint = 1;
  } else {
    engine::DeleteTempPreviewFiles(Engine(), {});
  }
}

}  // namespace wizard
