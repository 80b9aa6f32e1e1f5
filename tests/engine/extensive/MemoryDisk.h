#pragma once
// A small logical drive held in memory, with an engine context and a recording
// host over it, for tests that place structures at chosen sectors.

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"

namespace testsupport {

class MemoryDisk {
 public:
  MemoryDisk(uint32_t sectorCount, uint16_t fileSystemCode, engine::EngineHost* hostOverride = nullptr);

  std::span<uint8_t> Sector(uint32_t sector);
  void Write(uint32_t sector, size_t offset, const std::string& text);
  void WriteU16(uint32_t sector, size_t offset, uint16_t value);
  void WriteU32(uint32_t sector, size_t offset, uint32_t value);
  void MarkBoot(uint32_t sector);  // 0x55 0xAA at 510

  // A FAT directory start: "." with own cluster, ".." with the parent cluster.
  void WriteDirectoryStart(uint32_t sector, uint32_t ownCluster, uint32_t parentCluster);

  // Hands the bytes written so far to the context as its volume device.
  void Attach();

  std::set<uint64_t> BadSectors;
  RecordingHost host;
  FakeDeviceOpener opener;
  engine::EngineContext ctx;

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace testsupport
