#include "ntfs/NtfsCopyOut.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <span>
#include <unordered_set>
#include <vector>

#include "SectorReader.h"
#include "copyout/SavePaths.h"
#include "ntfs/MftRunMap.h"

namespace engine {
namespace {

// Sectors read at a time along a run.
constexpr uint32_t kSectorsPerPiece = 128;
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
      const VolumeParameters& volume = ctx.ActiveVolume;
      *map = ntfs::BuildMftRunMap(ctx, volume.ClusterBase, volume.MftStart, volume.SectorsPerCluster);
    }
    return ntfs::MftRecordToSector(**map, record);
  };
}

// The data stream of the file whose data (or base) record lies at `sector`.
std::optional<ntfs::DataStream> ReadStreamAt(EngineContext& ctx, uint32_t sector) {
  ntfs::RecordBuffer record{};
  if (ntfs::ReadMftRecord(ctx, sector, record) != ntfs::RecordRead::Ok) return std::nullopt;
  const auto header = ntfs::ReadRecordHeader(record);
  if (!header) return std::nullopt;
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(ctx.ActiveVolume);
  const ntfs::RecordLocator locate = LazyRecordLocator(ctx);
  if (header->BaseRecord == 0) {
    const uint32_t own = ntfs::OwnRecordNumber(record).value_or(0);
    return ntfs::CollectDataStream(ctx, geometry, record, own, locate);
  }
  // The data starts in an extension record: the base record lists every piece.
  const uint32_t baseNumber = header->BaseRecord;
  const uint64_t baseSector = locate(baseNumber);
  ntfs::RecordBuffer base{};
  if (baseSector != 0 && ntfs::ReadMftRecord(ctx, baseSector, base) == ntfs::RecordRead::Ok) {
    ntfs::DataStream stream = ntfs::CollectDataStream(ctx, geometry, base, baseNumber, locate);
    if (stream.Error == ntfs::StreamError::None) return stream;
  }
  // Without a usable base record the extension's own runs are all there is.
  return ntfs::CollectDataStream(ctx, geometry, record, 0, locate);
}

// Copies the stream along its runs; Interrupted also when the runs end before
// the file's size.
CopyResult CopyRuns(EngineContext& ctx, const ntfs::DataStream& stream, bool visibleSave, OutputFile& file) {
  const SaveControlRecord& save = ctx.SaveControl;
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(ctx.ActiveVolume);
  const uint64_t size = stream.RealSize;
  std::vector<uint8_t> piece(static_cast<std::size_t>(kSectorsPerPiece) * kSectorSize);
  uint64_t written = 0;
  int shownPercent = -1;
  for (const ntfs::DataRun& run : stream.Runs) {
    uint64_t sectorsLeft = run.Length * geometry.SectorsPerCluster;
    uint64_t sector = geometry.VolumeStart + run.FirstCluster * geometry.SectorsPerCluster;
    while (sectorsLeft > 0 && written < size) {
      if (save.StopRequested != 0 || save.SkipRequested != 0) return CopyResult::Interrupted;
      if (visibleSave) {
        const int percent = static_cast<int>(std::min<uint64_t>(99, written * 100 / size));
        if (percent != shownPercent) ctx.Host->SaveReportProgress(shownPercent = percent);
      }
      const auto count = static_cast<uint32_t>(std::min<uint64_t>(kSectorsPerPiece, sectorsLeft));
      const uint64_t pieceBytes = uint64_t{count} * kSectorSize;
      const uint64_t take = std::min(pieceBytes, size - written);
      std::fill(piece.begin(), piece.end(), 0);
      // Sparse runs and everything past the initialised size read as zeros.
      if (!run.Sparse && written < stream.InitializedSize) {
        ReadSectors(ctx, sector, count, piece);
        const uint64_t valid = stream.InitializedSize - written;
        if (valid < take) std::fill(piece.begin() + static_cast<std::ptrdiff_t>(valid), piece.end(), 0);
      }
      if (!file.Write(std::span<const uint8_t>(piece.data(), static_cast<std::size_t>(take)))) {
        return CopyResult::WriteFailed;
      }
      written += take;
      sector += count;
      sectorsLeft -= count;
    }
  }
  return written == size ? CopyResult::Complete : CopyResult::Interrupted;
}

}  // namespace

