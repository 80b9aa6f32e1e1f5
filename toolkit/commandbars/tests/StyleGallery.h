// The gallery of the command-bar drawing styles: one column per style with a
// menu bar and a toolbar in a dock bar, a toolbar in the right dock bar, an
// open popup menu and a status bar, every element measured and drawn by the
// column's drawer.
// The program never opens these bars as such; the gallery gives them a place
// to be seen, sampled and measured.
#pragma once

#include "CCommandBarDrawer.h"
#include "Framework.h"

#include <memory>
#include <vector>

// A control whose popped state, open list and icon the gallery sets directly.
class CGalleryControl : public CKitControl
{
public:
    CGalleryControl(int nType, LPCTSTR lpszCaption, CCommandIcon* pIcon = nullptr);
    CCommandIcon* GetIcon(int nWidth) override;
    BOOL GetPopped() const override { return m_bPopped; }

    BOOL m_bPopped = FALSE;
    CCommandIcon* m_pIcon = nullptr;
};

// A bar that lays its controls out by the drawer's measures and paints through it.
class CGalleryBar : public CKitCommandBar
{
public:
    CGalleryBar(CCommandBarDrawer* pDrawer, int nType, int nPosition);
    ~CGalleryBar() override;

    CGalleryControl* AddControl(int nType, LPCTSTR lpszCaption, CCommandIcon* pIcon = nullptr);
    // Places the controls in a row (menu bars, toolbars) or a column (popups)
    // at the sizes the drawer measures; returns the bar's size.
    CSize Layout();
    void Paint(CDC* pDC);
    CCommandBarDrawer* GetDrawer() const { return m_pDrawer; }

    // The expand button at the end of a toolbar, or the expand row of a popup.
    BOOL m_bExpandButton = FALSE;
    BOOL m_bHiddenControls = TRUE;
    CGalleryControl m_expand{kControlButton, L""};
    CKitControl* m_pOpener = nullptr;
    CKitControl* GetOpeningControl() const override { return m_pOpener; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CCommandBarDrawer* m_pDrawer;
    CSize m_size;
};

// A dock bar: the area behind docked bars, painted by the drawer.
class CGalleryDockBar : public CWnd
{
public:
    explicit CGalleryDockBar(CCommandBarDrawer* pDrawer) : m_pDrawer(pDrawer) {}
    void Paint(CDC* pDC) { m_pDrawer->PaintDockBarBackground(pDC, this); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CCommandBarDrawer* m_pDrawer;
};

// A status bar with three panes and a size grip.
class CGalleryStatusBar : public CWnd
{
public:
    explicit CGalleryStatusBar(CCommandBarDrawer* pDrawer);
    ~CGalleryStatusBar() override;
    void Paint(CDC* pDC);
    // The rectangle of pane i in client coordinates.
    CRect PaneRect(int nIndex) const;

    std::vector<CKitStatusBarPane*> m_panes;
    CFont m_font;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CCommandBarDrawer* m_pDrawer;
};

// One style's column.
struct CGalleryColumn
{
    CGalleryColumn() = default;
    CGalleryColumn(const CGalleryColumn&) = delete;
    CGalleryColumn& operator=(const CGalleryColumn&) = delete;
    // The bars go first; the column holds the drawer's first reference.
    ~CGalleryColumn();

    int nStyle = 0;
    CString strTitle;
    CCommandBarDrawer* pDrawer = nullptr;
    std::unique_ptr<CGalleryDockBar> pTopDock;
    std::unique_ptr<CGalleryDockBar> pRightDock;
    std::unique_ptr<CGalleryBar> pMenuBar;
    std::unique_ptr<CGalleryBar> pToolBar;
    std::unique_ptr<CGalleryBar> pPopup;
    std::unique_ptr<CGalleryBar> pSideBar;
    std::unique_ptr<CGalleryStatusBar> pStatusBar;
    CRect rcColumn;
};

class CStyleGalleryWindow : public CWnd
{
public:
    CStyleGalleryWindow();
    ~CStyleGalleryWindow() override;

    // Creates the window with a column for each of styles 0, 1, 2 and 4.
    BOOL CreateGallery();
    // The column titles on the window's background.
    void Paint(CDC* pDC);
    std::vector<std::unique_ptr<CGalleryColumn>> m_columns;

    static constexpr int kColumnWidth = 304;
    static constexpr int kCaptionHeight = 22;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildColumn(CGalleryColumn& column, int x);
    std::vector<CCommandIcon*> m_icons;
};

// Commands of the gallery's icons.
enum GalleryCommand
{
    kCmdNew = 100,
    kCmdOpen,
    kCmdSave,
    kCmdBold,
    kCmdCut,
    kCmdUndo,
    kCmdCopy,
    kCmdPaste,
    kCmdStatusBar,
};
