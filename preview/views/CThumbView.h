// The viewer of a folder of pictures (the slides PowerPoint exported): numbered
// 160 x 120 thumbnails in an icon list, filled in one picture at a time.
#pragma once

#include "Framework.h"

#include <vector>

class CThumbView : public CListView
{
    DECLARE_DYNCREATE(CThumbView)
public:
    static constexpr int kThumbWidth = 160;
    static constexpr int kThumbHeight = 120;

    CThumbView() = default;
    ~CThumbView() override;

    // The picture files of the folder (by their names' image formats), lower-cased
    // and sorted.
    static std::vector<CString> ListImageFolder(const CString& strFolder);
    // Where a w x h picture lies in its 160 x 120 frame.
    static CRect ThumbRect(uint32_t width, uint32_t height);
    void BuildThumbnails(const CString& strFolder, const std::vector<CString>& names);
    HIMAGELIST GetImages() const { return m_hImages; }

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID, CCreateContext* pContext = nullptr) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC*) override {}

private:
    void ResetImages();
    HIMAGELIST m_hImages = nullptr;
};
