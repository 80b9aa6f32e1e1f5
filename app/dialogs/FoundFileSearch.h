// The search of the Find Files dialog: walks the found files of the active volume
// and hands every file whose upper-cased name matches the upper-cased pattern to
// the caller, with the texts of its row. Runs on the dialog's search thread; it
// reads the result lists, which no one changes while the dialog is open.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "EngineContext.h"

namespace dialogs {

struct FoundFile {
  std::u16string Name;             // upper-cased
  engine::TreeItem FolderItem = 0;  // the results-tree item of its folder; 0 when no folder record matches
  std::u16string SizeText;
  std::u16string FirstDateText;
  std::u16string SecondDateText;
  std::u16string IdText;           // FAT file index, MFT data record (Quick Scan) or record location
};

// Longest pattern read from the dialog's edit.
inline constexpr size_t kMaxSearchPatternLength = 260;

// Calls `found` for each match in list order; `stop` is asked before each record
// and ends the walk when it answers true. Returns the number of matches.
int SearchFoundFiles(engine::EngineContext& ctx, std::u16string_view pattern, const std::function<bool()>& stop,
                     const std::function<void(FoundFile&&)>& found);

// The labels at the end of a search.
std::u16string SearchEndText(int matches);

}  // namespace dialogs
