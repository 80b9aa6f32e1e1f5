// The drop-down list of a bar's combo box: a popup bar whose window is a
// list box. It opens below the combo, as many rows high as the combo allows
// (at least one), follows the mouse with its selection and commits the item
// under the pointer when the left button is released.
#pragma once

#include "CBarTrackingLink.h"
#include "CKitPopupBar.h"

class CKitControlComboBox;

class CKitControlComboBoxList : public CKitPopupBar
{
    DECLARE_SERIAL(CKitControlComboBoxList)
public:
    CKitControlComboBoxList();
    ~CKitControlComboBoxList() override;

    // The list-box window: a parentless popup tool window.
    BOOL CreateListWindow();
    CKitControlComboBox* GetCombo() const { return m_pCombo; }
    int GetItemCount() const;
    int AddString(LPCTSTR lpszText);
    CString GetItemText(int nIndex) const;

    BOOL Popup(CKitControl* pParentControl, BOOL bSelectFirst) override;
    BOOL SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) override;
    int OnTrackingKeyDown(UINT nKey) override;
    BOOL IsVisible() const override { return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd); }
    CKitCommandBar* GetParentBar() const override;
    CKitControl* GetOpeningControl() const override;
    void Copy(CKitCommandBar* pSource, BOOL bRecursive) override;
    // The popup bar's keys, then the strings in the section "Items".
    void DoPropExchange(CKitPropExchange* pPX) override;
    // A key for the list box (see the combo's keys); TRUE when taken.
    BOOL ProcessListKey(UINT nKey);

    // The list's own width; 0 follows the combo's width.
    int m_nListWidth = 0;
    DWORD m_dwListStyle = LBS_NOINTEGRALHEIGHT;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int ItemAt(CPoint ptClient) const;

    CKitControlComboBox* m_pCombo = nullptr;
    CBarTrackingLink m_link{this};
};
