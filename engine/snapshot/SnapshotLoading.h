#pragma once
// "&Load Recovery Snapshot..." and a snapshot named on the command line: the file
// is read whole and checked before anything is applied, so a damaged file fails
// with a message and leaves no half-loaded results; then the result lists, the
// results tree and list are rebuilt and the results page is shown.

#include <optional>
#include <string>

#include "EngineContext.h"
#include "listing/FileFilters.h"
#include "snapshot/InputFileReader.h"

namespace engine::snapshot {

// The largest snapshot read (far above a million files).
inline constexpr uint64_t kMaxSnapshotBytes = uint64_t{1} << 31;

// Asks for the file, checks that it exists and sets RecoveryMode from its marker
// ("D" 2, "A" 0, "R" 1). Returns the path to load (quotes removed, ".vbrx"
// appended when missing); nothing after a message or when the user cancelled.
// The caller then sets up the results-list columns for the mode and loads.
std::optional<std::u16string> ChooseSnapshotToLoad(EngineContext& ctx, InputFileReader& reader);

// Loads an "A" or "D" snapshot. An "A" snapshot of an NTFS volume is then listed
// as a Quick Scan result (RecoveryMode 2). False after a message.
bool LoadScanSnapshot(EngineContext& ctx, const std::u16string& path, InputFileReader& reader,
                      const FileFilterTable& filters);

// Loads an "R" snapshot. False after a message.
bool LoadFileTraceSnapshot(EngineContext& ctx, const std::u16string& path, InputFileReader& reader);

}  // namespace engine::snapshot
