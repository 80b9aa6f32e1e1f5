#include "snapshot/SnapshotDecoder.h"

#include <algorithm>
#include <string>

#include "LeBytes.h"
#include "drives/DriveTables.h"

namespace engine::snapshot {
namespace {

// Smallest record of each kind (empty names), to bound a count by the bytes left.
constexpr uint64_t kMinFatFolderRecord = 2 + 2 + kFatFolderFixedBytes;
constexpr uint64_t kMinFatFileRecord = 2 + 4 + kFatFileFixedBytes;
constexpr uint64_t kMinNtfsFolderRecord = 2 + 4 + kNtfsFolderFixedBytes;
constexpr uint64_t kMinNtfsFileRecord = 2 + 4 + kNtfsFileFixedBytes;
constexpr uint64_t kMinSignatureRecord = 3 * 2 + 3 * 2 + 8;
constexpr uint64_t kMinHitRecord = 3 * 2 + 3 * 4 + 8;

// Thrown inside the decoder only; DecodeSnapshot turns it into the defect.
struct DecodeFailure {
  SnapshotDefect Defect;
};

// A read position over the file that fails with a named defect.
class Cursor {
 public:
  explicit Cursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  uint64_t Position() const { return position_; }
  uint64_t Left() const { return bytes_.size() - position_; }
  void Require(uint64_t length, SnapshotDefect defect) const {
    if (!bytes_.Has(position_, length)) throw DecodeFailure{defect};
  }
  uint16_t U16() { return static_cast<uint16_t>(Take(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Take(4)); }
  uint64_t Take(unsigned width) {
    Require(width, SnapshotDefect::RecordCutShort);
    const uint64_t value = bytes_.Unsigned(position_, width);
    position_ += width;
    return value;
  }
  std::span<const uint8_t> Bytes(uint64_t length) {
    Require(length, SnapshotDefect::RecordCutShort);
    const auto span = bytes_.Span(position_, length);
    position_ += length;
    return span;
  }
  // A record count, bounded by how many of the smallest record the bytes left hold.
  uint32_t Count(uint64_t minRecordBytes) {
    const uint32_t count = U32();
    if (count > Left() / minRecordBytes) throw DecodeFailure{SnapshotDefect::CountBeyondFile};
    return count;
  }

 private:
  LeBytes bytes_;
  uint64_t position_ = 0;
};

// UTF-16LE text of a name field, up to its first terminator.
std::u16string UnitsUpToTerminator(std::span<const uint8_t> field) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < field.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(field[i] | (field[i + 1] << 8));
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

// Reads the 16-bit value in front of a record or text and returns the byte count
// of the name field it announces: value − bias, even and at least minField.
uint64_t NameFieldBytes(Cursor& in, uint16_t bias, uint64_t minField) {
  const uint16_t value = in.U16();
  if (value < bias + minField) throw DecodeFailure{SnapshotDefect::BadNameLength};
  const uint64_t field = value - bias;
  if (field % 2 != 0) throw DecodeFailure{SnapshotDefect::BadNameLength};
  if (field > in.Left()) throw DecodeFailure{SnapshotDefect::RecordCutShort};
  return field;
}

std::u16string ReadName(Cursor& in, uint64_t fieldBytes) { return UnitsUpToTerminator(in.Bytes(fieldBytes)); }

FatFolderEntry ReadFatFolder(Cursor& in) {
  const uint64_t field = NameFieldBytes(in, kFatFolderFixedBytes, 2);
  in.Require(field + kFatFolderFixedBytes, SnapshotDefect::RecordCutShort);
  FatFolderEntry folder;
  folder.Name = ReadName(in, field);
  folder.FirstCluster = in.U32();
  folder.ParentCluster = in.U32();
  folder.WriteDate = in.U16();
  folder.AccessDate = in.U16();
  folder.Deleted = static_cast<uint32_t>(in.Take(1));
  in.U16();  // spare
  return folder;
}

FatFileEntry ReadFatFile(Cursor& in) {
  const uint64_t field = NameFieldBytes(in, kFatFileFixedBytes, 4);
  in.Require(field + kFatFileFixedBytes, SnapshotDefect::RecordCutShort);
  FatFileEntry file;
  file.Name = ReadName(in, field);
  file.FirstCluster = in.U32();
  file.ParentCluster = in.U32();
  file.WriteDate = in.U16();
  file.AccessDate = in.U16();
  file.Size = in.U32();
  file.Deleted = static_cast<uint32_t>(in.Take(1));
  in.U32();  // file index: loading numbers the files afresh
  return file;
}

TreeFolderNode ReadNtfsFolder(Cursor& in) {
  const uint64_t field = NameFieldBytes(in, kNtfsFolderFixedBytes, 4);
  in.Require(field + kNtfsFolderFixedBytes, SnapshotDefect::RecordCutShort);
  TreeFolderNode folder;
  folder.Name = ReadName(in, field);
  folder.Id = in.U32();
  folder.ParentId = in.U32();
  folder.Time1 = in.Take(8);
  folder.Time2 = in.Take(8);
  folder.Deleted = static_cast<uint32_t>(in.Take(1));
  in.U16();  // spare
  return folder;
}

TreeFileNode ReadNtfsFile(Cursor& in) {
  const uint16_t value = in.U16();
  // The record sector stands before the name; the value covers both.
  if (value < kNtfsFileFixedBytes + 4 || (value - kNtfsFileFixedBytes) % 2 != 0) {
    throw DecodeFailure{SnapshotDefect::BadNameLength};
  }
  in.Require(value, SnapshotDefect::RecordCutShort);
  const uint64_t field = value - kNtfsFileFixedBytes;
  TreeFileNode file;
  file.DataRecordSector = in.U32();
  file.Name = ReadName(in, field);
  file.Id = in.U32();
  file.ParentId = in.U32();
  file.Time1 = in.Take(8);
  file.Time2 = in.Take(8);
  file.Deleted = static_cast<uint32_t>(in.Take(1));
  file.Size = in.Take(8);
  return file;
}

SelectedSignature ReadSignature(Cursor& in) {
  SelectedSignature signature;
  signature.Extension = ReadName(in, NameFieldBytes(in, kSignatureTextBias, 2));
  signature.TypeName = ReadName(in, NameFieldBytes(in, kSignatureTextBias, 2));
  // k narrow characters, then k + 2 zero bytes.
  const auto textField = in.Bytes(NameFieldBytes(in, kSignatureTextBias, 2));
  const std::size_t k = (textField.size() - 2) / 2;
  const auto narrow = textField.first(k);
  const auto end = std::find(narrow.begin(), narrow.end(), uint8_t{0});
  signature.SignatureText.assign(narrow.begin(), end);
  signature.SignatureLength = in.U32();
  signature.FifthValue = in.U32();
  return signature;
}

CarvedFile ReadHit(Cursor& in) {
  CarvedFile hit;
  hit.Extension = ReadName(in, NameFieldBytes(in, kHitTextBias, 4));
  hit.DisplayName = ReadName(in, NameFieldBytes(in, kHitTextBias, 4));
  hit.TypeName = ReadName(in, NameFieldBytes(in, kHitTextBias, 4));
  hit.RunningNumber = in.U32();
  hit.StartSector = in.U32();
  return hit;
}

template <class Record, class ReadRecord>
void ReadList(Cursor& in, uint64_t minRecordBytes, std::vector<Record>& list, ReadRecord read) {
  const uint32_t count = in.Count(minRecordBytes);
  list.reserve(count);
  for (uint32_t i = 0; i < count; ++i) list.push_back(read(in));
}

SnapshotHeader ReadHeader(Cursor& in) {
  in.Require(kHeaderSize, SnapshotDefect::ShortHeader);
  SnapshotHeader header;
  header.Marker = in.U16();
  in.Bytes(kTagBytes.size() + kVersionBytes.size());  // checked by the caller
  SourceSelectionRecord& selection = header.Selection;
  selection.FileSystemCode = in.U16();
  selection.StartSector = in.U32();
  selection.SectorCount = in.U32();
  selection.EndSector = in.U32();
  selection.EntryIndex = in.U16();
  VolumeParameters& volume = header.Volume;
  volume.FileSystemCode = in.U16();
  for (uint32_t* field : {&volume.SectorsPerFat, &volume.SectorsPerCluster, &volume.RootDirSectors,
                          &volume.ReservedSectors, &volume.ClusterBase, &volume.Fat1Start, &volume.Fat2Start,
                          &volume.MftStart, &volume.MftMirrorStart, &volume.SectorsPerMftRecord,
                          &volume.SectorsPerIndexRecord, &volume.EndSector}) {
    *field = in.U32();
  }
  header.VolumeNumber = in.U16();
  return header;
}

void ReadBody(Cursor& in, SnapshotContents& contents) {
  const uint16_t code = contents.Header.Volume.FileSystemCode;
  if (contents.Header.Marker == kMarkerFileTrace) {
    ReadList(in, kMinSignatureRecord, contents.Signatures, ReadSignature);
    ReadList(in, kMinHitRecord, contents.Hits, ReadHit);
  } else if (IsFatCode(code)) {
    ReadList(in, kMinFatFolderRecord, contents.FatFolders, ReadFatFolder);
    ReadList(in, kMinFatFileRecord, contents.FatFiles, ReadFatFile);
  } else if (code == kFileSystemNtfs) {
    ReadList(in, kMinNtfsFolderRecord, contents.NtfsFolders, ReadNtfsFolder);
    ReadList(in, kMinNtfsFileRecord, contents.NtfsFiles, ReadNtfsFile);
  }
}

SnapshotTrailer ReadTrailer(Cursor& in, uint16_t entryIndex) {
  in.Require(kTrailerSize, SnapshotDefect::ShortTrailer);
  SnapshotTrailer trailer;
  trailer.DriveNumber = in.U16();
  trailer.SourceKind = in.U16();
  if (in.Left() != 0) throw DecodeFailure{SnapshotDefect::TrailingBytes};
  if (trailer.DriveNumber >= kMaxPhysicalDrives) throw DecodeFailure{SnapshotDefect::DriveNumberOutOfRange};
  switch (trailer.SourceKind) {
    case kSourceWholeDisk:
      if (entryIndex >= kPartitionTableSize) throw DecodeFailure{SnapshotDefect::EntryIndexOutOfRange};
      break;
    case kSourceLogicalDrive:
    case kSourceNone:
      if (entryIndex >= kMaxLogicalDrives) throw DecodeFailure{SnapshotDefect::EntryIndexOutOfRange};
      break;
    default:
      throw DecodeFailure{SnapshotDefect::UnknownSourceKind};
  }
  return trailer;
}

}  // namespace

const char* DefectName(SnapshotDefect defect) {
  switch (defect) {
    case SnapshotDefect::None: return "none";
    case SnapshotDefect::UnknownMarker: return "unknown marker";
    case SnapshotDefect::BadTag: return "tag bytes differ";
    case SnapshotDefect::BadVersion: return "version bytes differ";
    case SnapshotDefect::ShortHeader: return "file ends inside the header";
    case SnapshotDefect::CountBeyondFile: return "record count beyond the file";
    case SnapshotDefect::RecordCutShort: return "file ends inside a record";
    case SnapshotDefect::BadNameLength: return "name length out of range";
    case SnapshotDefect::ShortTrailer: return "file ends inside the trailer";
    case SnapshotDefect::TrailingBytes: return "bytes after the trailer";
    case SnapshotDefect::DriveNumberOutOfRange: return "drive number beyond the device table";
    case SnapshotDefect::UnknownSourceKind: return "unknown source kind";
    case SnapshotDefect::EntryIndexOutOfRange: return "entry index beyond the drive table";
  }
  return "unknown";
}

std::optional<char16_t> SnapshotMarker(std::span<const uint8_t> bytes) {
  LeBytes view(bytes);
  const auto marker = static_cast<char16_t>(view.U16(0));
  if (!view.ok()) return std::nullopt;
  if (marker == kMarkerExtensiveScan || marker == kMarkerQuickScan || marker == kMarkerFileTrace) return marker;
  return std::nullopt;
}

DecodedSnapshot DecodeSnapshot(std::span<const uint8_t> bytes) {
  if (!SnapshotMarker(bytes)) return {std::nullopt, SnapshotDefect::UnknownMarker};
  // The tag and version are told apart from a short file, as the user sees them.
  if (bytes.size() < kVersionOffset || !std::equal(kTagBytes.begin(), kTagBytes.end(), bytes.begin() + kTagOffset)) {
    return {std::nullopt, SnapshotDefect::BadTag};
  }
  if (bytes.size() < kSelectionOffset ||
      !std::equal(kVersionBytes.begin(), kVersionBytes.end(), bytes.begin() + kVersionOffset)) {
    return {std::nullopt, SnapshotDefect::BadVersion};
  }
  try {
    Cursor in(bytes);
    SnapshotContents contents;
    contents.Header = ReadHeader(in);
    ReadBody(in, contents);
    contents.Trailer = ReadTrailer(in, contents.Header.Selection.EntryIndex);
    return {std::move(contents), SnapshotDefect::None};
  } catch (const DecodeFailure& failure) {
    return {std::nullopt, failure.Defect};
  }
}

}  // namespace engine::snapshot
