// The owner of every command bar of one frame: the menu bar, the toolbars,
// the four dock bars, the settings, the keyboard shortcuts and the screen-tip
// context. The frame routes its keys through FilterFrameMessage (mnemonics,
// keyboard cues, shortcuts) and its window messages through
// HookFrameMessage; popup menus run modally from here.
//
// The bar classes of their own files plug in through class records: the
// menu bar (CKitMenuBar: EnableBarDocking, LoadMenuBar), toolbars
// (CKitToolBar: EnableBarDocking, SetPosition) and popup bars (CKitPopupBar:
// PopupAt, tracking) are created from them and used through CKitCommandBar.
#pragma once

#include "CCommandBarSettings.h"
#include "CCommandShortcuts.h"
#include "CKitCommandBar.h"

#include <array>
#include <memory>
#include <vector>

class CCommandBarDrawer;
class CCommandIconStore;
class CControlDragSource;
class CKitDockBar;
class CKitReBar;
class CScreenTipContext;
class CPopupMouseTracker;

// Private messages to the site frame.
constexpr UINT WM_CUSTOMIZE_SELCHANGED = 0x2857;
constexpr UINT WM_COMMANDBAR_CONTEXTMENU = 0x285C;
constexpr UINT WM_COMMANDBAR_CREATE = 0x2861;

// The customize command; a site that handles it allows customization. The
// resource script defines the same id as a macro, which may come first.
#ifndef ID_COMMANDBARS_CUSTOMIZE
constexpr UINT ID_COMMANDBARS_CUSTOMIZE = 35001;
#endif
// The toolbar-list control of the bars' context menu.
constexpr UINT ID_COMMANDBARS_TOOLBARS_LIST = 0xE800;

// lParam of WM_COMMANDBAR_CREATE: what the sender asks the site for.
struct CommandBarCreation
{
    CKitCommandBar* pBar = nullptr;  // the bar made already, or the popup bar the site answers with
    BOOL bPopup = FALSE;             // a control wants its popup bar
    BOOL bExpand = FALSE;            // a toolbar wants its expand popup
    BOOL bToolBar = FALSE;           // a new toolbar is announced
    BOOL bTearOff = FALSE;
    LPCWSTR lpszTitle = nullptr;
    UINT nBarId = 0;
};

// What the stored bar tree holds and how it is read back. The exchange of a
// bar-tree pass carries a pointer to it (m_dwData), so controls find the
// icon store their custom icons go to.
struct CBarTreeOptions
{
    BOOL bChangedOnly = TRUE;     // only bars whose contents differ from their resource
    BOOL bSaveOriginals = TRUE;   // with each bar, the original set it is compared with
    BOOL bSilent = FALSE;         // loading asks no question
    CKitCommandBars* pCommandBars = nullptr;
};

class CKitCommandBars : public CCmdTarget
{
    DECLARE_DYNCREATE(CKitCommandBars)
public:
    CKitCommandBars();
    ~CKitCommandBars() override;
    CKitCommandBars(const CKitCommandBars&) = delete;
    CKitCommandBars& operator=(const CKitCommandBars&) = delete;

    // Dock bars in this order.
    enum DockSide
    {
        kDockTop = 0,
        kDockBottom = 1,
        kDockLeft = 2,
        kDockRight = 3,
    };

    // --- creation, in the order a frame calls them from WM_CREATE ---
    // Records the frame; customization is allowed when the frame handles
    // ID_COMMANDBARS_CUSTOMIZE.
    void AttachToFrame(CWnd* pSite);
    // The four dock bars as children of the site; throws the framework's
    // resource exception when one cannot be made.
    void CreateDockBars();
    // The menu bar docked at the top from the menu resource; null on failure.
    CKitCommandBar* CreateMenuBar(LPCTSTR lpszTitle, UINT nMenuId);
    // A toolbar of the class (null: the toolbar class) at the position code;
    // null on failure.
    CKitCommandBar* CreateToolBar(LPCTSTR lpszTitle, int nPosition, CRuntimeClass* pBarClass = nullptr);
    // Adds an existing bar (the list takes over the caller's reference).
    void AddBar(CKitCommandBar* pBar);
    void HideCommandIds(const UINT* pIds, int nCount);
    CCommandShortcuts* GetKeyboardShortcuts() { return &m_shortcuts; }
    CCommandBarSettings* GetSettings() { return &m_settings; }
    // A drawer of the set's own (its reference is held; null drops it): the
    // set's bars draw with it instead of the process-wide one.
    void SetOwnDrawer(CCommandBarDrawer* pDrawer);
    // The own drawer, else the process-wide one (made when none exists).
    CCommandBarDrawer* GetBarDrawer();
    CCommandIconStore* GetIconManager();
    CScreenTipContext* GetScreenTipContext() const { return m_pScreenTips; }
    void LoadSettings(LPCTSTR lpszProfile) { ExchangeProfileOptions(lpszProfile, TRUE); }
    void SaveSettings(LPCTSTR lpszProfile) { ExchangeProfileOptions(lpszProfile, FALSE); }
    // Where every bar was, in the profile sections of CBarLayoutStore; the
    // load relays the frame out.
    // While customization is allowed they also keep the bars' contents
    // (the bar tree, "<profile>-Controls"; see CBarTreeStore).
    void SaveLayout(LPCTSTR lpszProfile, BOOL bChangedOnly = TRUE);
    void LoadLayout(LPCTSTR lpszProfile, BOOL bSilent = FALSE);
    // Where a bar tree too large for the profile goes; empty: a hidden file
    // in the user's application-data folder.
    void SetControlsFilePath(const CString& strPath) { m_strControlsFilePath = strPath; }
    const CString& GetControlsFilePath() const { return m_strControlsFilePath; }

