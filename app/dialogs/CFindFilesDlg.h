// "Find File(s)": searches the found files of the active volume by a name pattern
// on a thread of its own and lists every match with its folder; the ticked rows
// are saved straight into a chosen folder through the save dialog.
//
// The search thread never touches a window: it puts its matches into a queue
// that the dialog empties on a timer, a bounded batch at a time, so that input
// and paint always get their turn however fast the matches come. While the Stop
// question is open the thread waits before its next record. The dialog never
// closes with a search running: its end stops the search and joins the thread.
#pragma once

#include <atomic>
#include <deque>
#include <unordered_map>
#include <mutex>
#include <thread>
#include <vector>

#include "CResultListCtrl.h"
#include "COwnerDrawButton.h"
#include "CTransparentStatic.h"
#include "FoundFileSearch.h"
#include "Framework.h"
#include "PauseGate.h"

class CFindFilesDlg;

// What the open Find Files dialog shares with its search and with the lists.
struct FindControlRecord {
  CFindFilesDlg* Dialog = nullptr;   // the open dialog
  bool Searching = false;            // a search thread runs (user-interface thread)
  int DialogOpen = 0;                // 1 while open: the result lists show no context menu
  std::atomic<int> StopRequested{0};
  engine::PauseGate Pause;           // closed while the Stop question is open
};
FindControlRecord& FindControl();

class CFindFilesDlg : public CDialog {
 public:
  explicit CFindFilesDlg(CWnd* parent = nullptr);
  ~CFindFilesDlg() override;

  CResultListCtrl& ResultList() { return list_; }

 protected:
  void DoDataExchange(CDataExchange* exchange) override;
  BOOL OnInitDialog() override;
  void OnOK() override;      // Start
  void OnCancel() override;  // only while no search runs
  afx_msg void OnStop();
  afx_msg void OnSelectAll();
  afx_msg void OnSaveSelected();
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg BOOL OnEraseBkgnd(CDC* dc);
  afx_msg void OnTimer(UINT_PTR id);
  afx_msg LRESULT OnSearchEnded(WPARAM, LPARAM);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  DECLARE_MESSAGE_MAP()

 private:
  // On the search thread.
  void Search(std::u16string pattern);
  void AddFoundFile(dialogs::FoundFile&& file);
  void SearchEnded(int rows, bool stopped);
  // On the dialog's thread.
  // Appends queued matches for a bounded time; true when the queue is empty.
  bool AppendQueuedRows();
  void AppendRow(const dialogs::FoundFile& file);
  void FinishSearch();
  void SetSearchControls(bool searching);
  void SetAllChecked(bool checked);
  void ResetSelectAll();
  void StopAndJoinSearch();

  CEdit pattern_;
  COwnerDrawButton selectAll_;
  CTransparentStatic labels_[7];
  CResultListCtrl list_;
  HBITMAP skin_ = nullptr;

  std::thread search_;
  std::mutex queueMutex_;
  std::deque<dialogs::FoundFile> queue_;  // matches not yet shown
  // The folder path of each folder's tree item, read from the tree once.
  std::unordered_map<engine::TreeItem, CString> folderPaths_;
  bool ended_ = false;
  bool endedStopped_ = false;
};

// Runs the dialog modally (Find Files of the menu, the toolbar and the context menus).
void RunFindFilesDialog(CWnd* parent);
