// The empty HTML cross table.
#pragma once

#include <cstdint>

#include "text/text.h"
#include "text/version.h"

namespace rinban {

inline constexpr char kHomePage[] = RINBAN_HOME_PAGE;

struct CrossTableInput {
  int32_t slotCount = 0;       // S = RoundCount + 1
  const TextList* names = nullptr;  // at least S entries; entry n - 1 is slot n
  Text title;                  // T
  int32_t style = 0;           // 0 none, 1 plain, 2 two digits, other: no name cells
  bool points = false;
  Text font, member, other, pointColor;  // F, M, O, P: swatch captions
};

// count bytes of text from the 1-based byte start, one more when the last
// would be a lead byte; never past the end.
Text ShortName(const Text& text, int start, int count);

// The whole file, CR LF after every line, built in one allocation: large
// tables are hundreds of megabytes.
Text BuildCrossTableText(const CrossTableInput& input);

// Puts the text in place of "./table.html" whole; a failed write leaves the
// previous file as it was.
void WriteCrossTableText(const Text& text);

}  // namespace rinban
