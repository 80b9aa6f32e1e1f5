#pragma once
// The "Selected Size : " label of the results page: the bytes of the ticked files.
// Ticked folders are counted by the results tree itself (its file, byte and folder
// totals); they do not enter the label.

#include <cstdint>
#include <span>
#include <string>

#include "EngineContext.h"

namespace engine {

// The sizes of the ticked files (keys of the ID column), each key counted by the
// first record with it: FAT files by file index, NTFS files of a Quick Scan by
// their data record sector, of an Extensive Scan by their record sector. File
// Trace hits count nothing.
uint64_t SelectedFileBytes(EngineContext& ctx, std::span<const uint32_t> tickedFileIds);

// "Selected Size : " and the whole megabytes (a total under 1 MB shows 0) " MB".
std::u16string SelectedSizeText(uint64_t bytes);

// Totals the ticked files and sets the label.
void UpdateSelectedSize(EngineContext& ctx, std::span<const uint32_t> tickedFileIds);

}  // namespace engine
