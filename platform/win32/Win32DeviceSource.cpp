#include "Win32DeviceSource.h"

#include <windows.h>

namespace platform {

std::unique_ptr<Win32DeviceSource> Win32DeviceSource::Open(const std::u16string& devicePath,
                                                           engine::DeviceShare share) {
  const DWORD shareMode =
      share == engine::DeviceShare::ReadOnly ? FILE_SHARE_READ : (FILE_SHARE_READ | FILE_SHARE_WRITE);
  HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(devicePath.c_str()), GENERIC_READ, shareMode, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::unique_ptr<Win32DeviceSource>(new Win32DeviceSource(handle));
}

Win32DeviceSource::~Win32DeviceSource() { CloseHandle(static_cast<HANDLE>(handle_)); }

bool Win32DeviceSource::Seek(int64_t distance, engine::SeekMethod method, uint64_t& newPosition) {
  const DWORD moveMethod = method == engine::SeekMethod::Begin     ? FILE_BEGIN
                           : method == engine::SeekMethod::Current ? FILE_CURRENT
                                                                   : FILE_END;
  LARGE_INTEGER move;
  move.QuadPart = distance;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(static_cast<HANDLE>(handle_), move, &position, moveMethod)) return false;
  newPosition = static_cast<uint64_t>(position.QuadPart);
  return true;
}

bool Win32DeviceSource::Read(void* buffer, uint32_t byteCount, uint32_t& bytesRead) {
  DWORD got = 0;
  const BOOL ok = ReadFile(static_cast<HANDLE>(handle_), buffer, byteCount, &got, nullptr);
  bytesRead = got;
  return ok != FALSE;
}

std::unique_ptr<engine::SectorSource> Win32DeviceOpener::OpenForReading(const std::u16string& devicePath,
                                                                        engine::DeviceShare share) {
  return Win32DeviceSource::Open(devicePath, share);
}

}  // namespace platform
