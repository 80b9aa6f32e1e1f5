#include "ntfs/NtfsCopyOut.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_set>
#include <vector>

#include "SectorReader.h"
#include "ntfs/MftRunMap.h"

namespace engine {
namespace {

// Sectors read at a time along a run.
constexpr uint32_t kSectorsPerPiece = 128;
// Folders nest no deeper than this on any volume we save.
constexpr int kMaxFolderDepth = 512;

std::u16string Decimal(uint64_t value) {
  const std::string text = std::to_string(value);
  return std::u16string(text.begin(), text.end());
}

std::u16string JoinPath(const std::u16string& folder, const std::u16string& name) {
  if (!folder.empty() && folder.back() == u'\\') return folder + name;
  return folder + u'\\' + name;
}

bool IsDeviceName(const std::u16string& name) {
  std::u16string base = name.substr(0, name.find(u'.'));
  for (char16_t& c : base) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  static const std::u16string kPlain[] = {u"CON", u"PRN", u"AUX", u"NUL"};
  if (std::find(std::begin(kPlain), std::end(kPlain), base) != std::end(kPlain)) return true;
  return base.size() == 4 && (base.starts_with(u"COM") || base.starts_with(u"LPT")) && base[3] >= u'1' &&
         base[3] <= u'9';
}

// Asks whether to go on after an output failure; No stops the save.
void AskToContinue(EngineContext& ctx, const std::u16string& text) {
  if (!AskYesNo(ctx, text)) ctx.SaveControl.StopRequested = 1;
}

std::u16string CopyName(uint64_t n, const std::u16string& name) {
  return u"Copy (" + Decimal(n) + u" ) of " + name;
}

// The filters, the policies and the reports of a save the user started; the path
// to write, or nothing when the file is skipped.
std::optional<std::u16string> PrepareTarget(EngineContext& ctx, const NtfsSaveRequest& request,
                                            const FileFilterTable& filters) {
  const std::u16string safeName = SafeNameForWriting(request.FileName);
  std::u16string path = JoinPath(request.TargetFolder, safeName);
  if (!request.VisibleSave) return path;
  if (!PassesFileFilters(filters, request.FileName)) return std::nullopt;
  const uint16_t deletedPolicy = ctx.RecoverySettings.DeletedFilesPolicy;
  if (deletedPolicy == 2 && request.Deleted == 0) return std::nullopt;
  if (deletedPolicy == 3 && request.Deleted == 1) return std::nullopt;
  std::u16string shownName = request.FileName;
  if (ctx.Files->FileExists(path)) {
    const uint16_t namePolicy = ctx.RecoverySettings.ExistingNamePolicy;
    if (namePolicy == 3) return std::nullopt;
    if (namePolicy == 1) {
      for (uint64_t n = 1;; ++n) {
        const std::u16string candidate = JoinPath(request.TargetFolder, CopyName(n, safeName));
        if (!ctx.Files->FileExists(candidate)) {
          path = candidate;
          shownName = CopyName(n, request.FileName);
          break;
        }
      }
    }
  }
  const int processed = ++ctx.SaveControl.FilesProcessed;
  ctx.Host->SaveReportFile(path, shownName, processed);
  ctx.Host->SaveReportProgress(0);
  return path;
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

bool WriteResident(EngineContext& ctx, const std::u16string& path, const ntfs::DataStream& stream,
                   uint64_t pendingFileTime) {
  std::unique_ptr<OutputFile> file = ctx.Files->CreateFileForWriting(path);
  if (!file) {
    AskToContinue(ctx, u"Error creating file : " + path + u".  Continue Recovery ? ");
    return false;
  }
  bool written = file->Write(stream.ResidentBytes);
  SetNtfsFileTimes(*file, pendingFileTime);
  written = file->Close() && written;
  if (!written) AskToContinue(ctx, u"Error writing file : " + path + u".  Continue Recovery ? ");
  return written;
}

}  // namespace

std::u16string SafeNameForWriting(const std::u16string& name) {
  std::u16string safe;
  for (char16_t c : name) {
    const bool reserved = c < 32 || c == u'\\' || c == u'/' || c == u':' || c == u'*' || c == u'?' || c == u'"' ||
                          c == u'<' || c == u'>' || c == u'|';
    safe.push_back(reserved ? u'_' : c);
  }
  if (safe == u"." || safe == u".." || IsDeviceName(safe)) return u"_" + safe;
  while (!safe.empty() && (safe.back() == u'.' || safe.back() == u' ')) safe.pop_back();
  if (safe.empty()) safe = u"_";
  return safe;
}

bool SetNtfsFileTimes(OutputFile& file, uint64_t pendingFileTime) {
  return file.SetTimes(OutputFileTimes{pendingFileTime, pendingFileTime, pendingFileTime});
}

bool WriteRunsToFile(EngineContext& ctx, const std::u16string& path, const ntfs::DataStream& stream,
                     bool visibleSave, uint64_t pendingFileTime) {
  SaveControlRecord& save = ctx.SaveControl;
  save.SkipRequested = 0;
  if (visibleSave && save.StopRequested != 0) return false;
  std::unique_ptr<OutputFile> file = ctx.Files->CreateFileForWriting(path);
  if (!file) {
    AskToContinue(ctx, u"Error creating file : " + path + u".  Continue Recovery ? ");
    return false;
  }
  const ntfs::NtfsGeometry geometry = ntfs::GeometryOf(ctx.ActiveVolume);
  const uint64_t size = stream.RealSize;
  std::vector<uint8_t> piece(static_cast<std::size_t>(kSectorsPerPiece) * kSectorSize);
  uint64_t written = 0;
  bool ok = true;
  int shownPercent = -1;
  for (const ntfs::DataRun& run : stream.Runs) {
    uint64_t sectorsLeft = run.Length * geometry.SectorsPerCluster;
    uint64_t sector = geometry.VolumeStart + run.FirstCluster * geometry.SectorsPerCluster;
    while (ok && sectorsLeft > 0 && written < size) {
      if (save.StopRequested != 0 || save.SkipRequested != 0) break;
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
      ok = file->Write(std::span<const uint8_t>(piece.data(), static_cast<std::size_t>(take)));
      written += take;
      sector += count;
      sectorsLeft -= count;
    }
    if (!ok || save.StopRequested != 0 || save.SkipRequested != 0) break;
  }
  SetNtfsFileTimes(*file, pendingFileTime);
  ok = file->Close() && ok;
  if (!ok) {
    AskToContinue(ctx, u"Error writing file : " + path + u".  Continue Recovery ? ");
    return false;
  }
  return written == size;
}

bool SaveNtfsFile(EngineContext& ctx, const NtfsSaveRequest& request, const FileFilterTable& filters) {
  if (ctx.SaveControl.StopRequested != 0 || ctx.Files == nullptr) return false;
  ctx.SaveControl.SkipRequested = 0;
  const std::optional<std::u16string> path = PrepareTarget(ctx, request, filters);
  if (!path) return false;

  const std::optional<ntfs::DataStream> stream = ReadStreamAt(ctx, request.RecordSector);
  if (!stream) return false;
  switch (stream->Error) {
    case ntfs::StreamError::None:
      break;
    case ntfs::StreamError::Compressed:
    case ntfs::StreamError::Encrypted:
      if (request.VisibleSave) {
        ReportMessage(ctx, u"The file " + *path + u" is compressed or encrypted on the disk and cannot be recovered.",
                      kMessageError);
      }
      return false;
    default:
      return false;
  }
  if (stream->Resident) return WriteResident(ctx, *path, *stream, request.PendingFileTime);
  return WriteRunsToFile(ctx, *path, *stream, request.VisibleSave, request.PendingFileTime);
}

void SaveNtfsFolderFiles(EngineContext& ctx, uint32_t folderId, const std::u16string& folderPath,
                         const FileFilterTable& filters) {
  NtfsSaveRequest request;
  request.TargetFolder = folderPath;
  if (ctx.RecoveryMode == kModeExtensiveScan) {
    const VolumeParameters& volume = ctx.ActiveVolume;
    for (const NtfsFileNode* file : ctx.Results.NtfsFilesIn(folderId)) {
      if (ctx.SaveControl.StopRequested != 0) return;
      if (file->RecordSector <= volume.ClusterBase || file->RecordSector > volume.EndSector) continue;
      request.FileName = file->Name;
      request.Size = file->Size;
      request.RecordSector = file->RecordSector;
      request.Deleted = file->Deleted;
      request.PendingFileTime = file->Time1;
      SaveNtfsFile(ctx, request, filters);
    }
    return;
  }
  for (const TreeFileNode* file : ctx.Results.TreeFilesIn(folderId)) {
    if (ctx.SaveControl.StopRequested != 0) return;
    request.FileName = file->Name;
    request.Size = file->Size;
    request.RecordSector = file->DataRecordSector;
    request.Deleted = file->Deleted;
    request.PendingFileTime = file->Time1;
    SaveNtfsFile(ctx, request, filters);
  }
}

namespace {

void SaveFolderBelow(EngineContext& ctx, uint32_t folderId, const std::u16string& parentPath,
                     const std::u16string& folderName, const FileFilterTable& filters,
                     std::unordered_set<uint32_t>& onPath, int depth) {
  if (ctx.SaveControl.StopRequested != 0 || depth > kMaxFolderDepth) return;
  // A damaged volume can make a folder its own ancestor.
  if (!onPath.insert(folderId).second) return;
  const std::u16string path = JoinPath(parentPath, SafeNameForWriting(folderName));
  ctx.Files->CreateFolder(path);
  const std::u16string folderPath = path + u'\\';
  SaveNtfsFolderFiles(ctx, folderId, folderPath, filters);
  // Copy the children first: saving does not change the lists, but be safe.
  const std::vector<TreeFolderNode*> children = ctx.Results.TreeFoldersIn(folderId);
  for (const TreeFolderNode* child : children) {
    if (ctx.SaveControl.StopRequested != 0) break;
    SaveFolderBelow(ctx, child->Id, folderPath, child->Name, filters, onPath, depth + 1);
  }
  onPath.erase(folderId);
}

}  // namespace

void SaveNtfsFolder(EngineContext& ctx, uint32_t folderId, const std::u16string& parentPath,
                    const std::u16string& folderName, const FileFilterTable& filters) {
  if (ctx.Files == nullptr) return;
  std::unordered_set<uint32_t> onPath;
  SaveFolderBelow(ctx, folderId, parentPath, folderName, filters, onPath, 0);
}

}  // namespace engine
