#include "CCustomizeCommandsPage.h"

#include "CCommandBarDrawer.h"
#include "CControlDragSource.h"
#include "CKitCommandBars.h"
#include "CKitControls.h"
#include "CKitCustomizeSheet.h"
#include "CPopupMouseTracker.h"
#include "ResourceIds.h"

CCustomizeCommandsPage::CCustomizeCommandsPage(CKitCustomizeSheet* pSheet)
    : CPropertyPage(IDD_KIT_COMMANDS_PAGE), m_pSheet(pSheet)
{
}

BOOL CCustomizeCommandsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_categories.SubclassDlgItem(IDC_KIT_CATEGORY_LIST, this);
    m_commands.SubclassDlgItem(IDC_KIT_COMMAND_LIST, this);
    if (m_pSheet->GetCommandBars()->IsLayoutRTL())
    {
        // Mirrored layouts read the lists from the right.
        const LONG_PTR exStyle = WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
        for (CWnd* pList : {static_cast<CWnd*>(&m_categories), static_cast<CWnd*>(&m_commands)})
            ::SetWindowLongPtrW(pList->m_hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(pList->m_hWnd, GWL_EXSTYLE) | exStyle);
    }
    for (int i = 0; i < m_pSheet->GetCategoryCount(); ++i)
    {
        const int nItem = m_categories.AddString(m_pSheet->GetCategoryName(i));
        m_categories.SetItemData(nItem, static_cast<DWORD_PTR>(i));
    }
    if (m_categories.GetCount() > 0)
    {
        m_categories.SetCurSel(0);
        ShowCategory(static_cast<int>(m_categories.GetItemData(0)));
    }
    // Clicks in the sheet must not close the bars' popups as clicks elsewhere do.
    CPopupMouseTracker::GetThreadTracker()->AddSafeWindow(m_hWnd);
    return TRUE;
}

void CCustomizeCommandsPage::ShowCategory(int nCategory)
{
    m_commands.SendMessage(WM_SETREDRAW, FALSE);
    m_commands.ResetContent();
    if (CKitControls* pControls = m_pSheet->GetCategoryControls(nCategory))
    {
        for (int i = 0; i < pControls->GetCount(); ++i)
        {
            // Owner-drawn without strings: the item is the control.
            m_commands.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pControls->GetAt(i)));
        }
    }
    m_commands.SendMessage(WM_SETREDRAW, TRUE);
    m_commands.Invalidate();
}

BOOL CCustomizeCommandsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_KIT_CATEGORY_LIST && HIWORD(wParam) == LBN_SELCHANGE)
    {
        const int nSel = m_categories.GetCurSel();
        if (nSel >= 0)
            ShowCategory(static_cast<int>(m_categories.GetItemData(nSel)));
        return TRUE;
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

LRESULT CCustomizeCommandsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY)
        CPopupMouseTracker::GetThreadTracker()->RemoveSafeWindow(m_hWnd);
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

void CCustomizeCommandsPage::OnCommandPressed(CPoint point)
{
    BOOL bOutside = TRUE;
    const int nItem = static_cast<int>(m_commands.ItemFromPoint(point, bOutside));
    if (bOutside || nItem < 0 || nItem >= m_commands.GetCount())
        return;
    auto* pControl = reinterpret_cast<CKitControl*>(m_commands.GetItemData(nItem));
    if (pControl == nullptr)
        return;
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    pCommandBars->SetDragControl(nullptr);
    m_commands.SetCurSel(nItem);
    SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KIT_COMMAND_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(m_commands.m_hWnd));
    // The bar gets a copy; the list keeps its command.
    pCommandBars->GetDragSource()->DoDragDrop(pControl, TRUE);
}

void CCustomizeCommandsPage::CCommandList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    auto* pControl = reinterpret_cast<CKitControl*>(lpMeasureItemStruct->itemData);
    if (pControl == nullptr)
        return;
    CClientDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    const CSize size = GetCommandBarDrawer()->DrawCommandListItem(&dc, pControl, rc, FALSE, FALSE,
                                                                  m_pPage->m_pSheet->GetCommandBars());
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(std::max(size.cy, 1L));
}

void CCustomizeCommandsPage::CCommandList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    auto* pControl = reinterpret_cast<CKitControl*>(lpDrawItemStruct->itemData);
    if (static_cast<int>(lpDrawItemStruct->itemID) < 0 || pControl == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    GetCommandBarDrawer()->DrawCommandListItem(pDC, pControl, CRect(lpDrawItemStruct->rcItem), bSelected, TRUE,
                                               m_pPage->m_pSheet->GetCommandBars());
}

LRESULT CCustomizeCommandsPage::CCommandList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_LBUTTONDOWN:
        SetFocus();
        m_pPage->OnCommandPressed(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))));
        return 0;
    case WM_ERASEBKGND:
    {
        // The rows below the last item show the drawer's background too.
        CRect rc;
        GetClientRect(&rc);
        CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
        GetCommandBarDrawer()->FillSolid(pDC, rc, 41);  // the popup background slot
        return 1;
    }
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
