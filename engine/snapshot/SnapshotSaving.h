#pragma once
// "&Save Recovery Snapshot...": asks the host for the file (".vbrx" appended when
// missing), asks before replacing one, and writes the snapshot. No message on
// success; a file that cannot be created or written completely is reported and
// not left behind half written. The snapshot is written under a new name and
// then put in place, so a snapshot it replaces is kept when the write fails.

#include "EngineContext.h"

namespace engine::snapshot {

// The command: File Trace results in File Trace mode, else the scan results.
bool SaveSnapshot(EngineContext& ctx);

// "A" in Extensive Scan mode, "D" otherwise. For "A" on NTFS the result store's
// file count becomes the number of files stored (those in the volume in work).
bool SaveScanSnapshot(EngineContext& ctx);

// "R": the selected signatures and the hits.
bool SaveFileTraceSnapshot(EngineContext& ctx);

}  // namespace engine::snapshot
