#include "CThirdView_HDD.h"

IMPLEMENT_DYNCREATE(CThirdView_HDD, CView)

BEGIN_MESSAGE_MAP(CThirdView_HDD, CView)
  ON_WM_CREATE()
  ON_WM_SIZE()
END_MESSAGE_MAP()

int CThirdView_HDD::OnCreate(LPCREATESTRUCT createStruct) {
  if (CView::OnCreate(createStruct) == -1) return -1;
  const CRect empty(0, 0, 0, 0);
  if (!tree_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                        TVS_SHOWSELALWAYS,
                    empty, this, kTreeId))
    return -1;
  if (!list_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, empty, this, kListId))
    return -1;
  list_.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  return 0;
}

void CThirdView_HDD::OnSize(UINT type, int cx, int cy) {
  CView::OnSize(type, cx, cy);
  const int treeWidth = cx / 3;
  if (tree_.GetSafeHwnd() != nullptr) tree_.MoveWindow(0, 0, treeWidth, cy);
  if (list_.GetSafeHwnd() != nullptr) list_.MoveWindow(treeWidth + 5, 0, cx - treeWidth - 5, cy);
}

void CThirdView_HDD::OnDraw(CDC*) {}

HTREEITEM CThirdView_HDD::InsertResultTreeItem(const CString& text, HTREEITEM parent) {
  return tree_.InsertItem(text, parent == nullptr ? TVI_ROOT : parent);
}

void CThirdView_HDD::ExpandResultTreeItem(HTREEITEM item) { tree_.Expand(item, TVE_EXPAND); }

void CThirdView_HDD::FocusResultTree() { tree_.SetFocus(); }

void CThirdView_HDD::DeleteAllResultRows() { list_.DeleteAllItems(); }

void CThirdView_HDD::AddResultRow(const CString& name, const CString& type, const CStringArray& columns) {
  const int row = list_.InsertItem(list_.GetItemCount(), name);
  if (row < 0) return;
  list_.SetItemText(row, 1, type);
  for (int column = 0; column < static_cast<int>(columns.GetSize()); ++column)
    list_.SetItemText(row, column + 2, columns[column]);
}

void CThirdView_HDD::SetResultsReportView() { list_.ModifyStyle(LVS_TYPEMASK, LVS_REPORT); }
