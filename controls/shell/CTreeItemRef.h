// A tree item together with its tree control, for inserting and querying
// items (the database tree of the Access preview).
#pragma once

#include "Framework.h"

class CTreeItemRef {
 public:
  CTreeItemRef() = default;
  CTreeItemRef(HTREEITEM item, CTreeCtrl* tree) : m_hItem(item), m_pTree(tree) {}
  CTreeItemRef(const CTreeItemRef&) = default;
  CTreeItemRef& operator=(const CTreeItemRef& other) {
    if (this != &other) {
      m_hItem = other.m_hItem;
      m_pTree = other.m_pTree;
    }
    return *this;
  }

  // A child of this item (a null item inserts at the top level); a null item
  // when the insertion fails. An image of -1 leaves the images alone.
  CTreeItemRef InsertChild(LPCTSTR text, int image, HTREEITEM insertAfter = TVI_LAST) const;
  int GetImage() const;
  static CTreeItemRef InsertInto(CTreeCtrl* tree, TVINSERTSTRUCTW& insert);

  HTREEITEM m_hItem = nullptr;
  CTreeCtrl* m_pTree = nullptr;
};
