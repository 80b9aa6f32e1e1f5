// What the wizard pages use of the application object and the main frame.
// The shell provides these: its CMainFrame derives from WizardFrameState, so
// the step flags read CMainFrame.DrivePageActive and so on, and the functions
// below reach CRecoveryApp's page table, the frame and the message dialogs.
// A test program that shows the pages without the shell provides its own.
#pragma once

#include <cstdint>
#include <functional>

#include "Framework.h"

namespace engine {
struct EngineContext;
class DriveCatalogue;
}
class CFirstDisplay;
class CSecondDisplay;

// Where the wizard stands, kept by the main frame; user-interface thread only.
struct WizardFrameState {
  int DrivePageActive = 1;
  int ScanPageActive = 0;
  int PastScanPage = 0;          // a scan ended and the wizard went on
  int PastFileSystemPage = 0;
  int ScanParametersMissing = 0;
  int SelectedNodeIndex = -1;    // visible index of the node last chosen, -1 none
  CString SelectedNodeText;
  CFirstDisplay* FirstDisplay = nullptr;
  CSecondDisplay* SecondDisplay = nullptr;
  int LoadSnapshotEnabled = 0;
};

// What the drive tree and the drive page ask of the scan page's panel
// (CSecondDisplay).
class ScanPanelLink {
 public:
  virtual void ClearSelectionFacts() = 0;
  virtual void ShowWholeDiskFacts() = 0;
  virtual void ShowSelectionFacts(int partition) = 0;
  virtual void ResetCounterCaptions() = 0;
  virtual void ShowLogicalDriveFacts() = 0;
  virtual void ShowRangeControls() = 0;
  virtual void HideRangeControls() = 0;
  virtual void ShowFileSystemChoice() = 0;
  virtual void SetPromptText(const CString& text) = 0;
  virtual void SetFactsCaption(const CString& text) = 0;
  virtual void Repaint() = 0;

 protected:
  ~ScanPanelLink() = default;
};

// What the drive page asks of the scan page (CSecondView_HDD): its tree pane,
// shown for a disk's partitions and hidden for a logical drive.
class ScanPageLink {
 public:
  virtual void ShowTreePane(bool show) = 0;
  // After a partition search: Next and Back shown, Home enabled.
  virtual void ShowNavigationButtons() = 0;

 protected:
  ~ScanPageLink() = default;
};

// What the scan page asks of the file-system page (CFileSystemView) around an
// Extensive Scan.
class FileSystemPageLink {
 public:
  // A new Extensive Scan of this file system starts: the found volumes of an earlier
  // one are gone, the form shows the scan's captions and the prompt to choose.
  virtual void PrepareForScan(uint16_t fileSystemCode) = 0;
  // The analysis put the root "File System" into the tree but no volume below it.
  virtual bool FoundNoFileSystem() const = 0;
  virtual void SetNoticeText(const CString& text) = 0;
  // Back from the results: the found volumes stay to be chosen again, the facts of
  // the volume chosen before are gone.
  virtual void ShowChoosingAgain() = 0;

 protected:
  ~FileSystemPageLink() = default;
};

// The pages whose Tab key walks a highlight over Next, Back and the tree: the
// tree sets the step to 1 when Tab takes the focus back to the page.
struct WizardKeyboardPage {
  int KeyboardStep = 1;
  virtual ~WizardKeyboardPage() = default;
};

namespace wizard {

inline constexpr int kModePage = 0;
inline constexpr int kDrivePage = 1;
inline constexpr int kScanPage = 2;
inline constexpr int kFileSystemPage = 3;
inline constexpr int kResultsPage = 4;

// The main frame's state (CMainFrame of the thread's main window).
WizardFrameState& Frame();
// The engine's records the application owns.
engine::EngineContext& Engine();
// What the system tells of disks and drive letters (the drive page's enumeration).
engine::DriveCatalogue& DriveCatalogue();
// Entry n of CRecoveryApp.Pages; null before start-up made it.
CView* Page(int index);
// CRecoveryApp::ShowWizardPage: makes page n the active page.
void ShowPage(int index);
// CMainFrame::SetExitEnabled.
void SetExitEnabled(int enabled);

// MessageRequest with CAppMessageDlg (kind 1 information, 2 refusal) and with
// CQuestionDlg (true for Yes). The dialogs show markup: a path, name or label
// put into a text goes through markup::EscapeMarkup first.
void ShowMessage(const CString& text, int kind);
bool AskQuestion(const CString& text);

// The results page's list, whose columns the mode page prepares; null while
// there is no results page.
CListCtrl* ResultsList();
// The scan page's panel and the scan page; null while there is no scan page.
ScanPanelLink* ScanPanel();
ScanPageLink* ScanPage();
// Runs `body` as the engine's one worker (a thread of that name); false while
// another one still runs.
bool StartWorker(const char* name, std::function<void()> body);
// Going back to the mode page: the results list loses its columns and the
// preview copies (deleted, the map emptied, the preview cleared at next paint),
// and no snapshot is loading any more.
void ResetResultsForNewMode();

}  // namespace wizard

// Deletes the results list's columns and inserts those of the recovery mode.
void PrepareResultColumns(CListCtrl& list, int recoveryMode);
