// The controls toolbars add for themselves (the expand button and the close
// button) and the entries of the "&Add or Remove Buttons" list. They are
// temporary: customization skips them and the layout store never keeps them.
#pragma once

#include "CKitControl.h"

class CKitToolBar;

// A window-button glyph of the "Marlett" font at 8 points, centred in the
// rectangle in the DC's text colour, on the control's own background.
void DrawWindowButtonGlyph(CDC* pDC, CKitControl* pControl, LPCTSTR lpszGlyph);

// The chevron at the end of a docked row or in a floating caption: its popup
// shows the controls that did not fit and "&Add or Remove Buttons".
class CToolBarExpandButton : public CKitControlPopup
{
public:
    CToolBarExpandButton();

    // Some control of the bar is hidden for lack of room.
    BOOL HasHiddenControls() const { return m_bHasHidden; }
    void SetRect(const CRect& rc) override;
    CSize GetSize(CDC* /*pDC*/) override { return m_rcControl.Size(); }
    void Draw(CDC* pDC) override;
    BOOL SetPopupOpen(BOOL bOpen) override;

protected:
    CKitControl* CreateSameKind() const override { return new CToolBarExpandButton; }

private:
    // A fresh popup: the site's, else a popup toolbar of the command bars.
    void BuildPopup();

    BOOL m_bHasHidden = FALSE;
};

// The close button of a floating toolbar: hides its bar.
class CBarCloseButton : public CKitControlButton
{
public:
    CBarCloseButton();

    CSize GetSize(CDC* /*pDC*/) override { return m_rcControl.Size(); }
    void Draw(CDC* pDC) override;
    void Execute() override;

protected:
    CKitControl* CreateSameKind() const override { return new CBarCloseButton; }
};

// One toolbar control in the "&Add or Remove Buttons" list: checked while
// the control is shown; running it hides or shows the control.
class CAddRemoveButton : public CKitControlButton
{
public:
    CAddRemoveButton(CKitToolBar* pToolBar, CKitControl* pTarget);
    ~CAddRemoveButton() override;

    void Execute() override;

private:
    CKitToolBar* m_pToolBar;
    CKitControl* m_pTarget;
};

// "Reset" under the list: closes the popups and resets the toolbar.
class CResetToolBarButton : public CKitControlButton
{
public:
    explicit CResetToolBarButton(CKitToolBar* pToolBar);
    ~CResetToolBarButton() override;

    void Execute() override;

private:
    CKitToolBar* m_pToolBar;
};
