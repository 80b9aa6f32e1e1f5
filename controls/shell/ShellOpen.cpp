#include "ShellOpen.h"

#include <shellapi.h>

#include <vector>

LONG ReadRegDefaultValue(HKEY root, const wchar_t* subkey, std::wstring& value) {
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExW(root, subkey, 0, KEY_QUERY_VALUE, &key);
  if (opened != ERROR_SUCCESS) return opened;
  // The size is offered in bytes; one character is kept back for the
  // terminator, which a stored value may lack.
  std::vector<wchar_t> buffer(1025, L'\0');
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  DWORD type = 0;
  const LONG read = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS) return read;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return ERROR_INVALID_DATA;
  value.assign(buffer.data());
  return ERROR_SUCCESS;
}

std::wstring HandlerCommandLine(const std::wstring& handlerCommand, const std::wstring& target) {
  // A target with a quote or a line break could end the quoted argument and
  // smuggle in more of the command line.
  if (target.empty() || target.find_first_of(L"\"\r\n") != std::wstring::npos) return {};
  std::wstring command = handlerCommand;
  size_t placeholder = command.find(L"\"%1\"");
  if (placeholder == std::wstring::npos) placeholder = command.find(L"%1");
  if (placeholder != std::wstring::npos) command.resize(placeholder);
  if (command.find_first_not_of(L' ') == std::wstring::npos) return {};
  return command + L" \"" + target + L"\"";
}

INT_PTR OpenLink(const wchar_t* target, int showCommand) {
  if (!target || !target[0]) return ERROR_FILE_NOT_FOUND;
  const INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, showCommand));
  if (result > 32) return result;
  std::wstring pageClass, handler;
  if (ReadRegDefaultValue(HKEY_CLASSES_ROOT, L".htm", pageClass) != ERROR_SUCCESS) return result;
  if (ReadRegDefaultValue(HKEY_CLASSES_ROOT, (pageClass + L"\\shell\\open\\command").c_str(), handler) !=
      ERROR_SUCCESS) {
    return result;
  }
  std::wstring commandLine = HandlerCommandLine(handler, target);
  if (commandLine.empty()) return result;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_FORMAT ? error : 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 33;  // what a successful start reports, as ShellExecute does
}

std::wstring OpenErrorText(INT_PTR code) {
  const wchar_t* text = nullptr;
  switch (code) {
    case 0: text = L"The operating system is out\nof memory or resources."; break;
    case ERROR_FILE_NOT_FOUND: text = L"The specified file was not found."; break;
    case ERROR_PATH_NOT_FOUND: text = L"The specified path was not found."; break;
    case SE_ERR_ACCESSDENIED: text = L"The operating system denied\naccess to the specified file."; break;
    case SE_ERR_OOM: text = L"There was not enough memory to complete the operation."; break;
    case ERROR_BAD_FORMAT: text = L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."; break;
    case SE_ERR_SHARE: text = L"A sharing violation occurred. "; break;
    case SE_ERR_ASSOCINCOMPLETE: text = L"The filename association is\nincomplete or invalid."; break;
    case SE_ERR_DDETIMEOUT: text = L"The DDE transaction could not\nbe completed because the request timed out."; break;
    case SE_ERR_DDEFAIL: text = L"The DDE transaction failed."; break;
    case SE_ERR_DDEBUSY:
      text = L"The DDE transaction could not\nbe completed because other DDE transactions\nwere being processed.";
      break;
    case SE_ERR_NOASSOC: text = L"There is no application associated\nwith the given filename extension."; break;
    case SE_ERR_DLLNOTFOUND: text = L"The specified dynamic-link library was not found."; break;
    default: break;
  }
  std::wstring message = L"Unable to open hyperlink:\n\n";
  if (text) return message + text;
  return message + L"Unknown Error (" + std::to_wstring(code) + L") occurred.";
}
