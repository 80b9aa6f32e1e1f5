// Entry points of the markup message box and its remembered answers.
#include "MarkupMessageBox.h"

#include <memory>
#include <string>

#include "MarkupMessageBoxDialog.h"

MarkupBackground::MarkupBackground()
    : color1(GetSysColor(COLOR_BTNFACE)), color2(GetSysColor(COLOR_BTNFACE)), color3(GetSysColor(COLOR_BTNFACE)) {}

namespace {

bool IsEmptyText(const wchar_t* text) {
  return text == nullptr || (!IS_INTRESOURCE(text) && text[0] == L'\0');
}

}  // namespace

bool RememberedAnswerKey(const MarkupMessageBoxParams& params, std::wstring& key, std::wstring& valueName) {
  if (!(params.style & 0x01000000) || IsEmptyText(params.answerPrefix) || IS_INTRESOURCE(params.answerPrefix)) {
    return false;
  }
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path);
  size_t slash = program.find_last_of(L"\\/");
  if (slash != std::wstring::npos) program.erase(0, slash + 1);
  const bool company = !IsEmptyText(params.answerCompany) && !IS_INTRESOURCE(params.answerCompany);
  key = company ? L"Software\\" + std::wstring(params.answerCompany) + L"\\" + program + L"\\JxMessageBox"
                : L"Software\\" + program + L"\\JxMessageBox";
  valueName = std::wstring(params.answerPrefix) + std::to_wstring(params.messageNumber);
  return true;
}

int MarkupMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, DWORD style,
                     const MarkupMessageBoxParams* params) {
  MarkupMessageBoxParams copy = params ? *params : MarkupMessageBoxParams{};
  copy.owner = owner;
  copy.text = text;
  copy.caption = caption;
  copy.style = style;
  return MarkupMessageBoxIndirect(&copy);
}

int MarkupMessageBoxIndirect(const MarkupMessageBoxParams* params) {
  MarkupMessageBoxParams copy = params ? *params : MarkupMessageBoxParams{};
  if (!copy.owner) {
    if (HWND active = GetActiveWindow()) copy.owner = GetLastActivePopup(active);
  }
  wchar_t ownerTitle[261] = {};
  if (IsEmptyText(copy.caption)) {
    if (copy.owner) GetWindowTextW(copy.owner, ownerTitle, 261);
    copy.caption = ownerTitle[0] ? ownerTitle : L"Error";
  }

  std::wstring key, valueName;
  if (RememberedAnswerKey(copy, key, valueName)) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &handle) == ERROR_SUCCESS) {
      DWORD answer = 0, size = sizeof(answer), type = 0;
      LONG result = RegQueryValueExW(handle, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&answer), &size);
      RegCloseKey(handle);
      if (result == ERROR_SUCCESS && type == REG_DWORD && answer != 0) return static_cast<int>(answer);
    }
  }
  if (!(copy.style & 0x40000000)) MessageBeep(copy.style & 0xF0);

  auto dialog = std::make_unique<CMarkupMessageBox>(copy);
  return dialog->DoModal();
}
