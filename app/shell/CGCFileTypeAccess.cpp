#include "CGCFileTypeAccess.h"

#include <vector>

IMPLEMENT_DYNAMIC(CGCFileTypeAccess, CObject)

CGCFileTypeAccess::CGCFileTypeAccess() = default;
CGCFileTypeAccess::~CGCFileTypeAccess() = default;

void CGCFileTypeAccess::Clear() {
  Extension.Empty();
  OpenCommand.Empty();
  DocumentType.Empty();
  Description.Empty();
  DefaultIcon.Empty();
  OpenCommandCopy.Empty();
  for (CString& text : Unused) text.Empty();
}

BOOL CGCFileTypeAccess::RegisterAll() {
  WriteExtensionKeys();
  WriteTypeKeys();
  WriteFirstHook();
  WriteSecondHook();
  return TRUE;
}

BOOL CGCFileTypeAccess::WriteExtensionKeys() {
  if (Extension.IsEmpty()) return FALSE;
  const CString key = CString(kClassesKey) + L"." + Extension;
  BOOL ok = SetRegistryValue(HKEY_CURRENT_USER, key, L"", DocumentType);
  if (!OpenCommand.IsEmpty()) ok &= SetRegistryValue(HKEY_CURRENT_USER, key + L"\\shell\\open\\command", L"", OpenCommand);
  return ok;
}

BOOL CGCFileTypeAccess::WriteTypeKeys() {
  if (DocumentType.IsEmpty()) return FALSE;
  const CString key = CString(kClassesKey) + DocumentType;
  BOOL ok = SetRegistryValue(HKEY_CURRENT_USER, key, L"", Description);
  if (!DefaultIcon.IsEmpty()) ok &= SetRegistryValue(HKEY_CURRENT_USER, key + L"\\DefaultIcon", L"", DefaultIcon);
  if (!OpenCommand.IsEmpty()) ok &= SetRegistryValue(HKEY_CURRENT_USER, key + L"\\shell\\open\\command", L"", OpenCommand);
  return ok;
}

BOOL CGCFileTypeAccess::SetRegistryValue(HKEY root, LPCTSTR subKey, LPCTSTR valueName, LPCTSTR text) {
  if (root == nullptr || subKey == nullptr || *subKey == L'\0' || valueName == nullptr || text == nullptr) {
    ::SetLastError(static_cast<DWORD>(E_INVALIDARG));
    return FALSE;
  }
  LPCTSTR name = *valueName == L'\0' ? nullptr : valueName;
  const DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));

  // The value already there, read whole: nothing is written when it is the same.
  std::vector<BYTE> current(bytes + sizeof(wchar_t));
  DWORD type = 0;
  DWORD currentBytes = static_cast<DWORD>(current.size());
  if (::RegGetValueW(root, subKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, current.data(), &currentBytes) ==
          ERROR_SUCCESS &&
      type == REG_SZ && currentBytes == bytes && memcmp(current.data(), text, bytes) == 0)
    return TRUE;

  HKEY key = nullptr;
  if (::RegCreateKeyExW(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return FALSE;
  const LONG result = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes);
  ::RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
