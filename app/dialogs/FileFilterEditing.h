// The rules of the File Filters dialog's Add button, apart from the window: the
// table holds at most 99 filters of at most 19 characters, no blank entry and no
// entry twice (compared exactly, so filters that differ in case are two entries).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "listing/FileFilters.h"

namespace dialogs {

enum class FilterAddVerdict { Accepted, TableFull, TooLong, Blank, AlreadyPresent };

// Longest text the edit hands over; the rest is never read.
inline constexpr size_t kFilterEditReadLimit = 300;

// What Add does with `text` given the entries already in the list.
FilterAddVerdict CheckFilterToAdd(std::u16string_view text, const std::vector<std::u16string>& entries);

// The message shown for a refusal (its spaces belong to the text); empty for Accepted.
std::u16string FilterRefusalText(FilterAddVerdict verdict);

// The table written back on Close: the list's entries in the list's order, cut to
// the table's limits so that nothing longer or more ever reaches the engine.
engine::FileFilterTable FilterTableFromEntries(const std::vector<std::u16string>& entries);

}  // namespace dialogs
