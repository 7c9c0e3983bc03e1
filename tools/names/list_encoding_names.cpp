// Counts how often lists of real names and words are taken for the wrong
// encoding, by the list rule, by the rule it replaced (baseline_rule.cpp)
// and by uchardet on the same bytes. The names and words come from Debian's
// packages: mecab-ipadic (Japanese names in kanji, katakana and half-width
// katakana), libhangul-data (Korean), libchewing3-data and opencc (Chinese),
// hunspell dictionaries (Vietnamese, Thai, Arabic, European languages),
// unicode-data (emoji, and the decompositions for the decomposed forms);
// names with typographic punctuation are made here. Every list is written in
// UTF-8 without a mark and, where code page 932 can spell it, in code page
// 932. Exits 1 when the list rule misses its goal, 77 when a package is
// missing.
//
//   list_encoding_names [-v] [--fewer]
//
// -v prints the lists the rule misreads; --fewer takes an eighth of the
// names and lists, for the sanitizers' slow build.
#include <iconv.h>
#include <unistd.h>
#include <uchardet.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "baseline_rule.h"
#include "platform/encoding.h"
#include "text/list_encoding.h"

namespace {

using namespace rinban;

constexpr int kSkipped = 77;
size_t Sample = 3000;  // entries drawn from each dictionary
size_t Fewer = 1;      // the share of names and lists taken: 1 / Fewer
constexpr const char* kMecab = "/usr/share/mecab/dic/ipadic/Noun.name.csv";
constexpr const char* kHanja = "/usr/share/libhangul/hanja/hanja.txt";
constexpr const char* kChewing = "/usr/share/libchewing/dictionary.dat";
constexpr const char* kOpencc = "/usr/share/opencc/STPhrases.ocd2";
constexpr const char* kUnicode = "/usr/share/unicode/UnicodeData.txt";
constexpr const char* kEmoji = "/usr/share/unicode/emoji/emoji-test.txt";
constexpr const char* kHunspell = "/usr/share/hunspell/";

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

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::string text(in ? static_cast<size_t>(in.tellg()) : 0, '\0');
  in.seekg(0).read(text.data(), static_cast<std::streamsize>(text.size()));
  return text;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == text.npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::u32string Utf32(std::string_view utf8) {
  const std::u16string units = ListUtf16({ListEncoding::Utf8, utf8});
  std::u32string out;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size()) c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
    out += c;
  }
  return out;
}

std::string Utf8(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    const int len = c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    out += static_cast<char>((0xF00 >> len) | (c >> (6 * (len - 1))));
    for (int i = len - 2; i >= 0; --i) out += static_cast<char>(0x80 | ((c >> (6 * i)) & 0x3F));
  }
  return out;
}

std::string Utf8(std::u8string_view text) { return {reinterpret_cast<const char*>(text.data()), text.size()}; }

// The code page 932 form of UTF-8 text, empty when code page 932 cannot spell it.
std::string Cp932(std::string_view utf8) {
  const Text cp932 = Cp932FromUtf16(ListUtf16({ListEncoding::Utf8, utf8}));
  return std::count(cp932.begin(), cp932.end(), '?') == std::count(utf8.begin(), utf8.end(), '?') ? cp932 : "";
}

// Canonical decomposition from UnicodeData.txt, Hangul syllables by rule.
class Decomposer {
 public:
  explicit Decomposer(const std::string& data) {
    for (std::string_view line : Split(data, '\n')) {
      const auto f = Split(line, ';');
      if (f.size() < 6) continue;
      const char32_t c = std::stoul(std::string(f[0]), nullptr, 16);
      combining_[c] = std::stoi(std::string(f[3]));
      if (f[5].empty() || f[5][0] == '<') continue;
      for (std::string_view part : Split(f[5], ' ')) map_[c] += static_cast<char32_t>(std::stoul(std::string(part), nullptr, 16));
      if (map_[c].size() == 2) compose_[map_[c]] = c;
    }
  }

  std::u32string Nfd(std::u32string_view text) const {
    std::u32string out;
    for (char32_t c : text) Append(out, c);
    // Canonical order: marks sorted by combining class, stable.
    for (size_t i = 1; i < out.size(); ++i)
      for (size_t j = i; j > 0 && Class(out[j]) != 0 && Class(out[j - 1]) > Class(out[j]); --j) std::swap(out[j], out[j - 1]);
    return out;
  }

