// The file-system page's tree of found volumes: "File System" with one item per
// volume the Extensive Scan's analysis found below it. Choosing an item makes its
// volume the volume in work (ActiveVolume, ActiveVolumeNumber) and shows its
// facts on the page's form.
#pragma once

#include "Framework.h"

class CFileSystemForm;

class CPartitionTreeCtrl : public CTreeCtrl {
 public:
  static constexpr UINT kTreeId = 156;

  CPartitionTreeCtrl();
  ~CPartitionTreeCtrl() override;

  // Once, right after the window is created: images, state images and cursors.
  void InitImages();
  void SetForm(CFileSystemForm* form) { form_ = form; }

  // Text as the last child of parent (TVI_ROOT for the top level); the new item.
  HTREEITEM InsertItemWithIcon(const CString& text, HTREEITEM parent);
  HTREEITEM AddItem(const CString& text, HTREEITEM parent) { return InsertItemWithIcon(text, parent); }

  // CMainFrame.SelectedNodeText and SelectedNodeIndex from the item.
  void RecordSelectedNode(HTREEITEM item);
  // The item's volume becomes the volume in work and the form shows its facts.
  void SelectFoundVolume(HTREEITEM item);
  // Position among the visible items from the first, minus 1.
  int VisibleIndex(HTREEITEM item) const;

 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point);
  afx_msg void OnLButtonUp(UINT flags, CPoint point);
  afx_msg void OnMouseMove(UINT flags, CPoint point);
  afx_msg void OnRButtonDown(UINT flags, CPoint point);
  afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
  afx_msg void OnTreeKeyDown(NMHDR* header, LRESULT* result);
  afx_msg void OnSpareCommand() {}
  DECLARE_MESSAGE_MAP()

 private:
  void SetCursorFor(UINT hitFlags, HCURSOR overItem);

  CImageList images_;
  CImageList states_;
  HCURSOR expandCursor_ = nullptr;
  HCURSOR handCursor_ = nullptr;
  HCURSOR pressedCursor_ = nullptr;
  CFileSystemForm* form_ = nullptr;
};
