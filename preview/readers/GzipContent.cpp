#include "GzipContent.h"

#include <zlib.h>

namespace preview {

GzipRead ReadGzipContent(const std::filesystem::path& path, std::vector<uint8_t>& content, uint64_t cap) {
  content.clear();
#ifdef _WIN32
  gzFile file = gzopen_w(path.c_str(), "rb");
#else
  gzFile file = gzopen(path.c_str(), "rb");
#endif
  if (file == nullptr) return GzipRead::kCannotOpen;
  constexpr unsigned kChunk = 256 * 1024;
  GzipRead outcome = GzipRead::kOk;
  for (;;) {
    if (content.size() >= cap) {
      outcome = GzipRead::kCapped;
      break;
    }
    const uint64_t room = cap - content.size();
    const unsigned want = room < kChunk ? static_cast<unsigned>(room) : kChunk;
    const size_t used = content.size();
    content.resize(used + want);
    const int got = gzread(file, content.data() + used, want);
    if (got < 0) {
      // A read error discards everything read so far.
      content.clear();
      content.shrink_to_fit();
      outcome = GzipRead::kError;
      break;
    }
    content.resize(used + static_cast<size_t>(got));
    if (got == 0) break;
  }
  gzclose(file);
  if (outcome == GzipRead::kOk && content.empty()) outcome = GzipRead::kEmpty;
  return outcome;
}

}  // namespace preview
