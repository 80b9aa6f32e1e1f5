#pragma once
// Saving NTFS files and folders found by a scan: resident data from the MFT
// record itself, non-resident data along its runs, into the target folder.

#include <cstdint>
#include <string>

#include "EngineContext.h"
#include "copyout/SaveSession.h"
#include "listing/FileFilters.h"
#include "ntfs/NtfsVolume.h"
#include "ntfs/RecordTimes.h"
#include "results/ResultStore.h"

namespace engine {

// One file to save.
struct NtfsSaveRequest {
  std::u16string TargetFolder;
  std::u16string FileName;       // as found on the disk; made safe for writing here
  uint64_t Size = 0;             // the size the lists show
  uint32_t RecordSector = 0;     // the record that holds the file's data (or its base record)
  bool VisibleSave = true;       // false for a preview copy: no filters, policies or reports
  uint32_t Deleted = 0;
  uint64_t PendingFileTime = 0;  // the listed time: all three of the file's times when its record keeps none
};

// A visible save of a listed file into `folder`: a Quick Scan lists files by the
// sector of the record with their data, the Extensive Scan by that of their record.
NtfsSaveRequest NtfsSaveRequestFor(const TreeFileNode& file, const std::u16string& folder);
NtfsSaveRequest NtfsSaveRequestFor(const NtfsFileNode& file, const std::u16string& folder);

// Saves one file. True when the file was written whole with every sector read
// (or there was nothing to write); how it ended otherwise (skipped, damaged, cut
// short, failed) is in the session's tally. Names, filters, policies and the
// rule for files cut short are those of every save (copyout/SaveSession.h).
bool SaveNtfsFile(EngineContext& ctx, SaveSession& session, const NtfsSaveRequest& request);

// Writes the data stream to `path`: resident bytes, or along its runs with sparse
// runs and bytes past the initialised size as zeros. The runs bound the file: a
// size beyond them, or a run reaching past the volume, ends the file there as
// damaged. Sectors unreadable since `unreadableBefore` damage it too.
FileSaveOutcome WriteRunsToFile(EngineContext& ctx, SaveSession& session, const std::u16string& path,
                                const ntfs::DataStream& stream, bool visibleSave, const OutputFileTimes& times,
                                uint64_t unreadableBefore);

// Re-creates the folder below `parentPath` and saves everything below it; the
// files below a folder that cannot be made count as failed.
void SaveNtfsFolder(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& parentPath,
                    const std::u16string& folderName);
// The same as a save of its own; what it did.
SaveTally SaveNtfsFolder(EngineContext& ctx, uint32_t folderId, const std::u16string& parentPath,
                         const std::u16string& folderName, const FileFilterTable& filters);

// Saves the files of one folder into `folderPath`.
void SaveNtfsFolderFiles(EngineContext& ctx, SaveSession& session, uint32_t folderId, const std::u16string& folderPath);
// The same as a save of its own; what it did.
SaveTally SaveNtfsFolderFiles(EngineContext& ctx, uint32_t folderId, const std::u16string& folderPath,
                              const FileFilterTable& filters);

// The times a saved file gets: those its record keeps (ntfs/RecordTimes.h), else
// the listed time as all three; a time of 0 is left to the target.
OutputFileTimes SavedFileTimes(const std::optional<ntfs::RecordTimes>& recordTimes, uint64_t listedTime);

}  // namespace engine
