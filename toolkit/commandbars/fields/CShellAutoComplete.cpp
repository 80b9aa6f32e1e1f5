#include "CShellAutoComplete.h"

#include "CKitEdit.h"
#include "CPopupMouseTracker.h"

namespace
{
struct AutoSuggestState
{
    HHOOK hHook = nullptr;
    HWND hEdit = nullptr;
    HWND hDropDown = nullptr;
};

AutoSuggestState& State()
{
    static AutoSuggestState state;
    return state;
}

LRESULT CALLBACK CallWndProcHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    AutoSuggestState& state = State();
    if (nCode == HC_ACTION)
    {
        const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (pMsg->message == WM_WINDOWPOSCHANGING)
        {
            const auto* pPos = reinterpret_cast<const WINDOWPOS*>(pMsg->lParam);
            if (state.hDropDown != nullptr && pMsg->hwnd == state.hDropDown && (pPos->flags & SWP_HIDEWINDOW) != 0)
            {
                CPopupMouseTracker::GetThreadTracker()->RemoveSafeWindow(state.hDropDown);
                state.hDropDown = nullptr;
            }
            else if (state.hDropDown == nullptr && (pPos->flags & SWP_SHOWWINDOW) != 0)
            {
                wchar_t szClass[64] = {};
                ::GetClassNameW(pMsg->hwnd, szClass, 64);
                if (::lstrcmpW(szClass, L"Auto-Suggest Dropdown") == 0)
                {
                    state.hDropDown = pMsg->hwnd;
                    CPopupMouseTracker::GetThreadTracker()->AddSafeWindow(pMsg->hwnd);
                    if (::IsWindow(state.hEdit))
                        ::PostMessageW(state.hEdit, WM_AUTOSUGGEST_SHOWN, 0, 0);
                }
            }
        }
    }
    return ::CallNextHookEx(state.hHook, nCode, wParam, lParam);
}
}  // namespace

HRESULT BindShellAutoComplete(HWND hEdit, DWORD dwFlags)
{
    HMODULE hShell = ::LoadLibraryW(L"shlwapi.dll");
    if (hShell == nullptr)
        return E_FAIL;
    using AutoCompleteFn = HRESULT(WINAPI*)(HWND, DWORD);
    auto pfn = reinterpret_cast<AutoCompleteFn>(reinterpret_cast<void*>(::GetProcAddress(hShell, "SHAutoComplete")));
    const HRESULT hr = pfn != nullptr ? pfn(hEdit, dwFlags) : E_FAIL;
    ::FreeLibrary(hShell);
    return hr;
}

void ShellAutoCompleteInstallHook(HWND hEdit)
{
    AutoSuggestState& state = State();
    ShellAutoCompleteRemoveHook(state.hEdit);
    state.hEdit = hEdit;
    state.hHook = ::SetWindowsHookExW(WH_CALLWNDPROC, CallWndProcHook, nullptr, ::GetCurrentThreadId());
}

void ShellAutoCompleteRemoveHook(HWND hEdit)
{
    AutoSuggestState& state = State();
    if (hEdit == nullptr || hEdit != state.hEdit)
        return;
    if (state.hHook != nullptr)
        ::UnhookWindowsHookEx(state.hHook);
    if (state.hDropDown != nullptr)
        CPopupMouseTracker::GetThreadTracker()->RemoveSafeWindow(state.hDropDown);
    state = AutoSuggestState();
}

BOOL ShellAutoCompleteKey(HWND hEdit, UINT nKey)
{
    AutoSuggestState& state = State();
    if (hEdit != state.hEdit || state.hDropDown == nullptr || !::IsWindowVisible(state.hDropDown) ||
        ::GetKeyState(VK_MENU) < 0)
        return FALSE;
    if (nKey != VK_PRIOR && nKey != VK_NEXT && nKey != VK_UP && nKey != VK_DOWN)
        return FALSE;
    HWND hList = ::GetWindow(::GetWindow(state.hDropDown, GW_CHILD), GW_HWNDLAST);
    if (hList == nullptr)
        return FALSE;
    MSG msg = {hList, WM_KEYDOWN, nKey, 0, 0, {0, 0}};
    ::IsDialogMessageW(hList, &msg);
    return TRUE;
}
