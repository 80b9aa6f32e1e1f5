// Fuzzes the partition table reader and the lost-partition search: the input is
// a small disk (its MBR, extended records and boot sectors), read as
// PhysicalDrive0 with a geometry taken from its first bytes. The extended chain,
// the boot-sector classification and the search over every cylinder and 1 MiB
// boundary must stay inside their buffers, end, and keep the table's bounds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "partitions/LostPartitionSearch.h"
#include "partitions/PartitionTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> disk(data, data + size);
  disk.resize(std::max<size_t>(1024, (size + 511) / 512 * 512));
  // Every sector that ends like a record is a candidate: keep the MBR's mark so
  // the walk gets past it.
  disk[510] = 0x55;
  disk[511] = 0xAA;

  testsupport::RecordingHost host;
  host.PartitionChoices = {1};  // search even when the table lists partitions
  testsupport::FakeDeviceOpener opener;
  opener.Devices[u"\\\\.\\PhysicalDrive0"].Bytes = disk;
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  ctx.SourceDevice.DriveNumber = 0;
  engine::PhysicalDriveEntry& entry = ctx.PhysicalDriveTable[0];
  entry.Cylinders = 1 + (size > 0 ? data[0] % 4 : 0);
  entry.Heads = 1;
  entry.SectorsPerTrack = 63;
  entry.TotalSectors = entry.Cylinders * 63;
  ctx.PhysicalDriveCount = 1;

  if (!engine::ReadPartitionTable(ctx, 0)) throw std::logic_error("an image that is there must open");
  engine::SearchLostPartitions(ctx);
  if (ctx.PartitionCount < 0 || ctx.PartitionCount > engine::kPartitionTableSize) {
    throw std::logic_error("the partition table overflowed");
  }
  return 0;
}
