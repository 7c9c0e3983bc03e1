// How the settings file's encoding rule reads titles made of real Japanese
// words: mecab-ipadic's words (EUC-JP) in kanji and their readings in
// half-width katakana, alone and 2 or 3 joined, each as the only text
// outside ASCII of a file holding the seven keys. Counts the titles that do
// not come back from a file the program saved (now and with the list rule it
// used before), from a file typed in Notepad (UTF-8 without a mark, now and
// had code page 932 come first whenever the bytes allow it), and from a code
// page 932 file written elsewhere. Exits 1 when one the program saved or one
// typed in Notepad does not come back; 77 without the dictionary.
//
//   settings_encoding_words [dictionary folder]
#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/encoding.h"
#include "table/ini.h"
#include "table/settings_text.h"

namespace {

using namespace rinban;

constexpr const char* kDefaultFolder = "/usr/share/mecab/dic/ipadic";
constexpr int kSkipped = 77;

std::string Utf8FromEucJp(const std::string& euc) {
  const iconv_t cd = iconv_open("UTF-8", "EUC-JP");
  std::string out(euc.size() * 2, '\0');
  char* in = const_cast<char*>(euc.data());
  char* put = out.data();
  size_t inLeft = euc.size(), outLeft = out.size();
  iconv(cd, &in, &inLeft, &put, &outLeft);  // the dictionary is EUC-JP throughout
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

// A katakana reading in half-width forms; empty when a character has none.
std::u16string HalfWidth(std::u16string_view reading) {
  constexpr std::u16string_view plain = u"ァアィイゥウェエォオカキクケコサシスセソタチッツテトナニヌネノハヒフヘホマミムメモャヤュユョヨ"
                                        u"ラリルレロワヲンー",
                                half = u"ｧｱｨｲｩｳｪｴｫｵｶｷｸｹｺｻｼｽｾｿﾀﾁｯﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓｬﾔｭﾕｮﾖﾗﾘﾙﾚﾛﾜｦﾝｰ",
                                voiced = u"ガギグゲゴザジズゼゾダヂヅデドバビブベボ", semiVoiced = u"パピプペポ";
  std::u16string out;
  for (char16_t c : reading) {
    const char16_t mark = voiced.find(c) != voiced.npos ? u'ﾞ' : semiVoiced.find(c) != semiVoiced.npos ? u'ﾟ' : 0;
    c = static_cast<char16_t>(c - (mark == u'ﾞ' ? 1 : mark ? 2 : 0));  // ガ is カ + 1, パ is ハ + 2
    if (plain.find(c) == plain.npos) return {};
    out += half[plain.find(c)];
    if (mark) out += mark;
  }
  return out;
}

// Every word and every half-width reading, once each, as UTF-16.
void ReadWords(const std::filesystem::path& folder, std::vector<std::u16string> (&pools)[2]) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".csv") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    const std::string utf8 = Utf8FromEucJp({std::istreambuf_iterator<char>(in), {}});
    for (size_t at = 0, end; at < utf8.size(); at = end + 1) {
      end = utf8.find('\n', at);
      if (end == std::string::npos) end = utf8.size();
      std::vector<std::string> fields(1);
      for (size_t i = at; i < end; ++i) {
        if (utf8[i] == ',') fields.emplace_back();
        else fields.back().push_back(utf8[i]);
      }
      if (fields.size() < 12) continue;
      pools[0].push_back(Utf16FromUtf8(fields[0]));
      if (std::u16string half = HalfWidth(Utf16FromUtf8(fields[11])); !half.empty()) pools[1].push_back(half);
    }
  }
  for (auto& pool : pools) {
    std::sort(pool.begin(), pool.end());
    pool.erase(std::unique(pool.begin(), pool.end()), pool.end());
  }
}

struct Tally {
  const char* what;
  long misread = 0;
};

class Check {
 public:
  explicit Check(const Text& title) : title_(title) {}

