// Fuzzes the FAT reader: the input is a whole volume (boot sector, FATs,
// directories) served as a logical drive; the boot sector is made acceptable. Detection, the directory walk with its
// chains and long names, the listing of every folder and the copy-out of every
// file must stay inside their buffers and end.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "SectorReader.h"
#include "copyout/FatFileSaving.h"
#include "fat/FatDirectoryEntry.h"
#include "fat/FatDirectoryParser.h"
#include "listing/FatListing.h"
#include "results/ResultStore.h"
#include "scans/FatTreeWalk.h"
#include "scans/FileSystemDetection.h"

namespace {

// Writes nowhere: every file is created and its bytes dropped.
class DiscardingFileSystem final : public engine::OutputFileSystem {
 public:
  class Discard final : public engine::OutputFile {
   public:
    bool Write(std::span<const uint8_t>) override { return true; }
    bool SetTimes(const engine::OutputFileTimes&) override { return true; }
    bool Close() override { return true; }
  };
  bool FileExists(const std::u16string&) override { return false; }
  bool CreateFolder(const std::u16string&) override { return true; }
  std::unique_ptr<engine::OutputFile> CreateFileForWriting(const std::u16string&) override {
    return std::make_unique<Discard>();
  }
  bool RemoveFile(const std::u16string&) override { return false; }
  bool RemoveFolder(const std::u16string&) override { return false; }
  std::vector<std::u16string> FilesInFolder(const std::u16string&) override { return {}; }
  std::u16string TempFolder() override { return u"T:\\"; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  engine::ParseFatDirectory(bytes, size % 2 == 0, 0, false);
  for (size_t offset = 0; offset + 32 <= size && offset < 4096; offset += 32) engine::AssembleLongFileName(bytes, offset);

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  std::vector<uint8_t> image(data, data + size);
  image.resize((size + 511) / 512 * 512);
  if (image.size() >= 1024) {
    // Give random inputs a boot sector the detection accepts, so the walk runs.
    image[13] = static_cast<uint8_t>(1u << (image[13] % 8));
    image[510] = 0x55;
    image[511] = 0xAA;
    const bool fat32 = size % 3 != 0;
    const size_t reserved = image[14] | image[15] << 8;
    const size_t perFat = fat32 ? (image[36] | image[37] << 8) : (image[22] | image[23] << 8);
    const size_t secondFat = (reserved + perFat) * 512;
    if (secondFat < image.size()) image[secondFat] = 0xF8;
  }
  opener.Devices[u"\\\\.\\Z:"].Bytes = image;
  engine::EngineContext ctx(host, opener);
  engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
  ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
  engine::OpenLogicalVolume(ctx, u'Z');
  ctx.SourceSelection.FileSystemCode = size % 3 == 0 ? engine::kFileSystemFat16 : engine::kFileSystemFat32;
  ctx.SourceSelection.SectorCount = static_cast<uint32_t>(image.size() / 512);
  if (engine::DetectFileSystem(ctx) != 1) return 0;
  engine::WalkFatVolume(ctx);

  DiscardingFileSystem files;
  ctx.Files = &files;
  engine::SaveSession session;
  for (const engine::FatFolderEntry& folder : ctx.Results.FatFolders) {
    engine::FillFileListFromFat(ctx, folder.FirstCluster, {});
  }
  engine::SaveFatFolder(ctx, session, 0, u"C:\\out", u"root");
  return 0;
}
