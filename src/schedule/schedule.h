// Participant list and the round-robin schedule by the circle method.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace rinban {

struct Tmatch {
  int32_t Left;   // printed first
  int32_t Right;  // printed second
};

// Rows of equal length in one block, row after row: one allocation instead
// of one per row, and a round's or a slot's entries side by side.
template <class T>
class RowTable {
 public:
  size_t size() const { return rows_; }
  bool empty() const { return rows_ == 0; }
  std::span<T> operator[](size_t row) { return {cells_.data() + row * columns_, columns_}; }
  std::span<const T> operator[](size_t row) const { return {cells_.data() + row * columns_, columns_}; }

  // Keeps every entry inside the new bounds where it was, rows and columns;
  // new entries are zero.
  void Resize(size_t rows, size_t columns);

  // Rows in order, for range-for.
  class Iterator {
   public:
    Iterator(const RowTable* table, size_t row) : table_(table), row_(row) {}
    std::span<const T> operator*() const { return (*table_)[row_]; }
    Iterator& operator++() { return ++row_, *this; }
    bool operator!=(const Iterator& other) const { return row_ != other.row_; }

   private:
    const RowTable* table_;
    size_t row_;
  };
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, rows_}; }

 private:
  std::vector<T> cells_;
  size_t rows_ = 0;
  size_t columns_ = 0;
};

// Held by the window for the whole run. Every entry of Pairings and Opponents
// is a slot number, a position in MemberNames: the names are looked up where
// they are shown. Entries outside the ranges in use may hold slots or names
// left over from an earlier run.
struct ScheduleTables {
  RowTable<Tmatch> Pairings;     // one row per round
  RowTable<int32_t> Opponents;   // one row per slot, one entry per round
  int32_t RoundCount = 0;
  TextList MemberNames;          // participants, then the bye when N is odd
};
extern template class RowTable<Tmatch>;
extern template class RowTable<int32_t>;

class ScheduleProgress {
 public:
  virtual void SetTotal(int32_t count) = 0;
  virtual void Step() = 0;

 protected:
  ~ScheduleProgress() = default;
};

// Lines of the list file's bytes: text ends at the first NUL; CR LF, lone CR
// and lone LF each end a line; a final line break adds no entry.
TextList SplitMemberList(std::string_view bytes);

// The list file's bytes in code page 932: a list saved as UTF-8 or UTF-16
// converted, any other returned as it is.
Text MemberListText(Text fileBytes);

// Reads the whole file, converts and splits it. Throws AppError(kCannotOpen, path).
TextList ReadMemberList(const Text& path);

// MemberNames to n + 2, Pairings to n rows of (n + 1) / 2, Opponents to
// n + 2 rows of n; keeps entries inside the new bounds; RoundCount = n.
void ResizeScheduleTables(ScheduleTables& tables, int32_t n);

// Needs names.size() >= 2 and tables just resized for it.
void BuildSchedule(const TextList& names, ScheduleTables& tables, ScheduleProgress& progress);

}  // namespace rinban
