// The viewer of Photoshop documents: the composite image, decoded once when the
// view is created into a bitmap, stretched over the whole view.
#pragma once

#include "Framework.h"

#include "CPsdDecoder.h"

class CPSDViewView : public CView
{
    DECLARE_DYNCREATE(CPSDViewView)
public:
    static constexpr UINT kFrameId = 61468;

    CPSDViewView() = default;
    ~CPSDViewView() override;

    // Decodes the document and keeps the result; always 0.
    int LoadFile(const CString& strPath);
    int GetResult() const { return m_nResult; }
    HBITMAP GetBitmap() const { return m_hBitmap; }

    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnHScroll(UINT, UINT, CScrollBar*) {}
    afx_msg void OnVScroll(UINT, UINT, CScrollBar*) {}
    DECLARE_MESSAGE_MAP()

private:
    // A 24-bit bottom-up DIB section holding the decoder's pixels.
    static HBITMAP CreateBitmap(const preview::CPsdDecoder& decoder);

    CSize m_size;
    CStatic m_frame;
    HBITMAP m_hBitmap = nullptr;
    int m_nResult = 0;
};
