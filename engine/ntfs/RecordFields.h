#pragma once
// What the result lists need from one FILE record: its names with parent and
// times, its unnamed data stream, its attribute list and, for a directory, its
// own record number and first index cluster. All of it read from the checked
// attributes of MftRecord.h.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "ntfs/MftRecord.h"

namespace engine::ntfs {

// $FILE_NAME namespaces.
inline constexpr uint8_t kNamespacePosix = 0;
inline constexpr uint8_t kNamespaceWin32 = 1;
inline constexpr uint8_t kNamespaceDos = 2;
inline constexpr uint8_t kNamespaceWin32AndDos = 3;

// Record numbers of the root directory and of $Extend.
inline constexpr uint32_t kRootRecord = 5;
inline constexpr uint32_t kExtendRecord = 11;

// A $FILE_NAME value (also the key of an index entry).
struct FileNameInfo {
  uint32_t ParentRecord = 0;  // low 32 bits of the parent reference
  uint64_t CreationTime = 0;      // value offset 8
  uint64_t ModificationTime = 0;  // value offset 16
  uint64_t MftChangeTime = 0;     // value offset 24
  uint64_t AccessTime = 0;        // value offset 32
  uint32_t FileFlags = 0;         // value offset 56
  uint8_t Namespace = 0;
  std::u16string Name;
};

// Parses a $FILE_NAME value of 66 + 2n bytes; nothing when it is shorter.
std::optional<FileNameInfo> ParseFileName(std::span<const uint8_t> value);

// The record's $FILE_NAME of the wanted namespace: wanting Win32 (1) accepts POSIX
// (0) too; DOS (2) and Win32-and-DOS (3) are taken as they are.
std::optional<FileNameInfo> FindFileName(std::span<const uint8_t> record, uint8_t wantedNamespace);

// The name the lists show: the first found of namespace 1, then 3, then 2.
std::optional<FileNameInfo> FindDisplayName(std::span<const uint8_t> record);
// The same over the names of several records (a base record and its extensions).
std::optional<FileNameInfo> ChooseDisplayName(const std::vector<FileNameInfo>& names);
// Every $FILE_NAME of a record.
std::vector<FileNameInfo> AllFileNames(std::span<const uint8_t> record);

// The unnamed $DATA attribute of a record that starts the stream (lowest VCN 0;
// later extents of a long runlist hold no size).
std::optional<Attribute> FindDataAttribute(std::span<const uint8_t> record);
// Every unnamed $DATA attribute of a record, first extents and later ones.
std::vector<Attribute> DataAttributeExtents(std::span<const uint8_t> record);

// The size of the unnamed data stream: the real size of a non-resident one, the
// value length of a resident one.
std::optional<uint64_t> GetDataSize(std::span<const uint8_t> record);

// One entry of an $ATTRIBUTE_LIST.
struct AttributeListEntry {
  uint32_t Type = 0;
  uint64_t StartingVcn = 0;
  uint32_t SegmentRecord = 0;  // low 32 bits of the segment reference
  bool Named = false;
};
std::vector<AttributeListEntry> ParseAttributeList(std::span<const uint8_t> list);

// The entries of a resident $ATTRIBUTE_LIST; nothing when the list is non-resident
// or absent (the caller reads a non-resident one from the volume).
std::optional<std::vector<AttributeListEntry>> ResidentAttributeList(std::span<const uint8_t> record);

// A directory's own record number: the parent reference of the first entry of its
// $I30 index root; 0 when the root has no entry or cannot be read.
uint32_t FindIndexRootOwnId(std::span<const uint8_t> record);

// The first cluster (LCN) of the $I30 index allocation; 0 when it has none.
uint64_t FirstIndexAllocationCluster(std::span<const uint8_t> record);

}  // namespace engine::ntfs
