#include "ToolkitPopupMenu.h"

#include "CCommandBarDrawer.h"
#include "CCommandIconStore.h"
#include "CKitCommandBars.h"

int AFXAPI TrackToolkitPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, int nToolBarId)
{
    if (pMenu == nullptr || !::IsMenu(pMenu->GetSafeHmenu()))
        return 0;
    // Style 0 is made when no drawing style was chosen yet.
    if (GetCommandBarDrawer() == nullptr)
        return pMenu->TrackPopupMenu(nFlags, x, y, pOwner);
    CKitCommandBar* pPopup = CKitCommandBars::NewPopupBar(nullptr);
    if (pPopup == nullptr)
        return pMenu->TrackPopupMenu(nFlags, x, y, pOwner);
    if (nToolBarId > 0)
    {
        auto* pStore = new CCommandIconStore;
        pStore->LoadToolBar(static_cast<UINT>(nToolBarId));
        pPopup->SetOwnIconManager(pStore);
        pStore->InternalRelease();
    }
    if (!pPopup->FillFromMenu(pMenu->GetSafeHmenu(), TRUE))
    {
        pPopup->InternalRelease();
        return 0;
    }
    const int nResult = CKitCommandBars::RunPopupBar(pPopup, nFlags | TPM_NONOTIFY, x, y, pOwner, nullptr, nullptr);
    pPopup->InternalRelease();
    return nResult;
}
