#include "ResultRows.h"

namespace engine {

std::u16string DecimalText(uint64_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  return digits;
}

ResultRow ParentRow() {
  ResultRow row;
  row.RowKind = ResultRow::Kind::ParentLink;
  row.Name = kParentRowName;
  row.Columns = {u"", u"", u"", u""};
  return row;
}

ResultRow FolderRow(const std::u16string& name, uint32_t deletedFlag, std::u16string time1, std::u16string time2,
                    TreeItem treeItem) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::Folder;
  row.Deleted = deletedFlag != 0;
  row.Name = name;
  row.TypeText = row.Deleted ? u"Deleted Folder" : u"Folder";
  row.Columns = {u"0", std::move(time1), std::move(time2), DecimalText(treeItem)};
  return row;
}

ResultRow FileRow(const std::u16string& name, uint32_t deletedFlag, uint64_t size, std::u16string time1,
                  std::u16string time2, uint64_t id) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::File;
  row.Deleted = deletedFlag == 1;
  row.Name = name;
  row.Columns = {DecimalText(size), std::move(time1), std::move(time2), DecimalText(id)};
  return row;
}

}  // namespace engine
