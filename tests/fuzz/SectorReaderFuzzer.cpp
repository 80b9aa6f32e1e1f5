// The sector reader over a source whose contents, bad sectors, cut-off end,
// retry count and requested run all come from the input.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.RecoverySettings.BadSectorRetries = data[0] % 4;
  ctx.SourceDevice.SourceKind = (data[1] & 1) ? engine::kSourceLogicalDrive : engine::kSourceWholeDisk;
  const uint64_t first = data[2] % 40;
  const uint32_t count = 1 + data[3] % 16;
  auto source = std::make_unique<testsupport::FaultySectorSource>(std::vector<uint8_t>(data + 8, data + size));
  for (int bit = 0; bit < 16; ++bit) {
    if ((data[4] | (data[5] << 8)) & (1 << bit)) source->BadSectors.insert(static_cast<uint64_t>(bit));
  }
  if (data[6] != 0) source->ReadableEnd = static_cast<uint64_t>(data[6]) * 64;
  if (ctx.SourceDevice.SourceKind == engine::kSourceLogicalDrive) {
    ctx.SourceDevice.VolumeHandle = std::move(source);
  } else {
    ctx.SourceDevice.DiskHandle = std::move(source);
  }
  std::vector<uint8_t> buffer(static_cast<size_t>(count) * engine::kSectorSize, 0xEE);
  engine::ReadSectors(ctx, first, count, buffer);
  return 0;
}
