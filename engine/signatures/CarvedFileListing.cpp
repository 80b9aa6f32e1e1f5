#include "signatures/CarvedFileListing.h"

#include <string>
#include <unordered_set>

namespace engine {
namespace {

std::u16string_view TrimBlanks(std::u16string_view text) {
  while (!text.empty() && text.front() == u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == u' ') text.remove_suffix(1);
  return text;
}

ResultRow TypeFolderRow(const std::u16string& typeName) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::FileTypeGroup;
  row.Name = typeName;
  row.TypeText = u"-";
  row.Columns = {u"-"};
  return row;
}

ResultRow HitRow(const CarvedFile& file) {
  ResultRow row;
  row.RowKind = ResultRow::Kind::File;
  row.Name = file.DisplayName;
  const std::string number = std::to_string(file.RunningNumber);
  row.Columns = {std::u16string(number.begin(), number.end())};
  return row;
}

}  // namespace

void RefillCarvedFileList(EngineContext& ctx) {
  ctx.Host->ListDeleteAllRows();
  std::unordered_set<std::u16string> listed;
  for (const CarvedFile& file : ctx.Results.CarvedFiles) {
    if (listed.insert(UpperCaseText(file.TypeName)).second) ctx.Host->ListAddRow(TypeFolderRow(file.TypeName));
  }
}

void FillFileListFromCarvedFiles(EngineContext& ctx, const FileFilterTable& filters, const std::u16string& itemText,
                                 bool byTypeName) {
  EngineHost& host = *ctx.Host;
  host.ListDeleteAllRows();
  if (!byTypeName && UpperCaseText(itemText) == u"ROOT") {
    std::unordered_set<std::u16string> listed;
    for (const CarvedFile& file : ctx.Results.CarvedFiles) {
      if (listed.insert(std::u16string(TrimBlanks(file.TypeName))).second) host.ListAddRow(TypeFolderRow(file.TypeName));
    }
  } else {
    const std::u16string wantedExtension = UpperCaseText(itemText);
    for (const CarvedFile& file : ctx.Results.CarvedFiles) {
      const bool wanted = byTypeName ? TrimBlanks(file.TypeName) == itemText
                                     : UpperCaseText(file.Extension) == wantedExtension;
      if (wanted && PassesFileFilters(filters, file.DisplayName)) host.ListAddRow(HitRow(file));
    }
  }
  host.ResultTreeFocus();
}

}  // namespace engine
