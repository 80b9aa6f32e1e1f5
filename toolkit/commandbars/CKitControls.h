// The ordered controls of one bar. Each entry holds one reference; every
// control knows its index, its collection and its bar. The collection creates
// controls by type, finds, removes and walks them for keyboard navigation,
// keeps an original copy for reset and change detection, and lays the bar
// out.
#pragma once

#include "CKitControl.h"

#include <functional>
#include <vector>

class CKitCommandBars;
class CKitPropExchange;

class CKitControls : public CCmdTarget
{
public:
    CKitControls() { EnableAutomation(); }
    ~CKitControls() override;
    CKitControls(const CKitControls&) = delete;
    CKitControls& operator=(const CKitControls&) = delete;

    int GetCount() const { return static_cast<int>(m_controls.size()); }
    CKitControl* GetAt(int nIndex) const
    {
        return nIndex >= 0 && nIndex < GetCount() ? m_controls[static_cast<size_t>(nIndex)] : nullptr;
    }
    CKitCommandBar* GetParent() const { return m_pParent; }

    // Creates a control of the type and inserts it before nBefore (a negative
    // or too large index appends). Buttons and labels; null for the kinds
    // that need a popup bar, a field or a hosted window.
    CKitControl* Add(int nType, int nId, const CString& strParameter = CString(), int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // Inserts an existing control, taking over the caller's reference.
    CKitControl* Add(CKitControl* pControl, int nId, const CString& strParameter = CString(), int nBefore = -1,
                     BOOL bTemporary = FALSE);
    // Appends a control as it is, taking over the caller's reference.
    CKitControl* Add(CKitControl* pControl, CKitCommandBar* pParent);
    CKitControl* AddCopy(CKitControl* pControl, int nBefore = -1, BOOL bRecursive = TRUE);
    // One control per menu item; separators and items without an id make the
    // next control start a group.
    void AddFromMenu(HMENU hMenu);
    // The control for the item at the position, appended; null for an item
    // that makes none.
    CKitControl* AddFromMenuItem(HMENU hMenu, int nPosition);

    void Remove(CKitControl* pControl);
    void Remove(int nIndex);
    void RemoveAll();

    CKitControl* GetFirst() const { return GetAt(0); }
    CKitControl* GetNext(CKitControl* pControl) const { return GetAt(pControl->GetIndex() + 1); }
    // The last control that is shown, or null.
    CKitControl* GetLastVisible() const;

    // nType 0 is any type, nId -1 any id; recursive searches popup bars too.
    CKitControl* FindControl(int nType, int nId, BOOL bVisibleOnly, BOOL bRecursive) const;
    CKitControl* FindControl(int nId) const { return FindControl(0, nId, FALSE, FALSE); }
    CKitControl* HitTest(CPoint point) const;
    // The next control keyboard navigation reaches from nStart going nStep
    // (+1 or -1), wrapping once; -1 when there is none.
    int GetNextIndex(int nStart, int nStep, BOOL bSkipFlagged = TRUE, BOOL bSkipTemporary = FALSE,
                     BOOL bSkipPersonalized = TRUE) const;
    // The control whose mnemonic (the letter after "&", else the first
    // letter) matches the key, walking the controls in the given order over
    // the visible, enabled ones with a caption (only shown captions with
    // bShownCaptionsOnly). The first "&" match wins, a second one makes it
    // ambiguous; without one, the first first-letter match where allowed,
    // any further one ambiguous. Null when none matches.
    static CKitControl* FindMnemonic(const std::vector<CKitControl*>& walk, UINT nKey, BOOL bShownCaptionsOnly,
                                     const std::function<BOOL(CKitControl*)>& firstLetterAllowed, BOOL& bAmbiguous);
    // Controls without hide flags; not strict ignores "no room".
    int CountVisible(BOOL bStrict = TRUE) const;

    void SetParent(CKitCommandBar* pParent);
    void RefreshIndexes();

    void CreateOriginalControls();
    void ClearOriginalControls();
    CKitControls* GetOriginalControls() const { return m_pOriginalControls; }
    BOOL IsEqualTo(const CKitControls* pOther) const;
    BOOL IsChanged() const { return m_pOriginalControls == nullptr || !IsEqualTo(m_pOriginalControls); }

    // Stores the controls that are not temporary (and, when the bar tree
    // asks, the original set), or replaces the controls by the stored ones.
    // Loading refuses a stored control of an unknown kind or with an id out
    // of range and counts it in m_nRefusedOnLoad; damage the stream cannot
    // get past raises the framework's archive exception.
    virtual void ExchangeControls(CKitPropExchange* pPX);
    int m_nRefusedOnLoad = 0;

    // Every control prepares for a layout of the mode (placeholders build
    // their generated controls); what they change asks for no relayout.
    void PrepareLayout(DWORD dwMode);
    BOOL IsPreparingLayout() const { return m_nPreparing != 0; }
    // Lays the controls out for a length and mode (see core/ControlLayout.h)
    // inside the margins; returns the bar size. With the commit bit the
    // controls get their rectangles, row breaks and "no room" hide bits.
    CSize CalcLayout(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcMargins, int nMinimum = 0);

    // The command bars of the collection, else of its bar.
    CKitCommandBars* GetCommandBars() const;
    void SetCommandBars(CKitCommandBars* pCommandBars) { m_pCommandBars = pCommandBars; }

private:
    // A popup control whose new popup bar holds the submenu's items.
    CKitControl* CreatePopupFromMenu(HMENU hSubMenu, const CString& strCaption);
    void Insert(CKitControl* pControl, int nBefore);
    void Detach(CKitControl* pControl);

    CKitCommandBar* m_pParent = nullptr;
    std::vector<CKitControl*> m_controls;
    CKitCommandBars* m_pCommandBars = nullptr;
    CKitControls* m_pOriginalControls = nullptr;
    int m_nPreparing = 0;
};