  // Vietnamese as Unikey's combining form writes it: letters keep their
  // circumflex, breve and horn, the five tone marks follow as marks.
  std::u32string ToneMarksApart(std::u32string_view text) const {
    std::u32string out;
    for (char32_t c : text) {
      const std::u32string parts = Nfd(std::u32string(1, c));
      char32_t letter = parts[0];
      std::u32string tones;
      for (char32_t mark : parts.substr(1)) {
        const auto composed = compose_.find(std::u32string{letter, mark});
        const bool tone = mark == 0x300 || mark == 0x301 || mark == 0x303 || mark == 0x309 || mark == 0x323;
        if (tone || composed == compose_.end()) tones += mark;
        else letter = composed->second;
      }
      out += letter + tones;
    }
    return out;
  }

 private:
  int Class(char32_t c) const {
    const auto it = combining_.find(c);
    return it == combining_.end() ? 0 : it->second;
  }
  void Append(std::u32string& out, char32_t c) const {
    if (c >= 0xAC00 && c <= 0xD7A3) {
      const char32_t s = c - 0xAC00;
      out += static_cast<char32_t>(0x1100 + s / 588);
      out += static_cast<char32_t>(0x1161 + s % 588 / 28);
      if (s % 28) out += static_cast<char32_t>(0x11A7 + s % 28);
      return;
    }
    const auto it = map_.find(c);
    if (it == map_.end()) {
      out += c;
      return;
    }
    for (char32_t part : it->second) Append(out, part);
  }

  std::map<char32_t, std::u32string> map_;
  std::map<char32_t, int> combining_;
  std::map<std::u32string, char32_t> compose_;
};

// A name or word in UTF-8 and in code page 932 (empty when it cannot be spelt so).
struct Entry {
  std::string utf8, cp932;
};

struct Source {
  std::string name;
  std::vector<Entry> entries;
  double utf8Limit = 0;  // the share of UTF-8 lists the rule may misread
};

// The dictionaries' words of one letter ("ó", "خ") are left out: they are no
// names, and two bytes of UTF-8 alone are also two half-width katakana. The
// code page 932 form is made once the entries are drawn (Spell).
void AddEntry(Source& source, std::string_view utf8, long minLetters = 2) {
  const bool high = std::any_of(utf8.begin(), utf8.end(), [](char c) { return c & 0x80; });
  const auto letters = std::count_if(utf8.begin(), utf8.end(), [](char c) { return (c & 0xC0) != 0x80; });
  if (high && letters >= minLetters) source.entries.push_back({std::string(utf8), ""});
}

// A sample of distinct entries (all of them for the Japanese names), in
// code page 932 too.
void Spell(Source& source, std::mt19937& random, size_t keep) {
  std::shuffle(source.entries.begin(), source.entries.end(), random);
  std::set<std::string_view> seen;
  std::vector<Entry> kept;
  for (Entry& e : source.entries) {
    if (kept.size() == keep) break;
    if (seen.insert(e.utf8).second) kept.push_back({e.utf8, Cp932(e.utf8)});
  }
  source.entries = std::move(kept);
}

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

std::string Utf8(std::u16string_view text) {
  static const Converter toUtf8("UTF-8", "UTF-16LE");
  return toUtf8({reinterpret_cast<const char*>(text.data()), 2 * text.size()});
}

// mecab-ipadic's personal names in kanji, katakana and half-width katakana,
// and the half-width ones with a capital glued on, as teams are told apart.
std::vector<Source> JapaneseSources() {
  std::vector<Source> sources(4);
  sources[0].name = "Japanese kanji", sources[1].name = "Japanese katakana", sources[2].name = "Japanese half-width";
  sources[3].name = "Japanese half-width + letter";
  const std::string utf8 = Converter("UTF-8", "EUC-JP")(ReadFile(kMecab));
  int letter = 0;
  for (std::string_view line : Split(utf8, '\n')) {
    const auto fields = Split(line, ',');
    if (fields.size() < 12) continue;
    const std::u16string reading = ListUtf16({ListEncoding::Utf8, fields[11]});
    const std::string forms[] = {std::string(fields[0]), std::string(fields[11]), Utf8(HalfWidth(reading))};
    for (int form = 0; form < 3; ++form) AddEntry(sources[form], forms[form], 1);
    if (!forms[2].empty()) AddEntry(sources[3], forms[2] + static_cast<char>('A' + letter++ % 26));
  }
  std::mt19937 random(18);
  for (Source& source : sources) {
    Spell(source, random, source.entries.size() / Fewer);
    std::erase_if(source.entries, [](const Entry& e) { return e.cp932.empty(); });
  }
  return sources;
}

