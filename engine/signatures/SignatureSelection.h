#pragma once
// Turns the ticked extensions of the File Types dialog into the SelectedSignature
// list that carving compares and the File Trace snapshot stores.

#include <cstdint>
#include <span>
#include <string>

#include "EngineHost.h"
#include "results/ResultRecords.h"

namespace engine {

struct EngineContext;

// Carving looks at the first 15 bytes of a sector only.
inline constexpr uint32_t kMaxComparedSignatureBytes = 15;

// One item of the File Types tree below the root, as the dialog visits them:
// depth first in display order, each item before its children, collapsed
// categories included. State is the tree's state image: 2 ticked, 3 partly ticked.
struct FileTypeTreeItem {
  std::u16string Text;
  int StateImage = 0;
};

// The SelectedSignature form of a dialog record: the signature length is the
// decimal value of its text, the fifth value that of the leading decimal digits
// of its hexadecimal text (bytes 00 00 give 0, 12 gives 12, 0A gives 0).
SelectedSignature MakeSelectedSignature(const SignatureRecord& record);

// How many bytes of a sector carving compares for a signature: its length, cut to
// the bytes its text holds and to 15. 0 for a malformed signature text.
uint32_t ComparedSignatureLength(const SelectedSignature& signature);

// For each ticked or partly ticked item in visiting order, appends one
// SelectedSignature for every record whose extension equals the item's text
// (case-sensitive), in the order of `recordsHeadFirst` (the dialog's list, which
// holds the records in reverse file order). A signature that would compare no byte
// is never selected: it would match every sector. The list is not emptied first.
// Returns 1.
int AddCheckedSignatures(EngineContext& ctx, std::span<const SignatureRecord> recordsHeadFirst,
                         std::span<const FileTypeTreeItem> visitedItems);

}  // namespace engine
