#include "table/html.h"

#include <charconv>
#include <initializer_list>
#include <string_view>

#include "platform/files.h"
#include "text/messages.h"

namespace rinban {
namespace {

using Pieces = std::initializer_list<std::string_view>;

constexpr std::string_view kHeadCell = "<th align=\"center\" bgcolor=#";
constexpr std::string_view kRowHead = "<th align=\"left\" bgcolor=#";
constexpr std::string_view kDataCell = "<td align=\"center\" bgcolor=#";
// The blank cells hold the full-width space of code page 932.
constexpr std::string_view kBlankCell = ">\x81\x40</td>";
constexpr std::string_view kBlankGrid = ">\x81\x40</font></td>";
constexpr std::string_view kDiagonal = ">---</font></td>";

// The piece between a name cell's colour and its name.
class EntryNumber {
 public:
  explicit EntryNumber(int32_t style) : style_(style) {}

  std::string_view operator()(int32_t n) {
    if (style_ == 0) return ">";
    char* p = buffer_;
    *p++ = '>';
    *p++ = '[';
    if (style_ == 2 && n >= 0 && n < 10) *p++ = '0';  // "%.2d"
    p = std::to_chars(p, buffer_ + sizeof buffer_, n).ptr;
    for (char c : std::string_view("]<br>")) *p++ = c;
    return std::string_view(buffer_, static_cast<size_t>(p - buffer_));
  }

 private:
  int32_t style_;
  char buffer_[32];
};

// The template, handed line by line to out.Line(pieces).
template <class Sink>
void EmitCrossTable(const CrossTableInput& in, Sink& out) {
  const int32_t slots = in.slotCount > 0 ? in.slotCount : 0;
  const bool names = in.style >= 0 && in.style <= 2;
  const Text empty;
  // The schedule holds a name per slot; a short list still never reads past its end.
  auto name = [&](int32_t n) -> const Text& {
    return in.names && static_cast<size_t>(n) <= in.names->size() ? (*in.names)[n - 1] : empty;
  };
  EntryNumber number(in.style);

  // Declared, so no browser guesses the code page from the bytes.
  out.Line({"<html><head><meta charset=\"Shift_JIS\"><title>", in.title, "</title></head>"});
  out.Line({"<body>"});
  out.Line({"<table cellpadding=\"2\" border=\"1\" cellspanding=\"1\">"});
  out.Line({"<caption>", in.title, "</caption>"});
  out.Line({"<tr><th>\x81\x40</th>"});
  if (in.points) out.Line({kHeadCell, in.pointColor, ">Pts.</th>"});
  if (names) {
    for (int32_t n = 1; n <= slots; ++n)
      out.Line({kHeadCell, in.member, number(n), ShortName(name(n), 1, 3), "</th>"});
  }
  out.Line({"</tr>"});

  // Every grid cell is one of two lines; build them once.
  Text grid;
  grid.append(kDataCell).append(in.other).append("><font color=#").append(in.font);
  const Text blank = grid + Text(kBlankGrid);
  const Text diagonal = grid + Text(kDiagonal);
  for (int32_t r = 1; r <= slots; ++r) {
    out.Line({"<tr>"});  // body rows stay open; the next "<tr>" ends them
    if (names) out.Line({kRowHead, in.member, number(r), name(r), "</th>"});
    if (in.points) out.Line({kDataCell, in.pointColor, kBlankCell});
    for (int32_t c = 1; c <= slots; ++c) out.Line({c == r ? diagonal : blank});
  }

  out.Line({"</table>"});
  out.Line({msg::kWindowTitle, " by <a href=\"", kHomePage, "\">", kHomePage, "</a>"});
  out.Line({"</body></html>"});
}

size_t PiecesSize(Pieces pieces) {
  size_t size = 0;
  for (std::string_view p : pieces) size += p.size();
  return size;
}

struct SizeSink {
  size_t bytes = 0;  // the text, CR LF included
  void Line(Pieces pieces) { bytes += PiecesSize(pieces) + 2; }
};

struct TextSink {
  Text& text;
  void Line(Pieces pieces) {
    for (std::string_view p : pieces) text.append(p);
    text.append("\r\n");
  }
};

}  // namespace

Text ShortName(const Text& text, int start, int count) {
  if (start < 1 || count <= 0 || static_cast<size_t>(start) > text.size()) return Text();
  const size_t from = static_cast<size_t>(start) - 1;
  size_t take = static_cast<size_t>(count);
  const size_t last = from + take - 1;  // the last byte count bytes would take
  if (last < text.size()) {
    // Characters are told apart only by walking from the first byte.
    size_t i = 0;
    while (i < last) i += IsLeadByte(text[i]) ? 2 : 1;
    if (i == last && IsLeadByte(text[last])) ++take;
  }
  return text.substr(from, take);  // substr stops at the end of the text
}

Text BuildCrossTableText(const CrossTableInput& input) {
  SizeSink size;
  EmitCrossTable(input, size);
  Text text;
  text.reserve(size.bytes);
  TextSink sink{text};
  EmitCrossTable(input, sink);
  return text;
}

void WriteCrossTableText(const Text& text) { WriteWholeFile(msg::kHtmlPath, text); }

}  // namespace rinban
