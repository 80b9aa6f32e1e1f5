// The viewer of archives: the members of a ZIP, a cabinet or a RAR archive in a
// report list, one row each. Nothing is extracted.
#pragma once

#include "Framework.h"

#include "CArchiveListCtrl.h"
#include "CSysImageList.h"

#include <memory>

class CMyListCtrl : public CView
{
    DECLARE_DYNCREATE(CMyListCtrl)
public:
    static constexpr UINT kListId = 165;

    CMyListCtrl();
    ~CMyListCtrl() override;

    CArchiveListCtrl* GetList() const { return m_pList.get(); }
    int ListZip(const CString& strPath);
    int ListCab();
    int ListRar();

    void OnDraw(CDC*) override {}
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    int InsertMemberRow(int row, const CString& strName);
    CString PreviewPath();
    void ReportFailure(LPCTSTR reason);

    CString m_strCurrentDirectory;
    std::unique_ptr<CArchiveListCtrl> m_pList;
    HIMAGELIST m_hImages = nullptr;
    CSysImageList m_sysImages;
};
