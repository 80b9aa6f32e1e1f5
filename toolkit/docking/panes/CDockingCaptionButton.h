// One button on a caption band (close, maximize, restore, auto hide, menu).
// Its owner places it while painting; the rectangle is in the owner window's
// coordinates and empty while the button is hidden.
#pragma once

#include "Framework.h"

class CDockingNode;

enum DockingCaptionButtonId
{
    kButtonAutoHide = 9900,
    kButtonClose = 9901,
    kButtonMaximize = 9907,
    kButtonRestore = 9908,
    kButtonMenu = 9909,
};

// Bits of the state the owner sets.
enum DockingCaptionButtonState
{
    kButtonStateAutoHideApplies = 0x1,
    kButtonStatePaneAutoHidden = 0x2,
};

class CDockingCaptionButton
{
public:
    CDockingCaptionButton(int nId, CDockingNode* pOwner) : m_nId(nId), m_pOwner(pOwner) {}
    virtual ~CDockingCaptionButton() = default;

    virtual BOOL IsVisible();
    // A different rectangle is stored and reported to the owner.
    void SetRect(const CRect& rect);
    // Invalidates the owner's window.
    void Redraw();
    // TRUE when the button became hot.
    BOOL CheckHover(int x, int y);
    // Tracks a press in a capture loop; TRUE when the left button was
    // released over the button.
    BOOL TrackClick(CWnd* pWnd, int x, int y, BOOL bClientCoords);

    int GetId() const { return m_nId; }
    CDockingNode* GetOwner() const { return m_pOwner; }

    CRect m_rect;
    BOOL m_bPressed = FALSE;
    BOOL m_bHot = FALSE;
    int m_nState = 0;

private:
    int m_nId;
    CDockingNode* m_pOwner;
};
