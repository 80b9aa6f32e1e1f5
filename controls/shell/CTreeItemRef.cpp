#include "CTreeItemRef.h"

CTreeItemRef CTreeItemRef::InsertInto(CTreeCtrl* tree, TVINSERTSTRUCTW& insert) {
  if (!tree || !tree->GetSafeHwnd()) return CTreeItemRef(nullptr, tree);
  return CTreeItemRef(
      reinterpret_cast<HTREEITEM>(tree->SendMessage(TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert))), tree);
}

CTreeItemRef CTreeItemRef::InsertChild(LPCTSTR text, int image, HTREEITEM insertAfter) const {
  TVINSERTSTRUCTW insert{};
  insert.hParent = m_hItem ? m_hItem : TVI_ROOT;
  insert.hInsertAfter = insertAfter;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<LPWSTR>(text ? text : L"");
  if (image != -1) {
    insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.iImage = insert.item.iSelectedImage = image;
  }
  return InsertInto(m_pTree, insert);
}

int CTreeItemRef::GetImage() const {
  if (!m_pTree || !m_pTree->GetSafeHwnd() || !m_hItem) return -1;
  TVITEMW item{};
  item.mask = TVIF_HANDLE | TVIF_IMAGE;
  item.hItem = m_hItem;
  if (!m_pTree->SendMessage(TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}
