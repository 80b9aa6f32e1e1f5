// The file list of the results page: the folders and files of the folder chosen in
// the results tree, as the engine's list fillers write them. A row is known by its
// texts: "Parent..." for the way up, "Folder" or "Deleted Folder" in the type
// column for folders, and the ID column (a file's ID, a folder's tree item).
// Deleted items are drawn in red, ticked rows in bold. The list owns the check maps
// that keep its boxes and the tree's in step.
#pragma once

#include <cstdint>
#include <optional>

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

  BOOL Create(CWnd* parent);
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

 private:
  engine::EngineContext& ctx_;
  CResultTreeCtrl* tree_ = nullptr;
  ResultCheckMaps maps_;
  CImageList states_;
  CFont boldFont_;
};
