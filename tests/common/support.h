// Scaffolding shared by the tests, the benchmarks and the tools: progress and
// generation-view doubles, sample names, a schedule built as a run leaves it,
// the default cross table, a file's lines, a failure's message, and a working
// folder of its own. Free of GoogleTest, so the benchmarks and fuzz targets
// can take it.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "schedule/generation.h"
#include "schedule/schedule.h"
#include "table/html.h"
#include "text/error.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace rinban::testing_support {

#ifdef _WIN32
// A UTF-16 path as the W calls take it.
inline std::wstring WideOf(const std::u16string& path) { return std::wstring(path.begin(), path.end()); }
#endif

struct QuietProgress final : ScheduleProgress {
  void SetTotal(int32_t) override {}
  void Step() override {}
};

// What a run told its progress, and in which order.
struct CountingProgress final : ScheduleProgress {
  int totals = 0, stepsBeforeTotal = 0;
  int32_t total = -1;
  int64_t steps = 0;
  void SetTotal(int32_t count) override {
    ++totals;
    total = count;
  }
  void Step() override {
    if (totals == 0) ++stepsBeforeTotal;
    ++steps;
  }
};

// A generation view that writes every effect as one line, so a test compares
// the whole sequence (or, for a refused run, that there is none).
struct RecordingView final : GenerationView {
  std::vector<std::string> log;
  Text listing;
  void SetTotal(int32_t count) override { log.push_back("total " + std::to_string(count)); }
  void Step() override { log.push_back("step"); }
  void ShowMessage(const Text& text) override { log.push_back("message " + text); }
  void ClearSelectorsAndViews() override { log.push_back("clear selectors"); }
  void SetStatus(const Text& text) override { log.push_back("status " + text); }
  void FillSelectors(const TextList& members, const TextList& rounds) override {
    std::string line = "fill";
    for (const Text& m : members) line += " " + m;
    line += " |";
    for (const Text& r : rounds) line += " " + r;
    log.push_back(line);
  }
  void ClearListing() override { log.push_back("clear listing"); }
  void SetListing(Text text) override {
    log.push_back("listing " + std::to_string(text.size()));
    listing = std::move(text);
  }
  void SelectFirstItems() override { log.push_back("select"); }
  void EnableOutputButtons() override { log.push_back("enable"); }
};

// n distinct names of varied lengths ("0", "x1", "xx2", ...): every name
// identifies its slot.
inline TextList Names(int n) {
  TextList names;
  for (int i = 0; i < n; ++i) names.push_back(std::string(static_cast<size_t>(i % 7), 'x') + std::to_string(i));
  return names;
}

// Tables freshly resized and built for names, as a successful run leaves them.
inline ScheduleTables BuiltSchedule(const TextList& names) {
  QuietProgress progress;
  ScheduleTables tables;
  ResizeScheduleTables(tables, static_cast<int32_t>(names.size()));
  BuildSchedule(names, tables, progress);
  return tables;
}

// The cross table of names, a slot each, with the captions of the default
// colours; it points at names, which must outlive it.
inline CrossTableInput DefaultCrossTable(const TextList& names, Text title, int32_t style, bool points) {
  CrossTableInput in;
  in.slotCount = static_cast<int32_t>(names.size());
  in.names = &names;
  in.title = std::move(title);
  in.style = style;
  in.points = points;
  in.font = "000000";
  in.member = "FFFF99";
  in.other = "FFFFFF";
  in.pointColor = "99FFFF";
  return in;
}

// Titles a settings save must give back unchanged: edge blanks and quotes
// that the file's reading would drop, CP932 second bytes of 0x5C, bytes
// that are UTF-8 too, 2047 bytes.
inline TextList RoundTripTitles() {
  return {"",         "  lead",       "trail  ",   " both ",        "\tTab",     "\"quoted\"",
          "'single'", "\"\"",         "\"",        "\"half",        "half'",     "\" spaced \"",
          "表示",     "ソフト",       "予定表\\",  "　全角　",      "a=b;c",     "[HTMLOption]",
          "茘枝",     "ﾐｷA",          "辷らす",
          Text(2047, 'x'), Text(" ").append(2045, 'y')};
}

// The lines of a file's bytes, each without its CR LF; an unterminated tail
// is a line too.

inline TextList Lines(const Text& bytes) {
  TextList lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find("\r\n", start)) != Text::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  if (start != bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

// The message of the AppError that f throws, or "no error".
template <typename F>
Text ErrorOf(F&& f) {
  try {
    f();
  } catch (const AppError& e) {
    return e.Message();
  }
  return "no error";
}

// A fresh folder under the system's temp folder, made the working directory
// while it lives (the program's files are all relative to it), then removed
// with everything in it.
class WorkFolder {
 public:
  explicit WorkFolder(const std::string& prefix) : home_(std::filesystem::current_path()) {
    static std::atomic<int> serial{0};
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "-" + std::to_string(pid) + "-" + std::to_string(serial++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~WorkFolder() {
    std::error_code ignored;
    std::filesystem::current_path(home_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  WorkFolder(const WorkFolder&) = delete;
  WorkFolder& operator=(const WorkFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path home_, path_;
};

}  // namespace rinban::testing_support