  // The file the program writes for the title over one of the default
  // title, read back now, and what it wrote before, read by the list rule as
  // it was then.
  void Saved(Tally& now, Tally& before) const {
    static const SettingsText kDefaults = SettingsTextOf(FileOf("test"));
    SettingsText file = kDefaults;
    WriteSettingsValue(file, "HTMLOption", "Title", title_);
    now.misread += ReadSettingsValue(SettingsTextOf(SettingsBytes(file)), "HTMLOption", "Title") != title_;
    before.misread += IniValue(Cp932FromFileText(FileOf(title_)), "HTMLOption", "Title", IniBytes::Cp932) != title_;
  }
  // The same keys typed in Notepad, which saves UTF-8 without a mark.
  void Typed(Tally& now, Tally& cp932First) const {
    const std::string bytes = FileOf(Utf8FromUtf16(Utf16FromCp932(title_)));
    now.misread += ReadSettingsValue(SettingsTextOf(bytes), "HTMLOption", "Title") != title_;
    cp932First.misread += Utf16FromCp932(bytes).find(u'\uFFFD') == std::u16string::npos;
  }
  // Written in code page 932 by another program or an earlier version.
  void Elsewhere(Tally& now) const { now.misread += SettingsEncodingOf(FileOf(title_)) != SettingsEncoding::Cp932; }

 private:
  static constexpr std::pair<const char*, const char*> kKeys[] = {
      {"Title", nullptr},           {"Number", "0"},         {"FontColor", "0"},  {"MemberColor", "10092543"},
      {"CelColor", "16777215"}, {"PointInt", "0"}, {"PointColor", "16777113"}};

  static std::string FileOf(const std::string& title) {
    std::string file = "[HTMLOption]\r\n";
    for (const auto& [key, value] : kKeys) file.append(key).append("=").append(value ? value : title).append("\r\n");
    return file;
  }
  Text title_;
};

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : kDefaultFolder;
  std::vector<std::u16string> pools[2];
  if (std::error_code error; !std::filesystem::is_directory(folder, error)) {
    std::printf("skipped: no %s (Debian's mecab-ipadic)\n", folder.string().c_str());
    return kSkipped;
  }
  ReadWords(folder, pools);
  bool ok = true;
  std::mt19937 random(24);
  constexpr const char* kForms[] = {"kanji", "half-width"};
  for (int form : {0, 1}) {
    const std::vector<std::u16string>& pool = pools[form];
    std::uniform_int_distribution<size_t> pick(0, pool.empty() ? 0 : pool.size() - 1);
    for (int words = 1; words <= 3; ++words) {
      Tally saved{"saved by the program"}, before{"  the same with the list rule"}, typed{"typed in Notepad"},
          cp932First{"  the same had code page 932 come first"}, elsewhere{"code page 932 from elsewhere"};
      long titles = 0;
      for (size_t n = 0; n < (words == 1 ? pool.size() : 100000); ++n) {
        std::u16string title = words == 1 ? pool[n] : u"";
        for (int w = 0; w < words && words > 1; ++w) title += pool[pick(random)];
        const Text cp932 = Cp932FromUtf16(title);
        if (cp932.find('?') != Text::npos) continue;
        ++titles;
        const Check check(cp932);
        check.Saved(saved, before);
        check.Typed(typed, cp932First);
        check.Elsewhere(elsewhere);
      }
      std::printf("%s titles of %d word%s: %ld\n", kForms[form], words, words > 1 ? "s" : "", titles);
      for (const Tally* t : {&saved, &before, &typed, &cp932First, &elsewhere})
        std::printf("  %-42s %7ld do not come back (%.3f %%)\n", t->what, t->misread, 100.0 * t->misread / titles);
      ok = ok && titles > 0 && saved.misread == 0 && typed.misread == 0;
    }
  }
  return ok ? 0 : 1;
}
