#include "MemoryDisk.h"

#include <memory>

namespace testsupport {

MemoryDisk::MemoryDisk(uint32_t sectorCount, uint16_t fileSystemCode, engine::EngineHost* hostOverride)
    : ctx(hostOverride != nullptr ? *hostOverride : host, opener), bytes_(size_t{sectorCount} * 512) {
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.RecoveryMode = engine::kModeExtensiveScan;
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  ctx.SourceSelection.FileSystemCode = fileSystemCode;
  ctx.SourceSelection.SectorCount = sectorCount;
  ctx.SourceSelection.EndSector = sectorCount - 1;
  Attach();
}

std::span<uint8_t> MemoryDisk::Sector(uint32_t sector) {
  return std::span<uint8_t>(bytes_).subspan(size_t{sector} * 512, 512);
}

void MemoryDisk::Write(uint32_t sector, size_t offset, const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) Sector(sector)[offset + i] = static_cast<uint8_t>(text[i]);
}

void MemoryDisk::WriteU16(uint32_t sector, size_t offset, uint16_t value) {
  Sector(sector)[offset] = static_cast<uint8_t>(value);
  Sector(sector)[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void MemoryDisk::WriteU32(uint32_t sector, size_t offset, uint32_t value) {
  WriteU16(sector, offset, static_cast<uint16_t>(value));
  WriteU16(sector, offset + 2, static_cast<uint16_t>(value >> 16));
}

void MemoryDisk::MarkBoot(uint32_t sector) {
  Sector(sector)[510] = 0x55;
  Sector(sector)[511] = 0xAA;
}

void MemoryDisk::WriteDirectoryStart(uint32_t sector, uint32_t ownCluster, uint32_t parentCluster) {
  Write(sector, 0, ".          ");
  Sector(sector)[11] = 0x10;
  WriteU16(sector, 26, static_cast<uint16_t>(ownCluster));
  WriteU16(sector, 20, static_cast<uint16_t>(ownCluster >> 16));
  Write(sector, 32, "..         ");
  Sector(sector)[43] = 0x10;
  WriteU16(sector, 58, static_cast<uint16_t>(parentCluster));
  WriteU16(sector, 52, static_cast<uint16_t>(parentCluster >> 16));
}

void MemoryDisk::Attach() {
  auto source = std::make_unique<FaultySectorSource>(bytes_);
  source->BadSectors = BadSectors;
  ctx.SourceDevice.VolumeHandle = std::move(source);
}

}  // namespace testsupport
