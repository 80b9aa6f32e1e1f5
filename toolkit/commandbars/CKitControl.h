// One item of a command bar (menu item, toolbar button, submenu, edit field,
// combo box, label): its command id, icon ids, texts, state, rectangles and
// style. Controls are reference counted: the creator holds one reference,
// which the bar's collection takes over. They never measure or draw
// themselves; they hand themselves to the drawer of their bar.
#pragma once

#include "CommandBarKinds.h"
#include "window/CCmdTarget.h"
#include "window/CDC.h"

class CKitCommandBar;
class CKitControls;
class CCommandBarDrawer;
class CCommandIcon;
class CKitPropExchange;

// Hide reasons: any set bit hides a control.
constexpr DWORD kHideByProgram = 0x01;
constexpr DWORD kHideNoRoom = 0x02;
constexpr DWORD kHideVerticalField = 0x04;
constexpr DWORD kHideScrolledOut = 0x08;
constexpr DWORD kHideByUser = 0x10;
constexpr DWORD kHideRarelyUsed = 0x20;
constexpr DWORD kHideForDocument = 0x40;

// Behaviour flags.
constexpr DWORD kControlFlagFarEnd = 0x01;
constexpr DWORD kControlFlagNoKeyboard = 0x02;
constexpr DWORD kControlFlagOpensLeft = 0x04;
constexpr DWORD kControlFlagManualUpdate = 0x08;
constexpr DWORD kControlFlagNotCustomizable = 0x10;
constexpr DWORD kControlFlagStretched = 0x20;
constexpr DWORD kControlFlagTipInMenu = 0x40;

class CKitControl : public CCmdTarget
{
    DECLARE_SERIAL(CKitControl)
public:
    CKitControl() { EnableAutomation(); }
    explicit CKitControl(int nType) : m_nType(nType) { EnableAutomation(); }
    CKitControl(const CKitControl&) = delete;
    CKitControl& operator=(const CKitControl&) = delete;

    DWORD m_dwTag = 0;
    int m_nIndex = 0;
    int m_nId = 0;
    int m_nIconId = 0;
    int m_nCustomIconId = 0;
    BOOL m_bRowBreak = FALSE;
    BOOL m_bBeginGroup = FALSE;
    BOOL m_bEnabled = TRUE;
    BOOL m_bChecked = FALSE;
    int m_nSelected = kNotSelected;
    int m_nPressed = kNotPressed;
    CRect m_rcRow;
    CRect m_rcControl;
    DWORD m_dwHideFlags = 0;
    DWORD m_dwFlags = 0;
    CString m_strCaption;
    CString m_strCustomCaption;
    CString m_strShortcutText;
    CString m_strMenuShortcutText;
    int m_nType = 0;
    CKitCommandBar* m_pParent = nullptr;
    BOOL m_bHiddenInMenu = FALSE;
    BOOL m_bDefaultItem = FALSE;
    int m_nStyle = 0;
    int m_nCustomStyle = 0;
    BOOL m_bTemporary = FALSE;
    BOOL m_bCloseSubMenuOnClick = TRUE;
    CString m_strTooltip;
    CString m_strDescription;
    CString m_strParameter;
    CString m_strCategory;
    CKitControls* m_pControls = nullptr;

    // Edit and combo fields: the width of the field itself, the label width
    // and the drop-down button width the drawer measured last.
    int m_nFieldWidth = 100;
    int m_nLabelWidth = 0;
    int m_nButtonWidth = 0;
    BOOL m_bShowLabel = FALSE;

    int GetType() const { return m_nType; }
    int GetId() const { return m_nId; }
    int GetIndex() const { return m_nIndex; }
    DWORD GetFlags() const { return m_dwFlags; }
    DWORD GetHideFlags() const { return m_dwHideFlags; }
    BOOL IsTemporary() const { return m_bTemporary; }
    CKitControls* GetControls() const { return m_pControls; }
    BOOL GetDefaultItem() const { return m_bDefaultItem; }
    BOOL GetEnabled() const { return m_bEnabled; }
    BOOL GetChecked() const { return m_bChecked; }
    int GetSelected() const { return m_nSelected; }
    int GetPressed() const { return m_nPressed; }
    const CRect& GetRect() const { return m_rcControl; }
    const CRect& GetRowRect() const { return m_rcRow; }
    BOOL GetRowBreak() const { return m_bRowBreak; }
    BOOL GetBeginGroup() const { return m_bBeginGroup; }
    BOOL IsVisible() const { return m_dwHideFlags == 0; }
    CKitCommandBar* GetParent() const { return m_pParent; }
    CString GetCaption() const { return m_strCustomCaption.IsEmpty() ? m_strCaption : m_strCustomCaption; }
    CString GetShortcutText() const { return m_strShortcutText.IsEmpty() ? m_strMenuShortcutText : m_strShortcutText; }
    int GetCaptionStyle() const { return m_nCustomStyle != 0 ? m_nCustomStyle : m_nStyle; }
    BOOL IsPopupControl() const
    {
        return m_nType == kControlPopup || m_nType == kControlButtonPopup || m_nType == kControlSplitButtonPopup;
    }

