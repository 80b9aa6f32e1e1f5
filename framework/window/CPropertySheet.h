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
    // Modeless: the sheet stays open beside its owner, which keeps working.
    // OK, Cancel or the close box destroy the window (and PostNcDestroy
    // runs); FALSE when the window could not be made.
    virtual BOOL Create(CWnd* pParentWnd = nullptr);
    BOOL IsModeless() const { return m_bModeless; }
    // The page shown, or null (a modeless sheet that is closing).
    CPropertyPage* GetActivePage() const;
    BOOL PressButton(int nButton) { return static_cast<BOOL>(SendMessage(PSM_PRESSBUTTON, nButton)); }

    PROPSHEETHEADERW m_psh{};

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The pages' handles and the header filled for the system's call.
    std::vector<HPROPSHEETPAGE> PrepareHeader();
    BOOL m_bModeless = FALSE;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
};