bool SetNtfsFileTimes(OutputFile& file, uint64_t pendingFileTime) {
  return file.SetTimes(OutputFileTimes{pendingFileTime, pendingFileTime, pendingFileTime});
}

bool WriteRunsToFile(EngineContext& ctx, const std::u16string& path, const ntfs::DataStream& stream,
                     bool visibleSave, uint64_t pendingFileTime) {
  ctx.SaveControl.SkipRequested = 0;
  if (visibleSave && SaveStopRequested(ctx)) return false;
  std::unique_ptr<OutputFile> file = ctx.Files->CreateFileForWriting(path);
  if (!file) {
    AskAfterCreateFailure(ctx, path);
    return false;
  }
  const CopyResult copied = CopyRuns(ctx, stream, visibleSave, *file);
  SetNtfsFileTimes(*file, pendingFileTime);
  return CloseSaveFile(ctx, path, *file, copied);
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

  const std::optional<ntfs::DataStream> stream = ReadStreamAt(ctx, request.RecordSector);
  if (!stream) return false;
  switch (stream->Error) {
    case ntfs::StreamError::None:
      break;
    case ntfs::StreamError::Compressed:
    case ntfs::StreamError::Encrypted:
      if (request.VisibleSave) {
        ReportMessage(ctx,
                      u"The file " + target->Path + u" is compressed or encrypted on the disk and cannot be recovered.",
                      kMessageError);
      }
      return false;
    default:
      return false;
  }
  if (request.VisibleSave && SaveStopRequested(ctx)) return false;
  std::unique_ptr<OutputFile> file = CreateSaveFile(ctx, session, target->Path);
  if (!file) return false;
  CopyResult copied = CopyResult::Complete;
  if (stream->Resident) {
    if (!file->Write(stream->ResidentBytes)) copied = CopyResult::WriteFailed;
  } else {
    copied = CopyRuns(ctx, *stream, request.VisibleSave, *file);
  }
  SetNtfsFileTimes(*file, request.PendingFileTime);
  return CloseSaveFile(ctx, target->Path, *file, copied);
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

void SaveNtfsFolderFiles(EngineContext& ctx, uint32_t folderId, const std::u16string& folderPath,
                         const FileFilterTable& filters) {
  SaveSession session;
  session.Filters = filters;
  SaveNtfsFolderFiles(ctx, session, folderId, folderPath);
}

namespace {

void SaveFolderBelow(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& parentPath,
                     const std::u16string& folderName, std::unordered_set<uint32_t>& onPath, int depth) {
  if (SaveStopRequested(ctx) || depth > kMaxFolderDepth) return;
  // A damaged volume can make a folder its own ancestor.
  if (!onPath.insert(folderId).second) return;
  const std::u16string path = JoinPath(parentPath, SanitizeFileName(folderName));
  ctx.Files->CreateFolder(path);  // an existing folder is fine; a failure shows at its files
  SaveNtfsFolderFiles(ctx, session, folderId, path);
  // Copy the children first: saving does not change the lists, but be safe.
  const std::vector<TreeFolderNode*> children = ctx.Results.TreeFoldersIn(folderId);
  for (const TreeFolderNode* child : children) {
    if (SaveStopRequested(ctx)) break;
    SaveFolderBelow(ctx, session, child->Id, path, child->Name, onPath, depth + 1);
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

void SaveNtfsFolder(EngineContext& ctx, uint32_t folderId, const std::u16string& parentPath,
                    const std::u16string& folderName, const FileFilterTable& filters) {
  SaveSession session;
  session.Filters = filters;
  SaveNtfsFolder(ctx, session, folderId, parentPath, folderName);
}

}  // namespace engine
