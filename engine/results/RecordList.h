#pragma once
// An append-only list of result records that keeps append order. Records never
// move once appended (a deque), so the store's hash indexes can point at them and
// callers may hold references while more records arrive. Only the ResultStore
// appends and empties, which keeps its indexes in step with the lists; callers
// walk the records in order and may change fields that are not index keys.

#include <cstddef>
#include <deque>

namespace engine {

class ResultStore;

template <class Record>
class RecordList {
 public:
  using iterator = typename std::deque<Record>::iterator;
  using const_iterator = typename std::deque<Record>::const_iterator;

  std::size_t size() const { return Items.size(); }
  bool empty() const { return Items.empty(); }
  Record& operator[](std::size_t i) { return Items[i]; }
  const Record& operator[](std::size_t i) const { return Items[i]; }
  Record& front() { return Items.front(); }
  const Record& front() const { return Items.front(); }
  Record& back() { return Items.back(); }
  const Record& back() const { return Items.back(); }
  iterator begin() { return Items.begin(); }
  iterator end() { return Items.end(); }
  const_iterator begin() const { return Items.begin(); }
  const_iterator end() const { return Items.end(); }

 private:
  friend class ResultStore;
  std::deque<Record> Items;
};

}  // namespace engine
