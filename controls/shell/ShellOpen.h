// Opening a link or a document in the shell, with the ".htm" handler as the
// fallback, and the texts of the shell's failure codes.
#pragma once

#include <windows.h>

#include <string>

// The result of ShellExecuteW, or of the fallback: above 32 on success.
INT_PTR OpenLink(const wchar_t* target, int showCommand);

// The command line that runs a registered handler command on `target`: the
// command up to its "%1" placeholder (quoted or not), a blank and the target
// in double quotes. Empty when the target cannot be passed safely.
std::wstring HandlerCommandLine(const std::wstring& handlerCommand, const std::wstring& target);

// Reads the default value of a registry key as text; 0 or the error code.
LONG ReadRegDefaultValue(HKEY root, const wchar_t* subkey, std::wstring& value);

// "Unable to open hyperlink:" and the text of a shell failure code.
std::wstring OpenErrorText(INT_PTR code);
