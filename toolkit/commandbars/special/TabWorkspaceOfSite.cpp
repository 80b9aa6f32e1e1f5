#include "TabWorkspaceOfSite.h"

#include "CKitTabClientWnd.h"
#include "window/CFrameWnd.h"

CKitTabClientWnd* FindTabWorkspace(CWnd* pSite)
{
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(pSite);
    if (pFrame == nullptr || !::IsWindow(pFrame->m_hWndMDIClient))
        return nullptr;
    return dynamic_cast<CKitTabClientWnd*>(CWnd::FromHandlePermanent(pFrame->m_hWndMDIClient));
}
