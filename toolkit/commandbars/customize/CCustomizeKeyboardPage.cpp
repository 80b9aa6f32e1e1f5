#include "CCustomizeKeyboardPage.h"

#include "CCommandShortcuts.h"
#include "CKitCommandBars.h"
#include "CKitControl.h"
#include "CKitControls.h"
#include "CKitCustomizeSheet.h"
#include "CToolkitResources.h"
#include "ResourceIds.h"
#include "window/CWinApp.h"

namespace
{
constexpr UINT kResetQuestion = 9392;
constexpr UINT kReassignQuestion = 9393;
// The recent-file commands change with every file opened; no key is kept for them.
constexpr int kFirstRecentFile = 0xE110;
constexpr int kLastRecentFile = 0xE11F;
constexpr BYTE kKeyFlags = FVIRTKEY | FSHIFT | FCONTROL | FALT;

CString ToolkitString(UINT nId)
{
    CString str;
    GetToolkitResources()->LoadString(str, nId);
    return str;
}

// A caption as the list shows it: without "&" markers ("&&" stays one "&")
// and without the shortcut part after a tab.
CString WithoutMnemonics(CString str)
{
    const int nTab = str.Find(L'\t');
    if (nTab >= 0)
        str = str.Left(nTab);
    CString strPlain;
    for (int i = 0; i < str.GetLength(); ++i)
    {
        if (str[i] == L'&')
        {
            ++i;
            if (i >= str.GetLength())
                break;
        }
        strPlain += str[i];
    }
    return strPlain;
}

BOOL IsSameKey(const ACCEL& a, const ACCEL& b)
{
    return (a.fVirt & kKeyFlags) == (b.fVirt & kKeyFlags) && a.key == b.key;
}
}  // namespace

CCustomizeKeyboardPage::CCustomizeKeyboardPage(CKitCustomizeSheet* pSheet)
    : CPropertyPage(IDD_KIT_KEYBOARD_PAGE), m_pSheet(pSheet)
{
}

BOOL CCustomizeKeyboardPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_category.SubclassDlgItem(IDC_KIT_KEY_CATEGORY, this);
    m_commands.SubclassDlgItem(IDC_KIT_KEY_COMMANDS, this);
    m_assignments.SubclassDlgItem(IDC_KIT_KEY_ASSIGNMENTS, this);
    m_keyField.SubclassDlgItem(IDC_KIT_NEW_KEY, this);
    m_keyField.SetShortcuts(m_pSheet->GetCommandBars()->GetKeyboardShortcuts());
    for (int i = 0; i < m_pSheet->GetCategoryCount(); ++i)
    {
        const int nItem = m_category.AddString(m_pSheet->GetCategoryName(i));
        m_category.SetItemData(nItem, static_cast<DWORD_PTR>(i));
    }
    if (m_category.GetCount() > 0)
    {
        m_category.SetCurSel(0);
        ShowCategory(static_cast<int>(m_category.GetItemData(0)));
    }
    else
    {
        ShowCommand();
    }
    return TRUE;
}

void CCustomizeKeyboardPage::ShowCategory(int nCategory)
{
    m_commands.ResetContent();
    if (CKitControls* pControls = m_pSheet->GetCategoryControls(nCategory))
    {
        for (int i = 0; i < pControls->GetCount(); ++i)
        {
            CKitControl* pControl = pControls->GetAt(i);
            const int nId = pControl->GetId();
            if (nId == 0 || pControl->IsPopupControl() || (nId >= kFirstRecentFile && nId <= kLastRecentFile))
                continue;
            const int nItem = m_commands.AddString(WithoutMnemonics(pControl->GetCaption()));
            // The category's copies live as long as the sheet.
            m_commands.SetItemData(nItem, reinterpret_cast<DWORD_PTR>(pControl));
        }
    }
    if (m_commands.GetCount() > 0)
        m_commands.SetCurSel(0);
    ShowCommand();
}

CKitControl* CCustomizeKeyboardPage::SelectedCommand() const
{
    const int nSel = m_commands.GetCurSel();
    return nSel >= 0 ? reinterpret_cast<CKitControl*>(m_commands.GetItemData(nSel)) : nullptr;
}

std::vector<ACCEL> CCustomizeKeyboardPage::CurrentEntries() const
{
    std::vector<ACCEL> entries;
    HACCEL hTable = m_pSheet->GetCommandBars()->GetKeyboardShortcuts()->GetAccelTable();
    const int nCount = hTable != nullptr ? ::CopyAcceleratorTableW(hTable, nullptr, 0) : 0;
    if (nCount <= 0)
        return entries;
    entries.resize(static_cast<size_t>(nCount));
    const int nCopied = ::CopyAcceleratorTableW(hTable, entries.data(), nCount);
    entries.resize(static_cast<size_t>(nCopied > 0 ? nCopied : 0));
    return entries;
}

