// The top-level window of the standard-controls gallery. It puts itself
// where the last run left it (CSavedWindowPlacement) and stores its
// placement when it closes.
#pragma once

#include "CStandardControlsPage.h"

class CControlsGalleryFrame : public CWnd
{
public:
    static constexpr LPCTSTR kTitle = L"Toolkit Controls Gallery";
    static constexpr LPCTSTR kAppName = L"Toolkit Controls Gallery";
    static constexpr LPCTSTR kRegistryKey = L"Pelmo Tests";

    CControlsGalleryFrame() = default;
    ~CControlsGalleryFrame() override;

    // bRestorePlacement: put back the stored placement before showing.
    BOOL CreateGallery(BOOL bRestorePlacement);

    CStandardControlsPage m_page;
    BOOL m_bQuitOnDestroy = FALSE;
    BOOL m_bStorePlacementOnClose = FALSE;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override {}
};
