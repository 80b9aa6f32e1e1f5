#include "InstanceGuard.h"

namespace {

constexpr wchar_t kInstanceMutexName[] = L"Global\\{3A5C1E70-9B24-4F6D-8E1A-B27C40D95F13}";

struct InstanceMutex {
  HANDLE handle;
  DWORD creationCode;
  InstanceMutex() : handle(::CreateMutexW(nullptr, FALSE, kInstanceMutexName)), creationCode(::GetLastError()) {}
  ~InstanceMutex() {
    if (handle != nullptr) ::CloseHandle(handle);
  }
};

// Made by static initialisation, before WinMain.
InstanceMutex theInstanceMutex;

}  // namespace

DWORD InstanceMutexCreationCode() { return theInstanceMutex.creationCode; }
