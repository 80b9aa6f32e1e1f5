#include "SaveSession.h"

#include "ReadErrorReport.h"
#include "SavePaths.h"
#include "listing/ResultRows.h"

namespace engine {
namespace {

// Name lists of the end text stop after this many; the counts stay whole.
constexpr size_t kNamesShownPerList = 20;
// "Copy ( n ) of" names tried for a kept partial file before it is removed instead.
constexpr uint64_t kPartialNameAttempts = 1000;

// Paths compare as the Windows file systems compare names: without case.
std::u16string PathKey(const std::u16string& path) { return UpperCaseText(path); }

bool TakenByThisRun(const SaveSession& session, const std::u16string& path) {
  const std::u16string key = PathKey(path);
  return session.CreatedFiles.count(key) != 0 || session.CreatedFolders.count(key) != 0;
}

// A name that a file may not overwrite: a folder (of this run or not) or a link.
bool NotAFile(OutputFileSystem& files, const SaveSession& session, const std::u16string& path) {
  return session.CreatedFolders.count(PathKey(path)) != 0 || files.FolderExists(path) || files.LinkExists(path);
}

void SplitPath(const std::u16string& path, std::u16string& folder, std::u16string& name) {
  const size_t slash = path.rfind(u'\\');
  folder = slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
  name = slash == std::u16string::npos ? path : path.substr(slash + 1);
}

// Renames a file cut short so that its name says so; the new path, or nothing
// when it could not be renamed and was removed instead.
std::optional<std::u16string> KeepAsPartial(OutputFileSystem& files, const std::u16string& path) {
  std::u16string folder, name;
  SplitPath(path, folder, name);
  const std::u16string partialName = PartialFileName(name);
  for (uint64_t n = 0; n < kPartialNameAttempts; ++n) {
    const std::u16string candidate = JoinPath(folder, n == 0 ? partialName : CopyOfName(partialName, n));
    if (files.FileExists(candidate)) continue;
    if (files.RenameFile(path, candidate)) return candidate;
    break;  // the file system cannot rename it
  }
  files.RemoveFile(path);
  return std::nullopt;
}

void AppendLine(std::u16string& text, const std::u16string& line) {
  if (!text.empty()) text += u"\r\n";
  text += line;
}

void AppendNames(std::u16string& text, const std::vector<std::u16string>& paths,
                 const std::vector<std::u16string>& notes = {}) {
  const size_t shown = std::min(paths.size(), kNamesShownPerList);
  for (size_t i = 0; i < shown; ++i) {
    const bool noted = i < notes.size() && !notes[i].empty();
    AppendLine(text, u"    " + paths[i] + (noted ? u" (" + notes[i] + u")" : u""));
  }
  if (paths.size() > shown) AppendLine(text, u"    and " + DecimalText(paths.size() - shown) + u" more");
}

}  // namespace

void SaveTally::Record(FileSaveOutcome outcome, const std::u16string& path, const std::u16string& damageNote) {
  switch (outcome) {
    case FileSaveOutcome::Saved: ++Saved; break;
    case FileSaveOutcome::Damaged:
      ++Damaged;
      DamagedFiles.push_back(path);
      DamageNotes.push_back(damageNote);
      break;
    case FileSaveOutcome::Partial: ++Partial; break;
    case FileSaveOutcome::Failed: ++Failed; FailedFiles.push_back(path); break;
    case FileSaveOutcome::Skipped: ++Skipped; break;
  }
}

bool PassesDeletedFilesPolicy(uint16_t policy, std::optional<uint32_t> deletedFlag) {
  if (!deletedFlag) return true;
  if (policy == 2) return *deletedFlag != 0;
  if (policy == 3) return *deletedFlag != 1;
  return true;
}

std::optional<SaveTarget> ChooseSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                           const std::u16string& sanitizedName) {
  OutputFileSystem& files = *ctx.Files;
  SaveTarget target{JoinPath(folder, sanitizedName), sanitizedName};
  if (!files.FileExists(target.Path)) return target;
  const uint16_t policy = ctx.RecoverySettings.ExistingNamePolicy;
  // Only a file the user had before may be skipped or overwritten; a folder never.
  const bool mustRename = TakenByThisRun(session, target.Path) || NotAFile(files, session, target.Path);
  if (!mustRename && policy == 3) return std::nullopt;
  if (mustRename || policy == 1) {
    for (uint64_t n = 1;; ++n) {
      const std::u16string name = CopyOfName(sanitizedName, n);
      const std::u16string path = JoinPath(folder, name);
      if (files.FileExists(path)) continue;
      // Overwrite was asked for, but a link is never written through: say where it went.
      if (policy == 2 && files.LinkExists(target.Path)) session.Tally.RenamedAroundLinks.push_back(path);
      return SaveTarget{path, name};
    }
  }
  return target;  // overwrite
}

