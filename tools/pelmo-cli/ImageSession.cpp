#include "ImageSession.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "SectorReader.h"

namespace cli {

namespace {

// Why the image cannot serve as a drive; nothing when it can.
std::optional<std::string> ImageProblem(const std::string& imagePath, uint64_t& sectorCount) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(imagePath, error);
  if (error) return error.message();
  if (std::filesystem::is_directory(status)) return "it is a folder";
  const uintmax_t bytes = std::filesystem::file_size(imagePath, error);
  if (error) return error.message();
  sectorCount = bytes / engine::kSectorSize;
  if (sectorCount == 0) return "it holds no whole sector (" + std::to_string(bytes) + " bytes)";
  std::ifstream probe(imagePath, std::ios::binary);
  if (!probe) return std::strerror(errno);
  return std::nullopt;
}

}  // namespace

ImageSession::ImageSession(const std::string& imagePath, ImageRole role, std::set<uint64_t> badSectors)
    : imagePath_(imagePath), opener_(images_, std::move(badSectors)) {
  if (const std::optional<std::string> problem = ImageProblem(imagePath, sectorCount_)) {
    throw std::runtime_error("cannot read the image " + imagePath + ": " + *problem);
  }
  images_.Map(u"\\\\.\\D:", imagePath);
  images_.Map(u"\\\\.\\PhysicalDrive0", imagePath);
  ctx_ = std::make_unique<engine::EngineContext>(host_, opener_);
  engine::EngineContext& ctx = *ctx_;
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.Files = &files_;
  ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  ctx.LogicalDriveTable[0].SectorCount = sectorCount_;
  ctx.LogicalDriveCount = 1;
  // Geometry as a BIOS would report it: 255 heads, 63 sectors per track.
  engine::PhysicalDriveEntry& disk = ctx.PhysicalDriveTable[0];
  disk.Heads = 255;
  disk.SectorsPerTrack = 63;
  disk.Cylinders = static_cast<uint32_t>(sectorCount_ / (255 * 63));
  disk.TotalSectors = static_cast<uint32_t>(std::min<uint64_t>(sectorCount_, UINT32_MAX));
  disk.DeviceNumber = 0;
  ctx.PhysicalDriveCount = 1;
  ctx.SourceDevice.DriveNumber = 0;
  if (role == ImageRole::LogicalDrive) {
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    if (engine::OpenLogicalVolume(ctx, u'D') == nullptr) throw std::runtime_error("cannot open " + imagePath);
  } else {
    ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
    if (engine::OpenPhysicalDrive(ctx) == nullptr) throw std::runtime_error("cannot open " + imagePath);
  }
  ChooseRange(SniffFileSystem(imagePath), 0, sectorCount_);
}

void ImageSession::ChooseRange(uint16_t fileSystemCode, uint64_t start, uint64_t count) {
  const uint64_t last = std::min<uint64_t>(start + count, sectorCount_) - 1;
  engine::SourceSelectionRecord& selection = ctx_->SourceSelection;
  selection.FileSystemCode = fileSystemCode;
  selection.StartSector = static_cast<uint32_t>(std::min<uint64_t>(start, UINT32_MAX));
  selection.SectorCount = static_cast<uint32_t>(std::min<uint64_t>(last - start + 1, UINT32_MAX));
  selection.EndSector = static_cast<uint32_t>(std::min<uint64_t>(last, UINT32_MAX));
  selection.EntryIndex = 0;
  ctx_->ActiveVolume.FileSystemCode = fileSystemCode;
}

uint16_t SniffFileSystem(const std::string& imagePath) {
  std::array<char, engine::kSectorSize> boot{};
  std::ifstream in(imagePath, std::ios::binary);
  if (!in.read(boot.data(), boot.size())) return engine::kFileSystemUnknown;
  auto at = [&](std::size_t offset, const char* text) {
    return std::memcmp(boot.data() + offset, text, std::strlen(text)) == 0;
  };
  if (at(3, "NTFS    ")) return engine::kFileSystemNtfs;
  if (at(82, "FAT32")) return engine::kFileSystemFat32;
  if (at(54, "FAT16") || at(54, "FAT12")) return engine::kFileSystemFat16;
  return engine::kFileSystemUnknown;
}

}  // namespace cli
