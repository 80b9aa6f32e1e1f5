// The shell's completion for the fields' edit windows: SHAutoComplete bound
// through shlwapi loaded by name (absent: no completion, silently), and,
// while a field has the focus, a hook that notices the suggestion list so
// that clicks in it leave the bars' popups open and the list keys reach it.
#pragma once

#include <windows.h>

// E_FAIL when shlwapi or SHAutoComplete is missing.
HRESULT BindShellAutoComplete(HWND hEdit, DWORD dwFlags);
// The focused field's hook (one per process, the last installer owns it).
void ShellAutoCompleteInstallHook(HWND hEdit);
void ShellAutoCompleteRemoveHook(HWND hEdit);
// Page and arrow keys without Alt go to the shown suggestion list; FALSE
// when none is shown for the field.
BOOL ShellAutoCompleteKey(HWND hEdit, UINT nKey);
