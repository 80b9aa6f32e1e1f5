#include "VolumeTree.h"

#include <unordered_set>

#include "ConsoleHost.h"

namespace cli {
namespace {

constexpr uint32_t kFatRootKey = 0;
constexpr uint32_t kNtfsRootId = 5;
constexpr int kMaxDepth = 512;

bool IsFat(uint16_t code) { return code == engine::kFileSystemFat16 || code == engine::kFileSystemFat32; }

class TreeWalker {
 public:
  explicit TreeWalker(engine::EngineContext& ctx) : ctx_(ctx) {}

  std::vector<ListedItem> Walk() {
    if (ctx_.RecoveryMode == engine::kModeFileTrace) return CarvedItems();
    const bool fat = IsFat(ctx_.ActiveVolume.FileSystemCode);
    Visit(fat ? kFatRootKey : kNtfsRootId, "", fat, 0);
    return std::move(items_);
  }

 private:
  void Visit(uint32_t key, const std::string& path, bool fat, int depth) {
    if (depth > kMaxDepth || !visited_.insert(key).second) return;
    engine::ResultStore& results = ctx_.Results;
    if (fat) {
      for (const engine::FatFileEntry* file : results.FatFilesIn(key)) {
        items_.push_back({false, file->Deleted != 0, file->Size, path + "/" + ToUtf8(file->Name)});
      }
      for (const engine::FatFolderEntry* folder : results.FatFoldersIn(key)) {
        const std::string folderPath = path + "/" + ToUtf8(folder->Name);
        items_.push_back({true, folder->Deleted != 0, 0, folderPath});
        Visit(folder->FirstCluster, folderPath, fat, depth + 1);
      }
      return;
    }
    if (ctx_.RecoveryMode == engine::kModeExtensiveScan) {
      const engine::VolumeParameters& volume = ctx_.ActiveVolume;
      for (const engine::NtfsFileNode* file : results.NtfsFilesIn(key)) {
        // The same filter the listing and copy-out apply: records of this volume only.
        if (file->RecordSector <= volume.ClusterBase || file->RecordSector > volume.EndSector) continue;
        items_.push_back({false, file->Deleted != 0, file->Size, path + "/" + ToUtf8(file->Name)});
      }
    } else {
      for (const engine::TreeFileNode* file : results.TreeFilesIn(key)) {
        items_.push_back({false, file->Deleted != 0, file->Size, path + "/" + ToUtf8(file->Name)});
      }
    }
    for (const engine::TreeFolderNode* folder : results.TreeFoldersIn(key)) {
      const std::string folderPath = path + "/" + ToUtf8(folder->Name);
      items_.push_back({true, folder->Deleted != 0, 0, folderPath});
      Visit(folder->Id, folderPath, fat, depth + 1);
    }
  }

  std::vector<ListedItem> CarvedItems() {
    for (const engine::CarvedFile& hit : ctx_.Results.CarvedFiles) {
      items_.push_back({false, false, 0, "/" + ToUtf8(hit.TypeName) + "/" + ToUtf8(hit.DisplayName)});
    }
    return std::move(items_);
  }

  engine::EngineContext& ctx_;
  std::unordered_set<uint32_t> visited_;
  std::vector<ListedItem> items_;
};

}  // namespace

std::vector<ListedItem> ListResults(engine::EngineContext& ctx) { return TreeWalker(ctx).Walk(); }

std::string FormatListedItem(const ListedItem& item) {
  return std::string(item.IsFolder ? "D" : "F") + "\t" + (item.Deleted ? "deleted" : "live") + "\t" +
         std::to_string(item.Size) + "\t" + item.Path;
}

}  // namespace cli