    // --- the stored bar tree ---
    // TRUE on success; FALSE when the exchange raised an archive or OLE
    // exception (caught). Loading hands each bar read, with one reference,
    // to the list.
    virtual BOOL SaveBarTree(CKitPropExchange* pPX, const std::vector<CKitCommandBar*>& bars);
    virtual BOOL LoadBarTree(CKitPropExchange* pPX, std::vector<CKitCommandBar*>& bars);
    // The bars to store (changed ones only, when asked), each with a reference.
    virtual void CollectBarsToSave(const CBarTreeOptions& options, std::vector<CKitCommandBar*>& bars);
    // Merges the loaded bars into the list: a bar of a known id takes the
    // loaded contents, an unknown toolbar joins the list docked at the top.
    virtual void ApplyLoadedBars(const std::vector<CKitCommandBar*>& bars, BOOL bSilent);

    // --- the site and its layout ---
    CWnd* GetSite() const { return m_pSite; }
    CFrameWnd* GetSiteFrame() const;
    CKitDockBar* GetDockBar(int nSide) const;
    CKitCommandBar* GetMenuBar() const { return m_pMenuBar; }
    BOOL IsCustomizationAllowed() const { return m_bCustomizeAllowed; }
    BOOL IsCustomizeMode() const { return m_bCustomizeMode; }
    void RelayoutFrame(BOOL bDelay);
    void FlushDelayedLayout();
    void RecalcAllBars();
    void RedrawCommandBars();
    BOOL IsLayoutRTL() const;
    void SetLayoutRTL(BOOL bRightToLeft) { m_bRightToLeft = bRightToLeft; }

