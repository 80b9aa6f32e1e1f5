// The NTFS parsers over hostile bytes: a FILE record (every field reader and the
// data-stream assembly, before and after the update-sequence fix-up), an INDX
// block, and a bare runlist. The first byte chooses which.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "ntfs/DataRuns.h"
#include "ntfs/IndexBlock.h"
#include "ntfs/NtfsVolume.h"
#include "ntfs/RecordFields.h"

namespace {

void ReadEveryField(std::span<const uint8_t> record) {
  using namespace engine::ntfs;
  (void)FindDisplayName(record);
  for (uint8_t space = 0; space < 4; ++space) (void)FindFileName(record, space);
  (void)GetDataSize(record);
  (void)ResidentAttributeList(record);
  (void)FindIndexRootOwnId(record);
  (void)FirstIndexAllocationCluster(record);
  for (const Attribute& attribute : ListAttributes(record)) {
    if (const auto info = ReadNonResident(attribute)) (void)DecodeRunlist(info->Runlist);
  }
}

void FuzzRecord(const uint8_t* data, size_t size) {
  std::vector<uint8_t> record(engine::ntfs::kMftRecordSize, 0);
  std::memcpy(record.data(), data, std::min(size, record.size()));
  std::memcpy(record.data(), "FILE", 4);
  ReadEveryField(record);

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  engine::EngineContext ctx(host, opener);
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  ctx.SourceDevice.DiskHandle = std::make_unique<testsupport::FaultySectorSource>(record);
  const engine::ntfs::NtfsGeometry geometry{0, 1};
  (void)engine::ntfs::CollectDataStream(ctx, geometry, record, 0, [](uint32_t record) { return record % 2; });

  if (engine::ntfs::Readable(engine::ntfs::ApplyUpdateSequenceFixup(record))) ReadEveryField(record);
}

void FuzzIndxBlock(const uint8_t* data, size_t size) {
  std::vector<uint8_t> block(data, data + size);
  if (block.size() < 4) block.resize(4);
  std::memcpy(block.data(), "INDX", 4);
  (void)engine::ntfs::IndxBlockSize(block);
  (void)engine::ntfs::ParseIndxBlock(block);
  if (engine::ntfs::Readable(engine::ntfs::ApplyUpdateSequenceFixup(block))) (void)engine::ntfs::ParseIndxBlock(block);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  switch (data[0] % 3) {
    case 0:
      FuzzRecord(data + 1, size - 1);
      break;
    case 1:
      FuzzIndxBlock(data + 1, size - 1);
      break;
    default:
      (void)engine::ntfs::DecodeRunlist(std::span<const uint8_t>(data + 1, size - 1));
      break;
  }
  return 0;
}
