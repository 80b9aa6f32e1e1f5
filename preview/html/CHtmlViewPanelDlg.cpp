#include "CHtmlViewPanelDlg.h"

#include "HtmlRendererPane.h"

BOOL CHtmlViewPanelDlg::CreatePanel(CWnd* pParent)
{
    const std::vector<WORD> dialog =
        preview::ControlLessDialogTemplate(339, 108, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    return CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(dialog.data()), pParent);
}
