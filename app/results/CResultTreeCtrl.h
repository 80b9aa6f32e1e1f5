// The folder tree of the results page: "Root" with the folders a scan found (the
// deleted ones in red) or, after File Trace, one folder per file type with one per
// extension below it. Every item has a three-state box: ticking an item ticks its
// whole subtree with every file in it, and each folder above is ticked, unticked
// or partly ticked by all of its files and subfolders.
#pragma once

#include <cstdint>
#include <vector>

#include "Framework.h"
#include "ResultCheckMaps.h"

namespace engine {
struct EngineContext;
}

class CResultTreeCtrl : public CTreeCtrl {
 public:
  static constexpr UINT kId = 162;
  enum CheckState { kUnchecked = 0, kChecked = 1, kPartial = 2 };

  CResultTreeCtrl(engine::EngineContext& ctx, ResultCheckMaps& maps) : ctx_(ctx), maps_(maps) {}

  BOOL Create(CWnd* parent);
  void InitImages();

  // Building, on the user-interface thread.
  HTREEITEM InsertItemWithIcon(const CString& text, HTREEITEM parent);
  void AddFatFolders(HTREEITEM parent, uint32_t parentCluster);
  void AddNtfsFolders(HTREEITEM parent, uint32_t parentId);
  void AddFileTypeFolders(HTREEITEM root);
  void DeleteAllResults();

  // Ticks.
  int GetCheckState(HTREEITEM item) const;
  // Ticks (or unticks) the item's subtree with its files, then settles the folders above.
  void SetCheck(HTREEITEM item, bool check);
  void ToggleCheck(HTREEITEM item) { SetCheck(item, GetCheckState(item) == kUnchecked); }
  // A file of the folder `item` changed its tick: settles the folder and those above.
  void FileCheckChanged(HTREEITEM item) { SettleFrom(item); }
  // Fills SaveFolderItems and ListCheckedFileIds from the ticks.
  void CollectItemsToSave();

  // Handles a click on an item's box; true when the point was on one.
  bool ClickAt(CPoint client);
  // The items in pre-order after `item` (the first item for null).
  HTREEITEM NextPreorder(HTREEITEM item) const;
  // The texts of the item's ancestors below the root and its own, joined by '\'.
  CString GetItemPath(HTREEITEM item) const;

  // Custom drawing: deleted folders in red.
  LRESULT OnCustomDraw(NMTVCUSTOMDRAW* draw);

 private:
  void MarkState(HTREEITEM item, int state);
  void MarkSubtree(HTREEITEM item, bool check);
  void SettleFrom(HTREEITEM item);
  int StateFromContents(HTREEITEM item) const;
  void InsertFolderLevel(HTREEITEM parent, uint32_t key, bool fat, int depth);

  engine::EngineContext& ctx_;
  ResultCheckMaps& maps_;
  CImageList states_;
  HIMAGELIST systemImages_ = nullptr;
  int folderIcon_ = 0;
};
