// The file list of the results page: the folders and files of the folder chosen in
// the results tree, as the engine's list fillers write them. A row is known by its
// texts: "Parent..." for the way up, "Folder" or "Deleted Folder" in the type
// column for folders, and the ID column (a file's ID, a folder's tree item).
// Deleted items are drawn in red, ticked rows in bold. The list owns the check maps
// that keep its boxes and the tree's in step.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Framework.h"
#include "ResultCheckMaps.h"

class CResultTreeCtrl;
namespace engine {
struct EngineContext;
}

class CResultListCtrl : public CListCtrl {
 public:
  static constexpr UINT kId = 165;

  explicit CResultListCtrl(engine::EngineContext& ctx);
  ~CResultListCtrl() override;

  // The results page's list edits its labels (rename); the Find Files list does not.
  BOOL Create(CWnd* parent, bool editLabels = false);
  void SetTree(CResultTreeCtrl* tree) { tree_ = tree; }
  ResultCheckMaps& Maps() { return maps_; }

  // A row as the engine's fillers give it.
  void AddRow(const CString& name, const CString& type, const CStringArray& columns);

  int IdColumn() const;
  bool IsParentRow(int row) const;
  bool IsFolderRow(int row) const;
  bool IsTypeRow(int row) const;  // File Trace: a file type's folder row
  std::optional<uint64_t> RowId(int row) const;
  HTREEITEM FolderItemOfRow(int row) const;

  bool IsRowChecked(int row) const;
  void SetRowChecked(int row, bool checked);
  // Every row's box from the maps and the tree.
  void SyncChecks();

  // A click on a row's box ticks or unticks it; true when the point was on one.
  bool ClickAt(CPoint client);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);

  // ---- Renaming (ResultListRename.cpp) ----
  // F2 and "Re&name": the label edit of the selected row.
  void BeginRename();
  // The label edit begins (false refuses it) and ends with the new text (null: cancelled).
  bool RenameBegun(int row);
  void RenameEnded(int row, const wchar_t* text);

  // Tab, F2 and the context-menu key, before the list sees them.
  BOOL PreTranslateMessage(MSG* message) override;
  // Where the context-menu key asks for the menu (the page that owns the list).
  void SetContextMenuHandler(std::function<void()> handler) { contextMenu_ = std::move(handler); }

  // ---- The preview road (ResultListPreview.cpp) ----
  // A click on a row away from its box: the file is copied to the temporary folder
  // and shown in the preview pane; folders and the way up show the placeholder.
  void PreviewClickedRow(int row);
  // The Up and Down keys: the same for the row of the selection mark.
  void PreviewMarkedRow();
  // Shows the path in the preview pane when `show` is nonzero (an empty path: the placeholder).
  void ShowPreviewOfFile(CString path, int show);
  // 1 when the name's extension has a viewer; else the pane shows its placeholder.
  int CheckPreviewable(const CString& name);
  // 1 when the folder and name or the ID differ from the last file copied (and remembers them).
  int IsNewPreviewItem(const CString& folder, const CString& name, int64_t fileId);
  // A free "tmp<n>.<ext>" name in the temporary folder, recorded in TempCopyFiles.
  CString MakeTempCopyName(const CString& name);
  // The session's item path: "\" + the tree path of the parent folder + "\" + name.
  void BuildPreviewItemPath(uint32_t parentKey, const CString& name);
  // Asks the hidden Office automation instances left by a preview to close.
  void CloseOfficeApplications();
  // Deletes every copy recorded (and the preview folder); the map stays.
  void DeleteTempCopies();
  void ForgetTempCopies() { TempCopyFiles.clear(); }

  // Every copy name handed out, by its number.
  std::map<int, CString> TempCopyFiles;
  // Set by the Back commands: the next paint of the list empties the preview pane.
  static int ClearPreviewOnPaint;

 protected:
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  DECLARE_MESSAGE_MAP()

 private:
  // The copy of a file row out of the source into the temporary folder, shown when written.
  void CopyAndShow(int row, bool clicked);
  bool TempFolderConfirmed(const CString& folder);
  int SmallIconOf(const CString& name, bool folder);

  // Shared by every list of the run, so that a file last previewed from either list is not copied again.
  static CString LastPreviewText;
  static int64_t LastPreviewId;
  CString tempCopyName_;
  int tempCopyCounter_ = 0;
  bool tempFolderConfirmed_ = false;

 private:
  engine::EngineContext& ctx_;
  CResultTreeCtrl* tree_ = nullptr;
  ResultCheckMaps maps_;
  CImageList states_;
  CFont boldFont_;
  std::unordered_map<std::wstring, int> iconByExtension_;
  CString renameOldName_;
  int renameRow_ = -1;
  std::function<void()> contextMenu_;
};
