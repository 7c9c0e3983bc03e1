#include "schedule/listing.h"

#include <cstring>

#include "platform/files.h"
#include "text/messages.h"

namespace rinban {
namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kHeaderOpen = msg::kListingHeaderOpen;
constexpr std::string_view kHeaderClose = msg::kListingHeaderClose;
constexpr std::string_view kListingSeparator = msg::kListingPairSeparator;
constexpr std::string_view kAsterisks = msg::kListingRoundEnd;
constexpr std::string_view kRowSeparator = msg::kRoundRowSeparator;
constexpr std::string_view kLabelOpen = msg::kRoundLabelOpen;
constexpr std::string_view kSelectorClose = msg::kRoundItemClose;
constexpr std::string_view kCaptionClose = msg::kRoundCaptionClose;

size_t DecimalDigits(int32_t k) {
  size_t digits = 1;
  while (k >= 10) {
    k /= 10;
    ++digits;
  }
  return digits;
}

char* Put(char* out, std::string_view piece) {
  std::memcpy(out, piece.data(), piece.size());
  return out + piece.size();
}

char* PutDecimal(char* out, int32_t k) {
  const size_t digits = DecimalDigits(k);
  for (size_t d = digits; d-- > 0; k /= 10) out[d] = static_cast<char>('0' + k % 10);
  return out + digits;
}

Text Label(int32_t k, std::string_view close) {
  Text label;
  label.reserve(kLabelOpen.size() + DecimalDigits(k) + close.size());
  label.append(kLabelOpen).append(ToDecimal(k)).append(close);
  return label;
}

}  // namespace

Text FormatScheduleListing(const ScheduleTables& tables, ScheduleProgress& progress) {
  const int32_t rounds = tables.RoundCount;
  const size_t pairCount = static_cast<size_t>(rounds / 2) + 1;

  // The exact size first, so a listing of millions of pairs is written into
  // one allocation.
  size_t size = 0;
  for (int32_t r = 0; r < rounds; ++r) {
    size += kHeaderOpen.size() + DecimalDigits(r + 1) + kHeaderClose.size() + kCrLf.size();
    for (size_t p = 0; p < pairCount; ++p) {
      const Tmatch& pair = tables.Pairings[r][p];
      size += pair.Left.size() + kListingSeparator.size() + pair.Right.size() + kCrLf.size();
    }
    size += kAsterisks.size() + 2 * kCrLf.size();
  }

  Text listing(size, '\0');
  char* out = listing.data();
  for (int32_t r = 0; r < rounds; ++r) {
    out = Put(out, kHeaderOpen);
    out = PutDecimal(out, r + 1);
    out = Put(out, kHeaderClose);
    out = Put(out, kCrLf);
    progress.Step();
    for (size_t p = 0; p < pairCount; ++p) {
      const Tmatch& pair = tables.Pairings[r][p];
      out = Put(out, pair.Left);
      out = Put(out, kListingSeparator);
      out = Put(out, pair.Right);
      out = Put(out, kCrLf);
    }
    out = Put(out, kAsterisks);
    out = Put(out, kCrLf);
    out = Put(out, kCrLf);
  }
  return listing;
}

TextList RoundSelectorItems(int32_t roundCount) {
  TextList items;
  items.reserve(roundCount > 0 ? static_cast<size_t>(roundCount) : 0);
  for (int32_t k = 1; k <= roundCount; ++k) items.push_back(Label(k, kSelectorClose));
  return items;
}

std::vector<MemberRow> MemberRows(const ScheduleTables& tables, int32_t slot) {
  std::vector<MemberRow> rows;
  // The window asks only for a selected item; anything else gets no rows
  // rather than a read past the tables.
  if (slot < 0 || static_cast<size_t>(slot) >= tables.Opponents.size()) return rows;
  const TextList& opponents = tables.Opponents[slot];
  const int32_t rounds = tables.RoundCount;
  if (rounds <= 0 || static_cast<size_t>(rounds) > opponents.size()) return rows;
  rows.reserve(static_cast<size_t>(rounds));
  for (int32_t k = 1; k <= rounds; ++k) rows.push_back({Label(k, kCaptionClose), opponents[k - 1]});
  return rows;
}

TextList RoundRows(const ScheduleTables& tables, int32_t round) {
  TextList rows;
  if (round < 0 || round >= tables.RoundCount || static_cast<size_t>(round) >= tables.Pairings.size())
    return rows;
  const std::vector<Tmatch>& pairs = tables.Pairings[round];
  const size_t pairCount = static_cast<size_t>(tables.RoundCount / 2) + 1;
  if (pairCount > pairs.size()) return rows;
  rows.reserve(pairCount);
  for (size_t p = 0; p < pairCount; ++p) {
    Text row;
    row.reserve(pairs[p].Left.size() + kRowSeparator.size() + pairs[p].Right.size());
    row.append(pairs[p].Left).append(kRowSeparator).append(pairs[p].Right);
    rows.push_back(std::move(row));
  }
  return rows;
}

void SaveListing(std::string_view text) { WriteWholeFile(msg::kListingPath, text); }

}  // namespace rinban
