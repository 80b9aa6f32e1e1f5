#pragma once
// What the image round-trip tests share: the result lists as plain tuples (every
// field a snapshot stores, none it does not), and loading snapshot bytes back
// through the Load command's road with drive D: as the logical drive.

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "EngineContext.h"
#include "MemoryFiles.h"
#include "listing/FileFilters.h"
#include "results/ResultStore.h"
#include "snapshot/SnapshotLoading.h"

namespace snapshottest {

using FatFolderFields = std::tuple<std::u16string, uint32_t, uint32_t, uint16_t, uint16_t, uint32_t>;
using FatFileFields = std::tuple<std::u16string, uint32_t, uint32_t, uint16_t, uint16_t, uint32_t, uint32_t, uint32_t>;
using TreeFolderFields = std::tuple<std::u16string, uint32_t, uint32_t, uint64_t, uint64_t, uint32_t>;
using TreeFileFields = std::tuple<std::u16string, uint32_t, uint32_t, uint64_t, uint64_t, uint64_t, uint32_t, uint32_t>;

inline auto FatLists(const engine::ResultStore& r) {
  std::vector<FatFolderFields> folders;
  for (const auto& f : r.FatFolders) folders.emplace_back(f.Name, f.FirstCluster, f.ParentCluster, f.WriteDate,
                                                          f.AccessDate, f.Deleted);
  std::vector<FatFileFields> files;
  for (const auto& f : r.FatFiles) files.emplace_back(f.Name, f.FirstCluster, f.ParentCluster, f.WriteDate,
                                                      f.AccessDate, f.Size, f.Deleted, f.FileIndex);
  return std::make_pair(folders, files);
}

inline std::vector<TreeFolderFields> TreeFolderList(const engine::ResultStore& r) {
  std::vector<TreeFolderFields> folders;
  for (const auto& f : r.TreeFolders) folders.emplace_back(f.Name, f.Id, f.ParentId, f.Time1, f.Time2, f.Deleted);
  return folders;
}

inline auto TreeLists(const engine::ResultStore& r) {
  std::vector<TreeFileFields> files;
  for (const auto& f : r.TreeFiles) files.emplace_back(f.Name, f.Id, f.ParentId, f.Time1, f.Time2, f.Size,
                                                       f.Deleted, f.DataRecordSector);
  return std::make_pair(TreeFolderList(r), files);
}

inline auto SignatureList(const engine::ResultStore& r) {
  std::vector<std::tuple<std::u16string, std::u16string, uint32_t, std::string, uint32_t>> signatures;
  for (const auto& s : r.SelectedSignatures) signatures.emplace_back(s.Extension, s.TypeName, s.SignatureLength,
                                                                     s.SignatureText, s.FifthValue);
  return signatures;
}

inline auto CarvedFileList(const engine::ResultStore& r) {
  std::vector<std::tuple<std::u16string, std::u16string, std::u16string, uint32_t, uint32_t>> hits;
  for (const auto& h : r.CarvedFiles) hits.emplace_back(h.DisplayName, h.Extension, h.TypeName, h.StartSector,
                                                        h.RunningNumber);
  return hits;
}

// Makes D: the first logical drive, so the snapshot's volume is opened again as
// the device the scan read.
inline void UseDriveD(engine::EngineContext& ctx) {
  ctx.LogicalDriveTable[0].RootPath = u"D:\\";
  ctx.LogicalDriveCount = 1;
}

inline bool LoadScanBack(engine::EngineContext& ctx, const std::vector<uint8_t>& bytes) {
  MemoryFiles files;
  files.Files[u"C:\\Scans\\Image.vbrx"] = bytes;
  UseDriveD(ctx);
  return engine::snapshot::LoadScanSnapshot(ctx, u"C:\\Scans\\Image.vbrx", files, engine::FileFilterTable{});
}

inline bool LoadFileTraceBack(engine::EngineContext& ctx, const std::vector<uint8_t>& bytes) {
  MemoryFiles files;
  files.Files[u"C:\\Scans\\Trace.vbrx"] = bytes;
  UseDriveD(ctx);
  return engine::snapshot::LoadFileTraceSnapshot(ctx, u"C:\\Scans\\Trace.vbrx", files);
}

}  // namespace snapshottest