void CCustomizeKeyboardPage::SetEntries(const std::vector<ACCEL>& entries)
{
    m_pSheet->GetCommandBars()->GetKeyboardShortcuts()->SetTable(entries.data(), static_cast<int>(entries.size()));
}

void CCustomizeKeyboardPage::ShowCommand()
{
    m_assignments.ResetContent();
    CKitControl* pCommand = SelectedCommand();
    if (pCommand != nullptr)
    {
        CCommandShortcuts* pShortcuts = m_pSheet->GetCommandBars()->GetKeyboardShortcuts();
        const std::vector<ACCEL> entries = CurrentEntries();
        for (size_t i = 0; i < entries.size(); ++i)
        {
            if (entries[i].cmd != static_cast<WORD>(pCommand->GetId()))
                continue;
            CString strKey;
            pShortcuts->FormatShortcut(strKey, entries[i], nullptr);
            const int nItem = m_assignments.AddString(strKey);
            m_assignments.SetItemData(nItem, static_cast<DWORD_PTR>(i));
        }
    }
    SetDlgItemText(IDC_KIT_DESCRIPTION, pCommand != nullptr ? pCommand->GetDescription() : CString());
    UpdateButtons();
}

void CCustomizeKeyboardPage::UpdateButtons()
{
    ACCEL entry{};
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_KIT_KEY_ASSIGN), SelectedCommand() != nullptr && m_keyField.GetKey(entry));
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_KIT_KEY_REMOVE), m_assignments.GetCurSel() >= 0);
}

void CCustomizeKeyboardPage::Assign()
{
    CKitControl* pCommand = SelectedCommand();
    ACCEL entry{};
    if (pCommand == nullptr || !m_keyField.GetKey(entry))
        return;
    entry.cmd = static_cast<WORD>(pCommand->GetId());
    std::vector<ACCEL> entries = CurrentEntries();
    bool bReplaced = false;
    for (ACCEL& existing : entries)
    {
        if (!IsSameKey(existing, entry))
            continue;
        if (AfxMessageBox(ToolkitString(kReassignQuestion), MB_YESNO | MB_ICONWARNING) != IDYES)
            return;
        existing = entry;
        bReplaced = true;
        break;
    }
    if (!bReplaced)
        entries.push_back(entry);
    SetEntries(entries);
    m_keyField.ClearKey();
    ShowCommand();
}

void CCustomizeKeyboardPage::Remove()
{
    const int nSel = m_assignments.GetCurSel();
    std::vector<ACCEL> entries = CurrentEntries();
    if (nSel < 0)
        return;
    const size_t nIndex = static_cast<size_t>(m_assignments.GetItemData(nSel));
    if (nIndex >= entries.size())
        return;
    entries[nIndex] = entries.back();
    entries.pop_back();
    SetEntries(entries);
    ShowCommand();
}

void CCustomizeKeyboardPage::ResetAll()
{
    if (AfxMessageBox(ToolkitString(kResetQuestion), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    m_pSheet->GetCommandBars()->GetKeyboardShortcuts()->ResetToOriginal();
    ShowCommand();
}

BOOL CCustomizeKeyboardPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nCode = HIWORD(wParam);
    switch (LOWORD(wParam))
    {
    case IDC_KIT_KEY_CATEGORY:
        if (nCode == CBN_SELCHANGE)
        {
            const int nSel = m_category.GetCurSel();
            if (nSel >= 0)
                ShowCategory(static_cast<int>(m_category.GetItemData(nSel)));
        }
        return TRUE;
    case IDC_KIT_KEY_COMMANDS:
        if (nCode == LBN_SELCHANGE)
            ShowCommand();
        return TRUE;
    case IDC_KIT_KEY_ASSIGNMENTS:
        if (nCode == LBN_SELCHANGE)
            UpdateButtons();
        return TRUE;
    case IDC_KIT_NEW_KEY:
        if (nCode == EN_CHANGE)
            UpdateButtons();
        return TRUE;
    case IDC_KIT_KEY_ASSIGN:
        if (nCode == BN_CLICKED)
            Assign();
        return TRUE;
    case IDC_KIT_KEY_REMOVE:
        if (nCode == BN_CLICKED)
            Remove();
        return TRUE;
    case IDC_KIT_KEY_RESET_ALL:
        if (nCode == BN_CLICKED)
            ResetAll();
        return TRUE;
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}
