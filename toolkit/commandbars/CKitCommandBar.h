// The window of a command bar: it hosts the bar's controls, keeps the hot
// control, lays the controls out for its size, paints them through the
// drawer and runs the tracking mode, in which the keyboard tracker hands it
// the thread's keys: arrows, Home and End walk the controls, Enter runs the
// hot control's command and Escape leaves.
#pragma once

#include "CAccessibleBase.h"
#include "CKitControls.h"
#include "CSubclassHookSink.h"
#include "window/CWnd.h"

// Sent to the notification site when a control runs its command; a zero
// reply makes the control send WM_COMMAND.
constexpr UINT WM_COMMANDBAR_EXECUTE = 0x2862;
constexpr UINT kControlNotifyExecuted = 100;

// Sent to the site when a control becomes selected (wParam the control) or
// stops being selected (wParam 0).
constexpr UINT WM_COMMANDBAR_CONTROLSELECTED = 0x2856;

// What a control passes with WM_COMMANDBAR_EXECUTE.
struct ControlNotify
{
    NMHDR hdr;
    CKitControl* pControl;
};

class CKitCommandBars;
class CCommandIconStore;
class CCommandBarDrawer;
class CKitPropExchange;
struct CBarTreeOptions;

class CKitCommandBar : public CWnd, public CAccessibleBase
{
    DECLARE_SERIAL(CKitCommandBar)
public:
    CKitCommandBar();
    ~CKitCommandBar() override;
    // The last reference gone: the window goes, then the object.
    void OnFinalRelease() override;

    // Navigation codes.
    enum
    {
        kNavigateNext = 0,
        kNavigatePrevious = 1,
        kNavigateClosePopup = 2,
        kNavigateOpenPopup = 3,
        kNavigateLeave = 4,
        kNavigateRun = 5,
        kNavigateFirst = 6,
        kNavigateLast = 7,
    };

    // A child window of the parent with the given id.
    BOOL Create(CWnd* pParent, UINT nId, const CRect& rc);
    // The window that receives the commands; the parent window when unset.
    void SetNotifySite(CWnd* pSite) { m_pNotifySite = pSite; }
    // Where commands and update requests go: the root bar's command window,
    // else its site.
    CWnd* GetNotifySite() const;
    // The command bars' site; else the root bar's owner, or its parent; else
    // the main window.
    CWnd* GetSite() const;

    // The command bars the bar belongs to, or null.
    void SetCommandBars(CKitCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }
    CKitCommandBars* GetCommandBars() const { return m_pCommandBars; }
    // This bar's command bars, else the first parent bar's.
    CKitCommandBars* FindCommandBars() const;
    // A popup bar: the bar of the control that opened it; null otherwise.
    virtual CKitCommandBar* GetParentBar() const { return nullptr; }
    CKitCommandBar* GetRootBar();
    // An icon store of the bar's own (its reference is held; null drops it),
    // as a context menu with icons of its own has.
    void SetOwnIconManager(CCommandIconStore* pStore);
    CCommandIconStore* GetOwnIconManager() const { return m_pOwnIconStore; }
    // Where the controls' icons come from: the own store, else the command
    // bars', else the root bar's own, else the process-wide one.
    CCommandIconStore* ResolveIconManager() const;
    // A drawer of the bar's own (its reference is held; null drops it); it
    // reloads its metrics when set.
    void SetOwnDrawer(CCommandBarDrawer* pDrawer);
    CCommandBarDrawer* GetOwnDrawer() const { return m_pOwnDrawer; }
    // What paints the bar and its controls: the own drawer, else the command
    // bars', else the root bar's own, else the process-wide one (made when
    // none exists).
    CCommandBarDrawer* ResolveDrawer() const;
    // The command bars' site frame, or null.
    CFrameWnd* GetSiteFrame() const;