// The words of a hunspell dictionary (in the encoding its .aff names) that
// hold a character outside ASCII.
void AddDictionary(Source& source, const std::string& name, const char* encoding = "UTF-8") {
  const std::string text = Converter("UTF-8", encoding)(ReadFile(kHunspell + name + ".dic"));
  const auto lines = Split(text, '\n');
  for (size_t i = 1; i < lines.size(); ++i) {
    std::string_view word = lines[i].substr(0, lines[i].find_first_of("/\t "));
    if (word.find(':') == word.npos) AddEntry(source, word);
  }
}

Source HangulSource() {
  Source source{"Korean", {}};
  const std::string text = ReadFile(kHanja);
  for (std::string_view line : Split(text, '\n'))
    if (!line.empty() && line[0] != '#') AddEntry(source, Split(line, ':')[0]);
  return source;
}

// Traditional phrases from libchewing, simplified ones from opencc's
// table of simplified to traditional phrases.
std::vector<Source> ChineseSources() {
  Source traditional{"Chinese traditional", {}}, simplified{"Chinese simplified", {}};
  const std::string phrases = ReadFile(kChewing);
  for (std::string_view phrase : Split(phrases, '\0')) AddEntry(traditional, phrase);
  const std::string dump = "/tmp/rinban-names-" + std::to_string(getpid()) + ".txt";
  const std::string command = std::string("opencc_dict -f ocd2 -t text -i ") + kOpencc + " -o " + dump + " >/dev/null 2>&1";
  const std::string table = std::system(command.c_str()) == 0 ? ReadFile(dump) : "";
  for (std::string_view line : Split(table, '\n')) AddEntry(simplified, Split(line, '\t')[0]);
  std::remove(dump.c_str());
  return {traditional, simplified};
}

Source EmojiSource() {
  Source source{"emoji", {}, 0.01};
  constexpr const char* kNames[] = {"Yuki", "Ken", "Mary", "Team"};
  int i = 0;
  const std::string text = ReadFile(kEmoji);
  for (std::string_view line : Split(text, '\n')) {
    if (line.find("; fully-qualified") == line.npos) continue;
    std::u32string emoji;
    for (std::string_view code : Split(line.substr(0, line.find(';')), ' '))
      if (!code.empty()) emoji += static_cast<char32_t>(std::stoul(std::string(code), nullptr, 16));
    const std::string name = kNames[i % 4];
    AddEntry(source, i++ % 2 ? name + " " + Utf8(emoji) : Utf8(emoji) + name);
  }
  return source;
}

// Names as word processors and phones write them: apostrophes, quotes,
// dashes, hyphens, dots and signs of typography, before, inside and after
// a word, beside plain and accented names.
Source TypographicSource() {
  Source source{"typographic punctuation", {}};
  constexpr std::u8string_view kMarks[] = {u8"’", u8"‘", u8"“", u8"”", u8"–", u8"—", u8"‑", u8"‐", u8"·",
                                           u8"®", u8"©", u8"™", u8"ʻ", u8"ʼ", u8"′", u8"″", u8"…", u8"«",
                                           u8"»", u8"„", u8"‚", u8"•", u8"°", u8"¡", u8"¿", u8"×", u8" "};
  constexpr std::u8string_view kNames[] = {u8"Mary",  u8"Brien",  u8"Golo",   u8"Kanté", u8"Tanaka", u8"Sato",
                                           u8"Smith", u8"Müller", u8"Angelo", u8"Ken",   u8"Yuki",   u8"Hawaii"};
  for (std::u8string_view mark : kMarks)
    for (size_t a = 0; a < std::size(kNames); ++a)
      for (size_t b = 0; b < std::size(kNames); ++b) {
        const std::string m = Utf8(mark), x = Utf8(kNames[a]), y = Utf8(kNames[b]);
        for (const std::string& name : {x + " O" + m + y, x.substr(0, 1) + m + y + " " + x, x + m + y, x + " " + m + y,
                                        x + m + " " + y, m + x + m + " " + y, x + " " + y + m})
          AddEntry(source, name);
      }
  AddEntry(source, Utf8(u8"Mary O’Brien"));
  AddEntry(source, Utf8(u8"N’Golo Kanté"));
  return source;
}

// The same words decomposed, those that change.
Source Decomposed(const Source& source, const Decomposer& d, bool toneMarksOnly = false) {
  Source out{source.name + (toneMarksOnly ? ", tone marks apart" : ", decomposed"), {}, source.utf8Limit};
  for (const Entry& e : source.entries) {
    const std::u32string text = Utf32(e.utf8);
    const std::string decomposed = Utf8(toneMarksOnly ? d.ToneMarksApart(text) : d.Nfd(text));
    if (decomposed != e.utf8) out.entries.push_back({decomposed, Cp932(decomposed)});
  }
  return out;
}

