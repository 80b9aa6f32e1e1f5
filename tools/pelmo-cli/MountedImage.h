#pragma once
// Saving onto a file system mounted from the very image being read would
// overwrite the data being recovered. Linux shows which file backs each loop
// device under /sys/block/loopN/loop/backing_file; a target whose file system
// lives on such a device (or one of its partitions) is refused.

#include <optional>
#include <string>

namespace cli {

// The loop device ("loop0") backed by `imagePath` whose file system holds
// `targetFolder` (or its nearest existing parent); nothing when there is none.
// `sysRoot` is where sysfs is mounted.
std::optional<std::string> LoopDeviceHoldingTarget(const std::string& imagePath, const std::string& targetFolder,
                                                   const std::string& sysRoot = "/sys");

// A file system mounted straight from the image file (FUSE: ntfs-3g, fusefat and
// the like name the file as their source): the source of the mount, in the mount
// table `mountInfoPath` (as /proc/self/mountinfo), that holds `targetFolder`,
// when that source is the image; nothing otherwise.
std::optional<std::string> MountFromImageHoldingTarget(const std::string& imagePath, const std::string& targetFolder,
                                                       const std::string& mountInfoPath = "/proc/self/mountinfo");

}  // namespace cli
