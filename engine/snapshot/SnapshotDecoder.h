#pragma once
// Reads the bytes of a snapshot into its records. Every count, length and index
// is checked against the bytes left and the tables it selects before it is used;
// a file that fails any check gives no contents at all, only the reason.

#include <cstdint>
#include <optional>
#include <span>

#include "snapshot/SnapshotFormat.h"

namespace engine::snapshot {

enum class SnapshotDefect {
  None,
  UnknownMarker,        // the first two bytes are not "A", "D" or "R"
  BadTag,               // bytes 2 to 8 are not the "brx4" tag
  BadVersion,           // bytes 9 to 11 are not the "1." version
  ShortHeader,          // the file ends inside the header
  CountBeyondFile,      // a record count larger than the bytes left can hold
  RecordCutShort,       // the file ends inside a record or a count
  BadNameLength,        // a length value too small, odd, or past its record
  ShortTrailer,         // the file ends before the trailer is complete
  TrailingBytes,        // bytes after the trailer: the counts do not match the file
  DriveNumberOutOfRange,  // beyond the physical-drive device table
  UnknownSourceKind,
  EntryIndexOutOfRange,   // beyond the partition or logical-drive table
};

// A name a debug log can print.
const char* DefectName(SnapshotDefect defect);

struct DecodedSnapshot {
  std::optional<SnapshotContents> Contents;  // only when Defect is None
  SnapshotDefect Defect = SnapshotDefect::None;
};

DecodedSnapshot DecodeSnapshot(std::span<const uint8_t> bytes);

// The marker of a snapshot's first two bytes; nothing when it is none of the three.
std::optional<char16_t> SnapshotMarker(std::span<const uint8_t> bytes);

}  // namespace engine::snapshot