    // --- the bar list ---
    int GetCount() const { return static_cast<int>(m_bars.size()); }
    CKitCommandBar* GetAt(int nIndex) const;
    int FindBarIndex(CKitCommandBar* pBar) const;
    CKitCommandBar* FindBarById(int nBarId) const;
    void ToggleBarVisible(int nIndex);
    int GetNextVisibleBar(int nIndex, int nDirection) const;
    BOOL SetTrackingBar(CKitCommandBar* pBar, int nDirection);
    // The dock bar whose window, grown by 20 pixels, holds the screen point;
    // the current one first. Null: float.
    CKitDockBar* FindDockBarAtPoint(CPoint ptScreen, CKitDockBar* pCurrent) const;
    BOOL DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect, CKitDockBar* pDockBar);
    BOOL DockCommandBar(CKitCommandBar* pBar, const CRect* pScreenRect, int nSide);
    BOOL FloatCommandBar(CKitCommandBar* pBar);
    // Hides the bar, takes it out of its dock bar and the list and releases
    // it; -1 when it is not listed.
    int RemoveBar(CKitCommandBar* pBar);

    // --- keyboard ---
    void ShowKeyboardCues(BOOL bShow);
    BOOL IsKeyboardCuesShown() const { return m_bKeyboardCuesShown; }
    BOOL IsAltOnlyCues() const { return m_bAltOnlyCues; }
    // Alt-only mode and the cue state, set as the cue settings say.
    void SetKeyboardCuesState(BOOL bAltOnly, BOOL bShown);
    BOOL RunMnemonic(UINT nKey);
    // TRUE when the message is consumed.
    BOOL FilterFrameMessage(MSG* pMsg);
    BOOL HookFrameMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL m_bIgnoreShiftMenuKey = FALSE;  // Alt+Shift+key is no mnemonic
    // TRUE once after Alt was held for a mnemonic: the window's default
    // handling saw Alt go down and up with nothing between (the letter was
    // consumed) and reports a lone menu key, which must not close the menu
    // the letter opened.
    BOOL TakeMenuKeyUsedByMnemonic()
    {
        const BOOL bUsed = m_bMenuKeyUsedByMnemonic;
        m_bMenuKeyUsedByMnemonic = FALSE;
        return bUsed;
    }

    // --- customization and usage ---
    // The drag of controls between bars (made on first use, owned).
    CControlDragSource* GetDragSource();
    // The open customize sheet (null when none); it hears of selection changes.
    void SetCustomizeSheet(CWnd* pSheet) { m_pCustomizeSheet = pSheet; }
    CWnd* GetCustomizeSheet() const { return m_pCustomizeSheet; }
    // A user's toolbar docked at the top (floating for a tear-off), not
    // built-in, with the bar id; null when its window cannot be made.
    CKitCommandBar* AddCustomToolBar(LPCTSTR lpszTitle, int nBarId, BOOL bTearOff = FALSE);
    void SetCustomizeMode(BOOL bMode);
    void SetDragControl(CKitControl* pControl);
    CKitControl* GetDragControl() const { return m_pDragControl; }
    void MarkCommandUsed(UINT nId);
    void ResetUsageData() { m_settings.m_usedCommands.clear(); }
    void OnPrintPreviewMode(BOOL bPreview);

    virtual BOOL IsCommandHiddenInMenus(UINT nId) const;
    virtual BOOL IsControlHiddenInMenus(CKitControl* pControl) const;
    virtual UINT GetActiveMenuId() const;
    // The bars' context menu at the screen point (bar: the one clicked, or
    // null for an empty dock bar).
    virtual void ShowToolbarsMenu(CKitCommandBar* pBar, int x, int y);
    virtual CKitCommandBar* CreateToolbarsPopup();
    virtual void AddHiddenRowControls(CKitCommandBar* pBar, CKitCommandBar* pPopup);
    virtual void AddExpandPopupItems(CKitCommandBar* pBar, CKitCommandBar* pPopup);
    // The site's rebar (its child AFX_IDW_REBAR), or null.
    CKitReBar* GetReBar() const;
    // Hands the bar to the site's rebar as a band, or takes it out again;
    // FALSE when the site has no rebar.
    virtual BOOL AddBarToReBar(CKitCommandBar* pBar);
    virtual BOOL RemoveBarFromReBar(CKitCommandBar* pBar);
    virtual BOOL OnTrackingModeChanged(CKitCommandBar* pBar, int nTracking);

    // --- popup menus ---
    // Closes every popup of this thread.
    static void AFXAPI ClosePopups();
    // A new popup bar bound to the command bars (may be null); null while
    // no popup bar class is built in.
    static CKitCommandBar* AFXAPI NewPopupBar(CKitCommandBars* pCommandBars);
    // Runs the popup modally at the point as TrackPopupMenu would (TPM_*
    // flags); the chosen command with TPM_RETURNCMD, else TRUE; 0 when it
    // cannot be shown.
    static int AFXAPI RunPopupBar(CKitCommandBar* pPopup, UINT nFlags, int x, int y, CWnd* pOwner,
                                  const CRect* prcExclude, CWnd* pCommandWnd);
    static int AFXAPI RunPopupMenu(HMENU hMenu, UINT nFlags, int x, int y, CWnd* pOwner, const CRect* prcExclude,
                                   CWnd* pCommandWnd, CKitCommandBars* pCommandBars);
    static void AFXAPI RunPopupLoop(CKitCommandBar* pPopup);

private:
    // The options in the application's key under "<profile>-Options".
    void ExchangeProfileOptions(LPCTSTR lpszProfile, BOOL bLoading);
    void ReleaseBars();
    CPopupMouseTracker* MouseTracker();
    CKitControl* FindMnemonicControl(CKitCommandBar* pTarget, UINT nKey, BOOL& bAmbiguous) const;

    CString m_strControlsFilePath;
    // Deletes the drag source (CControlDragSource.cpp), where its class is known.
    struct CDragSourceDeleter
    {
        void operator()(CControlDragSource* pSource) const;
    };
    std::unique_ptr<CControlDragSource, CDragSourceDeleter> m_pDragSource;
    CWnd* m_pCustomizeSheet = nullptr;
    BOOL m_bCustomizeAllowed = FALSE;
    BOOL m_bCustomizeMode = FALSE;
    BOOL m_bQuickCustomizeMode = FALSE;
    UINT m_nDefaultMenuId = 0;
    CKitControl* m_pDragControl = nullptr;
    CCommandBarSettings m_settings{this};
    std::vector<CKitCommandBar*> m_bars;
    std::array<CKitDockBar*, 4> m_dockBars{};
    CWnd* m_pSite = nullptr;
    CKitCommandBar* m_pMenuBar = nullptr;
    CScreenTipContext* m_pScreenTips = nullptr;
    BOOL m_bMenuKeyUsedByMnemonic = FALSE;
    CCommandBarDrawer* m_pOwnDrawer = nullptr;
    CPopupMouseTracker* m_pMouseTracker = nullptr;
    BOOL m_bKeyboardCuesShown = TRUE;
    CCommandShortcuts m_shortcuts{this};
    int m_nRelayoutLock = 0;
    BOOL m_bAltOnlyCues = FALSE;
    BOOL m_bRightToLeft = FALSE;
};
