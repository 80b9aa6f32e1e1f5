// carving_bench IMAGE PROGRAM_FOLDER HITS_FILE
//
// Reads IMAGE once through the engine's sector reader, 64 sectors at a time (the
// plain sequential read File Trace cannot beat), then carves it with every type of
// PROGRAM_FOLDER/Raw.dat ticked. Writes one "sector extension" line per hit to
// HITS_FILE and prints the two times.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "EngineContext.h"
#include "ImageFileSource.h"
#include "PosixOutputFileSystem.h"
#include "QuietHost.h"
#include "SectorReader.h"
#include "signatures/FileTrace.h"
#include "signatures/SignatureDatabase.h"
#include "signatures/SignatureSelection.h"

namespace {

// Drops every report; keeps the signature records the database loader hands over.
class SilentHost final : public toolsupport::QuietHost {
 public:
  std::vector<engine::SignatureRecord> RecordsHeadFirst;

  void FileTypeTreeAddSignature(const engine::SignatureRecord& record) override {
    RecordsHeadFirst.insert(RecordsHeadFirst.begin(), record);
  }
};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: carving_bench IMAGE PROGRAM_FOLDER HITS_FILE\n");
    return 2;
  }
  SilentHost host;
  platform::ImageDeviceOpener opener;
  opener.Map(u"\\\\.\\PhysicalDrive0", argv[1]);
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.ProgramFolder = platform::FromUtf8(argv[2]);
  ctx.SourceDevice.SourceKind = engine::kSourceWholeDisk;
  if (engine::OpenPhysicalDrive(ctx) == nullptr) {
    std::fprintf(stderr, "carving_bench: cannot open %s\n", argv[1]);
    return 1;
  }
  uint64_t bytes = 0;
  {
    std::ifstream in(argv[1], std::ios::binary | std::ios::ate);
    bytes = static_cast<uint64_t>(in.tellg());
  }
  const uint64_t sectors = bytes / engine::kSectorSize;

  auto start = std::chrono::steady_clock::now();
  std::vector<uint8_t> chunk(engine::kCarvingChunkSectors * engine::kSectorSize);
  for (uint64_t sector = 0; sector < sectors; sector += engine::kCarvingChunkSectors) {
    engine::ReadSectors(ctx, sector, engine::kCarvingChunkSectors, chunk);
  }
  const double readSeconds = SecondsSince(start);

  engine::LoadSignatureDatabase(ctx);
  std::vector<engine::FileTypeTreeItem> items;
  std::set<std::u16string> seen;
  for (auto record = host.RecordsHeadFirst.rbegin(); record != host.RecordsHeadFirst.rend(); ++record) {
    if (seen.insert(record->Extension).second) items.push_back({record->Extension, 2});
  }
  engine::AddCheckedSignatures(ctx, host.RecordsHeadFirst, items);
  ctx.SourceSelection.FileSystemCode = engine::kFileSystemUnknown;
  ctx.SourceSelection.StartSector = 0;
  ctx.SourceSelection.EndSector = static_cast<uint32_t>(sectors - 1);
  start = std::chrono::steady_clock::now();
  if (engine::FileTraceThreadProc(ctx) != 1) {
    std::fprintf(stderr, "carving_bench: File Trace gave up\n");
    return 1;
  }
  const double carveSeconds = SecondsSince(start);

  std::ofstream hits(argv[3]);
  for (const engine::CarvedFile& hit : ctx.Results.CarvedFiles) {
    std::string extension(hit.Extension.begin(), hit.Extension.end());
    hits << hit.StartSector << ' ' << extension << '\n';
  }
  std::printf("signatures %zu\nread_seconds %.3f\ncarve_seconds %.3f\nhits %zu\n",
              ctx.Results.SelectedSignatures.size(), readSeconds, carveSeconds, ctx.Results.CarvedFiles.size());
  return 0;
}
