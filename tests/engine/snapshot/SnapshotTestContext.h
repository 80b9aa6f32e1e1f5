#pragma once
// An engine context with a recording host, in-memory devices and files, and
// helpers that fill the result lists the way the scans do.

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "MemoryFiles.h"
#include "RecordingHost.h"
#include "results/ResultStore.h"

namespace snapshottest {

struct SnapshotTestContext {
  SnapshotTestContext() : ctx(host, devices) { ctx.Files = &files; }

  void AddFatFolder(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t deleted = 0) {
    engine::AddFatFolder(ctx, engine::FatFolderEntry{name, cluster, parent, 0x5021, 0x5022, 0, deleted});
  }
  void AddFatFile(const std::u16string& name, uint32_t cluster, uint32_t parent, uint32_t size) {
    engine::FatFileEntry file{name, cluster, parent, 0x5031, 0x5032, size, 0, 0};
    engine::AddFatFile(ctx, file);
    ++ctx.Results.FileCount;
  }

  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener devices;
  MemoryFiles files;
  engine::EngineContext ctx;
};

}  // namespace snapshottest
