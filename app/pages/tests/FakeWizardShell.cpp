#include "FakeWizardShell.h"

#include "CFirstView_HDD.h"
#include "PageTexts.h"
#include "UiText.h"

namespace pagestest {

namespace {
std::unique_ptr<FakeShell> shell;
}

void PageHost::DriveTreeAddPath(const std::string& path) {
  RecordingHost::DriveTreeAddPath(path);
  if (DrivePage) DrivePage->AddDrivePath(CString(path.c_str()));
}

void PageHost::DriveTreeExpandRoot() {
  RecordingHost::DriveTreeExpandRoot();
  if (DrivePage) DrivePage->ExpandDriveTreeRoot();
}

FakeShell::FakeShell() {
  // C: an NTFS system drive, D: a 64 MB FAT16 drive.
  Drives.Letters[u'C'] = {engine::DriveKind::Fixed, uint64_t{8} << 30, u"SYSTEM"};
  Drives.Letters[u'D'] = {engine::DriveKind::Fixed, uint64_t{64} << 20, u"PELMOTEST"};
}

FakeShell& Shell() {
  if (!shell) shell = std::make_unique<FakeShell>();
  return *shell;
}

void ResetShell() { shell = std::make_unique<FakeShell>(); }

}  // namespace pagestest

namespace wizard {

using pagestest::Shell;

WizardFrameState& Frame() { return Shell().Frame; }
engine::EngineContext& Engine() { return Shell().Engine; }
engine::DriveCatalogue& DriveCatalogue() { return Shell().Drives; }
CView* Page(int index) { return index >= 0 && index < 5 ? Shell().Pages[index] : nullptr; }
void ShowPage(int index) { Shell().PagesShown.push_back(index); }
void SetExitEnabled(int enabled) { Shell().ExitEnabled = enabled; }
void ShowMessage(const CString& text, int kind) { Shell().Messages.emplace_back(std::wstring(text), kind); }
bool AskQuestion(const CString& text) {
  Shell().Messages.emplace_back(std::wstring(text), 3);
  if (Shell().Answers.empty()) return false;
  const bool answer = Shell().Answers.front();
  Shell().Answers.pop_front();
  return answer;
}
CListCtrl* ResultsList() { return Shell().Results; }
ScanPanelLink* ScanPanel() { return nullptr; }
ScanPageLink* ScanPage() { return nullptr; }
bool StartWorker(const char*, std::function<void()> body) {
  body();
  return true;
}
void ResetResultsForNewMode() { ++Shell().ResultResets; }

}  // namespace wizard

void PrepareResultColumns(CListCtrl& list, int recoveryMode) {
  while (list.DeleteColumn(0)) {
  }
  int index = 0;
  for (const pages::ListColumnSpec& column : pages::ResultColumnsForMode(recoveryMode)) {
    list.InsertColumn(index, ToCString(column.Title), LVCFMT_LEFT, column.Width, index == 0 ? -1 : 100);
    ++index;
  }
}
