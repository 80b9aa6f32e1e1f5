#include "CCustomizeToolbarsPage.h"

#include "CKitCommandBars.h"
#include "CKitCustomizeSheet.h"
#include "CKitToolBar.h"
#include "CNewToolBarDlg.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"
#include "window/CWinApp.h"

namespace
{
constexpr UINT kDeleteQuestion = 9335;   // "Are you sure you want to delete the '%s' toolbar?"

BOOL IsBuiltIn(CKitCommandBar* pBar)
{
    auto* pToolBar = dynamic_cast<CKitToolBar*>(pBar);
    return pToolBar == nullptr || pToolBar->m_bBuiltIn;
}

BOOL IsCloseable(CKitCommandBar* pBar)
{
    auto* pToolBar = dynamic_cast<CKitToolBar*>(pBar);
    return pToolBar != nullptr && pToolBar->m_bCloseable;
}
}  // namespace

CCustomizeToolbarsPage::CCustomizeToolbarsPage(CKitCustomizeSheet* pSheet)
    : CPropertyPage(IDD_KIT_TOOLBARS_PAGE), m_pSheet(pSheet)
{
}

BOOL CCustomizeToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_list.SubclassDlgItem(IDC_KIT_TOOLBAR_LIST, this);
    RefreshList();
    return TRUE;
}

void CCustomizeToolbarsPage::RefreshList()
{
    if (m_list.m_hWnd == nullptr)
        return;
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    CKitCommandBar* pSelected = SelectedBar();
    const int nTop = m_list.GetTopIndex();
    m_list.SendMessage(WM_SETREDRAW, FALSE);
    m_list.ResetContent();
    int nSelect = -1;
    for (int i = 0; i < pCommandBars->GetCount(); ++i)
    {
        CKitCommandBar* pBar = pCommandBars->GetAt(i);
        // The menu bar is listed only while it shows.
        if (pBar->GetType() == kBarTypeMenuBar && !pBar->IsVisible())
            continue;
        const int nItem = m_list.AddString(pBar->GetTitle());
        m_list.SetItemData(nItem, static_cast<DWORD_PTR>(i));
        m_list.SetCheck(nItem, pBar->IsVisible() ? 1 : 0);
        if (pBar == pSelected)
            nSelect = nItem;
    }
    // Checks of items beyond the list from an earlier, longer list.
    for (int i = m_list.GetCount(); i < pCommandBars->GetCount() + 1; ++i)
        m_list.SetCheck(i, 0);
    m_list.SetCurSel(nSelect);
    m_list.SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(nTop, 0)));
    m_list.SendMessage(WM_SETREDRAW, TRUE);
    m_list.Invalidate();
    UpdateButtons();
}

CKitCommandBar* CCustomizeToolbarsPage::SelectedBar() const
{
    if (m_list.m_hWnd == nullptr)
        return nullptr;
    const int nSel = m_list.GetCurSel();
    if (nSel < 0)
        return nullptr;
    return m_pSheet->GetCommandBars()->GetAt(static_cast<int>(m_list.GetItemData(nSel)));
}

void CCustomizeToolbarsPage::UpdateButtons()
{
    CKitCommandBar* pBar = SelectedBar();
    const BOOL bBuiltIn = pBar != nullptr && IsBuiltIn(pBar);
    GetDlgItem(IDC_KIT_TOOLBAR_RENAME)->EnableWindow(pBar != nullptr && !bBuiltIn);
    GetDlgItem(IDC_KIT_TOOLBAR_DELETE)->EnableWindow(pBar != nullptr && !bBuiltIn);
    GetDlgItem(IDC_KIT_TOOLBAR_RESET)->EnableWindow(bBuiltIn);
}

void CCustomizeToolbarsPage::OnCheckChanged()
{
    const int nSel = m_list.GetCurSel();
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    // The click that changed the check selects the item afterwards: find it by the check.
    for (int nItem = 0; nItem < m_list.GetCount(); ++nItem)
    {
        CKitCommandBar* pBar = pCommandBars->GetAt(static_cast<int>(m_list.GetItemData(nItem)));
        if (pBar == nullptr || (m_list.GetCheck(nItem) != 0) == (pBar->IsVisible() != FALSE))
            continue;
        if (pBar->GetType() != kBarTypeMenuBar && IsCloseable(pBar))
        {
            pBar->SetVisible(m_list.GetCheck(nItem) != 0);
            pCommandBars->RecalcAllBars();
        }
    }
    (void)nSel;
    RefreshList();
}