    // Visibility as the command bars see it: the flag, kept with the window.
    virtual void SetVisible(BOOL bVisible);
    virtual BOOL IsVisible() const;
    // Docks the bar at a side (0-3) or floats it (4) through its command
    // bars; FALSE without them or for another code.
    virtual BOOL SetPosition(int nPosition);
    // Makes sure the window exists: a child of a dock bar, or a popup owned
    // by the parent when floating.
    virtual BOOL CreateBarWindow(CWnd* pParent, BOOL bFloating);
    // Docking permissions; toolbars also make their drag tracker here.
    virtual void EnableBarDocking(DWORD dwFlags) { m_dwFlags = dwFlags; }
    // Popup bars open at a screen point beside the exclusion rectangle;
    // other bars cannot.
    virtual BOOL PopupAt(int /*x*/, int /*y*/, const CRect* /*prcExclude*/) { return FALSE; }
    // Lays the bar out again after its controls or its size changed.
    virtual void OnRecalcLayout() { RecalcLayout(); }
    // Popup bars: where the popup opens from its anchor (bit 0 right-aligned,
    // bit 1 below the exclusion rectangle).
    virtual void SetPopupDirection(DWORD /*dwFlags*/) {}
    // At idle: the controls follow their commands' update handlers.
    virtual void OnIdleUpdate(BOOL bDisableIfNoHandler);
    // Print preview comes (TRUE) or goes (FALSE).
    virtual void OnPrintPreviewMode(BOOL /*bPreview*/) {}
    void SetTitle(const CString& strTitle);
    // Replaces (or extends) the controls by the items of a menu; FALSE when
    // the handle is no menu.
    BOOL FillFromMenu(HMENU hMenu, BOOL bRemoveAll);

