#pragma once
// The renderer's growable string tables: a row is a list of owned UTF-16 strings, a
// row array a list of rows (attribute lists, the link list, history, forms). Reading
// never fails: an index out of range gives "" or the permanently empty row, and a
// write out of range returns 0 and changes nothing.

#include <cstddef>
#include <string>
#include <vector>

namespace preview {

class CStringRow {
 public:
  // Appends a copy of the first `length` characters of `text`, or all of it up to its
  // NUL for -1. A null text appends nothing and returns 0; otherwise the new count.
  int Append(const char16_t* text, int length = -1);
  // Replaces entry i; 1 when done, 0 when i is out of range or the text is null.
  int Set(int i, const char16_t* text, int length = -1);
  // Entry i and its length, or "" with length 0 when i is out of range.
  const char16_t* Get(int i, int* length = nullptr) const;
  int GetCount() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<std::u16string> entries_;
};

class CStringRowArray {
 public:
  // Appends an empty row; returns the new count.
  int AddRow();
  // Append or Set on one row; 0 when the row is out of range.
  int AppendToRow(int row, const char16_t* text, int length = -1);
  int SetInRow(int row, int i, const char16_t* text, int length = -1);
  // Removes the row and closes the gap; 1 when done, 0 when out of range.
  int RemoveRow(int row);
  // The row, or the empty row when out of range.
  const CStringRow& GetRow(int row) const;
  int GetCount() const { return static_cast<int>(rows_.size()); }
  void Clear();

 private:
  bool InRange(int row) const { return row >= 0 && row < GetCount(); }

  std::vector<CStringRow> rows_;
  CStringRow empty_;
};

}  // namespace preview
