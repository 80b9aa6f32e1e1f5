// The application object: start-up, the page table through which every part of the
// program (and the engine's reports) reaches the five wizard pages, the page switch,
// and the engine context with its platform services and its host.
#pragma once

#include "Framework.h"

#include <array>
#include <memory>

#include "EngineContext.h"
#include "listing/FileFilters.h"

class UiEngineHost;
class CMainFrame;

namespace platform {
class Win32DeviceOpener;
class Win32DriveCatalogue;
class Win32InputFileReader;
class Win32OutputFileSystem;
}  // namespace platform

// Page numbers of CRecoveryApp::Pages.
enum WizardPage { kModePage = 0, kDrivePage = 1, kScanPage = 2, kFileSystemPage = 3, kResultsPage = 4 };

// Child ids of the page views; the page shown always holds the first one.
constexpr UINT kFirstPageId = 59648;  // AFX_IDW_PANE_FIRST

class CRecoveryApp : public CWinApp {
 public:
  CRecoveryApp();
  ~CRecoveryApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // Makes page n the page shown; returns the page shown before (null when the
  // frame has no active view, and then nothing happens).
  CView* ShowWizardPage(int n);
  CString GetRecentSnapshotPath();

  // Page table in page order: CEx_StyleView, CFirstView_HDD, CSecondView_HDD,
  // CFileSystemView, CThirdView_HDD. Filled once at start-up, never changed.
  std::array<CView*, 5> Pages{};
  // The results list, once it has registered itself (the drive tree moves the focus there).
  CWnd* ResultsList = nullptr;

  // Settings of the Access preview, fixed for the run.
  int ShowSystemObjects = 0;
  int ShowWarnings = 1;
  int MaxRecords = 10000;

  engine::EngineContext& Engine() { return *engine_; }
  UiEngineHost& Host() { return *host_; }
  platform::Win32DriveCatalogue& DriveCatalogue() { return *driveCatalogue_; }
  platform::Win32InputFileReader& InputFiles() { return *inputFiles_; }
  engine::FileFilterTable& FileFilters() { return fileFilters_; }
  CMainFrame* MainFrame() const;

  afx_msg void OnAppAbout();
  DECLARE_MESSAGE_MAP()

 private:
  bool CreateFurtherPages();
  // The snapshot named on the command line; false when start-up is to stop there.
  bool LoadCommandLineSnapshot(const CString& commandLine);

  std::unique_ptr<platform::Win32DeviceOpener> deviceOpener_;
  std::unique_ptr<platform::Win32DriveCatalogue> driveCatalogue_;
  std::unique_ptr<platform::Win32InputFileReader> inputFiles_;
  std::unique_ptr<platform::Win32OutputFileSystem> outputFiles_;
  std::unique_ptr<UiEngineHost> host_;
  std::unique_ptr<engine::EngineContext> engine_;
  engine::FileFilterTable fileFilters_;
};

// The one application object.
CRecoveryApp& RecoveryApp();

// The folder of the program file, with a trailing backslash.
CString ProgramFolder();
