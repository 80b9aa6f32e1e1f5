#pragma once
// What one save run shares between the files it writes: the user's filters, the
// number of ticked files (for the carved progress), the names it took (so that a
// later file or folder of the same run never lands on one of them) and the tally
// of how every file ended. Also the common start and end of every saved file:
// the policies, creating the file, the report to the save dialog and the
// verdict on what was written.
//
// A file cut short (a failed write or close, a full disk, Stop or Skip) is never
// left looking complete: what was written stays, renamed with the ending
// ".partial" (PartialFileName), and the report names it. A file that was
// written to its end but holds sectors that could not be read (written as zeros)
// keeps its name; the report names it as damaged and it does not count as saved.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "EngineContext.h"
#include "OutputFileSystem.h"
#include "SectorWindow.h"
#include "listing/FileFilters.h"

namespace engine {

// How saving one file ended.
enum class FileSaveOutcome {
  Saved,    // written whole, every sector read
  Damaged,  // written to its end with zeros for unreadable sectors, or only as far as the volume goes
  Partial,  // cut short by Stop or Skip; kept with the partial ending
  Failed,   // not created, its data not found, or a write failed (what was written kept as partial)
  Skipped,  // by the filters or a policy
};

// What a save run did, file by file. Every count the user is shown comes from here.
struct SaveTally {
  uint64_t Saved = 0;
  uint64_t Damaged = 0;
  uint64_t Partial = 0;
  uint64_t Failed = 0;
  uint64_t Skipped = 0;
  uint64_t UnreadableSectors = 0;             // sectors of the source read as zeros while saving
  std::vector<std::u16string> DamagedFiles;   // paths as written
  std::vector<std::u16string> DamageNotes;    // beside each damaged path: why, when more than unreadable sectors
  std::vector<std::u16string> PartialFiles;   // paths as kept, with the partial ending
  std::vector<std::u16string> FailedFiles;    // paths that were to be written
  std::vector<std::u16string> RenamedAroundLinks;  // written under a new name: a link stood at the name to overwrite

  void Record(FileSaveOutcome outcome, const std::u16string& path, const std::u16string& damageNote = {});
  // True when every file that was not skipped was saved whole and no sector failed.
  bool AllSaved() const { return Damaged == 0 && Partial == 0 && Failed == 0 && UnreadableSectors == 0; }
};

struct SaveSession {
  FileFilterTable Filters;
  uint64_t TickedFileCount = 0;
  bool AskAfterFailures = true;  // "Continue Recovery ?" after a file fails (not for preview copies)
  SaveTally Tally;
  // Paths this run created, upper-cased: files, and folders with the key of the
  // folder on the disk they stand for.
  struct MadeFolder {
    uint64_t Key = 0;
    std::u16string Path;
  };
  std::unordered_set<std::u16string> CreatedFiles;
  std::unordered_map<std::u16string, MadeFolder> CreatedFolders;
  // The copy loop's buffer, kept from file to file (FileDataCopier.h).
  std::vector<uint8_t> CopyBuffer;
  // MFT records read ahead for the files that follow.
  SectorWindow RecordWindow;
};

// Which files the deleted-files policy lets through; `deletedFlag` is nothing for
// files that are neither (carved hits).
bool PassesDeletedFilesPolicy(uint16_t policy, std::optional<uint32_t> deletedFlag);

struct SaveTarget {
  std::u16string Path;
  std::u16string Name;  // the name written, after "Copy ( n ) of" when the first was taken
};

// The path a file is to be written to under the existing-name policy: 1 (and a
// name this run took, or a folder in the way, whatever the policy) tries
// "Copy ( n ) of" names from n = 1, 3 skips, 2 overwrites. Nothing when the file
// is to be skipped.
std::optional<SaveTarget> ChooseSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                           const std::u16string& sanitizedName);

// The target of one file found on the disk: its name made safe and joined to the
// folder. A save the user started (`visibleSave`) also applies the filters, the
// deleted-files policy and the existing-name policy; nothing (counted as
// skipped) when one of them skips the file. A preview copy takes the plain path.
std::optional<SaveTarget> PrepareSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                            const std::u16string& diskName, bool visibleSave,
                                            std::optional<uint32_t> deletedFlag);

// Creates the folder for the disk's folder `folderKey` below `parentPath`: its
// name made safe, or "Copy ( n ) of" it when a file, a link or a folder this run
// made for another disk folder has that name. An existing folder the run did not
// make is used as it is. The folder's path, or nothing when it cannot be made.
std::optional<std::u16string> CreateSaveFolder(EngineContext& ctx, SaveSession& session,
                                               const std::u16string& parentPath, const std::u16string& diskName,
                                               uint64_t folderKey);

// Counts the file as processed and shows it in the save dialog; gives the count.
int ReportSaveFile(EngineContext& ctx, const std::u16string& folder, const std::u16string& name);

// Asks "Error creating file : <path>.  Continue Recovery ? "; No sets Stop.
void AskAfterCreateFailure(EngineContext& ctx, const std::u16string& path);
// Asks "Error writing file : <path>.  Continue Recovery ? "; No sets Stop.
void AskAfterWriteFailure(EngineContext& ctx, const std::u16string& path);

// Creates the file; on failure asks whether to go on, counts it failed and gives null.
std::unique_ptr<OutputFile> CreateSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path);

// How copying a file's data into its output file ended.
enum class CopyResult {
  Complete,
  CutAtVolumeEnd,  // the size runs past the volume (or the chain): written as far as the data goes
  Interrupted,     // Stop or Skip
  WriteFailed,
};

// The sectors of the source read as zeros so far (the reader's count).
uint64_t UnreadableSectorCount(const EngineContext& ctx);

// What is known to be wrong with a file before its bytes are looked at: written
// to its end, it is still not whole.
enum class KnownDamage {
  None,
  TornRecord,     // its MFT record's update sequence did not match (a torn write)
  GuessedLayout,  // its chain was broken: the clusters written were guessed
};
std::u16string KnownDamageText(KnownDamage damage);

// Closes the file and gives the verdict on it, counted in the session's tally:
// a failed write or close asks whether to go on; a file cut short is renamed
// with the partial ending (removed when even that fails); a file holding sectors
// that became unreadable since `unreadableBefore`, or with known damage, is damaged.
FileSaveOutcome FinishSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path,
                               OutputFile& file, CopyResult copied, uint64_t unreadableBefore,
                               KnownDamage known = KnownDamage::None);

bool SaveStopRequested(const EngineContext& ctx);
bool SaveSkipRequested(const EngineContext& ctx);

// The text the end of a save shows: " Files successfully saved." when every file
// was saved whole; else what was saved, damaged, cut short, failed and skipped,
// the damaged and partial files by name and the sectors that could not be read.
std::u16string SaveEndText(const SaveTally& tally);

}  // namespace engine
