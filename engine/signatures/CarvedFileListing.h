#pragma once
// The results list of File Trace: one type folder row per file-type name of the
// hits, or the hits of one extension or one type name.

#include <string>

#include "EngineContext.h"
#include "listing/FileFilters.h"

namespace engine {

// One type folder row per distinct type name of the hits (compared without regard
// to case), in the order of the hits.
void RefillCarvedFileList(EngineContext& ctx);

// The listing for a results-tree item of File Trace. With byTypeName false: "Root"
// (any case) lists the type folders (type names compared with blanks trimmed,
// case-sensitive); any other text is an extension and lists the hits with that
// extension (any case). With byTypeName true: the hits whose type name, blanks
// trimmed, equals the text. Hit rows pass through the file filters by display name.
// Gives the keyboard focus back to the results tree.
void FillFileListFromCarvedFiles(EngineContext& ctx, const FileFilterTable& filters, const std::u16string& itemText,
                                 bool byTypeName);

}  // namespace engine
