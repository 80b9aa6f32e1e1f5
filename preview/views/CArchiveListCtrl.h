// The archive viewer's list: one report row per member, columns by the kind of
// archive, the document-page image on every column heading. Clicks only repaint;
// nothing is dragged or opened.
#pragma once

#include "Framework.h"

class CArchiveListCtrl : public CListCtrl
{
public:
    CArchiveListCtrl() = default;
    ~CArchiveListCtrl() override;

    // The columns for the archive's extension (".zip", or ".gz", ".cab", ".rar").
    void SetupColumns(const CString& strExtension);
    void SetHeaderImages();

    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnBeginDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnHeaderDrag(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
    DECLARE_MESSAGE_MAP()

private:
    HIMAGELIST m_hHeaderImages = nullptr;
};
