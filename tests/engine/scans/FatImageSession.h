#pragma once
// An engine context over a FAT image served as logical drive D:, with a recording
// host, for tests that scan real images.

#include <sys/stat.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <string>

#include "DamagedImage.h"
#include "EngineContext.h"
#include "RecordingHost.h"
#include "Fixtures.h"
#include "listing/FileFilters.h"
#include "posix/ImageFileSource.h"
#include "results/ResultStore.h"
#include "scans/QuickScan.h"

namespace testsupport {

// A recording host that stands for the user pressing Stop (and confirming) once
// the scan has shown a given number of found items (or values of another counter).
class StoppingHost final : public RecordingHost {
 public:
  int StopAfterItems = -1;
  engine::ScanCounter StopCounter = engine::ScanCounter::LastItem;
  std::atomic<int32_t>* StopFlag = nullptr;

  void SetCounterText(engine::ScanCounter counter, const std::u16string& text) override {
    RecordingHost::SetCounterText(counter, text);
    if (counter == StopCounter && ++itemsShown_ == StopAfterItems && StopFlag) *StopFlag = 1;
  }

 private:
  int itemsShown_ = 0;
};

class FatImageSession {
 public:
  FatImageSession(const std::string& imagePath, uint16_t fileSystemCode) : ctx(host, opener) {
    opener.Map(u"\\\\.\\D:", imagePath);
    host.StopFlag = &ctx.ScanControl.StopOrDone;
    engine::ApplyDefaultRecoverySettings(ctx.RecoverySettings);
    ctx.RecoveryMode = engine::kModeQuickScan;
    ctx.SourceDevice.SourceKind = engine::kSourceLogicalDrive;
    ctx.LogicalDriveTable[0].RootPath = u"D:\\";
    struct stat info {};
    stat(imagePath.c_str(), &info);
    ctx.SourceSelection.FileSystemCode = fileSystemCode;
    ctx.SourceSelection.SectorCount = static_cast<uint32_t>(info.st_size / 512);
    ctx.SourceSelection.EndSector = ctx.SourceSelection.SectorCount - 1;
  }

  int QuickScan() { return engine::QuickScanThreadProc(ctx, filters); }

  // Path of every listed FAT file and folder ("A/b.txt") to its record.
  struct Listed {
    bool IsFolder = false;
    bool Deleted = false;
    uint64_t Size = 0;
  };
  std::map<std::string, Listed> ListedPaths() {
    std::map<std::string, Listed> paths;
    for (const engine::FatFolderEntry& folder : ctx.Results.FatFolders) {
      paths[PathOf(folder.ParentCluster, folder.Name)] = {true, folder.Deleted != 0, 0};
    }
    for (const engine::FatFileEntry& file : ctx.Results.FatFiles) {
      paths[PathOf(file.ParentCluster, file.Name)] = {false, file.Deleted != 0, file.Size};
    }
    return paths;
  }

  std::string PathOf(uint32_t parentCluster, const std::u16string& name) {
    std::string path = ToUtf8(name);
    for (int depth = 0; parentCluster != 0 && depth < 64; ++depth) {
      const engine::FatFolderEntry* parent = ctx.Results.FindFatFolder(parentCluster);
      if (parent == nullptr) return "?/" + path;
      path = ToUtf8(parent->Name) + "/" + path;
      parentCluster = parent->ParentCluster;
    }
    return path;
  }

  StoppingHost host;
  FaultyImageOpener opener;
  engine::EngineContext ctx;
  engine::FileFilterTable filters;
};


}  // namespace testsupport