BOOL CCustomizeToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case IDC_KIT_TOOLBAR_LIST:
        if (HIWORD(wParam) == CLBN_CHKCHANGE)
            OnCheckChanged();
        else if (HIWORD(wParam) == LBN_SELCHANGE)
            UpdateButtons();
        return TRUE;
    case IDC_KIT_TOOLBAR_NEW:
        OnNewToolBar();
        return TRUE;
    case IDC_KIT_TOOLBAR_RENAME:
        OnRenameToolBar();
        return TRUE;
    case IDC_KIT_TOOLBAR_DELETE:
        OnDeleteToolBar();
        return TRUE;
    case IDC_KIT_TOOLBAR_RESET:
        OnResetToolBar();
        return TRUE;
    default:
        break;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

void CCustomizeToolbarsPage::OnNewToolBar()
{
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    CNewToolBarDlg dlg(this, pCommandBars, nullptr);
    if (dlg.DoModal() != IDOK)
        return;
    CKitCommandBar* pBar = pCommandBars->AddCustomToolBar(dlg.m_strName, dlg.m_nBarId);
    if (pBar == nullptr)
        return;
    RefreshList();
    // The new bar is the selection, ready to receive commands.
    for (int nItem = 0; nItem < m_list.GetCount(); ++nItem)
    {
        if (pCommandBars->GetAt(static_cast<int>(m_list.GetItemData(nItem))) == pBar)
            m_list.SetCurSel(nItem);
    }
    UpdateButtons();
}

void CCustomizeToolbarsPage::OnRenameToolBar()
{
    CKitCommandBar* pBar = SelectedBar();
    if (pBar == nullptr || IsBuiltIn(pBar))
        return;
    CNewToolBarDlg dlg(this, m_pSheet->GetCommandBars(), pBar);
    if (dlg.DoModal() != IDOK)
        return;
    pBar->SetTitle(dlg.m_strName);
    pBar->DelayRedraw();
    // The entry is replaced in place: same check, item data and selection.
    const int nSel = m_list.GetCurSel();
    const int nCheck = m_list.GetCheck(nSel);
    const DWORD_PTR dwData = m_list.GetItemData(nSel);
    m_list.DeleteString(static_cast<UINT>(nSel));
    m_list.InsertString(nSel, dlg.m_strName);
    m_list.SetItemData(nSel, dwData);
    m_list.SetCheck(nSel, nCheck);
    m_list.SetCurSel(nSel);
    UpdateButtons();
}

void CCustomizeToolbarsPage::OnDeleteToolBar()
{
    CKitCommandBar* pBar = SelectedBar();
    if (pBar == nullptr || IsBuiltIn(pBar))
        return;
    CString strFormat;
    GetToolkitResources()->LoadString(strFormat, kDeleteQuestion);
    CString strQuestion;
    strQuestion.Format(strFormat, static_cast<LPCTSTR>(pBar->GetTitle()));
    if (AfxMessageBox(strQuestion, MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    if (CKitControl* pSelection = pCommandBars->GetDragControl(); pSelection != nullptr && pSelection->GetParent() == pBar)
        pCommandBars->SetDragControl(nullptr);
    pCommandBars->RemoveBar(pBar);
    m_list.SetCurSel(-1);
    RefreshList();
}

void CCustomizeToolbarsPage::OnResetToolBar()
{
    CKitCommandBar* pBar = SelectedBar();
    auto* pToolBar = dynamic_cast<CKitToolBar*>(pBar);
    if (pToolBar == nullptr || !pToolBar->m_bBuiltIn)
        return;
    m_pSheet->GetCommandBars()->SetDragControl(nullptr);
    pToolBar->ResetBar();
    m_pSheet->GetCommandBars()->RecalcAllBars();
    RefreshList();
}
