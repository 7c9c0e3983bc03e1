#include "schedule/schedule.h"

#include <cstring>

#include "platform/encoding.h"
#include "platform/files.h"
#include "text/list_encoding.h"
#include "text/messages.h"

namespace rinban {

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

Text MemberListText(Text fileBytes) {
  const ListBody body = DetectListEncoding(fileBytes);
  if (body.encoding == ListEncoding::Cp932) return fileBytes;
  const std::u16string units = ListUtf16(body);
  Text().swap(fileBytes);  // the file's bytes go before the converted copy comes
  return Cp932FromUtf16(units);
}

TextList ReadMemberList(const Text& path) { return SplitMemberList(MemberListText(ReadWholeFile(path))); }

void ResizeScheduleTables(ScheduleTables& tables, int32_t n) {
  const size_t count = static_cast<size_t>(n);
  tables.MemberNames.resize(count + 2);
  tables.Pairings.resize(count);
  for (auto& row : tables.Pairings) row.resize((count + 1) / 2);
  tables.Opponents.resize(count + 2);
  for (auto& row : tables.Opponents) row.resize(count);
  tables.RoundCount = n;
}

void BuildSchedule(const TextList& names, ScheduleTables& tables, ScheduleProgress& progress) {
  const int32_t n = static_cast<int32_t>(names.size());
  TextList& member = tables.MemberNames;
  for (int32_t s = 0; s < n; ++s) member[s] = names[s];
  if (n % 2 == 1)
    member[n] = msg::kByeName;
  else
    tables.RoundCount = n - 1;
  const int32_t rounds = tables.RoundCount;
  const int32_t half = rounds / 2;

  progress.SetTotal(rounds);
  for (int32_t i = 1; i <= rounds; ++i) {
    const int32_t r = i - 1;
    std::vector<Tmatch>& pairs = tables.Pairings[r];
    for (int32_t j = 1; j <= half; ++j) {
      const int32_t a = i + j > rounds ? i + j - rounds : i + j;
      const int32_t b = i - j < 1 ? i - j + rounds : i - j;
      tables.Opponents[a][r] = member[b];
      tables.Opponents[b][r] = member[a];
      pairs[j].Left = member[a];
      pairs[j].Right = member[b];
    }
    tables.Opponents[0][r] = member[i];
    tables.Opponents[i][r] = member[0];
    pairs[0].Left = member[0];
    pairs[0].Right = member[i];
    progress.Step();
  }
}

}  // namespace rinban
