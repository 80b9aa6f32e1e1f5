// Appends a scan's worth of results to the result store and looks every record up
// through each index, at full size and at half size. Near-linear work shows as a
// full/half time ratio near 2 (a quadratic store would show 4).
//
//   result_store_bench [files] [folders]     (defaults: 1,000,000 and 50,000)

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "EngineContext.h"
#include "FaultySectorSource.h"
#include "RecordingHost.h"
#include "results/ResultStore.h"

namespace {

using namespace engine;
using Clock = std::chrono::steady_clock;

std::u16string NameOf(uint32_t n) {
  std::u16string name = u"FILE";
  for (char c : std::to_string(n)) name += static_cast<char16_t>(c);
  return name + u".TXT";
}

// One run: appends `files` FAT and NTFS-tree files spread over `folders` folders,
// then finds every one by each key. Returns seconds; a wrong lookup aborts.
double Run(uint32_t files, uint32_t folders) {
  testsupport::RecordingHost host;
  testsupport::FakeDeviceOpener opener;
  EngineContext ctx{host, opener};
  ctx.RecoveryMode = kModeExtensiveScan;  // folders by id must stay unique
  ResultStore& store = ctx.Results;
  const auto start = Clock::now();

  for (uint32_t d = 0; d < folders; ++d) {
    // Each folder is met twice, first deleted, then live: the live name wins.
    AddFatFolder(ctx, FatFolderEntry{.Name = u"OLD", .FirstCluster = 3 + d, .ParentCluster = d / 8, .Deleted = 1});
    AddFatFolder(ctx, FatFolderEntry{.Name = NameOf(d), .FirstCluster = 3 + d, .ParentCluster = d / 8});
    AddTreeFolder(ctx, TreeFolderNode{.Name = NameOf(d), .Id = 64 + d, .ParentId = 64 + d / 8});
    AddTreeFolder(ctx, TreeFolderNode{.Name = NameOf(d), .Id = 64 + d, .ParentId = 64 + d / 8});
  }
  for (uint32_t f = 0; f < files; ++f) {
    AddFatFile(ctx, FatFileEntry{.Name = NameOf(f), .FirstCluster = 100000 + f, .ParentCluster = 3 + f % folders,
                                 .Size = f});
    ++store.FileCount;
    AddTreeFile(ctx, TreeFileNode{.Name = NameOf(f), .Id = 1000000 + f, .ParentId = 64 + f % folders,
                                  .DataRecordSector = 2 * f});
  }
  for (uint32_t d = 0; d < folders; ++d) store.SetTreeItem(store.FatFolders[d], static_cast<TreeItem>(0x10000 + d));

  uint64_t children = 0;
  for (uint32_t d = 0; d < folders; ++d) {
    FatFolderEntry* fat = store.FindFatFolder(3 + d);
    TreeFolderNode* tree = store.FindTreeFolder(64 + d);
    if (fat == nullptr || fat->Deleted != 0 || tree == nullptr ||
        store.FindFatFolderByTreeItem(static_cast<TreeItem>(0x10000 + d)) != fat) {
      std::fprintf(stderr, "folder %u not found\n", d);
      std::abort();
    }
    children += store.FatFilesIn(3 + d).size() + store.FatFoldersIn(d).size() + store.TreeFilesIn(64 + d).size() +
                store.TreeFoldersIn(64 + d).size();
  }
  for (uint32_t f = 0; f < files; ++f) {
    if (store.FindFatFile(f) == nullptr || store.FindTreeFile(2 * f) == nullptr) {
      std::fprintf(stderr, "file %u not found\n", f);
      std::abort();
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (store.FolderCount != static_cast<int32_t>(2 * folders) || children < 2ULL * files) {
    std::fprintf(stderr, "counts are wrong\n");
    std::abort();
  }
  ReleaseFatAndTreeLists(ctx);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const uint32_t files = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 1000000;
  const uint32_t folders = argc > 2 ? static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10)) : 50000;
  const double half = Run(files / 2, folders / 2);
  const double full = Run(files, folders);
  std::printf("result store: %u files, %u folders: %.3f s; half size: %.3f s; ratio %.2f\n", files, folders, full,
              half, full / half);
  return 0;
}
