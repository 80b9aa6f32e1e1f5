// The docking gallery: a frame with the docking host attached, panes docked
// left of and below the view, the splitter bars between them dragged by the
// user, and the arrangement stored in the registry and shown again by
// another run.
#pragma once

#include <vector>

#include "CDockingHostWnd.h"
#include "window/CFrameWnd.h"

class CDockingPaneItem;

class CDockingGalleryFrame : public CFrameWnd
{
public:
    static constexpr int kFolders = 101;
    static constexpr int kOutput = 102;
    static constexpr int kFindResults = 103;
    static constexpr int kProperties = 104;

    // Style 2, as the program selects it; WS_EX_LAYOUTRTL in `dwExStyle`
    // makes a right-to-left frame.
    BOOL CreateGallery(int x, int y, int clientWidth, int clientHeight, int nStyle = 2, DWORD dwExStyle = 0);
    // Folders on the left (at least 60 pixels wide), Output and Find Results
    // as tabs of one group below the view, Properties beside that group.
    void DockSamplePanes();
    // Loads the arrangement the registry key holds and gives its panes their
    // windows; FALSE when the store was refused (the view alone then).
    BOOL LoadFrom(HKEY hKey);
    void StoreTo(HKEY hKey);
    // Runs the layout the docking host asked for, as the idle pass would.
    void RunIdleLayout();

    CDockingHostWnd& GetHost() { return m_host; }
    HWND GetView() const { return m_view.GetSafeHwnd(); }
    HWND GetPaneWindow(int nPaneId) const;

protected:
    void PostNcDestroy() override {}

private:
    HWND MakePaneWindow(int nPaneId);

    CDockingHostWnd m_host;
    CWnd m_view;
    std::vector<HWND> m_paneWindows;
};
