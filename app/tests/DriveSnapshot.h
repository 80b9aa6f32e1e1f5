// Snapshots of a drive letter (Quick Scan "D", File Trace "R"), made by the engine
// itself in the test's process, for the program to load.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace programtest {

// Scans the logical drive with the root path ("D:\") and saves the snapshot to
// `snapshotPath` (replacing one of an earlier run). Empty on success, else what failed.
std::wstring MakeQuickScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath);

// The same scan of the drive's own file system, saved as an Extensive Scan saves
// the volume chosen on the file-system page (marker "A").
std::wstring MakeExtensiveScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath);

// Carves sectors 0 to `endSector` of the logical drive for the `extensions` (".png"),
// with the signatures of `programFolder`'s Raw.dat, and saves the File Trace
// snapshot to `snapshotPath`. Empty on success, else what failed.
std::wstring MakeFileTraceSnapshot(const std::u16string& rootPath, const std::vector<std::u16string>& extensions,
                                   uint32_t endSector, const std::u16string& programFolder,
                                   const std::wstring& snapshotPath);

}  // namespace programtest
