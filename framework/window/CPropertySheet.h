// Property sheets over the system's property-sheet control; each page is a
// CDialog bound to its page window by the creation hook.
#pragma once

#include "CDialog.h"

#include <commctrl.h>
#include <prsht.h>
#include <vector>

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    virtual BOOL OnApply();
    virtual void OnReset() {}
    void OnOK() override {}
    void OnCancel() override {}
    void SetModified(BOOL bChanged = TRUE);

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    PROPSHEETPAGEW m_psp{};

private:
    CString m_strCaption;
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEW ppsp);
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    void AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int nPage) const { return m_pages[nPage]; }
    // IDOK when the sheet closed with OK or Apply, IDCANCEL otherwise.
    virtual INT_PTR DoModal();
    BOOL PressButton(int nButton) { return static_cast<BOOL>(SendMessage(PSM_PRESSBUTTON, nButton)); }

    PROPSHEETHEADERW m_psh{};

private:
    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
};
