#include "extensive/DirectoryPiece.h"

#include "fat/FatDirectoryEntry.h"
#include "results/ResultStore.h"

namespace engine {

void ParseDirectoryPiece(EngineContext& ctx, std::span<const uint8_t> bytes, const DirectoryPieceRequest& request,
                         bool& reachedEnd) {
  const bool fat32 = ctx.ActiveVolume.FileSystemCode == kFileSystemFat32;
  constexpr size_t kEntriesPerSector = kSectorSize / kDirEntrySize;
  const size_t sectorCount = std::min<size_t>(request.SectorCount, bytes.size() / kSectorSize);
  const std::span<const uint8_t> piece = bytes.first(sectorCount * kSectorSize);
  for (size_t sector = 0; sector < sectorCount; ++sector) {
    for (size_t entry = sector == 0 ? request.FirstEntry : 0; entry < kEntriesPerSector; ++entry) {
      const size_t offset = sector * kSectorSize + entry * kDirEntrySize;
      const auto parsed = DecodeShortEntry(piece, offset, fat32);
      if (!parsed) return;
      if (parsed->FirstByte == 0) {
        reachedEnd = true;
        return;
      }
      if (parsed->Attributes == kAttrLongName) continue;
      // An empty file has no cluster; any other entry without one is no file's.
      const bool emptyFile = parsed->Size == 0 && (parsed->Attributes & (kAttrDirectory | kAttrVolumeLabel)) == 0;
      if (parsed->FirstCluster == 0 && !emptyFile) continue;
      std::u16string name = AssembleLongFileName(piece, offset).value_or(parsed->ShortName);
      if (name.empty()) continue;
      const uint32_t deleted = request.InheritedDeleted || parsed->Deleted ? 1 : 0;

      if ((parsed->Attributes & kAttrDirectory) != 0 && parsed->Size == 0) {
        // The raw scan found this folder by its cluster; its entry gives it its name.
        FatFolderEntry* folder = ctx.Results.FindFatFolder(parsed->FirstCluster);
        if (folder != nullptr && folder->ParentCluster == request.ParentCluster) {
          folder->Name = std::move(name);
          folder->Deleted = deleted;
        }
        continue;
      }
      FatFileEntry file;
      file.Name = std::move(name);
      file.FirstCluster = parsed->FirstCluster;
      file.ParentCluster = request.ParentCluster;
      file.WriteDate = parsed->WriteDate;
      file.AccessDate = parsed->AccessDate;
      file.Times = parsed->Times;
      file.Size = parsed->Size;
      file.Deleted = deleted;
      AddFatFile(ctx, std::move(file));
      ctx.Results.FileCount += 1;
    }
  }
}

}  // namespace engine
