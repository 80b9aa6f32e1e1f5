// The Access preview's tree: the database with its tables, relations and queries.
// Choosing a table shows its records in the record list beside it.
#pragma once

#include "Framework.h"
#include "PreviewDatabase.h"

#include <vector>

class CMDBListView;

class CDaoTreeView : public CTreeView
{
    DECLARE_DYNCREATE(CDaoTreeView)
public:
    // The kind of an item is its image.
    enum ItemImage { kDatabase = 0, kTable = 2, kTables = 3, kRelation = 8, kRelations = 9, kQuery = 10, kQueries = 11 };
    static constexpr long kSystemAttributes = static_cast<long>(0x80000002);
    static constexpr short kSystemQueryType = 5;

    CDaoTreeView();
    ~CDaoTreeView() override;

    void SetDatabase(IPreviewDatabase* pDatabase) { m_pDatabase = pDatabase; }
    void SetRecordList(CMDBListView* pList) { m_pRecordList = pList; }
    void FillDatabaseTree();
    HTREEITEM GetTablesItem() const { return m_hTables; }
    HTREEITEM GetRelationsItem() const { return m_hRelations; }
    HTREEITEM GetQueriesItem() const { return m_hQueries; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSysColorChange();
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR*, LRESULT* pResult) { *pResult = 0; }
    DECLARE_MESSAGE_MAP()

private:
    HTREEITEM AddChild(HTREEITEM hParent, const CString& text, int image);
    void AddSection(HTREEITEM hParent, int image, const std::vector<PreviewDatabaseObject>& objects,
                    bool (*isSystem)(const PreviewDatabaseObject&));

    IPreviewDatabase* m_pDatabase = nullptr;
    CMDBListView* m_pRecordList = nullptr;
    UINT m_nClipboardFormat = 0;
    HTREEITEM m_hCurrent = nullptr;
    BOOL m_bFilling = FALSE;
    HIMAGELIST m_hImages = nullptr;
    HTREEITEM m_hDatabase = nullptr;
    HTREEITEM m_hTables = nullptr;
    HTREEITEM m_hRelations = nullptr;
    HTREEITEM m_hQueries = nullptr;
};