    int GetHotIndex() const { return m_nHot; }
    int GetPopupedIndex() const { return m_nPopuped; }
    // Opens the popup of the control at the index (-1: closes the open one);
    // FALSE when nothing changed or the control cannot open.
    BOOL SetPopuped(int nIndex, BOOL bKeyboard);
    // Popup bars open for the control of another bar; other bars cannot.
    virtual BOOL Popup(CKitControl* /*pOpening*/, BOOL /*bSelectFirst*/) { return FALSE; }
    // A new bar of the same class with copies of this bar's settings and
    // controls (recursive: popups copy their bars too).
    virtual CKitCommandBar* Clone(BOOL bRecursive);
    virtual void Copy(CKitCommandBar* pSource, BOOL bRecursive);
    // The bar's keys and its controls in the stored bar tree.
    virtual void DoPropExchange(CKitPropExchange* pPX);
    // Joins the list of bars to store (once, with a reference), then the
    // popup bars of its controls; bars other than toolbars without an id of
    // their own take the next of *pnNextId.
    virtual void CollectForSave(int* pnNextId, std::vector<CKitCommandBar*>& bars, const CBarTreeOptions& options);
    // After loading: each popup control with a stored bar id gets that
    // loaded popup bar. nDepth guards against bars that refer to themselves.
    virtual void ResolvePopupReferences(const std::vector<CKitCommandBar*>& bars, int nDepth = 0);
    CKitControl* GetHotControl() const { return m_controls.GetAt(m_nHot); }
    // The pointer's rest on the hot control is no longer waited for.
    void StopHoverTimer();
    // Screen tips (CKitCommandBarTips.cpp): the control under the point with
    // its tip, and the text of that tip (the tooltip, plus the shortcut when
    // the settings ask for it).
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOW* pTI) const override;
    CString GetControlTipText(CKitControl* pControl) const;
    // Hides a showing tip (a popup opens, a command runs).
    void CancelScreenTips();
    int GetTrackingMode() const { return m_nTracking; }
    // Makes a control hot (-1: none), chosen by keyboard or by mouse.
    virtual void SetSelected(int nIndex, BOOL bKeyboard);
    // A control became hot (TRUE) or stopped being hot: the site hears of it
    // and the status bar shows the control's description while it is hot.
    virtual void OnControlSelected(BOOL bSelected, CKitControl* pControl);
    // A prompt to the site's status bar; an empty text brings back the idle
    // message. Nothing when the command bars' status-bar prompts are off.
    void SetStatusText(const CString& strText);
    // Enters (non-zero) or leaves (0) tracking; FALSE when nothing changed.
    // Popup bars close their window when they leave.
    virtual BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard);
    void EndTracking() { SetTrackingMode(0, TRUE, FALSE); }
    // 1: the key was handled; 2: let it through.
    virtual int OnTrackingKeyDown(UINT nKey);
    virtual BOOL Navigate(int nCode);
    // The control whose mnemonic (the letter after "&", else the first
    // letter) matches the key, looking once round from after the hot
    // control; -1 when none. Two "&" matches, or two first-letter matches
    // without an "&" one, are ambiguous.
    int FindMnemonicInBar(UINT nKey, BOOL& bAmbiguous) const;
    // Lays the controls out for the client size and repaints.
    void RecalcLayout();
    // The bar's size docked in a row of the given length.
    virtual CSize CalcDockedSize(int nLength, DWORD dwMode);
    // The floating bar's size for a length (a width, or a height with the
    // length-is-height bit; the remembered width with the floating-width bit).
    virtual CSize CalcDynamicLayout(int nLength, DWORD dwMode);
    // Room around the controls, the gripper's included.
    CRect GetLayoutMargins();
    // The gripper's rectangle in client coordinates; empty without one.
    CRect GetGripperRect();
    // The layout mode of the bar's position.
    DWORD GetLayoutMode() const;

    DWORD m_dwFlags = 0;   // docking permissions
    DWORD m_dwStyle = 0;   // bar style; kBarStyleGripper draws a gripper
    CString m_strTitle;
    int m_nType = kBarTypeToolBar;
    int m_nPosition = 7;   // not placed
    CSize m_szIcons{0, 0};
    CSize m_szButtons{0, 0};
    BOOL m_bTextBelowIcons = FALSE;
    BOOL m_bShowKeyboardCues = TRUE;
    BOOL m_bDoubleGutter = FALSE;
    BOOL m_bDialogBar = FALSE;
    int m_nFloatingWidth = 0;   // remembered width of the floating bar; 0 when none
    class CKitDockBar* m_pDockBar = nullptr;  // the side the bar is docked at
    int m_nDockLeft = 0;         // where the bar wants to sit along its row
    BOOL m_bLayoutPending = FALSE;
    int m_nBarId = 0;
    BOOL m_bVisible = TRUE;
    BOOL m_bCustomizable = TRUE;
    // Popup loops: who owns the popup, who gets its commands, how it was
    // started and where a returned command goes.
    HWND m_hWndOwnerBar = nullptr;
    CWnd* m_pCommandWnd = nullptr;
    BOOL m_bRightButtonChooses = FALSE;
    BOOL m_bNoNotify = FALSE;
    BOOL m_bNested = FALSE;
    int* m_pnResult = nullptr;

    int GetBarId() const { return m_nBarId; }
    int GetType() const { return m_nType; }
    int GetPosition() const { return m_nPosition; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    const CString& GetTitle() const { return m_strTitle; }
    CKitControls* GetControls() { return &m_controls; }
    BOOL IsVertical() const { return m_nPosition == kBarLeft || m_nPosition == kBarRight; }

    virtual CSize GetIconSize() const { return m_szIcons.cx != 0 || m_szIcons.cy != 0 ? m_szIcons : CSize(16, 16); }
    virtual CSize GetButtonSize() const
    {
        if (m_szButtons.cx != 0 || m_szButtons.cy != 0)
            return m_szButtons;
        CSize icon = GetIconSize();
        return CSize(icon.cx + 7, icon.cy + 7);
    }
    virtual BOOL IsTextBelowIcons() const { return m_bTextBelowIcons; }
    // The command bars' cue state; the bar's own without them.
    virtual BOOL IsKeyboardCuesVisible() const;
    virtual BOOL IsDialogBar() const { return m_bDialogBar; }
    // Popup bars: check marks and icons in separate columns.
    virtual BOOL IsDoubleGutter() const { return m_bDoubleGutter; }
    // Popup bars: the control of another bar that opened this popup, or null.
    virtual CKitControl* GetOpeningControl() const { return nullptr; }

    // A relayout before the next paint; a repaint without one.
    void DelayLayout() { m_bLayoutPending = TRUE; DelayRedraw(); }
    void DelayRedraw()
    {
        if (::IsWindow(m_hWnd))
            ::InvalidateRect(m_hWnd, nullptr, FALSE);
    }
    // The controls were added, removed or reordered.
    virtual void OnControlsChanged()
    {
        m_nHot = -1;
        m_nPopuped = -1;
        DelayLayout();
    }
    // The hot control goes (the collection removes the selected control).
    virtual void ClearHotControl() { SetSelected(-1, FALSE); }

    // Customization (CKitCommandBarCustomize.cpp). A drop target while the
    // window lives: entering accepts (TRUE) or refuses the control; moving
    // over shows the insertion mark; a drop inserts a copy of the control
    // where the mark was (a drop on the control itself only changes its group
    // start and turns the effect into a cancel). Points in client coordinates.
    virtual BOOL OnCustomizeDragEnter(CKitControl* pControl, CPoint point);
    virtual void OnCustomizeDragLeave();
    virtual int OnCustomizeDragOver(CKitControl* pControl, CPoint point);
    virtual void OnCustomizeDrop(CKitControl* pControl, int& nEffect, CPoint point, CPoint ptStart);
    BOOL IsCustomizable() const { return m_bCustomizable; }
    BOOL IsCustomizeMode() const;
    const CRect& GetInsertionMark() const { return m_rcInsertionMark; }

    // What accessibility clients see: the bar, its controls as children
    // numbered from 1.
    CCmdTarget* GetAccessibleOwner() override { return this; }
    HRESULT GetAccessibleParent(IDispatch** ppdispParent) override;
    HRESULT GetAccessibleChildCount(long* pcountChildren) override;
    HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override;
    HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT AccessibleDoDefaultAction(VARIANT varChild) override;

    DECLARE_INTERFACE_MAP()

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The control of a child id, null for the bar itself or out of range.
    CKitControl* ControlOfChild(const VARIANT& varChild, BOOL& bValid) const;
    virtual void Paint(CDC* pDC);

private:
    // The keyboard tracker's keys while tracking.
    class CKeySink : public CSubclassHookSink
    {
    public:
        explicit CKeySink(CKitCommandBar* pBar) : m_pBar(pBar) {}
        int OnHookMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) override;

    private:
        CKitCommandBar* m_pBar;
    };

    void OnMouseMove(CPoint point);
    void OnLButtonDown(CPoint point);
    void OnLButtonUp(CPoint point);
    BOOL OnLButtonDblClk(CPoint point);
    int IndexAt(CPoint point) const;
    // Every message of the window goes to the command bars' tip context first.
    void RelayToScreenTips(UINT message, WPARAM wParam, LPARAM lParam);

    int m_nHot = -1;
    int m_nPopuped = -1;
    int m_nTracking = 0;
    BOOL m_bHotByKeyboard = FALSE;
    int m_nLastPrompt = -1;  // the control whose description is on the status bar
    CCommandIconStore* m_pOwnIconStore = nullptr;
    CCommandBarDrawer* m_pOwnDrawer = nullptr;
    CWnd* m_pNotifySite = nullptr;
    CKitCommandBars* m_pCommandBars = nullptr;
    CKeySink m_keySink{this};

protected:
    CKitControls m_controls;

private:
    // Mouse messages while the command bars customize, and the registration
    // with the drag source; TRUE when the message is consumed.
    BOOL OnCustomizeMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void PaintCustomizeMarks(CDC* pDC);
    // A press with Alt held on a toolbar's button outside customize mode drags it.
    BOOL OnAltDrag(CKitCommandBars* pCommandBars, CPoint point);
    // Where a drop at the point lands: the index to insert before, or -1
    // when the drop would leave the control where it is.
    int FindInsertion(CKitControl* pControl, CPoint point, CRect& rcMark, BOOL& bVerticalMark);
    CRect m_rcInsertionMark;
    BOOL m_bVerticalMark = TRUE;
    // The drag source the window registered with (the bar may lose its
    // command bars before the window goes).
    class CControlDragSource* m_pDropRegistration = nullptr;
};