// What a program that trusts uchardet would do: read UTF-8 when it says so.
class Uchardet {
 public:
  Uchardet() : ud_(uchardet_new(), uchardet_delete) {}
  bool SaysUtf8(const std::string& bytes) const {
    uchardet_reset(ud_.get());
    uchardet_handle_data(ud_.get(), bytes.data(), bytes.size());
    uchardet_data_end(ud_.get());
    return std::strcmp(uchardet_get_charset(ud_.get()), "UTF-8") == 0;
  }

 private:
  std::unique_ptr<struct uchardet, void (*)(uchardet_t)> ud_;
};

bool Verbose = false;

// Lists made and misread, in each encoding, by each rule.
struct Tally {
  long lists[2] = {}, rule[2] = {}, baseline[2] = {}, uchardet[2] = {};  // [0] code page 932, [1] UTF-8

  void Check(const std::string& bytes, bool utf8, const Uchardet& ud) {
    ++lists[utf8];
    const bool ruled = DetectListEncoding(bytes).encoding == ListEncoding::Utf8;
    rule[utf8] += ruled != utf8;
    baseline[utf8] += BaselineReadsAsUtf8(bytes) != utf8;
    uchardet[utf8] += ud.SaysUtf8(bytes) != utf8;
    if (Verbose && ruled != utf8) {
      static const Converter fromCp932("UTF-8", "CP932");
      std::string shown = utf8 ? bytes : fromCp932(bytes);
      for (size_t at; (at = shown.find("\r\n")) != shown.npos;) shown.replace(at, 2, " / ");
      std::printf("  misread %s: %s\n", utf8 ? "UTF-8" : "code page 932", shown.c_str());
    }
  }
};

const char* const kRomaji[] = {"Tanaka", "Sato", "Suzuki", "Takahashi", "Ito",   "Watanabe", "Yamamoto",
                               "Hiroshi", "Yuki", "Kenji",  "Aiko",      "Naomi", "Mori",     "Ishikawa"};

enum Shape { kOneAfterRomaji, kList, kListAmongRomaji, kListWithJapanese, kShapes };
constexpr const char* kShapeNames[] = {"one after a romaji name", "1 to 40", "1 to 40 among romaji",
                                       "1 to 40 among Japanese"};

// The list in both encodings (code page 932 only where it can spell it),
// a romaji or Japanese name before each entry when the shape asks.
void CheckList(Tally& tally, const std::vector<const Entry*>& list, Shape shape, const std::vector<Entry>& japanese,
               std::mt19937& random, const Uchardet& ud) {
  std::string asCp932, asUtf8;
  bool spelt = true;
  for (size_t i = 0; i < list.size(); ++i) {
    if (shape == kOneAfterRomaji || shape == kListAmongRomaji) {
      const std::string romaji = std::string(kRomaji[i % std::size(kRomaji)]) + "\r\n";
      asCp932 += romaji;
      asUtf8 += romaji;
    } else if (shape == kListWithJapanese) {
      const Entry& name = japanese[std::uniform_int_distribution<size_t>(0, japanese.size() - 1)(random)];
      asCp932 += name.cp932 + "\r\n";
      asUtf8 += name.utf8 + "\r\n";
    }
    spelt = spelt && !list[i]->cp932.empty();
    asCp932 += list[i]->cp932 + "\r\n";
    asUtf8 += list[i]->utf8 + "\r\n";
  }
  if (spelt) tally.Check(asCp932, false, ud);
  tally.Check(asUtf8, true, ud);
}

