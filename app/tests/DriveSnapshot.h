// A Quick Scan snapshot of a drive letter, made by the engine itself in the test's
// process, for the program to load.
#pragma once

#include <string>

namespace programtest {

// Scans the logical drive with the root path ("D:\") and saves the snapshot to
// `snapshotPath` (replacing one of an earlier run). Empty on success, else what failed.
std::wstring MakeQuickScanSnapshot(const std::u16string& rootPath, const std::wstring& snapshotPath);

}  // namespace programtest
