#include "schedule/listing.h"

#include <algorithm>
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

// Every slot's name as a pair line begins with it ("name  <- VS ->  ") and
// as one ends with it ("name" CR LF), in one block, so a pair line is two
// copies.
class Pieces {
 public:
  // Copies move whole blocks and may run this far past a piece's end.
  static constexpr size_t kBlock = 32;

  Pieces(const TextList& names, size_t slots) : pieces_(2 * slots), names_(slots) {
    size_t size = kBlock;
    for (size_t s = 0; s < slots; ++s) size += 2 * names[s].size() + kListingSeparator.size() + kCrLf.size();
    text_.reserve(size);
    std::vector<size_t> at(2 * slots);
    for (size_t s = 0; s < slots; ++s) {
      at[2 * s] = text_.size();
      text_.append(names[s]).append(kListingSeparator);
      at[2 * s + 1] = text_.size();
      text_.append(names[s]).append(kCrLf);
      names_[s] = names[s].size();
    }
    text_.append(kBlock, '\0');
    for (size_t s = 0; s < slots; ++s) {
      pieces_[2 * s] = {text_.data() + at[2 * s], names[s].size() + kListingSeparator.size()};
      pieces_[2 * s + 1] = {text_.data() + at[2 * s + 1], names[s].size() + kCrLf.size()};
    }
  }

  Pieces(const Pieces&) = delete;  // the pieces point into text_
  Pieces& operator=(const Pieces&) = delete;

  // The bytes of a pair line, line end included.
  size_t LineSize(const Tmatch& pair) const {
    return names_[pair.Left] + names_[pair.Right] + kListingSeparator.size() + kCrLf.size();
  }
  char* PutLine(char* out, const Tmatch& pair) const {
    out = Copy(out, pieces_[2 * static_cast<size_t>(pair.Left)]);
    return Copy(out, pieces_[2 * static_cast<size_t>(pair.Right) + 1]);
  }

 private:
  struct Piece {
    const char* data;
    size_t size;
  };

  // Fixed-size blocks compile to a few wide moves where a memcpy of a
  // varying short length would not.
  static char* Copy(char* out, Piece piece) {
    std::memcpy(out, piece.data, kBlock);
    for (size_t done = kBlock; done < piece.size; done += kBlock) std::memcpy(out + done, piece.data + done, kBlock);
    return out + piece.size;
  }

  Text text_;
  std::vector<Piece> pieces_;
  std::vector<size_t> names_;  // name sizes, by slot
};

Text Label(int32_t k, std::string_view close) {
  Text label;
  label.reserve(kLabelOpen.size() + DecimalDigits(k) + close.size());
  label.append(kLabelOpen).append(ToDecimal(k)).append(close);
  return label;
}

}  // namespace

Text FormatScheduleListing(const ScheduleTables& tables, ScheduleProgress& progress) {
  const int32_t rounds = tables.RoundCount;
  if (rounds <= 0) return Text();
  const size_t pairCount = static_cast<size_t>(rounds / 2) + 1;
  const Pieces pieces(tables.MemberNames, static_cast<size_t>(rounds) + 1);

  // Every round pairs each slot in use once, so this is the exact size and
  // the listing one allocation; were it not, append would still grow it.
  const auto roundFrame = [](int32_t k) {
    return kHeaderOpen.size() + DecimalDigits(k) + kHeaderClose.size() + kAsterisks.size() + 3 * kCrLf.size();
  };
  size_t slotBytes = 0;
  for (int32_t s = 0; s <= rounds; ++s) slotBytes += tables.MemberNames[s].size();
  size_t size = 0;
  for (int32_t r = 0; r < rounds; ++r)
    size += roundFrame(r + 1) + slotBytes + pairCount * (kListingSeparator.size() + kCrLf.size());

  // Each round is written into a buffer that stays in the cache, then
  // appended in one copy: the listing is never zero-filled first, and the
  // many short writes never wait on main memory.
  Text listing;
  listing.reserve(size);
  std::vector<char> round;
  for (int32_t r = 0; r < rounds; ++r) {
    const std::span<const Tmatch> pairs = tables.Pairings[r].first(pairCount);
    size_t bytes = roundFrame(r + 1) + Pieces::kBlock;
    for (const Tmatch& pair : pairs) bytes += pieces.LineSize(pair);
    if (round.size() < bytes) round.resize(bytes);
    char* out = round.data();
    out = Put(out, kHeaderOpen);
    out = PutDecimal(out, r + 1);
    out = Put(out, kHeaderClose);
    out = Put(out, kCrLf);
    progress.Step();
    for (const Tmatch& pair : pairs) out = pieces.PutLine(out, pair);
    out = Put(out, kAsterisks);
    out = Put(out, kCrLf);
    out = Put(out, kCrLf);
    listing.append(round.data(), static_cast<size_t>(out - round.data()));
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
  const std::span<const int32_t> opponents = tables.Opponents[slot];
  const int32_t rounds = tables.RoundCount;
  if (rounds <= 0 || static_cast<size_t>(rounds) > opponents.size()) return rows;
  rows.reserve(static_cast<size_t>(rounds));
  for (int32_t k = 1; k <= rounds; ++k)
    rows.push_back({Label(k, kCaptionClose), tables.MemberNames[opponents[k - 1]]});
  return rows;
}

TextList RoundRows(const ScheduleTables& tables, int32_t round) {
  TextList rows;
  if (round < 0 || round >= tables.RoundCount || static_cast<size_t>(round) >= tables.Pairings.size())
    return rows;
  const std::span<const Tmatch> pairs = tables.Pairings[round];
  const size_t pairCount = static_cast<size_t>(tables.RoundCount / 2) + 1;
  if (pairCount > pairs.size()) return rows;
  rows.reserve(pairCount);
  for (const Tmatch& pair : pairs.first(pairCount)) {
    const Text& left = tables.MemberNames[pair.Left];
    const Text& right = tables.MemberNames[pair.Right];
    Text row;
    row.reserve(left.size() + kRowSeparator.size() + right.size());
    row.append(left).append(kRowSeparator).append(right);
    rows.push_back(std::move(row));
  }
  return rows;
}

void SaveListing(std::string_view text) { WriteWholeFile(msg::kListingPath, text); }

}  // namespace rinban
