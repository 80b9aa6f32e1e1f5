#include "CStringRowArray.h"

namespace preview {

namespace {

std::u16string CopyOf(const char16_t* text, int length) {
  if (length < 0) return std::u16string(text);
  return std::u16string(text, static_cast<std::size_t>(length));
}

const char16_t kEmpty[] = u"";

}  // namespace

int CStringRow::Append(const char16_t* text, int length) {
  if (text == nullptr) return 0;
  entries_.push_back(CopyOf(text, length));
  return GetCount();
}

int CStringRow::Set(int i, const char16_t* text, int length) {
  if (text == nullptr || i < 0 || i >= GetCount()) return 0;
  entries_[static_cast<std::size_t>(i)] = CopyOf(text, length);
  return 1;
}

const char16_t* CStringRow::Get(int i, int* length) const {
  if (i < 0 || i >= GetCount()) {
    if (length != nullptr) *length = 0;
    return kEmpty;
  }
  const std::u16string& entry = entries_[static_cast<std::size_t>(i)];
  if (length != nullptr) *length = static_cast<int>(entry.size());
  return entry.c_str();
}

int CStringRowArray::AddRow() {
  rows_.emplace_back();
  return GetCount();
}

int CStringRowArray::AppendToRow(int row, const char16_t* text, int length) {
  if (!InRange(row)) return 0;
  return rows_[static_cast<std::size_t>(row)].Append(text, length);
}

int CStringRowArray::SetInRow(int row, int i, const char16_t* text, int length) {
  if (!InRange(row)) return 0;
  return rows_[static_cast<std::size_t>(row)].Set(i, text, length);
}

int CStringRowArray::RemoveRow(int row) {
  if (!InRange(row)) return 0;
  rows_.erase(rows_.begin() + row);
  return 1;
}

const CStringRow& CStringRowArray::GetRow(int row) const {
  return InRange(row) ? rows_[static_cast<std::size_t>(row)] : empty_;
}

void CStringRowArray::Clear() {
  while (!rows_.empty()) rows_.pop_back();
}

}  // namespace preview
