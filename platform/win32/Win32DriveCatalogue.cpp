#include "Win32DriveCatalogue.h"

#include <windows.h>
#include <winioctl.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "LeBytes.h"
#include "drives/BootSectorLength.h"

namespace platform {
namespace {

// Closes a device handle when it goes out of scope.
class DeviceHandle {
 public:
  explicit DeviceHandle(HANDLE handle) : handle_(handle) {}
  ~DeviceHandle() {
    if (valid()) CloseHandle(handle_);
  }
  DeviceHandle(const DeviceHandle&) = delete;
  DeviceHandle& operator=(const DeviceHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::wstring RootPath(char16_t letter) { return std::wstring{static_cast<wchar_t>(letter), L':', L'\\'}; }

// The query's output buffer: the storage descriptor with its strings after it.
constexpr DWORD kDescriptorBufferSize = 10000;

}  // namespace

std::string ProductIdFromDescriptor(const uint8_t* descriptor, size_t byteCount) {
  engine::LeBytes bytes({descriptor, byteCount});
  const uint32_t offset = bytes.U32(offsetof(STORAGE_DEVICE_DESCRIPTOR, ProductIdOffset));
  if (!bytes.ok() || offset == 0 || offset >= byteCount) return {};
  std::string text;
  for (size_t i = offset; i < byteCount && descriptor[i] != 0; ++i) text += static_cast<char>(descriptor[i]);
  return text;
}

std::optional<engine::PhysicalDiskReport> Win32DriveCatalogue::QueryPhysicalDisk(uint16_t deviceNumber) {
  const std::wstring path = L"\\\\.\\PhysicalDrive" + std::to_wstring(deviceNumber);
  // Access 0: the queries below need no read access.
  DeviceHandle disk(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                nullptr));
  if (!disk.valid()) return std::nullopt;

  STORAGE_PROPERTY_QUERY query{};
  query.PropertyId = StorageDeviceProperty;
  query.QueryType = PropertyStandardQuery;
  std::vector<uint8_t> buffer(kDescriptorBufferSize);
  DWORD returned = 0;
  if (!DeviceIoControl(disk.get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer.data(),
                       kDescriptorBufferSize, &returned, nullptr)) {
    return std::nullopt;
  }
  const size_t descriptorBytes = returned < buffer.size() ? returned : buffer.size();

  engine::PhysicalDiskReport report;
  engine::LeBytes descriptor({buffer.data(), descriptorBytes});
  report.BusType = descriptor.U32(offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType));
  report.ProductId = ProductIdFromDescriptor(buffer.data(), descriptorBytes);

  DISK_GEOMETRY geometry{};
  if (DeviceIoControl(disk.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &geometry, sizeof(geometry), &returned,
                      nullptr)) {
    report.Cylinders = static_cast<uint64_t>(geometry.Cylinders.QuadPart);
    report.TracksPerCylinder = geometry.TracksPerCylinder;
    report.SectorsPerTrack = geometry.SectorsPerTrack;
  }
  return report;
}

uint32_t Win32DriveCatalogue::LogicalDriveMask() { return GetLogicalDrives(); }

engine::DriveKind Win32DriveCatalogue::KindOf(char16_t driveLetter) {
  switch (GetDriveTypeW(RootPath(driveLetter).c_str())) {
    case DRIVE_FIXED:
      return engine::DriveKind::Fixed;
    case DRIVE_REMOVABLE:
      return engine::DriveKind::Removable;
    case DRIVE_REMOTE:
      return engine::DriveKind::Remote;
    default:
      return engine::DriveKind::Other;
  }
}

std::optional<uint64_t> Win32DriveCatalogue::TotalBytes(char16_t driveLetter) {
  // The free-space query answers for the file system mounted at the root, which
  // is not always the device behind the letter (under Wine a drive backed by an
  // image reports the host's disk): the volume's own length comes first.
  const std::wstring volumePath = std::wstring(L"\\\\.\\") + static_cast<wchar_t>(driveLetter) + L':';
  DeviceHandle volume(CreateFileW(volumePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
  if (volume.valid()) {
    GET_LENGTH_INFORMATION length{};
    DWORD returned = 0;
    if (DeviceIoControl(volume.get(), IOCTL_DISK_GET_LENGTH_INFO, nullptr, 0, &length, sizeof(length), &returned,
                        nullptr) &&
        length.Length.QuadPart > 0) {
      return static_cast<uint64_t>(length.Length.QuadPart);
    }
    std::array<uint8_t, 512> bootSector{};
    DWORD got = 0;
    if (ReadFile(volume.get(), bootSector.data(), static_cast<DWORD>(bootSector.size()), &got, nullptr) &&
        got == bootSector.size()) {
      if (const std::optional<uint64_t> bytes = engine::VolumeBytesFromBootSector(bootSector)) return bytes;
    }
  }
  ULARGE_INTEGER available{}, total{}, free{};
  if (!GetDiskFreeSpaceExW(RootPath(driveLetter).c_str(), &available, &total, &free)) return std::nullopt;
  return total.QuadPart;
}

std::u16string Win32DriveCatalogue::VolumeLabel(char16_t driveLetter) {
  wchar_t label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationW(RootPath(driveLetter).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                             0)) {
    return {};
  }
  return std::u16string(reinterpret_cast<const char16_t*>(label));
}

}  // namespace platform
