// The viewer of icons and metafiles: the picture loaded by OLE, drawn between
// 200-pixel margins when it is transparent, at its own size when it is opaque.
#pragma once

#include "Framework.h"

#include <ocidl.h>

class CTextView : public CView
{
    DECLARE_DYNCREATE(CTextView)
public:
    CTextView() = default;
    ~CTextView() override;

    // 1 when the picture was loaded.
    int LoadPicture(const CString& strPath);
    IPicture* GetPicture() const { return m_pPicture; }
    CSize GetPixelSize() const { return CSize(m_nPixelWidth, m_nPixelHeight); }
    // HIMETRIC units to pixels at the given resolution, rounded half up.
    static int HimetricToPixels(int himetric, int pixelsPerInch);

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    DECLARE_MESSAGE_MAP()

private:
    void DrawTransparent(CDC* pDC, const CRect& target);

    IPicture* m_pPicture = nullptr;
    int m_nPixelWidth = 0;
    int m_nPixelHeight = 0;
    OLE_XSIZE_HIMETRIC m_nHimetricWidth = 0;
    OLE_YSIZE_HIMETRIC m_nHimetricHeight = 0;
};
