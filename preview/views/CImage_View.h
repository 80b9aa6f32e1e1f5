// The viewer of raster images: the picture, decoded once when the view is made,
// drawn 200 pixels wide in the middle of the view's top.
#pragma once

#include "Framework.h"

#include "CxImage.h"

class CImage_View : public CView
{
    DECLARE_DYNCREATE(CImage_View)
public:
    const CxImage& GetImage() const { return m_image; }
    // Where the picture of w x h pixels is drawn in a view w wide.
    static CRect PictureRect(int clientWidth, uint32_t width, uint32_t height);

    void OnUpdate(CView*, LPARAM, CObject*) override {}
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    CxImage m_image;
};
