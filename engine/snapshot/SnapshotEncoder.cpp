#include "snapshot/SnapshotEncoder.h"

#include <string_view>

#include "snapshot/SnapshotFormat.h"

namespace engine::snapshot {
namespace {

// Appends little-endian values and names to the snapshot's bytes.
class SnapshotBytes {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) { Unsigned(value, 2); }
  void U32(uint32_t value) { Unsigned(value, 4); }
  void U64(uint64_t value) { Unsigned(value, 8); }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  void Raw(const uint8_t* data, std::size_t count) { bytes_.insert(bytes_.end(), data, data + count); }
  void Units(std::u16string_view text) {
    for (char16_t unit : text) U16(unit);
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  void Unsigned(uint64_t value, int width) {
    for (int i = 0; i < width; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

std::u16string_view Stored(const std::u16string& name) {
  return std::u16string_view(name).substr(0, kMaxStoredNameUnits);
}

uint16_t NameValue(std::u16string_view name, uint16_t bias) {
  return static_cast<uint16_t>(2 * name.size() + bias);
}

void WriteHeader(SnapshotBytes& out, const EngineContext& ctx, char16_t marker) {
  out.U16(marker);
  out.Raw(kTagBytes.data(), kTagBytes.size());
  out.Raw(kVersionBytes.data(), kVersionBytes.size());
  const SourceSelectionRecord& selection = ctx.SourceSelection;
  out.U16(selection.FileSystemCode);
  out.U32(selection.StartSector);
  out.U32(selection.SectorCount);
  out.U32(selection.EndSector);
  out.U16(selection.EntryIndex);
  const VolumeParameters& volume = ctx.ActiveVolume;
  out.U16(volume.FileSystemCode);
  for (uint32_t field : {volume.SectorsPerFat, volume.SectorsPerCluster, volume.RootDirSectors,
                         volume.ReservedSectors, volume.ClusterBase, volume.Fat1Start, volume.Fat2Start,
                         volume.MftStart, volume.MftMirrorStart, volume.SectorsPerMftRecord,
                         volume.SectorsPerIndexRecord, volume.EndSector}) {
    out.U32(field);
  }
  out.U16(ctx.ActiveVolumeNumber);
}

void WriteTrailer(SnapshotBytes& out, const EngineContext& ctx) {
  out.U16(ctx.SourceDevice.DriveNumber);
  out.U16(ctx.SourceDevice.SourceKind);
}

void WriteFatFolder(SnapshotBytes& out, const FatFolderEntry& folder) {
  const auto name = Stored(folder.Name);
  out.U16(NameValue(name, 2 + kFatFolderFixedBytes));
  out.Units(name);
  out.U16(0);
  out.U32(folder.FirstCluster);
  out.U32(folder.ParentCluster);
  out.U16(folder.WriteDate);
  out.U16(folder.AccessDate);
  out.U8(static_cast<uint8_t>(folder.Deleted));
  out.U16(0);
}

void WriteFatFile(SnapshotBytes& out, const FatFileEntry& file) {
  const auto name = Stored(file.Name);
  out.U16(NameValue(name, 4 + kFatFileFixedBytes));
  out.Units(name);
  out.Zeros(4);
  out.U32(file.FirstCluster);
  out.U32(file.ParentCluster);
  out.U16(file.WriteDate);
  out.U16(file.AccessDate);
  out.U32(file.Size);
  out.U8(static_cast<uint8_t>(file.Deleted));
  out.U32(file.FileIndex);
}

void WriteNtfsFolder(SnapshotBytes& out, const TreeFolderNode& folder) {
  const auto name = Stored(folder.Name);
  out.U16(NameValue(name, 4 + kNtfsFolderFixedBytes));
  out.Units(name);
  out.Zeros(4);
  out.U32(folder.Id);
  out.U32(folder.ParentId);
  out.U64(folder.Time1);
  out.U64(folder.Time2);
  out.U8(static_cast<uint8_t>(folder.Deleted));
  out.U16(0);
}

struct NtfsFileFields {
  uint32_t Sector;
  const std::u16string& Name;
  uint32_t Id;
  uint32_t ParentId;
  uint64_t Time1;
  uint64_t Time2;
  uint32_t Deleted;
  uint64_t Size;
};

void WriteNtfsFile(SnapshotBytes& out, const NtfsFileFields& file) {
  const auto name = Stored(file.Name);
  out.U16(NameValue(name, 4 + kNtfsFileFixedBytes));
  out.U32(file.Sector);
  out.Units(name);
  out.Zeros(4);
  out.U32(file.Id);
  out.U32(file.ParentId);
  out.U64(file.Time1);
  out.U64(file.Time2);
  out.U8(static_cast<uint8_t>(file.Deleted));
  out.U64(file.Size);
}

void WriteFatBody(SnapshotBytes& out, const ResultStore& results) {
  out.U32(static_cast<uint32_t>(results.FatFolders.size()));
  for (const FatFolderEntry& folder : results.FatFolders) WriteFatFolder(out, folder);
  out.U32(static_cast<uint32_t>(results.FatFiles.size()));
  for (const FatFileEntry& file : results.FatFiles) WriteFatFile(out, file);
}

void WriteNtfsBody(SnapshotBytes& out, const EngineContext& ctx, char16_t marker) {
  const ResultStore& results = ctx.Results;
  out.U32(static_cast<uint32_t>(results.TreeFolders.size()));
  for (const TreeFolderNode& folder : results.TreeFolders) WriteNtfsFolder(out, folder);
  if (marker == kMarkerQuickScan) {
    out.U32(static_cast<uint32_t>(results.TreeFiles.size()));
    for (const TreeFileNode& f : results.TreeFiles) {
      WriteNtfsFile(out, {f.DataRecordSector, f.Name, f.Id, f.ParentId, f.Time1, f.Time2, f.Deleted, f.Size});
    }
    return;
  }
  uint32_t inVolume = 0;
  for (const NtfsFileNode& f : results.NtfsFiles) inVolume += IsNtfsFileInActiveVolume(ctx, f) ? 1 : 0;
  out.U32(inVolume);
  for (const NtfsFileNode& f : results.NtfsFiles) {
    if (!IsNtfsFileInActiveVolume(ctx, f)) continue;
    WriteNtfsFile(out, {f.RecordSector, f.Name, 0, f.ParentId, f.Time1, f.Time2, f.Deleted, f.Size});
  }
}

void WriteSignature(SnapshotBytes& out, const SelectedSignature& signature) {
  const auto extension = Stored(signature.Extension);
  out.U16(NameValue(extension, 2 + kSignatureTextBias));
  out.Units(extension);
  out.U16(0);
  const auto typeName = Stored(signature.TypeName);
  out.U16(NameValue(typeName, 2 + kSignatureTextBias));
  out.Units(typeName);
  out.U16(0);
  const std::string_view text = std::string_view(signature.SignatureText).substr(0, kMaxStoredNameUnits);
  out.U16(static_cast<uint16_t>(2 * text.size() + 2 + kSignatureTextBias));
  out.Raw(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  out.Zeros(text.size() + 2);  // its terminator, then k + 1 zero bytes
  out.U32(signature.SignatureLength);
  out.U32(signature.FifthValue);
}

void WriteHitText(SnapshotBytes& out, const std::u16string& text) {
  const auto stored = Stored(text);
  out.U16(NameValue(stored, 4 + kHitTextBias));
  out.Units(stored);
  out.Zeros(4);
}

void WriteHit(SnapshotBytes& out, const CarvedFile& hit) {
  WriteHitText(out, hit.Extension);
  WriteHitText(out, hit.DisplayName);
  WriteHitText(out, hit.TypeName);
  out.U32(hit.RunningNumber);
  out.U32(hit.StartSector);
}

}  // namespace

bool IsNtfsFileInActiveVolume(const EngineContext& ctx, const NtfsFileNode& file) {
  return file.RecordSector > ctx.ActiveVolume.ClusterBase && file.RecordSector <= ctx.ActiveVolume.EndSector;
}

std::vector<uint8_t> EncodeScanSnapshot(const EngineContext& ctx, char16_t marker) {
  SnapshotBytes out;
  WriteHeader(out, ctx, marker);
  const uint16_t code = ctx.ActiveVolume.FileSystemCode;
  if (IsFatCode(code)) {
    WriteFatBody(out, ctx.Results);
  } else if (code == kFileSystemNtfs) {
    WriteNtfsBody(out, ctx, marker);
  }
  WriteTrailer(out, ctx);
  return out.Take();
}

std::vector<uint8_t> EncodeFileTraceSnapshot(const EngineContext& ctx) {
  SnapshotBytes out;
  WriteHeader(out, ctx, kMarkerFileTrace);
  const ResultStore& results = ctx.Results;
  out.U32(static_cast<uint32_t>(results.SelectedSignatures.size()));
  for (const SelectedSignature& signature : results.SelectedSignatures) WriteSignature(out, signature);
  out.U32(static_cast<uint32_t>(results.CarvedFiles.size()));
  for (const CarvedFile& hit : results.CarvedFiles) WriteHit(out, hit);
  WriteTrailer(out, ctx);
  return out.Take();
}

}  // namespace engine::snapshot
