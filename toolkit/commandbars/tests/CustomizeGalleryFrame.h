#pragma once
// The gallery frame the customize-sheet tests drive: every program command is
// enabled, the commands run are recorded, and the customize command opens the
// sheet modeless.

#include "CKitCommandBars.h"
#include "CKitFrameWnd.h"
#include "customize/CKitCustomizeSheet.h"
#include "window/CCmdUI.h"

#include <vector>

// Enables the program's commands and opens the customize sheet on the
// customize command, which makes customization allowed.
class CCustomizeGalleryFrame : public CKitFrameWnd
{
public:
    std::vector<UINT> m_commands;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID == ID_COMMANDBARS_CUSTOMIZE && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr && GetCommandBars()->GetCustomizeSheet() == nullptr)
            {
                auto* pSheet = new CKitCustomizeSheet(GetCommandBars());
                if (!pSheet->Create(this))
                    delete pSheet;
            }
            return TRUE;
        }
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_UPDATE_COMMAND_UI) && pExtra != nullptr)
        {
            static_cast<CCmdUI*>(pExtra)->Enable(TRUE);
            return TRUE;
        }
        if (nID >= 0x8000 && nID < 0xF000 && nCode == static_cast<int>(CN_COMMAND))
        {
            if (pHandlerInfo == nullptr)
                m_commands.push_back(nID);
            return TRUE;
        }
        return CKitFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};
