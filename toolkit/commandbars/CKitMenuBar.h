// The toolbar that replaces the frame's menu: built from a menu resource, it
// takes the frame's own menu away, lets Alt alone (or F10) start keyboard
// navigation of the titles, and on an MDI frame follows the menu changes and
// shows the maximized child's system-menu icon and its window buttons.
#pragma once

#include "CKitToolBar.h"
#include "CSubclassHookSink.h"

#include <map>

// Window-command controls of a maximized MDI child; never stored.
constexpr int kMdiCloseId = 9403;
constexpr int kMdiRestoreId = 9404;
constexpr int kMdiMinimizeId = 9405;
constexpr int kMdiSystemMenuId = 9406;

class CKitMenuBar : public CKitToolBar
{
    DECLARE_SERIAL(CKitMenuBar)
public:
    // Flags only the menu bar reads.
    static constexpr DWORD kNoMinimizeButton = 0x100;
    static constexpr DWORD kNoRestoreButton = 0x200;
    static constexpr DWORD kKeepControlsOnMenuChange = 0x400;
    static constexpr DWORD kNoCloseButton = 0x1000;
    static constexpr DWORD kShowSystemIcon = 0x2000;
    // Posted to itself when the MDI state may have changed.
    static constexpr UINT_PTR kMdiStateTimer = 12223;

    CKitMenuBar();
    ~CKitMenuBar() override;

    // Fills the bar from the menu resource, hooks the site and takes the
    // site's own menu away; FALSE (the frame keeps its menu) when the menu
    // cannot be loaded.
    BOOL LoadMenuBar(UINT nMenuId);
    // The MDI frame shows another menu.
    void SwitchMenu(HMENU hMenu);
    // Hooks the active MDI child and refreshes its window controls.
    void UpdateMdiState();
    HWND GetActiveMdiChild(BOOL* pbMaximized) const;
    void ResetBar() override;
    // The menu bar's copy also takes the default menu and deep copies of the
    // controls kept for other menus.
    void Copy(CKitCommandBar* pSource, BOOL bRecursive) override;
    // The toolbar's keys, "ResourceId" and the controls kept for other
    // menus ("MDIMenu" sections).
    void DoPropExchange(CKitPropExchange* pPX) override;
    // The kept menus' popup bars are stored and resolved with the bar's own.
    void CollectForSave(int* pnNextId, std::vector<CKitCommandBar*>& bars, const CBarTreeOptions& options) override;
    void ResolvePopupReferences(const std::vector<CKitCommandBar*>& bars, int nDepth = 0) override;
    // With a menu open, the title that becomes hot opens its menu.
    void SetSelected(int nIndex, BOOL bKeyboard) override;

    UINT GetDefaultMenuId() const { return m_nDefaultMenuId; }
    UINT GetCurrentMenuId() const { return m_nCurrentMenuId; }
    HMENU GetFrameMenu() const { return m_hFrameMenu; }
    // The controls kept for a menu that is not shown now (customization
    // allowed), or null.
    CKitControls* GetKeptMenuControls(UINT nMenuId) const;
    BOOL HasKeptMenus() const { return !m_keptMenus.empty(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    class CHookSink : public CSubclassHookSink
    {
    public:
        explicit CHookSink(CKitMenuBar* pBar) : m_pBar(pBar) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    private:
        CKitMenuBar* m_pBar;
    };

    int OnSiteMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult);
    HWND GetMdiClient() const;
    void RefreshMdiControls(HWND hChild, BOOL bMaximized);
    void Unhook();
    void ReleaseKeptMenus();

    BOOL m_bMdiFrame = FALSE;
    HWND m_hActiveChild = nullptr;
    HMENU m_hFrameMenu = nullptr;
    UINT m_nDefaultMenuId = 0;
    UINT m_nCurrentMenuId = 0;
    HWND m_hSite = nullptr;
    HWND m_hMdiClient = nullptr;
    // While customization is allowed, each menu of the MDI frame keeps the
    // controls the user made of it; one reference per kept collection.
    std::map<UINT, CKitControls*> m_keptMenus;
    CHookSink m_hookSink{this};
};
