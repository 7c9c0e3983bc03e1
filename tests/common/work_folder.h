// A fresh folder under the system's temp folder for one test, made the working
// directory while it lives (the program's files are all relative to it), then
// removed with everything in it.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace rinban::testing_support {

class WorkFolder {
 public:
  explicit WorkFolder(const std::string& prefix) : home_(std::filesystem::current_path()) {
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
             std::to_string(pid));
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
