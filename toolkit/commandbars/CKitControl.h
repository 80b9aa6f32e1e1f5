// One item of a command bar (menu item, toolbar button, submenu, edit field,
// combo box, label) as far as the drawers read it: its type, state, texts,
// rectangles and icon. The control family builds its behaviour on these
// fields; the drawers never change them except the measured widths of edit
// and combo fields.
#pragma once

#include "CommandBarKinds.h"
#include "window/CCmdTarget.h"
#include "window/CDC.h"

class CKitCommandBar;
class CCommandIcon;

class CKitControl : public CCmdTarget
{
public:
    CKitControl() = default;
    explicit CKitControl(int nType) : m_nType(nType) {}
    CKitControl(const CKitControl&) = delete;
    CKitControl& operator=(const CKitControl&) = delete;

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

    // Edit and combo fields: the width of the field itself, the label width
    // and the drop-down button width the drawer measured last.
    int m_nFieldWidth = 100;
    int m_nLabelWidth = 0;
    int m_nButtonWidth = 0;
    BOOL m_bShowLabel = FALSE;

    int GetType() const { return m_nType; }
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
    // Marks the parent bar for a relayout after a measured width changed.
    virtual void DelayLayoutParent() {}
};
