#include "ntfs/NtfsCopyOut.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

#include "SectorReader.h"
#include "copyout/FileDataCopier.h"
#include "copyout/SavePaths.h"
#include "ntfs/MftRunMap.h"
#include "ntfs/RecordTimes.h"

namespace engine {
namespace {

// Folders nest no deeper than this on any volume we save.
constexpr int kMaxFolderDepth = 512;

// The filters, the policies and the report of a save the user started; the
// target to write, or nothing when the file is skipped.
std::optional<SaveTarget> PrepareTarget(EngineContext& ctx, SaveSession& session, const NtfsSaveRequest& request) {
  std::optional<SaveTarget> target = PrepareSaveTarget(ctx, session, request.TargetFolder, request.FileName,
                                                       request.VisibleSave, request.Deleted);
  if (!target || !request.VisibleSave) return target;
  // Reported before the data is read, so that a file that turns out compressed is
  // still counted and named in the dialog beside its message.
  ReportSaveFile(ctx, request.TargetFolder, target->Name);
  ctx.Host->SaveReportProgress(0);
  return target;
}

// Locates records by number through the MFT map, built on first use: only files
// whose runlist continues in extension records need it.
ntfs::RecordLocator LazyRecordLocator(EngineContext& ctx) {
  auto map = std::make_shared<std::optional<ntfs::MftRunMap>>();
  return [&ctx, map](uint32_t record) -> uint64_t {
    if (!*map) {
      *map = ntfs::BuildMftRunMap(ctx, ctx.ActiveVolume);
    }
    return ntfs::MftRecordToSector(**map, record);
  };
}

// The last sector of the volume in work: data beyond it is no file's.
uint64_t VolumeLastSector(const EngineContext& ctx) {
  if (ctx.ActiveVolume.EndSector != 0) return ctx.ActiveVolume.EndSector;
  if (ctx.SourceSelection.EndSector != 0) return ctx.SourceSelection.EndSector;
  return UINT64_MAX;
}

// A record of a save: the files of a folder mostly have their records side by
// side, so they are read a window at a time (SectorWindow.h).
ntfs::RecordRead ReadSavedRecord(EngineContext& ctx, SaveSession& session, uint64_t sector,
                                 ntfs::RecordBuffer& record) {
  if (session.RecordWindow.Read(ctx, sector, ntfs::kSectorsPerMftRecord, VolumeLastSector(ctx), record)) {
    return ntfs::CheckMftRecord(record);
  }
  return ntfs::ReadMftRecord(ctx, sector, record);
}

// The file's data stream and the times its base record keeps.
struct StoredFile {
  ntfs::DataStream Stream;
  std::optional<ntfs::RecordTimes> Times;
};

// The stored file whose data (or base) record lies at `sector`. A torn record is
// read all the same; the stream is then marked as coming from one.
std::optional<StoredFile> ReadStreamAt(EngineContext& ctx, SaveSession& session, uint32_t sector) {
  ntfs::RecordBuffer record{};
  const ntfs::RecordRead read = ReadSavedRecord(ctx, session, sector, record);
  if (!ntfs::Usable(read)) return std::nullopt;
  const auto header = ntfs::ReadRecordHeader(record);
  if (!header) return std::nullopt;
  const bool torn = read == ntfs::RecordRead::Torn;
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(ctx.ActiveVolume);
  const ntfs::RecordLocator locate = LazyRecordLocator(ctx);
  if (header->BaseRecord == 0) {
    const uint32_t own = ntfs::OwnRecordNumber(record).value_or(0);
    ntfs::DataStream stream = ntfs::CollectDataStream(ctx, geometry, record, own, locate);
    stream.FromTornRecord = stream.FromTornRecord || torn;
    return StoredFile{std::move(stream), ntfs::ReadRecordTimes(record)};
  }
  // The data starts in an extension record: the base record lists every piece.
  const uint32_t baseNumber = header->BaseRecord;
  const uint64_t baseSector = locate(baseNumber);
  ntfs::RecordBuffer base{};
  const ntfs::RecordRead baseRead = baseSector != 0 ? ReadSavedRecord(ctx, session, baseSector, base)
                                                    : ntfs::RecordRead::NotFileRecord;
  if (ntfs::Usable(baseRead)) {
    ntfs::DataStream stream = ntfs::CollectDataStream(ctx, geometry, base, baseNumber, locate);
    stream.FromTornRecord = stream.FromTornRecord || baseRead == ntfs::RecordRead::Torn;
    if (stream.Error == ntfs::StreamError::None) return StoredFile{std::move(stream), ntfs::ReadRecordTimes(base)};
  }
  // Without a usable base record the extension's own runs are all there is.
  ntfs::DataStream stream = ntfs::CollectDataStream(ctx, geometry, record, 0, locate);
  stream.FromTornRecord = stream.FromTornRecord || torn;
  return StoredFile{std::move(stream), std::nullopt};
}


// Copies the stream along its runs, each run in one sweep. Interrupted by Stop or
// Skip; CutAtVolumeEnd when the runs end before the file's size, or a run reaches
// past the volume or is longer than the volume (a damaged runlist): what follows
// is written no more.
CopyResult CopyRuns(EngineContext& ctx, SaveSession& session, const ntfs::DataStream& stream, bool visibleSave,
                    OutputFile& file) {
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(ctx.ActiveVolume);
  const uint64_t lastSector = VolumeLastSector(ctx);
  const uint64_t volumeSectors =
      lastSector == UINT64_MAX ? UINT64_MAX : lastSector + 1 - std::min(lastSector + 1, geometry.VolumeStart);
  const uint64_t volumeClusters = geometry.SectorsPerCluster == 0 ? 0 : volumeSectors / geometry.SectorsPerCluster;
  const uint64_t size = stream.RealSize;
  FileDataCopier copier(ctx, session.CopyBuffer, file, size, visibleSave);
  for (const ntfs::DataRun& run : stream.Runs) {
    const uint64_t written = copier.Appended();
    if (written >= size || run.Length > volumeClusters) break;
    if (!run.Sparse && (run.FirstCluster >= volumeClusters || run.Length > volumeClusters - run.FirstCluster)) break;
    const uint64_t left = size - written;
    const uint64_t clusterBytes = geometry.ClusterBytes();
    if (clusterBytes == 0) break;
    const uint64_t bytes = run.Length > left / clusterBytes ? left : run.Length * clusterBytes;
    // Sparse runs and everything past the initialised size read as zeros.
    const uint64_t initialized = stream.InitializedSize - std::min(stream.InitializedSize, written);
    const uint64_t read = run.Sparse ? 0 : std::min(bytes, initialized);
    CopyResult step = copier.CopySectors(geometry.VolumeStart + run.FirstCluster * geometry.SectorsPerCluster, read);
    if (step == CopyResult::Complete) step = copier.AppendZeros(bytes - read);
    if (step != CopyResult::Complete) return step;
  }
  if (const CopyResult step = copier.Finish(); step != CopyResult::Complete) return step;
  return copier.Appended() == size ? CopyResult::Complete : CopyResult::CutAtVolumeEnd;
}

// Records every file of a folder (and of the folders below it) that cannot be
// written: the folder could not be made, or it lies too deep to be re-created.
// Walked with a stack: a damaged volume can nest folders without end.
void CountFilesBelowAsFailed(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& path) {
  std::vector<std::pair<uint32_t, std::u16string>> pending{{folderId, path}};
  std::unordered_set<uint32_t> visited;
  while (!pending.empty()) {
    auto [id, folderPath] = std::move(pending.back());
    pending.pop_back();
    if (!visited.insert(id).second) continue;
    if (ctx.RecoveryMode == kModeExtensiveScan) {
      for (const NtfsFileNode* file : ctx.Results.NtfsFilesIn(id)) {
        session.Tally.Record(FileSaveOutcome::Failed, JoinPath(folderPath, file->Name));
      }
    } else {
      for (const TreeFileNode* file : ctx.Results.TreeFilesIn(id)) {
        session.Tally.Record(FileSaveOutcome::Failed, JoinPath(folderPath, file->Name));
      }
    }
    for (const TreeFolderNode* child : ctx.Results.TreeFoldersIn(id)) {
      pending.emplace_back(child->Id, JoinPath(folderPath, child->Name));
    }
  }
}

}  // namespace

OutputFileTimes SavedFileTimes(const std::optional<ntfs::RecordTimes>& recordTimes, uint64_t listedTime) {
  // A time of 0 is no time: the file keeps the one the target gave it.
  const auto time = [](uint64_t value) { return value == 0 ? std::nullopt : std::optional<uint64_t>(value); };
  if (!recordTimes) return {time(listedTime), time(listedTime), time(listedTime)};
  return {time(recordTimes->Creation), time(recordTimes->LastAccess), time(recordTimes->LastWrite)};
}

FileSaveOutcome WriteRunsToFile(EngineContext& ctx, SaveSession& session, const std::u16string& path,
                                const ntfs::DataStream& stream, bool visibleSave, const OutputFileTimes& times,
                                uint64_t unreadableBefore) {
  // Skip was cleared when the file started: one pressed since the dialog named it counts.
  std::unique_ptr<OutputFile> file = CreateSaveFile(ctx, session, path);
  if (!file) return FileSaveOutcome::Failed;
  CopyResult copied = CopyResult::Complete;
  if (stream.Resident) {
    if (!file->Write(stream.ResidentBytes)) copied = CopyResult::WriteFailed;
  } else {
    copied = CopyRuns(ctx, session, stream, visibleSave, *file);
  }
  if (copied == CopyResult::Complete || copied == CopyResult::CutAtVolumeEnd) file->SetTimes(times);
  const KnownDamage known = stream.FromTornRecord ? KnownDamage::TornRecord : KnownDamage::None;
  return FinishSaveFile(ctx, session, path, *file, copied, unreadableBefore, known);
}

NtfsSaveRequest NtfsSaveRequestFor(const TreeFileNode& file, const std::u16string& folder) {
  return {folder, file.Name, file.Size, file.DataRecordSector, true, file.Deleted, file.Time1};
}

NtfsSaveRequest NtfsSaveRequestFor(const NtfsFileNode& file, const std::u16string& folder) {
  return {folder, file.Name, file.Size, file.RecordSector, true, file.Deleted, file.Time1};
}

bool SaveNtfsFile(EngineContext& ctx, SaveSession& session, const NtfsSaveRequest& request) {
  if (SaveStopRequested(ctx) || ctx.Files == nullptr) return false;
  ctx.SaveControl.SkipRequested = 0;
  const std::optional<SaveTarget> target = PrepareTarget(ctx, session, request);
  if (!target) return false;

  // Sectors that fail while the records are read damage the file as much as its data's.
  const uint64_t unreadableBefore = UnreadableSectorCount(ctx);
  const std::optional<StoredFile> stored = ReadStreamAt(ctx, session, request.RecordSector);
  const ntfs::DataStream* stream = stored ? &stored->Stream : nullptr;
  if (!stream || stream->Error != ntfs::StreamError::None) {
    // Metadata files such as $Secure hold no unnamed data and list no size: nothing
    // to save. A file that lists a size and has no data lost it.
    const bool nothingListed = stream && stream->Error == ntfs::StreamError::NoData && request.Size == 0;
    session.Tally.Record(nothingListed ? FileSaveOutcome::Skipped : FileSaveOutcome::Failed, target->Path);
    const bool compressed = stream && (stream->Error == ntfs::StreamError::Compressed ||
                                       stream->Error == ntfs::StreamError::Encrypted);
    if (compressed && request.VisibleSave) {
      ReportMessage(ctx,
                    u"The file " + target->Path + u" is compressed or encrypted on the disk and cannot be recovered.",
                    kMessageError);
    }
    return false;
  }
  if (request.VisibleSave && SaveStopRequested(ctx)) {
    session.Tally.Record(FileSaveOutcome::Partial, target->Path);  // named, but stopped before it was made
    return false;
  }
  return WriteRunsToFile(ctx, session, target->Path, *stream, request.VisibleSave,
                         SavedFileTimes(stored->Times, request.PendingFileTime),
                         unreadableBefore) == FileSaveOutcome::Saved;
}

void SaveNtfsFolderFiles(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& folderPath) {
  if (ctx.RecoveryMode == kModeExtensiveScan) {
    const VolumeParameters& volume = ctx.ActiveVolume;
    for (const NtfsFileNode* file : ctx.Results.NtfsFilesIn(folderId)) {
      if (SaveStopRequested(ctx)) return;
      if (file->RecordSector <= volume.ClusterBase || file->RecordSector > volume.EndSector) continue;
      SaveNtfsFile(ctx, session, NtfsSaveRequestFor(*file, folderPath));
    }
    return;
  }
  for (const TreeFileNode* file : ctx.Results.TreeFilesIn(folderId)) {
    if (SaveStopRequested(ctx)) return;
    SaveNtfsFile(ctx, session, NtfsSaveRequestFor(*file, folderPath));
  }
}

SaveTally SaveNtfsFolderFiles(EngineContext& ctx, uint32_t folderId, const std::u16string& folderPath,
                              const FileFilterTable& filters) {
  SaveSession session;
  session.Filters = filters;
  SaveNtfsFolderFiles(ctx, session, folderId, folderPath);
  return std::move(session.Tally);
}

namespace {

void SaveFolderBelow(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& parentPath,
                     const std::u16string& folderName, std::unordered_set<uint32_t>& onPath, int depth) {
  if (SaveStopRequested(ctx)) return;
  // A damaged volume can make a folder its own ancestor.
  if (!onPath.insert(folderId).second) return;
  // Past the deepest folder re-created, or below a folder that could not be made,
  // nothing is written: every file there is named as not saved.
  const std::optional<std::u16string> path =
      depth > kMaxFolderDepth ? std::nullopt : CreateSaveFolder(ctx, session, parentPath, folderName, folderId);
  if (!path) {
    CountFilesBelowAsFailed(ctx, session, folderId, JoinPath(parentPath, folderName));
    onPath.erase(folderId);
    return;
  }
  SaveNtfsFolderFiles(ctx, session, folderId, *path);
  // Copy the children first: saving does not change the lists, but be safe.
  const std::vector<TreeFolderNode*> children = ctx.Results.TreeFoldersIn(folderId);
  for (const TreeFolderNode* child : children) {
    if (SaveStopRequested(ctx)) break;
    SaveFolderBelow(ctx, session, child->Id, *path, child->Name, onPath, depth + 1);
  }
  onPath.erase(folderId);
}

}  // namespace

void SaveNtfsFolder(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& parentPath,
                    const std::u16string& folderName) {
  if (ctx.Files == nullptr) return;
  std::unordered_set<uint32_t> onPath;
  SaveFolderBelow(ctx, session, folderId, parentPath, folderName, onPath, 0);
}

SaveTally SaveNtfsFolder(EngineContext& ctx, uint32_t folderId, const std::u16string& parentPath,
                         const std::u16string& folderName, const FileFilterTable& filters) {
  SaveSession session;
  session.Filters = filters;
  SaveNtfsFolder(ctx, session, folderId, parentPath, folderName);
  return std::move(session.Tally);
}

}  // namespace engine