std::optional<SaveTarget> PrepareSaveTarget(EngineContext& ctx, SaveSession& session, const std::u16string& folder,
                                            const std::u16string& diskName, bool visibleSave,
                                            std::optional<uint32_t> deletedFlag) {
  const std::u16string safeName = SanitizeFileName(diskName);
  if (!visibleSave) return SaveTarget{JoinPath(folder, safeName), safeName};
  // The filters match the name as the list shows it, not the one written.
  std::optional<SaveTarget> target;
  if (PassesFileFilters(session.Filters, diskName) &&
      PassesDeletedFilesPolicy(ctx.RecoverySettings.DeletedFilesPolicy, deletedFlag)) {
    target = ChooseSaveTarget(ctx, session, folder, safeName);
  }
  if (!target) session.Tally.Record(FileSaveOutcome::Skipped, JoinPath(folder, safeName));
  return target;
}

std::optional<std::u16string> CreateSaveFolder(EngineContext& ctx, SaveSession& session,
                                               const std::u16string& parentPath, const std::u16string& diskName,
                                               uint64_t folderKey) {
  OutputFileSystem& files = *ctx.Files;
  const std::u16string safeName = SanitizeFileName(diskName);
  for (uint64_t n = 0;; ++n) {
    const std::u16string path = JoinPath(parentPath, n == 0 ? safeName : CopyOfName(safeName, n));
    const std::u16string key = PathKey(path);
    if (session.CreatedFiles.count(key) != 0) continue;
    const auto made = session.CreatedFolders.find(key);
    if (made != session.CreatedFolders.end()) {
      if (made->second.Key == folderKey) return made->second.Path;
      continue;  // another folder of the disk whose name reads the same once made safe
    }
    if (files.FileExists(path) && !files.FolderExists(path)) continue;  // a file or a link
    if (!files.CreateFolder(path)) return std::nullopt;
    session.CreatedFolders.emplace(key, SaveSession::MadeFolder{folderKey, path});
    return path;
  }
}

int ReportSaveFile(EngineContext& ctx, const std::u16string& folder, const std::u16string& name) {
  const int processed = ++ctx.SaveControl.FilesProcessed;
  ctx.Host->SaveReportFile(folder, name, processed);
  return processed;
}

namespace {

void AskWhetherToContinue(EngineContext& ctx, const std::u16string& text) {
  ctx.MessageRequest.Text = text;
  ctx.MessageRequest.Kind = kMessageError;
  if (!ctx.Host->AskQuestion(text, kMessageError)) ctx.SaveControl.StopRequested = 1;
}

}  // namespace

void AskAfterCreateFailure(EngineContext& ctx, const std::u16string& path) {
  AskWhetherToContinue(ctx, u"Error creating file : " + path + u".  Continue Recovery ? ");
}

void AskAfterWriteFailure(EngineContext& ctx, const std::u16string& path) {
  AskWhetherToContinue(ctx, u"Error writing file : " + path + u".  Continue Recovery ? ");
}

std::unique_ptr<OutputFile> CreateSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path) {
  std::unique_ptr<OutputFile> file = ctx.Files->CreateFileForWriting(path);
  if (!file) {
    session.Tally.Record(FileSaveOutcome::Failed, path);
    if (session.AskAfterFailures) AskAfterCreateFailure(ctx, path);
    return nullptr;
  }
  session.CreatedFiles.insert(PathKey(path));
  return file;
}

