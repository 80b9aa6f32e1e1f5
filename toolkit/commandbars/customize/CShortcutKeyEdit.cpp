#include "CShortcutKeyEdit.h"

#include "CCommandShortcuts.h"

namespace
{
BOOL IsModifierKey(UINT nKey)
{
    switch (nKey)
    {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
        return TRUE;
    default:
        return FALSE;
    }
}

BYTE HeldModifiers()
{
    BYTE fVirt = 0;
    if (::GetKeyState(VK_CONTROL) < 0)
        fVirt |= FCONTROL;
    if (::GetKeyState(VK_SHIFT) < 0)
        fVirt |= FSHIFT;
    if (::GetKeyState(VK_MENU) < 0)
        fVirt |= FALT;
    return fVirt;
}
}  // namespace

BOOL CShortcutKeyEdit::GetKey(ACCEL& entry) const
{
    if (!m_bValid)
        return FALSE;
    entry = m_entry;
    return TRUE;
}

void CShortcutKeyEdit::ClearKey()
{
    m_entry = ACCEL{};
    m_bValid = FALSE;
    if (m_hWnd != nullptr)
        ::SetWindowTextW(m_hWnd, L"");
    NotifyParent();
}

void CShortcutKeyEdit::OnKeyPressed(UINT nKey)
{
    ACCEL entry{};
    entry.key = IsModifierKey(nKey) ? 0 : static_cast<WORD>(nKey);
    // Without a key the entry is no virtual key, so only the modifiers read.
    entry.fVirt = static_cast<BYTE>((entry.key != 0 ? FVIRTKEY : 0) | HeldModifiers());
    CString strText;
    if (m_pShortcuts != nullptr)
        m_pShortcuts->FormatShortcut(strText, entry, nullptr);
    // Modifiers alone are shown while held but are no key yet; the same check
    // as for loaded tables keeps a plain Escape out.
    m_bValid = entry.key != 0 && (m_pShortcuts == nullptr || m_pShortcuts->IsShortcutAllowed(entry));
    m_entry = entry;
    ::SetWindowTextW(m_hWnd, strText);
    ::SendMessageW(m_hWnd, EM_SETSEL, static_cast<WPARAM>(strText.GetLength()), strText.GetLength());
    NotifyParent();
}

void CShortcutKeyEdit::NotifyParent()
{
    if (m_hWnd == nullptr)
        return;
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageW(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), EN_CHANGE),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

LRESULT CShortcutKeyEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GETDLGCODE:
        // Tab, Enter and Escape are keys to assign too, not dialog navigation.
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        OnKeyPressed(static_cast<UINT>(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
        // Typed text and Alt releases (which would open the window menu) stay out.
        return 0;
    case WM_CONTEXTMENU:
        return 0;
    default:
        return CEdit::WindowProc(message, wParam, lParam);
    }
}
