#pragma once
// What one save run shares between the files it writes: the user's filters, the
// number of ticked files (for the carved progress) and the files it created, so
// that a later file of the same run never overwrites one of them. Also the
// common start of every saved file: the policies, creating the file and the
// report to the save dialog.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>

#include "EngineContext.h"
#include "OutputFileSystem.h"
#include "listing/FileFilters.h"

namespace engine {

struct SaveSession {
  FileFilterTable Filters;
  uint64_t TickedFileCount = 0;
  std::unordered_set<std::u16string> CreatedPaths;
};

// Which files the deleted-files policy lets through; `deletedFlag` is nothing for
// files that are neither (carved hits).
bool PassesDeletedFilesPolicy(uint16_t policy, std::optional<uint32_t> deletedFlag);

struct SaveTarget {
  std::u16string Path;
  std::u16string Name;  // the name written, after "Copy ( n ) of" when the first was taken
};

// The path a file is to be written to under the existing-name policy: 1 (and a
// file this run created, whatever the policy) tries "Copy ( n ) of" names from
// n = 1, 3 skips, 2 overwrites. Nothing when the file is to be skipped.
std::optional<SaveTarget> ChooseSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                           const std::u16string& sanitizedName);

// The target of one file found on the disk: its name made safe and joined to the
// folder. A save the user started (`visibleSave`) also applies the filters, the
// deleted-files policy and the existing-name policy; nothing when one of them
// skips the file. A preview copy takes the plain path.
std::optional<SaveTarget> PrepareSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                            const std::u16string& diskName, bool visibleSave,
                                            std::optional<uint32_t> deletedFlag);

// Counts the file as processed and shows it in the save dialog; gives the count.
int ReportSaveFile(EngineContext& ctx, const std::u16string& folder, const std::u16string& name);

// Asks "Error creating file : <path>.  Continue Recovery ? "; No sets Stop.
void AskAfterCreateFailure(EngineContext& ctx, const std::u16string& path);
// Asks "Error writing file : <path>.  Continue Recovery ? "; No sets Stop.
void AskAfterWriteFailure(EngineContext& ctx, const std::u16string& path);

// Creates the file; on failure asks whether to go on and gives null.
std::unique_ptr<OutputFile> CreateSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path);

// How copying a file's data into its output file ended.
enum class CopyResult { Complete, Interrupted, WriteFailed };

// Closes the file; asks whether to go on when a write or the close failed. True
// only when the data was copied whole and the file closed.
bool CloseSaveFile(EngineContext& ctx, const std::u16string& path, OutputFile& file, CopyResult copied);

bool SaveStopRequested(const EngineContext& ctx);
bool SaveSkipRequested(const EngineContext& ctx);

// The number of sectors read at a time while copying FAT data: 1 for clusters of
// up to 7 sectors, 8 for 8, 16 above.
uint32_t SectorsPerCopyPiece(uint32_t sectorsPerCluster);

}  // namespace engine
