// Counts how often lists of real Japanese names are taken for the wrong
// encoding. The names are mecab-ipadic's personal names (EUC-JP), each in
// kanji, in katakana and in half-width katakana; every list is written in
// code page 932 and in UTF-8 without a mark and read back through
// DetectListEncoding. Exits 1 when a code page 932 list is read as UTF-8 or
// a UTF-8 list holding a Japanese name is not; 77 when the names are absent.
//
//   list_encoding_names [Noun.name.csv]
#include <iconv.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "platform/encoding.h"
#include "text/list_encoding.h"

namespace {

using namespace rinban;

constexpr const char* kDefaultCsv = "/usr/share/mecab/dic/ipadic/Noun.name.csv";
constexpr int kSkipped = 77;

// One direction of the C library's converter; empty text for what it cannot convert.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  std::string operator()(std::string_view in) const {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return {};
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out(in.size() * 4 + 16, '\0');
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size(), dstLeft = out.size();
    char* dst = out.data();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return {};
    out.resize(out.size() - dstLeft);
    return out;
  }

 private:
  iconv_t cd_;
};

const Converter kToUtf8("UTF-8", "UTF-16LE");

std::u16string Utf16(std::string_view utf8) { return ListUtf16({ListEncoding::Utf8, utf8}); }

// The reading in half-width katakana, empty when it holds anything else.
std::u16string HalfWidth(std::u16string_view katakana) {
  constexpr std::u16string_view full = u"ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホ"
                                       u"マミムメモャヤュユョヨラリルレロヮワヰヱヲンヵヶー";
  constexpr std::u16string_view half = u"ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎ"
                                       u"ﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜﾜｲｴｦﾝｶｹｰ";
  constexpr std::u16string_view voiced = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボ", semi = u"パピプペポ";
  std::u16string out;
  for (char16_t c : katakana) {
    char16_t mark = 0;
    if (voiced.find(c) != voiced.npos) c -= 1, mark = u'ﾞ';
    else if (semi.find(c) != semi.npos) c -= 2, mark = u'ﾟ';
    else if (c == u'ヴ') c = u'ウ', mark = u'ﾞ';
    const size_t at = full.find(c);
    if (at == full.npos) return {};
    out += half[at];
    if (mark) out += mark;
  }
  return out;
}

enum Form { kKanji, kKatakana, kHalfWidth };
constexpr const char* kFormNames[] = {"kanji", "katakana", "half-width", "mixed"};

struct Name {
  Form form;
  std::string cp932, utf8;
};

// Every name of the file in its three forms, those code page 932 can hold.
std::vector<Name> JapaneseNames(const std::string& eucJp) {
  std::vector<Name> names;
  const std::string utf8 = Converter("UTF-8", "EUC-JP")(eucJp);
  for (size_t at = 0; at < utf8.size();) {
    size_t end = utf8.find('\n', at);
    if (end == std::string::npos) end = utf8.size();
    std::vector<std::string_view> fields;
    for (std::string_view line(utf8.data() + at, end - at);;) {
      const size_t comma = line.find(',');
      fields.push_back(line.substr(0, comma));
      if (comma == line.npos) break;
      line.remove_prefix(comma + 1);
    }
    at = end + 1;
    if (fields.size() < 12) continue;
    const std::u16string reading = Utf16(fields[11]);
    const std::u16string forms[] = {Utf16(fields[0]), reading, HalfWidth(reading)};
    for (int form : {kKanji, kKatakana, kHalfWidth}) {
      const std::u16string& text = forms[form];
      const Text cp932 = Cp932FromUtf16(text);
      if (text.empty() || cp932.find('?') != Text::npos) continue;
      names.push_back({static_cast<Form>(form), cp932,
                       kToUtf8({reinterpret_cast<const char*>(text.data()), 2 * text.size()})});
    }
  }
  return names;
}

