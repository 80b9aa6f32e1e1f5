#include "CCorrupted_NoPreview_View.h"

#include "CMainPreviewView.h"
#include "PlaceholderPicture.h"
#include "PreviewDispatch.h"
#include "PreviewSession.h"

IMPLEMENT_DYNCREATE(CCorrupted_NoPreview_View, CView)

BEGIN_MESSAGE_MAP(CCorrupted_NoPreview_View, CView)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CCorrupted_NoPreview_View::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    // The pane knows why it shows this view; a view made elsewhere judges the flags.
    if (auto* pHost = dynamic_cast<CMainPreviewView*>(GetParent()))
    {
        m_nBitmapId = pHost->GetNoPreviewBitmap();
        m_strReason = pHost->GetNoPreviewReason();
    }
    else if (CPreviewSession* pSession = FindPreviewSession(this))
    {
        preview::PreviewFlags flags;
        flags.nothingToPreview = pSession->NothingToPreview != 0;
        flags.lastPreviewable = pSession->LastPreviewable != 0;
        flags.previewOk = pSession->PreviewOk != 0;
        m_nBitmapId = static_cast<UINT>(preview::ChooseNoPreviewBitmap(flags));
        m_strReason = pSession->FailureReason;
    }
    else
    {
        m_nBitmapId = preview::kBitmapNotSupported;
    }
    return 0;
}

void CCorrupted_NoPreview_View::OnDraw(CDC* pDC)
{
    DrawPlaceholderPicture(this, pDC, m_nBitmapId, m_strReason);
}
