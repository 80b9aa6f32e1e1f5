// The docking gallery: a frame whose docked panes follow an arrangement (a
// pane left of the view, a tabbed group of two below it), with splitter bars
// that the user drags within the panes' limits, and the arrangement kept in
// the registry between runs.
#pragma once

#include <windows.h>

#include <vector>

#include "core/ArrangementLayout.h"

class CDockingGalleryWnd
{
public:
    static constexpr int kSplitterSize = 4;
    static constexpr int kMinimumPaneExtent = 22;
    static constexpr int kViewId = 100;
    static constexpr int kFirstBarId = 9000;

    explicit CDockingGalleryWnd(kit::docking::StoredArrangement arrangement);
    ~CDockingGalleryWnd();
    CDockingGalleryWnd(const CDockingGalleryWnd&) = delete;
    CDockingGalleryWnd& operator=(const CDockingGalleryWnd&) = delete;

    // A top-level window whose client area is `clientWidth` x `clientHeight`.
    BOOL Create(int x, int y, int clientWidth, int clientHeight);
    HWND GetSafeHwnd() const { return m_hWnd; }

    const kit::docking::StoredArrangement& GetArrangement() const { return m_arrangement; }
    const kit::docking::ArrangementPlacement& GetPlacement() const { return m_placement; }
    // The window of a pane, a group's selected pane or the view; null for none.
    HWND GetPaneWindow(int nPaneId) const;
    HWND GetBarWindow(size_t nBar) const;

    // Closes a pane out of its group as the application would while a drag runs.
    void ClosePane(int nPaneId);

private:
    static LRESULT CALLBACK FrameProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK BarProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

    void CreateChildren();
    void Relayout();
    void TrackBar(HWND hBar, POINT ptClient);

    kit::docking::StoredArrangement m_arrangement;
    kit::docking::ArrangementPlacement m_placement;
    HWND m_hWnd = nullptr;
    HWND m_hView = nullptr;
    std::vector<std::pair<int, HWND>> m_panes;  // pane id, its window
    std::vector<HWND> m_bars;
};
