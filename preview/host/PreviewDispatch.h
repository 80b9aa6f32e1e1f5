#pragma once
// Which viewer the preview pane creates for a file: the previewable extensions,
// their groups in the order they are tried, the fallback each group takes when its
// viewer cannot show the file, and the picture of the no-preview view.

#include <cstdint>
#include <string>
#include <string_view>

namespace preview {

// The host's viewer slots, in the order the host keeps them.
enum class PreviewSlot : int {
  kImage, kHtml, kDocument, kArchive, kAvi, kMedia, kThumb, kDbf, kMdb, kNoPreview, kCustomHtml, kDxf, kPsd,
  kLargeFile, kPicture,
};
constexpr int kPreviewSlotCount = 15;

// What the host does with the preview-OK flag after the group's creator returned.
enum class PreviewFallback {
  kWhenNotOk,     // the no-preview view on top when a viewer cleared the flag
  kSlidesResult,  // the export's result decides; on failure the flag goes back to 1
  kAccessResult,  // the creator's result decides
  kNone,          // the flag is not examined
};

struct PreviewGroup {
  const char* name;
  PreviewSlot slot;
  PreviewFallback fallback;
};

// Files above this many bytes are not copied out: they get the large-file view.
constexpr uint64_t kLargeFilePreviewBytes = 5242880;
inline constexpr std::u16string_view kLargeFileExtension = u".largefile";

// 1 for the 68 previewable extensions (lower case with the dot), compared exactly.
int IsPreviewableExtension(std::u16string_view extension);

// The group of a previewable extension, tried in the host's order; nullptr for
// anything else.
const PreviewGroup* FindPreviewGroup(std::u16string_view extension);

// The extension the results list passes for a file: ".largefile" above the limit,
// else the text after the last "." with the dot, ASCII letters lower-cased (empty
// when the name has no dot).
std::u16string PreviewExtensionOf(std::u16string_view fileName, uint64_t fileSize);

// The bitmaps of the no-preview view.
enum NoPreviewBitmap : int { kBitmapCorrupted = 196, kBitmapNotSupported = 197, kBitmapNothingToPreview = 211 };

struct PreviewFlags {
  bool nothingToPreview = false;
  bool lastPreviewable = false;
  bool previewOk = true;
};
int ChooseNoPreviewBitmap(const PreviewFlags& flags);

// The host's whole decision for one file, given which viewers this build has.
// A previewable file whose viewer is not in the build gets the no-preview view with
// "not supported" rather than "corrupted": nothing is wrong with the file.
struct PreviewDecision {
  const PreviewGroup* group = nullptr;  // null: no viewer is created
  bool viewerMissing = false;
};
template <typename HasViewer>
PreviewDecision DecidePreview(std::u16string_view extension, HasViewer hasViewer) {
  PreviewDecision decision;
  const PreviewGroup* group = FindPreviewGroup(extension);
  if (group == nullptr) return decision;
  if (!hasViewer(group->slot)) {
    decision.viewerMissing = true;
    return decision;
  }
  decision.group = group;
  return decision;
}

}  // namespace preview
