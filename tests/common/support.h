// Scaffolding shared by the tests, the benchmarks and the tools: progress
// doubles, a schedule built as a run leaves it, and a working folder of its
// own. Free of GoogleTest, so the benchmarks and fuzz targets can take it.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "schedule/schedule.h"

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

// Tables freshly resized and built for names, as a successful run leaves them.
inline ScheduleTables BuiltSchedule(const TextList& names) {
  QuietProgress progress;
  ScheduleTables tables;
  ResizeScheduleTables(tables, static_cast<int32_t>(names.size()));
  BuildSchedule(names, tables, progress);
  return tables;
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
