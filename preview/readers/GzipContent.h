#pragma once
// The decompressed content of a gzip file, read through zlib's gz functions (which
// pass a file without the gzip header through unchanged). At most `cap` bytes are
// kept: a preview never needs more, and a small file can claim to inflate to gigabytes.

#include <cstdint>
#include <filesystem>
#include <vector>

namespace preview {

constexpr uint64_t kGzipPreviewCap = 64ull * 1024 * 1024;

enum class GzipRead { kOk, kCapped, kEmpty, kCannotOpen, kError };

GzipRead ReadGzipContent(const std::filesystem::path& path, std::vector<uint8_t>& content,
                         uint64_t cap = kGzipPreviewCap);

}  // namespace preview
