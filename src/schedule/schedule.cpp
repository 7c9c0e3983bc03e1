#include "schedule/schedule.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

#include "platform/encoding.h"
#include "platform/files.h"
#include "text/messages.h"

namespace rinban {

template <class T>
void RowTable<T>::Resize(size_t rows, size_t columns) {
  static_assert(std::is_trivially_copyable_v<T>);
  const size_t before = cells_.size();
  const size_t kept = std::min(rows, rows_);
  const size_t keptColumns = std::min(columns, columns_);
  // Rows move in place: towards the end when they widen, so start from the
  // last; towards the start when they narrow, so start from the first.
  if (rows * columns > cells_.size()) cells_.resize(rows * columns);
  if (columns > columns_) {
    for (size_t r = kept; r-- > 1;) std::memmove(&cells_[r * columns], &cells_[r * columns_], columns_ * sizeof(T));
  } else if (columns < columns_) {
    for (size_t r = 1; r < kept; ++r) std::memmove(&cells_[r * columns], &cells_[r * columns_], columns * sizeof(T));
  }
  if (columns != columns_)
    for (size_t r = 0; r < kept; ++r)
      std::fill(cells_.begin() + r * columns + keptColumns, cells_.begin() + (r + 1) * columns, T{});
  // New rows: what resize() added is zero already.
  if (kept * columns < before)
    std::fill(cells_.begin() + kept * columns, cells_.begin() + std::min(rows * columns, before), T{});
  cells_.resize(rows * columns);
  // A small run after a huge one need not keep the huge block.
  if (cells_.capacity() > 2 * cells_.size()) cells_.shrink_to_fit();
  rows_ = rows;
  columns_ = columns;
}

template class RowTable<Tmatch>;
template class RowTable<int32_t>;

TextList SplitMemberList(std::string_view bytes) {
  // Everything after the first NUL is ignored.
  if (const void* nul = std::memchr(bytes.data(), '\0', bytes.size()))
    bytes = bytes.substr(0, static_cast<const char*>(nul) - bytes.data());

  const char* p = bytes.data();
  const char* const end = p + bytes.size();

  // Count the lines first so a list of millions of names fills one exact
  // allocation: every CR ends a line, and so does every LF not right after a
  // CR; a last line without a break adds one.
  const auto* u = reinterpret_cast<const unsigned char*>(p);
  const size_t size = bytes.size();
  size_t lines = size == 0 ? 0 : (u[0] == '\r') + (u[0] == '\n');
  for (size_t i = 1; i < size; ++i) lines += (u[i] == '\r') + ((u[i] == '\n') & (u[i - 1] != '\r'));
  if (size != 0 && u[size - 1] != '\r' && u[size - 1] != '\n') ++lines;

  TextList result;
  result.reserve(lines);
  while (p != end) {
    const char* q = p;
    while (q != end && *q != '\r' && *q != '\n') ++q;
    result.emplace_back(p, static_cast<size_t>(q - p));
    if (q != end && *q == '\r') ++q;
    if (q != end && *q == '\n') ++q;
    p = q;
  }
  return result;
}

Text MemberListText(Text fileBytes) { return Cp932FromFileText(std::move(fileBytes)); }

TextList ReadMemberList(const Text& path) { return SplitMemberList(MemberListText(ReadWholeFile(path))); }

void ResizeScheduleTables(ScheduleTables& tables, int32_t n) {
  const size_t count = static_cast<size_t>(n);
  tables.MemberNames.resize(count + 2);
  tables.Pairings.Resize(count, (count + 1) / 2);
  tables.Opponents.Resize(count + 2, count);
  tables.RoundCount = n;
}

void BuildSchedule(const TextList& names, ScheduleTables& tables, ScheduleProgress& progress) {
  const int32_t n = static_cast<int32_t>(names.size());
  TextList& member = tables.MemberNames;
  std::copy(names.begin(), names.end(), member.begin());
  if (n % 2 == 1)
    member[n] = msg::kByeName;
  else
    tables.RoundCount = n - 1;
  const int32_t rounds = tables.RoundCount;
  const int32_t half = rounds / 2;

  progress.SetTotal(rounds);
  // Rounds go in tiles: the pairs of each round row by row, then every
  // slot's opponents for the tile's rounds, a short run of each slot's row,
  // instead of one entry in every row per round.
  constexpr int32_t kTile = 256;
  for (int32_t first = 1; first <= rounds; first += kTile) {
    const int32_t last = std::min(rounds, first + kTile - 1);
    for (int32_t i = first; i <= last; ++i) {
      // Slot 0 stays while 1 .. R turn: i meets 0, and i + j meets i - j on
      // the circle, nearest first.
      const std::span<Tmatch> pairs = tables.Pairings[i - 1];
      pairs[0] = {0, i};
      int32_t a = i, b = i;
      for (int32_t j = 1; j <= half; ++j) {
        a = a == rounds ? 1 : a + 1;
        b = b == 1 ? rounds : b - 1;
        pairs[j] = {a, b};
      }
      progress.Step();
    }
    // So slot s >= 1 meets 2i - s on the circle in round i, or 0 when s = i.
    for (int32_t i = first; i <= last; ++i) tables.Opponents[0][i - 1] = i;
    for (int32_t s = 1; s <= rounds; ++s) {
      const std::span<int32_t> row = tables.Opponents[s];
      int32_t other = 2 * first - s;
      while (other < 1) other += rounds;
      while (other > rounds) other -= rounds;
      for (int32_t i = first; i <= last; ++i) {
        row[i - 1] = i == s ? 0 : other;
        other += 2;
        if (other > rounds) other -= rounds;
      }
    }
  }
}

}  // namespace rinban
