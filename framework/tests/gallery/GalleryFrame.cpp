#include "GalleryFrame.h"

#include "GalleryDialog.h"
#include "GalleryIds.h"
#include "GalleryJournal.h"

IMPLEMENT_DYNCREATE(CGalleryFrame, CFrameWnd)

BEGIN_MESSAGE_MAP(CGalleryFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND_EX(ID_GALLERY_ROUTE, OnRoute)
    ON_COMMAND(ID_GALLERY_SETTINGS, OnSettings)
END_MESSAGE_MAP()

static const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};

int CGalleryFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_toolBar.Create(this) || !m_toolBar.LoadToolBar(IDR_MAINFRAME))
        return -1;
    if (!m_statusBar.Create(this) || !m_statusBar.SetIndicators(kIndicators, 4))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CGalleryFrame::OnRoute(UINT)
{
    GalleryJournal().push_back(L"frame");
    return FALSE;
}

void CGalleryFrame::OnSettings()
{
    CGalleryDialog dialog(this);
    m_nLastSettingsResult = static_cast<int>(dialog.DoModal());
}