void Print(const std::string& what, const Tally& t) {
  std::printf("%-62s", what.c_str());
  for (int utf8 : {1, 0}) {
    if (t.lists[utf8] == 0) {
      std::printf(" | %30s", "");
      continue;
    }
    std::printf(" | %6ld %6ld %6ld %6ld %6.2f%%", t.lists[utf8], t.baseline[utf8], t.rule[utf8], t.uchardet[utf8],
                100.0 * t.rule[utf8] / t.lists[utf8]);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    Verbose = Verbose || std::string_view(argv[i]) == "-v";
    if (std::string_view(argv[i]) == "--fewer") Fewer = 8, Sample /= Fewer;
  }
  for (const std::string& path : {std::string(kMecab), std::string(kHanja), std::string(kChewing), std::string(kOpencc),
                                  std::string(kUnicode), std::string(kEmoji), std::string(kHunspell) + "vi_VN.dic"})
    if (!std::ifstream(path)) {
      std::printf("skipped: no %s (see scripts/setup.sh)\n", path.c_str());
      return kSkipped;
    }
  const Decomposer decomposer(ReadFile(kUnicode));
  std::vector<Source> sources = JapaneseSources();
  const std::vector<Entry> japanese = [&] {
    std::vector<Entry> all;
    for (int form = 0; form < 3; ++form) all.insert(all.end(), sources[form].entries.begin(), sources[form].entries.end());
    return all;
  }();
  sources.push_back({"Japanese, all three forms", japanese});
  sources.push_back(HangulSource());
  for (Source& s : ChineseSources()) sources.push_back(std::move(s));
  struct {
    const char* name;
    std::vector<const char*> dictionaries;
    double limit = 0;
  } dictionaries[] = {{"Vietnamese", {"vi_VN"}},
                      {"Thai", {"th_TH"}},
                      {"Arabic", {"ar"}, 0.01},
                      {"European", {"fr", "de_DE", "es_ES", "pt_PT", "pl_PL", "cs_CZ", "hu_HU"}, 0.01}};
  for (const auto& d : dictionaries) {
    Source source{d.name, {}, d.limit};
    for (const char* name : d.dictionaries) AddDictionary(source, name, std::strcmp(name, "pl_PL") ? "UTF-8" : "ISO-8859-2");
    sources.push_back(std::move(source));
  }
  std::mt19937 random(18);
  for (Source& s : sources)
    if (!s.name.starts_with("Japanese")) Spell(s, random, Sample);
  for (const char* name : {"Korean", "Vietnamese", "European"}) {
    const Source& s = *std::find_if(sources.begin(), sources.end(), [&](const Source& x) { return x.name == name; });
    sources.push_back(Decomposed(s, decomposer));
    if (s.name == "Vietnamese") sources.push_back(Decomposed(s, decomposer, true));
  }
  for (Source s : {EmojiSource(), TypographicSource()}) {
    Spell(s, random, Sample);
    sources.push_back(std::move(s));
  }

  const Uchardet ud;
  bool ok = true;
  std::printf("%-62s | %-30s | %s\n", "", "UTF-8 lists, misread by", "code page 932 lists, misread by");
  std::printf("%-62s | %6s %6s %6s %6s %6s  | %6s %6s %6s %6s %6s\n", "group", "lists", "old", "rule", "uchar.", "rule",
              "lists", "old", "rule", "uchar.", "rule");
  for (const Source& source : sources) {
    if (source.entries.empty()) {
      std::printf("no entries read for %s\n", source.name.c_str());
      ok = false;
      continue;
    }
    const bool isJapanese = source.name.starts_with("Japanese");
    const bool everyName = source.name.starts_with("Japanese") && source.name != "Japanese, all three forms";
    // Every Japanese name after a romaji name (the romaji name changes
    // nothing for any of the three), a sample of the larger dictionaries.
    std::vector<const Entry*> pool;
    for (const Entry& e : source.entries) pool.push_back(&e);
    for (int shape = 0; shape < kShapes; ++shape) {
      if ((shape == kListWithJapanese && isJapanese) || (shape < kList && !everyName && isJapanese)) continue;
      Tally tally;
      if (shape < kList) {
        for (const Entry* e : pool) CheckList(tally, {e}, static_cast<Shape>(shape), japanese, random, ud);
      } else {
        std::uniform_int_distribution<size_t> pick(0, pool.size() - 1);
        for (int length = 1; length <= 40; ++length)
          for (size_t repeat = 0; repeat < std::max<size_t>((isJapanese ? 100 : 20) / Fewer, 1); ++repeat) {
            std::vector<const Entry*> list;
            for (int i = 0; i < length; ++i) list.push_back(pool[pick(random)]);
            CheckList(tally, list, static_cast<Shape>(shape), japanese, random, ud);
          }
      }
      Print(source.name + ", " + kShapeNames[shape], tally);
      const bool met = tally.rule[0] == 0 && tally.rule[1] <= source.utf8Limit * tally.lists[1] &&
                       tally.rule[0] <= tally.uchardet[0] && tally.rule[1] <= tally.uchardet[1];
      if (!met) std::printf("  ^ below the goal\n");
      ok = ok && met;
    }
  }
  std::printf("goal: no code page 932 list read as UTF-8, no UTF-8 list read as code page 932 (under 1 %% for Arabic,\n"
              "emoji and European words), and never more misreads than uchardet: %s\n",
              ok ? "met" : "MISSED");
  return ok ? 0 : 1;
}