    // Whether the caption is drawn: inside a popup bar always; otherwise by
    // the caption style, and for style 0 by the type and the icon.
    virtual BOOL IsCaptionVisible();
    // Whether the caption style asks for the icon (styles 2 and 3; style 0
    // except on plain popups).
    BOOL IsIconWanted() const;
    // The control's picture at the given width, or null.
    virtual CCommandIcon* GetIcon(int nWidth);
    // TRUE while the control's popup bar is open (popup controls only).
    virtual BOOL GetPopped() const { return FALSE; }
    virtual BOOL IsLabel() const { return m_nType == kControlLabel; }
    // Edit and combo fields: whether the label is shown on a toolbar, whether
    // the drop-down list is open, and the current text drawn into the field.
    virtual BOOL IsLabelShown() const { return m_bShowLabel; }
    virtual BOOL IsListOpen() const { return FALSE; }
    virtual void DrawFieldText(CDC* /*pDC*/, const CRect& /*rcText*/) {}
    // Fields holding the keyboard focus see the bar's keys first: 0 the bar
    // handles the key, 1 handled, 2 the key goes on to the field's window.
    virtual BOOL IsFocused() const { return FALSE; }
    virtual int ProcessKey(UINT /*nKey*/, LPARAM /*lKeyData*/) { return 0; }
    // The bar made another control hot (a field gives up the focus).
    virtual void OnDeselected() {}
    // The pointer moved over the hot control (bar client coordinates).
    virtual void OnMouseMove(CPoint /*point*/) {}
    // The left button was released over the control: TRUE when the control
    // took the release itself, else a popup bar runs the command.
    virtual BOOL OnLButtonUp(CPoint /*point*/) { return FALSE; }
    // The left button was pressed on the control (bar client coordinates),
    // or its mnemonic or Enter chose it (bKeyboard).
    virtual void OnClick(BOOL /*bKeyboard*/, CPoint /*point*/) {}
    // A double click: a second press; TRUE when the control took it.
    virtual BOOL OnLButtonDblClk(CPoint point)
    {
        OnClick(FALSE, point);
        return TRUE;
    }
    // Holds the mouse until the button is released (CKitControlClick.cpp):
    // pressed while the pointer is inside the area (empty: the control's
    // rectangle), raised outside. The command runs only when the release
    // comes inside; Esc or a lost capture runs nothing.
    void RunClickLoop(const CRect& rcArea);
    // Whether the control may be dropped on the bar in customization; a
    // refusal sets the drop effect (CControlDragSource codes) it leaves.
    virtual BOOL AcceptsCustomizeDrop(CKitCommandBar* /*pBar*/, CPoint /*point*/, int& /*nEffect*/) { return TRUE; }
    // Marks the parent bar for a relayout after a size or text changed.
    virtual void DelayLayoutParent();

    // The id's string (a description, a line feed and a tooltip) becomes the
    // prompt when the id changes.
    void SetId(int nId);
    // "description\ntooltip"; a text without a line feed is both. An empty
    // caption then takes the tooltip.
    void SetPrompt(const CString& strPrompt);
    // A tab separates the caption from the menu's shortcut text.
    void SetCaption(const CString& strCaption);
    void SetFlags(DWORD dwFlags) { m_dwFlags = dwFlags; }
    void SetDefaultItem(BOOL bDefault);
    void SetChecked(BOOL bChecked);
    void RedrawParent();

