#pragma once
// The rows of the results list, shared by every list filler. Columns after the
// type column: size, first time stamp, second time stamp, ID. Icons and the shell's
// type names of files are the host's to add: a file row carries an empty type text
// and its Deleted flag, and the host shows "Deleted " before the type name.

#include <cstdint>
#include <string>

#include "EngineHost.h"

namespace engine {

inline constexpr char16_t kParentRowName[] = u"Parent...";

std::u16string DecimalText(uint64_t value);

// "Parent...", every other column empty; it stands first in any folder but the root.
ResultRow ParentRow();
// "Deleted Folder" for any non-zero deleted flag, else "Folder"; size "0"; the ID
// is the folder's item in the results tree.
ResultRow FolderRow(const std::u16string& name, uint32_t deletedFlag, std::u16string time1, std::u16string time2,
                    TreeItem treeItem);
// Only a deleted flag of exactly 1 marks the file deleted.
ResultRow FileRow(const std::u16string& name, uint32_t deletedFlag, uint64_t size, std::u16string time1,
                  std::u16string time2, uint64_t id);

}  // namespace engine
