#include "CToolbarListButton.h"

#include "CKitCommandBars.h"

void CToolbarListButton::Execute()
{
    CKitCommandBar* pBar = m_pParent;
    CKitCommandBars* pCommandBars = pBar != nullptr ? pBar->FindCommandBars() : nullptr;
    const int nBar = static_cast<int>(m_dwTag);
    CKitCommandBars::ClosePopups();
    if (pCommandBars != nullptr && nBar >= 0 && nBar < pCommandBars->GetCount())
        pCommandBars->ToggleBarVisible(nBar);
}