    virtual CString GetDescription() { return m_strDescription; }
    virtual CString GetTooltip() { return m_strTooltip; }
    virtual void SetBeginGroup(BOOL bBeginGroup);
    virtual void SetEnabled(BOOL bEnabled);
    virtual void SetRect(const CRect& rc) { m_rcControl = rc; }
    // Equal in everything that is stored and shown, not in state or place.
    virtual BOOL IsEqual(CKitControl* pOther);
    // The popup bar of a popup control; null for other kinds.
    virtual CKitCommandBar* GetCommandBar() { return nullptr; }
    virtual void SetHideFlags(DWORD dwHideFlags) { m_dwHideFlags = dwHideFlags; }
    virtual CSize GetSize(CDC* pDC);
    virtual void Draw(CDC* pDC);
    virtual void PrepareLayout(DWORD /*dwMode*/) {}
    // Runs the command: the bar leaves tracking, then the notification site
    // gets WM_COMMANDBAR_EXECUTE and, unanswered, WM_COMMAND. The command may
    // close the bar or its frame.
    virtual void Execute();
    // Opens (TRUE) or closes the control's popup; FALSE when it cannot.
    virtual BOOL SetPopupOpen(BOOL /*bOpen*/) { return FALSE; }
    // The pointer rested on the control (the bar's hover timer).
    virtual void OnMouseHover();
    // The control's mnemonic was typed: a button runs, a popup opens.
    virtual void ActivateFromKeyboard() { Execute(); }
    virtual void SetParent(CKitCommandBar* pParent) { m_pParent = pParent; }
    // Customize mode pressed the mouse on the control (CKitControlCustomize.cpp):
    // it becomes the customize selection and is dragged; moved away or
    // dropped off every bar it leaves its bar. The drag's result.
    virtual int OnCustomizeMouseDown(CPoint point);
    // Copies what is stored and shown; not index, parent, state or place.
    virtual void CopyFrom(CKitControl* pSource, BOOL bRecursive);
    // A new control of the same kind holding one reference, copied from this.
    CKitControl* Clone(BOOL bRecursive);
    // Stores or loads what the control keeps across runs (the bars'
    // contents store); each kind adds its own keys after its base's.
    virtual void ExchangeProperties(CKitPropExchange* pPX);

    CCommandBarDrawer* GetDrawer() const;

protected:
    // A new empty control of this kind.
    virtual CKitControl* CreateSameKind() const { return new CKitControl(m_nType); }
};

// The plain push button: a menu command or a toolbar button.
class CKitControlButton : public CKitControl
{
    DECLARE_SERIAL(CKitControlButton)
public:
    CKitControlButton() : CKitControl(kControlButton) {}
    void ExchangeProperties(CKitPropExchange* pPX) override;
    // On a toolbar or the menu bar the press starts the click loop; in a
    // popup bar the release runs the command.
    void OnClick(BOOL bKeyboard, CPoint point) override;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlButton; }
};

// A caption that is never selected, customized or reached from the keyboard.
class CKitControlLabel : public CKitControl
{
    DECLARE_SERIAL(CKitControlLabel)
public:
    CKitControlLabel() : CKitControl(kControlLabel) { m_dwFlags = kControlFlagNoKeyboard | kControlFlagNotCustomizable; }

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlLabel; }
};

// An item that opens a popup bar: a submenu, a drop-down or a split button.
// It holds one reference to its popup bar.
class CKitControlPopup : public CKitControl
{
    DECLARE_SERIAL(CKitControlPopup)
public:
    explicit CKitControlPopup(int nType = kControlPopup) : CKitControl(nType) {}
    ~CKitControlPopup() override { SetCommandBar(nullptr); }

    CKitCommandBar* GetCommandBar() override { return m_pCommandBar; }
    // Takes over the caller's reference; the previous bar is released.
    void SetCommandBar(CKitCommandBar* pBar);
    BOOL GetPopped() const override { return m_bPopupOpen; }
    BOOL SetPopupOpen(BOOL bOpen) override;
    void OnMouseHover() override;
    void ActivateFromKeyboard() override;
    // A press opens the popup, or closes it when open on a toolbar; a split
    // button left of its arrow runs its command through the click loop.
    void OnClick(BOOL bKeyboard, CPoint point) override;
    // A split button in a popup bar runs its command when released left of
    // its arrow; other popups take the release without running anything.
    BOOL OnLButtonUp(CPoint point) override;
    // A submenu or button popup: opens, then runs the popup's default item,
    // or shows its rarely used items.
    BOOL OnLButtonDblClk(CPoint point) override;
    void CopyFrom(CKitControl* pSource, BOOL bRecursive) override;
    BOOL IsEqual(CKitControl* pOther) override;
    // "CommandBarId": stored as the id of the popup bar; loaded into
    // m_nCommandBarId until the loaded bars are resolved.
    void ExchangeProperties(CKitPropExchange* pPX) override;

    BOOL m_bPopupOpen = FALSE;
    int m_nCommandBarId = 0;

protected:
    CKitControl* CreateSameKind() const override { return new CKitControlPopup(m_nType); }

private:
    CKitCommandBar* m_pCommandBar = nullptr;
};
