// The tree of the File Types dialog: "File Types", the categories of the
// signature database and their extensions, each with a three-state box. A
// category or the root is ticked when none of its children is unticked,
// unticked when none is ticked, and partly ticked otherwise.
#pragma once

#include <vector>

#include "EngineHost.h"
#include "signatures/SignatureSelection.h"
#include "Framework.h"

class CFileTypeTreeCtrl : public CTreeCtrl {
 public:
  // Check states: the state image minus one.
  enum CheckState { kUnchecked = 0, kChecked = 1, kPartial = 2 };

  void InitTree();
  void AddTypeItem(const CString& category, const CString& extension);
  // Keeps the record at the head of the signature list.
  int AddSignature(const engine::SignatureRecord& record);
  void ToggleCheck(HTREEITEM item);
  void ToggleRoot();
  HTREEITEM FindOrAddChild(const CString& text, HTREEITEM parent);

  void MarkUnchecked(HTREEITEM item);
  void MarkChecked(HTREEITEM item);
  void MarkPartial(HTREEITEM item);
  // The state image minus one: -1 for an item without a box (counts as set).
  int GetCheckState(HTREEITEM item) const;
  bool NoChildChecked(HTREEITEM item) const;
  void CheckWithPropagation(HTREEITEM item);
  void UncheckWithPropagation(HTREEITEM item);

  HTREEITEM Root() const { return root_; }
  // The records head first (the last record read comes first).
  const std::vector<engine::SignatureRecord>& Signatures() const { return signatures_; }
  // The items below the root, depth first in display order.
  std::vector<engine::FileTypeTreeItem> VisitedItems() const;

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnKeyDownReflect(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  void SettleAncestors(HTREEITEM item, bool afterUncheck);
  void SetStateImage(HTREEITEM item, int image);

  CImageList states_;
  int folderIcon_ = 0;
  HTREEITEM root_ = nullptr;
  std::vector<engine::SignatureRecord> signatures_;
};
