#include "CCustomizeOptionsPage.h"

#include "CKitCommandBars.h"
#include "CKitCustomizeSheet.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"
#include "window/CWinApp.h"

namespace
{
constexpr UINT kResetUsageQuestion = 9346;
constexpr UINT kFirstAnimationName = 9411;   // "(System default)" ... "None", in type order
constexpr int kAnimationTypes = 6;
constexpr int kHeaderLineGap = 6;
}  // namespace

CCustomizeOptionsPage::CCustomizeOptionsPage(CKitCustomizeSheet* pSheet)
    : CPropertyPage(IDD_KIT_OPTIONS_PAGE), m_pSheet(pSheet)
{
}

BOOL CCustomizeOptionsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const CCommandBarSettings* pSettings = m_pSheet->GetCommandBars()->GetSettings();
    CheckDlgButton(IDC_KIT_FULL_MENUS, pSettings->m_bAlwaysShowFullMenus ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KIT_FULL_AFTER_DELAY, pSettings->m_bShowFullAfterDelay ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KIT_LARGE_ICONS, pSettings->m_bLargeIcons ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KIT_SCREEN_TIPS, pSettings->m_bToolBarScreenTips ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KIT_SHORTCUT_TIPS, pSettings->m_bToolBarAccelTips ? BST_CHECKED : BST_UNCHECKED);
    // The headers draw themselves: text and etched line.
    for (UINT nId : {static_cast<UINT>(IDC_KIT_HEADER_PERSONALIZED), static_cast<UINT>(IDC_KIT_HEADER_OTHER)})
    {
        HWND hHeader = ::GetDlgItem(m_hWnd, static_cast<int>(nId));
        ::SetWindowLongPtrW(hHeader, GWL_STYLE, (::GetWindowLongPtrW(hHeader, GWL_STYLE) & ~SS_TYPEMASK) | SS_OWNERDRAW);
    }
    HWND hCombo = ::GetDlgItem(m_hWnd, IDC_KIT_ANIMATION);
    for (int nType = 0; nType < kAnimationTypes; ++nType)
    {
        CString strName;
        GetToolkitResources()->LoadString(strName, kFirstAnimationName + static_cast<UINT>(nType));
        ::SendMessageW(hCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strName)));
    }
    ::SendMessageW(hCombo, CB_SETCURSEL,
                   static_cast<WPARAM>(pSettings->m_nAnimationType >= 0 && pSettings->m_nAnimationType < kAnimationTypes
                                           ? pSettings->m_nAnimationType
                                           : 0),
                   0);
    UpdateDependentChecks();
    return TRUE;
}

void CCustomizeOptionsPage::UpdateDependentChecks()
{
    const CCommandBarSettings* pSettings = m_pSheet->GetCommandBars()->GetSettings();
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_KIT_FULL_AFTER_DELAY), !pSettings->m_bAlwaysShowFullMenus);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_KIT_SHORTCUT_TIPS), pSettings->m_bToolBarScreenTips);
}

BOOL CCustomizeOptionsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CKitCommandBars* pCommandBars = m_pSheet->GetCommandBars();
    CCommandBarSettings* pSettings = pCommandBars->GetSettings();
    const UINT nId = LOWORD(wParam);
    const BOOL bChecked = IsDlgButtonChecked(static_cast<int>(nId)) == BST_CHECKED;
    switch (nId)
    {
    case IDC_KIT_FULL_MENUS:
        pSettings->m_bAlwaysShowFullMenus = bChecked;
        break;
    case IDC_KIT_FULL_AFTER_DELAY:
        pSettings->m_bShowFullAfterDelay = bChecked;
        break;
    case IDC_KIT_LARGE_ICONS:
        pSettings->m_bLargeIcons = bChecked;
        pCommandBars->RecalcAllBars();
        break;
    case IDC_KIT_SCREEN_TIPS:
        pSettings->m_bToolBarScreenTips = bChecked;
        break;
    case IDC_KIT_SHORTCUT_TIPS:
        pSettings->m_bToolBarAccelTips = bChecked;
        break;
    case IDC_KIT_ANIMATION:
        if (HIWORD(wParam) == CBN_SELCHANGE)
        {
            const int nSel = static_cast<int>(::SendMessageW(::GetDlgItem(m_hWnd, IDC_KIT_ANIMATION), CB_GETCURSEL, 0, 0));
            if (nSel >= 0)
                pSettings->m_nAnimationType = nSel;
        }
        return TRUE;
    case IDC_KIT_RESET_USAGE:
    {
        CString strQuestion;
        GetToolkitResources()->LoadString(strQuestion, kResetUsageQuestion);
        if (AfxMessageBox(strQuestion, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES)
            pCommandBars->ResetUsageData();
        return TRUE;
    }
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
    UpdateDependentChecks();
    return TRUE;
}

LRESULT CCustomizeOptionsPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DRAWITEM)
    {
        auto* pDraw = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        if (pDraw->CtlID == IDC_KIT_HEADER_PERSONALIZED || pDraw->CtlID == IDC_KIT_HEADER_OTHER)
        {
            DrawHeader(pDraw);
            return TRUE;
        }
    }
    return CPropertyPage::WindowProc(message, wParam, lParam);
}

void CCustomizeOptionsPage::DrawHeader(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    CRect rc(lpDrawItemStruct->rcItem);
    wchar_t szText[128] = {};
    ::GetWindowTextW(lpDrawItemStruct->hwndItem, szText, 128);
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageW(lpDrawItemStruct->hwndItem, WM_GETFONT, 0, 0));
    HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
    ::SetBkMode(hDC, TRANSPARENT);
    ::SetTextColor(hDC, ::GetSysColor(COLOR_BTNTEXT));
    CRect rcText = rc;
    ::DrawTextW(hDC, szText, -1, &rcText, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
    rcText.top = rc.top;
    rcText.bottom = rc.bottom;
    ::DrawTextW(hDC, szText, -1, &rcText, DT_SINGLELINE | DT_LEFT | DT_VCENTER | DT_NOPREFIX);
    // The etched line: a shadow line over a highlight line.
    const int y = rc.top + rc.Height() / 2;
    const int nLeft = rcText.right + kHeaderLineGap;
    if (nLeft < rc.right)
    {
        CRect rcShadow(nLeft, y, rc.right, y + 1);
        CRect rcLight(nLeft, y + 1, rc.right, y + 2);
        ::FillRect(hDC, &rcShadow, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::FillRect(hDC, &rcLight, ::GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    }
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
}
