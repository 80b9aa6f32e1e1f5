#include "FileFilterEditing.h"

#include <algorithm>

namespace dialogs {

FilterAddVerdict CheckFilterToAdd(std::u16string_view text, const std::vector<std::u16string>& entries) {
  if (entries.size() >= engine::kMaxFileFilters) return FilterAddVerdict::TableFull;
  text = text.substr(0, kFilterEditReadLimit);
  if (text.size() > engine::kMaxFileFilterLength) return FilterAddVerdict::TooLong;
  if (text.empty()) return FilterAddVerdict::Blank;
  if (std::find(entries.begin(), entries.end(), text) != entries.end()) return FilterAddVerdict::AlreadyPresent;
  return FilterAddVerdict::Accepted;
}

std::u16string FilterRefusalText(FilterAddVerdict verdict) {
  switch (verdict) {
    case FilterAddVerdict::TableFull:
      return u"      More filters cannot be added.     ";
    case FilterAddVerdict::TooLong:
      return u"      Filter too long     ";
    case FilterAddVerdict::Blank:
      return u"      A blank entry cannot be added.     ";
    case FilterAddVerdict::AlreadyPresent:
      return u"      Filter is already present in the list.        ";
    case FilterAddVerdict::Accepted:
      break;
  }
  return {};
}

engine::FileFilterTable FilterTableFromEntries(const std::vector<std::u16string>& entries) {
  engine::FileFilterTable table;
  for (const std::u16string& entry : entries) {
    if (table.Patterns.size() == engine::kMaxFileFilters) break;
    if (entry.empty() || entry.size() > engine::kMaxFileFilterLength) continue;
    table.Patterns.push_back(entry);
  }
  return table;
}

}  // namespace dialogs
