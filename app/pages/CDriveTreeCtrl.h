// The tree from which the user chooses the recovery source: "My Computer" ›
// "Logical Devices" › the logical drives on the drive page, "Virtual Hard
// Disk " › the found partitions on the scan page. Choosing a node (click or
// arrow key) writes the engine's source records, records the node in the
// main frame, tells the panels what to show and sets the selection summary.
// A checked node (state image 2) is drawn bold; no check box is shown.
#pragma once

#include <string>

#include "Framework.h"

class CDriveTreeCtrl : public CTreeCtrl {
 public:
  static constexpr UINT kCheckCommand = 32003;
  static constexpr UINT kUncheckCommand = 32004;
  static constexpr UINT kSpareCommand = 32005;

  CDriveTreeCtrl();
  ~CDriveTreeCtrl() override;

  // Once, right after the window is created: image list and cursors.
  void InitImages();

  // A narrow path of components each ended by a backslash; existing nodes are
  // reused, new ones go last. Then the first top-level node and its children
  // are checked and those children expanded.
  void AddPath(const std::string& path);
  // A child under a top-level parent, both found or inserted; the parent is checked.
  void AddPartition(std::string parentText, std::string childText);
  void ExpandRoot();

  // The choice of a node: records, panels and summary. Returns its text.
  CString SelectNode(HTREEITEM node);
  // Position in visible order from the first node, minus 1 (-1 for the first
  // node and for no node).
  int VisibleIndex(HTREEITEM node) const;

  HTREEITEM FindChild(HTREEITEM parent, const CString& text) const;
  bool IsChecked(HTREEITEM node) const;
  bool IsBold(HTREEITEM node) const;
  // The optional label that counts checked nodes ("%d Selected Folder(s)").
  void SetCheckedCountLabel(CWnd* label) { checkedCountLabel_ = label; }

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnTreeKeyDown(NMHDR* header, LRESULT* result);
  afx_msg void OnCheckCommand();
  afx_msg void OnUncheckCommand();
  afx_msg void OnSpareCommand() {}
  DECLARE_MESSAGE_MAP()

 private:
  HTREEITEM FindOrInsertChild(HTREEITEM parent, const CString& text);
  void SetChecked(HTREEITEM node, bool checked);
  void SetBold(HTREEITEM node, bool bold);
  void CheckNodeAndChildren(HTREEITEM node);
  void UncheckSubtree(HTREEITEM node);
  // Checks the node with its children or unchecks its subtree, then brings the
  // ancestors' checks and bold state and the label up to date.
  void SetCheckWithAncestors(HTREEITEM node, bool checked);
  void SyncAncestorChecks(HTREEITEM node);
  void BoldAncestors(HTREEITEM node);
  void UpdateCheckedCountLabel();
  int CountCheckedBelow(HTREEITEM node) const;
  void SelectDriveNode(HTREEITEM node, int index);
  bool OverNodePart(UINT hitFlags) const;

  CImageList images_;
  HCURSOR expandCursor_ = nullptr;
  HCURSOR handCursor_ = nullptr;
  HCURSOR pressedCursor_ = nullptr;
  CWnd* checkedCountLabel_ = nullptr;
};