uint64_t UnreadableSectorCount(const EngineContext& ctx) { return ctx.ReadStats.UnreadableSectors.load(); }

std::u16string KnownDamageText(KnownDamage damage) {
  switch (damage) {
    case KnownDamage::None: break;
    case KnownDamage::TornRecord: return u"record damaged";
    case KnownDamage::GuessedLayout: return u"layout guessed";
  }
  return {};
}

FileSaveOutcome FinishSaveFile(EngineContext& ctx, SaveSession& session, const std::u16string& path,
                               OutputFile& file, CopyResult copied, uint64_t unreadableBefore, KnownDamage known) {
  const bool closed = file.Close();
  const bool writeFailed = copied == CopyResult::WriteFailed || !closed;
  FileSaveOutcome outcome = FileSaveOutcome::Saved;
  if (writeFailed) {
    outcome = FileSaveOutcome::Failed;
  } else if (copied == CopyResult::Interrupted) {
    outcome = FileSaveOutcome::Partial;
  } else if (copied == CopyResult::CutAtVolumeEnd || UnreadableSectorCount(ctx) != unreadableBefore ||
             known != KnownDamage::None) {
    outcome = FileSaveOutcome::Damaged;
  }
  if (outcome == FileSaveOutcome::Failed || outcome == FileSaveOutcome::Partial) {
    const std::optional<std::u16string> kept = KeepAsPartial(*ctx.Files, path);
    if (kept) session.Tally.PartialFiles.push_back(*kept);
  }
  session.Tally.Record(outcome, path, KnownDamageText(known));
  if (writeFailed && session.AskAfterFailures) AskAfterWriteFailure(ctx, path);
  return outcome;
}

bool SaveStopRequested(const EngineContext& ctx) { return ctx.SaveControl.StopRequested.load() == 1; }
bool SaveSkipRequested(const EngineContext& ctx) { return ctx.SaveControl.SkipRequested.load() == 1; }

namespace {

void AppendRenamedAroundLinks(std::u16string& text, const SaveTally& tally) {
  if (tally.RenamedAroundLinks.empty()) return;
  AppendLine(text, DecimalText(tally.RenamedAroundLinks.size()) +
                       u" files written under a new name, since a link stood at their name:");
  AppendNames(text, tally.RenamedAroundLinks);
}

}  // namespace

std::u16string SaveEndText(const SaveTally& tally) {
  if (tally.AllSaved()) {
    std::u16string text = u" Files successfully saved.";
    AppendRenamedAroundLinks(text, tally);
    return text;
  }
  std::u16string text = DecimalText(tally.Saved) + u" files saved whole.";
  AppendRenamedAroundLinks(text, tally);
  if (tally.Damaged != 0) {
    AppendLine(text, DecimalText(tally.Damaged) +
                         u" files saved with damage (unreadable sectors written as zeros, cut at the end of the "
                         u"volume, or as noted):");
    AppendNames(text, tally.DamagedFiles, tally.DamageNotes);
  }
  if (!tally.PartialFiles.empty()) {
    AppendLine(text, DecimalText(tally.PartialFiles.size()) + u" files cut short, kept with the ending \".partial\":");
    AppendNames(text, tally.PartialFiles);
  }
  if (tally.Partial != 0) AppendLine(text, DecimalText(tally.Partial) + u" files stopped or skipped while saving.");
  if (tally.Failed != 0) {
    AppendLine(text, DecimalText(tally.Failed) + u" files could not be saved:");
    AppendNames(text, tally.FailedFiles);
  }
  if (tally.Skipped != 0) AppendLine(text, DecimalText(tally.Skipped) + u" files skipped.");
  if (tally.UnreadableSectors != 0) {
    AppendLine(text, SectorCountText(tally.UnreadableSectors) + u" could not be read.");
  }
  return text;
}

}  // namespace engine
