#include "ntfs/NtfsQuickScan.h"

#include <algorithm>
#include <string>

#include "ntfs/MftRunMap.h"
#include "ntfs/NtfsFolderTree.h"
#include "ntfs/NtfsListing.h"
#include "ntfs/NtfsVolume.h"
#include "ntfs/RecordFields.h"
#include "scans/ResultsHandOver.h"

namespace engine {
namespace {

using ntfs::RecordBuffer;
using ntfs::RecordRead;

constexpr uint32_t kRootFolderId = ntfs::kRootRecord;
constexpr uint32_t kLostDirId = 0xFFFFFFFE;
constexpr uint64_t kRecordsPerReport = 16;

std::u16string Decimal(uint64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

int Percent(uint64_t done, uint64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(std::min<uint64_t>(99, done * 100 / total));
}

// What one base record contributes to the tree lists.
struct WalkedRecord {
  std::optional<ntfs::FileNameInfo> Name;
  uint64_t Size = 0;
  uint64_t DataRecordSector = 0;
};

// Gathers names and the data stream's size from the base record and its
// extension records; an extension is used only when it names this base record.
WalkedRecord ReadBaseRecord(EngineContext& ctx, const ntfs::MftRunMap& map, const ntfs::NtfsGeometry& geometry,
                            uint32_t recordNumber, uint64_t recordSector, const RecordBuffer& base) {
  WalkedRecord walked;
  std::vector<ntfs::FileNameInfo> names = ntfs::AllFileNames(base);
  std::optional<uint64_t> size = ntfs::GetDataSize(base);
  if (size) walked.DataRecordSector = recordSector;

  if (const auto list = ntfs::ReadAttributeList(ctx, geometry, base)) {
    const std::vector<uint32_t> segments = ntfs::SegmentRecords(recordNumber, *list);
    RecordBuffer segment{};
    for (std::size_t i = 1; i < segments.size(); ++i) {
      uint64_t sector = 0;
      if (!ntfs::Usable(ntfs::ReadMappedRecord(ctx, map, segments[i], segment, sector))) continue;
      const auto header = ntfs::ReadRecordHeader(segment);
      if (!header || header->BaseRecord != recordNumber) continue;
      for (ntfs::FileNameInfo& name : ntfs::AllFileNames(segment)) names.push_back(std::move(name));
      if (!size) {
        size = ntfs::GetDataSize(segment);
        if (size) walked.DataRecordSector = sector;
      }
    }
  }
  walked.Name = ntfs::ChooseDisplayName(names);
  walked.Size = size.value_or(0);
  if (walked.DataRecordSector == 0) walked.DataRecordSector = recordSector;
  return walked;
}

bool IsDotName(const std::u16string& name) { return name == u"."; }

}  // namespace

bool WalkMftRecords(EngineContext& ctx) {
  ReleaseFatAndTreeLists(ctx);
  const VolumeParameters& volume = ctx.ActiveVolume;
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(volume);
  const ntfs::MftRunMap map = ntfs::BuildMftRunMap(ctx, volume);
  if (map.RunCount() == 0) return false;
  const uint64_t totalSectors = map.RecordSectors();
  const uint64_t recordCount = std::min<uint64_t>(totalSectors / ntfs::kSectorsPerMftRecord, UINT32_MAX);
  ResultStore& results = ctx.Results;
  results.FolderCount = 0;
  results.FileCount = 0;
  EngineHost& host = *ctx.Host;

  // Folders are filed once all are known, so that cycles among them can be broken.
  std::vector<TreeFolderNode> folders;
  RecordBuffer record{};
  SectorWindow window;
  int shownPercent = -1;
  for (uint64_t j = 0; j < recordCount; ++j) {
    if (StopRequested(ctx)) break;
    const auto recordNumber = static_cast<uint32_t>(j);
    uint64_t sector = ntfs::MftRecordToSector(map, j);
    if (sector == 0) continue;  // a sparse stretch of the MFT
    // Reports are marshalled to the user-interface thread: not one per record.
    if (j % kRecordsPerReport == 0 && ctx.ScanControl.ShowDetails != 0) {
      host.SetCounterText(ScanCounter::CurrentSector, Decimal(sector));
    }
    // A torn record is listed: its names and runs are there; the save names it damaged.
    if (!ntfs::Usable(ntfs::ReadMappedRecordAhead(ctx, window, map, j, record, sector))) continue;
    const int percent = Percent((j + 1) * ntfs::kSectorsPerMftRecord, totalSectors);
    if (percent != shownPercent) {
      host.SetProgressPos(Panel::Scan, percent);
      shownPercent = percent;
    }
    const auto header = ntfs::ReadRecordHeader(record);
    // Extension records belong to their base record, which lists them.
    if (!header || header->BaseRecord != 0) continue;
    // A record that names another number is a copy ($MFTMirr's) met beyond a damaged run.
    if (ntfs::OwnRecordNumber(record).value_or(recordNumber) != recordNumber) continue;
    // Sector fields of the result lists are 32-bit.
    if (sector > UINT32_MAX) continue;

    const WalkedRecord walked = ReadBaseRecord(ctx, map, geometry, recordNumber, sector, record);
    if (!walked.Name) continue;
    const ntfs::FileNameInfo& name = *walked.Name;
    const uint8_t flags = header->Flags;
    if (flags == 2 || flags == 3) {
      if (IsDotName(name.Name)) continue;
      TreeFolderNode folder;
      folder.Name = name.Name;
      folder.Id = recordNumber;
      folder.ParentId = name.ParentRecord;
      folder.Time1 = name.CreationTime;
      folder.Time2 = name.ModificationTime;
      folder.Deleted = flags == 2 ? 1 : 0;
      folders.push_back(std::move(folder));
      if (folders.size() % 20 == 0 && ctx.ScanControl.ShowDetails != 0) {
        host.SetCounterText(ScanCounter::FoldersFound, Decimal(folders.size()));
      }
      continue;
    }
    TreeFileNode file;
    file.Name = name.Name;
    file.Id = recordNumber;
    file.ParentId = name.ParentRecord;
    file.Time1 = name.CreationTime;
    file.Time2 = name.ModificationTime;
    file.Size = walked.Size;
    file.Deleted = (flags & ntfs::kRecordInUse) == 0 ? 1 : 0;
    file.DataRecordSector = walked.DataRecordSector <= UINT32_MAX ? static_cast<uint32_t>(walked.DataRecordSector)
                                                                   : static_cast<uint32_t>(sector);
    AddTreeFile(ctx, std::move(file));
    results.FileCount += 1;
    if (results.FileCount % 50 == 0 && ctx.ScanControl.ShowDetails != 0) {
      host.SetCounterText(ScanCounter::FilesFound, Decimal(static_cast<uint32_t>(results.FileCount)));
      host.SetCounterText(ScanCounter::LastItem, name.Name);
    }
  }
  ntfs::AppendFolderTree(ctx, folders);
  return true;
}

bool WalkMft(EngineContext& ctx, const FileFilterTable& filters) {
  if (!WalkMftRecords(ctx)) return false;
  SearchLostNtfsData(ctx);
  HandOverToResultsPage(
      ctx, [&](TreeItem root) { ctx.Host->ResultTreeAddNtfsFolders(root, kRootFolderId); },
      [&] { FillFileListFromTree(ctx, kRootFolderId, filters); });
  return true;
}

bool WalkMft(EngineContext& ctx) { return WalkMft(ctx, FileFilterTable{}); }

void SearchLostNtfsData(EngineContext& ctx) {
  EngineHost& host = *ctx.Host;
  ResultStore& results = ctx.Results;
  ctx.ScanControl.StopOrDone = 0;
  host.SetStatusText(Panel::Scan, u"Searching for Lost Data ( Step 1/2 )...");
  host.SetProgressPos(Panel::Scan, 0);
  AddTreeFolderUnique(ctx, TreeFolderNode{u"Lost Dir", kLostDirId, kRootFolderId, 0, 0, 0, 0});

  uint32_t lostNumber = 0;
  auto gatherParent = [&](uint32_t parentId) {
    if (parentId == kRootFolderId || results.FindTreeFolder(parentId) != nullptr) return;
    AddTreeFolderUnique(ctx, TreeFolderNode{u"Dir" + Decimal(lostNumber), parentId, kLostDirId, 0, 0, 0, 0});
    ++lostNumber;
  };

  // The folder list grows while it is walked: gathered folders are looked at too.
  for (std::size_t i = 0; i < results.TreeFolders.size(); ++i) {
    if (StopRequested(ctx)) break;
    host.SetProgressPos(Panel::Scan, Percent(i, static_cast<uint64_t>(std::max(results.FolderCount, 1))));
    gatherParent(results.TreeFolders[i].ParentId);
  }
  host.SetStatusText(Panel::Scan, u"Searching for Lost Data ( Step 2/2 )...");
  for (std::size_t i = 0; i < results.TreeFiles.size(); ++i) {
    if (StopRequested(ctx)) break;
    host.SetProgressPos(Panel::Scan, Percent(i, static_cast<uint64_t>(std::max(results.FileCount, 1))));
    gatherParent(results.TreeFiles[i].ParentId);
  }
  ctx.ScanControl.StopOrDone = 0;
}

}  // namespace engine