// Lists made and misread, for each encoding they were written in.
struct Tally {
  long lists = 0, cp932 = 0, utf8 = 0;
  void Check(const std::string& asCp932, const std::string& asUtf8) {
    ++lists;
    if (DetectListEncoding(asCp932).encoding != ListEncoding::Cp932) ++cp932;
    if (DetectListEncoding(asUtf8).encoding != ListEncoding::Utf8) ++utf8;
  }
};

constexpr const char* kRomaji[] = {"Tanaka", "Sato", "Suzuki", "Takahashi", "Ito",   "Watanabe", "Yamamoto",
                                   "Hiroshi", "Yuki", "Kenji",  "Aiko",      "Naomi", "Mori",     "Ishikawa"};

// The list in both encodings, a romaji name before each Japanese one when asked.
void CheckList(Tally& tally, const std::vector<const Name*>& list, bool withRomaji) {
  std::string asCp932, asUtf8;
  for (size_t i = 0; i < list.size(); ++i) {
    if (withRomaji) {
      const std::string romaji = std::string(kRomaji[i % std::size(kRomaji)]) + "\r\n";
      asCp932 += romaji;
      asUtf8 += romaji;
    }
    asCp932 += list[i]->cp932 + "\r\n";
    asUtf8 += list[i]->utf8 + "\r\n";
  }
  tally.Check(asCp932, asUtf8);
}

void Print(const char* what, const Tally& t) {
  std::printf("%-38s %7ld lists: %5ld code page 932 read as UTF-8 (%.2f %%), %5ld UTF-8 not (%.2f %%)\n", what,
              t.lists, t.cp932, 100.0 * t.cp932 / t.lists, t.utf8, 100.0 * t.utf8 / t.lists);
}

}  // namespace

int main(int argc, char** argv) {
  const char* csv = argc > 1 ? argv[1] : kDefaultCsv;
  std::ifstream in(csv, std::ios::binary);
  if (!in) {
    std::printf("skipped: no %s (Debian's mecab-ipadic)\n", csv);
    return kSkipped;
  }
  const std::vector<Name> names =
      JapaneseNames(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
  if (names.empty()) {
    std::printf("no names read from %s\n", csv);
    return 1;
  }
  // Every name alone and between romaji names: the lists most easily misread.
  Tally single[3][2];
  for (const Name& name : names)
    for (bool withRomaji : {false, true}) CheckList(single[name.form][withRomaji], {&name}, withRomaji);
  // Random lists of 1 to 40 names of each form and of all three mixed, alone
  // and mixed with romaji.
  std::vector<const Name*> pools[4];
  for (const Name& name : names) pools[name.form].push_back(&name), pools[3].push_back(&name);
  Tally lists[4][2];
  std::mt19937 random(18);
  for (int form = 0; form < 4; ++form)
    for (int length = 1; length <= 40; ++length)
      for (int repeat = 0; repeat < 200; ++repeat) {
        std::uniform_int_distribution<size_t> pick(0, pools[form].size() - 1);
        std::vector<const Name*> list;
        for (int i = 0; i < length; ++i) list.push_back(pools[form][pick(random)]);
        CheckList(lists[form][repeat % 2], list, repeat % 2 == 1);
      }
  bool ok = true;
  auto report = [&](const std::string& what, const Tally& tally) {
    Print(what.c_str(), tally);
    ok = ok && tally.cp932 == 0 && tally.utf8 == 0;
  };
  constexpr const char* kRomajiToo[] = {"", " among romaji"};
  for (int form = 0; form < 4; ++form)
    for (int withRomaji : {0, 1}) {
      if (form < 3) report(std::string("one ") + kFormNames[form] + " name" + kRomajiToo[withRomaji], single[form][withRomaji]);
      report(std::string("1 to 40 ") + kFormNames[form] + " names" + kRomajiToo[withRomaji], lists[form][withRomaji]);
    }
  return ok ? 0 : 1;
}
