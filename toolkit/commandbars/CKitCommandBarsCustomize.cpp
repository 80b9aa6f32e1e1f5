// The command bars' side of customization: the drag source they own and the
// toolbars the user makes.
#include "CKitCommandBars.h"

#include "CBarDragTracker.h"
#include "CKitToolBar.h"
#include "customize/CControlDragSource.h"

namespace
{
constexpr DWORD kCustomToolBarDocking = 0x3F;
}

void CKitCommandBars::CDragSourceDeleter::operator()(CControlDragSource* pSource) const
{
    delete pSource;
}

CControlDragSource* CKitCommandBars::GetDragSource()
{
    if (m_pDragSource == nullptr)
        m_pDragSource.reset(new CControlDragSource(this));
    return m_pDragSource.get();
}

CKitCommandBar* CKitCommandBars::AddCustomToolBar(LPCTSTR lpszTitle, int nBarId, BOOL bTearOff)
{
    auto* pBar = static_cast<CKitToolBar*>(RUNTIME_CLASS(CKitToolBar)->CreateObject());
    if (pBar == nullptr)
        return nullptr;
    pBar->SetCommandBars(this);
    CommandBarCreation creation;
    creation.pBar = pBar;
    creation.bToolBar = TRUE;
    creation.bTearOff = bTearOff;
    creation.lpszTitle = lpszTitle;
    creation.nBarId = static_cast<UINT>(nBarId);
    if (m_pSite != nullptr && ::IsWindow(m_pSite->m_hWnd))
        m_pSite->SendMessage(WM_COMMANDBAR_CREATE, 0, reinterpret_cast<LPARAM>(&creation));
    // A handler may have enabled docking with flags of its own.
    if (pBar->GetDragTracker() == nullptr)
        pBar->EnableBarDocking(kCustomToolBarDocking);
    pBar->SetTitle(lpszTitle);
    const BOOL bPlaced = bTearOff ? FloatCommandBar(pBar) : DockCommandBar(pBar, nullptr, kDockTop);
    if (!bPlaced)
    {
        pBar->SetCommandBars(nullptr);
        pBar->InternalRelease();
        return nullptr;
    }
    AddBar(pBar);
    pBar->m_nBarId = nBarId;
    pBar->m_bBuiltIn = FALSE;
    pBar->m_bTearOff = bTearOff;
    if (!bTearOff)
        RelayoutFrame(FALSE);
    return pBar;
}
